#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStringList>
#include <memory>
#include <vector>

#include "ConsoleDialogs.h"
#include "DbTool.h"
#include "OracleDialect.h"
#include "Printers.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "cheques/Version.h"
#include "cheques/ado/Connection.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/frmAcceso.h"
#include "cheques/vexilo/VexUtil.h"

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built dbtool with the arguments and standard input; it must end on its own. With a
// data folder, the user's data (the demo database among it) lies there; the variables are added
// to the environment.
Result RunTool(const QStringList& args, const QByteArray& input = {},
               const QString& dataFolder = {},
               const QList<std::pair<QString, QString>>& variables = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("CHEQUES_PASSWORD"));
    if (!dataFolder.isEmpty()) {
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataFolder);
    }
    for (const auto& [name, value] : variables) {
        environment.insert(name, value);
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DBTOOL_PATH), args);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Runs the built dbtool with its standard output on /dev/full, a device that takes nothing.
Result RunToFullDevice(const QStringList& args) {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(DBTOOL_PATH), args);
    EXPECT_TRUE(process.waitForStarted());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), {}, QString::fromUtf8(process.readAllStandardError())};
}

// A database in a temporary folder; its file name decides whether the component takes its
// Oracle road.
class DbToolTest : public ::testing::Test {
  protected:
    QString Conn(const QString& file) const {
        return QStringLiteral("Provider=SQLite;Data Source=") + dir.File(file);
    }
    QString Conn() const { return Conn(QStringLiteral("c.db")); }
    QString OracleConn() const { return Conn(QStringLiteral("ORACLE.db")); }

