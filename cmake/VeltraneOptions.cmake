# Shared compile settings. Every Veltrane target links veltrane_options and veltrane_warnings.

add_library(veltrane_options INTERFACE)
target_compile_features(veltrane_options INTERFACE cxx_std_20)
# Every operation of the calculation must round exactly as written: no fused multiply-add,
# no value-changing optimisation.
# MSVC's /fp:precise keeps the same promise (it contracts nothing unless /fp:contract is given).
target_compile_options(veltrane_options INTERFACE
    "$<$<CXX_COMPILER_ID:GNU,Clang>:-ffp-contract=off;-fno-fast-math>"
    "$<$<CXX_COMPILER_ID:MSVC>:/fp:precise;/utf-8>")

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
    "$<$<CXX_COMPILER_ID:GNU,Clang>:${veltrane_common_warnings}>"
    "$<$<CXX_COMPILER_ID:GNU>:${veltrane_gcc_warnings}>"
    "$<$<CXX_COMPILER_ID:Clang>:${veltrane_clang_warnings}>"
    "$<$<CXX_COMPILER_ID:MSVC>:/W4>"
    "$<$<AND:$<BOOL:${VELTRANE_WARNINGS_AS_ERRORS}>,$<CXX_COMPILER_ID:GNU,Clang>>:-Werror>"
    "$<$<AND:$<BOOL:${VELTRANE_WARNINGS_AS_ERRORS}>,$<CXX_COMPILER_ID:MSVC>>:/WX>")

set(CMAKE_CXX_EXTENSIONS OFF)
