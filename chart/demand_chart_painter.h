#pragma once
// The demand-curve chart drawn with QPainter: one drawing for SVG, PDF and PNG. Needs a
// QGuiApplication (fonts) but no window and no display.

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <optional>

#include <vector>

#include "chart_format.h"
#include "demand_curves.h"

namespace veltrane::chart {

/// The drawing's own space: 720 × 480 points (10 × 6⅔ inches), origin top left, y downward.
inline constexpr double kCanvasWidth = 720.0;
inline constexpr double kCanvasHeight = 480.0;

/// Log–log mapping of L/G and KaV/L onto the plot's rectangle.
class ChartGeometry {
  public:
    /// `captionLines` lines of caption under the plot raise its bottom.
    explicit ChartGeometry(const DemandChart& chart, int captionLines = 1);
    [[nodiscard]] QRectF Plot() const { return plot_; }
    [[nodiscard]] double X(double liquidGas) const;
    [[nodiscard]] double Y(double kaVL) const;
    [[nodiscard]] QPointF At(double liquidGas, double kaVL) const {
        return {X(liquidGas), Y(kaVL)};
    }
    /// The L/G and KaV/L under a point of the canvas (the inverse of X and Y).
    [[nodiscard]] double LiquidGasAt(double x) const;
    [[nodiscard]] double KaVLAt(double y) const;

  private:
    QRectF plot_;
    double logLeft_;
    double logRight_;
    double logBottom_;
    double logTop_;
};

/// The pen of a curve: a colour and a dash of its own, so that curves stay apart in greyscale
/// print; the design's approach is solid and heavier.
QPen CurvePen(const DemandChart& chart, std::size_t curve);
QPen TowerPen();

/// Where the chart puts its texts beside the curves and points, and where the curves end (on the
/// top of the plot, or inside it), in canvas coordinates.
struct ChartLabels {
    struct Box {
        QString text;
        QRectF box;
    };
    std::vector<Box> boxes;
    std::vector<QPointF> curveEnds;
    std::vector<QLineF> leaders;  ///< from a curve's end or a marker to its label
    QRectF plot;
};
ChartLabels LayOutLabels(const DemandChart& chart, const ChartLook& look = {},
                         const QLocale& locale = QLocale::c());

/// Paints the whole chart in canvas coordinates (scale the painter to the device first), its
/// numbers with the decimal mark of `locale` (ChartNumbers).
void PaintChart(QPainter& painter, const DemandChart& chart, const ChartLook& look = {},
                const QLocale& locale = QLocale::c());

/// The geometry of the plot as PaintChart draws it in `locale` (the caption's lines raise its
/// bottom).
ChartGeometry PaintedGeometry(const DemandChart& chart, const QLocale& locale = QLocale::c());

/// Maps a canvas of `canvas` points (the demand chart's by default) onto a device of `size` (a
/// widget, a printed page): scaled evenly to fit and centred, so that the chart keeps its
/// proportions at any size.
QTransform CanvasToDevice(const QSizeF& size, const QSizeF& canvas = {kCanvasWidth, kCanvasHeight});

/// Paints the whole chart fitted into a device of `size`, as CanvasToDevice maps it.
void PaintChartAt(QPainter& painter, const DemandChart& chart, const QSizeF& size,
                  const ChartLook& look = {}, const QLocale& locale = QLocale::c());

/// The curve nearest to a point of the canvas, measured to its drawn line in `geometry` (the
/// chart's PaintedGeometry, which the caller has at hand); nothing when the chart has no curve
/// with two points.
std::optional<std::size_t> NearestCurve(const DemandChart& chart, const ChartGeometry& geometry,
                                        const QPointF& canvasPoint);

/// The chart as an image of `scale` pixels per point, device pixel ratio 1.
QImage RenderChart(const DemandChart& chart, double scale, const ChartLook& look = {},
                   const QLocale& locale = QLocale::c());

/// Writes the chart as a file; false with `error` set to one line when it cannot.
bool WriteChart(const DemandChart& chart, const QString& path, ChartFormat format, QString& error,
                const ChartLook& look = {}, const QLocale& locale = QLocale::c());

}  // namespace veltrane::chart
