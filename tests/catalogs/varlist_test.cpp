#include "catalogs/catalog.h"
#include "catalogs/varlist.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

using namespace varlist;

namespace {

GridData gridWithRows(const QList<QStringList>& rows) {
    GridData grid = createGrid();
    for (int i = 0; i < rows.size(); ++i)
        for (int c = 0; c < rows[i].size(); ++c)
            grid.setCell(c + 1, i + 1, rows[i][c]);
    return grid;
}

std::array<uint16_t, 256> table(std::initializer_list<uint16_t> entries) {
    std::array<uint16_t, 256> t{};
    std::copy(entries.begin(), entries.end(), t.begin());
    return t;
}

} // namespace

TEST(VarlistPairing, NamesAndScalingByFirstLineOfTheName) {
    struct Case {
        QStringList lines;
        QList<Line> rows;
    };
    const Case cases[] = {
        {{"a=1", "=2", "b"}, {{"a", "1"}, {"", "2"}, {"", "2"}}},
        {{"a=1", "b"}, {{"a", "1"}, {"", ""}}},
        {{"x=1", "X=2"}, {{"x", "1"}, {"X", "1"}}},
        // A line without "=" takes the scaling of a later line beginning with "=".
        {{"b", "=7"}, {{"", "7"}, {"", "7"}}},
        {{"v=1=2", "", "w="}, {{"v", "1=2"}, {"", ""}, {"w", ""}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pairLines(c.lines), c.rows) << c.lines.join('|').toStdString();
}

TEST(VarlistLoad, UsesAtMost255LinesAndResetsTheRowCount) {
    GridData grid = createGrid();
    grid.insertRow(5); // as an index entry would
    grid.setCell(colAddress, 3, "00042");
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines << QString("v%1=%1").arg(i);
    loadLines(grid, lines);
    EXPECT_EQ(grid.rowCount(), 256);
    EXPECT_EQ(grid.cell(colName, 255), "v255");
    EXPECT_EQ(grid.cell(colScaling, 255), "255");
    EXPECT_EQ(grid.cell(colNr, 255), "255");
    EXPECT_EQ(grid.cell(colAddress, 3), "00042"); // addresses are not touched

    // A shorter file leaves the rows after it as they were.
    loadLines(grid, {"a=1"});
    EXPECT_EQ(grid.cell(colName, 1), "a");
    EXPECT_EQ(grid.cell(colName, 2), "v2");
}

TEST(VarlistCatalog, BuildsFromTheAddressTableByPosition) {
    GridData grid = gridWithRows({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "3"}, {"x", "d", "4"}});
    const QStringList catalog = buildCatalog(grid, table({0x0010, 0x0012, 0x0100}), 3);
    EXPECT_EQ(catalog, QStringList({"a=00010;1", "b=00012;2", "c=00100;3"}));
    EXPECT_EQ(grid.cell(colAddress, 2), "00012");
    EXPECT_EQ(grid.cell(colAddress, 4), "x"); // beyond count

    const CatalogHit hit = catalogLookup(catalog, "B");
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.address, "00012");
    EXPECT_EQ(hit.scaling, "2");

    EXPECT_TRUE(buildCatalog(grid, table({}), 0).isEmpty());
    EXPECT_EQ(grid.cell(colAddress, 1), "00010"); // count 0 leaves the grid alone
    EXPECT_EQ(buildCatalog(grid, table({}), 300).size(), 255);
}

