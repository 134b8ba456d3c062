#include "app/complist.h"

#include <gtest/gtest.h>

namespace {

QStringList lines(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* l : list)
        out << QString::fromUtf8(l);
    return out;
}

} // namespace

TEST(Complist, SplitsSectionsAtHeadersAfterOtherLines) {
    struct Case {
        const char* what;
        QStringList input;
        QList<QStringList> sections;
    };
    const Case cases[] = {
        {"counters only",
         lines({"anzform=2", "eingabeform=1", "grafikform=1"}),
         {lines({"anzform=2", "eingabeform=1", "grafikform=1"})}},
        {"one window, counters belong to it",
         lines({"#anzeige1;display window1", "left=1", "anzform=2"}),
         {lines({"#anzeige1;display window1", "left=1", "anzform=2"})}},
        {"two windows",
         lines({"#anzeige1;a", "left=1", "#eingabe1;b", "top=2", "anzform=2"}),
         {lines({"#anzeige1;a", "left=1"}), lines({"#eingabe1;b", "top=2", "anzform=2"})}},
        {"headers before any other line stay in the first section",
         lines({"#anzeige1;a", "#anzeige2;b", "left=1", "#eingabe1;c"}),
         {lines({"#anzeige1;a", "#anzeige2;b", "left=1"}), lines({"#eingabe1;c"})}},
        {"an empty line counts as another line",
         lines({"", "#anzeige1;a", "left=1"}),
         {lines({""}), lines({"#anzeige1;a", "left=1"})}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Complist::split(c.input), c.sections) << c.what;
}

TEST(Complist, ParsesHeaderAndGeometry) {
    const auto w = Complist::parseSection(lines(
        {"#anzeige3;my;title", "LEFT=-20", "top=$10", "height=abc", "width=300", "visible=false"}));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->name, QStringLiteral("anzeige3"));
    EXPECT_EQ(w->title, QStringLiteral("my;title"));
    EXPECT_EQ(w->left, -20);
    EXPECT_EQ(w->top, 16);
    EXPECT_FALSE(w->height) << "not integer text leaves the height alone";
    EXPECT_EQ(w->width, 300);
    EXPECT_FALSE(w->visible);

    EXPECT_FALSE(Complist::parseSection(lines({"#anzeige1 without separator", "left=1"})));
    EXPECT_FALSE(Complist::parseSection(lines({"anzform=2", "eingabeform=1"})));
    EXPECT_FALSE(Complist::parseSection({}));
}

TEST(Complist, SectionLinesReadBack) {
    Complist::Window w;
    w.name = QStringLiteral("eingabe2");
    w.title = QStringLiteral("pumps");
    w.left = -4;
    w.top = 30;
    w.height = 296;
    w.width = 564;
    w.visible = false;
    const QStringList written = Complist::sectionLines(w);
    EXPECT_EQ(written, lines({"#eingabe2;pumps", "left=-4", "top=30", "height=296", "width=564",
                              "visible=false"}));
    const auto back = Complist::parseSection(written);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, w.name);
    EXPECT_EQ(back->title, w.title);
    EXPECT_EQ(back->left, w.left);
    EXPECT_EQ(back->height, w.height);
    EXPECT_EQ(back->visible, w.visible);
}

TEST(Complist, AcceptsOnlyKindPrefixAndDigitsAsWindowName) {
    struct Case {
        const char* name;
        std::optional<WindowKind> kind;
    };
    const Case cases[] = {
        {"anzeige1", WindowKind::Display},
        {"eingabe12", WindowKind::Parameter},
        {"grafik007", WindowKind::Graphic},
        {"anzeige", std::nullopt},
        {"Anzeige1", std::nullopt},
        {"xanzeige1", std::nullopt},
        {"anzeige1x", std::nullopt},
        {"anzeige 1", std::nullopt},
        {"anzeige-1", std::nullopt},
        {"../anzeige1", std::nullopt},
        {"anzeige1/../../etc", std::nullopt},
        {"grafikeingabe1", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Complist::kindOfName(QString::fromUtf8(c.name)), c.kind) << c.name;
}

TEST(Complist, CountersFromLastSection) {
    const auto c =
        Complist::counters(lines({"#anzeige1;a", "ANZFORM=4", "eingabeform=x", "grafikform=$3"}));
    EXPECT_EQ(c.display, 4);
    EXPECT_EQ(c.parameter, 1) << "not integer text stays 1";
    EXPECT_EQ(c.graphic, 3);
    const auto none = Complist::counters({});
    EXPECT_EQ(none.display, 1);
    EXPECT_EQ(none.parameter, 1);
    EXPECT_EQ(none.graphic, 1);
    EXPECT_EQ(Complist::counterLines({5, 2, 3}),
              lines({"anzform=5", "eingabeform=2", "grafikform=3"}));
}
