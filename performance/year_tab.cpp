#include "year_tab.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <variant>

#include "chart_file.h"
#include "chart_format.h"
#include "constants.h"
#include "copyable_table.h"
#include "demand_chart_painter.h"
#include "file_dialogs.h"
#include "message_boxes.h"
#include "number_boxes.h"
#include "recent_files.h"
#include "screen_fit.h"
#include "utf8_text.h"
#include "weather_year_model.h"

namespace veltrane::performance {
namespace {

using desktop::FromUtf8;

/// The figure the chart leaves around its plot, in canvas points.
constexpr double kChartMargin = 56.0;
/// Between a grid label and the plot, in canvas points.
constexpr double kLabelGap = 6.0;
/// Significant figures of a bin's wet bulb under its bar.
constexpr int kAxisLabelDigits = 3;
/// The chart's text size in its own units, so that it reads the same on screen, in a file and
/// on a printed page (a printer's font in points would be scaled twice by the fitted canvas).
constexpr int kChartTextPixels = 12;
/// The smallest the fan control's line under the chart's title is drawn to fit, px.
constexpr int kSmallestHeadingPixels = 9;
/// Room kept either side of the heading, px.
constexpr double kHeadingSide = 8.0;
/// The lines kept for a problem under the controls.
constexpr int kProblemLines = 3;

const QColor kBarColour(70, 110, 170);
const QString kMarkedStyle = QStringLiteral("background: #ffd2d2");

/// Hours as the user's locale writes a count, with a fraction only where there is one.
QString Hours(double hours) {
    return QLocale().toString(hours, 'f', hours == std::floor(hours) ? 0 : 2);
}

/// Shows a control's text, marked with its problem. A box being typed into keeps its text and
/// cursor.
void ShowControl(QLineEdit* box, const NumberCell& control, const QString& problem) {
    if (box->text() != control.text) box->setText(control.text);
    box->setStyleSheet(problem.isEmpty() ? QString() : kMarkedStyle);
    box->setToolTip(problem);
}

}  // namespace

FittedLine FitLine(const QString& text, QFont font, int smallestPixels, double width) {
    const auto advance = [&text](const QFont& f) {
        return QFontMetricsF(f).horizontalAdvance(text);
    };
    while (advance(font) > width && font.pixelSize() > smallestPixels)
        font.setPixelSize(font.pixelSize() - 1);
    return {font, QFontMetricsF(font).elidedText(text, Qt::ElideRight, std::max(width, 0.0))};
}

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
        const QString per = tab_.showsMonths() ? YearTab::tr("month") : YearTab::tr("bin");
        return shown_ == YearBarsOf::kEnergy
                   ? YearTab::tr("Fan energy by %1 (%2)").arg(per, units_.unit(Quantity::kEnergy))
                   : YearTab::tr("Makeup water by %1 (%2)")
                         .arg(per, units_.unit(Quantity::kWaterVolume));
    }

    /// Paints the chart into `area` (any device, any size).
    void paint(QPainter& painter, const QRectF& area) const {
        painter.save();
        QFont font = painter.font();
        font.setPixelSize(kChartTextPixels);
        painter.setFont(font);
        painter.fillRect(area, Qt::white);
        painter.setPen(Qt::black);
        paintHeading(painter, area);
        const std::vector<Bar> bars = tab_.showsMonths() ? monthBars() : binBars();
        if (bars.empty()) {
            painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, tab_.totalsText());
            painter.restore();
            return;
        }
        double highest = 0.0;
        for (const Bar& bar : bars)
            highest = std::max(highest, bar.figures ? bar.value : 0.0);
        const double top = NiceTop(highest);
        // The plot starts right of its widest grid label ("10,000,000"), so that none is cut.
        const double labelWidth = painter.fontMetrics().horizontalAdvance(GridLabel(top, top));
        const double plotLeft = std::max(kChartMargin, labelWidth + kLabelGap) + 16;
        const QRectF plot =
            area.adjusted(plotLeft, kChartMargin / 2 + kChartTextPixels * 1.5, -16, -kChartMargin);
        paintGrid(painter, area.left(), plot, top);
        const double slot = plot.width() / static_cast<double>(bars.size());
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const double left = plot.left() + slot * static_cast<double>(i);
            const QRectF label(left, plot.bottom() + 4, slot, 18);
            painter.setPen(Qt::black);
            painter.drawText(label, Qt::AlignCenter, bars[i].label);
            if (!bars[i].figures) {
                painter.setPen(QPen(Qt::red, 2));
                const QPointF base(left + slot / 2, plot.bottom() - 8);
                painter.drawLine(base + QPointF(-5, -5), base + QPointF(5, 5));
                painter.drawLine(base + QPointF(-5, 5), base + QPointF(5, -5));
                continue;
            }
            const double height = top > 0.0 ? plot.height() * bars[i].value / top : 0.0;
            painter.fillRect(QRectF(left + slot * 0.15, plot.bottom() - height, slot * 0.7, height),
                             kBarColour);
        }
        painter.setPen(Qt::black);
        const QString axis =
            tab_.showsMonths()
                ? YearTab::tr("Month")
                : YearTab::tr("Bin by wet bulb (%1)").arg(units_.unit(Quantity::kTemperature));
        painter.drawText(QRectF(area.left(), plot.bottom() + 22, area.width(), 18), Qt::AlignCenter,
                         axis);
        painter.restore();
    }

  private:
    /// The title and under it what the bars stand on (a picture of the chart says it alone), each
    /// within the width: the fan control's line is long in German and with a VFD.
    void paintHeading(QPainter& painter, const QRectF& area) const {
        const QFont font = painter.font();
        QRectF line = area.adjusted(kHeadingSide, 6, -kHeadingSide, 0);
        const double width = line.width();
        for (const QString& text : {title(), tab_.controlText()}) {
            const FittedLine fitted = FitLine(text, font, kSmallestHeadingPixels, width);
            painter.setFont(fitted.font);
            painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop, fitted.text);
            line.setTop(line.top() + QFontMetricsF(font).lineSpacing());
        }
        painter.setFont(font);
    }

    struct Bar {
        QString label;
        double value = 0.0;  ///< in the units shown
        bool figures = true;
    };

    /// A bin's wet bulb under its bar, to three figures so that neighbours do not run into
    /// each other (a bin of 37 °F is 2.7777778 °C); the table beside gives every digit.
    [[nodiscard]] QString axisLabel(float wetBulb) const {
        const double shown = units_.toDisplay(Quantity::kTemperature, static_cast<double>(wetBulb));
        return QLocale().toString(shown, 'g', kAxisLabelDigits);
    }

    /// In wet-bulb order whatever the order of the table's rows, so that the axis reads as one.
    [[nodiscard]] std::vector<Bar> binBars() const {
        std::vector<Bar> bars;
        const std::optional<YearRun>& year = tab_.year();
        if (!year) return bars;
        for (const std::size_t i : tab_.binsByWetBulb()) {
            const BinOperation& bin = year->bins[i];
            bars.push_back({axisLabel(tab_.binWetBulb(i)),
                            shown_ == YearBarsOf::kEnergy
                                ? units_.toDisplay(Quantity::kEnergy, bin.fanKilowattHours)
                                : units_.toDisplay(Quantity::kWaterVolume, bin.makeupGallons),
                            bin.operating()});
        }
        return bars;
    }

    /// A month without any hour of figures is marked as a bin without an operating point is.
    [[nodiscard]] std::vector<Bar> monthBars() const {
        std::vector<Bar> bars;
        const WeatherYearModel& weather = tab_.weatherModel();
        if (!weather.result() || !weather.result()->error.empty()) return bars;
        const int column = shown_ == YearBarsOf::kEnergy ? kMonthFanEnergy : kMonthMakeup;
        for (int month = 0; month < static_cast<int>(kMonthsPerYear); ++month) {
            const OperationSums* sums = weather.sumsOfRow(month);
            bars.push_back({QLocale().standaloneMonthName(month + 1, QLocale::ShortFormat),
                            weather.value(month, column), sums && sums->hours > 0.0});
        }
        return bars;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint(painter, QRectF(rect()));
    }

    // The heading whole, however it had to be shortened to fit.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               title() + u'\n' + tab_.controlText(), this);
            return true;
        }
        return QWidget::event(event);
    }

  private:
    /// 1, 2 or 5 × a power of ten at or above the highest bar.
    static double NiceTop(double highest) {
        if (!(highest > 0.0)) return 1.0;
        const double decade = std::pow(10.0, std::floor(std::log10(highest)));
        for (const double step : {1.0, 2.0, 5.0, 10.0}) {
            if (step * decade >= highest) return step * decade;
        }
        return 10.0 * decade;
    }

    static constexpr int kGridLines = 5;

    /// A grid line's value: whole numbers unless the top is below the number of lines.
    static QString GridLabel(double value, double top) {
        return QLocale().toString(value, 'f', top >= kGridLines ? 0 : 2);
    }

    static void paintGrid(QPainter& painter, double areaLeft, const QRectF& plot, double top) {
        for (int k = 0; k <= kGridLines; ++k) {
            const double value = top * k / kGridLines;
            const double y = plot.bottom() - plot.height() * k / kGridLines;
            painter.setPen(k == 0 ? QPen(Qt::black) : QPen(QColor(220, 220, 220)));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            painter.setPen(Qt::black);
            const QRectF label(areaLeft, y - 9, plot.left() - areaLeft - kLabelGap, 18);
            painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, GridLabel(value, top));
        }
    }

    const YearTab& tab_;
    const UnitLayer& units_;
    YearBarsOf shown_ = YearBarsOf::kEnergy;
};

