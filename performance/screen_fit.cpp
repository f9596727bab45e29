#include "screen_fit.h"

#include <QScrollArea>

#include <algorithm>
#include <cmath>

#include "chart_text.h"

namespace veltrane::performance {
namespace {

constexpr double kPointsPerInch = 72.0;

/// The canvas scale at which the body text is `points` on a device of `dpi`.
double ScaleForPoints(double points, double dpi) {
    return points / (static_cast<double>(chart::kTextPixels) * kPointsPerInch / dpi);
}

}  // namespace

QRect FitToScreen(const QRect& wanted, const QRect& available) {
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    fitted.moveLeft(
        std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(
        std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

double ReadableChartScale(const QSizeF& size, const QSizeF& canvas, double dpi) {
    const double fit = std::min(size.width() / canvas.width(), size.height() / canvas.height());
    return std::clamp(fit, ScaleForPoints(kLeastChartTextPoints, dpi),
                      ScaleForPoints(kMostChartTextPoints, dpi));
}

QTransform ReadableCanvasToDevice(const QSizeF& size, const QSizeF& canvas, double dpi) {
    const double scale = ReadableChartScale(size, canvas, dpi);
    QTransform transform;
    transform.translate(std::max(0.0, (size.width() - canvas.width() * scale) / 2.0),
                        std::max(0.0, (size.height() - canvas.height() * scale) / 2.0));
    transform.scale(scale, scale);
    return transform;
}

QSize LeastReadableSize(const QSizeF& canvas, double dpi) {
    const double scale = ScaleForPoints(kLeastChartTextPoints, dpi);
    return {static_cast<int>(std::ceil(canvas.width() * scale)),
            static_cast<int>(std::ceil(canvas.height() * scale))};
}

QScrollArea* InScrollArea(QWidget* content, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

}  // namespace veltrane::performance
