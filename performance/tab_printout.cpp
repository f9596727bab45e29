#include "tab_printout.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <string_view>

#include <veltrane/version.h>

#include "byte_source.h"
#include "chart_text.h"
#include "csv_reader.h"
#include "demand_chart_painter.h"
#include "number_boxes.h"
#include "performance_tab.h"
#include "report_pages.h"
#include "table_text.h"
#include "utf8_text.h"

namespace veltrane::performance {
namespace {

constexpr double kPointsPerInch = 72.0;
/// The running head and foot, points: the title and date above the body, the stamp below.
constexpr double kRunningBand = 22.0;
constexpr int kRunningPixels = 8;
constexpr int kTitlePixels = 15;
constexpr int kHeadingPixels = 10;
constexpr int kBodyPixels = 9;
constexpr double kSectionGap = 12.0;
constexpr double kLineGap = 2.0;
constexpr double kColumnGap = 24.0;
/// A chart takes at most this share of a page's body, so that the table starts under it.
constexpr double kChartShare = 0.5;

QString ProgramName() {
    return QString::fromLatin1(kProductName) + QStringLiteral(" Performance");
}

QString HeadTitle(const TabPrintout& printout) {
    return ProgramName() + QStringLiteral(" — ") + printout.title;
}

/// The table's cells as the tab copies them (tab-separated, quoted where a cell needs it).
std::vector<QStringList> TableRows(const QString& text) {
    std::vector<QStringList> rows;
    const QByteArray bytes = text.toUtf8();
    StringSource source(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    CsvReader reader(source, CsvFormat{'\t', '.'});
    CsvRecord record;
    while (reader.Next(record)) {
        if (!record.error.empty()) break;
        QStringList& row = rows.emplace_back();
        for (const std::string_view field : record.fields)
            row << desktop::FromUtf8(field);
    }
    return rows;
}

chart::Table PrintedTable(const QString& text) {
    chart::Table table;
    const std::vector<QStringList> rows = TableRows(text);
    if (rows.empty()) return table;
    table.captions = rows.front();
    const std::size_t columns = static_cast<std::size_t>(table.captions.size());
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::vector<chart::Cell>& cells = table.rows.emplace_back();
        for (std::size_t c = 0; c < columns; ++c)
            cells.push_back({rows[r].value(static_cast<qsizetype>(c)), {}, false});
    }
    // A note, the last column when it is one, wraps in the width left over.
    if (table.captions.back().startsWith(QStringLiteral("Note"))) {
        table.wrapColumn = columns - 1;
        table.leftColumns = {columns - 1};
    }
    return table;
}

double Height(const QFont& font, const QString& text, double width) {
    return chart::WrappedHeight(font, text, width) + kLineGap;
}

void PlaceText(chart::Pages& pages, const QString& text, const QFont& font) {
    if (text.isEmpty()) return;
    pages.Place(Height(font, text, pages.Width()), [text, font](QPainter& p, const QRectF& box) {
        p.setPen(Qt::black);
        chart::DrawWrapped(p, box, font, text);
    });
}

/// One group of facts: its heading, then name and value a row each.
double FactsHeight(const PrintedFacts& facts, double width) {
    double height = Height(chart::ChartFont(kHeadingPixels, true), facts.heading, width);
    for (const auto& [name, value] : facts.rows)
        height += Height(chart::ChartFont(kBodyPixels), name + QStringLiteral(": ") + value, width);
    return height;
}

void PaintFacts(QPainter& p, const PrintedFacts& facts, QRectF box) {
    const QFont heading = chart::ChartFont(kHeadingPixels, true);
    const QFont body = chart::ChartFont(kBodyPixels);
    p.setPen(Qt::black);
    chart::DrawWrapped(p, box, heading, facts.heading);
    box.setTop(box.top() + Height(heading, facts.heading, box.width()));
    for (const auto& [name, value] : facts.rows) {
        const QString line = name + QStringLiteral(": ") + value;
        chart::DrawWrapped(p, box, body, line);
        box.setTop(box.top() + Height(body, line, box.width()));
    }
}

/// The groups of facts two abreast.
void PlaceFacts(chart::Pages& pages, const std::vector<PrintedFacts>& all) {
    const double column = (pages.Width() - kColumnGap) / 2.0;
    for (std::size_t i = 0; i < all.size(); i += 2) {
        const PrintedFacts& left = all[i];
        const std::optional<PrintedFacts> right =
            i + 1 < all.size() ? std::optional(all[i + 1]) : std::nullopt;
        const double height =
            std::max(FactsHeight(left, column), right ? FactsHeight(*right, column) : 0.0);
        pages.Gap(kSectionGap);
        pages.Place(height, [left, right, column](QPainter& p, const QRectF& box) {
            PaintFacts(p, left, QRectF(box.left(), box.top(), column, box.height()));
            if (right) {
                PaintFacts(
                    p, *right,
                    QRectF(box.left() + column + kColumnGap, box.top(), column, box.height()));
            }
        });
    }
}

void PlaceChart(chart::Pages& pages, const TabPrintout& printout, double bodyHeight) {
    if (!printout.paintChart || printout.canvas.isEmpty()) return;
    const QSizeF canvas = printout.canvas;
    const double height =
        std::min(pages.Width() * canvas.height() / canvas.width(), bodyHeight * kChartShare);
    pages.Gap(kSectionGap);
    pages.Place(height, [canvas, paint = printout.paintChart](QPainter& p, const QRectF& box) {
        p.translate(box.topLeft());
        p.setTransform(chart::CanvasToDevice(box.size(), canvas), true);
        paint(p);
    });
}

chart::Pages LayOut(const TabPrintout& printout, const QRectF& body) {
    chart::Pages pages(body);
    PlaceText(pages, HeadTitle(printout), chart::ChartFont(kTitlePixels, true));
    PlaceFacts(pages, printout.facts);
    PlaceChart(pages, printout, body.height());
    const chart::Table table = PrintedTable(printout.table);
    if (!table.rows.empty()) {
        pages.Gap(kSectionGap);
        chart::PlaceTable(pages, table);
    }
    pages.Gap(kSectionGap);
    for (const QString& note : printout.notes)
        PlaceText(pages, note, chart::ChartFont(kBodyPixels));
    return pages;
}

/// The title and the date above the body; the program, its version and the page below.
void PaintRunning(QPainter& p, const QRectF& body, const TabPrintout& printout, const QDate& date,
                  std::size_t page, std::size_t pages) {
    const QFont font = chart::ChartFont(kRunningPixels);
    const QRectF head(body.left(), body.top() - kRunningBand, body.width(), kRunningBand - 8.0);
    const QRectF foot(body.left(), body.bottom() + 8.0, body.width(), kRunningBand - 8.0);
    p.setPen(chart::kQuietText);
    p.setFont(font);
    p.drawText(head, Qt::AlignLeft | Qt::AlignTop, HeadTitle(printout));
    p.drawText(head, Qt::AlignRight | Qt::AlignTop, QLocale().toString(date, QLocale::LongFormat));
    p.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, PrintedStamp(date));
    p.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
               QObject::tr("Page %1 of %2").arg(page).arg(pages));
    p.setPen(QPen(chart::kRuleColour, 0.5));
    p.drawLine(head.bottomLeft(), head.bottomRight());
    p.drawLine(foot.topLeft(), foot.topRight());
}

}  // namespace

