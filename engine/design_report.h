#pragma once
// The default design as plain text: the console stand-in for the window when no display exists.

#include <string>

#include "performance.h"

namespace veltrane {

/// The twelve inputs as their texts and the sixteen results by the result text rule, each line a
/// caption, padded, and its text.
std::string DescribeDesign(const DesignInputs& inputs,
                           const InputArray<std::string_view>& inputTexts);

/// DescribeDesign of the defaults.
std::string DescribeDefaultDesign();

}  // namespace veltrane
