#include "year_tab.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

#include "chart_file.h"
#include "chart_format.h"
#include "constants.h"
#include "copyable_table.h"
#include "demand_chart_painter.h"
#include "file_dialogs.h"
#include "message_boxes.h"
#include "number_boxes.h"
#include "number_text.h"
#include "utf8_text.h"

namespace veltrane::performance {
namespace {

using desktop::FromUtf8;

enum BinColumn : int { kTwb, kTdb, kHours, kBinColumns };

/// A small year of a temperate site, 7,860 hours in nine bins of 5 °F wet bulb.
const std::vector<WeatherBin> kDefaultBins = {
    {32.0F, 36.0F, 400.0},  {37.0F, 42.0F, 600.0},  {42.0F, 48.0F, 700.0},
    {47.0F, 54.0F, 800.0},  {52.0F, 60.0F, 900.0},  {57.0F, 65.0F, 1000.0},
    {62.0F, 70.0F, 1100.0}, {67.0F, 74.0F, 1200.0}, {72.0F, 79.0F, 1160.0},
};
/// The setpoint of a new tab, °F: the design's cold water of the default design.
constexpr float kDefaultSetpoint = 78.0F;
/// The figure the chart leaves around its plot, in canvas points.
constexpr double kChartMargin = 56.0;
/// Significant figures of a bin's wet bulb under its bar.
constexpr int kAxisLabelDigits = 3;
/// The chart's text size in its own units, so that it reads the same on screen, in a file and
/// on a printed page (a printer's font in points would be scaled twice by the fitted canvas).
constexpr int kChartTextPixels = 12;

/// Where a cell and a box keep the engine value their text was last read as.
constexpr int kEngineValueRole = Qt::UserRole;
constexpr const char* kEngineValueProperty = "engineValue";

/// Hours as the user's locale writes a count, with a fraction only where there is one.
QString Hours(double hours) {
    return QLocale().toString(hours, 'f', hours == std::floor(hours) ? 0 : 2);
}

Quantity QuantityOfColumn(int column) {
    return column == kHours ? Quantity::kHours : Quantity::kTemperature;
}

const QColor kBarColour(70, 110, 170);
const QColor kProblemColour(255, 210, 210);

QString BinsFileHeader() {
    return QStringLiteral("Twb,Tdb,Hours");
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

/// Plain number of a CSV field ('.' decimals), or nothing; infinities and NaN refused.
std::optional<double> CsvNumber(const QString& field) {
    bool ok = false;
    const double value = QLocale::c().toDouble(field.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

/// One bar per bin of the fan energy or the makeup water; a bin without an operating point is
/// marked with a cross at the base.
class YearBars final : public QWidget {
  public:
    YearBars(const YearTab& tab, const UnitLayer& units, QWidget* parent)
        : QWidget(parent), tab_(tab), units_(units) {
        setObjectName(QStringLiteral("yearChart"));
        setMinimumSize(320, 200);
    }
    [[nodiscard]] QSize sizeHint() const override { return {560, 300}; }

    void setShown(YearBarsOf shown) {
        shown_ = shown;
        update();
    }

    [[nodiscard]] QString title() const {
        return shown_ == YearBarsOf::kEnergy
                   ? QStringLiteral("Fan energy by bin (%1)").arg(units_.unit(Quantity::kEnergy))
                   : QStringLiteral("Makeup water by bin (%1)")
                         .arg(units_.unit(Quantity::kWaterVolume));
    }

    /// Paints the chart into `area` (any device, any size).
    void paint(QPainter& painter, const QRectF& area) const {
        painter.save();
        QFont font = painter.font();
        font.setPixelSize(kChartTextPixels);
        painter.setFont(font);
        painter.fillRect(area, Qt::white);
        const std::optional<YearRun>& year = tab_.year();
        painter.setPen(Qt::black);
        painter.drawText(area.adjusted(0, 6, 0, 0), Qt::AlignHCenter | Qt::AlignTop, title());
        if (!year || year->bins.empty()) {
            painter.drawText(area, Qt::AlignCenter, tab_.totalsText());
            painter.restore();
            return;
        }
        const QRectF plot = area.adjusted(kChartMargin + 16, kChartMargin / 2, -16, -kChartMargin);
        const std::vector<double> values = barValues(*year);
        const double top = NiceTop(*std::max_element(values.begin(), values.end()));
        paintGrid(painter, plot, top);
        const double slot = plot.width() / static_cast<double>(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double left = plot.left() + slot * static_cast<double>(i);
            const QRectF label(left, plot.bottom() + 4, slot, 18);
            painter.setPen(Qt::black);
            painter.drawText(label, Qt::AlignCenter, axisLabel(tab_.binWetBulb(i)));
            if (!year->bins[i].operating()) {
                painter.setPen(QPen(Qt::red, 2));
                const QPointF base(left + slot / 2, plot.bottom() - 8);
                painter.drawLine(base + QPointF(-5, -5), base + QPointF(5, 5));
                painter.drawLine(base + QPointF(-5, 5), base + QPointF(5, -5));
                continue;
            }
            const double height = top > 0.0 ? plot.height() * values[i] / top : 0.0;
            painter.fillRect(QRectF(left + slot * 0.15, plot.bottom() - height, slot * 0.7, height),
                             kBarColour);
        }
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(area.left(), plot.bottom() + 22, area.width(), 18), Qt::AlignCenter,
            QStringLiteral("Bin by wet bulb (%1)").arg(units_.unit(Quantity::kTemperature)));
        painter.restore();
    }

  private:
    /// A bin's wet bulb under its bar, to three figures so that neighbours do not run into
    /// each other (a bin of 37 °F is 2.7777778 °C); the table beside gives every digit.
    [[nodiscard]] QString axisLabel(float wetBulb) const {
        const double shown = units_.toDisplay(Quantity::kTemperature, static_cast<double>(wetBulb));
        return QLocale().toString(shown, 'g', kAxisLabelDigits);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint(painter, QRectF(rect()));
    }

  private:
    [[nodiscard]] std::vector<double> barValues(const YearRun& year) const {
        std::vector<double> values;
        for (const BinOperation& bin : year.bins) {
            values.push_back(shown_ == YearBarsOf::kEnergy
                                 ? units_.toDisplay(Quantity::kEnergy, bin.fanKilowattHours)
                                 : units_.toDisplay(Quantity::kWaterVolume, bin.makeupGallons));
        }
        return values;
    }

    /// 1, 2 or 5 × a power of ten at or above the highest bar.
    static double NiceTop(double highest) {
        if (!(highest > 0.0)) return 1.0;
        const double decade = std::pow(10.0, std::floor(std::log10(highest)));
        for (const double step : {1.0, 2.0, 5.0, 10.0}) {
            if (step * decade >= highest) return step * decade;
        }
        return 10.0 * decade;
    }

    static void paintGrid(QPainter& painter, const QRectF& plot, double top) {
        constexpr int kLines = 5;
        const QLocale locale;
        for (int k = 0; k <= kLines; ++k) {
            const double value = top * k / kLines;
            const double y = plot.bottom() - plot.height() * k / kLines;
            painter.setPen(k == 0 ? QPen(Qt::black) : QPen(QColor(220, 220, 220)));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            painter.setPen(Qt::black);
            painter.drawText(QRectF(plot.left() - kChartMargin - 14, y - 9, kChartMargin + 8, 18),
                             Qt::AlignRight | Qt::AlignVCenter,
                             locale.toString(value, 'f', top >= kLines ? 0 : 2));
        }
    }

    const YearTab& tab_;
    const UnitLayer& units_;
    YearBarsOf shown_ = YearBarsOf::kEnergy;
};

/// The bins table: Ctrl+V (the platform's Paste) puts the clipboard's rows in place of the bins.
class BinsTable final : public QTableWidget {
  public:
    BinsTable(YearTab& tab, QWidget* parent) : QTableWidget(0, kBinColumns, parent), tab_(tab) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) {
            tab_.pasteBins(QGuiApplication::clipboard()->text());
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

  private:
    YearTab& tab_;
};

YearTab::YearTab(const PerformanceModel& model, const UnitLayer& units,
                 desktop::MessageBoxes& messages, FileDialogs& files, QWidget* parent)
    : PerformanceTab(parent), model_(model), units_(units), messages_(messages), files_(files) {
    setObjectName(QStringLiteral("yearTab"));
    control_.setpoint = kDefaultSetpoint;
    binValues_ = kDefaultBins;
    auto* layout = new QHBoxLayout(this);
    // The inputs keep to a narrow column: the results and the chart take the rest.
    auto* inputs = new QWidget(this);
    inputs->setMaximumWidth(360);
    auto* left = new QVBoxLayout(inputs);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(buildControls());
    left->addWidget(buildBins(), 1);
    layout->addWidget(inputs);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    auto* chartPane = new QWidget(splitter);
    auto* chartLayout = new QVBoxLayout(chartPane);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    barsOf_ = new QComboBox(chartPane);
    barsOf_->setObjectName(QStringLiteral("yearBarsOf"));
    barsOf_->addItems({QStringLiteral("Fan energy"), QStringLiteral("Makeup water")});
    chart_ = new YearBars(*this, units_, chartPane);
    chartLayout->addWidget(barsOf_, 0, Qt::AlignLeft);
    chartLayout->addWidget(chart_, 1);
    auto* resultPane = new QWidget(splitter);
    auto* resultLayout = new QVBoxLayout(resultPane);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    results_ = new CopyableTable([this] { return tableText(u'\t'); }, resultPane);
    results_->setObjectName(QStringLiteral("yearResults"));
    results_->verticalHeader()->hide();
    totals_ = new QLabel(resultPane);
    totals_->setObjectName(QStringLiteral("yearTotals"));
    totals_->setWordWrap(true);
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resultLayout->addWidget(results_, 1);
    resultLayout->addWidget(totals_);
    splitter->addWidget(chartPane);
    splitter->addWidget(resultPane);
    layout->addWidget(splitter, 5);
    connect(barsOf_, &QComboBox::currentIndexChanged, this, [this](int index) {
        chart_->setShown(index == 0 ? YearBarsOf::kEnergy : YearBarsOf::kWater);
    });
    showBins(binValues_);
    showControls();
    const auto changed = [this] {
        stale_ = true;
        if (isVisible()) refresh();
    };
    connect(&model_, &PerformanceModel::calculated, this, changed);
    connect(&units_, &UnitLayer::systemChanged, this, [this, changed] {
        rewriteInUnits();
        changed();
    });
}

QWidget* YearTab::buildControls() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    setpoint_ = new QLineEdit(box);
    setpoint_->setObjectName(QStringLiteral("yearSetpoint"));
    setpointUnit_ = new QLabel(box);
    auto* setpointRow = new QHBoxLayout;
    setpointRow->addWidget(setpoint_);
    setpointRow->addWidget(setpointUnit_);
    const auto label = [box](const QString& text, QWidget* buddy) {
        auto* caption = new QLabel(text, box);
        caption->setBuddy(buddy);
        return caption;
    };
    form->addRow(label(QStringLiteral("Cold water &setpoint:"), setpoint_), setpointRow);
    fan_ = new QComboBox(box);
    fan_->setObjectName(QStringLiteral("yearFan"));
    fan_->addItems({QStringLiteral("Full speed"), QStringLiteral("Variable speed (VFD)"),
                    QStringLiteral("Two-speed")});
    form->addRow(QStringLiteral("&Fan control:"), fan_);
    minimum_ = new QLineEdit(box);
    minimum_->setObjectName(QStringLiteral("yearMinimumAirFlow"));
    auto* minimumRow = new QHBoxLayout;
    minimumRow->addWidget(minimum_);
    minimumRow->addWidget(new QLabel(QStringLiteral("%"), box));
    form->addRow(label(QStringLiteral("VFD &minimum air flow:"), minimum_), minimumRow);
    problemLabel_ = new QLabel(box);
    problemLabel_->setObjectName(QStringLiteral("yearProblem"));
    problemLabel_->setWordWrap(true);
    problemLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    form->addRow(problemLabel_);
    connect(setpoint_, &QLineEdit::textEdited, this, &YearTab::readBoxes);
    connect(minimum_, &QLineEdit::textEdited, this, &YearTab::readBoxes);
    connect(fan_, &QComboBox::currentIndexChanged, this, &YearTab::readBoxes);
    return box;
}

QWidget* YearTab::buildBins() {
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Weather &bins (Ctrl+V pastes rows):"), pane);
    bins_ = new BinsTable(*this, pane);
    bins_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    bins_->setObjectName(QStringLiteral("yearBins"));
    label->setBuddy(bins_);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& text, void (YearTab::*slot)()) {
        auto* b = new QPushButton(text, pane);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(QStringLiteral("&Open…"), &YearTab::askOpen);
    button(QStringLiteral("Sa&ve…"), &YearTab::askSave);
    button(QStringLiteral("&Add"), &YearTab::addBin);
    button(QStringLiteral("&Remove"), &YearTab::removeBin);
    layout->addWidget(label);
    layout->addWidget(bins_, 1);
    layout->addLayout(buttons);
    connect(bins_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) readBoxes();
    });
    return pane;
}

QString YearTab::temperatureColumn(const QString& name) const {
    return QStringLiteral("%1 (%2)").arg(name, units_.unit(Quantity::kTemperature));
}

void YearTab::showBins(const std::vector<WeatherBin>& bins) {
    filling_ = true;
    const QLocale locale;
    bins_->setRowCount(static_cast<int>(bins.size()));
    showBinHeaders();
    for (int r = 0; r < bins_->rowCount(); ++r) {
        const WeatherBin& bin = bins[static_cast<std::size_t>(r)];
        const std::array<float, kBinColumns> values = {bin.wetBulb, bin.dryBulb,
                                                       static_cast<float>(bin.hours)};
        for (int c = 0; c < kBinColumns; ++c) {
            const float value = values[static_cast<std::size_t>(c)];
            auto* item = new QTableWidgetItem(BoxText(value, QuantityOfColumn(c), units_, locale));
            item->setData(kEngineValueRole, value);
            bins_->setItem(r, c, item);
        }
    }
    filling_ = false;
}

// Every usable cell and box rewritten in the new units from the value it was read as, so that
// no value moves; a marked one keeps its text.
void YearTab::rewriteInUnits() {
    filling_ = true;
    const QLocale locale;
    showBinHeaders();
    for (int r = 0; r < bins_->rowCount(); ++r) {
        for (int c = 0; c < kBinColumns; ++c) {
            QTableWidgetItem* item = bins_->item(r, c);
            if (item == nullptr || !item->toolTip().isEmpty()) continue;
            const QVariant value = item->data(kEngineValueRole);
            if (value.isValid())
                item->setText(BoxText(value.toFloat(), QuantityOfColumn(c), units_, locale));
        }
    }
    filling_ = false;
    const QVariant setpoint = setpoint_->property(kEngineValueProperty);
    if (setpoint_->toolTip().isEmpty() && setpoint.isValid())
        setpoint_->setText(BoxText(setpoint.toFloat(), Quantity::kTemperature, units_, locale));
    setpointUnit_->setText(units_.unit(Quantity::kTemperature));
}

void YearTab::showBinHeaders() {
    bins_->setHorizontalHeaderLabels({temperatureColumn(QStringLiteral("Twb")),
                                      temperatureColumn(QStringLiteral("Tdb")),
                                      QStringLiteral("Hours (h)")});
}

void YearTab::showControls() {
    const QLocale locale;
    setpoint_->setText(BoxText(control_.setpoint, Quantity::kTemperature, units_, locale));
    setpoint_->setProperty(kEngineValueProperty, control_.setpoint);
    setpointUnit_->setText(units_.unit(Quantity::kTemperature));
    minimum_->setText(
        locale.toString(static_cast<double>(control_.minimumAirFlow) * kPercent, 'g', 6));
    const QSignalBlocker block(fan_);
    fan_->setCurrentIndex(static_cast<int>(control_.mode));
    minimum_->setEnabled(control_.mode == FanMode::kVariableSpeed);
}

void YearTab::markCell(QTableWidgetItem* item, const QString& reason) {
    item->setBackground(reason.isEmpty() ? QBrush() : QBrush(kProblemColour));
    item->setToolTip(reason);
}

bool YearTab::readBinCell(int row, int column, double& value) {
    QTableWidgetItem* item = bins_->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        bins_->setItem(row, column, item);
    }
    const std::variant<float, QString> read =
        ReadBox(item->text(), QuantityOfColumn(column), units_, QLocale());
    QString reason;
    if (const QString* refusal = std::get_if<QString>(&read)) {
        reason = *refusal;
    } else {
        value = static_cast<double>(std::get<float>(read));
        item->setData(kEngineValueRole, std::get<float>(read));
        if (column == kHours && !(value >= 0.0)) reason = QStringLiteral("is negative");
    }
    if (!reason.isEmpty()) {
        const QString name = bins_->horizontalHeaderItem(column)->text();
        reason = QStringLiteral("Bin %1, %2 %3").arg(row + 1).arg(name, reason);
        if (problem_.isEmpty()) problem_ = reason;
    }
    markCell(item, reason);
    return reason.isEmpty();
}

