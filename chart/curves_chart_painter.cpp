#include "curves_chart_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "chart_file.h"
#include "chart_text.h"

namespace veltrane::chart {
namespace {

constexpr double kPanelsLeft = 64.0;
constexpr double kPanelsRight = kCurvesCanvasWidth - 20.0;
constexpr double kPanelsTop = 92.0;
constexpr double kPanelsBottom = kCurvesCanvasHeight - 86.0;
constexpr double kPanelGap = 30.0;
constexpr double kTitleBaseline = 26.0;
constexpr double kLegendBaseline = 50.0;
constexpr double kPanelTitleGap = 8.0;
constexpr double kCaptionBaseline = kCurvesCanvasHeight - 30.0;
constexpr double kCaptionLineHeight = 15.0;
constexpr double kMarkerRadius = 4.0;
constexpr double kTickGap = 4.0;
constexpr int kTitlePixels = 15;
constexpr int kAxisTitlePixels = 13;
/// Grid steps of either axis, in the degrees shown: the smallest that gives no more than
/// kMostTicks lines.
constexpr std::array<double, 5> kTickSteps{1.0, 2.0, 5.0, 10.0, 20.0};
constexpr double kMostTicks = 10.0;
/// Two points of a line further apart than this many wet-bulb steps have a gap between them.
constexpr double kGapSteps = 1.5;
/// The cold-water axis when no point has a number, °F.
constexpr double kEmptyAxisLow = 50.0;
constexpr double kEmptyAxisHigh = 100.0;
/// How far an end of an SI axis may pass a whole multiple of its step and still end there: a
/// whole °C that went through a float °F reads back up to a few millionths of a degree off.
constexpr double kConvertedEndSlack = 1e-4;  // °C
/// Significant figures of the temperatures in the legend and captions: a tenth of a degree in
/// either system for the usual 10 to 99 °C and 100 to 999 °F.
constexpr int kUsTemperatureFigures = 4;
constexpr int kSiTemperatureFigures = 3;

/// One pen per share of the range, told apart by dash and lightness in greyscale print.
struct RangeStyle {
    QColor colour;
    Qt::PenStyle dash;
    double width;
};
const std::array<RangeStyle, 3> kRangeStyles{{
    {QColor(0x15, 0x65, 0xc0), Qt::DashLine, 1.6},
    {QColor(0x21, 0x21, 0x21), Qt::SolidLine, 2.4},
    {QColor(0xc6, 0x28, 0x28), Qt::DashDotLine, 1.6},
}};
const QColor kDesignColour(0xb7, 0x1c, 0x1c);
const QColor kGridColour(0xcc, 0xcc, 0xcc);
const QColor kMinorGridColour(0xee, 0xee, 0xee);
/// The minor grid's step in the degrees shown, drawn while the labelled step is at most
/// kMostMinorStep.
constexpr double kMinorStep = 1.0;
constexpr double kMostMinorStep = 5.0;

QString Percent(const ChartNumbers& numbers, float value) {
    return numbers.number(static_cast<double>(value)) + QStringLiteral(" %");
}

QPen RangePen(std::size_t range) {
    const RangeStyle& style = kRangeStyles.at(range % kRangeStyles.size());
    QPen pen(style.colour, style.width, style.dash);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

/// A linear axis in the degrees shown, its ends on whole multiples of its step.
struct Axis {
    double low;
    double high;
    double step;
};

/// The axis from `low` to `high`, each end moved out to a multiple of the step unless it lies
/// within `slack` of one.
Axis AxisAround(double low, double high, double slack) {
    if (!(low < high)) {
        low -= 1.0;
        high += 1.0;
    }
    const auto axisOf = [&](double step) {
        return Axis{std::floor((low + slack) / step) * step,
                    std::ceil((high - slack) / step) * step, step};
    };
    for (const double step : kTickSteps) {
        const Axis axis = axisOf(step);
        if ((axis.high - axis.low) / step <= kMostTicks) return axis;
    }
    // Beyond every step of the table, tenfold steps keep the grid to a few lines however wide
    // the values run, rather than drawing one line per 20 degrees of them.
    double step = kTickSteps.back();
    while (std::isfinite(high - low) && (high - low) / step > kMostTicks)
        step *= 10.0;
    return axisOf(step);
}

class CurvesChartPainter {
  public:
    CurvesChartPainter(const PerformanceCurves& curves, UnitSystem units, const QLocale& locale)
        : curves_(curves), units_(units), numbers_(locale) {
        wetBulbAxis_ = AxisAround(SpanEnd(curves.span.from), SpanEnd(curves.span.to), Slack());
        coldWaterAxis_ = ColdWaterAxis();
    }

    void Paint(QPainter& painter) {
        p_ = &painter;
        p_->save();
        p_->setRenderHint(QPainter::Antialiasing);
        p_->fillRect(QRectF(0, 0, kCurvesCanvasWidth, kCurvesCanvasHeight), Qt::white);
        PaintTitleAndLegend();
        for (std::size_t flow = 0; flow < kCurveFlowPercents.size(); ++flow)
            PaintPanel(flow);
        PaintAxisTitles();
        PaintCaption();
        p_->restore();
    }

  private:
    /// A temperature of the curves (°F) in the units shown.
    [[nodiscard]] double Shown(double fahrenheit) const {
        return ValueInUnits(Quantity::kTemperature, units_, fahrenheit);
    }

    /// An end of the span, given in the span's own units, in the units shown.
    [[nodiscard]] double SpanEnd(float end) const {
        return Shown(D(InputFromUnits(Quantity::kTemperature, curves_.span.units, D(end))));
    }

    [[nodiscard]] double Slack() const {
        return units_ == UnitSystem::kSI ? kConvertedEndSlack : 0.0;
    }

    [[nodiscard]] int Figures() const {
        return units_ == UnitSystem::kUS ? kUsTemperatureFigures : kSiTemperatureFigures;
    }

    /// A temperature (°F) as the legend and captions write it, with its unit.
    [[nodiscard]] QString TemperatureText(float fahrenheit) const {
        return numbers_.temperature(D(fahrenheit), units_, Figures());
    }

    /// A temperature difference (°F) as the legend and captions write it, with its unit.
    [[nodiscard]] QString DifferenceText(double fahrenheit) const {
        return numbers_.temperatureDifference(fahrenheit, units_, Figures());
    }

    [[nodiscard]] QString FlowText(double gpm) const {
        const double shown = ValueInUnits(Quantity::kWaterFlow, units_, gpm);
        return numbers_.number(shown, 5) +
               (units_ == UnitSystem::kUS ? QStringLiteral(" gpm") : QStringLiteral(" m³/h"));
    }

    Axis ColdWaterAxis() const {
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (const PerformanceCurve& curve : curves_.curves) {
            for (const CurvePoint& point : curve.points) {
                low = std::min(low, Shown(D(point.coldWater)));
                high = std::max(high, Shown(D(point.coldWater)));
            }
        }
        if (!std::isfinite(low)) {
            return AxisAround(Shown(kEmptyAxisLow), Shown(kEmptyAxisHigh), Slack());
        }
        return AxisAround(low, high, Slack());
    }

    static QRectF PanelRect(std::size_t flow) {
        const double count = static_cast<double>(kCurveFlowPercents.size());
        const double width = (kPanelsRight - kPanelsLeft - kPanelGap * (count - 1.0)) / count;
        const double left = kPanelsLeft + static_cast<double>(flow) * (width + kPanelGap);
        return {left, kPanelsTop, width, kPanelsBottom - kPanelsTop};
    }

    QPointF At(const QRectF& panel, double wetBulb, double coldWater) const {
        const Axis& x = wetBulbAxis_;
        const Axis& y = coldWaterAxis_;
        return {panel.left() + (wetBulb - x.low) / (x.high - x.low) * panel.width(),
                panel.bottom() - (coldWater - y.low) / (y.high - y.low) * panel.height()};
    }

    void DrawText(const QString& text, QPointF at, int pixels, bool bold = false,
                  Qt::Alignment align = Qt::AlignLeft) {
        p_->setFont(ChartFont(pixels, bold));
        const QFontMetricsF metrics(p_->font());
        const double width = metrics.horizontalAdvance(text);
        double x = at.x();
        if (align & Qt::AlignHCenter) x -= width / 2.0;
        if (align & Qt::AlignRight) x -= width;
        p_->drawText(QPointF(x, at.y()), text);
    }

    void PaintTitleAndLegend() {
        p_->setPen(Qt::black);
        DrawText(QStringLiteral("Performance curves: cold water against wet bulb"),
                 {kCurvesCanvasWidth / 2.0, kTitleBaseline}, kTitlePixels, true, Qt::AlignHCenter);
        double x = kPanelsLeft;
        p_->setFont(ChartFont(kTextPixels));
        const QFontMetricsF metrics(p_->font());
        for (std::size_t range = 0; range < kCurveRangePercents.size(); ++range) {
            p_->setPen(RangePen(range));
            p_->drawLine(QPointF(x, kLegendBaseline - 4.0),
                         QPointF(x + 32.0, kLegendBaseline - 4.0));
            const double degrees = static_cast<double>(curves_.designRange) *
                                   static_cast<double>(kCurveRangePercents.at(range)) / 100.0;
            const QString text = Percent(numbers_, kCurveRangePercents.at(range)) +
                                 QStringLiteral(" range (") + DifferenceText(degrees) +
                                 QStringLiteral(")");
            p_->setPen(Qt::black);
            p_->drawText(QPointF(x + 38.0, kLegendBaseline), text);
            x += 38.0 + metrics.horizontalAdvance(text) + 24.0;
        }
    }

    /// Lines every degree between the labelled ones, so that a value reads to a degree.
    void PaintMinorGrid(const QRectF& panel) {
        p_->setPen(QPen(kMinorGridColour, 0.5));
        for (double t = wetBulbAxis_.low; t <= wetBulbAxis_.high + 1e-9; t += kMinorStep) {
            const double x = At(panel, t, coldWaterAxis_.low).x();
            p_->drawLine(QPointF(x, panel.top()), QPointF(x, panel.bottom()));
        }
        for (double t = coldWaterAxis_.low; t <= coldWaterAxis_.high + 1e-9; t += kMinorStep) {
            const double y = At(panel, wetBulbAxis_.low, t).y();
            p_->drawLine(QPointF(panel.left(), y), QPointF(panel.right(), y));
        }
    }

    void PaintGrid(const QRectF& panel, bool valuesAtLeft) {
        if (wetBulbAxis_.step <= kMostMinorStep && coldWaterAxis_.step <= kMostMinorStep)
            PaintMinorGrid(panel);
        p_->setFont(ChartFont(kTextPixels));
        const QFontMetricsF metrics(p_->font());
        for (double t = wetBulbAxis_.low; t <= wetBulbAxis_.high + 1e-9; t += wetBulbAxis_.step) {
            const double x = At(panel, t, coldWaterAxis_.low).x();
            p_->setPen(QPen(kGridColour, 0.8));
            p_->drawLine(QPointF(x, panel.top()), QPointF(x, panel.bottom()));
            p_->setPen(Qt::black);
            DrawText(numbers_.number(t), {x, panel.bottom() + kTickGap + metrics.ascent()},
                     kTextPixels, false, Qt::AlignHCenter);
        }
        for (double t = coldWaterAxis_.low; t <= coldWaterAxis_.high + 1e-9;
             t += coldWaterAxis_.step) {
            const double y = At(panel, wetBulbAxis_.low, t).y();
            p_->setPen(QPen(kGridColour, 0.8));
            p_->drawLine(QPointF(panel.left(), y), QPointF(panel.right(), y));
            if (!valuesAtLeft) continue;
            p_->setPen(Qt::black);
            DrawText(numbers_.number(t),
                     {panel.left() - kTickGap - 1.0, y + metrics.ascent() / 2.0 - 1.0}, kTextPixels,
                     false, Qt::AlignRight);
        }
    }

    /// The line through the curve's points, broken where a wet bulb of the span has none.
    QPainterPath LineOf(const QRectF& panel, const PerformanceCurve& curve) const {
        QPainterPath path;
        const double gap = kGapSteps * SpanStepFahrenheit(curves_.span);
        for (std::size_t i = 0; i < curve.points.size(); ++i) {
            const CurvePoint& point = curve.points[i];
            const QPointF at = At(panel, Shown(D(point.wetBulb)), Shown(D(point.coldWater)));
            const bool joined = i > 0 && static_cast<double>(point.wetBulb) -
                                                 static_cast<double>(curve.points[i - 1].wetBulb) <=
                                             gap;
            if (joined) {
                path.lineTo(at);
            } else {
                path.moveTo(at);
            }
        }
        return path;
    }

    void PaintPanel(std::size_t flow) {
        const QRectF panel = PanelRect(flow);
        PaintGrid(panel, flow == 0);
        const float flowPercent = kCurveFlowPercents.at(flow);
        p_->save();
        p_->setClipRect(panel);
        for (std::size_t range = 0; range < kCurveRangePercents.size(); ++range) {
            const std::size_t index = flow * kCurveRangePercents.size() + range;
            if (index >= curves_.curves.size()) continue;
            p_->setPen(RangePen(range));
            p_->setBrush(Qt::NoBrush);
            p_->drawPath(LineOf(panel, curves_.curves[index]));
        }
        p_->restore();
        if (flowPercent == 100.0F) PaintDesignPoint(panel);
        p_->setPen(QPen(Qt::black, 1.0));
        p_->setBrush(Qt::NoBrush);
        p_->drawRect(panel);
        const double gpm =
            static_cast<double>(curves_.designFlow) * static_cast<double>(flowPercent) / 100.0;
        const double liquidGas =
            static_cast<double>(curves_.designLiquidGas) * static_cast<double>(flowPercent) / 100.0;
        DrawText(Percent(numbers_, flowPercent) + QStringLiteral(" flow: ") + FlowText(gpm) +
                     QStringLiteral(", L/G ") + numbers_.number(liquidGas),
                 {panel.center().x(), panel.top() - kPanelTitleGap}, kTextPixels, true,
                 Qt::AlignHCenter);
    }

    void PaintDesignPoint(const QRectF& panel) {
        const CurvePoint& design = curves_.designPoint;
        const QPointF at = At(panel, Shown(D(design.wetBulb)), Shown(D(design.coldWater)));
        if (!panel.contains(at)) return;
        p_->setPen(QPen(kDesignColour, 1.6));
        p_->setBrush(Qt::white);
        p_->drawEllipse(at, kMarkerRadius, kMarkerRadius);
        p_->setPen(kDesignColour);
        const QString text = QStringLiteral("design ") + TemperatureText(design.wetBulb) +
                             QStringLiteral(" / ") + TemperatureText(design.coldWater);
        // In the panel's lower right corner, which cold water above the wet bulb leaves empty,
        // with a leader to the marker.
        p_->setFont(ChartFont(kTextPixels));
        const QFontMetricsF metrics(p_->font());
        const double width = metrics.horizontalAdvance(text);
        const QPointF textAt(panel.right() - width - 6.0, panel.bottom() - 8.0);
        const QPointF leaderEnd(textAt.x() + width / 2.0, textAt.y() - metrics.ascent() - 2.0);
        if (leaderEnd.y() > at.y() + 2.0 * kMarkerRadius) {
            p_->setPen(QPen(kDesignColour, 0.8));
            const QPointF direction = leaderEnd - at;
            const double length = std::hypot(direction.x(), direction.y());
            p_->drawLine(at + direction * (kMarkerRadius / length), leaderEnd);
        }
        p_->setPen(kDesignColour);
        p_->drawText(textAt, text);
    }

    void PaintAxisTitles() {
        p_->setPen(Qt::black);
        DrawText(QStringLiteral("Entering wet bulb (%1)").arg(TemperatureUnit(units_)),
                 {(kPanelsLeft + kPanelsRight) / 2.0, kPanelsBottom + 36.0}, kAxisTitlePixels,
                 false, Qt::AlignHCenter);
        p_->save();
        p_->translate(18.0, (kPanelsTop + kPanelsBottom) / 2.0);
        p_->rotate(-90.0);
        DrawText(QStringLiteral("Cold water (%1)").arg(TemperatureUnit(units_)), {0.0, 0.0},
                 kAxisTitlePixels, false, Qt::AlignHCenter);
        p_->restore();
    }

    bool AnyWetBulbLeftOut() const {
        const std::optional<std::vector<float>> wetBulbs = SpanWetBulbs(curves_.span);
        const std::size_t expected = wetBulbs ? wetBulbs->size() : 0;
        return std::any_of(curves_.curves.begin(), curves_.curves.end(),
                           [&](const PerformanceCurve& c) { return c.points.size() < expected; });
    }

    void PaintCaption() {
        const TowerCharacteristic& tower = curves_.tower;
        const CurvePoint& design = curves_.designPoint;
        QString first =
            QStringLiteral("Tower KaV/L = ") + numbers_.number(static_cast<double>(tower.c), 5) +
            QStringLiteral(" · (L/G)^−") + numbers_.number(static_cast<double>(tower.m)) +
            QStringLiteral("; design: wet bulb ") + TemperatureText(design.wetBulb) +
            QStringLiteral(", cold water ") + TemperatureText(design.coldWater) +
            QStringLiteral(", range ") + DifferenceText(static_cast<double>(curves_.designRange)) +
            QStringLiteral(".");
        QString second = QStringLiteral("Fans at design power: L/G in proportion to the flow.");
        if (AnyWetBulbLeftOut()) {
            second += QStringLiteral(" A line breaks where the tower has no operating point.");
        }
        p_->setPen(Qt::black);
        DrawText(first, {kPanelsLeft, kCaptionBaseline}, kTextPixels);
        DrawText(second, {kPanelsLeft, kCaptionBaseline + kCaptionLineHeight}, kTextPixels);
    }

    const PerformanceCurves& curves_;
    UnitSystem units_;
    ChartNumbers numbers_;
    Axis wetBulbAxis_{};
    Axis coldWaterAxis_{};
    QPainter* p_ = nullptr;
};

}  // namespace

void PaintCurvesChart(QPainter& painter, const PerformanceCurves& curves, UnitSystem units,
                      const QLocale& locale) {
    CurvesChartPainter(curves, units, locale).Paint(painter);
}

QImage RenderCurvesChart(const PerformanceCurves& curves, UnitSystem units, double scale,
                         const QLocale& locale) {
    QImage image(static_cast<int>(std::lround(kCurvesCanvasWidth * scale)),
                 static_cast<int>(std::lround(kCurvesCanvasHeight * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintCurvesChart(painter, curves, units, locale);
    painter.end();
    return image;
}

bool WriteCurvesChart(const PerformanceCurves& curves, UnitSystem units, const QString& path,
                      ChartFormat format, QString& error, const QLocale& locale) {
    return WritePicture(
        path, format, QSizeF(kCurvesCanvasWidth, kCurvesCanvasHeight),
        QStringLiteral("Performance curves"),
        [&](QPainter& painter) { PaintCurvesChart(painter, curves, units, locale); }, error);
}

}  // namespace veltrane::chart
