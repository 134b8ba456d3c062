#include "catalogs/addresslist.h"

#include "common/inttext.h"

#include <algorithm>

namespace addresslist {

GridData createGrid() {
    GridData grid(2, 2);
    grid.setFixedCols(1);
    grid.setFixedRows(1);
    setupColumns(grid);
    return grid;
}

void setupColumns(GridData& grid) {
    grid.setColCount(2);
    grid.setColWidth(0, 50);
    grid.setColWidth(1, 100);
    grid.setCell(0, 0, "nr");
    grid.setCell(1, 0, "adress");
}

QString fill(GridData& grid, int n, const std::array<uint16_t, 256>& table) {
    n = std::clamp(n, 0, 255);
    grid.setRowCount(n + 2);
    for (int r = 1; r <= n; ++r) {
        grid.setCell(0, r, QString::number(r));
        grid.setCell(1, r, hexText(table[r - 1], 4));
    }
    // A longer earlier list would otherwise leave an entry in the spare row.
    grid.clearRow(n + 1);
    return "count of adress: " + QString::number(n);
}

} // namespace addresslist
