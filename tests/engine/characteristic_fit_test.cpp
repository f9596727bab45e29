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

namespace veltrane {
namespace {

// Student's t for a two-sided 95 % interval, as statistical tables give it to eight figures.
TEST(CharacteristicFit, shouldGiveStudentsTAsTheTablesDo) {
    const struct {
        int freedom;
        double t;
    } cases[] = {{1, 12.7062047}, {2, 4.3026527},  {3, 3.1824463},  {4, 2.7764451},
                 {5, 2.5705818},  {10, 2.2281389}, {30, 2.0422725}, {120, 1.9799304}};
    for (const auto& c : cases)
        EXPECT_NEAR(StudentT95(c.freedom), c.t, 5e-7) << c.freedom;
    // Past the series, the normal quantile with its 1/ν term.
    EXPECT_NEAR(StudentT95(1'000'000), 1.9599664, 1e-6);
    EXPECT_TRUE(std::isnan(StudentT95(0)));
}

/// The known tower's data with its cold water moved by a field test's scatter, up to 0.5 °F.
std::vector<DesignInputs> ScatteredData() {
    const float scatter[] = {0.4F, -0.3F, 0.0F, -0.5F, 0.2F, 0.3F};
    std::vector<DesignInputs> rows;
    for (const float wetBulb : {60.0F, 72.0F}) {
        for (const float liquidGas : {0.8F, 1.1F, 1.5F}) {
            DesignInputs row = RateDesign(Design(wetBulb, 20.0F, liquidGas), {2.3F, 0.75F}).inputs;
            const float moved = scatter[rows.size()];
            row[Input::kApproach] += moved;
            row[Input::kHotWater] += moved;
            rows.push_back(row);
        }
    }
    return rows;
}

// The expected figures were worked apart from the engine: the least-squares line through
// (ln L/G, ln KaV/L) of the six rows' KaV/L (2.5753574, 2.2230773, 1.6969125, 2.9825876,
// 2.0802116, 1.6323373 at L/G 0.8, 1.1, 1.5 twice), its standard errors and t from the tables
// (2.7764451 at 4 degrees of freedom, 2.5705818 at 5); the RMS from the six deviations.
TEST(CharacteristicFit, shouldGiveTheIntervalsAndResidualsOfScatteredData) {
    const std::vector<DesignInputs> rows = ScatteredData();
    const CharacteristicFit free = FitCharacteristic(rows);
    ASSERT_EQ(free.outcome, FitOutcome::kFitted);
    ASSERT_TRUE(free.cInterval && free.mInterval);
    const CharacteristicFit fixed = FitCharacteristicWithSlope(rows, 0.75F);
    ASSERT_EQ(fixed.outcome, FitOutcome::kFitted);
    ASSERT_TRUE(fixed.cInterval);
    EXPECT_FALSE(fixed.mInterval) << "a fixed m has no interval";
    const struct {
        const char* what;
        double value;
        double expected;
    } figures[] = {
        {"C", static_cast<double>(free.tower.c), 2.3161367},
        {"m", static_cast<double>(free.tower.m), 0.8112157},
        // Asymmetric: 0.158 below C, 0.170 above.
        {"C lower", free.cInterval->lower, 2.1580875},
        {"C upper", free.cInterval->upper, 2.4857607},
        {"m lower", free.mInterval->lower, 0.5521429},
        {"m upper", free.mInterval->upper, 1.0702885},
        {"RMS", static_cast<double>(free.rmsColdWaterDeviation), 0.3230669},
        {"C, m fixed", static_cast<double>(fixed.tower.c), 2.3030526},
        {"C lower, m fixed", fixed.cInterval->lower, 2.1733945},
        {"C upper, m fixed", fixed.cInterval->upper, 2.4404456},
    };
    for (const auto& f : figures)
        EXPECT_NEAR(f.value, f.expected, 2e-7 * f.expected) << f.what;
    ASSERT_EQ(free.residuals.size(), 6U);
    EXPECT_NEAR(free.residuals[3].kaVL, 2.9825876F, 1e-6F);
    EXPECT_EQ(free.residuals[3].liquidGas, 0.8F);
}

TEST(CharacteristicFit, shouldRefuseAFixedSlopeItCannotUse) {
    const std::vector<DesignInputs> rows = ScatteredData();
    EXPECT_EQ(FitCharacteristicWithSlope(rows, -0.1F).outcome, FitOutcome::kFixedSlopeUnusable);
    EXPECT_EQ(FitCharacteristicWithSlope(rows, NAN).outcome, FitOutcome::kFixedSlopeUnusable);
    EXPECT_EQ(FitCharacteristicWithSlope({}, 0.6F).outcome, FitOutcome::kNoRows);
    const CharacteristicFit one = FitCharacteristicWithSlope({rows.front()}, 0.6F);
    EXPECT_EQ(one.outcome, FitOutcome::kFitted);
    EXPECT_FALSE(one.cInterval) << "one row leaves no degree of freedom";
}

}  // namespace
}  // namespace veltrane
