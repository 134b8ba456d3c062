#pragma once

#include "common/keyvaluelist.h"

#include <QString>
#include <functional>
#include <optional>

// What a project's key list (zorl_mon.prj) sets when the project is opened.
class ProjectKeys {
  public:
    static constexpr int portCount = 8; // "com1" to "com8"
    static constexpr int baudCount = 6; // "9600" to "115200"

    struct Settings {
        std::optional<int> portIndex; // unset: the port box keeps its selection
        std::optional<int> baudIndex; // unset: the baud box keeps its selection
        QString spezFileName;
        QString focusWindow;
        bool beep = false; // "comxerror=0" only
    };

    // A list position that is not integer text, or lies outside the list,
    // leaves that selection as it was.
    static Settings read(const KeyValueList& keys);

    static void setPortIndex(KeyValueList& keys, int index);
    static void setBaudIndex(KeyValueList& keys, int index);
    static void setBeep(KeyValueList& keys, bool beep);
    static void setSpezFileName(KeyValueList& keys, const QString& name);

    // Shortens a folder ending in "/" to maxWidth by replacing its leading
    // folders with "..." ("/.../c/d/"), keeping at least the last one.
    static QString shortenFolder(const QString& folder, int maxWidth,
                                 const std::function<int(const QString&)>& width);

    // The project folder of a project file name: its directory and "/"
    // (just "/" when the name has none).
    static QString folderOf(const QString& fileName);
};
