#pragma once

#include "common/shell.h"

#include <QStringList>
#include <optional>

// A stand-in for the main window in window tests: plain state to set, and a
// record of what the window asked of it.
class TestShell : public Shell {
  public:
    int32_t handle = 0;
    QString start;
    QString project;
    KeyValueList keys;
    int modified = 0;
    QStringList windowMenu; // captions of the Window menu entries, in order
    std::optional<QString> titleAnswer;
    QString titleAsked;
    QStringList catalogLines;
    QList<QPair<QString, QString>> spez;
    QStringList calls; // showVarlist, closeVarlist, ...
    QList<QIcon> icons;
    std::array<uint16_t, 256> table{};

    int32_t portHandle() const override { return handle; }
    bool portOpen() const override { return handle > 0; }
    uint16_t plugCode() const override { return 0; }
    const std::array<uint16_t, 256>& addressTable() const override { return table; }
    QString startFolder() const override { return start; }
    QString projectFolder() const override { return project; }
    KeyValueList& projectKeys() override { return keys; }
    void setProjectModified() override { ++modified; }
    void renameWindowEntries(const QString& oldCaption, const QString& newCaption) override {
        for (QString& c : windowMenu)
            if (c == oldCaption)
                c = newCaption;
    }
    void removeWindowEntry(const QString& caption) override {
        const qsizetype i = windowMenu.indexOf(caption);
        if (i >= 0)
            windowMenu.removeAt(i);
    }
    std::optional<QString> askTitle(const QString& current) override {
        titleAsked = current;
        return titleAnswer;
    }
    const QStringList& catalog() const override { return catalogLines; }
    std::optional<QString> spezLookup(const QString& name) const override {
        for (const auto& [n, v] : spez)
            if (n.compare(name, Qt::CaseInsensitive) == 0)
                return v;
        return std::nullopt;
    }
    void showVarlist() override { calls << "showVarlist"; }
    void closeVarlist() override { calls << "closeVarlist"; }
    void showZuvarlist() override { calls << "showZuvarlist"; }
    void showSpezlist() override { calls << "showSpezlist"; }
    void focusMain() override { calls << "focusMain"; }
    void closeMain() override { calls << "closeMain"; }
    const QList<QIcon>& imageList() const override { return icons; }
};
