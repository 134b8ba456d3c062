#pragma once

#include "common/griddata.h"

#include <QString>
#include <array>
#include <cstdint>

// The address list window's contents after a connection: count n of the
// address table and its entries as four-digit hexadecimal text.
namespace addresslist {

GridData createGrid();
// Two columns "nr" and "adress", widths 50 and 100; cells stay.
void setupColumns(GridData& grid);
// Fills rows 1..n and leaves one empty row below them; returns the label text.
QString fill(GridData& grid, int n, const std::array<uint16_t, 256>& table);

} // namespace addresslist