/// The bins table: Ctrl+V (the platform's Paste) puts the clipboard's rows in place of the bins.
class BinsTable final : public QTableView {
  public:
    BinsTable(YearTab& tab, QWidget* parent) : QTableView(parent), tab_(tab) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) {
            tab_.pasteBins(QGuiApplication::clipboard()->text());
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

  private:
    YearTab& tab_;
};

YearTab::YearTab(YearModel& year, const UnitLayer& units, desktop::MessageBoxes& messages,
                 FileDialogs& files, RecentFiles& recent, QWidget* parent)
    : PerformanceTab(parent),
      year_(year),
      units_(units),
      messages_(messages),
      files_(files),
      recent_(recent),
      weather_(new WeatherYearModel(units, this)) {
    setObjectName(QStringLiteral("yearTab"));
    auto* layout = new QHBoxLayout(this);
    // The inputs keep to a narrow column: the results and the chart take the rest.
    auto* inputs = new QWidget(this);
    inputs->setMaximumWidth(360);
    auto* left = new QVBoxLayout(inputs);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(buildControls());
    left->addWidget(buildWeather());
    binsPane_ = buildBins();
    left->addWidget(binsPane_, 1);
    // Without the bins (a weather file open) the inputs keep to the top.
    left->addStretch(0);
    // On a short screen the column scrolls.
    layout->addWidget(InScrollArea(inputs, this));
    auto* splitter = new QSplitter(Qt::Vertical, this);
    auto* chartPane = new QWidget(splitter);
    auto* chartLayout = new QVBoxLayout(chartPane);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    barsOf_ = new QComboBox(chartPane);
    barsOf_->setObjectName(QStringLiteral("yearBarsOf"));
    barsOf_->addItems({tr("Fan energy"), tr("Makeup water")});
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
    months_ = new QTableView(resultPane);
    months_->setObjectName(QStringLiteral("yearMonths"));
    months_->verticalHeader()->hide();
    months_->verticalHeader()->setDefaultSectionSize(months_->fontMetrics().height() + 6);
    months_->setModel(weather_);
    resultsStack_ = new QStackedWidget(resultPane);
    resultsStack_->addWidget(results_);
    resultsStack_->addWidget(months_);
    resultLayout->addWidget(resultsStack_, 1);
    resultLayout->addWidget(totals_);
    splitter->addWidget(chartPane);
    splitter->addWidget(resultPane);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 5);
    connect(barsOf_, &QComboBox::currentIndexChanged, this, [this](int index) {
        chart_->setShown(index == 0 ? YearBarsOf::kEnergy : YearBarsOf::kWater);
    });
    connect(&year_, &YearModel::ran, this, &YearTab::showResults);
    connect(&year_, &YearModel::ran, this, &YearTab::requestWeather);
    connect(weather_, &WeatherYearModel::ran, this, &YearTab::showResults);
    connect(weather_, &WeatherYearModel::sourceChanged, this, &YearTab::showWeather);
    connect(weather_, &WeatherYearModel::busyChanged, this, &YearTab::showWeather);
    connect(&units_, &UnitLayer::systemChanged, this, &YearTab::showWeather);
    connect(&year_, &YearModel::controlsChanged, this, &YearTab::showControls);
    // A year is a rating per bin: run when seen.
    connect(&year_, &YearModel::becameStale, this, [this] {
        if (isVisible()) year_.run();
    });
    showControls();
    showWeather();
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
    form->addRow(label(tr("Cold water &setpoint:"), setpoint_), setpointRow);
    fan_ = new QComboBox(box);
    fan_->setObjectName(QStringLiteral("yearFan"));
    fan_->addItems({tr("Full speed"), tr("Variable speed (VFD)"), tr("Two-speed")});
    form->addRow(tr("&Fan control:"), fan_);
    minimum_ = new QLineEdit(box);
    minimum_->setObjectName(QStringLiteral("yearMinimumAirFlow"));
    auto* minimumRow = new QHBoxLayout;
    minimumRow->addWidget(minimum_);
    minimumRow->addWidget(new QLabel(QStringLiteral("%"), box));
    form->addRow(label(tr("VFD &minimum air flow:"), minimum_), minimumRow);
    problemLabel_ = new QLabel(box);
    problemLabel_->setObjectName(QStringLiteral("yearProblem"));
    problemLabel_->setWordWrap(true);
    problemLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    problemLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Its lines are kept whether or not there is a problem, so that the bins below stay put as
    // one comes and goes; the tool tip holds a longer one whole.
    problemLabel_->setFixedHeight(problemLabel_->fontMetrics().lineSpacing() * kProblemLines);
    form->addRow(problemLabel_);
    connect(setpoint_, &QLineEdit::textEdited, &year_, &YearModel::typeSetpoint);
    connect(minimum_, &QLineEdit::textEdited, &year_, &YearModel::typeMinimumAirFlow);
    connect(fan_, &QComboBox::currentIndexChanged, this,
            [this](int index) { year_.setFanMode(static_cast<FanMode>(index)); });
    return box;
}

