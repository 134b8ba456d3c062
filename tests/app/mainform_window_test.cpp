#include "appfixture.h"

#include "app/statusbar.h"
#include "catalogs/tvarlistform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class Mainform : public ::testing::Test, public AppFixture {
  protected:
    const MainformUi& ui() { return main().ui(); }
};

} // namespace

TEST_F(Mainform, StartsIdleWithItsDesignedElements) {
    EXPECT_EQ(main().objectName(), QStringLiteral("mainform"));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("zorl_monitor_nr"));
    EXPECT_EQ(main().startFolder(), startFolder());
    EXPECT_EQ(main().projectFolder(), QStringLiteral("/"));
    EXPECT_EQ(ui().recentproject1->text(), QStringLiteral("Recent project - /"));
    EXPECT_EQ(ui().GroupBox2->title(), QStringLiteral("edit sio-interface"));
    EXPECT_EQ(panel(0), QStringLiteral("handle=????"));
    EXPECT_EQ(ui().ComboBox1->count(), 8);
    EXPECT_EQ(ui().ComboBox1->currentText(), QStringLiteral("com1"));
    EXPECT_EQ(ui().ComboBox2->currentText(), QStringLiteral("9600"));
    EXPECT_TRUE(ui().ComboBox1->isEditable());
    EXPECT_TRUE(ui().errorwithbeep1->isChecked());
    EXPECT_FALSE(main().projectModified());
    EXPECT_FALSE(main().portOpen());
    EXPECT_EQ(main().portHandle(), 0);

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ui().StatusBar1->panelWidth(i), 80);
    EXPECT_EQ(ui().StatusBar1->panelWidth(3), ui().StatusBar1->width() - 240);
    // The status texts fit their 80-pixel panels.
    const auto* label = main().findChild<QLabel*>(QStringLiteral("StatusBar1Panel0"));
    ASSERT_TRUE(label);
    for (const char* text :
         {"connect: fail", "connect: yes", "handle=????", "St-code:FFFF", "St-code:8888"})
        EXPECT_LE(label->fontMetrics().horizontalAdvance(QString::fromLatin1(text)), 80 - 6)
            << text;
    EXPECT_EQ(ui().ProgressBar1->maximum(), 80);
    EXPECT_EQ(ui().ProgressBar1->geometry().left(), 162);
    EXPECT_EQ(ui().ProgressBar1->width(), 78);

    EXPECT_FALSE(main().monitor().timer1()->isActive());
    EXPECT_FALSE(main().monitor().timer2()->isActive());
    EXPECT_FALSE(main().monitor().timer3()->isActive());

    const struct {
        QObject* element;
        bool enabled;
    } states[] = {
        {ui().Button1, false},
        {ui().Button2, false},
        {ui().Button5, false},
        {ui().Button6, false},
        {ui().Button3, false},
        {ui().newProject1, false},
        {ui().closeproject1, false},
        {ui().Anzeigefensterhinzufgen1, false},
        {ui().Parameterfensterhinzufgen1, false},
        {ui().Grafikfensterhinzufgen1, false},
        {ui().variablen1, false},
        {ui().openproject1, true},
        {ui().recentproject1, true},
        {ui().Beenden1, true},
        {ui().kestrohelp1, true},
        {ui().info1, true},
        {ui().ComboBox1, true},
        {ui().ComboBox2, true},
    };
    for (const auto& s : states) {
        const bool enabled = s.element->property("enabled").toBool();
        EXPECT_EQ(enabled, s.enabled) << s.element->objectName().toStdString();
    }
}

TEST_F(Mainform, NamedComponentsCarryNameAndCaption) {
    const struct {
        const char* name;
        const char* caption;
    } widgets[] = {
        {"GroupBox1", "Serial interface"},
        {"Button1", "Open sio"},
        {"Button2", "Close sio"},
        {"GroupBox2", "edit sio-interface"},
        {"GroupBox3", "Control"},
        {"Button5", "On"},
        {"Button6", "Off"},
        {"GroupBox4", "Special function register"},
        {"Button3", "Choose file"},
    };
    for (const auto& w : widgets) {
        auto* found = main().findChild<QWidget*>(QString::fromLatin1(w.name));
        ASSERT_TRUE(found) << w.name;
        EXPECT_EQ(found->accessibleName(), QString::fromLatin1(w.caption)) << w.name;
    }
    for (const char* name :
         {"ComboBox1", "ComboBox2", "Label1", "StatusBar1", "ProgressBar1", "MainMenu1"})
        EXPECT_TRUE(main().findChild<QWidget*>(QString::fromLatin1(name))) << name;

    QStringList menus;
    for (QAction* top : main().menuBar()->actions()) {
        QString line = top->text();
        if (QMenu* m = top->menu()) {
            line = m->objectName() + u' ' + line + u':';
            for (QAction* a : m->actions())
                line += u' ' + a->objectName() + u'=' +
                        (a->isSeparator() ? QStringLiteral("-") : a->text());
        } else {
            line = top->objectName() + u' ' + line;
        }
        menus << line;
    }
    EXPECT_EQ(menus, QStringList({
                         "Datei1 &File: newProject1=New project openproject1=Open project "
                         "closeproject1=Close project N3=- recentproject1=Recent project - / N2=- "
                         "Beenden1=&Close all",
                         "Bearbeiten1 &Edit: Anzeigefensterhinzufgen1=Add display window "
                         "Parameterfensterhinzufgen1=Add parameterisation window "
                         "Grafikfensterhinzufgen1=Add graphic window",
                         "Fenster1 &Window:",
                         "siointerface1 Sio-interface: errorwithbeep1=Error with beep "
                         "errorwithoutbeep1=Error without beep",
                         "variablen1 &Variables",
                         "Help1 &Help: kestrohelp1=Help N1=- info1=Info",
                     }));
}

TEST_F(Mainform, SingleInstanceWindowsStartHidden) {
    EXPECT_FALSE(forms->varlistform().isVisible());
    EXPECT_EQ(forms->varlistform().objectName(), QStringLiteral("varlistform"));
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (w != &main()) {
            EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        }
    }
}

TEST_F(Mainform, SettingsChangesWriteKeysBeforeAnyProject) {
    ui().ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(main().projectKeys().lines(), QStringList({"comx=2"}));
    EXPECT_TRUE(main().projectModified());
    ui().errorwithoutbeep1->trigger();
    ui().errorwithbeep1->trigger();
    ui().ComboBox2->setCurrentIndex(4);
    EXPECT_EQ(main().projectKeys().lines(), QStringList({"comx=2", "comxerror=0", "baudrate=4"}));
}

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

TEST_F(Mainform, HelpOpensTheManualInTheStartFolder) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    ui().kestrohelp1->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first().toLocalFile(),
              startFolder() + QStringLiteral("Zorl_documentation.pdf"));
}

#include "mainform_window_test.moc"
