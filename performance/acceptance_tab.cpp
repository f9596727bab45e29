#include "acceptance_tab.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
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
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "chart_format.h"
#include "demand_chart_painter.h"
#include "demand_curves.h"

namespace veltrane::performance {

namespace {

const QString kMarkedStyle =
    QStringLiteral("QLineEdit { border: 2px solid #c62828; background: #ffebee; padding: 1px; }");

/// Shows a setting's text, marked with its problem when it stands for no usable value. A box
/// being typed into keeps its text and cursor.
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
        setMinimumSize(360, 240);
    }
    [[nodiscard]] QSize sizeHint() const override { return {720, 480}; }

    void paintOn(QPainter& painter, const QSizeF& size) const {
        if (!readings_.chart()) {
            painter.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap,
                             readings_.chartNote());
            return;
        }
        painter.setTransform(chart::CanvasToDevice(size), true);
        chart::PaintChart(painter, *readings_.chart(), look);
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
    const AcceptanceModel& readings_;
    const PerformanceModel& model_;
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
            return QFileDialog::getOpenFileName(owner, QStringLiteral("Open Readings"), {},
                                                QStringLiteral("CSV file (*.csv);;All files (*)"));
        };
    }
    auto* layout = new QVBoxLayout(this);
    auto* top = new QWidget(this);
    buildControls(top);
    layout->addWidget(top);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    chart_ = new AcceptanceChart(readings_, model, splitter);
    chart_->look.units = units_.system();
    table_ = new ReadingsTable(*this, splitter);
    table_->setObjectName(QStringLiteral("readingsTable"));
    table_->setModel(&readings_);
    splitter->addWidget(table_);
    splitter->addWidget(chart_);
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

    connect(slope_, &QLineEdit::textEdited, &readings_, &AcceptanceModel::typeSlope);
    connect(fanPower_, &QLineEdit::textEdited, &readings_, &AcceptanceModel::typeFanPower);
    connect(draft_, &QComboBox::currentIndexChanged, this, [this](int index) {
        readings_.setDraft(index == 0 ? FanDraft::kInduced : FanDraft::kForced);
    });
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = chooseFile_(this);
        if (!path.isEmpty()) openReadings(path);
    });
}

QTableView* AcceptanceTab::table() const {
    return table_;
}

void AcceptanceTab::showSettings() {
    ShowSetting(slope_, readings_.slope());
    ShowSetting(fanPower_, readings_.fanPower());
}

void AcceptanceTab::showSummary() {
    chart_->look.units = units_.system();
    capability_->setText(readings_.capabilityText());
    detail_->setText(readings_.detailText());
    table_->resizeColumnsToContents();
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
        error = QStringLiteral("cannot write %1: %2").arg(path, readings_.chartNote());
        return false;
    }
    return chart::WriteChart(*readings_.chart(), path, *format, error, chart_->look);
}

QString AcceptanceTab::tableText(QChar separator) const {
    return readings_.tableText(separator);
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
                     readings_.capabilityText() + u'\n' + readings_.detailText());
    painter.translate(page.left(), heading.bottom());
    chart_->paintOn(painter, QSizeF(page.width(), page.height() - heading.height()));
    return painter.end();
}

}  // namespace veltrane::performance
