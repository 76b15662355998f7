// A real client/server engine through ODBC: PostgreSQL, started by the suite in a folder of its
// own, reached through the psqlODBC driver with a plain "Driver=" string. What every provider
// does alike is in ProviderContractTest; here is what only a server shows: cursors over the
// network, its own types, sessions that see each other, its SQLSTATEs, and a server that goes
// away and comes back.
#include <gtest/gtest.h>

#include <QStringList>
#include <barrier>
#include <memory>
#include <thread>

#include "PostgresServer.h"
#include "Printers.h"
#include "RaisedError.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using rt::Variant;

constexpr int kRows = 1000;  // rows of the numbered table: more than one network fetch

class PostgresOdbcTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = std::make_unique<PostgresServer>(); }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override {
        ASSERT_TRUE(server->Running() || server->Start()) << server->Error().toStdString();
        cn->Open(server->ConnectionString());
        cn->Execute(QStringLiteral("DROP TABLE IF EXISTS NUMEROS, MOVIMIENTOS, CUENTAS"));
        cn->Execute(
            QStringLiteral("CREATE TABLE NUMEROS (N int PRIMARY KEY, TEXTO varchar(20) NOT NULL)"));
        cn->Execute(QStringLiteral("INSERT INTO NUMEROS SELECT g, 'fila ' || g FROM "
                                   "generate_series(1, %1) g")
                        .arg(kRows));
        cn->Execute(
            QStringLiteral("CREATE TABLE CUENTAS (CODIGO varchar(10) PRIMARY KEY, "
                           "NOMBRE varchar(40) NOT NULL, SALDO numeric(12,2) CHECK "
                           "(SALDO >= 0))"));
        cn->Execute(
            QStringLiteral("CREATE TABLE MOVIMIENTOS (ID int PRIMARY KEY, CUENTA "
                           "varchar(10) REFERENCES CUENTAS (CODIGO))"));
        cn->Execute(QStringLiteral("INSERT INTO CUENTAS VALUES ('1', 'Caja', 10)"));
    }

    static std::shared_ptr<ado::Connection> Open() {
        auto other = ado::Connection::Create();
        other->Open(server->ConnectionString());
        return other;
    }

    static int Count(ado::Connection& connection, const QString& table) {
        ado::Recordset rs = connection.Execute(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        return rs.Fields()[0].Value().ToLong();
    }

    static std::unique_ptr<PostgresServer> server;
    std::shared_ptr<ado::Connection> cn = ado::Connection::Create();
};

std::unique_ptr<PostgresServer> PostgresOdbcTest::server;

// ---- Cursors ----

struct CursorCase {
    const char* name;
    int location;
    int asked;
    int opened;      // the cursor type the recordset reports
    bool backwards;  // moves back and counts its rows
};

const CursorCase kCursors[] = {
    {"ServerForwardOnly", ado::adUseServer, ado::adOpenForwardOnly, ado::adOpenForwardOnly, false},
    {"ServerStatic", ado::adUseServer, ado::adOpenStatic, ado::adOpenStatic, true},
    {"ServerKeyset", ado::adUseServer, ado::adOpenKeyset, ado::adOpenKeyset, true},
    {"ServerDynamic", ado::adUseServer, ado::adOpenDynamic, ado::adOpenDynamic, true},
    // A client-side recordset is static whatever was asked, as in ADO.
    {"ClientForwardOnly", ado::adUseClient, ado::adOpenForwardOnly, ado::adOpenStatic, true},
    {"ClientKeyset", ado::adUseClient, ado::adOpenKeyset, ado::adOpenStatic, true},
};

