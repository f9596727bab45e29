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
#include "worksheet.h"

namespace veltrane::cli {
namespace {

constexpr std::array kColumns = {
    ColumnDefinition{"P", "Atmos Press (psia)", Quantity::kPressure, ""},
    ColumnDefinition{"Twb", "Inlet Air Wet Bulb Temp (F)", Quantity::kTemperature, ""},
    ColumnDefinition{"Tdb", "Inlet Air Dry Bulb Temp (F)", Quantity::kTemperature, ""},
    ColumnDefinition{"THot", "Hot Water Temp (F)", Quantity::kTemperature, ""},
    ColumnDefinition{"TCold", "Cold Water Temp (F)", Quantity::kTemperature, ""},
    ColumnDefinition{"Flow", "Circulating Water Flow (gpm)", Quantity::kWaterFlow, ""},
    // Any unit, the design fan power's: only their ratio enters.
    ColumnDefinition{"FanPower", "Fan Power", Quantity::kDimensionless, ""},
};

constexpr std::array<std::string_view, 8> kOwnColumns = {
    "Test L/G",
    "Test KaV/L",
    "Test C",
    "L/G at Capability",
    "Capability (%)",
    "Predicted Cold Water (F)",
    "Cold Water Deviation (F)",
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
        return kOwnColumns;
    }

    void StartOutput(const RowReader*, bool writeHeader) override {
        if (!writeHeader) return;
        CsvWriter& csv = context_.csv;
        for (const ColumnDefinition& column : kColumns) {
            csv.Field(column.shortName);
            csv.Comma();
        }
        for (const std::string_view caption : kOwnColumns) {
            csv.Field(caption);
            csv.Comma();
        }
        csv.DropLastComma();
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
            csv.Commas(kColumns.size() + kOwnColumns.size() - 1);
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
        for (const float value : {mean->pressure, mean->wetBulb, mean->dryBulb, mean->hotWater,
                                  mean->coldWater, mean->waterFlow, mean->fanPower}) {
            Number(value);
            csv.Comma();
        }
        WriteEvaluation(e, place);
        csv.EndLine();
        if (e.outcome != EvaluationOutcome::kEvaluated)
            context_.problems.Whole(std::string(kProgramName) + ": " + Note(e, place));
    }

  private:
    /// The shortest decimal that reads back to the very value.
    void Number(float value) { context_.csv.Plain(PlainShortestText(value).View()); }

    /// A result: by the result text rule, as the calculation's results are written, or with
    /// --raw the shortest decimal.
    void WriteResult(float value) {
        if (context_.settings.raw) {
            Number(value);
        } else {
            context_.csv.Field(ResultText(value));
        }
    }

    /// Every number of an evaluated reading; none of one that is not, so that no half-way
    /// figure passes for a result (the worksheet of --trace shows how far it came). Notes says
    /// why it stopped.
    void WriteEvaluation(const CapabilityEvaluation& e, std::string_view totalsNote) {
        const bool evaluated = e.outcome == EvaluationOutcome::kEvaluated;
        for (const float value : {e.liquidGas, e.kaVL, e.c, e.capabilityLiquidGas, e.capability,
                                  e.predictedColdWater, e.coldWaterDeviation}) {
            if (evaluated) WriteResult(value);
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
        AppendAcceptanceWorksheet(
            worksheet_, place, basis_, reading, e,
            context_.settings.raw ? WorksheetNumbers::kExact : WorksheetNumbers::kReadable);
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
