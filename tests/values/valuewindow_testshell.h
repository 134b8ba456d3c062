#pragma once

#include "common/shell.h"
#include "values/representationicons.h"

#include <QStringList>
#include <optional>

// A stand-in for the main window: records what the value windows ask of it.
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
    QList<QIcon> icons = representationIcons();
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

#include "common/stringgrid.h"

#include <QApplication>
#include <QTest>

// Types into whatever has the focus: the grid, or its editor once open.
inline void typeInto(StringGrid* grid, const QString& text) {
    for (QChar ch : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        if (ch == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (ch == u'\r')
            QTest::keyClick(target, Qt::Key_Return);
        else
            QTest::keyClicks(target, QString(ch));
    }
}

inline QPoint cellCenter(StringGrid* grid, int col, int row) {
    return grid->visualRect(grid->model()->index(row, col)).center();
}
