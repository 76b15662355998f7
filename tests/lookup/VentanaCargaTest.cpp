// The list window's load: rows, columns, search boxes, captions, colours, ticks, widths, layout.
#include <QAbstractItemDelegate>
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include "CasoNombrado.h"
#include "VentanaConsulta.h"

namespace {

using lookuptest::PrintTo;

using lookup::Lib_FrmCons3;
using lookuptest::Dialogos;
using lookuptest::VentanaTest;

using lookuptest::AnchosGuardados;
using lookuptest::Letras;

class CargaTest : public VentanaTest {
  protected:
    CargaTest() {
        base.Exec("CREATE TABLE MA_ZONAS (CODIGO varchar(4), NOMBRE varchar(200), ORDEN int)");
        base.Exec(
            "INSERT INTO MA_ZONAS VALUES ('Z1', 'Norte', 3), ('Z2', 'Sur', 1), "
            "('Z3', 'Centro\r\nOeste', 2), ('  Z4 ', NULL, NULL)");
    }

    // Each search box stands over its column, a little narrower.
    void CajasSobreColumnas(const char* cuando) const {
        const int separacion = ui::twips::ToPixels(50);
        for (int i = 0; i < Modelo().Columnas(); ++i) {
            QComboBox* box = ventana->CmbSearch(i);
            const QPoint boxLeft = box->mapTo(ventana.get(), QPoint(0, 0));
            const QPoint columnLeft = Lista().viewport()->mapTo(
                ventana.get(), QPoint(Cabecera().sectionViewportPosition(i), 0));
            EXPECT_EQ(boxLeft.x(), columnLeft.x()) << cuando << " box " << i;
            EXPECT_EQ(box->width(), Cabecera().sectionSize(i) - separacion)
                << cuando << " box " << i;
        }
    }
};

TEST_F(CargaTest, DesignAndCaptions) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS");
    EXPECT_EQ(w.windowTitle(), "Consulta...");
    EXPECT_EQ(w.CmdNueva()->text(), "&Nueva Busqueda");
    EXPECT_EQ(w.CmdCancelar()->text(), "&Cancelar");
    EXPECT_EQ(w.CmdAceptar()->text(), "&Aceptar");
    EXPECT_TRUE(w.CmdAceptar()->isDefault());
    EXPECT_EQ(w.lblFieldName()->font().family(), "Tahoma");
    EXPECT_EQ(w.CmbSearch(0)->toolTip(), "F5 realiza nueva busqueda");
    ASSERT_NE(w.MNU_Emergente(), nullptr);
    QStringList items;
    for (const QAction* a : w.MNU_Emergente()->actions()) {
        items << a->objectName() + "=" + a->text();
    }
    EXPECT_EQ(items, (QStringList{"MNU_Llena=Llenar Con Posibles Valores",
                                  "MNU_Separador=", "MNU_Cancelar=Cancelar"}));
}

TEST_F(CargaTest, OneRowPerRecordAndOneColumnPerField) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS");
    EXPECT_EQ(Modelo().Titulos(), (QStringList{"CODIGO", "NOMBRE", "ORDEN"}));
    EXPECT_EQ(Columna(0), (QStringList{"Z1", "Z2", "Z3", "Z4"})) << "row texts trimmed";
    EXPECT_EQ(Columna(1), (QStringList{"Norte", "Sur", "Centro Oeste", ""}))
        << "sub-items on one line, null as empty";
    EXPECT_EQ(Columna(2), (QStringList{"3", "1", "2", ""}));
    EXPECT_EQ(w.SQL, "select CODIGO, NOMBRE, ORDEN from MA_ZONAS ");
    EXPECT_EQ(w.SQLInicial(), w.SQL);
    EXPECT_EQ(w.SQLActual(), w.SQL);
    EXPECT_EQ(w.TablaConsulta(), "MA_ZONAS");
    EXPECT_FALSE(w.EsArticulos());
    EXPECT_EQ(w.ItemActual(), 3) << "the row added last";
    EXPECT_EQ(Lista().FilaSeleccionada(), 0);
    ASSERT_TRUE(w.Valores);
    ASSERT_TRUE(w.Cantidades);
    EXPECT_EQ(w.Valores->Count(), 0);
    EXPECT_EQ(w.Cantidades->Count(), 0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CargaTest, AnEmptyResultKeepsColumnsAndBoxes) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS where 1 = 0");
    EXPECT_EQ(Modelo().Filas(), 0);
    EXPECT_EQ(Modelo().Columnas(), 3);
    ASSERT_EQ(w.CmbSearchCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(w.CmbSearch(i)->isVisible()) << i;
    }
    EXPECT_EQ(Lista().FilaSeleccionada(), -1);
}

