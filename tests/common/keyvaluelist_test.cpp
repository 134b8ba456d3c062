#include "common/keyvaluelist.h"

#include <gtest/gtest.h>

TEST(KeyValueList, LookupIgnoresCaseAndFirstMatchWins) {
    const KeyValueList keys({"Port=com1", "baud=9600", "PORT=com2", "no equals", "=empty key"});
    EXPECT_EQ(keys.indexOf("port"), 0);
    EXPECT_EQ(keys.value("PORT"), QString("com1"));
    EXPECT_EQ(keys.value("Baud"), QString("9600"));
    EXPECT_EQ(keys.value("no equals"), QString()); // a line without "=" is its own key
    EXPECT_EQ(keys.value(""), QString("empty key"));
    EXPECT_FALSE(keys.value("missing").has_value());
    EXPECT_EQ(keys.valueOr("missing", "x"), "x");
}

TEST(KeyValueList, SetReplacesInPlaceOrAppends) {
    KeyValueList keys({"a=1", "focus=anzeige1", "b=2", "FOCUS=old"});
    keys.set("Focus", "anzeige2");
    keys.set("new", "v=w");
    EXPECT_EQ(keys.lines(), QStringList({"a=1", "Focus=anzeige2", "b=2", "FOCUS=old", "new=v=w"}));
    EXPECT_EQ(keys.value("new"), QString("v=w")); // value is everything after the first "="
}

TEST(KeyValueList, SplitsAtFirstEquals) {
    EXPECT_EQ(KeyValueList::keyOf("speed=a=b"), "speed");
    EXPECT_EQ(KeyValueList::valueOf("speed=a=b"), "a=b");
    EXPECT_EQ(KeyValueList::keyOf("plain"), "plain");
    EXPECT_EQ(KeyValueList::valueOf("plain"), "");
}
