#include "calculator_main.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <veltrane/version.h>

#include "batch_calculator.h"
#include "calc_options.h"
#include "chart_command.h"

namespace veltrane::cli {
namespace {

constexpr std::string_view kStandardInputName = "<stdin>";

/// One write per line: standard error is unbuffered, and a file of junk makes many messages.
void WriteLine(std::FILE* stream, std::string_view text) {
    std::string line;
    line.reserve(text.size() + 1);
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stream);
}

/// Calculates each file in turn; "-" is standard input. A file that cannot be opened is named
/// and passed over.
void CalculateFiles(const CalcOptions& options, std::FILE* in, BatchCalculator& calculator) {
    if (options.files.empty()) {
        FileSource source(in);
        calculator.CalculateSource(source, kStandardInputName);
        return;
    }
    for (const std::string& file : options.files) {
        if (file == "-") {
            FileSource source(in);
            calculator.CalculateSource(source, kStandardInputName);
            continue;
        }
        std::FILE* stream = std::fopen(file.c_str(), "rb");
        if (stream == nullptr) {
            calculator.ReportProblem(std::string(kProgramName) + ": cannot read " +
                                     QuoteForMessage(file) + ": " + std::strerror(errno));
            continue;
        }
        FileSource source(stream);
        calculator.CalculateSource(source, file);
        std::fclose(stream);
    }
}

/// --chart and --demand, of the first design calculated.
bool WriteCharts(const CalcOptions& options, const BatchCalculator& calculator, std::FILE* err) {
    if (!options.chart && !options.demand) return true;
    if (!calculator.FirstDesign()) {
        WriteLine(err, std::string(kProgramName) + ": " + (options.chart ? "--chart" : "--demand") +
                           ": no design was calculated");
        return false;
    }
    const std::string error = WriteChartOutputs(options, *calculator.FirstDesign());
    if (!error.empty()) WriteLine(err, std::string(kProgramName) + ": " + error);
    return error.empty();
}

int Calculate(const CalcOptions& options, std::FILE* in, std::FILE* out, std::FILE* err,
              std::FILE* trace) {
    BatchSettings settings{options.raw,   options.check,  options.sweeps,
                           options.tower, options.totals, nullptr};
    if (trace != nullptr) {
        settings.trace = [trace](std::string_view sheet) {
            std::fwrite(sheet.data(), 1, sheet.size(), trace);
        };
    }
    BatchCalculator calculator(
        std::move(settings),
        [out](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), out); },
        [err](std::string_view line) { WriteLine(err, line); });
    calculator.WriteHeader();
    if (options.defaults) {
        calculator.CalculateDefaults();
    } else {
        CalculateFiles(options, in, calculator);
    }
    if (options.totals) calculator.WriteTotals();
    calculator.Flush();
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        WriteLine(
            err, std::string(kProgramName) + ": cannot write the results: " + std::strerror(errno));
        return kExitInputProblem;
    }
    if (!WriteCharts(options, calculator, err)) return kExitInputProblem;
    return calculator.HadErrors() ? kExitInputProblem : kExitSuccess;
}

}  // namespace

int RunCalculator(std::span<const std::string_view> arguments, std::FILE* in, std::FILE* out,
                  std::FILE* err) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.error.empty()) {
        WriteLine(err, std::string(kProgramName) + ": " + parsed.error);
        return kExitUsage;
    }
    const CalcOptions& options = parsed.options;
    if (options.help) {
        const std::string usage = UsageText();
        std::fwrite(usage.data(), 1, usage.size(), out);
        return std::fflush(out) == 0 ? kExitSuccess : kExitInputProblem;
    }
    if (options.version) {
        WriteLine(out, std::string(kProgramName) + " " + kVersionText);
        return std::fflush(out) == 0 ? kExitSuccess : kExitInputProblem;
    }

    std::FILE* trace = nullptr;
    if (options.trace) {
        trace = *options.trace == "-" ? err : std::fopen(options.trace->c_str(), "wb");
        if (trace == nullptr) {
            WriteLine(err, std::string(kProgramName) + ": cannot write the worksheets to " +
                               QuoteForMessage(*options.trace) + ": " + std::strerror(errno));
            return kExitInputProblem;
        }
    }
    const int status = Calculate(options, in, out, err, trace);
    if (trace != nullptr && trace != err && std::fclose(trace) != 0) {
        WriteLine(err, std::string(kProgramName) + ": cannot write the worksheets to " +
                           QuoteForMessage(*options.trace) + ": " + std::strerror(errno));
        return kExitInputProblem;
    }
    return status;
}

}  // namespace veltrane::cli
