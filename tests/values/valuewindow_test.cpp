// The display and parameter windows on the offscreen platform, without a
// controller: their elements, handlers, files and drops.
#include "valuewindow_testshell.h"

#include "catalogs/tspezvarlistform.h"
#include "catalogs/tvarlistform.h"
#include "catalogs/tzuvarlistform.h"
#include "catalogs/valuelisteditor.h"
#include "common/dragsource.h"
#include "common/errorreport.h"
#include "common/scripteddialogs.h"
#include "common/stringgridmodel.h"
#include "values/gridfile.h"
#include "values/tanzeigeform.h"
#include "values/teingabeform.h"
#include "values/valuegridlayout.h"
#include "values/valuewindowfactory.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ValueWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        shell.start = dir.path() + "/";
        shell.project = shell.start;
    }

    // A window as the registry makes it: named, titled, with its folder.
    std::unique_ptr<Tanzeigeform> make(WindowKind kind, const QString& name = {}) {
        std::unique_ptr<Tanzeigeform> w;
        if (kind == WindowKind::Display)
            w.reset(static_cast<Tanzeigeform*>(createDisplayWindow(shell, &owner)));
        else
            w.reset(static_cast<Tanzeigeform*>(createParameterWindow(shell, &owner)));
        const QString n =
            name.isEmpty() ? (kind == WindowKind::Display ? "anzeige1" : "eingabe1") : name;
        w->setObjectName(n);
        w->setWindowTitle(kind == WindowKind::Display ? "display window1"
                                                      : "parameterisation window1");
        w->setWindowFolder(shell.project);
        return w;
    }

    static void show(Tanzeigeform* w) {
        w->show();
        QApplication::setActiveWindow(w);
        w->grid()->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }

    QTemporaryDir dir;
    ValueWindowShell shell;
    ScriptedDialogs dialogs;
    QWidget owner;
};

QStringList entryNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* a : menu->actions())
        names << a->objectName() + ":" + a->text();
    return names;
}

// --- elements --------------------------------------------------------------