TEST(CatalogLookup, NameBeforeTheBracketFirstMatchWins) {
    const QStringList catalog{"speed=001A0;2,5", "SPEED=00200;1", "raw=00300", "odd=a;b;c"};
    struct Case {
        const char* reference;
        bool found;
        const char* address;
        const char* scaling;
    };
    const Case cases[] = {
        {"speed", true, "001A0", "2,5"},
        {"Speed[3].low", true, "001A0", "2,5"},
        {"speed[x]", true, "001A0", "2,5"},
        {"raw", true, "00300", ""},
        {"odd", true, "a", "b;c"},
        {"spee", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        const CatalogHit hit = catalogLookup(catalog, c.reference);
        EXPECT_EQ(hit.found, c.found) << c.reference;
        EXPECT_EQ(hit.address, c.address) << c.reference;
        EXPECT_EQ(hit.scaling, c.scaling) << c.reference;
    }
}

TEST(VarlistSearch, PrefixOrAnywhereAndWrapsAround) {
    GridData grid = gridWithRows({{"", "speed"}, {"", "torque"}, {"", "maxspeed"}});
    int row = 1;
    EXPECT_TRUE(search(grid, "sp", row));
    EXPECT_EQ(row, 1); // starts after row 1, wraps past the end back to it
    EXPECT_TRUE(search(grid, "sp", row));
    EXPECT_EQ(row, 1);

    row = 1;
    EXPECT_TRUE(search(grid, "*sp", row));
    EXPECT_EQ(row, 3);
    EXPECT_TRUE(search(grid, "*sp", row));
    EXPECT_EQ(row, 1);
    EXPECT_TRUE(search(grid, "*sp", row));
    EXPECT_EQ(row, 3);

    row = 2;
    EXPECT_FALSE(search(grid, "Sp", row)); // letter case counts
    EXPECT_FALSE(search(grid, "", row));
}

TEST(VarlistOrders, RowsKeepTheirOwnAddressAndScaling) {
    GridData grid = gridWithRows(
        {{"00030", "b", "3"}, {"00010", "a", "1"}, {"00020", "B", "2"}, {"00040", "a", "4"}});
    grid.setRowCount(5);
    sortByName(grid);
    const QStringList names{grid.cell(colName, 1), grid.cell(colName, 2), grid.cell(colName, 3),
                            grid.cell(colName, 4)};
    EXPECT_EQ(names, QStringList({"B", "a", "a", "b"}));
    EXPECT_EQ(grid.row(1), QStringList({"1", "00020", "B", "2"})); // column 0 unchanged
    EXPECT_EQ(grid.cell(colAddress, 2), "00010");
    EXPECT_EQ(grid.cell(colAddress, 3), "00040"); // a duplicate keeps its own address
    EXPECT_EQ(grid.cell(colScaling, 4), "3");

    sortByAddress(grid);
    EXPECT_EQ(grid.cell(colName, 1), "a");
    EXPECT_EQ(grid.cell(colName, 2), "B");
    EXPECT_EQ(grid.cell(colAddress, 4), "00040");
}

TEST(VarlistIndexEntries, InsertCopyOfTheRowWithNewNameAndAddress) {
    GridData grid = gridWithRows({{"00100", "arr", "0,5"}, {"00200", "next", "1"}});
    IndexResult r = addIndexEntry(grid, 1, IndexEntry::Index1);
    ASSERT_TRUE(r.inserted);
    EXPECT_EQ(r.currentRow, -1);
    EXPECT_EQ(grid.rowCount(), 257);
    EXPECT_EQ(grid.row(2), QStringList({"1", "00102", "arr[1]", "0,5"}));
    EXPECT_EQ(grid.cell(colName, 3), "next");

    r = addIndexEntry(grid, 1, IndexEntry::Index1);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(r.message, "variable: arr[1] or adress: 00102 is already existing!");

    r = addIndexEntry(grid, 2, IndexEntry::Index2);
    EXPECT_EQ(r.message, "variable: arr[1] is already indexing!");

    r = addIndexEntry(grid, 2, IndexEntry::PlusOne);
    ASSERT_TRUE(r.inserted);
    EXPECT_EQ(r.currentRow, 3);
    EXPECT_EQ(grid.cell(colName, 3), "arr[2]");
    EXPECT_EQ(grid.cell(colAddress, 3), "00104");

    r = addIndexEntry(grid, 1, IndexEntry::Index3);
    ASSERT_TRUE(r.inserted);
    EXPECT_EQ(grid.cell(colAddress, 2), "00106");

    const int rows = grid.rowCount();
    r = addIndexEntry(grid, 5, IndexEntry::PlusOne); // "next" has no bracket
    EXPECT_FALSE(r.inserted);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(grid.rowCount(), rows);
}

TEST(VarlistIndexEntries, WithoutAddressUseZeroOrTheIndex) {
    GridData grid = gridWithRows({{"", "a"}, {"", "b"}, {"", "c[5]"}, {"", "d[x]"}});
    EXPECT_TRUE(addIndexEntry(grid, 1, IndexEntry::Index2).inserted);
    EXPECT_EQ(grid.cell(colAddress, 2), "00000");
    const IndexResult clash = addIndexEntry(grid, 3, IndexEntry::Index1);
    EXPECT_EQ(clash.message, "variable: b[1] or adress: 00000 is already existing!");

    EXPECT_TRUE(addIndexEntry(grid, 4, IndexEntry::PlusOne).inserted);
    EXPECT_EQ(grid.cell(colName, 5), "c[6]");
    EXPECT_EQ(grid.cell(colAddress, 5), "00005");
    // An index that is no integer text counts as 1.
    EXPECT_TRUE(addIndexEntry(grid, 6, IndexEntry::PlusOne).inserted);
    EXPECT_EQ(grid.cell(colName, 7), "d[2]");
    EXPECT_EQ(grid.cell(colAddress, 7), "00001");
}
