#include <gtest/gtest.h>

#include <QStringList>

#include "CommandLine.h"
#include "ConnectionOptions.h"
#include "Printers.h"

namespace {

// What a command line with --conn, the opening options and one flag of its own reads.
struct ReadCase {
    const char* name;
    QStringList args;  // after the command
    std::optional<QString> conn;
    bool ask;
    QStringList positional;
};

class CommandLineReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CommandLineReads, OptionsValuesAndArguments) {
    tools::CommandLine line;
    tools::ConnectionOptions connection;
    connection.AddConnectionString(line);
    connection.AddOpening(line);
    ASSERT_TRUE(line.Parse(QStringList{"cmd"} + GetParam().args)) << line.ErrorText().toStdString();
    connection.Read(line);
    EXPECT_EQ(connection.Conn(), GetParam().conn);
    EXPECT_EQ(connection.Ask(), GetParam().ask);
    EXPECT_EQ(line.Positional(), GetParam().positional);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineReads,
    ::testing::Values(
        ReadCase{"Nothing", {}, std::nullopt, false, {}},
        ReadCase{"ValueApart", {"--conn", "a=1;b", "T"}, "a=1;b", false, {"T"}},
        ReadCase{"ValueJoined", {"T", "--conn=a=1", "--ask"}, "a=1", true, {"T"}},
        ReadCase{"LastValueWins", {"--conn", "a", "--conn", "b"}, "b", false, {}},
        ReadCase{"ValueWithOneDash", {"--conn", "-x", "-5", "-"}, "-x", false, {"-5", "-"}},
        ReadCase{"JoinedValueWithOneDash", {"--conn=-x"}, "-x", false, {}},
        ReadCase{"EndOfOptions", {"--", "--ask", "-5"}, std::nullopt, false, {"--ask", "-5"}},
        ReadCase{"OptionsAfterArguments", {"T", "-1", "--ask"}, std::nullopt, true, {"T", "-1"}}),
    CaseName());

struct ErrorCase {
    const char* name;
    QStringList args;
};

class CommandLineRefuses : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CommandLineRefuses, WithAReason) {
    tools::CommandLine line;
    tools::ConnectionOptions connection;
    connection.AddConnectionString(line);
    EXPECT_FALSE(line.Parse(QStringList{"cmd"} + GetParam().args));
    EXPECT_FALSE(line.ErrorText().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineRefuses,
                         ::testing::Values(ErrorCase{"UnknownOption", {"--bogus"}},
                                           ErrorCase{"OptionNotAdded", {"--ask"}},
                                           ErrorCase{"MissingValue", {"T", "--conn"}},
                                           ErrorCase{"ValueGivenToAFlag", {"--help=1"}}),
                         CaseName());

// An option that was never added reads as not given, without the parser's complaint.
TEST(CommandLine, AnOptionNotAddedIsNotSet) {
    tools::CommandLine line;
    tools::ConnectionOptions connection;
    connection.AddConnectionString(line);
    ASSERT_TRUE(line.Parse({"cmd", "--conn", "x"}));
    connection.Read(line);
    EXPECT_FALSE(connection.Ask());
    EXPECT_EQ(connection.Conn(), "x");
}

struct NameCase {
    const char* name;
    const char* value;  // UTF-8
    bool isName;
};

class IdentifierArguments : public ::testing::TestWithParam<NameCase> {};

TEST_P(IdentifierArguments, OnlyNamesPass) {
    const std::optional<QString> problem =
        tools::NotAnIdentifier(QStringLiteral("TABLE"), QString::fromUtf8(GetParam().value));
    EXPECT_EQ(!problem.has_value(), GetParam().isName);
    if (problem) {
        EXPECT_TRUE(problem->startsWith("TABLE ")) << "names the argument";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentifierArguments,
    ::testing::Values(
        NameCase{"Plain", "MA_CLIENTES", true}, NameCase{"SignsAndDigits", "#tmp@1$x", true},
        NameCase{"AccentedLetters", "A\xC3\xB1o_Contable", true},
        NameCase{"CombiningAccent", "Ano\xCC\x81", true},
        NameCase{"Greek", "\xCE\xA4\xCE\xB1\xCE\xB2", true},
        NameCase{"Dotted", "dbo.MA_CLIENTES", true}, NameCase{"Bracketed", "[Mi Tabla]", true},
        NameCase{"BracketedParts", "[Base Uno].dbo.[Cuentas (2024)]", true},
        NameCase{"EscapedBracket", "[a]]; DELETE FROM T; --]", true}, NameCase{"Empty", "", false},
        NameCase{"Blank", " ", false}, NameCase{"TrailingBlank", "T ", false},
        NameCase{"Statement", "T; DELETE FROM T; --", false}, NameCase{"Comment", "T--", false},
        NameCase{"Condition", "T WHERE 1=1", false}, NameCase{"Parenthesis", "(SELECT 1)", false},
        NameCase{"Quote", "T'", false}, NameCase{"AfterABracket", "[T]; DELETE FROM T", false},
        NameCase{"QuoteInBrackets", "[T\"]; DELETE FROM T; --]", false},
        NameCase{"BracketInBrackets", "[a[b; DELETE FROM T; --]", false},
        NameCase{"UnclosedBracket", "[T", false}, NameCase{"EmptyBrackets", "[]", false},
        NameCase{"LineFeedInBrackets", "[a\nb]", false}, NameCase{"EmptyPart", "dbo..T", false},
        NameCase{"TrailingDot", "T.", false}, NameCase{"LeadingDot", ".T", false},
        NameCase{"LineFeed", "T\nDELETE FROM T", false}),
    CaseName());

TEST(ConnectionOptions, UsageLinesOfTheOpeningOptions) {
    EXPECT_EQ(
        tools::ConnectionOptions().OpeningUsage(),
        "  --ask                 shows \"Control de Acceso\", filled from --conn, before opening\n"
        "  --user NAME           user for the administrator look-up (turns the look-up on)\n"
        "  --no-admin-check      no administrator look-up (the default without --user)\n"
        "  --password-file FILE  the password, read from FILE (else CHEQUES_PASSWORD)\n"
        "  --password-stdin      the password, read from standard input's first line\n");
}

}  // namespace
