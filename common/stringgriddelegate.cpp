#include "common/stringgriddelegate.h"

#include "common/stringgrid.h"

#include <QKeyEvent>
#include <QPainter>

StringGridDelegate::StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    if (grid_->drawCell) {
        painter->save();
        const bool done = grid_->drawCell(*painter, option.rect, index.column(), index.row());
        painter->restore();
        if (done)
            return;
    }
    QStyledItemDelegate::paint(painter, option, index);
}

bool StringGridDelegate::eventFilter(QObject* editor, QEvent* event) {
    // The grid's key filter and Enter handling come before the editor's own.
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(editor);
        if (w && grid_->editorKey(static_cast<QKeyEvent*>(event), w))
            return true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}
