// The tree window: the outline, typing and F5, ticks, the choice, cancelling and the design.
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "CasoNombrado.h"
#include "VentanaArbol.h"

namespace {

using lookup::Lib_FrmCons3Tree;
using lookup::ModeloArbol;
using lookuptest::ArbolTest;
using lookuptest::Esquema;
using lookuptest::PrintTo;
using lookuptest::Textos;

// ---- the outline ----

struct EsquemaCase {
    const char* name;
    QStringList codigos;  // the rows' codes, in order
    QString esquema;
    int avisos = 0;  // error boxes, each answered Ignore
};

class EsquemaTest : public ArbolTest, public ::testing::WithParamInterface<EsquemaCase> {};

TEST_P(EsquemaTest, TheOutlineFollowsTheCodesLengths) {
    const EsquemaCase& c = GetParam();
    dialogs.defaultAnswer = ui::vbIgnore;
    Codigos(c.codigos);
    Abrir(SentenciaArbol());
    EXPECT_EQ(Esquema(Modelo()), c.esquema);
    EXPECT_EQ(static_cast<int>(dialogs.boxes.size()), c.avisos);
    for (const auto& box : dialogs.boxes) {
        EXPECT_EQ(box.title, "Error en ArmarTreeVAutomatico");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arbol, EsquemaTest,
    ::testing::Values(EsquemaCase{"NoRows", {}, "A"},
                      EsquemaCase{"Flat", {"10", "20", "30"}, "A[10 20 30]"},
                      EsquemaCase{"Example", {"1", "11", "111", "12", "2"}, "A[1[11[111] 12] 2]"},
                      EsquemaCase{"ClimbingSeveralLevels",
                                  {"1", "11", "111", "1111", "2", "21"},
                                  "A[1[11[111[1111]]] 2[21]]"},
                      EsquemaCase{"LongJumpDown", {"1", "1001", "1002", "2"}, "A[1[1001 1002] 2]"},
                      EsquemaCase{"ClimbingToACodeInBetween", {"1", "1111", "11"}, "A[1[1111 11]]"},
                      EsquemaCase{"ChildOfAnotherCode", {"1", "23", "4"}, "A[1[23] 4]"},
                      EsquemaCase{"ShorterThanEveryCodeBefore", {"111", "11", "1"}, "A[111 11 1]"},
                      EsquemaCase{
                          "TwiceSkipsTheRowOnly", {"1", "11", "11", "12", "2"}, "A[1[11 12] 2]", 1},
                      EsquemaCase{"TwiceAfterADescentKeepsThePlace",
                                  {"1", "11", "111", "1", "112", "2"},
                                  "A[1[11[111 112]] 2]",
                                  1},
                      EsquemaCase{"TwiceIgnoringCase", {"a1", "A1", "b1"}, "A[a1 b1]", 1},
                      EsquemaCase{"TwiceIgnoringAccentedCase",
                                  {"\u00f1o", "\u00d1O", "\u00c9", "\u00e9"},
                                  "A[\u00f1o \u00c9]",
                                  2},
                      EsquemaCase{"EmptyCodeIsTheRootsKey", {"", "1"}, "A[1]", 1}),
    CaseName());

TEST_F(ArbolTest, TheNodesTextsAndKeys) {
    Filas({{"1", "Herramientas"}, {"11", "Martillos"}});
    Abrir(SentenciaArbol());
    EXPECT_EQ(Modelo().Texto(0), "Consulta...");
    EXPECT_EQ(Modelo().Clave(0), "A");
    EXPECT_EQ(Modelo().Texto(Nodo("11")), "11 - Martillos");
    EXPECT_EQ(Modelo().Clave(Nodo("11")), "A11");
    EXPECT_TRUE(Arbol().isExpanded(Modelo().Indice(0))) << "the root is open";
    EXPECT_FALSE(Arbol().isExpanded(Modelo().Indice(Nodo("1"))));
    EXPECT_EQ(Seleccionado(), "Consulta...");
}

TEST_F(ArbolTest, NumbersNullDescriptionsAndANullCode) {
    base.Exec("CREATE TABLE NUMEROS (ORDEN int, ID int, NOMBRE varchar(10))");
    base.Exec(
        "INSERT INTO NUMEROS VALUES (1, 1, 'Uno'), (2, 12, NULL), (3, NULL, 'Nada'), "
        "(4, 2, 'Dos')");
    dialogs.defaultAnswer = ui::vbIgnore;
    Abrir("SELECT ID, NOMBRE FROM NUMEROS ORDER BY ORDEN");
    EXPECT_EQ(Esquema(Modelo()), "A[1[12] 2]");
    EXPECT_EQ(Modelo().Texto(Nodo("12")), "12 - ");
    ASSERT_EQ(dialogs.boxes.size(), 1u) << "the null code";
    EXPECT_TRUE(dialogs.boxes[0].prompt.contains("94"));
}

TEST_F(ArbolTest, AStatementOfCodesAloneGivesEmptyDescriptions) {
    Codigos({"1", "11", "2"});
    Abrir("SELECT CODIGO FROM ARBOL ORDER BY ORDEN");
    EXPECT_EQ(Esquema(Modelo()), "A[1[11] 2]");
    EXPECT_EQ(Modelo().Texto(Nodo("11")), "11 - ");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ArbolTest, LeavingOnADuplicateKeepsWhatWasBuilt) {
    Codigos({"1", "11", "11", "12"});
    dialogs.AnswerBoxes({ui::vbAbort});
    Abrir(SentenciaArbol());
    EXPECT_EQ(Esquema(Modelo()), "A[1[11]]");
    EXPECT_TRUE(ventana->isVisible());
}

TEST_F(ArbolTest, AStatementThatFailsAsksAndLeavesTheRoot) {
    dialogs.defaultAnswer = ui::vbIgnore;
    Abrir("SELECT CODIGO FROM NO_EXISTE");
    EXPECT_EQ(Esquema(Modelo()), "A");
    EXPECT_FALSE(dialogs.boxes.empty()) << "the failure is reported";
}

TEST_F(ArbolTest, NuevaBusquedaBuildsTheTreeAgain) {
    Codigos({"1", "2"});
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol());
    Codigos({"21"});
    QTest::mouseClick(w.CmdNueva(), Qt::LeftButton);
    EXPECT_EQ(Esquema(Modelo()), "A[1 2[21]]");
}

// ---- typing ----

class TipeoTest : public ArbolTest {
  protected:
    TipeoTest() {
        Filas({{"1", "Herramientas"},
               {"11", "Clavos"},
               {"111", "Clavos de acero"},
               {"12", "Tornillos"},
               {"2", "Pinturas"},
               {"21", "Latex - interior"}});
    }
};

struct TipeoCase {
    const char* name;
    QString texto;
    QString seleccionado;
};

class TipeoCasesTest : public TipeoTest, public ::testing::WithParamInterface<TipeoCase> {};

TEST_P(TipeoCasesTest, TypingSelectsTheFirstMatchingNode) {
    const TipeoCase& c = GetParam();
    Abrir(SentenciaArbol());
    Activar();
    Escribir("2");
    Escribir(c.texto);
    EXPECT_EQ(Seleccionado(), c.seleccionado);
    const QModelIndex indice = Arbol().currentIndex();
    EXPECT_TRUE(!indice.parent().isValid() || Arbol().isExpanded(indice.parent()))
        << "the node is in view";
}

INSTANTIATE_TEST_SUITE_P(
    Arbol, TipeoCasesTest,
    ::testing::Values(TipeoCase{"CSelectsTheRoot", "c", "Consulta..."},
                      TipeoCase{"EmptySelectsTheRoot", "", "Consulta..."},
                      TipeoCase{"ADescription", "cla", "11 - Clavos"},
                      TipeoCase{"ADeeperDescription", "CLAVOS D", "111 - Clavos de acero"},
                      TipeoCase{"ACode", "12", "12 - Tornillos"},
                      TipeoCase{"ACodePrefix", "11", "11 - Clavos"},
                      TipeoCase{"IgnoringCase", "tORN", "12 - Tornillos"},
                      TipeoCase{"CutAtTheFirstDash", "latex - int", "21 - Latex - interior"},
                      TipeoCase{"NotAfterTheSecondDash", "interior", "2 - Pinturas"},
                      TipeoCase{"NoMatchKeepsTheSelection", "zz", "2 - Pinturas"}),
    CaseName());

TEST_F(TipeoTest, TheSearchBoxHasTheFocusAndArrowsGoToTheTree) {
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol());
    Activar();
    EXPECT_TRUE(w.CmbSearch()->hasFocus());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
        w.CmbSearch()->setFocus();
        QTest::keyClick(w.CmbSearch(), key);
        EXPECT_TRUE(Arbol().hasFocus()) << key;
    }
    EXPECT_EQ(w.CmbSearch()->toolTip(), "F5 realiza nueva busqueda");
    EXPECT_EQ(w.CmbSearch()->count(), 0) << "its list stays empty";
}

