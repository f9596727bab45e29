#pragma once
// Drawing helpers every chart of the module shares: its font and its short numbers.

#include <QFont>
#include <QString>

#include <cstdio>

namespace veltrane::chart {

/// A face every Linux desktop and the Debian package's dependencies carry.
inline constexpr const char* kChartFontFamily = "DejaVu Sans";

inline QFont ChartFont(int pixels, bool bold = false) {
    QFont font(QString::fromLatin1(kChartFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

/// A short decimal: up to `digits` significant figures, no trailing zeros.
inline QString ChartNumber(double value, int digits = 4) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return QString::fromLatin1(buffer);
}

}  // namespace veltrane::chart
