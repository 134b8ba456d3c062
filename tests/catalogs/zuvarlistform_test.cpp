#include "catalogs/tvarlistform.h"
#include "catalogs/tzuvarlistform.h"
#include "common/dragsource.h"
#include "common/scripteddialogs.h"
#include "common/stringgrid.h"
#include "common/textfile.h"
#include "tests/gridinput.h"
#include "tests/testshell.h"

#include "qtprinters.h"
#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace {

const QStringList header{"5", "3", "50", "150", "40", "120", "100"};

struct ZuvarFixture {
    ZuvarFixture() { shell.project = dir.path() + "/"; }
    QString path() const { return shell.project + "zuvarlist.txt"; }
    void show() {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QTemporaryDir dir;
    TestShell shell;
    ScriptedDialogs dialogs;
    Tzuvarlistform form{shell};
};

// What a real drag delivers at a point of the target's viewport.
bool dropOnto(StringGrid* target, const QPoint& viewportPos, QMimeData* mime) {
    std::unique_ptr<QMimeData> owned(mime);
    QDragEnterEvent enter(viewportPos, Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(target->viewport(), &enter);
    QDragMoveEvent move(viewportPos, Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(target->viewport(), &move);
    QDropEvent drop(viewportPos, Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(target->viewport(), &drop);
    return drop.isAccepted();
}

void typeInto(StringGrid* grid, int col, int row, const QString& text) {
    grid->setCurrent(col, row);
    grid->setFocus();
    for (QChar ch : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        if (ch == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClicks(target, QString(ch));
    }
    // Leaving the cell commits the editor.
    grid->setFocus();
    grid->setCurrent(1, row == 1 ? 2 : 1);
}

QAction* action(QWidget* w, const char* name) {
    return w->findChild<QAction*>(name);
}

} // namespace

TEST(Zuvarlistform, DropOfAVariableListRowFillsVariableOffsetAndScaling) {
    ZuvarFixture f;
    TextFile::writeLines(f.shell.project + "varlist.txt", {"a=1", "speed=0,1"});
    Tvarlistform varlist(f.shell);
    varlist.LoadVarlist();
    varlist.grid()->setCurrent(2, 2);
    f.show();
    StringGrid* grid = f.form.grid();
    grid->setRowCells(4, {"00AA0", "old", "7", "low", "9"});

    EXPECT_TRUE(dropOnto(grid, cellCenter(grid, 2, 4), toMime(identifyDragSource(varlist.grid()))));
    EXPECT_EQ(grid->rowCells(4), QStringList({"00AA0", "speed", "0", "low", "0,1"}));
    EXPECT_TRUE(f.form.modified());

    // Another window's grid may hover, but its drop changes nothing.
    Tzuvarlistform other(f.shell);
    other.setObjectName("anzeige1");
    other.grid()->setRowCells(1, {"1", "x", "2", "y", "3"});
    other.grid()->setCurrent(1, 1);
    EXPECT_TRUE(dropOnto(grid, cellCenter(grid, 2, 5), toMime(identifyDragSource(other.grid()))));
    EXPECT_EQ(grid->cell(1, 5), "");
    // A name/value list is refused; so is a drop below the last row.
    EXPECT_FALSE(dropOnto(grid, cellCenter(grid, 2, 5),
                          toMime(DragSource{"spezvarlistform", "ValueListEditor", {"P0", "80"}})));
    grid->setRowCount(3);
    const QRect last = grid->visualRect(grid->model()->index(2, 1));
    dropOnto(grid, QPoint(last.center().x(), last.bottom() + 15),
             toMime(identifyDragSource(varlist.grid())));
    EXPECT_EQ(grid->cell(1, 2), "");
}

TEST(Zuvarlistform, KeyFiltersPerColumnAndTheModifiedFlag) {
    ZuvarFixture f;
    f.show();
    StringGrid* grid = f.form.grid();
    typeInto(grid, 1, 1, "abc");
    EXPECT_EQ(grid->cell(1, 1), "");
    EXPECT_FALSE(f.form.modified());
    typeInto(grid, 2, 1, "x");
    EXPECT_EQ(grid->cell(2, 1), "");
    EXPECT_FALSE(f.form.modified());

    typeInto(grid, 4, 1, "1.5");
    EXPECT_EQ(grid->cell(4, 1), "15");
    EXPECT_TRUE(f.form.modified());
    typeInto(grid, 2, 2, "1a2");
    EXPECT_EQ(grid->cell(2, 2), "12");
    typeInto(grid, 3, 2, "low.byte 1");
    EXPECT_EQ(grid->cell(3, 2), "low.byte 1");
}

TEST(Zuvarlistform, ReadOnceOnFirstShowWrittenOnCloseWhenModified) {
    ZuvarFixture f;
    TextFile::writeLines(f.path(), header + QStringList{"00100\tspeed\t2\thi\t1\t", "\t\t\t\t\t"});
    f.show();
    StringGrid* grid = f.form.grid();
    EXPECT_FALSE(f.form.loadPending());
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->rowCells(1), QStringList({"00100", "speed", "2", "hi", "1"}));

    // Line operations alone are not saved.
    grid->setCurrent(1, 1);
    action(f.form.popupMenu(), "linedelete1")->trigger();
    EXPECT_EQ(grid->rowCount(), 2);
    f.form.close();
    EXPECT_FALSE(f.form.isVisible());
    EXPECT_EQ(TextFile::readLines(f.path()).size(), 9);

    // A second showing does not reread the file.
    f.show();
    EXPECT_EQ(grid->rowCount(), 2);
    typeInto(grid, 3, 1, "z");
    f.form.close();
    EXPECT_FALSE(f.form.modified());
    EXPECT_EQ(TextFile::readLines(f.path()),
              QStringList({"5", "2", "50", "150", "40", "120", "100", "\t\t\tz\t\t"}));

    // Closing with the cell editor still open keeps what was typed into it.
    f.show();
    grid->setCurrent(4, 1);
    grid->setFocus();
    QTest::keyClicks(grid, "7");
    ASSERT_TRUE(grid->isEditing());
    f.form.close();
    EXPECT_EQ(TextFile::readLines(f.path()).value(7), "\t\t\tz\t7\t");
}

TEST(Zuvarlistform, FileEndingEarlyIsReportedAndTriedAgain) {
    ZuvarFixture f;
    TextFile::writeLines(f.path(), header + QStringList{"00100\tspeed\t2\thi\t1\t"});
    f.show();
    EXPECT_EQ(f.dialogs.texts().size(), 1);
    EXPECT_TRUE(f.form.loadPending());
    EXPECT_EQ(f.form.grid()->rowCount(), 3);
    EXPECT_EQ(f.form.grid()->cell(1, 1), "speed"); // rows read so far stay

    f.form.hide();
    TextFile::writeLines(f.path(), header + QStringList{"a\t\t\t\t\t", "b\t\t\t\t\t"});
    f.show();
    EXPECT_FALSE(f.form.loadPending());
    EXPECT_EQ(f.form.grid()->cell(0, 2), "b");
}

TEST(Zuvarlistform, FailedWriteKeepsTheWindowOpenAndModified) {
    ZuvarFixture f;
    f.show();
    typeInto(f.form.grid(), 3, 1, "x");
    f.shell.project = f.dir.path() + "/missing/";
    f.form.close();
    EXPECT_TRUE(f.form.isVisible());
    EXPECT_TRUE(f.form.modified());
    EXPECT_EQ(f.dialogs.texts().size(), 1);
}

TEST(Zuvarlistform, LineOperationsKeepTheTitleRow) {
    ZuvarFixture f;
    StringGrid* grid = f.form.grid();
    grid->setRowCount(3);
    grid->setRowCells(1, {"1", "a", "1", "", ""});
    grid->setRowCells(2, {"2", "b", "2", "", ""});
    grid->setCurrent(1, 2);
    action(f.form.popupMenu(), "lineinsert1")->trigger();
    EXPECT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->rowCells(2), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(grid->cell(1, 3), "b");
    action(f.form.popupMenu(), "lineappend1")->trigger();
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->cell(1, 4), "");

    grid->setCurrent(1, 1);
    for (int i = 0; i < 6; ++i)
        action(f.form.popupMenu(), "linedelete1")->trigger();
    EXPECT_EQ(grid->rowCount(), 2); // the last data row stays
    EXPECT_EQ(grid->cell(1, 0), "Variable");
    EXPECT_FALSE(f.form.modified());
}

TEST(Zuvarlistform, LeftPressDragsTheGridRightPressOpensThePopup) {
    ZuvarFixture f;
    f.show();
    StringGrid* grid = f.form.grid();
    grid->setRowCells(2, {"001A0", "arr", "2", "x", "1"});
    std::optional<DragSource> dragged;
    grid->execDrag = [&](QDrag& drag) { dragged = fromMime(drag.mimeData()); };

    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, cellCenter(grid, 1, 2));
    EXPECT_FALSE(grid->dragTimer()->isActive());
    EXPECT_TRUE(f.form.popupMenu()->isVisible());
    f.form.popupMenu()->hide();
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, cellCenter(grid, 1, 2));

    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cellCenter(grid, 1, 2));
    QTest::qWait(50);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellCenter(grid, 1, 2));
    ASSERT_TRUE(dragged);
    EXPECT_EQ(dragged->windowName, "zuvarlistform");
    EXPECT_EQ(dragged->currentRow, QStringList({"001A0", "arr", "2", "x", "1"}));
}
