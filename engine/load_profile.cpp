#include "load_profile.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace veltrane {
namespace {

constexpr std::size_t kFieldsPerRow = 3;
constexpr std::size_t kMonthColumn = 0;
constexpr std::size_t kHourColumn = 1;
constexpr std::size_t kLoadColumn = 2;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

template <typename Number>
std::optional<Number> Parsed(std::string_view field) {
    const std::string_view text = Trimmed(field);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsCaptionRow(std::span<const std::string_view> fields) {
    const std::string_view first = Trimmed(fields[kMonthColumn]);
    constexpr std::string_view kCaption = "month";
    if (first.size() != kCaption.size()) return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const char c = first[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kCaption[i]) {
            return false;
        }
    }
    return true;
}

std::size_t SlotOf(int month, int hour) {
    const auto monthIndex = static_cast<std::size_t>(month - 1);
    const auto hourIndex = static_cast<std::size_t>(hour - 1);
    return monthIndex * static_cast<std::size_t>(kLoadProfileHours) + hourIndex;
}

std::string MonthHour(int month, int hour) {
    return "month " + std::to_string(month) + " hour " + std::to_string(hour);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(Trimmed(text)) + "\"";
}

}  // namespace

std::string LoadPercentProblem(double percent) {
    if (!std::isfinite(percent)) return "the load is not a number";
    if (percent <= 0.0) return "the load must be above 0 %";
    if (percent > static_cast<double>(std::numeric_limits<float>::max())) {
        return "the load is too large";
    }
    return {};
}

LoadProfile::LoadProfile(float percent) noexcept {
    percent_.fill(percent);
}

float LoadProfile::PercentAt(int month, int hour) const noexcept {
    if (month < 1 || month > kLoadProfileMonths || hour < 1 || hour > kLoadProfileHours) {
        return 0.0F;
    }
    return percent_[SlotOf(month, hour)];
}

void LoadProfileReader::Refuse(std::string message) {
    ++errorCount_;
    if (errors_.size() < kMostLoadProfileErrors) errors_.push_back(std::move(message));
}

void LoadProfileReader::AddRow(std::size_t line, std::span<const std::string_view> fields) {
    const bool first = !anyRow_;
    anyRow_ = true;
    const std::string at = "line " + std::to_string(line) + ": ";
    if (fields.size() != kFieldsPerRow) {
        Refuse(at + std::to_string(fields.size()) +
               " fields; a load row has 3 (Month, Hour, Load)");
        return;
    }
    if (first && IsCaptionRow(fields)) return;

    const auto month = Parsed<int>(fields[kMonthColumn]);
    const auto hour = Parsed<int>(fields[kHourColumn]);
    const auto load = Parsed<double>(fields[kLoadColumn]);
    if (!month || *month < 1 || *month > kLoadProfileMonths) {
        return Refuse(at + "Month " + Quoted(fields[kMonthColumn]) +
                      " is not a whole number from 1 to 12");
    }
    if (!hour || *hour < 1 || *hour > kLoadProfileHours) {
        return Refuse(at + "Hour " + Quoted(fields[kHourColumn]) +
                      " is not a whole number from 1 to 24 (the hour ending)");
    }
    if (!load) return Refuse(at + "Load " + Quoted(fields[kLoadColumn]) + " is not a number");
    if (const std::string problem = LoadPercentProblem(*load); !problem.empty()) {
        return Refuse(at + "Load " + Quoted(fields[kLoadColumn]) + ": " + problem);
    }

    std::size_t& givenOn = givenOnLine_[SlotOf(*month, *hour)];
    if (givenOn != 0) {
        return Refuse(at + MonthHour(*month, *hour) + " is given again (first on line " +
                      std::to_string(givenOn) + ")");
    }
    givenOn = line;
    profile_.percent_[SlotOf(*month, *hour)] = static_cast<float>(*load);
}

std::optional<LoadProfile> LoadProfileReader::Finish() {
    std::size_t missing = 0;
    std::string firstMissing;
    for (int month = 1; month <= kLoadProfileMonths; ++month) {
        for (int hour = 1; hour <= kLoadProfileHours; ++hour) {
            if (givenOnLine_[SlotOf(month, hour)] != 0) continue;
            if (missing++ == 0) firstMissing = MonthHour(month, hour);
        }
    }
    if (missing == 1) Refuse(firstMissing + " has no load");
    if (missing > 1) {
        Refuse(firstMissing + " has no load, nor have " + std::to_string(missing - 1) +
               " other month-hours (a profile gives all 12 × 24)");
    }
    if (errorCount_ != 0) return std::nullopt;
    return profile_;
}

}  // namespace veltrane
