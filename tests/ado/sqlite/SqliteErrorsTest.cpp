#include <gtest/gtest.h>

#include <sqlite3.h>
#include "Printers.h"

#include "SqliteErrors.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

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
