#include "values/representation.h"

#include "common/errorreport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

using namespace Representation;

namespace {

struct ReadCase {
    const char* letter;
    int32_t raw;
    const char* scaling;
    int precision;
    const char* text; // nullptr: no text, the cell stays
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.letter << "\" " << c.raw << " \"" << c.scaling << "\" P" << c.precision;
}

class ReadWordTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadWordTest, ConvertsRawWord) {
    const ReadCase& c = GetParam();
    const auto text = readWord(c.letter, c.raw, c.scaling, c.precision);
    if (c.text) {
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, QString::fromUtf8(c.text));
    } else {
        EXPECT_FALSE(text.has_value()) << text->toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadWordTest,
    testing::Values(
        // The signed view keeps 0x8000 positive.
        ReadCase{"D", 32768, "", 7, "32768"}, ReadCase{"D", 32769, "", 7, "-32767"},
        ReadCase{"D", 65535, "", 7, "-1"}, ReadCase{"D", 0, "", 7, "0"},
        ReadCase{"U", 65535, "", 7, "65535"}, ReadCase{"$", 65535, "", 7, "FFFF"},
        ReadCase{"$", 26, "", 7, "001A"}, ReadCase{"#", 65535, "", 7, "1111.1111.1111.1111"},
        ReadCase{"#", 32768, "", 7, "1000.0000.0000.0000"},
        ReadCase{"#", 5, "", 7, "0000.0000.0000.0101"}, ReadCase{"F", 32768, "", 7, "1"},
        ReadCase{"F", 1, "", 7, "3,051758E-5"}, ReadCase{"F", 1, "", 5, "3,0518E-5"},
        ReadCase{"F", 16384, "", 7, "0,5"}, ReadCase{"F", 0, "", 7, "0"},
        ReadCase{"F", 32769, "", 7, "-0,9999695"}, ReadCase{"F", 32769, "", 5, "-0,99997"},
        ReadCase{"N", 16384, "2", 7, "1"}, ReadCase{"N", 16384, " 2,5 ", 7, "1,25"},
        ReadCase{"N", 16384, "abc", 7, nullptr}, ReadCase{"N", 16384, "", 7, nullptr},
        // Whole, case-sensitive letters only; "G" is read as a float.
        ReadCase{"d", 5, "", 7, nullptr}, ReadCase{"", 5, "", 7, nullptr},
        ReadCase{"DD", 5, "", 7, nullptr}, ReadCase{"G", 5, "", 7, nullptr}));

TEST(ReadFloat, UsesGeneralFormat) {
    EXPECT_EQ(readFloat(1.5f, 7), "1,5");
    EXPECT_EQ(readFloat(0.1f, 7), "0,1");
    EXPECT_EQ(readFloat(-3.4028235e38f, 7), "-3,402823E38");
    EXPECT_EQ(readFloat(std::numeric_limits<float>::quiet_NaN(), 7), "NAN");
    EXPECT_EQ(readFloat(std::numeric_limits<float>::infinity(), 7), "INF");
}

struct FormatCase {
    double value;
    int precision;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value << " P" << c.precision;
}

class FormatGeneralTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, Formats) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatGeneral(c.value, c.precision), QString::fromUtf8(c.text)) << c.value;
}

INSTANTIATE_TEST_SUITE_P(Boundaries, FormatGeneralTest,
                         testing::Values(
                             // e = -3 is the smallest fixed exponent, e = -4 goes scientific.
                             FormatCase{0.0001, 7, "0,0001"}, FormatCase{0.000123, 7, "0,000123"},
                             FormatCase{0.00009999, 7, "9,999E-5"},
                             FormatCase{0.00009999999, 5, "0,0001"},
                             // e = P is the largest fixed exponent, P + 1 goes scientific.
                             FormatCase{1234567, 7, "1234567"},
                             FormatCase{12345678, 7, "1,234568E7"}, FormatCase{10000000, 7, "1E7"},
                             FormatCase{9999999.6, 7, "1E7"}, FormatCase{99999, 5, "99999"},
                             FormatCase{123456, 5, "1,2346E5"}, FormatCase{1200000, 7, "1200000"},
                             // Rounding, trailing zeros, sign.
                             FormatCase{123.456, 5, "123,46"}, FormatCase{2.5, 7, "2,5"},
                             FormatCase{100, 7, "100"}, FormatCase{-0.5, 7, "-0,5"},
                             FormatCase{-1.5e10, 7, "-1,5E10"}, FormatCase{0.999999, 5, "1"},
                             FormatCase{0.0, 7, "0"}, FormatCase{-0.0, 7, "0"},
                             // Ties go away from zero.
                             FormatCase{0.125, 2, "0,13"}, FormatCase{-0.125, 2, "-0,13"}));

struct EntryCase {
    const char* letter;
    const char* typed;
    const char* scaling;
    const char* text;
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << '"' << c.letter << "\" \"" << c.typed << "\" \"" << c.scaling << '"';
}

class NormaliseEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(NormaliseEntryTest, Normalises) {
    const EntryCase& c = GetParam();
    EXPECT_EQ(normaliseEntry(c.letter, QString::fromUtf8(c.typed), c.scaling),
              QString::fromUtf8(c.text))
        << c.letter << " " << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NormaliseEntryTest,
    testing::Values(EntryCase{"D", "40000", "", "32767"}, EntryCase{"D", "-40000", "", "-32768"},
                    EntryCase{"D", "abc", "", "0"}, EntryCase{"D", "0.5", "", "0"},
                    EntryCase{"D", "  $10 ", "", "16"}, EntryCase{"U", "-5", "", "0"},
                    EntryCase{"U", "70000", "", "65535"}, EntryCase{"$", "fff", "", "0FFF"},
                    EntryCase{"$", "1a", "", "001A"}, EntryCase{"$", "12345", "", "FFFF"},
                    EntryCase{"$", "-1", "", "0000"},
                    EntryCase{"#", "101", "", "0000.0000.0000.0101"},
                    // Only the last 16 binary digits count.
                    EntryCase{"#", "1.0000.0000.0000.0011", "", "0000.0000.0000.0011"},
                    EntryCase{"F", "0,3", "", "0,29999"}, EntryCase{"F", "2", "", "0,99997"},
                    EntryCase{"F", "0,5", "", "0,5"}, EntryCase{"F", "-1", "", "-1"},
                    EntryCase{"F", "abc", "", "0"}, EntryCase{"G", " 1,5 ", "", "1,5"},
                    EntryCase{"G", "0,1", "", "0,1"}, EntryCase{"G", "1E39", "", "0"},
                    EntryCase{"N", "1", "2", "1"}, EntryCase{"N", "0,3", "abc", "0,29999"},
                    EntryCase{"N", "3", "2,5", "2,4999"},
                    // The first character decides; anything else keeps the text.
                    EntryCase{"Dx", "7", "", "7"}, EntryCase{"x", " 12a ", "", "12a"}));

TEST(NormaliseEntry, ZeroScalingIsAnError) {
    EXPECT_THROW(normaliseEntry("N", "1", "0"), ZorlError);
    EXPECT_THROW(normaliseEntry("N", "1", " 0,0 "), ZorlError);
}

struct SendCase {
    const char* letter;
    const char* typed;
    const char* scaling;
    std::optional<int32_t> word;
};

void PrintTo(const SendCase& c, std::ostream* os) {
    *os << '"' << c.letter << "\" \"" << c.typed << "\" \"" << c.scaling << '"';
}

class SendWordTest : public testing::TestWithParam<SendCase> {};

TEST_P(SendWordTest, Converts) {
    const SendCase& c = GetParam();
    const auto value = sendValue(c.letter, c.typed, c.scaling);
    if (!c.word) {
        EXPECT_FALSE(value.has_value());
        return;
    }
    ASSERT_TRUE(value.has_value());
    ASSERT_TRUE(std::holds_alternative<int32_t>(*value));
    EXPECT_EQ(std::get<int32_t>(*value), *c.word) << c.letter << " " << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SendWordTest,
    testing::Values(SendCase{"F", "0,5", "", 16384}, SendCase{"F", "-1", "", -32768},
                    SendCase{"F", "1", "", 32767}, SendCase{"F", "100000", "", 32767},
                    SendCase{"F", "-1E30", "", -32768}, SendCase{"F", "1E38", "", 32767},
                    SendCase{"F", "0.5", "", std::nullopt},
                    // Products of exactly 2.5, 1.5, 3.5 and -2.5 round to even.
                    SendCase{"F", "0,0000762939453125", "", 2},
                    SendCase{"F", "0,0000457763671875", "", 2},
                    SendCase{"F", "0,0001068115234375", "", 4},
                    SendCase{"F", "-0,0000762939453125", "", -2}, SendCase{"D", "-5", "", -5},
                    SendCase{"D", "40000", "", 32767}, SendCase{"D", " 12 ", "", 12},
                    SendCase{"D", "abc", "", std::nullopt}, SendCase{"D", "", "", std::nullopt},
                    SendCase{"U", "-5", "", 0}, SendCase{"U", "70000", "", 65535},
                    SendCase{"$", "1a", "", 26}, SendCase{"$", "001A", "", 26},
                    SendCase{"$", "xyz", "", std::nullopt},
                    // Bits are not limited.
                    SendCase{"#", "101", "", 5}, SendCase{"#", "11111111111111111", "", 131071},
                    SendCase{"N", "1", "2", 16384}, SendCase{"N", "1", " 0,5 ", 32767},
                    SendCase{"N", "1", "0", std::nullopt}, SendCase{"N", "1", "abc", std::nullopt},
                    SendCase{"N", "abc", "2", std::nullopt},
                    // Float arithmetic: both quotients are exact ties in float, not in double.
                    SendCase{"N", "0,362", "0,67", 17704}, SendCase{"N", "0,293", "0,83", 11568},
                    SendCase{"d", "5", "", std::nullopt}, SendCase{"", "5", "", std::nullopt},
                    SendCase{"Dx", "5", "", std::nullopt}));

