#include "catalogs/valuelisteditor.h"

#include "common/dragsource.h"

#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace {

// Lets the window draw over a cell once the list has drawn it.
class OverdrawDelegate : public QStyledItemDelegate {
  public:
    explicit OverdrawDelegate(ValueListEditor* list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (list_->drawCell) {
            painter->save();
            list_->drawCell(*painter, option.rect, index.column(), index.row());
            painter->restore();
        }
    }

  private:
    ValueListEditor* list_;
};

} // namespace

ValueListEditor::ValueListEditor(QWidget* parent) : QTableWidget(0, 2, parent) {
    setHorizontalHeaderLabels({"Name", "Value"});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 199);
    setColumnWidth(1, 76);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setItemDelegate(new OverdrawDelegate(this));
}

void ValueListEditor::setEntries(const QList<spezlist::Entry>& entries) {
    clearContents();
    setRowCount(int(entries.size()));
    for (int r = 0; r < entries.size(); ++r) {
        setItem(r, 0, new QTableWidgetItem(entries[r].name));
        setItem(r, 1, new QTableWidgetItem(entries[r].value));
    }
    if (!entries.isEmpty())
        setCurrentDataRow(0);
}

QList<spezlist::Entry> ValueListEditor::entries() const {
    QList<spezlist::Entry> result;
    result.reserve(rowCount());
    for (int r = 0; r < rowCount(); ++r)
        result.append({name(r), value(r)});
    return result;
}

QString ValueListEditor::name(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it ? it->text() : QString();
}

QString ValueListEditor::value(int row) const {
    const QTableWidgetItem* it = item(row, 1);
    return it ? it->text() : QString();
}

int ValueListEditor::currentDataRow() const {
    return currentRow();
}

void ValueListEditor::setCurrentDataRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    setCurrentCell(row, currentColumn() < 0 ? 0 : currentColumn());
}

int ValueListEditor::topRow() const {
    return rowAt(0);
}

void ValueListEditor::setTopRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    verticalScrollBar()->setValue(row);
}

QStringList ValueListEditor::currentRowCells() const {
    const int row = currentRow();
    if (row < 0)
        return {};
    return {name(row), value(row)};
}

void ValueListEditor::startListDrag() {
    QDrag drag(this);
    drag.setMimeData(toMime(identifyDragSource(this)));
    if (execDrag)
        execDrag(drag);
    else
        drag.exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void ValueListEditor::step(bool down) {
    const int row = currentRow();
    if (rowCount() == 0)
        return;
    setCurrentDataRow(std::clamp(row + (down ? 1 : -1), 0, rowCount() - 1));
}

void ValueListEditor::insertEmptyRow(int row) {
    insertRow(row);
    setItem(row, 0, new QTableWidgetItem);
    setItem(row, 1, new QTableWidgetItem);
    setCurrentDataRow(row);
}

void ValueListEditor::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    if (onKeyDown)
        onKeyDown(event);
    const bool hasName = !name(currentRow()).isEmpty();
    switch (event->key()) {
    case Qt::Key_Insert:
        if (hasName && event->modifiers() == Qt::NoModifier)
            insertEmptyRow(std::max(currentRow(), 0));
        event->accept();
        return;
    case Qt::Key_Delete:
        if (event->modifiers() & Qt::ControlModifier && currentRow() >= 0) {
            const int row = currentRow();
            removeRow(row);
            setCurrentDataRow(std::min(row, rowCount() - 1));
        }
        event->accept();
        return;
    case Qt::Key_Down:
        // Only a Down pressed on the last row adds one; a header the window
        // moved the selection onto stops it there.
        if (before == rowCount() - 1) {
            if (hasName)
                insertEmptyRow(rowCount());
        } else {
            step(true);
        }
        event->accept();
        return;
    case Qt::Key_Up:
        step(false);
        event->accept();
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

void ValueListEditor::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    while (std::abs(wheelRemainder_) >= QWheelEvent::DefaultDeltasPerStep) {
        const bool down = wheelRemainder_ < 0;
        wheelRemainder_ +=
            down ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
        if (onWheel)
            onWheel(down);
        step(down);
    }
    event->accept();
}

void ValueListEditor::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (onMouseDown)
        onMouseDown(event->button(), event->position().toPoint());
}

void ValueListEditor::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    if (onMouseUp)
        onMouseUp();
}
