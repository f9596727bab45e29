#include "demand_chart_painter.h"

#include "canvas_file.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace veltrane::chart {
namespace {

// Canvas layout, points. The band above the plot holds the labels of curves that leave its top;
// the strip to its right those of curves that reach the end of the L/G span first.
constexpr double kPlotLeft = 64.0;
constexpr double kPlotTop = 76.0;
constexpr double kPlotRight = kCanvasWidth - 100.0;
constexpr double kPlotBottom = kCanvasHeight - 74.0;
constexpr double kTitleBaseline = 26.0;
constexpr double kCaptionBaseline = kCanvasHeight - 12.0;
constexpr double kLabelGap = 4.0;
constexpr double kMarkerRadius = 4.0;

constexpr int kTextPixels = 11;
constexpr int kTitlePixels = 15;
constexpr int kAxisTitlePixels = 13;

const char* const kFontFamily = "DejaVu Sans";

/// Colours of clearly different lightness, each with its own dash, so that no two curves look
/// alike in greyscale print.
struct CurveStyle {
    QRgb colour;
    std::array<double, 4> dash;  ///< on, off, on, off in pen widths; all zero for a solid line
};
constexpr std::array<CurveStyle, 7> kCurveStyles{{
    {qRgb(0x6a, 0x1b, 0x9a), {6, 2.5, 6, 2.5}},
    {qRgb(0xc6, 0x28, 0x28), {9, 3, 2, 3}},
    {qRgb(0x2e, 0x7d, 0x32), {2, 2.5, 2, 2.5}},
    {qRgb(0xef, 0x6c, 0x00), {12, 4, 12, 4}},
    {qRgb(0x00, 0x83, 0x8f), {5, 2, 1.5, 2}},
    {qRgb(0x8d, 0x6e, 0x63), {3, 4, 3, 4}},
    {qRgb(0x37, 0x47, 0x4f), {14, 3, 3, 3}},
}};
constexpr double kCurveWidth = 1.4;
constexpr double kDesignCurveWidth = 2.8;
const QColor kTowerColour(0x0d, 0x47, 0xa1);
constexpr double kTowerWidth = 1.8;
const QColor kOperatingColour(0xb7, 0x1c, 0x1c);

QFont ChartFont(int pixels, bool bold = false) {
    QFont font(QString::fromLatin1(kFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

/// A short decimal: up to `digits` significant figures, no trailing zeros.
QString Number(double value, int digits = 4) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return QString::fromLatin1(buffer);
}

QString Degrees(double value, int digits = 4) {
    return Number(value, digits) + QStringLiteral(" °F");
}

QString Fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

struct Label {
    QString text;
    QRectF box;
    QColor colour = Qt::black;
    bool background = false;  ///< white behind the text, where it lies over lines
    std::optional<QPointF> leaderFrom;
};

QSizeF TextSize(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    return {metrics.horizontalAdvance(text) + 4.0, metrics.height()};
}

bool Overlaps(const QRectF& box, const std::vector<QRectF>& taken) {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const QRectF& other) { return box.intersects(other); });
}

/// Spreads boxes along one axis so that none overlaps the one before, keeping each as near its
/// wish as the others allow, all inside [low, high].
void Spread(std::vector<double>& starts, const std::vector<double>& lengths, double low,
            double high) {
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const double earliest = i == 0 ? low : starts[i - 1] + lengths[i - 1] + kLabelGap;
        starts[i] = std::max(starts[i], earliest);
    }
    for (std::size_t i = starts.size(); i-- > 0;) {
        const double latest =
            i + 1 == starts.size() ? high - lengths[i] : starts[i + 1] - lengths[i] - kLabelGap;
        starts[i] = std::min(starts[i], latest);
    }
}

QString CurveLabel(const ChartCurve& c) {
    return c.design ? Degrees(c.curve.approach) + QStringLiteral(" design")
                    : Degrees(c.curve.approach);
}

double Ln(float value) {
    return std::log(static_cast<double>(value));
}

/// Where the curve ends on the canvas: where it leaves the top of the plot, or its last point.
struct CurveEnd {
    std::size_t curve;
    QPointF at;
    bool leavesTop;
};