TEST(SendValue, FloatRows) {
    const auto v = sendValue("G", " 1,5 ", "");
    ASSERT_TRUE(v.has_value());
    ASSERT_TRUE(std::holds_alternative<float>(*v));
    EXPECT_EQ(std::get<float>(*v), 1.5f);
    EXPECT_EQ(std::get<float>(*sendValue("G", "0,1", "")), 0.1f);
    EXPECT_FALSE(sendValue("G", "abc", "").has_value());
    EXPECT_FALSE(sendValue("G", "1E39", "").has_value());
    EXPECT_EQ(std::get<float>(*sendValue("G", "1E-50", "")), 0.0f);
}

TEST(ParseFraction, AcceptsCommaSyntaxOnly) {
    struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {{"1,5E2", 150},
                 {" 2,5 ", 2.5},
                 {"-0,25", -0.25},
                 {"+,5", 0.5},
                 {"5,", 5},
                 {"1e-3", 0.001},
                 {"1E+2", 100},
                 {"1.5", std::nullopt},
                 {",", std::nullopt},
                 {"1e", std::nullopt},
                 {"e5", std::nullopt},
                 {"", std::nullopt},
                 {"1,5x", std::nullopt},
                 {"1 5", std::nullopt},
                 {"1E400", std::nullopt},
                 {"1E-400", 0.0},
                 {"-1E-400", 0.0},
                 {"1E-99999", 0.0}};
    for (const auto& c : cases)
        EXPECT_EQ(parseFraction(c.text), c.value) << c.text;
}

TEST(ReadBits, IgnoresOtherCharacters) {
    EXPECT_EQ(readBits("0000.0000.0000.0101"), 5);
    EXPECT_EQ(readBits(" 1 0 1 x"), 5);
    EXPECT_EQ(readBits(""), 0);
    // Long texts wrap instead of overflowing; the low bits stay right.
    EXPECT_EQ(readBits(QString(40, '1')) & 0xFFFF, 0xFFFF);
}

TEST(PadForColumn, FillsUpToTenPixelsBeforeTheEdge) {
    const TextWidth sixPerChar = [](const QString& t) { return 6 * static_cast<int>(t.size()); };
    EXPECT_EQ(padForColumn("5", 50, sixPerChar), QString(6, ' ') + "5");
    EXPECT_EQ(padForColumn("12345678", 50, sixPerChar), "12345678");
    EXPECT_EQ(padForColumn("5", 16, sixPerChar), "5");
    EXPECT_EQ(padForColumn("5", 10, sixPerChar), "5");
    EXPECT_EQ(padForColumn("5", 1, sixPerChar), "5");
    // A measure that gives blanks no width must not pad for ever.
    EXPECT_EQ(padForColumn("5", 50, [](const QString&) { return 0; }), "5");
}

TEST(ToolButtons, LettersAndHints) {
    const char* letters[] = {"D", "#", "$", "F", "G", "N", "U"};
    for (int b = 0; b < ToolButtonCount; ++b) {
        EXPECT_EQ(letterOfButton(b), letters[b]);
        EXPECT_EQ(buttonOfLetter(letters[b]), b);
    }
    EXPECT_EQ(buttonOfLetter("d"), -1);
    EXPECT_EQ(buttonHint(WindowKind::Display, 0), "Signed integer");
    EXPECT_EQ(buttonHint(WindowKind::Parameter, 0), "Signed Integer");
    EXPECT_EQ(buttonHint(WindowKind::Display, 5), "Standardized representation with scaling value");
    EXPECT_EQ(buttonHint(WindowKind::Parameter, 5),
              "Standardized representation with standardization value");
    EXPECT_EQ(buttonHint(WindowKind::Parameter, 3), "Standardized representation between +/-1");
}

TEST(ColumnRoles, PerKind) {
    const ColumnRoles d = ColumnRoles::of(WindowKind::Display);
    EXPECT_EQ((std::vector{d.address, d.variable, d.value, d.input, d.yesNo, d.type, d.scaling,
                           d.comment, d.mark}),
              (std::vector{0, 1, 2, -1, -1, 3, 4, 5, 6}));
    const ColumnRoles p = ColumnRoles::of(WindowKind::Parameter);
    EXPECT_EQ((std::vector{p.address, p.variable, p.value, p.input, p.yesNo, p.type, p.scaling,
                           p.comment, p.mark}),
              (std::vector{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Precision::of(WindowKind::Display).readFraction, 7);
    EXPECT_EQ(Precision::of(WindowKind::Parameter).readFraction, 5);
    EXPECT_EQ(Precision::of(WindowKind::Parameter).readFloat, 7);
}

} // namespace