TEST_F(ValueWindowTest, BothKindsAreBuiltAsDesigned) {
    struct Case {
        WindowKind kind;
        QStringList titles;
        QList<int> widths;
        QString hint1, hint6;
        int clientWidth;
    };
    const Case cases[] = {
        {WindowKind::Display,
         {"address", "variable", "value", "description type", "scaling value", "comment", ""},
         {50, 150, 50, 40, 70, 95, 1},
         "Signed integer",
         "Standardized representation with scaling value",
         470},
        {WindowKind::Parameter,
         {"address", "variable", "value", "input value", "y/n", "description type", "scaling value",
          "comment", ""},
         {50, 150, 50, 60, 30, 40, 70, 95, 1},
         "Signed Integer",
         "Standardized representation with standardization value",
         564},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clientWidth);
        auto w = make(c.kind);
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->locked());
        StringGrid* g = w->grid();
        EXPECT_EQ(g->objectName(), "stringgrid1");
        ASSERT_EQ(g->colCount(), c.titles.size());
        EXPECT_EQ(g->rowCount(), 11);
        for (int col = 0; col < g->colCount(); ++col) {
            EXPECT_EQ(g->cell(col, 0), c.titles[col]);
            EXPECT_EQ(g->colWidth(col), c.widths[col]);
        }
        EXPECT_EQ(g->defaultRowHeight(), 19);
        EXPECT_TRUE(g->font().bold());
        EXPECT_EQ(w->width(), c.clientWidth);

        auto* file = w->findChild<QMenu*>("Datei1");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(entryNames(file),
                  QStringList({"ObjektClear:Delete window", "N1:", "open:&Open...",
                               "saveas:&Save as...", "N4:", "mainfocus:&Set focus mainform",
                               "N2:", "Beenden:&Close", "N3:", "Beendenmn:&Close all"}));
        auto* edit = w->findChild<QMenu*>("Bearbeiten");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->title(), "Edit");
        EXPECT_EQ(entryNames(edit),
                  QStringList({"formcaption:Change title", "varlistshow:Show variable list",
                               "zuvarlistshow:Show additional variable list",
                               "spezvarlistshow:Show special variable list"}));
        EXPECT_EQ(entryNames(w->findChild<QMenu*>("PopupMenu1")),
                  QStringList({"insert:Line insert", "append:Line append", "delete:Line delete"}));

        for (int i = 1; i <= 7; ++i) {
            auto* b = w->findChild<QToolButton*>(QString("ToolButton%1").arg(i));
            ASSERT_NE(b, nullptr);
            EXPECT_FALSE(b->icon().isNull());
            EXPECT_EQ(b->isChecked(), i == 1);
        }
        EXPECT_EQ(w->findChild<QToolButton*>("ToolButton1")->toolTip(), c.hint1);
        EXPECT_EQ(w->findChild<QToolButton*>("ToolButton6")->toolTip(), c.hint6);
        EXPECT_EQ(w->findChild<QToolButton*>("ToolButton5")->toolTip(), "Float-representation");
        EXPECT_EQ(w->representation(), "D");

        auto* radio = w->findChild<QGroupBox*>("radiogroup1");
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->title(), "Data update");
        EXPECT_TRUE(w->dataUpdate());

        // Every row and column fits the window as constructed.
        show(w.get());
        EXPECT_EQ(g->verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(g->horizontalScrollBar()->maximum(), 0);

        // The bottom button keeps its distance to the right edge.
        w->resize(700, 400);
        QApplication::processEvents();
        if (c.kind == WindowKind::Display) {
            auto* close = w->findChild<QPushButton*>("close");
            ASSERT_NE(close, nullptr);
            EXPECT_EQ(close->text(), "Close");
            EXPECT_EQ(close->x(), 700 - 78);
        } else {
            auto* hidden = w->findChild<QPushButton*>("Beenden");
            auto* send = w->findChild<QPushButton*>("senden");
            ASSERT_NE(hidden, nullptr);
            ASSERT_NE(send, nullptr);
            EXPECT_FALSE(hidden->isVisible());
            EXPECT_EQ(send->text(), "Send");
            EXPECT_EQ(send->x(), 700 - hidden->width() - 2);
        }
    }
}

// --- representation --------------------------------------------------------------

TEST_F(ValueWindowTest, ToolButtonsChooseTheLetterThatTypeClicksWrite) {
    struct Case {
        WindowKind kind;
        bool locked;
        bool writes;
    };
    for (const Case c :
         {Case{WindowKind::Display, false, true}, Case{WindowKind::Display, true, true},
          Case{WindowKind::Parameter, false, true}, Case{WindowKind::Parameter, true, false}}) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << c.locked);
        auto w = make(c.kind);
        w->setLocked(c.locked);
        show(w.get());
        StringGrid* g = w->grid();
        const int type = w->roles().type;

        QTest::mouseClick(w->findChild<QToolButton*>("ToolButton3"), Qt::LeftButton);
        EXPECT_EQ(w->representation(), "$");
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(w->findChild<QToolButton*>(QString("ToolButton%1").arg(i))->isChecked(),
                      i == 3);

        // A mouse click and a keyboard move into the type column both count.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, type, 2));
        EXPECT_EQ(g->cell(type, 2), c.writes ? "$" : "");
        QTest::mouseClick(w->findChild<QToolButton*>("ToolButton7"), Qt::LeftButton);
        QTest::keyClick(g, Qt::Key_Down);
        EXPECT_EQ(g->currentRow(), 3);
        EXPECT_EQ(g->cell(type, 3), c.writes ? "U" : "");
        // Other columns are left alone.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 1, 4));
        EXPECT_EQ(g->cell(1, 4), "");
        EXPECT_EQ(g->cell(type, 4), "");
    }
}

// --- keys ---------------------------------------------------------------------------