    // Prepares a database directly, without the tool.
    void Prepare(const QString& conn, const QString& sql) const {
        auto cn = ado::Connection::Create();
        cn->Open(conn + QStringLiteral(";Mode=ReadWriteCreate"));
        cn->Execute(sql);
    }
    QStringList Column(const QString& conn, const QString& sql) const {
        auto cn = ado::Connection::Create();
        cn->Open(conn);
        ado::Recordset rs = cn->Execute(sql);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            out << rs.Fields()[0].Value().ToText();
        }
        return out;
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.File(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    TempDir dir;
};

QString Translated(const QString& sql, const QString& conn) {
    const vexilo::VexUtil util;
    return db::ORACLE_Dicc(sql, conn, [&](const QString& t) { return util.ContarPalabras(t); });
}

// ---- translate and synonyms ----

TEST_F(DbToolTest, TranslateAssumesAnOracleConnection) {
    const QString sql = QStringLiteral("select top 5 len(Nombre) from [Cuentas] order by 1");
    const Result r = RunTool({"translate", sql});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              Translated(sql, QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=X")) + "\n");
    EXPECT_TRUE(r.out.contains("ROWNUM <= 5"));
    EXPECT_TRUE(r.out.contains("LENGTH(Nombre)"));
}

TEST_F(DbToolTest, TranslateWithAnotherConnectionOnlyUpperCases) {
    const Result r = RunTool({"translate", "--conn", Conn(), "select len(a) from [t]"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "SELECT LEN(A) FROM [T]\n");
}

TEST_F(DbToolTest, TranslateReadsOneStatementFromStandardInput) {
    const Result r = RunTool({"translate", "--conn=x"}, "select a\nfrom b\r\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "SELECT A\nFROM B\n");
}

TEST_F(DbToolTest, TranslateFailureExitsNonZero) {
    const Result r = RunTool({"translate", "select * from t where a = 'open"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.contains("error 5")) << r.err.toStdString();
}

struct SynonymCase {
    const char* name;
    QStringList args;
    QByteArray input;
    const char* expected;
};

class DbToolSynonyms : public DbToolTest, public ::testing::WithParamInterface<SynonymCase> {};

TEST_P(DbToolSynonyms, PrintsTheRedirectedStatement) {
    const Result r = RunTool(GetParam().args, GetParam().input);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DbToolSynonyms,
    ::testing::Values(SynonymCase{"Argument",
                                  {"synonyms", "select * from MA_CUENTAS where x"},
                                  {},
                                  "select * from SS_MA_CUENTAS where x\n"},
                      SynonymCase{"StandardInput",
                                  {"synonyms"},
                                  "select * from ma_cuentas where x\n",
                                  "select * from SS_MA_CUENTAS where x\n"},
                      SynonymCase{
                          "Admin",
                          {"synonyms", "--admin", "select * from @Admin_MA_CUENTAS, MV_ASIENTOS.x"},
                          {},
                          "select * from MA_CUENTAS, MV_ASIENTOS.x\n"},
                      SynonymCase{"AfterTheEndOfOptions",
                                  {"synonyms", "--", "--not an option"},
                                  {},
                                  "--not an option\n"}),
    CaseName());

// ---- query ----

TEST_F(DbToolTest, QueryPrintsHeaderAndEscapedRows) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (Codigo int, Texto varchar(30));"
                                   "INSERT INTO T VALUES (1, 'tab' || char(9) || 'nl' || "
                                   "char(10) || 'bs\\'), (2, NULL)"));
    const Result r =
        RunTool({"query", "--conn", Conn(), "SELECT Codigo, Texto FROM T ORDER BY Codigo"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Codigo\tTexto\n1\ttab\\tnl\\nbs\\\\\n2\t\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(DbToolTest, QueryGoesThroughTheSynonymsAndTheOracleRewrite) {
    Prepare(OracleConn(), QStringLiteral("CREATE TABLE SS_MA_CUENTAS (Nombre text);"
                                         "INSERT INTO SS_MA_CUENTAS VALUES ('sinonimo')"));
    // The tool opens as the program does without the administrator look-up, as an
    // administrator: no redirection; the plain table is missing here, so the query fails.
    const Result plain = RunTool(
        {"query", "--conn", OracleConn(), "select Nombre, 'abc' as x from MA_CUENTAS where 1 = 1"});
    EXPECT_EQ(plain.exitCode, tools::kExitFailed);
    EXPECT_TRUE(plain.err.contains("[box] Error en AbrirRecordset")) << plain.err.toStdString();
    const Result r =
        RunTool({"query", "--conn", OracleConn(), "select Nombre, 'abc' as x from SS_MA_CUENTAS"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Nombre\tX\nsinonimo\tABC\n");
}

TEST_F(DbToolTest, QueryOfAMissingTableFails) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int)"));
    const Result r = RunTool({"query", "--conn", Conn(), "SELECT * FROM NO_EXISTE"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.contains("[box] Error en AbrirRecordset\n")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("no such table")) << r.err.toStdString();
}

// A data-changing statement did what was asked: query says how many rows it changed, as exec.
TEST_F(DbToolTest, QueryOfAStatementWithoutRowsRunsItAndCountsTheRows) {
    struct Case {
        const char* name;
        QString conn;
        const char* sql;
        const char* out;
    };
    const Case cases[] = {
        {"insert", Conn(), "INSERT INTO T VALUES (1), (2)", "records affected: 2\n"},
        {"update", Conn(), "UPDATE T SET A = A + 10 WHERE A = 1", "records affected: 1\n"},
        {"delete on the Oracle road", OracleConn(), "DELETE FROM T", "records affected: 0\n"},
    };
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int)"));
    Prepare(OracleConn(), QStringLiteral("CREATE TABLE T (A int)"));
    for (const Case& c : cases) {
        const Result r = RunTool({"query", "--conn", c.conn, c.sql});
        EXPECT_EQ(r.exitCode, tools::kExitOk) << c.name << " " << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.name;
    }
    EXPECT_EQ(Column(Conn(), "SELECT A FROM T ORDER BY A"), QStringList({"2", "11"}));
}

TEST_F(DbToolTest, ConnectionFailureIsReportedWithoutThePassword) {
    const QString conn = QStringLiteral("Provider=SQLite;Data Source=") +
                         dir.File("no/such/dir.db") + QStringLiteral(";Password=Secreto99");
    const Result r = RunTool({"query", "--conn", conn, "SELECT 1"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_TRUE(r.err.contains("[box]")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("Secreto99"));
    EXPECT_FALSE(QFile::exists(dir.File("no/such/dir.db")));
    // The question joins its parts with CR, as a window shows them; a console needs line feeds.
    EXPECT_TRUE(r.err.contains("\nDescripcion: ")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QLatin1Char('\r'))) << r.err.toStdString();
}

// ---- exec ----

TEST_F(DbToolTest, ExecRunsAScriptFileOnTheOracleRoad) {
    Prepare(OracleConn(), QStringLiteral("CREATE TABLE T (A int, B varchar(10))"));
    const QString file = WriteFile(
        "s.sql",
        "SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO T VALUES (1, 'uno')\r\nGO\r\n"
        "INSERT INTO T VALUES (2, 'dos')\r\nUPDATE T SET A = A + 10\r\nCOMMIT TRANSACTION\r\n");
    const Result r = RunTool({"exec", "--conn", OracleConn(), file});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "records affected: 4\n");
    EXPECT_EQ(Column(OracleConn(), "SELECT A || B FROM T ORDER BY A"),
              QStringList({"11UNO", "12DOS"}));
}

TEST_F(DbToolTest, ExecReadsStandardInputOnTheDirectRoad) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int); INSERT INTO T VALUES (1), (2), (3)"));
    const Result r = RunTool({"exec", "--conn", Conn()}, "update T set A = A * 2 where A > 1\n");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "records affected: 2\n");
    EXPECT_EQ(Column(Conn(), "SELECT A FROM T ORDER BY A"), QStringList({"1", "4", "6"}));
}

TEST_F(DbToolTest, ExecSilentProviderFailureStillExitsNonZero) {
    Prepare(OracleConn(), QStringLiteral("CREATE TABLE T (A int)"));
    const Result r =
        RunTool({"exec", "--conn", OracleConn() + ";Password=Secreto99"},
                "BEGIN TRANSACTION INSERT INTO T VALUES (1) INSERT INTO NO_EXISTE VALUES (2) "
                "COMMIT TRANSACTION");
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "") << "nothing on standard output when the command fails";
    EXPECT_TRUE(r.err.contains("-2147217865")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("[box]"));
    EXPECT_FALSE(r.err.contains("Secreto99"));
    EXPECT_TRUE(Column(OracleConn(), "SELECT A FROM T").isEmpty());  // rolled back
}

TEST_F(DbToolTest, ExecOtherFailureShowsTheOperatorBox) {
    Prepare(OracleConn(), QStringLiteral("CREATE TABLE T (A varchar(10))"));
    const Result r = RunTool({"exec", "--conn", OracleConn()}, "INSERT INTO T VALUES ('open");
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_TRUE(r.err.contains("[box] Aviso al operador!!!\n")) << r.err.toStdString();
}

// A script that leaves its transaction open would lose its work when the connection closes:
// the tool rolls it back, says so and fails, on both roads.
TEST_F(DbToolTest, ExecOfAScriptLeavingATransactionOpenRollsBackAndFails) {
    for (const QString& conn : {Conn(), OracleConn()}) {
        SCOPED_TRACE(conn.toStdString());
        Prepare(conn, QStringLiteral("CREATE TABLE T (A int)"));
        const Result r =
            RunTool({"exec", "--conn", conn}, "BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\n");
        EXPECT_EQ(r.exitCode, tools::kExitFailed);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.contains("transaction open")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("rolled back")) << r.err.toStdString();
        EXPECT_TRUE(Column(conn, "SELECT A FROM T").isEmpty());
        const Result committed =
            RunTool({"exec", "--conn", conn},
                    "BEGIN TRANSACTION\r\nINSERT INTO T VALUES (2)\r\nCOMMIT TRANSACTION\r\n");
        EXPECT_EQ(committed.exitCode, tools::kExitOk) << committed.err.toStdString();
        EXPECT_EQ(Column(conn, "SELECT A FROM T"), QStringList{"2"});
    }
}

