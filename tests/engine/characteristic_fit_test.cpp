#include "characteristic_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veltrane {
namespace {

DesignInputs Design(float wetBulb, float range, float liquidGas) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kWetBulb] = wetBulb;
    d[Input::kDryBulb] = wetBulb + 12.0F;
    d[Input::kHotWater] = wetBulb + d[Input::kApproach] + range;
    d[Input::kLiquidGas] = liquidGas;
    return d;
}

/// Performance data as a maker's sheet gives it: the known tower rated at several wet bulbs,
/// ranges and L/G.
std::vector<DesignInputs> RatedData(TowerCharacteristic tower) {
    std::vector<DesignInputs> rows;
    for (const float wetBulb : {55.0F, 68.0F, 78.0F}) {
        for (const float range : {12.0F, 25.0F}) {
            for (const float liquidGas : {0.7F, 1.0F, 1.6F}) {
                const Rating rating = RateDesign(Design(wetBulb, range, liquidGas), tower);
                if (rating.outcome == RatingOutcome::kRated) rows.push_back(rating.inputs);
            }
        }
    }
    return rows;
}

TEST(CharacteristicFit, shouldGiveBackTheTowerThatMadeTheData) {
    const TowerCharacteristic known{2.3F, 0.75F};
    const std::vector<DesignInputs> rows = RatedData(known);
    ASSERT_EQ(rows.size(), 18U);
    const CharacteristicFit fit = FitCharacteristic(rows);
    ASSERT_EQ(fit.outcome, FitOutcome::kFitted);
    EXPECT_EQ(fit.points, 18);
    EXPECT_NEAR(fit.tower.c, 2.3F, 0.005F * 2.3F);
    EXPECT_NEAR(fit.tower.m, 0.75F, 0.005F * 0.75F);
    EXPECT_GT(fit.rSquared, 0.9999);
    EXPECT_LE(std::fabs(fit.largestColdWaterDeviation), 0.02F);
    EXPECT_TRUE(fit.unrated.empty());
}

TEST(CharacteristicFit, shouldLeaveOutRowsWithoutADemandAndNameThem) {
    std::vector<DesignInputs> rows = RatedData({2.3F, 0.75F});
    // At an L/G of 5 the air line of this row crosses the saturation curve.
    DesignInputs saturated = Design(65.0F, 27.0F, 5.0F);
    saturated[Input::kApproach] = 2.0F;
    rows.insert(rows.begin() + 1, saturated);
    const CharacteristicFit fit = FitCharacteristic(rows);
    ASSERT_EQ(fit.outcome, FitOutcome::kFitted);
    ASSERT_EQ(fit.unused.size(), 1U);
    EXPECT_EQ(fit.unused.front().row, 1U);
    EXPECT_NEAR(fit.tower.m, 0.75F, 0.005F * 0.75F);
}

TEST(CharacteristicFit, shouldRefuseDataThatCannotFixTheSlope) {
    const float justAboveOne = std::nextafter(1.0F, 2.0F);
    const struct {
        std::vector<DesignInputs> rows;
        FitOutcome outcome;
    } cases[] = {
        {{}, FitOutcome::kTooFewRows},
        {{DefaultDesignInputs()}, FitOutcome::kTooFewRows},
        {{Design(60.0F, 20.0F, 1.0F), Design(70.0F, 10.0F, 1.0F)}, FitOutcome::kOneLiquidGas},
        {{Design(60.0F, 20.0F, 1.0F), Design(70.0F, 10.0F, justAboveOne)},
         FitOutcome::kOneLiquidGas},
        // The same duty at a higher L/G needs a higher KaV/L: a rising line, m below 0.
        {{Design(60.0F, 20.0F, 0.8F), Design(60.0F, 20.0F, 1.2F)}, FitOutcome::kSlopeNegative},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitCharacteristic(c.rows).outcome, c.outcome) << c.rows.size() << " rows";
}

}  // namespace
}  // namespace veltrane
