#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <vector>

#include "Printers.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using dbtest::SqliteDb;

// Collects the lines written to the component's log while alive.
class LogCapture {
  public:
    LogCapture() : previous_(qInstallMessageHandler(&LogCapture::Handler)) { Current() = this; }
    ~LogCapture() {
        qInstallMessageHandler(previous_);
        Current() = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines;

  private:
    static LogCapture*& Current() {
        static LogCapture* current = nullptr;
        return current;
    }
    static void Handler(QtMsgType, const QMessageLogContext& context, const QString& message) {
        if (Current() != nullptr && QByteArray(context.category) == "cheques.db") {
            Current()->lines << message;
        }
    }
    QtMessageHandler previous_;
};

// A component on a database holding a table and its synonym with different rows, so that
// every read shows which of the two a statement reached.
class RecordsetsTest : public ::testing::Test {
  protected:
    explicit RecordsetsTest(const QString& fileName = QStringLiteral("c.db")) : db(fileName) {
        db.Exec(QStringLiteral(
            "CREATE TABLE MA_CUENTAS (Codigo int PRIMARY KEY, Nombre varchar(30), DELETED int);"
            "CREATE TABLE SS_MA_CUENTAS (Codigo int PRIMARY KEY, Nombre varchar(30), DELETED int);"
            "CREATE TABLE MV_ASIENTOS (Codigo int);"
            "INSERT INTO MA_CUENTAS VALUES (1, 'tabla', 0), (2, 'otra', 0);"
            "INSERT INTO SS_MA_CUENTAS VALUES (1, 'sinonimo', 0)"));
    }
    void SetUp() override { db.OpenOn(component); }

    // The first column of every row of the recordset.
    static QStringList Rows(ado::Recordset& rs) {
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            out << rs.Fields()[0].Value().ToText();
        }
        return out;
    }

    QStringList Open(QString sql, bool convOracle = true) {
        component.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly,
                                 ado::adCmdUnspecified, convOracle);
        return Rows(rs);
    }

    SqliteDb db;
    db::DB_Dll component;
    ScriptedDialogs dialogs;
    ado::Recordset rs;
};

class OracleRecordsetsTest : public RecordsetsTest {
  protected:
    OracleRecordsetsTest() : RecordsetsTest(QStringLiteral("ORACLE.db")) {}
};

TEST_F(RecordsetsTest, OpensTheRedirectedStatementAndHandsItBack) {
    QString sql = QStringLiteral("SELECT Nombre FROM MA_CUENTAS ORDER BY Codigo");
    component.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, "SELECT Nombre FROM SS_MA_CUENTAS ORDER BY Codigo");
    EXPECT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(Rows(rs), QStringList{"sinonimo"});
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordsetsTest, MarkerKeepsOnlyTheMarkedTable) {
    QString sql = QStringLiteral("SELECT Nombre FROM @Admin_MA_CUENTAS ORDER BY Codigo");
    component.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, "SELECT Nombre FROM MA_CUENTAS ORDER BY Codigo");
    EXPECT_EQ(Rows(rs), QStringList({"tabla", "otra"}));
}

TEST_F(RecordsetsTest, AdministratorReadsThePlainTable) {
    component.gEsAdmin = true;
    EXPECT_EQ(Open(QStringLiteral("SELECT Nombre FROM MA_CUENTAS ORDER BY Codigo")),
              QStringList({"tabla", "otra"}));
}

TEST_F(RecordsetsTest, ReopensARecordsetStillOpen) {
    EXPECT_EQ(Open(QStringLiteral("SELECT 'a'")), QStringList{"a"});
    QString sql = QStringLiteral("SELECT Nombre FROM MA_CUENTAS WHERE Codigo = 1");
    component.AbrirRecordset(sql, rs, nullptr, ado::adOpenStatic);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(Rows(rs), QStringList{"sinonimo"});
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordsetsTest, PassesCursorAndLockTypes) {
    QString sql = QStringLiteral("SELECT Nombre FROM SS_MA_CUENTAS");
    component.AbrirRecordset(sql, rs, nullptr, ado::adOpenStatic, ado::adLockOptimistic);
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.LockType(), ado::adLockOptimistic);
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(RecordsetsTest, OpensOnTheActiveConnectionWhenGiven) {
    SqliteDb other;
    other.Exec(
        QStringLiteral("CREATE TABLE SS_MA_CUENTAS (Nombre text); "
                       "INSERT INTO SS_MA_CUENTAS VALUES ('de la otra')"));
    auto cn = ado::Connection::Create();
    cn->Open(other.Conn());
    QString sql = QStringLiteral("SELECT Nombre FROM MA_CUENTAS ORDER BY 1");
    component.AbrirRecordset(sql, rs, cn);
    EXPECT_EQ(rs.ActiveConnection(), cn);
    EXPECT_EQ(Rows(rs), QStringList{"de la otra"});
}