TEST_F(PostgresOdbcTest, EveryCursorTypeReadsEveryRowInOrder) {
    for (const CursorCase& c : kCursors) {
        SCOPED_TRACE(c.name);
        ado::Recordset rs;
        rs.SetCursorLocation(c.location);
        rs.Open(QStringLiteral("SELECT N, TEXTO FROM NUMEROS ORDER BY N"), cn, c.asked);
        EXPECT_EQ(rs.CursorType(), c.opened);
        EXPECT_EQ(rs.RecordCount(), c.backwards ? kRows : -1);
        int expected = 1;
        for (; !rs.Eof(); rs.MoveNext(), ++expected) {
            ASSERT_EQ(rs.Fields()[0].Value(), Variant(expected));
        }
        EXPECT_EQ(expected, kRows + 1);
        if (c.backwards) {
            rs.MoveLast();
            rs.MovePrevious();
            EXPECT_EQ(rs.Fields()[1].Value(), Variant(QStringLiteral("fila %1").arg(kRows - 1)));
        }
        // Forward-only starts again by running the statement once more.
        rs.MoveFirst();
        EXPECT_EQ(rs.Fields()[1].Value(), Variant("fila 1"));
    }
}

// Four recordsets of one connection open together, read in turns.
TEST_F(PostgresOdbcTest, StreamingRecordsetsOfOneConnectionReadInTurns) {
    std::vector<ado::Recordset> recordsets(4);
    for (size_t i = 0; i < recordsets.size(); ++i) {
        recordsets[i].Open(
            QStringLiteral("SELECT N FROM NUMEROS WHERE N % 4 = %1 ORDER BY N").arg(i), cn);
    }
    int total = 0;
    for (bool more = true; more;) {
        more = false;
        for (ado::Recordset& rs : recordsets) {
            if (!rs.Eof()) {
                total += rs.Fields()[0].Value().ToLong() > 0 ? 1 : 0;
                rs.MoveNext();
                more = true;
            }
        }
    }
    EXPECT_EQ(total, kRows);
}

// ---- Types ----

struct TypeCase {
    const char* name;
    const char* column;  // the column's type in CREATE TABLE
    const char* value;   // its value in INSERT
    int type;
    int32_t definedSize;
    int precision;
    int scale;
    Variant expected;
};

TEST_F(PostgresOdbcTest, ColumnTypesSizesAndValues) {
    const QDateTime timestamp(QDate(2024, 3, 1), QTime(10, 20, 30));
    const TypeCase cases[] = {
        {"SmallInt", "smallint", "-7", ado::adSmallInt, 2, 0, 0, Variant(-7)},
        {"Integer", "integer", "2147483647", ado::adInteger, 4, 0, 0, Variant(2147483647)},
        {"BigInt", "bigint", "9007199254740993", ado::adBigInt, 8, 0, 0,
         Variant(int64_t{9007199254740993})},
        {"Numeric", "numeric(12,2)", "1234.56", ado::adNumeric, 19, 12, 2, Variant(1234.56)},
        {"Real", "real", "1.5", ado::adSingle, 4, 0, 0, Variant(1.5)},
        {"Double", "double precision", "-2.25", ado::adDouble, 8, 0, 0, Variant(-2.25)},
        {"VarChar", "varchar(40)", "'Banco Nación'", ado::adVarWChar, 40, 0, 0,
         Variant("Banco Nación")},
        {"Char", "char(5)", "'ab'", ado::adWChar, 5, 0, 0, Variant("ab   ")},
        {"Text", "text", "'largo'", ado::adLongVarWChar, 1073741823, 0, 0, Variant("largo")},
        {"Date", "date", "'2024-03-01'", ado::adDBDate, 6, 0, 0,
         Variant(QDateTime(QDate(2024, 3, 1), QTime(0, 0)))},
        {"Timestamp", "timestamp", "'2024-03-01 10:20:30'", ado::adDBTimeStamp, 16, 0, 0,
         Variant(timestamp)},
        {"Boolean", "boolean", "true", ado::adBoolean, 2, 0, 0, Variant(true)},
    };
    QStringList columns;
    QStringList values;
    for (const TypeCase& c : cases) {
        columns << QLatin1String(c.name) + QLatin1Char(' ') + QLatin1String(c.column);
        values << QString::fromUtf8(c.value);
    }
    cn->Execute(QStringLiteral("CREATE TEMPORARY TABLE TIPOS (") + columns.join(QLatin1Char(',')) +
                QLatin1Char(')'));
    cn->Execute(QStringLiteral("INSERT INTO TIPOS VALUES (") + values.join(QLatin1Char(',')) +
                QLatin1Char(')'));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TIPOS"), cn);
    ASSERT_EQ(rs.Fields().Count(), static_cast<int>(std::size(cases)));
    for (int i = 0; i < rs.Fields().Count(); ++i) {
        const TypeCase& c = cases[i];
        SCOPED_TRACE(c.name);
        const ado::Field& field = rs.Fields()[i];
        EXPECT_EQ(field.Name(), QString::fromLatin1(c.name).toLower());
        EXPECT_EQ(field.Type(), c.type);
        EXPECT_EQ(field.DefinedSize(), c.definedSize);
        if (c.type == ado::adNumeric) {
            EXPECT_EQ(field.Precision(), c.precision);
            EXPECT_EQ(field.NumericScale(), c.scale);
        }
        EXPECT_EQ(field.Value(), c.expected);
    }
}