QWidget* YearTab::buildWeather() {
    auto* box = new QGroupBox(tr("Weather file"), this);
    auto* layout = new QVBoxLayout(box);
    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(tr("Open &Weather File…"), box);
    open->setObjectName(QStringLiteral("yearOpenWeather"));
    connect(open, &QPushButton::clicked, this, &YearTab::askOpenWeather);
    auto* recent = new QToolButton(box);
    recent->setText(tr("Recent"));
    recent->setPopupMode(QToolButton::InstantPopup);
    auto* recentMenu = new QMenu(recent);
    connect(recentMenu, &QMenu::aboutToShow, this, [this, recentMenu] {
        recent_.fill(*recentMenu, [this](const QString& path) { openWeather(path); });
    });
    recent->setMenu(recentMenu);
    closeWeather_ = new QPushButton(tr("Use &Bins"), box);
    closeWeather_->setToolTip(tr("Close the weather file and rate the bins again"));
    connect(closeWeather_, &QPushButton::clicked, this, &YearTab::closeWeather);
    buttons->addWidget(open);
    buttons->addWidget(recent);
    buttons->addWidget(closeWeather_);
    buttons->addStretch();
    site_ = new QLabel(box);
    site_->setObjectName(QStringLiteral("yearSite"));
    site_->setWordWrap(true);
    siteWetBulb_ = new QLabel(box);
    siteWetBulb_->setObjectName(QStringLiteral("yearSiteWetBulb"));
    siteWetBulb_->setWordWrap(true);
    auto* loadRow = new QHBoxLayout;
    load_ = new QLineEdit(QLocale().toString(100), box);
    load_->setObjectName(QStringLiteral("yearLoad"));
    auto* loadLabel = new QLabel(tr("&Load:"), box);
    loadLabel->setBuddy(load_);
    auto* loadFile = new QPushButton(tr("Load &File…"), box);
    connect(loadFile, &QPushButton::clicked, this, &YearTab::askOpenLoad);
    loadRow->addWidget(loadLabel);
    loadRow->addWidget(load_);
    loadRow->addWidget(new QLabel(tr("% of design"), box));
    loadRow->addWidget(loadFile);
    loadSource_ = new QLabel(box);
    loadSource_->setWordWrap(true);
    auto* statusRow = new QHBoxLayout;
    working_ = new QLabel(box);
    working_->setObjectName(QStringLiteral("yearWorking"));
    hoursButton_ = new QPushButton(tr("&Hourly Table…"), box);
    connect(hoursButton_, &QPushButton::clicked, this, &YearTab::showHours);
    statusRow->addWidget(working_, 1);
    statusRow->addWidget(hoursButton_);
    layout->addLayout(buttons);
    layout->addWidget(site_);
    layout->addWidget(siteWetBulb_);
    layout->addLayout(loadRow);
    layout->addWidget(loadSource_);
    layout->addLayout(statusRow);
    connect(load_, &QLineEdit::textEdited, this, &YearTab::typeLoad);
    return box;
}

