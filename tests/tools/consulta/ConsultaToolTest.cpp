// consulta: one lookup request from the command line, in process with a scripted window, and
// run as a process for what needs no window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

#include "AnchosConsulta.h"
#include "CasoNombrado.h"
#include "ConsultaTool.h"
#include "DbTool.h"
#include "RegistroMascara.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "TempDir.h"
#include "cheques/Version.h"
#include "cheques/ado/Enums.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/DefaultInstance.h"

namespace {

using lookuptest::PrintTo;

using lookup::Lib_FrmCons3;

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

class ConsultaToolTest : public ::testing::Test {
  protected:
    ConsultaToolTest() {
        previoDatos_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", datos.Path().toUtf8());
        base.Exec(
            "CREATE TABLE TA_CONFIGURACION (CLAVE varchar(40), VALOR varchar(100), "
            "valoraux varchar(100))");
        base.Exec("CREATE TABLE MA_CLIENTES (CODIGO varchar(4), NOMBRE varchar(20))");
        base.Exec(
            "INSERT INTO MA_CLIENTES VALUES ('C1', 'Ana'), ('C2', 'Beto\tBis'), "
            "('C3', 'Carla')");
        base.Exec("CREATE TABLE MA_ITEMS (Codigo varchar(4), Cantidad varchar(8))");
        base.Exec("INSERT INTO MA_ITEMS VALUES ('A', '0'), ('B', '0'), ('C', '0')");
    }

    // Leaves the default component closed and its settings cleared: every test shares it.
    ~ConsultaToolTest() override {
        db::DB_Dll& d = db::DB_Dll::Default();
        if (d.gCnn()->State() != ado::adStateClosed) {
            d.gCnn()->Close();
        }
        d.gConnString.clear();
        d.gProveedor.clear();
        d.gServidor.clear();
        d.gDbName.clear();
        d.gUsuario.clear();
        d.gUserPassWord.clear();
        d.gEsAdmin = false;
        rt::DefaultInstance<Lib_FrmCons3>::Release();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qputenv("XDG_DATA_HOME", previoDatos_);
    }

    Result Run(const QStringList& args) const {
        QString out;
        QTextStream outStream(&out);
        Result result = Run(args, outStream);
        outStream.flush();
        result.out = out;
        return result;
    }

    // The choice goes to outStream; the result holds the exit code and standard error.
    Result Run(const QStringList& args, QTextStream& outStream) const {
        QString err;
        QTextStream errStream(&err);
        const int code = tools::RunConsulta(args, outStream, errStream);
        errStream.flush();
        return {code, {}, err};
    }

    // The clerk's part, once the window has loaded.
    void AlMostrar(const std::function<void(Lib_FrmCons3&)>& clerk) {
        dialogs.OnModal([clerk](QWidget& widget) { clerk(dynamic_cast<Lib_FrmCons3&>(widget)); });
    }

    static void Aceptar(Lib_FrmCons3& w) { QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton); }

    TempDir datos;
    dbtest::SqliteDb base;
    ScriptedDialogs dialogs;

  private:
    QByteArray previoDatos_;
};

