#include "cross_plot_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cmath>

#include "chart_text.h"

namespace veltrane::chart {
namespace {

constexpr double kPlotLeft = 64.0;
constexpr double kPlotTop = 44.0;
constexpr double kPlotRight = kCrossPlotWidth - 24.0;
constexpr double kPlotBottom = kCrossPlotHeight - 70.0;
constexpr double kTitleBaseline = 24.0;
constexpr double kCaptionBaseline = kCrossPlotHeight - 12.0;
constexpr double kTickGap = 4.0;
constexpr double kMarkerRadius = 4.0;
constexpr int kTitlePixels = 15;
constexpr int kAxisTitlePixels = 13;
/// Grid steps, in the units shown: the smallest that gives no more than kMostTicks lines.
constexpr std::array<double, 8> kTickSteps{0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0};
constexpr double kMostTicks = 10.0;
/// A little room beyond the outermost values, as a share of their span.
constexpr double kAxisMargin = 0.05;
const QColor kLineColour(0x21, 0x21, 0x21);
const QColor kTestColour(0xb7, 0x1c, 0x1c);
const QColor kAdjustedColour(0x0d, 0x47, 0xa1);
const QColor kGridColour(0xcc, 0xcc, 0xcc);

struct Axis {
    double low;
    double high;
    double step;
};

/// The axis around `low` to `high`, widened a little and ended on multiples of its step.
Axis AxisAround(double low, double high) {
    const double margin = std::max((high - low) * kAxisMargin, 0.5 * kTickSteps.front());
    low -= margin;
    high += margin;
    for (const double step : kTickSteps) {
        const Axis axis{std::floor(low / step) * step, std::ceil(high / step) * step, step};
        if ((axis.high - axis.low) / step <= kMostTicks) return axis;
    }
    const double step = kTickSteps.back();
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

class CrossPlotPainter {
  public:
    CrossPlotPainter(const CrossPlot& plot, const QLocale& locale) : plot_(plot), numbers_(locale) {
        double flowLow = plot.test.flowPercent;
        double flowHigh = flowLow;
        double coldLow = plot.test.coldWater;
        double coldHigh = coldLow;
        const auto take = [&](const PlotPoint& point) {
            flowLow = std::min(flowLow, point.flowPercent);
            flowHigh = std::max(flowHigh, point.flowPercent);
            coldLow = std::min(coldLow, point.coldWater);
            coldHigh = std::max(coldHigh, point.coldWater);
        };
        for (const PlotPoint& point : plot.flows)
            take(point);
        for (const PlotPoint& point : plot.line)
            take(point);
        take(plot.adjusted);
        flow_ = AxisAround(flowLow, flowHigh);
        cold_ = AxisAround(coldLow, coldHigh);
    }

    void Paint(QPainter& painter) {
        p_ = &painter;
        p_->save();
        p_->setRenderHint(QPainter::Antialiasing);
        p_->fillRect(QRectF(0, 0, kCrossPlotWidth, kCrossPlotHeight), Qt::white);
        p_->setPen(Qt::black);
        DrawText(QStringLiteral("Maker's curves across flow at the test conditions"),
                 {kCrossPlotWidth / 2.0, kTitleBaseline}, kTitlePixels, true, Qt::AlignHCenter);
        PaintGrid();
        PaintLine();
        PaintTest();
        p_->setPen(QPen(Qt::black, 1.0));
        p_->setBrush(Qt::NoBrush);
        p_->drawRect(Plot());
        PaintAxisTitles();
        DrawText(QStringLiteral("At ") + QString::fromStdString(plot_.conditions) +
                     QStringLiteral(". Capability = adjusted flow / predicted flow."),
                 {kPlotLeft, kCaptionBaseline}, kTextPixels);
        p_->restore();
    }

  private:
    static QRectF Plot() {
        return {QPointF(kPlotLeft, kPlotTop), QPointF(kPlotRight, kPlotBottom)};
    }

    [[nodiscard]] QPointF At(double flowPercent, double coldWater) const {
        const QRectF plot = Plot();
        return {plot.left() + (flowPercent - flow_.low) / (flow_.high - flow_.low) * plot.width(),
                plot.bottom() - (coldWater - cold_.low) / (cold_.high - cold_.low) * plot.height()};
    }
    [[nodiscard]] QPointF At(const PlotPoint& point) const {
        return At(point.flowPercent, point.coldWater);
    }

    [[nodiscard]] QString Cold(double value) const {
        return numbers_.fixed(value, 1) + u' ' + QString::fromStdString(plot_.temperatureUnit);
    }

    void DrawText(const QString& text, QPointF at, int pixels, bool bold = false,
                  Qt::Alignment align = Qt::AlignLeft) {
        p_->setFont(ChartFont(pixels, bold));
        const double width = QFontMetricsF(p_->font()).horizontalAdvance(text);
        double x = at.x();
        if (align & Qt::AlignHCenter) x -= width / 2.0;
        if (align & Qt::AlignRight) x -= width;
        p_->drawText(QPointF(x, at.y()), text);
    }

    void PaintGrid() {
        const QRectF plot = Plot();
        const double ascent = QFontMetricsF(ChartFont(kTextPixels)).ascent();
        const auto steps = [](const Axis& axis) {
            return static_cast<int>(std::lround((axis.high - axis.low) / axis.step));
        };
        for (int i = 0; i <= steps(flow_); ++i) {
            const double flow = flow_.low + flow_.step * i;
            const double x = At(flow, cold_.low).x();
            p_->setPen(QPen(kGridColour, 0.8));
            p_->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            p_->setPen(Qt::black);
            DrawText(numbers_.number(flow), {x, plot.bottom() + kTickGap + ascent}, kTextPixels,
                     false, Qt::AlignHCenter);
        }
        for (int i = 0; i <= steps(cold_); ++i) {
            const double cold = cold_.low + cold_.step * i;
            const double y = At(flow_.low, cold).y();
            p_->setPen(QPen(kGridColour, 0.8));
            p_->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p_->setPen(Qt::black);
            DrawText(numbers_.number(cold), {plot.left() - kTickGap - 1.0, y + ascent / 2.0 - 1.0},
                     kTextPixels, false, Qt::AlignRight);
        }
    }

    void PaintLine() {
        QPainterPath path;
        for (std::size_t i = 0; i < plot_.line.size(); ++i) {
            if (i == 0) {
                path.moveTo(At(plot_.line[i]));
            } else {
                path.lineTo(At(plot_.line[i]));
            }
        }
        p_->setPen(QPen(kLineColour, 2.0));
        p_->setBrush(Qt::NoBrush);
        p_->drawPath(path);
        p_->setBrush(Qt::white);
        p_->setPen(QPen(kLineColour, 1.4));
        for (const PlotPoint& point : plot_.flows) {
            const QPointF at = At(point);
            p_->drawEllipse(at, kMarkerRadius, kMarkerRadius);
            DrawText(Cold(point.coldWater), at + QPointF(0.0, -2.5 * kMarkerRadius), kTextPixels,
                     false, Qt::AlignRight);
        }
    }

    /// Dashed leaders from a point to both axes, so that its flow and cold water read off them.
    void PaintLeaders(const PlotPoint& point, const QColor& colour) {
        QPen pen(colour, 1.0, Qt::DashLine);
        p_->setPen(pen);
        const QPointF at = At(point);
        p_->drawLine(at, QPointF(at.x(), Plot().bottom()));
        p_->drawLine(at, QPointF(Plot().left(), at.y()));
    }

    void PaintTest() {
        PaintLeaders(plot_.adjusted, kAdjustedColour);
        PaintLeaders(plot_.test, kTestColour);
        const QPointF adjusted = At(plot_.adjusted);
        p_->setPen(QPen(kAdjustedColour, 1.6));
        p_->setBrush(Qt::white);
        p_->drawRect(QRectF(adjusted - QPointF(kMarkerRadius, kMarkerRadius),
                            QSizeF(2.0 * kMarkerRadius, 2.0 * kMarkerRadius)));
        const QPointF test = At(plot_.test);
        p_->setPen(QPen(kTestColour, 1.6));
        p_->setBrush(kTestColour);
        p_->drawEllipse(test, kMarkerRadius, kMarkerRadius);
        // The test sits on the line at the predicted flow; its label goes to the upper left,
        // where the rising line leaves room, the adjusted flow's to the lower right.
        p_->setPen(kTestColour);
        DrawText(QStringLiteral("test: ") + Cold(plot_.test.coldWater) +
                     QStringLiteral(" at predicted flow ") +
                     numbers_.fixed(plot_.test.flowPercent, 1) + QStringLiteral(" %"),
                 test + QPointF(-2.0 * kMarkerRadius, -2.0 * kMarkerRadius), kTextPixels, true,
                 Qt::AlignRight);
        p_->setPen(kAdjustedColour);
        DrawText(QStringLiteral("adjusted flow ") + numbers_.fixed(plot_.adjusted.flowPercent, 1) +
                     QStringLiteral(" %: ") + Cold(plot_.adjusted.coldWater) +
                     QStringLiteral(" predicted"),
                 adjusted + QPointF(2.0 * kMarkerRadius, 4.0 * kMarkerRadius), kTextPixels, true);
    }

    void PaintAxisTitles() {
        p_->setPen(Qt::black);
        DrawText(QStringLiteral("Water flow (% of design)"),
                 {(kPlotLeft + kPlotRight) / 2.0, kPlotBottom + 36.0}, kAxisTitlePixels, false,
                 Qt::AlignHCenter);
        p_->save();
        p_->translate(18.0, (kPlotTop + kPlotBottom) / 2.0);
        p_->rotate(-90.0);
        DrawText(
            QStringLiteral("Cold water (%1)").arg(QString::fromStdString(plot_.temperatureUnit)),
            {0.0, 0.0}, kAxisTitlePixels, false, Qt::AlignHCenter);
        p_->restore();
    }

    const CrossPlot& plot_;
    ChartNumbers numbers_;
    Axis flow_{};
    Axis cold_{};
    QPainter* p_ = nullptr;
};

}  // namespace

void PaintCrossPlot(QPainter& painter, const CrossPlot& plot, const QLocale& locale) {
    CrossPlotPainter(plot, locale).Paint(painter);
}

}  // namespace veltrane::chart
