#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "Printers.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using rt::Variant;

class SqliteConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cn->Open(ConnectionString() + QStringLiteral(";Mode=ReadWriteCreate"));
        cn->Execute(QStringLiteral(
            "CREATE TABLE MA_RUBROS (CODIGO int PRIMARY KEY, NOMBRE varchar(30) NOT NULL UNIQUE);"
            "CREATE TABLE MA_ARTICULOS (CODIGO varchar(10) PRIMARY KEY, DESCRIPCION varchar(40), "
            "RUBRO int REFERENCES MA_RUBROS (CODIGO), PRECIO money)"));
        cn->Execute(QStringLiteral("INSERT INTO MA_RUBROS VALUES (1, 'Bebidas'), (2, 'Almacén')"));
    }

    QString ConnectionString() const {
        return QStringLiteral("Provider=SQLite;Data Source=") + dir.File(QStringLiteral("c.db"));
    }

    Variant Scalar(const QString& sql) {
        ado::Recordset rs = cn->Execute(sql);
        return rs.Fields()[0].Value();
    }

    // The provider error a statement raises, checked against the connection's Errors.
    int32_t Failure(const QString& sql) {
        try {
            cn->Execute(sql);
        } catch (const rt::RuntimeError& e) {
            EXPECT_GE(cn->Errors().Count(), 1);
            EXPECT_EQ(cn->Errors().Item(0).Number(), e.Number());
            EXPECT_EQ(cn->Errors().Item(0).Description(), e.Description());
            return e.Number();
        }
        return 0;
    }

    TempDir dir;
    std::shared_ptr<ado::Connection> cn = ado::Connection::Create();
};

// Another program's write in progress: an exclusive transaction on the file, from a thread of
// its own, that adds a row, says it holds the lock and commits once `beforeCommit` returns.
std::thread OtherProgramWrites(const QString& path, std::promise<void>& holding,
                               std::function<void()> beforeCommit) {
    return std::thread([path, &holding, beforeCommit = std::move(beforeCommit)] {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "INSERT INTO MA_RUBROS VALUES (3, 'Limpieza')", nullptr, nullptr, nullptr);
        holding.set_value();
        beforeCommit();
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    });
}

// An open while another program holds the file's write lock for a second waits for it (the
// busy timeout is set before the open's first statement) and then reads what it wrote.
TEST_F(SqliteConnectionTest, AnOpenWaitsForAnotherProgramsWrite) {
    constexpr std::chrono::seconds kWrite(1);
    std::promise<void> holding;
    std::thread writer = OtherProgramWrites(dir.File(QStringLiteral("c.db")), holding,
                                            [kWrite] { std::this_thread::sleep_for(kWrite); });
    holding.get_future().wait();
    auto other = ado::Connection::Create();
    Variant rows;
    try {
        other->Open(ConnectionString());
        rows = other->Execute(QStringLiteral("SELECT COUNT(*) FROM MA_RUBROS")).Fields()[0].Value();
    } catch (const rt::RuntimeError& e) {
        ADD_FAILURE() << e.Description().toStdString();
    }
    writer.join();
    EXPECT_EQ(rows, Variant(3));
}

// Past the string's "Busy Timeout" (seconds) the open fails as a timeout, saying the database is
// locked.
TEST_F(SqliteConnectionTest, AnOpenThatWaitsPastItsBusyTimeoutFailsAsATimeout) {
    std::promise<void> holding;
    std::promise<void> done;
    std::thread writer =
        OtherProgramWrites(dir.File(QStringLiteral("c.db")), holding,
                           [finished = done.get_future().share()] { finished.wait(); });
    holding.get_future().wait();
    auto other = ado::Connection::Create();
    int32_t number = 0;
    try {
        other->Open(ConnectionString() + QStringLiteral(";Busy Timeout=1"));
    } catch (const rt::RuntimeError& e) {
        number = e.Number();
        EXPECT_EQ(other->Errors().Item(0).SQLState(), "HYT00");
        EXPECT_TRUE(e.Description().contains(QStringLiteral("locked")))
            << e.Description().toStdString();
    }
    done.set_value();
    writer.join();
    EXPECT_EQ(number, rt::err::ProviderTimeout);
}

