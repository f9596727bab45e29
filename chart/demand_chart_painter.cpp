#include "demand_chart_painter.h"

#include "chart_caption.h"
#include "chart_file.h"
#include "chart_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
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
/// Each caption line past the first raises the plot's bottom by this much.
constexpr double kCaptionLineHeight = 14.0;
constexpr double kCaptionRight = kCanvasWidth - 8.0;
constexpr int kTitlePixels = 15;
constexpr int kAxisTitlePixels = 13;
constexpr int kBlockPixels = 10;
constexpr double kLabelGap = 4.0;
constexpr double kMarkerRadius = 4.0;

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

QString CurveLabel(const ChartCurve& c, UnitSystem units, const ChartNumbers& numbers) {
    const QString approach = numbers.temperatureDifference(D(c.curve.approach), units);
    return c.design ? approach + QStringLiteral(" design") : approach;
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
        return CurveEnd{i, g.At(D(last.liquidGas), D(std::min(last.kaVL, chart.kaVLTop))), false};
    }
    const DemandPoint before = points[points.size() - 2];
    const double share = (Ln(chart.kaVLTop) - Ln(before.kaVL)) / (Ln(last.kaVL) - Ln(before.kaVL));
    const double logLG = Ln(before.liquidGas) + share * (Ln(last.liquidGas) - Ln(before.liquidGas));
    return CurveEnd{i, g.At(std::exp(logLG), D(chart.kaVLTop)), true};
}

/// The L/G ticks worth a label, in the order they are offered one: 1, then 2 and 5, then 3, 4
/// and 1.5, then 6 and 8 times a power of ten, each taken where it keeps clear of those before.
constexpr std::array<std::array<double, 3>, 4> kTickTiers{{
    {1.0, 0.0, 0.0},
    {2.0, 5.0, 0.0},
    {3.0, 4.0, 1.5},
    {6.0, 8.0, 0.0},
}};

/// The values m × 10^k inside [low, high] for one mantissa m.
std::vector<double> ValuesOfMantissa(double mantissa, double low, double high) {
    std::vector<double> values;
    const int first = static_cast<int>(std::floor(std::log10(low))) - 1;
    const int last = static_cast<int>(std::ceil(std::log10(high)));
    for (int decade = first; decade <= last; ++decade) {
        const double value = mantissa * std::pow(10.0, decade);
        if (value >= low * (1 - 1e-6) && value <= high * (1 + 1e-6)) values.push_back(value);
    }
    return values;
}

/// Places every label first, clear of the markers, the curves' ends and each other; then paints.
class ChartPainter {
  public:
    ChartPainter(const DemandChart& chart, const ChartLook& look, const QLocale& locale)
        : chart_(chart),
          look_(look),
          numbers_(locale),
          caption_(LayOutCaption(chart, kPlotLeft, kCaptionRight, numbers_)),
          g_(chart, CaptionLines(caption_)) {
        for (const QPointF& at : MarkerPositions())
            Occupy(at);
        PlaceCurveLabels();
        PlaceConditionsBlock();
        PlacePointLabels();
    }

    [[nodiscard]] ChartLabels Labels() const {
        ChartLabels result;
        for (const Label& label : labels_) {
            result.boxes.push_back({label.text, label.box});
            if (label.leaderFrom) result.leaders.push_back(Leader(label));
        }
        result.boxes.push_back({QStringLiteral("design conditions"), block_});
        const QFontMetricsF metrics(ChartFont(kTextPixels));
        for (const CaptionPiece& piece : caption_) {
            const double width = MarkerWidth(piece.marker) + metrics.horizontalAdvance(piece.text);
            result.boxes.push_back(
                {piece.text, QRectF(piece.x, CaptionBaseline(piece.line) - metrics.ascent(), width,
                                    metrics.height())});
        }
        for (const CurveEnd& end : ends_)
            result.curveEnds.push_back(end.at);
        result.plot = g_.Plot();
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
        PaintConditionsBlock();
        PaintNoCurveNote();
        for (const Label& label : labels_)
            PaintLabel(label);
        p_->restore();
    }