TEST_F(ConsultaToolTest, SingleChoicePrintsTheValueAndTheAskedColumns) {
    AlMostrar([](Lib_FrmCons3& w) {
        w.ListView1()->Seleccionar(1);
        Aceptar(w);
    });
    const Result r = Run({"--conn", base.Conn(), "--campo", "CODIGO", "--devueltos",
                          "NOMBRE, CODIGO", "select NOMBRE, CODIGO from MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "C2\nBeto\\tBis\nC2\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(ConsultaToolTest, WithoutCampoTheFirstColumnIsTheChoice) {
    AlMostrar([](Lib_FrmCons3& w) {
        w.ListView1()->Seleccionar(1);
        Aceptar(w);
    });
    const Result r = Run({"--conn", base.Conn(), "select NOMBRE, CODIGO from MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "Beto\\tBis\n");
}

// A choice that holds nothing is not printed as if it were a value.
TEST_F(ConsultaToolTest, NothingChosenExitsWithThree) {
    struct Case {
        QStringList args;
        const char* out;
    };
    const Case cases[] = {
        {{"--checks"}, "\n"},
        {{"--checks", "--json"}, "{\"Cantidades\":[],\"ValorDevuelto\":null,\"Valores\":[]}\n"},
        {{"--campo", "VACIO"}, "\n"},
    };
    base.Exec("CREATE TABLE MA_VACIOS (CODIGO varchar(4), VACIO varchar(4))");
    base.Exec("INSERT INTO MA_VACIOS VALUES ('V1', '')");
    for (const Case& c : cases) {
        AlMostrar(Aceptar);
        const Result r =
            Run(QStringList{"--conn", base.Conn()} + c.args + QStringList{"MA_VACIOS"});
        EXPECT_EQ(r.exitCode, tools::kExitNothingChosen) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
}

TEST_F(ConsultaToolTest, MultipleChoiceWithQuantities) {
    AlMostrar([](Lib_FrmCons3& w) {
        lookup::ListaConsulta& list = *w.ListView1();
        list.setFocus();
        list.Seleccionar(2);
        QTest::keyClick(&list, Qt::Key_Insert);
        QTest::keyClick(&list, Qt::Key_Insert);
        list.Seleccionar(0);
        QTest::keyClick(&list, Qt::Key_Insert);
        Aceptar(w);
    });
    const Result r = Run({"--conn", base.Conn(), "--checks", "--cantidades",
                          "select Codigo, Cantidad from MA_ITEMS"});
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "\nA\t1\nC\t2\n");
}

TEST_F(ConsultaToolTest, Json) {
    AlMostrar([](Lib_FrmCons3& w) {
        w.ListView1()->Modelo().Marcar(1, true);
        Aceptar(w);
    });
    const Result r = Run({"--conn", base.Conn(), "--checks", "--cantidades", "--json",
                          "select Codigo, Cantidad from MA_ITEMS"});
    EXPECT_EQ(r.exitCode, tools::kExitOk);
    EXPECT_EQ(r.out, "{\"Cantidades\":[0],\"ValorDevuelto\":null,\"Valores\":[\"B\"]}\n");
}

TEST_F(ConsultaToolTest, TheOptionsReachTheWindow) {
    QStringList seen;
    AlMostrar([&seen](Lib_FrmCons3& w) {
        seen << w.SQLInicial() << w.FiltroInicial << w.ValoresDefault
             << QString::number(w.CheckBoxes) << QString::number(w.GrabarCfg);
        Aceptar(w);
    });
    const Result r = Run({"--conn", base.Conn(), "--clave", "Ca", "--defaults", "C1,C3", "--checks",
                          "--campo", "CODIGO", "--busqueda", "CODIGO", "--sentencia",
                          "select CODIGO, NOMBRE from MA_CLIENTES", "MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    EXPECT_EQ(seen,
              (QStringList{"select CODIGO, NOMBRE from MA_CLIENTES ", "Ca", "C1,C3", "1", "1"}));
    EXPECT_EQ(r.out, "\nC1\nC3\n") << "the rows ticked from --defaults";
    EXPECT_TRUE(QFile::exists(lookup::RutaAnchos(lookup::CarpetaPrograma())))
        << "the widths are remembered";
}

TEST_F(ConsultaToolTest, MasksAndTheirCondition) {
    QFile masks(datos.File("mascaras.dat"));
    ASSERT_TRUE(masks.open(QIODevice::WriteOnly));
    masks.write(lookuptest::RegistroMascara("MA_CLIENTES", "|CODIGO|NOMBRE|", ""));
    masks.close();
    QString shown;
    AlMostrar([&shown](Lib_FrmCons3& w) {
        shown = w.SQLInicial();
        Aceptar(w);
    });
    const Result r = Run({"--conn", base.Conn(), "--mascaras", masks.fileName(), "--where",
                          "NOMBRE <> 'Ana'", "--campo", "NOMBRE", "MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    EXPECT_EQ(shown,
              "SELECT TOP 1000 CODIGO,NOMBRE FROM MA_CLIENTES WHERE  (NOMBRE <> 'Ana')  "
              "ORDER BY CODIGO ");
    EXPECT_EQ(r.out, "Beto Bis\n") << "a sub-item is shown on one line";
}

// A choice that cannot be written is no choice for the script that reads it.
TEST_F(ConsultaToolTest, AChoiceThatCannotBeWrittenFails) {
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    AlMostrar(Aceptar);
    QTextStream out(&full);
    const Result r = Run({"--conn", base.Conn(), "select CODIGO from MA_CLIENTES"}, out);
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_TRUE(r.err.startsWith("consulta: cannot write standard output: "))
        << r.err.toStdString();
}

TEST_F(ConsultaToolTest, CancellingExitsWithOne) {
    AlMostrar([](Lib_FrmCons3& w) { QTest::mouseClick(w.CmdCancelar(), Qt::LeftButton); });
    const Result r = Run({"--conn", base.Conn(), "MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "consulta: cancelled\n");
}

TEST_F(ConsultaToolTest, NoWindowIsNoChoice) {
    QFile masks(datos.File("mascaras.dat"));
    ASSERT_TRUE(masks.open(QIODevice::WriteOnly));
    masks.write(lookuptest::RegistroMascara("MA_CLIENTES", "|CODIGO|", ""));
    masks.close();
    const Result r = Run({"--conn", base.Conn(), "--mascaras", masks.fileName(), "MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(dialogs.modalCount, 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Debe configurar la consulta para esta tabla");
    EXPECT_EQ(r.err,
              "consulta: [box] Aviso al operador\nDebe configurar la consulta para esta tabla\n"
              "consulta: no list was shown\n");
}

TEST_F(ConsultaToolTest, AConnectionThatFailsExitsWithOne) {
    dialogs.defaultAnswer = ui::vbNo;
    const Result r =
        Run({"--conn", "Provider=SQLite;Data Source=" + datos.File("missing.db"), "MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(dialogs.modalCount, 0);
    EXPECT_TRUE(r.err.startsWith("consulta: [box]  Error de Conexion a Base de Datos\n"))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("\nDescripcion: No se puede abrir la base de datos"))
        << "the cause, on a line of its own: " << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("consulta: the connection could not be opened\n"));
    EXPECT_FALSE(QFile::exists(datos.File("missing.db"))) << "nothing created";
}

// The boxes that tell the clerk why the list is empty tell the script too.
TEST_F(ConsultaToolTest, AMissingTableSaysWhy) {
    AlMostrar([](Lib_FrmCons3& w) { QTest::mouseClick(w.CmdCancelar(), Qt::LeftButton); });
    const Result r = Run({"--conn", base.Conn(), "NO_EXISTE"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.contains("no such table: NO_EXISTE")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("consulta: cancelled\n")) << r.err.toStdString();
}

TEST_F(ConsultaToolTest, ADatabaseWithoutTheConfigurationTableIsRefused) {
    base.Exec("DROP TABLE TA_CONFIGURACION");
    const Result r = Run({"--conn", base.Conn(), "MA_CLIENTES"});
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(dialogs.modalCount, 0);
    EXPECT_TRUE(dialogs.boxes.empty()) << "no error box for every setting";
    EXPECT_EQ(r.err, "consulta: the database has no configuration table TA_CONFIGURACION\n");
}

// A table name and the search column are written into the request's statements: anything but a
// name is a usage error before the database is touched; a SELECT statement is the clerk's own.
TEST_F(ConsultaToolTest, ATableOrSearchColumnThatIsNoNameIsRefused) {
    const QStringList refused[] = {
        {"MA_CLIENTES; DELETE FROM MA_CLIENTES; --"},
        {"--busqueda", "CODIGO; DELETE FROM MA_CLIENTES", "MA_CLIENTES"},
    };
    for (const QStringList& args : refused) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Result r = Run(QStringList{"--conn", base.Conn()} + args);
        EXPECT_EQ(r.exitCode, tools::kExitUsage);
        EXPECT_TRUE(r.err.contains("must be a table or column name")) << r.err.toStdString();
    }
    EXPECT_EQ(dialogs.modalCount, 0);
    EXPECT_EQ(base.Column("SELECT CODIGO FROM MA_CLIENTES").size(), 3);
    AlMostrar(Aceptar);
    const Result statement =
        Run({"--conn", base.Conn(), "select CODIGO from MA_CLIENTES where CODIGO <> 'C1'"});
    EXPECT_EQ(statement.exitCode, tools::kExitOk) << statement.err.toStdString();
}

// Without --conn the demo database is opened, and its query masks build the statement of a name.
TEST_F(ConsultaToolTest, WithoutConnTheDemoDatabaseAndItsMasks) {
    QString shown;
    AlMostrar([&shown](Lib_FrmCons3& w) {
        shown = w.SQLInicial();
        w.ListView1()->Seleccionar(0);
        Aceptar(w);
    });
    const Result r = Run({"--campo", "Codigo", "V_MA_ARTICULOS"});
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    const QString demo = datos.File("Vexilo/demo/demo.db");
    EXPECT_EQ(r.err, "consulta: no --conn given: made and opened the demo database " + demo + "\n");
    EXPECT_TRUE(shown.startsWith("SELECT TOP 1000 Codigo,Descripcion,PRECIO1,"))
        << shown.toStdString();
    EXPECT_EQ(r.out.count('\n'), 1);
    EXPECT_FALSE(r.out.trimmed().isEmpty());
}

// --tree takes the request's tree road: the tree window, never the list.
class ConsultaTreeTest : public ConsultaToolTest {
  protected:
    ConsultaTreeTest() {
        base.Exec("CREATE TABLE V_TA_FAMILIAS (IDFAMILIA varchar(4), DESCRIPCION varchar(20))");
        base.Exec("INSERT INTO V_TA_FAMILIAS VALUES ('1', 'Bebidas'), ('11', 'Gaseosas')");
    }
    // The clerk's part in the tree window.
    void EnElArbol(const std::function<void(lookup::Lib_FrmCons3Tree&)>& clerk) {
        dialogs.OnModal([clerk](QWidget& window) {
            auto* tree = dynamic_cast<lookup::Lib_FrmCons3Tree*>(&window);
            ASSERT_NE(tree, nullptr) << "not the tree window";
            clerk(*tree);
        });
    }
    Result RunTree() const {
        return Run({"--conn", base.Conn(), "--tree", "--campo", "IDFAMILIA",
                    "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA"});
    }
};

TEST_F(ConsultaTreeTest, ChoosingPrintsTheCode) {
    EnElArbol([](lookup::Lib_FrmCons3Tree& w) {
        QTest::keyClicks(w.CmbSearch(), "11");
        QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    });
    const Result r = RunTree();
    EXPECT_EQ(r.exitCode, tools::kExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "11\n");
}

// The tree road says, before its window opens, what it accepts; the window opens all the same.
TEST_F(ConsultaTreeTest, WarnsOfWhatTheTreeCannotReturn) {
    struct Case {
        const char* name;
        QStringList args;
        bool campo;      // warned of the returned field
        bool sentencia;  // warned of the statement
    };
    const QString dos = "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA";
    const Case cases[] = {
        {"Accepted", {"--campo", "idfamilia", dos}, false, false},
        {"OtherField", {"--campo", "DESCRIPCION", dos}, true, false},
        {"NoField", {dos}, true, false},
        {"TableName", {"--campo", "CODIGO", "V_TA_FAMILIAS"}, false, true},
        {"ThreeColumns",
         {"--campo", "CODIGO", "SELECT IDFAMILIA, LEFT(DESCRIPCION, 3), DESCRIPCION FROM X"},
         false,
         true},
        {"Star", {"--campo", "CODIGO", "SELECT * FROM V_TA_FAMILIAS"}, false, true},
        {"CommasInsideAFunction",
         {"--campo", "IDPOSICION", "select IDFAMILIA, isnull(DESCRIPCION, '-,-') from V"},
         false,
         false},
    };
    for (const Case& c : cases) {
        EnElArbol([](lookup::Lib_FrmCons3Tree& w) {
            QTest::mouseClick(w.CmdCancelar(), Qt::LeftButton);
        });
        const Result r = Run(QStringList{"--conn", base.Conn(), "--tree"} + c.args);
        EXPECT_EQ(r.err.contains("only for --campo IDFAMILIA, IDPOSICION or CODIGO"), c.campo)
            << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.contains("reads a SELECT of two columns"), c.sentencia)
            << c.name << ": " << r.err.toStdString();
    }
    EXPECT_EQ(dialogs.modalCount, static_cast<int>(std::size(cases)));
}

TEST_F(ConsultaTreeTest, CancellingExitsWithOne) {
    EnElArbol(
        [](lookup::Lib_FrmCons3Tree& w) { QTest::mouseClick(w.CmdCancelar(), Qt::LeftButton); });
    const Result r = RunTree();
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "consulta: cancelled\n");
}

// ---- as a process ----

Result RunProcess(const QStringList& args, const QProcessEnvironment& environment =
                                               QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CONSULTA_PATH), args);
    EXPECT_TRUE(process.waitForStarted());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// An environment in which no window can open.
QProcessEnvironment SinPantalla() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

TEST(ConsultaProcessTest, Help) {
    const Result r = RunProcess({"--help"});
    EXPECT_EQ(r.exitCode, tools::kExitOk);
    for (const char* option :
         {"--conn", "--ask", "--user", "--no-admin-check", "--checks", "--cantidades", "--campo",
          "--devueltos", "--clave", "--busqueda", "--where", "--sentencia", "--mascaras",
          "--defaults", "--tree", "--json", "--version", "--password-file", "--password-stdin"}) {
        EXPECT_TRUE(r.out.contains(QLatin1String(option))) << option;
    }
}

// Answered before any window is made: no display is needed.
TEST(ConsultaProcessTest, VersionAndHelpWithoutADisplay) {
    const QProcessEnvironment environment = SinPantalla();
    const Result version = RunProcess({"--version"}, environment);
    EXPECT_EQ(version.exitCode, tools::kExitOk);
    EXPECT_EQ(version.out, "consulta " CHEQUES_VERSION_STRING "\n");
    EXPECT_EQ(version.err, "");
    const Result help = RunProcess({"--help"}, environment);
    EXPECT_EQ(help.exitCode, tools::kExitOk);
    EXPECT_TRUE(help.out.contains("--conn")) << help.err.toStdString();
}

// What needs no window fails the same way as a process.
TEST(ConsultaProcessTest, OutputThatCannotBeWrittenFails) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    for (const char* option : {"--help", "--version"}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(CONSULTA_PATH), {QString::fromLatin1(option)});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), tools::kExitFailed) << option;
        EXPECT_TRUE(
            process.readAllStandardError().startsWith("consulta: cannot write standard output"))
            << option;
    }
}

// The shell hands the tool an argument's bytes as they are; replacement characters would make
// another name of it.
TEST(ConsultaProcessTest, AnArgumentThatIsNotUtf8IsRefused) {
    QProcess process;
    process.start(QStringLiteral("/bin/sh"),
                  {"-c", "exec \"$0\" \"$(printf 'MA_CLIENTES\\361')\"", CONSULTA_PATH});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), tools::kExitUsage);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.startsWith("consulta: argument 1 is not valid UTF-8 at byte offset 11"))
        << err.toStdString();
}

