#include "appfixture.h"

#include "app/statusbar.h"
#include "app/windowregistry.h"
#include "catalogs/tvariablenreadform.h"
#include "catalogs/tvarlistform.h"
#include "common/stringgrid.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QColor red(255, 0, 0);

class Monitor : public ::testing::Test, public AppFixture {
  protected:
    ConnectionMonitor& monitor() { return main().monitor(); }

    // One connect phase. On a loaded machine the pty may miss a byte's
    // time-out now and then; the monitor itself retries a failed
    // synchronisation, and so does this (nothing is resolved before it).
    void connectTick() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            main().Timer1Timer();
            if (panel(0) != QStringLiteral("connect: fail") || !monitor().timer2()->isActive())
                return;
            main().Timer2Timer();
        }
    }
    // One poll that got through, reconnecting as the monitor would.
    void pollTick() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            main().Timer2Timer();
            if (!monitor().timer1()->isActive())
                return;
            connectTick();
        }
    }
    const MainformUi& ui() { return main().ui(); }

    // A project with three variables and, optionally, one fake display window.
    void openSimpleProject(bool withWindow = false) {
        QStringList complist;
        if (withWindow) {
            useFakeWindows();
            complist << "#anzeige1;display window1"
                     << "left=10"
                     << "top=10"
                     << "height=100"
                     << "width=200"
                     << "visible=true";
        }
        complist << "anzform=2"
                 << "eingabeform=1"
                 << "grafikform=1";
        writeProject({"comx=0", "baudrate=5", "comxerror=0"}, complist, {"a=1", "b=2", "c=3"});
        openProject();
        ASSERT_TRUE(ui().Button1->isEnabled());
    }
};

} // namespace

TEST_F(Monitor, ConnectsReadsAddressTableAndPolls) {
    setController(0x12AB, {0x0010, 0x0012, 0x0100});
    openSimpleProject(true);

    main().Button1Click();
    EXPECT_TRUE(monitor().portOpen());
    EXPECT_TRUE(monitor().connectPending());
    EXPECT_TRUE(monitor().timer1()->isActive());
    EXPECT_TRUE(monitor().timer3()->isActive());
    EXPECT_FALSE(ui().Button1->isEnabled());
    EXPECT_TRUE(ui().Button2->isEnabled());
    EXPECT_FALSE(ui().ComboBox1->isEnabled());
    EXPECT_FALSE(forms->varlistform().nachAdressenordnen1()->isEnabled());

    connectTick();
    EXPECT_EQ(panel(0), QStringLiteral("connect: yes"));
    EXPECT_EQ(panel(1), QStringLiteral("St-code:12AB"));
    EXPECT_FALSE(monitor().timer1()->isActive());
    EXPECT_TRUE(monitor().timer2()->isActive());
    EXPECT_FALSE(monitor().connectPending());
    EXPECT_EQ(monitor().addressTable()[2], 0x0100);

    Tvariablenreadform& list = forms->variablenreadform();
    EXPECT_EQ(list.label()->text(), QStringLiteral("count of adress: 3"));
    EXPECT_EQ(list.grid()->rowCount(), 5);
    EXPECT_EQ(list.grid()->cell(0, 3), QStringLiteral("3"));
    EXPECT_EQ(list.grid()->cell(1, 1), QStringLiteral("0010"));
    EXPECT_EQ(list.grid()->cell(1, 3), QStringLiteral("0100"));

    EXPECT_EQ(forms->varlistform().catalog(), QStringList({"a=00010;1", "b=00012;2", "c=00100;3"}));
    EXPECT_EQ(FakeWindow::calls(), QStringList({"resolve anzeige1"}));

    pollTick();
    EXPECT_EQ(panel(0), QStringLiteral("connect: yes"));
    EXPECT_EQ(FakeWindow::calls(), QStringList({"resolve anzeige1", "read anzeige1"}));
    EXPECT_TRUE(monitor().timer2()->isActive());
    // The controller is on: only "Off" makes sense.
    EXPECT_FALSE(ui().Button5->isEnabled());
    EXPECT_TRUE(ui().Button6->isEnabled());

    // Close and reopen runs the whole connect phase again.
    main().Button2Click();
    main().Button1Click();
    connectTick();
    EXPECT_EQ(FakeWindow::calls().count(QStringLiteral("resolve anzeige1")), 2);
}

TEST_F(Monitor, RunsOnTheTimersByItself) {
    setController(0x0042, {0x0200});
    openSimpleProject(true);
    main().Button1Click();
    // Resolved once per connection, then read on every poll.
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return FakeWindow::calls().count(QStringLiteral("read anzeige1")) >= 2; }, 3000));
    EXPECT_EQ(FakeWindow::calls().first(), QStringLiteral("resolve anzeige1"));
    EXPECT_EQ(panel(1), QStringLiteral("St-code:0042"));
}

