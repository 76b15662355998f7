#include <gtest/gtest.h>

#include <QStringList>
#include <limits>

#include "Printers.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using dbtest::SqliteDb;

// A component on an SQLite database whose file name holds ORACLE: every statement of
// EjecutaConsultaSQL goes through the script executor and the Oracle rewrite.
class ScriptExecutorTest : public ::testing::Test {
  protected:
    ScriptExecutorTest() : db(QStringLiteral("ORACLE.db")) {
        db.Exec(QStringLiteral("CREATE TABLE T (A int, B varchar(20))"));
    }
    void SetUp() override { db.OpenOn(component); }

    // Runs a script; returns what is left of it.
    QString Run(const QString& script, int32_t* affected = nullptr) {
        QString text = script;
        component.EjecutaConsultaSQL(text, affected);
        return text;
    }

    QStringList Values() const {
        return db.Column(QStringLiteral("SELECT A FROM T ORDER BY rowid"));
    }

    SqliteDb db;
    db::DB_Dll component;
    ScriptedDialogs dialogs;
};

TEST_F(ScriptExecutorTest, TransactionScriptExample) {
    int32_t affected = 0;
    const QString rest = Run(QStringLiteral("BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1, 'x')\r\n"
                                            "GO\r\nUPDATE T SET A = 2\r\nCOMMIT TRANSACTION"),
                             &affected);
    EXPECT_EQ(rest, "");
    EXPECT_EQ(affected, 2);
    EXPECT_FALSE(component.gCnn()->InTransaction());
    // Committed (seen from another connection), and upper-cased by the rewrite.
    EXPECT_EQ(Values(), QStringList{"2"});
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT B FROM T")).ToText(), "X");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ScriptExecutorTest, BeginWithoutCommitLeavesTheTransactionOpen) {
    Run(QStringLiteral("BEGIN TRANS\r\nINSERT INTO T (A) VALUES (1)"));
    EXPECT_TRUE(component.gCnn()->InTransaction());
    EXPECT_TRUE(Values().isEmpty());  // not yet visible to others
    Run(QStringLiteral("COMMIT TRANS"));
    EXPECT_FALSE(component.gCnn()->InTransaction());
    EXPECT_EQ(Values(), QStringList{"1"});
}

TEST_F(ScriptExecutorTest, RollbackStatementRollsBack) {
    Run(QStringLiteral("BEGIN TRANSACTION INSERT INTO T (A) VALUES (1) ROLLBACK TRANSACTION"));
    EXPECT_FALSE(component.gCnn()->InTransaction());
    EXPECT_TRUE(Values().isEmpty());
}

TEST_F(ScriptExecutorTest, CountIsAddedToTheCallersCounter) {
    int32_t affected = 5;
    Run(QStringLiteral("INSERT INTO T (A) VALUES (1)\r\nINSERT INTO T (A) VALUES (2)"), &affected);
    EXPECT_EQ(affected, 7);
    EXPECT_EQ(Values(), QStringList({"1", "2"}));
}

TEST_F(ScriptExecutorTest, StatementsThatChangeNoRowsAddNothing) {
    int32_t affected = 0;
    Run(QStringLiteral("CREATE TABLE U (A int) INSERT INTO U VALUES (1) DROP TABLE U "
                       "INSERT INTO T (A) VALUES (3)"),
        &affected);
    EXPECT_EQ(affected, 2);
    EXPECT_EQ(Values(), QStringList{"3"});
}

TEST_F(ScriptExecutorTest, CounterPastItsRangeRaisesOverflow) {
    int32_t affected = std::numeric_limits<int32_t>::max();
    Run(QStringLiteral("INSERT INTO T (A) VALUES (1)"), &affected);
    EXPECT_EQ(affected, std::numeric_limits<int32_t>::max());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Aviso al operador!!!");
    EXPECT_EQ(dialogs.boxes[0].prompt, rt::RuntimeError::StandardDescription(rt::err::Overflow));
}

TEST_F(ScriptExecutorTest, WithoutACounterTheStatementsStillRun) {
    EXPECT_EQ(Run(QStringLiteral("INSERT INTO T (A) VALUES (1) INSERT INTO T (A) VALUES (2)")), "");
    EXPECT_EQ(Values(), QStringList({"1", "2"}));
}