void YearTab::readBoxes() {
    filling_ = true;
    problem_.clear();
    std::vector<WeatherBin> bins(static_cast<std::size_t>(bins_->rowCount()));
    for (int r = 0; r < bins_->rowCount(); ++r) {
        WeatherBin& bin = bins[static_cast<std::size_t>(r)];
        double wetBulb = 0.0;
        double dryBulb = 0.0;
        readBinCell(r, kTwb, wetBulb);
        readBinCell(r, kTdb, dryBulb);
        readBinCell(r, kHours, bin.hours);
        bin.wetBulb = static_cast<float>(wetBulb);
        bin.dryBulb = static_cast<float>(dryBulb);
    }
    filling_ = false;
    FanControl control = control_;
    control.mode = static_cast<FanMode>(fan_->currentIndex());
    minimum_->setEnabled(control.mode == FanMode::kVariableSpeed);
    const auto readControl = [&](QLineEdit* box, Quantity quantity, const QString& name,
                                 float& value, bool isPercent) {
        std::variant<float, QString> read = ReadBox(box->text(), quantity, units_, QLocale());
        if (const float* number = std::get_if<float>(&read);
            number && isPercent && !(*number > 0.0F && *number <= 100.0F)) {
            read = QStringLiteral("is not above 0 % and up to 100 %");
        }
        const QString* refusal = std::get_if<QString>(&read);
        box->setStyleSheet(refusal ? QStringLiteral("background: #ffd2d2") : QString());
        box->setToolTip(refusal ? QString(name + u' ' + *refusal) : QString());
        if (refusal) {
            if (problem_.isEmpty()) problem_ = QString(name + u' ' + *refusal);
            return;
        }
        box->setProperty(kEngineValueProperty, std::get<float>(read));
        value = isPercent
                    ? static_cast<float>(static_cast<double>(std::get<float>(read)) / kPercent)
                    : std::get<float>(read);
    };
    readControl(setpoint_, Quantity::kTemperature, QStringLiteral("The setpoint"), control.setpoint,
                false);
    if (control.mode == FanMode::kVariableSpeed) {
        readControl(minimum_, Quantity::kPercentage, QStringLiteral("The VFD minimum air flow"),
                    control.minimumAirFlow, true);
    }
    if (problem_.isEmpty()) {
        binValues_ = std::move(bins);
        control_ = control;
        recalculate();
    }
    showResults();
}

