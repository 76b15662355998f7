// The lookup request end to end: settings, the statement the window receives, the results and
// the clean-up.
#include <QPushButton>
#include <QTimer>

#include "CasoNombrado.h"
#include "RegistroMascara.h"
#include "VentanaConsulta.h"
#include "cheques/lookup/Lib_ClsCons3.h"
#include "cheques/ui/QtDialogs.h"

namespace {

using lookuptest::PrintTo;

using lookup::Lib_ClsCons3;
using lookup::Lib_FrmCons3;
using lookuptest::RegistroMascara;
using lookuptest::Textos;
using lookuptest::VentanaTest;
using ListaCompartida = rt::DefaultInstance<Lib_FrmCons3>;

// What the window was given, as it loaded.
struct Recibido {
    QString sql;  // the statement, without the blank the load appends
    bool ordenarPorLwv = false;
    QString filtroInicial;
    QString campoBusqueda;
    QString campoDevuelto;
    bool checkBoxes = false;
    bool usaCantidades = false;
    bool cfgUsaConsultaLIKE = false;
    QString valoresDefault;
    QStringList cmpsDevueltos;
    QString muestraStock;
    rt::Variant stkNivel1;
    bool grabarCfg = false;
};

class ConsultaTest : public VentanaTest {
  protected:
    ConsultaTest() {
        base.Exec(
            "CREATE TABLE MA_CLIENTES (ID int, CODIGO varchar(4), NOMBRE varchar(20), "
            "Dada_De_Baja int, FECHAHORA_GRABACION datetime)");
        base.Exec(
            "INSERT INTO MA_CLIENTES VALUES (1, 'C1', 'Ana', 0, NULL), "
            "(2, 'C2', 'Beto', 1, NULL), (3, 'C3', 'Carla', 0, NULL)");
        base.Exec("CREATE VIEW VT_CLIENTES AS SELECT * FROM MA_CLIENTES");
    }

    // Shows the request's window and records what it was given; then runs the clerk's part.
    void AlMostrar(const std::function<void(Lib_FrmCons3&)>& clerk = {}) {
        dialogs.OnModal([this, clerk](QWidget& widget) {
            auto& w = dynamic_cast<Lib_FrmCons3&>(widget);
            recibido.sql = w.SQLInicial();
            recibido.sql.chop(1);
            recibido.ordenarPorLwv = w.OrdenarPorLwv;
            recibido.filtroInicial = w.FiltroInicial;
            recibido.campoBusqueda = w.CampoBusqueda;
            recibido.campoDevuelto = w.CampoDevuelto;
            recibido.checkBoxes = w.CheckBoxes;
            recibido.usaCantidades = w.UsaCantidades;
            recibido.cfgUsaConsultaLIKE = w.CfgUsaConsultaLIKE;
            recibido.valoresDefault = w.ValoresDefault;
            recibido.cmpsDevueltos = Textos(w.CmpsDevueltos);
            recibido.muestraStock = w.MuestraStock;
            recibido.stkNivel1 = w.StkNivel1;
            recibido.grabarCfg = w.GrabarCfg;
            if (clerk) {
                clerk(w);
            }
        });
    }

    QString Mascaras(const QByteArray& contenido) const {
        QFile file(datos.File("mascaras.dat"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contenido);
        return file.fileName();
    }

    static void Aceptar(Lib_FrmCons3& w) { QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton); }

