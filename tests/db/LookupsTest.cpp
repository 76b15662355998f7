#include <gtest/gtest.h>

#include <QString>
#include <optional>

#include "DefaultDb.h"
#include "LookupStatements.h"
#include "ScriptedDialogs.h"
#include "SqlText.h"
#include "SqliteDb.h"
#include "TextCases.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/VarType.h"

namespace {

using dbtest::DefaultOn;
using dbtest::SqliteDb;

// ---- Statements ----

struct KeyCase {
    const char* valor;
    rt::Variant tipo;
    const char* condicion;
    const char* st;     // ExisteEnTablaST
    const char* tabla;  // ExisteEnTabla
    const char* datos;  // DatosTabla with UsaTrim
};

TEST(LookupStatements, KeyComparisons) {
    const KeyCase cases[] = {
        {"  ABC ", rt::vbString, "", "SELECT * FROM T WHERE Codigo ='  ABC '",
         "SELECT TOP 1  * FROM T WHERE LTRIM(RTRIM(Codigo)) ='ABC'",
         "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(Codigo)) ='ABC' "},
        {"O'Brien", rt::vbString, "", "SELECT * FROM T WHERE Codigo ='O''Brien'",
         "SELECT TOP 1  * FROM T WHERE LTRIM(RTRIM(Codigo)) ='O''Brien'",
         "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(Codigo)) ='O''Brien' "},
        {" 2024-01-31 ", rt::vbDate, "", "SELECT * FROM T WHERE Codigo = 2024-01-31 ",
         "SELECT TOP 1 * FROM T WHERE Codigo = 2024-01-31 ",
         "SELECT TOP 1 * FROM T WHERE Codigo = #2024-01-31# "},
        {"0012,5", rt::vbDouble, "", "SELECT * FROM T WHERE Codigo = 12",
         "SELECT TOP 1 * FROM T WHERE Codigo = 12", "SELECT TOP 1 * FROM T WHERE Codigo = 12"},
        {"12abc", rt::vbLong, "", "SELECT * FROM T WHERE Codigo = 12",
         "SELECT TOP 1 * FROM T WHERE Codigo = 12", "SELECT TOP 1 * FROM T WHERE Codigo = 12"},
        {"", rt::vbSingle, "", "SELECT * FROM T WHERE Codigo = 0",
         "SELECT TOP 1 * FROM T WHERE Codigo = 0", "SELECT TOP 1 * FROM T WHERE Codigo = 0"},
        {" 1 ", rt::vbBoolean, "", "SELECT * FROM T WHERE Codigo =  1 ",
         "SELECT TOP 1 * FROM T WHERE Codigo =  1 ", "SELECT TOP 1 * FROM T WHERE Codigo =  1 "},
        {"7", rt::Variant(), "", "SELECT * FROM T WHERE Codigo = 7",
         "SELECT TOP 1 * FROM T WHERE Codigo = 7", "SELECT TOP 1 * FROM T WHERE Codigo = 7"},
        {"x", rt::vbString, "Baja = 0", "SELECT * FROM T WHERE Baja = 0",
         "SELECT TOP 1 * FROM T WHERE Baja = 0",
         "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(Codigo)) ='x'  AND Baja = 0"},
        {"x", rt::vbString, "a where Baja = 0", "SELECT * FROM T a where Baja = 0",
         "SELECT TOP 1 * FROM T a where Baja = 0",
         "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(Codigo)) ='x'  AND a where Baja = 0"},
        {"x", rt::vbString, "  ", "SELECT * FROM T WHERE   ", "SELECT TOP 1 * FROM T WHERE   ",
         "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(Codigo)) ='x' "},
    };
    const QString codigo = QStringLiteral("Codigo");
    const QString tabla = QStringLiteral("T");
    for (const KeyCase& c : cases) {
        const QString valor = QString::fromUtf8(c.valor);
        const QString condicion = QString::fromUtf8(c.condicion);
        EXPECT_EQ(db::SentenciaExisteEnTablaST(tabla, valor, codigo, c.tipo, condicion),
                  QString::fromUtf8(c.st))
            << c.valor << " / " << c.condicion;
        EXPECT_EQ(db::SentenciaExisteEnTabla(tabla, valor, codigo, c.tipo, condicion),
                  QString::fromUtf8(c.tabla))
            << c.valor << " / " << c.condicion;
        EXPECT_EQ(db::SentenciaDatosTabla(tabla, valor, codigo, c.tipo, condicion, true),
                  QString::fromUtf8(c.datos))
            << c.valor << " / " << c.condicion;
    }
}

TEST(LookupStatements, DatosTablaWithoutTrim) {
    EXPECT_EQ(db::SentenciaDatosTabla(QStringLiteral("T"), QStringLiteral(" A'B "),
                                      QStringLiteral("Nombre"), rt::vbString, {}, false),
              QStringLiteral("SELECT TOP 1 * FROM T WHERE Nombre ='A''B' "));
    // The trim flag only changes text keys.
    EXPECT_EQ(db::SentenciaDatosTabla(QStringLiteral("T"), QStringLiteral("5"),
                                      QStringLiteral("Id"), rt::vbLong, {}, false),
              QStringLiteral("SELECT TOP 1 * FROM T WHERE Id = 5"));
}

TEST(LookupStatements, Aggregates) {
    const QString t = QStringLiteral("T");
    const QString c = QStringLiteral("Codigo");
    EXPECT_EQ(db::SentenciaBuscaMaximo(t, c, std::nullopt),
              QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM T"));
    EXPECT_EQ(db::SentenciaBuscaMaximo(t, c, rt::Variant("  Baja = 0 ")),
              QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM T WHERE Baja = 0"));
    EXPECT_EQ(db::SentenciaBuscaMaximo(t, c, rt::Variant("")),
              QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM T WHERE "));
    EXPECT_EQ(db::SentenciaBuscaMinimo(t, c, rt::Variant("Baja = 0")),
              QStringLiteral("SELECT MIN(Codigo) AS MENOR FROM T WHERE Baja = 0"));
    EXPECT_EQ(db::SentenciaBuscaUltimoCodigo(t, c, QStringLiteral("   ")),
              QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM T"));
    EXPECT_EQ(db::SentenciaBuscaUltimoCodigo(t, c, QStringLiteral(" Baja = 0 ")),
              QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM T WHERE  Baja = 0 "));
}

TEST(LookupStatements, NumbersAreWrittenForSql) {
    const dbtest::TextCase cases[] = {
        {"0012", "12"},   {"12abc", "12"},    {"", "0"},    {" 1 2 ", "12"}, {"12.5", "12.5"},
        {"0012,5", "12"}, {"-3.25", "-3.25"}, {"abc", "0"}, {"&H1F", "31"},  {"1234567", "1234567"},
    };
    dbtest::ExpectAll(db::NumeroNormalizado, cases);
}

TEST(LookupStatements, TypeCodes) {
    EXPECT_EQ(db::ClaseDeTipo(8), db::ClaseDeValor::Texto);
    EXPECT_EQ(db::ClaseDeTipo(8.0), db::ClaseDeValor::Texto);
    EXPECT_EQ(db::ClaseDeTipo(QStringLiteral("7")), db::ClaseDeValor::Fecha);
    for (int code : {3, 4, 5}) {
        EXPECT_EQ(db::ClaseDeTipo(code), db::ClaseDeValor::Numero) << code;
    }
    for (int code : {0, 2, 6, 11, 20}) {
        EXPECT_EQ(db::ClaseDeTipo(code), db::ClaseDeValor::Otro) << code;
    }
    EXPECT_EQ(db::ClaseDeTipo(rt::Variant::Null()), db::ClaseDeValor::Otro);
    EXPECT_EQ(RaisedNumber([] { db::ClaseDeTipo(QStringLiteral("texto")); }),
              rt::err::TypeMismatch);
}

TEST(SqlText, QuotesAreDoubled) {
    const dbtest::TextCase cases[] = {
        {"abc", "'abc'"},
        {"O'Brien", "'O''Brien'"},
        {"'", "''''"},
        {"", "''"},
        {"x' OR '1'='1", "'x'' OR ''1''=''1'"},
    };
    dbtest::ExpectAll(db::QuoteSqlText, cases);
}

// ---- Against a database ----

// A component opened on a database of clients and amounts.
class LookupsTest : public ::testing::Test {
  protected:
    LookupsTest() {
        db.Exec(QStringLiteral(
            "CREATE TABLE MA_CLIENTES (Codigo varchar(10), Nombre varchar(30), Importe float,"
            " Numero int, Sucursal int, Baja int);"
            "INSERT INTO MA_CLIENTES VALUES ('ABC', 'Alfa', 12.5, 12, 1, 0);"
            "INSERT INTO MA_CLIENTES VALUES ('  DEF ', 'Delta', -3.25, 7, 1, 0);"
            "INSERT INTO MA_CLIENTES VALUES ('O''Brien', NULL, 2, 0012, 2, 1);"
            "INSERT INTO MA_CLIENTES VALUES ('D''ARCY', 'Dora', 1, 4, 3, 0);"
            "CREATE TABLE VACIA (Codigo int);"
            "CREATE TABLE CODIGOS (Codigo varchar(10));"
            "INSERT INTO CODIGOS VALUES ('0012'), ('0009');"
            "CREATE TABLE EXACTA (Codigo varchar(10));"
            "INSERT INTO EXACTA VALUES ('ı')"));
        db.OpenOn(component);
    }

    SqliteDb db;
    db::DB_Dll component;
    ScriptedDialogs dialogs;
};

TEST_F(LookupsTest, MaximumAndMinimumAreNumbers) {
    EXPECT_EQ(component.BuscaMaximo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Importe")),
              rt::Variant(12.5));
    EXPECT_EQ(component.BuscaMinimo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Importe")),
              rt::Variant(-3.25));
    EXPECT_EQ(component.BuscaMaximo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"),
                                    std::nullopt, rt::Variant(" Sucursal = 1 ")),
              rt::Variant(12.0));
    EXPECT_EQ(component.BuscaMinimo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"),
                                    rt::Variant(3), rt::Variant("Sucursal = 1")),
              rt::Variant(7.0));
    // A text column is read the way Val reads it.
    EXPECT_EQ(component.BuscaMaximo(QStringLiteral("CODIGOS"), QStringLiteral("Codigo")),
              rt::Variant(12.0));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, EmptyTableGivesZeroAndNoRowGivesEmpty) {
    EXPECT_EQ(component.BuscaMaximo(QStringLiteral("VACIA"), QStringLiteral("Codigo")),
              rt::Variant(0.0));
    EXPECT_EQ(component.BuscaMinimo(QStringLiteral("VACIA"), QStringLiteral("Codigo")),
              rt::Variant(0.0));
    EXPECT_TRUE(component
                    .BuscaMaximo(QStringLiteral("VACIA"), QStringLiteral("Codigo"), std::nullopt,
                                 rt::Variant("1 = 1 GROUP BY Codigo"))
                    .IsEmpty());
    EXPECT_TRUE(component
                    .BuscaUltimoCodigo(QStringLiteral("VACIA"), QStringLiteral("Codigo"),
                                       rt::vbString, QStringLiteral("1 = 1 GROUP BY Codigo"))
                    .IsEmpty());
}

TEST_F(LookupsTest, LastCode) {
    EXPECT_EQ(component.BuscaUltimoCodigo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero")),
              rt::Variant(12.0));
    EXPECT_EQ(component.BuscaUltimoCodigo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"),
                                          8, QStringLiteral("   ")),
              rt::Variant(12.0));
    EXPECT_EQ(component.BuscaUltimoCodigo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"),
                                          8, QStringLiteral(" Sucursal = 2")),
              rt::Variant(12.0));
    EXPECT_EQ(component.BuscaUltimoCodigo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"),
                                          8, QStringLiteral("Baja = 0 AND Numero < 10")),
              rt::Variant(7.0));
}

TEST_F(LookupsTest, AggregateErrorsReachTheCaller) {
    EXPECT_NE(RaisedNumber([&] {
                  component.BuscaMaximo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"),
                                        std::nullopt, rt::Variant(""));
              }),
              0);
    EXPECT_NE(RaisedNumber([&] {
                  component.BuscaMinimo(QStringLiteral("NO_EXISTE"), QStringLiteral("Codigo"));
              }),
              0);
    db::DB_Dll closed;
    EXPECT_NE(RaisedNumber([&] {
                  closed.BuscaUltimoCodigo(QStringLiteral("MA_CLIENTES"), QStringLiteral("Numero"));
              }),
              0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, ExisteEnTablaTrimsAndExisteEnTablaSTDoesNot) {
    DefaultOn shared(db);
    const QString key = QStringLiteral("  DEF ");
    EXPECT_TRUE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral(" ABC ")));
    EXPECT_FALSE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral(" ABC ")));
    EXPECT_TRUE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), key));
    EXPECT_TRUE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("DEF")));
    EXPECT_FALSE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("XYZ")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, TypeCodesOnTheDatabase) {
    DefaultOn shared(db);
    const QString t = QStringLiteral("MA_CLIENTES");
    const QString numero = QStringLiteral("Numero");
    EXPECT_TRUE(component.ExisteEnTabla(t, QStringLiteral("0012,5"), numero, nullptr, 5));
    EXPECT_TRUE(component.ExisteEnTablaST(t, QStringLiteral("7abc"), numero, nullptr, 3));
    EXPECT_FALSE(component.ExisteEnTablaST(t, QStringLiteral("8"), numero, nullptr, 4));
    EXPECT_TRUE(component.ExisteEnTabla(t, QStringLiteral("Sucursal + 10"), numero, nullptr, 2));
    EXPECT_FALSE(component.ExisteEnTablaST(t, QStringLiteral("Sucursal"), numero, nullptr, 11));
    EXPECT_TRUE(
        component.ExisteEnTabla(t, QStringLiteral("12.5"), QStringLiteral("Importe"), nullptr, 5));
    EXPECT_EQ(
        component.DatosTabla(t, QStringLiteral("0012,5"), QStringLiteral("Codigo"), numero, 5),
        rt::Variant("ABC"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, QuotesInTextKeysAreDoubled) {
    DefaultOn shared(db);
    const QString t = QStringLiteral("MA_CLIENTES");
    EXPECT_TRUE(component.ExisteEnTablaST(t, QStringLiteral("O'Brien")));
    // Upper-cased on its way, the key of ExisteEnTabla finds rows in any case: the trimmed
    // column compares ignoring case, as SQL Server's default collation does.
    EXPECT_TRUE(component.ExisteEnTabla(t, QStringLiteral("d'Arcy")));
    EXPECT_TRUE(component.ExisteEnTabla(t, QStringLiteral("o'brien")));
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral("O'Brien"), QStringLiteral("Sucursal")),
              rt::Variant("2"));
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral("O'Brien"), QStringLiteral("Sucursal"),
                                   QStringLiteral("Codigo"), rt::vbString, {}, false),
              rt::Variant("2"));
    // A key cannot change the statement.
    const QString injected = QStringLiteral("x' OR '1'='1");
    EXPECT_FALSE(component.ExisteEnTablaST(t, injected));
    EXPECT_FALSE(component.ExisteEnTabla(t, injected));
    EXPECT_EQ(component.DatosTabla(t, injected, QStringLiteral("Nombre")), rt::Variant(""));
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Comparisons ignore case, so the upper-casing shows only with a letter whose capital is not
// its case-blind equal: the dotless i ("ı") becomes "I", which compares as "i".
TEST_F(LookupsTest, ExisteEnTablaSendsTheKeyUpperCased) {
    DefaultOn shared(db);
    const QString t = QStringLiteral("EXACTA");
    EXPECT_FALSE(component.ExisteEnTabla(t, QStringLiteral("ı")));
    EXPECT_TRUE(component.ExisteEnTablaST(t, QStringLiteral("ı")));
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral("ı"), QStringLiteral("Codigo")),
              rt::Variant("ı"));
}