QString ShownTableText(const QAbstractItemModel& model) {
    TableText table(u'\t');
    QStringList captions;
    for (int c = 0; c < model.columnCount(); ++c)
        captions << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    table.line(captions);
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.data(model.index(r, c), Qt::DisplayRole).toString();
        table.line(cells);
    }
    return table.text();
}

std::vector<PrintedFacts> DesignFacts(const PerformanceModel& model, const UnitLayer& units) {
    const Calculation& calculation = model.calculation();
    const QLocale locale;
    PrintedFacts design{QObject::tr("Design"), {}};
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        const Quantity quantity = QuantityOf(input);
        QString value = BoxText(calculation.inputs[input], quantity, units, locale);
        if (const QString unit = units.unit(quantity); !unit.isEmpty()) value += u' ' + unit;
        design.rows.emplace_back(PerformanceModel::FieldName(FieldOf(input)), value);
    }
    PrintedFacts tower{QObject::tr("Tower"), {}};
    if (calculation.tower) {
        const QString source = calculation.towerSource == TowerSource::kThroughDesignPoint
                                   ? QObject::tr("through the design point")
                                   : QObject::tr("as given");
        tower.rows.emplace_back(
            QStringLiteral("C"),
            locale.toString(static_cast<double>(calculation.tower->c), 'g', 6) + u' ' + source);
        tower.rows.emplace_back(QStringLiteral("m"),
                                locale.toString(static_cast<double>(calculation.tower->m), 'g', 6));
    } else {
        tower.rows.emplace_back(QObject::tr("None"),
                                QObject::tr("the design's KaV/L is no demand"));
    }
    return {design, tower};
}

QString PrintedStamp(const QDate& date) {
    return QObject::tr("%1 %2 · printed %3")
        .arg(ProgramName(), QString::fromLatin1(kVersionText), date.toString(Qt::ISODate));
}

QStringList PrintoutLines(const TabPrintout& printout, const QDate& date) {
    QStringList lines{HeadTitle(printout), QLocale().toString(date, QLocale::LongFormat),
                      PrintedStamp(date)};
    for (const PrintedFacts& facts : printout.facts) {
        lines << facts.heading;
        for (const auto& [name, value] : facts.rows)
            lines << name + QStringLiteral(": ") + value;
    }
    for (const QStringList& row : TableRows(printout.table))
        lines << row.join(u'\t');
    return lines + printout.notes;
}

bool PrintPrintout(const TabPrintout& printout, QPrinter& printer, QString& error) {
    QPainter painter;
    if (!BeginPrint(painter, printer, error)) return false;
    // Laid out in points on the printable area, so that the type is the same on any printer.
    const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Point);
    const QRectF body(0.0, kRunningBand, paper.width(), paper.height() - 2.0 * kRunningBand);
    const chart::Pages pages = LayOut(printout, body);
    const double scale = printer.resolution() / kPointsPerInch;
    const QDate today = QDate::currentDate();
    const std::size_t count = pages.All().size();
    for (std::size_t page = 0; page < count; ++page) {
        if (page > 0 && !printer.newPage()) {
            error = PrintFailure(printer);
            painter.end();
            return false;
        }
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintRunning(painter, body, printout, today, page + 1, count);
        for (const chart::PagePaint& paint : pages.All()[page]) {
            painter.save();
            paint(painter);
            painter.restore();
        }
    }
    return painter.end();
}

}  // namespace veltrane::performance