// Text that is not valid UTF-8 is refused with its byte offset before anything runs; with
// --encoding it is read as it is.
TEST_F(DbToolTest, InputEncodings) {
    struct Case {
        const char* name;
        QStringList options;
        bool viaFile;
        QByteArray script;
        int exitCode;
        const char* stored;  // UTF-8; nullptr when nothing may be stored
        const char* message;
    };
    const QByteArray ansi =
        "INSERT INTO T VALUES ('Espa\xF1"
        "a')";
    const Case cases[] = {
        {"Windows-1252 file without --encoding",
         {},
         true,
         ansi,
         tools::kExitUsage,
         nullptr,
         "not valid UTF-8 at byte offset 27"},
        {"Windows-1252 standard input without --encoding",
         {},
         false,
         ansi,
         tools::kExitUsage,
         nullptr,
         "standard input is not valid UTF-8 at byte offset 27 (--encoding windows-1252"},
        {"Windows-1252 file with --encoding windows-1252",
         {"--encoding", "windows-1252"},
         true,
         ansi,
         tools::kExitOk,
         "España",
         ""},
        {"Windows-1252 input with --encoding=latin1",
         {"--encoding=latin1"},
         false,
         ansi,
         tools::kExitOk,
         "España",
         ""},
        {"the euro sign in Windows-1252",
         {"--encoding", "Windows-1252"},
         true,
         "INSERT INTO T VALUES ('\x80 5')",
         tools::kExitOk,
         "€ 5",
         ""},
        {"UTF-8 with --encoding utf-8",
         {"--encoding", "utf-8"},
         true,
         "INSERT INTO T VALUES ('Espa\xC3\xB1"
         "a')",
         tools::kExitOk,
         "España",
         ""},
        {"UTF-8 by default",
         {},
         false,
         "INSERT INTO T VALUES ('Espa\xC3\xB1"
         "a')",
         tools::kExitOk,
         "España",
         ""},
        {"an unknown encoding",
         {"--encoding", "ebcdic"},
         false,
         "INSERT INTO T VALUES ('x')",
         tools::kExitUsage,
         nullptr,
         "unknown encoding ebcdic"},
    };
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A varchar(20))"));
    for (const Case& c : cases) {
        Prepare(Conn(), QStringLiteral("DELETE FROM T"));
        QStringList args{"exec", "--conn", Conn()};
        args << c.options;
        if (c.viaFile) {
            args << WriteFile(QStringLiteral("script.sql"), c.script);
        }
        const Result r = RunTool(args, c.viaFile ? QByteArray() : c.script);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << " " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)))
            << c.name << " " << r.err.toStdString();
        const QStringList expected =
            c.stored ? QStringList{QString::fromUtf8(c.stored)} : QStringList{};
        EXPECT_EQ(Column(Conn(), "SELECT A FROM T"), expected) << c.name;
    }
}

TEST_F(DbToolTest, TranslateRefusesStandardInputThatIsNotUtf8) {
    const Result r = RunTool({"translate"}, "select 'a\xF1o' from T\n");
    EXPECT_EQ(r.exitCode, tools::kExitUsage);
    EXPECT_TRUE(r.err.contains("byte offset 9")) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
    const Result read = RunTool({"synonyms", "--encoding", "latin1"}, "select 'a\xF1o' from T\n");
    EXPECT_EQ(read.exitCode, tools::kExitOk) << read.err.toStdString();
    EXPECT_EQ(read.out, QString::fromUtf8("select 'año' from T\n"));
}

// The shell hands the tool an argument's bytes as they are.
TEST_F(DbToolTest, AnArgumentThatIsNotUtf8IsRefused) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A varchar(20))"));
    QProcess process;
    process.start(QStringLiteral("/bin/sh"),
                  {"-c",
                   "exec \"$0\" query --conn \"$1\" \"$(printf \"INSERT INTO T VALUES "
                   "('Espa\\361a')\")\"",
                   QStringLiteral(DBTOOL_PATH), Conn()});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), tools::kExitUsage);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.contains("argument 4 is not valid UTF-8 at byte offset 27"))
        << err.toStdString();
    EXPECT_FALSE(err.contains("--encoding")) << "it never applies to arguments";
    EXPECT_TRUE(Column(Conn(), "SELECT A FROM T").isEmpty());
}

TEST_F(DbToolTest, ExecOfAMissingFileFailsBeforeOpening) {
    const Result r = RunTool({"exec", "--conn", OracleConn(), dir.File("none.sql")});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_TRUE(r.err.contains("cannot read")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.File("ORACLE.db")));
}

// A NUL in a script once made the tool spin for ever; on both roads it is refused whole.
TEST_F(DbToolTest, ExecOfAScriptHoldingANulRunsNothing) {
    const QByteArray script("INSERT INTO T VALUES (7)\nINSERT INTO T VALUES (8)\0", 50);
    for (const QString& conn : {Conn(), OracleConn()}) {
        Prepare(conn, QStringLiteral("CREATE TABLE T (A int)"));
        const Result r = RunTool({"exec", "--conn", conn, WriteFile("nul.sql", script)});
        EXPECT_EQ(r.exitCode, tools::kExitFailed) << conn.toStdString();
        EXPECT_TRUE(r.err.contains("NUL")) << r.err.toStdString();
        EXPECT_TRUE(Column(conn, "SELECT A FROM T").isEmpty()) << conn.toStdString();
    }
}