TEST_F(CargaTest, SearchBoxesCarryTheirFieldsAndTheTip) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS");
    ASSERT_EQ(w.CmbSearchCount(), 3);
    EXPECT_EQ(w.Tag(0), "CODIGO");
    EXPECT_EQ(w.Tag(1), "NOMBRE");
    EXPECT_EQ(w.Tag(2), "ORDEN");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w.CmbSearch(i)->toolTip(), "F5 realiza nueva busqueda") << i;
        EXPECT_TRUE(w.CmbSearch(i)->isEditable()) << i;
    }
}

TEST_F(CargaTest, TheFirstSearchBoxHasTheFocus) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE from MA_ZONAS");
    Activar();
    EXPECT_TRUE(w.CmbSearch(0)->hasFocus());
    EXPECT_EQ(w.CmbSearch(0)->palette().color(QPalette::Base), QColor(0, 255, 255));
}

TEST_F(CargaTest, ColumnWidthsFromTheDefinedSizes) {
    Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS");
    EXPECT_EQ(Cabecera().sectionSize(0), Letras(4)) << "varchar(4)";
    EXPECT_EQ(Cabecera().sectionSize(1), Letras(60)) << "varchar(200), at most 60 letters";
    EXPECT_EQ(Cabecera().sectionSize(2), Letras(4)) << "int, 4 bytes";
}

TEST_F(CargaTest, TheBoxesStandOverTheirColumns) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS");
    CajasSobreColumnas("after the load");
    Cabecera().resizeSection(0, 150);
    CajasSobreColumnas("after dragging a border");
    w.resize(300, w.height());
    w.HScroll1()->setValue(w.HScroll1()->maximum());
    EXPECT_GT(Lista().horizontalScrollBar()->value(), 0);
    EXPECT_EQ(Lista().horizontalScrollBar()->value(), Lista().horizontalScrollBar()->maximum())
        << "the scroll bar reaches the last column";
    CajasSobreColumnas("after scrolling");
    Lista().horizontalScrollBar()->setValue(0);
    EXPECT_EQ(w.HScroll1()->value(), 0) << "the scroll bar follows the list";
    CajasSobreColumnas("after scrolling back");
}

TEST_F(CargaTest, CheckBoxesOnlyWhenAsked) {
    Abrir("select CODIGO from MA_ZONAS");
    EXPECT_FALSE(Modelo().Casillas());
    EXPECT_FALSE(Modelo().flags(Modelo().index(0, 0)) & Qt::ItemIsUserCheckable);
    Abrir("select CODIGO from MA_ZONAS", [](Lib_FrmCons3& w) { w.CheckBoxes = true; });
    EXPECT_TRUE(Modelo().Casillas());
    EXPECT_TRUE(Modelo().flags(Modelo().index(0, 0)) & Qt::ItemIsUserCheckable);
}

TEST_F(CargaTest, TextsCannotBeEditedInPlace) {
    Abrir("select CODIGO, NOMBRE from MA_ZONAS");
    const QModelIndex index = Modelo().index(0, 0);
    EXPECT_FALSE(Modelo().flags(index) & Qt::ItemIsEditable);
    Lista().setCurrentIndex(index);
    Lista().edit(index);
    QTest::keyClick(&Lista(), Qt::Key_F2);
    EXPECT_TRUE(Lista().findChildren<QLineEdit*>().isEmpty()) << "no editor opened";
    EXPECT_EQ(Modelo().Texto(0, 0), "Z1");
}

TEST_F(CargaTest, ARejectedStatementLeavesAnEmptyList) {
    dialogs.defaultAnswer = ui::vbAbort;
    Abrir("select NADA from NINGUNA");
    EXPECT_EQ(Modelo().Columnas(), 0);
    EXPECT_EQ(Modelo().Filas(), 0);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.boxes.front().title.contains("AbrirRecordset"))
        << dialogs.boxes.front().title.toStdString();
}

// ---- captions of the price columns ----

struct PrecioCase {
    const char* name;
    const char* sql;
    const char* caption;
};

