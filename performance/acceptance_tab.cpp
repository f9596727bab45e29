#include "acceptance_tab.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
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
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <variant>

#include "chart_format.h"
#include "demand_chart_painter.h"
#include "demand_curves.h"
#include "number_boxes.h"
#include "utf8_text.h"
#include "worksheet.h"

namespace veltrane::performance {

namespace {

using desktop::FromUtf8;

struct ReadingColumn {
    const char* name;  ///< as a spreadsheet or CSV header names it
    Quantity quantity;
};

// The fan power is in the unit of the design fan power: only their ratio enters.
constexpr std::array<ReadingColumn, kReadingColumns> kColumns{{
    {"P", Quantity::kPressure},
    {"Twb", Quantity::kTemperature},
    {"Tdb", Quantity::kTemperature},
    {"THot", Quantity::kTemperature},
    {"TCold", Quantity::kTemperature},
    {"Flow", Quantity::kWaterFlow},
    {"FanPower", Quantity::kPower},
}};

enum ResultColumn : int {
    kCapabilityColumn = static_cast<int>(kReadingColumns),
    kPredictedColumn,
    kDeviationColumn,
    kNoteColumn,
    kColumnCount,
};

/// Temperatures are shown to two places.
constexpr double kLeastShownDegrees = 0.005;

/// A reading's cell keeps the value it was written from, and the text written, to know it by.
constexpr int kWrittenValue = Qt::UserRole;
constexpr int kWrittenText = Qt::UserRole + 1;

const QString kMarkedStyle =
    QStringLiteral("QLineEdit { border: 2px solid #c62828; background: #ffebee; padding: 1px; }");

/// Why an evaluation stopped, in the engine's words.
QString Reason(const CapabilityEvaluation& e) {
    QString reason = desktop::FromUtf8(DescribeEvaluation(e.outcome));
    if (e.outcome == EvaluationOutcome::kDesignTowerNotRated) {
        reason += QStringLiteral(" (%1)").arg(desktop::FromUtf8(DescribeOutcome(e.ratingOutcome)));
    }
    return reason;
}

bool Evaluated(const std::optional<CapabilityEvaluation>& e) {
    return e && e->outcome == EvaluationOutcome::kEvaluated;
}

float Cell(const TestReading& r, std::size_t column) {
    const std::array<float, kReadingColumns> cells{r.pressure,  r.wetBulb,   r.dryBulb, r.hotWater,
                                                   r.coldWater, r.waterFlow, r.fanPower};
    return cells[column];
}

/// The cells of a pasted or opened line: tab-separated as a spreadsheet copies, else by
/// semicolons, else by commas unless the comma is the locale's decimal mark.
QStringList SplitLine(const QString& line, QChar separator) {
    QStringList cells = line.split(separator);
    for (QString& cell : cells) {
        cell = cell.trimmed();
        if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"'))
            cell = cell.mid(1, cell.size() - 2).trimmed();
    }
    return cells;
}

QChar SeparatorOf(const QString& text, const QLocale& locale) {
    if (text.contains(u'\t')) return u'\t';
    if (text.contains(u';')) return u';';
    return locale.decimalPoint() == u',' ? u'\t' : u',';
}

QStringList Lines(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line.remove(u'\r');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

/// The column a header cell names ("Twb" or "Twb (°F)", any case), and the unit it gives.
std::optional<std::size_t> ColumnNamed(const QString& cell, QString& unit) {
    const qsizetype bracket = cell.indexOf(u'(');
    const QString name = (bracket < 0 ? cell : cell.left(bracket)).trimmed();
    unit = bracket < 0 ? QString() : cell.mid(bracket + 1).remove(u')').trimmed();
    for (std::size_t c = 0; c < kReadingColumns; ++c) {
        if (name.compare(QLatin1String(kColumns[c].name), Qt::CaseInsensitive) == 0) return c;
    }
    return std::nullopt;
}

/// A field for a CSV or tab-separated line: quoted when it holds the separator or a quote.
QString CsvField(const QString& text, QChar separator) {
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\n')) return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

}  // namespace

/// The readings' table: typed into like a spreadsheet; Ctrl+V pastes rows at the current row,
/// Ctrl+C copies the whole table with its results, Delete empties the selected cells.
class ReadingsTable final : public QTableWidget {
  public:
    ReadingsTable(AcceptanceTab& tab, QWidget* parent) : QTableWidget(parent), tab_(tab) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(tab_.tableText(u'\t'));
        } else if (event->matches(QKeySequence::Paste)) {
            tab_.pasteReadings(QGuiApplication::clipboard()->text());
        } else if (event->matches(QKeySequence::Delete) && state() != EditingState) {
            for (QTableWidgetItem* item : selectedItems()) {
                if (item->column() < static_cast<int>(kReadingColumns)) item->setText({});
            }
        } else {
            QTableWidget::keyPressEvent(event);
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
    AcceptanceChart(const PerformanceModel& model, QWidget* parent)
        : QWidget(parent), model_(model) {
        setObjectName(QStringLiteral("acceptanceChart"));
        setMinimumSize(360, 240);
    }
    [[nodiscard]] QSize sizeHint() const override { return {720, 480}; }

    std::optional<DemandChart> chart;
    QString note;

    void paintOn(QPainter& painter, const QSizeF& size) const {
        if (!chart) {
            painter.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, note);
            return;
        }
        painter.setTransform(chart::CanvasToDevice(size), true);
        chart::PaintChart(painter, *chart, look);
    }

    /// The crossings labelled; temperatures in the units the window shows.
    chart::ChartLook look{true};

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        if (model_.hasProblems()) painter.setOpacity(0.35);
        paintOn(painter, QSizeF(size()));
    }

