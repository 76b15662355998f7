// Hostile text at every place where text typed by a clerk, or passed as a value to be quoted,
// reaches a statement: the list window's F5 search, the F12 shortage report, the "Control de
// Acceso" fields (into the connection string), the lookups' text keys, the configuration key
// and SQLValue with "'". Against a real SQLite file, each payload either runs as data (the
// value comes back exactly) or fails with a clear error (a message box); no table is lost and
// no row appears beyond the one an entry point means to add.
//
// The tree window's F5 search has a suite of its own below, on the tree window's fixture.
//
// Conditions that callers pass as SQL (Where, Condicion, SentenciaOpcional) are not payloads:
// they stay raw by design, since their callers write them as SQL and the component inserts
// them as they stand.

#include <QComboBox>
#include <QFile>
#include <map>

#include "CasoNombrado.h"
#include "ConnectionStrings.h"
#include "VentanaArbol.h"
#include "VentanaConsulta.h"
#include "cheques/ado/ConnectionString.h"
#include "cheques/db/LeerConfig.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"

namespace {

using lookuptest::ArbolTest;
using lookuptest::PrintTo;
using lookuptest::VentanaTest;

enum class Entrada {
    BusquedaF5,
    FaltanteF12,
    ControlDeAcceso,
    ExisteEnTabla,
    ExisteEnTablaST,
    DatosTabla,
    ClaveDeConfiguracion,
    SQLValue,
};

struct Carga {
    const char* name;
    QString texto;
};

struct Caso {
    std::string name;
    Entrada entrada;
    QString carga;
};

// A file that an attribute slipped into a connection string would create.
const QString kBaseIntrusa = QStringLiteral("hostil.db");
constexpr int kLargoEnorme = 100'000;

std::vector<Carga> Cargas() {
    return {
        {"LoneQuote", QStringLiteral("'")},
        {"DropTable", QStringLiteral("'; DROP TABLE x; --")},
        {"OrTrue", QStringLiteral("' OR '1'='1")},
        {"ClosingBracket", QStringLiteral("]")},
        {"DoubleQuote", QStringLiteral("\"")},
        {"LineComment", QStringLiteral("--")},
        {"BlockComment", QStringLiteral("/*")},
        {"Percent", QStringLiteral("%")},
        {"Underscore", QStringLiteral("_")},
        {"Backslash", QStringLiteral("\\")},
        {"HundredThousandCharacters", QString(kLargoEnorme, QLatin1Char('x'))},
        {"NonAsciiLetters", QString::fromUtf8("Ñandú €ß 日本")},
        {"Nul", QString(QStringLiteral("a")) + QChar(u'\0') + QStringLiteral("b")},
        {"ConnectionAttribute",
         QStringLiteral("x;Data Source=") + kBaseIntrusa + QStringLiteral(";Mode=ReadWriteCreate")},
    };
}

std::vector<std::pair<const char*, Entrada>> Entradas() {
    return {
        {"ListF5", Entrada::BusquedaF5},
        {"ShortageF12", Entrada::FaltanteF12},
        {"AccessControl", Entrada::ControlDeAcceso},
        {"ExisteEnTabla", Entrada::ExisteEnTabla},
        {"ExisteEnTablaST", Entrada::ExisteEnTablaST},
        {"DatosTabla", Entrada::DatosTabla},
        {"ConfigurationKey", Entrada::ClaveDeConfiguracion},
        {"SQLValue", Entrada::SQLValue},
    };
}

std::vector<Caso> Casos() {
    std::vector<Caso> casos;
    for (const auto& [nombreEntrada, entrada] : Entradas()) {
        for (const Carga& carga : Cargas()) {
            casos.push_back({std::string(nombreEntrada) + "_" + carga.name, entrada, carga.texto});
        }
    }
    return casos;
}

// A payload written as an SQLite literal for preparing the tables: quotes doubled, and a NUL
// joined in as char(0), since statement text ends at a NUL.
QString Literal(const QString& texto) {
    QString doblado = texto;
    doblado.replace(QLatin1String("'"), QLatin1String("''"));
    doblado.replace(QChar(u'\0'), QStringLiteral("' || char(0) || '"));
    return QLatin1Char('\'') + doblado + QLatin1Char('\'');
}

class EntradaHostilTest : public VentanaTest, public ::testing::WithParamInterface<Caso> {
  protected:
    EntradaHostilTest() {
        const QString carga = Literal(GetParam().carga);
        base.Exec("CREATE TABLE x (a int)");
        base.Exec("INSERT INTO x VALUES (1)");
        base.Exec("CREATE TABLE V_MA_ARTICULOS (Codigo varchar(6), Nombre varchar(30))");
        base.Exec(QStringLiteral("INSERT INTO V_MA_ARTICULOS VALUES ('1', 'MARTILLO'), (%1, %1)")
                      .arg(carga));
        base.Exec("CREATE TABLE MA_ARTICULOS (idarticulo varchar(10), Descripcion varchar(40))");
        base.Exec(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('A1', %1)").arg(carga));
        base.Exec(
            "CREATE TABLE V_MV_FALTANTES (FechaHora varchar(30), IdArticulo varchar(25), "
            "Descripcion varchar(60), Usuario varchar(20))");
        base.Exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (%1, 'valor')")
                      .arg(carga));
        base.Exec("CREATE TABLE NOTAS (Texto varchar(100))");
        antes_ = Recuento();
        dbtest::DefaultOn::Get().gCnn()->Errors().Clear();
    }

