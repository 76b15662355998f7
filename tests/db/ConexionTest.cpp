#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <vector>

#include "ConnectionMessages.h"
#include "ConnectionStrings.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "TempDir.h"
#include "cheques/ado/ConnectionString.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/PedidoDeAcceso.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

const QString kTitulo = QStringLiteral(" Error de Conexion a Base de Datos");
constexpr int kPregunta = ui::vbYesNo | ui::vbCritical;

// ---- Building the connection string ----

struct StringCase {
    const char* proveedor;
    const char* servidor;
    const char* dbName;
    const char* usuario;
    const char* password;
    const char* extended;
    const char* esperado;
};

TEST(ArmaConnString, WritesBothFormatsToTheCharacter) {
    const StringCase cases[] = {
        {"SQLOLEDB", "srv", "ventas", "sa", "clave", "",
         "PROVIDER=SQLOLEDB;Server=srv;Database =ventas;UId=sa;Pwd=clave;"},
        {"SQLOLEDB", "", "", "", "", "", "PROVIDER=SQLOLEDB;Server=;Database =;UId=;Pwd=;"},
        {"SQLOLEDB", "10.0.0.5,1450", "db", "u", "p", "Connect Timeout=5;App=Caja",
         "PROVIDER=SQLOLEDB;Server=10.0.0.5,1450;Database =db;UId=u;Pwd=p;Connect "
         "Timeout=5;App=Caja"},
        // Extended attributes are appended as they stand, even with quotes or semicolons.
        {"SQLOLEDB", "s", "d", "u", "p", "x=\"a;b\"",
         "PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;Pwd=p;x=\"a;b\""},
        {"OraOLEDB.Oracle.1", "ignorado", "ORCL", "scott", "tiger", "ignorado=1",
         "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;"},
        {"mi oracle", "", "ORCL", "scott", "", "",
         "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=;"},
        {"OraOLEDB.Oracle.1", "", "", "", "", "",
         "Provider=OraOLEDB.Oracle.1;Data Source=;User Id=;Password=;"},
        // Ordinary values stay as they are, "=" and inner quotes included.
        {"SQLOLEDB", "s", "d=1", "O'Brien", "a\"b", "",
         "PROVIDER=SQLOLEDB;Server=s;Database =d=1;UId=O'Brien;Pwd=a\"b;"},
        // Values that would end early, lose blanks or read as quoted go between double quotes.
        {"SQLOLEDB", "s", "d", "u", "a;Server=evil", "",
         "PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;Pwd=\"a;Server=evil\";"},
        {"SQLOLEDB", " s", "d ", "'u", "{p}", "",
         "PROVIDER=SQLOLEDB;Server=\" s\";Database =\"d \";UId=\"'u\";Pwd=\"{p}\";"},
        {"SQLOLEDB", "s", "d", "u", "\"x\";y", "",
         "PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;Pwd=\"\"\"x\"\";y\";"},
        {"OraOLEDB.Oracle.1", "", "OR;CL", "sc;ott", "ti;ger", "",
         "Provider=OraOLEDB.Oracle.1;Data Source=\"OR;CL\";User Id=\"sc;ott\";"
         "Password=\"ti;ger\";"},
    };
    for (const StringCase& c : cases) {
        EXPECT_EQ(db::ArmaConnString(c.proveedor, c.servidor, c.dbName, c.usuario, c.password,
                                     c.extended),
                  QString::fromUtf8(c.esperado))
            << c.esperado;
    }
}

// Whatever a setting holds, the provider reads back exactly that setting and no other
// attribute appears.
TEST(ArmaConnString, EveryValueRoundTripsWithoutAddingAttributes) {
    const char* const valores[] = {"a;Server=evil", "x\";Server=evil;y=\"",
                                   "\"quoted\"",    "'simple",
                                   "{braced}",      " lead",
                                   "trail ",        ";",
                                   "plain"};
    for (const char* texto : valores) {
        const QString v = QString::fromUtf8(texto);
        const QString sql = db::ArmaConnString(QStringLiteral("SQLOLEDB"), v, v, v, v, {});
        EXPECT_EQ(ado::ParseConnectionString(sql).size(), 5u) << texto;
        for (const char* clave : {"Server", "Database", "UId", "Pwd"}) {
            EXPECT_EQ(ado::ConnectionStringValue(sql, QLatin1String(clave)), v) << texto;
        }
        const QString ora = db::ArmaConnString(QStringLiteral("ORACLE"), {}, v, v, v, {});
        EXPECT_EQ(ado::ParseConnectionString(ora).size(), 4u) << texto;
        for (const char* clave : {"Data Source", "User Id", "Password"}) {
            EXPECT_EQ(ado::ConnectionStringValue(ora, QLatin1String(clave)), v) << texto;
        }
    }
}

