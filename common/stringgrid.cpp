#include "common/stringgrid.h"

#include "common/stringgriddelegate.h"
#include "common/stringgridmodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {

// The character a key press types, as the key filter sees it: Backspace and
// Enter included, navigation and shortcuts not.
std::optional<QChar> typedChar(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace)
        return QChar(u'\b');
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return QChar(u'\r');
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString t = e->text();
    if (t.size() != 1 || !t[0].isPrint())
        return std::nullopt;
    return t[0];
}

} // namespace

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), model_(new StringGridModel(this)) {
    init();
}

StringGrid::StringGrid(int colCount, int rowCount, QWidget* parent) : StringGrid(parent) {
    setData(GridData(colCount, rowCount));
}

StringGrid::~StringGrid() = default;

void StringGrid::init() {
    model_->editable = [this](int col, int row) { return canEdit && canEdit(col, row); };
    setModel(model_);
    setItemDelegate(new StringGridDelegate(this));

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The drag and drop handlers are ours; Qt's item dragging stays off.
    // Only the cell area takes drops: a drag over the title row must not
    // fall through to the grid itself, whose points are not cell points.
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(false);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);

    QHeaderView* h = horizontalHeader();
    h->setSectionsMovable(false);
    h->setSectionsClickable(false);
    h->setHighlightSections(false);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setMinimumSectionSize(0);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    h->setStretchLastSection(false);
    QHeaderView* v = verticalHeader();
    v->setSectionsMovable(false);
    v->setSectionsClickable(false);
    v->setHighlightSections(false);
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setMinimumSectionSize(0);
    v->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    v->viewport()->setAcceptDrops(true);
    v->viewport()->installEventFilter(this);

    // The corner shows the title of the fixed column.
    setCornerButtonEnabled(false);
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);

    connect(model_, &StringGridModel::colWidthChanged, this,
            [this](int col, int) { applyColWidth(col); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { applyLayout(); });
    // A grid that starts empty gets its title row or fixed column later.
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first) {
        if (first == 0)
            applyLayout();
    });
    connect(model_, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int first) {
                if (first == 0)
                    applyLayout();
            });
    connect(model_, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation o) {
        if (o == Qt::Horizontal)
            if (auto* corner = findChild<QAbstractButton*>())
                corner->update();
    });
    connect(h, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        // Hiding the fixed column shows up here as a resize to 0; only the
        // user's sizing of a shown column is taken over.
        if (!syncingWidths_ && !horizontalHeader()->isSectionHidden(col))
            model_->setColWidth(col, size);
    });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (onContextMenu)
            onContextMenu(viewport()->mapTo(this, pos));
    });

    dragTimer_.setSingleShot(true);
    dragTimer_.setInterval(10);
    connect(&dragTimer_, &QTimer::timeout, this, &StringGrid::startGridDrag);
    execDrag = [](QDrag& drag) { drag.exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction); };

    applyLayout();
}

void StringGrid::applyLayout() {
    const GridData& g = model_->grid();
    const int fixedRows = std::min(g.fixedRows(), 1);
    const int fixedCols = std::min(g.fixedCols(), 1);
    syncingWidths_ = true;
    horizontalHeader()->setVisible(fixedRows > 0);
    verticalHeader()->setVisible(fixedCols > 0);
    if (g.rowCount() > 0)
        setRowHidden(0, fixedRows > 0);
    for (int r = 1; r < g.rowCount(); ++r) {
        if (isRowHidden(r))
            setRowHidden(r, false);
    }
    if (g.colCount() > 0)
        setColumnHidden(0, fixedCols > 0);
    syncingWidths_ = false;
    verticalHeader()->setDefaultSectionSize(g.defaultRowHeight());
    horizontalHeader()->setFixedHeight(g.defaultRowHeight());
    for (int c = 0; c < g.colCount(); ++c)
        applyColWidth(c);
    if (!currentIndex().isValid() || isRowHidden(currentIndex().row()) ||
        isColumnHidden(currentIndex().column()))
        setCurrent(fixedCols, fixedRows);
}

void StringGrid::applyColWidth(int col) {
    const GridData& g = model_->grid();
    syncingWidths_ = true;
    const int w = g.colWidth(col);
    if (col == 0 && g.fixedCols() > 0) {
        verticalHeader()->setFixedWidth(w);
        updateGeometries();
    } else {
        setColumnWidth(col, w);
    }
    syncingWidths_ = false;
}

// --- cells ---------------------------------------------------------------