TEST_F(ValueWindowTest, KeyFiltersFollowTheColumns) {
    struct Case {
        WindowKind kind;
        bool locked;
        int col;
        QString typed;
        QString expected;
    };
    const WindowKind D = WindowKind::Display, P = WindowKind::Parameter;
    const Case cases[] = {
        {D, false, 4, "a1,5E2", "1,5E2"}, // scaling: number keys only
        {D, false, 4, "1.5", "15"},
        {D, false, 4, "12\b3", "13"},
        {D, false, 5, "speed x.", "speed x."}, // comment: everything
        {D, false, 1, "abc", ""},              // variable, value, type: nothing
        {D, false, 2, "12", ""},
        {D, false, 3, "D", ""},
        {D, true, 5, "note", "note"}, // a locked window keeps its comments
        {P, false, 3, "0.5", "05"},   // input: the point is discarded
        {P, false, 3, "-1aF+x", "-1aF+"},
        {P, false, 4, "y", "Y"}, // y/n: the upper-case letter, nothing else
        {P, false, 4, "n", "N"},
        {P, false, 4, "x", ""},
        {P, true, 4, "y", ""},
        {P, false, 6, "12", ""}, // scaling can't be typed here
        {P, false, 7, "a.b", "a.b"},
        {P, true, 3, "12", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.kind) << " col " << c.col << " " << c.typed.toStdString());
        auto w = make(c.kind);
        w->setLocked(c.locked);
        show(w.get());
        StringGrid* g = w->grid();
        g->setCurrent(c.col, 2);
        typeInto(g, c.typed);
        // Moving on commits an open editor.
        g->setCurrent(1, 5);
        EXPECT_EQ(g->cell(c.col, 2), c.expected);
    }
}

TEST_F(ValueWindowTest, EnterNormalisesTheInputToTheRowsRepresentation) {
    struct Case {
        QString type, scaling, typed, shown;
    };
    const Case cases[] = {
        {"F", "", "0,3", "0,29999"},
        {"F", "", "2", "0,99997"},
        {"$", "", "1a", "001A"},
        {"D", "", "40000", "32767"},
        {"#", "", "101", "0000.0000.0000.0101"},
        {"", "", "12", "12"}, // no type: left as typed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        auto w = make(WindowKind::Parameter);
        show(w.get());
        StringGrid* g = w->grid();
        g->setCell(5, 2, c.type);
        g->setCell(6, 2, c.scaling);
        g->setCurrent(3, 2);
        typeInto(g, c.typed + "\r");
        EXPECT_EQ(g->cell(3, 2).trimmed(), c.shown);
        if (!c.type.isEmpty()) {
            // Right-aligned by blanks in front, up to 10 pixels short of the column.
            const QString text = g->cell(3, 2);
            EXPECT_GE(g->textWidth(text), 60 - 10);
            if (text.startsWith(' ')) {
                EXPECT_LT(g->textWidth(text.mid(1)), 60 - 10);
            }
        }
    }
    EXPECT_TRUE(dialogs.texts().isEmpty());

    // "N" with a zero scaling value can't divide: reported, the text stays as typed.
    auto w = make(WindowKind::Parameter);
    show(w.get());
    StringGrid* g = w->grid();
    g->setCell(5, 1, "N");
    g->setCell(6, 1, "0");
    g->setCurrent(3, 1);
    typeInto(g, "12\r");
    EXPECT_EQ(g->cell(3, 1), "12");
    EXPECT_EQ(dialogs.texts().size(), 1);
}

TEST_F(ValueWindowTest, DoubleClickTogglesTheMarkAlsoWhenLocked) {
    for (bool locked : {false, true}) {
        auto w = make(WindowKind::Parameter);
        w->setLocked(locked);
        show(w.get());
        StringGrid* g = w->grid();
        const QStringList before{"Y", "N", "y", "n", "x", ""};
        const QStringList after{"N", "Y", "Y", "N", "x", ""};
        for (int i = 0; i < before.size(); ++i)
            g->setCell(4, i + 1, before[i]);
        for (int i = 0; i < before.size(); ++i) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 4, i + 1));
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 4, i + 1));
            EXPECT_EQ(g->cell(4, i + 1), after[i]) << i << " locked " << locked;
        }
        // Elsewhere a double click changes nothing.
        g->setCell(7, 1, "Y");
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 7, 1));
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, 7, 1));
        g->setCurrent(1, 5);
        EXPECT_EQ(g->cell(7, 1), "Y");
    }
}

