#include "chart_text.h"

#include <QRegularExpression>

#include <cstdio>

namespace veltrane::chart {

namespace {
const char* const kFontFamily = "DejaVu Sans";
}  // namespace

QFont ChartFont(int pixels, bool bold) {
    QFont font(QString::fromLatin1(kFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString Number(double value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    QString text = QString::fromLatin1(buffer);
    static const QRegularExpression kLongExponent(QStringLiteral("e\\+?(-?)0*(\\d)"));
    return text.replace(kLongExponent, QStringLiteral("e\\1\\2"));
}

QString Degrees(double value, int digits) {
    return Number(value, digits) + QStringLiteral(" °F");
}

QString Fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

}  // namespace veltrane::chart
