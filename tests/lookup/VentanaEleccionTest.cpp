// The list window's choice: single and multiple choice, quantities and the shortage report.
#include <QPushButton>

#include "CasoNombrado.h"
#include "Regional.h"
#include "VentanaConsulta.h"
#include "cheques/runtime/Text.h"

namespace {

using lookuptest::PrintTo;

using lookup::Lib_FrmCons3;
using lookuptest::Textos;
using lookuptest::VentanaTest;

rt::CollectionRef Coleccion(const QStringList& textos) {
    rt::CollectionRef coleccion = rt::NewCollection();
    for (const QString& t : textos) {
        coleccion->Add(t);
    }
    return coleccion;
}

class EleccionTest : public VentanaTest {
  protected:
    EleccionTest() {
        base.Exec(
            "CREATE TABLE MA_ITEMS (Codigo varchar(4), Nombre varchar(20), "
            "Cantidad varchar(10))");
        base.Exec(
            "INSERT INTO MA_ITEMS VALUES ('A01', 'Uno', '0.00'), ('A02', 'Dos', '0.00'), "
            "('A03', 'Tres', '5')");
    }

    Lib_FrmCons3& AbrirItems(const std::function<void(Lib_FrmCons3&)>& campos = {},
                             const QString& sql = "select Codigo, Nombre, Cantidad from MA_ITEMS") {
        Lib_FrmCons3& w = Abrir(sql, campos);
        Activar();
        return w;
    }

    void Tecla(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        Lista().setFocus();
        QTest::keyClick(&Lista(), key, modifiers);
    }
};

// ---- multiple choice ----

TEST_F(EleccionTest, MultipleChoiceReturnsTheTickedRowsInListOrder) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) {
        v.CheckBoxes = true;
        v.CampoDevuelto = "codigo";
    });
    Modelo().Marcar(2, true);
    Modelo().Marcar(0, true);
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Textos(w.Valores), (QStringList{"A01", "A03"}));
    EXPECT_TRUE(w.ValorDevuelto.IsEmpty()) << "untouched";
    EXPECT_EQ(w.Cantidades->Count(), 0);
}

TEST_F(EleccionTest, AnEmptyCampoDevueltoTakesTheFirstColumn) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) { v.CheckBoxes = true; });
    Modelo().Marcar(1, true);
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_EQ(Textos(w.Valores), (QStringList{"A02"}));
    EXPECT_EQ(w.CampoDevuelto, "Codigo");
}

TEST_F(EleccionTest, MultipleChoiceWithQuantitiesReturnsThemToo) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) {
        v.CheckBoxes = true;
        v.UsaCantidades = true;
        v.CampoDevuelto = "Nombre";
    });
    Lista().Seleccionar(0);
    Tecla(Qt::Key_Insert);
    Tecla(Qt::Key_Insert);
    Lista().Seleccionar(2);
    dialogs.AnswerPrompts({QStringLiteral("2.5")});
    Tecla(Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_EQ(Textos(w.Valores), (QStringList{"Uno", "Tres"}));
    ASSERT_EQ(w.Cantidades->Count(), 2);
    EXPECT_EQ(w.Cantidades->Item(1), rt::Variant(2.0));
    EXPECT_EQ(w.Cantidades->Item(2), rt::Variant(2.5));
}

// ---- single choice ----

TEST_F(EleccionTest, SingleChoiceReturnsTheAskedColumns) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) {
        v.CmpsDevueltos = Coleccion({"Codigo", " NOMBRE ", "Precio"});
        v.CampoDevuelto = "Nombre";
    });
    Lista().Seleccionar(1);
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Textos(w.Valores), (QStringList{"A02", "Dos", ""}))
        << "a caption that names no column gives an empty text";
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString("Dos")));
}

TEST_F(EleccionTest, SingleChoiceWithoutCampoDevueltoGivesAnEmptyText) {
    Lib_FrmCons3& w = AbrirItems();
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString()));
    EXPECT_EQ(w.Valores->Count(), 0);
}

TEST_F(EleccionTest, SingleChoiceOnAnEmptyListSetsNothing) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) { v.CampoDevuelto = "Codigo"; },
                                 "select Codigo from MA_ITEMS where 1 = 0");
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.ValorDevuelto.IsEmpty());
    ASSERT_TRUE(w.Valores);
    EXPECT_EQ(w.Valores->Count(), 0);
}

struct EleccionCase {
    const char* name;
    std::function<void(Lib_FrmCons3&)> choose;
};

class FormasDeElegirTest : public EleccionTest,
                           public ::testing::WithParamInterface<EleccionCase> {};

