#include "common/scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs() : previous_(setDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    setDialogs(previous_);
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : shown_) {
        if (s.kind == Kind::Message || s.kind == Kind::Warning || s.kind == Kind::YesNo)
            out.append(s.text);
    }
    return out;
}

QString ScriptedDialogs::lastText() const {
    const QStringList t = texts();
    return t.isEmpty() ? QString() : t.constLast();
}

void ScriptedDialogs::clear() {
    shown_.clear();
    yesNo_.clear();
    openFiles_.clear();
    saveFiles_.clear();
}

void ScriptedDialogs::message(const QString& text) {
    shown_.append({Kind::Message, text, {}, {}, {}, {}});
}

void ScriptedDialogs::warning(const QString& text) {
    shown_.append({Kind::Warning, text, {}, {}, {}, {}});
}

bool ScriptedDialogs::askYesNo(const QString& text) {
    shown_.append({Kind::YesNo, text, {}, {}, {}, {}});
    return yesNo_.isEmpty() ? false : yesNo_.dequeue();
}

QString ScriptedDialogs::openFile(const QString& title, const QString& initialFolder,
                                  const QString& proposedName, const QString& filter,
                                  const QString& defaultSuffix) {
    shown_.append({Kind::OpenFile, title, initialFolder, proposedName, filter, defaultSuffix});
    return openFiles_.isEmpty() ? QString() : openFiles_.dequeue();
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& initialFolder,
                                  const QString& proposedName, const QString& filter,
                                  const QString& defaultSuffix) {
    shown_.append({Kind::SaveFile, title, initialFolder, proposedName, filter, defaultSuffix});
    return saveFiles_.isEmpty() ? QString() : saveFiles_.dequeue();
}