TEST_F(DbToolTest, AMistypedDatabasePathFailsAndCreatesNothing) {
    const Result r = RunTool({"has-table", "--conn", Conn(QStringLiteral("typo.db")), "T"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_TRUE(r.err.contains("no existe")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.File(QStringLiteral("typo.db"))));
}

// ---- lookups, configuration and schema ----

struct LineCase {
    QStringList args;  // the command and its arguments; --conn is added
    const char* expected;
};

// Runs every case against the database and expects its one line and success.
void ExpectLines(const QString& conn, const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QStringList args = c.args;
        args.insert(1, "--conn");
        args.insert(2, conn);
        const Result r = RunTool(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, c.expected);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(DbToolTest, LookupsPrintOneLine) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (Codigo varchar(10), N int, Nombre text);"
                                   "INSERT INTO T VALUES ('001', 5, 'uno'), ('002', 9, 'O''Brien');"
                                   "CREATE TABLE V (Codigo varchar(10), N int)"));
    ExpectLines(Conn(), {
                            {{"max", "T", "N"}, "9\n"},
                            {{"min", "T", "N"}, "5\n"},
                            {{"max", "T", "N", "Nombre = 'uno'"}, "5\n"},
                            {{"max", "V", "N"}, "0\n"},
                            {{"last", "T", "Codigo", "N > 9"}, "0\n"},
                            {{"last", "T", "Codigo"}, "2\n"},
                            {{"last", "T", "Codigo", "N < 9"}, "1\n"},
                            {{"exists", "T", "001"}, "true\n"},
                            {{"exists", "T", "003"}, "false\n"},
                            {{"exists", "T", "5", "N"}, "true\n"},
                            {{"exists-st", "T", "O'Brien", "Nombre"}, "true\n"},
                            {{"exists-st", "T", "002"}, "true\n"},
                            {{"exists-st", "T", "uno", "Codigo"}, "false\n"},
                            {{"datos", "T", "002", "Nombre"}, "O'Brien\n"},
                            {{"datos", "T", "uno", "N", "Nombre"}, "5\n"},
                            {{"datos", "T", "009", "Nombre"}, "\n"},
                        });
}

TEST_F(DbToolTest, LookupOfAMissingTableFails) {
    for (const QStringList& args :
         {QStringList{"max", "--conn", Conn(), "NO_EXISTE", "N"},
          QStringList{"exists", "--conn", Conn(), "NO_EXISTE", "1"},
          QStringList{"datos", "--conn", Conn(), "NO_EXISTE", "1", "N"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Result r = RunTool(args);
        EXPECT_EQ(r.exitCode, tools::kExitFailed);
    }
}

TEST_F(DbToolTest, ConfigPrintsValueAndAuxiliaryValue) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE TA_CONFIGURACION (CLAVE varchar(50), "
                                   "VALOR varchar(50), valoraux varchar(50));"
                                   "INSERT INTO TA_CONFIGURACION VALUES ('Moneda', 'ARS', NULL),"
                                   "('Empresa', 'La Casa', 'Sucursal 1')"));
    ExpectLines(Conn(), {
                            {{"config", "Moneda"}, "ARS\t\n"},
                            {{"config", "Empresa"}, "La Casa\tSucursal 1\n"},
                            {{"config", "Ninguna"}, " \t\n"},
                        });
}

TEST_F(DbToolTest, SchemaQuestionsAndEnsureColumn) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int); INSERT INTO T VALUES (1)"));
    ExpectLines(Conn(),
                {
                    {{"has-table", "T"}, "true\n"},
                    {{"has-table", "U"}, "false\n"},
                    {{"has-column", "T", "A"}, "true\n"},
                    {{"has-column", "T", "B"}, "false\n"},
                    {{"ensure-column", "T", "B", "int", "--null", "--default", "7"}, "true\n"},
                    {{"ensure-column", "T", "B", "int"}, "true\n"},
                    {{"has-column", "T", "B"}, "true\n"},
                });
    EXPECT_EQ(Column(Conn(), "SELECT B FROM T"), QStringList({"7"}));
}

// ---- names ----

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Every table or column argument of every command is refused unless it is a name, before any
// connection: the usage error names the argument and the database file stays as it was.
TEST_F(DbToolTest, TableAndColumnArgumentsMustBeNames) {
    const char* const hostile[] = {
        "T; DELETE FROM T; --",
        "T WHERE 1=1; DELETE FROM T",
        "T--",
        "(SELECT 1)",
        "T'",
        "[T]; DELETE FROM T",
        "[a\"]; DELETE FROM T; --]",
        "[a[b; DELETE FROM T; --]",
        "",
    };
    struct Command {
        QStringList args;  // the command and good arguments; --conn is added
        QList<int> names;  // the indexes of args that are table or column names
    };
    const Command commands[] = {
        {{"max", "T", "N"}, {1, 2}},
        {{"min", "T", "N"}, {1, 2}},
        {{"last", "T", "Codigo"}, {1, 2}},
        {{"exists", "T", "001", "Codigo"}, {1, 3}},
        {{"exists-st", "T", "001", "Codigo"}, {1, 3}},
        {{"datos", "T", "001", "N", "Codigo"}, {1, 3, 4}},
        {{"has-table", "T"}, {1}},
        {{"has-column", "T", "N"}, {1, 2}},
        {{"ensure-column", "T", "Nueva", "int"}, {1, 2}},
    };
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (Codigo varchar(10), N int);"
                                   "INSERT INTO T VALUES ('001', 5)"));
    const QByteArray before = FileBytes(dir.File("c.db"));
    for (const Command& command : commands) {
        for (const int name : command.names) {
            for (const char* text : hostile) {
                QStringList args = command.args;
                args[name] = QString::fromUtf8(text);
                args.insert(1, "--conn");
                args.insert(2, Conn());
                SCOPED_TRACE(args.join(' ').toStdString());
                const Result r = RunTool(args);
                EXPECT_EQ(r.exitCode, tools::kExitUsage);
                EXPECT_EQ(r.out, "");
                EXPECT_TRUE(r.err.contains("must be a table or column name"))
                    << r.err.toStdString();
            }
        }
    }
    EXPECT_EQ(FileBytes(dir.File("c.db")), before) << "the database was changed";
}

// A name in brackets stays one name, whatever it holds.
TEST_F(DbToolTest, BracketedNamesStayNames) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE [Mi Tabla] (Codigo varchar(10), N int);"
                                   "INSERT INTO [Mi Tabla] VALUES ('001', 5);"
                                   "CREATE TABLE T (A int); INSERT INTO T VALUES (1)"));
    ExpectLines(Conn(), {
                            {{"exists", "[Mi Tabla]", "001"}, "true\n"},
                            {{"max", "[Mi Tabla]", "[N]"}, "5\n"},
                        });
    const Result r = RunTool({"max", "--conn", Conn(), "[Mi Tabla]", "[N]]; DELETE FROM T; --]"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed) << "no such column";
    EXPECT_EQ(Column(Conn(), "SELECT A FROM T"), QStringList{"1"});
}

// ---- standard output ----