TEST_F(ScriptExecutorTest, SelectOnlyScriptExecutesNothingAndKeepsTheNormalisedText) {
    db.Exec(QStringLiteral("INSERT INTO T (A) VALUES (1)"));
    int32_t affected = 3;
    EXPECT_EQ(Run(QStringLiteral("SET NOCOUNT ON\r\nSELECT * FROM T\r\nGO\r\nSELECT 1"), &affected),
              " SELECT * FROM T SELECT 1");
    EXPECT_EQ(affected, 3);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ScriptExecutorTest, IfNotExistsGuardIsDroppedAndTheCreateRuns) {
    Run(QStringLiteral("IF NOT EXISTS (SELECT 1 FROM X) CREATE TABLE NUEVA (A int)"));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'NUEVA'"))
                  .ToLong(),
              1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ScriptExecutorTest, IfExistsGuardIsRejectedAndEndsTheScript) {
    int32_t affected = 0;
    const QString rest = Run(QStringLiteral("INSERT INTO T (A) VALUES (1) IF EXISTS (SELECT 1) "
                                            "INSERT INTO T (A) VALUES (2)"),
                             &affected);
    EXPECT_EQ(rest, "IF EXISTS (SELECT 1) INSERT INTO T (A) VALUES (2)");
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(Values(), QStringList{"1"});
    EXPECT_TRUE(dialogs.boxes.empty());  // a syntax error passes silently
    EXPECT_EQ(component.gCnn()->Errors().Item(0).Number(), rt::err::ProviderSyntax);
}

