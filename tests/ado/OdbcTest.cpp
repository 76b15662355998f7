#include <gtest/gtest.h>

#include "Printers.h"
#include "TempDir.h"
#include "ado/Connection.h"
#include "runtime/RuntimeError.h"

namespace {

using rt::Variant;

// The SQLite ODBC driver (libsqliteodbc, registered as "SQLite3") on a file made through the
// embedded provider.
class OdbcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto setup = ado::Connection::Create();
        setup->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") + Path());
        setup->Execute(QStringLiteral(
            "CREATE TABLE MA_CUENTAS (CODIGO varchar(10) PRIMARY KEY, NOMBRE varchar(40) NOT "
            "NULL, NIVEL int, SALDO float, ALTA datetime);"
            "INSERT INTO MA_CUENTAS VALUES ('1', 'Caja', 1, 10.5, '2024-03-01 10:20:30');"
            "INSERT INTO MA_CUENTAS VALUES ('11', 'Banco Nación', 2, NULL, NULL);"
            "INSERT INTO MA_CUENTAS VALUES ('2', 'Deudores', 1, -3, NULL);"
            "CREATE TABLE MAXCUENTAS (X int)"));
        cn->Open(QStringLiteral("Driver=SQLite3;Database=") + Path());
    }

    QString Path() const { return dir.File(QStringLiteral("odbc.db")); }

    TempDir dir;
    std::shared_ptr<ado::Connection> cn = ado::Connection::Create();
};

TEST_F(OdbcTest, PlainOdbcStringOpensThroughTheDriverManager) {
    EXPECT_EQ(cn->State(), ado::adStateOpen);
    EXPECT_EQ(cn->Provider(), "MSDASQL");
}

TEST_F(OdbcTest, QueriesStreamRowsWithTypedValues) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT CODIGO, NOMBRE, NIVEL, SALDO, ALTA FROM MA_CUENTAS ORDER BY "
                           "CODIGO"),
            cn);
    EXPECT_EQ(rs.RecordCount(), -1);
    ASSERT_EQ(rs.Fields().Count(), 5);
    EXPECT_EQ(rs.Fields()[1].Name(), "NOMBRE");
    EXPECT_EQ(rs.Fields()[2].Type(), ado::adInteger);
    EXPECT_EQ(rs.Fields()[3].Type(), ado::adDouble);
    EXPECT_EQ(rs.Fields()[4].Type(), ado::adDBTimeStamp);
    EXPECT_EQ(rs.Fields()[2].Value(), Variant(1));
    EXPECT_EQ(rs.Fields()[3].Value(), Variant(10.5));
    EXPECT_EQ(rs.Fields()[4].Value(), Variant(QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30))));
    rs.MoveNext();
    EXPECT_EQ(rs.Fields()[QStringLiteral("nombre")].Value(), Variant("Banco Nación"));
    EXPECT_TRUE(rs.Fields()[3].Value().IsNull());
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("1"));
}

TEST_F(OdbcTest, OpenRecordsetsSurviveFurtherStatements) {
    ado::Recordset outer;
    outer.Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"), cn);
    QStringList seen;
    for (; !outer.Eof(); outer.MoveNext()) {
        const QString code = outer.Fields()[0].Value().ToString();
        ado::Recordset inner;
        inner.Open(QStringLiteral("SELECT NOMBRE FROM MA_CUENTAS WHERE CODIGO = '") + code +
                       QStringLiteral("'"),
                   cn);
        seen << code + QLatin1Char('=') + inner.Fields()[0].Value().ToString();
    }
    EXPECT_EQ(seen, QStringList({"1=Caja", "11=Banco Nación", "2=Deudores"}));
}

TEST_F(OdbcTest, StaticRecordsetsCountAndMoveBack) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"), cn, ado::adOpenStatic);
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.MoveLast();
    rs.MovePrevious();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("11"));
}

TEST_F(OdbcTest, ExecuteCountsChangedRowsAndReportsErrors) {
    int32_t affected = 0;
    cn->Execute(QStringLiteral("UPDATE MA_CUENTAS SET NIVEL = 5 WHERE NIVEL = 1"), &affected);
    EXPECT_EQ(affected, 2);
    try {
        cn->Execute(QStringLiteral("SELECT * FROM MA_NADA"));
        FAIL() << "no error raised";
    } catch (const rt::RuntimeError& e) {
        ASSERT_GE(cn->Errors().Count(), 1);
        const ado::Error& error = cn->Errors().Item(0);
        EXPECT_EQ(error.Number(), e.Number());
        EXPECT_FALSE(error.SQLState().isEmpty());
        EXPECT_TRUE(error.Description().contains(QLatin1String("no such table")))
            << error.Description().toStdString();
    }
}