TEST(ArmaConnString, APasswordWithASemicolonReachesTheDriverWhole) {
    const QString cs =
        db::ArmaConnString(QStringLiteral("SQLOLEDB"), QStringLiteral("srv"), QStringLiteral("db"),
                           QStringLiteral("u"), QStringLiteral("a;Server=evil"), {});
    const ado::ConnectionTarget target = ado::TranslateConnectionString(cs);
    EXPECT_EQ(target.odbcString,
              "Driver=FreeTDS;Server=srv;Database=db;UID=u;PWD={a;Server=evil};");
}

// ---- Messages ----

TEST(MensajeReintento, LinesOfTheFirstProviderError) {
    EXPECT_EQ(db::MensajeReintento(QStringLiteral("08001"), -2147467259,
                                   QStringLiteral("Unable to connect"), 20009),
              QStringLiteral(" Estado de Sql: 08001\rNumero de Error: -2147467259\r"
                             "Descripcion: Unable to connect\rCodigo Nativo: 20009\r"
                             " - Desea Intentarlo Nuevamente??? "));
}

// Password values are hidden where they stand as attributes; the provider's own words are not
// touched, whatever password is set.
TEST(OcultaPasswords, HidesAttributeValuesAndLeavesTheProvidersWords) {
    struct Case {
        const char* name;
        const char* texto;
        const char* esperado;
    };
    const Case cases[] = {
        {"provider's words with a one-letter password", "file is not a database",
         "file is not a database"},
        {"provider's words holding a password", "Login failed for 'sa' with s3creta.",
         "Login failed for 'sa' with s3creta."},
        {"attribute ended by a semicolon", "Login failed; PWD=s3creta;", "Login failed; PWD=***;"},
        {"attribute at the end", "bad attribute Password=s3creta", "bad attribute Password=***"},
        {"any case, blanks around the sign", "password = 'q' refused", "password = ***"},
        {"double-quoted with a semicolon", "Pwd=\"ti;g\"\"er\";X=1", "Pwd=***;X=1"},
        {"braced with a semicolon", "PWD={a;b}}c};UID=u", "PWD=***;UID=u"},
        {"text after the closing quote (found by fuzzing)", "PWD='ab'cd;", "PWD=***;"},
        {"unterminated quote", "Password=\"abc", "Password=***"},
        {"every attribute", "Password=a;pwd=b;", "Password=***;pwd=***;"},
        {"ends at the line's end", "PWD=x\nnext line", "PWD=***\nnext line"},
        {"a longer keyword is not a password", "UserPwd=x;Passwords=y", "UserPwd=x;Passwords=y"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(db::OcultaPasswords(QString::fromUtf8(c.texto)), QString::fromUtf8(c.esperado))
            << c.name;
    }
}

// ---- Opening ----

// Answers "Control de Acceso" for one test: keeps every question and answers as told (accepting
// the parameters unchanged unless told otherwise).
struct Acceso {
    using Respuesta = std::function<std::optional<db::ParametrosAcceso>(db::ParametrosAcceso)>;

    std::vector<db::ParametrosAcceso> preguntas;
    Respuesta responder = [](db::ParametrosAcceso p) { return p; };
    const db::PedidoDeAcceso pedido{[this](const db::ParametrosAcceso& p) {
        preguntas.push_back(p);
        return responder(p);
    }};
};

TEST(OpenServerADODB, ProviderNamesAndTheLocalOpeningThatDoesNothing) {
    db::DB_Dll component;
    EXPECT_EQ(component.pJETOLEDB40(), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(component.pJETOLEDB35(), "Microsoft.Jet.OLEDB.3.51");
    EXPECT_EQ(component.pSQLOLEDB(), "SQLOLEDB");

    dbtest::SqliteDb base;
    component.OpenLocalADODB(base.Conn(), QStringLiteral("Uid"), QStringLiteral("Pwd"));
    component.OpenLocalADODB();
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
    EXPECT_TRUE(component.gCnn()->ConnectionString().isEmpty());
    EXPECT_FALSE(component.gOpenFlag);
    EXPECT_TRUE(component.gConnString.isEmpty());
    EXPECT_TRUE(component.gProveedor.isEmpty());
}

TEST(OpenServerADODB, AReadyStringIsUsedUnchanged) {
    ScriptedDialogs dialogs;
    Acceso acceso;
    dbtest::SqliteDb base;
    db::DB_Dll component;
    component.gServidor = QStringLiteral("no;consultado");
    component.gDbName = QStringLiteral("otra");
    const QString cs = QStringLiteral("  ") + base.Conn();
    component.OpenServerADODB(false, ado::adUseClient, cs, false);
    EXPECT_EQ(component.gConnString, cs);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
    EXPECT_EQ(component.gCnn()->CursorLocation(), ado::adUseClient);
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_TRUE(component.gEsAdmin);
    EXPECT_EQ(component.gProveedor, "SQLOLEDB");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(acceso.preguntas.empty());
}

TEST(OpenServerADODB, TheCursorLocationArgumentReachesTheConnection) {
    ScriptedDialogs dialogs;
    dbtest::SqliteDb base;
    db::DB_Dll component;
    component.OpenServerADODB(false, ado::adUseServer, base.Conn(), false);
    EXPECT_EQ(component.gCnn()->CursorLocation(), ado::adUseServer);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
}

// The SQL Server connection string towards a port where nobody listens.
void PuertoCerrado(db::DB_Dll& component) {
    component.gServidor = QStringLiteral("127.0.0.1,1");
    component.gDbName = QStringLiteral("ventas");
    component.gUsuario = QStringLiteral("sa");
    component.gUserPassWord = QStringLiteral("Sup3r;Secreta");
    component.gExtended = QStringLiteral("Connect Timeout=2");
}

QString EsperadoDe(const ado::Error& e) {
    return QStringLiteral(" Estado de Sql: ") + e.SQLState() +
           QStringLiteral("\rNumero de Error: ") + QString::number(e.Number()) +
           QStringLiteral("\rDescripcion: ") + e.Description() +
           QStringLiteral("\rCodigo Nativo: ") + QString::number(e.NativeError()) +
           QStringLiteral("\r - Desea Intentarlo Nuevamente??? ");
}

TEST(OpenServerADODB, ARefusedConnectionOffersToTryAgainWithNewParameters) {
    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbYes, ui::vbNo});
    Acceso acceso;
    acceso.responder = [](db::ParametrosAcceso p) {
        p.servidor = QStringLiteral("127.0.0.1,2");
        return p;
    };
    db::DB_Dll component;
    PuertoCerrado(component);
    component.OpenServerADODB();

    ASSERT_EQ(acceso.preguntas.size(), 1u);
    EXPECT_EQ(acceso.preguntas[0],
              (db::ParametrosAcceso{"sa", "Sup3r;Secreta", "ventas", "127.0.0.1,1", false}));
    EXPECT_FALSE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
    EXPECT_EQ(component.gServidor, "127.0.0.1,2");
    EXPECT_EQ(component.gConnString,
              "PROVIDER=SQLOLEDB;Server=127.0.0.1,2;Database =ventas;UId=sa;"
              "Pwd=\"Sup3r;Secreta\";Connect Timeout=2");
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    for (const ScriptedDialogs::Box& box : dialogs.boxes) {
        EXPECT_EQ(box.title, kTitulo);
        EXPECT_EQ(box.style, kPregunta);
        EXPECT_TRUE(box.prompt.startsWith(QLatin1String(" Estado de Sql: 08")))
            << box.prompt.toStdString();
        EXPECT_TRUE(
            box.prompt.contains(QLatin1String("\rNumero de Error: -2147467259\rDescripcion: ")));
        EXPECT_FALSE(box.prompt.contains(QLatin1String("Codigo Nativo: 0\r")));
        EXPECT_FALSE(box.prompt.contains(QLatin1String("Secreta")));
    }
    // No answers the last question; the errors it showed are still on the connection.
    ASSERT_GE(component.gCnn()->Errors().Count(), 1);
    EXPECT_EQ(dialogs.boxes[1].prompt, EsperadoDe(component.gCnn()->Errors().Item(0)));
}