// ---- F5 ----

TEST_F(TipeoTest, F5TwiceNarrowsAndKeepsTheOrder) {
    Lib_FrmCons3Tree& w = Abrir("SELECT CODIGO, DESCRIPCION FROM ARBOL ORDER BY ORDEN");
    Activar();
    Escribir("o");
    QTest::keyClick(w.CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(w.SQL,
              "SELECT CODIGO, DESCRIPCION FROM ARBOL  where Descripcion like '%o%' ORDER BY ORDEN");
    EXPECT_EQ(w.Tag(), "Descripcion");
    EXPECT_EQ(w.SQLOrden(), "ORDER BY ORDEN");
    EXPECT_EQ(w.SQLBase(), w.SQL);
    EXPECT_EQ(w.CmbSearch()->currentText(), "") << "the box is emptied";
    EXPECT_EQ(Esquema(Modelo()), "A[11[111] 12 21]");
    Escribir("e acero");
    QTest::keyClick(w.CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(w.SQL,
              "SELECT CODIGO, DESCRIPCION FROM ARBOL  where Descripcion like '%o%'  and "
              "Descripcion like '%e acero%' ORDER BY ORDEN");
    EXPECT_EQ(Esquema(Modelo()), "A[111]");
    QTest::mouseClick(w.CmdNueva(), Qt::LeftButton);
    EXPECT_EQ(Esquema(Modelo()), "A[111]") << "a new search keeps the narrowed statement";
}

TEST_F(ArbolTest, F5WithAQuoteAndWithoutAnOrder) {
    Filas({{"1", "Herramientas O'Higgins"}, {"2", "Pinturas"}});
    Lib_FrmCons3Tree& w = Abrir("SELECT CODIGO, DESCRIPCION FROM ARBOL");
    Activar();
    Escribir("o'h");
    QTest::keyClick(w.CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(w.SQL, "SELECT CODIGO, DESCRIPCION FROM ARBOL where Descripcion like '%o''h%' ");
    EXPECT_EQ(w.SQLOrden(), "");
    EXPECT_EQ(Esquema(Modelo()), "A[1]");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ArbolTest, F5StartsTheChoiceAfresh) {
    Codigos({"1", "2"});
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol(), [](Lib_FrmCons3Tree& v) { v.CheckBoxes = true; });
    const rt::CollectionRef antes = w.Valores;
    Modelo().setData(Modelo().Indice(Nodo("1")), Qt::Checked, Qt::CheckStateRole);
    QTest::keyClick(w.CmbSearch(), Qt::Key_F5);
    EXPECT_NE(w.Valores, antes) << "a new collection";
    EXPECT_EQ(Marcados(), QStringList{});
    EXPECT_TRUE(Modelo().Casillas());
}

// ---- ticks ----

class MarcasTest : public ArbolTest {
  protected:
    MarcasTest() { Codigos({"1", "11", "111", "1111", "11111", "12", "2", "21"}); }

    Lib_FrmCons3Tree& AbrirConCasillas() {
        Lib_FrmCons3Tree& w =
            Abrir(SentenciaArbol(), [](Lib_FrmCons3Tree& v) { v.CheckBoxes = true; });
        Activar();
        return w;
    }

    // A click on a node's check box, as the clerk makes it.
    void ClicEnCasilla(const QString& codigo) const {
        const QModelIndex indice = Modelo().Indice(Nodo(codigo));
        Arbol().scrollTo(indice);
        const QRect celda = Arbol().visualRect(indice);
        QStyleOptionViewItem opcion;
        opcion.initFrom(&Arbol());
        opcion.rect = celda;
        opcion.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect casilla = Arbol().style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator,
                                                              &opcion, &Arbol());
        QTest::mouseClick(Arbol().viewport(), Qt::LeftButton, {}, casilla.center());
    }
};

TEST_F(MarcasTest, ATickRunsThreeLevelsDown) {
    AbrirConCasillas();
    ClicEnCasilla("1");
    EXPECT_EQ(Marcados(), (QStringList{"1", "11", "111", "1111", "12"}));
    ClicEnCasilla("1");
    EXPECT_EQ(Marcados(), QStringList{});
}

TEST_F(MarcasTest, DeeperNodesKeepTheirMarks) {
    AbrirConCasillas();
    Modelo().setData(Modelo().Indice(Nodo("11111")), Qt::Checked, Qt::CheckStateRole);
    Modelo().setData(Modelo().Indice(Nodo("1")), Qt::Checked, Qt::CheckStateRole);
    Modelo().setData(Modelo().Indice(Nodo("1")), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(Marcados(), QStringList{"11111"});
}

TEST_F(MarcasTest, TickingTheRoot) {
    AbrirConCasillas();
    ClicEnCasilla("");
    EXPECT_EQ(Marcados(), (QStringList{"", "1", "11", "111", "12", "2", "21"}));
}

TEST_F(MarcasTest, SpaceTicksTheSelectedNode) {
    AbrirConCasillas();
    Escribir("2");
    Arbol().setFocus();
    QTest::keyClick(&Arbol(), Qt::Key_Space);
    EXPECT_EQ(Marcados(), (QStringList{"2", "21"}));
    QTest::keyClick(&Arbol(), Qt::Key_Space);
    EXPECT_EQ(Marcados(), QStringList{});
}

TEST_F(MarcasTest, WithoutCheckBoxesNothingIsTicked) {
    Abrir(SentenciaArbol());
    Activar();
    Arbol().setFocus();
    QTest::keyClick(&Arbol(), Qt::Key_Space);
    EXPECT_FALSE(Modelo().setData(Modelo().Indice(0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(Marcados(), QStringList{});
    EXPECT_FALSE(Modelo().flags(Modelo().Indice(0)).testFlag(Qt::ItemIsUserCheckable));
}

// ---- the choice ----

class EleccionArbolTest : public ArbolTest {
  protected:
    EleccionArbolTest() {
        Codigos({"1", "11", "111", "12", "9"});
        for (const char* tabla : {"TA_FAMILIAS", "MA_POSICIONES", "TA_CCOSTO"}) {
            // 9 is in the outline but not in the tables.
            base.Exec(QStringLiteral("INSERT INTO %1 VALUES ('1', 'Uno'), ('11', 'Once'), "
                                     "('111', 'Ciento once'), ('12', 'Doce')")
                          .arg(QLatin1String(tabla)));
        }
    }
};

struct UnoCase {
    const char* name;
    QString campoDevuelto;
    QString codigo;  // the node selected by typing its code; "c" the root
    rt::Variant valor;
};

class UnoTest : public EleccionArbolTest, public ::testing::WithParamInterface<UnoCase> {};

TEST_P(UnoTest, ASingleChoiceLooksTheCodeUp) {
    const UnoCase& c = GetParam();
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol(), [&c](Lib_FrmCons3Tree& v) {
        v.CampoDevuelto = c.campoDevuelto;
        v.ValorDevuelto = QString("previo");
    });
    Activar();
    Escribir(c.codigo);
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ValorDevuelto, c.valor);
    EXPECT_EQ(Textos(w.Valores), QStringList{}) << "Valores stays empty";
    EXPECT_TRUE(dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arbol, UnoTest,
    ::testing::Values(UnoCase{"Familia", "IDFAMILIA", "11", QString("11")},
                      UnoCase{"Posicion", "IDPOSICION", "111", QString("111")},
                      UnoCase{"CentroDeCosto", "CODIGO", "12", QString("12")},
                      UnoCase{"ReturnedFieldIgnoringCase", "idFamilia", "1", QString("1")},
                      UnoCase{"NotInTheTable", "IDFAMILIA", "9", QString("")},
                      UnoCase{"TheRoot", "CODIGO", "c", QString("")},
                      UnoCase{"AnotherField", "NOMBRE", "11", QString("previo")}),
    CaseName());

struct VariosCase {
    const char* name;
    QString campoDevuelto;
    QStringList marcar;  // nodes ticked, each running down
    QStringList valores;
};

class VariosTest : public EleccionArbolTest, public ::testing::WithParamInterface<VariosCase> {};

TEST_P(VariosTest, AMultipleChoiceTakesTheTickedNodes) {
    const VariosCase& c = GetParam();
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol(), [&c](Lib_FrmCons3Tree& v) {
        v.CampoDevuelto = c.campoDevuelto;
        v.CheckBoxes = true;
        v.ValorDevuelto = QString("previo");
    });
    for (const QString& codigo : c.marcar) {
        Modelo().setData(Modelo().Indice(Nodo(codigo)), Qt::Checked, Qt::CheckStateRole);
    }
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Textos(w.Valores), c.valores);
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString("previo")));
}

