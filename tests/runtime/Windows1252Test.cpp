#include "cheques/runtime/Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(FirstInvalidUtf8, OffsetOfTheFirstByteOutOfPlace) {
    struct Case {
        const char* name;
        QByteArray bytes;
        qsizetype expected;
    };
    const Case cases[] = {
        {"empty", "", -1},
        {"ASCII", "SELECT 1", -1},
        {"two-byte letter",
         "Espa\xC3\xB1"
         "a",
         -1},
        {"three and four bytes", "\xE2\x82\xAC \xF0\x9F\x98\x80", -1},
        {"Windows-1252 letter",
         "Espa\xF1"
         "a",
         4},
        {"lone continuation byte", "a\x80", 1},
        {"sequence cut at the end", "ab\xE2\x82", 2},
        {"overlong slash", "\xC0\xAF", 0},
        {"surrogate", "x\xED\xA0\x80", 1},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"invalid lead byte", "\xFF", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rt::text::FirstInvalidUtf8(c.bytes), c.expected) << c.name;
    }
}

TEST(Windows1252, EveryByteDecodesAndEncodesBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = rt::text::FromWindows1252(all);
    EXPECT_EQ(text.size(), all.size());
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x81], QChar(0x81));
    EXPECT_EQ(text[0xF1], QChar(0xF1));
    EXPECT_EQ(rt::text::ToWindows1252(text), all);
}

TEST(Windows1252, ACharacterTheCodePageLacksGivesNothing) {
    EXPECT_FALSE(rt::text::ToWindows1252(QStringLiteral("a\u2192b")).has_value());
    EXPECT_EQ(rt::text::ToWindows1252(QString::fromUtf8("Año €")), QByteArray("A\xF1o \x80"));
}

}  // namespace
