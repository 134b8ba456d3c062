#include "catalogs/addresslist.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

TEST(AddressList, FillsEntriesAndOneEmptyRow) {
    GridData grid = addresslist::createGrid();
    std::array<uint16_t, 256> table{};
    for (int i = 0; i < 5; ++i)
        table[i] = uint16_t(0x1000 + i);
    EXPECT_EQ(addresslist::fill(grid, 5, table), "count of adress: 5");
    EXPECT_EQ(grid.rowCount(), 7);

    table[0] = 0x0010;
    table[1] = 0x0012;
    table[2] = 0x0100;
    EXPECT_EQ(addresslist::fill(grid, 3, table), "count of adress: 3");
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.row(1), QStringList({"1", "0010"}));
    EXPECT_EQ(grid.row(3), QStringList({"3", "0100"}));
    EXPECT_EQ(grid.row(4), QStringList({"", ""})); // was entry 4 of the longer list
    EXPECT_EQ(grid.row(0), QStringList({"nr", "adress"}));

    EXPECT_EQ(addresslist::fill(grid, 0, table), "count of adress: 0");
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.row(1), QStringList({"", ""}));
}
