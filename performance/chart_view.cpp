#include "chart_view.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "demand_chart_painter.h"
#include "screen_fit.h"

namespace veltrane::performance {
namespace {

/// How strongly a chart of the last good inputs is drawn while a box is marked.
constexpr double kStaleOpacity = 0.35;

}  // namespace

ChartView::ChartView(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
    : QWidget(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("demandChart"));
    setMouseTracking(true);
    setMinimumSize(LeastReadableSize({chart::kCanvasWidth, chart::kCanvasHeight}, logicalDpiY()));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&model_, &PerformanceModel::calculated, this, qOverload<>(&QWidget::update));
    connect(&model_, &PerformanceModel::problemsChanged, this, qOverload<>(&QWidget::update));
    connect(&units_, &UnitLayer::systemChanged, this, qOverload<>(&QWidget::update));
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    if (model_.hasProblems()) painter.setOpacity(kStaleOpacity);
    painter.setTransform(canvasToWidget(), true);
    chart::PaintChart(painter, model_.calculation().chart, look(), QLocale());
}

QTransform ChartView::canvasToWidget() const {
    return ReadableCanvasToDevice(QSizeF(size()), {chart::kCanvasWidth, chart::kCanvasHeight},
                                  logicalDpiY());
}

QString ChartView::readingAt(const QPointF& widgetPoint) const {
    const DemandChart& chart = model_.calculation().chart;
    const QPointF canvas = canvasToWidget().inverted().map(widgetPoint);
    const chart::ChartGeometry g = chart::PaintedGeometry(chart, QLocale());
    if (!g.Plot().contains(canvas)) return {};
    const QLocale locale;
    QString reading = QStringLiteral("L/G %1   KaV/L %2")
                          .arg(locale.toString(g.LiquidGasAt(canvas.x()), 'g', 3),
                               locale.toString(g.KaVLAt(canvas.y()), 'g', 3));
    if (const std::optional<std::size_t> nearest = chart::NearestCurve(chart, g, canvas)) {
        const double approach =
            units_.toDisplay(Quantity::kTemperatureDifference,
                             static_cast<double>(chart.curves[*nearest].curve.approach));
        reading += tr("   approach %1 %2 (nearest curve)")
                       .arg(locale.toString(approach, 'g', 4),
                            units_.unit(Quantity::kTemperatureDifference));
    }
    return reading;
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    emit readingChanged(readingAt(event->position()));
}

void ChartView::leaveEvent(QEvent*) {
    emit readingChanged({});
}

}  // namespace veltrane::performance
