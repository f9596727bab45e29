// --tower: each design rated against a tower of known characteristic, written at its operating
// point.
#include "rate_mode.h"

#include "calc_options.h"
#include "design_rows.h"
#include "input_columns.h"
#include "option_reading.h"
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
        const std::optional<TowerCharacteristic> towerOfRow =
            std::get<RateSettings>(settings_.mode).tower.For(rowAsRead_);
        if (!towerOfRow) {
            WriteRowWithoutResults(design_.texts, kNoTowerThroughDesignNote);
            return;
        }
        const TowerCharacteristic tower = *towerOfRow;
        trials_.clear();
        const Rating rating = RateDesign(design, tower, Tracing() ? &trials_ : nullptr);
        if (Tracing()) {
            worksheet_.clear();
            AppendRatingWorksheet(worksheet_, DesignPlace(), design, tower, rating, trials_,
                                  WorksheetStyle(), RowLeavingAir());
            Trace(worksheet_);
        }
        if (rating.outcome != RatingOutcome::kRated) {
            WriteRowWithoutOperatingPoint(rating.outcome);
            return;
        }
        const InputArray<std::string_view> texts = TextsAtOperatingPoint(rating.inputs);
        WriteResultsRow(
            rating.inputs,
            RowLeavingAir() == LeavingAirRule::kExact ? Results(rating.inputs) : rating.results,
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

void RateSettings::DeclareOptions(CLI::App& app, CalcOptions& options) {
    ValueOption(app.add_option(
                       "--tower",
                       [&options](const CLI::results_t& results) {
                           if (options.tower) Refuse("--tower is given twice");
                           // Left out: the study's tower (TakeStudy), or refused.
                           const bool left = results.empty() || results.front().empty();
                           options.towerFromStudy = left;
                           options.tower = left ? TowerOption{} : ParseTowerOption(results.front());
                           return true;
                       },
                       "rate a tower of characteristic KaV/L = C*(L/G)^-m (C > 0, m >= 0) instead\n"
                       "of calculating each design as it stands. Held from the row: P, Twb, Tdb,\n"
                       "LG, Flow, Cycles, Drift, MakeupTemp, FanPress, FanEff and the range\n"
                       "R = THot - (Twb + Approach) as the row gives it, which a sweep of Twb\n"
                       "keeps. Solved: the approach at which the row's KaV/L equals the tower's\n"
                       "(between the KaV/L of two adjacent cold water temperatures), searched\n"
                       "from just above 0 F to 100 F and below the approach at which the hot\n"
                       "water would boil at the row's pressure; then THot = Twb + Approach + R.\n"
                       "The row is written with the solved Approach and THot and the sixteen\n"
                       "results of that operating point. Where no approach in that range gives\n"
                       "it, Approach, THot and the results are empty and Notes and standard\n"
                       "error say why. --tower design:m is the tower through each design row\n"
                       "as read, before any sweep or weather replaces its inputs: C = KaV/L x\n"
                       "(L/G)^m of that row. With --study, C:m may be left out for the study's\n"
                       "tower")
                    ->type_name("[C:m]"));
}

void RateSettings::CheckOptions(const CalcOptions& options) {
    if (options.towerFromStudy && !options.study) Refuse("--tower needs an argument C:m");
}

std::unique_ptr<BatchMode> RateSettings::Make(const ModeContext& context) {
    return std::make_unique<RateMode>(context);
}

}  // namespace veltrane::cli
