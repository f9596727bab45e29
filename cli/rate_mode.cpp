// --tower: each design rated against a tower of known characteristic, written at its operating
// point.
#include "rate_mode.h"

#include "calc_options.h"
#include "design_rows.h"
#include "worksheet.h"

namespace veltrane::cli {
namespace {

class RateMode final : public DesignRowsMode {
  public:
    using DesignRowsMode::DesignRowsMode;

  private:
    [[nodiscard]] bool AlwaysNotes() const override { return true; }

    /// The design at its operating point, with the solved Approach and THot in their columns;
    /// or, when there is none, the design without them, its results empty and the reason given.
    void WriteDesign() override {
        const DesignInputs design = DesignWithTheRowsRange();
        // The chart's design is the one rated: a swept wet bulb keeps the row's range.
        if (!context_.firstDesign) context_.firstDesign = design;
        trials_.clear();
        const TowerCharacteristic tower = std::get<RateSettings>(settings_.mode).tower;
        const Rating rating = RateDesign(design, tower, Tracing() ? &trials_ : nullptr);
        if (Tracing()) {
            worksheet_.clear();
            AppendRatingWorksheet(worksheet_, DesignPlace(), design, tower, rating, trials_,
                                  WorksheetStyle(), settings_.leavingAir);
            Trace(worksheet_);
        }
        if (rating.outcome != RatingOutcome::kRated) {
            WriteRowWithoutOperatingPoint(rating.outcome);
            return;
        }
        const InputArray<std::string_view> texts = TextsAtOperatingPoint(rating.inputs);
        WriteResultsRow(rating.inputs,
                        settings_.leavingAir == LeavingAirRule::kExact ? Results(rating.inputs)
                                                                       : rating.results,
                        texts);
    }

    std::vector<ApproachTrial> trials_;
    std::string worksheet_;
};

}  // namespace

bool RateSettings::ChosenBy(const CalcOptions& options) {
    return options.tower.has_value();
}

std::optional<RateSettings> RateSettings::From(const CalcOptions& options, std::string&) {
    return RateSettings{*options.tower};
}

std::unique_ptr<BatchMode> RateSettings::Make(const ModeContext& context) {
    return std::make_unique<RateMode>(context);
}

}  // namespace veltrane::cli