TEST_F(LookupsTest, Conditions) {
    DefaultOn shared(db);
    const QString t = QStringLiteral("MA_CLIENTES");
    EXPECT_TRUE(
        component.ExisteEnTabla(t, {}, {}, nullptr, rt::vbString, QStringLiteral("Baja = 1")));
    EXPECT_TRUE(component.ExisteEnTablaST(t, {}, {}, nullptr, rt::vbString,
                                          QStringLiteral("a where a.Sucursal = 2")));
    EXPECT_FALSE(
        component.ExisteEnTabla(t, {}, {}, nullptr, rt::vbString, QStringLiteral("Baja = 5")));
    EXPECT_EQ(
        component.DatosTabla(t, QStringLiteral("ABC"), QStringLiteral("Nombre"),
                             QStringLiteral("Codigo"), rt::vbString, QStringLiteral("Baja = 0")),
        rt::Variant("Alfa"));
    EXPECT_EQ(
        component.DatosTabla(t, QStringLiteral("ABC"), QStringLiteral("Nombre"),
                             QStringLiteral("Codigo"), rt::vbString, QStringLiteral("Baja = 1")),
        rt::Variant(""));
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral("ABC"), QStringLiteral("Nombre"),
                                   QStringLiteral("Codigo"), rt::vbString, QStringLiteral("   ")),
              rt::Variant("Alfa"));
    EXPECT_TRUE(dialogs.boxes.empty());
    // Blanks count as a condition for the existence tests: the database rejects the statement.
    dialogs.AnswerBoxes({ui::vbAbort, ui::vbAbort});
    EXPECT_FALSE(component.ExisteEnTabla(t, {}, {}, nullptr, rt::vbString, QStringLiteral("  ")));
    EXPECT_FALSE(component.ExisteEnTablaST(t, {}, {}, nullptr, rt::vbString, QStringLiteral("  ")));
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST_F(LookupsTest, DatosTablaValues) {
    const QString t = QStringLiteral("MA_CLIENTES");
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral(" ABC "), QStringLiteral("Nombre")),
              rt::Variant("Alfa"));
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral("DEF"), QStringLiteral("importe")),
              rt::Variant("-3,25"));
    // Trimming off: the stored blanks must match.
    EXPECT_EQ(component.DatosTabla(t, QStringLiteral("DEF"), QStringLiteral("Nombre"),
                                   QStringLiteral("Codigo"), rt::vbString, {}, false),
              rt::Variant(""));
    // A null column and a missing key both give the empty text, never Empty.
    const rt::Variant nulo =
        component.DatosTabla(t, QStringLiteral("O'Brien"), QStringLiteral("Nombre"));
    EXPECT_EQ(nulo, rt::Variant(""));
    const rt::Variant missing =
        component.DatosTabla(t, QStringLiteral("NADIE"), QStringLiteral("Nombre"));
    EXPECT_EQ(missing, rt::Variant(""));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, ExisteEnTablaSTUsesTheDefaultConnection) {
    SqliteDb other;
    other.Exec(QStringLiteral("CREATE TABLE MA_CLIENTES (Codigo varchar(10))"));
    DefaultOn shared(other);
    // The component's own database has ABC; the default one has no rows.
    EXPECT_FALSE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC")));
    EXPECT_TRUE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC")));
    other.Exec(QStringLiteral("INSERT INTO MA_CLIENTES VALUES ('ZZZ')"));
    db::DB_Dll neverOpened;
    EXPECT_TRUE(neverOpened.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral("ZZZ")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, CallerRecordsetIsReopenedWithItsCursorAndLock) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM VACIA"), component.gCnn(), ado::adOpenStatic,
            ado::adLockOptimistic);
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_TRUE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("DEF"),
                                        QStringLiteral("Codigo"), &rs));
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.LockType(), ado::adLockOptimistic);
    EXPECT_EQ(rs.Fields()[QStringLiteral("Nombre")].Value(), rt::Variant("Delta"));
    // Not found: still open, at its end.
    EXPECT_FALSE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("XYZ"),
                                         QStringLiteral("Codigo"), &rs));
    EXPECT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LookupsTest, ExisteEnTablaSTReadOnlyReopening) {
    DefaultOn shared(db);
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM VACIA"), component.gCnn(), ado::adOpenStatic,
            ado::adLockOptimistic);
    EXPECT_TRUE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC"),
                                          QStringLiteral("Codigo"), &rs));
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.LockType(), ado::adLockOptimistic);
    EXPECT_TRUE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral("2"),
                                          QStringLiteral("Sucursal"), &rs, 3, {}, true));
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.CursorType(), ado::adOpenForwardOnly);
    EXPECT_EQ(rs.LockType(), ado::adLockReadOnly);
    EXPECT_EQ(rs.Fields()[QStringLiteral("Codigo")].Value(), rt::Variant("O'Brien"));
    rs.Close();
    // A closed recordset is opened too.
    EXPECT_FALSE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral("X"),
                                           QStringLiteral("Codigo"), &rs));
    EXPECT_EQ(rs.State(), ado::adStateOpen);
}