// --- lines -----------------------------------------------------------------------------

TEST_F(ValueWindowTest, LineOperationsWorkOnTheCurrentRow) {
    auto w = make(WindowKind::Display);
    show(w.get());
    StringGrid* g = w->grid();
    auto col1 = [&] {
        QStringList v;
        for (int r = 1; r < g->rowCount(); ++r)
            v << g->cell(1, r);
        return v.join(',');
    };
    for (int r = 1; r <= 10; ++r) {
        g->setCell(1, r, QString("v%1").arg(r));
        g->setCell(5, r, QString("c%1").arg(r));
    }
    auto trigger = [&](const char* name) { w->findChild<QAction*>(name)->trigger(); };

    g->setCurrent(1, 1);
    trigger("insert");
    EXPECT_EQ(col1(), ",v1,v2,v3,v4,v5,v6,v7,v8,v9,v10");
    EXPECT_EQ(g->cell(5, 1), "");
    EXPECT_EQ(g->cell(5, 2), "c1");

    trigger("append");
    EXPECT_EQ(col1(), ",v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,");

    g->setCurrent(1, 3);
    trigger("delete");
    EXPECT_EQ(col1(), ",v1,v3,v4,v5,v6,v7,v8,v9,v10,");
    EXPECT_EQ(g->cell(5, 3), "c3");

    g->setCurrent(1, g->rowCount() - 1);
    trigger("delete");
    EXPECT_EQ(col1(), ",v1,v3,v4,v5,v6,v7,v8,v9,v10");

    // The last data row is never deleted.
    while (g->rowCount() > 2) {
        g->setCurrent(1, 1);
        trigger("delete");
    }
    trigger("delete");
    EXPECT_EQ(g->rowCount(), 2);
    EXPECT_EQ(g->cell(0, 0), "address");
}

TEST_F(ValueWindowTest, ContextRequestOpensTheLineMenuWithoutMovingTheRow) {
    auto w = make(WindowKind::Display);
    show(w.get());
    StringGrid* g = w->grid();
    g->setCurrent(1, 2);
    const QPoint at = cellCenter(g, 2, 6);
    QContextMenuEvent ev(QContextMenuEvent::Mouse, at, g->viewport()->mapToGlobal(at));
    QApplication::sendEvent(g->viewport(), &ev);
    auto* popup = w->findChild<QMenu*>("PopupMenu1");
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(g->currentRow(), 2);
    popup->hide();
}

// --- lock ------------------------------------------------------------------------------

TEST_F(ValueWindowTest, LockedWindowDisablesItsEditingEntriesOnly) {
    const QStringList disabled{
        "open",        "saveas",      "varlistshow", "zuvarlistshow", "spezvarlistshow",
        "ObjektClear", "formcaption", "insert",      "append",        "delete"};
    for (bool locked : {false, true}) {
        auto w = make(WindowKind::Display);
        w->setLocked(locked);
        show(w.get());
        for (QAction* a : w->findChildren<QAction*>()) {
            if (a->isSeparator() || a->objectName().isEmpty())
                continue;
            EXPECT_EQ(a->isEnabled(), !(locked && disabled.contains(a->objectName())))
                << a->objectName().toStdString() << " locked " << locked;
        }
        EXPECT_TRUE(w->findChild<QToolButton*>("ToolButton2")->isEnabled());
        EXPECT_TRUE(w->findChild<QGroupBox*>("radiogroup1")->isEnabled());
    }
}

