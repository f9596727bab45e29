#include "curves_tab.h"

#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <map>

#include "chart_format.h"
#include "copyable_table.h"
#include "curves_chart_painter.h"
#include "demand_chart_painter.h"
#include "screen_fit.h"
#include "table_text.h"

namespace veltrane::performance {
namespace {

/// The curves chart's own space, points, fitted to the widget and the printed page.
const QSizeF kCurvesCanvas(chart::kCurvesCanvasWidth, chart::kCurvesCanvasHeight);

}  // namespace

/// The curves painted at the widget's size by the chart painter in the units chosen; faded while
/// a box is marked.
class CurvesView final : public QWidget {
  public:
    CurvesView(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
        : QWidget(parent), model_(model), units_(units) {
        setObjectName(QStringLiteral("curvesChart"));
        setMinimumSize(LeastReadableSize(kCurvesCanvas, logicalDpiY()));
    }
    [[nodiscard]] QSize sizeHint() const override { return {720, 480}; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const std::optional<PerformanceCurves>& curves = model_.performanceCurves();
        if (!curves) {
            painter.drawText(rect(), Qt::AlignCenter,
                             CurvesTab::tr("No tower: the design's KaV/L is no demand"));
            return;
        }
        if (model_.hasProblems()) painter.setOpacity(0.35);
        painter.setTransform(ReadableCanvasToDevice(QSizeF(size()), kCurvesCanvas, logicalDpiY()));
        chart::PaintCurvesChart(painter, *curves, units_.system(), QLocale());
    }

  private:
    const PerformanceModel& model_;
    const UnitLayer& units_;
};

namespace {

/// The cold water of every curve at each wet bulb, by wet bulb; NaN where a curve has no point.
std::map<float, std::vector<float>> Rows(const PerformanceCurves& curves) {
    std::map<float, std::vector<float>> rows;
    for (std::size_t i = 0; i < curves.curves.size(); ++i) {
        for (const CurvePoint& point : curves.curves[i].points) {
            std::vector<float>& row = rows[point.wetBulb];
            row.resize(curves.curves.size(), std::numeric_limits<float>::quiet_NaN());
            row[i] = point.coldWater;
        }
    }
    return rows;
}

}  // namespace

CurvesTab::CurvesTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
    : PerformanceTab(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("curvesTab"));
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    chart_ = new CurvesView(model, units, splitter);
    table_ = new CopyableTable([this] { return tableText(u'\t'); }, splitter);
    table_->setObjectName(QStringLiteral("curvesTable"));
    table_->verticalHeader()->hide();
    splitter->addWidget(InScrollArea(chart_, splitter));
    splitter->addWidget(table_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter);
    const auto changed = [this] {
        stale_ = true;
        if (isVisible()) refresh();
    };
    connect(&model_, &PerformanceModel::calculated, this, changed);
    connect(&units_, &UnitLayer::systemChanged, this, changed);
    connect(&model_, &PerformanceModel::problemsChanged, chart_, qOverload<>(&QWidget::update));
}

void CurvesTab::showEvent(QShowEvent* event) {
    PerformanceTab::showEvent(event);
    if (stale_) refresh();
}

QString CurvesTab::columnTitle(const PerformanceCurve& curve, bool withUnit) const {
    const QLocale locale;
    const QString title =
        tr("%1 % flow, %2 % range")
            .arg(ShownNumber(curve.flowPercent, locale), ShownNumber(curve.rangePercent, locale));
    return withUnit ? title + QStringLiteral(" (%1)").arg(units_.unit(Quantity::kTemperature))
                    : title;
}

void CurvesTab::refresh() {
    stale_ = false;
    chart_->update();
    table_->clear();
    const std::optional<PerformanceCurves>& curves = model_.performanceCurves();
    if (!curves) {
        table_->setRowCount(0);
        table_->setColumnCount(0);
        return;
    }
    const std::map<float, std::vector<float>> rows = Rows(*curves);
    table_->setColumnCount(static_cast<int>(curves->curves.size()) + 1);
    table_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers{tr("Wet bulb (%1)").arg(units_.unit(Quantity::kTemperature))};
    for (const PerformanceCurve& curve : curves->curves)
        headers << columnTitle(curve, false);
    table_->setHorizontalHeaderLabels(headers);
    const QLocale locale;
    const auto cell = [&](float fahrenheit) {
        auto* item = new QTableWidgetItem(
            std::isnan(fahrenheit)
                ? QString()
                : locale.toString(
                      units_.toDisplay(Quantity::kTemperature, static_cast<double>(fahrenheit)),
                      'f', 2));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    int r = 0;
    for (const auto& [wetBulb, coldWater] : rows) {
        table_->setItem(r, 0, cell(wetBulb));
        for (std::size_t i = 0; i < coldWater.size(); ++i) {
            table_->setItem(r, static_cast<int>(i) + 1, cell(coldWater[i]));
        }
        ++r;
    }
    table_->resizeColumnsToContents();
}

bool CurvesTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = ChartFormatOf(path, error);
    if (!format) return false;
    const std::optional<PerformanceCurves>& curves = model_.performanceCurves();
    if (!curves) {
        error = tr("cannot write %1: there is no tower to draw curves of").arg(path);
        return false;
    }
    return chart::WriteCurvesChart(*curves, units_.system(), path, *format, error, QLocale());
}

// Every value exact in the units shown (the shortest text that reads back as the calculated
// value), the columns named with their unit, so that a spreadsheet gets the very numbers.
QString CurvesTab::tableText(QChar separator) const {
    const std::optional<PerformanceCurves>& curves = model_.performanceCurves();
    if (!curves) return {};
    // The columns' titles hold commas ("100 % flow, 80 % range"): quoted like any field.
    TableText table(separator);
    QStringList header{tr("Wet bulb (%1)").arg(units_.unit(Quantity::kTemperature))};
    for (const PerformanceCurve& curve : curves->curves)
        header << columnTitle(curve, true);
    table.line(header);
    for (const auto& [wetBulb, coldWater] : Rows(*curves)) {
        QStringList row{units_.losslessText(Quantity::kTemperature, wetBulb)};
        for (const float value : coldWater) {
            row << (std::isnan(value) ? QString()
                                      : units_.losslessText(Quantity::kTemperature, value));
        }
        table.line(row);
    }
    return table.text();
}

std::optional<TabPrintout> CurvesTab::printout() const {
    TabPrintout page;
    page.title = title();
    if (const std::optional<PerformanceCurves>& curves = model_.performanceCurves()) {
        page.canvas = kCurvesCanvas;
        page.paintChart = [curves = *curves, system = units_.system(), locale = QLocale()](
                              QPainter& p) { chart::PaintCurvesChart(p, curves, system, locale); };
    }
    page.table = ShownTableText(*table_->model());
    return page;
}

}  // namespace veltrane::performance
