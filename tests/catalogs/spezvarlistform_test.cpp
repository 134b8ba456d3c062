#include "catalogs/tspezvarlistform.h"
#include "catalogs/valuelisteditor.h"
#include "tests/testshell.h"
#include "common/dragsource.h"
#include "common/scripteddialogs.h"
#include "common/textfile.h"

#include "qtprinters.h"
#include <QApplication>
#include <QDrag>
#include <QFrame>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

const QStringList groups{"#GroupA=", "REGA=10", "REGB=11", "#GroupB=", "REGC=20"};

struct SpezFixture {
    explicit SpezFixture(const QStringList& lines = groups) {
        shell.project = dir.path() + "/";
        shell.keys.set("spezfuncname", "regs.txt");
        TextFile::writeLines(shell.project + "regs.txt", lines);
        form.resize(289, 140); // a few rows visible, so scrolling shows
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        list()->setFocus();
    }
    ValueListEditor* list() { return form.list(); }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(name); }
    QTemporaryDir dir;
    TestShell shell;
    ScriptedDialogs dialogs;
    Tspezvarlistform form{shell};
};

void wheel(QWidget* w, bool down) {
    const QPoint pos = w->rect().center();
    QWheelEvent e(pos, w->mapToGlobal(pos), {}, QPoint(0, down ? -120 : 120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(Spezvarlistform, FirstShowLoadsOnceAndLookupIgnoresCase) {
    SpezFixture f;
    EXPECT_EQ(f.form.windowTitle(), "Spezial function register list");
    EXPECT_TRUE(f.form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f.list()->objectName(), "ValueListEditor1");
    EXPECT_EQ(f.list()->rowCount(), 5);
    EXPECT_EQ(f.form.lookup("regb"), QString("11"));
    EXPECT_EQ(f.form.lookup("REGD"), std::nullopt);

    // Another file chosen later shows only through LoadSpezList.
    f.form.hide();
    TextFile::writeLines(f.shell.project + "other.txt", {"X=1"});
    f.shell.keys.set("spezfuncname", "other.txt");
    f.form.show();
    EXPECT_EQ(f.list()->rowCount(), 5);
    f.form.LoadSpezList();
    EXPECT_EQ(f.list()->rowCount(), 1);

    // A missing file or no name leave the list alone.
    f.shell.keys.set("spezfuncname", "gone.txt");
    f.form.LoadSpezList();
    f.shell.keys.set("spezfuncname", "");
    f.form.LoadSpezList();
    EXPECT_EQ(f.list()->rowCount(), 1);
    EXPECT_TRUE(f.dialogs.shown().isEmpty());
}

TEST(Spezvarlistform, UnreadableFileIsReportedAndKeepsTheRows) {
    SpezFixture f;
    // Read as root too: reading this file fails with an I/O error.
    f.shell.project = "/proc/self/";
    f.shell.keys.set("spezfuncname", "mem");
    f.form.LoadSpezList();
    EXPECT_EQ(f.dialogs.texts(), QStringList({"Daten in \"spezreg.txt\" not ok!"}));
    EXPECT_EQ(f.list()->rowCount(), 5);
}

TEST(Spezvarlistform, SectionHeadersAreDrawnRed) {
    SpezFixture f({"#GroupA=", "REGA=10", "#=", "#GroupB=x"});
    EXPECT_EQ(Tspezvarlistform::headerFill("#GroupA"), QColor(255, 0, 0));
    EXPECT_EQ(Tspezvarlistform::headerFill("#"), std::nullopt);
    f.list()->setCurrentDataRow(1);
    const QImage image = f.list()->viewport()->grab().toImage();
    const auto colourAt = [&](int col, int row) {
        const QRect r = f.list()->visualRect(f.list()->model()->index(row, col));
        return image.pixelColor(r.right() - 2, r.bottom() - 2);
    };
    for (int col : {0, 1}) {
        EXPECT_EQ(colourAt(col, 0), QColor(255, 0, 0));
        EXPECT_EQ(colourAt(col, 3), QColor(255, 0, 0));
        EXPECT_NE(colourAt(col, 1), QColor(255, 0, 0));
        EXPECT_NE(colourAt(col, 2), QColor(255, 0, 0)); // "#" alone
    }
}

TEST(Spezvarlistform, NextAndPreviousJumpBetweenSections) {
    // Long enough that the list can scroll any section to the top.
    QStringList lines = groups;
    for (int i = 0; i < 12; ++i)
        lines << QString("REGX%1=%1").arg(30 + i);
    SpezFixture f(lines);
    f.list()->setCurrentDataRow(1);
    QTest::mouseClick(f.button("Button1"), Qt::LeftButton);
    EXPECT_EQ(f.list()->topRow(), 3);
    EXPECT_EQ(f.list()->currentDataRow(), 4);
    QTest::mouseClick(f.button("Button2"), Qt::LeftButton);
    EXPECT_EQ(f.list()->topRow(), 0);
    EXPECT_EQ(f.list()->currentDataRow(), 1);
    QTest::mouseClick(f.button("Button2"), Qt::LeftButton); // no section before
    EXPECT_EQ(f.list()->currentDataRow(), 1);
}

TEST(Spezvarlistform, ArrowsAndWheelPassOverHeaders) {
    SpezFixture f(
        {"#GroupA=", "REGA=10", "REGB=11", "#GroupB=", "REGC=20", "#=", "REGD=30", "#End="});
    ValueListEditor* list = f.list();
    struct Step {
        int from;
        bool down;
        bool useWheel;
        int to;
    };
    const Step steps[] = {
        {2, true, false, 4}, {4, false, false, 2}, {2, true, true, 4},
        {4, false, true, 2}, {1, false, false, 0}, // a header in the first row stops the selection
        {4, true, false, 5},                       // "#" alone is no header here
        {6, true, true, 7},                        // a header in the last row stops it too
        {6, true, false, 7},
    };
    for (const Step& s : steps) {
        list->setCurrentDataRow(s.from);
        if (s.useWheel)
            wheel(list->viewport(), s.down);
        else
            QTest::keyClick(list, s.down ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(list->currentDataRow(), s.to) << s.from << (s.down ? " down" : " up");
    }
    EXPECT_EQ(list->rowCount(), 8); // stepping onto the last row added none
}

TEST(Spezvarlistform, KeyboardAddsAndDeletesRowsInMemory) {
    SpezFixture f;
    ValueListEditor* list = f.list();
    list->setCurrentDataRow(4);
    QTest::keyClick(list, Qt::Key_Down); // on the last row: appends
    EXPECT_EQ(list->rowCount(), 6);
    EXPECT_EQ(list->currentDataRow(), 5);
    QTest::keyClick(list, Qt::Key_Down); // the new row has no name
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(list->rowCount(), 6);
    list->setCurrentDataRow(1);
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(list->rowCount(), 7);
    EXPECT_EQ(list->name(1), "");
    EXPECT_EQ(list->name(2), "REGA");
    list->setCurrentDataRow(2);
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Delete); // without Ctrl nothing
    EXPECT_EQ(list->rowCount(), 6);
    EXPECT_EQ(f.form.lookup("REGA"), std::nullopt);

    f.form.LoadSpezList(); // the file is unchanged
    EXPECT_EQ(list->rowCount(), 5);
}

TEST(Spezvarlistform, MousePressStartsADragOfTheCurrentRow) {
    SpezFixture f;
    std::optional<DragSource> dragged;
    f.list()->execDrag = [&](QDrag& drag) { dragged = fromMime(drag.mimeData()); };
    const QRect row2 = f.list()->visualRect(f.list()->model()->index(2, 0));
    QTest::mousePress(f.list()->viewport(), Qt::LeftButton, {}, row2.center());
    EXPECT_TRUE(f.form.dragTimer()->isActive());
    EXPECT_EQ(f.form.dragTimer()->interval(), 10);
    QTest::qWait(50);
    QTest::mouseRelease(f.list()->viewport(), Qt::LeftButton, {}, row2.center());
    ASSERT_TRUE(dragged);
    EXPECT_EQ(*dragged, (DragSource{"spezvarlistform", "ValueListEditor", {"REGB", "11"}}));

    // A click shorter than the delay starts none.
    dragged.reset();
    QTest::mouseClick(f.list()->viewport(), Qt::LeftButton, {}, row2.center());
    QTest::qWait(30);
    EXPECT_FALSE(dragged);
}

TEST(Spezvarlistform, CloseButtonFollowsTheRightEdge) {
    SpezFixture f;
    auto* panel = f.form.findChild<QFrame*>("Panel1");
    for (int width : {289, 420}) {
        f.form.resize(width, 300);
        QApplication::processEvents();
        EXPECT_EQ(f.button("Button3")->x(), panel->width() - 78);
    }
    QTest::mouseClick(f.button("Button3"), Qt::LeftButton);
    EXPECT_FALSE(f.form.isVisible());
}