void YearTab::recalculate() {
    stale_ = false;
    const Calculation& calculation = model_.calculation();
    if (!calculation.tower) {
        year_.reset();
        return;
    }
    year_ = RunYear(calculation.inputs, *calculation.tower, control_, binValues_);
}

void YearTab::showEvent(QShowEvent* event) {
    PerformanceTab::showEvent(event);
    if (stale_) refresh();
}

void YearTab::refresh() {
    recalculate();
    showResults();
}

float YearTab::binWetBulb(std::size_t bin) const {
    return bin < binValues_.size() ? binValues_[bin].wetBulb : 0.0F;
}

QString YearTab::displayText(Quantity quantity, float engineValue) const {
    return ResultBoxText(engineValue, quantity, units_, QLocale());
}

void YearTab::showResults() {
    problemLabel_->setText(problem_.isEmpty()
                               ? QString()
                               : problem_ + QStringLiteral(": the figures are those of the "
                                                           "last usable bins and controls."));
    totals_->setText(totalsText());
    chart_->update();
    results_->clear();
    const QStringList header = {
        temperatureColumn(QStringLiteral("Twb")),
        temperatureColumn(QStringLiteral("Tdb")),
        QStringLiteral("Hours (h)"),
        temperatureColumn(QStringLiteral("Cold water")),
        QStringLiteral("Air flow (%)"),
        QStringLiteral("Makeup (%1)").arg(units_.unit(Quantity::kWaterVolume)),
        QStringLiteral("Fan energy (%1)").arg(units_.unit(Quantity::kEnergy)),
        QStringLiteral("Note")};
    results_->setColumnCount(static_cast<int>(header.size()));
    results_->setHorizontalHeaderLabels(header);
    if (!year_) {
        results_->setRowCount(0);
        return;
    }
    results_->setRowCount(static_cast<int>(year_->bins.size()));
    for (std::size_t i = 0; i < year_->bins.size(); ++i) {
        const BinOperation& bin = year_->bins[i];
        const WeatherBin& weather = binValues_[i];
        QStringList cells = {BoxText(weather.wetBulb, Quantity::kTemperature, units_, QLocale()),
                             BoxText(weather.dryBulb, Quantity::kTemperature, units_, QLocale()),
                             Hours(weather.hours)};
        if (bin.operating()) {
            cells << displayText(Quantity::kTemperature, bin.run.coldWater)
                  << displayText(
                         Quantity::kPercentage,
                         static_cast<float>(static_cast<double>(bin.run.airFlow) * kPercent))
                  << displayText(Quantity::kWaterVolume, static_cast<float>(bin.makeupGallons))
                  << displayText(Quantity::kEnergy, static_cast<float>(bin.fanKilowattHours))
                  << desktop::FromUtf8(DescribeFanOutcome(bin.run.outcome, control_.mode));
        } else {
            cells << QString() << QString() << QString() << QString()
                  << QStringLiteral("no operating point: ") +
                         desktop::FromUtf8(DescribeOutcome(bin.run.fullSpeed.outcome));
        }
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c + 1 < cells.size()) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            results_->setItem(static_cast<int>(i), c, item);
        }
    }
    results_->resizeColumnsToContents();
}