  private:
    const PerformanceModel& model_;
};

AcceptanceTab::AcceptanceTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent,
                             std::function<QString(QWidget*)> chooseFile)
    : PerformanceTab(parent),
      model_(model),
      units_(units),
      chooseFile_(std::move(chooseFile)),
      table_(nullptr),
      chart_(nullptr),
      slopeValue_(model.value(Field::kTowerM)),
      fanPowerValue_(model.calculation().results.values[Result::kFanPower]),
      textUnits_(units.system()) {
    setObjectName(QStringLiteral("acceptanceTab"));
    if (!chooseFile_) {
        chooseFile_ = [](QWidget* owner) {
            return QFileDialog::getOpenFileName(owner, QStringLiteral("Open Readings"), {},
                                                QStringLiteral("CSV file (*.csv);;All files (*)"));
        };
    }
    auto* layout = new QVBoxLayout(this);
    auto* top = new QWidget(this);
    buildControls(top);
    layout->addWidget(top);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    chart_ = new AcceptanceChart(model, splitter);
    table_ = new ReadingsTable(*this, splitter);
    table_->setObjectName(QStringLiteral("readingsTable"));
    table_->setColumnCount(kColumnCount);
    table_->setRowCount(1);
    splitter->addWidget(table_);
    splitter->addWidget(chart_);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 1);

    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!rewriting_ && item->column() < static_cast<int>(kReadingColumns)) evaluate();
    });
    connect(&model_, &PerformanceModel::calculated, this, &AcceptanceTab::followModel);
    connect(&model_, &PerformanceModel::problemsChanged, chart_, qOverload<>(&QWidget::update));
    connect(&units_, &UnitLayer::systemChanged, this, [this] {
        rewriteInUnits();
        evaluateWhenSeen();
    });
    rewriteInUnits();
    evaluate();
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
    draft_->addItems({QStringLiteral("Induced draft"), QStringLiteral("Forced draft")});
    auto* open = new QPushButton(QStringLiteral("&Open Readings…"), holder);
    form->addRow(QStringLiteral("S&lope m"), slope_);
    form->addRow(QStringLiteral("Design fan po&wer"), fanPower_);
    form->addRow(QStringLiteral("D&raft"), draft_);
    form->addRow(QString(), open);
    row->addLayout(form);

    auto* results = new QVBoxLayout;
    capability_ = new QLabel(holder);
    capability_->setObjectName(QStringLiteral("capability"));
    QFont large = capability_->font();
    large.setPointSizeF(large.pointSizeF() * 2.2);
    large.setBold(true);
    capability_->setFont(large);
    detail_ = new QLabel(holder);
    detail_->setObjectName(QStringLiteral("capabilityDetail"));
    detail_->setWordWrap(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = new QLabel(holder);
    message_->setObjectName(QStringLiteral("acceptanceMessage"));
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #c62828;"));
    results->addWidget(capability_);
    results->addWidget(detail_);
    results->addWidget(message_);
    results->addStretch();
    row->addLayout(results, 1);

    const auto typed = [this](bool& flag) {
        flag = true;
        readBoxes();
        evaluate();
    };
    connect(slope_, &QLineEdit::textEdited, this, [this, typed] { typed(slopeTyped_); });
    connect(fanPower_, &QLineEdit::textEdited, this, [this, typed] { typed(fanPowerTyped_); });
    connect(draft_, &QComboBox::currentIndexChanged, this, &AcceptanceTab::evaluate);
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = chooseFile_(this);
        if (!path.isEmpty()) openReadings(path);
    });
}

