#pragma once
// The columns a batch mode reads: what each holds, in which unit, and how a field becomes the
// number the engine takes (by the engine's unit conversions, units.h). Every field is converted
// here, at the edge, so that a mode sees numbers in the engine's units only.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "units.h"

namespace veltrane::cli {

/// What an empty cell means.
enum class EmptyCell {
    kRefused,  ///< "is not a number", like any field that is not a number
    kAbsent,   ///< the row has no value in this column
};

struct ColumnDefinition {
    std::string_view shortName;  ///< the name in headers and messages ("Twb")
    /// The long name a header may use instead, and what the column measures (absolute
    /// temperature, temperature difference, pressure, water flow, percentage, hours, power...),
    /// which fixes its unit in each unit system.
    Caption caption;
    /// The text of the value a row takes when the file has no such column; empty when the
    /// column is optional and a row without it has no value.
    std::string_view defaultText;
    /// True when a file without a header row holds this column, in the order the columns are
    /// declared; false for a column that only a header can name.
    bool positional = true;
    EmptyCell emptyCell = EmptyCell::kRefused;
    bool notNegative = false;  ///< a negative value is refused ("is negative")
    /// The default in SI units, converting to the same value as defaultText; empty when the
    /// text is the same in both systems.
    std::string_view siDefaultText{};
    /// True when a header may follow the short name with a unit in parentheses
    /// ("FanPower (kW)"): the mode reads it (RowReader::HeaderName) and says which it takes.
    bool unitInHeader = false;

    [[nodiscard]] constexpr Quantity Measures() const { return caption.quantity; }

    /// The long name in `units`.
    [[nodiscard]] std::string LongName(UnitSystem units) const {
        return CaptionText(caption, units);
    }

    /// The text of the default in `units`.
    [[nodiscard]] constexpr std::string_view DefaultText(UnitSystem units) const {
        return units == UnitSystem::kSI && !siDefaultText.empty() ? siDefaultText : defaultText;
    }

    /// A column every row must give: no default, and an empty cell is refused.
    [[nodiscard]] constexpr bool Required() const {
        return defaultText.empty() && emptyCell == EmptyCell::kRefused;
    }
};

/// The value of a field in `units`' unit of the column, taken to the engine's unit: `text` is the
/// field, `read` its value as ReadInputNumber gave it. With US units `read` passes through bit
/// for bit; in another system the text is converted in double precision and rounded once.
float ToEngineUnits(UnitSystem units, const ColumnDefinition& column, std::string_view text,
                    float read);

/// The column named by its short name or its caption in `units`, in any case, blanks around it
/// ignored; the number of columns when none is.
std::size_t FindColumn(std::span<const ColumnDefinition> columns, std::string_view name,
                       UnitSystem units = UnitSystem::kUS);

/// True when the two texts are the same but for the case of ASCII letters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace veltrane::cli