QString YearTab::problemText() const {
    return problem_;
}

QString YearTab::totalsText() const {
    if (!model_.calculation().tower) {
        return QStringLiteral("No tower: the design's KaV/L is no demand, so no bin can be rated.");
    }
    if (!year_ || year_->bins.empty()) return QStringLiteral("No bins: type, paste or open some.");
    const YearTotals& totals = year_->totals;
    const QLocale locale;
    const auto shown = [&](Quantity quantity, double value) -> QString {
        return displayText(quantity, static_cast<float>(value)) + u' ' + units_.unit(quantity);
    };
    QString text = totals.hours > 0.0
                       ? QStringLiteral(
                             "Year of %1: fan energy %2, makeup water %3, mean cold water %4, %5 "
                             "above the setpoint.")
                             .arg(Hours(totals.hours) + QStringLiteral(" h"),
                                  shown(Quantity::kEnergy, totals.fanKilowattHours),
                                  shown(Quantity::kWaterVolume, totals.makeupGallons),
                                  shown(Quantity::kTemperature, totals.meanColdWater),
                                  Hours(totals.hoursAboveSetpoint) + QStringLiteral(" h"))
                       : QStringLiteral("No bin with hours has an operating point.");
    if (!totals.binsLeftOut.empty()) {
        // Named, so that no bin is silently missing from a sum.
        QStringList names;
        for (const std::size_t bin : totals.binsLeftOut)
            names << locale.toString(static_cast<qulonglong>(bin + 1));
        text += QStringLiteral(" Left out: bin%1 %2 (no operating point; %3).")
                    .arg(names.size() == 1 ? QString() : QStringLiteral("s"),
                         names.join(QStringLiteral(", ")),
                         Hours(totals.hoursLeftOut) + QStringLiteral(" h"));
    }
    return text;
}

