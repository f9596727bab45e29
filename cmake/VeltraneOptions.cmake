# Shared compile settings. Every Veltrane target links veltrane_options and veltrane_warnings.

add_library(veltrane_options INTERFACE)
target_compile_features(veltrane_options INTERFACE cxx_std_20)
# Every operation of the calculation must round exactly as written: no fused multiply-add,
# no value-changing optimisation.
target_compile_options(veltrane_options INTERFACE -ffp-contract=off -fno-fast-math)

add_library(veltrane_warnings INTERFACE)
target_compile_options(veltrane_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wconversion -Wdouble-promotion -Wshadow
    -Wold-style-cast -Wnon-virtual-dtor -Wsuggest-override -Wimplicit-fallthrough
    $<$<BOOL:${VELTRANE_WARNINGS_AS_ERRORS}>:-Werror>)

set(CMAKE_CXX_EXTENSIONS OFF)