TEST_F(SqliteConnectionTest, NeverOpenedConnectionIsClosedWithEmptyString) {
    ado::Connection fresh;
    EXPECT_EQ(fresh.ConnectionString(), "");
    EXPECT_EQ(fresh.State(), ado::adStateClosed);
    EXPECT_EQ(fresh.CursorLocation(), ado::adUseServer);
    EXPECT_EQ(fresh.Errors().Count(), 0);
}

TEST_F(SqliteConnectionTest, OpenKeepsTheStringAndRefusesASecondOpen) {
    EXPECT_EQ(cn->ConnectionString(), ConnectionString() + QStringLiteral(";Mode=ReadWriteCreate"));
    EXPECT_EQ(cn->State(), ado::adStateOpen);
    EXPECT_EQ(cn->Provider(), "SQLite");
    EXPECT_THROW(cn->Open(ConnectionString()), rt::RuntimeError);
    EXPECT_THROW(cn->SetConnectionString(QString()), rt::RuntimeError);
}

TEST_F(SqliteConnectionTest, ExecuteReportsRecordsAffected) {
    int32_t affected = 0;
    cn->Execute(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('A', 'Agua', 1, 10), "
                               "('B', 'Yerba', 2, 20), ('C', 'Soda', 1, 5)"),
                &affected);
    EXPECT_EQ(affected, 3);
    cn->Execute(QStringLiteral("UPDATE MA_ARTICULOS SET PRECIO = PRECIO * 2 WHERE RUBRO = 1"),
                &affected);
    EXPECT_EQ(affected, 2);
    cn->Execute(QStringLiteral("DELETE FROM MA_ARTICULOS WHERE 1 = 0"), &affected);
    EXPECT_EQ(affected, 0);
    cn->Execute(QStringLiteral("SELECT * FROM MA_ARTICULOS"), &affected);
    EXPECT_EQ(affected, -1);
    // Several statements: the rows of all of them, and the rows of the last one as result.
    ado::Recordset rs = cn->Execute(
        QStringLiteral("UPDATE MA_ARTICULOS SET PRECIO = 1; DELETE FROM MA_ARTICULOS WHERE "
                       "CODIGO = 'C';\n SELECT COUNT(*) FROM MA_ARTICULOS; -- done\n"),
        &affected);
    EXPECT_EQ(affected, 4);
    EXPECT_EQ(rs.Fields()[0].Value(), Variant(2));
}

TEST_F(SqliteConnectionTest, ExecuteWithNoRecordsGivesAClosedRecordset) {
    ado::Recordset rs = cn->Execute(QStringLiteral("SELECT * FROM MA_RUBROS"), nullptr,
                                    ado::adCmdText | ado::adExecuteNoRecords);
    EXPECT_EQ(rs.State(), ado::adStateClosed);
}

TEST_F(SqliteConnectionTest, ErrorsCarryTheProviderNumbers) {
    EXPECT_EQ(Failure(QStringLiteral("SELEC * FROM MA_RUBROS")), rt::err::ProviderSyntax);
    EXPECT_EQ(cn->Errors().Item(0).SQLState(), "42000");
    EXPECT_EQ(Failure(QStringLiteral("SELECT NOPE FROM MA_RUBROS")), rt::err::ProviderSyntax);
    EXPECT_EQ(cn->Errors().Item(0).SQLState(), "42S22");
    EXPECT_EQ(Failure(QStringLiteral("SELECT * FROM MA_NADA")), rt::err::ProviderNoTable);
    EXPECT_EQ(cn->Errors().Item(0).SQLState(), "42S02");
    EXPECT_EQ(cn->Errors().Item(0).Description(), "no such table: MA_NADA");
    EXPECT_EQ(Failure(QStringLiteral("INSERT INTO MA_RUBROS VALUES (1, 'Otra')")),
              rt::err::ProviderIntegrity);
    EXPECT_EQ(cn->Errors().Item(0).NativeError(), 1555);  // SQLITE_CONSTRAINT_PRIMARYKEY
    // Foreign keys are enforced as SQL Server enforces them.
    EXPECT_EQ(Failure(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('X', 'x', 99, 1)")),
              rt::err::ProviderIntegrity);
    cn->Errors().Clear();
    EXPECT_EQ(cn->Errors().Count(), 0);
}

TEST_F(SqliteConnectionTest, UniqueTextIgnoresCaseOnCreatedTables) {
    EXPECT_EQ(Failure(QStringLiteral("INSERT INTO MA_RUBROS VALUES (3, 'BEBIDAS')")),
              rt::err::ProviderIntegrity);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM MA_RUBROS WHERE NOMBRE = 'bebidas'")),
              Variant(1));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CODIGO FROM MA_RUBROS ORDER BY NOMBRE")), Variant(2));
}

