#include "values/resolution.h"

#include "common/errorreport.h"
#include "values/valuegridlayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Resolution;

namespace {

const QStringList catalog{"speed=001A0;2,5", "bad=xyz;3", "empty=", "temp=00200;1,00",
                          "SPEED=0FFFF;9"};

std::optional<QString> registers(const QString& name) {
    if (name.compare("P1DIR", Qt::CaseInsensitive) == 0)
        return QStringLiteral("0A5");
    return std::nullopt;
}

struct Row {
    const char* variable;
    const char* address; // after resolution
    const char* scaling; // after resolution
    const char* mark;
};

void checkResolution(WindowKind kind) {
    const Row rows[] = {
        {"speed", "001A0", "2,5", "1"},
        {"SPEED", "001A0", "2,5", "1"}, // first entry wins, any case
        {"speed[3]", "001A3", "2,5", "1"},
        {"speed[3].low", "001A3", "2,5", "1"},
        {"speed[x]", "001A2", "2,5", "1"}, // index falls back to 2
        {"bad[4]", "00005", "3", "1"},     // base falls back to 1
        {"P1DIR", "0A5", "1,00", "1"},     // register
        {"nothing", "", "old", ""},        // unknown: address cleared, scaling kept
        {"", "", "old", ""},               // empty variable
        {"empty", "", "old", ""},          // catalog entry without a value
    };
    const ColumnRoles r = ColumnRoles::of(kind);
    GridData g = ValueGridLayout::defaultGrid(kind);
    for (int i = 0; i < 10; ++i) {
        g.setCell(r.variable, i + 1, rows[i].variable);
        g.setCell(r.address, i + 1, "FFFF");
        g.setCell(r.scaling, i + 1, "old");
        g.setCell(r.mark, i + 1, "1");
    }
    QTemporaryDir dir;
    resolveAddresses(g, r, catalog, registers, dir.path() + "/");
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(rows[i].variable);
        EXPECT_EQ(g.cell(r.address, i + 1), rows[i].address);
        EXPECT_EQ(g.cell(r.scaling, i + 1), rows[i].scaling);
        EXPECT_EQ(g.cell(r.mark, i + 1), rows[i].mark);
    }
}

TEST(ResolveAddresses, DisplayWindow) {
    checkResolution(WindowKind::Display);
}
TEST(ResolveAddresses, ParameterWindow) {
    checkResolution(WindowKind::Parameter);
}

TEST(CatalogAddress, IndexForms) {
    struct {
        const char* reference;
        const char* address;
    } cases[] = {{"speed[", "001A2"},     {"speed[3", "001A2"},    {"speed[ 3 ]", "001A3"},
                 {"speed[-1]", "0019F"},  {"speed[$10]", "001A2"}, {"temp[16]", "00210"},
                 {"speed]3[1]", nullptr}, {"speed []", nullptr}};
    for (const auto& c : cases) {
        const auto hit = catalogAddress(catalog, c.reference);
        if (!c.address) {
            EXPECT_FALSE(hit.has_value()) << c.reference;
            continue;
        }
        ASSERT_TRUE(hit.has_value()) << c.reference;
        EXPECT_EQ(hit->address, c.address) << c.reference;
    }
    // The catalog's address text is taken as it stands when there is no index.
    const QStringList raw{"x= 1a ;2"};
    EXPECT_EQ(catalogAddress(raw, "x")->address, " 1a ");
    EXPECT_EQ(catalogAddress(raw, "x[1]")->address, "0001B");
}

TEST(ResolveAddresses, WritesTheCatalogToVTxt) {
    QTemporaryDir dir;
    QFile old(dir.filePath("v.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("a much longer file that must be replaced entirely\r\n");
    old.close();

    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    resolveAddresses(g, ColumnRoles::of(WindowKind::Display), {"a=00001;1", "b=00002;2"}, registers,
                     dir.path() + "/");

    QFile f(dir.filePath("v.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("a=00001;1\r\nb=00002;2\r\n"));
}

TEST(ResolveAddresses, UnwritableVTxtStopsAfterClearingMarks) {
    const ColumnRoles r = ColumnRoles::of(WindowKind::Display);
    GridData g = ValueGridLayout::defaultGrid(WindowKind::Display);
    g.setCell(r.variable, 1, "nothing");
    g.setCell(r.address, 1, "0042");
    g.setCell(r.mark, 1, "1");
    QTemporaryDir dir;

    EXPECT_THROW(resolveAddresses(g, r, catalog, registers, dir.path() + "/missing/"), ZorlError);
    EXPECT_EQ(g.cell(r.mark, 1), "");
    EXPECT_EQ(g.cell(r.address, 1), "0042");
}

} // namespace
