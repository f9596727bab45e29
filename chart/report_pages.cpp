#include "report_pages.h"

#include <QFontMetricsF>
#include <QPen>

#include "chart_text.h"

namespace veltrane::chart {
namespace {

/// Added to a column's measured width: a text laid out in exactly its own advance can wrap its
/// last word on a rounding, and a wrapped figure loses its line below the cell.
constexpr double kWidthSlack = 1.0;
/// The column that takes the width left over (notes) is never narrower than this.
constexpr double kLeastWrapWidth = 70.0;
const QColor kHeaderFill(0xe8, 0xec, 0xef);
const QColor kMarkFill(0xfb, 0xd5, 0xcf);
const QColor kMeanFill(0xf3, 0xf3, 0xf3);
/// Follows a figure beyond its validity limit: the shading alone is lost in some greyscale print
/// and in the text a search or a screen reader gets.
const QString kLimitMark = QStringLiteral(" *");

/// The widest word of `text`: a wrapped column is never narrower.
double WidestWord(const QFont& font, const QString& text) {
    double widest = 0.0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, TextWidth(font, word));
    return widest;
}

QString ShownBelow(const Cell& cell) {
    return cell.marked && !cell.below.isEmpty() ? cell.below + kLimitMark : cell.below;
}
QString ShownText(const Cell& cell) {
    return cell.marked && cell.below.isEmpty() ? cell.text + kLimitMark : cell.text;
}

/// Each column as wide as its widest figure and its caption's widest word.
std::vector<double> NaturalWidths(const Table& table, int pixels) {
    const QFont font = ChartFont(pixels);
    const QFont bold = ChartFont(pixels, true);
    std::vector<double> widths(static_cast<std::size_t>(table.captions.size()), 0.0);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = WidestWord(bold, table.captions[static_cast<qsizetype>(c)]);
        for (const std::vector<Cell>& row : table.rows) {
            if (c >= row.size()) continue;
            const bool wraps = table.wrapColumn == c;
            const auto width = [&](const QString& text) {
                return wraps ? WidestWord(bold, text) : TextWidth(bold, text);
            };
            widths[c] = std::max({widths[c], width(ShownText(row[c])), width(ShownBelow(row[c]))});
        }
        widths[c] += 2.0 * kCellPadding + kWidthSlack;
    }
    return widths;
}

int CellFlags(const Table& table, std::size_t column) {
    const bool left = std::find(table.leftColumns.begin(), table.leftColumns.end(), column) !=
                      table.leftColumns.end();
    return Qt::AlignTop | Qt::TextWordWrap | (left ? Qt::AlignLeft : Qt::AlignHCenter);
}

void PaintHeader(QPainter& p, const QRectF& box, const Table& table, const TableLayout& layout) {
    p.fillRect(box, kHeaderFill);
    p.setPen(Qt::black);
    double x = box.left();
    for (std::size_t c = 0; c < layout.widths.size(); ++c) {
        const QRectF cell(x, box.top(), layout.widths[c], box.height());
        DrawWrapped(p, cell.adjusted(kCellPadding, kCellPadding, -kCellPadding, -kCellPadding),
                    ChartFont(layout.pixels, true), table.captions[static_cast<qsizetype>(c)],
                    CellFlags(table, c) | Qt::AlignBottom);
        x += layout.widths[c];
    }
    p.setPen(QPen(kRuleColour, 0.8));
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.bottomLeft(), box.bottomRight());
}

