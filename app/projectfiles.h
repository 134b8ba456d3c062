#pragma once

#include "common/keyvaluelist.h"

#include <QString>

class WindowRegistry;

// The files of the open project: the key list saved as zorl_mon.prj, the
// window list complist.txt, and the last project's file name in the
// per-user settings store.
class ProjectFiles {
  public:
    explicit ProjectFiles(WindowRegistry& registry);

    static constexpr const char* projectFileName = "zorl_mon.prj";
    static constexpr const char* windowListName = "complist.txt";

    // Ends with "/".
    QString folder() const { return folder_; }
    void setFolder(const QString& folder) { folder_ = folder; }

    KeyValueList& keys() { return keys_; }
    const KeyValueList& keys() const { return keys_; }

    bool modified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    // Whether a project was opened or created in this run and not closed
    // since. Only then does saving write into the project folder: before,
    // the folder names the recent project (or "/"), which must stay as it is.
    bool active() const { return active_; }
    void setActive(bool active) { active_ = active; }

    // Registry value "filename": the full path of the last project file.
    static QString recentFileName();
    static void setRecentFileName(const QString& fileName);

    // Clears the key list and reads it from fileName; throws on a read error
    // (the list stays empty then).
    void loadKeys(const QString& fileName);

    // Recreates the windows of the folder's complist.txt and sets the
    // counters. Throws when the file cannot be read or holds no line.
    void loadComplist();

    // When modified in an active project: writes zorl_mon.prj, clears the
    // key list, then writes complist.txt and closes every working window.
    // Returns whether it saved.
    bool saveIfModified();

    // Creates or overwrites fileName as a project file of one empty line.
    static void createProjectFile(const QString& fileName);

  private:
    void saveComplist();

    WindowRegistry& registry_;
    QString folder_ = QStringLiteral("/");
    KeyValueList keys_;
    bool modified_ = false;
    bool active_ = false;
};
