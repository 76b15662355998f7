#include <gtest/gtest.h>

#include "Printers.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using rt::Variant;

// What only ODBC does: plain ODBC strings through the driver manager and its failures. What every
// provider does is in ProviderContractTest.
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