TEST_F(RecordsetsTest, NotUpperCasedOffOracle) {
    EXPECT_EQ(Open(QStringLiteral("select 'abc'")), QStringList{"abc"});
}

// Each failing answer of the error handler: abort leaves, retry runs the open again, ignore
// goes on; every box names the context.
struct HandlerCase {
    const char* name;
    std::vector<int> answers;
    std::size_t boxes;
};

class AbrirRecordsetFailure : public RecordsetsTest,
                              public ::testing::WithParamInterface<HandlerCase> {};

TEST_P(AbrirRecordsetFailure, GoesToTheErrorHandler) {
    for (int answer : GetParam().answers) {
        dialogs.AnswerBoxes({answer});
    }
    dialogs.defaultAnswer = ui::vbAbort;
    QString sql = QStringLiteral("SELECT * FROM NO_EXISTE");
    component.AbrirRecordset(sql, rs);
    ASSERT_EQ(dialogs.boxes.size(), GetParam().boxes);
    for (const auto& box : dialogs.boxes) {
        EXPECT_EQ(box.title, "Error en AbrirRecordset");
        EXPECT_TRUE(box.prompt.contains(QString::number(rt::err::ProviderNoTable)));
        EXPECT_EQ(box.style, ui::vbAbortRetryIgnore | ui::vbCritical);
    }
    EXPECT_EQ(rs.State(), ado::adStateClosed);
}

INSTANTIATE_TEST_SUITE_P(Answers, AbrirRecordsetFailure,
                         ::testing::Values(HandlerCase{"Abort", {ui::vbAbort}, 1},
                                           HandlerCase{"Ignore", {ui::vbIgnore}, 1},
                                           HandlerCase{"RetryTwiceThenAbort",
                                                       {ui::vbRetry, ui::vbRetry, ui::vbAbort},
                                                       3}),
                         CaseName());

TEST_F(RecordsetsTest, RetryOpensOnceTheCauseIsGone) {
    QString sql = QStringLiteral("SELECT Nombre FROM SS_MA_CUENTAS");
    // The first attempt fails on a closed connection; the retry finds it open again.
    component.gCnn()->Close();
    struct Reopen : ScriptedDialogs {
        db::DB_Dll* component;
        QString conn;
        int MsgBox(const QString& p, int s, const QString& t) override {
            component->gCnn()->Open(conn);
            return ScriptedDialogs::MsgBox(p, s, t);
        }
    } reopen;
    reopen.component = &component;
    reopen.conn = db.Conn();
    reopen.AnswerBoxes({ui::vbRetry});
    component.AbrirRecordset(sql, rs);
    ASSERT_EQ(reopen.boxes.size(), 1u);
    EXPECT_EQ(reopen.boxes[0].title, "Error en AbrirRecordset");
    EXPECT_EQ(Rows(rs), QStringList{"sinonimo"});
}

TEST_F(RecordsetsTest, CierraRecordsetClosesAnOpenOneAndLeavesAClosedOne) {
    Open(QStringLiteral("SELECT 1"));
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    component.CierraRecordset(rs);
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    component.CierraRecordset(rs);
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(OracleRecordsetsTest, OpensTheRewrittenTextAndHandsBackTheRedirectedOne) {
    QString sql = QStringLiteral("select Nombre, 'abc' from MA_CUENTAS where Codigo = 1");
    component.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, "select Nombre, 'abc' from SS_MA_CUENTAS where Codigo = 1");
    EXPECT_EQ(rs.Source(), "SELECT NOMBRE, 'ABC' FROM SS_MA_CUENTAS WHERE CODIGO = 1");
    EXPECT_EQ(rs.Fields()[0].Value().ToText(), "sinonimo");
    EXPECT_EQ(rs.Fields()[1].Value().ToText(), "ABC");
}