    Recibido recibido;
};

TEST_F(ConsultaTest, CreationReadsTheSettings) {
    Config("MostrarStockenConsultas", "SI");
    Config("Stk_Nivel1", "255");
    Config("Stk_Nivel2", "");
    Config("UsaConsultaLIKE", "si");
    const Lib_ClsCons3 request;
    EXPECT_EQ(request.MuestraStock, "SI");
    EXPECT_EQ(request.StkNivel1, rt::Variant(QString("255")));
    EXPECT_EQ(request.StkNivel2, rt::Variant(0)) << "an empty setting is the number 0";
    EXPECT_EQ(request.StkNivel3, rt::Variant(QString(" "))) << "a setting without a row";
    EXPECT_TRUE(request.ConsultaLikeActiva());
    ASSERT_TRUE(request.CmpsDevueltos);
    ASSERT_TRUE(request.Valores);
    EXPECT_EQ(request.Valores->Count(), 0);
    EXPECT_FALSE(request.Cantidades);
    EXPECT_FALSE(request.Checks);
}

TEST_F(ConsultaTest, TheWindowReceivesTheRequestsFields) {
    Config("MostrarStockenConsultas", "si");
    Config("Stk_Nivel1", "255");
    Lib_ClsCons3 request;
    request.Checks = true;
    request.UsaCantidades = true;
    request.CampoDevuelto = "CODIGO";
    request.GrabarAnchos = true;
    rt::CollectionRef returned = rt::NewCollection();
    returned->Add(QString("NOMBRE"));
    QString campo = "NOMBRE";
    AlMostrar();
    request.ConsultaSearch("select CODIGO, NOMBRE from MA_CLIENTES order by NOMBRE", &returned,
                           "Be", &campo, nullptr, {}, false, "C1,C3");
    EXPECT_EQ(dialogs.modalCount, 1);
    EXPECT_EQ(recibido.sql, "select CODIGO, NOMBRE from MA_CLIENTES order by NOMBRE");
    EXPECT_FALSE(recibido.ordenarPorLwv) << "the statement orders itself";
    EXPECT_EQ(recibido.filtroInicial, "Be");
    EXPECT_EQ(recibido.campoBusqueda, "NOMBRE");
    EXPECT_EQ(recibido.campoDevuelto, "CODIGO");
    EXPECT_TRUE(recibido.checkBoxes);
    EXPECT_TRUE(recibido.usaCantidades);
    EXPECT_EQ(recibido.valoresDefault, "C1,C3");
    EXPECT_EQ(recibido.cmpsDevueltos, (QStringList{"NOMBRE"}));
    EXPECT_EQ(recibido.muestraStock, "si");
    EXPECT_EQ(recibido.stkNivel1, rt::Variant(QString("255")));
    EXPECT_TRUE(recibido.grabarCfg);
}

// ---- the statement the window receives ----

struct SentenciaCase {
    const char* name;
    const char* sql;
    const char* campoBusqueda;
    const char* where;
    const char* opcional;
    bool mascaras;
    const char* topConsArt;  // nullptr: no setting
    const char* expected;
    const char* campoResultante;
    const char* whereResultante;
    bool ordenarPorLwv;
};

class SentenciaTest : public ConsultaTest, public ::testing::WithParamInterface<SentenciaCase> {};

TEST_P(SentenciaTest, TheWindowShowsTheBuiltStatement) {
    const SentenciaCase& c = GetParam();
    if (c.topConsArt) {
        Config("TopConsArt", c.topConsArt);
    }
    const QString masks = Mascaras(RegistroMascara("MA_ZONAS", "A,B", "") +
                                   RegistroMascara("VT_CLIENTES", "|CODIGO|NOMBRE|", ""));
    Lib_ClsCons3 request;
    request.gUsarMascarasConsultas = c.mascaras;
    request.gRutaMascaraConsultas = masks;
    QString campo = QString::fromUtf8(c.campoBusqueda);
    QString where = QString::fromUtf8(c.where);
    AlMostrar();
    request.ConsultaSearch(QString::fromUtf8(c.sql), nullptr, {}, &campo, &where,
                           QString::fromUtf8(c.opcional));
    ASSERT_EQ(dialogs.modalCount, 1);
    EXPECT_EQ(recibido.sql, QString::fromUtf8(c.expected));
    EXPECT_EQ(campo, QString::fromUtf8(c.campoResultante)) << "the caller's CampoBusqueda";
    EXPECT_EQ(recibido.campoBusqueda, campo);
    EXPECT_EQ(where, QString::fromUtf8(c.whereResultante)) << "the caller's Where";
    EXPECT_EQ(recibido.ordenarPorLwv, c.ordenarPorLwv);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentenciaTest,
    ::testing::Values(
        SentenciaCase{"CompleteStatement", "select NOMBRE from MA_CLIENTES", "", "", "", false,
                      nullptr, "select NOMBRE from MA_CLIENTES", "", "", true},
        SentenciaCase{"ArticlesThroughTheirStockView", "select * from V_MA_ARTICULOS", "", "", "",
                      true, nullptr, "select * from VT_MA_ARTICULOS", "", "", true},
        SentenciaCase{"FromTheColumns", "MA_CLIENTES", "CODIGO", "x = 1", "", false, "250",
                      "SELECT TOP 250 Dada_De_Baja,NOMBRE,CODIGO FROM MA_CLIENTES ORDER BY "
                      "NOMBRE",
                      "NOMBRE", " (x = 1) ", false},
        SentenciaCase{"DefaultRowLimit", "MA_CLIENTES", "", "", "", false, "0",
                      "SELECT TOP 1000 Dada_De_Baja,NOMBRE,CODIGO FROM MA_CLIENTES ORDER BY "
                      "NOMBRE",
                      "NOMBRE", "", false},
        SentenciaCase{"OptionalStatement", "MA_CLIENTES", "", "", "select CODIGO from MA_CLIENTES",
                      false, nullptr, "select CODIGO from MA_CLIENTES", "", "", true},
        SentenciaCase{"FromTheMask", "vt_clientes", "", "", "", true, nullptr,
                      "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE Dada_De_Baja = 0 "
                      "ORDER BY CODIGO",
                      "CODIGO", "", false},
        SentenciaCase{"MaskWithTheCallersCondition", "VT_CLIENTES", "NOMBRE", "NOMBRE <> 'x'", "",
                      true, nullptr,
                      "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE  (NOMBRE <> 'x')  "
                      "ORDER BY NOMBRE",
                      "NOMBRE", " (NOMBRE <> 'x') ", false},
        SentenciaCase{"NoMaskForTheTable", "MA_CLIENTES", "", "", "", true, nullptr,
                      "SELECT TOP 1000 Dada_De_Baja,NOMBRE,CODIGO FROM MA_CLIENTES ORDER BY "
                      "NOMBRE",
                      "NOMBRE", "", false}),
    CaseName());

TEST_F(ConsultaTest, MasksOnWithoutAFileBuildFromTheColumns) {
    Lib_ClsCons3 request;
    request.gUsarMascarasConsultas = true;
    request.gRutaMascaraConsultas = datos.File("ninguno.dat");
    AlMostrar();
    request.ConsultaSearch("MA_CLIENTES");
    EXPECT_EQ(recibido.sql,
              "SELECT TOP 1000 Dada_De_Baja,NOMBRE,CODIGO FROM MA_CLIENTES ORDER BY NOMBRE");
}

TEST_F(ConsultaTest, AMaskWithoutASearchColumnStopsTheRequest) {
    Lib_ClsCons3 request;
    request.gUsarMascarasConsultas = true;
    request.gRutaMascaraConsultas = Mascaras(RegistroMascara("MA_CLIENTES", "|CODIGO|", ""));
    request.Checks = true;
    request.CampoDevuelto = "CODIGO";
    rt::CollectionRef returned = rt::NewCollection();
    returned->Add(QString("x"));
    QString campo;
    request.ConsultaSearch("MA_CLIENTES", &returned, {}, &campo);
    EXPECT_EQ(dialogs.modalCount, 0) << "no window";
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Debe configurar la consulta para esta tabla");
    EXPECT_EQ(dialogs.boxes[0].title, "Aviso al operador");
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbInformation);
    EXPECT_TRUE(request.Checks) << "no field of the request changes";
    EXPECT_EQ(request.CampoDevuelto, "CODIGO");
    ASSERT_TRUE(returned);
    EXPECT_EQ(returned->Count(), 1);
    AlMostrar();
    campo = "CODIGO";
    request.ConsultaSearch("MA_CLIENTES", nullptr, {}, &campo);
    EXPECT_EQ(recibido.sql, "SELECT TOP 1000 CODIGO FROM MA_CLIENTES ORDER BY CODIGO")
        << "with a search column the mask builds";
}

