#include <gtest/gtest.h>

#include "Printers.h"

#include "cheques/ado/ConnectionString.h"
#include "cheques/ado/Enums.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using ado::ProviderKind;

TEST(ParseConnectionString, TrimsKeywordsAndReadsQuotedAndBracedValues) {
    const auto pairs = ado::ParseConnectionString(
        QStringLiteral("PROVIDER=SQLOLEDB;Database =db1; Pwd=\"a;b\"\"c\";Driver={My {x}} drv};x"));
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0].first, "PROVIDER");
    EXPECT_EQ(pairs[1], std::make_pair(QStringLiteral("Database"), QStringLiteral("db1")));
    EXPECT_EQ(pairs[2].second, "a;b\"c");
    EXPECT_EQ(pairs[3].second, "My {x} drv");
}

TEST(ParseConnectionString, ValueLooksUpKeywordsIgnoringCase) {
    const QString cs = QStringLiteral("provider=SQLite;data source=/tmp/a b.db");
    EXPECT_EQ(ado::ConnectionStringValue(cs, QStringLiteral("Data Source")), "/tmp/a b.db");
    EXPECT_TRUE(ado::ConnectionStringValue(cs, QStringLiteral("Password")).isNull());
}

struct Translation {
    const char* name;
    const char* connectionString;
    const char* user;
    const char* password;
    ProviderKind kind;
    const char* expected;  // ODBC string, or the database path for SQLite
};

class TranslateConnectionStringTest : public ::testing::TestWithParam<Translation> {};

TEST_P(TranslateConnectionStringTest, BuildsTheProviderTarget) {
    const Translation& t = GetParam();
    const ado::ConnectionTarget target =
        ado::TranslateConnectionString(QString::fromUtf8(t.connectionString),
                                       QString::fromUtf8(t.user), QString::fromUtf8(t.password));
    EXPECT_EQ(target.kind, t.kind);
    const QString actual = t.kind == ProviderKind::Sqlite ? target.databasePath : target.odbcString;
    EXPECT_EQ(actual, QString::fromUtf8(t.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Providers, TranslateConnectionStringTest,
    ::testing::ValuesIn(std::vector<Translation>{
        Translation{"SqliteFile", "Provider=SQLite;Data Source=/data/cheques.db", "", "",
                    ProviderKind::Sqlite, "/data/cheques.db"},
        Translation{"SqliteKeywordsInAnyCase", "provider=sqlite;DATA SOURCE = C:\\x y\\a.db ;", "",
                    "", ProviderKind::Sqlite, "C:\\x y\\a.db"},
        // The string the connection opening writes for SQL Server.
        Translation{"SqlServerAsTheOpeningWritesIt",
                    "PROVIDER=SQLOLEDB;Server=srv1;Database =ventas;UId=sa;Pwd=s3cret;", "", "",
                    ProviderKind::SqlServer,
                    "Driver=FreeTDS;Server=srv1;Database=ventas;UID=sa;PWD=s3cret;"},
        Translation{"SqlServerWithPortAndCatalog",
                    "Provider=SQLOLEDB.1;Data Source=10.0.0.5,1450;Initial Catalog=db;"
                    "User ID=u;Password=p;Persist Security Info=False;TDS_Version=7.4",
                    "", "", ProviderKind::SqlServer,
                    "Driver=FreeTDS;Server=10.0.0.5;Port=1450;Database=db;UID=u;PWD=p;"
                    "TDS_Version=7.4;"},
        // A Driver attribute among the extended ones chooses the ODBC driver.
        Translation{"SqlServerDriverAmongTheExtendedOnes",
                    "PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;Pwd=p;Driver={ODBC Driver 18 "
                    "for SQL Server};Encrypt=no",
                    "", "", ProviderKind::SqlServer,
                    "Driver=ODBC Driver 18 for SQL Server;Server=s;Database=d;UID=u;PWD=p;"
                    "Encrypt=no;"},
        // User and password given to Open take the place of those in the string.
        Translation{"UserAndPasswordOfOpen", "Provider=SQLOLEDB;Server=s;UId=old;Pwd=old", "new",
                    "p;w", ProviderKind::SqlServer, "Driver=FreeTDS;Server=s;UID=new;PWD={p;w};"},
        // The string the connection opening writes for Oracle: the data source is the service.
        Translation{"OracleAsTheOpeningWritesIt",
                    "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=;", "", "",
                    ProviderKind::Oracle, "Driver=Oracle;DBQ=ORCL;UID=scott;PWD=;"},
        Translation{"DsnAsItIs", "DSN=ventas;UID=u;PWD=p", "", "", ProviderKind::Odbc,
                    "DSN=ventas;UID=u;PWD=p"},
        Translation{"DriverAsItIs", "Driver={SQLite3};Database=/tmp/x.db", "", "",
                    ProviderKind::Odbc, "Driver={SQLite3};Database=/tmp/x.db"},
        Translation{"DsnWithTheUserOfOpen", "DSN=ventas;UID=u;PWD=p", "v", "", ProviderKind::Odbc,
                    "DSN=ventas;PWD=p;UID=v;"},
        Translation{"MsdasqlExtendedProperties",
                    "Provider=MSDASQL;Extended Properties=\"DSN=x;UID=y\"", "", "",
                    ProviderKind::Odbc, "DSN=x;UID=y"},
        // MSDASQL passes its other attributes on to the driver, as the opening writes them.
        Translation{"MsdasqlAttributesReachTheDriver",
                    "PROVIDER=MSDASQL;Server=127.0.0.1;Database =ventas;UId=sa;Pwd={a;b};"
                    "Driver={PostgreSQL Unicode};Port=5433;Extended Properties=\"Timeout=3\"",
                    "", "", ProviderKind::Odbc,
                    "Server=127.0.0.1;Database=ventas;UId=sa;Pwd={a;b};Driver=PostgreSQL "
                    "Unicode;Port=5433;Timeout=3"},
        Translation{"EmptyString", "", "", "", ProviderKind::Odbc, ""},
    }),
    CaseName());

TEST(TranslateConnectionString, OdbcDriverNamesAreConfigurable) {
    ado::OdbcDrivers drivers;
    drivers.sqlServer = QStringLiteral("ODBC Driver 17 for SQL Server");
    drivers.oracle = QStringLiteral("Oracle 19 ODBC driver");
    EXPECT_EQ(ado::TranslateConnectionString(QStringLiteral("Provider=SQLOLEDB;Server=s"), {}, {},
                                             drivers)
                  .odbcString,
              "Driver=ODBC Driver 17 for SQL Server;Server=s;UID=;PWD=;");
    EXPECT_EQ(ado::TranslateConnectionString(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data "
                                                            "Source=XE;User Id=a;Password=b"),
                                             {}, {}, drivers)
                  .odbcString,
              "Driver=Oracle 19 ODBC driver;DBQ=XE;UID=a;PWD=b;");
}

TEST(TranslateConnectionString, ReadsTheLoginTimeout) {
    EXPECT_EQ(ado::TranslateConnectionString(
                  QStringLiteral("Provider=SQLOLEDB;Server=s;Connect Timeout=3"))
                  .loginTimeout,
              3);
    EXPECT_EQ(
        ado::TranslateConnectionString(QStringLiteral("Provider=SQLOLEDB;Server=s")).loginTimeout,
        -1);
}

TEST(TranslateConnectionString, UnknownProviderRaises3706) {
    try {
        ado::TranslateConnectionString(
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data "
                           "Source=x.mdb"));
        FAIL() << "no error raised";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), ado::err::ProviderNotFound);
    }
}

