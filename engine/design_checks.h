#pragma once
// The checks made of a design around its calculation: a small approach asks, a wet bulb above
// the dry bulb refuses, a negative range refuses, a KaV/L below 0.2 or above 5 asks. The
// thresholds, the texts and the decisions live here; the window decides only when each box
// appears and where the user is sent, and the batch calculator writes the notes.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "design_sets.h"
#include "performance.h"

namespace veltrane {

/// The checks in the order the window makes them.
enum class DesignCheck : std::size_t {
    kLowApproach,          ///< asked before the calculation
    kWetBulbAboveDryBulb,  ///< refused before the calculation
    kNegativeRange,        ///< refused after the calculation
    kLowKaVL,              ///< asked after the calculation
    kHighKaVL,             ///< asked after the calculation
};

inline constexpr std::size_t kDesignCheckCount = 5;

/// Whether the user is asked (Yes and No) or told the design cannot be used (OK alone).
enum class CheckKind { kQuestion, kRefusal };

struct DesignCheckDefinition {
    DesignCheck index;
    CheckKind kind;
    /// States what was found: the head of the window's message and the batch calculator's note.
    std::string_view finding;
    /// What the window's message adds after the finding: its question, or nothing.
    std::string_view question;
    /// The input the user is sent back to (on a refusal, or on Yes to a KaV/L question).
    Input inputToCorrect;
};

inline constexpr float kApproachThreshold = 7.0F;  // °F; at or below it the user is asked
inline constexpr float kLowKaVL = 0.2F;            // below it (strictly) the user is asked
inline constexpr float kHighKaVL = 5.0F;           // above it (strictly) the user is asked

// The program's own texts, misspellings included ("Apporach"); "\r\n" starts a new line.
inline constexpr std::string_view kAdjustApproachQuestion = " Do You Want to Adjust Apporach?";

inline constexpr IndexedArray<DesignCheck, DesignCheckDefinition, kDesignCheckCount> kDesignChecks{
    {{
        {DesignCheck::kLowApproach, CheckKind::kQuestion,
         "Normally Approach Should be Greater Than 7 F", "\r\nDo You Want to Continue?",
         Input::kApproach},
        {DesignCheck::kWetBulbAboveDryBulb, CheckKind::kRefusal,
         "Wet Bulb Must Be Less Than Dry Bulb", "", Input::kWetBulb},
        {DesignCheck::kNegativeRange, CheckKind::kRefusal,
         "Temp Rise Cannot Be Negative. Lower the Approach or Raise Thot.", "", Input::kHotWater},
        {DesignCheck::kLowKaVL, CheckKind::kQuestion, "KAVL < 0.2", kAdjustApproachQuestion,
         Input::kApproach},
        {DesignCheck::kHighKaVL, CheckKind::kQuestion, "KAVL > 5", kAdjustApproachQuestion,
         Input::kApproach},
    }}};

static_assert(detail::EntriesInIndexOrder(kDesignChecks));

/// The text of the window's message for a check: the finding, then its question.
[[nodiscard]] std::string PromptOf(DesignCheck check);

// Before the calculation, on the inputs as read from their boxes.
[[nodiscard]] bool AsksAboutApproach(float approach) noexcept;
[[nodiscard]] bool RefusesWetBulb(float wetBulb, float dryBulb) noexcept;

// After the calculation, on its results. A KaV/L that is not a number asks neither question.
[[nodiscard]] bool RefusesRange(float range) noexcept;
[[nodiscard]] bool AsksLowKaVL(float kaVL) noexcept;
[[nodiscard]] bool AsksHighKaVL(float kaVL) noexcept;

/// The checks a design meets, in the window's order, as far as the window would go with every
/// question answered so that the run goes on: nothing follows a refusal.
struct DesignFindings {
    std::array<DesignCheck, kDesignCheckCount> checks{};
    std::size_t count = 0;

    [[nodiscard]] auto begin() const noexcept { return checks.begin(); }
    [[nodiscard]] auto end() const noexcept {
        return checks.begin() + static_cast<std::ptrdiff_t>(count);
    }
    [[nodiscard]] bool empty() const noexcept { return count == 0; }
};

[[nodiscard]] DesignFindings FindDesignChecks(const DesignInputs& inputs,
                                              const PerformanceResults& results) noexcept;

/// The batch calculator's note on a design whose KaV/L is no demand. The window has no such
/// check and shows nothing of it.
inline constexpr std::string_view kNoDrivingForceNote =
    "a driving force is zero or negative: the air line reaches the saturation curve and the "
    "KaV/L has no meaning";

/// Whether a design's KaV/L deserves kNoDrivingForceNote: the window got as far as its KaV/L
/// checks (no refusal among `findings`) and a driving force of the design is zero or negative.
[[nodiscard]] bool KaVLHasNoMeaning(const DesignInputs& inputs,
                                    const DesignFindings& findings) noexcept;

}  // namespace veltrane
