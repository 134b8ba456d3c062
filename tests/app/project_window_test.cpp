#include "appfixture.h"

#include "app/projectfiles.h"
#include "app/statusbar.h"
#include "app/windowregistry.h"
#include "catalogs/tspezvarlistform.h"
#include "catalogs/tvarlistform.h"
#include "common/stringgrid.h"
#include "values/tanzeigeform.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

QStringList section(const char* header, bool visible = true) {
    return {QString::fromUtf8(header),
            "left=30",
            "top=40",
            "height=120",
            "width=250",
            visible ? "visible=true" : "visible=false"};
}

class Project : public ::testing::Test, public AppFixture {
  protected:
    const MainformUi& ui() { return main().ui(); }
    QStringList entryNames() {
        QStringList names;
        for (QAction* a : ui().Fenster1->actions())
            names << a->objectName() + u':' + a->text();
        return names;
    }
    QStringList windowNames() {
        QStringList names;
        for (WorkingWindow* w : main().registry().windows())
            names << w->widget()->objectName();
        return names;
    }
    void setRecent(const QString& fileName) {
        QSettings(QStringLiteral("Tovi"), QStringLiteral("zorl_mon"))
            .setValue("filename", fileName);
    }
};

} // namespace

TEST_F(Project, OpenAppliesKeysAndDisablesReopening) {
    writeProject({"comx=3", "baudrate=5", "spezfuncname=regs.txt", "focus=anzeige1", "other=kept"},
                 {"anzform=1", "eingabeform=1", "grafikform=1"}, {"speed=2,5", "current=0,1"});
    openProject();

    EXPECT_EQ(ui().ComboBox1->currentText(), QStringLiteral("com4"));
    EXPECT_EQ(ui().ComboBox2->currentText(), QStringLiteral("115200"));
    EXPECT_TRUE(ui().errorwithoutbeep1->isChecked()) << "no comxerror: without beep";
    EXPECT_FALSE(ui().errorwithbeep1->isChecked());
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("regs.txt"));
    EXPECT_EQ(main().focusWindowName(), QStringLiteral("anzeige1"));
    EXPECT_FALSE(main().projectModified()) << "selecting while opening is no change";

    EXPECT_EQ(main().projectFolder(), projectFolder());
    EXPECT_EQ(ui().recentproject1->text(), QStringLiteral("Recent project - ") + projectFolder());
    EXPECT_EQ(ProjectFiles::recentFileName(), projectFolder() + QStringLiteral("zorl_mon.prj"));
    EXPECT_FALSE(main().ui().StatusBar1->panelText(3).isEmpty());
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_FALSE(ui().openproject1->isEnabled());
    EXPECT_FALSE(ui().recentproject1->isEnabled());
    EXPECT_EQ(forms->varlistform().grid()->cell(2, 1), QStringLiteral("speed"));
    EXPECT_EQ(forms->varlistform().grid()->cell(3, 2), QStringLiteral("0,1"));
}

TEST_F(Project, ShortensTheFolderToThePanel) {
    const QString deep =
        projectFolder() + QStringLiteral("a-rather-long-folder-name/another-long-folder-name/"
                                         "and-one-more-folder-name-to-overflow/demo");
    ASSERT_TRUE(QDir().mkpath(deep));
    writeFile(deep + QStringLiteral("/zorl_mon.prj"), {"comx=0"});
    writeFile(deep + QStringLiteral("/complist.txt"), {"anzform=1"});
    dialogs->answerOpenFile(deep + QStringLiteral("/zorl_mon.prj"));
    main().openproject1Click();
    const QString shown = ui().StatusBar1->panelText(3);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/.../"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/demo/"))) << shown.toStdString();
}

