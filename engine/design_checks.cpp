#include "design_checks.h"

#include <algorithm>

namespace veltrane {

std::string PromptOf(DesignCheck check) {
    const DesignCheckDefinition& definition = kDesignChecks[check];
    std::string prompt(definition.finding);
    prompt += definition.question;
    return prompt;
}

bool AsksAboutApproach(float approach) noexcept {
    return approach <= kApproachThreshold;
}

bool RefusesWetBulb(float wetBulb, float dryBulb) noexcept {
    return dryBulb < wetBulb;  // saturated inlet air (equal temperatures) passes
}

bool RefusesRange(float range) noexcept {
    return range < 0.0F;  // a range of exactly 0 passes
}

bool AsksLowKaVL(float kaVL) noexcept {
    return kaVL < kLowKaVL;
}

bool AsksHighKaVL(float kaVL) noexcept {
    return kaVL > kHighKaVL;
}

DesignFindings FindDesignChecks(const DesignInputs& inputs,
                                const PerformanceResults& results) noexcept {
    DesignFindings found;
    const auto add = [&found](DesignCheck check) { found.checks[found.count++] = check; };
    if (AsksAboutApproach(inputs[Input::kApproach])) add(DesignCheck::kLowApproach);
    if (RefusesWetBulb(inputs[Input::kWetBulb], inputs[Input::kDryBulb])) {
        add(DesignCheck::kWetBulbAboveDryBulb);
        return found;
    }
    if (RefusesRange(results.values[Result::kRange])) {
        add(DesignCheck::kNegativeRange);
        return found;
    }
    const float kaVL = results.values[Result::kKaVL];
    if (AsksLowKaVL(kaVL)) add(DesignCheck::kLowKaVL);
    if (AsksHighKaVL(kaVL)) add(DesignCheck::kHighKaVL);
    return found;
}

bool KaVLHasNoMeaning(const DesignInputs& inputs, const DesignFindings& findings) noexcept {
    const bool refused = std::any_of(findings.begin(), findings.end(), [](DesignCheck check) {
        return kDesignChecks[check].kind == CheckKind::kRefusal;
    });
    return !refused && !AllDrivingForcesPositive(CalculateMerkelIntegral(inputs));
}

}  // namespace veltrane
