#pragma once
// A value's text to seven significant figures, the figures a single-precision result holds. A
// test that checks a figure published to seven places compares these texts; a test against an
// independent calculation, which cannot agree to the last bit, states its tolerance and why.

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
