#include "chart_caption.h"

#include <QFontMetricsF>
#include <QStringList>

#include "chart_text.h"

namespace veltrane::chart {
namespace {

/// One item of the caption: a marker or line sample, then its text.
struct CaptionItem {
    CaptionMarker marker;
    QString text;
};

constexpr double kCaptionMarkerWidth = 13.0;
constexpr double kCaptionLineSample = 28.0;
constexpr double kCaptionItemGap = 14.0;

/// Words of `text` on lines no wider than `width`; a word wider than a line has one to itself.
QStringList WrapWords(const QString& text, const QFontMetricsF& metrics, double width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines.push_back(line);
    return lines;
}

QString NoOperatingPointText(const DemandChart& chart) {
    return QStringLiteral("no operating point: ") +
           QString::fromUtf8(chart.noOperatingPoint.data(),
                             static_cast<qsizetype>(chart.noOperatingPoint.size()));
}

/// Where the design's L/G lies outside the span, its points are not drawn: the caption says so.
QString OutsideNote(const DemandChart& chart, float liquidGas, const ChartNumbers& numbers) {
    if (liquidGas >= chart.span.from && liquidGas <= chart.span.to) return {};
    return QStringLiteral(" (at L/G %1, outside the plot)").arg(numbers.number(D(liquidGas)));
}

std::vector<CaptionItem> CaptionItems(const DemandChart& chart, const ChartNumbers& numbers) {
    std::vector<CaptionItem> items;
    if (chart.tower) {
        items.push_back(
            {CaptionMarker::kTowerLine,
             QStringLiteral("tower KaV/L = C·(L/G)^−m, C = %1, m = %2")
                 .arg(numbers.number(D(chart.tower->c)), numbers.number(D(chart.tower->m)))});
    }
    items.push_back({CaptionMarker::kDesign, QStringLiteral("design point") +
                                                 OutsideNote(chart, chart.liquidGas, numbers)});
    if (chart.tower) {
        items.push_back({CaptionMarker::kOperating,
                         chart.operatingPoint ? QStringLiteral("operating point") +
                                                    OutsideNote(chart, chart.liquidGas, numbers)
                                              : NoOperatingPointText(chart)});
        items.push_back({CaptionMarker::kCrossing, QStringLiteral("crossing")});
    }
    return items;
}

}  // namespace

double MarkerWidth(CaptionMarker marker) {
    if (marker == CaptionMarker::kNone) return 0.0;
    return marker == CaptionMarker::kTowerLine ? kCaptionLineSample : kCaptionMarkerWidth;
}

std::vector<CaptionPiece> LayOutCaption(const DemandChart& chart, double left, double right,
                                        const ChartNumbers& numbers) {
    const QFontMetricsF metrics(ChartFont(kTextPixels));
    std::vector<CaptionPiece> pieces;
    double x = left;
    int line = 0;
    for (const CaptionItem& item : CaptionItems(chart, numbers)) {
        const double marker = MarkerWidth(item.marker);
        const double width = marker + metrics.horizontalAdvance(item.text);
        if (x > left && x + width > right) {
            x = left;
            ++line;
        }
        const QStringList lines = WrapWords(item.text, metrics, right - x - marker);
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (k > 0) ++line;
            pieces.push_back({k == 0 ? item.marker : CaptionMarker::kNone, lines[k],
                              k == 0 ? x : x + marker, line});
        }
        x += marker + metrics.horizontalAdvance(lines.back()) + kCaptionItemGap;
    }
    return pieces;
}

int CaptionLines(const std::vector<CaptionPiece>& pieces) {
    return pieces.empty() ? 1 : pieces.back().line + 1;
}

}  // namespace veltrane::chart
