#include "test_report_document.h"

#include <QBuffer>
#include <QColor>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QStringList>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "chart_file.h"
#include "chart_text.h"
#include "cross_plot_painter.h"
#include "demand_chart_painter.h"
#include "report_pages.h"
#include "veltrane/version.h"

namespace veltrane::chart {
namespace {

constexpr double kPointsPerInch = 72.0;
/// Fine enough that a table's hairlines and a chart's markers print where they are drawn.
constexpr int kPdfResolution = 600;
/// Every edge, points: a little over ⅔ inch, room for a binding on the left.
constexpr double kMargin = 50.0;
/// The running head and foot: the title and date above the body, the program and page below.
constexpr double kRunningBand = 24.0;
constexpr int kTitlePixels = 17;
constexpr int kVerdictPixels = 12;
constexpr int kHeadingPixels = 12;
constexpr int kBodyPixels = 9;
constexpr int kRunningPixels = 8;
constexpr double kSectionGap = 16.0;
constexpr double kHeadingGap = 5.0;
constexpr double kLineGap = 3.0;
constexpr double kColumnGap = 24.0;
constexpr double kBoxPadding = 8.0;
constexpr double kSignatureHeight = 56.0;
const QColor kMeetsColour(0x2e, 0x7d, 0x32);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

double HeadingHeight() {
    return QFontMetricsF(ChartFont(kHeadingPixels, true)).height() + kHeadingGap;
}

/// A section's heading, kept on one page with the first `following` points of what it heads.
void PlaceHeading(Pages& pages, const QString& text, double following) {
    pages.Gap(kSectionGap);
    pages.Keep(HeadingHeight() + following);
    pages.Place(HeadingHeight(), [text](QPainter& p, const QRectF& box) {
        p.setPen(Qt::black);
        DrawWrapped(p, box, ChartFont(kHeadingPixels, true), text);
        p.setPen(QPen(kRuleColour, 0.6));
        p.drawLine(box.bottomLeft() - QPointF(0.0, 1.5), box.bottomRight() - QPointF(0.0, 1.5));
    });
}

void PlaceParagraph(Pages& pages, const QString& text, const QColor& colour = Qt::black,
                    bool bold = false) {
    if (text.isEmpty()) return;
    const QFont font = ChartFont(kBodyPixels, bold);
    const double height = WrappedHeight(font, text, pages.Width()) + kLineGap;
    pages.Place(height, [text, font, colour](QPainter& p, const QRectF& box) {
        p.setPen(colour);
        DrawWrapped(p, box, font, text);
    });
}

/// Name and text pairs in two columns of `width` each: the identification fields.
struct FieldGrid {
    std::vector<ReportField> fields;
    double nameWidth = 0.0;

