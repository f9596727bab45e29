#pragma once
// The window layout is given in twips (1/1440 inch). Qt places widgets in device-independent
// pixels of 1/96 inch, so one pixel is fifteen twips; scaling to the screen's real density stays
// Qt's job.

#include <QRect>
#include <QSize>

namespace veltrane::ui {

inline constexpr int kTwipsPerPixel = 15;

/// Nearest device-independent pixel of a twip distance (the layout uses non-negative values).
constexpr int TwipsToPixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

inline QSize TwipSize(int width, int height) {
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

inline QRect TwipRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace veltrane::ui