// Every value exact in the units shown, the columns named with their unit, the year's totals
// last, so that a spreadsheet gets the very numbers.
QString YearTab::tableText(QChar separator) const {
    QStringList header;
    for (int c = 0; c < results_->columnCount(); ++c)
        header << results_->horizontalHeaderItem(c)->text();
    QString text = header.join(separator) + u'\n';
    if (!year_) return text;
    const auto exact = [&](Quantity quantity, double value) -> QString {
        return Latin(ShortestText(units_.toDisplay(quantity, value)).View());
    };
    const auto quoted = [&](const QString& note) -> QString {
        return separator == u',' && note.contains(u',') ? QStringLiteral("\"%1\"").arg(note) : note;
    };
    for (std::size_t i = 0; i < year_->bins.size(); ++i) {
        const BinOperation& bin = year_->bins[i];
        const WeatherBin& weather = binValues_[i];
        QStringList row = {units_.losslessText(Quantity::kTemperature, weather.wetBulb),
                           units_.losslessText(Quantity::kTemperature, weather.dryBulb),
                           exact(Quantity::kHours, weather.hours)};
        if (bin.operating()) {
            row << units_.losslessText(Quantity::kTemperature, bin.run.coldWater)
                << exact(Quantity::kPercentage, static_cast<double>(bin.run.airFlow) * kPercent)
                << exact(Quantity::kWaterVolume, bin.makeupGallons)
                << exact(Quantity::kEnergy, bin.fanKilowattHours)
                << quoted(desktop::FromUtf8(DescribeFanOutcome(bin.run.outcome, control_.mode)));
        } else {
            row << QString() << QString() << QString() << QString()
                << quoted(QStringLiteral("no operating point: ") +
                          desktop::FromUtf8(DescribeOutcome(bin.run.fullSpeed.outcome)));
        }
        text += row.join(separator) + u'\n';
    }
    const YearTotals& totals = year_->totals;
    QStringList row = {
        QStringLiteral("Year"),
        QString(),
        exact(Quantity::kHours, totals.hours),
        totals.hours > 0.0 ? exact(Quantity::kTemperature, totals.meanColdWater) : QString(),
        QString(),
        exact(Quantity::kWaterVolume, totals.makeupGallons),
        exact(Quantity::kEnergy, totals.fanKilowattHours),
        quoted(totalsText())};
    return text + row.join(separator) + u'\n';
}