// ---- results and clean-up ----

TEST_F(ConsultaTest, SingleChoice) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "CODIGO";
    rt::CollectionRef returned = rt::NewCollection();
    returned->Add(QString("NOMBRE"));
    returned->Add(QString("CODIGO"));
    const rt::CollectionRef sameCollection = returned;
    AlMostrar([](Lib_FrmCons3& w) {
        w.ListView1()->Seleccionar(1);
        Aceptar(w);
    });
    request.ConsultaSearch("select CODIGO, NOMBRE from MA_CLIENTES", &returned);
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString("C2")));
    EXPECT_EQ(Textos(request.Valores), (QStringList{"Beto", "C2"}));
    ASSERT_TRUE(request.Cantidades);
    EXPECT_EQ(request.Cantidades->Count(), 0);
    EXPECT_EQ(request.CampoDevuelto, "") << "reset after every request";
    EXPECT_FALSE(returned) << "the caller's reference is nothing";
    EXPECT_EQ(sameCollection->Count(), 0) << "and the collection was emptied";
    EXPECT_FALSE(ListaCompartida::Exists()) << "the window is released";
}

TEST_F(ConsultaTest, MultipleChoiceWithQuantities) {
    base.Exec("CREATE TABLE MA_ITEMS (Codigo varchar(4), Cantidad varchar(8))");
    base.Exec("INSERT INTO MA_ITEMS VALUES ('A', '0'), ('B', '0'), ('C', '0')");
    Lib_ClsCons3 request;
    request.Checks = true;
    request.UsaCantidades = true;
    AlMostrar([](Lib_FrmCons3& w) {
        w.ListView1()->Seleccionar(2);
        w.ListView1()->setFocus();
        QTest::keyClick(w.ListView1(), Qt::Key_Insert);
        QTest::keyClick(w.ListView1(), Qt::Key_Insert);
        w.ListView1()->Seleccionar(0);
        QTest::keyClick(w.ListView1(), Qt::Key_Insert);
        Aceptar(w);
    });
    request.ConsultaSearch("select Codigo, Cantidad from MA_ITEMS");
    EXPECT_EQ(Textos(request.Valores), (QStringList{"A", "C"}));
    EXPECT_EQ(Textos(request.Cantidades), (QStringList{"1", "2"}));
    EXPECT_FALSE(request.Checks) << "reset after every request";
    EXPECT_TRUE(request.ValorDevuelto.IsEmpty());
}