TEST_F(SqliteConnectionTest, AddedTextColumnsIgnoreCaseToo) {
    cn->Execute(
        QStringLiteral("ALTER TABLE dbo.MA_RUBROS ADD ALIAS varchar(10) Null  CONSTRAINT "
                       "DF_MA_RUBROS_ALIAS DEFAULT ('Beb')"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM MA_RUBROS WHERE ALIAS = 'BEB'")),
              Variant(2));
}

TEST_F(SqliteConnectionTest, AcceptsTheSqlServerFormsOfTheProgram) {
    cn->Execute(
        QStringLiteral("INSERT INTO dbo.MA_ARTICULOS VALUES ('A', N'Agua mineral  ', 1, "
                       "10), ('B', 'Yerba', 2, NULL)"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT TOP 1 CODIGO FROM dbo.MA_ARTICULOS ORDER BY CODIGO "
                                    "DESC")),
              Variant("B"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT LEN(DESCRIPCION) FROM MA_ARTICULOS WHERE CODIGO = "
                                    "'A'")),
              Variant(12));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('MINERAL', DESCRIPCION) FROM MA_ARTICULOS "
                                    "WHERE CODIGO = 'A'")),
              Variant(6));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('a', 'banana', 3)")), Variant(4));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('z', 'banana')")), Variant(0));
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT LEN(NULL)")).IsNull());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ISNULL(PRECIO, -1) FROM MA_ARTICULOS WHERE CODIGO = "
                                    "'B'")),
              Variant(-1));
    const Variant today = Scalar(QStringLiteral("SELECT GETDATE()"));
    EXPECT_TRUE(today.ToString().startsWith(QDate::currentDate().toString(Qt::ISODate)))
        << today.ToString().toStdString();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT [DESCRIPCION] FROM [MA_ARTICULOS] WHERE CODIGO = "
                                    "'B'")),
              Variant("Yerba"));
}

TEST_F(SqliteConnectionTest, ClosingRollsBackAPendingTransaction) {
    cn->BeginTrans();
    cn->Execute(QStringLiteral("INSERT INTO MA_RUBROS VALUES (3, 'Limpieza')"));
    cn->Close();
    cn->Open();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM MA_RUBROS")), Variant(2));
}

TEST_F(SqliteConnectionTest, ALockedDatabaseTimesOut) {
    auto other = ado::Connection::Create();
    other->SetCommandTimeout(1);
    other->Open(ConnectionString());
    cn->BeginTrans();
    cn->Execute(QStringLiteral("INSERT INTO MA_RUBROS VALUES (3, 'Limpieza')"));
    try {
        other->Execute(QStringLiteral("INSERT INTO MA_RUBROS VALUES (4, 'Otros')"));
        FAIL() << "the write went through a locked database";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::err::ProviderTimeout);
        EXPECT_EQ(other->Errors().Item(0).SQLState(), "HYT00");
    }
    cn->RollbackTrans();
}