TEST_F(Project, RecreatesWindowsLockedAndShownWithCounters) {
    useFakeWindows();
    QStringList complist = section("#anzeige1;speeds", /*visible=*/false);
    complist << section("#eingabe3;setpoints");
    complist << "anzform=2"
             << "eingabeform=4"
             << "grafikform=1";
    writeProject({"comx=0"}, complist);
    openProject();

    EXPECT_EQ(windowNames(), QStringList({"anzeige1", "eingabe3"}));
    EXPECT_EQ(entryNames(), QStringList({"menuanzeige1:speeds", "menueingabe3:setpoints"}));
    WorkingWindow* w = main().registry().find(QStringLiteral("ANZEIGE1"));
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->locked());
    EXPECT_TRUE(w->widget()->isVisible()) << "stored invisible, shown all the same";
    EXPECT_EQ(w->widget()->windowTitle(), QStringLiteral("speeds"));
    EXPECT_EQ(w->windowFolder(), projectFolder());
    EXPECT_EQ(w->widget()->pos(), QPoint(30, 40));
    EXPECT_EQ(w->widget()->size(), QSize(250, 120));
    EXPECT_EQ(main().registry().counter(WindowKind::Display), 2);
    EXPECT_EQ(main().registry().counter(WindowKind::Parameter), 4);
    EXPECT_EQ(main().registry().counter(WindowKind::Graphic), 1);
    EXPECT_TRUE(main().projectModified());

    // The next added display window takes the counter's number.
    main().Anzeigefensterhinzufgen1Click();
    EXPECT_EQ(windowNames().last(), QStringLiteral("anzeige2"));
    EXPECT_EQ(entryNames().last(), QStringLiteral("menuanzeige2:display window2"));
    EXPECT_EQ(main().registry().counter(WindowKind::Display), 3);
}