// Output that could not be written is a failure, whether it was lost on the way (many rows) or
// at the last flush (one line).
TEST_F(DbToolTest, OutputThatCannotBeWrittenFails) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int);"
                                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                   "WHERE i < 5000) INSERT INTO T SELECT i FROM n"));
    const QStringList cases[] = {
        {"query", "--conn", Conn(), "SELECT A FROM T WHERE A = 1"},
        {"query", "--conn", Conn(), "SELECT A FROM T"},
        {"has-table", "--conn", Conn(), "T"},
        {"translate", "select 1"},
        {"--help"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Result r = RunToFullDevice(args);
        EXPECT_EQ(r.exitCode, tools::kExitFailed);
        EXPECT_TRUE(r.err.contains("dbtool: cannot write standard output: "))
            << r.err.toStdString();
    }
}

// ---- the exit rule ----

// Every command follows the same rule: 0 done, 1 when a box was shown, an error was raised or a
// statement failed in silence (its provider error on standard error).
TEST_F(DbToolTest, EveryCommandFollowsTheExitRule) {
    struct Case {
        const char* name;
        QStringList args;  // --conn is added after the command, except for translate/synonyms
        int exitCode;
    };
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (Codigo varchar(10), N int);"
                                   "INSERT INTO T VALUES ('001', 5);"
                                   "CREATE TABLE TA_CONFIGURACION (CLAVE varchar(50), "
                                   "VALOR varchar(50), valoraux varchar(50))"));
    const Case cases[] = {
        {"translate done", {"translate", "select top 5 a from T"}, tools::kExitOk},
        {"translate raising", {"translate", "select a from T where b = 'x"}, tools::kExitFailed},
        {"synonyms done", {"synonyms", "select * from MA_CUENTAS x"}, tools::kExitOk},
        {"query done", {"query", "SELECT N FROM T"}, tools::kExitOk},
        {"query with a box", {"query", "SELECT * FROM NO_EXISTE"}, tools::kExitFailed},
        {"query with a statement error",
         {"query", "INSERT INTO T VALUES ('001', 'x', 3)"},
         tools::kExitFailed},
        {"exec done", {"exec"}, tools::kExitOk},
        {"config done", {"config", "Moneda"}, tools::kExitOk},
        {"config with a box",
         {"config", "Moneda", "--conn", Conn(QStringLiteral("sin.db"))},
         tools::kExitFailed},
        {"max done", {"max", "T", "N"}, tools::kExitOk},
        {"max with a box", {"max", "NO_EXISTE", "N"}, tools::kExitFailed},
        {"min with a box", {"min", "T", "NO_EXISTE"}, tools::kExitFailed},
        {"last with a box", {"last", "NO_EXISTE", "Codigo"}, tools::kExitFailed},
        {"exists done", {"exists", "T", "001"}, tools::kExitOk},
        {"exists with a box", {"exists", "NO_EXISTE", "001"}, tools::kExitFailed},
        {"exists-st with a box", {"exists-st", "NO_EXISTE", "001"}, tools::kExitFailed},
        {"datos with a box", {"datos", "NO_EXISTE", "001", "N"}, tools::kExitFailed},
        {"has-table done", {"has-table", "NO_EXISTE"}, tools::kExitOk},
        {"has-column done", {"has-column", "T", "NO_EXISTE"}, tools::kExitOk},
        {"ensure-column done", {"ensure-column", "T", "Nueva", "int", "--null"}, tools::kExitOk},
        {"ensure-column failing silently",
         {"ensure-column", "T", "Otra", "int (", "--null"},
         tools::kExitFailed},
    };
    Prepare(Conn(QStringLiteral("sin.db")), QStringLiteral("CREATE TABLE X (A int)"));
    for (const Case& c : cases) {
        QStringList args = c.args;
        const bool opens = args[0] != QLatin1String("translate") &&
                           args[0] != QLatin1String("synonyms") && !args.contains("--conn");
        if (opens) {
            args.insert(1, "--conn");
            args.insert(2, Conn());
        }
        const Result r = RunTool(args, "UPDATE T SET N = N + 1");
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << ": " << r.err.toStdString();
        if (c.exitCode != tools::kExitOk) {
            EXPECT_EQ(r.out, "") << c.name << ": a failed command prints no result";
        }
    }
}

// ---- the administrator look-up ----

struct AdminCase {
    const char* name;
    QStringList options;
    const char* expected;  // the table the query reached
};

class DbToolAdmin : public DbToolTest, public ::testing::WithParamInterface<AdminCase> {};

