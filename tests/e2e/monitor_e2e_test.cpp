// Starts the built zorl_mon under its own X server against a ctrlsim
// process on com1, and works it the way a user would: "Recent project",
// "Open sio", "&Close all". What the program leaves in its start folder and
// project folder shows that it connected, resolved and saved.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

bool waitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        QThread::msleep(50);
    }
    return done();
}

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& f : QDir(from).entryInfoList(QDir::Files))
        QFile::copy(f.absoluteFilePath(), to + u'/' + f.fileName());
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

class MonitorEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        xdotool_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xdotool_.isEmpty() || xvfb.isEmpty())
            GTEST_SKIP() << "needs Xvfb and xdotool";

        for (int n = 90 + int(QCoreApplication::applicationPid() % 100); n < 400; ++n) {
            if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
                !QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) {
                display_ = QStringLiteral(":%1").arg(n);
                break;
            }
        }
        ASSERT_FALSE(display_.isEmpty());
        server_.start(xvfb, {display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        ASSERT_TRUE(server_.waitForStarted(5000));
        ASSERT_TRUE(waitFor(
            [this] { return QFileInfo::exists("/tmp/.X11-unix/X" + display_.mid(1)); }, 5000));

        sim_.start(QStringLiteral(CTRLSIM_PATH),
                   {"--layout", QStringLiteral(DEMO_DIR "/ctrlsim.layout")});
        ASSERT_TRUE(sim_.waitForStarted(5000));
        ASSERT_TRUE(
            waitFor([this] { return sim_.waitForReadyRead(100) || sim_.canReadLine(); }, 5000));
        device_ = QString::fromLocal8Bit(sim_.readLine()).trimmed();
        ASSERT_TRUE(device_.startsWith(u'/')) << device_.toStdString();

        project_ = root_.path() + QStringLiteral("/project/");
        start_ = root_.path() + QStringLiteral("/start/");
        copyFolder(QStringLiteral(DEMO_DIR "/project"), project_);
        QDir().mkpath(start_);
        const QString config = root_.path() + QStringLiteral("/config");
        QDir().mkpath(config + QStringLiteral("/Tovi"));
        QFile conf(config + QStringLiteral("/Tovi/zorl_mon.conf"));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("[General]\nfilename=" + (project_ + "zorl_mon.prj").toLocal8Bit() + "\n");
        conf.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("KESTRO_COM1"), device_);
        program_.setProcessEnvironment(env);
        program_.setWorkingDirectory(start_);
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    void TearDown() override {
        for (QProcess* p : {&program_, &sim_, &server_}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000))
                    p->kill();
                p->waitForFinished(1000);
            }
        }
    }

    QString xdo(const QStringList& args, int timeoutMs = 10000) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        p.setProcessEnvironment(env);
        p.start(xdotool_, args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "xdotool " << args.join(u' ').toStdString() << " timed out";
            return {};
        }
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    void pressInMainWindow(const QStringList& keys) {
        xdo({"windowfocus", "--sync", window_});
        for (const QString& key : keys) {
            xdo({"key", key});
            QThread::msleep(300);
        }
    }

    QString xdotool_, display_, device_, project_, start_, window_;
    QTemporaryDir root_;
    QProcess server_, sim_, program_;
};

} // namespace

TEST_F(MonitorEndToEnd, RecentProjectOpenSioConnectsAndCloseAllSaves) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    program_.start(QStringLiteral(ZORL_MON_PATH), {});
    ASSERT_TRUE(program_.waitForStarted(5000));
    window_ = xdo({"search", "--sync", "--name", "^zorl_monitor_nr$"}).section(u'\n', 0, 0);
    ASSERT_FALSE(window_.isEmpty()) << "the main window did not appear";

    // "&File", then the first enabled entry after "Open project": "Recent project".
    pressInMainWindow({"alt+f", "Down", "Return"});
    EXPECT_FALSE(xdo({"search", "--sync", "--name", "^display window1$"}).isEmpty());
    EXPECT_FALSE(xdo({"search", "--sync", "--name", "^parameterisation window1$"}).isEmpty());

    // "Open sio" sits at (16, 16) in the client area above the 19-pixel status bar.
    const QString geometry = xdo({"getwindowgeometry", "--shell", window_});
    int x = 0, y = 0, height = 0;
    for (const QString& line : geometry.split(u'\n')) {
        if (line.startsWith("X="))
            x = line.mid(2).toInt();
        else if (line.startsWith("Y="))
            y = line.mid(2).toInt();
        else if (line.startsWith("HEIGHT="))
            height = line.mid(7).toInt();
    }
    ASSERT_GT(height, 120);
    xdo({"mousemove", QString::number(x + 72), QString::number(y + height - 120 + 36), "click",
         "1"});

    // The connect phase resolves the value windows, which write the catalog
    // the controller's address table and varlist.txt gave.
    const QString catalog = start_ + QStringLiteral("v.txt");
    ASSERT_TRUE(waitFor([&] { return readText(catalog).contains("lastzyklus="); }, 10000))
        << "no connection: " << readText(catalog).toStdString();
    const QString text = readText(catalog);
    EXPECT_TRUE(text.startsWith("n_soll=00400;3000\r\nn_ist=00402;3000\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("drehmoment_nm=00480;1\r\nlastzyklus=00484;100\r\n"))
        << text.toStdString();

    pressInMainWindow({"alt+f", "c"});
    ASSERT_TRUE(program_.waitForFinished(10000)) << "\"&Close all\" did not end the program";
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);

    // Opening recreated windows, so ending saved the project.
    for (const char* name : {"zorl_mon.prj", "complist.txt", "anzeige1.txt", "eingabe1.txt"})
        EXPECT_GT(QFileInfo(project_ + name).lastModified(), before) << name;
    const QString complist = readText(project_ + "complist.txt");
    EXPECT_TRUE(complist.startsWith("#anzeige1;display window1\r\n")) << complist.toStdString();
    EXPECT_TRUE(complist.contains("#eingabe1;parameterisation window1\r\n"));
    EXPECT_TRUE(complist.endsWith("anzform=2\r\neingabeform=2\r\ngrafikform=1\r\n"));
    EXPECT_TRUE(readText(project_ + "zorl_mon.prj").contains("spezfuncname=spezreg.txt\r\n"));
}