TEST_F(OracleRecordsetsTest, ConvOracleFalseOpensTheStatementUntranslated) {
    QString sql = QStringLiteral("select 'abc'");
    component.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly,
                             ado::adCmdUnspecified, false);
    EXPECT_EQ(rs.Source(), "select 'abc'");
    EXPECT_EQ(Rows(rs), QStringList{"abc"});
}

TEST_F(OracleRecordsetsTest, RewriteFailureGoesToTheErrorHandler) {
    dialogs.AnswerBoxes({ui::vbAbort});
    QString sql = QStringLiteral("SELECT Nombre FROM MA_CUENTAS WHERE Nombre = 'abierta");
    component.AbrirRecordset(sql, rs);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Error en AbrirRecordset");
    EXPECT_EQ(rs.State(), ado::adStateClosed);
}

TEST_F(RecordsetsTest, OracleTestLooksAtTheComponentsConnectionEvenWithAnotherOne) {
    SqliteDb oracle(QStringLiteral("ORACLE.db"));
    db::DB_Dll onOracle;
    oracle.OpenOn(onOracle);
    QString sql = QStringLiteral("select 'abc'");
    onOracle.AbrirRecordset(sql, rs, component.gCnn());
    EXPECT_EQ(rs.ActiveConnection(), component.gCnn());
    EXPECT_EQ(Rows(rs), QStringList{"ABC"});
}

// A folder or a password that holds the word ORACLE takes no Oracle road: queries keep the case
// of their literals and statements run directly, not through the script executor.
struct NotOracleCase {
    const char* name;
    const char* folder;
    const char* extra;  // appended to the connection string
};

class NotOracleTest : public ::testing::TestWithParam<NotOracleCase> {};

TEST_P(NotOracleTest, TakesThePlainRoad) {
    const TempDir dir;
    const QString folder = dir.File(QString::fromUtf8(GetParam().folder));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString conn = QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") +
                         folder + QStringLiteral("/c.db") + QString::fromUtf8(GetParam().extra);
    db::DB_Dll component;
    component.gCnn()->Open(conn);
    component.gConnString = conn;
    ScriptedDialogs dialogs;
    QString script = QStringLiteral("CREATE TABLE T (A varchar(5)) INSERT INTO T VALUES ('abc')");
    const QString written = script;
    component.EjecutaConsultaSQL(script);
    EXPECT_EQ(script, written) << "the script executor took it";
    QString sql = QStringLiteral("select A, 'abc' from T");
    ado::Recordset rs;
    component.AbrirRecordset(sql, rs);
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.Fields()[1].Value().ToText(), "abc");
    EXPECT_EQ(component.ORACLE_Dicc(QStringLiteral("select top 5 a from t")),
              "SELECT TOP 5 A FROM T");
    EXPECT_TRUE(dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Connections, NotOracleTest,
                         ::testing::Values(NotOracleCase{"FolderNamedOracle", "oracle_backups", ""},
                                           NotOracleCase{"PasswordHoldingOracle", "datos",
                                                         ";Password=xoracle1"}),
                         CaseName());

// ---- EjecutaConsultaSQL ----

