#include <gtest/gtest.h>

#include <sqlite3.h>
#include "Printers.h"

#include "ProviderErrors.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

struct StateCase {
    const char* name;
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
                         ::testing::ValuesIn(std::vector<StateCase>{
                             StateCase{"State_42000", "42000", rt::err::ProviderSyntax},
                             StateCase{"State_42S22", "42S22", rt::err::ProviderSyntax},
                             StateCase{"State_37000", "37000", rt::err::ProviderSyntax},
                             StateCase{"State_42S02", "42S02", rt::err::ProviderNoTable},
                             StateCase{"State_S0002", "S0002", rt::err::ProviderNoTable},
                             // PostgreSQL's own states for a missing table and a cancelled
                             // statement.
                             StateCase{"State_42P01", "42P01", rt::err::ProviderNoTable},
                             StateCase{"State_42703", "42703", rt::err::ProviderSyntax},
                             StateCase{"State_57014", "57014", rt::err::ProviderTimeout},
                             StateCase{"State_57P01", "57P01", rt::err::ProviderUnspecified},
                             StateCase{"State_23000", "23000", rt::err::ProviderIntegrity},
                             StateCase{"State_23505", "23505", rt::err::ProviderIntegrity},
                             StateCase{"State_HYT00", "HYT00", rt::err::ProviderTimeout},
                             StateCase{"State_hyt01", "hyt01", rt::err::ProviderTimeout},
                             StateCase{"State_S1T00", "S1T00", rt::err::ProviderTimeout},
                             StateCase{"State_08001", "08001", rt::err::ProviderUnspecified},
                             StateCase{"State_IM002", "IM002", rt::err::ProviderUnspecified},
                             StateCase{"State_HY000", "HY000", rt::err::ProviderUnspecified},
                             StateCase{"State_Empty", "", rt::err::ProviderUnspecified}}),
                         CaseName());

struct SqliteCase {
    const char* name;
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
    ::testing::ValuesIn(std::vector<SqliteCase>{
        SqliteCase{"SyntaxError", SQLITE_ERROR, "near \"SELEC\": syntax error",
                   rt::err::ProviderSyntax, "42000"},
        SqliteCase{"NoSuchColumn", SQLITE_ERROR, "no such column: x", rt::err::ProviderSyntax,
                   "42S22"},
        SqliteCase{"NoSuchTable", SQLITE_ERROR, "no such table: t", rt::err::ProviderNoTable,
                   "42S02"},
        SqliteCase{"UniqueConstraint", SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed: t.a",
                   rt::err::ProviderIntegrity, "23000"},
        SqliteCase{"ForeignKey", SQLITE_CONSTRAINT_FOREIGNKEY, "FOREIGN KEY constraint failed",
                   rt::err::ProviderIntegrity, "23000"},
        SqliteCase{"Busy", SQLITE_BUSY, "database is locked", rt::err::ProviderTimeout, "HYT00"},
        SqliteCase{"SharedCacheLocked", SQLITE_LOCKED_SHAREDCACHE, "database table is locked",
                   rt::err::ProviderTimeout, "HYT00"},
        SqliteCase{"CannotOpen", SQLITE_CANTOPEN, "unable to open database file",
                   rt::err::ProviderUnspecified, "08001"},
        SqliteCase{"ReadOnly", SQLITE_READONLY, "attempt to write a readonly database",
                   rt::err::ProviderUnspecified, "HY000"}}),
    CaseName());

}  // namespace
