#include "catalogs/zuvarlist.h"
#include "common/errorreport.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

using namespace zuvarlist;

namespace {
const QStringList widths{"50", "150", "40", "120", "100"};
}

TEST(ZuvarlistFile, ReadsCountsWidthsAndTabTerminatedCells) {
    GridData grid = createGrid();
    readLines(grid, QStringList{"5", "3"} + QStringList{"51", "152", "43", "124", "105"} +
                        QStringList{"00100\tspeed\t2\thi\t1\t", "\t\t\t\t\t"});
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.colCount(), 5);
    EXPECT_EQ(grid.colWidth(3), 124);
    EXPECT_EQ(grid.row(1), QStringList({"00100", "speed", "2", "hi", "1"}));
    EXPECT_EQ(grid.row(2), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(grid.cell(3, 0), "Extended name"); // titles come from the window
}

TEST(ZuvarlistFile, RowLinesSplitOnlyAtTabs) {
    GridData grid = createGrid();
    grid.setCell(4, 1, "old");
    // Text after the last TAB belongs to no cell.
    readLines(grid, QStringList{"5", "3"} + widths + QStringList{"a\tb\t", "x\ty\tz"});
    EXPECT_EQ(grid.row(1), QStringList({"a", "b", "", "", ""}));
    EXPECT_EQ(grid.row(2), QStringList({"x", "y", "", "", ""}));
}

TEST(ZuvarlistFile, NonNumericCountsAndWidthsKeepTheirValue) {
    GridData grid = createGrid();
    readLines(grid, QStringList{"five", "2", "x", "151", "", "121", "-3", "r1\t\t\t\t\t"});
    EXPECT_EQ(grid.colCount(), 5);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.colWidth(0), 50);
    EXPECT_EQ(grid.colWidth(1), 151);
    EXPECT_EQ(grid.colWidth(2), 40);
    EXPECT_EQ(grid.colWidth(4), 100);
    EXPECT_EQ(grid.cell(0, 1), "r1");
}

TEST(ZuvarlistFile, EndingEarlyFailsAndKeepsRowsReadSoFar) {
    GridData grid = createGrid();
    EXPECT_THROW(readLines(grid, QStringList{"5", "4"} + widths + QStringList{"a\tb\t\t\t\t"}),
                 ZorlError);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(1, 1), "b");

    for (const QStringList& lines : {QStringList{}, QStringList{"5"}, QStringList{"5", "3", "1"},
                                     QStringList{"5", "1"}, QStringList{"1000000", "3"}}) {
        GridData g = createGrid();
        EXPECT_THROW(readLines(g, lines), ZorlError) << lines.join('|').toStdString();
    }
}

TEST(ZuvarlistFile, WriteThenReadGivesTheSameTable) {
    GridData grid = createGrid();
    grid.setRowCount(4);
    grid.setColWidth(2, 77);
    grid.setRow(1, {"001A0", "speed", "3", "low byte", "1,5E-3"});
    grid.setRow(3, {"", "v", "", "tab\there", ""});
    const QStringList lines = writeLines(grid);
    EXPECT_EQ(lines.mid(0, 7), QStringList({"5", "4", "50", "150", "77", "120", "100"}));
    EXPECT_EQ(lines[7], "001A0\tspeed\t3\tlow byte\t1,5E-3\t");
    EXPECT_EQ(lines.size(), 10);

    GridData back = createGrid();
    readLines(back, lines);
    EXPECT_EQ(back.row(1), grid.row(1));
    EXPECT_EQ(back.cell(3, 3), "tab here"); // a TAB in a cell would split the record
    EXPECT_EQ(back.colWidth(2), 77);
    EXPECT_EQ(back.rowCount(), 4);
}

TEST(ZuvarlistKeys, EachColumnTakesItsCharacters) {
    struct Case {
        int col;
        const char* accepted;
        const char* refused;
    };
    const Case cases[] = {
        {0, "", "0a\b"},
        {1, "", "a1\b"},
        {2, "0123456789\b", "a.,-+ E"},
        {3, "aZ .,-#\b1", ""},
        {4, "0123456789+,-Ee\b", ".a xX"},
    };
    for (const Case& c : cases) {
        for (const char* p = c.accepted; *p; ++p)
            EXPECT_TRUE(keyAccepted(c.col, 1, QChar(*p))) << c.col << " " << *p;
        for (const char* p = c.refused; *p; ++p)
            EXPECT_FALSE(keyAccepted(c.col, 1, QChar(*p))) << c.col << " " << *p;
    }
    EXPECT_FALSE(keyAccepted(3, 0, u'a')); // title row
}