void PaintRow(QPainter& p, const QRectF& box, const Table& table, const TableLayout& layout,
              std::size_t r) {
    const bool summary = r >= table.firstSummaryRow;
    if (summary) p.fillRect(box, kMeanFill);
    const QFont font = ChartFont(layout.pixels, summary);
    const QFont markedFont = ChartFont(layout.pixels, true);
    const std::vector<Cell>& row = table.rows[r];
    double x = box.left();
    for (std::size_t c = 0; c < row.size() && c < layout.widths.size(); ++c) {
        const QRectF cell(x, box.top(), layout.widths[c], box.height());
        x += layout.widths[c];
        if (row[c].marked) p.fillRect(cell, kMarkFill);
        const QRectF inner =
            cell.adjusted(kCellPadding, kCellPadding, -kCellPadding, -kCellPadding);
        const QString text = ShownText(row[c]);
        const double textHeight = WrappedHeight(font, text, inner.width());
        p.setPen(Qt::black);
        DrawWrapped(p, inner, row[c].marked && row[c].below.isEmpty() ? markedFont : font, text,
                    CellFlags(table, c));
        p.setPen(row[c].marked ? kDeficientColour : kQuietText);
        DrawWrapped(p, inner.adjusted(0.0, textHeight, 0.0, 0.0), row[c].marked ? markedFont : font,
                    ShownBelow(row[c]), CellFlags(table, c));
    }
    p.setPen(QPen(kHairlineColour, 0.5));
    p.drawLine(box.bottomLeft(), box.bottomRight());
    double line = box.left();
    for (std::size_t c = 0; c + 1 < layout.widths.size(); ++c) {
        line += layout.widths[c];
        p.drawLine(QPointF(line, box.top()), QPointF(line, box.bottom()));
    }
}

}  // namespace

double WrappedHeight(const QFont& font, const QString& text, double width) {
    if (text.isEmpty()) return 0.0;
    return QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), kWrap, text).height();
}

double TextWidth(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

void DrawWrapped(QPainter& painter, const QRectF& box, const QFont& font, const QString& text,
                 int flags) {
    painter.setFont(font);
    painter.drawText(box, flags | Qt::TextWordWrap, text);
}

TableLayout LayOutTable(const Table& table, double width) {
    TableLayout layout;
    for (const int pixels : kTablePixels) {
        layout.pixels = pixels;
        layout.widths = NaturalWidths(table, pixels);
        double total = 0.0;
        for (double w : layout.widths)
            total += w;
        if (table.wrapColumn) {
            double& wrap = layout.widths[*table.wrapColumn];
            const double fixed = total - wrap;
            if (fixed + std::max(wrap, kLeastWrapWidth) > width) continue;
            wrap = width - fixed;
            return layout;
        }
        if (total > width) continue;
        const double extra = (width - total) / static_cast<double>(layout.widths.size());
        for (double& w : layout.widths)
            w += extra;
        return layout;
    }
    double total = 0.0;
    for (double w : layout.widths)
        total += w;
    for (double& w : layout.widths)
        w *= width / total;
    return layout;
}

double HeaderHeight(const Table& table, const TableLayout& layout) {
    const QFont bold = ChartFont(layout.pixels, true);
    double height = 0.0;
    for (std::size_t c = 0; c < layout.widths.size(); ++c) {
        height = std::max(height, WrappedHeight(bold, table.captions[static_cast<qsizetype>(c)],
                                                layout.widths[c] - 2.0 * kCellPadding));
    }
    return height + 2.0 * kCellPadding;
}

double RowHeight(const Table& table, const TableLayout& layout, std::size_t r) {
    const QFont font = ChartFont(layout.pixels, r >= table.firstSummaryRow);
    const QFont markedFont = ChartFont(layout.pixels, true);
    double height = 0.0;
    const std::vector<Cell>& row = table.rows[r];
    for (std::size_t c = 0; c < row.size() && c < layout.widths.size(); ++c) {
        const double inner = layout.widths[c] - 2.0 * kCellPadding;
        const QFont& below = row[c].marked ? markedFont : font;
        height = std::max(height, WrappedHeight(font, ShownText(row[c]), inner) +
                                      WrappedHeight(below, ShownBelow(row[c]), inner));
    }
    return height + 2.0 * kCellPadding;
}

void PlaceTable(Pages& pages, const Table& table) {
    if (table.rows.empty()) return;
    const TableLayout layout = LayOutTable(table, pages.Width());
    const double header = HeaderHeight(table, layout);
    const auto placeHeader = [&] {
        pages.Place(header, [table, layout](QPainter& p, const QRectF& box) {
            PaintHeader(p, box, table, layout);
        });
    };
    pages.Keep(header + RowHeight(table, layout, 0));
    placeHeader();
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const double height = RowHeight(table, layout, r);
        if (height > pages.Remaining()) {
            pages.Break();
            placeHeader();
        }
        pages.Place(height, [table, layout, r](QPainter& p, const QRectF& box) {
            PaintRow(p, box, table, layout, r);
        });
    }
}

}  // namespace veltrane::chart
