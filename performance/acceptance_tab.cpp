#include "acceptance_tab.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

#include "chart_format.h"
#include "copyable_table.h"
#include "cross_plot_painter.h"
#include "demand_chart_painter.h"
#include "demand_curves.h"
#include "screen_fit.h"

namespace veltrane::performance {

namespace {

const QSizeF kCrossPlotCanvas(chart::kCrossPlotWidth, chart::kCrossPlotHeight);
const QString kMarkedStyle =
    QStringLiteral("QLineEdit { border: 2px solid #c62828; background: #ffebee; padding: 1px; }");

/// Shows a setting's text, marked with its problem when it stands for no usable value. A box
/// being typed into keeps its text and cursor.
// The engine's names of the test limits as the limits' labels write them, named here so that
// lupdate lists them for translation.
[[maybe_unused]] constexpr std::array kLimitCaptions{
    QT_TRANSLATE_NOOP("Caption", "Wet bulb"),   QT_TRANSLATE_NOOP("Caption", "Range"),
    QT_TRANSLATE_NOOP("Caption", "Water flow"), QT_TRANSLATE_NOOP("Caption", "Heat load"),
    QT_TRANSLATE_NOOP("Caption", "Fan power"),  QT_TRANSLATE_NOOP("Caption", "Barometric pressure"),
};

void ShowSetting(QLineEdit* box, const NumberCell& setting) {
    if (box->text() != setting.text) box->setText(setting.text);
    box->setStyleSheet(setting.problem.isEmpty() ? QString() : kMarkedStyle);
    box->setToolTip(setting.problem);
}

}  // namespace

/// The readings' table: typed into like a spreadsheet; Ctrl+V pastes rows at the current row,
/// Ctrl+C copies the whole table with its results, Delete empties the selected cells.
class ReadingsTable final : public QTableView {
  public:
    ReadingsTable(AcceptanceTab& tab, QWidget* parent) : QTableView(parent), tab_(tab) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(tab_.tableText(u'\t'));
        } else if (event->matches(QKeySequence::Paste)) {
            tab_.pasteReadings(QGuiApplication::clipboard()->text());
        } else if (event->matches(QKeySequence::Delete) && state() != EditingState) {
            tab_.readings().clearCells(selectionModel()->selectedIndexes());
        } else {
            QTableView::keyPressEvent(event);
            return;
        }
        event->accept();
    }

  private:
    AcceptanceTab& tab_;
};

/// The design's demand curves with the mean reading's tower line, painted by the chart painter;
/// the crossings are labelled, the design curve's being the capability's L/G.
class AcceptanceChart final : public QWidget {
  public:
    AcceptanceChart(const AcceptanceModel& readings, const PerformanceModel& model, QWidget* parent)
        : QWidget(parent), readings_(readings), model_(model) {
        setObjectName(QStringLiteral("acceptanceChart"));
        setMinimumSize(
            LeastReadableSize({chart::kCanvasWidth, chart::kCanvasHeight}, logicalDpiY()));
    }
    [[nodiscard]] QSize sizeHint() const override { return {720, 480}; }

    /// Paints the chart through `canvas` (the chart's canvas onto the device), or the note of
    /// why there is none across `size`.
    void paintOn(QPainter& painter, const QSizeF& size, const QTransform& canvas) const {
        if (!readings_.chart()) {
            painter.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap,
                             readings_.chartNote());
            return;
        }
        painter.setTransform(canvas, true);
        chart::PaintChart(painter, *readings_.chart(), look, QLocale());
    }

    /// The crossings labelled; temperatures in the units the window shows.
    chart::ChartLook look{true};

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        if (model_.hasProblems()) painter.setOpacity(0.35);
        const QSizeF canvas(chart::kCanvasWidth, chart::kCanvasHeight);
        paintOn(painter, QSizeF(size()),
                ReadableCanvasToDevice(QSizeF(size()), canvas, logicalDpiY()));
    }

  private:
    const AcceptanceModel& readings_;
    const PerformanceModel& model_;
};