struct UsageCase {
    const char* name;
    QStringList args;
};

class ConsultaUsageTest : public ::testing::TestWithParam<UsageCase> {};

// A command line that needs a window, where there is no display: one clear line.
TEST(ConsultaProcessTest, WithoutADisplayAUsableCommandLineEndsInOneLine) {
    const Result r = RunProcess(
        {"--conn", "Provider=SQLite;Data Source=/nonexistent/x.db", "MA_CLIENTES"}, SinPantalla());
    EXPECT_EQ(r.exitCode, tools::kExitFailed);
    EXPECT_EQ(r.err,
              "consulta: no se puede abrir una ventana: no hay pantalla (DISPLAY no está "
              "definida).\n");
}

// Bad arguments are told before any display is opened.
TEST_P(ConsultaUsageTest, BadArgumentsExitWithTwo) {
    const Result r = RunProcess(GetParam().args, SinPantalla());
    EXPECT_EQ(r.exitCode, tools::kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.contains("consulta: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--conn")) << "the usage follows";
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ConsultaUsageTest,
    ::testing::Values(UsageCase{"Nothing", {}},
                      UsageCase{"OptionsWithoutTable", {"--tree", "--json"}},
                      UsageCase{"ValueToTree", {"--tree=1", "A"}},
                      UsageCase{"NoTable", {"--conn", "x"}},
                      UsageCase{"TwoTables", {"--conn", "x", "A", "B"}},
                      UsageCase{"UnknownOption", {"--conn", "x", "--bogus", "A"}},
                      UsageCase{"CampoWithoutValue", {"--conn", "x", "A", "--campo"}},
                      UsageCase{"ValueToAFlag", {"--conn", "x", "--checks=1", "A"}},
                      UsageCase{"UnreadablePasswordFile",
                                {"--conn", "x", "--password-file", "/nonexistent/clave", "A"}}),
    CaseName());

}  // namespace