TEST_F(ScriptExecutorTest, KeywordInsideALiteralIsData) {
    int32_t affected = 0;
    EXPECT_EQ(Run(QStringLiteral("INSERT INTO T (A, B) VALUES (1, 'DROP X')"), &affected), "");
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT B FROM T")).ToText(), "DROP X");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Scripts a fuzzing run found mishandled, and their neighbours: what each leaves in the table
// (column B, upper-cased by the rewrite) and in the counter.
TEST_F(ScriptExecutorTest, LiteralsWordsAndLineEnds) {
    struct Case {
        const char* name;
        const char* script;
        QStringList rows;
        int32_t affected;
    };
    const Case cases[] = {
        {"a literal keeps its go (found by fuzzing)",
         "INSERT INTO T (A, B) VALUES (1, 'ready to go now')\r\n",
         {"READY TO GO NOW"},
         1},
        {"SET and NOCOUNT ON on lines of their own (found by fuzzing)",
         "INSERT INTO T (A, B) VALUES (1, 'x')\r\nSET\r\nNOCOUNT ON\r\n",
         {"X"},
         1},
        {"LF line ends and GO lines (found by fuzzing)",
         "INSERT INTO T (A, B) VALUES (1, 'a')\nGO\nINSERT INTO T (A, B) VALUES (2, 'b')\nGO\n",
         {"A", "B"},
         2},
        {"a GO alone on the last line", "INSERT INTO T (A, B) VALUES (1, 'a')\r\nGO", {"A"}, 1},
        {"a longer word holding a keyword",
         "INSERT INTO T (A, B) VALUES (1, 'x') COMMITTED",
         {},
         0},
        {"a keyword inside a literal with a doubled quote",
         "INSERT INTO T (A, B) VALUES (1, 'it''s DELETE ')",
         {"IT'S DELETE "},
         1},
        {"a comment holding a keyword",
         "INSERT INTO T (A, B) VALUES (1, 'a') -- DROP it later\r\n"
         "INSERT INTO T (A, B) VALUES (2, 'b')",
         {"A", "B"},
         2},
        {"SET NOCOUNT ON written as data",
         "INSERT INTO T (A, B) VALUES (1, 'SET NOCOUNT ON')",
         {"SET NOCOUNT ON"},
         1},
        {"a transaction written with LF line ends",
         "BEGIN TRANSACTION\nINSERT INTO T (A, B) VALUES (1, 'a')\nCOMMIT TRANSACTION\n",
         {"A"},
         1},
    };
    for (const Case& c : cases) {
        db.Exec(QStringLiteral("DELETE FROM T"));
        int32_t affected = 0;
        Run(QString::fromUtf8(c.script), &affected);
        EXPECT_EQ(db.Column(QStringLiteral("SELECT B FROM T ORDER BY A")), c.rows) << c.name;
        EXPECT_EQ(affected, c.affected) << c.name;
        EXPECT_FALSE(component.gCnn()->InTransaction()) << c.name;
    }
}

// ---- A failing script and its transaction ----

TEST_F(ScriptExecutorTest, FailingScriptRollsBackTheTransactionItBegan) {
    const QString rest =
        Run(QStringLiteral("BEGIN TRANSACTION\r\nINSERT INTO T (A) VALUES (1)\r\n"
                           "INSERT INTO NO_EXISTE VALUES (2)\r\nCOMMIT TRANSACTION"));
    EXPECT_EQ(rest, "INSERT INTO NO_EXISTE VALUES (2) COMMIT");
    EXPECT_FALSE(component.gCnn()->InTransaction());
    // The failure stays in Errors although the rollback came after it.
    ASSERT_EQ(component.gCnn()->Errors().Count(), 1);
    EXPECT_EQ(component.gCnn()->Errors().Item(0).Number(), rt::err::ProviderNoTable);
    EXPECT_TRUE(dialogs.boxes.empty());
    // A later commit cannot commit half of the failed script.
    Run(QStringLiteral("INSERT INTO T (A) VALUES (9)"));
    EXPECT_EQ(Values(), QStringList{"9"});
}

// A NUL would cut one statement short while the others ran: the script is refused whole, as a
// syntax error of the command text, which EjecutaConsultaSQL leaves silent.
TEST_F(ScriptExecutorTest, ScriptWithANulCharacterRunsNothing) {
    const QString script = QStringLiteral(
                               "INSERT INTO T (A) VALUES (1)\r\nINSERT INTO T (A) "
                               "VALUES (2") +
                           QChar(u'\0') + QStringLiteral(")");
    Run(script);
    EXPECT_TRUE(Values().isEmpty());
    ASSERT_EQ(component.gCnn()->Errors().Count(), 1);
    EXPECT_EQ(component.gCnn()->Errors().Item(0).Number(), rt::err::ProviderSyntax);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ScriptExecutorTest, FailingScriptLeavesATransactionOfAnEarlierCallAlone) {
    Run(QStringLiteral("BEGIN TRANSACTION INSERT INTO T (A) VALUES (1)"));
    Run(QStringLiteral("INSERT INTO T (A) VALUES (2) INSERT INTO NO_EXISTE VALUES (3)"));
    EXPECT_TRUE(component.gCnn()->InTransaction());
    Run(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(Values(), QStringList({"1", "2"}));
}

TEST_F(ScriptExecutorTest, FailureAfterTheScriptsOwnCommitRollsNothingBack) {
    Run(
        QStringLiteral("BEGIN TRANSACTION INSERT INTO T (A) VALUES (1) COMMIT TRANSACTION "
                       "INSERT INTO NO_EXISTE VALUES (2)"));
    EXPECT_FALSE(component.gCnn()->InTransaction());
    EXPECT_EQ(Values(), QStringList{"1"});
}

TEST_F(ScriptExecutorTest, FailureOtherThanTheFourShowsTheBoxAfterTheRollback) {
    // The rewrite refuses an unclosed quote (invalid procedure call); by the time the operator
    // sees the box, the script's transaction is already undone.
    struct Watching : ScriptedDialogs {
        ado::Connection* cnn = nullptr;
        std::vector<bool> inTransaction;
        int MsgBox(const QString& p, int s, const QString& t) override {
            inTransaction.push_back(cnn->InTransaction());
            return ScriptedDialogs::MsgBox(p, s, t);
        }
    } watching;
    watching.cnn = component.gCnn().get();
    const QString rest =
        Run(QStringLiteral("BEGIN TRANSACTION INSERT INTO T (A) VALUES (1) "
                           "INSERT INTO T (B) VALUES ('abierta"));
    ASSERT_EQ(watching.boxes.size(), 1u);
    EXPECT_EQ(watching.boxes[0].title, "Aviso al operador!!!");
    EXPECT_EQ(watching.boxes[0].style, ui::vbCritical | ui::vbOKOnly);
    EXPECT_EQ(watching.inTransaction, std::vector<bool>{false});
    EXPECT_EQ(rest, "INSERT INTO T (B) VALUES ('abierta");
    EXPECT_TRUE(Values().isEmpty());
}

// ---- The error list after a script ----

struct WarningCase {
    const char* name;
    std::vector<int32_t> before;
    int countAfter;
};

class ScriptWarnings : public ScriptExecutorTest,
                       public ::testing::WithParamInterface<WarningCase> {};

TEST_P(ScriptWarnings, LoneNoResultWarningIsCleared) {
    for (int32_t number : GetParam().before) {
        component.gCnn()->Errors().Add(ado::Error(number, QStringLiteral("w"), {}, 0, {}));
    }
    Run(QStringLiteral("INSERT INTO T (A) VALUES (1)"));
    EXPECT_EQ(component.gCnn()->Errors().Count(), GetParam().countAfter);
}

INSTANTIATE_TEST_SUITE_P(Lists, ScriptWarnings,
                         ::testing::Values(WarningCase{"LoneNoResult", {265929}, 0},
                                           WarningCase{"TwoNoResults", {265929, 265929}, 2},
                                           WarningCase{"AnError", {-2147217900}, 1},
                                           WarningCase{"Empty", {}, 0}),
                         CaseName());

TEST_F(ScriptExecutorTest, ScriptLongerThanTwoMegabytesRunsWhole) {
    QString script = QStringLiteral("BEGIN TRANSACTION\r\n");
    const QString insert = QStringLiteral("INSERT INTO T (A, B) VALUES (%1, '%2')\r\n");
    const QString padding(40, QLatin1Char('p'));
    int rows = 0;
    while (script.size() < 2'500'000) {
        script += insert.arg(++rows).arg(padding);
    }
    script += QStringLiteral("COMMIT TRANSACTION");
    int32_t affected = 0;
    EXPECT_EQ(Run(script, &affected), "");
    EXPECT_EQ(affected, rows);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM T")).ToLong(), rows);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT MAX(A) FROM T")).ToLong(), rows);
}

}  // namespace
