#pragma once

#include "common/griddata.h"
#include "common/workingwindow.h"

// The grid of a value window as constructed: titles, widths, ten empty data
// rows, one fixed row and column, row height 19.
namespace ValueGridLayout {

GridData defaultGrid(WindowKind kind);

} // namespace ValueGridLayout