// A provider description is shown as the provider wrote it, even when one of its words is the
// password: replacing it would damage the message and give the password away.
TEST(OpenServerADODB, TheProvidersWordsStayWhenTheyHoldThePassword) {
    db::DB_Dll component;
    PuertoCerrado(component);
    auto sonda = ado::Connection::Create();
    EXPECT_THROW(sonda->Open(db::ArmaConnString(QStringLiteral("SQLOLEDB"), component.gServidor,
                                                component.gDbName, component.gUsuario,
                                                QStringLiteral("x"), component.gExtended)),
                 rt::RuntimeError);
    ASSERT_GE(sonda->Errors().Count(), 1);
    QString palabra;
    for (const QString& p :
         sonda->Errors().Item(0).Description().split(QRegularExpression(QStringLiteral("\\W+")))) {
        palabra = p.size() > palabra.size() ? p : palabra;
    }
    ASSERT_GE(palabra.size(), 4);

    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbNo});
    component.gUserPassWord = palabra;
    component.OpenServerADODB();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, EsperadoDe(component.gCnn()->Errors().Item(0)));
    EXPECT_TRUE(dialogs.boxes[0].prompt.contains(palabra));
}

// A one-letter password: the message about a file that is no database reads whole.
TEST(OpenServerADODB, AShortPasswordLeavesTheMessageWhole) {
    dbtest::SqliteDb base;
    QFile archivo(base.Path() + QStringLiteral(".txt"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(QByteArray(4096, 'a'));
    archivo.close();
    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbNo});
    db::DB_Dll component;
    component.gUserPassWord = QStringLiteral("a");
    component.OpenServerADODB(false, ado::adUseClient,
                              QStringLiteral("Provider=SQLite;Data Source=") + archivo.fileName() +
                                  QStringLiteral(";Password=a"),
                              true);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].prompt.contains(QLatin1String("file is not a database")))
        << dialogs.boxes[0].prompt.toStdString();
    EXPECT_FALSE(dialogs.boxes[0].prompt.contains(QLatin1String("***")));
}