TEST_F(Monitor, SilentControllerFailsRedAndRetriesWithOptionalBeep) {
    setController(0x0001, {0x0010});
    openSimpleProject();
    sim->setSilent(true);
    main().Button1Click();

    main().Timer1Timer();
    EXPECT_EQ(panel(0), QStringLiteral("connect: fail"));
    EXPECT_EQ(ui().StatusBar1->color(), red);
    EXPECT_EQ(beeps, 1) << "the project chose \"Error with beep\"";
    EXPECT_TRUE(monitor().timer2()->isActive());
    EXPECT_FALSE(monitor().timer1()->isActive());

    // The hand-back tick returns to the connect phase.
    main().Timer2Timer();
    EXPECT_FALSE(monitor().timer2()->isActive());
    EXPECT_TRUE(monitor().timer1()->isActive());

    ui().errorwithoutbeep1->trigger();
    EXPECT_FALSE(ui().errorwithbeep1->isChecked());
    EXPECT_TRUE(ui().errorwithoutbeep1->isChecked());
    main().Timer1Timer();
    EXPECT_EQ(panel(0), QStringLiteral("connect: fail"));
    EXPECT_EQ(beeps, 1);

    // The controller answers again.
    sim->setSilent(false);
    main().Timer2Timer();
    connectTick();
    EXPECT_EQ(panel(0), QStringLiteral("connect: yes"));
    EXPECT_EQ(ui().StatusBar1->color(), StatusBar::buttonFace());
}

TEST_F(Monitor, FailedAddressCountStopsUntilClose) {
    setController(0x0001, {0x0010});
    openSimpleProject();
    main().Button1Click();
    // Two syncs (20 bytes) and the plug code (4) pass; the count's echo is wrong.
    sim->wrongEcho(24);
    main().Timer1Timer();
    EXPECT_EQ(panel(0), QStringLiteral("connect: fail"));
    EXPECT_EQ(panel(1), QStringLiteral("St-code:0001"));
    EXPECT_EQ(ui().StatusBar1->color(), red);
    EXPECT_FALSE(monitor().timer1()->isActive());
    EXPECT_FALSE(monitor().timer2()->isActive());

    main().Button2Click();
    EXPECT_EQ(panel(0), QStringLiteral("connect: no"));
    EXPECT_EQ(ui().StatusBar1->color(), StatusBar::buttonFace());
    EXPECT_FALSE(monitor().portOpen());
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_FALSE(ui().Button2->isEnabled());
    EXPECT_TRUE(ui().ComboBox1->isEnabled());
    EXPECT_FALSE(ui().Button5->isEnabled());
    EXPECT_FALSE(ui().Button6->isEnabled());
    EXPECT_FALSE(monitor().timer3()->isActive());
    EXPECT_EQ(panel(1), QStringLiteral("St-code:0001")) << "the plug code text stays";
}

TEST_F(Monitor, ZeroAddressesLoopsOnTheConnectPhase) {
    setController(0x0007, {});
    openSimpleProject(true);
    main().Button1Click();
    for (int round = 0; round < 2; ++round) {
        connectTick();
        EXPECT_EQ(forms->variablenreadform().label()->text(), QStringLiteral("count of adress: 0"));
        EXPECT_EQ(forms->variablenreadform().grid()->rowCount(), 2);
        EXPECT_TRUE(monitor().connectPending());
        EXPECT_TRUE(monitor().timer2()->isActive());
        main().Timer2Timer();
        EXPECT_TRUE(monitor().timer1()->isActive());
        EXPECT_FALSE(monitor().timer2()->isActive());
    }
    EXPECT_TRUE(forms->varlistform().catalog().isEmpty());
    EXPECT_EQ(FakeWindow::calls(), QStringList({"resolve anzeige1", "resolve anzeige1"}))
        << "never polled";
}

TEST_F(Monitor, OnOffFollowsTheControllerAtTheNextPoll) {
    setController(0x0001, {0x0010}, /*on=*/false);
    openSimpleProject();
    main().Button1Click();
    connectTick();
    pollTick();
    EXPECT_TRUE(ui().Button5->isEnabled());
    EXPECT_FALSE(ui().Button6->isEnabled());

    ui().Button5->click();
    EXPECT_TRUE(ui().Button5->isEnabled()) << "buttons change only at the next poll";
    uint16_t state = 0xFFFF;
    sim->withController([&](ctrlsim::Controller& c) { state = c.reg(7); });
    EXPECT_EQ(state & 0x20, 0) << "switched on";
    pollTick();
    EXPECT_FALSE(ui().Button5->isEnabled());
    EXPECT_TRUE(ui().Button6->isEnabled());

    ui().Button6->click();
    pollTick();
    EXPECT_TRUE(ui().Button5->isEnabled());
    EXPECT_FALSE(ui().Button6->isEnabled());
}

