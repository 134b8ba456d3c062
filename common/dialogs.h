#pragma once

#include <QString>

// Every message box and file dialog of the program goes through this seam,
// so tests can answer them without a modal window.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual void message(const QString& text) = 0; // information box
    virtual void warning(const QString& text) = 0;
    // Warning icon, Yes and No; true only on Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // The chosen full path, or empty on cancel. filter is in Qt's form
    // ("*.anz", "Grid files (*.anz)") or "description|pattern|..."
    // ("*.anz|*.anz"); defaultSuffix has no dot.
    virtual QString openFile(const QString& title, const QString& initialFolder,
                             const QString& proposedName, const QString& filter,
                             const QString& defaultSuffix = {}) = 0;
    virtual QString saveFile(const QString& title, const QString& initialFolder,
                             const QString& proposedName, const QString& filter,
                             const QString& defaultSuffix = {}) = 0;
};

// Process-wide; the Qt implementation until setDialogs() installs another.
Dialogs& dialogs();
// nullptr restores the Qt implementation. The caller keeps ownership.
// Returns what was installed before (nullptr for the Qt default).
Dialogs* setDialogs(Dialogs* d);
