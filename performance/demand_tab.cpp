#include "demand_tab.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "chart_format.h"
#include "chart_view.h"
#include "demand_chart_painter.h"
#include "number_text.h"

namespace veltrane::performance {
namespace {

QString Shortest(float value) {
    char text[kNumberTextCapacity];
    return QString::fromLatin1(text, WriteShortest(text, value) - text);
}

}  // namespace

DemandTab::DemandTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
    : PerformanceTab(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("demandTab"));
    auto* layout = new QVBoxLayout(this);
    chart_ = new ChartView(model, units, this);
    reading_ = new QLabel(this);
    reading_->setObjectName(QStringLiteral("chartReading"));
    reading_->setText(QStringLiteral("Point at the chart to read L/G, KaV/L and the approach."));
    layout->addWidget(chart_, 1);
    layout->addWidget(reading_);
    connect(chart_, &ChartView::readingChanged, reading_, [this](const QString& reading) {
        reading_->setText(reading.isEmpty()
                              ? QStringLiteral("Point at the chart to read L/G, KaV/L and the "
                                               "approach.")
                              : reading);
    });
}

bool DemandTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = chart::FormatOfFile(path.toStdString());
    if (!format) {
        error = QStringLiteral("cannot write %1: name the file .svg, .pdf or .png").arg(path);
        return false;
    }
    return chart::WriteChart(model_.calculation().chart, path, *format, error);
}

// The points behind the chart, exact (as veltrane-calc --demand writes them), the approach in
// the units shown, so that a spreadsheet reads back the very numbers drawn.
QString DemandTab::tableText(QChar separator) const {
    const std::string_view unit = UnitOf(Quantity::kTemperatureDifference, units_.system());
    const QString approachHeader =
        QStringLiteral("Approach (%1)")
            .arg(QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())));
    QString text = approachHeader + separator + u"LG"_qs + separator + u"KaVL"_qs + u'\n';
    for (const ChartCurve& c : model_.calculation().chart.curves) {
        const QString approach =
            units_.losslessText(Quantity::kTemperatureDifference, c.curve.approach);
        for (const DemandPoint& point : c.curve.points) {
            text += approach + separator + Shortest(point.liquidGas) + separator +
                    Shortest(point.kaVL) + u'\n';
        }
    }
    return text;
}

bool DemandTab::print(QPrinter& printer, QString& error) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = PrintFailure(printer);
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    chart::PaintChartAt(painter, model_.calculation().chart, page.size());
    return painter.end();
}

}  // namespace veltrane::performance