/// The maker's curves read across flow at the mean reading's wet bulb and range, beside the demand
/// chart when curves are given.
class CrossPlotView final : public QWidget {
  public:
    CrossPlotView(const AcceptanceModel& readings, QWidget* parent)
        : QWidget(parent), readings_(readings) {
        setObjectName(QStringLiteral("crossPlot"));
        setMinimumSize(LeastReadableSize(kCrossPlotCanvas, logicalDpiY()));
    }
    [[nodiscard]] QSize sizeHint() const override { return {540, 320}; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!readings_.crossPlot()) {
            painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                             AcceptanceTab::tr("The cross-plot needs the mean reading read on the "
                                               "maker's curves."));
            return;
        }
        painter.setTransform(
            ReadableCanvasToDevice(QSizeF(size()), kCrossPlotCanvas, logicalDpiY()), true);
        chart::PaintCrossPlot(painter, *readings_.crossPlot(), QLocale());
    }

  private:
    const AcceptanceModel& readings_;
};

/// The maker's curves' table: typed into like a spreadsheet; Ctrl+V pastes rows at the current
/// cell.
class CurvesTable final : public QTableView {
  public:
    CurvesTable(AcceptanceTab& tab, QWidget* parent) : QTableView(parent), tab_(tab) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) {
            tab_.pasteCurves(QGuiApplication::clipboard()->text());
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

  private:
    AcceptanceTab& tab_;
};

AcceptanceTab::AcceptanceTab(AcceptanceModel& readings, const PerformanceModel& model,
                             const UnitLayer& units, QWidget* parent,
                             std::function<QString(QWidget*)> chooseFile)
    : PerformanceTab(parent),
      readings_(readings),
      model_(model),
      units_(units),
      chooseFile_(std::move(chooseFile)) {
    setObjectName(QStringLiteral("acceptanceTab"));
    if (!chooseFile_) {
        chooseFile_ = [](QWidget* owner) {
            return QFileDialog::getOpenFileName(owner, tr("Open Readings"), {},
                                                tr("CSV file (*.csv);;All files (*)"));
        };
    }
    auto* layout = new QVBoxLayout(this);
    auto* top = new QWidget(this);
    buildControls(top);
    // The controls, limits and identification side by side are wider than a small screen: there
    // they scroll.
    layout->addWidget(InScrollArea(top, this));

    auto* splitter = new QSplitter(Qt::Vertical, this);
    auto* tables = new QSplitter(Qt::Horizontal, splitter);
    table_ = new ReadingsTable(*this, tables);
    table_->setObjectName(QStringLiteral("readingsTable"));
    table_->setModel(&readings_);
    tables->addWidget(table_);
    tables->addWidget(buildCurves(tables));
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 1);
    auto* charts = new QSplitter(Qt::Horizontal, splitter);
    chart_ = new AcceptanceChart(readings_, model, charts);
    chart_->look.units = units_.system();
    crossPlot_ = new CrossPlotView(readings_, charts);
    charts->addWidget(chart_);
    charts->addWidget(crossPlot_);
    splitter->addWidget(tables);
    // Below the size at which their text is still read, the charts scroll rather than shrink.
    splitter->addWidget(InScrollArea(charts, splitter));
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 1);

    connect(&readings_, &AcceptanceModel::evaluated, this, &AcceptanceTab::showSummary);
    connect(&readings_, &AcceptanceModel::settingsChanged, this, &AcceptanceTab::showSettings);
    connect(&readings_, &AcceptanceModel::messageChanged, this,
            [this] { message_->setText(readings_.message()); });
    // Each reading is a rating and the chart forty demand curves: worked out when seen.
    connect(&readings_, &AcceptanceModel::becameStale, this, [this] {
        chart_->look.units = units_.system();
        if (isVisible()) readings_.evaluate();
    });
    connect(&model_, &PerformanceModel::problemsChanged, chart_, qOverload<>(&QWidget::update));
    showSettings();
    showSummary();
}

