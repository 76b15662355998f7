// The database component on a real server through ODBC: PostgreSQL, started by the suite,
// reached through MSDASQL and the psqlODBC driver as the connection opening writes the string.
// The server stops in the middle of a query and the opening asks whether to try again.
#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <thread>

#include "PostgresServer.h"
#include "Printers.h"
#include "ScriptedDialogs.h"
#include "cheques/ado/Connection.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/PedidoDeAcceso.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

const QString kTituloReintento = QStringLiteral(" Error de Conexion a Base de Datos");

class PostgresConexionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = std::make_unique<PostgresServer>(); }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override {
        ASSERT_TRUE(server->Running() || server->Start()) << server->Error().toStdString();
        auto setup = ado::Connection::Create();
        setup->Open(server->ConnectionString());
        setup->Execute(QStringLiteral("DROP TABLE IF EXISTS ta_usuarios"));
        setup->Execute(
            QStringLiteral("CREATE TABLE ta_usuarios (nombre varchar(20), Administrador int)"));
        setup->Execute(QStringLiteral("INSERT INTO ta_usuarios VALUES ('  ") +
                       PostgresServer::User() + QStringLiteral(" ', 1)"));
        // The settings a deployment on PostgreSQL gives the component: the ODBC provider, with
        // the driver and its port among the extended attributes.
        component.gProveedor = QStringLiteral("MSDASQL");
        component.gServidor = QStringLiteral("127.0.0.1");
        component.gDbName = PostgresServer::Database();
        component.gUsuario = PostgresServer::User();
        component.gUserPassWord = PostgresServer::Password();
        component.gExtended = QStringLiteral("Driver={%1};Port=%2;")
                                  .arg(PostgresServer::Driver())
                                  .arg(server->Port());
    }

    // The first value of a query through the component.
    rt::Variant Primero(const QString& sql) {
        QString sentencia = sql;
        ado::Recordset rs;
        component.AbrirRecordset(sentencia, rs);
        return rs.State() == ado::adStateOpen && !rs.Eof() ? rs.Fields()[0].Value() : rt::Variant();
    }

    static std::unique_ptr<PostgresServer> server;
    ScriptedDialogs dialogs;
    db::DB_Dll component;
};

std::unique_ptr<PostgresServer> PostgresConexionTest::server;

// The administrator look-up is left out throughout: it writes SQL Server's SELECT TOP, which
// PostgreSQL does not speak.
TEST_F(PostgresConexionTest, OpensThroughTheSettings) {
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
    EXPECT_EQ(component.gCnn()->Provider(), "MSDASQL");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(Primero(QStringLiteral("SELECT current_database()")),
              rt::Variant(PostgresServer::Database()));
}

// Syntax, missing tables and other provider failures pass in silence; a statement that runs out
// of time is shown.
TEST_F(PostgresConexionTest, StatementFailuresAreSilentOrShownByTheirProviderNumber) {
    struct Case {
        const char* name;
        const char* sql;
        bool shown;
    };
    const Case cases[] = {
        {"Syntax", "UPDAT ta_usuarios SET nombre = 'x'", false},
        {"MissingTable", "UPDATE ta_nada SET nombre = 'x'", false},
        {"DivisionByZero", "UPDATE ta_usuarios SET Administrador = 1 / 0", false},
        {"OutOfTime",
         "SET statement_timeout = 1; UPDATE ta_usuarios SET nombre = "
         "nombre || pg_sleep(5)",
         true},
    };
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    ASSERT_EQ(component.gCnn()->State(), ado::adStateOpen);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.boxes.clear();
        QString sql = QString::fromUtf8(c.sql);
        component.EjecutaConsultaSQL(sql);
        ASSERT_EQ(dialogs.boxes.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(dialogs.boxes[0].title, "Aviso al operador!!!");
        }
        component.gCnn()->Execute(QStringLiteral("RESET statement_timeout"));
    }
}

TEST_F(PostgresConexionTest, TheServerStoppedDuringAQueryAndTheRetryThatFindsItBack) {
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    ASSERT_EQ(component.gCnn()->State(), ado::adStateOpen);

    // The query that the stop cuts: its error goes to the shared handler, answered Abort.
    dialogs.AnswerBoxes({ui::vbAbort});
    const QString marker = QStringLiteral("consulta_cortada");
    bool stopped = false;
    ado::Recordset rs;
    {
        std::jthread stop([&] { stopped = server->StopOnceRunning(marker); });
        QString sql = QStringLiteral("SELECT pg_sleep(60) AS ") + marker;
        component.AbrirRecordset(sql, rs);
    }
    ASSERT_TRUE(stopped) << server->Error().toStdString();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Error en AbrirRecordset");
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbAbortRetryIgnore | ui::vbCritical);
    EXPECT_EQ(rs.State(), ado::adStateClosed);

    // Opening again while the server is down asks whether to try again; the user starts the
    // server and accepts the same parameters.
    component.gCnn()->Close();
    dialogs.boxes.clear();
    dialogs.AnswerBoxes({ui::vbYes});
    int preguntas = 0;
    const db::PedidoDeAcceso pedido([&](const db::ParametrosAcceso& p) {
        ++preguntas;
        EXPECT_TRUE(server->Start()) << server->Error().toStdString();
        return std::optional<db::ParametrosAcceso>(p);
    });
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, kTituloReintento);
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbYesNo | ui::vbCritical);
    EXPECT_TRUE(dialogs.boxes[0].prompt.startsWith(QLatin1String(" Estado de Sql: 08")))
        << dialogs.boxes[0].prompt.toStdString();
    EXPECT_FALSE(dialogs.boxes[0].prompt.contains(QLatin1String("Secreta")));
    EXPECT_EQ(preguntas, 1);
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
    EXPECT_EQ(Primero(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios")).ToLong(), 1);
}

TEST_F(PostgresConexionTest, DecliningTheRetryLeavesTheConnectionClosedUntilTheServerIsBack) {
    ASSERT_TRUE(server->Stop()) << server->Error().toStdString();
    dialogs.AnswerBoxes({ui::vbNo});
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    EXPECT_FALSE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, kTituloReintento);

    ASSERT_TRUE(server->Start()) << server->Error().toStdString();
    dialogs.boxes.clear();
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
