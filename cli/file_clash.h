#pragma once
// An output that is also an input: opening it for writing would truncate it before it is read
// (--trace=in.csv in.csv destroyed in.csv). Every file the options write is compared with every
// file they read, by the file itself (device and inode, or the file index on Windows) rather
// than by name, so that "./in.csv", a link or another spelling of the same file is caught too.

#include <string>

#include "calc_options.h"

namespace veltrane::cli {

/// One line naming the first output that is the same file as an input; empty when there is
/// none. Files that do not exist yet clash with nothing.
std::string OutputThatIsAnInput(const CalcOptions& options);

}  // namespace veltrane::cli