bool YearTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = ChartFormatOf(path, error);
    if (!format) return false;
    return chart::WritePicture(
        path, *format, QSizeF(chart::kCanvasWidth, chart::kCanvasHeight), chart_->title(),
        [this](QPainter& painter) {
            chart_->paint(painter, QRectF(0, 0, chart::kCanvasWidth, chart::kCanvasHeight));
        },
        error);
}

bool YearTab::print(QPrinter& printer, QString& error) const {
    QPainter painter;
    const std::optional<QRectF> printable = BeginPrint(painter, printer, error);
    if (!printable) return false;
    const QRectF page = *printable;
    painter.setTransform(chart::CanvasToDevice(QSizeF(page.width(), page.height() * 0.6)));
    chart_->paint(painter, QRectF(0, 0, chart::kCanvasWidth, chart::kCanvasHeight));
    painter.resetTransform();
    const QRectF below(page.left(), page.top() + page.height() * 0.62, page.width(),
                       page.height() * 0.38);
    painter.drawText(below, Qt::TextWordWrap, totalsText());
    return painter.end();
}

void YearTab::tell(const QString& what, const QString& error) {
    messages_.show(this, what + QStringLiteral(":\r\n") + error,
                   QStringLiteral("Veltrane Performance"), desktop::MessageButtons::Ok,
                   desktop::MessageIcon::Exclamation);
}