INSTANTIATE_TEST_SUITE_P(
    Arbol, VariosTest,
    ::testing::Values(
        VariosCase{"Familias", "IDFAMILIA", {"11", "9"}, {"11", "111", "9"}},
        VariosCase{"CentrosDeCosto", "CODIGO", {"12", "1"}, {"1", "11", "111", "12"}},
        VariosCase{"PosicionesFoundOnly", "IDPOSICION", {"12", "9"}, {"12"}},
        VariosCase{"TheRootGivesAnEmptyCode", "IDFAMILIA", {""}, {"", "1", "11", "111", "12", "9"}},
        VariosCase{"AnotherFieldAddsNothing", "NOMBRE", {"1"}, {}},
        VariosCase{"NothingTicked", "IDFAMILIA", {}, {}}),
    CaseName());

struct ManeraCase {
    const char* name;
    std::function<void(ArbolTest&, Lib_FrmCons3Tree&)> elegir;
};

class ManeraTest : public EleccionArbolTest, public ::testing::WithParamInterface<ManeraCase> {};

TEST_P(ManeraTest, WaysOfChoosing) {
    Lib_FrmCons3Tree& w =
        Abrir(SentenciaArbol(), [](Lib_FrmCons3Tree& v) { v.CampoDevuelto = "IDFAMILIA"; });
    Activar();
    Escribir("12");
    GetParam().elegir(*this, w);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString("12")));
}