QString StringGrid::cell(int col, int row) const {
    return model_->cell(col, row);
}
void StringGrid::setCell(int col, int row, const QString& text) {
    model_->setCell(col, row, text);
}
QStringList StringGrid::rowCells(int row) const {
    return model_->grid().row(row);
}
void StringGrid::setRowCells(int row, const QStringList& cells) {
    model_->setRow(row, cells);
}
void StringGrid::clearRow(int row) {
    model_->clearRow(row);
}
void StringGrid::insertRow(int row) {
    model_->insertGridRow(row);
}
void StringGrid::removeRow(int row) {
    model_->removeGridRow(row);
}
int StringGrid::rowCount() const {
    return model_->grid().rowCount();
}
int StringGrid::colCount() const {
    return model_->grid().colCount();
}

void StringGrid::setRowCount(int n) {
    const bool grew = n > rowCount();
    model_->setRowCount(n);
    if (!grew && !currentIndex().isValid())
        setCurrent(currentCol(), rowCount() - 1);
}

void StringGrid::setColCount(int n) {
    model_->setColCount(n);
}

int StringGrid::colWidth(int col) const {
    return model_->grid().colWidth(col);
}
void StringGrid::setColWidth(int col, int width) {
    model_->setColWidth(col, width);
}
int StringGrid::defaultRowHeight() const {
    return model_->grid().defaultRowHeight();
}

void StringGrid::setDefaultRowHeight(int h) {
    GridData g = model_->grid();
    g.setDefaultRowHeight(h);
    setData(g);
}

const GridData& StringGrid::data() const {
    return model_->grid();
}

void StringGrid::setData(const GridData& grid) {
    const int col = currentCol();
    const int row = currentRow();
    model_->setGrid(grid);
    // Keep the current cell where it was when it still exists.
    if (row < rowCount() && col < colCount() && row >= grid.fixedRows() && col >= grid.fixedCols())
        setCurrent(col, row);
}

void StringGrid::beginUpdate() {
    model_->beginUpdate();
}
void StringGrid::endUpdate() {
    model_->endUpdate();
}

// --- current cell ----------------------------------------------------------

int StringGrid::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : std::min(model_->grid().fixedRows(), 1);
}

int StringGrid::currentCol() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : std::min(model_->grid().fixedCols(), 1);
}

void StringGrid::setCurrent(int col, int row) {
    const QModelIndex i = model_->index(row, col);
    if (!i.isValid())
        return;
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                             (selectionBehavior() == SelectRows
                                                  ? QItemSelectionModel::Rows
                                                  : QItemSelectionModel::NoUpdate));
}

void StringGrid::setRowSelect(bool on) {
    setSelectionBehavior(on ? SelectRows : SelectItems);
    setCurrent(currentCol(), currentRow());
}

QStringList StringGrid::currentRowCells() const {
    return model_->grid().row(currentRow());
}

int StringGrid::textWidth(const QString& text) const {
    return fontMetrics().horizontalAdvance(text);
}

std::pair<int, int> StringGrid::cellAt(const QPoint& gridPos) const {
    const QPoint vp = viewport()->mapFrom(this, gridPos);
    int col = columnAt(vp.x());
    int row = rowAt(vp.y());
    if (verticalHeader()->isVisible() && verticalHeader()->geometry().contains(gridPos))
        col = 0;
    if (vp.y() < 0 || row < model_->grid().fixedRows())
        row = -1;
    return {col, row};
}

void StringGrid::commitEditor() {
    QWidget* focus = QApplication::focusWidget();
    if (isEditing() && focus && focus != this && isAncestorOf(focus))
        commitData(focus);
}

QRect StringGrid::cellRect(int col, int row) const {
    const QRect r = visualRect(model_->index(row, col));
    return r.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

// --- keyboard --------------------------------------------------------------

void StringGrid::keyPressEvent(QKeyEvent* event) {
    const std::optional<QChar> ch = typedChar(event);
    if (ch) {
        const int col = currentCol();
        const int row = currentRow();
        if (keyFilter && !keyFilter(col, row, *ch)) {
            event->accept();
            return;
        }
        if (*ch == u'\r') {
            event->accept();
            if (onEnter)
                onEnter(col, row);
            return;
        }
    }
    const QModelIndex before = currentIndex();
    // A key that opens the editor is passed on to it; it was filtered here.
    keyFromGrid_ = true;
    QTableView::keyPressEvent(event);
    keyFromGrid_ = false;
    if (currentIndex() != before && onClick)
        onClick();
}

bool StringGrid::editorKey(QKeyEvent* event, QWidget* editor) {
    const std::optional<QChar> ch = typedChar(event);
    if (!ch || keyFromGrid_)
        return false;
    const int col = currentCol();
    const int row = currentRow();
    if (keyFilter && !keyFilter(col, row, *ch))
        return true;
    if (*ch == u'\r') {
        // The typed text goes into the cell first, so the window can rework it.
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (onEnter)
            onEnter(col, row);
        return true;
    }
    return false;
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && canSelect && !canSelect(next.column(), next.row()))
        return currentIndex();
    return next;
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // A custom drawing may depend on the current cell (the variable list
    // paints the whole current row).
    if (drawCell)
        viewport()->update();
}