QTableWidget* AcceptanceTab::table() const {
    return table_;
}

QString AcceptanceTab::header(std::size_t column) const {
    const QString unit = units_.unit(kColumns[column].quantity);
    const QString name = QLatin1String(kColumns[column].name);
    return unit.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, unit);
}

QString AcceptanceTab::temperatureText(float fahrenheit, bool difference) const {
    const Quantity quantity =
        difference ? Quantity::kTemperatureDifference : Quantity::kTemperature;
    double shown = units_.toDisplay(quantity, static_cast<double>(fahrenheit));
    // Shown to two places: a deviation that rounds to nothing is 0.00, neither +0.00 nor -0.00.
    if (std::abs(shown) < kLeastShownDegrees) shown = 0.0;
    const QString text = QLocale().toString(shown, 'f', 2);
    const bool plus = difference && shown > 0.0;
    return (plus ? QStringLiteral("+") : QString()) + text + u' ' + units_.unit(quantity);
}

/// A box whose text is no usable number keeps the last good value, marked, as the inputs do.
void AcceptanceTab::readBoxes() {
    const QLocale locale;
    const auto read = [&](QLineEdit* box, Quantity quantity, const QString& name,
                          const std::function<QString(float)>& refusal, float& value) {
        const std::variant<float, QString> number = ReadBox(box->text(), quantity, units_, locale);
        QString problem = std::holds_alternative<QString>(number)
                              ? name + u' ' + std::get<QString>(number)
                              : refusal(std::get<float>(number));
        if (problem.isEmpty()) value = std::get<float>(number);
        box->setStyleSheet(problem.isEmpty() ? QString() : kMarkedStyle);
        box->setToolTip(problem);
        return problem;
    };
    const QString slopeProblem = read(
        slope_, Quantity::kDimensionless, QStringLiteral("Slope m"),
        [](float m) { return PerformanceModel::Refusal(Field::kTowerM, m); }, slopeValue_);
    const QString fanProblem = read(
        fanPower_, Quantity::kPower, QStringLiteral("Design fan power"),
        [](float power) {
            return power > 0.0F ? QString() : QStringLiteral("Design fan power must be above 0");
        },
        fanPowerValue_);
    setMessage(slopeProblem.isEmpty() ? fanProblem : slopeProblem);
}

void AcceptanceTab::setMessage(const QString& text) {
    message_->setText(text);
}

QString AcceptanceTab::cellText(int row, std::size_t column) const {
    const QTableWidgetItem* item = table_->item(row, static_cast<int>(column));
    return item ? item->text() : QString();
}