void AcceptanceTab::buildControls(QWidget* holder) {
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    slope_ = new QLineEdit(holder);
    slope_->setObjectName(QStringLiteral("acceptanceSlope"));
    fanPower_ = new QLineEdit(holder);
    fanPower_->setObjectName(QStringLiteral("acceptanceFanPower"));
    draft_ = new QComboBox(holder);
    draft_->setObjectName(QStringLiteral("acceptanceDraft"));
    draft_->addItems({tr("Induced draft"), tr("Forced draft")});
    auto* open = new QPushButton(tr("&Open Readings…"), holder);
    form->addRow(tr("S&lope m"), slope_);
    form->addRow(tr("Design fan po&wer"), fanPower_);
    form->addRow(tr("D&raft"), draft_);
    powerUnit_ = new QComboBox(holder);
    powerUnit_->setObjectName(QStringLiteral("readingsPowerUnit"));
    powerUnit_->addItems({tr("As the table shows"), QStringLiteral("hp"), QStringLiteral("kW")});
    powerUnit_->setToolTip(
        tr("The unit the readings' fan power was logged in. The design fan power "
           "may name its own: 12.7hp or 9.5kW; a bare number is in the unit shown."));
    form->addRow(tr("Readings' fan power &in"), powerUnit_);
    form->addRow(QString(), open);
    row->addLayout(form);
    row->addWidget(buildLimits(holder));
    row->addWidget(buildIdentification(holder));

    auto* results = new QVBoxLayout;
    capability_ = new QLabel(holder);
    capability_->setObjectName(QStringLiteral("capability"));
    // The verdict, which the contract asks for, largest; the capabilities that give it under it.
    QFont medium = capability_->font();
    medium.setPointSizeF(medium.pointSizeF() * 1.4);
    capability_->setFont(medium);
    QFont large = medium;
    large.setPointSizeF(medium.pointSizeF() * 1.1);
    large.setBold(true);
    detail_ = new QLabel(holder);
    detail_->setObjectName(QStringLiteral("capabilityDetail"));
    detail_->setWordWrap(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = new QLabel(holder);
    message_->setObjectName(QStringLiteral("acceptanceMessage"));
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #c62828;"));
    verdict_ = new QLabel(holder);
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setWordWrap(true);
    verdict_->setFont(large);
    results->addWidget(verdict_);
    results->addWidget(capability_);
    results->addWidget(detail_);
    results->addWidget(message_);
    results->addStretch();
    row->addLayout(results, 1);

    connect(slope_, &QLineEdit::textEdited, &readings_, &AcceptanceModel::typeSlope);
    connect(fanPower_, &QLineEdit::textEdited, &readings_, &AcceptanceModel::typeFanPower);
    connect(draft_, &QComboBox::currentIndexChanged, this, [this](int index) {
        readings_.setDraft(index == 0 ? FanDraft::kInduced : FanDraft::kForced);
    });
    connect(powerUnit_, &QComboBox::activated, this,
            [this](int index) { readings_.setReadingsPowerUnit(static_cast<PowerUnit>(index)); });
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = chooseFile_(this);
        if (!path.isEmpty()) openReadings(path);
    });
}

// The maker's curves: a table of their points with the ways to fill it, and why they are refused.
QWidget* AcceptanceTab::buildCurves(QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(tr("Maker's curves (optional: they then decide)"), panel);
    curvesTable_ = new CurvesTable(*this, panel);
    curvesTable_->setObjectName(QStringLiteral("curvesTable"));
    curvesTable_->setModel(&readings_.makerCurves());
    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(tr("Open C&urves…"), panel);
    auto* fill = new QPushButton(tr("From the &Design Tower"), panel);
    fill->setObjectName(QStringLiteral("fillCurves"));
    fill->setToolTip(
        tr("The design tower's own performance curves, as the "
           "Performance curves tab shows them"));
    auto* clear = new QPushButton(tr("Clear"), panel);
    buttons->addWidget(open);
    buttons->addWidget(fill);
    buttons->addWidget(clear);
    curvesMessage_ = new QLabel(panel);
    curvesMessage_->setObjectName(QStringLiteral("curvesMessage"));
    curvesMessage_->setWordWrap(true);
    curvesMessage_->setStyleSheet(QStringLiteral("color: #c62828;"));
    column->addWidget(caption);
    column->addWidget(curvesTable_, 1);
    column->addLayout(buttons);
    column->addWidget(curvesMessage_);
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Maker's Curves"), {},
                                                          tr("CSV file (*.csv);;All files (*)"));
        if (!path.isEmpty()) openCurves(path);
    });
    connect(fill, &QPushButton::clicked, this, &AcceptanceTab::fillCurvesFromDesign);
    connect(clear, &QPushButton::clicked, &readings_.makerCurves(), &MakerCurvesModel::clear);
    connect(&readings_.makerCurves(), &MakerCurvesModel::changed, this,
            [this] { curvesMessage_->setText(readings_.makerCurves().refusal()); });
    return panel;
}