std::optional<CurveEnd> EndOf(const DemandChart& chart, const ChartGeometry& g, std::size_t i) {
    const std::vector<DemandPoint>& points = chart.curves[i].curve.points;
    if (points.empty()) return std::nullopt;
    const DemandPoint last = points.back();
    if (last.kaVL <= chart.kaVLTop || points.size() < 2) {
        return CurveEnd{i, g.At(last.liquidGas, std::min(last.kaVL, chart.kaVLTop)), false};
    }
    const DemandPoint before = points[points.size() - 2];
    const double share = (Ln(chart.kaVLTop) - Ln(before.kaVL)) / (Ln(last.kaVL) - Ln(before.kaVL));
    const double logLG = Ln(before.liquidGas) + share * (Ln(last.liquidGas) - Ln(before.liquidGas));
    return CurveEnd{i, g.At(std::exp(logLG), chart.kaVLTop), true};
}

/// Places every label first, clear of the markers, the curves' ends and each other; then paints.
class ChartPainter {
  public:
    explicit ChartPainter(const DemandChart& chart) : chart_(chart), g_(chart) {
        for (const QPointF& at : MarkerPositions())
            Occupy(at);
        PlaceCurveLabels();
        PlacePointLabels();
    }

    [[nodiscard]] ChartLabels Labels() const {
        ChartLabels result;
        for (const Label& label : labels_)
            result.boxes.push_back({label.text, label.box});
        for (const CurveEnd& end : ends_)
            result.curveEnds.push_back(end.at);
        return result;
    }

    void Paint(QPainter& painter) {
        p_ = &painter;
        p_->save();
        p_->setRenderHint(QPainter::Antialiasing);
        p_->fillRect(QRectF(0, 0, kCanvasWidth, kCanvasHeight), Qt::white);
        PaintGrid();
        PaintLines();
        PaintMarkers();
        PaintFrameAndTitles();
        for (const Label& label : labels_)
            PaintLabel(label);
        p_->restore();
    }

  private:
    void PaintGrid() {
        const QRectF plot = g_.Plot();
        p_->setFont(ChartFont(kTextPixels));
        const QFontMetricsF metrics(p_->font());
        ForEachGridValue(chart_.span.from, chart_.span.to, [&](double value, int mantissa) {
            const double x = g_.X(value);
            p_->setPen(GridPen(mantissa));
            p_->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            if (!Labelled(mantissa)) return;
            const QString text = Number(value);
            const double width = metrics.horizontalAdvance(text);
            p_->setPen(Qt::black);
            p_->drawText(QPointF(x - width / 2, plot.bottom() + 4 + metrics.ascent()), text);
        });
        ForEachGridValue(chart_.kaVLBottom, chart_.kaVLTop, [&](double value, int mantissa) {
            const double y = g_.Y(value);
            p_->setPen(GridPen(mantissa));
            p_->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            if (!Labelled(mantissa)) return;
            const QString text = Number(value);
            const double width = metrics.horizontalAdvance(text);
            p_->setPen(Qt::black);
            p_->drawText(QPointF(plot.left() - 5 - width, y + metrics.ascent() / 2 - 1), text);
        });
    }

    /// Calls `f(value, mantissa)` for every 1..9 × 10^k inside [low, high].
    template <typename F>
    static void ForEachGridValue(double low, double high, F f) {
        const int first = static_cast<int>(std::floor(std::log10(low)));
        const int last = static_cast<int>(std::ceil(std::log10(high)));
        for (int decade = first; decade <= last; ++decade) {
            for (int mantissa = 1; mantissa <= 9; ++mantissa) {
                const double value = mantissa * std::pow(10.0, decade);
                if (value >= low * (1 - 1e-6) && value <= high * (1 + 1e-6)) f(value, mantissa);
            }
        }
    }

    static bool Labelled(int mantissa) { return mantissa == 1 || mantissa == 2 || mantissa == 5; }

    static QPen GridPen(int mantissa) {
        if (mantissa == 1) return QPen(QColor(150, 150, 150), 0.8);
        if (Labelled(mantissa)) return QPen(QColor(190, 190, 190), 0.5);
        return QPen(QColor(228, 228, 228), 0.4);
    }