// A text this tab wrote from a value stands for that very value: read back through the locale's
// single precision and the unit layer it could come out a step away.
std::variant<float, QString> AcceptanceTab::readCell(int row, std::size_t column,
                                                     const QLocale& locale) const {
    const QTableWidgetItem* item = table_->item(row, static_cast<int>(column));
    if (item && item->data(kWrittenText).toString() == item->text() && !item->text().isEmpty())
        return item->data(kWrittenValue).toFloat();
    return ReadBox(cellText(row, column), kColumns[column].quantity, units_, locale);
}

void AcceptanceTab::writeCell(int row, std::size_t column, float engineValue) {
    auto* item =
        new QTableWidgetItem(BoxText(engineValue, kColumns[column].quantity, units_, QLocale()));
    item->setData(kWrittenText, item->text());
    item->setData(kWrittenValue, engineValue);
    table_->setItem(row, static_cast<int>(column), item);
}

ReadingRow AcceptanceTab::readRow(int row) const {
    ReadingRow result;
    result.blank = true;
    for (std::size_t c = 0; c < kReadingColumns; ++c)
        result.blank = result.blank && cellText(row, c).trimmed().isEmpty();
    if (result.blank) return result;
    std::array<float, kReadingColumns> values{};
    const QLocale locale;
    for (std::size_t c = 0; c < kReadingColumns; ++c) {
        const std::variant<float, QString> read = readCell(row, c, locale);
        if (const float* value = std::get_if<float>(&read)) {
            values[c] = *value;
        } else if (result.problem.isEmpty()) {
            result.problem = QLatin1String(kColumns[c].name) + u' ' + std::get<QString>(read);
        }
    }
    if (result.problem.isEmpty()) {
        result.reading = TestReading{values[0], values[1], values[2], values[3],
                                     values[4], values[5], values[6]};
    }
    return result;
}

void AcceptanceTab::followModel() {
    if (textUnits_ != units_.system()) rewriteInUnits();
    rewriting_ = true;
    if (!slopeTyped_) {
        slopeValue_ = model_.value(Field::kTowerM);
        slope_->setText(BoxText(slopeValue_, Quantity::kDimensionless, units_, QLocale()));
    }
    if (!fanPowerTyped_) {
        fanPowerValue_ = model_.calculation().results.values[Result::kFanPower];
        fanPower_->setText(BoxText(fanPowerValue_, Quantity::kPower, units_, QLocale()));
    }
    rewriting_ = false;
    evaluateWhenSeen();
}

// Each reading is a rating and the chart forty demand curves: worked out when seen.
void AcceptanceTab::evaluateWhenSeen() {
    if (isVisible()) {
        evaluate();
    } else {
        stale_ = true;
    }
}

void AcceptanceTab::showEvent(QShowEvent* event) {
    PerformanceTab::showEvent(event);
    if (stale_) evaluate();
}

// Every usable number is rewritten in the new units from the value it stands for, so that no
// reading moves; a cell or box whose text is no number keeps its text.
void AcceptanceTab::rewriteInUnits() {
    textUnits_ = units_.system();
    chart_->look.units = units_.system();
    rewriting_ = true;
    const QLocale locale;
    for (int r = 0; r < static_cast<int>(rows_.size()) && r < table_->rowCount(); ++r) {
        if (!rows_[static_cast<std::size_t>(r)].reading) continue;
        const TestReading& reading = *rows_[static_cast<std::size_t>(r)].reading;
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            writeCell(r, c, Cell(reading, c));
    }
    if (slope_->styleSheet().isEmpty())
        slope_->setText(BoxText(slopeValue_, Quantity::kDimensionless, units_, locale));
    if (fanPower_->styleSheet().isEmpty())
        fanPower_->setText(BoxText(fanPowerValue_, Quantity::kPower, units_, locale));
    QStringList headers;
    for (std::size_t c = 0; c < kReadingColumns; ++c)
        headers << header(c);
    headers << QStringLiteral("Capability (%)")
            << QStringLiteral("Predicted cold water (%1)").arg(units_.unit(Quantity::kTemperature))
            << QStringLiteral("Deviation (%1)").arg(units_.unit(Quantity::kTemperatureDifference))
            << QStringLiteral("Note");
    table_->setHorizontalHeaderLabels(headers);
    rewriting_ = false;
}