bool AcceptanceTab::openCurves(const QString& path) {
    QString error;
    const bool opened = readings_.makerCurves().open(path, error);
    if (!opened) curvesMessage_->setText(error);
    return opened;
}

bool AcceptanceTab::pasteCurves(const QString& text) {
    const QModelIndex current = curvesTable_->currentIndex();
    return readings_.makerCurves().paste(text, current.isValid() ? current.row() : 0,
                                         current.isValid() ? current.column() : 0);
}

bool AcceptanceTab::fillCurvesFromDesign() {
    const std::optional<PerformanceCurves>& curves = model_.performanceCurves();
    if (!curves) {
        curvesMessage_->setText(tr("The design has no tower to draw curves of."));
        return false;
    }
    readings_.makerCurves().fill(*curves);
    return true;
}

// The test codes' limits, each a box whose grey text is the default: a contract may set others.
QWidget* AcceptanceTab::buildLimits(QWidget* holder) {
    auto* group = new QGroupBox(tr("Test limits (±, of the design)"), holder);
    auto* form = new QFormLayout(group);
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        auto* box = new QLineEdit(group);
        box->setObjectName(
            QStringLiteral("limit_%1")
                .arg(QLatin1String(kTestLimits[k].key.data(),
                                   static_cast<qsizetype>(kTestLimits[k].key.size()))));
        box->setMaximumWidth(80);
        limitLabels_[k] = new QLabel(group);
        form->addRow(limitLabels_[k], box);
        limits_[k] = box;
        connect(box, &QLineEdit::textEdited, this, [this, k](const QString& text) {
            readings_.typeLimit(kTestLimits[k].limit, text);
        });
    }
    return group;
}

// What File › Test Report… heads the report with; kept here, beside the test it names.
QWidget* AcceptanceTab::buildIdentification(QWidget* holder) {
    identification_ = new QGroupBox(tr("Test report"), holder);
    auto* form = new QFormLayout(identification_);
    const std::pair<const char*, QString> lines[] = {{"title", tr("Title")},
                                                     {"project", tr("Project")},
                                                     {"tower", tr("Tower")},
                                                     {"testDate", tr("Test date")},
                                                     {"testedBy", tr("Tested by")}};
    for (const auto& [name, caption] : lines) {
        auto* box = new QLineEdit(identification_);
        box->setObjectName(QLatin1String(name));
        box->setMinimumWidth(180);
        form->addRow(caption, box);
        connect(box, &QLineEdit::textEdited, this, &AcceptanceTab::identificationEdited);
    }
    identificationBox(QStringLiteral("title"))
        ->setPlaceholderText(QStringLiteral("Acceptance test report"));
    identificationBox(QStringLiteral("testDate"))->setPlaceholderText(QStringLiteral("2026-08-14"));
    return identification_;
}

QLineEdit* AcceptanceTab::identificationBox(const QString& name) const {
    return identification_->findChild<QLineEdit*>(name);
}

void AcceptanceTab::setIdentification(const ReportIdentification& lines) {
    identificationBox(QStringLiteral("title"))->setText(lines.title);
    identificationBox(QStringLiteral("project"))->setText(lines.project);
    identificationBox(QStringLiteral("tower"))->setText(lines.tower);
    identificationBox(QStringLiteral("testDate"))->setText(lines.testDate);
    identificationBox(QStringLiteral("testedBy"))->setText(lines.testedBy);
}

