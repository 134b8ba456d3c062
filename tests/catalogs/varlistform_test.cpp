#include "catalogs/tvarlistform.h"
#include "tests/testshell.h"
#include "common/dragsource.h"
#include "common/scripteddialogs.h"
#include "common/stringgrid.h"
#include "common/textfile.h"

#include "qtprinters.h"
#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct VarlistFixture {
    VarlistFixture() {
        shell.project = dir.path() + "/";
        TextFile::writeLines(shell.project + "varlist.txt",
                             {"a=1", "b=2", "speed=0,1", "maxspeed=3"});
        shell.table[0] = 0x0010;
        shell.table[1] = 0x0012;
        shell.table[2] = 0x0100;
        shell.table[3] = 0x0200;
        form.LoadVarlist();
    }
    QTemporaryDir dir;
    TestShell shell;
    ScriptedDialogs dialogs;
    Tvarlistform form{shell};
};

QAction* action(QWidget* w, const char* name) {
    return w->findChild<QAction*>(name);
}

} // namespace

TEST(Varlistform, NamesAndInitialState) {
    VarlistFixture f;
    Tvarlistform& form = f.form;
    EXPECT_EQ(form.objectName(), "varlistform");
    EXPECT_EQ(form.windowTitle(), "variable list");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.isVisible());
    for (const char* name : {"nachvarlistordnen1", "alphabetischordnen1", "nachAdressenordnen1"}) {
        ASSERT_NE(action(&form, name), nullptr) << name;
        EXPECT_FALSE(action(&form, name)->isEnabled()) << name;
    }
    EXPECT_EQ(form.nachAdressenordnen1(), action(&form, "nachAdressenordnen1"));
    EXPECT_EQ(form.grid()->cell(1, 0), "adress");
    EXPECT_EQ(form.grid()->rowCount(), 256);
    EXPECT_EQ(form.grid()->cell(2, 3), "speed");
    EXPECT_TRUE(form.catalog().isEmpty());

    // Without varlist.txt the rows stay as they are.
    QFile::remove(f.shell.project + "varlist.txt");
    form.grid()->setCell(0, 7, "x");
    form.LoadVarlist();
    EXPECT_EQ(form.grid()->cell(2, 3), "speed");
    EXPECT_EQ(form.grid()->cell(0, 7), "7");

    form.show();
    action(&form, "close1")->trigger();
    EXPECT_FALSE(form.isVisible()); // hidden, not destroyed
}

TEST(Varlistform, BuildCatalogFromTheShellsAddressTable) {
    VarlistFixture f;
    f.form.BuildCatalog(3);
    EXPECT_EQ(f.form.catalog(), QStringList({"a=00010;1", "b=00012;2", "speed=00100;0,1"}));
    EXPECT_EQ(f.form.grid()->cell(1, 2), "00012");
    EXPECT_EQ(f.form.grid()->cell(1, 4), ""); // beyond the count
    EXPECT_EQ(f.form.lookup("SPEED[2].x").address, "00100");

    f.form.BuildCatalog(0);
    EXPECT_TRUE(f.form.catalog().isEmpty());
    EXPECT_EQ(f.form.grid()->cell(1, 2), "00012");
}

TEST(Varlistform, SearchButtonSelectsTheNextMatch) {
    VarlistFixture f;
    f.form.show();
    QApplication::setActiveWindow(&f.form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.form));
    f.form.searchEdit()->setText("*speed");
    const QList<int> expected{3, 4, 3};
    for (int row : expected) {
        QTest::mouseClick(f.form.searchButton(), Qt::LeftButton);
        EXPECT_EQ(f.form.grid()->currentRow(), row);
    }
    EXPECT_TRUE(f.form.grid()->hasFocus());

    f.form.searchEdit()->setText("nothing");
    QTest::mouseClick(f.form.searchButton(), Qt::LeftButton);
    EXPECT_EQ(f.form.grid()->currentRow(), 3);
}

TEST(Varlistform, IndexEntriesFromThePopup) {
    VarlistFixture f;
    f.form.BuildCatalog(4);
    StringGrid* grid = f.form.grid();
    grid->setCurrent(2, 3); // speed, 00100
    action(f.form.popupMenu(), "VariablemitIndex12")->trigger();
    EXPECT_TRUE(f.dialogs.shown().isEmpty()); // no bracket: nothing, silently
    action(f.form.popupMenu(), "VariablemitIndex11")->trigger();
    EXPECT_EQ(grid->rowCount(), 257);
    EXPECT_EQ(grid->rowCells(4), QStringList({"3", "00102", "speed[1]", "0,1"}));
    EXPECT_EQ(grid->currentRow(), 3);

    grid->setCurrent(2, 4);
    action(f.form.popupMenu(), "VariablemitIndex12")->trigger();
    EXPECT_EQ(grid->currentRow(), 5);
    EXPECT_EQ(grid->cell(2, 5), "speed[2]");
    EXPECT_EQ(grid->cell(1, 5), "00104");

    action(f.form.popupMenu(), "VariablemitIndex31")->trigger();
    EXPECT_EQ(f.dialogs.lastText(), "variable: speed[2] is already indexing!");
    grid->setCurrent(2, 3);
    action(f.form.popupMenu(), "VariablemitIndex11")->trigger();
    EXPECT_EQ(f.dialogs.lastText(), "variable: speed[1] or adress: 00102 is already existing!");
    EXPECT_EQ(grid->rowCount(), 258);

    // Reloading drops the added rows.
    f.form.LoadVarlist();
    EXPECT_EQ(grid->rowCount(), 256);
    EXPECT_EQ(grid->cell(2, 4), "maxspeed");
}

TEST(Varlistform, CurrentRowIsDrawnBlueFromColumnOne) {
    VarlistFixture f;
    f.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.form));
    StringGrid* grid = f.form.grid();
    grid->setCurrent(2, 2);
    const QImage image = grid->viewport()->grab().toImage();
    const auto colourAt = [&](int col, int row) {
        const QRect r = grid->visualRect(grid->model()->index(row, col));
        return image.pixelColor(r.right() - 2, r.bottom() - 2);
    };
    EXPECT_EQ(colourAt(1, 2), QColor(0, 0, 255));
    EXPECT_EQ(colourAt(3, 2), QColor(0, 0, 255));
    EXPECT_NE(colourAt(1, 1), QColor(0, 0, 255));
    EXPECT_NE(colourAt(2, 3), QColor(0, 0, 255));
}

TEST(Varlistform, AnyButtonDragsTheGridWithItsCurrentRow) {
    VarlistFixture f;
    f.form.BuildCatalog(4);
    f.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.form));
    StringGrid* grid = f.form.grid();
    grid->setCurrent(2, 3);
    std::optional<DragSource> dragged;
    grid->execDrag = [&](QDrag& drag) { dragged = fromMime(drag.mimeData()); };
    const QPoint p = grid->visualRect(grid->model()->index(3, 2)).center();
    QTest::mousePress(grid->viewport(), Qt::MiddleButton, {}, p);
    QTest::qWait(50);
    QTest::mouseRelease(grid->viewport(), Qt::MiddleButton, {}, p);
    ASSERT_TRUE(dragged);
    EXPECT_EQ(*dragged, (DragSource{"varlistform", "StringGrid", {"3", "00100", "speed", "0,1"}}));
}