// An administrator reads MA_CUENTAS itself; anyone else is redirected to SS_MA_CUENTAS.
TEST_P(DbToolAdmin, TheLookUpDecidesTheSynonyms) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE MA_CUENTAS (Nombre text);"
                                   "INSERT INTO MA_CUENTAS VALUES ('tabla');"
                                   "CREATE TABLE SS_MA_CUENTAS (Nombre text);"
                                   "INSERT INTO SS_MA_CUENTAS VALUES ('sinonimo');"
                                   "CREATE TABLE ta_usuarios (nombre varchar(20), "
                                   "Administrador int);"
                                   "INSERT INTO ta_usuarios VALUES ('ana', 1), ('beto', 0)"));
    const Result r = RunTool(QStringList{"query", "--conn", Conn()} + GetParam().options +
                             QStringList{"select Nombre from MA_CUENTAS where 1 = 1"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nombre\n%1\n").arg(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DbToolAdmin,
    ::testing::Values(AdminCase{"NoUser", {}, "tabla"},
                      AdminCase{"Administrator", {"--user", "ana"}, "tabla"},
                      AdminCase{"NotAnAdministrator", {"--user", "beto"}, "sinonimo"},
                      AdminCase{"UnknownUser", {"--user=nadie"}, "sinonimo"},
                      AdminCase{"LookUpTurnedOff", {"--user", "beto", "--no-admin-check"}, "tabla"},
                      AdminCase{"NoLookUp", {"--no-admin-check"}, "tabla"}),
    CaseName());

// ---- Control de Acceso ----

// Runs dbtool in this process as it runs with --ask: windows and prompts go to `windows`, boxes
// to the console. Returns the exit code; no box may reach the console.
int RunWithWindows(const QStringList& args, ScriptedDialogs& windows) {
    std::FILE* sink = std::tmpfile();
    EXPECT_NE(sink, nullptr);
    tools::ConsoleDialogs console(sink, &windows);
    const ui::ScopedDialogs installed(console);
    const int code = tools::RunDbTool(args, console);
    EXPECT_EQ(console.BoxCount(), 0);
    std::fclose(sink);
    db::DB_Dll& db = db::DB_Dll::Default();
    if (db.gCnn()->State() != ado::adStateClosed) {
        db.gCnn()->Close();
    }
    return code;
}

// With --ask the window goes to the windows' dialogs, filled from --conn (and --user); closing
// it without accepting opens nothing and shows no box.
TEST_F(DbToolTest, AskShowsControlDeAccesoFilledFromTheConnectionString) {
    EXPECT_FALSE(tools::ShowsWindows({"has-table", "--conn", "x", "T"}));
    EXPECT_FALSE(tools::ShowsWindows({"translate", "--ask"}));
    EXPECT_TRUE(tools::ShowsWindows({"has-table", "--ask", "--conn", "x", "T"}));
    ScriptedDialogs windows;
    QStringList seen;
    windows.OnModal([&](QWidget& w) {
        auto& dialogo = dynamic_cast<db::frmAcceso&>(w);
        seen << dialogo.windowTitle() << dialogo.TxtServidor()->text()
             << dialogo.TxtDbName()->text() << dialogo.TxtUserId()->text()
             << QString::number(dialogo.TxtUserPassword()->text() == "Secreto99");
        dialogo.reject();
    });
    const int code =
        RunWithWindows({"has-table", "--ask", "--user", "beto", "--conn",
                        "Provider=SQLOLEDB;Server=srv;Database=base;UId=ana;Pwd=Secreto99", "T"},
                       windows);
    EXPECT_EQ(code, tools::kExitFailed);
    EXPECT_EQ(windows.modalCount, 1);
    EXPECT_EQ(seen, QStringList({"Control de Acceso", "srv", "base", "beto", "1"}));
    EXPECT_TRUE(windows.boxes.empty());
}

// A password kept off the command line reaches "Control de Acceso" as one in --conn would.
TEST_F(DbToolTest, AskShowsThePasswordOfAFileOrTheEnvironment) {
    const QString file = WriteFile("clave", "Secreto99\n");
    const QStringList conn{"--conn", "Provider=SQLOLEDB;Server=srv;Database=base;UId=ana"};
    for (const bool fromFile : {true, false}) {
        SCOPED_TRACE(fromFile ? "file" : "environment");
        if (!fromFile) {
            qputenv("CHEQUES_PASSWORD", "Secreto99");
        }
        ScriptedDialogs windows;
        QStringList seen;
        windows.OnModal([&seen](QWidget& w) {
            seen << dynamic_cast<db::frmAcceso&>(w).TxtUserPassword()->text();
            dynamic_cast<db::frmAcceso&>(w).reject();
        });
        const QStringList password =
            fromFile ? QStringList{"--password-file", file} : QStringList{};
        EXPECT_EQ(
            RunWithWindows(QStringList{"has-table", "--ask"} + conn + password + QStringList{"T"},
                           windows),
            tools::kExitFailed);
        qunsetenv("CHEQUES_PASSWORD");
        EXPECT_EQ(seen, QStringList{"Secreto99"});
    }
}

// An embedded database has a file and nothing else: --ask asks for it, never for a server.
TEST_F(DbToolTest, AskOnAnEmbeddedDatabaseAsksForItsFile) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int)"));
    const QStringList args{"has-table", "--ask", "--conn", Conn(QStringLiteral("otro.db")), "T"};
    ScriptedDialogs windows;
    windows.AnswerPrompts({dir.File("c.db"), std::nullopt});
    EXPECT_EQ(RunWithWindows(args, windows), tools::kExitOk);
    EXPECT_EQ(RunWithWindows(args, windows), tools::kExitFailed) << "cancelled";
    EXPECT_EQ(windows.prompts.size(), 2u);
    EXPECT_EQ(windows.modalCount, 0) << "no Control de Acceso";
    EXPECT_TRUE(windows.boxes.empty());
    EXPECT_FALSE(QFile::exists(dir.File("otro.db")));
}

// ---- passwords ----

// A password from a file, standard input or the environment joins the connection string (a
// failed statement's log shows it masked) and is never written out.
TEST_F(DbToolTest, APasswordOffTheCommandLineJoinsTheConnectionString) {
    struct Case {
        const char* name;
        QStringList options;
        QByteArray input;
        QList<std::pair<QString, QString>> variables;
    };
    const QString file = WriteFile("clave", "Secreto99\r\n");
    const QString script = WriteFile("s.sql", "INSERT INTO NO_EXISTE VALUES (1)");
    const Case cases[] = {
        {"file", {"--password-file", file}, {}, {}},
        {"standard input", {"--password-stdin"}, "Secreto99\n", {}},
        {"environment", {}, {}, {{"CHEQUES_PASSWORD", "Secreto99"}}},
    };
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int)"));
    for (const Case& c : cases) {
        const Result r =
            RunTool(QStringList{"exec", "--conn", Conn()} + c.options + QStringList{script},
                    c.input, {}, c.variables);
        EXPECT_EQ(r.exitCode, tools::kExitFailed) << c.name;
        EXPECT_TRUE(r.err.contains(";Pwd=***;")) << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("Secreto99")) << c.name;
    }
}