TEST_F(ValueWindowTest, MenuEntriesReachTheMainWindowAndTheLists) {
    auto w = make(WindowKind::Display);
    show(w.get());
    for (const char* name :
         {"mainfocus", "varlistshow", "zuvarlistshow", "spezvarlistshow", "Beendenmn"})
        w->findChild<QAction*>(name)->trigger();
    EXPECT_EQ(shell.calls, QStringList({"focusMain", "showVarlist", "showZuvarlist", "showSpezlist",
                                        "closeMain"}));
    EXPECT_TRUE(w->openedVarlist());

    // Closing closes the variable list this window opened, once.
    shell.calls.clear();
    w->findChild<QAction*>("Beenden")->trigger();
    EXPECT_FALSE(w->isVisible());
    show(w.get());
    w->findChild<QPushButton*>("close")->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(shell.calls, QStringList({"closeVarlist"}));
}

// --- files -------------------------------------------------------------------------------

TEST_F(ValueWindowTest, FirstShowLoadsTheContentsFileAndCloseStoresIt) {
    for (WindowKind kind : {WindowKind::Display, WindowKind::Parameter}) {
        SCOPED_TRACE(int(kind));
        auto w = make(kind, kind == WindowKind::Display ? "anzeige3" : "eingabe3");
        const QString file = dir.path() + "/" + w->objectName() + ".txt";
        EXPECT_EQ(w->contentsFile(), file);

        GridData stored = w->grid()->data();
        stored.setColWidth(0, 80);
        stored.setColWidth(1, 120);
        stored.setCell(0, 1, "001A0");
        stored.setCell(1, 1, "speed with blanks");
        stored.setRowCount(13);
        stored.setCell(1, 12, "last");
        GridFile::store(stored, file);

        show(w.get());
        StringGrid* g = w->grid();
        EXPECT_FALSE(w->firstShowPending());
        EXPECT_EQ(g->rowCount(), 13);
        EXPECT_EQ(g->cell(1, 1), "speed with blanks");
        EXPECT_EQ(g->cell(1, 12), "last");
        EXPECT_EQ(g->colWidth(1), 120);
        // Only the display window puts the address column back to 50.
        EXPECT_EQ(g->colWidth(0), kind == WindowKind::Display ? 50 : 80);
        EXPECT_EQ(g->cell(0, 0), "address");

        g->setCell(w->roles().comment, 2, "typed");
        w->close();
        EXPECT_FALSE(w->isVisible());
        GridData back = ValueGridLayout::defaultGrid(kind);
        GridFile::load(back, file);
        EXPECT_EQ(back.cell(w->roles().comment, 2), "typed");
        EXPECT_EQ(back.cell(1, 12), "last");

        // Shown again from the Window menu: no second load.
        GridFile::store(ValueGridLayout::defaultGrid(kind), file);
        show(w.get());
        EXPECT_EQ(g->cell(1, 12), "last");

        // The registry's close of every window stores a hidden one too.
        w->hide();
        g->setCell(1, 3, "while hidden");
        w->closeAndStore();
        GridFile::load(back, file);
        EXPECT_EQ(back.cell(1, 3), "while hidden");
    }
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(ValueWindowTest, MissingOrShortContentsFiles) {
    // No file: the grid as constructed.
    auto fresh = make(WindowKind::Display, "anzeige5");
    show(fresh.get());
    EXPECT_EQ(fresh->grid()->data(), ValueGridLayout::defaultGrid(WindowKind::Display));

    // Fewer row lines than announced: reported, rows so far stay, and the next
    // showing tries again.
    auto w = make(WindowKind::Display, "anzeige6");
    QStringList lines = GridFile::linesOf(w->grid()->data());
    // Two counts and seven widths, then only two of the ten row lines.
    lines[9] = "001A0\tkept\t\t\t\t\t\t";
    lines = lines.mid(0, 11);
    QFile f(w->contentsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GridFile::encode(lines));
    f.close();
    show(w.get());
    EXPECT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(w->firstShowPending());
    EXPECT_EQ(w->grid()->cell(1, 1), "kept");
    w->hide();
    show(w.get());
    EXPECT_EQ(dialogs.texts().size(), 2);
}

TEST_F(ValueWindowTest, AWindowThatCannotStoreStaysOpen) {
    auto w = make(WindowKind::Parameter);
    w->setWindowFolder(dir.path() + "/missing/");
    show(w.get());
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(dialogs.texts().size(), 1);
}

TEST_F(ValueWindowTest, OpenAndSaveAsGoThroughTheDialogs) {
    auto d = make(WindowKind::Display);
    show(d.get());
    d->grid()->setCell(1, 4, "saved");
    const QString anz = dir.path() + "/mine.anz";
    dialogs.answerSaveFile(anz);
    d->findChild<QAction*>("saveas")->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].kind, ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(dialogs.shown()[0].initialFolder, shell.project);
    EXPECT_EQ(dialogs.shown()[0].filter, "*.anz");
    EXPECT_EQ(dialogs.shown()[0].defaultSuffix, "anz");
    GridData back = ValueGridLayout::defaultGrid(WindowKind::Display);
    GridFile::load(back, anz);
    EXPECT_EQ(back.cell(1, 4), "saved");

    // An ".ein" file opened in a display window brings its nine columns.
    auto p = make(WindowKind::Parameter);
    p->grid()->setCell(3, 2, "42");
    const QString ein = dir.path() + "/mine.ein";
    GridFile::store(p->grid()->data(), ein);
    dialogs.clear();
    dialogs.answerOpenFile(ein);
    d->findChild<QAction*>("open")->trigger();
    EXPECT_EQ(dialogs.shown()[0].filter, "*.anz");
    EXPECT_EQ(d->grid()->colCount(), 9);
    EXPECT_EQ(d->grid()->cell(3, 2), "42");

    // Cancel, or a file gone since the dialog: nothing happens.
    const GridData now = d->grid()->data();
    dialogs.answerOpenFile({});
    d->findChild<QAction*>("open")->trigger();
    dialogs.answerOpenFile(dir.path() + "/gone.anz");
    d->findChild<QAction*>("open")->trigger();
    EXPECT_EQ(d->grid()->data(), now);
    EXPECT_EQ(dialogs.texts(), QStringList());

    dialogs.clear();
    dialogs.answerOpenFile({});
    p->findChild<QAction*>("open")->trigger();
    EXPECT_EQ(dialogs.shown()[0].filter, "*.ein");
    EXPECT_EQ(dialogs.shown()[0].defaultSuffix, "ein");
}

