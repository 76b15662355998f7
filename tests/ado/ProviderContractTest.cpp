// What every provider of ours must do alike, run once per driver on the same tables: the embedded
// provider, the SQLite ODBC driver (libsqliteodbc, registered as "SQLite3") through the driver
// manager, and a PostgreSQL server of the suite's own through psqlODBC.
#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "PostgresServer.h"
#include "Printers.h"
#include "RaisedError.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using rt::Variant;

struct Driver {
    const char* name;
    const char* connection;  // %1 is the database file; empty for the PostgreSQL server
    // How the driver words a missing table.
    const char* missingTable;
};

bool IsServer(const Driver& driver) {
    return QLatin1String(driver.connection).isEmpty();
}

// The tables of every case; %1 is the type of a date and time column.
const char* const kSetup[] = {
    ("CREATE TABLE MA_CUENTAS (CODIGO varchar(10) PRIMARY KEY, NOMBRE varchar(40) NOT NULL, "
     "NIVEL int, SALDO float, ALTA %1)"),
    "INSERT INTO MA_CUENTAS VALUES ('1', 'Caja', 1, 10.5, '2024-03-01 10:20:30')",
    "INSERT INTO MA_CUENTAS VALUES ('11', 'Banco Nación', 2, NULL, NULL)",
    "INSERT INTO MA_CUENTAS VALUES ('2', 'Deudores', 1, -3, NULL)",
    "CREATE TABLE MAXCUENTAS (X int)",
};

QStringList Tables(const QString& dateTimeType) {
    QStringList statements;
    for (const char* statement : kSetup) {
        statements << QString::fromUtf8(statement).replace(QLatin1String("%1"), dateTimeType);
    }
    return statements;
}

void PrintTo(const Driver& driver, std::ostream* os) {
    *os << driver.name;
}

class ProviderContractTest : public ::testing::TestWithParam<Driver> {
  protected:
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override {
        if (IsServer(GetParam())) {
            if (!server) {
                server = std::make_unique<PostgresServer>();
            }
            ASSERT_TRUE(server->Running()) << server->Error().toStdString();
            cn->Open(server->ConnectionString());
            cn->Execute(QStringLiteral("DROP TABLE IF EXISTS MA_CUENTAS, MAXCUENTAS"));
            // PostgreSQL has no datetime type; timestamp is its name for it.
            for (const QString& statement : Tables(QStringLiteral("timestamp"))) {
                cn->Execute(statement);
            }
            return;
        }
        auto setup = ado::Connection::Create();
        setup->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") + Path());
        setup->Execute(Tables(QStringLiteral("datetime")).join(QLatin1Char('\n')));
        cn->Open(QString::fromLatin1(GetParam().connection).arg(Path()));
    }

    // PostgreSQL folds names written without quotes to lower case, and reports them so.
    QString Name(const char* name) const {
        const QString written = QLatin1String(name);
        return IsServer(GetParam()) ? written.toLower() : written;
    }

    QString Path() const { return dir.File(QStringLiteral("contrato.db")); }

    int Count() {
        ado::Recordset rs = cn->Execute(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS"));
        return rs.Fields()[0].Value().ToLong();
    }

    static std::unique_ptr<PostgresServer> server;
    TempDir dir;
    std::shared_ptr<ado::Connection> cn = ado::Connection::Create();
};

std::unique_ptr<PostgresServer> ProviderContractTest::server;

TEST_P(ProviderContractTest, QueriesStreamRowsWithTypedValues) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT CODIGO, NOMBRE, NIVEL, SALDO, ALTA FROM MA_CUENTAS ORDER BY "
                           "CODIGO"),
            cn);
    EXPECT_EQ(rs.RecordCount(), -1);
    ASSERT_EQ(rs.Fields().Count(), 5);
    EXPECT_EQ(rs.Fields()[1].Name(), Name("NOMBRE"));
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
    EXPECT_EQ(RaisedNumber([&] { rs.MoveNext(); }), ado::err::NoCurrentRecord);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("1"));
}

TEST_P(ProviderContractTest, OpenRecordsetsSurviveFurtherStatements) {
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

TEST_P(ProviderContractTest, StaticRecordsetsCountAndMoveBothWays) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"), cn, ado::adOpenStatic);
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.MoveLast();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("2"));
    rs.MovePrevious();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("11"));
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_TRUE(rs.Bof());
    EXPECT_FALSE(rs.Eof());
    EXPECT_EQ(RaisedNumber([&] { rs.MovePrevious(); }), ado::err::NoCurrentRecord);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("1"));
}

