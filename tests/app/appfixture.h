#pragma once

// A running program for window tests: the real windows, the real library,
// the in-process controller on com1, scripted dialogs, and temporary start
// folder, project folder and settings store.

#include "app/programforms.h"
#include "app/tmainform.h"
#include "common/scripteddialogs.h"
#include "common/workingwindow.h"
#include "sim/ptysim.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <vector>

#include <ostream>

class QApplication;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

QApplication& testApp();

// Writes lines with CR LF endings.
void writeFile(const QString& path, const QStringList& lines);
QByteArray fileBytes(const QString& path);

// A working window that records what the main window asks of it.
class FakeWindow : public QWidget, public WorkingWindow {
  public:
    FakeWindow(WindowKind kind, QWidget* owner);
    WindowKind kind() const override { return kind_; }
    QWidget* widget() override { return this; }
    void setWindowFolder(const QString& folder) override { folder_ = folder; }
    QString windowFolder() const override { return folder_; }
    void setLocked(bool locked) override { locked_ = locked; }
    bool locked() const override { return locked_; }
    void resolve() override;
    void readValues() override;
    void closeAndStore() override;

    int resolved = 0;
    int read = 0;
    int stored = 0;
    // Set by the test to make the next call throw.
    bool failResolve = false;
    bool failRead = false;

    // Every call of every fake window in order, e.g. "resolve anzeige1".
    static QStringList& calls();

  private:
    WindowKind kind_;
    QString folder_;
    bool locked_ = false;
};

class AppFixture {
  public:
    AppFixture();
    ~AppFixture();

    Tmainform& main() const { return forms->mainform(); }
    // The project folder, ending in "/".
    QString projectFolder() const { return project.path() + QStringLiteral("/"); }
    QString startFolder() const { return start.path() + QStringLiteral("/"); }

    // A controller with this plug code and address table.
    void setController(uint16_t plugCode, std::vector<uint16_t> table, bool on = true);

    void writeProject(const QStringList& keys, const QStringList& complist,
                      const QStringList& varlist = {});
    // "Open project" answered with the project file.
    void openProject();
    // Fake windows for the display and parameter kinds.
    void useFakeWindows();
    QString panel(int i) const;

    QTemporaryDir config;
    QTemporaryDir start;
    QTemporaryDir project;
    std::unique_ptr<ctrlsim::PtySimulator> sim;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<ProgramForms> forms;
    int beeps = 0;
};