TEST_F(PostgresOdbcTest, LongTextAndNullsComeWhole) {
    cn->Execute(QStringLiteral("CREATE TEMPORARY TABLE LARGOS (T text, V varchar(10))"));
    cn->Execute(QStringLiteral("INSERT INTO LARGOS VALUES (repeat('ñandú ', 5000), NULL)"));
    ado::Recordset rs = cn->Execute(QStringLiteral("SELECT T, V FROM LARGOS"));
    EXPECT_EQ(rs.Fields()[0].Value(), Variant(QStringLiteral("ñandú ").repeated(5000)));
    EXPECT_TRUE(rs.Fields()[1].Value().IsNull());
}

// ---- Transactions ----

TEST_F(PostgresOdbcTest, OtherSessionsSeeOnlyCommittedWork) {
    auto other = Open();
    cn->BeginTrans();
    cn->Execute(QStringLiteral("DELETE FROM NUMEROS WHERE N > 10"));
    EXPECT_EQ(Count(*cn, QStringLiteral("NUMEROS")), 10);
    EXPECT_EQ(Count(*other, QStringLiteral("NUMEROS")), kRows);
    cn->RollbackTrans();
    EXPECT_EQ(Count(*cn, QStringLiteral("NUMEROS")), kRows);

    cn->BeginTrans();
    int32_t affected = 0;
    cn->Execute(QStringLiteral("UPDATE CUENTAS SET SALDO = 20"), &affected);
    EXPECT_EQ(affected, 1);
    cn->CommitTrans();
    ado::Recordset rs = other->Execute(QStringLiteral("SELECT SALDO FROM CUENTAS"));
    EXPECT_EQ(rs.Fields()[0].Value(), Variant(20.0));
}

// psqlODBC undoes only the failed statement (a savepoint around each), as SQL Server does, where
// PostgreSQL alone would spoil the whole transaction.
TEST_F(PostgresOdbcTest, AFailedStatementInATransactionUndoesOnlyItself) {
    cn->BeginTrans();
    cn->Execute(QStringLiteral("DELETE FROM NUMEROS WHERE N > 10"));
    EXPECT_EQ(RaisedNumber([&] { cn->Execute(QStringLiteral("SELECT * FROM NADA")); }),
              rt::err::ProviderNoTable);
    EXPECT_TRUE(cn->InTransaction());
    EXPECT_EQ(Count(*cn, QStringLiteral("NUMEROS")), 10);
    cn->RollbackTrans();
    EXPECT_FALSE(cn->InTransaction());
    EXPECT_EQ(Count(*cn, QStringLiteral("NUMEROS")), kRows);
}

