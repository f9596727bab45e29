#pragma once
// Fitting the window and its charts to the screen they are on: a window restored from another
// screen (or at another scale) comes back whole on this one, and a chart's text stays readable
// however small or large its widget is dragged.

#include <QRect>
#include <QScrollArea>
#include <QSize>
#include <QSizeF>
#include <QTransform>

namespace veltrane::performance {

/// The chart's body text (11 canvas pixels) on screen, points: below this it is no longer read,
/// above it a maximised window shouts.
inline constexpr double kLeastChartTextPoints = 6.0;
inline constexpr double kMostChartTextPoints = 12.0;

/// Where a window asked to stand at `wanted` goes on a screen whose free area is `available`:
/// no larger than the area, and moved (not shrunk further) until it lies wholly on it.
QRect FitToScreen(const QRect& wanted, const QRect& available);

/// The scale from a chart's canvas to a widget of `size` at `dpi` logical dots per inch: fitted
/// to the widget, within the scales that keep the body text between the least and the most
/// points.
double ReadableChartScale(const QSizeF& size, const QSizeF& canvas, double dpi);

/// The canvas mapped onto the widget at the readable scale, centred where it is smaller.
QTransform ReadableCanvasToDevice(const QSizeF& size, const QSizeF& canvas, double dpi);

/// The least size at which a chart of `canvas` shows its text at the least readable points.
QSize LeastReadableSize(const QSizeF& canvas, double dpi);

/// `content` in a frameless scroll area that resizes it: scroll bars appear only when the space
/// given is below the content's minimum size.
QScrollArea* InScrollArea(QWidget* content, QWidget* parent);

}  // namespace veltrane::performance