    // Every table and its rows.
    std::map<QString, int> Recuento() const {
        std::map<QString, int> tablas;
        for (const QString& tabla :
             base.Column("SELECT name FROM sqlite_master WHERE type = 'table'")) {
            tablas[tabla] =
                base.Scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(tabla)).ToLong();
        }
        return tablas;
    }

    // No table lost or added; the rows as they were, but for the ones an entry point adds.
    void ExigirTablas(const std::map<QString, int>& agregadas = {}) const {
        std::map<QString, int> esperado = antes_;
        for (const auto& [tabla, filas] : agregadas) {
            esperado[tabla] += filas;
        }
        EXPECT_EQ(Recuento(), esperado);
    }

    // A failure is told in a message box that says what failed, or, for the failures that
    // the component passes over without a box (the silent errors of EjecutaConsultaSQL), kept
    // with the provider's description in the connection's Errors (and the log).
    bool FalloClaro(std::size_t preguntas = 0) const {
        if (dialogs.boxes.size() > preguntas) {
            const ScriptedDialogs::Box& caja = dialogs.boxes[preguntas];
            EXPECT_FALSE(caja.prompt.trimmed().isEmpty() && caja.title.trimmed().isEmpty());
            return true;
        }
        const ado::Errors& errores = dbtest::DefaultOn::Get().gCnn()->Errors();
        if (errores.Count() == 0) {
            return false;
        }
        EXPECT_FALSE(errores.Item(0).Description().trimmed().isEmpty());
        return true;
    }

    void BusquedaF5(const QString& carga) {
        Abrir("select Codigo, Nombre from V_MA_ARTICULOS order by Nombre");
        Activar();
        QComboBox* caja = ventana->CmbSearch(1);
        caja->setFocus();
        caja->setEditText(carga);
        QTest::keyClick(caja, Qt::Key_F5);
        if (!FalloClaro()) {
            EXPECT_TRUE(Columna(1).contains(carga)) << "the row holding the text is found";
        }
        ExigirTablas();
    }

    void FaltanteF12(const QString& carga) {
        dbtest::DefaultOn::Get().gUsuario = carga;
        Abrir("select idarticulo, Descripcion from MA_ARTICULOS");
        Activar();
        dialogs.AnswerBoxes({ui::vbYes});
        ventana->CmbSearch(0)->setFocus();
        QTest::keyClick(ventana->CmbSearch(0), Qt::Key_F12);
        if (FalloClaro(1)) {
            ExigirTablas();
            return;
        }
        ExigirTablas({{QStringLiteral("V_MV_FALTANTES"), 1}});
        EXPECT_EQ(base.Column("SELECT Descripcion FROM V_MV_FALTANTES"),
                  QStringList{rt::text::Trim(carga)});
        EXPECT_EQ(base.Column("SELECT Usuario FROM V_MV_FALTANTES"), QStringList{carga});
    }

    // The dialog's fields go into the connection string as values: each reads back whole and
    // none adds an attribute, so that none can point the connection at another database.
    void ControlDeAcceso(const QString& carga) {
        const QString armada =
            db::ArmaConnString(QStringLiteral("SQLite"), carga, carga, carga, carga, QString());
        for (const char* clave : {"Server", "Database", "UId", "Pwd"}) {
            EXPECT_EQ(ado::ConnectionStringValue(armada, QLatin1String(clave)), carga) << clave;
        }
        EXPECT_TRUE(ado::ConnectionStringValue(armada, QStringLiteral("Data Source")).isNull());
        EXPECT_EQ(ado::ConnectionStringValue(ado::MaskPassword(armada), QStringLiteral("Pwd")),
                  "***");
        EXPECT_TRUE(ado::TranslateConnectionString(armada).databasePath.isEmpty());
        try {
            ado::Connection::Create()->Open(armada);
        } catch (const rt::RuntimeError&) {
            // No database file was named: refusing is as good as opening none.
        }
        EXPECT_FALSE(QFile::exists(kBaseIntrusa));
        ExigirTablas();
    }

