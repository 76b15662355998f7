#include <gtest/gtest.h>

#include <QStringList>

#include "Printers.h"
#include "SqliteDialect.h"

namespace {

using Kind = ado::BatchStatement::Kind;

struct SplitCase {
    const char* name;
    const char* batch;
    // One entry a statement: its kind letter (S statement, N no effect, B begin, C commit,
    // R rollback, G GO), "@", its line, ":" and its text.
    QStringList expected;
};

QString Letter(Kind kind) {
    switch (kind) {
        case Kind::Sql:
            return QStringLiteral("S");
        case Kind::NoEffect:
            return QStringLiteral("N");
        case Kind::BeginTransaction:
            return QStringLiteral("B");
        case Kind::CommitTransaction:
            return QStringLiteral("C");
        case Kind::RollbackTransaction:
            return QStringLiteral("R");
        case Kind::BatchSeparator:
            return QStringLiteral("G");
    }
    return QStringLiteral("?");
}

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.batch;
}

class SplitBatchTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitBatchTest, CutsWhereSqlServerDoes) {
    QStringList got;
    for (const ado::BatchStatement& statement :
         ado::SplitBatch(QString::fromUtf8(GetParam().batch))) {
        got << QStringLiteral("%1@%2:%3")
                   .arg(Letter(statement.kind))
                   .arg(statement.line)
                   .arg(statement.text);
    }
    EXPECT_EQ(got.join(QStringLiteral("  |  ")), GetParam().expected.join(QStringLiteral("  |  ")));
}

