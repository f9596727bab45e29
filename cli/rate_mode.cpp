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

/// C:m, with C above zero and m not negative.
TowerCharacteristic ParseTower(std::string_view argument) {
    const auto [cText, mText] = SplitPair(argument, "--tower", "C:m");
    const TowerCharacteristic tower{ReadOptionNumber("--tower: C", cText),
                                    ReadOptionNumber("--tower: m", mText)};
    if (!(tower.c > 0.0F)) Refuse("--tower: C must be above 0, not " + QuoteForMessage(cText));
    if (!(tower.m >= 0.0F))
        Refuse("--tower: m must not be negative, not " + QuoteForMessage(mText));
    return tower;
}

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

void RateSettings::DeclareOptions(CLI::App& app, CalcOptions& options) {
    SingleOption(app, "--tower", "C:m", options.tower, ParseTower,
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
                 "error say why");
}

void RateSettings::CheckOptions(const CalcOptions&) {}

std::unique_ptr<BatchMode> RateSettings::Make(const ModeContext& context) {
    return std::make_unique<RateMode>(context);
}

}  // namespace veltrane::cli