// --- window menu and project keys ---------------------------------------------------------

TEST_F(ValueWindowTest, DeleteWindowAsksAndTakesItsEntryOut) {
    shell.windowMenu = {"display window2", "display window1", "display window1"};
    auto* w = make(WindowKind::Display).release();
    QPointer<Tanzeigeform> alive(w);
    show(w);

    dialogs.answerYesNo(false);
    w->findChild<QAction*>("ObjektClear")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(alive);
    EXPECT_EQ(dialogs.lastText(), "Do you really want to remove the window?");

    dialogs.answerYesNo(true);
    w->findChild<QAction*>("ObjektClear")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    EXPECT_EQ(shell.windowMenu, QStringList({"display window2", "display window1"}));
    EXPECT_FALSE(QFile::exists(dir.path() + "/anzeige1.txt"));
}

TEST_F(ValueWindowTest, ChangeTitleRenamesEveryEntryWithTheOldTitle) {
    shell.windowMenu = {"display window1", "graphic window1", "display window1"};
    auto w = make(WindowKind::Display);
    show(w.get());

    shell.titleAnswer = std::nullopt;
    w->findChild<QAction*>("formcaption")->trigger();
    EXPECT_EQ(shell.titleAsked, "display window1");
    EXPECT_EQ(w->windowTitle(), "display window1");

    shell.titleAnswer = "speeds";
    w->findChild<QAction*>("formcaption")->trigger();
    EXPECT_EQ(w->windowTitle(), "speeds");
    EXPECT_EQ(shell.windowMenu, QStringList({"speeds", "graphic window1", "speeds"}));
}

