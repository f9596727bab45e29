#include "input_columns.h"

#include <algorithm>
#include <cstdio>

#include "columns.h"
#include "number_text.h"

namespace veltrane::cli {
namespace {

constexpr std::size_t kMessageTextLimit = 40;

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