TEST_P(FormasDeElegirTest, ChoosesTheSelectedRow) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) { v.CampoDevuelto = "Codigo"; });
    Lista().Seleccionar(2);
    GetParam().choose(w);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString("A03")));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FormasDeElegirTest,
    ::testing::Values(EleccionCase{"AceptarButton",
                                   [](Lib_FrmCons3& w) {
                                       QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
                                   }},
                      EleccionCase{"EnterOnTheList",
                                   [](Lib_FrmCons3& w) {
                                       w.ListView1()->setFocus();
                                       QTest::keyClick(w.ListView1(), Qt::Key_Return);
                                   }},
                      EleccionCase{"EnterInASearchBox",
                                   [](Lib_FrmCons3& w) {
                                       w.CmbSearch(1)->setFocus();
                                       QTest::keyClick(w.CmbSearch(1), Qt::Key_Return);
                                   }},
                      EleccionCase{"DoubleClick",
                                   [](Lib_FrmCons3& w) {
                                       lookup::ListaConsulta& list = *w.ListView1();
                                       const QRect row = list.visualRect(list.Modelo().index(2, 1));
                                       QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                                                          row.center());
                                   }}),
    CaseName());

TEST_F(EleccionTest, EnterChoosesOnlyOnce) {
    Lib_FrmCons3& w = AbrirItems([](Lib_FrmCons3& v) { v.CmpsDevueltos = Coleccion({"Codigo"}); });
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Textos(w.Valores), (QStringList{"A01"}));
}

// ---- quantities ----

class CantidadesTest : public EleccionTest {
  protected:
    Lib_FrmCons3& AbrirConCantidades(bool checkBoxes = true) {
        return AbrirItems([checkBoxes](Lib_FrmCons3& v) {
            v.UsaCantidades = true;
            v.CheckBoxes = checkBoxes;
        });
    }
    QString Celda(int fila) const { return Modelo().Texto(fila, 2); }
};

TEST_F(CantidadesTest, InsertRaisesAndDeleteLowers) {
    AbrirConCantidades();
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        Tecla(Qt::Key_Insert);
        shown << Celda(0);
    }
    EXPECT_EQ(shown, (QStringList{Regional("1,0"), Regional("2,0"), Regional("3,0")}));
    EXPECT_TRUE(Modelo().Marcada(0));
    shown.clear();
    for (int i = 0; i < 3; ++i) {
        Tecla(Qt::Key_Delete);
        shown << Celda(0);
        EXPECT_EQ(Modelo().Marcada(0), i < 2) << i;
    }
    EXPECT_EQ(shown, (QStringList{Regional("2,0"), Regional("1,0"), "0.00"}));
}

// The clerk types the decimal separator of the session's locale ("12,5" in Spanish
// (Argentina), "12.5" under C); the keys then raise the quantity the cell shows, fraction and
// all, and the choice hands it back.
TEST_F(CantidadesTest, QuantitiesKeepTheirFractionInTheClerksLocale) {
    Lib_FrmCons3& w = AbrirConCantidades();
    Lista().Seleccionar(2);
    dialogs.AnswerPrompts({Regional("12,5")});
    Tecla(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Celda(2), Regional("12,50"));
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(Celda(2), Regional("13,5"));
    Tecla(Qt::Key_Delete);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Celda(2), Regional("11,5"));
    QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    ASSERT_EQ(w.Cantidades->Count(), 1);
    EXPECT_EQ(w.Cantidades->Item(1), rt::Variant(11.5));
}