    void PaintLines() {
        p_->save();
        p_->setClipRect(g_.Plot());
        if (chart_.tower) {
            p_->setPen(TowerPen());
            p_->drawLine(TowerAt(chart_.span.from), TowerAt(chart_.span.to));
        }
        for (std::size_t i = 0; i < chart_.curves.size(); ++i) {
            const std::vector<DemandPoint>& points = chart_.curves[i].curve.points;
            if (points.empty()) continue;
            QPainterPath path(g_.At(points.front().liquidGas, points.front().kaVL));
            for (const DemandPoint& point : points)
                path.lineTo(g_.At(point.liquidGas, point.kaVL));
            p_->setPen(CurvePen(chart_, i));
            p_->setBrush(Qt::NoBrush);
            p_->drawPath(path);
        }
        p_->restore();
    }

    QPointF TowerAt(double liquidGas) const {
        return g_.At(liquidGas, TowerKaVL(*chart_.tower, static_cast<float>(liquidGas)));
    }

    std::vector<QPointF> CrossingPositions() const {
        std::vector<QPointF> positions;
        for (const ChartCurve& c : chart_.curves) {
            if (!c.towerCrossingLG) continue;
            const QPointF at = TowerAt(*c.towerCrossingLG);
            if (g_.Plot().contains(at)) positions.push_back(at);
        }
        return positions;
    }

    std::optional<QPointF> DesignPosition() const {
        if (!chart_.designPoint) return std::nullopt;
        return g_.At(chart_.designPoint->liquidGas, chart_.designPoint->kaVL);
    }

    std::optional<QPointF> OperatingPosition() const {
        if (!chart_.operatingPoint) return std::nullopt;
        return g_.At(chart_.operatingPoint->liquidGas, chart_.operatingPoint->kaVL);
    }

    std::vector<QPointF> MarkerPositions() const {
        std::vector<QPointF> positions = CrossingPositions();
        if (const auto at = DesignPosition()) positions.push_back(*at);
        if (const auto at = OperatingPosition()) positions.push_back(*at);
        return positions;
    }

    void PaintMarkers() {
        for (const QPointF& at : CrossingPositions()) {
            p_->setPen(QPen(kTowerColour, 1.2));
            p_->setBrush(Qt::white);
            p_->drawEllipse(at, kMarkerRadius - 0.5, kMarkerRadius - 0.5);
        }
        if (const auto at = DesignPosition()) PaintDesignMarker(*at);
        if (const auto at = OperatingPosition()) PaintOperatingMarker(*at);
    }

    void PaintDesignMarker(QPointF at) {
        p_->setPen(QPen(Qt::black, 1.0));
        p_->setBrush(Qt::black);
        p_->drawRect(QRectF(at.x() - 3.5, at.y() - 3.5, 7, 7));
    }