TEST_F(Project, RefusesBadAndDuplicateWindowSections) {
    useFakeWindows();
    QStringList complist;
    complist << section("#anzeige1;first") << section("#ANZEIGE1;same name again")
             << section("#anzeige2 without separator") << section("#../anzeige3;escape")
             << section("#anzeige4/../../x;escape") << section("#grafik1;no graphic windows yet")
             << section("#eingabe2;second");
    complist << "anzform=5"
             << "eingabeform=3"
             << "grafikform=2";
    writeProject({}, complist);
    openProject();
    EXPECT_EQ(windowNames(), QStringList({"anzeige1", "eingabe2"}));
    EXPECT_EQ(entryNames(), QStringList({"menuanzeige1:first", "menueingabe2:second"}));
    QDir folder(projectFolder());
    EXPECT_EQ(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(Project, MissingWindowListIsReportedAndOpeningStaysPossible) {
    writeProject({"comx=2"}, {}, {"speed=1"});
    openProject();
    EXPECT_EQ(dialogs->texts().size(), 1);
    EXPECT_EQ(ui().ComboBox1->currentText(), QStringLiteral("com3")) << "keys are applied";
    EXPECT_EQ(main().projectFolder(), projectFolder());
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_TRUE(ui().openproject1->isEnabled());
    EXPECT_TRUE(ui().recentproject1->isEnabled());
    EXPECT_TRUE(forms->varlistform().grid()->cell(2, 1).isEmpty()) << "variable list not loaded";
}

TEST_F(Project, UnreadableProjectFileLeavesKeysEmpty) {
    dialogs->answerOpenFile(projectFolder() + QStringLiteral("zorl_mon.prj"));
    main().openproject1Click();
    EXPECT_EQ(dialogs->texts().size(), 1);
    EXPECT_TRUE(main().projectKeys().isEmpty());
    EXPECT_EQ(ProjectFiles::recentFileName(), projectFolder() + QStringLiteral("zorl_mon.prj"));
    EXPECT_FALSE(ui().Button1->isEnabled());
    EXPECT_TRUE(ui().openproject1->isEnabled());
}

TEST_F(Project, RecentProjectOpensTheRegistryProject) {
    writeFile(projectFolder() + "regs.txt", {"#Group=", "REGA=10"});
    writeProject({"comxerror=0", "spezfuncname=regs.txt"}, {"anzform=1"}, {"x=1"});
    setRecent(projectFolder() + QStringLiteral("zorl_mon.prj"));
    forms.reset();
    forms = std::make_unique<ProgramForms>();
    main().show();
    EXPECT_EQ(ui().recentproject1->text(), QStringLiteral("Recent project - ") + projectFolder());

    main().recentproject1Click();
    EXPECT_TRUE(ui().errorwithbeep1->isChecked());
    EXPECT_EQ(forms->spezvarlistform().lookup(QStringLiteral("rega")), QStringLiteral("10"));
    EXPECT_EQ(forms->varlistform().grid()->cell(2, 1), QStringLiteral("x"));
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_FALSE(ui().recentproject1->isEnabled());
}

TEST_F(Project, ClosingWithoutOpenedProjectWritesNothing) {
    writeProject({"comx=0"}, {"anzform=7"});
    setRecent(projectFolder() + QStringLiteral("zorl_mon.prj"));
    forms.reset();
    forms = std::make_unique<ProgramForms>();
    main().show();
    const QByteArray prj = fileBytes(projectFolder() + "zorl_mon.prj");
    const QByteArray complist = fileBytes(projectFolder() + "complist.txt");

    ui().ComboBox1->setCurrentIndex(2);
    ui().errorwithbeep1->trigger();
    EXPECT_TRUE(main().projectModified());
    EXPECT_EQ(main().projectKeys().lines(), QStringList({"comx=2", "comxerror=0"}));
    main().close();
    EXPECT_EQ(fileBytes(projectFolder() + "zorl_mon.prj"), prj);
    EXPECT_EQ(fileBytes(projectFolder() + "complist.txt"), complist);
}

TEST_F(Project, FirstStartWithChangesWritesNothingIntoTheRoot) {
    ASSERT_FALSE(QFileInfo::exists("/zorl_mon.prj"));
    ASSERT_FALSE(QFileInfo::exists("/complist.txt"));
    EXPECT_EQ(main().projectFolder(), QStringLiteral("/"));
    ui().ComboBox2->setCurrentIndex(1);
    EXPECT_TRUE(main().projectModified());
    main().close();
    EXPECT_FALSE(QFileInfo::exists("/zorl_mon.prj"));
    EXPECT_FALSE(QFileInfo::exists("/complist.txt"));
}

TEST_F(Project, EndingTheProgramSavesKeysAndWindows) {
    useFakeWindows();
    QStringList complist = section("#anzeige1;speeds");
    complist << section("#eingabe1;setpoints") << "anzform=2"
             << "eingabeform=2"
             << "grafikform=1";
    writeProject({"other=1", "comx=0"}, complist);
    openProject();
    main().registry().find("eingabe1")->widget()->hide();
    ui().ComboBox2->setCurrentIndex(3);
    main().close();

    EXPECT_EQ(fileBytes(projectFolder() + "zorl_mon.prj"),
              QByteArray("other=1\r\ncomx=0\r\nbaudrate=3\r\n"));
    EXPECT_EQ(
        fileBytes(projectFolder() + "complist.txt"),
        QByteArray(
            "#anzeige1;speeds\r\nleft=30\r\ntop=40\r\nheight=120\r\nwidth=250\r\nvisible=true\r\n"
            "#eingabe1;setpoints\r\nleft=30\r\ntop=40\r\nheight=120\r\nwidth=250\r\nvisible="
            "false\r\n"
            "anzform=2\r\neingabeform=2\r\ngrafikform=1\r\n"));
    EXPECT_EQ(FakeWindow::calls(), QStringList({"store anzeige1", "store eingabe1"}));
    EXPECT_EQ(fileBytes(projectFolder() + "anzeige1.txt"), QByteArray("speeds\r\n"));
}

TEST_F(Project, CloseProjectSavesClosesAndForgets) {
    useFakeWindows();
    writeFile(projectFolder() + "regs.txt", {"REGA=10"});
    QStringList complist = section("#anzeige1;speeds");
    complist << "anzform=2"
             << "eingabeform=1"
             << "grafikform=1";
    writeProject({"comx=0", "spezfuncname=regs.txt"}, complist);
    setController(0x0001, {0x0010});
    openProject();
    main().Button1Click();
    main().Timer1Timer();

    main().closeproject1Click();
    EXPECT_EQ(FakeWindow::calls().last(), QStringLiteral("store anzeige1"));
    EXPECT_TRUE(QFileInfo::exists(projectFolder() + "anzeige1.txt"));
    EXPECT_FALSE(main().projectModified());
    EXPECT_FALSE(main().portOpen());
    EXPECT_EQ(panel(0), QStringLiteral("connect: no"));
    EXPECT_TRUE(windowNames().isEmpty());
    EXPECT_TRUE(ui().Fenster1->actions().isEmpty());
    EXPECT_TRUE(main().findChildren<QAction*>(QStringLiteral("menuanzeige1")).isEmpty());
    EXPECT_TRUE(panel(3).isEmpty());
    EXPECT_EQ(forms->spezvarlistform().lookup(QStringLiteral("REGA")), QStringLiteral("10"));
    for (QPushButton* b : {ui().Button1, ui().Button2, ui().Button5, ui().Button6})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(ui().openproject1->isEnabled());
    EXPECT_TRUE(ui().recentproject1->isEnabled());
    EXPECT_EQ(main().registry().counter(WindowKind::Display), 2) << "counters keep their values";

    // The closed project's files stay as they were saved.
    const QByteArray saved = fileBytes(projectFolder() + "complist.txt");
    ui().ComboBox1->setCurrentIndex(4);
    main().close();
    EXPECT_EQ(fileBytes(projectFolder() + "complist.txt"), saved);
}

TEST_F(Project, NewProjectAsksBeforeOverwriting) {
    writeProject({"comx=5"}, {"anzform=3"}, {"v=1"});
    const QString typed = projectFolder() + QStringLiteral("other-name.prj");

    dialogs->answerSaveFile(typed);
    dialogs->answerYesNo(false);
    main().newProject1Click();
    EXPECT_EQ(dialogs->texts().last(),
              QStringLiteral("Do you want to delete or overwrite the current project?"));
    EXPECT_EQ(fileBytes(projectFolder() + "zorl_mon.prj"), QByteArray("comx=5\r\n"));
    EXPECT_FALSE(ui().Button1->isEnabled());

    dialogs->answerSaveFile(typed);
    dialogs->answerYesNo(true);
    main().newProject1Click();
    EXPECT_EQ(fileBytes(projectFolder() + "zorl_mon.prj"), QByteArray("\r\n"));
    EXPECT_FALSE(QFileInfo::exists(typed));
    EXPECT_EQ(fileBytes(projectFolder() + "complist.txt"), QByteArray("anzform=3\r\n"));
    EXPECT_EQ(ProjectFiles::recentFileName(), typed);
    EXPECT_EQ(main().projectFolder(), projectFolder());
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_EQ(panel(3), projectFolder()) << "overwritten: the full folder";
}

TEST_F(Project, WindowMenuShowsWindowsByEntry) {
    useFakeWindows();
    QStringList complist = section("#anzeige4;speeds");
    complist << "anzform=5"
             << "eingabeform=1"
             << "grafikform=1";
    writeProject({}, complist);
    openProject();
    WorkingWindow* w = main().registry().find("anzeige4");
    ASSERT_TRUE(w);
    w->widget()->hide();
    QAction* entry = ui().Fenster1->actions().value(0);
    ASSERT_TRUE(entry);
    entry->trigger();
    EXPECT_TRUE(w->widget()->isVisible());

    // Title change and removal follow the caption.
    main().renameWindowEntries(QStringLiteral("speeds"), QStringLiteral("fast & slow"));
    EXPECT_EQ(entry->text(), QStringLiteral("fast && slow")) << "no hot key from the title";
    delete w->widget();
    entry->trigger(); // its window is gone: nothing happens
    main().removeWindowEntry(QStringLiteral("fast & slow"));
    EXPECT_TRUE(ui().Fenster1->actions().isEmpty());
}

TEST_F(Project, ChooseFileKeepsOneKeyLine) {
    dialogs->answerOpenFile(QStringLiteral("/elsewhere/regs-a.txt"));
    dialogs->answerOpenFile(QStringLiteral("/elsewhere/regs-b.txt"));
    main().Button3Click();
    main().Button3Click();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("regs-b.txt"));
    EXPECT_EQ(main().projectKeys().lines(), QStringList({"spezfuncname=regs-b.txt"}));
    EXPECT_TRUE(main().projectModified());
    main().Button3Click(); // cancelled
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("regs-b.txt"));
}

