#include "tower_diagram.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>

#include "utf8_text.h"

namespace veltrane::ui {

namespace {

QColor InkColour(DiagramInk ink) {
    switch (ink) {
        case DiagramInk::Red:
            return {255, 0, 0};
        case DiagramInk::Blue:
            return {0, 0, 255};
        case DiagramInk::Black:
            break;
    }
    return {0, 0, 0};
}

QPointF ToPointF(DiagramPoint point) {
    return {double(point.x), double(point.y)};
}

// Paints strokes in logical units. A stroke thinner than one device pixel is drawn one pixel
// wide, as a Windows pen does; otherwise the thin lines fade to grey when scaled down.
class DiagramPainter {
  public:
    DiagramPainter(QPainter& painter, double scale) : painter_(painter), scale_(scale) {}

    void operator()(const DiagramPolyline& line) {
        SetPen(line.stroke, line.ink);
        painter_.setBrush(Qt::NoBrush);
        QPolygonF polygon;
        for (const DiagramPoint& point : line.points)
            polygon << ToPointF(point);
        painter_.drawPolyline(polygon);
    }

    void operator()(const DiagramRectangle& rectangle) {
        SetPen(rectangle.stroke, rectangle.ink);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(QRectF(ToPointF(rectangle.topLeft), ToPointF(rectangle.bottomRight)));
    }

    void operator()(const DiagramCircle& circle) {
        SetPen(circle.stroke, circle.ink);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawEllipse(ToPointF(circle.centre), circle.radius, circle.radius);
    }

    void operator()(const DiagramDisc& disc) {
        SetPen(DiagramStroke::Thin, disc.ink);
        painter_.setBrush(InkColour(disc.ink));
        painter_.drawEllipse(ToPointF(disc.centre), disc.radius, disc.radius);
    }

    void operator()(const DiagramArrowhead& arrowhead) {
        SetPen(DiagramStroke::Thin, arrowhead.ink);
        painter_.setBrush(InkColour(arrowhead.ink));
        const QPointF corners[] = {ToPointF(arrowhead.tip), ToPointF(arrowhead.baseCorner1),
                                   ToPointF(arrowhead.baseCorner2)};
        painter_.drawPolygon(corners, 3);
    }

    void operator()(const DiagramText& text) {
        painter_.save();
        painter_.setPen(InkColour(text.ink));
        painter_.setFont(TowerDiagramFont(text));
        painter_.translate(ToPointF(text.baselineStart));
        // Counter-clockwise on the screen, where y grows downward.
        painter_.rotate(-text.angleDegrees);
        painter_.drawText(QPointF(0, 0), desktop::FromUtf8(text.text));
        painter_.restore();
    }

  private:
    void SetPen(DiagramStroke stroke, DiagramInk ink) {
        const double width = static_cast<double>(stroke);
        QPen pen(InkColour(ink), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (width * scale_ < 1.0) {
            pen.setWidthF(1.0);
            pen.setCosmetic(true);
        }
        painter_.setPen(pen);
    }

    QPainter& painter_;
    double scale_;
};

// Pixel size whose character cell (ascent plus descent) is the drawing's cell height.
int CellPixelSize(const QFont& font) {
    constexpr int kProbeSize = 1000;
    QFont probe = font;
    probe.setPixelSize(kProbeSize);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    return qRound(kProbeSize * kDiagramTextCellHeight / cell);
}

}  // namespace

double TowerDiagramScale(const QSizeF& box) {
    return std::min(box.width() / kDiagramWidthUnits, box.height() / kDiagramHeightUnits);
}

QRectF TowerDiagramPlacement(const QRectF& box) {
    const double scale = TowerDiagramScale(box.size());
    QRectF placement(0, 0, kDiagramWidthUnits * scale, kDiagramHeightUnits * scale);
    placement.moveCenter(box.center());
    return placement;
}

QFont TowerDiagramFont(const DiagramText& text) {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setItalic(text.italic);
    font.setPixelSize(CellPixelSize(font));
    font.setKerning(false);
    // The drawing asks for narrower characters than the face's own; the letter spacing below
    // then spreads them to each text's advance.
    const double averageWidth = QFontMetricsF(font).averageCharWidth();
    font.setStretch(qBound(50, qRound(100.0 * kDiagramTextAverageWidth / averageWidth), 100));

    const QString characters = desktop::FromUtf8(text.text);
    const double natural = QFontMetricsF(font).horizontalAdvance(characters);
    const double extra = (text.advance - natural) / double(characters.size());
    font.setLetterSpacing(QFont::AbsoluteSpacing, extra);
    return font;
}

void PaintTowerDiagram(QPainter& painter, const QRectF& box) {
    const QRectF placement = TowerDiagramPlacement(box);
    const double scale = placement.width() / kDiagramWidthUnits;

    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setClipRect(box, Qt::IntersectClip);
    painter.translate(placement.topLeft());
    painter.scale(scale, scale);
    DiagramPainter paintOne(painter, scale);
    for (const DiagramElement& element : TowerDiagramElements())
        std::visit(paintOne, element);
    painter.restore();
}

TowerDiagram::TowerDiagram(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::TabFocus);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void TowerDiagram::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    PaintTowerDiagram(painter, contentsRect());
}

}  // namespace veltrane::ui