TEST_F(DbToolTest, APasswordThatCannotBeHadIsAUsageError) {
    struct Case {
        const char* name;
        QStringList args;  // after the command and --conn
        QByteArray input;
        const char* message;
    };
    const QString file = WriteFile("clave", "Secreto99");
    const QString empty = WriteFile("vacia", "");
    const Case cases[] = {
        {"two sources",
         {"--password-file", file, "--password-stdin"},
         "x\n",
         "give the password one way"},
        {"a password in --conn too",
         {"--password-file", file, "--conn", Conn() + ";Pwd=x"},
         {},
         "--conn holds a password"},
        {"a missing file",
         {"--password-file", dir.File("no")},
         {},
         "cannot read the password file"},
        {"an empty file", {"--password-file", empty}, {}, "no password in the password file"},
        {"empty standard input", {"--password-stdin"}, {}, "no password in standard input"},
    };
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int)"));
    for (const Case& c : cases) {
        const Result r = RunTool(
            QStringList{"has-table", "--conn", Conn()} + c.args + QStringList{"T"}, c.input);
        EXPECT_EQ(r.exitCode, tools::kExitUsage) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_TRUE(r.err.contains(c.message)) << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("Secreto99")) << c.name;
    }
    const Result exec = RunTool({"exec", "--conn", Conn(), "--password-stdin"}, "x\nDROP TABLE T");
    EXPECT_EQ(exec.exitCode, tools::kExitUsage) << "the script and the password on one input";
    EXPECT_EQ(Column(Conn(), "SELECT COUNT(*) FROM T"), QStringList{"0"});
}

// ---- arguments ----

struct UsageCase {
    const char* name;
    QStringList args;
};

class DbToolUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(DbToolUsage, BadArgumentsExitWithUsage) {
    const Result r = RunTool(GetParam().args);
    EXPECT_EQ(r.exitCode, tools::kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.contains("usage:")) << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, DbToolUsage,
    ::testing::Values(UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"frobnicate"}},
                      UsageCase{"QueryWithoutConnOrStatement", {"query"}},
                      UsageCase{"QueryWithoutStatement", {"query", "--conn", "x"}},
                      UsageCase{"ExecTwoFiles", {"exec", "a.sql", "b.sql"}},
                      UsageCase{"ConnWithoutValue", {"exec", "--conn"}},
                      UsageCase{"TranslateTwoStatements", {"translate", "a", "b"}},
                      UsageCase{"TranslateAdmin", {"translate", "--admin", "a"}},
                      UsageCase{"SynonymsConn", {"synonyms", "--conn", "x", "a"}},
                      UsageCase{"UnknownOption", {"query", "--conn", "x", "--bogus", "SELECT 1"}},
                      UsageCase{"MaxWithoutField", {"max", "--conn", "x", "T"}},
                      UsageCase{"MaxTooManyArguments", {"max", "--conn", "x", "T", "F", "C", "D"}},
                      UsageCase{"ConfigWithoutKey", {"config"}},
                      UsageCase{"DemoWithAnArgument", {"demo", "x"}},
                      UsageCase{"DemoConn", {"demo", "--conn", "x"}},
                      UsageCase{"ResetOffDemo", {"query", "--reset", "SELECT 1"}},
                      UsageCase{"TranslateAsk", {"translate", "--ask", "a"}},
                      UsageCase{"SynonymsUser", {"synonyms", "--user", "x", "a"}},
                      UsageCase{"UserWithoutValue", {"query", "--conn", "x", "--user"}},
                      UsageCase{"NullOffEnsureColumn", {"has-table", "--conn", "x", "--null", "T"}},
                      UsageCase{"EnsureColumnWithoutType",
                                {"ensure-column", "--conn", "x", "T", "C"}},
                      UsageCase{"DefaultWithoutValue",
                                {"ensure-column", "--conn", "x", "T", "C", "int", "--default"}},
                      UsageCase{"DatosWithoutReturnedField", {"datos", "--conn", "x", "T", "V"}}),
    CaseName());

// An option before the command is read as one: what is wrong with it is what the tool says.
TEST(DbToolOptionFirst, SaysWhatIsWrongWithTheOption) {
    struct Case {
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {{"--conn"}, "Missing value after '--conn'"},
        {{"--bogus", "query"}, "Unknown option 'bogus'"},
        {{"--conn", "x", "query", "SELECT 1"}, "the command comes before its options"},
    };
    for (const Case& c : cases) {
        const Result r = RunTool(c.args);
        EXPECT_EQ(r.exitCode, tools::kExitUsage) << c.message;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("dbtool: ") + c.message))
            << r.err.toStdString();
    }
}

// ---- the demo database ----

// Every command that opens a connection opens the demo database when no --conn is given, made
// in the user's data folder on first use, and says so on standard error, once.
class DbToolDemo : public DbToolTest {
  protected:
    Result Run(const QStringList& args, const QByteArray& input = {}) const {
        return RunTool(args, input, dir.File(QStringLiteral("datos")));
    }
    QString DemoPath() const { return dir.File(QStringLiteral("datos/Vexilo/demo/demo.db")); }
    QString Note(const char* verb) const {
        return QStringLiteral("dbtool: no --conn given: %1 the demo database %2\n")
            .arg(QLatin1String(verb), DemoPath());
    }
};

struct DemoCase {
    const char* name;
    QStringList args;
    const char* expected;
};

class DbToolDemoCommands : public DbToolDemo, public ::testing::WithParamInterface<DemoCase> {};