TEST_F(Project, RecentProjectInFolderWithAmpersand) {
    const QString folder = projectFolder() + QStringLiteral("pumps & fans/");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeFile(folder + "zorl_mon.prj", {"comx=1"});
    writeFile(folder + "complist.txt", {"anzform=1"});
    setRecent(folder + QStringLiteral("zorl_mon.prj"));
    forms.reset();
    forms = std::make_unique<ProgramForms>();
    main().show();
    EXPECT_EQ(ui().recentproject1->text(), QStringLiteral("Recent project - ") + projectFolder() +
                                               QStringLiteral("pumps && fans/"));
    main().recentproject1Click();
    EXPECT_TRUE(dialogs->texts().isEmpty()) << dialogs->lastText().toStdString();
    EXPECT_EQ(main().projectFolder(), folder);
    EXPECT_EQ(ui().ComboBox1->currentText(), QStringLiteral("com2"));
}

TEST_F(Project, AddingRefusesANameAlreadyTaken) {
    useFakeWindows();
    QStringList complist = section("#anzeige2;second");
    complist << "anzform=2"
             << "eingabeform=1"
             << "grafikform=1";
    writeProject({}, complist);
    openProject();
    main().Anzeigefensterhinzufgen1Click();
    EXPECT_EQ(windowNames(), QStringList({"anzeige2"}));
    EXPECT_EQ(main().registry().counter(WindowKind::Display), 2);
    EXPECT_EQ(ui().Fenster1->actions().size(), 1);
}