class PreciosTest : public VentanaTest, public ::testing::WithParamInterface<PrecioCase> {
  protected:
    PreciosTest() {
        for (const char* table : {"V_MA_ARTICULOS", "STK_MA_ARTICULOS", "MA_OTRA"}) {
            base.Exec(QStringLiteral("CREATE TABLE %1 (CODIGO varchar(4), precio3 money)")
                          .arg(QLatin1String(table)));
        }
        Config("NOM_PCLASE3", "Mayorista");
    }
};

TEST_P(PreciosTest, CaptionOfThePriceColumn) {
    Abrir(QString::fromUtf8(GetParam().sql));
    ASSERT_EQ(Modelo().Columnas(), 2);
    EXPECT_EQ(Modelo().Titulos()[1], QString::fromUtf8(GetParam().caption));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreciosTest,
    ::testing::Values(PrecioCase{"ArticlesView", "select * from V_MA_ARTICULOS", "Mayorista"},
                      PrecioCase{"StockArticles", "select * from stk_ma_articulos", "Mayorista"},
                      PrecioCase{"OtherTable", "select * from MA_OTRA", "precio3"}),
    CaseName());

// ---- stock colours ----

class StockTest : public VentanaTest {
  protected:
    StockTest() {
        base.Exec(
            "CREATE TABLE V_MA_ARTICULOS (CODIGO varchar(4), PUNTOPEDIDO money, "
            "Stock money, DESCRIPCION varchar(30))");
        base.Exec(
            "INSERT INTO V_MA_ARTICULOS VALUES ('A1', 0, 5, 'a'), ('A2', 10, 12, 'b'), "
            "('A3', 10, 7, 'c'), ('A4', 10, 10, 'd'), ('A5', 0, 0, 'e'), "
            "('A6', NULL, NULL, 'f')");
    }

    Lib_FrmCons3& AbrirArticulos(const QString& muestra,
                                 const QString& sql = "select * from V_MA_ARTICULOS") {
        return Abrir(sql, [&](Lib_FrmCons3& w) {
            w.MuestraStock = muestra;
            w.StkNivel1 = QString("255");       // red
            w.StkNivel2 = QString("65280");     // green
            w.StkNivel3 = QString("16711680");  // blue
            w.StkNivel4 = 0;                    // black
        });
    }

    std::vector<std::optional<QColor>> Colores() const {
        std::vector<std::optional<QColor>> colores;
        for (int fila = 0; fila < Modelo().Filas(); ++fila) {
            colores.push_back(Modelo().Color(fila));
        }
        return colores;
    }
};

TEST_F(StockTest, RowsTakeTheColourOfTheirLevel) {
    Lib_FrmCons3& w = AbrirArticulos("si");
    EXPECT_TRUE(w.EsArticulos());
    const std::vector<std::optional<QColor>> expected{QColor(Qt::red),   QColor(Qt::green),
                                                      QColor(Qt::blue),  QColor(Qt::black),
                                                      QColor(Qt::black), QColor(Qt::black)};
    EXPECT_EQ(Colores(), expected);
    for (int fila = 0; fila < Modelo().Filas(); ++fila) {
        EXPECT_TRUE(Modelo().Negrita(fila)) << fila;
    }
    EXPECT_EQ(Modelo().data(Modelo().index(1, 2), Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::green));
    EXPECT_TRUE(Modelo().data(Modelo().index(1, 2), Qt::FontRole).value<QFont>().bold());
}

// A value as long as its field is read whole: the column holds it in the font its cells are
// drawn with (bold on stock-coloured rows), beside the list's margins and the check box, as
// the list's own delegate measures a cell.
TEST_F(StockTest, AValueAsLongAsItsFieldIsReadWhole) {
    base.Exec("INSERT INTO V_MA_ARTICULOS VALUES ('XXXX', 0, 5, 'XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX')");
    const ScriptedDialogs realFonts;
    Abrir(
        "select CODIGO, DESCRIPCION, PUNTOPEDIDO, Stock from V_MA_ARTICULOS where CODIGO = 'XXXX'",
        [](Lib_FrmCons3& w) {
            w.MuestraStock = "SI";
            w.StkNivel1 = QString("255");
            w.CheckBoxes = true;
        });
    ASSERT_TRUE(Modelo().Negrita(0));
    QStyleOptionViewItem option;
    option.initFrom(Lista().viewport());
    option.font = Lista().font();
    for (const int columna : {0, 1}) {
        const QModelIndex celda = Modelo().index(0, columna);
        EXPECT_GE(Cabecera().sectionSize(columna),
                  Lista().itemDelegate()->sizeHint(option, celda).width())
            << Modelo().Texto(0, columna).toStdString();
    }
}