    void ExisteEnTabla(const QString& carga, bool st) {
        db::DB_Dll& db = dbtest::DefaultOn::Get();
        const QString tabla = QStringLiteral("V_MA_ARTICULOS");
        const bool existe = st ? db.ExisteEnTablaST(tabla, carga) : db.ExisteEnTabla(tabla, carga);
        if (!FalloClaro()) {
            EXPECT_TRUE(existe);
        }
        ExigirTablas();
    }

    void DatosTabla(const QString& carga) {
        const rt::Variant dato = dbtest::DefaultOn::Get().DatosTabla(
            QStringLiteral("V_MA_ARTICULOS"), carga, QStringLiteral("Nombre"));
        if (!FalloClaro()) {
            EXPECT_EQ(dato.ToText(), carga);
        }
        ExigirTablas();
    }

    void ClaveDeConfiguracion(const QString& carga) {
        QString aux;
        const QString valor = db::LeerConfig(carga, aux);
        if (!FalloClaro()) {
            EXPECT_EQ(valor, "valor");
        }
        ExigirTablas();
    }

    void SQLValue(const QString& carga) {
        db::DB_Dll& db = dbtest::DefaultOn::Get();
        QString sql = QStringLiteral("INSERT INTO NOTAS (Texto) VALUES (") +
                      db.SQLValue(carga).ToString() + QLatin1Char(')');
        db.EjecutaConsultaSQL(sql);
        if (FalloClaro()) {
            ExigirTablas();
            return;
        }
        ExigirTablas({{QStringLiteral("NOTAS"), 1}});
        EXPECT_EQ(base.Column("SELECT Texto FROM NOTAS"), QStringList{carga});
    }

  private:
    std::map<QString, int> antes_;
};

TEST_P(EntradaHostilTest, RunsAsDataOrFailsClearly) {
    const QString& carga = GetParam().carga;
    switch (GetParam().entrada) {
        case Entrada::BusquedaF5:
            return BusquedaF5(carga);
        case Entrada::FaltanteF12:
            return FaltanteF12(carga);
        case Entrada::ControlDeAcceso:
            return ControlDeAcceso(carga);
        case Entrada::ExisteEnTabla:
            return ExisteEnTabla(carga, false);
        case Entrada::ExisteEnTablaST:
            return ExisteEnTabla(carga, true);
        case Entrada::DatosTabla:
            return DatosTabla(carga);
        case Entrada::ClaveDeConfiguracion:
            return ClaveDeConfiguracion(carga);
        case Entrada::SQLValue:
            return SQLValue(carga);
    }
}

INSTANTIATE_TEST_SUITE_P(Payloads, EntradaHostilTest, ::testing::ValuesIn(Casos()),
                         [](const ::testing::TestParamInfo<Caso>& info) {
                             return info.param.name;
                         });

// The tree window's F5 search: the payload is the description of node 99 and the search text.
class EntradaHostilArbolTest : public ArbolTest, public ::testing::WithParamInterface<Carga> {
  protected:
    // Every table with its rows, as one text.
    QStringList Tablas() const {
        QStringList tablas;
        for (const QString& tabla :
             base.Column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
            tablas << tabla + QLatin1Char('=') +
                          base.Scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(tabla))
                              .ToString();
        }
        return tablas;
    }
};

TEST_P(EntradaHostilArbolTest, TreeF5RunsAsDataOrFailsClearly) {
    const QString carga = GetParam().texto;
    Codigos({"1", "2"});
    base.Exec(QStringLiteral("INSERT INTO ARBOL VALUES (3, '99', %1)").arg(Literal(carga)));
    const QStringList antes = Tablas();
    lookup::Lib_FrmCons3Tree& w = Abrir(SentenciaArbol());
    Activar();
    w.CmbSearch()->setEditText(carga);
    QTest::keyClick(w.CmbSearch(), Qt::Key_F5);
    if (dialogs.boxes.empty()) {
        EXPECT_NE(Nodo(QStringLiteral("99")), 0) << "the node holding the text is found";
    } else {
        EXPECT_FALSE(dialogs.boxes.front().prompt.trimmed().isEmpty()) << "the box says why";
    }
    EXPECT_EQ(Tablas(), antes) << "no table lost or added, no row changed";
}

INSTANTIATE_TEST_SUITE_P(Payloads, EntradaHostilArbolTest, ::testing::ValuesIn(Cargas()),
                         [](const ::testing::TestParamInfo<Carga>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
