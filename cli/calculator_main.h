#pragma once
// The whole of veltrane-calc behind main(), with its streams passed in.

#include <cstdio>
#include <span>
#include <string_view>

namespace veltrane::cli {

/// Exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitInputProblem = 1;  ///< an unreadable file or a malformed row
inline constexpr int kExitUsage = 2;         ///< a bad option; nothing calculated

/// Runs the calculator on the arguments that follow the program name.
int RunCalculator(std::span<const std::string_view> arguments, std::FILE* in, std::FILE* out,
                  std::FILE* err);

}  // namespace veltrane::cli