TEST_F(SqliteConnectionTest, OpenFailuresAreProviderErrors) {
    auto bad = ado::Connection::Create();
    try {
        bad->Open(QStringLiteral("Provider=SQLite;Data Source=") + dir.File("no/such/dir/x.db"));
        FAIL() << "opened a file in a missing folder";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::err::ProviderUnspecified);
        EXPECT_EQ(bad->Errors().Count(), 1);
        EXPECT_EQ(bad->Errors().Item(0).SQLState(), "08001");
    }
    EXPECT_EQ(bad->State(), ado::adStateClosed);

    QFile junk(dir.File(QStringLiteral("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(bad->Open(QStringLiteral("Provider=SQLite;Data Source=") + junk.fileName()),
                 rt::RuntimeError);
    EXPECT_EQ(bad->State(), ado::adStateClosed);
    EXPECT_THROW(bad->Open(QStringLiteral("Provider=SQLite;Data Source=")), rt::RuntimeError);
}

TEST_F(SqliteConnectionTest, AMissingFileFailsAndIsCreatedOnlyWhenAskedFor) {
    const QString path = dir.File(QStringLiteral("mistyped.db"));
    auto other = ado::Connection::Create();
    try {
        other->Open(QStringLiteral("Provider=SQLite;Data Source=") + path);
        FAIL() << "opened a database that does not exist";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::err::ProviderUnspecified);
        EXPECT_TRUE(other->Errors().Item(0).Description().contains("no existe"));
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(other->State(), ado::adStateClosed);

    other->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") + path);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(SqliteConnectionTest, ReadOnlyModeRefusesWrites) {
    auto reader = ado::Connection::Create();
    reader->Open(ConnectionString() + QStringLiteral(";Mode=Read"));
    EXPECT_THROW(reader->Execute(QStringLiteral("DELETE FROM MA_RUBROS")), rt::RuntimeError);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM MA_RUBROS")), Variant(2));
}

TEST_F(SqliteConnectionTest, SchemaOfTables) {
    cn->Execute(QStringLiteral("CREATE VIEW V_RUBROS AS SELECT * FROM MA_RUBROS"));
    ado::Recordset rs = cn->OpenSchema(ado::adSchemaTables);
    QStringList names;
    for (; !rs.Eof(); rs.MoveNext()) {
        names << rs.Fields().Item(QStringLiteral("TABLE_NAME")).Value().ToString() + ":" +
                     rs.Fields().Item(QStringLiteral("TABLE_TYPE")).Value().ToString();
    }
    EXPECT_EQ(names, QStringList({"MA_ARTICULOS:TABLE", "MA_RUBROS:TABLE", "V_RUBROS:VIEW"}));
    ado::Recordset one = cn->OpenSchema(ado::adSchemaTables,
                                        {Variant(), Variant(), Variant("ma_rubros"), Variant()});
    EXPECT_EQ(one.RecordCount(), 1);
}

TEST_F(SqliteConnectionTest, SchemaOfColumnsWithRestrictions) {
    ado::Recordset rs = cn->OpenSchema(
        ado::adSchemaColumns, {Variant(""), Variant(""), Variant("ma_articulos"), Variant("")});
    QStringList names;
    for (; !rs.Eof(); rs.MoveNext()) {
        names << rs.Fields().Item(QStringLiteral("COLUMN_NAME")).Value().ToString();
        EXPECT_EQ(rs.Fields().Item(QStringLiteral("TABLE_NAME")).Value(), Variant("MA_ARTICULOS"));
    }
    EXPECT_EQ(names, QStringList({"CODIGO", "DESCRIPCION", "RUBRO", "PRECIO"}));

    ado::Recordset column =
        cn->OpenSchema(ado::adSchemaColumns,
                       {Variant("c"), Variant(), Variant("MA_ARTICULOS"), Variant("precio")});
    ASSERT_EQ(column.RecordCount(), 1);
    EXPECT_EQ(column.Fields().Item(QStringLiteral("DATA_TYPE")).Value(), Variant(ado::adCurrency));

    // The catalogue of the file is its name; another catalogue has none of its columns.
    ado::Recordset other = cn->OpenSchema(
        ado::adSchemaColumns, {Variant("ventas"), Variant(), Variant("MA_ARTICULOS"), Variant()});
    EXPECT_TRUE(other.Bof() && other.Eof());
}

TEST_F(SqliteConnectionTest, ConnectionMustBeHeldBySharedPointerToExecute) {
    ado::Connection local;
    local.Open(ConnectionString());
    EXPECT_THROW(local.Execute(QStringLiteral("SELECT 1")), rt::RuntimeError);
}

TEST_F(SqliteConnectionTest, PropertiesAreABagByName) {
    EXPECT_EQ(cn->Properties().Item(QStringLiteral("sql server odbc driver")), Variant("FreeTDS"));
    cn->Properties().SetItem(QStringLiteral("Oracle ODBC Driver"), QStringLiteral("OracleXE"));
    EXPECT_EQ(cn->Properties().Item(QStringLiteral("ORACLE ODBC DRIVER")), Variant("OracleXE"));
    EXPECT_THROW(cn->Properties().Item(QStringLiteral("nope")), rt::RuntimeError);
}

}  // namespace
