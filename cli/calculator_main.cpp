#include "calculator_main.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include <veltrane/version.h>

#include "batch_calculator.h"
#include "calc_options.h"
#include "chart_command.h"
#include "csv_convention.h"
#include "curves_command.h"
#include "file_clash.h"
#include "input_columns.h"
#include "number_text.h"
#include "units.h"

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

/// "veltrane-calc: what", on standard error: the one form of every problem that is not a row's.
void Complain(std::FILE* err, std::string_view what) {
    WriteLine(err, std::string(kProgramName) + ": " + std::string(what));
}

/// An output stream whose every write is checked. The first failure is kept with its reason:
/// later calls would overwrite errno, and a buffered stream's flush may succeed after a write
/// that failed.
class CheckedOutput {
  public:
    explicit CheckedOutput(std::FILE* stream) : stream_(stream) {}

    void Write(std::string_view text) {
        errno = 0;
        if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) Fail();
    }

    /// Flushes the stream, and closes it when `close`; true when everything written reached it.
    bool Finish(bool close) {
        errno = 0;
        if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) Fail();
        errno = 0;
        if (close && std::fclose(stream_) != 0) Fail();
        return error_ == 0;
    }

    /// True once a write has failed.
    [[nodiscard]] bool Failed() const { return error_ != 0; }

    [[nodiscard]] std::string Reason() const {
        return error_ > 0 ? std::strerror(error_) : "write error";
    }

  private:
    void Fail() {
        if (error_ == 0) error_ = errno != 0 ? errno : -1;
    }

    std::FILE* stream_;
    int error_ = 0;  ///< errno of the first failure, -1 when it gave none
};

/// Writes a text that is the whole output (--help, --version); a failure is one line on
/// standard error and status 1.
int WriteWholeOutput(std::FILE* out, std::FILE* err, std::string_view text, std::string_view what) {
    CheckedOutput output(out);
    output.Write(text);
    if (output.Finish(false)) return kExitSuccess;
    Complain(err, "cannot write " + std::string(what) + ": " + output.Reason());
    return kExitInputProblem;
}

