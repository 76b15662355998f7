#include <gtest/gtest.h>

#include <sqlite3.h>
#include "Printers.h"

#include "ado/ProviderErrors.h"
#include "runtime/RuntimeError.h"

namespace {

struct StateCase {
    const char* sqlState;
    int32_t number;
};

class SqlStateMappingTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(SqlStateMappingTest, MapsTheClassToTheProviderNumber) {
    EXPECT_EQ(ado::ErrorNumberForSqlState(QString::fromUtf8(GetParam().sqlState)),
              GetParam().number)
        << GetParam().sqlState;
}

INSTANTIATE_TEST_SUITE_P(OdbcStates, SqlStateMappingTest,
                         ::testing::Values(StateCase{"42000", rt::err::ProviderSyntax},
                                           StateCase{"42S22", rt::err::ProviderSyntax},
                                           StateCase{"37000", rt::err::ProviderSyntax},
                                           StateCase{"42S02", rt::err::ProviderNoTable},
                                           StateCase{"S0002", rt::err::ProviderNoTable},
                                           StateCase{"23000", rt::err::ProviderIntegrity},
                                           StateCase{"23505", rt::err::ProviderIntegrity},
                                           StateCase{"HYT00", rt::err::ProviderTimeout},
                                           StateCase{"hyt01", rt::err::ProviderTimeout},
                                           StateCase{"S1T00", rt::err::ProviderTimeout},
                                           StateCase{"08001", rt::err::ProviderUnspecified},
                                           StateCase{"IM002", rt::err::ProviderUnspecified},
                                           StateCase{"HY000", rt::err::ProviderUnspecified},
                                           StateCase{"", rt::err::ProviderUnspecified}));

struct SqliteCase {
    int code;
    const char* message;
    int32_t number;
    const char* sqlState;
};

class SqliteMappingTest : public ::testing::TestWithParam<SqliteCase> {};

TEST_P(SqliteMappingTest, MapsCodeAndMessage) {
    const SqliteCase& c = GetParam();
    const QString message = QString::fromUtf8(c.message);
    EXPECT_EQ(ado::ErrorNumberForSqlite(c.code, message), c.number) << c.message;
    EXPECT_EQ(ado::SqlStateForSqlite(c.code, message), QString::fromUtf8(c.sqlState)) << c.message;
}

INSTANTIATE_TEST_SUITE_P(
    SqliteCodes, SqliteMappingTest,
    ::testing::Values(
        SqliteCase{SQLITE_ERROR, "near \"SELEC\": syntax error", rt::err::ProviderSyntax, "42000"},
        SqliteCase{SQLITE_ERROR, "no such column: x", rt::err::ProviderSyntax, "42S22"},
        SqliteCase{SQLITE_ERROR, "no such table: t", rt::err::ProviderNoTable, "42S02"},
        SqliteCase{SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed: t.a",
                   rt::err::ProviderIntegrity, "23000"},
        SqliteCase{SQLITE_CONSTRAINT_FOREIGNKEY, "FOREIGN KEY constraint failed",
                   rt::err::ProviderIntegrity, "23000"},
        SqliteCase{SQLITE_BUSY, "database is locked", rt::err::ProviderTimeout, "HYT00"},
        SqliteCase{SQLITE_LOCKED_SHAREDCACHE, "database table is locked", rt::err::ProviderTimeout,
                   "HYT00"},
        SqliteCase{SQLITE_CANTOPEN, "unable to open database file", rt::err::ProviderUnspecified,
                   "08001"},
        SqliteCase{SQLITE_READONLY, "attempt to write a readonly database",
                   rt::err::ProviderUnspecified, "HY000"}));

}  // namespace
