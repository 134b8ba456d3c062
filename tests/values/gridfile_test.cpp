#include "values/gridfile.h"

#include "common/errorreport.h"
#include "values/valuegridlayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray record(const QByteArray& rawLength, const QByteArray& storedBytes) {
    return rawLength + storedBytes;
}

TEST(GridFile, DefaultDisplayWindowBytes) {
    // "7", "11", the seven widths, then ten lines of seven TABs.
    const QByteArray expected =
        QByteArray::fromHex("01000000C902000000CFCC02000000CBCD03000000CFC8CC02000000CBCD0200"
                            "0000CACD02000000C9CD02000000C7C801000000CF07000000F7F4F5F2F3F0F1"
                            "07000000F7F4F5F2F3F0F107000000F7F4F5F2F3F0F107000000F7F4F5F2F3F0"
                            "F107000000F7F4F5F2F3F0F107000000F7F4F5F2F3F0F107000000F7F4F5F2F3"
                            "F0F107000000F7F4F5F2F3F0F107000000F7F4F5F2F3F0F107000000F7F4F5F2"
                            "F3F0F1");
    QTemporaryDir dir;
    const QString path = dir.filePath("anzeige1.txt");
    GridFile::store(ValueGridLayout::defaultGrid(WindowKind::Display), path);
    EXPECT_EQ(readAll(path).toHex().toUpper(), expected.toHex().toUpper());
    EXPECT_EQ(GridFile::decode(expected).size(), 19);
}

TEST(GridFile, RoundTripKeepsCellsWidthsAndLongLines) {
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Parameter);
    g.setRowCount(14);
    g.setColWidth(1, 222);
    g.setCell(1, 1, "speed[3].low");
    g.setCell(7, 1, "  two  blanks  ");
    g.setCell(7, 2, QString::fromUtf8("Grüße 5 € ÿ")); // all Windows-1252
    g.setCell(7, 3, QString(1500, 'x'));               // a line far past 1000 bytes
    g.setCell(5, 13, "G");
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ein");

    GridFile::store(g, path);
    GridData loaded = ValueGridLayout::defaultGrid(WindowKind::Parameter);
    GridFile::load(loaded, path);

    EXPECT_EQ(loaded, g);
    EXPECT_EQ(GridFile::decode(readAll(path)).at(2 + 9 + 2).size(), 1500 + 9);
}

TEST(GridFile, CountsOfTheFileReplaceTheGridsOwn) {
    // A parameter window's file opened in a display window gives it nine columns.
    GridData ein = ValueGridLayout::defaultGrid(WindowKind::Parameter);
    ein.setCell(8, 1, "1");
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    GridFile::applyLines(g, GridFile::linesOf(ein));
    EXPECT_EQ(g.colCount(), 9);
    EXPECT_EQ(g.cell(0, 0), "address");
    EXPECT_EQ(g.cell(3, 0), "description type"); // titles stay
    EXPECT_EQ(g.cell(7, 0), "");
    EXPECT_EQ(g.colWidth(3), 60);
    EXPECT_EQ(g.cell(8, 1), "1");
}

TEST(GridFile, LoadRulesForOddLines) {
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    g.setCell(1, 1, "old");
    g.setCell(1, 2, "old");
    // Non-integer counts and widths leave them; a line without TAB empties
    // the row; text after the last TAB is dropped.
    GridFile::applyLines(g,
                         {"seven", "3", "60", "x", "", "40", "70", "95", "1", "a\tb\tc", "noTab"});
    EXPECT_EQ(g.colCount(), 7);
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.colWidth(0), 60);
    EXPECT_EQ(g.colWidth(1), 150);
    EXPECT_EQ(g.colWidth(2), 50);
    EXPECT_EQ(g.row(1), (QStringList{"a", "b", "", "", "", "", ""}));
    EXPECT_EQ(g.row(2), QStringList(7));
    EXPECT_EQ(g.cell(1, 0), "variable");
}

