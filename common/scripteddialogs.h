#pragma once

#include "common/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Dialogs for tests: answers come from queues, every request is recorded.
// An empty queue answers No or cancel, so nothing ever blocks. Installs
// itself with setDialogs() for its lifetime and restores the previous one.
class ScriptedDialogs : public Dialogs {
  public:
    enum class Kind { Message, Warning, YesNo, OpenFile, SaveFile };
    struct Shown {
        Kind kind;
        QString text; // message text, or the title of a file dialog
        QString initialFolder;
        QString proposedName;
        QString filter;
        QString defaultSuffix;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answerYesNo(bool yes) { yesNo_.enqueue(yes); }
    // An empty path answers cancel.
    void answerOpenFile(const QString& path) { openFiles_.enqueue(path); }
    void answerSaveFile(const QString& path) { saveFiles_.enqueue(path); }

    const QList<Shown>& shown() const { return shown_; }
    // Texts of the message, warning and Yes/No boxes in order.
    QStringList texts() const;
    QString lastText() const;
    void clear();

    void message(const QString& text) override;
    void warning(const QString& text) override;
    bool askYesNo(const QString& text) override;
    QString openFile(const QString& title, const QString& initialFolder,
                     const QString& proposedName, const QString& filter,
                     const QString& defaultSuffix = {}) override;
    QString saveFile(const QString& title, const QString& initialFolder,
                     const QString& proposedName, const QString& filter,
                     const QString& defaultSuffix = {}) override;

  private:
    Dialogs* previous_;
    QQueue<bool> yesNo_;
    QQueue<QString> openFiles_;
    QQueue<QString> saveFiles_;
    QList<Shown> shown_;
};