TEST_P(DbToolDemoCommands, OpenTheDemoDatabaseWithoutConn) {
    const Result first = Run(GetParam().args);
    EXPECT_EQ(first.exitCode, tools::kExitOk) << first.err.toStdString();
    EXPECT_EQ(first.out, GetParam().expected);
    EXPECT_EQ(first.err, Note("made and opened"));
    const Result again = Run(GetParam().args);
    EXPECT_EQ(again.out, GetParam().expected);
    EXPECT_EQ(again.err, Note("opened"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DbToolDemoCommands,
    ::testing::Values(
        DemoCase{"Query", {"query", "SELECT COUNT(*) AS N FROM V_MA_ARTICULOS"}, "N\n5000\n"},
        DemoCase{"Config", {"config", "MostrarStockenConsultas"}, "SI\t\n"},
        DemoCase{"HasTable", {"has-table", "VT_CLIENTES"}, "true\n"},
        DemoCase{"ExistsWithUser",
                 {"exists", "--user", "supervisor", "V_TA_FAMILIAS", "1", "IDFAMILIA"},
                 "true\n"}),
    CaseName());

TEST_F(DbToolDemo, ConnGivenOpensThatDatabaseAndSaysNothing) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (A int)"));
    const Result r = Run({"has-table", "--conn", Conn(), "T"});
    EXPECT_EQ(r.out, "true\n");
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(QFile::exists(DemoPath()));
}

TEST_F(DbToolDemo, DemoPrintsThePathAndResetMakesItAgain) {
    const Result made = Run({"demo"});
    EXPECT_EQ(made.exitCode, tools::kExitOk) << made.err.toStdString();
    EXPECT_EQ(made.out, DemoPath() + "\n");
    EXPECT_TRUE(QFile::exists(DemoPath()));
    EXPECT_TRUE(QFile::exists(dir.File(QStringLiteral("datos/Vexilo/demo/MASCARAS.DAT"))));

    EXPECT_EQ(Run({"exec"}, "CREATE TABLE BORRAME (A int)").exitCode, tools::kExitOk);
    EXPECT_EQ(Run({"demo"}).out, DemoPath() + "\n");
    EXPECT_EQ(Run({"has-table", "BORRAME"}).out, "true\n") << "demo alone keeps the database";

    const Result reset = Run({"demo", "--reset"});
    EXPECT_EQ(reset.exitCode, tools::kExitOk) << reset.err.toStdString();
    EXPECT_EQ(reset.out, DemoPath() + "\n");
    EXPECT_EQ(Run({"has-table", "BORRAME"}).out, "false\n");
}

// Three first starts at once on a fresh data folder: one makes the demo database, the other two
// wait for it (under its lock) and open it; every one answers, and one whole database is left,
// without part files or lock.
TEST_F(DbToolDemo, FirstStartsAtOnceMakeOneDatabase) {
    constexpr int kStarts = 3;
    std::vector<std::unique_ptr<QProcess>> processes;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.File(QStringLiteral("datos")));
    for (int i = 0; i < kStarts; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->setProcessEnvironment(environment);
        processes.back()->start(QStringLiteral(DBTOOL_PATH),
                                {"query", "SELECT COUNT(*) AS N FROM V_MA_ARTICULOS"});
    }
    QStringList notes;
    for (auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), tools::kExitOk);
        EXPECT_EQ(QString::fromUtf8(process->readAllStandardOutput()), "N\n5000\n");
        notes << QString::fromUtf8(process->readAllStandardError());
    }
    EXPECT_EQ(notes.count(Note("made and opened")), 1) << notes.join("").toStdString();
    EXPECT_EQ(notes.count(Note("opened")), kStarts - 1);
    EXPECT_EQ(
        QDir(dir.File(QStringLiteral("datos/Vexilo/demo"))).entryList(QDir::Files | QDir::Hidden),
        (QStringList{"demo.db", "MASCARAS.DAT"}));
}

TEST_F(DbToolDemo, ADemoThatCannotBeMadeFailsWithItsReason) {
    QFile blocker(dir.File(QStringLiteral("datos")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Result r = Run({"has-table", "T"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.startsWith("dbtool: cannot make the demo database: ")) << r.err.toStdString();
}

TEST_F(DbToolTest, HelpIsGeneratedFromTheOptionsAndListsTheCommands) {
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"-h"}, QStringList{"query", "--help"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Result r = RunTool(args);
        EXPECT_EQ(r.exitCode, tools::kExitOk);
        EXPECT_EQ(r.err, "");
        for (const char* text : {"--conn <STRING>", "--user <NAME>", "--no-admin-check",
                                 "--default <SQL>", "--version", "dbtool ensure-column",
                                 "options of the commands that open a connection:"}) {
            EXPECT_TRUE(r.out.contains(QLatin1String(text))) << text;
        }
    }
}

TEST_F(DbToolTest, VersionPrintsTheProgramAndItsVersion) {
    const Result r = RunTool({"--version"});
    EXPECT_EQ(r.exitCode, tools::kExitOk);
    EXPECT_EQ(r.out, "dbtool " CHEQUES_VERSION_STRING "\n");
}

// A value with one leading dash is an argument, not an option.
TEST_F(DbToolTest, NegativeNumbersAreArguments) {
    Prepare(Conn(), QStringLiteral("CREATE TABLE T (Codigo varchar(10), N int);"
                                   "INSERT INTO T VALUES ('a', -1)"));
    ExpectLines(Conn(),
                {
                    {{"exists", "T", "-1", "N"}, "true\n"},
                    {{"ensure-column", "T", "M", "int", "--null", "--default", "-7"}, "true\n"},
                });
    EXPECT_EQ(Column(Conn(), "SELECT M FROM T"), QStringList({"-7"}));
}

// ---- the console pieces ----

TEST(ConsoleDialogs, AnswersTheNegativeChoiceAndCountsBoxes) {
    struct Case {
        int style;
        int answer;
    };
    const Case cases[] = {
        {ui::vbOKOnly, ui::vbOK},
        {ui::vbOKCancel, ui::vbCancel},
        {ui::vbAbortRetryIgnore | ui::vbCritical, ui::vbAbort},
        {ui::vbYesNoCancel, ui::vbCancel},
        {ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, ui::vbNo},
        {ui::vbRetryCancel, ui::vbCancel},
    };
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    tools::ConsoleDialogs dialogs(sink);
    for (const Case& c : cases) {
        EXPECT_EQ(dialogs.MsgBox("p", c.style, "t"), c.answer) << c.style;
    }
    EXPECT_FALSE(dialogs.InputBox("p", "t", "d").has_value());
    EXPECT_EQ(dialogs.BoxCount(), 7);
    std::fclose(sink);
}

TEST(ConsoleDialogs, WritesLineBreaksAsLineFeeds) {
    EXPECT_EQ(tools::ConsoleText("box", "t", "uno\rdos\r\ntres\ncuatro\r"),
              "[box] t\nuno\ndos\ntres\ncuatro\n\n");
}

TEST(EscapeField, WritesSpecialCharactersAsEscapes) {
    EXPECT_EQ(tools::EscapeField(rt::Variant::Null()), "");
    EXPECT_EQ(tools::EscapeField(rt::Variant()), "");
    EXPECT_EQ(tools::EscapeField(QStringLiteral("a\tb\nc\\d\re")), "a\\tb\\nc\\\\d\re");
    EXPECT_EQ(tools::EscapeField(42), "42");
}

}  // namespace
