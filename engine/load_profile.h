#pragma once
// The plant's heat load over the year, % of the design's: one figure for every hour, or a
// typical day for each month, 12 × 24 figures given as rows of Month (1 to 12), Hour (1 to 24,
// the hour ending, as weather files count it) and Load (%). The rows come already split into
// fields, one at a time, so that any reader of comma-separated text can hand them on.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

inline constexpr int kLoadProfileMonths = 12;
inline constexpr int kLoadProfileHours = 24;
/// One load for each hour of each month's typical day.
inline constexpr std::size_t kLoadProfileSlots = std::size_t{12} * std::size_t{24};
/// Errors kept by a load profile reader; the rest are counted.
inline constexpr std::size_t kMostLoadProfileErrors = 20;

/// Why a load cannot be used, empty when it can: it must be a finite number above 0 % (a plant
/// that is off has no hour to rate).
std::string LoadPercentProblem(double percent);

class LoadProfile {
  public:
    /// Every hour at `percent` of the design's load (check it with LoadPercentProblem).
    explicit LoadProfile(float percent = 100.0F) noexcept;

    /// The load of month 1 to 12 at hour 1 to 24, %; 0 for any other month or hour.
    [[nodiscard]] float PercentAt(int month, int hour) const noexcept;

  private:
    friend class LoadProfileReader;
    std::array<float, kLoadProfileSlots> percent_{};
};

/// Builds a LoadProfile from its rows: an optional first row of captions (its first field
/// "Month"), then one row a month-hour. Refuses rows of other than three fields, a month or hour
/// that is not a whole number in range, a load that is not a number above 0, a month-hour given
/// twice and, at the end, any month-hour not given.
class LoadProfileReader {
  public:
    /// Takes the row that starts on `line` (counted from 1).
    void AddRow(std::size_t line, std::span<const std::string_view> fields);
    /// The profile when every month-hour was given once and every row was sound.
    [[nodiscard]] std::optional<LoadProfile> Finish();
    /// "line 4: Load \"x\" is not a number", in the order met, at most kMostLoadProfileErrors.
    [[nodiscard]] const std::vector<std::string>& Errors() const noexcept { return errors_; }
    /// Every error, those not kept included.
    [[nodiscard]] std::size_t ErrorCount() const noexcept { return errorCount_; }

  private:
    void Refuse(std::string message);

    LoadProfile profile_;
    std::array<std::size_t, kLoadProfileSlots> givenOnLine_{};
    std::vector<std::string> errors_;
    std::size_t errorCount_ = 0;
    bool anyRow_ = false;
};

}  // namespace veltrane