    [[nodiscard]] double TextWidthIn(double column) const {
        return column - nameWidth - kCellPadding * 2.0;
    }
    [[nodiscard]] double RowHeight(std::size_t first, double column) const {
        const QFont font = ChartFont(kBodyPixels);
        double height = 0.0;
        for (std::size_t i = first; i < first + 2 && i < fields.size(); ++i)
            height = std::max(height, WrappedHeight(font, Q(fields[i].text), TextWidthIn(column)));
        return std::max(height, QFontMetricsF(font).height()) + kLineGap;
    }
};

void PlaceIdentification(Pages& pages, const TestReport& report) {
    const QFont titleFont = ChartFont(kTitlePixels, true);
    const QString title =
        report.title.empty() ? QStringLiteral("Acceptance test report") : Q(report.title);
    pages.Place(WrappedHeight(titleFont, title, pages.Width()) + kHeadingGap,
                [title, titleFont](QPainter& p, const QRectF& box) {
                    p.setPen(Qt::black);
                    DrawWrapped(p, box, titleFont, title);
                });
    FieldGrid grid{report.fields, 0.0};
    const QFont nameFont = ChartFont(kBodyPixels, true);
    for (const ReportField& field : grid.fields)
        grid.nameWidth = std::max(grid.nameWidth, TextWidth(nameFont, Q(field.name)));
    grid.nameWidth = std::min(grid.nameWidth + 2.0 * kCellPadding, pages.Width() / 4.0);
    const double column = (pages.Width() - kColumnGap) / 2.0;
    for (std::size_t first = 0; first < grid.fields.size(); first += 2) {
        pages.Place(grid.RowHeight(first, column),
                    [grid, first, column](QPainter& p, const QRectF& box) {
                        for (std::size_t i = first; i < first + 2 && i < grid.fields.size(); ++i) {
                            const double left =
                                box.left() + static_cast<double>(i - first) * (column + kColumnGap);
                            p.setPen(kQuietText);
                            DrawWrapped(p, QRectF(left, box.top(), grid.nameWidth, box.height()),
                                        ChartFont(kBodyPixels, true), Q(grid.fields[i].name));
                            p.setPen(Qt::black);
                            DrawWrapped(p,
                                        QRectF(left + grid.nameWidth + kCellPadding, box.top(),
                                               grid.TextWidthIn(column), box.height()),
                                        ChartFont(kBodyPixels), Q(grid.fields[i].text));
                        }
                    });
    }
}

/// The verdict in a box on the first page, where the client looks first.
void PlaceVerdict(Pages& pages, const ReportResult& result) {
    if (result.verdict.empty()) return;
    QString verdict = Q(result.verdict);
    verdict[0] = verdict[0].toUpper();
    QStringList lines;
    for (const MethodResult& method : result.methods) {
        lines << Q(method.method) + QStringLiteral(": capability ") + Q(method.capability) +
                     (method.decides ? QStringLiteral(" (decides)") : QString());
    }
    if (!result.spread.empty()) lines << QStringLiteral("Spread: ") + Q(result.spread);
    const QString detail = lines.join(QStringLiteral(";  "));
    const QFont verdictFont = ChartFont(kVerdictPixels, true);
    const QFont detailFont = ChartFont(kBodyPixels);
    const double inner = pages.Width() - 2.0 * kBoxPadding - 4.0;
    const double verdictHeight =
        WrappedHeight(verdictFont, QStringLiteral("Verdict: ") + verdict, inner);
    const double height =
        verdictHeight + kLineGap + WrappedHeight(detailFont, detail, inner) + 2.0 * kBoxPadding;
    const QColor colour = result.meetsDesign ? kMeetsColour : kDeficientColour;
    pages.Gap(kSectionGap);
    pages.Place(height, [=](QPainter& p, const QRectF& box) {
        p.setPen(QPen(colour, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        p.fillRect(QRectF(box.topLeft(), QSizeF(4.0, box.height())), colour);
        const QRectF text = box.adjusted(kBoxPadding + 4.0, kBoxPadding, -kBoxPadding, 0.0);
        p.setPen(colour);
        DrawWrapped(p, text, verdictFont, QStringLiteral("Verdict: ") + verdict);
        p.setPen(Qt::black);
        DrawWrapped(p, text.adjusted(0.0, verdictHeight + kLineGap, 0.0, 0.0), detailFont, detail);
    });
}

/// One titled list of caption, value and unit rows, as it is drawn in a column.
struct RowList {
    QString title;
    std::vector<ReportRow> rows;

    [[nodiscard]] double ValueWidth() const {
        double width = 0.0;
        for (const ReportRow& row : rows)
            width = std::max(width, TextWidth(ChartFont(kBodyPixels), Q(row.value)));
        return width;
    }
    [[nodiscard]] double UnitWidth() const {
        double width = 0.0;
        for (const ReportRow& row : rows)
            width = std::max(width, TextWidth(ChartFont(kBodyPixels), Q(row.unit)));
        return width;
    }
    [[nodiscard]] double CaptionWidth(double column) const {
        return std::max(column - ValueWidth() - UnitWidth() - 4.0 * kCellPadding, column / 3.0);
    }
    [[nodiscard]] double RowHeight(const ReportRow& row, double column) const {
        const QFont font = ChartFont(kBodyPixels);
        return std::max(WrappedHeight(font, Q(row.caption), CaptionWidth(column)),
                        QFontMetricsF(font).height()) +
               kLineGap;
    }
    [[nodiscard]] double Height(double column) const {
        if (rows.empty()) return 0.0;
        double height = QFontMetricsF(ChartFont(kBodyPixels + 1, true)).height() + kHeadingGap;
        for (const ReportRow& row : rows)
            height += RowHeight(row, column);
        return height;
    }
    /// Paints the list from `top`; returns where it ends.
    double Paint(QPainter& p, double left, double top, double column) const {
        if (rows.empty()) return top;
        const QFont titleFont = ChartFont(kBodyPixels + 1, true);
        const QFont font = ChartFont(kBodyPixels);
        p.setPen(Qt::black);
        DrawWrapped(p, QRectF(left, top, column, 100.0), titleFont, title);
        double y = top + QFontMetricsF(titleFont).height() + kHeadingGap;
        p.setPen(QPen(kHairlineColour, 0.5));
        p.drawLine(QPointF(left, y - kHeadingGap / 2.0),
                   QPointF(left + column, y - kHeadingGap / 2.0));
        const double caption = CaptionWidth(column);
        const double valueRight = left + column - UnitWidth() - 2.0 * kCellPadding;
        for (const ReportRow& row : rows) {
            const double height = RowHeight(row, column);
            p.setPen(kQuietText);
            DrawWrapped(p, QRectF(left, y, caption, height), font, Q(row.caption));
            p.setPen(Qt::black);
            DrawWrapped(p, QRectF(left + caption, y, valueRight - left - caption, height), font,
                        Q(row.value), Qt::AlignRight | Qt::AlignTop);
            DrawWrapped(p, QRectF(valueRight + kCellPadding, y, UnitWidth() + kCellPadding, height),
                        font, Q(row.unit));
            y += height;
        }
        return y;
    }
};

/// The design on the left; the tower and the limits on the right.
void PlaceConditions(Pages& pages, const TestReport& report) {
    const RowList design{QStringLiteral("Design conditions"), report.design};
    const RowList tower{QStringLiteral("Tower"), report.tower};
    const RowList limits{QStringLiteral("Validity limits"), report.limits};
    const double column = (pages.Width() - kColumnGap) / 2.0;
    const double rightHeight = tower.Height(column) +
                               (tower.rows.empty() ? 0.0 : kSectionGap / 2.0) +
                               limits.Height(column);
    const double height = std::max(design.Height(column), rightHeight);
    if (height <= 0.0) return;
    pages.Gap(kSectionGap);
    pages.Place(height, [=](QPainter& p, const QRectF& box) {
        design.Paint(p, box.left(), box.top(), column);
        const double right = box.left() + column + kColumnGap;
        double y = tower.Paint(p, right, box.top(), column);
        if (!tower.rows.empty()) y += kSectionGap / 2.0;
        limits.Paint(p, right, y, column);
    });
}

Table ReadingsTable(const TestReport& report) {
    Table table;
    table.captions << QStringLiteral("Reading");
    for (const std::string& caption : report.readingColumns)
        table.captions << Q(caption);
    for (const std::string& method : report.methods)
        table.captions << Q(method);
    table.captions << QStringLiteral("Notes");
    const std::size_t columns = static_cast<std::size_t>(table.captions.size());
    table.wrapColumn = columns - 1;
    table.leftColumns = {0, columns - 1};
    const auto rowOf = [&](const ReportReading& reading) {
        std::vector<Cell> row{{Q(reading.name), {}, false}};
        for (std::size_t c = 0; c < report.readingColumns.size(); ++c) {
            const ReadingFigure figure =
                c < reading.figures.size() ? reading.figures[c] : ReadingFigure{};
            row.push_back({Q(figure.value), Q(figure.ofDesign), figure.limitPassed});
        }
        for (std::size_t m = 0; m < report.methods.size(); ++m) {
            row.push_back(
                {m < reading.capabilities.size() ? Q(reading.capabilities[m]) : QStringLiteral("—"),
                 {},
                 false});
        }
        row.push_back({Q(reading.notes), {}, false});
        return row;
    };
    for (const ReportReading& reading : report.readings)
        table.rows.push_back(rowOf(reading));
    table.firstSummaryRow = table.rows.size();
    if (report.result.mean) table.rows.push_back(rowOf(*report.result.mean));
    return table;
}

bool LimitPassed(const ReportReading& reading) {
    return std::any_of(reading.figures.begin(), reading.figures.end(),
                       [](const ReadingFigure& f) { return f.limitPassed; });
}

void PlaceReadings(Pages& pages, const TestReport& report) {
    if (report.readings.empty() && !report.result.mean) return;
    const Table table = ReadingsTable(report);
    const TableLayout layout = LayOutTable(table, pages.Width());
    const QString legend = QStringLiteral(
        "Under each figure, the reading against the design (difference or percent of design). "
        "Shaded and marked *: beyond the validity limit.");
    const double legendHeight =
        WrappedHeight(ChartFont(kBodyPixels), legend, pages.Width()) + kLineGap;
    PlaceHeading(pages, QStringLiteral("Readings"),
                 legendHeight + HeaderHeight(table, layout) + RowHeight(table, layout, 0));
    PlaceParagraph(pages, legend, kQuietText);
    PlaceTable(pages, table);
    const auto beyond = std::count_if(report.readings.begin(), report.readings.end(), LimitPassed);
    pages.Gap(kLineGap);
    if (beyond > 0) {
        PlaceParagraph(pages,
                       QStringLiteral("%1 of %2 readings lie beyond a validity limit (marked *).")
                           .arg(beyond)
                           .arg(report.readings.size()),
                       kDeficientColour);
    }
    if (report.result.mean && LimitPassed(*report.result.mean)) {
        PlaceParagraph(pages, QStringLiteral("The mean reading lies beyond a validity limit."),
                       kDeficientColour);
    }
}

QString MeanConditions(const TestReport& report) {
    if (!report.result.mean) return {};
    QStringList parts;
    const ReportReading& mean = *report.result.mean;
    for (std::size_t c = 0; c < report.readingColumns.size() && c < mean.figures.size(); ++c)
        parts << Q(report.readingColumns[c]) + QStringLiteral(": ") + Q(mean.figures[c].value);
    return QStringLiteral("Mean reading: ") + parts.join(QStringLiteral("; ")) + u'.';
}

void PlaceResult(Pages& pages, const TestReport& report) {
    const ReportResult& result = report.result;
    if (result.methods.empty() && result.verdict.empty()) return;
    Table table;
    table.captions << QStringLiteral("Method") << QStringLiteral("Capability")
                   << QStringLiteral("Predicted cold water")
                   << QStringLiteral("Deviation (measured − predicted)") << QString();
    table.leftColumns = {0, 4};
    for (const MethodResult& method : result.methods) {
        table.rows.push_back(
            {{Q(method.method), {}, false},
             {Q(method.capability), {}, false},
             {Q(method.predictedColdWater), {}, false},
             {Q(method.deviation), {}, false},
             {method.decides ? QStringLiteral("decides the verdict") : QString(), {}, false}});
    }
    PlaceHeading(pages, QStringLiteral("Result"), 60.0);
    PlaceParagraph(pages, MeanConditions(report));
    PlaceTable(pages, table);
    pages.Gap(kLineGap);
    if (!result.spread.empty())
        PlaceParagraph(pages, QStringLiteral("Spread of the readings: ") + Q(result.spread));
    if (!result.verdict.empty()) {
        PlaceParagraph(pages, QStringLiteral("Verdict: ") + Q(result.verdict),
                       result.meetsDesign ? kMeetsColour : kDeficientColour, true);
    }
}

void PlaceSignatures(Pages& pages) {
    pages.Gap(kSectionGap * 1.5);
    pages.Place(kSignatureHeight, [](QPainter& p, const QRectF& box) {
        const QStringList roles{QStringLiteral("Tested by"), QStringLiteral("Witnessed by"),
                                QStringLiteral("Date")};
        const double width = (box.width() - kColumnGap * static_cast<double>(roles.size() - 1)) /
                             static_cast<double>(roles.size());
        const double line = box.bottom() - QFontMetricsF(ChartFont(kBodyPixels)).height() - 2.0;
        for (qsizetype i = 0; i < roles.size(); ++i) {
            const double left = box.left() + static_cast<double>(i) * (width + kColumnGap);
            p.setPen(QPen(Qt::black, 0.6));
            p.drawLine(QPointF(left, line), QPointF(left + width, line));
            p.setPen(kQuietText);
            DrawWrapped(p, QRectF(left, line + 2.0, width, box.bottom() - line),
                        ChartFont(kBodyPixels), roles[i]);
        }
    });
}

/// A chart of `canvas` points fitted to the body's width under its heading, on one page.
void PlaceChart(Pages& pages, const QString& heading, QSizeF canvas,
                std::function<void(QPainter&)> paint) {
    const double height = pages.Width() * canvas.height() / canvas.width();
    PlaceHeading(pages, heading, height);
    pages.Place(height, [canvas, paint = std::move(paint)](QPainter& p, const QRectF& box) {
        p.translate(box.topLeft());
        p.setTransform(CanvasToDevice(box.size(), canvas), true);
        paint(p);
    });
}

void PlaceCharts(Pages& pages, const TestReport& report) {
    if (!report.demandChart && !report.crossPlot) return;
    pages.Break();
    if (report.demandChart) {
        const DemandChart chart = *report.demandChart;
        const ChartLook look{true, report.units};
        PlaceChart(pages, QStringLiteral("Demand curves with the test line"),
                   {kCanvasWidth, kCanvasHeight},
                   [chart, look](QPainter& p) { PaintChart(p, chart, look); });
    }
    if (report.crossPlot) {
        const CrossPlot plot = *report.crossPlot;
        PlaceChart(pages, QStringLiteral("Cross-plot of the maker's curves"),
                   {kCrossPlotWidth, kCrossPlotHeight},
                   [plot](QPainter& p) { PaintCrossPlot(p, plot); });
    }
}

Pages LayOut(const TestReport& report, const QRectF& body) {
    Pages pages(body);
    PlaceIdentification(pages, report);
    PlaceVerdict(pages, report.result);
    PlaceConditions(pages, report);
    PlaceReadings(pages, report);
    PlaceResult(pages, report);
    PlaceSignatures(pages);
    PlaceCharts(pages, report);
    return pages;
}

/// The title and date above every page's body; the program and "Page N of M" below it.
void PaintRunning(QPainter& p, const QSizeF& sheet, const QString& title, const QString& date,
                  std::size_t page, std::size_t pages) {
    const QFont font = ChartFont(kRunningPixels);
    const double width = sheet.width() - 2.0 * kMargin;
    const QRectF head(kMargin, kMargin, width, kRunningBand - 8.0);
    const QRectF foot(kMargin, sheet.height() - kMargin - kRunningBand + 8.0, width,
                      kRunningBand - 8.0);
    p.setPen(kQuietText);
    p.setFont(font);
    // A long title gives way to the date rather than running into it.
    const QFontMetricsF metrics(font);
    const double titleWidth = width - metrics.horizontalAdvance(date) - kColumnGap;
    p.drawText(head, Qt::AlignLeft | Qt::AlignTop,
               metrics.elidedText(title, Qt::ElideRight, std::max(titleWidth, 0.0)));
    p.drawText(head, Qt::AlignRight | Qt::AlignTop, date);
    p.drawText(foot, Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("%1 %2 · written %3")
                   .arg(QLatin1String(kProductName), QLatin1String(kVersionText), date));
    p.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    p.setPen(QPen(kRuleColour, 0.5));
    p.drawLine(head.bottomLeft(), head.bottomRight());
    p.drawLine(foot.topLeft(), foot.topRight());
}

}  // namespace

QSizeF PaperPoints(PaperSize paper) {
    const QPageSize size(paper == PaperSize::kLetter ? QPageSize::Letter : QPageSize::A4);
    return size.size(QPageSize::Point);
}

QByteArray DrawTestReport(const TestReport& report, PaperSize paper) {
    const QSizeF sheet = PaperPoints(paper);
    const QRectF body(kMargin, kMargin + kRunningBand, sheet.width() - 2.0 * kMargin,
                      sheet.height() - 2.0 * (kMargin + kRunningBand));
    const Pages pages = LayOut(report, body);
    const QString title =
        report.title.empty() ? QStringLiteral("Acceptance test report") : Q(report.title);
    const QString date =
        report.date.empty() ? QDate::currentDate().toString(Qt::ISODate) : Q(report.date);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(paper == PaperSize::kLetter ? QPageSize::Letter : QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(kPdfResolution);
    pdf.setTitle(title);
    pdf.setCreator(
        QStringLiteral("%1 %2").arg(QLatin1String(kProductName), QLatin1String(kVersionText)));
    QPainter painter;
    if (!painter.begin(&pdf)) return {};
    const double scale = kPdfResolution / kPointsPerInch;
    const std::size_t count = pages.All().size();
    for (std::size_t page = 0; page < count; ++page) {
        if (page > 0 && !pdf.newPage()) {
            painter.end();
            return {};
        }
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintRunning(painter, sheet, title, date, page + 1, count);
        for (const PagePaint& paint : pages.All()[page]) {
            painter.save();
            paint(painter);
            painter.restore();
        }
    }
    if (!painter.end()) return {};
    return bytes;
}

bool WriteTestReport(const TestReport& report, const QString& path, PaperSize paper,
                     QString& error) {
    const QByteArray bytes = DrawTestReport(report, paper);
    if (bytes.isEmpty()) {
        error = QStringLiteral("cannot draw %1").arg(path);
        return false;
    }
    return WriteFileBytes(path, bytes, error);
}

}  // namespace veltrane::chart