void AcceptanceTab::evaluate() {
    stale_ = false;
    if (textUnits_ != units_.system()) rewriteInUnits();
    basis_ = PrepareDesign({model_.calculation().inputs, slopeValue_, fanPowerValue_,
                            draft_->currentIndex() == 0 ? FanDraft::kInduced : FanDraft::kForced});
    rows_.clear();
    evaluated_.clear();
    for (int r = 0; r < table_->rowCount(); ++r) {
        ReadingRow row = readRow(r);
        if (row.reading) {
            row.evaluation = EvaluateReading(basis_, *row.reading);
            if (Evaluated(row.evaluation)) evaluated_.push_back(*row.reading);
        }
        rows_.push_back(std::move(row));
    }
    mean_ = MeanReading(evaluated_);
    meanEvaluation_.reset();
    if (mean_) meanEvaluation_ = EvaluateReading(basis_, *mean_);
    showRowResults();
    showSummary();
    emit evaluated();
}

std::string AcceptanceTab::worksheet(UnitSystem units) {
    if (stale_) evaluate();
    std::string text;
    if (mean_ && meanEvaluation_) {
        const std::string place =
            evaluated_.size() == 1
                ? std::string("the one reading")
                : "the mean of " + std::to_string(evaluated_.size()) + " readings";
        AppendAcceptanceWorksheet(text, place, basis_, *mean_, *meanEvaluation_,
                                  {WorksheetNumbers::kReadable, units});
    }
    return text;
}

void AcceptanceTab::showRowResults() {
    rewriting_ = true;
    const QLocale locale;
    const auto put = [this](int r, int c, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (c != kNoteColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, c, item);
    };
    for (int r = 0; r < table_->rowCount(); ++r) {
        for (int c = 0; c < static_cast<int>(kReadingColumns); ++c) {
            if (!table_->item(r, c)) table_->setItem(r, c, new QTableWidgetItem);
        }
        const ReadingRow& row = rows_[static_cast<std::size_t>(r)];
        const bool evaluated = Evaluated(row.evaluation);
        const CapabilityEvaluation e = row.evaluation.value_or(CapabilityEvaluation{});
        put(r, kCapabilityColumn,
            evaluated ? locale.toString(static_cast<double>(e.capability), 'f', 1) : QString());
        put(r, kPredictedColumn, evaluated ? temperatureText(e.predictedColdWater, false) : "");
        put(r, kDeviationColumn, evaluated ? temperatureText(e.coldWaterDeviation, true) : "");
        put(r, kNoteColumn, row.reading ? (evaluated ? QString() : Reason(e)) : row.problem);
    }
    // A spare row under the last reading to type the next one into.
    const int last = table_->rowCount() - 1;
    if (last < 0 || !rows_.back().blank) {
        table_->setRowCount(last + 2);
    }
    rewriting_ = false;
    table_->resizeColumnsToContents();
}