QWidget* YearTab::buildBins() {
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Weather &bins (Ctrl+V pastes rows):"), pane);
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
    button(tr("&Open…"), &YearTab::askOpen);
    button(tr("Sa&ve…"), &YearTab::askSave);
    button(tr("&Add"), &YearTab::addBin);
    button(tr("&Remove"), &YearTab::removeBin);
    layout->addWidget(label);
    layout->addWidget(bins_, 1);
    layout->addLayout(buttons);
    bins_->setModel(&year_);
    return pane;
}

void YearTab::showControls() {
    ShowControl(setpoint_, year_.setpoint(), year_.setpointProblem());
    ShowControl(minimum_, year_.minimumAirFlow(), year_.minimumProblem());
    setpointUnit_->setText(units_.unit(Quantity::kTemperature));
    const QSignalBlocker block(fan_);
    fan_->setCurrentIndex(static_cast<int>(year_.fanMode()));
    minimum_->setEnabled(year_.fanMode() == FanMode::kVariableSpeed);
}

void YearTab::showEvent(QShowEvent* event) {
    PerformanceTab::showEvent(event);
    if (year_.isStale()) year_.run();
}

const std::optional<YearRun>& YearTab::year() const {
    return year_.year();
}

QString YearTab::totalsText() const {
    // Without a tower no year runs, from bins or hours: the bins' text says why.
    if (!year_.design().calculation().tower) return year_.totalsText();
    if (showsMonths() && !weather_->result()) return tr("Calculating the year…");
    return showsMonths() ? weather_->totalsText() : year_.totalsText();
}