TEST_F(CantidadesTest, ShiftInsertAsksForTheQuantity) {
    AbrirConCantidades(false);
    Lista().Seleccionar(2);
    dialogs.AnswerPrompts({QStringLiteral("12")});
    Tecla(Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(dialogs.prompts, (std::vector<QString>{"Ingrese la Cantidad del Articulo..."}));
    EXPECT_EQ(Celda(2), Regional("12,00"));
    EXPECT_TRUE(Modelo().Marcada(2));
}

TEST_F(CantidadesTest, AnAnswerThatReadsAsZeroStillTicks) {
    AbrirConCantidades();
    dialogs.AnswerPrompts({std::nullopt, QStringLiteral("cero"), QStringLiteral("0")});
    for (int i = 0; i < 3; ++i) {
        Modelo().Marcar(0, false);
        Modelo().PonerTexto(0, 2, "7");
        Tecla(Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(Celda(0), Regional("0,00")) << i;
        EXPECT_TRUE(Modelo().Marcada(0)) << i;
    }
}

class PromptTitle : public ScriptedDialogs {
  public:
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override {
        seen = {prompt, title, defaultText};
        return QStringLiteral("3");
    }
    QStringList seen;
};

TEST_F(CantidadesTest, ThePromptShowsTheCurrentQuantity) {
    AbrirConCantidades();
    PromptTitle prompt;
    Lista().Seleccionar(2);
    Tecla(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(prompt.seen,
              (QStringList{"Ingrese la Cantidad del Articulo...", "Carga de Datos", "5"}));
}

TEST_F(CantidadesTest, WithoutQuantitiesTheKeysDoNothing) {
    AbrirItems();
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(Celda(0), "0.00");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CantidadesTest, AListWithoutAQuantityColumnReportsTheKey) {
    AbrirItems([](Lib_FrmCons3& v) { v.UsaCantidades = true; },
               "select Codigo, Nombre from MA_ITEMS");
    dialogs.defaultAnswer = ui::vbAbort;
    Tecla(Qt::Key_Insert);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].title.contains("ListView1_KeyDown"))
        << dialogs.boxes[0].title.toStdString();
    EXPECT_TRUE(ventana->isVisible());
}

// ---- shortage report ----

class FaltanteTest : public VentanaTest {
  protected:
    FaltanteTest() {
        base.Exec("CREATE TABLE MA_ARTICULOS (idarticulo varchar(10), Descripcion varchar(40))");
        base.Exec("INSERT INTO MA_ARTICULOS VALUES ('A''1', 'Llave 1/2'''), ('B2', 'Tuerca')");
        base.Exec(
            "CREATE TABLE V_MV_FALTANTES (FechaHora varchar(30), IdArticulo varchar(25), "
            "Descripcion varchar(60), Usuario varchar(20))");
        dbtest::DefaultOn::Get().gUsuario = "ana";
    }

    // Each row recorded, as id|description|user.
    QStringList Faltantes() const {
        const QStringList ids = base.Column("SELECT IdArticulo FROM V_MV_FALTANTES");
        const QStringList descriptions = base.Column("SELECT Descripcion FROM V_MV_FALTANTES");
        const QStringList users = base.Column("SELECT Usuario FROM V_MV_FALTANTES");
        QStringList rows;
        for (qsizetype i = 0; i < ids.size(); ++i) {
            rows << ids[i] + "|" + descriptions[i] + "|" + users[i];
        }
        return rows;
    }

    void F12() const {
        ventana->CmbSearch(0)->setFocus();
        QTest::keyClick(ventana->CmbSearch(0), Qt::Key_F12);
    }
};

TEST_F(FaltanteTest, YesRecordsTheArticleWithItsQuotes) {
    Abrir("select idarticulo, Descripcion from MA_ARTICULOS");
    Activar();
    dialogs.AnswerBoxes({ui::vbYes});
    F12();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt,
              "Desea informar el articulo A'1 Llave 1/2'\r\ncomo un faltante de stock?");
    EXPECT_EQ(dialogs.boxes[0].title, QString::fromUtf8("Atención!"));
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbYesNo | ui::vbQuestion);
    EXPECT_EQ(Faltantes(), (QStringList{"A'1|Llave 1/2'|ana"}));
    const QString moment = base.Scalar("SELECT FechaHora FROM V_MV_FALTANTES").ToText();
    EXPECT_TRUE(rt::text::TextToDate(moment.left(moment.lastIndexOf(QLatin1Char(' ')))))
        << moment.toStdString();
    EXPECT_TRUE(ventana->isVisible()) << "the window stays open";
}

TEST_F(FaltanteTest, NoRecordsNothing) {
    Abrir("select idarticulo, Descripcion from MA_ARTICULOS");
    Activar();
    dialogs.AnswerBoxes({ui::vbNo});
    F12();
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(Faltantes().isEmpty());
}

TEST_F(FaltanteTest, FromTheListToo) {
    Abrir("select idarticulo, Descripcion from MA_ARTICULOS");
    Activar();
    Lista().Seleccionar(1);
    dialogs.AnswerBoxes({ui::vbYes, ui::vbYes});
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_F12);
    QTest::keyClick(&Lista(), Qt::Key_F12);
    EXPECT_EQ(Faltantes(), (QStringList{"B2|Tuerca|ana", "B2|Tuerca|ana"}));
}

TEST_F(FaltanteTest, WithoutAnIdColumnTheIdIsEmpty) {
    Abrir("select Descripcion from MA_ARTICULOS");
    Activar();
    dialogs.AnswerBoxes({ui::vbYes});
    F12();
    EXPECT_EQ(dialogs.boxes.at(0).prompt,
              "Desea informar el articulo  Llave 1/2'\r\ncomo un faltante de stock?");
    EXPECT_EQ(Faltantes(), (QStringList{"|Llave 1/2'|ana"}));
}

TEST_F(FaltanteTest, OnlyInAnArticlesList) {
    base.Exec("CREATE TABLE MA_ZONAS (idarticulo varchar(4))");
    base.Exec("INSERT INTO MA_ZONAS VALUES ('Z')");
    Abrir("select idarticulo from MA_ZONAS");
    Activar();
    F12();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(Faltantes().isEmpty());
}

TEST_F(FaltanteTest, WithoutASelectedRowNothingHappens) {
    Abrir("select idarticulo, Descripcion from MA_ARTICULOS where 1 = 0");
    Activar();
    F12();
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