void AcceptanceTab::showSummary() {
    const QLocale locale;
    chart_->chart.reset();
    if (basis_.outcome != EvaluationOutcome::kEvaluated) {
        capability_->setText(QStringLiteral("Capability: not evaluated"));
        detail_->setText(QStringLiteral("The design: %1")
                             .arg(desktop::FromUtf8(DescribeEvaluation(basis_.outcome))));
        chart_->note = detail_->text();
    } else if (!mean_) {
        capability_->setText(QStringLiteral("Capability —"));
        detail_->setText(
            QStringLiteral("Type, paste (Ctrl+V) or open the test readings: P, Twb, "
                           "Tdb, THot, TCold, Flow and FanPower, a row each."));
        chart_->note = QStringLiteral("No reading evaluated");
    } else if (!Evaluated(meanEvaluation_)) {
        capability_->setText(QStringLiteral("Capability: not evaluated"));
        detail_->setText(QStringLiteral("The mean of %1 readings: %2")
                             .arg(evaluated_.size())
                             .arg(Reason(*meanEvaluation_)));
        chart_->note = detail_->text();
    } else {
        const CapabilityEvaluation& e = *meanEvaluation_;
        capability_->setText(QStringLiteral("Capability %1 %")
                                 .arg(locale.toString(static_cast<double>(e.capability), 'f', 1)));
        detail_->setText(QStringLiteral("The mean of %1 %2: predicted cold water %3, deviation %4 "
                                        "(measured − predicted)")
                             .arg(evaluated_.size())
                             .arg(evaluated_.size() == 1 ? QStringLiteral("reading")
                                                         : QStringLiteral("readings"))
                             .arg(temperatureText(e.predictedColdWater, false),
                                  temperatureText(e.coldWaterDeviation, true)));
        DemandChartRequest request;
        request.tower = TowerCharacteristic{e.c, slopeValue_};
        chart_->chart = BuildDemandChart(model_.calculation().inputs, request);
    }
    chart_->update();
}

bool AcceptanceTab::pasteReadings(const QString& text) {
    const QLocale locale;
    QStringList lines = Lines(text);
    const QChar separator = SeparatorOf(text, locale);
    if (!lines.isEmpty()) {
        QString unit;
        if (ColumnNamed(SplitLine(lines.first(), separator).value(0), unit)) lines.removeFirst();
    }
    if (lines.isEmpty()) {
        setMessage(
            QStringLiteral("Nothing to paste: copy rows of P, Twb, Tdb, THot, TCold, Flow "
                           "and FanPower from a spreadsheet first."));
        return false;
    }
    const int first = std::max(table_->currentRow(), 0);
    const int firstColumn = std::clamp(table_->currentColumn(), 0, int{kReadingColumns} - 1);
    rewriting_ = true;
    table_->setRowCount(std::max(table_->rowCount(), first + static_cast<int>(lines.size())));
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList cells = SplitLine(lines[i], separator);
        for (int c = 0; c < cells.size() && firstColumn + c < int{kReadingColumns}; ++c) {
            table_->setItem(first + i, firstColumn + c, new QTableWidgetItem(cells[c]));
        }
    }
    rewriting_ = false;
    setMessage({});
    evaluate();
    return true;
}

bool AcceptanceTab::openReadings(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        setMessage(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return false;
    }
    const QStringList lines = Lines(QString::fromUtf8(file.readAll()));
    const auto refuse = [&](const QString& why) {
        setMessage(QStringLiteral("cannot read %1: %2").arg(path, why));
        return false;
    };
    if (lines.isEmpty()) return refuse(QStringLiteral("the file is empty"));
    std::array<qsizetype, kReadingColumns> at{};
    at.fill(-1);
    const QStringList names = SplitLine(lines.first(), u',');
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString unit;
        const std::optional<std::size_t> column = ColumnNamed(names[i], unit);
        if (!column) continue;
        const QString shown = units_.unit(kColumns[*column].quantity);
        if (!unit.isEmpty() && unit != shown) {
            return refuse(QStringLiteral("column %1 is in %2, the table shows %3")
                              .arg(names[i], unit, shown.isEmpty() ? "no unit" : shown));
        }
        at[*column] = i;
    }
    for (std::size_t c = 0; c < kReadingColumns; ++c) {
        if (at[c] < 0)
            return refuse(QStringLiteral("no column %1").arg(QLatin1String(kColumns[c].name)));
    }
    // Files hold plain numbers with a '.', whatever the locale; the table shows them in its own.
    std::vector<std::array<float, kReadingColumns>> rows;
    for (qsizetype line = 1; line < lines.size(); ++line) {
        const QStringList cells = SplitLine(lines[line], u',');
        std::array<float, kReadingColumns>& row = rows.emplace_back();
        for (std::size_t c = 0; c < kReadingColumns; ++c) {
            const QString cell = cells.value(at[c]);
            const std::variant<float, QString> read =
                ReadBox(cell, kColumns[c].quantity, units_, QLocale::c());
            if (const QString* why = std::get_if<QString>(&read)) {
                return refuse(QStringLiteral("line %1: %2 %3")
                                  .arg(line + 1)
                                  .arg(QLatin1String(kColumns[c].name), *why));
            }
            row[c] = std::get<float>(read);
        }
    }
    rewriting_ = true;
    table_->clearContents();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            writeCell(static_cast<int>(r), c, rows[r][c]);
    }
    rewriting_ = false;
    setMessage({});
    evaluate();
    return true;
}