  private:
    void PaintGrid() {
        const QRectF plot = g_.Plot();
        p_->setFont(ChartFont(kTextPixels));
        const QFontMetricsF metrics(p_->font());
        ForEachGridValue(D(chart_.span.from), D(chart_.span.to), [&](double value, int mantissa) {
            const double x = g_.X(value);
            p_->setPen(GridPen(mantissa));
            p_->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        });
        for (const double value : LabelledLiquidGas(metrics)) {
            const double x = g_.X(value);
            const QString text = numbers_.number(value);
            if (std::fmod(value / std::pow(10.0, std::floor(std::log10(value))), 1.0) > 0.01) {
                p_->setPen(GridPen(5));  // 1.5: a labelled line between the whole mantissas
                p_->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            }
            const double width = metrics.horizontalAdvance(text);
            p_->setPen(Qt::black);
            p_->drawText(QPointF(x - width / 2, plot.bottom() + 4 + metrics.ascent()), text);
        }
        ForEachGridValue(D(chart_.kaVLBottom), D(chart_.kaVLTop), [&](double value, int mantissa) {
            const double y = g_.Y(value);
            p_->setPen(GridPen(mantissa));
            p_->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            if (!Labelled(mantissa)) return;
            const QString text = numbers_.number(value);
            const double width = metrics.horizontalAdvance(text);
            p_->setPen(Qt::black);
            p_->drawText(QPointF(plot.left() - 5 - width, y + metrics.ascent() / 2 - 1), text);
        });
    }