TEST_P(ProviderContractTest, ExecuteCountsChangedRowsAndReportsErrors) {
    int32_t affected = 0;
    cn->Execute(QStringLiteral("UPDATE MA_CUENTAS SET NIVEL = 5 WHERE NIVEL = 1"), &affected);
    EXPECT_EQ(affected, 2);
    // A statement that matches no row changed none (ODBC drivers answer it with SQL_NO_DATA).
    cn->Execute(QStringLiteral("UPDATE MA_CUENTAS SET NIVEL = 6 WHERE NIVEL = 99"), &affected);
    EXPECT_EQ(affected, 0);
    affected = 7;
    cn->Execute(QStringLiteral("DELETE FROM MAXCUENTAS"), &affected);
    EXPECT_EQ(affected, 0);
    try {
        cn->Execute(QStringLiteral("SELECT * FROM MA_NADA"));
        FAIL() << "no error raised";
    } catch (const rt::RuntimeError& e) {
        ASSERT_GE(cn->Errors().Count(), 1);
        const ado::Error& error = cn->Errors().Item(0);
        EXPECT_EQ(error.Number(), e.Number());
        EXPECT_FALSE(error.SQLState().isEmpty());
        EXPECT_TRUE(error.Description().contains(QLatin1String(GetParam().missingTable)))
            << error.Description().toStdString();
    }
}

TEST_P(ProviderContractTest, TransactionsCommitAndRollBack) {
    EXPECT_EQ(cn->BeginTrans(), 1);
    EXPECT_TRUE(cn->InTransaction());
    EXPECT_THROW(cn->BeginTrans(), rt::RuntimeError);
    cn->Execute(QStringLiteral("DELETE FROM MA_CUENTAS"));
    cn->RollbackTrans();
    EXPECT_FALSE(cn->InTransaction());
    EXPECT_EQ(Count(), 3);
    cn->BeginTrans();
    cn->Execute(QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = '2'"));
    cn->CommitTrans();
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(RaisedNumber([&] { cn->CommitTrans(); }), ado::err::NoTransaction);
}

TEST_P(ProviderContractTest, SchemaOfTablesAndColumns) {
    ado::Recordset tables = cn->OpenSchema(ado::adSchemaTables);
    QStringList names;
    for (; !tables.Eof(); tables.MoveNext()) {
        names << tables.Fields()[QStringLiteral("TABLE_NAME")].Value().ToString();
    }
    EXPECT_TRUE(names.contains(Name("MA_CUENTAS"))) << names.join(',').toStdString();

    // "_" is a pattern letter for ODBC drivers; only the named table answers.
    ado::Recordset columns = cn->OpenSchema(
        ado::adSchemaColumns, {Variant(), Variant(), Variant("MA_CUENTAS"), Variant()});
    QStringList columnNames;
    for (; !columns.Eof(); columns.MoveNext()) {
        EXPECT_EQ(columns.Fields()[QStringLiteral("TABLE_NAME")].Value(),
                  Variant(Name("MA_CUENTAS")));
        columnNames << columns.Fields()[QStringLiteral("COLUMN_NAME")].Value().ToString();
    }
    EXPECT_EQ(columnNames, QStringList({Name("CODIGO"), Name("NOMBRE"), Name("NIVEL"),
                                        Name("SALDO"), Name("ALTA")}));

    ado::Recordset one = cn->OpenSchema(
        ado::adSchemaColumns, {Variant(), Variant(), Variant("MA_CUENTAS"), Variant("nombre")});
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(one.Fields()[QStringLiteral("CHARACTER_MAXIMUM_LENGTH")].Value(), Variant(40));
}

const Driver kDrivers[] = {
    {"Embedded", "Provider=SQLite;Data Source=%1", "no such table"},
    {"SqliteOdbc", "Driver=SQLite3;Database=%1", "no such table"},
};

INSTANTIATE_TEST_SUITE_P(Drivers, ProviderContractTest, ::testing::ValuesIn(kDrivers), CaseName());

// Its own suite, so that its server starts once for all its cases.
const Driver kServers[] = {
    {"PostgreSQL", "", "does not exist"},
};

INSTANTIATE_TEST_SUITE_P(Postgres, ProviderContractTest, ::testing::ValuesIn(kServers), CaseName());

}  // namespace