TEST_F(Monitor, LostConnectionGoesBackToConnecting) {
    setController(0x0001, {0x0010});
    openSimpleProject(true);
    main().Button1Click();
    connectTick();
    forms->varlistform().nachAdressenordnen1()->setEnabled(true);
    beeps = 0;
    sim->setSilent(true);
    main().Timer2Timer();
    EXPECT_EQ(panel(0), QStringLiteral("connect: fail"));
    EXPECT_EQ(ui().StatusBar1->color(), red);
    EXPECT_EQ(beeps, 0) << "no beep in the poll phase";
    EXPECT_TRUE(monitor().timer1()->isActive());
    EXPECT_FALSE(monitor().timer2()->isActive());
    EXPECT_FALSE(forms->varlistform().nachAdressenordnen1()->isEnabled());
    EXPECT_EQ(FakeWindow::calls(), QStringList({"resolve anzeige1"}));
}

TEST_F(Monitor, ErrorInConnectPhaseStopsTheMonitor) {
    setController(0x0001, {0x0010});
    openSimpleProject(true);
    auto* window = dynamic_cast<FakeWindow*>(main().registry().windows().value(0));
    ASSERT_TRUE(window);
    window->failResolve = true;
    main().Button1Click();
    connectTick();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("resolve failed"));
    EXPECT_FALSE(monitor().timer1()->isActive());
    EXPECT_FALSE(monitor().timer2()->isActive());
}

TEST_F(Monitor, ErrorInPollEndsOnlyThatTick) {
    setController(0x0001, {0x0010});
    openSimpleProject(true);
    auto* window = dynamic_cast<FakeWindow*>(main().registry().windows().value(0));
    ASSERT_TRUE(window);
    main().Button1Click();
    connectTick();
    window->failRead = true;
    pollTick();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("read failed"));
    EXPECT_TRUE(monitor().timer2()->isActive()) << "the next tick polls again";
}

TEST_F(Monitor, EightFailedOpensUseUpEverySlot) {
    setController(0x0001, {0x0010});
    openSimpleProject();
    const QString missing = startFolder() + QStringLiteral("no-such-tty");
    ui().ComboBox1->setEditText(missing);
    for (int i = 0; i < 8; ++i)
        main().Button1Click();
    EXPECT_EQ(dialogs->texts().count(QStringLiteral("serielle interface ") + missing +
                                     QStringLiteral(" is nonexistent!")),
              8);
    EXPECT_LT(monitor().portHandle(), 0);

    // com1 works, but no slot is left for it.
    ui().ComboBox1->setCurrentIndex(0);
    main().Button1Click();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("serielle interface com1 is nonexistent!"));
    EXPECT_EQ(monitor().portHandle(), -10);
    EXPECT_FALSE(monitor().portOpen());
    EXPECT_FALSE(monitor().timer1()->isActive());
}

TEST_F(Monitor, TypedDevicePathOpensAsTyped) {
    setController(0x0BEE, {0x0010});
    openSimpleProject();
    ui().ComboBox1->setEditText(QString::fromStdString(sim->path()));
    EXPECT_EQ(monitor().portName(), QString::fromStdString(sim->path()));
    main().Button1Click();
    connectTick();
    EXPECT_EQ(panel(1), QStringLiteral("St-code:0BEE"));
    EXPECT_FALSE(main().projectModified()) << "typing is no change of the stored list position";
}

TEST_F(Monitor, PortAndBaudDefaults) {
    // No baud entry selected: 9600.
    ui().ComboBox2->setCurrentIndex(-1);
    ui().ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(monitor().portName(), QStringLiteral("com2"));
    EXPECT_EQ(monitor().baudRate(), 9600);
    ui().ComboBox2->setCurrentIndex(5);
    EXPECT_EQ(monitor().baudRate(), 115200);
}

TEST_F(Monitor, ActivityBarWrapsAtItsMaximum) {
    QProgressBar* bar = ui().ProgressBar1;
    QList<int> seen;
    for (int i = 0; i < 28; ++i) {
        main().Timer3Timer();
        seen << bar->value();
    }
    EXPECT_EQ(seen.at(0), 3);
    EXPECT_EQ(seen.at(25), 78);
    EXPECT_EQ(seen.at(26), 0);
    EXPECT_EQ(seen.at(27), 3);
}