bool AcceptanceTab::writeChart(const QString& path, QString& error) const {
    const std::optional<chart::ChartFormat> format = ChartFormatOf(path, error);
    if (!format) return false;
    if (!chart_->chart) {
        error = QStringLiteral("cannot write %1: %2").arg(path, chart_->note);
        return false;
    }
    return chart::WriteChart(*chart_->chart, path, *format, error, chart_->look);
}

// Readings as the engine read them (the shortest text that reads back as the very value) or, when
// unusable, as typed; results exact, with the reason where there is none; the mean last.
QString AcceptanceTab::tableText(QChar separator) const {
    QStringList head;
    for (std::size_t c = 0; c < kReadingColumns; ++c)
        head << header(c);
    head << QStringLiteral("Capability (%)")
         << QStringLiteral("Predicted cold water (%1)").arg(units_.unit(Quantity::kTemperature))
         << QStringLiteral("Deviation (%1)").arg(units_.unit(Quantity::kTemperatureDifference))
         << QStringLiteral("Note");
    const auto line = [separator](const QStringList& cells) {
        QStringList fields;
        for (const QString& cell : cells)
            fields << CsvField(cell, separator);
        return fields.join(separator) + u'\n';
    };
    const auto results = [this](const std::optional<CapabilityEvaluation>& e, QString note) {
        if (!Evaluated(e)) {
            if (e) note = Reason(*e);
            return QStringList{{}, {}, {}, note};
        }
        return QStringList{
            units_.losslessText(Quantity::kPercentage, e->capability),
            units_.losslessText(Quantity::kTemperature, e->predictedColdWater),
            units_.losslessText(Quantity::kTemperatureDifference, e->coldWaterDeviation), note};
    };
    QString text = line(head);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const ReadingRow& row = rows_[r];
        if (row.blank) continue;
        QStringList cells;
        for (std::size_t c = 0; c < kReadingColumns; ++c) {
            cells << (row.reading ? units_.losslessText(kColumns[c].quantity, Cell(*row.reading, c))
                                  : cellText(static_cast<int>(r), c).trimmed());
        }
        text += line(cells + results(row.evaluation, row.problem));
    }
    if (mean_) {
        QStringList cells;
        for (std::size_t c = 0; c < kReadingColumns; ++c)
            cells << units_.losslessText(kColumns[c].quantity, Cell(*mean_, c));
        text += line(cells + results(meanEvaluation_,
                                     QStringLiteral("mean of %1 readings").arg(evaluated_.size())));
    }
    return text;
}

bool AcceptanceTab::print(QPrinter& printer, QString& error) const {
    QPainter painter;
    const std::optional<QRectF> printable = BeginPrint(painter, printer, error);
    if (!printable) return false;
    const QRectF page = *printable;
    QFont font = painter.font();
    font.setPointSizeF(12);
    painter.setFont(font);
    const QRectF heading(page.topLeft(), QSizeF(page.width(), page.height() * 0.12));
    painter.drawText(heading, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     capability_->text() + u'\n' + detail_->text());
    painter.translate(page.left(), heading.bottom());
    chart_->paintOn(painter, QSizeF(page.width(), page.height() - heading.height()));
    return painter.end();
}

}  // namespace veltrane::performance
