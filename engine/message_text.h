#pragma once
// Typed text quoted in a message: what the user wrote, shown so that control bytes and very
// long texts cannot garble a terminal or a note.

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrane {

/// The most bytes of a typed text that a message shows; "..." marks the rest.
inline constexpr std::size_t kMessageTextLimit = 40;

/// The text in double quotes, its first kMessageTextLimit bytes shown: printable ASCII as it
/// is, every other byte and the backslash as \xHH ("a\tb" → "\"a\x09b\"").
std::string QuoteForMessage(std::string_view text);

}  // namespace veltrane
