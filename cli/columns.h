#pragma once
// The columns a batch mode reads: what each holds, in which unit, and how a field becomes the
// number the engine takes. Every field is converted here, at the edge, so that a mode sees
// numbers in the engine's units only.

#include <cstddef>
#include <span>
#include <string_view>

namespace veltrane::cli {

/// What a column measures. A conversion between unit systems depends on it: an absolute
/// temperature is scaled and offset, a temperature difference only scaled, a ratio not at all.
enum class QuantityKind {
    kAbsoluteTemperature,    ///< °F
    kTemperatureDifference,  ///< °F
    kAtmosphericPressure,    ///< psia
    kFanPressure,            ///< inH2O
    kWaterFlow,              ///< US gpm
    kPercentage,             ///< %
    kDimensionless,          ///< a ratio or a count
    kHours,                  ///< hours per year in a weather bin
    kPower,                  ///< hp
};

/// The unit system of the numbers read and written. The engine works in US units.
enum class UnitSystem { kUs };

/// What an empty cell means.
enum class EmptyCell {
    kRefused,  ///< "is not a number", like any field that is not a number
    kAbsent,   ///< the row has no value in this column
};

struct ColumnSpec {
    std::string_view shortName;  ///< the name in headers and messages ("Twb")
    std::string_view caption;    ///< the long name a header may use instead
    std::string_view unit;       ///< the unit as written in the help ("F", "psia"; "" for none)
    QuantityKind kind;
    /// The text of the value a row takes when the file has no such column; empty when the
    /// column is optional and a row without it has no value.
    std::string_view defaultText;
    /// True when a file without a header row holds this column, in the order the columns are
    /// declared; false for a column that only a header can name.
    bool positional = true;
    EmptyCell emptyCell = EmptyCell::kRefused;
    bool notNegative = false;  ///< a negative value is refused ("is negative")

    /// A column every row must give: no default, and an empty cell is refused.
    [[nodiscard]] constexpr bool Required() const {
        return defaultText.empty() && emptyCell == EmptyCell::kRefused;
    }
};

/// The value read from a field, in `system`'s unit of the column, taken to the engine's unit.
/// With US units the value passes through unchanged.
float ToEngineUnits(UnitSystem system, const ColumnSpec& column, float value);

/// The column named by its short name or its caption, in any case, blanks around it ignored;
/// the number of columns when none is.
std::size_t FindColumn(std::span<const ColumnSpec> columns, std::string_view name);

/// True when the two texts are the same but for the case of ASCII letters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace veltrane::cli