TEST(MaskPassword, HidesEveryPasswordValue) {
    EXPECT_EQ(ado::MaskPassword(QStringLiteral("PROVIDER=SQLOLEDB;UId=sa;Pwd=s3cret;")),
              "PROVIDER=SQLOLEDB;UId=sa;Pwd=***;");
    EXPECT_EQ(ado::MaskPassword(QStringLiteral("Password={a;b};User Id=x;password = 'q'")),
              "Password=***;User Id=x;password = ***");
    const QString masked = ado::MaskPassword(
        QStringLiteral("Provider=MSDASQL;Extended Properties=\"DSN=x;PWD=hidden\""));
    EXPECT_FALSE(masked.contains(QLatin1String("hidden"))) << masked.toStdString();
}

TEST(QuoteOdbcValue, BracesValuesThatWouldEndTheAttribute) {
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral("plain")), "plain");
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral("a;b")), "{a;b}");
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral("a}b")), "{a}}b}");
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral(" pad")), "{ pad}");
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral("'ab'cd")), "{'ab'cd}");
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral("\"q\"x")), "{\"q\"x}");
    EXPECT_EQ(ado::QuoteOdbcValue(QStringLiteral("in'side")), "in'side");
}

// What the translation builds reads back with every value as given, and masking it hides the
// whole password, whatever characters the password holds.
TEST(TranslateConnectionString, BuiltValuesReadBackWholeAndMaskWhole) {
    struct Case {
        const char* name;
        const char* password;
        const char* tell;  // a piece of the password that must not show once masked
    };
    const Case cases[] = {
        {"plain", "s3cret", "s3cret"},
        {"starts with a single quote (found by fuzzing)", "'ab'cd", "cd"},
        {"starts with a double quote", "\"ab\"cd", "cd"},
        {"only quotes", "''", "''"},
        {"semicolon", "a;b", ";b"},
        {"braces", "{x}y}", "y}"},
        {"blank at the ends", " pq ", "pq"},
        {"quote inside", "o'k", "o'k"},
    };
    for (const Case& c : cases) {
        const QString password = QString::fromUtf8(c.password);
        for (const char* provider : {"SQLOLEDB", "OraOLEDB.Oracle.1", "MSDASQL"}) {
            const QString cs = QStringLiteral("Provider=") + QLatin1String(provider) +
                               QStringLiteral(";Extended Properties=\"DSN=d\";Data Source=s");
            const QString odbc =
                ado::TranslateConnectionString(cs, QStringLiteral("u"), password).odbcString;
            EXPECT_EQ(ado::ConnectionStringValue(odbc, QStringLiteral("PWD")), password)
                << c.name << " " << provider << " " << odbc.toStdString();
            EXPECT_EQ(ado::ConnectionStringValue(odbc, QStringLiteral("UID")), "u") << c.name;
            const QString masked = ado::MaskPassword(odbc);
            EXPECT_EQ(ado::ConnectionStringValue(masked, QStringLiteral("PWD")), "***")
                << c.name << " " << masked.toStdString();
            EXPECT_FALSE(masked.contains(QString::fromUtf8(c.tell)))
                << c.name << " " << masked.toStdString();
        }
    }
}

// Text after a closing quote up to the ";" is hidden with the value it follows.
TEST(MaskPassword, HidesWhatFollowsAClosingQuote) {
    EXPECT_EQ(ado::MaskPassword(QStringLiteral("UID=u;PWD='ab'cd;X=1")), "UID=u;PWD=***;X=1");
    EXPECT_EQ(ado::MaskPassword(QStringLiteral("Password=\"a\" tail")), "Password=***");
}

}  // namespace
