#include "cheques/runtime/Text.h"

#include <gtest/gtest.h>

namespace text = rt::text;

TEST(Text, InStrIgnoresCaseAndCountsFromOne) {
    struct Case {
        const char* hay;
        const char* needle;
        int start;
        int expected;
    };
    const Case cases[] = {
        {"Select * From X", "FROM", 1, 10},
        {"abcabc", "BC", 1, 2},
        {"abcabc", "bc", 3, 5},
        {"abc", "x", 1, 0},
        {"abc", "", 2, 2},
        {"", "a", 1, 0},
        {"abc", "a", 9, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::InStr(c.hay, c.needle, c.start), c.expected) << c.hay << " / " << c.needle;
    }
    EXPECT_EQ(text::InStrRev("a\\b\\c", "\\"), 4);
    EXPECT_TRUE(text::Contains("un ORACLE cualquiera", "oracle"));
}

TEST(Text, ReplaceAllIgnoresCase) {
    EXPECT_EQ(text::ReplaceAll("x @Admin_T, @ADMIN_U", "@admin_", ""), "x T, U");
    EXPECT_EQ(text::ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(text::ReplaceAll("abc", "", "z"), "abc");
}

TEST(Text, UCaseKeepsTheLength) {
    EXPECT_EQ(text::UCase(QStringLiteral("Straße ñandú")), QStringLiteral("STRAßE ÑANDÚ"));
    EXPECT_EQ(text::UCase(QString::fromUcs4(U"\U00010428x")), QString::fromUcs4(U"\U00010400X"));
    EXPECT_EQ(text::UCase(QString()), QString());
}

TEST(Text, TrimOnlyRemovesSpaces) {
    EXPECT_EQ(text::Trim("  a b  "), "a b");
    EXPECT_EQ(text::Trim("\ta "), "\ta");
    EXPECT_EQ(text::LTrim("  a "), "a ");
    EXPECT_EQ(text::RTrim("  a "), "  a");
    EXPECT_EQ(text::TrimView(u"  a b \t "), u"a b \t");
    EXPECT_EQ(text::TrimView(u"   "), u"");
}

TEST(Text, ValReadsTheLeadingNumber) {
    struct Case {
        const char* in;
        double out;
    };
    const Case cases[] = {
        {"0012", 12},    {"12abc", 12}, {"", 0},      {"abc", 0},     {" 1 2 3", 123},
        {"-3.5x", -3.5}, {"1,5", 1},    {"&H1F", 31}, {"&o17", 15},   {"2e3", 2000},
        {"2e", 2},       {".5", 0.5},   {"+7", 7},    {"1.2.3", 1.2},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(text::Val(c.in), c.out) << c.in;
    }
}

TEST(Text, NumbersAndDatesFollowTheLocale) {
    EXPECT_EQ(text::NumberToText(1234.5, 7), "1234,5");
    EXPECT_EQ(text::NumberToText(-360), "-360");
    EXPECT_EQ(text::TextToNumber("1234,5"), 1234.5);
    EXPECT_EQ(text::TextToNumber("abc"), std::nullopt);
    EXPECT_EQ(text::TextToNumber(""), std::nullopt);
    EXPECT_TRUE(text::ShortDateFormat().contains("yyyy"));
    EXPECT_EQ(text::TextToDate(text::ShortDate(QDate(2024, 2, 29))), QDate(2024, 2, 29));
    EXPECT_EQ(text::TextToDate("31/12/99"), QDate(1999, 12, 31));
    EXPECT_EQ(text::TextToDate("1/1/29"), QDate(2029, 1, 1));
    EXPECT_EQ(text::TextToDate("31/02/2024"), std::nullopt);
}
