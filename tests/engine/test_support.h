#pragma once
// Single-precision values are compared by their seven-figure text, never with a tolerance.

#include <cstdio>
#include <string>

namespace veltrane::testing {

inline std::string Seven(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    return buffer;
}

inline std::string Seven(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    return buffer;
}

}  // namespace veltrane::testing
