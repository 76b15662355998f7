#include "SqlScript.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "TextCases.h"

namespace {

using db::TipoSentencia;

// Statements as "kind:text", kind being E(xecute), B(egin), C(ommit) or R(ollback).
QStringList Listed(const db::ScriptCortado& cut) {
    QStringList out;
    for (const auto& s : cut.sentencias) {
        const char* kind = "E";
        switch (s.tipo) {
            case TipoSentencia::IniciarTransaccion:
                kind = "B";
                break;
            case TipoSentencia::ConfirmarTransaccion:
                kind = "C";
                break;
            case TipoSentencia::DeshacerTransaccion:
                kind = "R";
                break;
            case TipoSentencia::Ejecutar:
                break;
        }
        out << QString::fromLatin1(kind) + QLatin1Char(':') + s.texto;
    }
    return out;
}

QStringList Cut(const QString& script) {
    return Listed(db::CortaScript(script));
}

TEST(SqlScript, TransactionScriptExample) {
    const QString script = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nGO\r\nUPDATE T SET A = 2\r\n"
        "COMMIT TRANSACTION");
    EXPECT_EQ(db::NormalizaScript(script),
              "SET TRANSACTION INSERT INTO T VALUES (1) UPDATE T SET A = 2 COMMIT");
    EXPECT_EQ(Cut(script), QStringList({"B:SET TRANSACTION", "E:INSERT INTO T VALUES (1)",
                                        "E:UPDATE T SET A = 2", "C:COMMIT"}));
}

TEST(SqlScript, Normalisation) {
    const dbtest::TextCase cases[] = {
        {"set nocount on\r\ninsert x\r\nSET NOCOUNT OFF", " insert x "},
        {"a go b GO c", "a b c"},
        {"a\r\ngo b", "a b"},
        {"a\r\nGO \r\nGO b", "a  b"},
        {"a\r\nGO\r\nb", "a b"},
        {"a\r\nGO", "a "},
        {"a\nGO", "a "},
        {"a\rb\nc", "a b c"},
        {"a\ngo b\nGO\nc", "a b c"},
        {"a 'x go y' b", "a 'x go y' b"},
        {"'a\r\nGO\r\n' -- go \nx", "'a\r\nGO\r\n' -- go  x"},
        {"a\r\nSET\r\nNOCOUNT ON\r\n", "a  "},
        {"begin trans; Begin Transaction; commit tran; rollback trans",
         "SET TRANSACTION; SET TRANSACTION; commit tran; ROLLBACK"},
    };
    dbtest::ExpectAll(db::NormalizaScript, cases);
}