INSTANTIATE_TEST_SUITE_P(
    Arbol, ManeraTest,
    ::testing::Values(ManeraCase{"EnterInTheSearchBox",
                                 [](ArbolTest&, Lib_FrmCons3Tree& w) {
                                     QTest::keyClick(w.CmbSearch(), Qt::Key_Return);
                                 }},
                      ManeraCase{"EnterOnTheTree",
                                 [](ArbolTest&, Lib_FrmCons3Tree& w) {
                                     w.TreeV()->setFocus();
                                     QTest::keyClick(w.TreeV(), Qt::Key_Return);
                                 }},
                      ManeraCase{"DoubleClick",
                                 [](ArbolTest&, Lib_FrmCons3Tree& w) {
                                     QTreeView& arbol = *w.TreeV();
                                     const QRect fila = arbol.visualRect(arbol.currentIndex());
                                     QTest::mouseDClick(arbol.viewport(), Qt::LeftButton, {},
                                                        fila.center());
                                 }},
                      ManeraCase{"Aceptar",
                                 [](ArbolTest&, Lib_FrmCons3Tree& w) {
                                     QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
                                 }}),
    CaseName());

TEST_F(EleccionArbolTest, WithoutASelectedNodeTheHandlerIsAsked) {
    Lib_FrmCons3Tree& w =
        Abrir(SentenciaArbol(), [](Lib_FrmCons3Tree& v) { v.CampoDevuelto = "IDFAMILIA"; });
    Arbol().setCurrentIndex({});
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Error en HScroll1_Change");
    EXPECT_TRUE(w.isVisible()) << "leaving keeps the window shown";
}

