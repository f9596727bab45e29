#include "design_rows.h"

#include <cmath>

#include "design_checks.h"
#include "exit_air_solver.h"
#include "input_columns.h"
#include "result_text.h"
#include "usable_values.h"
#include "year_bins.h"

namespace veltrane::cli {
namespace {

constexpr std::string_view kNoteSeparator = "; ";
constexpr std::string_view kNoExitAirNote = "Exit air temperature not found";
constexpr std::string_view kNoLeavingAirNote =
    "no saturated leaving air between the wet bulb and the hot water: no water or fan figures";

constexpr std::array<ColumnDefinition, kDesignColumnCount> MakeDesignColumns() {
    std::array<ColumnDefinition, kDesignColumnCount> columns{};
    for (const InputDefinition& entry : kInputs) {
        const InputUnits& units = kInputUnits[entry.index];
        columns[PositionOf(entry.index)] = ColumnDefinition{
            entry.shortName, CaptionOf(entry.index), entry.defaultText, true, EmptyCell::kRefused,
            false,           units.siDefaultText};
    }
    // Only a header names Hours; an empty cell is a row without hours, as is a file without the
    // column.
    columns[kHoursColumn] =
        ColumnDefinition{kHoursCaption.base, kHoursCaption, "", false, EmptyCell::kAbsent, true};
    // The range a row holds, THot - TCold: its THot then follows its wet bulb and approach. Only a
    // header names it, so that a bins table need not give THot.
    columns[kRangeColumn] = ColumnDefinition{
        "Range", {"Range", Quantity::kTemperatureDifference}, "", false, EmptyCell::kAbsent};
    return columns;
}

constexpr std::array<ColumnDefinition, kDesignColumnCount> kDesignColumns = MakeDesignColumns();

constexpr auto kOutputColumns = DesignOutputCaptions(std::array<OwnColumn, 0>{});

}  // namespace

std::span<const ColumnDefinition> DesignColumns() {
    return kDesignColumns;
}

DesignRowsMode::DesignRowsMode(const ModeContext& context)
    : settings_(context.settings), context_(context), sweepTexts_(settings_.sweeps.size()) {}

std::span<const Caption> DesignRowsMode::OutputColumns() const {
    return kOutputColumns;
}

/// Rows with Hours take the exact leaving air, which a row may not have: they need Notes.
bool DesignRowsMode::HasNotesColumn() const {
    return settings_.check || settings_.totals || AlwaysNotes() || binColumns_ ||
           settings_.askedLeavingAir == LeavingAirRule::kExact;
}

LeavingAirRule DesignRowsMode::RowLeavingAir() const {
    return LeavingAirForRow(design_.hasHours, UnderSetpoint(), settings_.askedLeavingAir);
}

/// Fixes the columns on the first input seen: the bin columns follow the first input's Hours.
void DesignRowsMode::StartOutput(const RowReader* header, bool writeHeader) {
    binColumns_ =
        AlwaysHours() || settings_.totals || (header != nullptr && header->Names(kHoursColumn));
    electricalColumn_ = binColumns_ && settings_.fanEfficiency.has_value();
    totals_.TakeOwnColumns(OwnColumns());
    totals_.TakeCoverage(UnderSetpoint(), electricalColumn_);
    if (!writeHeader) return;
    CsvWriter& csv = context_.csv;
    for (const InputDefinition& entry : kInputs) {
        csv.Field(entry.shortName);
        csv.Comma();
    }
    if (binColumns_) {
        csv.Plain(kHoursCaption.base);
        csv.Comma();
    }
    for (const Result j : kAllResults) {
        csv.Field(CaptionIn(j, settings_.units));
        csv.Comma();
    }
    for (const OwnColumn& column : OwnColumns()) {
        csv.Field(CaptionText(column.caption, settings_.units));
        csv.Comma();
    }
    if (binColumns_) {
        for (const Caption& caption : kBinColumns) {
            csv.Field(CaptionText(caption, settings_.units));
            csv.Comma();
        }
    }
    if (electricalColumn_) {
        csv.Field(CaptionText(kFanElectricalEnergyCaption, settings_.units));
        csv.Comma();
    }
    if (HasNotesColumn()) {
        csv.Field(kNotesCaption.base);
    } else {
        csv.DropLastComma();
    }
    csv.EndLine();
}

void DesignRowsMode::TakeHeader(RowReader& header, std::string_view source, std::size_t line) {
    headerSource_ = source;
    rangeNamed_ = header.Names(kRangeColumn);
    refusedSource_ = rangeNamed_ && header.Names(PositionOf(Input::kHotWater));
    if (refusedSource_) {
        context_.problems.AtLine(source, line,
                                 "give THot or Range, not both: each sets the hot water; no row "
                                 "of this file is calculated");
        return;
    }
    if (!header.Names(kHoursColumn) || binColumns_) return;
    header.Ignore(kHoursColumn);
    // Its rows are still calculated and written: only the column is missing, so this is a note.
    context_.problems.NoteAtLine(
        source, line,
        "Hours is not written, as the first input had none; give --totals to write it");
}

void DesignRowsMode::Calculate(const Row& row) {
    const bool underHeader = row.source == headerSource_;
    if (underHeader && refusedSource_) return;
    for (const Input input : kAllInputs) {
        design_.values[input] = row.values[PositionOf(input)];
        design_.texts[input] = row.texts[PositionOf(input)];
    }
    if (underHeader && rangeNamed_ && !TakeRange(row)) return;
    design_.hasHours = row.Has(kHoursColumn);
    design_.hours = row.values[kHoursColumn];
    design_.hoursText = row.texts[kHoursColumn];
    sourceName_ = row.source;
    sourceLine_ = row.line;
    CalculateWithSweeps(0);
}

/// The row's own range sets its THot. A weather bin is tabulated data: an empty Range there is
/// no default, and the row is left out.
bool DesignRowsMode::TakeRange(const Row& row) {
    const std::string place = PlaceOfLine(row.source, row.line);
    if (!row.Has(kRangeColumn)) {
        if (!row.Has(kHoursColumn)) return true;
        context_.problems.At(place, "Range is empty: a weather bin takes no default; left out");
        return false;
    }
    const float range = row.values[kRangeColumn];
    const ValueCheck check = CheckRange(range);
    if (!check.usable()) {
        context_.problems.At(place, "Range " + QuoteForMessage(row.texts[kRangeColumn]) + " " +
                                        check.reason + "; left out");
        return false;
    }
    design_.values = WithRange(design_.values, range);
    rangeHotWater_ = ExactText(kInputUnits[Input::kHotWater].quantity, settings_.units,
                               design_.values[Input::kHotWater]);
    design_.texts[Input::kHotWater] = rangeHotWater_.View();
    return true;
}

void DesignRowsMode::CalculateWithSweeps(std::size_t level) {
    if (level == 0) {
        rowWetBulb_ = design_.values[Input::kWetBulb];
        rowAsRead_ = design_.values;
    }
    if (level == settings_.sweeps.size()) {
        if (!settings_.OutputLost()) WriteDesign();
        return;
    }
    const Sweep& sweep = settings_.sweeps[level];
    const float keptValue = design_.values[sweep.input];
    const std::string_view keptText = design_.texts[sweep.input];
    NumberText& text = sweepTexts_[level];
    const Quantity quantity = kInputUnits[sweep.input].quantity;
    for (std::size_t k = 0; k < sweep.count && !settings_.OutputLost(); ++k) {
        // The value in the sweep's units, written and then read as a file would give it.
        const float value = sweep.ValueAt(k);
        text = PlainShortestText(value);
        design_.values[sweep.input] = settings_.units == UnitSystem::kUS
                                          ? value
                                          : InputFromUnits(quantity, settings_.units,
                                                           ReadAcceptedNumberAsDouble(text.View()));
        design_.texts[sweep.input] = text.View();
        CalculateWithSweeps(level + 1);
    }
    design_.values[sweep.input] = keptValue;
    design_.texts[sweep.input] = keptText;
}

void DesignRowsMode::WriteResultsRow(const DesignInputs& inputs, const PerformanceResults& results,
                                     const InputArray<std::string_view>& texts,
                                     const OwnFigures& own) {
    CsvWriter& csv = context_.csv;
    const PerformanceResults& hour = own.hour != nullptr ? *own.hour : results;
    AppendInputs(texts);
    AppendHours();
    AppendResults(results);
    AppendOwn(own.values);
    if (binColumns_) AppendBins(hour);
    if (electricalColumn_) {
        csv.Comma();
        const double electrical = ElectricalEnergy(hour);
        if (!std::isnan(electrical)) AppendBinNumber(csv, electrical, settings_.raw);
    }
    if (HasNotesColumn()) {
        csv.Comma();
        AppendNotes(inputs, results, own.note);
    }
    csv.EndRow();
    // Without its leaving air a row has no water or fan figures: it stays out of the sums, named.
    if (NoLeavingAir(results) || !own.hasFigures) {
        context_.problems.At(DesignPlace(), own.hasFigures ? kNoLeavingAirNote : own.note);
        if (design_.hasHours) totals_.LeaveOut(static_cast<double>(design_.hours), DesignPlace());
        return;
    }
    if (design_.hasHours) {
        totals_.Add(results, hour, static_cast<double>(design_.hours), own.values,
                    ElectricalEnergy(hour));
    }
}

double DesignRowsMode::ElectricalEnergy(const PerformanceResults& hour) const {
    if (!electricalColumn_ || !design_.hasHours) return std::nan("");
    const double shaft = BinValues(hour, static_cast<double>(design_.hours))[kFanEnergy];
    return ElectricalKilowattHours(shaft, *settings_.fanEfficiency, FanModeRun());
}

bool DesignRowsMode::NoLeavingAir(const PerformanceResults& results) const {
    return RowLeavingAir() == LeavingAirRule::kExact &&
           std::isnan(results.values[Result::kExitAirTemp]);
}

void DesignRowsMode::AppendOwn(std::span<const double> values) {
    for (const double value : values) {
        context_.csv.Comma();
        if (!std::isnan(value)) AppendOwnNumber(context_.csv, value, settings_.raw);
    }
}

void DesignRowsMode::WriteRowWithoutResults(const InputArray<std::string_view>& texts,
                                            std::string_view note) {
    CsvWriter& csv = context_.csv;
    AppendInputs(texts);
    AppendHours();
    csv.Commas(kResultCount - 1 + OwnColumns().size());
    if (binColumns_) csv.Commas(kBinColumnCount);
    if (electricalColumn_) csv.Comma();
    csv.Comma();
    csv.Field(note);
    csv.EndRow();
    context_.problems.At(DesignPlace(), note);
    if (design_.hasHours) totals_.LeaveOut(static_cast<double>(design_.hours), DesignPlace());
}

DesignInputs DesignRowsMode::DesignWithTheRowsRange() const {
    if (design_.values[Input::kWetBulb] == rowWetBulb_) return design_.values;
    DesignInputs row = design_.values;
    row[Input::kWetBulb] = rowWetBulb_;
    return WithRange(design_.values, RowRange(row));
}

InputArray<std::string_view> DesignRowsMode::TextsAtOperatingPoint(const DesignInputs& solved) {
    solvedApproach_ = ExactText(kInputUnits[Input::kApproach].quantity, settings_.units,
                                solved[Input::kApproach]);
    solvedHotWater_ = ExactText(kInputUnits[Input::kHotWater].quantity, settings_.units,
                                solved[Input::kHotWater]);
    InputArray<std::string_view> texts = design_.texts;
    texts[Input::kApproach] = solvedApproach_.View();
    texts[Input::kHotWater] = solvedHotWater_.View();
    return texts;
}

void DesignRowsMode::WriteRowWithoutOperatingPoint(RatingOutcome outcome) {
    InputArray<std::string_view> texts = design_.texts;
    texts[Input::kApproach] = {};
    texts[Input::kHotWater] = {};
    WriteRowWithoutResults(texts, "no operating point: " + std::string(DescribeOutcome(outcome)));
}

std::string DesignRowsMode::DesignPlace() const {
    std::string place =
        sourceLine_ > 0 ? PlaceOfLine(sourceName_, sourceLine_) : std::string(sourceName_);
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

void DesignRowsMode::AppendInputs(const InputArray<std::string_view>& texts) {
    // Every input text is a number, a default or a sweep value: none needs quotes.
    for (const std::string_view text : texts) {
        context_.csv.Plain(text);
        context_.csv.Comma();
    }
}

void DesignRowsMode::AppendHours() {
    if (!binColumns_) return;
    if (design_.hasHours) context_.csv.Plain(design_.hoursText);
    context_.csv.Comma();
}

void DesignRowsMode::AppendResults(const PerformanceResults& results) {
    if (settings_.raw) {
        AppendRawResults(results);
        return;
    }
    const bool noLeavingAir = NoLeavingAir(results);
    for (const Result j : kAllResults) {
        if (j != kAllResults.front()) context_.csv.Comma();
        if (noLeavingAir && IsMissing(results, j)) continue;
        context_.csv.Field(ResultTextIn(results, j, settings_.units));
    }
}

/// A result that needs the leaving air has no value without it: its cell stays empty.
bool DesignRowsMode::IsMissing(const PerformanceResults& results, Result j) {
    return results.Visit(j, [](auto value) { return std::isnan(value); });
}

/// Writes the numbers straight into the output, which has room made for the longest texts. In SI
/// units each is the shortest text that converts back to the result the calculation formed.
void DesignRowsMode::AppendRawResults(const PerformanceResults& results) {
    std::string& pending = context_.csv.Pending();
    const std::size_t start = pending.size();
    pending.resize(start + kResultCount * (kNumberTextCapacity + 1));
    char* out = pending.data() + start;
    const bool noLeavingAir = NoLeavingAir(results);
    for (const Result j : kAllResults) {
        if (j != kAllResults.front()) *out++ = ',';
        if (noLeavingAir && IsMissing(results, j)) continue;
        const Quantity quantity = kResultUnits[j].quantity;
        out = results.Visit(j, [out, quantity, units = settings_.units](auto value) {
            return WriteLossless(out, quantity, units, value);
        });
    }
    pending.resize(static_cast<std::size_t>(out - pending.data()));
}

/// The bin columns; empty when the row has no Hours.
void DesignRowsMode::AppendBins(const PerformanceResults& results) {
    if (!design_.hasHours) {
        context_.csv.Commas(kBinColumnCount);
        return;
    }
    const auto bins = BinValues(results, static_cast<double>(design_.hours));
    for (std::size_t column = 0; column < kBinColumnCount; ++column) {
        context_.csv.Comma();
        // Without the leaving air the evaporation, and all that follows from it, is unknown.
        if (std::isnan(bins[column])) continue;
        AppendBinNumber(context_.csv,
                        ValueInUnits(kBinColumns[column].quantity, settings_.units, bins[column]),
                        settings_.raw);
    }
}

/// The window's findings up to its first refusal, each without the question its message adds.
/// The driving-force and solver notes are the calculator's own.
void DesignRowsMode::AppendNotes(const DesignInputs& inputs, const PerformanceResults& results,
                                 std::string_view note) {
    notes_.clear();
    const auto add = [&](std::string_view text) {
        if (text.empty()) return;
        if (!notes_.empty()) notes_ += kNoteSeparator;
        notes_ += text;
    };
    if (settings_.check) {
        const DesignFindings findings = FindDesignChecks(inputs, results);
        for (const DesignCheck check : findings)
            add(kDesignChecks[check].finding);
        if (KaVLHasNoMeaning(inputs, findings)) add(kNoDrivingForceNote);
        if (results.values[Result::kExitAirTemp] == kSolverNoSolution) add(kNoExitAirNote);
    }
    // The exact leaving air leaves its figures empty (NaN) rather than guess them.
    if (NoLeavingAir(results)) add(kNoLeavingAirNote);
    add(note);
    context_.csv.Field(notes_);
}

void DesignRowsMode::WriteTotals() {
    totals_.Write(context_.csv, settings_.raw, settings_.units);
}

}  // namespace veltrane::cli