// ---- The operator's box ----

TEST_F(LookupsTest, FailureShowsTheOperatorBoxAndAbortLeaves) {
    DefaultOn shared(db);
    const QString missing = QStringLiteral("NO_EXISTE");
    dialogs.AnswerBoxes({ui::vbAbort});
    EXPECT_FALSE(component.ExisteEnTabla(missing, QStringLiteral("A")));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbAbortRetryIgnore | ui::vbCritical);
    EXPECT_TRUE(dialogs.boxes[0].prompt.contains(QStringLiteral("NO_EXISTE"), Qt::CaseInsensitive))
        << dialogs.boxes[0].prompt.toStdString();

    dialogs.boxes.clear();
    dialogs.AnswerBoxes({ui::vbAbort});
    EXPECT_FALSE(component.ExisteEnTablaST(missing, QStringLiteral("A")));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Aviso al Operador"));
}

TEST_F(LookupsTest, RetryRunsTheStepAgainAndIgnoreGoesOn) {
    DefaultOn shared(db);
    const QString missing = QStringLiteral("NO_EXISTE");
    // Retry twice, then Abort: three attempts at the opening.
    dialogs.AnswerBoxes({ui::vbRetry, ui::vbRetry, ui::vbAbort});
    EXPECT_FALSE(component.ExisteEnTablaST(missing, QStringLiteral("A")));
    EXPECT_EQ(dialogs.boxes.size(), 3u);
    // Ignore goes on: the test of the unopened recordset fails next, then the closing is
    // skipped because the recordset is closed.
    dialogs.boxes.clear();
    dialogs.AnswerBoxes({ui::vbIgnore, ui::vbIgnore});
    EXPECT_FALSE(component.ExisteEnTabla(missing, QStringLiteral("A")));
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

// Answers Retry once, after creating the missing table: the retried step then succeeds.
class CreatingDialogs : public ScriptedDialogs {
  public:
    explicit CreatingDialogs(const SqliteDb& db) : db_(db) {}
    int MsgBox(const QString& prompt, int style, const QString& title) override {
        ScriptedDialogs::MsgBox(prompt, style, title);
        if (created_) {
            return ui::vbAbort;
        }
        created_ = true;
        db_.Exec(
            QStringLiteral("CREATE TABLE NUEVA (Codigo varchar(5));"
                           "INSERT INTO NUEVA VALUES ('N1')"));
        return ui::vbRetry;
    }

  private:
    const SqliteDb& db_;
    bool created_ = false;
};

TEST_F(LookupsTest, RetrySucceedsOnceTheCauseIsGone) {
    DefaultOn shared(db);
    CreatingDialogs creating(db);
    EXPECT_EQ(component.DatosTabla(QStringLiteral("NUEVA"), QStringLiteral("N1"),
                                   QStringLiteral("Codigo")),
              rt::Variant("N1"));
    // The opening itself reports through the error handler of AbrirRecordset.
    ASSERT_EQ(creating.boxes.size(), 1u);
    EXPECT_TRUE(creating.boxes[0].title.contains(QStringLiteral("AbrirRecordset")));
}

TEST_F(LookupsTest, DatosTablaAbortGivesEmpty) {
    // A missing returned column fails on reading it.
    dialogs.AnswerBoxes({ui::vbAbort});
    const rt::Variant result = component.DatosTabla(QStringLiteral("MA_CLIENTES"),
                                                    QStringLiteral("ABC"), QStringLiteral("NoHay"));
    EXPECT_TRUE(result.IsEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Aviso al Operador"));
    // Ignore goes on to the closing; the value was never set.
    dialogs.boxes.clear();
    dialogs.AnswerBoxes({ui::vbIgnore});
    EXPECT_TRUE(component
                    .DatosTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC"),
                                QStringLiteral("NoHay"))
                    .IsEmpty());
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(LookupsTest, BadTypeCodeGoesToTheBox) {
    DefaultOn shared(db);
    dialogs.AnswerBoxes({ui::vbAbort, ui::vbAbort, ui::vbAbort});
    EXPECT_FALSE(component.ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC"),
                                         QStringLiteral("Codigo"), nullptr, "texto"));
    EXPECT_FALSE(component.ExisteEnTablaST(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC"),
                                           QStringLiteral("Codigo"), nullptr, "texto"));
    EXPECT_TRUE(component
                    .DatosTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("ABC"),
                                QStringLiteral("Nombre"), QStringLiteral("Codigo"), "texto")
                    .IsEmpty());
    EXPECT_EQ(dialogs.boxes.size(), 3u);
}

