#include <gtest/gtest.h>

#include "ado/SqliteDialect.h"

namespace {

struct Rewrite {
    const char* input;
    const char* expected;
};

void PrintTo(const Rewrite& r, std::ostream* os) {
    *os << r.input;
}

class ToSqliteDialectTest : public ::testing::TestWithParam<Rewrite> {};

TEST_P(ToSqliteDialectTest, Rewrites) {
    EXPECT_EQ(ado::ToSqliteDialect(QString::fromUtf8(GetParam().input)).toStdString(),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SqlServerForms, ToSqliteDialectTest,
    ::testing::Values(
        Rewrite{"SELECT TOP 10 * FROM T ORDER BY A", "SELECT * FROM T ORDER BY A LIMIT 10"},
        Rewrite{"select distinct top 5 a from t;", "select distinct a from t LIMIT 5;"},
        Rewrite{"SELECT TOP (3) a FROM t -- first ones\n",
                "SELECT a FROM t LIMIT 3 -- first ones\n"},
        Rewrite{"SELECT a FROM t WHERE b IN (SELECT TOP 1 b FROM u ORDER BY c) AND d = 1",
                "SELECT a FROM t WHERE b IN (SELECT b FROM u ORDER BY c LIMIT 1) AND d = 1"},
        Rewrite{"SELECT TOP 100 PERCENT a FROM t", "SELECT a FROM t"},
        Rewrite{"SELECT TOP 2 a FROM t; SELECT TOP 3 b FROM u",
                "SELECT a FROM t LIMIT 2; SELECT b FROM u LIMIT 3"},
        Rewrite{"SELECT ISNULL(a, 0), x ISNULL FROM t", "SELECT IFNULL(a, 0), x ISNULL FROM t"},
        Rewrite{"SELECT * FROM dbo.MA_CUENTAS, [dbo].[T X] WHERE dbo.MA_CUENTAS.a = 1",
                "SELECT * FROM MA_CUENTAS, [T X] WHERE MA_CUENTAS.a = 1"},
        Rewrite{"INSERT INTO t VALUES (N'Peña', 'n''x')", "INSERT INTO t VALUES ('Peña', 'n''x')"},
        // Literals, quoted names and comments are left alone.
        Rewrite{"SELECT 'TOP 5 dbo.x ISNULL(' AS [ISNULL(], \"dbo\".t /* SELECT TOP 1 */ FROM t",
                "SELECT 'TOP 5 dbo.x ISNULL(' AS [ISNULL(], \"dbo\".t /* SELECT TOP 1 */ FROM t"},
        Rewrite{"CREATE TABLE dbo.T (ID int PRIMARY KEY, NOMBRE varchar(40) NOT NULL, "
                "IMPORTE decimal(12,2), OBS text, C char(3) COLLATE BINARY, "
                "CONSTRAINT U UNIQUE (NOMBRE))",
                "CREATE TABLE T (ID int PRIMARY KEY, NOMBRE varchar(40) COLLATE NOCASE NOT NULL, "
                "IMPORTE decimal(12,2), OBS text COLLATE NOCASE, C char(3) COLLATE BINARY, "
                "CONSTRAINT U UNIQUE (NOMBRE))"},
        Rewrite{"ALTER TABLE dbo.T ADD OBS2 nvarchar(max) Null  CONSTRAINT DF_T_OBS2 DEFAULT ('')",
                "ALTER TABLE T ADD OBS2 nvarchar(max) COLLATE NOCASE Null  CONSTRAINT DF_T_OBS2 "
                "DEFAULT ('')"},
        Rewrite{"ALTER TABLE T ADD CANT INT Null  CONSTRAINT DF_T_CANT DEFAULT (0)",
                "ALTER TABLE T ADD CANT INT Null  CONSTRAINT DF_T_CANT DEFAULT (0)"},
        Rewrite{"UPDATE t SET a = LEN(b) WHERE CHARINDEX('x', b) > 0",
                "UPDATE t SET a = LEN(b) WHERE CHARINDEX('x', b) > 0"}));

TEST(RewriteTop, LeavesFormsItCannotExpressAlone) {
    EXPECT_EQ(ado::RewriteTop(QStringLiteral("SELECT TOP 10 PERCENT a FROM t")),
              "SELECT TOP 10 PERCENT a FROM t");
    EXPECT_EQ(ado::RewriteTop(QStringLiteral("SELECT TOP 5 WITH TIES a FROM t ORDER BY a")),
              "SELECT TOP 5 WITH TIES a FROM t ORDER BY a");
    EXPECT_EQ(ado::RewriteTop(QStringLiteral("SELECT TOPE FROM t")), "SELECT TOPE FROM t");
}

TEST(RemoveOwnerPrefix, KeepsThreePartNames) {
    EXPECT_EQ(ado::RemoveOwnerPrefix(QStringLiteral("SELECT * FROM otra.dbo.t")),
              "SELECT * FROM otra.dbo.t");
    EXPECT_EQ(ado::RemoveOwnerPrefix(QStringLiteral("SELECT dbo FROM t")), "SELECT dbo FROM t");
}

TEST(RewriteUnicodeLiterals, OnlyThePrefixLetter) {
    EXPECT_EQ(ado::RewriteUnicodeLiterals(QStringLiteral("SELECT N'a', n'b', IN'c', N 'd'")),
              "SELECT 'a', 'b', IN'c', N 'd'");
}

}  // namespace
