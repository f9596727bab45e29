# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compiler (package
# g++-mingw-w64-x86-64-posix; the posix flavour has std::thread and friends).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Header-only libraries of the host (CLI11) come through cmake/mingw-packages.
set(CLI11_DIR "${CMAKE_CURRENT_LIST_DIR}/mingw-packages" CACHE PATH "CLI11 for the cross build")

# One file that runs on a plain Windows: the C++ and GCC run-time and winpthreads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# MinGW's GCC 12 at -O2 reports "accessing 9223372036854775810 or more bytes" for
# "text" + std::string(...) inside libstdc++ itself (GCC bug 105329): a false -Wrestrict that
# warnings as errors would make fatal. The Linux builds, at -O0 or without -Werror, never see it.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# Tests run the programs through wine, quietly and with a wine prefix of the build's own (its
# first start takes a while: tools/test-windows-cli makes it before the tests).
find_program(VELTRANE_WINE wine)
if(VELTRANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix ${VELTRANE_WINE})
endif()

# CLI11 is header-only, and Debian installs it for the host in /usr/include, next to glibc's
# headers that must not reach the MinGW compiler. An include folder of the build's own holds
# only CLI/ (a link to the host's), searched after MinGW's own headers, and a small package file
# gives find_package(CLI11) a CLI11::CLI11 target that uses it.
set(mingw_host_headers ${CMAKE_BINARY_DIR}/host-headers)
if(NOT EXISTS ${mingw_host_headers}/CLI)
    file(MAKE_DIRECTORY ${mingw_host_headers})
    file(CREATE_LINK /usr/include/CLI ${mingw_host_headers}/CLI SYMBOLIC)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/host-packages/CLI11Config.cmake
    "if(NOT TARGET CLI11::CLI11)\n"
    "    add_library(CLI11::CLI11 INTERFACE IMPORTED)\n"
    "    target_compile_options(CLI11::CLI11 INTERFACE -idirafter ${mingw_host_headers})\n"
    "endif()\n")
file(WRITE ${CMAKE_BINARY_DIR}/host-packages/CLI11ConfigVersion.cmake
    "include(/usr/share/cmake/CLI11/CLI11ConfigVersion.cmake)\n")
set(CLI11_DIR ${CMAKE_BINARY_DIR}/host-packages)

# nlohmann-json, header-only too, the same way: nlohmann/ in the build's include folder and a
# package file for find_package(nlohmann_json).
if(NOT EXISTS ${mingw_host_headers}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${mingw_host_headers}/nlohmann SYMBOLIC)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/host-packages/nlohmann_jsonConfig.cmake
    "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
    "    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
    "    target_compile_options(nlohmann_json::nlohmann_json INTERFACE -idirafter ${mingw_host_headers})\n"
    "endif()\n")
file(WRITE ${CMAKE_BINARY_DIR}/host-packages/nlohmann_jsonConfigVersion.cmake
    "include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)\n")
set(nlohmann_json_DIR ${CMAKE_BINARY_DIR}/host-packages)
