#pragma once

#include "common/workingwindow.h"

#include <QString>

// The naming scheme of working windows: with number n a window is captioned
// captionPrefix + n, named namePrefix + n, and listed in the Window menu by
// an entry named "menu" + its name.
class WindowNames {
  public:
    static QString captionPrefix(WindowKind kind);
    static QString namePrefix(WindowKind kind);
    static QString counterKey(WindowKind kind);
    static QString entryName(const QString& windowName) {
        return QStringLiteral("menu") + windowName;
    }
    // The window an entry stands for: its name without "menu".
    static QString windowOfEntry(const QString& entryName) { return entryName.mid(4); }
};