TEST_F(PostgresOdbcTest, ClosingWithAPendingTransactionRollsItBack) {
    cn->BeginTrans();
    cn->Execute(QStringLiteral("DELETE FROM NUMEROS"));
    cn->Close();
    EXPECT_EQ(Count(*Open(), QStringLiteral("NUMEROS")), kRows);
}

// ---- Errors ----

struct ErrorCase {
    const char* name;
    const char* statement;
    const char* sqlState;
    int32_t number;
};

TEST_F(PostgresOdbcTest, ServerErrorsCarryTheirSqlStateAndTheProviderNumber) {
    const ErrorCase cases[] = {
        {"Syntax", "SELEC 1", "42601", rt::err::ProviderSyntax},
        {"MissingTable", "SELECT * FROM MA_NADA", "42P01", rt::err::ProviderNoTable},
        {"MissingColumn", "SELECT NADA FROM CUENTAS", "42703", rt::err::ProviderSyntax},
        {"MissingFunction", "SELECT NADA(1)", "42883", rt::err::ProviderSyntax},
        {"DuplicateKey", "INSERT INTO CUENTAS VALUES ('1', 'Otra', 0)", "23505",
         rt::err::ProviderIntegrity},
        {"NullInNotNull", "INSERT INTO CUENTAS VALUES ('2', NULL, 0)", "23502",
         rt::err::ProviderIntegrity},
        {"ForeignKey", "INSERT INTO MOVIMIENTOS VALUES (1, '99')", "23503",
         rt::err::ProviderIntegrity},
        {"Check", "UPDATE CUENTAS SET SALDO = -1", "23514", rt::err::ProviderIntegrity},
        {"DivisionByZero", "SELECT 1 / 0", "22012", rt::err::ProviderUnspecified},
        {"StatementTimeout", "SET statement_timeout = 1; SELECT pg_sleep(5)", "57014",
         rt::err::ProviderTimeout},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            cn->Execute(QString::fromUtf8(c.statement));
            ADD_FAILURE() << "no error raised";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.Number(), c.number);
            ASSERT_GE(cn->Errors().Count(), 1);
            const ado::Error& first = cn->Errors().Item(0);
            EXPECT_EQ(first.SQLState(), c.sqlState);
            EXPECT_EQ(first.Number(), c.number);
            EXPECT_EQ(first.Source(), "MSDASQL");
            EXPECT_FALSE(first.Description().isEmpty());
        }
        cn->Execute(QStringLiteral("RESET statement_timeout"));
    }
    EXPECT_EQ(Count(*cn, QStringLiteral("CUENTAS")), 1);
}

TEST_F(PostgresOdbcTest, TheCommandTimeoutEndsASlowStatement) {
    cn->SetCommandTimeout(1);
    EXPECT_EQ(RaisedNumber([&] { cn->Execute(QStringLiteral("SELECT pg_sleep(30)")); }),
              rt::err::ProviderTimeout);
    EXPECT_EQ(Count(*cn, QStringLiteral("CUENTAS")), 1);
}

TEST_F(PostgresOdbcTest, AWrongPasswordIsAProviderErrorThatNeverShowsIt) {
    const QString wrong = QStringLiteral("Equivocada;123");
    auto bad = ado::Connection::Create();
    QString connection = server->ConnectionString();
    connection.replace(QLatin1String("{") + PostgresServer::Password() + QLatin1Char('}'),
                       QLatin1String("{") + wrong + QLatin1Char('}'));
    try {
        bad->Open(connection);
        FAIL() << "opened with a wrong password";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::err::ProviderUnspecified);
        ASSERT_GE(bad->Errors().Count(), 1);
        // psqlODBC reports every refused login as a failed connection.
        EXPECT_EQ(bad->Errors().Item(0).SQLState(), "08001");
        EXPECT_TRUE(bad->Errors().Item(0).Description().contains(QLatin1String("password")))
            << bad->Errors().Item(0).Description().toStdString();
        for (const ado::Error& error : bad->Errors()) {
            EXPECT_FALSE(error.Description().contains(QLatin1String("Equivocada")));
        }
    }
    EXPECT_EQ(bad->State(), ado::adStateClosed);
}