TEST(OpenServerADODB, DefaultsWithEmptySettingsTryTheEmptySqlServerString) {
    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbNo});
    Acceso acceso;
    db::DB_Dll component;
    component.OpenServerADODB();
    EXPECT_EQ(component.gProveedor, "SQLOLEDB");
    EXPECT_EQ(component.gConnString, "PROVIDER=SQLOLEDB;Server=;Database =;UId=;Pwd=;");
    EXPECT_FALSE(component.gOpenFlag);
    EXPECT_TRUE(acceso.preguntas.empty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, kTitulo);
    ASSERT_GE(component.gCnn()->Errors().Count(), 1);
    EXPECT_EQ(dialogs.boxes[0].prompt, EsperadoDe(component.gCnn()->Errors().Item(0)));
}

TEST(OpenServerADODB, TheRetryOpensOnceTheFailureIsMended) {
    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbYes});
    TempDir dir;
    const QString carpeta = dir.File(QStringLiteral("nueva"));
    db::DB_Dll component;
    component.gProveedor = QStringLiteral("SQLite");
    component.gExtended =
        QStringLiteral("Mode=ReadWriteCreate;Data Source=") + carpeta + QStringLiteral("/c.db");
    Acceso acceso;
    acceso.responder = [&](db::ParametrosAcceso p) {
        EXPECT_TRUE(QDir().mkpath(carpeta));
        p.usuario = QStringLiteral("ana");
        return p;
    };
    component.OpenServerADODB(false, ado::adUseClient, {}, false);
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_TRUE(component.gEsAdmin);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
    EXPECT_EQ(component.gUsuario, "ana");
    EXPECT_EQ(component.gConnString,
              "PROVIDER=SQLite;Server=;Database =;UId=ana;Pwd=;" + component.gExtended);
    EXPECT_EQ(component.gCnn()->ConnectionString(), component.gConnString);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, kTitulo);
    EXPECT_EQ(component.gCnn()->Errors().Count(), 0);
}

TEST(OpenServerADODB, CancellingTheRetryDialogEndsTheOpening) {
    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbYes});
    db::DB_Dll component;
    PuertoCerrado(component);
    Acceso acceso;
    acceso.responder = [](db::ParametrosAcceso) { return std::nullopt; };
    component.OpenServerADODB();
    EXPECT_FALSE(component.gOpenFlag);
    EXPECT_EQ(component.gServidor, "127.0.0.1,1");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(acceso.preguntas.size(), 1u);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
}

TEST(OpenServerADODB, OtherFailuresShowTheirDescriptionOnly) {
    struct Case {
        int cursor;
        const char* conn;
        const char* descripcion;
    };
    const Case cases[] = {
        {7, "",
         "Los argumentos son del tipo incorrecto, están fuera del intervalo aceptable o están en "
         "conflicto con otros."},
        {3, "Provider=Nada;Password=n0;pe",
         "No se puede encontrar el proveedor. Es posible que no esté instalado correctamente."},
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        db::DB_Dll component;
        component.OpenServerADODB(false, c.cursor, QString::fromUtf8(c.conn));
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.descripcion;
        EXPECT_EQ(dialogs.boxes[0].prompt, QString::fromUtf8(c.descripcion));
        EXPECT_EQ(dialogs.boxes[0].style, ui::vbOKOnly);
        EXPECT_TRUE(dialogs.boxes[0].title.isEmpty());
        EXPECT_TRUE(component.gOpenFlag);
        EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
    }
}

