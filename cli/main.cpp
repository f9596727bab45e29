// veltrane-calc: the batch calculator.
#include <cstdio>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "calculator_main.h"

namespace {

/// The calculator reads and writes bytes as they are: on Windows the standard streams would
/// otherwise turn each '\n' written into "\r\n" and drop the '\r' of lines read.
void UseBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return veltrane::cli::RunCalculator(arguments, stdin, stdout, stderr);
}
