#pragma once

#include "common/griddata.h"

#include <QChar>
#include <QStringList>

// The additional variable list as plain data, and its file zuvarlist.txt:
// column count, row count (title row included), one width line per column,
// then one line per data row holding every cell followed by a TAB.
namespace zuvarlist {

inline constexpr int colAddress = 0;
inline constexpr int colVariable = 1;
inline constexpr int colOffset = 2;
inline constexpr int colExtended = 3;
inline constexpr int colScaling = 4;

// Five columns, 100 rows, the titles and designed widths.
GridData createGrid();

// Applies the file's lines to grid in place. Count and width lines that are
// not integer text keep the grid's value. Throws ZorlError when the lines end
// before every row has been read, or a count makes no table; the rows read
// until then stay in the grid.
void readLines(GridData& grid, const QStringList& lines);
QStringList writeLines(const GridData& grid);

// Whether a typed character (backspace is '\b') goes into the cell.
bool keyAccepted(int col, int row, QChar ch);
// Only columns 1 to 4 take the current cell.
bool canSelect(int col, int row);

// Dropping a variable list row (name, scaling value) onto data row `row`.
// False when the row is no data row.
bool dropVariable(GridData& grid, int row, const QString& name, const QString& scaling);

} // namespace zuvarlist
