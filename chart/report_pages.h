#pragma once
// The pages of a long document as it is laid out: blocks placed down the body of a page, a new
// page where the next does not fit, and tables that break between rows with their header
// repeated. Measured in points with the chart's fonts, painted once the page count is known
// for "Page N of M".

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace veltrane::chart {

constexpr double kCellPadding = 3.0;
/// Table text: the largest of these at which the figures keep to one line each in the width.
constexpr std::array<int, 3> kTablePixels{8, 7, 6};
const QColor kRuleColour(0x9e, 0x9e, 0x9e);
const QColor kHairlineColour(0xd0, 0xd0, 0xd0);
const QColor kDeficientColour(0xb7, 0x1c, 0x1c);
const QColor kQuietText(0x55, 0x55, 0x55);
constexpr int kWrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

/// The height `text` takes wrapped in `width`; nothing for no text.
double WrappedHeight(const QFont& font, const QString& text, double width);
double TextWidth(const QFont& font, const QString& text);
/// Draws `text` in `box`, wrapped at its width.
void DrawWrapped(QPainter& painter, const QRectF& box, const QFont& font, const QString& text,
                 int flags = kWrap);

using PagePaint = std::function<void(QPainter&)>;
using BoxPaint = std::function<void(QPainter&, const QRectF&)>;

/// The body of the pages as blocks go down them: a block that does not fit the rest of a page
/// starts the next.
class Pages {
  public:
    explicit Pages(const QRectF& body) : body_(body), y_(body.top()) { pages_.emplace_back(); }
    [[nodiscard]] double Width() const { return body_.width(); }
    [[nodiscard]] double Remaining() const { return body_.bottom() - y_; }
    void Break() {
        if (y_ <= body_.top()) return;
        pages_.emplace_back();
        y_ = body_.top();
    }
    /// Space between blocks; none at the top of a page.
    void Gap(double height) {
        if (y_ > body_.top()) y_ = std::min(y_ + height, body_.bottom());
    }
    /// Starts a new page unless `height` fits the rest of this one.
    void Keep(double height) {
        if (height > Remaining()) Break();
    }
    void Place(double height, BoxPaint paint) {
        Keep(height);
        const QRectF box(body_.left(), y_, body_.width(), height);
        pages_.back().push_back([paint = std::move(paint), box](QPainter& p) { paint(p, box); });
        y_ += height;
    }
    [[nodiscard]] const std::vector<std::vector<PagePaint>>& All() const { return pages_; }

  private:
    QRectF body_;
    double y_;
    std::vector<std::vector<PagePaint>> pages_;
};

struct Cell {
    QString text;
    QString below;  ///< a second line in quieter type: the figure against the design
    bool marked = false;
};

struct Table {
    QStringList captions;
    std::vector<std::vector<Cell>> rows;
    /// Rows from this one on are set bold and shaded: the mean under the readings.
    std::size_t firstSummaryRow = static_cast<std::size_t>(-1);
    /// The column that takes the width left over, its text wrapped (the notes).
    std::optional<std::size_t> wrapColumn;
    /// Columns set flush left (names, notes); the others are centred figures.
    std::vector<std::size_t> leftColumns;
};

struct TableLayout {
    int pixels = kTablePixels.front();
    std::vector<double> widths;
};

/// The largest type at which every column fits `width`; the wrapped column, or else every
/// column evenly, takes what is left. At the smallest type a table still too wide is squeezed.
TableLayout LayOutTable(const Table& table, double width);
double HeaderHeight(const Table& table, const TableLayout& layout);
double RowHeight(const Table& table, const TableLayout& layout, std::size_t r);

/// Places the table row by row; a row that does not fit starts a page, and the header repeats
/// at the top of every page the table reaches. The header never stands alone at a page's foot.
void PlaceTable(Pages& pages, const Table& table);

}  // namespace veltrane::chart