void StringGrid::keyboardSearch(const QString&) {
    // Typing never jumps to a matching row.
}

// --- mouse -----------------------------------------------------------------

void StringGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (event->button() == Qt::LeftButton) {
        const bool allowed =
            index.isValid() && (!canSelect || canSelect(index.column(), index.row()));
        if (allowed) {
            QTableView::mousePressEvent(event);
            if (onClick)
                onClick();
        } else {
            setFocus(Qt::MouseFocusReason);
            event->accept();
        }
    } else {
        // Other buttons leave the current cell alone.
        setFocus(Qt::MouseFocusReason);
        event->accept();
    }
    if (onMouseDown)
        onMouseDown(event->button(), viewport()->mapTo(this, pos));
    if (dragButtons_ & event->button())
        dragTimer_.start();
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    // Dragging the pointer must not make a forbidden cell current.
    if (event->buttons() != Qt::NoButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!(event->buttons() & Qt::LeftButton) || !index.isValid() ||
            (canSelect && !canSelect(index.column(), index.row()))) {
            event->accept();
            return;
        }
    }
    QTableView::mouseMoveEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
    // A click shorter than the drag delay starts no drag.
    dragTimer_.stop();
    QTableView::mouseReleaseEvent(event);
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

// --- drag and drop ---------------------------------------------------------

void StringGrid::startGridDrag() {
    dragTimer_.stop();
    auto* drag = new QDrag(this);
    drag->setMimeData(toMime(identifyDragSource(this)));
    execDrag(*drag);
    drag->deleteLater();
}

void StringGrid::dragEnterEvent(QDragEnterEvent* event) {
    // Accept the entry of any of our drags; dragMoveEvent decides per cell.
    if (dragOver && fromMime(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void StringGrid::dragMoveEvent(QDragMoveEvent* event) {
    dragMoveAt(event, viewport()->mapTo(this, event->position().toPoint()));
}

void StringGrid::dropEvent(QDropEvent* event) {
    dropAt(event, viewport()->mapTo(this, event->position().toPoint()));
}

void StringGrid::dragMoveAt(QDragMoveEvent* event, const QPoint& gridPos) {
    const std::optional<DragSource> source = fromMime(event->mimeData());
    if (!source || !dragOver) {
        event->ignore();
        return;
    }
    const auto [col, row] = cellAt(gridPos);
    if (dragOver(*source, col, row))
        event->acceptProposedAction();
    else
        event->ignore();
}

void StringGrid::dropAt(QDropEvent* event, const QPoint& gridPos) {
    const std::optional<DragSource> source = fromMime(event->mimeData());
    if (!source || !dragOver) {
        event->ignore();
        return;
    }
    const auto [col, row] = cellAt(gridPos);
    if (!dragOver(*source, col, row)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (drop)
        drop(*source, col, row);
}

// --- corner ------------------------------------------------------------------

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalHeader()->viewport()) {
        // The fixed column is drawn by the row header: a drop on it goes to
        // the data row beside it, like a drop on any other cell of the row.
        const auto gridPos = [&](const QDropEvent* e) {
            return verticalHeader()->viewport()->mapTo(this, e->position().toPoint());
        };
        switch (event->type()) {
        case QEvent::DragEnter:
            dragEnterEvent(static_cast<QDragEnterEvent*>(event));
            return true;
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(event);
            dragMoveAt(e, gridPos(e));
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            dropAt(e, gridPos(e));
            return true;
        }
        default:
            break;
        }
    }
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && corner->parent() == this && event->type() == QEvent::Paint) {
        QPainter painter(corner);
        QStyleOptionHeader opt;
        opt.initFrom(corner);
        // The corner button is disabled (it must not select all), but its
        // title reads like the other titles.
        opt.state |= QStyle::State_Enabled | QStyle::State_Raised;
        opt.palette.setCurrentColorGroup(QPalette::Active);
        opt.rect = corner->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.orientation = Qt::Horizontal;
        opt.text = model_->grid().fixedRows() > 0 ? cell(0, 0) : QString();
        opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        corner->setAccessibleName(opt.text);
        style()->drawControl(QStyle::CE_Header, &opt, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}
