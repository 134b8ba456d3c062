#pragma once

#include "common/shell.h"

#include <QStringList>

// A stand-in for the main window with just the state the list windows read.
class CatalogsTestShell : public Shell {
  public:
    QString project;
    KeyValueList keys;
    std::array<uint16_t, 256> table{};
    QStringList calls;
    QList<QIcon> icons;
    QStringList emptyCatalog;

    int32_t portHandle() const override { return 0; }
    bool portOpen() const override { return false; }
    uint16_t plugCode() const override { return 0; }
    const std::array<uint16_t, 256>& addressTable() const override { return table; }
    QString startFolder() const override { return project; }
    QString projectFolder() const override { return project; }
    KeyValueList& projectKeys() override { return keys; }
    void setProjectModified() override {}
    void renameWindowEntries(const QString&, const QString&) override {}
    void removeWindowEntry(const QString&) override {}
    std::optional<QString> askTitle(const QString&) override { return std::nullopt; }
    const QStringList& catalog() const override { return emptyCatalog; }
    std::optional<QString> spezLookup(const QString&) const override { return std::nullopt; }
    void showVarlist() override { calls << "showVarlist"; }
    void closeVarlist() override { calls << "closeVarlist"; }
    void showZuvarlist() override { calls << "showZuvarlist"; }
    void showSpezlist() override { calls << "showSpezlist"; }
    void focusMain() override {}
    void closeMain() override {}
    const QList<QIcon>& imageList() const override { return icons; }
};
