#include "common/inttext.h"

#include <gtest/gtest.h>

TEST(IntText, Table) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"123", 123},
        {"   42", 42},
        {"+7", 7},
        {"-7", -7},
        {"  -15", -15},
        {"$1F", 31},
        {"$001a0", 0x1A0},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0XfF", 255},
        {"-$10", -16},
        {"+0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", INT32_MIN},
        {"007", 7},
        {"0", 0},
        // refused
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},
        {"$FFFFFFFF", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"12 ", std::nullopt},
        {"12a", std::nullopt},
        {"1,5", std::nullopt},
        {"- 5", std::nullopt},
        {"$-5", std::nullopt},
        {"+-5", std::nullopt},
        {"0x1G", std::nullopt},
        {"\t5", std::nullopt},
        {"1e3", std::nullopt},
        {"٣", std::nullopt}, // a non-ASCII digit
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseIntText(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

TEST(IntText, FallbackAndHex) {
    EXPECT_EQ(parseIntTextOr("x", 9), 9);
    EXPECT_EQ(parseIntTextOr(" 3", 9), 3);
    EXPECT_EQ(hexText(0x1A0, 5), "001A0");
    EXPECT_EQ(hexText(0xabcdef, 2), "ABCDEF");
    EXPECT_EQ(hexText(0, 4), "0000");
    EXPECT_EQ(hexText(0xFFFFFFFFu, 1), "FFFFFFFF");
}
