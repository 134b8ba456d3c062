#include "appfixture.h"

#include "app/statusbar.h"
#include "app/windowregistry.h"
#include "common/textfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

QApplication& testApp() {
    static int argc = 1;
    static char name[] = "app_window_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void writeFile(const QString& path, const QStringList& lines) {
    TextFile::writeLines(path, lines);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

FakeWindow::FakeWindow(WindowKind kind, QWidget* owner) : QWidget(owner, Qt::Window), kind_(kind) {
    resize(200, 100);
}

QStringList& FakeWindow::calls() {
    static QStringList list;
    return list;
}

void FakeWindow::resolve() {
    ++resolved;
    calls() << QStringLiteral("resolve ") + objectName();
    if (failResolve)
        throw std::runtime_error("resolve failed");
}

void FakeWindow::readValues() {
    ++read;
    calls() << QStringLiteral("read ") + objectName();
    if (failRead)
        throw std::runtime_error("read failed");
}

void FakeWindow::closeAndStore() {
    ++stored;
    calls() << QStringLiteral("store ") + objectName();
    TextFile::writeLines(folder_ + objectName() + QStringLiteral(".txt"), {windowTitle()});
    hide();
}

AppFixture::AppFixture() {
    testApp();
    FakeWindow::calls().clear();
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QDir::setCurrent(start.path());
    sim = std::make_unique<ctrlsim::PtySimulator>();
    qputenv("KESTRO_COM1", QByteArray::fromStdString(sim->path()));
    dialogs = std::make_unique<ScriptedDialogs>();
    forms = std::make_unique<ProgramForms>();
    main().setBeeper([this] { ++beeps; });
    main().show();
}

AppFixture::~AppFixture() {
    forms.reset();
    dialogs.reset();
    sim.reset();
}

void AppFixture::setController(uint16_t plugCode, std::vector<uint16_t> table, bool on) {
    sim->withController([&](ctrlsim::Controller& c) {
        c.setReg(8, plugCode);
        c.setReg(7, on ? 0x0000 : 0x0020);
        c.setAddressTable(table);
    });
}

void AppFixture::writeProject(const QStringList& keys, const QStringList& complist,
                              const QStringList& varlist) {
    writeFile(projectFolder() + QStringLiteral("zorl_mon.prj"), keys);
    if (!complist.isEmpty())
        writeFile(projectFolder() + QStringLiteral("complist.txt"), complist);
    if (!varlist.isEmpty())
        writeFile(projectFolder() + QStringLiteral("varlist.txt"), varlist);
}

void AppFixture::openProject() {
    dialogs->answerOpenFile(projectFolder() + QStringLiteral("zorl_mon.prj"));
    main().openproject1Click();
}

void AppFixture::useFakeWindows() {
    for (WindowKind kind : {WindowKind::Display, WindowKind::Parameter}) {
        main().registry().setFactory(kind, [kind](Shell&, QWidget* owner) -> WorkingWindow* {
            return new FakeWindow(kind, owner);
        });
    }
}

QString AppFixture::panel(int i) const {
    return main().ui().StatusBar1->panelText(i);
}
