#pragma once

#include "common/griddata.h"

#include <QAbstractTableModel>
#include <functional>

// Table model over a GridData. Model row r and column c are grid row r and
// column c, title row and fixed column included, so every cell can be read
// through data(index, Qt::DisplayRole). The grid's view shows the fixed
// cells through its headers, so headerData() gives them too.
class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit StringGridModel(QObject* parent = nullptr);

    const GridData& grid() const { return grid_; }
    // Replaces everything (one model reset).
    void setGrid(const GridData& grid);

    QString cell(int col, int row) const { return grid_.cell(col, row); }
    // Does nothing when the text is unchanged. Inside a batch only the
    // touched area is remembered and reported once by endUpdate(); row and
    // column count changes are always reported at once.
    void setCell(int col, int row, const QString& text);
    void setColCount(int n);
    void setRowCount(int n);
    void setRow(int row, const QStringList& cells);
    void clearRow(int row);
    void insertGridRow(int row);
    void removeGridRow(int row);
    void setColWidth(int col, int width);

    // Nested batches are counted; the outermost endUpdate() emits one
    // dataChanged over the touched rectangle (and headerDataChanged when a
    // fixed cell changed).
    void beginUpdate();
    void endUpdate();
    bool inUpdate() const { return batchDepth_ > 0; }

    // Whether the cell can be edited in place; unset means no cell can.
    std::function<bool(int col, int row)> editable;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    void colWidthChanged(int col, int width);

  private:
    void touched(int col, int row);

    GridData grid_;
    int batchDepth_ = 0;
    int dirtyTop_ = -1, dirtyLeft_ = -1, dirtyBottom_ = -1, dirtyRight_ = -1;
};