TEST_F(StockTest, OnlyWhenStockIsShown) {
    AbrirArticulos("NO");
    for (int fila = 0; fila < Modelo().Filas(); ++fila) {
        EXPECT_FALSE(Modelo().Color(fila)) << fila;
        EXPECT_FALSE(Modelo().Negrita(fila)) << fila;
    }
}

TEST_F(StockTest, WithoutTheStockFieldNoRowIsColouredAndNothingIsSaid) {
    AbrirArticulos("SI", "select CODIGO, DESCRIPCION from V_MA_ARTICULOS");
    EXPECT_EQ(Modelo().Filas(), 6);
    for (int fila = 0; fila < Modelo().Filas(); ++fila) {
        EXPECT_FALSE(Modelo().Color(fila)) << fila;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(StockTest, AColourThatIsNotANumberLeavesTheRowUncoloured) {
    Abrir("select * from V_MA_ARTICULOS", [](Lib_FrmCons3& w) {
        w.MuestraStock = "SI";
        w.StkNivel1 = QString("rojo");
        w.StkNivel2 = QString(" ");  // a setting without a row
        w.StkNivel3 = QString("255");
        w.StkNivel4 = QString("255");
    });
    EXPECT_FALSE(Modelo().Color(0));
    EXPECT_TRUE(Modelo().Negrita(0)) << "the weight is set before the colour fails";
    EXPECT_FALSE(Modelo().Color(1));
    EXPECT_FALSE(Modelo().Negrita(1)) << "an empty colour is no colouring at all";
    EXPECT_EQ(Modelo().Color(2), QColor(Qt::red));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(StockTest, ASingleFieldShowsNoColour) {
    AbrirArticulos("SI", "select PUNTOPEDIDO from V_MA_ARTICULOS");
    EXPECT_FALSE(Modelo().Color(0));
}

// ---- rows that start ticked ----

TEST_F(VentanaTest, ValoresDefaultTicksTheRowsFoundInIt) {
    base.Exec("CREATE TABLE MA_ITEMS (CODIGO varchar(4), NOMBRE varchar(10))");
    base.Exec(
        "INSERT INTO MA_ITEMS VALUES ('A01', 'x'), ('B07', 'y'), ('a0', 'z'), ('C01', 'w'), "
        "('', 'empty'), (NULL, 'null')");
    Abrir("select NOMBRE, CODIGO from MA_ITEMS", [](Lib_FrmCons3& w) {
        w.CheckBoxes = true;
        w.CampoDevuelto = "codigo";
        w.ValoresDefault = "A01,B07";
    });
    std::vector<bool> marcadas;
    for (int fila = 0; fila < Modelo().Filas(); ++fila) {
        marcadas.push_back(Modelo().Marcada(fila));
    }
    EXPECT_EQ(marcadas, (std::vector<bool>{true, true, true, false, false, false}));
    EXPECT_EQ(Modelo().data(Modelo().index(0, 0), Qt::CheckStateRole), Qt::Checked);
}

TEST_F(VentanaTest, AReturnedFieldMissingFromTheResultTicksNothingQuietly) {
    base.Exec("CREATE TABLE MA_ITEMS (CODIGO varchar(4))");
    base.Exec("INSERT INTO MA_ITEMS VALUES ('A01'), ('B07')");
    Abrir("select CODIGO from MA_ITEMS", [](Lib_FrmCons3& w) {
        w.CheckBoxes = true;
        w.ValoresDefault = "A01";
    });
    EXPECT_EQ(Modelo().Filas(), 2);
    EXPECT_FALSE(Modelo().Marcada(0));
    EXPECT_TRUE(dialogs.boxes.empty());
}

// ---- the width file ----

class AnchosTest : public CargaTest {};

TEST_F(AnchosTest, StoredWidthsAreApplied) {
    EscribirKdx("\"OTRA\",\"15|15|15|\"\r\n\"ma_zonas\",\"1500|3000|\"\r\n");
    Abrir("select CODIGO, NOMBRE, ORDEN from MA_ZONAS");
    EXPECT_EQ(Cabecera().sectionSize(0), 100);
    EXPECT_EQ(Cabecera().sectionSize(1), 200);
    EXPECT_EQ(Cabecera().sectionSize(2), Letras(4)) << "a record that ends early stops there";
    CajasSobreColumnas("after the stored widths");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(AnchosTest, UnloadingKeepsTheOtherTablesAndStoresItsOwn) {
    EscribirKdx("\"T1\",\"1|\"\r\n\"MA_ZONAS\",\"30|\"\r\n\"T2\",\"2|\"\r\n\"T3\",\"3|\"\r\n");
    Lib_FrmCons3& w =
        Abrir("select CODIGO, ORDEN from MA_ZONAS", [](Lib_FrmCons3& v) { v.GrabarCfg = true; });
    Cabecera().resizeSection(0, 96);
    w.Descargar();
    EXPECT_EQ(LeerKdx(),
              "\"T1\",\"1|\"\r\n\"T2\",\"2|\"\r\n\"T3\",\"3|\"\r\n"
              "\"MA_ZONAS\",\"" +
                  AnchosGuardados({96, Letras(4)}) + "\"\r\n");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Modelo().Filas(), 0) << "the list is emptied";
}

TEST_F(AnchosTest, AStatementThatFailsLeavesTheStoredWidthsAlone) {
    EscribirKdx("\"VT_CLIENTES\",\"1500|3000|\"\r\n");
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE from VT_CLIENTES",
                            [](Lib_FrmCons3& v) { v.GrabarCfg = true; });
    ASSERT_EQ(Modelo().Columnas(), 0) << "no such table";
    w.Descargar();
    EXPECT_EQ(LeerKdx(), "\"VT_CLIENTES\",\"1500|3000|\"\r\n");
}

TEST_F(AnchosTest, WithoutGrabarCfgNothingIsStored) {
    Lib_FrmCons3& w = Abrir("select CODIGO from MA_ZONAS");
    w.Descargar();
    EXPECT_FALSE(QFile::exists(Kdx()));
}

TEST_F(AnchosTest, StockArticlesShareTheArticlesRecordOnceTheFileExists) {
    base.Exec("CREATE TABLE STK_MA_ARTICULOS (CODIGO varchar(4))");
    Lib_FrmCons3& first =
        Abrir("select CODIGO from STK_MA_ARTICULOS", [](Lib_FrmCons3& v) { v.GrabarCfg = true; });
    first.Descargar();
    EXPECT_EQ(LeerKdx(), "\"STK_MA_ARTICULOS\",\"" + AnchosGuardados({Letras(4)}) + "\"\r\n")
        << "no file yet: its own name";
    EscribirKdx("\"VT_MA_ARTICULOS\",\"600|\"\r\n");
    Lib_FrmCons3& second =
        Abrir("select CODIGO from STK_MA_ARTICULOS", [](Lib_FrmCons3& v) { v.GrabarCfg = true; });
    EXPECT_EQ(second.TablaConsulta(), "VT_MA_ARTICULOS");
    EXPECT_EQ(Cabecera().sectionSize(0), 40);
    second.Descargar();
    EXPECT_EQ(LeerKdx(), "\"VT_MA_ARTICULOS\",\"600|\"\r\n");
}

TEST_F(AnchosTest, AFailedSaveIsReportedAndTheWindowStillCloses) {
    EscribirKdx("\"T1\",\"1|\"\r\n");
    // A folder in the lock file's place makes the save fail.
    ASSERT_TRUE(QDir().mkpath(Kdx() + ".lock"));
    Lib_FrmCons3& w =
        Abrir("select CODIGO from MA_ZONAS", [](Lib_FrmCons3& v) { v.GrabarCfg = true; });
    w.Descargar();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Aviso al Operador");
    EXPECT_EQ(dialogs.boxes[0].style & ui::vbCritical, ui::vbCritical);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(LeerKdx(), "\"T1\",\"1|\"\r\n");
}

// ---- layout ----

double Twips(int pixels) {
    return ui::twips::FromPixels(pixels);
}

int Pixels(double twips) {
    return ui::twips::ToPixels(twips);
}

TEST_F(CargaTest, TheWindowFitsItsColumns) {
    Lib_FrmCons3& w = Abrir("select CODIGO, NOMBRE from MA_ZONAS");
    const double total = Twips(Letras(4) + Letras(60));
    EXPECT_EQ(w.width(), Pixels(total + 360 + 280 - 120))
        << "the list and a margin, less the frame";
    EXPECT_EQ(w.HScroll1()->maximum(), 0) << "every column in view: nothing to scroll";
}

TEST_F(CargaTest, TheButtonsShowTheirCaptions) {
    Lib_FrmCons3& w = Abrir("select CODIGO from MA_ZONAS");
    int right = 0;
    for (QPushButton* button : {w.CmdNueva(), w.CmdCancelar(), w.CmdAceptar()}) {
        EXPECT_GE(button->width(), button->sizeHint().width())
            << button->objectName().toStdString();
        EXPECT_GE(button->width(), Pixels(1455)) << "at least as designed";
        EXPECT_GT(button->x(), right) << "in a row, apart";
        right = button->geometry().right();
    }
    EXPECT_LT(right, w.Frame1()->width());
}

TEST_F(CargaTest, AFewNarrowColumnsStillShowTheButtons) {
    Lib_FrmCons3& w = Abrir("select CODIGO from MA_ZONAS");
    const QRect buttons = w.Frame1()->geometry();
    EXPECT_GE(buttons.left(), 0);
    EXPECT_LE(buttons.right(), w.width());
}

TEST_F(VentanaTest, ColumnsWiderThanTheScreenTakeTheScreen) {
    QStringList columns;
    for (int i = 0; i < 12; ++i) {
        columns << QStringLiteral("C%1 varchar(100)").arg(i);
    }
    base.Exec(QStringLiteral("CREATE TABLE ANCHA (%1)").arg(columns.join(", ")));
    Lib_FrmCons3& w = Abrir("select * from ANCHA");
    // 12 columns of 60 letters: 5040 pixels, 75600 twips.
    EXPECT_EQ(Twips(w.width()) + 120, Twips(dialogs.screen.width()) - 480);
    EXPECT_EQ(w.HScroll1()->maximum(), 32700);
    EXPECT_LT(w.HScroll1()->pageStep(), 32700 / 2) << "the thumb shows the part in view";
    // An arrow moves about one column, a page about the list's width.
    QScrollBar& propia = *Lista().horizontalScrollBar();
    const auto paso = [&](QAbstractSlider::SliderAction accion) {
        const int antes = propia.value();
        w.HScroll1()->triggerAction(accion);
        return propia.value() - antes;
    };
    const int columna = Cabecera().sectionSize(0);
    EXPECT_NEAR(paso(QAbstractSlider::SliderSingleStepAdd), columna, columna / 10);
    EXPECT_NEAR(paso(QAbstractSlider::SliderPageStepAdd), Lista().viewport()->width(),
                columna / 10);
    w.HScroll1()->setValue(w.HScroll1()->maximum());
    const int last = Cabecera().sectionViewportPosition(11) + Cabecera().sectionSize(11);
    EXPECT_LE(last, Lista().viewport()->width()) << "the last column is in view";
}

TEST_F(CargaTest, ResizingFollowsTheLayout) {
    Lib_FrmCons3& w = Abrir("select CODIGO, ORDEN from MA_ZONAS");
    w.resize(600, 400);  // a window of 9120 x 6420 twips with its frame
    const double W = 9120;
    const double H = 6420;
    const double frame = Twips(w.Frame1()->height());
    const double fields = H - frame - 480;
    EXPECT_EQ(w.picFields()->height(), Pixels(fields));
    EXPECT_EQ(Lista().height(), Pixels(Twips(w.picFields()->height()) - frame - 600));
    EXPECT_EQ(w.picFields()->width(), Pixels(W - 120));
    EXPECT_EQ(Lista().width(), Pixels(Twips(w.picFields()->width()) - 20));
    EXPECT_EQ(w.Frame1()->y(), Pixels(H - frame - 420));
    EXPECT_EQ(w.HScroll1()->y(),
              Pixels(Twips(w.picFields()->height()) - Twips(w.HScroll1()->height()) - 120));
    EXPECT_EQ(w.HScroll1()->width(), Pixels(W - 120));
    EXPECT_EQ(w.Frame1()->x(), Pixels(W / 2 - Twips(w.Frame1()->width()) / 2));
}

}  // namespace