bool YearTab::showsMonths() const {
    return weather_->isOpen();
}

QString YearTab::problemText() const {
    return year_.problem();
}

float YearTab::binWetBulb(std::size_t bin) const {
    return bin < year_.bins().size() ? year_.bins()[bin].wetBulb : 0.0F;
}

QString YearTab::displayText(Quantity quantity, float engineValue) const {
    return ResultBoxText(engineValue, quantity, units_, QLocale());
}

void YearTab::showResults() {
    const QString& problem = year_.problem();
    problemLabel_->setText(problem.isEmpty() ? QString()
                                             : problem + tr(": the figures are those of the "
                                                            "last usable bins and controls."));
    problemLabel_->setToolTip(problemLabel_->text());
    totals_->setText(totalsText());
    chart_->update();
    resultsStack_->setCurrentWidget(showsMonths() ? static_cast<QWidget*>(months_) : results_);
    if (showsMonths()) months_->resizeColumnsToContents();
    results_->clear();
    const QStringList header = year_.resultsHeader();
    results_->setColumnCount(static_cast<int>(header.size()));
    results_->setHorizontalHeaderLabels(header);
    const std::optional<YearRun>& run = year_.year();
    if (!run) {
        results_->setRowCount(0);
        return;
    }
    results_->setRowCount(static_cast<int>(run->bins.size()));
    for (std::size_t i = 0; i < run->bins.size(); ++i) {
        const BinOperation& bin = run->bins[i];
        const WeatherBin& weather = year_.bins()[i];
        QStringList cells = {BoxText(weather.wetBulb, Quantity::kTemperature, units_, QLocale()),
                             BoxText(weather.dryBulb, Quantity::kTemperature, units_, QLocale()),
                             Hours(weather.hours)};
        if (bin.operating()) {
            const SetpointShortfall shortfall = year_.binShortfall(i);
            cells << displayText(Quantity::kTemperature, bin.run.coldWater)
                  << displayText(
                         Quantity::kPercentage,
                         static_cast<float>(static_cast<double>(bin.run.airFlow) * kPercent))
                  << displayText(Quantity::kWaterVolume, static_cast<float>(bin.makeupGallons))
                  << displayText(Quantity::kEnergy, static_cast<float>(bin.fanKilowattHours))
                  << displayText(Quantity::kTemperatureDifference,
                                 static_cast<float>(shortfall.MeanAbove()))
                  << displayText(Quantity::kTemperatureDifference,
                                 static_cast<float>(shortfall.degreeHours));
        } else {
            cells << QString() << QString() << QString() << QString() << QString() << QString();
        }
        cells << year_.binNote(i);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c + 1 < cells.size())
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            else
                item->setToolTip(cells[c]);
            results_->setItem(static_cast<int>(i), c, item);
        }
    }
    results_->resizeColumnsToContents();
    CapNoteColumn(*results_, static_cast<int>(header.size()) - 1);
}

