#include "copyable_table.h"

#include <QClipboard>
#include <QGuiApplication>

namespace veltrane::performance {

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