// The request waits in the real modal loop: minimising the window chooses nothing, and the
// restored window still holds the clerk's ticks and quantities.
TEST_F(ConsultaTest, MinimisingTheWindowIsNoChoice) {
    class BucleReal : public lookuptest::Dialogos {
      public:
        void ShowModal(QWidget& window) override { ui::QtDialogs().ShowModal(window); }
    } bucleReal;
    base.Exec("CREATE TABLE MA_ITEMS (Codigo varchar(4), Cantidad varchar(8))");
    base.Exec("INSERT INTO MA_ITEMS VALUES ('A', '0'), ('B', '0')");
    Lib_ClsCons3 request;
    request.Checks = true;
    request.UsaCantidades = true;
    bool seguiaEsperando = false;
    QObject contexto;
    QTimer::singleShot(0, &contexto, [&] {
        Lib_FrmCons3& w = ListaCompartida::Get();
        w.ListView1()->Seleccionar(1);
        w.ListView1()->setFocus();
        QTest::keyClick(w.ListView1(), Qt::Key_Insert);
        w.setWindowState(Qt::WindowMinimized);
        QTimer::singleShot(20, &contexto, [&] {
            seguiaEsperando = w.isVisible() && w.isMinimized();
            w.setWindowState(Qt::WindowNoState);
            Aceptar(w);
        });
    });
    request.ConsultaSearch("select Codigo, Cantidad from MA_ITEMS");
    EXPECT_TRUE(seguiaEsperando);
    EXPECT_EQ(Textos(request.Valores), (QStringList{"B"}));
    EXPECT_EQ(Textos(request.Cantidades), (QStringList{"1"}));
}

