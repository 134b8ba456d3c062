#pragma once

#include "common/griddata.h"
#include "representation.h"
#include "valueaccess.h"

#include <optional>

// The row loops of the value windows. The caller checks the port handle and
// "Data update" before calling.
namespace ValueRows {

// Address of a row: "$" + the address text, or none when empty or not a number.
std::optional<uint16_t> rowAddress(const GridData& grid, int row, const ColumnRoles& roles);

// ReadValues: one read per addressed row; the value cell is rewritten on
// success. Rows whose description type is not one of the seven are read but
// keep their value cell.
void readValues(GridData& grid, const ColumnRoles& roles, const Precision& precision,
                ValueAccess& access, const TextWidth& width);

// Send: writes every addressed row marked exactly "Y" whose input converts.
void sendMarked(const GridData& grid, const ColumnRoles& roles, ValueAccess& access);

// Enter in the input value cell of row: normalises it to the row's type and
// pads it. Returns false (cell untouched) when the type cell is empty.
// Throws ZorlError, leaving the cell as typed, when "N" would divide by zero.
bool normaliseInput(GridData& grid, int row, const ColumnRoles& roles, const TextWidth& width);

} // namespace ValueRows