/// Calculates each file in turn; "-" is standard input. A file that cannot be opened is named
/// and passed over.
void CalculateFiles(const CalcOptions& options, std::FILE* in, BatchCalculator& calculator) {
    if (options.files.empty() && options.fromStudy) {
        StringSource source(options.fromStudy->rows);
        calculator.CalculateSource(source, options.fromStudy->name);
        return;
    }
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

/// --curves and --curves-csv, of the first design calculated.
bool WriteCurves(const CalcOptions& options, const BatchCalculator& calculator, std::FILE* err) {
    if (!options.curves && !options.curvesCsv) return true;
    if (!calculator.FirstDesign()) {
        Complain(err, std::string(options.curves ? "--curves" : "--curves-csv") +
                          ": no design was calculated");
        return false;
    }
    const std::string error = WriteCurvesOutputs(options, *calculator.FirstDesign());
    if (!error.empty()) Complain(err, error);
    return error.empty();
}

/// --chart and --demand, of the first design calculated.
bool WriteCharts(const CalcOptions& options, const BatchCalculator& calculator, std::FILE* err) {
    if (!options.chart && !options.demand) return true;
    if (!calculator.FirstDesign()) {
        Complain(err, std::string(options.chart ? "--chart" : "--demand") +
                          ": no design was calculated");
        return false;
    }
    const std::string error = WriteChartOutputs(options, *calculator.FirstDesign());
    if (!error.empty()) Complain(err, error);
    return error.empty();
}

/// The fan's efficiencies when the electrical energy is asked for.
std::optional<FanDriveEfficiency> FanEfficiencyOf(const CalcOptions& options) {
    if (!options.motorEfficiency) return std::nullopt;
    FanDriveEfficiency efficiency;
    efficiency.motorPercent = *options.motorEfficiency;
    if (options.driveEfficiency) efficiency.drivePercent = *options.driveEfficiency;
    return efficiency;
}

int Calculate(const CalcOptions& options, std::FILE* in, std::FILE* out, std::FILE* err,
              CheckedOutput* trace) {
    std::string error;
    std::optional<ModeSettings> mode = ModeSettingsFrom(options, error);
    if (!mode) {
        Complain(err, error);
        return kExitInputProblem;
    }
    BatchSettings settings{options.raw, options.check, options.sweeps, std::move(*mode),
                           options.totals};
    settings.units = options.units.value_or(UnitSystem::kUS);
    if (trace != nullptr) settings.trace = [trace](std::string_view sheet) { trace->Write(sheet); };
    settings.askedLeavingAir = options.exitAir;
    settings.fanEfficiency = FanEfficiencyOf(options);
    settings.csvFormat = CsvFormatOf(options);
    CheckedOutput output(out);
    settings.outputLost = [&output] { return output.Failed(); };
    BatchCalculator calculator(
        std::move(settings), [&output](std::string_view piece) { output.Write(piece); },
        [err](std::string_view line) { WriteLine(err, line); });
    calculator.WriteHeader();
    // With --acceptance, --defaults is the design: the readings come from the files.
    if (options.defaults && !options.acceptance) {
        calculator.CalculateDefaults();
    } else {
        CalculateFiles(options, in, calculator);
    }
    // A source refused for its form before any row is written leaves the output empty, as a
    // refusal of the options does.
    if (calculator.Refused() && calculator.DesignsWritten() == 0) return kExitUsage;
    if (options.totals) calculator.WriteTotals();
    calculator.Flush();
    if (!output.Finish(false)) {
        Complain(err, "cannot write the results: " + output.Reason());
        return kExitInputProblem;
    }
    if (!WriteCharts(options, calculator, err)) return kExitInputProblem;
    if (!WriteCurves(options, calculator, err)) return kExitInputProblem;
    if (calculator.Refused()) return kExitUsage;
    return calculator.HadErrors() ? kExitInputProblem : kExitSuccess;
}

}  // namespace

int RunCalculator(std::span<const std::string_view> arguments, std::FILE* in, std::FILE* out,
                  std::FILE* err) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.error.empty()) {
        Complain(err, parsed.error);
        return kExitUsage;
    }
    const CalcOptions& options = parsed.options;
    if (options.help) return WriteWholeOutput(out, err, UsageText(), "the help");
    if (options.version) {
        return WriteWholeOutput(out, err, std::string(kProgramName) + " " + kVersionText + "\n",
                                "the version");
    }
    // Before any output is opened: opening it would truncate the input it names.
    const std::string clash = OutputThatIsAnInput(options);
    if (!clash.empty()) {
        Complain(err, clash);
        return kExitUsage;
    }
    const std::string semicolons = SemicolonInput(options);
    if (!semicolons.empty()) {
        WriteLine(err, semicolons);
        return kExitUsage;
    }

    // The worksheets' file is opened before anything is calculated: when it cannot be, the run
    // stops at once with status 1.
    std::FILE* traceFile = nullptr;
    if (options.trace) {
        traceFile = *options.trace == "-" ? err : std::fopen(options.trace->c_str(), "wb");
        if (traceFile == nullptr) {
            Complain(err, "cannot write the worksheets to " + QuoteForMessage(*options.trace) +
                              ": " + std::strerror(errno));
            return kExitInputProblem;
        }
    }
    std::optional<CheckedOutput> trace;
    if (traceFile != nullptr) trace.emplace(traceFile);
    const int status = Calculate(options, in, out, err, trace ? &*trace : nullptr);
    if (trace && !trace->Finish(traceFile != err)) {
        Complain(err, "cannot write the worksheets to " +
                          (traceFile == err ? std::string("standard error")
                                            : QuoteForMessage(*options.trace)) +
                          ": " + trace->Reason());
        return kExitInputProblem;
    }
    return status;
}

}  // namespace veltrane::cli