const SplitCase kSplitCases[] = {
    {"Semicolons",
     "INSERT INTO T VALUES (1); INSERT INTO T VALUES (2);",
     {"S@1:INSERT INTO T VALUES (1)", "S@1:INSERT INTO T VALUES (2)"}},
    {"LineBreaksAlone",
     "INSERT INTO T VALUES (1)\r\nINSERT INTO T VALUES (2)\r\n\r\nUPDATE T SET A = 3\r\n",
     {"S@1:INSERT INTO T VALUES (1)", "S@2:INSERT INTO T VALUES (2)", "S@4:UPDATE T SET A = 3"}},
    {"OneLineWithoutSemicolons", "SELECT 1 SELECT 2", {"S@1:SELECT 1", "S@1:SELECT 2"}},
    {"InsertFromSelectStaysWhole",
     "INSERT INTO T (A)\nSELECT B FROM U\nUNION ALL\nSELECT C FROM W\nSELECT 1",
     {"S@1:INSERT INTO T (A)\nSELECT B FROM U\nUNION ALL\nSELECT C FROM W", "S@5:SELECT 1"}},
    {"InsertValuesThenSelect",
     "INSERT INTO T (A) VALUES (1)\nSELECT A FROM T",
     {"S@1:INSERT INTO T (A) VALUES (1)", "S@2:SELECT A FROM T"}},
    {"ViewAsSelect",
     "CREATE VIEW V AS\nSELECT A FROM T WHERE A IN (SELECT B FROM U)",
     {"S@1:CREATE VIEW V AS\nSELECT A FROM T WHERE A IN (SELECT B FROM U)"}},
    {"UpdateSetThenSetOption",
     "UPDATE T\nSET A = 1\nWHERE B = 2\nSET NOCOUNT OFF",
     {"S@1:UPDATE T\nSET A = 1\nWHERE B = 2", "N@4:SET NOCOUNT OFF"}},
    {"ForeignKeyActions",
     "CREATE TABLE T (A int REFERENCES U (A) ON DELETE CASCADE ON UPDATE SET NULL)\n"
     "DELETE FROM T",
     {"S@1:CREATE TABLE T (A int REFERENCES U (A) ON DELETE CASCADE ON UPDATE SET NULL)",
      "S@2:DELETE FROM T"}},
    {"AlterTableActions",
     "ALTER TABLE T DROP COLUMN A\nDROP TABLE U\nALTER TABLE W ADD B int",
     {"S@1:ALTER TABLE T DROP COLUMN A", "S@2:DROP TABLE U", "S@3:ALTER TABLE W ADD B int"}},
    {"TriggerBodyHoldsItsStatements",
     "CREATE TRIGGER TR AFTER INSERT ON T BEGIN UPDATE U SET N = N + 1; DELETE FROM W; END\n"
     "INSERT INTO T VALUES (1)",
     {"S@1:CREATE TRIGGER TR AFTER INSERT ON T BEGIN UPDATE U SET N = N + 1; DELETE FROM W; "
      "END",
      "S@2:INSERT INTO T VALUES (1)"}},
    {"TransactionWords",
     "BEGIN TRAN\nCOMMIT TRAN\nBEGIN TRANSACTION T1\nROLLBACK TRANSACTION T1\nBEGIN\nCOMMIT\n"
     "BEGIN EXCLUSIVE\nROLLBACK\nCOMMIT WORK\nEND TRANSACTION",
     {"B@1:BEGIN TRAN", "C@2:COMMIT TRAN", "B@3:BEGIN TRANSACTION T1",
      "R@4:ROLLBACK TRANSACTION T1", "B@5:BEGIN", "C@6:COMMIT", "B@7:BEGIN EXCLUSIVE",
      "R@8:ROLLBACK", "C@9:COMMIT WORK", "C@10:END TRANSACTION"}},
    {"RollbackToASavepointIsAStatement",
     "ROLLBACK TO SAVEPOINT P",
     {"S@1:ROLLBACK TO SAVEPOINT P"}},
    {"SessionOptions",
     "SET NOCOUNT ON\nSET ANSI_NULLS OFF\nSET IDENTITY_INSERT dbo.T ON\n"
     "SET TRANSACTION ISOLATION LEVEL READ COMMITTED\nSET @X = 1",
     {"N@1:SET NOCOUNT ON", "N@2:SET ANSI_NULLS OFF", "N@3:SET IDENTITY_INSERT dbo.T ON",
      "N@4:SET TRANSACTION ISOLATION LEVEL READ COMMITTED", "S@5:SET @X = 1"}},
    {"LiteralsNamesAndCommentsHideWords",
     "INSERT INTO T VALUES ('x; DELETE FROM T') -- SELECT 2\n/* INSERT INTO U */ UPDATE T SET "
     "[SELECT] = 1",
     {"S@1:INSERT INTO T VALUES ('x; DELETE FROM T')", "S@2:UPDATE T SET [SELECT] = 1"}},
    {"CaseEndInsideAStatement",
     "SELECT CASE WHEN A = 1 THEN 'x' END FROM T\nSELECT 2",
     {"S@1:SELECT CASE WHEN A = 1 THEN 'x' END FROM T", "S@2:SELECT 2"}},
    {"CommonTableExpression",
     "WITH X AS (SELECT 1 AS A)\nSELECT A FROM X\nSELECT 2",
     {"S@1:WITH X AS (SELECT 1 AS A)\nSELECT A FROM X", "S@3:SELECT 2"}},
    {"TableHintIsNotACommonTable",
     "SELECT A FROM T WITH (NOLOCK)\nSELECT 2",
     {"S@1:SELECT A FROM T WITH (NOLOCK)", "S@2:SELECT 2"}},
    {"GoAloneOnItsLine",
     "INSERT INTO T VALUES (1)\nGO\nINSERT INTO T VALUES (2)\n  go 2\n",
     {"S@1:INSERT INTO T VALUES (1)", "G@2:GO", "S@3:INSERT INTO T VALUES (2)", "G@4:go"}},
    {"GoWithinALineIsAName", "SELECT A AS GO FROM T", {"S@1:SELECT A AS GO FROM T"}},
    {"LinesCountInCommentsLiteralsAndTabs",
     "SELECT 'a\nb' /* c\nd */\t\r\n\t-- e\n\tGO\nSELECT 2 -- f\nGO 3 \n\n  SELECT 3",
     {"S@1:SELECT 'a\nb'", "G@5:GO", "S@6:SELECT 2", "G@7:GO", "S@9:SELECT 3"}},
    {"CommonTableAfterAStatement",
     "SELECT 1\nWITH X (A) AS (SELECT 2)\nSELECT A FROM X",
     {"S@1:SELECT 1", "S@2:WITH X (A) AS (SELECT 2)\nSELECT A FROM X"}},
    {"OnlyBlanksAndComments", "  -- nothing\n/* here */ ;; \n", {}},
    {"IfGuardIsAStatementOfItsOwn",
     "IF NOT EXISTS (SELECT 1 FROM T) CREATE TABLE T (A int)\nCREATE TABLE IF NOT EXISTS U (A int)",
     {"S@1:IF NOT EXISTS (SELECT 1 FROM T)", "S@1:CREATE TABLE T (A int)",
      "S@2:CREATE TABLE IF NOT EXISTS U (A int)"}},
    {"ReplaceStatementsAndFunction",
     "INSERT OR REPLACE INTO T VALUES (1)\nREPLACE INTO T VALUES (2)\nUPDATE T SET A = "
     "REPLACE(A, 'x', 'y')",
     {"S@1:INSERT OR REPLACE INTO T VALUES (1)", "S@2:REPLACE INTO T VALUES (2)",
      "S@3:UPDATE T SET A = REPLACE(A, 'x', 'y')"}},
};

INSTANTIATE_TEST_SUITE_P(Batches, SplitBatchTest, ::testing::ValuesIn(kSplitCases), CaseName());

}  // namespace
