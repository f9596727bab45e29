#include "demand_tab.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "chart_format.h"
#include "chart_view.h"
#include "demand_chart_painter.h"
#include "demand_points.h"

namespace veltrane::performance {

DemandTab::DemandTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
    : PerformanceTab(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("demandTab"));
    auto* layout = new QVBoxLayout(this);
    chart_ = new ChartView(model, units, this);
    reading_ = new QLabel(this);
    reading_->setObjectName(QStringLiteral("chartReading"));
    reading_->setText(tr("Point at the chart to read L/G, KaV/L and the approach."));
    layout->addWidget(chart_, 1);
    layout->addWidget(reading_);
    connect(chart_, &ChartView::readingChanged, reading_, [this](const QString& reading) {
        reading_->setText(reading.isEmpty() ? tr("Point at the chart to read L/G, KaV/L and the "
                                                 "approach.")
                                            : reading);
    });
}

bool DemandTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = ChartFormatOf(path, error);
    if (!format) return false;
    return chart::WriteChart(model_.calculation().chart, path, *format, error, chart_->look());
}

// The points behind the chart, exact (as veltrane-calc --demand writes them), the approach in
// the units shown, so that a spreadsheet reads back the very numbers drawn.
QString DemandTab::tableText(QChar separator) const {
    const UnitSystem system = units_.system();
    return QString::fromStdString(DemandPointsText(model_.calculation().chart, system,
                                                   ApproachCaption(system), separator.toLatin1()));
}

bool DemandTab::print(QPrinter& printer, QString& error) const {
    QPainter painter;
    const std::optional<QRectF> printable = BeginPrint(painter, printer, error);
    if (!printable) return false;
    const QRectF page = *printable;
    chart::PaintChartAt(painter, model_.calculation().chart, page.size(), chart_->look());
    return painter.end();
}

}  // namespace veltrane::performance
