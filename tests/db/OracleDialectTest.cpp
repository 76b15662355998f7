#include "OracleDialect.h"

#include <gtest/gtest.h>

#include <QSet>

#include "TextCases.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

const QString kOracle = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=XE");
const QString kSqlServer = QStringLiteral("Provider=SQLOLEDB;Data Source=srv");

int CountWords(const QString& text) {
    return static_cast<int>(text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

QString Oracle(const QString& sql) {
    return db::ORACLE_Dicc(sql, kOracle, CountWords);
}

int ErrorOf(const QString& sql) {
    return RaisedNumber([&] { Oracle(sql); });
}

using Example = dbtest::TextCase;

TEST(OracleDialect, WorkedExamples) {
    const Example examples[] = {
        {"select top 10 Codigo, Nombre from MA_CUENTAS where Fecha >= '01/02/2020' order by Nombre",
         "select  Codigo, Nombre from MA_CUENTAS where "
         "TO_DATE(TO_CHAR(Fecha,'DD/MM/YYYY'),'DD/MM/YYYY') >= "
         "TO_DATE('01/02/2020','DD/MM/YYYY') AND ROWNUM <= 10 order by Nombre"},
        {"select top 5 Codigo from T", "select  Codigo from T WHERE ROWNUM <= 5"},
        {"SELECT Codigo FROM [MA CLIENTES] WHERE FECHA = '05/03/2021' AND LEN(Nombre) > 3",
         "SELECT CODIGO FROM \"MA CLIENTES\" WHERE "
         "TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') = "
         "TO_DATE('05/03/2021','DD/MM/YYYY') AND LENGTH( NOMBRE) > 3"},
        {"select Codigo from T where Activo = 1", "SELECT CODIGO FROM T WHERE ACTIVO = 1"},
        {"len", "LENGTH"},
    };
    dbtest::ExpectAll(Oracle, examples);
}

TEST(OracleDialect, OtherConnectionsOnlyUpperCase) {
    const QString sql = QStringLiteral("select top 3 [A] from T where Fecha = '01/02/2020'");
    EXPECT_EQ(db::ORACLE_Dicc(sql, kSqlServer, CountWords), sql.toUpper());
    EXPECT_EQ(db::ORACLE_Dicc(sql, QString(), CountWords), sql.toUpper());
    // Letter by letter: no letter turns into two.
    EXPECT_EQ(db::ORACLE_Dicc(QStringLiteral("select 'Straße'"), kSqlServer, CountWords),
              QStringLiteral("SELECT 'STRAßE'"));
    // The provider is read ignoring case; a password holding the word is no provider.
    EXPECT_EQ(
        db::ORACLE_Dicc(QStringLiteral("select len(a) from t"),
                        QStringLiteral("provider=oraoledb.oracle.1;data source=xe"), CountWords),
        "SELECT LENGTH(A) FROM T");
    EXPECT_EQ(db::ORACLE_Dicc(QStringLiteral("select len(a) from t"),
                              kSqlServer + QStringLiteral(";Pwd=xoracle1"), CountWords),
              "SELECT LEN(A) FROM T");
}

TEST(OracleDialect, SingleWordIsOnlyUpperCased) {
    EXPECT_EQ(Oracle("Codigo"), "CODIGO");
    EXPECT_EQ(Oracle("LeN"), "LENGTH");
    EXPECT_EQ(Oracle("[x]"), "[X]");
    const auto countsOne = [](const QString&) { return 1; };
    EXPECT_EQ(db::ORACLE_Dicc(QStringLiteral("select top 1 a"), kOracle, countsOne),
              "SELECT TOP 1 A");
}

TEST(OracleDialect, RowLimitKeepsTheCaseAsWritten) {
    const Example examples[] = {
        {"select top 5 a, b from T where x = 'q' group by a order by b",
         "select  a, b from T where x = 'q' AND ROWNUM <= 5 group by a order by b"},
        {"Select Top 2 a From T Order By a", "Select  a From T WHERE ROWNUM <= 2 Order By a"},
    };
    dbtest::ExpectAll(Oracle, examples);
}

// A doubled quote inside a literal of the WHERE part belongs to it: the literal comes back whole,
// not cut in two with a space between the halves.
TEST(OracleDialect, DoubledQuotesStayInsideTheirLiteral) {
    struct Case {
        const char* name;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"an apostrophe in a name", "select a from T where Nombre = 'O''Brien'",
         "SELECT A FROM T WHERE NOMBRE = 'O''BRIEN'"},
        {"a literal that is one doubled quote", "select a from T where b = ''''",
         "SELECT A FROM T WHERE B = ''''"},
        {"a word that looks like a row limit", "select a from T where b = 'it''s top 1 x'",
         "SELECT A FROM T WHERE B = 'IT''S TOP 1 X'"},
        {"beside a date", "select a from T where Nombre = 'D''Angelo' and Fecha = '01/02/2020'",
         "SELECT A FROM T WHERE NOMBRE = 'D''ANGELO' AND "
         "TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') = TO_DATE('01/02/2020','DD/MM/YYYY')"},
        {"a doubled double quote in a name", "select a from T where \"x\"\"y\" = 1",
         "SELECT A FROM T WHERE \"X\"\"Y\" = 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Oracle(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.name;
    }
}

// TOP limits the rows only as a word of its own outside quoted texts and names; elsewhere it is
// part of a name or of the data and the statement is only upper-cased.
TEST(OracleDialect, RowLimitOnlyWhereTopIsAWordOutsideLiterals) {
    struct Case {
        const char* name;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"inside a longer name (found by fuzzing)", "SELECT Laptop FROM T WHERE A = 1",
         "SELECT LAPTOP FROM T WHERE A = 1"},
        {"inside a literal (found by fuzzing)", "SELECT * FROM T WHERE Nombre = 'Stop Sur'",
         "SELECT * FROM T WHERE NOMBRE = 'STOP SUR'"},
        {"lower-case name ending in top", "select laptop from T", "SELECT LAPTOP FROM T"},
        {"name after an underscore", "select x_top from T", "SELECT X_TOP FROM T"},
        {"a literal that is only the word", "select a from T where b = 'top 5 x'",
         "SELECT A FROM T WHERE B = 'TOP 5 X'"},
        {"double-quoted name", "select \"top 3\" from T", "SELECT \"TOP 3\" FROM T"},
        {"bracketed name", "select [top 3] from T", "SELECT \"TOP 3\" FROM T"},
        {"doubled quote inside a literal", "select 'it''s top 1 x' from T",
         "SELECT 'IT''S TOP 1 X' FROM T"},
        {"the word after a literal", "select 'x', top 2 a from T",
         "select 'x',  a from T WHERE ROWNUM <= 2"},
        {"the word after a parenthesis", "select * from (select top 3 a from T) q",
         "select * from (select  a from T) q WHERE ROWNUM <= 3"},
        {"a longer name before the word", "select top 4 laptop from T",
         "select  laptop from T WHERE ROWNUM <= 4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Oracle(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(OracleDialect, RowLimitAtTheEndIsAnInvalidCall) {
    EXPECT_EQ(ErrorOf("select a from t where b in (select top 5"), rt::err::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf("select a, top "), rt::err::InvalidProcedureCall);
}

TEST(OracleDialect, LengthNeedsASpaceBeforeLen) {
    EXPECT_EQ(Oracle("select LEN    (a),len(b),(LEN(c)) from T"),
              "SELECT LENGTH(A),LEN(B),(LEN(C)) FROM T");
    EXPECT_EQ(Oracle("len(a) from T"), "LEN(A) FROM T");
    EXPECT_EQ(Oracle("select len     (a) from T"), "SELECT LEN     (A) FROM T");
}

TEST(OracleDialect, CharindexBecomesInstr) {
    EXPECT_EQ(Oracle("select charindex('a', b) from T"), "SELECT InStr('A', B) FROM T");
}

TEST(OracleDialect, DateColumnsOfTheWherePart) {
    const Example examples[] = {
        // Glued operator: not recognised, and split at the separator.
        {"select a from T where FECHA>='01/02/2020'",
         "SELECT A FROM T WHERE FECHA> =TO_DATE('01/02/2020','DD/MM/YYYY')"},
        // Alias-qualified column: not recognised.
        {"select a from T where t.fecha = 1", "SELECT A FROM T WHERE T.FECHA = 1"},
        // Bracketed name with a space: recognised once the brackets are quotes.
        {"select a from T where [Fecha Desde] < 3",
         "SELECT A FROM T WHERE TO_DATE(TO_CHAR(\"FECHA DESDE\",'DD/MM/YYYY'),'DD/MM/YYYY') < 3"},
        // A token ends after its separator, looked for from its second character on; a quote
        // opens a quoted token only at its start.
        {"select a from T where (Vencea=x) and b  in ('x y',\"c d\")",
         "SELECT A FROM T WHERE (VENCEA= X) AND B IN ('X Y',\" C D\" )"},
        {"select a from T where ( vencea = x) and b in ( 'x  y',  2)",
         "SELECT A FROM T WHERE ( TO_DATE(TO_CHAR(VENCEA,'DD/MM/YYYY'),'DD/MM/YYYY') = X) AND B IN "
         "( 'X  Y' , 2)"},
        // A date column only in the select list is left alone.
        {"select fecha from T", "SELECT FECHA FROM T"},
    };
    dbtest::ExpectAll(Oracle, examples);
}

TEST(OracleDialect, UnclosedQuoteInTheWherePartRunsToTheEnd) {
    EXPECT_EQ(Oracle("select a from T where b = \"x y"), "SELECT A FROM T WHERE B = \"X Y");
}

TEST(OracleDialect, DateLiteralsAnywhere) {
    const Example examples[] = {
        {"insert into T values ('5/3/2021', 'abc', '31/12/99')",
         "INSERT INTO T VALUES (TO_DATE('05/03/2021','DD/MM/YYYY'), 'ABC', "
         "TO_DATE('31/12/1999','DD/MM/YYYY'))"},
        // Not a day/month/year date of the locale.
        {"select a from T where b = '13/13/2020' or c = '2020-01-02'",
         "SELECT A FROM T WHERE B = '13/13/2020' OR C = '2020-01-02'"},
        {"update T set a = ''", "UPDATE T SET A = ''"},
    };
    dbtest::ExpectAll(Oracle, examples);
}

TEST(OracleDialect, RepeatedDateLiteralIsConvertedOnceAtEachPlace) {
    EXPECT_EQ(Oracle("select a from T where fechamov between '01/02/2020' and '01/02/2020'"),
              "SELECT A FROM T WHERE "
              "TO_DATE(TO_CHAR(FECHAMOV,'DD/MM/YYYY'),'DD/MM/YYYY') BETWEEN "
              "TO_DATE('01/02/2020','DD/MM/YYYY') AND TO_DATE('01/02/2020','DD/MM/YYYY')");
}

TEST(OracleDialect, UnclosedSingleQuoteIsAnInvalidCall) {
    EXPECT_EQ(ErrorOf("insert into T values ('abc)"), rt::err::InvalidProcedureCall);
}

QString NumberList(int count, const QString& separator) {
    QStringList numbers;
    for (int i = 0; i < count; ++i) {
        numbers << QString::number(i);
    }
    return numbers.join(separator);
}

TEST(OracleDialect, LongWherePartsOfAnyLength) {
    // One token of 100 KB, then 20,000 tokens rejoined one space apart.
    const QString glued = NumberList(20000, QStringLiteral(","));
    ASSERT_GT(glued.size(), 100000);
    EXPECT_EQ(Oracle("select a from T where b in (" + glued + ")"),
              "SELECT A FROM T WHERE B IN (" + glued + ")");
    EXPECT_EQ(Oracle("select a from T where b in (" + NumberList(20000, ",  ") + ")"),
              "SELECT A FROM T WHERE B IN (" + NumberList(20000, ", ") + ")");

    // A quoted token that closes beyond the 32,767th character, and a token without any
    // separator longer than 20,000 characters, each stay whole.
    const QString longText(40000, QLatin1Char('X'));
    EXPECT_EQ(Oracle("select a from T where b = '" + longText + "' and fecha = 1"),
              "SELECT A FROM T WHERE B = '" + longText +
                  "' AND TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') = 1");
    EXPECT_EQ(Oracle("select a from T where b = " + longText),
              "SELECT A FROM T WHERE B = " + longText);
}

TEST(OracleDialect, DateColumnList) {
    const auto names = db::ColumnasFecha();
    EXPECT_EQ(names.size(), 85u);
    QSet<QString> distinct;
    for (const char* name : names) {
        const QString column = QString::fromLatin1(name);
        distinct.insert(column);
        EXPECT_TRUE(db::EsColumnaFecha(column.toLower())) << name;
        EXPECT_EQ(
            Oracle("select a from T where " + column.toLower() + " = 1"),
            "SELECT A FROM T WHERE TO_DATE(TO_CHAR(" + column + ",'DD/MM/YYYY'),'DD/MM/YYYY') = 1");
    }
    EXPECT_EQ(distinct.size(), 85);
    for (const char* name : {"\"FECHA DESDE\"", "\"FECHA HASTA\"", "FECHAESTINCIO", "VENCEX",
                             "SINCRONIZADO", "FECHA_A_VENCER", "ACARGODESDE"}) {
        EXPECT_TRUE(db::EsColumnaFecha(QString::fromLatin1(name))) << name;
    }
    for (const char* name : {"FECHA DESDE", "T.FECHA", "FECHAS", "VENCED", "FECHA>"}) {
        EXPECT_FALSE(db::EsColumnaFecha(QString::fromLatin1(name))) << name;
    }
}

}  // namespace
