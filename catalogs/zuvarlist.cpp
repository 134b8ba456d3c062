#include "catalogs/zuvarlist.h"

#include "common/errorreport.h"
#include "common/inttext.h"

namespace zuvarlist {

namespace {

// Far beyond anything this window writes; keeps a damaged count line from
// allocating a table the file could never fill.
constexpr int maxCols = 64;
constexpr int maxRows = 100000;

class LineReader {
  public:
    explicit LineReader(const QStringList& lines) : lines_(lines) {}
    const QString& next() {
        if (index_ >= lines_.size())
            throw ZorlError(QString("List index out of bounds (%1)").arg(index_));
        return lines_[index_++];
    }

  private:
    const QStringList& lines_;
    qsizetype index_ = 0;
};

} // namespace

GridData createGrid() {
    GridData grid(5, 100);
    grid.setFixedCols(1);
    grid.setFixedRows(1);
    grid.setDefaultRowHeight(20);
    const QStringList titles{"Address", "Variable", "Offset", "Extended name", "Scaling value"};
    const int widths[] = {50, 150, 40, 120, 100};
    for (int c = 0; c < 5; ++c) {
        grid.setCell(c, 0, titles[c]);
        grid.setColWidth(c, widths[c]);
    }
    return grid;
}

void readLines(GridData& grid, const QStringList& lines) {
    LineReader reader(lines);
    if (const auto cols = parseIntText(reader.next())) {
        if (*cols < 2 || *cols > maxCols)
            throw ZorlError(QString("Invalid column count %1 in zuvarlist.txt").arg(*cols));
        grid.setColCount(*cols);
    }
    if (const auto rows = parseIntText(reader.next())) {
        if (*rows < 2 || *rows > maxRows)
            throw ZorlError(QString("Invalid row count %1 in zuvarlist.txt").arg(*rows));
        grid.setRowCount(*rows);
    }
    for (int c = 0; c < grid.colCount(); ++c) {
        if (const auto width = parseIntText(reader.next()); width && *width >= 0)
            grid.setColWidth(c, *width);
    }
    for (int r = 1; r < grid.rowCount(); ++r) {
        grid.setRowFromLine(r, reader.next());
    }
}

QStringList writeLines(const GridData& grid) {
    return grid.toLines();
}

bool keyAccepted(int col, int row, QChar ch) {
    if (row < 1)
        return false;
    const bool digit = ch >= u'0' && ch <= u'9';
    switch (col) {
    case colOffset:
        return ch == u'\b' || digit;
    case colExtended:
        return true;
    case colScaling:
        return ch == u'\b' || digit || ch == u'+' || ch == u',' || ch == u'-' || ch == u'E' ||
               ch == u'e';
    default:
        return false;
    }
}

bool canSelect(int col, int /*row*/) {
    return col >= 1 && col <= 4;
}

bool dropVariable(GridData& grid, int row, const QString& name, const QString& scaling) {
    if (row < 1 || row >= grid.rowCount())
        return false;
    grid.setCell(colVariable, row, name);
    grid.setCell(colOffset, row, "0");
    grid.setCell(colScaling, row, scaling);
    return true;
}

} // namespace zuvarlist