QString YearTab::tableText(QChar separator) const {
    return showsMonths() ? weather_->tableText(separator) : year_.tableText(separator);
}

bool YearTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = ChartFormatOf(path, error);
    if (!format) return false;
    return chart::WritePicture(
        path, *format, QSizeF(chart::kCanvasWidth, chart::kCanvasHeight),
        chart_->title() + QStringLiteral(" — ") + controlText(),
        [this](QPainter& painter) {
            chart_->paint(painter, QRectF(0, 0, chart::kCanvasWidth, chart::kCanvasHeight));
        },
        error);
}

// The controls of the latest run: those the figures were worked out with.
QString YearTab::controlText() const {
    const FanControl& control = year_.control();
    QString text = fan_->itemText(static_cast<int>(control.mode));
    if (control.mode == FanMode::kVariableSpeed) {
        text += tr(", minimum air flow %1 %")
                    .arg(QLocale().toString(static_cast<double>(control.minimumAirFlow) * kPercent,
                                            'g', 4));
    }
    return tr("%1; cold water setpoint %2 %3")
        .arg(text, BoxText(control.setpoint, Quantity::kTemperature, units_, QLocale()),
             units_.unit(Quantity::kTemperature));
}

std::optional<TabPrintout> YearTab::printout() const {
    TabPrintout page;
    page.title = title();
    PrintedFacts year{tr("Year"), {{tr("Fan control"), controlText()}}};
    year.rows.emplace_back(tr("Weather"),
                           showsMonths() ? site_->text() : tr("the bins in the table"));
    if (showsMonths()) year.rows.emplace_back(tr("Load"), load_->text() + tr(" % of design"));
    page.facts.push_back(year);
    page.canvas = QSizeF(chart::kCanvasWidth, chart::kCanvasHeight);
    page.paintChart = [this](QPainter& p) {
        chart_->paint(p, QRectF(0, 0, chart::kCanvasWidth, chart::kCanvasHeight));
    };
    page.table = ShownTableText(showsMonths() ? *weather_ : *results_->model());
    page.notes << totalsText();
    return page;
}

void YearTab::tell(const QString& what, const QString& error) {
    messages_.show(this, what + QStringLiteral(":\r\n") + error,
                   QStringLiteral("Veltrane Performance"), desktop::MessageButtons::Ok,
                   desktop::MessageIcon::Exclamation);
}

bool YearTab::openBins(const QString& path) {
    QString error;
    if (year_.open(path, error)) return true;
    tell(tr("The bins were not opened"), error);
    return false;
}

bool YearTab::saveBins(const QString& path) {
    QString error;
    if (year_.save(path, error)) return true;
    tell(tr("The bins were not saved"), error);
    return false;
}

void YearTab::pasteBins(const QString& text) {
    year_.paste(text);
}

// The weather year follows the window's design and the tab's controls as the bins do, each time
// they give a year of bins; the model skips a request that changes nothing.
void YearTab::requestWeather() {
    const Calculation& calculation = year_.design().calculation();
    if (!weather_->isOpen() || !calculation.tower) return;
    weather_->request(calculation.inputs, *calculation.tower, year_.control());
}

