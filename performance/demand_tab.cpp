#include "demand_tab.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "chart_format.h"
#include "chart_view.h"
#include "csv_records.h"
#include "demand_chart_painter.h"
#include "demand_points.h"
#include "screen_fit.h"

namespace veltrane::performance {

DemandTab::DemandTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
    : PerformanceTab(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("demandTab"));
    auto* layout = new QVBoxLayout(this);
    chart_ = new ChartView(model, units, this);
    reading_ = new QLabel(this);
    reading_->setObjectName(QStringLiteral("chartReading"));
    reading_->setText(tr("Point at the chart to read L/G, KaV/L and the approach."));
    layout->addWidget(InScrollArea(chart_, this), 1);
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
    return chart::WriteChart(model_.calculation().chart, path, *format, error, chart_->look(),
                             QLocale());
}

// The points behind the chart, exact (as veltrane-calc --demand writes them), the approach in
// the units shown, so that a spreadsheet reads back the very numbers drawn.
QString DemandTab::tableText(QChar separator) const {
    const UnitSystem system = units_.system();
    return QString::fromStdString(DemandPointsText(model_.calculation().chart, system,
                                                   ApproachCaption(system),
                                                   TableFormat(separator, QLocale())));
}

// The chart alone: its points would fill pages, and Export Table gives them exactly.
std::optional<TabPrintout> DemandTab::printout() const {
    TabPrintout page;
    page.title = title();
    page.canvas = QSizeF(chart::kCanvasWidth, chart::kCanvasHeight);
    page.paintChart = [chart = model_.calculation().chart, look = chart_->look(),
                       locale = QLocale()](QPainter& p) {
        chart::PaintChart(p, chart, look, locale);
    };
    return page;
}

}  // namespace veltrane::performance