    void PaintOperatingMarker(QPointF at) {
        const double r = kMarkerRadius + 1.5;
        const QPointF diamond[] = {at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r),
                                   at + QPointF(-r, 0)};
        p_->setPen(QPen(Qt::black, 0.8));
        p_->setBrush(kOperatingColour);
        p_->drawPolygon(diamond, 4);
    }

    void Occupy(QPointF at) {
        const double r = kMarkerRadius + 1.5;
        taken_.push_back(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    }

    void PlaceCurveLabels() {
        std::vector<CurveEnd> top;
        std::vector<CurveEnd> side;
        for (std::size_t i = 0; i < chart_.curves.size(); ++i) {
            if (const std::optional<CurveEnd> end = EndOf(chart_, g_, i)) {
                (end->leavesTop ? top : side).push_back(*end);
                ends_.push_back(*end);
                // Keep the end itself clear of every label.
                taken_.push_back(QRectF(end->at.x() - 3, end->at.y() - 3, 6, 6));
            }
        }
        PlaceTopLabels(top);
        PlaceSideLabels(side);
    }

    /// Each label centred over the curve's end, in the row next to the plot if it is free there,
    /// else in the row above; failing both, moved along the first row to the next free place,
    /// with a leader back to the end.
    void PlaceTopLabels(std::vector<CurveEnd>& ends) {
        std::sort(ends.begin(), ends.end(),
                  [](const CurveEnd& a, const CurveEnd& b) { return a.at.x() < b.at.x(); });
        const QFont font = ChartFont(kTextPixels, true);
        for (const CurveEnd& end : ends) {
            Label label;
            label.text = CurveLabel(chart_.curves[end.curve]);
            label.colour = CurvePen(chart_, end.curve).color();
            const QSizeF size = TextSize(label.text, font);
            const double rowTops[] = {kPlotTop - 5 - size.height(),
                                      kPlotTop - 6 - 2 * size.height()};
            const double left = std::clamp(end.at.x() - size.width() / 2, kPlotLeft - 20,
                                           kCanvasWidth - 4 - size.width());
            label.box = QRectF(QPointF(left, rowTops[0]), size);
            if (Overlaps(label.box, taken_)) {
                const QRectF above(QPointF(left, rowTops[1]), size);
                if (!Overlaps(above, taken_)) {
                    label.box = above;
                } else {
                    while (Overlaps(label.box, taken_) && label.box.right() < kCanvasWidth) {
                        label.box.translate(2, 0);
                    }
                }
            }
            if (std::abs(label.box.center().x() - end.at.x()) > 2) label.leaderFrom = end.at;
            Place(label);
        }
    }

    void PlaceSideLabels(std::vector<CurveEnd>& ends) {
        std::sort(ends.begin(), ends.end(),
                  [](const CurveEnd& a, const CurveEnd& b) { return a.at.y() < b.at.y(); });
        const QFont font = ChartFont(kTextPixels, true);
        std::vector<double> starts;
        std::vector<double> heights;
        for (const CurveEnd& end : ends) {
            const double height = TextSize(CurveLabel(chart_.curves[end.curve]), font).height();
            heights.push_back(height);
            starts.push_back(end.at.y() - height / 2);
        }
        Spread(starts, heights, kPlotTop, kPlotBottom);
        for (std::size_t i = 0; i < ends.size(); ++i) {
            Label label;
            label.text = CurveLabel(chart_.curves[ends[i].curve]);
            label.colour = CurvePen(chart_, ends[i].curve).color();
            const QSizeF size = TextSize(label.text, font);
            label.box = QRectF(ends[i].at.x() + 6, starts[i], size.width(), heights[i]);
            if (std::abs(label.box.center().y() - ends[i].at.y()) > 2) {
                label.leaderFrom = ends[i].at;
            }
            Place(label);
        }
    }

    void PlacePointLabels() {
        if (chart_.operatingPoint) {
            const OperatingPoint& op = *chart_.operatingPoint;
            PlaceNear(g_.At(op.liquidGas, op.kaVL),
                      QStringLiteral("%1 °F approach, cold water %2 °F")
                          .arg(Fixed(op.approach, 2), Fixed(op.coldWater, 2)),
                      kOperatingColour);
        }
        if (chart_.designPoint) {
            const DemandPoint& d = *chart_.designPoint;
            PlaceNear(g_.At(d.liquidGas, d.kaVL),
                      QStringLiteral("design: L/G %1, KaV/L %2")
                          .arg(Number(d.liquidGas), Number(d.kaVL, 4)),
                      Qt::black);
        }
    }

    /// Puts a label beside a marker where it meets no other label, marker or curve end.
    void PlaceNear(QPointF at, const QString& text, const QColor& colour) {
        Label label;
        label.text = text;
        label.colour = colour;
        label.background = true;
        const QSizeF size = TextSize(text, ChartFont(kTextPixels, true));
        label.box = FreeBoxNear(at, size);
        if (!label.box
                 .adjusted(-kMarkerRadius - 6, -kMarkerRadius - 6, kMarkerRadius + 6,
                           kMarkerRadius + 6)
                 .contains(at)) {
            label.leaderFrom = at;
        }
        Place(label);
    }

    /// The first free place for a box of `size` inside the plot, in rings of eight places
    /// around `at` that grow until one is free; the nearest place when none is.
    QRectF FreeBoxNear(QPointF at, QSizeF size) const {
        constexpr int kRings = 12;
        constexpr double kRingStep = 12.0;
        const double w = size.width();
        const double h = size.height();
        for (int ring = 0; ring < kRings; ++ring) {
            const double d = kMarkerRadius + 4 + ring * kRingStep;
            const std::array<QPointF, 8> corners{{
                {at.x() + d, at.y() - d - h},
                {at.x() + d, at.y() + d},
                {at.x() - d - w, at.y() - d - h},
                {at.x() - d - w, at.y() + d},
                {at.x() + d, at.y() - h / 2},
                {at.x() - d - w, at.y() - h / 2},
                {at.x() - w / 2, at.y() - d - h},
                {at.x() - w / 2, at.y() + d},
            }};
            for (const QPointF& corner : corners) {
                const QRectF box(corner, size);
                if (g_.Plot().contains(box) && !Overlaps(box, taken_)) return box;
            }
        }
        const QRectF plot = g_.Plot();
        return QRectF(QPointF(std::clamp(at.x() - w - 8, plot.left(), plot.right() - w),
                              std::clamp(at.y() + 8, plot.top(), plot.bottom() - h)),
                      size);
    }

    void Place(const Label& label) {
        labels_.push_back(label);
        taken_.push_back(label.box.adjusted(-1, -1, 1, 1));
    }

    void PaintLabel(const Label& label) {
        const QFont font = ChartFont(kTextPixels, true);
        if (label.leaderFrom) {
            // To the nearest point of the label's box.
            const QRectF& b = label.box;
            const QPointF from = *label.leaderFrom;
            const QPointF to(std::clamp(from.x(), b.left(), b.right()),
                             std::clamp(from.y(), b.top(), b.bottom()));
            p_->setPen(QPen(label.colour, 0.6));
            p_->drawLine(from, to);
        }
        if (label.background) {
            p_->fillRect(label.box, QColor(255, 255, 255, 225));
        }
        p_->setFont(font);
        p_->setPen(label.colour);
        p_->drawText(label.box, Qt::AlignCenter, label.text);
    }

    void PaintFrameAndTitles() {
        const QRectF plot = g_.Plot();
        p_->setPen(QPen(Qt::black, 1.0));
        p_->setBrush(Qt::NoBrush);
        p_->drawRect(plot);

        p_->setFont(ChartFont(kTitlePixels, true));
        const QString title =
            QStringLiteral("Demand curves at wet bulb %1, range %2, %3 psia")
                .arg(Degrees(chart_.wetBulb), Degrees(chart_.range), Number(chart_.pressure));
        p_->drawText(QRectF(0, kTitleBaseline - 18, kCanvasWidth, 24), Qt::AlignHCenter, title);

        p_->setFont(ChartFont(kAxisTitlePixels, true));
        p_->drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 20), Qt::AlignHCenter,
                     QStringLiteral("L/G"));
        p_->save();
        p_->translate(16, plot.center().y());
        p_->rotate(-90);
        p_->drawText(QRectF(-100, -10, 200, 20), Qt::AlignCenter, QStringLiteral("KaV/L"));
        p_->restore();
        PaintCaption();
    }

    /// One line under the plot: the tower's C and m, and what the markers mean.
    void PaintCaption() {
        const QFont font = ChartFont(kTextPixels);
        p_->setFont(font);
        const QFontMetricsF metrics(font);
        double x = kPlotLeft;
        const double y = kCaptionBaseline;
        const auto text = [&](const QString& s) {
            p_->setPen(Qt::black);
            p_->drawText(QPointF(x, y), s);
            x += metrics.horizontalAdvance(s) + 14;
        };
        const QPointF markerOffset(5, -metrics.ascent() / 2 + 1);
        if (chart_.tower) {
            p_->setPen(TowerPen());
            p_->drawLine(QPointF(x, y - 4), QPointF(x + 22, y - 4));
            x += 28;
            text(QStringLiteral("tower KaV/L = C·(L/G)^−m, C = %1, m = %2")
                     .arg(Number(chart_.tower->c), Number(chart_.tower->m)));
        }
        PaintDesignMarker(QPointF(x, y) + markerOffset);
        x += 13;
        text(QStringLiteral("design point"));
        if (chart_.tower) {
            PaintOperatingMarker(QPointF(x, y) + markerOffset);
            x += 13;
            text(chart_.operatingPoint
                     ? QStringLiteral("operating point")
                     : QStringLiteral("no operating point: ") +
                           QString::fromUtf8(
                               chart_.noOperatingPoint.data(),
                               static_cast<qsizetype>(chart_.noOperatingPoint.size())));
            p_->setPen(QPen(kTowerColour, 1.2));
            p_->setBrush(Qt::white);
            p_->drawEllipse(QPointF(x, y) + markerOffset, kMarkerRadius - 0.5, kMarkerRadius - 0.5);
            x += 13;
            text(QStringLiteral("crossing"));
        }
    }

    QPainter* p_ = nullptr;  ///< while painting
    const DemandChart& chart_;
    ChartGeometry g_;
    std::vector<Label> labels_;
    std::vector<QRectF> taken_;
    std::vector<CurveEnd> ends_;
};

}  // namespace