TEST_F(Project, RoundTripBringsValueWindowsBackWithCellsWidthsAndPlaces) {
    QStringList complist = section("#anzeige1;speeds");
    complist << section("#eingabe1;setpoints") << "anzform=2"
             << "eingabeform=2"
             << "grafikform=1";
    writeProject({"comx=0"}, complist);
    openProject();

    auto gridOf = [this](const char* name) {
        WorkingWindow* w = main().registry().find(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w ? static_cast<Tanzeigeform*>(w->widget())->grid() : nullptr;
    };
    StringGrid* display = gridOf("anzeige1");
    StringGrid* parameter = gridOf("eingabe1");
    ASSERT_TRUE(display && parameter);
    display->setRowCount(13);
    display->setCell(1, 12, QStringLiteral("n_ist[2].low"));
    display->setCell(5, 12, QStringLiteral("a comment with blanks"));
    display->setColWidth(5, 140);
    parameter->setCell(3, 2, QStringLiteral("0,5"));
    parameter->setCell(4, 2, QStringLiteral("Y"));
    QWidget* displayWindow = display->window();
    displayWindow->move(111, 122);
    displayWindow->resize(500, 310);
    parameter->window()->hide();
    main().close();

    forms.reset();
    forms = std::make_unique<ProgramForms>();
    main().show();
    main().recentproject1Click();

    display = gridOf("anzeige1");
    parameter = gridOf("eingabe1");
    ASSERT_TRUE(display && parameter);
    EXPECT_EQ(display->rowCount(), 13);
    EXPECT_EQ(display->cell(1, 12), QStringLiteral("n_ist[2].low"));
    EXPECT_EQ(display->cell(5, 12), QStringLiteral("a comment with blanks"));
    EXPECT_EQ(display->colWidth(5), 140);
    EXPECT_EQ(parameter->colCount(), 9);
    EXPECT_EQ(parameter->cell(3, 2), QStringLiteral("0,5"));
    EXPECT_EQ(parameter->cell(4, 2), QStringLiteral("Y"));
    EXPECT_EQ(display->window()->pos(), QPoint(111, 122));
    EXPECT_EQ(display->window()->size(), QSize(500, 310));
    // Stored as hidden, shown again when the project opens.
    EXPECT_TRUE(parameter->window()->isVisible());
    EXPECT_EQ(display->window()->windowTitle(), QStringLiteral("speeds"));
}