    /// The L/G ticks that get a label: tier by tier, each where its text keeps a gap from every
    /// text taken before and stays on the canvas.
    std::vector<double> LabelledLiquidGas(const QFontMetricsF& metrics) const {
        constexpr double kTickGap = 8.0;
        std::vector<double> taken;
        std::vector<std::pair<double, double>> spans;
        for (const auto& tier : kTickTiers) {
            for (const double mantissa : tier) {
                if (mantissa == 0.0) continue;
                for (const double value :
                     ValuesOfMantissa(mantissa, D(chart_.span.from), D(chart_.span.to))) {
                    const double x = g_.X(value);
                    const double half =
                        metrics.horizontalAdvance(numbers_.number(value)) / 2 + kTickGap / 2;
                    const bool clear = std::none_of(spans.begin(), spans.end(), [&](auto span) {
                        return x - half < span.second && x + half > span.first;
                    });
                    if (!clear || x - half < 0 || x + half > kCanvasWidth) continue;
                    spans.emplace_back(x - half, x + half);
                    taken.push_back(value);
                }
            }
        }
        return taken;
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
            p_->drawLine(TowerAt(D(chart_.span.from)), TowerAt(D(chart_.span.to)));
        }
        for (std::size_t i = 0; i < chart_.curves.size(); ++i) {
            const std::vector<DemandPoint>& points = chart_.curves[i].curve.points;
            if (points.empty()) continue;
            QPainterPath path(g_.At(D(points.front().liquidGas), D(points.front().kaVL)));
            for (const DemandPoint& point : points)
                path.lineTo(g_.At(D(point.liquidGas), D(point.kaVL)));
            p_->setPen(CurvePen(chart_, i));
            p_->setBrush(Qt::NoBrush);
            p_->drawPath(path);
        }
        p_->restore();
    }

    QPointF TowerAt(double liquidGas) const {
        return g_.At(liquidGas, D(TowerKaVL(*chart_.tower, static_cast<float>(liquidGas))));
    }

    /// The crossings inside the plot, with their L/G.
    std::vector<std::pair<QPointF, float>> Crossings() const {
        std::vector<std::pair<QPointF, float>> crossings;
        for (const ChartCurve& c : chart_.curves) {
            if (!c.towerCrossingLG) continue;
            const QPointF at = TowerAt(D(*c.towerCrossingLG));
            if (g_.Plot().contains(at)) crossings.emplace_back(at, *c.towerCrossingLG);
        }
        return crossings;
    }

    std::vector<QPointF> CrossingPositions() const {
        std::vector<QPointF> positions;
        for (const auto& crossing : Crossings())
            positions.push_back(crossing.first);
        return positions;
    }

    /// A point's place, or nothing when it lies outside the plot (its L/G outside the span).
    std::optional<QPointF> InsidePlot(float liquidGas, float kaVL) const {
        const QPointF at = g_.At(D(liquidGas), D(kaVL));
        if (!g_.Plot().contains(at)) return std::nullopt;
        return at;
    }

    std::optional<QPointF> DesignPosition() const {
        if (!chart_.designPoint) return std::nullopt;
        return InsidePlot(chart_.designPoint->liquidGas, chart_.designPoint->kaVL);
    }

    std::optional<QPointF> OperatingPosition() const {
        if (!chart_.operatingPoint) return std::nullopt;
        return InsidePlot(chart_.operatingPoint->liquidGas, chart_.operatingPoint->kaVL);
    }

    std::vector<QPointF> MarkerPositions() const {
        std::vector<QPointF> positions = CrossingPositions();
        if (const auto at = DesignPosition()) positions.push_back(*at);
        if (const auto at = OperatingPosition()) positions.push_back(*at);
        return positions;
    }

    void PaintMarkers() {
        for (const QPointF& at : CrossingPositions())
            PaintCrossingMarker(at);
        if (const auto at = DesignPosition()) PaintDesignMarker(*at);
        if (const auto at = OperatingPosition()) PaintOperatingMarker(*at);
    }

    void PaintCrossingMarker(QPointF at) {
        p_->setPen(QPen(kTowerColour, 1.2));
        p_->setBrush(Qt::white);
        p_->drawEllipse(at, kMarkerRadius - 0.5, kMarkerRadius - 0.5);
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
        taken_.emplace_back(at.x() - r, at.y() - r, 2 * r, 2 * r);
    }

    void PlaceCurveLabels() {
        std::vector<CurveEnd> top;
        std::vector<CurveEnd> side;
        for (std::size_t i = 0; i < chart_.curves.size(); ++i) {
            if (const std::optional<CurveEnd> end = EndOf(chart_, g_, i)) {
                (end->leavesTop ? top : side).push_back(*end);
                ends_.push_back(*end);
                // Keep the end itself clear of every label.
                taken_.emplace_back(end->at.x() - 3, end->at.y() - 3, 6, 6);
            }
        }
        PlaceTopLabels(top);
        PlaceSideLabels(side);
    }

    /// Each label centred over the curve's end, in the row next to the plot if it is free there,
    /// else in the row above; failing both, at the first free place along either row, with a
    /// leader back to the end. Every place lies on the canvas.
    void PlaceTopLabels(std::vector<CurveEnd>& ends) {
        std::sort(ends.begin(), ends.end(),
                  [](const CurveEnd& a, const CurveEnd& b) { return a.at.x() < b.at.x(); });
        const QFont font = ChartFont(kTextPixels, true);
        for (const CurveEnd& end : ends) {
            Label label;
            label.text = CurveLabel(chart_.curves[end.curve], look_.units, numbers_);
            label.colour = CurvePen(chart_, end.curve).color();
            const QSizeF size = TextSize(label.text, font);
            const double rowTops[] = {kPlotTop - 5 - size.height(),
                                      kPlotTop - 6 - 2 * size.height()};
            const double rightmost = kCanvasWidth - 4 - size.width();
            const double left = std::clamp(end.at.x() - size.width() / 2, 4.0, rightmost);
            label.box = FirstFreeInRows(left, rowTops, size, rightmost);
            if (std::abs(label.box.center().x() - end.at.x()) > 2) label.leaderFrom = end.at;
            Place(label);
        }
    }

    /// At `left` in the first row, then the second; then moving right along each row from
    /// `left`, then from the canvas's left edge; the wished place when no place is free.
    QRectF FirstFreeInRows(double left, const double (&rowTops)[2], QSizeF size,
                           double rightmost) const {
        for (const double top : rowTops) {
            const QRectF box(QPointF(left, top), size);
            if (!Overlaps(box, taken_)) return box;
        }
        for (const double start : {left, 4.0}) {
            for (const double top : rowTops) {
                for (double x = start; x <= rightmost; x += 2) {
                    const QRectF box(QPointF(x, top), size);
                    if (!Overlaps(box, taken_)) return box;
                }
            }
        }
        return QRectF(QPointF(left, rowTops[0]), size);
    }

    void PlaceSideLabels(std::vector<CurveEnd>& ends) {
        std::sort(ends.begin(), ends.end(),
                  [](const CurveEnd& a, const CurveEnd& b) { return a.at.y() < b.at.y(); });
        const QFont font = ChartFont(kTextPixels, true);
        std::vector<double> starts;
        std::vector<double> heights;
        for (const CurveEnd& end : ends) {
            const double height =
                TextSize(CurveLabel(chart_.curves[end.curve], look_.units, numbers_), font)
                    .height();
            heights.push_back(height);
            starts.push_back(end.at.y() - height / 2);
        }
        Spread(starts, heights, kPlotTop, g_.Plot().bottom());
        for (std::size_t i = 0; i < ends.size(); ++i) {
            Label label;
            label.text = CurveLabel(chart_.curves[ends[i].curve], look_.units, numbers_);
            label.colour = CurvePen(chart_, ends[i].curve).color();
            const QSizeF size = TextSize(label.text, font);
            const double left = std::min(ends[i].at.x() + 6, kCanvasWidth - 2 - size.width());
            label.box = QRectF(left, starts[i], size.width(), heights[i]);
            if (std::abs(label.box.center().y() - ends[i].at.y()) > 2) {
                label.leaderFrom = ends[i].at;
            }
            Place(label);
        }
    }

    /// The design's conditions as name and value lines.
    std::vector<std::pair<QString, QString>> ConditionLines() const {
        std::vector<std::pair<QString, QString>> lines{
            {QStringLiteral("wet bulb"), numbers_.temperature(D(chart_.wetBulb), look_.units)},
            {QStringLiteral("hot water"), numbers_.temperature(D(chart_.hotWater), look_.units)},
            {QStringLiteral("cold water"), numbers_.temperature(D(chart_.coldWater), look_.units)},
            {QStringLiteral("range"), numbers_.temperatureDifference(D(chart_.range), look_.units)},
            {QStringLiteral("approach"),
             numbers_.temperatureDifference(D(chart_.approach), look_.units)},
            {QStringLiteral("L/G"), numbers_.number(D(chart_.liquidGas))},
        };
        if (chart_.tower) {
            lines.emplace_back(QStringLiteral("tower C"), numbers_.number(D(chart_.tower->c)));
            lines.emplace_back(QStringLiteral("tower m"), numbers_.number(D(chart_.tower->m)));
        }
        return lines;
    }

    static constexpr double kBlockPadding = 4.0;
    static constexpr double kBlockColumnGap = 10.0;

    QSizeF ConditionsSize() const {
        const QFontMetricsF metrics(ChartFont(kBlockPixels));
        double names = 0;
        double values = 0;
        for (const auto& [name, value] : ConditionLines()) {
            names = std::max(names, metrics.horizontalAdvance(name));
            values = std::max(values, metrics.horizontalAdvance(value));
        }
        const double lines = static_cast<double>(ConditionLines().size()) + 1;  // and the heading
        return {names + kBlockColumnGap + values + 2 * kBlockPadding,
                lines * metrics.height() + 2 * kBlockPadding};
    }

    /// How much of the drawing a box inside the plot would hide: curve points, tower line
    /// samples and markers inside it, and labels it meets.
    int Clutter(const QRectF& box) const {
        int count = 0;
        for (const ChartCurve& c : chart_.curves) {
            for (const DemandPoint& point : c.curve.points)
                count += box.contains(g_.At(D(point.liquidGas), D(point.kaVL))) ? 1 : 0;
        }
        if (chart_.tower) {
            constexpr int kSamples = 60;
            const double ratio = D(chart_.span.to) / D(chart_.span.from);
            for (int k = 0; k <= kSamples; ++k) {
                const double lg = D(chart_.span.from) * std::pow(ratio, k / double{kSamples});
                count += box.contains(TowerAt(lg)) ? 3 : 0;
            }
        }
        for (const QRectF& other : taken_)
            count += box.intersects(other) ? 20 : 0;
        return count;
    }

    /// The block of the design's conditions in the plot's corner where it hides least.
    void PlaceConditionsBlock() {
        const QRectF plot = g_.Plot().adjusted(6, 6, -6, -6);
        const QSizeF size = ConditionsSize();
        const std::array<QPointF, 4> corners{{
            plot.topLeft(),
            {plot.right() - size.width(), plot.top()},
            {plot.left(), plot.bottom() - size.height()},
            {plot.right() - size.width(), plot.bottom() - size.height()},
        }};
        int least = std::numeric_limits<int>::max();
        for (const QPointF& corner : corners) {
            const QRectF box(corner, size);
            const int clutter = Clutter(box);
            if (clutter < least) {
                least = clutter;
                block_ = box;
            }
        }
        taken_.push_back(block_.adjusted(-1, -1, 1, 1));
    }

    void PaintConditionsBlock() {
        p_->setPen(QPen(QColor(150, 150, 150), 0.6));
        p_->setBrush(QColor(255, 255, 255, 235));
        p_->drawRect(block_);
        const QFont font = ChartFont(kBlockPixels);
        const QFontMetricsF metrics(font);
        const QRectF inner = block_.adjusted(kBlockPadding, kBlockPadding, -kBlockPadding, 0);
        double y = inner.top() + metrics.ascent();
        p_->setPen(Qt::black);
        p_->setFont(ChartFont(kBlockPixels, true));
        p_->drawText(QPointF(inner.left(), y), QStringLiteral("Design"));
        p_->setFont(font);
        for (const auto& [name, value] : ConditionLines()) {
            y += metrics.height();
            p_->drawText(QPointF(inner.left(), y), name);
            p_->drawText(QPointF(inner.right() - metrics.horizontalAdvance(value), y), value);
        }
    }

    /// Where no approach has a demand anywhere in the span, the empty plot says so.
    void PaintNoCurveNote() {
        const bool anyCurve =
            std::any_of(chart_.curves.begin(), chart_.curves.end(),
                        [](const ChartCurve& c) { return !c.curve.points.empty(); });
        if (anyCurve) return;
        const QString note =
            QStringLiteral(
                "No demand curve falls in L/G %1 to %2: at every approach drawn a "
                "driving force is zero or negative there (the air line reaches the "
                "saturation curve), so the KaV/L has no meaning.")
                .arg(numbers_.number(D(chart_.span.from)), numbers_.number(D(chart_.span.to)));
        const QFont font = ChartFont(kAxisTitlePixels, true);
        const QRectF plot = g_.Plot();
        const QRectF box(plot.left() + 40, plot.center().y() - 40, plot.width() - 80, 80);
        p_->setFont(font);
        p_->setPen(kOperatingColour);
        p_->drawText(box, Qt::AlignCenter | Qt::TextWordWrap, note);
    }

    void PlacePointLabels() {
        if (const auto at = OperatingPosition()) {
            const OperatingPoint& op = *chart_.operatingPoint;
            const UnitSystem units = look_.units;
            PlaceNear(*at,
                      QStringLiteral("%1 %2 approach, cold water %3 %4")
                          .arg(numbers_.fixed(ValueInUnits(Quantity::kTemperatureDifference, units,
                                                           D(op.approach)),
                                              2),
                               DifferenceUnit(units),
                               numbers_.fixed(
                                   ValueInUnits(Quantity::kTemperature, units, D(op.coldWater)), 2),
                               TemperatureUnit(units)),
                      kOperatingColour);
        }
        if (const auto at = DesignPosition()) {
            const DemandPoint& d = *chart_.designPoint;
            PlaceNear(*at,
                      QStringLiteral("design: L/G %1, KaV/L %2")
                          .arg(numbers_.number(D(d.liquidGas)), numbers_.number(D(d.kaVL), 4)),
                      Qt::black);
        }
        PlaceTowerLabel();
        if (look_.labelCrossings) {
            for (const auto& [at, liquidGas] : Crossings()) {
                PlaceNear(at,
                          QStringLiteral("L/G %1, KaV/L %2")
                              .arg(numbers_.number(D(liquidGas), 3),
                                   numbers_.number(D(TowerKaVL(*chart_.tower, liquidGas)), 4)),
                          kTowerColour);
            }
        }
    }

    /// The tower line's own label, beside the first of a few places along the line that lies
    /// inside the plot.
    void PlaceTowerLabel() {
        if (!chart_.tower) return;
        const double ratio = D(chart_.span.to) / D(chart_.span.from);
        for (const double share : {0.12, 0.3, 0.5, 0.7, 0.88}) {
            const QPointF at = TowerAt(D(chart_.span.from) * std::pow(ratio, share));
            if (!g_.Plot().contains(at)) continue;
            PlaceNear(
                at,
                QStringLiteral("tower %1·(L/G)^−%2")
                    .arg(numbers_.number(D(chart_.tower->c)), numbers_.number(D(chart_.tower->m))),
                kTowerColour);
            return;
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

    /// From the marker or curve end to the nearest point of the label's box.
    static QLineF Leader(const Label& label) {
        const QRectF& b = label.box;
        const QPointF from = *label.leaderFrom;
        return {from, QPointF(std::clamp(from.x(), b.left(), b.right()),
                              std::clamp(from.y(), b.top(), b.bottom()))};
    }

    void PaintLabel(const Label& label) {
        const QFont font = ChartFont(kTextPixels, true);
        if (label.leaderFrom) {
            p_->setPen(QPen(label.colour, 0.6));
            p_->drawLine(Leader(label));
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
        const QString title = QStringLiteral("Demand curves at wet bulb %1, range %2, %3")
                                  .arg(numbers_.temperature(D(chart_.wetBulb), look_.units),
                                       numbers_.temperatureDifference(D(chart_.range), look_.units),
                                       numbers_.pressure(D(chart_.pressure), look_.units));
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

    /// The baseline of a caption line: the last line sits at the foot of the canvas.
    double CaptionBaseline(int line) const {
        return kCaptionBaseline + (line - (CaptionLines(caption_) - 1)) * kCaptionLineHeight;
    }

    /// Under the plot: the tower's C and m, and what the markers mean, on as many lines as the
    /// texts need.
    void PaintCaption() {
        const QFont font = ChartFont(kTextPixels);
        p_->setFont(font);
        const QFontMetricsF metrics(font);
        for (const CaptionPiece& piece : caption_) {
            const double y = CaptionBaseline(piece.line);
            const QPointF markerAt = QPointF(piece.x, y) + QPointF(5, -metrics.ascent() / 2 + 1);
            switch (piece.marker) {
                case CaptionMarker::kNone:
                    break;
                case CaptionMarker::kTowerLine:
                    p_->setPen(TowerPen());
                    p_->drawLine(QPointF(piece.x, y - 4), QPointF(piece.x + 22, y - 4));
                    break;
                case CaptionMarker::kDesign:
                    PaintDesignMarker(markerAt);
                    break;
                case CaptionMarker::kOperating:
                    PaintOperatingMarker(markerAt);
                    break;
                case CaptionMarker::kCrossing:
                    PaintCrossingMarker(markerAt);
                    break;
            }
            p_->setPen(Qt::black);
            p_->drawText(QPointF(piece.x + MarkerWidth(piece.marker), y), piece.text);
        }
    }

    QPainter* p_ = nullptr;  ///< while painting
    const DemandChart& chart_;
    ChartLook look_;
    ChartNumbers numbers_;
    std::vector<CaptionPiece> caption_;
    ChartGeometry g_;
    std::vector<Label> labels_;
    std::vector<QRectF> taken_;
    std::vector<CurveEnd> ends_;
    QRectF block_;
};

}  // namespace

ChartGeometry::ChartGeometry(const DemandChart& chart, int captionLines)
    : plot_(
          QPointF(kPlotLeft, kPlotTop),
          QPointF(kPlotRight, kPlotBottom - (std::max(captionLines, 1) - 1) * kCaptionLineHeight)),
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

ChartGeometry PaintedGeometry(const DemandChart& chart, const QLocale& locale) {
    return ChartGeometry(
        chart, CaptionLines(LayOutCaption(chart, kPlotLeft, kCaptionRight, ChartNumbers(locale))));
}

QTransform CanvasToDevice(const QSizeF& size, const QSizeF& canvas) {
    const double scale = std::min(size.width() / canvas.width(), size.height() / canvas.height());
    QTransform transform;
    transform.translate((size.width() - canvas.width() * scale) / 2.0,
                        (size.height() - canvas.height() * scale) / 2.0);
    transform.scale(scale, scale);
    return transform;
}

void PaintChartAt(QPainter& painter, const DemandChart& chart, const QSizeF& size,
                  const ChartLook& look, const QLocale& locale) {
    painter.save();
    painter.setTransform(CanvasToDevice(size), true);
    PaintChart(painter, chart, look, locale);
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

std::optional<std::size_t> NearestCurve(const DemandChart& chart, const ChartGeometry& g,
                                        const QPointF& canvasPoint) {
    std::optional<std::size_t> nearest;
    double nearestDistance = 0.0;
    for (std::size_t i = 0; i < chart.curves.size(); ++i) {
        const std::vector<DemandPoint>& points = chart.curves[i].curve.points;
        for (std::size_t k = 1; k < points.size(); ++k) {
            const QPointF from = g.At(D(points[k - 1].liquidGas), D(points[k - 1].kaVL));
            const QPointF to = g.At(D(points[k].liquidGas), D(points[k].kaVL));
            const double distance = DistanceToSegment(canvasPoint, from, to);
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

void PaintChart(QPainter& painter, const DemandChart& chart, const ChartLook& look,
                const QLocale& locale) {
    ChartPainter(chart, look, locale).Paint(painter);
}

ChartLabels LayOutLabels(const DemandChart& chart, const ChartLook& look, const QLocale& locale) {
    return ChartPainter(chart, look, locale).Labels();
}

QImage RenderChart(const DemandChart& chart, double scale, const ChartLook& look,
                   const QLocale& locale) {
    QImage image(static_cast<int>(std::lround(kCanvasWidth * scale)),
                 static_cast<int>(std::lround(kCanvasHeight * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintChart(painter, chart, look, locale);
    painter.end();
    return image;
}

namespace {

QString Title(const DemandChart& chart, UnitSystem units, const ChartNumbers& numbers) {
    return QStringLiteral("Demand curves, wet bulb %1")
        .arg(numbers.temperature(D(chart.wetBulb), units));
}

}  // namespace

bool WriteChart(const DemandChart& chart, const QString& path, ChartFormat format, QString& error,
                const ChartLook& look, const QLocale& locale) {
    return WritePicture(
        path, format, QSizeF(kCanvasWidth, kCanvasHeight),
        Title(chart, look.units, ChartNumbers(locale)),
        [&](QPainter& painter) { PaintChart(painter, chart, look, locale); }, error);
}

}  // namespace veltrane::chart
