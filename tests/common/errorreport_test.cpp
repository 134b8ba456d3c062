#include "common/errorreport.h"
#include "common/scripteddialogs.h"

#include <gtest/gtest.h>

TEST(ErrorReport, GuardedShowsTheTextAndEndsTheHandler) {
    ScriptedDialogs dlg;
    int reached = 0;
    EXPECT_FALSE(guarded([&] {
        ++reached;
        throw ZorlError("Cannot write file \"/p/anzeige1.txt\"");
        ++reached;
    }));
    EXPECT_EQ(reached, 1);
    EXPECT_FALSE(guarded([] { throw std::out_of_range("index"); }));
    EXPECT_TRUE(guarded([&] { ++reached; }));
    EXPECT_EQ(reached, 2);
    EXPECT_EQ(dlg.texts(), QStringList({"Cannot write file \"/p/anzeige1.txt\"", "index"}));
    EXPECT_EQ(dlg.shown()[0].kind, ScriptedDialogs::Kind::Message);
}

TEST(ScriptedDialogs, AnswersFromQueuesAndDefaultsToNoOrCancel) {
    ScriptedDialogs dlg;
    EXPECT_EQ(&dialogs(), &dlg);
    dlg.answerYesNo(true);
    dlg.answerOpenFile("/p/a.anz");
    EXPECT_TRUE(dialogs().askYesNo("Do you really want to remove the window?"));
    EXPECT_FALSE(dialogs().askYesNo("again?")); // queue empty: No
    EXPECT_EQ(dialogs().openFile("Open", "/p/", "", "*.anz", "anz"), "/p/a.anz");
    EXPECT_EQ(dialogs().openFile("Open", "/p/", "", "*.anz"), ""); // cancel
    EXPECT_EQ(dialogs().saveFile("Save", "/q/", "x.ein", "*.ein", "ein"), "");
    dialogs().warning("careful");

    ASSERT_EQ(dlg.shown().size(), 6);
    EXPECT_EQ(dlg.shown()[2].kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(dlg.shown()[2].initialFolder, "/p/");
    EXPECT_EQ(dlg.shown()[2].filter, "*.anz");
    EXPECT_EQ(dlg.shown()[2].defaultSuffix, "anz");
    EXPECT_EQ(dlg.shown()[4].proposedName, "x.ein");
    EXPECT_EQ(dlg.texts(),
              QStringList({"Do you really want to remove the window?", "again?", "careful"}));
    EXPECT_EQ(dlg.lastText(), "careful");
}

TEST(ScriptedDialogs, NestedInstancesRestoreTheOuterOne) {
    ScriptedDialogs outer;
    {
        ScriptedDialogs inner;
        dialogs().message("inner");
    }
    dialogs().message("outer");
    EXPECT_EQ(outer.texts(), QStringList{"outer"});
}
