#include "message_text.h"

#include <algorithm>
#include <cstdio>

namespace veltrane {

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

}  // namespace veltrane
