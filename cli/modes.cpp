// The modes and the options each takes. A mode is chosen by its option (the last of
// ModeSettings whose option is given); an option that the chosen mode would not use is refused,
// so that no option is silently ignored.
#include <algorithm>
#include <array>
#include <utility>

#include "batch_mode.h"
#include "calc_options.h"

namespace veltrane::cli {
namespace {

/// Which options each mode takes: the names of the modes that take it. An option may have
/// several lines, so that a mode lists what it takes in one place.
/// --help and --version end the line before any mode runs.
struct OptionUse {
    std::string_view option;
    std::string_view modes;  ///< mode names separated by blanks
};

constexpr std::string_view kDesignModes = "calculate rate fan";

constexpr std::array kOptionUses = {
    OptionUse{"--raw", "calculate rate fan acceptance"},
    OptionUse{"--check", kDesignModes},
    OptionUse{"--defaults", "calculate rate fan acceptance"},
    OptionUse{"--units", "calculate rate fan fit acceptance"},
    OptionUse{"--sweep", kDesignModes},
    OptionUse{"--tower", "rate fan"},
    OptionUse{"--totals", "calculate rate fan acceptance"},
    OptionUse{"--trace", "calculate rate fan acceptance"},
    OptionUse{"--exit-air", kDesignModes},
    OptionUse{"--setpoint", "fan"},
    OptionUse{"--fan", "fan"},
    OptionUse{"--motor-efficiency", kDesignModes},
    OptionUse{"--drive-efficiency", "fan"},
    OptionUse{"--chart", kDesignModes},
    OptionUse{"--demand", kDesignModes},
    OptionUse{"--approaches", kDesignModes},
    OptionUse{"--lg", kDesignModes},
    OptionUse{"--label-crossings", kDesignModes},
    OptionUse{"--acceptance", "acceptance"},
    OptionUse{"--slope", "calculate rate fit acceptance"},
    OptionUse{"--design-fan-power", "acceptance"},
    OptionUse{"--draft", "acceptance"},
    OptionUse{"--test-limits", "acceptance"},
    OptionUse{"--curves", kDesignModes},
    OptionUse{"--curves-csv", kDesignModes},
    OptionUse{"--wet-bulbs", kDesignModes},
    OptionUse{"--fit", "fit"},
    OptionUse{"--maker-curves", "acceptance"},
    OptionUse{"--method", "acceptance"},
    OptionUse{"--report", "acceptance"},
    OptionUse{"--title", "acceptance"},
    OptionUse{"--field", "acceptance"},
    OptionUse{"--paper", "acceptance"},
    OptionUse{"--fit-rows", "fit"},
    // A year from a weather file: the design and fan options, and its own.
    OptionUse{"--weather", "weather"},
    OptionUse{"--load", "weather"},
    OptionUse{"--monthly", "weather"},
    OptionUse{"--raw", "weather"},
    OptionUse{"--defaults", "weather"},
    OptionUse{"--units", "weather"},
    OptionUse{"--tower", "weather"},
    OptionUse{"--totals", "weather"},
    OptionUse{"--trace", "weather"},
    OptionUse{"--exit-air", "weather"},
    OptionUse{"--setpoint", "weather"},
    OptionUse{"--fan", "weather"},
    // A study stands for the design a run starts from; a fit starts from measured rows alone.
    OptionUse{"--study", "calculate rate fan acceptance weather"},
    OptionUse{"--decimal-comma", "calculate rate fan fit acceptance weather"},
};

/// True when `word` is one of the blank-separated words of `list`.
bool HasWord(std::string_view list, std::string_view word) {
    while (!list.empty()) {
        const std::size_t blank = std::min(list.find(' '), list.size());
        if (list.substr(0, blank) == word) return true;
        list.remove_prefix(std::min(blank + 1, list.size()));
    }
    return false;
}

template <std::size_t... kIndex>
ChosenMode LastChosen(const CalcOptions& options, std::index_sequence<kIndex...>) {
    ChosenMode chosen;
    const auto consider = [&]<typename Settings>(Settings*) {
        if (Settings::ChosenBy(options)) chosen = {Settings::kName, Settings::kOption};
    };
    (consider(static_cast<std::variant_alternative_t<kIndex, ModeSettings>*>(nullptr)), ...);
    return chosen;
}

template <typename Settings>
std::optional<ModeSettings> SettingsOf(const CalcOptions& options, std::string& error) {
    std::optional<Settings> settings = Settings::From(options, error);
    if (!settings) return std::nullopt;
    return ModeSettings{std::move(*settings)};
}

template <std::size_t... kIndex>
std::optional<ModeSettings> ChosenSettings(const CalcOptions& options, std::string& error,
                                           std::index_sequence<kIndex...>) {
    const ChosenMode chosen = ModeChosenBy(options);
    std::optional<ModeSettings> settings;
    const auto read = [&]<typename Settings>(Settings*) {
        if (Settings::kName == chosen.name) settings = SettingsOf<Settings>(options, error);
    };
    (read(static_cast<std::variant_alternative_t<kIndex, ModeSettings>*>(nullptr)), ...);
    return settings;
}

constexpr auto kModeIndices = std::make_index_sequence<std::variant_size_v<ModeSettings>>();

}  // namespace

ChosenMode ModeChosenBy(const CalcOptions& options) {
    return LastChosen(options, kModeIndices);
}

std::optional<ModeSettings> ModeSettingsFrom(const CalcOptions& options, std::string& error) {
    return ChosenSettings(options, error, kModeIndices);
}

std::unique_ptr<BatchMode> MakeMode(const ModeContext& context) {
    return std::visit([&]<typename Settings>(const Settings&) { return Settings::Make(context); },
                      context.settings.mode);
}

bool ModeTakesOption(std::string_view mode, std::string_view option) {
    return std::any_of(kOptionUses.begin(), kOptionUses.end(), [&](const OptionUse& u) {
        return u.option == option && HasWord(u.modes, mode);
    });
}

}  // namespace veltrane::cli