TEST(GridFile, TooFewRowLinesKeepRowsLoadedSoFar) {
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    g.setCell(1, 3, "before");
    QStringList lines{"7", "5", "50", "150", "50", "40", "70", "95", "1", "a\t", "b\t"};
    EXPECT_THROW(GridFile::applyLines(g, lines), ZorlError);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.cell(0, 1), "a");
    EXPECT_EQ(g.cell(0, 2), "b");
    EXPECT_EQ(g.cell(1, 3), "before");

    QTemporaryDir dir;
    const QString path = dir.filePath("short.anz");
    writeAll(path, GridFile::encode(lines));
    GridData h = ValueGridLayout::defaultGrid(WindowKind::Display);
    EXPECT_THROW(GridFile::load(h, path), ZorlError);
    EXPECT_EQ(h.cell(0, 2), "b");
}

TEST(GridFile, DamagedRecordsStopDecoding) {
    const QByteArray good = GridFile::encode({"7", "11"});
    struct {
        const char* what;
        QByteArray tail;
    } cases[] = {
        {"negative length", record(QByteArray::fromHex("FFFFFFFF"), "abc")},
        {"length past the end", record(QByteArray::fromHex("10000000"), "abc")},
        {"huge length", record(QByteArray::fromHex("FFFFFF7F"), "")},
        {"torn length", QByteArray::fromHex("0100")},
    };
    for (const auto& c : cases) {
        bool damaged = false;
        EXPECT_EQ(GridFile::decode(good + c.tail, &damaged), (QStringList{"7", "11"})) << c.what;
        EXPECT_TRUE(damaged) << c.what;
    }
    bool damaged = true;
    EXPECT_EQ(GridFile::decode(good, &damaged).size(), 2);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(GridFile::decode(QByteArray::fromHex("00000000"), &damaged), QStringList{""});
    EXPECT_FALSE(damaged);
}

TEST(GridFile, DamagedFileIsReportedAfterLoadingWhatCameBefore) {
    GridData src = ValueGridLayout::defaultGrid(WindowKind::Display);
    src.setCell(1, 10, "last");
    const QByteArray whole = GridFile::encode(GridFile::linesOf(src));
    QTemporaryDir dir;
    const QString path = dir.filePath("damaged.anz");
    // Cut into the last record: its length now runs past the end.
    writeAll(path, whole.left(whole.size() - 3));

    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    g.setCell(1, 1, "old");
    EXPECT_THROW(GridFile::load(g, path), ZorlError);
    EXPECT_EQ(g.cell(1, 1), "");
    EXPECT_EQ(g.cell(1, 10), "");
}

TEST(GridFile, CountsNoGridCanHoldAreRefused) {
    for (const char* count : {"0", "1", "-3", "2147483647"}) {
        GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
        const GridData before = g;
        EXPECT_THROW(GridFile::applyLines(g, {"7", count}), ZorlError) << count;
        EXPECT_EQ(g, before) << count;
        EXPECT_THROW(GridFile::applyLines(g, {count, "11"}), ZorlError) << count;
        EXPECT_EQ(g, before) << count;
    }
}

TEST(GridFile, TabInsideACellBecomesABlank) {
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    g.setCell(5, 1, "a\tb");
    g.setCell(6, 1, "1");
    GridData loaded = ValueGridLayout::defaultGrid(WindowKind::Display);
    GridFile::applyLines(loaded, GridFile::linesOf(g));
    EXPECT_EQ(loaded.cell(5, 1), "a b");
    EXPECT_EQ(loaded.cell(6, 1), "1");
}

TEST(GridFile, FileErrorsAreReported) {
    QTemporaryDir dir;
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    EXPECT_THROW(GridFile::store(g, dir.filePath("no/such/folder.anz")), ZorlError);
    EXPECT_THROW(GridFile::load(g, dir.filePath("missing.anz")), ZorlError);
}

} // namespace