TEST(OpenServerADODB, OracleChosenInTheDialogReplacesAReadyString) {
    ScriptedDialogs dialogs;
    dialogs.AnswerBoxes({ui::vbNo});
    dbtest::SqliteDb base;
    db::DB_Dll component;
    Acceso acceso;
    acceso.responder = [](db::ParametrosAcceso) {
        return db::ParametrosAcceso{"scott", "tiger", "ORCL", "", true};
    };
    component.OpenServerADODB(true, ado::adUseClient, base.Conn());
    EXPECT_EQ(component.gProveedor, "OraOLEDB.Oracle.1");
    EXPECT_EQ(component.gConnString,
              "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;");
    EXPECT_FALSE(component.gOpenFlag);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, kTitulo);
    EXPECT_FALSE(dialogs.boxes[0].prompt.contains(QLatin1String("tiger")));
}

// A program that installed no way to ask gets no answer: the opening ends as if cancelled.
TEST(OpenServerADODB, WithoutAWayToAskTheQuestionCountsAsCancelled) {
    ScriptedDialogs dialogs;
    dbtest::SqliteDb base;
    db::DB_Dll component;
    component.OpenServerADODB(true, ado::adUseClient, base.Conn(), false);
    EXPECT_FALSE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateClosed);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST(OpenServerADODB, SqlServerChosenInTheDialogKeepsTheProvider) {
    ScriptedDialogs dialogs;
    dbtest::SqliteDb base;
    db::DB_Dll component;
    component.gProveedor = QStringLiteral("SQLite");
    component.gExtended = QStringLiteral("Data Source=") + base.Path();
    Acceso acceso;
    component.OpenServerADODB(true, ado::adUseClient, QStringLiteral("Provider=Nada"), false);
    EXPECT_EQ(acceso.preguntas.size(), 1u);
    EXPECT_EQ(component.gProveedor, "SQLite");
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
    EXPECT_TRUE(dialogs.boxes.empty());
}

// ---- The administrator look-up ----

TEST(OpenServerADODB, AdministratorWhenTheColumnReadsAsOne) {
    dbtest::SqliteDb base;
    base.Exec(QStringLiteral("CREATE TABLE ta_usuarios (nombre TEXT, Administrador)"));
    base.Exec(QStringLiteral(
        "INSERT INTO ta_usuarios VALUES ('jefe', 1), ('real', 1.0), ('texto1', '1.0'), "
        "(' blancos ', 1), ('cero', 0), ('vacio', ''), ('letras', 'si'), ('nulo', NULL), "
        "('dos', 2), ('casi', '1abc'), ('Peña', 1)"));
    struct Case {
        const char* usuario;
        bool admin;
    };
    const Case cases[] = {{"jefe", true},  {"real", true},   {"texto1", true},  {"blancos ", true},
                          {"cero", false}, {"vacio", false}, {"letras", false}, {"nulo", false},
                          {"dos", false},  {"casi", false},  {"nadie", false},  {"", false},
                          {"JEFE", true},  {"pEÑA", true},   {"pena", false}};
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        db::DB_Dll component;
        component.gUsuario = QString::fromUtf8(c.usuario);
        component.OpenServerADODB(false, ado::adUseClient, base.Conn());
        EXPECT_EQ(component.gEsAdmin, c.admin) << c.usuario;
        EXPECT_TRUE(component.gOpenFlag) << c.usuario;
        EXPECT_TRUE(dialogs.boxes.empty()) << c.usuario;
    }
}

TEST(OpenServerADODB, NoUserTableMeansNoAdministrator) {
    ScriptedDialogs dialogs;
    dialogs.defaultAnswer = ui::vbAbort;
    dbtest::SqliteDb base;
    db::DB_Dll component;
    component.gUsuario = QStringLiteral("jefe");
    component.gEsAdmin = true;
    component.OpenServerADODB(false, ado::adUseClient, base.Conn());
    EXPECT_FALSE(component.gEsAdmin);
    EXPECT_TRUE(component.gOpenFlag);
    EXPECT_EQ(component.gCnn()->State(), ado::adStateOpen);
}

}  // namespace
