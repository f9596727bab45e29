#include "worksheet_tab.h"

#include <QDate>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "acceptance_model.h"

namespace veltrane::performance {
namespace {

/// The printed worksheet's type: fixed pitch so that its columns stay lined up on paper.
QFont PrintFont() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(8);
    return font;
}

}  // namespace

WorksheetTab::WorksheetTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent)
    : PerformanceTab(parent), model_(model), units_(units) {
    setObjectName(QStringLiteral("worksheetTab"));
    auto* layout = new QVBoxLayout(this);
    view_ = new QPlainTextEdit(this);
    view_->setObjectName(QStringLiteral("worksheetText"));
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* save = new QPushButton(tr("&Save Worksheet…"), this);
    save->setObjectName(QStringLiteral("saveWorksheet"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &WorksheetTab::saveRequested);
    // The worksheet is long: it is written when the tab is seen, not on every edit.
    connect(&model_, &PerformanceModel::calculated, this, &WorksheetTab::markStale);
    connect(&units_, &UnitLayer::systemChanged, this, &WorksheetTab::markStale);
}

void WorksheetTab::showAcceptance(AcceptanceModel* acceptance) {
    acceptance_ = acceptance;
    connect(acceptance_, &AcceptanceModel::evaluated, this, &WorksheetTab::markStale);
    markStale();
}

void WorksheetTab::markStale() {
    // Bringing the acceptance test up to date while writing evaluates it.
    if (refreshing_) return;
    stale_ = true;
    if (isVisible()) refresh();
}

QString WorksheetTab::text() const {
    std::string text = model_.worksheet(units_.system());
    if (acceptance_ != nullptr) text += acceptance_->worksheet(units_.system());
    // Shown, saved and printed in the locale's decimal mark, as the window's boxes write theirs;
    // the batch tool writes the engine's '.'.
    return LocalNumbers(QString::fromStdString(text), QLocale());
}

void WorksheetTab::showEvent(QShowEvent* event) {
    PerformanceTab::showEvent(event);
    if (stale_) refresh();
}

void WorksheetTab::refresh() {
    // The reader keeps their place in the worksheet as the inputs change.
    QScrollBar* scroll = view_->verticalScrollBar();
    const int position = scroll->value();
    refreshing_ = true;
    view_->setPlainText(text());
    refreshing_ = false;
    scroll->setValue(position);
    stale_ = false;
}

bool WorksheetTab::print(QPrinter& printer, QString& error) const {
    QPainter painter;
    const std::optional<QRectF> printable = BeginPrint(painter, printer, error);
    if (!printable) return false;
    const QFont font = PrintFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF page = *printable;
    double y = metrics.ascent();
    // Stamped, so that a sheet found later says what made it and when.
    const QString sheet = PrintedStamp(QDate::currentDate()) + QStringLiteral("\n\n") + text();
    for (const QString& line : sheet.split(u'\n')) {
        if (y + metrics.descent() > page.height()) {
            if (!printer.newPage()) {
                error = PrintFailure(printer);
                return false;
            }
            y = metrics.ascent();
        }
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
    }
    return painter.end();
}

}  // namespace veltrane::performance