// ---- Value and name helpers as members ----

TEST(DB_DllNames, MembersAnswerAsTheHelpers) {
    db::DB_Dll component;
    EXPECT_TRUE(component.adodate(135));
    EXPECT_TRUE(component.ADOText(202));
    EXPECT_FALSE(component.ADOText(129));
    EXPECT_TRUE(component.ADONumeric(131));
    EXPECT_FALSE(component.ADONumeric(6));
    EXPECT_TRUE(component.ADOCurrency(6));
    EXPECT_TRUE(component.ADOBoolean(11));
    EXPECT_EQ(RaisedNumber([&] { component.ADOBoolean(rt::Variant::Null()); }),
              rt::err::InvalidUseOfNull);
    EXPECT_EQ(component.AddBrackets(QStringLiteral("MA CLIENTES")),
              QStringLiteral("[MA CLIENTES]"));
    EXPECT_EQ(component.StripBrackets(QStringLiteral("[MA CLIENTES]")),
              QStringLiteral("MA CLIENTES"));
    EXPECT_EQ(component.StripConnect(QStringLiteral("MA_CLIENTES ->CN")),
              QStringLiteral("MA_CLIENTES"));
    QString owned = QStringLiteral("dbo.MA_CLIENTES");
    EXPECT_EQ(component.StripOwner(owned), QStringLiteral("MA_CLIENTES"));
    EXPECT_EQ(owned, QStringLiteral("MA_CLIENTES"));
    QString twoPart = QStringLiteral("dbo.MA_CLIENTES");
    EXPECT_EQ(component.stSTF(twoPart, 0), QStringLiteral("dbo"));
    EXPECT_EQ(component.stSTF(twoPart, 1), QStringLiteral("MA_CLIENTES"));
    EXPECT_EQ(component.StripFileName(QStringLiteral("C:\\Datos\\a.mdb")),
              QStringLiteral("C:\\Datos"));
    QString noDot = QStringLiteral("MA_CLIENTES");
    EXPECT_EQ(RaisedNumber([&] { component.stSTF(noDot, 0); }), rt::err::InvalidProcedureCall);
}

}  // namespace
