#include "exit_air_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "psychrometrics.h"
#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

constexpr float kP = 14.7F;

float SaturatedEnthalpy(float t) {
    float psat = 0, h = 0;
    EXPECT_EQ(SatAirEnthalpy(t, kP, psat, h), Status::Ok);
    return h;
}

std::vector<float> Mids(const SolverTrace& trace) {
    return {trace.mids.begin(), trace.mids.begin() + trace.iterations};
}

TEST(SolveSatTemperature, shouldReturnTheMidpointAfterTheMoveForTheDefaultDesign) {
    float low = 65.0F, high = 105.0F;
    float psat = 0, ws = 0, t = 0;
    SolverTrace trace;
    ASSERT_EQ(SolveSatTemperature(low, high, 56.83974F, kP, psat, ws, t, &trace), Status::Ok);
    EXPECT_EQ(Mids(trace), (std::vector<float>{85.0F, 95.0F, 90.0F, 92.5F, 91.25F}));
    using enum BracketMove;
    EXPECT_EQ(std::vector<BracketMove>(trace.moves.begin(), trace.moves.begin() + trace.iterations),
              (std::vector<BracketMove>{kUp, kDown, kUp, kDown, kDown}));
    EXPECT_EQ(t, 90.625F);
    // The further outputs belong to the last midpoint tested, 91.25 °F.
    EXPECT_EQ(Seven(psat), "0.7259651");
    EXPECT_EQ(Seven(ws), "0.03231352");
    EXPECT_EQ(low, 65.0F);
    EXPECT_EQ(high, 105.0F);
}

struct SolverCase {
    const char* name;
    float low;
    float high;
    float hTarget;
    float expected;
    std::int16_t iterations;
};

class SolverTable : public ::testing::TestWithParam<SolverCase> {};

TEST_P(SolverTable, shouldEndWhereTheRulesSay) {
    const SolverCase& c = GetParam();
    float psat = 0, ws = 0, t = 0;
    SolverTrace trace;
    ASSERT_EQ(SolveSatTemperature(c.low, c.high, c.hTarget, kP, psat, ws, t, &trace), Status::Ok);
    EXPECT_EQ(t, c.expected);
    EXPECT_EQ(trace.iterations, c.iterations);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, SolverTable,
    ::testing::Values(
        // A zero product leaves the bracket: the first midpoint comes back, not the low end.
        SolverCase{"ZeroResidualAtLowEnd", 65.0F, 105.0F, SaturatedEnthalpy(65.0F), 85.0F, 1},
        SolverCase{"ZeroResidualAtMid", 65.0F, 105.0F, SaturatedEnthalpy(85.0F), 85.0F, 1},
        // No sign change: the search creeps to within the tolerance of the high end.
        SolverCase{"TargetBelowBracket", 65.0F, 105.0F, SaturatedEnthalpy(65.0F) - 5.0F, 104.375F,
                   5},
        SolverCase{"TargetAboveBracket", 65.0F, 105.0F, SaturatedEnthalpy(105.0F) + 5.0F, 104.375F,
                   5},
        SolverCase{"EndsInEitherOrder", 105.0F, 65.0F, 56.83974F, 90.625F, 5},
        // Creeping towards a high end of 0 °F keeps the relative change large: the limit.
        SolverCase{"IterationLimit", -20.0F, 0.0F, SaturatedEnthalpy(0.0F) + 10.0F, -1.0F, 50}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SolveSatTemperature, shouldFaultWhenTheNewMidpointIsExactlyZero) {
    float low = -3.0F, high = 13.0F;
    float psat = -5.0F, ws = -5.0F, t = 123.0F;
    EXPECT_EQ(SolveSatTemperature(low, high, SaturatedEnthalpy(0.0F), kP, psat, ws, t),
              Status::ArithmeticFault);
    EXPECT_EQ(t, 123.0F);
    // The completed iterations wrote the further outputs.
    EXPECT_NE(ws, -5.0F);
    EXPECT_EQ(low, -3.0F);
    EXPECT_EQ(high, 13.0F);
}

/// The search step by step, each iteration asking BracketResidual afresh.
Status ReferenceSearch(float lowEnd, float highEnd, float hTarget, float p, float& psat, float& ws,
                       float& temperature) {
    float low = lowEnd, high = highEnd;
    float mid = static_cast<float>((static_cast<double>(low) + static_cast<double>(high)) / 2.0);
    for (int counter = 1; counter <= 50; ++counter) {
        float product = 0;
        if (BracketResidual(low, mid, hTarget, p, psat, ws, product) != Status::Ok) {
            return Status::ArithmeticFault;
        }
        if (product < 0) high = mid;
        if (product > 0) low = mid;
        const float newMid =
            static_cast<float>((static_cast<double>(low) + static_cast<double>(high)) / 2.0);
        const double change = std::fabs((static_cast<double>(newMid) - static_cast<double>(mid)) /
                                        static_cast<double>(newMid));
        if (std::isnan(change) || std::isinf(change)) return Status::ArithmeticFault;
        if (static_cast<float>(change) < 0.01F) {
            temperature = newMid;
            return Status::Ok;
        }
        mid = newMid;
    }
    temperature = -1.0F;
    return Status::Ok;
}

TEST(SolveSatTemperature, shouldMatchTheSearchThatAsksEveryResidualAfresh) {
    // The search keeps the low end's residual instead of asking for it again: every output,
    // faults included, must be what asking afresh gives.
    const float ends[] = {-400.0F, -20.0F, -3.0F,  0.0F,   13.0F,
                          32.0F,   65.0F,  105.0F, 212.0F, 6000.0F};
    const float targets[] = {-50.0F, 0.0F, 0.8F, 29.98744F, 56.83974F, 120.0F, 1e6F};
    const float pressures[] = {0.5F, 14.7F};
    for (float p : pressures) {
        for (float low : ends) {
            for (float high : ends) {
                for (float h : targets) {
                    float psat1 = -7, ws1 = -7, t1 = -7, psat2 = -7, ws2 = -7, t2 = -7;
                    const Status s1 = SolveSatTemperature(low, high, h, p, psat1, ws1, t1);
                    const Status s2 = ReferenceSearch(low, high, h, p, psat2, ws2, t2);
                    SCOPED_TRACE(::testing::Message()
                                 << low << " " << high << " " << h << " " << p);
                    ASSERT_EQ(s1, s2);
                    EXPECT_EQ(Seven(t1), Seven(t2));
                    EXPECT_EQ(Seven(psat1), Seven(psat2));
                    EXPECT_EQ(Seven(ws1), Seven(ws2));
                }
            }
        }
    }
}

TEST(BracketResidual, shouldMultiplyTheResidualsAndReportTheSecondEnd) {
    float psat = 0, ws = 0, product = 0;
    ASSERT_EQ(BracketResidual(65.0F, 85.0F, 56.83974F, kP, psat, ws, product), Status::Ok);
    const float ra = 56.83974F - SaturatedEnthalpy(65.0F);
    const float rb = 56.83974F - SaturatedEnthalpy(85.0F);
    EXPECT_EQ(product, static_cast<float>(static_cast<double>(rb) * static_cast<double>(ra)));
    float tr = 0, tau = 0, pr = 0, psat85 = 0;
    ASSERT_EQ(SatPressure(85.0F, tr, tau, pr, psat85), Status::Ok);
    EXPECT_EQ(psat, psat85);
}

}  // namespace
}  // namespace veltrane
