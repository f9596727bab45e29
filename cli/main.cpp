// veltrane-calc: the batch calculator.
#include <cstdio>
#include <string_view>
#include <vector>

#include "calculator_main.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return veltrane::cli::RunCalculator(arguments, stdin, stdout, stderr);
}
