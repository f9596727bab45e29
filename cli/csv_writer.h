#pragma once
// Writing CSV fields (RFC 4180): a field that holds a comma, a quote or a line end is quoted,
// with its quotes doubled.

#include <string>
#include <string_view>

namespace veltrane::cli {

void AppendCsvField(std::string& out, std::string_view field);

}  // namespace veltrane::cli
