#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The cells of a string grid as plain values: text per cell, column widths,
// row and column counts, and the fixed title row and column. The model layer
// and the grid files work on this; the StringGrid widget shows one.
// Cells are addressed (column, row), row 0 being the title row.
class GridData {
  public:
    GridData() = default;
    GridData(int colCount, int rowCount, int defaultColWidth = 64);

    int colCount() const { return colCount_; }
    int rowCount() const { return rowCount_; }
    // Growing adds empty cells; shrinking drops the last columns or rows.
    void setColCount(int n);
    void setRowCount(int n);

    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }
    void setFixedCols(int n) { fixedCols_ = n; }
    void setFixedRows(int n) { fixedRows_ = n; }

    // Out-of-range reads give empty text; out-of-range writes are ignored.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    QStringList row(int row) const;
    void setRow(int row, const QStringList& cells);
    void clearRow(int row);
    // Inserts an empty row before row (row == rowCount() appends).
    void insertRow(int row);
    void removeRow(int row);

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultColWidth() const { return defaultColWidth_; }
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int h) { defaultRowHeight_ = h; }

    // The grid as the lines of its stored form: column count, row count, one
    // width per column, then one line per data row with every cell followed
    // by a TAB. TABs and line breaks inside a cell become blanks, so a cell
    // can never split its line or shift the cells after it.
    QStringList toLines() const;
    // Fills a data row from such a line: each cell takes the text up to the
    // next TAB; once no TAB is left, this and the remaining cells are empty.
    void setRowFromLine(int row, const QString& line);

    bool operator==(const GridData&) const = default;

  private:
    int colCount_ = 0;
    int rowCount_ = 0;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    QList<QStringList> cells_; // [row][col]
    QList<int> colWidths_;
};
