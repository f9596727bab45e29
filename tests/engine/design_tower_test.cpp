#include "design_tower.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

DesignInputs DefaultsAtLiquidGas(float liquidGas) {
    DesignInputs design = DefaultDesignInputs();
    design[Input::kLiquidGas] = liquidGas;
    return design;
}

TEST(DesignTower, shouldPassThroughTheDesignPointSoThatRatingGivesTheDesignBack) {
    struct Case {
        float liquidGas;
        float m;
        const char* c;  ///< seven figures of KaV/L_d · (L/G_d)^m
    };
    // At L/G 1 the slope does not move C: it is the design's KaV/L, 1.832368. Elsewhere C is the
    // KaV/L that veltrane-calc gives at that L/G (1.6039964 at 0.8, 1.3653091 at 0.5) times
    // (L/G)^m.
    const Case cases[] = {
        {1.0f, 0.6f, "1.832368"},
        {1.0f, 0.0f, "1.832368"},
        {0.8f, 0.6f, "1.402999"},
        {0.5f, 0.75f, "0.8118176"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "L/G " << c.liquidGas << ", m " << c.m);
        const DesignInputs design = DefaultsAtLiquidGas(c.liquidGas);
        const std::optional<TowerCharacteristic> tower = TowerThroughDesignPoint(design, c.m);
        ASSERT_TRUE(tower);
        EXPECT_EQ(Seven(tower->c), c.c);
        EXPECT_EQ(tower->m, c.m);
        // The tower delivers the design's demand at the design's L/G: rated there, it runs at
        // the design's approach (to the search's resolution of the approach).
        const Rating rating = RateDesign(design, *tower);
        ASSERT_EQ(rating.outcome, RatingOutcome::kRated);
        EXPECT_NEAR(rating.inputs[Input::kApproach], 13.0f, 1e-3f);
    }
}

TEST(DesignTower, shouldGiveNoTowerWhereTheDesignHasNoDemandOrTheSlopeIsUnusable) {
    // At L/G 2 the default design's air line crosses the saturation curve: KaV/L -11.73 is no
    // demand, and no tower passes through it.
    EXPECT_FALSE(TowerThroughDesignPoint(DefaultsAtLiquidGas(2.0f), 0.6f));
    EXPECT_FALSE(TowerThroughDesignPoint(DefaultDesignInputs(), -0.1f));
    EXPECT_FALSE(TowerThroughDesignPoint(DefaultDesignInputs(), std::nanf("")));
}

}  // namespace
}  // namespace veltrane
