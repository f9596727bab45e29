#pragma once
// Which input each field of a data row holds: the twelve inputs in index order, or the columns
// a header row names.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design_sets.h"

namespace veltrane::cli {

/// The caption of the column the calculator adds with --check, --tower or --totals.
inline constexpr std::string_view kNotesCaption = "Notes";

/// The optional input column of weather bins: hours per year at the row's weather.
inline constexpr std::string_view kHoursCaption = "Hours";

/// What a row with Hours adds after its results, in this order.
enum BinColumn : std::size_t {
    kEvaporationVolume,
    kBlowdownVolume,
    kDriftVolume,
    kMakeupVolume,
    kFanEnergy,
    kBinColumnCount,
};
inline constexpr std::array<std::string_view, kBinColumnCount> kBinColumnCaptions = {
    "Evaporation (gal)", "Blowdown (gal)", "Drift (gal)", "Makeup (gal)", "Fan Energy (kWh)"};

/// The input named by its short name or its caption, in any case, blanks around it ignored.
std::optional<Input> FindInput(std::string_view name);

/// Where each input stands in a data row.
struct ColumnLayout {
    static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

    std::size_t fieldCount = kInputCount;
    /// Field of each input, or kAbsent when the input takes its default.
    InputArray<std::size_t> fieldOfInput{};
    /// Field of Hours, or kAbsent when the rows have none.
    std::size_t fieldOfHours = kAbsent;

    /// The twelve inputs, one per field, in index order.
    static ColumnLayout Positional();
};

/// True when the fields name at least one column the calculator knows: an input, Hours, a result
/// or another column of its own output, or the notes. A first row that does is a header.
bool NamesAnyColumn(const std::vector<std::string_view>& fields);

/// The layout a header row gives. Result columns, the bin columns and Notes, which the
/// calculator itself writes, are passed over so that its output can be read back. On a name that is
/// unknown, empty or repeated, `error` says which and nothing is returned.
std::optional<ColumnLayout> LayoutFromHeader(const std::vector<std::string_view>& names,
                                             std::string& error);

/// Text for a message: at most a few dozen characters, bytes that are not printable ASCII as
/// \xNN, in double quotes.
std::string QuoteForMessage(std::string_view text);

}  // namespace veltrane::cli