bool YearTab::openBins(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        tell(QStringLiteral("The bins were not opened"),
             QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    QTextStream in(&file);
    const QStringList header = in.readLine().split(u',');
    const auto column = [&](const QString& name) {
        for (int c = 0; c < header.size(); ++c) {
            if (header[c].trimmed().compare(name, Qt::CaseInsensitive) == 0) return c;
        }
        return -1;
    };
    const std::array<int, kBinColumns> columns = {column(QStringLiteral("Twb")),
                                                  column(QStringLiteral("Tdb")),
                                                  column(QStringLiteral("Hours"))};
    const auto fail = [&](const QString& reason) {
        tell(QStringLiteral("The bins were not opened"),
             QStringLiteral("cannot read %1: %2").arg(path, reason));
        return false;
    };
    if (std::find(columns.begin(), columns.end(), -1) != columns.end())
        return fail(QStringLiteral("the first line must name the columns Twb, Tdb and Hours"));
    std::vector<WeatherBin> bins;
    for (int line = 2; !in.atEnd(); ++line) {
        const QString text = in.readLine();
        if (text.trimmed().isEmpty()) continue;
        const QStringList fields = text.split(u',');
        std::array<double, kBinColumns> values{};
        for (int c = 0; c < kBinColumns; ++c) {
            const int field = columns[static_cast<std::size_t>(c)];
            const std::optional<double> value =
                field < fields.size() ? CsvNumber(fields[field]) : std::nullopt;
            if (!value || (c == kHours && *value < 0.0)) {
                return fail(QStringLiteral("line %1: %2 is not a usable number")
                                .arg(line)
                                .arg(header[columns[static_cast<std::size_t>(c)]].trimmed()));
            }
            values[static_cast<std::size_t>(c)] = *value;
        }
        bins.push_back(
            {static_cast<float>(values[kTwb]), static_cast<float>(values[kTdb]), values[kHours]});
    }
    showBins(bins);
    readBoxes();
    return true;
}

bool YearTab::saveBins(const QString& path) {
    if (!problem_.isEmpty()) {
        tell(QStringLiteral("The bins were not saved"), problem_);
        return false;
    }
    QString text = BinsFileHeader() + u'\n';
    for (const WeatherBin& bin : binValues_) {
        text += QStringLiteral("%1,%2,%3\n")
                    .arg(Latin(PlainShortestText(bin.wetBulb).View()),
                         Latin(PlainShortestText(bin.dryBulb).View()),
                         Latin(PlainShortestText(bin.hours).View()));
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        tell(QStringLiteral("The bins were not saved"),
             QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

void YearTab::pasteBins(const QString& text) {
    std::vector<QStringList> rows;
    for (const QString& line : text.split(u'\n')) {
        if (line.trimmed().isEmpty()) continue;
        const QStringList cells = line.split(u'\t');
        const QString first = cells.front().trimmed();
        if (rows.empty() && !first.isEmpty() && first.front().isLetter())
            continue;  // the spreadsheet's header line
        rows.push_back(cells);
    }
    if (rows.empty()) return;
    filling_ = true;
    bins_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < bins_->rowCount(); ++r) {
        const QStringList& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < kBinColumns; ++c) {
            // Every cell as pasted, usable or not: a bad one is marked, never dropped.
            bins_->setItem(r, c,
                           new QTableWidgetItem(c < cells.size() ? cells[c].trimmed() : QString()));
        }
    }
    filling_ = false;
    readBoxes();
}

void YearTab::askOpen() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Bins"), QString(),
                                                      QStringLiteral("CSV file (*.csv)"));
    if (!path.isEmpty()) openBins(path);
}

void YearTab::askSave() {
    const QString path =
        files_.saveFileName(this, QStringLiteral("Save Bins"), QStringLiteral("bins.csv"),
                            QStringLiteral("CSV file (*.csv)"));
    if (!path.isEmpty()) saveBins(path);
}

void YearTab::addBin() {
    const int row = bins_->rowCount();
    filling_ = true;
    bins_->insertRow(row);
    for (int c = 0; c < kBinColumns; ++c)
        bins_->setItem(row, c, new QTableWidgetItem);
    filling_ = false;
    bins_->setCurrentCell(row, kTwb);
    bins_->editItem(bins_->item(row, kTwb));
    readBoxes();
}

void YearTab::removeBin() {
    const int row = bins_->currentRow() >= 0 ? bins_->currentRow() : bins_->rowCount() - 1;
    if (row < 0) return;
    bins_->removeRow(row);
    readBoxes();
}

}  // namespace veltrane::performance
