#pragma once

#include "keyvaluelist.h"

#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

class QWidget;

// What the working windows need from the main window. Tmainform implements
// it; tests give a window a small stand-in.
class Shell {
  public:
    virtual ~Shell() = default;

    // The one port handle of the program; 1..65535 is an opened port.
    virtual int32_t portHandle() const = 0;
    virtual bool portOpen() const = 0;
    virtual uint16_t plugCode() const = 0;
    // Entry i holds the address the controller reported as entry number i + 1.
    virtual const std::array<uint16_t, 256>& addressTable() const = 0;

    // Both end with "/".
    virtual QString startFolder() const = 0;
    virtual QString projectFolder() const = 0;

    virtual KeyValueList& projectKeys() = 0;
    virtual void setProjectModified() = 0;
    // Name (without folder) of the special function register file.
    virtual QString spezFileName() { return projectKeys().valueOr("spezfuncname"); }

    // Window menu, linked to windows by caption.
    virtual void renameWindowEntries(const QString& oldCaption, const QString& newCaption) = 0;
    virtual void removeWindowEntry(const QString& caption) = 0;

    // The change-title dialog: shows it modally with current in its field and
    // returns the field's text when it was left with "accept and close".
    virtual std::optional<QString> askTitle(const QString& current) = 0;

    // The variable catalog (name=address;scaling lines) of the variable list.
    virtual const QStringList& catalog() const = 0;
    // The special function register list's lookup by name (its value).
    virtual std::optional<QString> spezLookup(const QString& name) const = 0;

    // The single-instance list windows.
    virtual void showVarlist() = 0;
    virtual void closeVarlist() = 0;
    virtual void showZuvarlist() = 0;
    virtual void showSpezlist() = 0;

    // The main window itself.
    virtual void focusMain() = 0;
    virtual void closeMain() = 0;

    // The main window's image list: the seven representation images.
    virtual const QList<QIcon>& imageList() const = 0;
};
