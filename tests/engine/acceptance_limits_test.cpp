#include "acceptance_limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fan_power.h"

namespace veltrane {
namespace {

/// The defaults (P 14.7 psia, Twb 65 °F, range 27 °F, 1000 gpm), m 0.6, 12.749 hp.
AcceptanceDesign Design() {
    return {DefaultDesignInputs(), 0.6F, 12.749F, FanDraft::kInduced};
}

/// A reading at the design's own conditions.
constexpr TestReading kAtDesign{14.7F, 65.0F, 80.0F, 105.0F, 78.0F, 1000.0F, 12.749F};

TestReading With(float TestReading::*column, float value) {
    TestReading reading = kAtDesign;
    reading.*column = value;
    return reading;
}

struct LimitCase {
    const char* name;
    TestReading reading;
    UnitSystem units;
    std::string note;  ///< empty: within every limit
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

class TestLimitsTable : public ::testing::TestWithParam<LimitCase> {};

TEST_P(TestLimitsTable, shouldNameEveryLimitPassedWithItsValue) {
    const LimitCase& c = GetParam();
    const std::vector<LimitPassed> passed =
        LimitsPassed(Design(), c.reading, DefaultTestLimits(c.units));
    EXPECT_EQ(DescribeLimitsPassed(passed, c.units), c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Acceptance, TestLimitsTable,
    ::testing::Values(
        LimitCase{"atDesign", kAtDesign, UnitSystem::kUS, ""},
        LimitCase{"wetBulbAtTheLimit", With(&TestReading::wetBulb, 53.0F), UnitSystem::kUS, ""},
        LimitCase{"wetBulbPast", With(&TestReading::wetBulb, 52.9F), UnitSystem::kUS,
                  "outside the test limits: wet bulb 12.1 F below the design, beyond 12 F"},
        // 12 °F is 6.67 K, inside the SI limit of 6.7 K; 12.1 °F is 6.72 K, past it.
        LimitCase{"wetBulbInK", With(&TestReading::wetBulb, 53.0F), UnitSystem::kSI, ""},
        LimitCase{"wetBulbPastInK", With(&TestReading::wetBulb, 52.9F), UnitSystem::kSI,
                  "outside the test limits: wet bulb 6.722 K below the design, beyond 6.7 K"},
        LimitCase{"wetBulb35Below", With(&TestReading::wetBulb, 30.0F), UnitSystem::kUS,
                  "outside the test limits: wet bulb 35 F below the design, beyond 12 F"},
        // A wider range is a larger heat load too.
        LimitCase{"rangeAndLoad", With(&TestReading::hotWater, 111.0F), UnitSystem::kUS,
                  "outside the test limits: range 22.22 % above the design, beyond 20 %; heat "
                  "load 22.22 % above the design, beyond 20 %"},
        LimitCase{"flow", With(&TestReading::waterFlow, 1120.0F), UnitSystem::kUS,
                  "outside the test limits: water flow 12 % above the design, beyond 10 %"},
        LimitCase{"fanInMotorKilowatts", With(&TestReading::fanPower, 9.507F), UnitSystem::kUS,
                  "outside the test limits: fan power 25.43 % below the design, beyond 10 %"},
        LimitCase{"pressure", With(&TestReading::pressure, 14.0F), UnitSystem::kUS,
                  "outside the test limits: barometric pressure 1.425 inHg below the design, "
                  "beyond 1 inHg"},
        LimitCase{"pressureInKPa", With(&TestReading::pressure, 14.0F), UnitSystem::kSI,
                  "outside the test limits: barometric pressure 4.826 kPa below the design, "
                  "beyond 3.4 kPa"},
        LimitCase{"notANumber", With(&TestReading::waterFlow, NAN), UnitSystem::kUS, ""}),
    [](const auto& row) { return std::string(row.param.name); });

struct ParseCase {
    const char* name;
    const char* text;
    UnitSystem units;
    std::string error;
    std::array<double, kTestLimitCount> allowed{};  ///< when read
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseTestLimitsTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTestLimitsTable, shouldReadAnySubsetOrSayWhyNot) {
    const ParseCase& c = GetParam();
    const TestLimitsText parsed = ParseTestLimits(c.text, c.units);
    EXPECT_EQ(parsed.error, c.error);
    if (c.error.empty()) {
        EXPECT_EQ(parsed.limits.allowed, c.allowed);
        EXPECT_EQ(parsed.limits.units, c.units);
    }
}

const std::string kNotALimit = " is not a limit: the limits are twb, range, flow, load, fan and p";

INSTANTIATE_TEST_SUITE_P(
    Acceptance, ParseTestLimitsTable,
    ::testing::Values(
        ParseCase{"all",
                  "twb=12,range=20,flow=10,load=20,fan=10,p=1",
                  UnitSystem::kUS,
                  "",
                  {12, 20, 10, 20, 10, 1}},
        ParseCase{"subsetKeepsTheDefaults", "flow=5", UnitSystem::kUS, "", {12, 20, 5, 20, 10, 1}},
        ParseCase{"siDefaults", " p = 2 ,twb=5", UnitSystem::kSI, "", {5, 20, 10, 20, 10, 2}},
        ParseCase{"empty", "", UnitSystem::kUS,
                  "no limit given: NAME=VALUE separated by commas, NAME one of twb, range, flow, "
                  "load, fan and p"},
        ParseCase{"noValue", "twb", UnitSystem::kUS, "\"twb\" needs a value: NAME=VALUE"},
        ParseCase{"trailingComma", "twb=10,", UnitSystem::kUS, "\"\" needs a value: NAME=VALUE"},
        ParseCase{"unknown", "wind=3", UnitSystem::kUS, "\"wind\"" + kNotALimit},
        ParseCase{"twice", "twb=1,twb=2", UnitSystem::kUS, "twb is given twice"},
        ParseCase{"notANumber", "flow=ten", UnitSystem::kUS, "flow: \"ten\" is not a number"},
        ParseCase{"zero", "fan=0", UnitSystem::kUS, "fan: \"0\" is not above 0 %"},
        ParseCase{"negativeInK", "twb=-1", UnitSystem::kSI, "twb: \"-1\" is not above 0 K"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SpreadOf, shouldGiveTheSpreadAndNoteAReadingThatStandsApart) {
    const std::vector<float> capabilities = {98, 99, 100, 101, 130};
    const CapabilitySpread spread = SpreadOf(capabilities);
    EXPECT_EQ(spread.lowest, 98.0);
    EXPECT_EQ(spread.highest, 130.0);
    EXPECT_EQ(spread.median, 100.0);
    EXPECT_NEAR(spread.standardDeviation, 13.6858, 1e-4);  // sample: 749.2 / 4, its root
    EXPECT_TRUE(StandsApart(130, spread));
    EXPECT_FALSE(StandsApart(98, spread));
    EXPECT_EQ(DescribeSpread(spread),
              "spread of 5 readings: lowest 98 %, highest 130 %, sample standard deviation "
              "13.69 %");
    EXPECT_EQ(DescribeStandingApart(130, spread),
              "stands apart: 20 scaled median absolute deviations from the readings' median "
              "capability of 100 %");
}

TEST(SpreadOf, shouldNoteNothingWithoutAScale) {
    const CapabilitySpread one = SpreadOf(std::vector<float>{100});
    EXPECT_TRUE(std::isnan(one.standardDeviation));
    EXPECT_FALSE(StandsApart(100, one));
    // Three of four readings equal: the median absolute deviation is zero.
    const CapabilitySpread equal = SpreadOf(std::vector<float>{100, 100, 100, 120});
    EXPECT_FALSE(StandsApart(120, equal));
    EXPECT_EQ(DescribeSpread(one), "spread of 1 reading: lowest 100 %, highest 100 %");
    EXPECT_EQ(DescribeSpread(SpreadOf({})), "");
}

// A reading both refused and outside the limits says both, the refusal first; a fair reading
// that was evaluated has no note.
TEST(ReadingNote, shouldGiveTheRefusalThenTheLimits) {
    const DesignBasis basis = PrepareDesign(Design());
    const TestReading cold = With(&TestReading::wetBulb, 30.0F);
    const std::vector<LimitPassed> passed =
        LimitsPassed(Design(), cold, DefaultTestLimits(UnitSystem::kUS));
    CapabilityEvaluation refused;
    refused.outcome = EvaluationOutcome::kNoRange;
    EXPECT_EQ(ReadingNote(refused, passed, UnitSystem::kUS),
              "not evaluated: the hot water is not above the cold water; outside the test "
              "limits: wet bulb 35 F below the design, beyond 12 F");
    const CapabilityEvaluation fair = EvaluateReading(basis, kAtDesign);
    ASSERT_EQ(fair.outcome, EvaluationOutcome::kEvaluated);
    EXPECT_EQ(ReadingNote(fair, {}, UnitSystem::kUS), "");
}

struct PowerCase {
    const char* text;
    std::string error;
    StatedPower power;
};

class ParseStatedPowerTable : public ::testing::TestWithParam<PowerCase> {};

TEST_P(ParseStatedPowerTable, shouldReadTheUnitOrSayWhyNot) {
    const PowerCase& c = GetParam();
    const StatedPowerText parsed = ParseStatedPower(c.text);
    EXPECT_EQ(parsed.error, c.error);
    EXPECT_EQ(parsed.power.value, c.power.value);
    EXPECT_EQ(parsed.power.unit, c.power.unit);
}

const std::string kPowerForm = " (a power: a number, optionally followed by hp or kW)";

INSTANTIATE_TEST_SUITE_P(
    FanPower, ParseStatedPowerTable,
    ::testing::Values(PowerCase{"12.7hp", "", {12.7F, PowerUnit::kHorsepower}},
                      PowerCase{"9.5kW", "", {9.5F, PowerUnit::kKilowatt}},
                      PowerCase{" 9.5 KW ", "", {9.5F, PowerUnit::kKilowatt}},
                      PowerCase{"12.7", "", {12.7F, PowerUnit::kUnstated}},
                      PowerCase{"12.7W", "\"12.7W\" is not a number" + kPowerForm, {}},
                      PowerCase{"hp", "\"hp\" is not a number" + kPowerForm, {}},
                      PowerCase{"0hp", "\"0hp\" is not above 0", {}},
                      PowerCase{"-3kW", "\"-3kW\" is not above 0", {}}));

TEST(FanPowerColumnUnit, shouldReadTheUnitOfTheHeader) {
    EXPECT_EQ(FanPowerColumnUnit("FanPower"), PowerUnit::kUnstated);
    EXPECT_EQ(FanPowerColumnUnit("FanPower (hp)"), PowerUnit::kHorsepower);
    EXPECT_EQ(FanPowerColumnUnit(" fanpower(KW) "), PowerUnit::kKilowatt);
    EXPECT_EQ(FanPowerColumnUnit("FanPower (W)"), std::nullopt);
    EXPECT_EQ(FanPowerColumnUnit("Flow"), std::nullopt);
}

// Fan power logged in kW against a design in hp: read as hp the tower scores about a tenth too
// high; brought into hp by the one factor, it scores what it scores in hp.
TEST(ReadingsToDesignPower, shouldBringReadingsInKilowattsToAHorsepowerDesign) {
    EXPECT_EQ(ReadingsToDesignPower(PowerUnit::kHorsepower, PowerUnit::kHorsepower), 1.0);
    EXPECT_EQ(ReadingsToDesignPower(PowerUnit::kUnstated, PowerUnit::kKilowatt), 1.0);
    EXPECT_NEAR(ReadingsToDesignPower(PowerUnit::kKilowatt, PowerUnit::kHorsepower), 0.7456998716,
                1e-10);
    AcceptanceDesign design = Design();
    const DesignBasis basis = PrepareDesign(design);
    TestReading reading{14.6F, 60.0F, 75.0F, 99.0215F, 74.0215F, 950.0F, 12.0F};
    const float atDesign = EvaluateReading(basis, reading).capability;
    reading.fanPower = 12.0F * 0.74569987F;  // the same power in kW
    EXPECT_GT(EvaluateReading(basis, reading).capability, atDesign + 5.0F);
    reading.fanPower =
        static_cast<float>(static_cast<double>(reading.fanPower) *
                           ReadingsToDesignPower(PowerUnit::kHorsepower, PowerUnit::kKilowatt));
    EXPECT_NEAR(EvaluateReading(basis, reading).capability, atDesign, 1e-4F);
}

}  // namespace
}  // namespace veltrane
