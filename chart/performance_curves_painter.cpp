#include "performance_curves_painter.h"

#include <QFont>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "canvas_file.h"
#include "demand_chart_painter.h"

namespace veltrane::chart {
namespace {

// Canvas layout, points: the legend takes the strip right of the plot.
constexpr double kPlotLeft = 64.0;
constexpr double kPlotTop = 56.0;
constexpr double kPlotRight = kCanvasWidth - 190.0;
constexpr double kPlotBottom = kCanvasHeight - 56.0;
constexpr double kLegendLeft = kPlotRight + 18.0;
constexpr double kLegendRow = 18.0;
constexpr double kMarkerHalf = 4.0;
/// At most this many grid steps along an axis.
constexpr int kMostSteps = 10;

/// One colour per flow (90, 100, 110 %), one dash per range (80, 100, 120 %).
constexpr std::array<QRgb, 3> kFlowColours{qRgb(0x15, 0x65, 0xc0), qRgb(0x2e, 0x7d, 0x32),
                                           qRgb(0xc6, 0x28, 0x28)};
const std::array<QList<qreal>, 3> kRangeDashes{QList<qreal>{6, 3}, QList<qreal>{},
                                               QList<qreal>{1.5, 2.5}};

QFont Font(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

std::size_t IndexOf(const std::array<float, 3>& percents, float percent) {
    const auto* found = std::find(percents.begin(), percents.end(), percent);
    return found == percents.end() ? 0 : static_cast<std::size_t>(found - percents.begin());
}

QPen CurvePen(const PerformanceCurve& curve) {
    const std::size_t flow = IndexOf(kCurveFlowPercents, curve.flowPercent);
    const std::size_t range = IndexOf(kCurveRangePercents, curve.rangePercent);
    const bool design = curve.flowPercent == 100.0F && curve.rangePercent == 100.0F;
    const QColor colour = QColor::fromRgb(kFlowColours[flow]);
    QPen pen(colour, design ? 2.6 : 1.4);
    pen.setCapStyle(Qt::FlatCap);
    if (!kRangeDashes[range].isEmpty()) pen.setDashPattern(kRangeDashes[range]);
    return pen;
}

/// A grid step of 1, 2 or 5 × 10^k that gives at most kMostSteps steps over the span.
double GridStep(double span) {
    const double decade = std::pow(10.0, std::floor(std::log10(std::max(span, 1e-6))) - 1.0);
    for (double scale = 1.0;; scale *= 10.0) {
        for (const double step : {1.0, 2.0, 5.0}) {
            if (span / (step * decade * scale) <= kMostSteps) return step * decade * scale;
        }
    }
}

struct Axis {
    double low;
    double high;
    double step;
};

Axis AxisOver(double low, double high) {
    if (!(high > low)) {
        low -= 1.0;
        high += 1.0;
    }
    const double step = GridStep(high - low);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

class CurvesPainter {
  public:
    CurvesPainter(QPainter& painter, const PerformanceCurves& curves, const TemperatureAxis& axis)
        : p_(painter), curves_(curves), axis_(axis) {
        double xLow = std::numeric_limits<double>::infinity();
        double xHigh = -xLow;
        double yLow = xLow;
        double yHigh = -xLow;
        for (const PerformanceCurve& curve : curves_.curves) {
            for (const CurvePoint& point : curve.points) {
                xLow = std::min(xLow, T(point.wetBulb));
                xHigh = std::max(xHigh, T(point.wetBulb));
                yLow = std::min(yLow, T(point.coldWater));
                yHigh = std::max(yHigh, T(point.coldWater));
            }
        }
        empty_ = !std::isfinite(xLow);
        if (!empty_) {
            x_ = AxisOver(xLow, xHigh);
            y_ = AxisOver(yLow, yHigh);
        }
    }

    void Paint() {
        p_.setRenderHint(QPainter::Antialiasing);
        PaintTitles();
        if (empty_) {
            p_.setFont(Font(13));
            p_.drawText(Plot(), Qt::AlignCenter,
                        QStringLiteral("The tower has no operating point at any wet bulb"));
            return;
        }
        PaintGrid();
        for (const PerformanceCurve& curve : curves_.curves)
            PaintCurve(curve);
        PaintDesignPoint();
        PaintLegend();
    }

  private:
    [[nodiscard]] double T(float fahrenheit) const {
        return axis_.fromFahrenheit(static_cast<double>(fahrenheit));
    }
    static QRectF Plot() {
        return {QPointF(kPlotLeft, kPlotTop), QPointF(kPlotRight, kPlotBottom)};
    }
    [[nodiscard]] QPointF At(float wetBulb, float coldWater) const {
        const QRectF plot = Plot();
        return {plot.left() + plot.width() * (T(wetBulb) - x_.low) / (x_.high - x_.low),
                plot.bottom() - plot.height() * (T(coldWater) - y_.low) / (y_.high - y_.low)};
    }

    void PaintTitles() {
        p_.setPen(Qt::black);
        p_.setFont(Font(15, true));
        p_.drawText(QRectF(0, 10, kCanvasWidth, 24), Qt::AlignHCenter,
                    QStringLiteral("Performance curves, tower C = %1, m = %2")
                        .arg(static_cast<double>(curves_.tower.c), 0, 'g', 5)
                        .arg(static_cast<double>(curves_.tower.m), 0, 'g', 4));
        p_.setFont(Font(13, true));
        p_.drawText(QRectF(kPlotLeft, kPlotBottom + 24, kPlotRight - kPlotLeft, 20),
                    Qt::AlignHCenter, QStringLiteral("Wet bulb (%1)").arg(axis_.unit));
        p_.save();
        p_.translate(16, (kPlotTop + kPlotBottom) / 2);
        p_.rotate(-90);
        p_.drawText(QRectF(-120, -10, 240, 20), Qt::AlignCenter,
                    QStringLiteral("Cold water (%1)").arg(axis_.unit));
        p_.restore();
    }

    void PaintGrid() {
        const QRectF plot = Plot();
        p_.setFont(Font(11));
        const auto steps = [](const Axis& a) {
            return static_cast<int>(std::lround((a.high - a.low) / a.step));
        };
        for (int i = 0; i <= steps(x_); ++i) {
            const double value = x_.low + i * x_.step;
            const double x = plot.left() + plot.width() * i / steps(x_);
            p_.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0.6));
            p_.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            p_.setPen(Qt::black);
            p_.drawText(QRectF(x - 30, plot.bottom() + 4, 60, 16), Qt::AlignHCenter,
                        QString::number(value, 'g', 6));
        }
        for (int i = 0; i <= steps(y_); ++i) {
            const double value = y_.low + i * y_.step;
            const double y = plot.bottom() - plot.height() * i / steps(y_);
            p_.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0.6));
            p_.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p_.setPen(Qt::black);
            p_.drawText(QRectF(plot.left() - 46, y - 8, 42, 16), Qt::AlignRight | Qt::AlignVCenter,
                        QString::number(value, 'g', 6));
        }
        p_.setPen(QPen(Qt::black, 1.0));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(plot);
    }