ChartGeometry::ChartGeometry(const DemandChart& chart)
    : plot_(QPointF(kPlotLeft, kPlotTop), QPointF(kPlotRight, kPlotBottom)),
      logLeft_(std::log(static_cast<double>(chart.span.from))),
      logRight_(std::log(static_cast<double>(chart.span.to))),
      logBottom_(std::log(static_cast<double>(chart.kaVLBottom))),
      logTop_(std::log(static_cast<double>(chart.kaVLTop))) {}

double ChartGeometry::X(double liquidGas) const {
    return plot_.left() + plot_.width() * (std::log(liquidGas) - logLeft_) / (logRight_ - logLeft_);
}

double ChartGeometry::Y(double kaVL) const {
    return plot_.bottom() - plot_.height() * (std::log(kaVL) - logBottom_) / (logTop_ - logBottom_);
}

double ChartGeometry::LiquidGasAt(double x) const {
    return std::exp(logLeft_ + (x - plot_.left()) / plot_.width() * (logRight_ - logLeft_));
}

double ChartGeometry::KaVLAt(double y) const {
    return std::exp(logBottom_ + (plot_.bottom() - y) / plot_.height() * (logTop_ - logBottom_));
}

QTransform CanvasToDevice(const QSizeF& size) {
    const double scale = std::min(size.width() / kCanvasWidth, size.height() / kCanvasHeight);
    QTransform transform;
    transform.translate((size.width() - kCanvasWidth * scale) / 2.0,
                        (size.height() - kCanvasHeight * scale) / 2.0);
    transform.scale(scale, scale);
    return transform;
}

