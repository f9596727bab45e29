#pragma once
// A broken property in a fuzz target aborts with the reason, so libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

namespace veltrane::fuzz {

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

}  // namespace veltrane::fuzz