struct CancelarCase {
    const char* name;
    std::function<void(Lib_FrmCons3Tree&)> cancelar;
};

class CancelarTest : public EleccionArbolTest,
                     public ::testing::WithParamInterface<CancelarCase> {};

TEST_P(CancelarTest, CancellingReleasesTheValues) {
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol(), [](Lib_FrmCons3Tree& v) {
        v.CampoDevuelto = "IDFAMILIA";
        v.CheckBoxes = true;
        v.ValorDevuelto = QString("previo");
        v.CmpsDevueltos = rt::NewCollection();
    });
    Activar();
    Modelo().setData(Modelo().Indice(Nodo("1")), Qt::Checked, Qt::CheckStateRole);
    GetParam().cancelar(w);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Valores) << "nothing, not empty";
    EXPECT_FALSE(w.CmpsDevueltos);
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString()));
}

INSTANTIATE_TEST_SUITE_P(
    Arbol, CancelarTest,
    ::testing::Values(CancelarCase{"Cancelar",
                                   [](Lib_FrmCons3Tree& w) {
                                       QTest::mouseClick(w.CmdCancelar(), Qt::LeftButton);
                                   }},
                      CancelarCase{"EscapeInTheSearchBox",
                                   [](Lib_FrmCons3Tree& w) {
                                       QTest::keyClick(w.CmbSearch(), Qt::Key_Escape);
                                   }},
                      CancelarCase{"EscapeOnTheTree",
                                   [](Lib_FrmCons3Tree& w) {
                                       w.TreeV()->setFocus();
                                       QTest::keyClick(w.TreeV(), Qt::Key_Escape);
                                   }},
                      CancelarCase{"ClosingTheWindow", [](Lib_FrmCons3Tree& w) { w.close(); }}),
    CaseName());

