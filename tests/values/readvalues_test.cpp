#include "values/readvalues.h"

#include "common/errorreport.h"
#include "values/valuegridlayout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using namespace ValueRows;

namespace {

// A controller memory with per-address failures and a log of every call.
class FakeController : public ValueAccess {
  public:
    std::map<uint16_t, int32_t> words;
    std::map<uint16_t, float> floats;
    std::set<uint16_t> failing;
    std::vector<std::string> log;

    bool readInt(uint16_t address, int32_t& raw) override {
        log.push_back("readInt " + std::to_string(address));
        if (failing.count(address) || !words.count(address))
            return false;
        raw = words[address];
        return true;
    }
    bool readFloat(uint16_t address, float& value) override {
        log.push_back("readFloat " + std::to_string(address));
        if (failing.count(address) || !floats.count(address))
            return false;
        value = floats[address];
        return true;
    }
    bool writeInt(uint16_t address, int32_t value) override {
        log.push_back("writeInt " + std::to_string(address) + " " + std::to_string(value));
        return true;
    }
    bool writeFloat(uint16_t address, float value) override {
        log.push_back("writeFloat " + std::to_string(address) + " " + std::to_string(value));
        return true;
    }
};

const TextWidth noPadding = [](const QString&) { return 1000; };

void setRow(GridData& g, const ColumnRoles& r, int row, const QString& address, const QString& type,
            const QString& value = {}, const QString& scaling = {}) {
    g.setCell(r.address, row, address);
    g.setCell(r.type, row, type);
    g.setCell(r.value, row, value);
    g.setCell(r.scaling, row, scaling);
}

TEST(ReadValues, ConvertsEveryAddressedRowAndKeepsFailures) {
    const ColumnRoles r = ColumnRoles::of(WindowKind::Display);
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    setRow(g, r, 1, "001A0", "D", "old");
    setRow(g, r, 2, " 1A1 ", "F", "old");
    setRow(g, r, 3, "", "D", "keep");           // no address: no call
    setRow(g, r, 4, "xyz", "D", "keep");        // not hexadecimal: no call
    setRow(g, r, 5, "1A2", "D", "keep");        // read fails
    setRow(g, r, 6, "1A3", "G", "old");         // float
    setRow(g, r, 7, "1A4", "N", "keep", "abc"); // scaling not a number
    setRow(g, r, 8, "1A5", "", "keep");         // no type: read, cell kept
    setRow(g, r, 9, "1A6", "d", "keep");        // unknown type: read, cell kept
    setRow(g, r, 10, "1001A7", "U", "old");     // low 16 bits of the address
    FakeController c;
    c.words = {{0x1A0, 65535}, {0x1A1, 1}, {0x1A4, 16384}, {0x1A5, 7}, {0x1A6, 7}, {0x1A7, 9}};
    c.floats = {{0x1A3, 1.5f}};
    c.failing = {0x1A2};

    readValues(g, r, Precision::of(WindowKind::Display), c, noPadding);

    EXPECT_EQ(g.cell(r.value, 1), "-1");
    EXPECT_EQ(g.cell(r.value, 2), "3,051758E-5");
    EXPECT_EQ(g.cell(r.value, 3), "keep");
    EXPECT_EQ(g.cell(r.value, 4), "keep");
    EXPECT_EQ(g.cell(r.value, 5), "keep");
    EXPECT_EQ(g.cell(r.value, 6), "1,5");
    EXPECT_EQ(g.cell(r.value, 7), "keep");
    EXPECT_EQ(g.cell(r.value, 8), "keep");
    EXPECT_EQ(g.cell(r.value, 9), "keep");
    EXPECT_EQ(g.cell(r.value, 10), "9");
    EXPECT_EQ(c.log, (std::vector<std::string>{"readInt 416", "readInt 417", "readInt 418",
                                               "readFloat 419", "readInt 420", "readInt 421",
                                               "readInt 422", "readInt 423"}));
}

TEST(ReadValues, ParameterWindowUsesItsColumnsPrecisionAndPadding) {
    const ColumnRoles r = ColumnRoles::of(WindowKind::Parameter);
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Parameter);
    setRow(g, r, 1, "10", "F");
    g.setCell(r.input, 1, "input");
    FakeController c;
    c.words = {{0x10, 1}};
    const TextWidth sixPerChar = [](const QString& t) { return 6 * static_cast<int>(t.size()); };

    readValues(g, r, Precision::of(WindowKind::Parameter), c, sixPerChar);

    // Column 2 is 50 wide: "3,0518E-5" is 54 px, so no blank; the input stays.
    EXPECT_EQ(g.cell(r.value, 1), "3,0518E-5");
    EXPECT_EQ(g.cell(r.input, 1), "input");
    c.words = {{0x10, 16384}};
    readValues(g, r, Precision::of(WindowKind::Parameter), c, sixPerChar);
    EXPECT_EQ(g.cell(r.value, 1), "    0,5"); // padded to 40 px
}

TEST(SendMarked, WritesOnlyConvertibleRowsMarkedY) {
    const ColumnRoles r = ColumnRoles::of(WindowKind::Parameter);
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Parameter);
    auto row = [&](int n, const char* address, const char* type, const char* input, const char* yn,
                   const char* scaling = "") {
        setRow(g, r, n, address, type, {}, scaling);
        g.setCell(r.input, n, input);
        g.setCell(r.yesNo, n, yn);
    };
    row(1, "20", "D", "abc", "Y");    // not a number: skipped
    row(2, "21", "D", "-5", "Y");     // sent as is
    row(3, "22", "F", "0,5", "y");    // lower case mark: not sent
    row(4, "23", "F", " 0,5 ", "Y");  // blanks around
    row(5, "", "D", "1", "Y");        // no address
    row(6, "zz", "D", "1", "Y");      // address not hexadecimal
    row(7, "24", "", "1", "Y");       // no type: nothing
    row(8, "25", "G", "2,5", "Y");    // float write
    row(9, "26", "N", "1", "Y", "0"); // zero scaling: skipped
    row(10, "27", "$", "1a", "Y");
    FakeController c;

    sendMarked(g, r, c);

    EXPECT_EQ(c.log, (std::vector<std::string>{"writeInt 33 -5", "writeInt 35 16384",
                                               "writeFloat 37 2.500000", "writeInt 39 26"}));
}

TEST(NormaliseInput, RewritesTheInputCellOfTheRow) {
    const ColumnRoles r = ColumnRoles::of(WindowKind::Parameter);
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Parameter);
    const TextWidth sixPerChar = [](const QString& t) { return 6 * static_cast<int>(t.size()); };
    g.setCell(r.type, 1, "$");
    g.setCell(r.input, 1, "1a");
    g.setCell(r.input, 2, " 1a "); // empty type: left as typed
    g.setCell(r.type, 3, "N");
    g.setCell(r.scaling, 3, "0");
    g.setCell(r.input, 3, "1");

    EXPECT_TRUE(normaliseInput(g, 1, r, sixPerChar));
    EXPECT_EQ(g.cell(r.input, 1), "     001A"); // 60 px column: filled to 50 px
    EXPECT_FALSE(normaliseInput(g, 2, r, sixPerChar));
    EXPECT_EQ(g.cell(r.input, 2), " 1a ");
    EXPECT_THROW(normaliseInput(g, 3, r, sixPerChar), ZorlError);
    EXPECT_EQ(g.cell(r.input, 3), "1");
}

} // namespace
