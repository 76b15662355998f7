#include <gtest/gtest.h>

#include "Printers.h"
#include "SqlTokens.h"

namespace {

using ado::Keyword;

struct KeywordCase {
    const char* name;
    const char16_t* word;
    Keyword expected;
};

class KeywordOfTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(KeywordOfTest, FindsKeywordsInAnyCaseAndNothingElse) {
    EXPECT_EQ(ado::KeywordOf(QStringView(GetParam().word)), GetParam().expected);
}

const KeywordCase kKeywordCases[] = {
    {"UpperCase", u"SELECT", Keyword::Select},
    {"LowerCase", u"insert", Keyword::Insert},
    {"MixedCase", u"Current_Timestamp", Keyword::CurrentTimestamp},
    {"OneLetter", u"n", Keyword::UnicodePrefix},
    {"AtSigns", u"@@identity", Keyword::AtAtIdentity},
    {"LongestHint", u"ReadCommittedLock", Keyword::TableHint},
    {"SameEndsAndLengthAsAKeyword", u"SALECT", Keyword::None},
    {"KeywordWithALetterMore", u"SELECTS", Keyword::None},
    {"KeywordWithALetterLess", u"SELEC", Keyword::None},
    {"NameOfATable", u"MOVIMIENTOS", Keyword::None},
    {"AccentedLetter", u"SELÉCT", Keyword::None},
    {"LetterPastAscii", u"ñ", Keyword::None},
    {"Empty", u"", Keyword::None},
    {"LongerThanAnyKeyword", u"CURRENT_TIMESTAMP_OF_THE_SERVER", Keyword::None},
};

INSTANTIATE_TEST_SUITE_P(Words, KeywordOfTest, ::testing::ValuesIn(kKeywordCases), CaseName());

}  // namespace