TEST_F(OdbcTest, TransactionsRollBack) {
    cn->BeginTrans();
    cn->Execute(QStringLiteral("DELETE FROM MA_CUENTAS"));
    cn->RollbackTrans();
    ado::Recordset rs = cn->Execute(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS"));
    EXPECT_EQ(rs.Fields()[0].Value().ToLong(), 3);
}

TEST_F(OdbcTest, SchemaOfTablesAndColumns) {
    ado::Recordset tables = cn->OpenSchema(ado::adSchemaTables);
    QStringList names;
    for (; !tables.Eof(); tables.MoveNext()) {
        names << tables.Fields()[QStringLiteral("TABLE_NAME")].Value().ToString();
    }
    EXPECT_TRUE(names.contains(QLatin1String("MA_CUENTAS"))) << names.join(',').toStdString();

    // "_" is a pattern letter for the driver; only the named table answers.
    ado::Recordset columns = cn->OpenSchema(
        ado::adSchemaColumns, {Variant(), Variant(), Variant("MA_CUENTAS"), Variant()});
    QStringList columnNames;
    for (; !columns.Eof(); columns.MoveNext()) {
        EXPECT_EQ(columns.Fields()[QStringLiteral("TABLE_NAME")].Value(), Variant("MA_CUENTAS"));
        columnNames << columns.Fields()[QStringLiteral("COLUMN_NAME")].Value().ToString();
    }
    EXPECT_EQ(columnNames, QStringList({"CODIGO", "NOMBRE", "NIVEL", "SALDO", "ALTA"}));

    ado::Recordset one = cn->OpenSchema(
        ado::adSchemaColumns, {Variant(), Variant(), Variant("MA_CUENTAS"), Variant("nombre")});
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(one.Fields()[QStringLiteral("CHARACTER_MAXIMUM_LENGTH")].Value(), Variant(40));
}

TEST_F(OdbcTest, AMissingDataSourceIsAProviderError) {
    auto bad = ado::Connection::Create();
    try {
        bad->Open(QStringLiteral("DSN=no_such_data_source_here"));
        FAIL() << "opened a missing data source";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::err::ProviderUnspecified);
        ASSERT_GE(bad->Errors().Count(), 1);
        EXPECT_EQ(bad->Errors().Item(0).SQLState(), "IM002");
    }
    EXPECT_EQ(bad->State(), ado::adStateClosed);
}

// FreeTDS, the SQL Server driver, against a local port where nobody listens: a real failed
// connection whose state and native error reach Errors, and never the password.
TEST(FreeTdsTest, RefusedConnectionFillsErrors) {
    auto cn = ado::Connection::Create();
    try {
        cn->Open(
            QStringLiteral("Provider=SQLOLEDB;Data Source=127.0.0.1,1;Initial "
                           "Catalog=ventas;User ID=sa;Password=Sup3rSecreta;Connect "
                           "Timeout=2"));
        FAIL() << "connected to a closed port";
    } catch (const rt::RuntimeError& e) {
        ASSERT_GE(cn->Errors().Count(), 1);
        const ado::Error& first = cn->Errors().Item(0);
        EXPECT_EQ(e.Number(), first.Number());
        EXPECT_EQ(first.Number(), rt::err::ProviderUnspecified);
        EXPECT_TRUE(first.SQLState().startsWith(QLatin1String("08")))
            << first.SQLState().toStdString();
        EXPECT_NE(first.NativeError(), 0);
        EXPECT_EQ(first.Source(), "SQLOLEDB");
        for (const ado::Error& error : cn->Errors()) {
            EXPECT_FALSE(error.Description().contains(QLatin1String("Sup3rSecreta")));
        }
        EXPECT_FALSE(e.Description().contains(QLatin1String("Sup3rSecreta")));
    }
    EXPECT_EQ(cn->State(), ado::adStateClosed);
}

}  // namespace
