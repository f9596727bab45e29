#include "input_columns.h"

#include <algorithm>
#include <cstdio>

#include "number_text.h"

namespace veltrane::cli {
namespace {

constexpr std::size_t kMessageTextLimit = 40;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

/// A column the calculator writes itself and passes over when it reads.
bool IsOutputColumn(std::string_view name) {
    name = TrimBlanks(name);
    if (EqualIgnoringCase(name, kNotesCaption)) return true;
    const auto named = [&](std::string_view caption) { return EqualIgnoringCase(name, caption); };
    if (std::any_of(kBinColumnCaptions.begin(), kBinColumnCaptions.end(), named)) return true;
    return std::any_of(kResults.begin(), kResults.end(), [&](const ResultDefinition& entry) {
        return EqualIgnoringCase(name, entry.caption);
    });
}

bool IsHoursColumn(std::string_view name) {
    return EqualIgnoringCase(TrimBlanks(name), kHoursCaption);
}

}  // namespace

std::optional<Input> FindInput(std::string_view name) {
    name = TrimBlanks(name);
    for (const InputDefinition& entry : kInputs) {
        if (EqualIgnoringCase(name, entry.shortName) || EqualIgnoringCase(name, entry.caption)) {
            return entry.index;
        }
    }
    return std::nullopt;
}

ColumnLayout ColumnLayout::Positional() {
    ColumnLayout layout;
    for (const Input input : kAllInputs)
        layout.fieldOfInput[input] = PositionOf(input);
    return layout;
}

bool NamesAnyColumn(const std::vector<std::string_view>& fields) {
    return std::any_of(fields.begin(), fields.end(), [](std::string_view field) {
        return FindInput(field).has_value() || IsHoursColumn(field) || IsOutputColumn(field);
    });
}

std::optional<ColumnLayout> LayoutFromHeader(const std::vector<std::string_view>& names,
                                             std::string& error) {
    ColumnLayout layout;
    layout.fieldCount = names.size();
    layout.fieldOfInput.items.fill(ColumnLayout::kAbsent);
    for (std::size_t field = 0; field < names.size(); ++field) {
        const std::string_view name = TrimBlanks(names[field]);
        if (name.empty()) {
            error = "column " + std::to_string(field + 1) + " has no name";
            return std::nullopt;
        }
        if (IsOutputColumn(name)) continue;
        if (IsHoursColumn(name)) {
            if (layout.fieldOfHours != ColumnLayout::kAbsent) {
                error = "column " + QuoteForMessage(name) + " repeats Hours";
                return std::nullopt;
            }
            layout.fieldOfHours = field;
            continue;
        }
        const std::optional<Input> input = FindInput(name);
        if (!input) {
            error = "unknown column " + QuoteForMessage(name);
            return std::nullopt;
        }
        if (layout.fieldOfInput[*input] != ColumnLayout::kAbsent) {
            error = "column " + QuoteForMessage(name) + " repeats " +
                    std::string(kInputs[*input].shortName);
            return std::nullopt;
        }
        layout.fieldOfInput[*input] = field;
    }
    return layout;
}

std::string QuoteForMessage(std::string_view text) {
    std::string quoted = "\"";
    const std::size_t shown = std::min(text.size(), kMessageTextLimit);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            quoted += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            quoted += escaped;
        }
    }
    if (shown < text.size()) quoted += "...";
    quoted += '"';
    return quoted;
}

}  // namespace veltrane::cli
