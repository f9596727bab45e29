#include "batch_calculator.h"

#include <optional>

#include "calc_options.h"
#include "csv_writer.h"
#include "design_checks.h"
#include "exit_air_solver.h"
#include "result_text.h"
#include "worksheet.h"

namespace veltrane::cli {
namespace {

constexpr std::size_t kOutputPieceSize = std::size_t{1} << 16;
constexpr std::string_view kNoteSeparator = "; ";

constexpr std::string_view kNoExitAirNote = "Exit air temperature not found";

constexpr std::string_view kNoOperatingPoint = "no operating point: ";
constexpr std::string_view kDefaultsName = "defaults";

constexpr double kMinutesPerHour = 60.0;
constexpr double kKilowattsPerHorsepower = 0.7457;

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
    headerWanted_ = true;
}

bool BatchCalculator::HasNotesColumn() const {
    return settings_.check || settings_.tower.has_value() || settings_.totals;
}

/// Fixes the columns on the first input seen: the bin columns follow the first input's Hours.
void BatchCalculator::StartOutput(bool inputHasHours) {
    if (headerWritten_) return;
    headerWritten_ = true;
    binColumns_ = settings_.totals || inputHasHours;
    if (!headerWanted_) return;
    std::string row;
    for (const InputDefinition& entry : kInputs) {
        AppendCsvField(row, entry.shortName);
        row += ',';
    }
    if (binColumns_) row += std::string(kHoursCaption) + ',';
    for (const ResultDefinition& entry : kResults) {
        AppendCsvField(row, entry.caption);
        row += ',';
    }
    if (binColumns_) {
        for (const std::string_view caption : kBinColumnCaptions) {
            AppendCsvField(row, caption);
            row += ',';
        }
    }
    if (HasNotesColumn()) {
        AppendCsvField(row, kNotesCaption);
    } else {
        row.pop_back();
    }
    row += '\n';
    pending_ += row;
}

void BatchCalculator::CalculateDefaults() {
    StartOutput(false);
    design_ = defaults_;
    sourceName_ = kDefaultsName;
    sourceLine_ = 0;
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
            const bool hasHours = layout->fieldOfHours != ColumnLayout::kAbsent;
            StartOutput(hasHours);
            if (hasHours && !binColumns_) {
                ReportRow(name, record.line,
                          "Hours is not written, as the first input had none; give --totals to "
                          "write it");
            }
            continue;
        }
        if (!layout) {
            layout = ColumnLayout::Positional();
            StartOutput(false);
        }
        sourceName_ = name;
        sourceLine_ = record.line;
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
    for (const Input input : kAllInputs) {
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
    return ReadHours(record, layout, name);
}

bool BatchCalculator::ReadHours(const CsvRecord& record, const ColumnLayout& layout,
                                std::string_view name) {
    design_.hasHours = false;
    if (layout.fieldOfHours == ColumnLayout::kAbsent || !binColumns_) return true;
    // An empty cell is a row without hours, as is a file without the column.
    const std::string_view text = TrimBlanks(record.fields[layout.fieldOfHours]);
    if (text.empty()) return true;
    design_.hasHours = true;
    const NumberError error = ReadInputNumber(text, design_.hours);
    if (error != NumberError::None || design_.hours < 0.0F) {
        ReportRow(name, record.line,
                  std::string(kHoursCaption) + " " + QuoteForMessage(text) + " is " +
                      (error != NumberError::None ? std::string(Describe(error))
                                                  : std::string("negative")));
        return false;
    }
    design_.hoursText = text;
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
    if (level == 0) rowWetBulb_ = design_.values[Input::kWetBulb];
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
    // The chart's design is the one rated: a swept wet bulb keeps the row's range.
    if (!firstDesign_) firstDesign_ = settings_.tower ? DesignWithTheRowsRange() : design_.values;
    if (settings_.tower) {
        WriteRatedRow();
        return;
    }
    const PerformanceResults results = CalculatePerformance(design_.values);
    if (settings_.trace) {
        worksheet_.clear();
        AppendWorksheet(worksheet_, DesignPlace(), design_.values);
        settings_.trace(worksheet_);
    }
    WriteOperatingPoint(design_.values, results, design_.texts);
}

/// The design at its operating point, with the solved Approach and THot in their columns; or,
/// when there is none, the design without them, its results empty and the reason given.
void BatchCalculator::WriteRatedRow() {
    trials_.clear();
    const DesignInputs design = DesignWithTheRowsRange();
    const Rating rating =
        RateDesign(design, *settings_.tower, settings_.trace ? &trials_ : nullptr);
    if (settings_.trace) {
        worksheet_.clear();
        AppendRatingWorksheet(worksheet_, DesignPlace(), design, *settings_.tower, rating, trials_);
        settings_.trace(worksheet_);
    }
    if (rating.outcome != RatingOutcome::kRated) {
        WriteRowWithoutOperatingPoint(rating.outcome);
        return;
    }
    std::array<char, kNumberTextCapacity> approach{};
    std::array<char, kNumberTextCapacity> hotWater{};
    InputArray<std::string_view> texts = design_.texts;
    const auto write = [](std::array<char, kNumberTextCapacity>& text, float value) {
        return std::string_view(
            text.data(),
            static_cast<std::size_t>(WritePlainShortest(text.data(), value) - text.data()));
    };
    texts[Input::kApproach] = write(approach, rating.inputs[Input::kApproach]);
    texts[Input::kHotWater] = write(hotWater, rating.inputs[Input::kHotWater]);
    WriteOperatingPoint(rating.inputs, rating.results, texts);
}

/// The heat load, and so the range, stays what the row gives when the weather changes: a sweep of
/// the wet bulb moves THot with it. A sweep of THot or the approach sets the range itself.
DesignInputs BatchCalculator::DesignWithTheRowsRange() const {
    if (design_.values[Input::kWetBulb] == rowWetBulb_) return design_.values;
    DesignInputs row = design_.values;
    row[Input::kWetBulb] = rowWetBulb_;
    return WithRange(design_.values, RowRange(row));
}

void BatchCalculator::WriteOperatingPoint(const DesignInputs& inputs,
                                          const PerformanceResults& results,
                                          const InputArray<std::string_view>& texts) {
    AppendInputs(texts);
    AppendHours();
    AppendResults(results);
    if (binColumns_) AppendBins(results);
    if (HasNotesColumn()) {
        pending_ += ',';
        if (settings_.check) AppendNotes(inputs, results);
    }
    EndRow();
    if (!design_.hasHours) return;
    totals_.rows += 1;
    totals_.hours += static_cast<double>(design_.hours);
    totals_.coldWaterHours += static_cast<double>(results.values[Result::kColdWater]) *
                              static_cast<double>(design_.hours);
}

void BatchCalculator::WriteRowWithoutOperatingPoint(RatingOutcome outcome) {
    InputArray<std::string_view> texts = design_.texts;
    texts[Input::kApproach] = {};
    texts[Input::kHotWater] = {};
    AppendInputs(texts);
    AppendHours();
    pending_.append(kResultCount - 1, ',');
    if (binColumns_) pending_.append(kBinColumnCount, ',');
    pending_ += ',';
    const std::string note = std::string(kNoOperatingPoint) + std::string(DescribeOutcome(outcome));
    AppendCsvField(pending_, note);
    EndRow();
    ReportProblem(DesignPlace() + ": " + note);
    if (!design_.hasHours) return;
    totals_.rowsLeftOut += 1;
    totals_.hoursLeftOut += static_cast<double>(design_.hours);
}

/// "FILE:LINE" or "defaults", and the swept values when there are sweeps: a line of the input
/// gives as many designs as the sweeps make.
std::string BatchCalculator::DesignPlace() const {
    std::string place(sourceName_);
    if (sourceLine_ > 0) place += ':' + std::to_string(sourceLine_);
    for (std::size_t level = 0; level < settings_.sweeps.size(); ++level) {
        const Input input = settings_.sweeps[level].input;
        place += level == 0 ? " (" : ", ";
        place += kInputs[input].shortName;
        place += ' ';
        place += design_.texts[input];
    }
    if (!settings_.sweeps.empty()) place += ')';
    return place;
}

void BatchCalculator::AppendInputs(const InputArray<std::string_view>& texts) {
    // Every input text is a number, a default or a sweep value: none needs quotes.
    for (const std::string_view text : texts) {
        pending_ += text;
        pending_ += ',';
    }
}

void BatchCalculator::AppendHours() {
    if (!binColumns_) return;
    if (design_.hasHours) pending_ += design_.hoursText;
    pending_ += ',';
}

void BatchCalculator::EndRow() {
    pending_ += '\n';
    ++designsWritten_;
    FlushIfFull();
}

void BatchCalculator::AppendResults(const PerformanceResults& results) {
    if (settings_.raw) {
        AppendRawResults(results);
        return;
    }
    for (const Result j : kAllResults) {
        if (j != kAllResults.front()) pending_ += ',';
        AppendCsvField(pending_, results.Text(j));
    }
}

/// Writes the numbers straight into the output, which has room made for the longest texts.
void BatchCalculator::AppendRawResults(const PerformanceResults& results) {
    const std::size_t start = pending_.size();
    pending_.resize(start + kResultCount * (kNumberTextCapacity + 1));
    char* out = pending_.data() + start;
    for (const Result j : kAllResults) {
        if (j != kAllResults.front()) *out++ = ',';
        out = results.Visit(j, [out](auto value) { return WriteShortest(out, value); });
    }
    pending_.resize(static_cast<std::size_t>(out - pending_.data()));
}

/// A number of the bin columns or the totals, formed in double precision: its result text, or
/// with --raw the shortest decimal.
void BatchCalculator::AppendNumber(double value) {
    if (settings_.raw) {
        char text[kNumberTextCapacity];
        pending_.append(text, WriteShortest(text, value));
    } else {
        AppendCsvField(pending_, ResultText(value));
    }
}

/// The water over the row's hours in US gallons (gpm × 60 × hours) and the fan energy in kWh;
/// empty when the row has no Hours.
void BatchCalculator::AppendBins(const PerformanceResults& results) {
    std::array<double, kBinColumnCount> bins{};
    if (design_.hasHours) {
        const auto hours = static_cast<double>(design_.hours);
        const auto gallons = [&](Result result) {
            return static_cast<double>(results.values[result]) * kMinutesPerHour * hours;
        };
        bins = {gallons(Result::kEvaporation), gallons(Result::kBlowdown), gallons(Result::kDrift),
                gallons(Result::kMakeup),
                static_cast<double>(results.values[Result::kFanPower]) * kKilowattsPerHorsepower *
                    hours};
    }
    for (std::size_t column = 0; column < kBinColumnCount; ++column) {
        pending_ += ',';
        if (!design_.hasHours) continue;
        AppendNumber(bins[column]);
        totals_.bins[column] += bins[column];
    }
}

/// The sums over the rows with Hours; in Cold Water Out Temp the hours-weighted mean. The other
/// columns have no sum and are left empty.
void BatchCalculator::WriteTotals() {
    StartOutput(false);
    pending_.append(kInputCount, ',');
    AppendNumber(totals_.hours);
    for (const Result j : kAllResults) {
        pending_ += ',';
        if (j == Result::kColdWater && totals_.hours > 0.0) {
            AppendNumber(totals_.coldWaterHours / totals_.hours);
        }
    }
    for (const double sum : totals_.bins) {
        pending_ += ',';
        AppendNumber(sum);
    }
    pending_ += ',';
    std::string note = "totals of " + std::to_string(totals_.rows) +
                       (totals_.rows == 1 ? " row" : " rows") +
                       " with Hours; Cold Water Out Temp is their hours-weighted mean";
    if (totals_.rowsLeftOut > 0) {
        char hours[kNumberTextCapacity];
        note += "; left out: " + std::to_string(totals_.rowsLeftOut) +
                (totals_.rowsLeftOut == 1 ? " row" : " rows") + " without an operating point (" +
                std::string(hours, WriteShortest(hours, totals_.hoursLeftOut)) + " hours)";
    }
    AppendCsvField(pending_, note);
    pending_ += '\n';
    FlushIfFull();
}

/// The window's findings up to its first refusal, each without the question its message adds.
/// The solver note is the calculator's own.
void BatchCalculator::AppendNotes(const DesignInputs& inputs, const PerformanceResults& results) {
    std::string& notes = notes_;
    notes.clear();
    const auto add = [&](std::string_view note) {
        if (!notes.empty()) notes += kNoteSeparator;
        notes += note;
    };
    const DesignFindings findings = FindDesignChecks(inputs, results);
    for (const DesignCheck check : findings)
        add(kDesignChecks[check].finding);
    if (KaVLHasNoMeaning(inputs, findings)) add(kNoDrivingForceNote);
    if (results.values[Result::kExitAirTemp] == kSolverNoSolution) add(kNoExitAirNote);
    AppendCsvField(pending_, notes);
}

void BatchCalculator::FlushIfFull() {
    if (pending_.size() >= kOutputPieceSize) Flush();
}

void BatchCalculator::Flush() {
    StartOutput(false);
    if (pending_.empty()) return;
    output_(pending_);
    pending_.clear();
}

}  // namespace veltrane::cli
