#include "common/griddata.h"

#include <gtest/gtest.h>

namespace {

// A 3 x 4 grid whose data cells name their place ("c1r2").
GridData sample() {
    GridData g(3, 4, 50);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            g.setCell(c, r, QString("c%1r%2").arg(c).arg(r));
    return g;
}

} // namespace

TEST(GridData, CountsAndOutOfRangeAccess) {
    GridData g = sample();
    EXPECT_EQ(g.colCount(), 3);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.colWidth(2), 50);
    g.setCell(3, 0, "x");
    g.setCell(0, 4, "x");
    g.setCell(-1, 0, "x");
    EXPECT_EQ(g, sample()); // ignored writes
    EXPECT_EQ(g.cell(3, 0), "");
    EXPECT_EQ(g.cell(0, -1), "");
    EXPECT_EQ(g.row(9), QStringList());

    g.setColCount(5);
    g.setRowCount(6);
    EXPECT_EQ(g.cell(4, 5), "");
    EXPECT_EQ(g.cell(2, 3), "c2r3");
    EXPECT_EQ(g.row(5).size(), 5);
    EXPECT_EQ(g.colWidth(4), 50);
    g.setColCount(2);
    g.setRowCount(2);
    EXPECT_EQ(g.row(1), QStringList({"c0r1", "c1r1"}));
    g.setColCount(3); // regrown cells start empty
    EXPECT_EQ(g.cell(2, 1), "");
}

TEST(GridData, RowOperations) {
    GridData g = sample();
    g.insertRow(1);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.row(1), QStringList({"", "", ""}));
    EXPECT_EQ(g.cell(0, 2), "c0r1");
    g.insertRow(5); // appends
    EXPECT_EQ(g.rowCount(), 6);
    EXPECT_EQ(g.cell(1, 4), "c1r3");
    g.removeRow(1);
    g.removeRow(4);
    EXPECT_EQ(g, sample());

    g.setRow(2, {"a"});
    EXPECT_EQ(g.row(2), QStringList({"a", "", ""}));
    g.setRow(2, {"a", "b", "c", "d"});
    EXPECT_EQ(g.row(2), QStringList({"a", "b", "c"}));
    g.clearRow(2);
    EXPECT_EQ(g.row(2), QStringList({"", "", ""}));

    g.insertRow(7); // beyond the end: nothing
    g.removeRow(-1);
    EXPECT_EQ(g.rowCount(), 4);
}