void YearTab::showWeather() {
    const bool open = weather_->isOpen();
    site_->setText(open ? QStringLiteral("%1 (%2)").arg(weather_->siteText(),
                                                        QFileInfo(weather_->path()).fileName())
                        : tr("None: the year is that of the bins below."));
    siteWetBulb_->setVisible(open);
    if (open) {
        siteWetBulb_->setText(
            weather_->designWetBulbText(year_.design().calculation().inputs[Input::kWetBulb]));
    }
    loadSource_->setText(weather_->loadPath().isEmpty()
                             ? QString()
                             : tr("Load from %1 (typing a percent replaces it)")
                                   .arg(QFileInfo(weather_->loadPath()).fileName()));
    loadSource_->setVisible(!weather_->loadPath().isEmpty());
    working_->setText(weather_->busy() ? tr("Calculating the year…") : QString());
    closeWeather_->setEnabled(open);
    hoursButton_->setEnabled(open && weather_->result().has_value());
    // The bins stay as they are, out of sight, for when the weather file is closed.
    binsPane_->setVisible(!open);
}

// Read by the window's number rule (no grouping marks), then checked by the engine.
void YearTab::typeLoad(const QString& text) {
    const std::variant<float, QString> read =
        ReadBox(text, Quantity::kPercentage, units_, QLocale());
    QString error;
    if (const QString* problem = std::get_if<QString>(&read)) {
        error = tr("The load ") + *problem;
    } else {
        weather_->setLoadPercent(static_cast<double>(std::get<float>(read)), error);
    }
    load_->setStyleSheet(error.isEmpty() ? QString() : kMarkedStyle);
    load_->setToolTip(error);
}

void YearTab::showLoad() {
    load_->setText(QLocale().toString(static_cast<double>(weather_->loadPercent()), 'g',
                                      QLocale::FloatingPointShortest));
    load_->setStyleSheet(QString());
    load_->setToolTip(QString());
}

bool YearTab::openWeather(const QString& path) {
    QString error;
    if (!weather_->open(path, error)) {
        recent_.remove(path);
        tell(tr("The weather file was not opened"), error);
        return false;
    }
    recent_.add(path);
    requestWeather();
    showResults();
    return true;
}

void YearTab::askOpenWeather() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Weather File"), QString(),
                                                      tr("EnergyPlus weather file (*.epw)"));
    if (!path.isEmpty()) openWeather(path);
}

void YearTab::closeWeather() {
    weather_->close();
    showResults();
}

bool YearTab::openLoad(const QString& path) {
    QString error;
    if (weather_->openLoad(path, error)) {
        load_->setStyleSheet(QString());
        load_->setToolTip(QString());
        return true;
    }
    tell(tr("The load file was not opened"), error);
    return false;
}

void YearTab::askOpenLoad() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Load File"), QString(), tr("CSV file (*.csv)"));
    if (!path.isEmpty()) openLoad(path);
}

// The hours in a window of their own, over the model's rows: 8,760 rows are read as they are
// scrolled into view, never copied into items.
void YearTab::showHours() {
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Hours of %1").arg(QFileInfo(weather_->path()).fileName()));
    auto* layout = new QVBoxLayout(dialog);
    auto* table = new QTableView(dialog);
    table->setObjectName(QStringLiteral("yearHours"));
    table->setModel(weather_->hoursModel());
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->resizeColumnsToContents();
    layout->addWidget(table);
    dialog->resize(820, 600);
    dialog->show();
}

void YearTab::askOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Bins"), QString(), tr("CSV file (*.csv)"));
    if (!path.isEmpty()) openBins(path);
}

void YearTab::askSave() {
    const QString path = files_.saveFileName(this, tr("Save Bins"), QStringLiteral("bins.csv"),
                                             tr("CSV file (*.csv)"));
    if (!path.isEmpty()) saveBins(path);
}

void YearTab::addBin() {
    const QModelIndex first = year_.index(year_.addBin(), kTwb);
    bins_->setCurrentIndex(first);
    bins_->edit(first);
}

// The rows the user selected (any cell of a row selects it), else the current one, else the
// last.
void YearTab::removeBin() {
    QList<int> rows;
    for (const QModelIndex& index : bins_->selectionModel()->selectedIndexes())
        rows << index.row();
    const QModelIndex current = bins_->currentIndex();
    if (rows.isEmpty()) rows << (current.isValid() ? current.row() : year_.rowCount() - 1);
    year_.removeBins(rows);
}

std::vector<std::size_t> YearTab::binsByWetBulb() const {
    const std::size_t count = year_.year() ? year_.year()->bins.size() : 0;
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return binWetBulb(a) < binWetBulb(b);
    });
    return order;
}

}  // namespace veltrane::performance
