#pragma once

#include "common/griddata.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// The variable list's grid as plain data: row r (1-based) pairs line r-1 of
// varlist.txt with entry r-1 of the controller's address table.
namespace varlist {

inline constexpr int colNr = 0;
inline constexpr int colAddress = 1;
inline constexpr int colName = 2;
inline constexpr int colScaling = 3;
inline constexpr int dataRows = 255;
inline constexpr int rowCount = dataRows + 1; // with the title row

// Titles, widths, 256 rows and the row numbers.
GridData createGrid();

// Name (text before the first "=", empty without one) and scaling value of
// each of the first 255 lines. The scaling value comes from the first line of
// the file that has an "=" and the same name, letter case ignored, so
// duplicate names share the first one's scaling value.
struct Line {
    QString name;
    QString scaling;
    bool operator==(const Line&) const = default;
};
QList<Line> pairLines(const QStringList& lines);

// Resets the grid to 256 rows and fills names and scaling values from the
// lines; addresses and rows past the file stay. Then renumbers.
void loadLines(GridData& grid, const QStringList& lines);
// Column 0 := 1..255.
void writeRowNumbers(GridData& grid);

// Writes table entries 0..count-1 as five-digit addresses into rows 1..count
// and returns the catalog built from those rows. count is clamped to 255;
// zero or less leaves the grid alone and gives an empty catalog.
QStringList buildCatalog(GridData& grid, const std::array<uint16_t, 256>& table, int count);

// Searches from the row after searchRow, wrapping past the last row to row 1,
// for a name that begins with text, or that contains it when text starts
// with "*". Letter case counts. searchRow follows the rows examined; true
// when it stopped on a match. Empty text does nothing.
bool search(const GridData& grid, const QString& text, int& searchRow);

// Reorder the data rows by name or by address text. Each row keeps its own
// address and scaling value; equal keys keep their order.
void sortByName(GridData& grid);
void sortByAddress(GridData& grid);

// The popup's index entries on row `row`.
enum class IndexEntry { Index1, Index2, Index3, PlusOne };
struct IndexResult {
    bool inserted = false;
    QString message;     // shown to the user when not empty
    int currentRow = -1; // the row to make current afterwards, -1 to leave it
};
IndexResult addIndexEntry(GridData& grid, int row, IndexEntry entry);

} // namespace varlist