TEST_F(ValueWindowTest, ActivationLeavesOneFocusEntry) {
    shell.keys.setLines({"comx=3", "FOCUS=grafik1", "baudrate=5"});
    auto a = make(WindowKind::Display, "anzeige1");
    auto b = make(WindowKind::Parameter, "eingabe2");
    for (Tanzeigeform* w : {a.get(), b.get()}) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w, &activate);
    }
    EXPECT_EQ(shell.keys.lines(), QStringList({"comx=3", "focus=eingabe2", "baudrate=5"}));
    EXPECT_GE(shell.modified, 2);

    shell.keys.clear();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(a.get(), &activate);
    EXPECT_EQ(shell.keys.lines(), QStringList({"focus=anzeige1"}));
}

// --- connection -------------------------------------------------------------------------

TEST_F(ValueWindowTest, ResolutionRewritesAddressesInBothKinds) {
    shell.catalogLines = {"speed=001A0;2,5", "temp=00200;0,1"};
    shell.spez = {{"P1DIR", "0B2"}};
    for (WindowKind kind : {WindowKind::Display, WindowKind::Parameter}) {
        SCOPED_TRACE(int(kind));
        auto w = make(kind);
        StringGrid* g = w->grid();
        const ColumnRoles& r = w->roles();
        const QStringList variables{"speed", "SPEED[3].low", "P1DIR", "nothing", ""};
        for (int i = 0; i < variables.size(); ++i) {
            g->setCell(r.variable, i + 1, variables[i]);
            g->setCell(r.address, i + 1, "0FFFF");
            g->setCell(r.scaling, i + 1, "7");
            g->setCell(r.mark, i + 1, "1");
        }
        w->resolve();
        auto column = [&](int col) {
            QStringList v;
            for (int i = 1; i <= variables.size(); ++i)
                v << g->cell(col, i);
            return v;
        };
        EXPECT_EQ(column(r.address), QStringList({"001A0", "001A3", "0B2", "", ""}));
        EXPECT_EQ(column(r.scaling), QStringList({"2,5", "2,5", "1,00", "7", "7"}));
        EXPECT_EQ(column(r.mark), QStringList({"1", "1", "1", "", ""}));
        EXPECT_TRUE(QFile::exists(shell.start + "v.txt"));
    }

    // "v.txt" can't be written: the error goes to the caller, the marks are cleared.
    shell.start = dir.path() + "/missing/";
    auto w = make(WindowKind::Display);
    w->grid()->setCell(1, 1, "speed");
    w->grid()->setCell(6, 1, "1");
    EXPECT_THROW(w->resolve(), ZorlError);
    EXPECT_EQ(w->grid()->cell(6, 1), "");
    EXPECT_EQ(w->grid()->cell(0, 1), "");
}

// --- drops -------------------------------------------------------------------------------------

bool dropAt(StringGrid* target, const QPoint& pos, const DragSource& source) {
    std::unique_ptr<QMimeData> mime(toMime(source));
    QDragEnterEvent enter(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target->viewport(), &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target->viewport(), &move);
    QDropEvent drop(pos, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target->viewport(), &drop);
    return drop.isAccepted();
}

