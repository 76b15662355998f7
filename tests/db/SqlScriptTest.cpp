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
        {"a\r\nGO", "a GO"},
        {"a\rb\nc", "a b\nc"},
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
        // A keyword inside a string literal cuts the statement there.
        {"insert into T values ('DROP X')", {"E:insert into T values ('", "E:DROP X')"}},
        // Keywords are found inside longer words too.
        {"update T set reinsert = 1", {"E:update T set re", "E:insert = 1"}},
        {"commit; rollback  ", {"E:commit;", "R:rollback"}},
        {"BEGIN TRAN insert into T values (1)", {"E:insert into T values (1)"}},
        {"begin transaction\ninsert x ", {"E:SET TRANSACTION\n", "E:insert x"}},
        {"alter table T add x int\r\nGO", {"E:alter table T add x int GO"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cut(c.input), c.expected) << c.input;
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
    };
    for (const auto& c : cases) {
        QString statement = QString::fromUtf8(c.input);
        EXPECT_EQ(db::FiltraSentencia(statement), c.expected) << c.input;
        EXPECT_EQ(statement, c.expected) << c.input;
    }
}

}  // namespace
