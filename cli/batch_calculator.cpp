#include "batch_calculator.h"

#include <optional>

#include "calc_options.h"
#include "csv_writer.h"
#include "exit_air_solver.h"
#include "result_text.h"

namespace veltrane::cli {
namespace {

constexpr std::size_t kOutputPieceSize = std::size_t{1} << 16;
constexpr std::string_view kNoteSeparator = "; ";

// What the window says of a design, in the order it says it.
constexpr std::string_view kLowApproachNote = "Normally Approach Should be Greater Than 7 F";
constexpr std::string_view kWetBulbNote = "Wet Bulb Must Be Less Than Dry Bulb";
constexpr std::string_view kNegativeRangeNote =
    "Temp Rise Cannot Be Negative. Lower the Approach or Raise Thot.";
constexpr std::string_view kLowKaVLNote = "KAVL < 0.2";
constexpr std::string_view kHighKaVLNote = "KAVL > 5";
constexpr std::string_view kNoExitAirNote = "Exit air temperature not found";

constexpr float kApproachThreshold = 7.0F;
constexpr float kLowKaVL = 0.2F;
constexpr float kHighKaVL = 5.0F;

}  // namespace

BatchCalculator::BatchCalculator(BatchSettings settings, OutputSink output, MessageSink messages)
    : settings_(std::move(settings)),
      output_(std::move(output)),
      messages_(std::move(messages)),
      sweepTexts_(settings_.sweeps.size()) {
    defaults_.values = DefaultDesignInputs();
    for (const InputDefinition& entry : kInputs)
        defaults_.texts[entry.index] = entry.defaultText;
    pending_.reserve(kOutputPieceSize + 4096);
}

void BatchCalculator::WriteHeader() {
    std::string row;
    for (const InputDefinition& entry : kInputs) {
        AppendCsvField(row, entry.shortName);
        row += ',';
    }
    for (const ResultDefinition& entry : kResults) {
        AppendCsvField(row, entry.caption);
        row += ',';
    }
    if (settings_.check) {
        AppendCsvField(row, kNotesCaption);
    } else {
        row.pop_back();
    }
    row += '\n';
    pending_ += row;
}

void BatchCalculator::CalculateDefaults() {
    design_ = defaults_;
    CalculateWithSweeps(0);
}

void BatchCalculator::CalculateSource(ByteSource& source, std::string_view name) {
    CsvReader reader(source);
    CsvRecord record;
    std::optional<ColumnLayout> layout;
    while (reader.Next(record)) {
        if (!record.error.empty()) {
            ReportRow(name, record.line, record.error);
            continue;
        }
        // The first sound record that names columns is the header.
        if (!layout && NamesAnyColumn(record.fields)) {
            std::string error;
            layout = LayoutFromHeader(record.fields, error);
            if (!layout) {
                ReportRow(name, record.line, error + "; no row of this file is calculated");
                return;
            }
            continue;
        }
        if (!layout) layout = ColumnLayout::Positional();
        if (ReadDesign(record, *layout, name)) CalculateWithSweeps(0);
    }
    const std::string readError = source.Error();
    if (!readError.empty()) {
        ReportProblem(std::string(kProgramName) + ": cannot read " + QuoteForMessage(name) + ": " +
                      readError);
    }
}

bool BatchCalculator::ReadDesign(const CsvRecord& record, const ColumnLayout& layout,
                                 std::string_view name) {
    if (record.fields.size() != layout.fieldCount) {
        ReportRow(name, record.line,
                  std::to_string(record.fields.size()) +
                      (record.fields.size() == 1 ? " field where " : " fields where ") +
                      std::to_string(layout.fieldCount) + " are expected");
        return false;
    }
    for (std::size_t input = 0; input < kInputCount; ++input) {
        const std::size_t field = layout.fieldOfInput[input];
        if (field == ColumnLayout::kAbsent) {
            design_.values[input] = defaults_.values[input];
            design_.texts[input] = defaults_.texts[input];
            continue;
        }
        const std::string_view text = TrimBlanks(record.fields[field]);
        const NumberError error = ReadInputNumber(text, design_.values[input]);
        if (error != NumberError::None) {
            ReportRow(name, record.line,
                      std::string(kInputs[input].shortName) + " " + QuoteForMessage(text) + " is " +
                          std::string(Describe(error)));
            return false;
        }
        design_.texts[input] = text;
    }
    return true;
}

void BatchCalculator::ReportRow(std::string_view name, std::size_t line, std::string_view what) {
    hadErrors_ = true;
    std::string message(name);
    message += ':';
    message += std::to_string(line);
    message += ": ";
    message += what;
    messages_(message);
}

void BatchCalculator::ReportProblem(std::string_view message) {
    hadErrors_ = true;
    messages_(message);
}

void BatchCalculator::CalculateWithSweeps(std::size_t level) {
    if (level == settings_.sweeps.size()) {
        WriteRow();
        return;
    }
    const Sweep& sweep = settings_.sweeps[level];
    const float keptValue = design_.values[sweep.input];
    const std::string_view keptText = design_.texts[sweep.input];
    char* text = sweepTexts_[level].data();
    for (std::size_t k = 0; k < sweep.count; ++k) {
        const float value = sweep.ValueAt(k);
        design_.values[sweep.input] = value;
        design_.texts[sweep.input] = std::string_view(
            text, static_cast<std::size_t>(WritePlainShortest(text, value) - text));
        CalculateWithSweeps(level + 1);
    }
    design_.values[sweep.input] = keptValue;
    design_.texts[sweep.input] = keptText;
}

void BatchCalculator::WriteRow() {
    if (!firstDesign_) firstDesign_ = design_.values;
    const PerformanceResults results = CalculatePerformance(design_.values);
    // Every input text is a number, a default or a sweep value: none needs quotes.
    for (const std::string_view text : design_.texts) {
        pending_ += text;
        pending_ += ',';
    }
    AppendResults(results);
    if (settings_.check) {
        pending_ += ',';
        AppendNotes(results);
    }
    pending_ += '\n';
    ++designsWritten_;
    FlushIfFull();
}

void BatchCalculator::AppendResults(const PerformanceResults& results) {
    if (settings_.raw) {
        AppendRawResults(results);
        return;
    }
    for (std::size_t j = 0; j < kResultCount; ++j) {
        if (j > 0) pending_ += ',';
        AppendCsvField(pending_, j == kHeatRejected ? ResultText(results.heatRejected)
                                                    : ResultText(results.values[j]));
    }
}

/// Writes the numbers straight into the output, which has room made for the longest texts.
void BatchCalculator::AppendRawResults(const PerformanceResults& results) {
    const std::size_t start = pending_.size();
    pending_.resize(start + kResultCount * (kNumberTextCapacity + 1));
    char* out = pending_.data() + start;
    for (std::size_t j = 0; j < kResultCount; ++j) {
        if (j > 0) *out++ = ',';
        out = j == kHeatRejected ? WriteShortest(out, results.heatRejected)
                                 : WriteShortest(out, results.values[j]);
    }
    pending_.resize(static_cast<std::size_t>(out - pending_.data()));
}

/// The window's checks stop at its first refusal (wet bulb above dry bulb, a negative range), so
/// the KaV/L notes follow only when neither applies. The solver note is the calculator's own.
void BatchCalculator::AppendNotes(const PerformanceResults& results) {
    std::string& notes = notes_;
    notes.clear();
    const auto add = [&](std::string_view note) {
        if (!notes.empty()) notes += kNoteSeparator;
        notes += note;
    };
    const DesignInputs& inputs = design_.values;
    const float kaVL = results.values[kKaVL];
    if (inputs[kApproach] <= kApproachThreshold) add(kLowApproachNote);
    if (inputs[kDryBulb] < inputs[kWetBulb]) {
        add(kWetBulbNote);
    } else if (results.values[kRange] < 0.0F) {
        add(kNegativeRangeNote);
    } else {
        if (kaVL < kLowKaVL) add(kLowKaVLNote);
        if (kaVL > kHighKaVL) add(kHighKaVLNote);
    }
    if (results.values[kExitAirTemp] == kSolverNoSolution) add(kNoExitAirNote);
    AppendCsvField(pending_, notes);
}

void BatchCalculator::FlushIfFull() {
    if (pending_.size() >= kOutputPieceSize) Flush();
}

void BatchCalculator::Flush() {
    if (pending_.empty()) return;
    output_(pending_);
    pending_.clear();
}

}  // namespace veltrane::cli