// ---- the design ----

TEST_F(ArbolTest, TheDesign) {
    Lib_FrmCons3Tree& w = Abrir(SentenciaArbol());
    EXPECT_EQ(w.windowTitle(), "Consulta...");
    EXPECT_EQ(w.CmdNueva()->text(), "&Nueva Busqueda");
    EXPECT_EQ(w.CmdCancelar()->text(), "&Cancelar");
    EXPECT_EQ(w.CmdAceptar()->text(), "&Aceptar");
    EXPECT_EQ(w.lblFieldName()->font().family(), "Tahoma");
    const QStringList menu = [&w] {
        QStringList nombres;
        for (const QAction* a : w.MNU_Emergente()->actions()) {
            nombres << a->objectName() + "=" + a->text();
        }
        return nombres;
    }();
    EXPECT_EQ(menu, (QStringList{"MNU_Llena=Llenar Con Posibles Valores",
                                 "MNU_Separador=", "MNU_Cancelar=Cancelar"}));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "a fixed size";
    const QRect ventana = w.rect();
    for (QWidget* control :
         {static_cast<QWidget*>(w.picFields()), static_cast<QWidget*>(w.Frame1())}) {
        EXPECT_TRUE(ventana.contains(control->geometry())) << control->objectName().toStdString();
    }
    for (QPushButton* boton : {w.CmdNueva(), w.CmdCancelar(), w.CmdAceptar()}) {
        EXPECT_TRUE(w.Frame1()->rect().contains(boton->geometry()))
            << boton->objectName().toStdString();
        EXPECT_GE(boton->width(), boton->sizeHint().width());
    }
    EXPECT_TRUE(w.picFields()->rect().contains(w.TreeV()->geometry()));
    EXPECT_TRUE(w.picFields()->rect().contains(w.CmbSearch()->geometry()));
    EXPECT_LT(w.CmbSearch()->geometry().bottom(), w.TreeV()->geometry().top());
    EXPECT_TRUE(w.CmdAceptar()->isDefault());
    EXPECT_EQ(w.pos(), QPoint((dialogs.screen.width() - w.width()) / 2,
                              (dialogs.screen.height() - w.height()) / 2))
        << "centred";
}

}  // namespace