TEST_F(ValueWindowTest, DropsFromTheThreeListsFillTheRow) {
    Tvarlistform varlist(shell);
    {
        StringGrid* g = varlist.grid();
        g->setRowCount(4);
        g->setRowCells(2, {"2", "001A0", "speed", "2,5"});
        g->setCurrent(2, 2);
    }
    Tzuvarlistform zuvarlist(shell);
    StringGrid* zg = zuvarlist.grid();
    zg->setRowCount(4);
    zg->setRowCells(1, {"001A3", "speed", " 3 ", "low", "0,5"});
    zg->setRowCells(3, {"001B0", "temp", "x", "hi", "1"});
    Tspezvarlistform spez(shell);
    spez.list()->setEntries({{"#Ports", ""}, {"P1DIR", "0B2"}, {"P2DIR", "0B4"}});
    spez.list()->setCurrentDataRow(1);

    struct Case {
        const char* what;
        std::function<DragSource()> source;
        QString variable, address, scaling;
    };
    const Case cases[] = {
        {"variable list", [&] { return identifyDragSource(varlist.grid()); }, "speed", "001A0",
         "2,5"},
        {"additional variable list",
         [&] {
             zg->setCurrent(1, 1);
             return identifyDragSource(zg);
         },
         "speed[3].low", "001A3", "0,5"},
        {"offset not a number",
         [&] {
             zg->setCurrent(1, 3);
             return identifyDragSource(zg);
         },
         "temp[0].hi", "001B0", "1"},
        {"register list", [&] { return identifyDragSource(spez.list()); }, "P1DIR", "0B2", "1.00"},
    };
    for (WindowKind kind : {WindowKind::Display, WindowKind::Parameter}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << int(kind) << " " << c.what);
            auto w = make(kind);
            show(w.get());
            StringGrid* g = w->grid();
            const ColumnRoles& r = w->roles();
            g->setCell(r.value, 3, "123");
            g->setCell(r.comment, 3, "keep");
            g->setCell(r.mark, 3, "1");
            if (r.input >= 0) {
                g->setCell(r.input, 3, "7");
                g->setCell(r.yesNo, 3, "Y");
            }
            const GridData before = g->data();

            EXPECT_TRUE(dropAt(g, cellCenter(g, 2, 3), c.source()));
            EXPECT_EQ(g->cell(r.variable, 3), c.variable);
            EXPECT_EQ(g->cell(r.address, 3), c.address);
            EXPECT_EQ(g->cell(r.scaling, 3), c.scaling);
            EXPECT_EQ(g->cell(r.type, 3), "D");
            EXPECT_EQ(g->cell(r.value, 3), "123");
            EXPECT_EQ(g->cell(r.comment, 3), "keep");
            EXPECT_EQ(g->cell(r.mark, 3), "1");
            if (r.input >= 0) {
                EXPECT_EQ(g->cell(r.yesNo, 3), "N"); // not sent until marked
                EXPECT_EQ(g->cell(r.input, 3), "7");
            }
            for (int row = 1; row < g->rowCount(); ++row) {
                if (row != 3) {
                    EXPECT_EQ(g->rowCells(row), before.row(row)) << row;
                }
            }
        }
    }
}

TEST_F(ValueWindowTest, DropsFromOtherGridsOrOffTheRowsChangeNothing) {
    Tvarlistform varlist(shell);
    varlist.grid()->setRowCount(3);
    varlist.grid()->setRowCells(1, {"1", "001A0", "speed", "2,5"});
    varlist.grid()->setCurrent(2, 1);

    auto w = make(WindowKind::Display);
    auto other = make(WindowKind::Display, "anzeige2");
    other->grid()->setCell(1, 1, "foreign");
    show(w.get());
    StringGrid* g = w->grid();
    const GridData before = g->data();

    // Another value window's grid is taken while dragging but the drop does nothing.
    EXPECT_TRUE(dropAt(g, cellCenter(g, 1, 2), identifyDragSource(other->grid())));
    const QRect last = g->visualRect(g->model()->index(10, 1));
    dropAt(g, QPoint(last.center().x(), last.bottom() + 5), identifyDragSource(varlist.grid()));
    EXPECT_EQ(g->data(), before);

    // A plain widget is no drag source at all.
    QWidget plain;
    plain.setObjectName("varlistform");
    EXPECT_FALSE(dropAt(g, cellCenter(g, 1, 2), identifyDragSource(&plain)));
    EXPECT_EQ(g->data(), before);
}

} // namespace
