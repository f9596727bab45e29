#include "verdict.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrane {
namespace {

TEST(Verdict, shouldNeverWriteADeficientCapabilityAsFull) {
    const struct {
        float capability;
        float deviation;  ///< °F
        UnitSystem units;
        bool meets;
        const char* text;
    } cases[] = {
        {100.0F, 0.0F, UnitSystem::kUS, true, "meets the design"},
        {104.37F, -0.4F, UnitSystem::kUS, true, "meets the design"},
        {99.99F, 0.004F, UnitSystem::kUS, false,
         "deficient: capability 99.99 %, cold water within 0.005 °F of what the design tower "
         "predicts at the test conditions"},
        {99.996F, 0.01F, UnitSystem::kUS, false,
         "deficient: capability 99.996 %, cold water 0.01 °F warmer than the design tower "
         "predicts at the test conditions"},
        {std::nextafter(100.0F, 0.0F), 0.0F, UnitSystem::kUS, false,
         "deficient: capability 99.99999 %, cold water within 0.005 °F of what the design "
         "tower predicts at the test conditions"},
        {93.16F, 1.0F, UnitSystem::kUS, false,
         "deficient: capability 93.2 %, cold water 1.00 °F warmer than the design tower "
         "predicts at the test conditions"},
        {93.16F, 1.0F, UnitSystem::kSI, false,
         "deficient: capability 93.2 %, cold water 0.56 K warmer than the design tower "
         "predicts at the test conditions"},
        // The methods can part on a tower near 100 %: the text follows the capability.
        {99.8F, -0.03F, UnitSystem::kUS, false,
         "deficient: capability 99.8 %, cold water 0.03 °F cooler than the design tower "
         "predicts at the test conditions"},
        {NAN, 0.0F, UnitSystem::kUS, false, "no verdict: the mean reading has no capability"},
    };
    for (const auto& c : cases) {
        const Verdict verdict = JudgeCapability(c.capability, c.deviation, c.units);
        EXPECT_EQ(verdict.meetsDesign, c.meets) << c.capability;
        EXPECT_EQ(verdict.text, c.text) << c.capability;
    }
}

TEST(Verdict, shouldLetTheCurvesDecideWhenGivenUnlessAskedOtherwise) {
    using M = AcceptanceMethod;
    const struct {
        bool curvesGiven;
        const char* asked;  ///< --method's text, or nothing
        std::optional<M> deciding;
    } cases[] = {
        {false, nullptr, M::kCharacteristic},
        {true, nullptr, M::kCurves},
        {true, "characteristic", M::kCharacteristic},
        {true, "curves", M::kCurves},
        {false, "curves", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<M> asked =
            c.asked ? ParseAcceptanceMethod(c.asked) : std::optional<M>{};
        EXPECT_EQ(DecidingMethod(c.curvesGiven, asked), c.deciding)
            << c.curvesGiven << " " << (c.asked ? c.asked : "-");
    }
    EXPECT_FALSE(ParseAcceptanceMethod("Curves"));
}

}  // namespace
}  // namespace veltrane
