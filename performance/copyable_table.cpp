#include "copyable_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace veltrane::performance {
namespace {

/// How much of a note a row shows, in average characters: its first clause or so.
constexpr int kNoteStartCharacters = 36;

}  // namespace

void CapNoteColumn(QTableView& table, int column) {
    const int widest = table.fontMetrics().averageCharWidth() * kNoteStartCharacters;
    if (table.columnWidth(column) > widest) table.setColumnWidth(column, widest);
    table.setTextElideMode(Qt::ElideRight);
}

CopyableTable::CopyableTable(std::function<QString()> text, QWidget* parent)
    : QTableWidget(parent), text_(std::move(text)) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void CopyableTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(text_());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace veltrane::performance
