#pragma once
// The tower diagram of the Identification tab: a white box with a single border that shows the
// whole drawing of tower_diagram_data.h, scaled uniformly to fit.

#include <QFont>
#include <QFrame>
#include <QRectF>

#include "tower_diagram_data.h"

class QPainter;

namespace veltrane::ui {

// Device units per logical unit when the whole 16710 x 10521 space fits into `box`.
double TowerDiagramScale(const QSizeF& box);

// The rectangle that the whole logical space takes inside `box`: scaled by TowerDiagramScale
// and centred.
QRectF TowerDiagramPlacement(const QRectF& box);

// The font of a text in logical units: Verdana bold (or the nearest sans serif), sized for the
// drawing's character cell and letter-spaced so that the text spans exactly its advance.
QFont TowerDiagramFont(const DiagramText& text);

// Paints every element in table order into `box`; paints no background.
void PaintTowerDiagram(QPainter& painter, const QRectF& box);

class TowerDiagram final : public QFrame {
    Q_OBJECT

  public:
    explicit TowerDiagram(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace veltrane::ui
