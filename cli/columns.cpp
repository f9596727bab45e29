#include "columns.h"

#include <algorithm>

#include "number_text.h"

namespace veltrane::cli {
namespace {

/// "NAME (UNIT)": the short name, blanks, then a unit in parentheses.
bool NamesWithUnit(std::string_view name, std::string_view shortName) {
    if (name.size() <= shortName.size() ||
        !EqualIgnoringCase(name.substr(0, shortName.size()), shortName))
        return false;
    const std::string_view unit = TrimBlanks(name.substr(shortName.size()));
    return unit.size() > 2 && unit.front() == '(' && unit.back() == ')';
}

}  // namespace

float ToEngineUnits(UnitSystem units, const ColumnDefinition& column, std::string_view text,
                    float read) {
    if (units == UnitSystem::kUS) return read;
    return InputFromUnits(column.Measures(), units, ReadAcceptedNumberAsDouble(text));
}

std::size_t FindColumn(std::span<const ColumnDefinition> columns, std::string_view name,
                       UnitSystem units) {
    name = TrimBlanks(name);
    const auto named = [&](const ColumnDefinition& column) {
        return EqualIgnoringCase(name, column.shortName) ||
               EqualIgnoringCase(name, column.LongName(units)) ||
               (column.unitInHeader && NamesWithUnit(name, column.shortName));
    };
    return static_cast<std::size_t>(std::find_if(columns.begin(), columns.end(), named) -
                                    columns.begin());
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace veltrane::cli