    void PaintCurve(const PerformanceCurve& curve) {
        if (curve.points.empty()) return;
        QPainterPath path(At(curve.points.front().wetBulb, curve.points.front().coldWater));
        for (const CurvePoint& point : curve.points)
            path.lineTo(At(point.wetBulb, point.coldWater));
        p_.setPen(CurvePen(curve));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    void PaintDesignPoint() {
        const QPointF at = At(curves_.designPoint.wetBulb, curves_.designPoint.coldWater);
        if (!Plot().contains(at)) return;
        p_.setPen(Qt::NoPen);
        p_.setBrush(Qt::black);
        p_.drawRect(QRectF(at - QPointF(kMarkerHalf, kMarkerHalf),
                           QSizeF(2 * kMarkerHalf, 2 * kMarkerHalf)));
    }

    void PaintLegend() {
        p_.setFont(Font(11));
        double y = kPlotTop + 6;
        for (const PerformanceCurve& curve : curves_.curves) {
            p_.setPen(CurvePen(curve));
            p_.drawLine(QPointF(kLegendLeft, y), QPointF(kLegendLeft + 26, y));
            p_.setPen(Qt::black);
            p_.drawText(QPointF(kLegendLeft + 32, y + 4),
                        QStringLiteral("%1 % flow, %2 % range")
                            .arg(static_cast<double>(curve.flowPercent))
                            .arg(static_cast<double>(curve.rangePercent)));
            y += kLegendRow;
        }
        y += 4;
        p_.setPen(Qt::NoPen);
        p_.setBrush(Qt::black);
        p_.drawRect(QRectF(kLegendLeft + 9, y - kMarkerHalf, 2 * kMarkerHalf, 2 * kMarkerHalf));
        p_.setPen(Qt::black);
        p_.drawText(QPointF(kLegendLeft + 32, y + 4), QStringLiteral("design point"));
    }

    QPainter& p_;
    const PerformanceCurves& curves_;
    const TemperatureAxis& axis_;
    bool empty_ = true;
    Axis x_{0, 1, 1};
    Axis y_{0, 1, 1};
};

}  // namespace

void PaintPerformanceCurves(QPainter& painter, const PerformanceCurves& curves,
                            const TemperatureAxis& axis) {
    painter.save();
    CurvesPainter(painter, curves, axis).Paint();
    painter.restore();
}

bool WritePerformanceCurves(const PerformanceCurves& curves, const TemperatureAxis& axis,
                            const QString& path, ChartFormat format, QString& error) {
    return WriteCanvas([&](QPainter& painter) { PaintPerformanceCurves(painter, curves, axis); },
                       QStringLiteral("Performance curves"), path, format, error);
}

}  // namespace veltrane::chart
