#pragma once
// The engine keeps its texts as UTF-8 string views; the window shows QStrings.

#include <QString>

#include <string_view>

namespace veltrane::desktop {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace veltrane::desktop
