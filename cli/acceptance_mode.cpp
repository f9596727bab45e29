// --acceptance: each row of field readings evaluated against the design by the
// characteristic-curve method (acceptance.h); --totals closes with the evaluation of the
// readings' mean, the test's result.
#include <array>
#include <string>
#include <vector>

#include "acceptance.h"
#include "batch_mode.h"
#include "calc_options.h"
#include "number_text.h"
#include "result_text.h"
#include "units.h"
#include "worksheet.h"

namespace veltrane::cli {
namespace {

/// The readings; under --units si each is read in its SI unit (FanPower in the unit of the design
/// fan power, kW by default) and converted at the edge.
constexpr ColumnDefinition Reading(std::string_view shortName, std::string_view caption,
                                   Quantity quantity, std::string_view siCaption) {
    return {shortName, caption, quantity, "", true, EmptyCell::kRefused, false, "", siCaption};
}

constexpr std::array kColumns = {
    Reading("P", "Atmos Press (psia)", Quantity::kPressure, "Atmos Press (kPa)"),
    Reading("Twb", "Inlet Air Wet Bulb Temp (F)", Quantity::kTemperature,
            "Inlet Air Wet Bulb Temp (C)"),
    Reading("Tdb", "Inlet Air Dry Bulb Temp (F)", Quantity::kTemperature,
            "Inlet Air Dry Bulb Temp (C)"),
    Reading("THot", "Hot Water Temp (F)", Quantity::kTemperature, "Hot Water Temp (C)"),
    Reading("TCold", "Cold Water Temp (F)", Quantity::kTemperature, "Cold Water Temp (C)"),
    Reading("Flow", "Circulating Water Flow (gpm)", Quantity::kWaterFlow,
            "Circulating Water Flow (m3/h)"),
    // Any unit, the design fan power's: only their ratio enters.
    Reading("FanPower", "Fan Power", Quantity::kDimensionless, ""),
};

/// An evaluated number's column: what it measures and its caption in each unit system.
struct EvaluationColumn {
    Quantity quantity;
    std::string_view usCaption;
    std::string_view siCaption;
};

/// The evaluation's numbers in the order written, Notes after them.
constexpr std::array<EvaluationColumn, 7> kEvaluationColumns{{
    {Quantity::kMassRatio, "Test L/G", "Test L/G"},
    {Quantity::kDimensionless, "Test KaV/L", "Test KaV/L"},
    {Quantity::kDimensionless, "Test C", "Test C"},
    {Quantity::kMassRatio, "L/G at Capability", "L/G at Capability"},
    {Quantity::kPercent, "Capability (%)", "Capability (%)"},
    {Quantity::kTemperature, "Predicted Cold Water (F)", "Predicted Cold Water (C)"},
    {Quantity::kTemperatureDifference, "Cold Water Deviation (F)", "Cold Water Deviation (K)"},
}};

/// Both systems' captions, so that an output of either reads back.
constexpr std::array<std::string_view, 10> kOutputColumns = {
    "Test L/G",
    "Test KaV/L",
    "Test C",
    "L/G at Capability",
    "Capability (%)",
    "Predicted Cold Water (F)",
    "Cold Water Deviation (F)",
    "Predicted Cold Water (C)",
    "Cold Water Deviation (K)",
    "Notes",
};

constexpr std::string_view kNotEvaluated = "not evaluated: ";

TestReading ReadingOf(const Row& row) {
    const std::vector<float>& v = row.values;
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

class AcceptanceMode final : public BatchMode {
  public:
    explicit AcceptanceMode(const ModeContext& context)
        : context_(context), basis_(*context.settings.acceptance) {}

    [[nodiscard]] std::span<const ColumnDefinition> Columns() const override { return kColumns; }
    [[nodiscard]] std::span<const std::string_view> OutputColumns() const override {
        return kOutputColumns;
    }

    void StartOutput(const RowReader*, bool writeHeader) override {
        if (!writeHeader) return;
        CsvWriter& csv = context_.csv;
        for (const ColumnDefinition& column : kColumns) {
            csv.Field(column.shortName);
            csv.Comma();
        }
        for (const EvaluationColumn& column : kEvaluationColumns) {
            csv.Field(Si() ? column.siCaption : column.usCaption);
            csv.Comma();
        }
        csv.Field("Notes");
        csv.EndLine();
    }

    void Calculate(const Row& row) override {
        const TestReading reading = ReadingOf(row);
        const CapabilityEvaluation e = EvaluateReading(basis_, reading);
        const std::string place = PlaceOfLine(row.source, row.line);
        Trace(place, reading, e);
        for (std::size_t k = 0; k < kColumns.size(); ++k) {
            context_.csv.Field(row.texts[k]);
            context_.csv.Comma();
        }
        if (e.outcome == EvaluationOutcome::kEvaluated) evaluated_.push_back(reading);
        WriteEvaluation(e, {});
        context_.csv.EndRow();
        if (e.outcome != EvaluationOutcome::kEvaluated) context_.problems.At(place, Note(e, {}));
    }

    /// The readings' mean, evaluated: the rows that could not be evaluated are left out of it.
    void WriteTotals() override {
        const std::optional<TestReading> mean = MeanReading(evaluated_);
        CsvWriter& csv = context_.csv;
        if (!mean) {
            csv.Commas(kColumns.size() + kEvaluationColumns.size());
            csv.Field("mean of the readings: no reading was evaluated");
            csv.EndLine();
            context_.problems.Whole(std::string(kProgramName) +
                                    ": --totals: no reading was evaluated");
            return;
        }
        const CapabilityEvaluation e = EvaluateReading(basis_, *mean);
        const std::string place =
            evaluated_.size() == 1
                ? std::string("the mean of 1 reading")
                : "the mean of " + std::to_string(evaluated_.size()) + " readings";
        Trace(place, *mean, e);
        const std::array<float, kColumns.size()> means = {
            mean->pressure,  mean->wetBulb,   mean->dryBulb, mean->hotWater,
            mean->coldWater, mean->waterFlow, mean->fanPower};
        for (std::size_t k = 0; k < kColumns.size(); ++k) {
            Exact(kColumns[k].quantity, means[k]);
            csv.Comma();
        }
        WriteEvaluation(e, place);
        csv.EndLine();
        if (e.outcome != EvaluationOutcome::kEvaluated)
            context_.problems.Whole(std::string(kProgramName) + ": " + Note(e, place));
    }

  private:
    [[nodiscard]] bool Si() const { return context_.settings.units == UnitSystem::kSI; }

    /// A value the calculation took or formed (the readings' mean, a result under --raw): the
    /// shortest decimal that reads back to the very value, in SI the one that converts back to it.
    void Exact(Quantity quantity, float us) {
        if (!Si()) {
            context_.csv.Plain(PlainShortestText(us).View());
            return;
        }
        std::array<char, kNumberTextCapacity> text{};
        const char* end = WriteLossless(text.data(), quantity, UnitSystem::kSI, us);
        context_.csv.Plain(
            std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
    }

    /// A result: by the result text rule, as the calculation's results are written, or with
    /// --raw the shortest decimal; in SI the converted value, rounded to single precision for
    /// the rule as the calculation's results are.
    void WriteResult(Quantity quantity, float us) {
        if (context_.settings.raw) {
            Exact(quantity, us);
            return;
        }
        const double value =
            ValueInUnits(quantity, context_.settings.units, static_cast<double>(us));
        context_.csv.Field(ResultText(static_cast<float>(value)));
    }

    /// Every number of an evaluated reading; none of one that is not, so that no half-way
    /// figure passes for a result (the worksheet of --trace shows how far it came). Notes says
    /// why it stopped.
    void WriteEvaluation(const CapabilityEvaluation& e, std::string_view totalsNote) {
        const bool evaluated = e.outcome == EvaluationOutcome::kEvaluated;
        const std::array<float, kEvaluationColumns.size()> values = {
            e.liquidGas,           e.kaVL,       e.c,
            e.capabilityLiquidGas, e.capability, e.predictedColdWater,
            e.coldWaterDeviation};
        for (std::size_t k = 0; k < kEvaluationColumns.size(); ++k) {
            if (evaluated) WriteResult(kEvaluationColumns[k].quantity, values[k]);
            context_.csv.Comma();
        }
        if (!evaluated || !totalsNote.empty()) context_.csv.Field(Note(e, totalsNote));
    }

    static std::string Note(const CapabilityEvaluation& e, std::string_view totalsNote) {
        std::string note(totalsNote);
        if (e.outcome == EvaluationOutcome::kEvaluated) return note;
        if (!note.empty()) note += ": ";
        note += kNotEvaluated;
        note += DescribeEvaluation(e.outcome);
        if (e.outcome == EvaluationOutcome::kDesignTowerNotRated) {
            note += " (";
            note += DescribeOutcome(e.ratingOutcome);
            note += ')';
        }
        return note;
    }

    void Trace(std::string_view place, const TestReading& reading, const CapabilityEvaluation& e) {
        if (!context_.settings.trace) return;
        worksheet_.clear();
        const WorksheetFormat format{
            context_.settings.raw ? WorksheetNumbers::kExact : WorksheetNumbers::kReadable,
            context_.settings.units};
        AppendAcceptanceWorksheet(worksheet_, place, basis_, reading, e, format);
        context_.settings.trace(worksheet_);
    }

    ModeContext context_;
    const DesignBasis& basis_;
    std::vector<TestReading> evaluated_;
    std::string worksheet_;
};

}  // namespace

std::unique_ptr<BatchMode> MakeAcceptanceMode(const ModeContext& context) {
    return std::make_unique<AcceptanceMode>(context);
}

}  // namespace veltrane::cli