TEST(SqlScript, CuttingAtKeywords) {
    struct Case {
        const char* input;
        QStringList expected;
    };
    const Case cases[] = {
        // Text before the first keyword is dropped; SELECT starts nothing.
        {"select 1 insert into T values (1) select 2", {"E:insert into T values (1) select 2"}},
        {"select 1; select 2", {}},
        {"IF NOT EXISTS (SELECT 1 FROM X) CREATE TABLE X (A INT)",
         {"E:IF NOT EXISTS (SELECT 1 FROM X)", "E:CREATE TABLE X (A INT)"}},
        {"if exists (select 1) drop table x", {"E:if exists (select 1)", "E:drop table x"}},
        // Keywords cut only as words of their own outside literals and comments.
        {"insert into T values ('DROP X')", {"E:insert into T values ('DROP X')"}},
        {"update T set reinsert = 1", {"E:update T set reinsert = 1"}},
        {"set transaction isolation level read committed",
         {"E:set transaction isolation level read committed"}},
        {"insert into T values ('a')delete from T",
         {"E:insert into T values ('a')", "E:delete from T"}},
        {"insert into T values (1) /* drop later */ update T set a = 2",
         {"E:insert into T values (1) /* drop later */", "E:update T set a = 2"}},
        {"insert into T values ('x\r\ndelete from T",
         {"E:insert into T values ('x\r\ndelete from T"}},
        {"commit; rollback  ", {"E:commit;", "R:rollback"}},
        {"BEGIN TRAN insert into T values (1)", {"E:insert into T values (1)"}},
        {"begin transaction\ninsert x ", {"B:SET TRANSACTION", "E:insert x"}},
        {"alter table T add x int\r\nGO", {"E:alter table T add x int"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cut(c.input), c.expected) << c.input;
    }
}

// Scripts a fuzzing run found mishandled: literals were changed, a rebuilt SET NOCOUNT ON
// emptied an insert, keywords cut inside literals and longer words, LF scripts kept their GO.
TEST(SqlScript, FuzzFindings) {
    struct Case {
        const char* name;
        const char* script;
        QStringList expected;
    };
    const Case cases[] = {
        {"go inside a literal",
         "INSERT INTO T VALUES ('ready to go now')\r\n",
         {"E:INSERT INTO T VALUES ('ready to go now')"}},
        {"SET NOCOUNT ON rebuilt by the joining",
         "INSERT INTO T VALUES (1)\r\nSET\r\nNOCOUNT ON\r\n",
         {"E:INSERT INTO T VALUES (1)"}},
        {"keyword inside a literal",
         "INSERT INTO T VALUES ('DROP X')",
         {"E:INSERT INTO T VALUES ('DROP X')"}},
        {"keyword inside a longer word",
         "UPDATE T SET A = 'x' WHERE B = 1 COMMITTED",
         {"E:UPDATE T SET A = 'x' WHERE B = 1 COMMITTED"}},
        {"GO line with LF line ends",
         "INSERT INTO T VALUES (1)\nGO\nUPDATE T SET A = 2\n",
         {"E:INSERT INTO T VALUES (1)", "E:UPDATE T SET A = 2"}},
        {"GO alone on the last line",
         "INSERT INTO T VALUES (1)\nGO",
         {"E:INSERT INTO T VALUES (1)"}},
        {"the transaction example with LF line ends",
         "BEGIN TRANSACTION\nINSERT INTO T VALUES (1)\nGO\nUPDATE T SET A = 2\nCOMMIT TRANSACTION",
         {"B:SET TRANSACTION", "E:INSERT INTO T VALUES (1)", "E:UPDATE T SET A = 2", "C:COMMIT"}},
        {"line breaks inside a literal",
         "INSERT INTO T VALUES ('a\r\nGO\r\nb')\r\nGO\r\n",
         {"E:INSERT INTO T VALUES ('a\r\nGO\r\nb')"}},
        {"doubled quote inside a literal",
         "INSERT INTO T VALUES ('it''s; DROP X')\r\nDELETE FROM T",
         {"E:INSERT INTO T VALUES ('it''s; DROP X')", "E:DELETE FROM T"}},
        {"apostrophe in a comment",
         "INSERT INTO T VALUES (1) -- client's row\r\nINSERT INTO T VALUES (2)",
         {"E:INSERT INTO T VALUES (1) -- client's row", "E:INSERT INTO T VALUES (2)"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cut(QString::fromUtf8(c.script)), c.expected) << c.name;
    }
}

TEST(SqlScript, RemainderAfterEachStatement) {
    const auto cut = db::CortaScript(QStringLiteral("x insert a delete b"));
    ASSERT_EQ(cut.sentencias.size(), 2u);
    EXPECT_EQ(cut.Resto(0), "x insert a delete b");
    EXPECT_EQ(cut.Resto(1), "delete b");
    EXPECT_EQ(cut.Resto(2), "");

    const auto none = db::CortaScript(QStringLiteral("select 1\r\nGO\r\n"));
    EXPECT_TRUE(none.sentencias.empty());
    EXPECT_EQ(none.Resto(0), "select 1 ");
}

// Asking for the rest after more statements than the script holds (none at all included)
// gives what is left after the last one, never a read before the first.
TEST(SqlScript, RemainderPastTheLastStatement) {
    struct Case {
        const char* name;
        const char* script;
        std::size_t ejecutadas;
        const char* expected;
    };
    const Case cases[] = {
        {"empty script, one run", "", 1, ""},
        {"no statement, one run", "SELECT 1", 1, "SELECT 1"},
        {"no statement, many run", "SELECT 1", 7, "SELECT 1"},
        {"one statement, three run", "x insert a", 3, ""},
        {"two statements, one run", "insert a delete b", 1, "delete b"},
    };
    for (const Case& c : cases) {
        const auto cut = db::CortaScript(QString::fromUtf8(c.script));
        EXPECT_EQ(cut.Resto(c.ejecutadas), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(SqlScript, LongScriptsAreCutWhole) {
    // About 3 MB: statements past the first 2 MB are cut like the others.
    QString script;
    const int count = 60000;
    for (int i = 0; i < count; ++i) {
        script += QStringLiteral("INSERT INTO T VALUES (%1, 'texto de relleno')\r\nGO\r\n").arg(i);
    }
    script += QStringLiteral("COMMIT TRANSACTION");
    ASSERT_GT(script.size(), 3000000);
    const auto cut = db::CortaScript(script);
    ASSERT_EQ(cut.sentencias.size(), static_cast<std::size_t>(count) + 1);
    EXPECT_EQ(cut.sentencias[count - 1].texto,
              QStringLiteral("INSERT INTO T VALUES (%1, 'texto de relleno')").arg(count - 1));
    EXPECT_EQ(cut.sentencias.back().tipo, TipoSentencia::ConfirmarTransaccion);
}

TEST(SqlScript, FiltraSentenciaEmptiesWhatOracleCannotRun) {
    const dbtest::TextCase cases[] = {
        {"set nocount on", ""},
        {"IF NOT EXISTS (SELECT 1 FROM X)", ""},
        {"if not exist x", ""},
        {"INSERT INTO T VALUES (1)", "INSERT INTO T VALUES (1)"},
        {"IF EXISTS (SELECT 1)", "IF EXISTS (SELECT 1)"},
        {"INSERT INTO T VALUES ('SET NOCOUNT ON')", "INSERT INTO T VALUES ('SET NOCOUNT ON')"},
        {"INSERT INTO T VALUES (1) -- if not exists", "INSERT INTO T VALUES (1) -- if not exists"},
    };
    for (const auto& c : cases) {
        QString statement = QString::fromUtf8(c.input);
        EXPECT_EQ(db::FiltraSentencia(statement), c.expected) << c.input;
        EXPECT_EQ(statement, c.expected) << c.input;
    }
}

}  // namespace