ReportIdentification AcceptanceTab::identification() const {
    const auto text = [this](const char* name) {
        return identificationBox(QLatin1String(name))->text();
    };
    return {text("title"), text("project"), text("tower"), text("testDate"), text("testedBy")};
}

QTableView* AcceptanceTab::table() const {
    return table_;
}

void AcceptanceTab::showSettings() {
    ShowSetting(slope_, readings_.slope());
    ShowSetting(fanPower_, readings_.fanPower());
    powerUnit_->setCurrentIndex(static_cast<int>(readings_.readingsPowerUnit()));
    // The model's own draft: setDraft does nothing when it is already the one shown.
    draft_->setCurrentIndex(readings_.draft() == FanDraft::kForced ? 1 : 0);
    const TestLimits defaults = DefaultTestLimits(units_.system());
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        const TestLimitDefinition& limit = kTestLimits[k];
        const std::string_view unit =
            units_.system() == UnitSystem::kSI ? limit.siUnit : limit.usUnit;
        QString name =
            QString::fromUtf8(limit.name.data(), static_cast<qsizetype>(limit.name.size()));
        name[0] = name[0].toUpper();
        name = QCoreApplication::translate("Caption", name.toUtf8().constData());
        limitLabels_[k]->setText(QStringLiteral("%1 (%2)").arg(
            name, unit == "F"
                      ? QStringLiteral("°F")
                      : QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()))));
        limits_[k]->setPlaceholderText(QLocale().toString(defaults.allowed[k], 'g', 6));
        ShowSetting(limits_[k], readings_.limitCell(limit.limit));
    }
}

void AcceptanceTab::showSummary() {
    chart_->look.units = units_.system();
    capability_->setText(readings_.capabilityText());
    const std::optional<Verdict>& verdict = readings_.verdict();
    verdict_->setText(readings_.verdictText());
    verdict_->setStyleSheet(!verdict               ? QString()
                            : verdict->meetsDesign ? QStringLiteral("color: #2e7d32;")
                                                   : QStringLiteral("color: #c62828;"));
    const bool curves = readings_.makerCurves().curves().has_value();
    table_->setColumnHidden(kCurvesCapabilityColumn, !curves);
    table_->setColumnHidden(kPredictedFlowColumn, !curves);
    crossPlot_->setVisible(curves);
    crossPlot_->update();
    detail_->setText(readings_.detailText());
    table_->resizeColumnsToContents();
    CapNoteColumn(*table_, kNoteColumn);
    chart_->update();
}

void AcceptanceTab::showEvent(QShowEvent* event) {
    PerformanceTab::showEvent(event);
    if (readings_.isStale()) readings_.evaluate();
}

bool AcceptanceTab::pasteReadings(const QString& text) {
    const QModelIndex current = table_->currentIndex();
    return readings_.paste(text, current.isValid() ? current.row() : 0,
                           current.isValid() ? current.column() : 0);
}

bool AcceptanceTab::openReadings(const QString& path) {
    return readings_.open(path);
}

bool AcceptanceTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = ChartFormatOf(path, error);
    if (!format) return false;
    if (!readings_.chart()) {
        error = tr("cannot write %1: %2").arg(path, readings_.chartNote());
        return false;
    }
    return chart::WriteChart(*readings_.chart(), path, *format, error, chart_->look, QLocale());
}

QString AcceptanceTab::tableText(QChar separator) const {
    return readings_.tableText(separator);
}

std::optional<TabPrintout> AcceptanceTab::printout() const {
    TabPrintout page;
    page.title = title();
    if (readings_.chart()) {
        page.canvas = QSizeF(chart::kCanvasWidth, chart::kCanvasHeight);
        page.paintChart = [chart = *readings_.chart(), look = chart_->look](QPainter& p) {
            chart::PaintChart(p, chart, look);
        };
    }
    page.table = ShownTableText(readings_);
    page.notes << readings_.capabilityText() << readings_.detailText();
    return page;
}

}  // namespace veltrane::performance