TEST_F(ConsultaTest, Cancelling) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "CODIGO";
    AlMostrar([](Lib_FrmCons3& w) { QTest::keyClick(w.CmbSearch(0), Qt::Key_Escape); });
    request.ConsultaSearch("select CODIGO from MA_CLIENTES");
    EXPECT_FALSE(request.Valores) << "nothing: cancelled";
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString()));
}

TEST_F(ConsultaTest, TheInitialSearchTextPositionsTheList) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "NOMBRE";
    AlMostrar(Aceptar);
    request.ConsultaSearch("select NOMBRE from MA_CLIENTES", nullptr, "  car ");
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString("Carla")));
}

TEST_F(ConsultaTest, EveryRequestGetsAFreshWindow) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "NOMBRE";
    AlMostrar(Aceptar);
    request.ConsultaSearch("select NOMBRE from MA_CLIENTES order by NOMBRE desc");
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString("Carla")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    request.CampoDevuelto = "CODIGO";
    AlMostrar(Aceptar);
    request.ConsultaSearch("select CODIGO from MA_CLIENTES");
    EXPECT_EQ(recibido.sql, "select CODIGO from MA_CLIENTES");
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString("C1")));
}

TEST_F(ConsultaTest, WidthsAreStoredOnlyWhenAsked) {
    Lib_ClsCons3 request;
    AlMostrar(Aceptar);
    request.ConsultaSearch("select CODIGO from MA_CLIENTES");
    EXPECT_FALSE(QFile::exists(Kdx()));
    request.GrabarAnchos = true;
    AlMostrar(Aceptar);
    request.ConsultaSearch("select CODIGO from MA_CLIENTES");
    EXPECT_EQ(LeerKdx(), "\"MA_CLIENTES\",\"" +
                             lookuptest::AnchosGuardados({lookuptest::Letras(4)}) + "\"\r\n");
}

TEST_F(ConsultaTest, TheTreeRoadShowsNoListWindow) {
    Lib_ClsCons3 request;
    request.Checks = true;
    request.CampoDevuelto = "IDFAMILIA";
    rt::CollectionRef returned = rt::NewCollection();
    request.ConsultaSearch("select CODIGO, NOMBRE from MA_CLIENTES", &returned, {}, nullptr,
                           nullptr, {}, true);
    EXPECT_EQ(dialogs.modalCount, 1) << "the tree window";
    ASSERT_TRUE(request.Valores) << "the tree window's, as it loaded";
    EXPECT_EQ(request.Valores->Count(), 0);
    EXPECT_FALSE(request.Checks);
    EXPECT_EQ(request.CampoDevuelto, "");
    EXPECT_FALSE(returned);
    EXPECT_FALSE(ListaCompartida::Exists());
}

TEST_F(ConsultaTest, AStatementThatFailsStillReachesTheWindow) {
    dialogs.defaultAnswer = ui::vbIgnore;
    Lib_ClsCons3 request;
    AlMostrar(Aceptar);
    request.ConsultaSearch("NINGUNA");
    EXPECT_EQ(dialogs.modalCount, 1);
    EXPECT_EQ(recibido.sql, "SELECT TOP 1000  *  FROM NINGUNA ORDER BY ");
    ASSERT_TRUE(request.Valores);
    EXPECT_EQ(request.Valores->Count(), 0);
}

}  // namespace