TEST_F(RecordsetsTest, ExecutesAndReturnsTheCount) {
    QString sql = QStringLiteral("UPDATE SS_MA_CUENTAS SET Nombre = 'x'");
    int32_t affected = 99;
    component.EjecutaConsultaSQL(sql, &affected);
    EXPECT_EQ(affected, 1);
    sql = QStringLiteral("UPDATE SS_MA_CUENTAS SET Nombre = 'y'");
    component.EjecutaConsultaSQL(sql);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT Nombre FROM SS_MA_CUENTAS")).ToText(), "y");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// The text handed back and what each of the two tables holds afterwards.
struct ExecuteCase {
    const char* name;
    const char* sql;
    const char* after;
    QStringList plain;    // names left in MA_CUENTAS
    QStringList synonym;  // names left in SS_MA_CUENTAS
};

class EjecutaConsultaRedirection : public RecordsetsTest,
                                   public ::testing::WithParamInterface<ExecuteCase> {};

TEST_P(EjecutaConsultaRedirection, ReachesTheExpectedTable) {
    QString sql = QString::fromUtf8(GetParam().sql);
    int32_t affected = 0;
    component.EjecutaConsultaSQL(sql, &affected);
    EXPECT_EQ(sql, GetParam().after);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(db.Column(QStringLiteral("SELECT Nombre FROM MA_CUENTAS ORDER BY Codigo")),
              GetParam().plain);
    EXPECT_EQ(db.Column(QStringLiteral("SELECT Nombre FROM SS_MA_CUENTAS ORDER BY Codigo")),
              GetParam().synonym);
    EXPECT_TRUE(dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Statements, EjecutaConsultaRedirection,
    ::testing::Values(
        ExecuteCase{"UpdateOfATableReachesItsSynonym",
                    "UPDATE MA_CUENTAS SET Nombre = 'hecho' WHERE Codigo = 1",
                    "UPDATE SS_MA_CUENTAS SET Nombre = 'hecho' WHERE Codigo = 1",
                    {"tabla", "otra"},
                    {"hecho"}},
        // A delete, in lower case, reaches the plain table.
        ExecuteCase{"DeleteKeepsThePlainTable",
                    "delete from ma_cuentas where Codigo = 1",
                    "delete from ma_cuentas where Codigo = 1",
                    {"otra"},
                    {"sinonimo"}},
        // DELETED is a column, but its letters are enough to keep the plain name.
        ExecuteCase{"DeletedColumnKeepsThePlainTable",
                    "UPDATE MA_CUENTAS SET DELETED = 1, Nombre = 'hecho' WHERE Codigo = 1",
                    "UPDATE MA_CUENTAS SET DELETED = 1, Nombre = 'hecho' WHERE Codigo = 1",
                    {"hecho", "otra"},
                    {"sinonimo"}},
        // A marker anywhere, in any case, keeps every name of the statement.
        ExecuteCase{"MarkerKeepsEveryName",
                    "update MA_CUENTAS set Nombre = 'hecho' where Codigo = 1 and not exists "
                    "(select 1 from @ADMIN_MV_ASIENTOS)",
                    "update MA_CUENTAS set Nombre = 'hecho' where Codigo = 1 and not exists "
                    "(select 1 from MV_ASIENTOS)",
                    {"hecho", "otra"},
                    {"sinonimo"}},
        ExecuteCase{"MarkerOnTheTableIsRemoved",
                    "DELETE FROM @Admin_MA_CUENTAS WHERE Codigo = 2",
                    "DELETE FROM MA_CUENTAS WHERE Codigo = 2",
                    {"tabla"},
                    {"sinonimo"}}),
    CaseName());

// The four provider failures pass without a box, stay in Errors and reach the log.
struct SilentCase {
    const char* name;
    const char* sql;
    int32_t number;
};

class EjecutaConsultaSilent : public RecordsetsTest,
                              public ::testing::WithParamInterface<SilentCase> {};

TEST_P(EjecutaConsultaSilent, NoBoxButErrorsAndLog) {
    LogCapture log;
    QString sql = QString::fromUtf8(GetParam().sql);
    int32_t affected = 42;
    component.EjecutaConsultaSQL(sql, &affected);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(affected, 42);
    const ado::Errors& errors = component.gCnn()->Errors();
    ASSERT_GE(errors.Count(), 1);
    EXPECT_EQ(errors.Item(0).Number(), GetParam().number);
    ASSERT_FALSE(log.lines.isEmpty());
    EXPECT_TRUE(log.lines.join('\n').contains(QString::number(GetParam().number)));
}

INSTANTIATE_TEST_SUITE_P(
    ProviderErrors, EjecutaConsultaSilent,
    ::testing::Values(
        SilentCase{"Syntax", "UPDATE SS_MA_CUENTAS SET WHERE", rt::err::ProviderSyntax},
        SilentCase{"NoColumn", "UPDATE SS_MA_CUENTAS SET NoColumn = 1", rt::err::ProviderSyntax},
        SilentCase{"NoTable", "DELETE FROM NO_EXISTE", rt::err::ProviderNoTable},
        SilentCase{"Integrity", "INSERT INTO SS_MA_CUENTAS VALUES (1, 'dup', 0)",
                   rt::err::ProviderIntegrity}),
    CaseName());

TEST_F(RecordsetsTest, SilentFailureLogNeverCarriesThePassword) {
    const QString conn = db.Conn() + QStringLiteral(";User ID=ana;Password=Secreto99");
    db::DB_Dll other;
    db.OpenOn(other, conn);
    LogCapture log;
    QString sql = QStringLiteral("DELETE FROM NO_EXISTE");
    other.EjecutaConsultaSQL(sql);
    // The provider quotes the statement near a syntax error: those are its own words (a name
    // that happens to equal the password included) and stay as it wrote them.
    sql = QStringLiteral("UPDATE SS_MA_CUENTAS Secreto99 = 1");
    other.EjecutaConsultaSQL(sql);
    EXPECT_TRUE(other.gCnn()->Errors().Item(0).Description().contains("Secreto99"));
    const QString all = log.lines.join('\n');
    ASSERT_FALSE(all.isEmpty());
    EXPECT_FALSE(all.contains(QStringLiteral("Password=Secreto99")));
    EXPECT_TRUE(all.contains(QStringLiteral("Password=***")));
    EXPECT_TRUE(all.contains(other.gCnn()->Errors().Item(0).Description())) << all.toStdString();
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordsetsTest, OtherFailuresShowTheOperatorBox) {
    db::DB_Dll neverOpened;
    QString sql = QStringLiteral("UPDATE T SET A = 1");
    neverOpened.EjecutaConsultaSQL(sql);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Aviso al operador!!!");
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbCritical | ui::vbOKOnly);
    EXPECT_FALSE(dialogs.boxes[0].prompt.isEmpty());
}

TEST_F(RecordsetsTest, BusyDatabaseShowsTheOperatorBoxOnce) {
    db.Exec(QStringLiteral("BEGIN EXCLUSIVE"));
    component.gCnn()->SetCommandTimeout(1);
    QString sql = QStringLiteral("UPDATE SS_MA_CUENTAS SET Nombre = 'w'");
    component.EjecutaConsultaSQL(sql);
    db.Exec(QStringLiteral("ROLLBACK"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Aviso al operador!!!");
    EXPECT_EQ(component.gCnn()->Errors().Item(0).Number(), rt::err::ProviderTimeout);
    EXPECT_EQ(db.Column(QStringLiteral("SELECT Nombre FROM SS_MA_CUENTAS")),
              QStringList{"sinonimo"});
}

TEST(DB_DllEmptyOperations, QConsultaAndQGridConsultaChangeNothing) {
    ScriptedDialogs dialogs;
    db::DB_Dll component;
    component.QConsulta("MA_CUENTAS", "r", "c1", "c2");
    component.QGridConsulta("SELECT 1", "a", "Provider=SQLite;Data Source=x", "b", "c");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(component.gCnn()->ConnectionString(), "");
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
}

// A caller may hand the component a connection it opened itself: every operation then runs on
// it, the Oracle rewrite included, and handing it nothing makes a fresh one on the next use.
TEST(DB_DllConnection, AConnectionHandedByTheCallerIsTheOneUsed) {
    ScriptedDialogs dialogs;
    SqliteDb oracle(QStringLiteral("ORACLE.db"));
    oracle.Exec(QStringLiteral("CREATE TABLE T (A varchar(10))"));
    auto propia = ado::Connection::Create();
    propia->Open(oracle.Conn());
    db::DB_Dll component;
    component.SetgCnn(propia);
    EXPECT_EQ(component.gCnn(), propia);
    EXPECT_EQ(component.gConnString, oracle.Conn());

    ado::Recordset rs;
    QString sql = QStringLiteral("select 'abc'");
    component.AbrirRecordset(sql, rs);
    EXPECT_EQ(rs.ActiveConnection(), propia);
    EXPECT_EQ(rs.Fields()[0].Value().ToText(), "ABC");
    component.CierraRecordset(rs);
    QString insert = QStringLiteral("insert into T values ('x')");
    int32_t affected = 0;
    component.EjecutaConsultaSQL(insert, &affected);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(oracle.Column(QStringLiteral("SELECT A FROM T")), QStringList{"X"});

    component.SetgCnn(nullptr);
    EXPECT_TRUE(component.gConnString.isEmpty());
    ASSERT_NE(component.gCnn(), nullptr);
    EXPECT_NE(component.gCnn(), propia);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
    EXPECT_EQ(propia->State(), ado::adStateOpen);
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
