#include "common/stringgridmodel.h"

#include <algorithm>

StringGridModel::StringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void StringGridModel::setGrid(const GridData& grid) {
    beginResetModel();
    grid_ = grid;
    endResetModel();
    for (int c = 0; c < grid_.colCount(); ++c)
        emit colWidthChanged(c, grid_.colWidth(c));
}

void StringGridModel::touched(int col, int row) {
    if (batchDepth_ > 0) {
        if (dirtyTop_ < 0) {
            dirtyTop_ = dirtyBottom_ = row;
            dirtyLeft_ = dirtyRight_ = col;
        } else {
            dirtyTop_ = std::min(dirtyTop_, row);
            dirtyBottom_ = std::max(dirtyBottom_, row);
            dirtyLeft_ = std::min(dirtyLeft_, col);
            dirtyRight_ = std::max(dirtyRight_, col);
        }
        return;
    }
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    if (row < grid_.fixedRows())
        emit headerDataChanged(Qt::Horizontal, col, col);
    if (col < grid_.fixedCols())
        emit headerDataChanged(Qt::Vertical, row, row);
}

void StringGridModel::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= grid_.colCount() || row >= grid_.rowCount())
        return;
    if (grid_.cell(col, row) == text)
        return;
    grid_.setCell(col, row, text);
    touched(col, row);
}

void StringGridModel::setColCount(int n) {
    n = std::max(0, n);
    if (n == grid_.colCount())
        return;
    const int old = grid_.colCount();
    // Structure changes are rare and always reported at once, batch or not,
    // so the view never sees counts that differ from the model's.
    if (n > old) {
        beginInsertColumns({}, old, n - 1);
        grid_.setColCount(n);
        endInsertColumns();
    } else {
        beginRemoveColumns({}, n, old - 1);
        grid_.setColCount(n);
        endRemoveColumns();
    }
    for (int c = old; c < n; ++c)
        emit colWidthChanged(c, grid_.colWidth(c));
}

void StringGridModel::setRowCount(int n) {
    n = std::max(0, n);
    if (n == grid_.rowCount())
        return;
    const int old = grid_.rowCount();
    if (n > old) {
        beginInsertRows({}, old, n - 1);
        grid_.setRowCount(n);
        endInsertRows();
    } else {
        beginRemoveRows({}, n, old - 1);
        grid_.setRowCount(n);
        endRemoveRows();
    }
}

void StringGridModel::setRow(int row, const QStringList& cells) {
    if (row < 0 || row >= grid_.rowCount())
        return;
    beginUpdate();
    for (int c = 0; c < grid_.colCount(); ++c)
        setCell(c, row, c < cells.size() ? cells[c] : QString());
    endUpdate();
}

void StringGridModel::clearRow(int row) {
    setRow(row, {});
}

void StringGridModel::insertGridRow(int row) {
    if (row < 0 || row > grid_.rowCount())
        return;
    beginInsertRows({}, row, row);
    grid_.insertRow(row);
    endInsertRows();
}

void StringGridModel::removeGridRow(int row) {
    if (row < 0 || row >= grid_.rowCount())
        return;
    beginRemoveRows({}, row, row);
    grid_.removeRow(row);
    endRemoveRows();
}

void StringGridModel::setColWidth(int col, int width) {
    if (col < 0 || col >= grid_.colCount() || grid_.colWidth(col) == width)
        return;
    grid_.setColWidth(col, width);
    emit colWidthChanged(col, width);
}

void StringGridModel::beginUpdate() {
    ++batchDepth_;
}

void StringGridModel::endUpdate() {
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    if (dirtyTop_ < 0)
        return;
    // Rows or columns may have gone since the cells were written.
    const int top = dirtyTop_, left = dirtyLeft_;
    const int bottom = std::min(dirtyBottom_, grid_.rowCount() - 1);
    const int right = std::min(dirtyRight_, grid_.colCount() - 1);
    dirtyTop_ = -1;
    if (top > bottom || left > right)
        return;
    emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole, Qt::EditRole});
    if (top < grid_.fixedRows())
        emit headerDataChanged(Qt::Horizontal, left, right);
    if (left < grid_.fixedCols())
        emit headerDataChanged(Qt::Vertical, top, bottom);
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.rowCount();
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.colCount();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
        return grid_.cell(index.column(), index.row());
    return {};
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The horizontal header shows the title row, the vertical one the fixed column.
    if (orientation == Qt::Horizontal)
        return grid_.fixedRows() > 0 ? grid_.cell(section, 0) : QString();
    return grid_.fixedCols() > 0 ? grid_.cell(0, section) : QString();
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const bool fixed = index.row() < grid_.fixedRows() || index.column() < grid_.fixedCols();
    if (!fixed && editable && editable(index.column(), index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}
