#include "calc_options.h"

#include <algorithm>

#include "design_sets.h"
#include "input_columns.h"

namespace veltrane::cli {
namespace {

constexpr std::string_view kSweepOption = "--sweep";

/// Adds a sweep unless its input is swept already; false with `error` set otherwise.
bool AddSweep(std::string_view argument, CalcOptions& options, std::string& error) {
    std::optional<Sweep> sweep = ParseSweep(argument, error);
    if (!sweep) return false;
    const bool repeated = std::any_of(options.sweeps.begin(), options.sweeps.end(),
                                      [&](const Sweep& s) { return s.input == sweep->input; });
    if (repeated) {
        error = "--sweep " + std::string(kInputs[sweep->input].shortName) + " is given twice";
        return false;
    }
    options.sweeps.push_back(*sweep);
    return true;
}

/// Applies one option; `next` is the argument after it, consumed by --sweep.
bool ApplyOption(std::string_view option, std::span<const std::string_view>::iterator& next,
                 std::span<const std::string_view>::iterator end, CalcOptions& options,
                 std::string& error) {
    if (option == "--raw") {
        options.raw = true;
    } else if (option == "--check") {
        options.check = true;
    } else if (option == "--defaults") {
        options.defaults = true;
    } else if (option == "--help" || option == "-h") {
        options.help = true;
    } else if (option == "--version") {
        options.version = true;
    } else if (option.starts_with("--sweep=")) {
        return AddSweep(option.substr(kSweepOption.size() + 1), options, error);
    } else if (option == kSweepOption) {
        if (next == end) {
            error = "--sweep needs an argument NAME=FROM:TO:STEP";
            return false;
        }
        return AddSweep(*next++, options, error);
    } else {
        error = "unknown option " + QuoteForMessage(option) + "; see " + std::string(kProgramName) +
                " --help";
        return false;
    }
    return true;
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string_view> arguments) {
    ParsedArguments parsed;
    CalcOptions& options = parsed.options;
    bool optionsEnded = false;
    for (auto it = arguments.begin(); it != arguments.end();) {
        const std::string_view argument = *it++;
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            options.files.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (!ApplyOption(argument, it, arguments.end(), options, parsed.error)) {
            return parsed;
        }
    }
    if (options.defaults && !options.files.empty() && !options.help && !options.version) {
        parsed.error = "--defaults reads no input: leave out the files";
    }
    return parsed;
}

std::string UsageText() {
    std::string text =
        "Usage: veltrane-calc [options] [FILE...]\n"
        "\n"
        "Calculates cooling tower designs in bulk with the same calculation and result texts as\n"
        "the Veltrane window. Reads CSV rows of the twelve design inputs from the FILEs, or from\n"
        "standard input when there are none (\"-\" names it too), and writes CSV to standard\n"
        "output: the inputs as read, then the sixteen results.\n"
        "\n"
        "Columns come in this order, unless a first row names them by short name or caption in\n"
        "any case and any order; a column left out takes its default:\n";
    for (const InputDefinition& entry : kInputs) {
        std::string line = "  " + std::string(entry.shortName);
        line.resize(14, ' ');
        line += entry.caption;
        line.resize(46, ' ');
        line += "default " + std::string(entry.defaultText) + "\n";
        text += line;
    }
    text +=
        "Numbers take '.' as the decimal mark and an optional exponent: 14.7, .001, 1.5e3.\n"
        "\n"
        "Options:\n"
        "  --raw         each result as the shortest decimal that reads back to the same value,\n"
        "                without grouping; inf, -inf and nan when not finite\n"
        "  --check       a last column Notes with what the window would have said of the design\n"
        "  --defaults    calculate the default design alone; no input is read\n"
        "  --sweep NAME=FROM:TO:STEP\n"
        "                repeat every design with input NAME at FROM, FROM+STEP, ... up to TO;\n"
        "                several sweeps give every combination, the first varying slowest\n"
        "  -h, --help    show this text\n"
        "  --version     show the version\n"
        "\n"
        "Exit status: 0 when every design was calculated; 1 when a file could not be read or a\n"
        "row was malformed (it is named on standard error, skipped, and the others are still\n"
        "calculated); 2 for a bad option, with nothing calculated.\n"
        "\n"
        "Example: KaV/L over L/G for three approaches, the other inputs at their defaults:\n"
        "  veltrane-calc --defaults --sweep Approach=5:15:5 --sweep LG=0.5:2:0.1\n";
    return text;
}

}  // namespace veltrane::cli