// ---- Sessions ----

// Four connections, each on a thread of its own, inserting inside their own transactions at the
// same time: each sees its own rows only until it commits, and the server keeps them all.
TEST_F(PostgresOdbcTest, FourConnectionsWorkAtOnce) {
    constexpr int kSessions = 4;
    constexpr int kEach = 50;
    cn->Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS SESIONES (S int, N int)"));
    cn->Execute(QStringLiteral("DELETE FROM SESIONES"));
    // Every session waits for the others at each step; one that fails drops out of the steps.
    std::barrier together(kSessions);
    std::vector<QString> failures(kSessions);
    std::vector<int> ownSeen(kSessions);
    std::vector<int> openTogether(kSessions);
    std::vector<std::thread> threads;
    for (int s = 0; s < kSessions; ++s) {
        threads.emplace_back([&, s] {
            try {
                auto session = Open();
                together.arrive_and_wait();
                ado::Recordset active = session->Execute(
                    QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE datname = '") +
                    PostgresServer::Database() + QLatin1Char('\''));
                openTogether[s] = active.Fields()[0].Value().ToLong();
                session->BeginTrans();
                for (int n = 0; n < kEach; ++n) {
                    session->Execute(
                        QStringLiteral("INSERT INTO SESIONES VALUES (%1, %2)").arg(s).arg(n));
                }
                together.arrive_and_wait();
                ownSeen[s] = Count(*session, QStringLiteral("SESIONES"));
                together.arrive_and_wait();
                session->CommitTrans();
            } catch (const rt::RuntimeError& e) {
                failures[s] = e.Description();
                together.arrive_and_drop();
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int s = 0; s < kSessions; ++s) {
        EXPECT_TRUE(failures[s].isEmpty()) << failures[s].toStdString();
        EXPECT_GE(openTogether[s], kSessions);
        EXPECT_EQ(ownSeen[s], kEach);
    }
    EXPECT_EQ(Count(*cn, QStringLiteral("SESIONES")), kSessions * kEach);
}

// ---- The server goes away ----

TEST_F(PostgresOdbcTest, TheServerStoppedInTheMiddleOfAQueryIsAProviderError) {
    const QString marker = QStringLiteral("largo_en_curso");
    bool stopped = false;
    {
        std::jthread stop([&] { stopped = server->StopOnceRunning(marker); });
        try {
            cn->Execute(QStringLiteral("SELECT pg_sleep(60) AS ") + marker);
            ADD_FAILURE() << "the query outlived the server";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.Number(), rt::err::ProviderUnspecified);
            ASSERT_GE(cn->Errors().Count(), 1);
            EXPECT_FALSE(cn->Errors().Item(0).Description().isEmpty());
            EXPECT_FALSE(cn->Errors().Item(0).SQLState().isEmpty());
        }
    }
    ASSERT_TRUE(stopped) << server->Error().toStdString();
    // The lost connection fails at once, and so does a new one while the server is down.
    EXPECT_EQ(RaisedNumber([&] { cn->Execute(QStringLiteral("SELECT 1")); }),
              rt::err::ProviderUnspecified);
    auto refused = ado::Connection::Create();
    EXPECT_EQ(RaisedNumber([&] { refused->Open(server->ConnectionString()); }),
              rt::err::ProviderUnspecified);
    ASSERT_GE(refused->Errors().Count(), 1);
    EXPECT_TRUE(refused->Errors().Item(0).SQLState().startsWith(QLatin1String("08")))
        << refused->Errors().Item(0).SQLState().toStdString();
    cn->Close();

    ASSERT_TRUE(server->Start()) << server->Error().toStdString();
    refused->Open();
    EXPECT_EQ(Count(*refused, QStringLiteral("CUENTAS")), 1);
}

}  // namespace
