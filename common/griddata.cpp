#include "common/griddata.h"

#include <algorithm>

GridData::GridData(int colCount, int rowCount, int defaultColWidth)
    : defaultColWidth_(defaultColWidth) {
    setColCount(colCount);
    setRowCount(rowCount);
}

void GridData::setColCount(int n) {
    n = std::max(0, n);
    colCount_ = n;
    colWidths_.resize(n, defaultColWidth_);
    for (QStringList& r : cells_)
        r.resize(n);
}

void GridData::setRowCount(int n) {
    n = std::max(0, n);
    rowCount_ = n;
    const qsizetype old = cells_.size();
    cells_.resize(n);
    for (qsizetype i = old; i < n; ++i)
        cells_[i].resize(colCount_);
}

QString GridData::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return {};
    return cells_[row][col];
}

void GridData::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return;
    cells_[row][col] = text;
}

QStringList GridData::row(int row) const {
    if (row < 0 || row >= rowCount_)
        return {};
    return cells_[row];
}

void GridData::setRow(int row, const QStringList& cells) {
    if (row < 0 || row >= rowCount_)
        return;
    QStringList r = cells;
    r.resize(colCount_);
    cells_[row] = r;
}

void GridData::clearRow(int row) {
    if (row < 0 || row >= rowCount_)
        return;
    cells_[row] = QStringList();
    cells_[row].resize(colCount_);
}

void GridData::insertRow(int row) {
    if (row < 0 || row > rowCount_)
        return;
    QStringList r;
    r.resize(colCount_);
    cells_.insert(row, r);
    ++rowCount_;
}

void GridData::removeRow(int row) {
    if (row < 0 || row >= rowCount_)
        return;
    cells_.removeAt(row);
    --rowCount_;
}

int GridData::colWidth(int col) const {
    if (col < 0 || col >= colCount_)
        return defaultColWidth_;
    return colWidths_[col];
}

void GridData::setColWidth(int col, int width) {
    if (col < 0 || col >= colCount_)
        return;
    colWidths_[col] = width;
}

QStringList GridData::toLines() const {
    QStringList lines;
    lines << QString::number(colCount_) << QString::number(rowCount_);
    for (int c = 0; c < colCount_; ++c)
        lines << QString::number(colWidth(c));
    for (int r = 1; r < rowCount_; ++r) {
        QString line;
        for (int c = 0; c < colCount_; ++c) {
            QString text = cell(c, r);
            text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            line += text + u'\t';
        }
        lines << line;
    }
    return lines;
}

void GridData::setRowFromLine(int row, const QString& line) {
    qsizetype from = 0;
    for (int c = 0; c < colCount_; ++c) {
        const qsizetype tab = from < 0 ? -1 : line.indexOf(u'\t', from);
        if (tab < 0) {
            from = -1;
            setCell(c, row, QString());
            continue;
        }
        setCell(c, row, line.mid(from, tab - from));
        from = tab + 1;
    }
}