void PaintChartAt(QPainter& painter, const DemandChart& chart, const QSizeF& size) {
    painter.save();
    painter.setTransform(CanvasToDevice(size), true);
    PaintChart(painter, chart);
    painter.restore();
}

namespace {

double DistanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

}  // namespace

std::optional<std::size_t> NearestCurve(const DemandChart& chart, const QPointF& canvasPoint) {
    const ChartGeometry g(chart);
    std::optional<std::size_t> nearest;
    double nearestDistance = 0.0;
    for (std::size_t i = 0; i < chart.curves.size(); ++i) {
        const std::vector<DemandPoint>& points = chart.curves[i].curve.points;
        for (std::size_t k = 1; k < points.size(); ++k) {
            const double distance =
                DistanceToSegment(canvasPoint, g.At(points[k - 1].liquidGas, points[k - 1].kaVL),
                                  g.At(points[k].liquidGas, points[k].kaVL));
            if (!nearest || distance < nearestDistance) {
                nearest = i;
                nearestDistance = distance;
            }
        }
    }
    return nearest;
}

QPen CurvePen(const DemandChart& chart, std::size_t curve) {
    const CurveStyle& style = kCurveStyles[curve % kCurveStyles.size()];
    const bool design = chart.curves[curve].design;
    QPen pen(QColor(style.colour), design ? kDesignCurveWidth : kCurveWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (!design) pen.setDashPattern({style.dash[0], style.dash[1], style.dash[2], style.dash[3]});
    return pen;
}

QPen TowerPen() {
    QPen pen(kTowerColour, kTowerWidth);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void PaintChart(QPainter& painter, const DemandChart& chart) {
    ChartPainter(chart).Paint(painter);
}

ChartLabels LayOutLabels(const DemandChart& chart) {
    return ChartPainter(chart).Labels();
}

QImage RenderChart(const DemandChart& chart, double scale) {
    return RenderCanvas([&chart](QPainter& painter) { PaintChart(painter, chart); }, scale);
}

bool WriteChart(const DemandChart& chart, const QString& path, ChartFormat format, QString& error) {
    const QString title =
        QStringLiteral("Demand curves, wet bulb %1 °F").arg(Number(chart.wetBulb));
    return WriteCanvas([&chart](QPainter& painter) { PaintChart(painter, chart); }, title, path,
                       format, error);
}

}  // namespace veltrane::chart
