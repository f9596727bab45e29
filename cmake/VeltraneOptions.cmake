# Shared compile settings. Every Veltrane target links veltrane_options and veltrane_warnings.

add_library(veltrane_options INTERFACE)
target_compile_features(veltrane_options INTERFACE cxx_std_20)
# Every operation of the calculation must round exactly as written: no fused multiply-add,
# no value-changing optimisation.
target_compile_options(veltrane_options INTERFACE -ffp-contract=off -fno-fast-math)

# Warnings, chosen by compiler: the ones both GCC and clang know, then each compiler's own (a
# flag one of them does not know would itself be an error under -Werror). -Wconversion and
# -Wdouble-promotion make every rounding to single precision an explicit cast.
set(veltrane_common_warnings
    -Wall -Wextra -Wpedantic -Wconversion -Wdouble-promotion -Wshadow
    -Wold-style-cast -Wnon-virtual-dtor -Wsuggest-override -Wimplicit-fallthrough)
set(veltrane_gcc_warnings -Wlogical-op -Wduplicated-cond -Wduplicated-branches)
set(veltrane_clang_warnings -Wextra-semi -Wunreachable-code -Wloop-analysis)

add_library(veltrane_warnings INTERFACE)
target_compile_options(veltrane_warnings INTERFACE
    ${veltrane_common_warnings}
    "$<$<CXX_COMPILER_ID:GNU>:${veltrane_gcc_warnings}>"
    "$<$<CXX_COMPILER_ID:Clang>:${veltrane_clang_warnings}>"
    $<$<BOOL:${VELTRANE_WARNINGS_AS_ERRORS}>:-Werror>)

set(CMAKE_CXX_EXTENSIONS OFF)
