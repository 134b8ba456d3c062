#include "catalogs/spezlist.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

using namespace spezlist;

namespace {
// Rows 0..4: #GroupA, REGA, REGB, #GroupB, REGC
const QList<Entry> groups = parseLines({"#GroupA=", "REGA=10", "REGB=11", "#GroupB=", "REGC=20"});
} // namespace

TEST(SpezList, ParsesNameAndValueAndLooksUpIgnoringCase) {
    EXPECT_EQ(parseLine("REG=1F=2"), (Entry{"REG", "1F=2"}));
    EXPECT_EQ(parseLine("loose"), (Entry{"", "loose"}));
    const QList<Entry> entries = parseLines({"p0=80", "P0=90", "#Ports=x"});
    EXPECT_EQ(lookup(entries, "P0"), QString("80"));
    EXPECT_EQ(lookup(entries, "#ports"), QString("x"));
    EXPECT_EQ(lookup(entries, "p1"), std::nullopt);
}

TEST(SpezList, TwoHeaderTests) {
    EXPECT_TRUE(isDrawnHeader("#A"));
    EXPECT_FALSE(isDrawnHeader("#"));
    EXPECT_FALSE(isDrawnHeader("A#"));
    EXPECT_TRUE(isSectionStart("#"));
    EXPECT_FALSE(isSectionStart(""));
}

TEST(SpezList, NextAndPreviousJumpToSections) {
    const auto n = next(groups, 1); // from REGA
    ASSERT_TRUE(n);
    EXPECT_EQ(n->topRow, 3);
    EXPECT_EQ(n->currentRow, 4);
    const auto p = previous(groups, 4); // from REGC
    ASSERT_TRUE(p);
    EXPECT_EQ(p->topRow, 0);
    EXPECT_EQ(p->currentRow, 1);

    EXPECT_FALSE(next(groups, 3));
    EXPECT_FALSE(previous(groups, 1)); // its own header is skipped
    // A header in the last row becomes the top row, the current row stays.
    const auto last = next(parseLines({"A=1", "#End="}), 0);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->topRow, 1);
    EXPECT_EQ(last->currentRow, -1);
}

TEST(SpezList, StepsPassOverDrawnHeaders) {
    EXPECT_EQ(stepDown(groups, 2), 4);
    EXPECT_EQ(stepUp(groups, 4), 2);
    EXPECT_EQ(stepDown(groups, 1), 2);
    EXPECT_EQ(stepUp(groups, 1), 0); // a header in the first row stops the selection
    EXPECT_EQ(stepDown(parseLines({"A=1", "#End="}), 0), 1);

    // "#" alone is no header for stepping, but "Next" and "Previous" stop at it.
    const QList<Entry> lone = parseLines({"A=1", "#=", "B=2", "C=3"});
    EXPECT_EQ(stepDown(lone, 0), 1);
    EXPECT_EQ(stepUp(lone, 2), 1);
    EXPECT_EQ(next(lone, 0)->topRow, 1);
    EXPECT_EQ(previous(lone, 3)->topRow, 1);
}
