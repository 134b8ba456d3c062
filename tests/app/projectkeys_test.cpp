#include "app/projectkeys.h"

#include <gtest/gtest.h>

TEST(ProjectKeys, ReadsSettingsFromKeys) {
    struct Case {
        QStringList keys;
        std::optional<int> port, baud;
        bool beep;
    };
    const Case cases[] = {
        {{"comx=3", "baudrate=5", "comxerror=0"}, 3, 5, true},
        {{"COMX=$2", "Baudrate= 1"}, 2, 1, false},
        {{"comx=abc", "baudrate=6", "comxerror=1"}, std::nullopt, std::nullopt, false},
        {{"comx=8", "baudrate=-1", "comxerror=2"}, std::nullopt, std::nullopt, false},
        {{"comx=1", "comx=4", "comxerror=", "comxerror=0"}, 1, std::nullopt, false},
        {{}, std::nullopt, std::nullopt, false},
    };
    for (const Case& c : cases) {
        const auto s = ProjectKeys::read(KeyValueList(c.keys));
        EXPECT_EQ(s.portIndex, c.port) << c.keys.join(u' ').toStdString();
        EXPECT_EQ(s.baudIndex, c.baud) << c.keys.join(u' ').toStdString();
        EXPECT_EQ(s.beep, c.beep) << c.keys.join(u' ').toStdString();
    }
    const auto s = ProjectKeys::read(KeyValueList({"spezfuncname=spezreg.txt", "Focus=anzeige2"}));
    EXPECT_EQ(s.spezFileName, QStringLiteral("spezreg.txt"));
    EXPECT_EQ(s.focusWindow, QStringLiteral("anzeige2"));
}

TEST(ProjectKeys, WritesPositionsInPlace) {
    KeyValueList keys({"x=1", "comxerror=1", "y=2"});
    ProjectKeys::setBeep(keys, true);
    ProjectKeys::setPortIndex(keys, 2);
    ProjectKeys::setBaudIndex(keys, 5);
    ProjectKeys::setPortIndex(keys, 3);
    EXPECT_EQ(keys.lines(), QStringList({"x=1", "comxerror=0", "y=2", "comx=3", "baudrate=5"}));
}

TEST(ProjectKeys, ShortensLeadingFolders) {
    const auto width = [](const QString& s) { return int(s.size()); };
    const QString folder = QStringLiteral("/home/user/projects/demo/");
    struct Case {
        int max;
        const char* text;
    };
    const Case cases[] = {
        {100, "/home/user/projects/demo/"},
        {25, "/home/user/projects/demo/"},
        {24, "/.../user/projects/demo/"},
        {19, "/.../projects/demo/"},
        {18, "/.../demo/"},
        {3, "/.../demo/"}, // the last folder always stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProjectKeys::shortenFolder(folder, c.max, width), QString::fromUtf8(c.text))
            << c.max;
    EXPECT_EQ(ProjectKeys::shortenFolder(QStringLiteral("/"), 0, width), QStringLiteral("/"));
}

TEST(ProjectKeys, FolderOfProjectFile) {
    EXPECT_EQ(ProjectKeys::folderOf(QStringLiteral("/tmp/p/zorl_mon.prj")),
              QStringLiteral("/tmp/p/"));
    EXPECT_EQ(ProjectKeys::folderOf(QStringLiteral("/zorl_mon.prj")), QStringLiteral("/"));
    EXPECT_EQ(ProjectKeys::folderOf(QString()), QStringLiteral("/"));
    EXPECT_EQ(ProjectKeys::folderOf(QStringLiteral("zorl_mon.prj")), QStringLiteral("/"));
}
