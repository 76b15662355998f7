// The list window's search: typing, F5 and "Nueva Busqueda", sorting, cancelling, the popup menu.
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QPushButton>

#include "VentanaConsulta.h"

namespace {

using lookup::Lib_FrmCons3;
using lookuptest::VentanaTest;

class BusquedaTest : public VentanaTest {
  protected:
    BusquedaTest() {
        base.Exec(
            "CREATE TABLE MA_CLIENTES (NOMBRE varchar(20), CODIGO varchar(4), "
            "CIUDAD varchar(20))");
        base.Exec(
            "INSERT INTO MA_CLIENTES VALUES ('BETO', 'C3', 'Rosario'), "
            "('ANA', 'C1', 'Salta'), ('ANABEL', 'C2', 'Rafaela'), "
            "('O''Brien', 'C4', 'Salta'), ('carla', 'C5', 'Parana')");
    }

    Lib_FrmCons3& AbrirClientes(const std::function<void(Lib_FrmCons3&)>& campos = {}) {
        Lib_FrmCons3& w = Abrir("select NOMBRE, CODIGO, CIUDAD from MA_CLIENTES", campos);
        Activar();
        return w;
    }

    // Replaces the text of a search box as the clerk types it.
    void Escribir(int caja, const QString& texto) const {
        lookuptest::Escribir(*ventana->CmbSearch(caja), texto);
    }

    // A click on a column header.
    void ClicEnTitulo(int columna) const {
        const QPoint punto(Cabecera().sectionViewportPosition(columna) + 4,
                           Cabecera().height() / 2);
        QTest::mouseClick(Cabecera().viewport(), Qt::LeftButton, {}, punto);
    }

    QString Seleccionado(int columna = 0) const {
        return Modelo().Texto(Lista().FilaSeleccionada(), columna);
    }

    // "Llenar Con Posibles Valores" chosen in the popup menu of a search box.
    void Llenar(int caja) {
        dialogs.ChoosePopupItems({"MNU_Llena"});
        QLineEdit* edit = ventana->CmbSearch(caja)->lineEdit();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3),
                                edit->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(edit, &event);
    }
};

TEST_F(BusquedaTest, TypingPositionsTheList) {
    AbrirClientes();
    EXPECT_EQ(Seleccionado(), "BETO");
    Escribir(0, "an");
    EXPECT_EQ(Seleccionado(), "ANA");
    Escribir(0, "anab");
    EXPECT_EQ(Seleccionado(), "ANABEL");
    QTest::keyClick(ventana->CmbSearch(0), Qt::Key_X);
    EXPECT_EQ(ventana->CmbSearch(0)->currentText(), "anabx");
    EXPECT_EQ(Seleccionado(), "ANABEL") << "no match leaves the selection";
    Escribir(0, "");
    EXPECT_EQ(Seleccionado(), "BETO") << "an empty box selects the first row";
    EXPECT_EQ(Modelo().Filas(), 5) << "nothing is read from the database";
}

TEST_F(BusquedaTest, EachBoxSearchesItsColumn) {
    AbrirClientes();
    Escribir(2, "raf");
    EXPECT_EQ(Seleccionado(), "ANABEL");
    Escribir(1, "c5");
    EXPECT_EQ(Seleccionado(), "carla");
    EXPECT_EQ(ventana->ItemActual(), 4);
}

TEST_F(BusquedaTest, BusquedaAndIndiceColumna) {
    Lib_FrmCons3& w = AbrirClientes();
    EXPECT_EQ(w.Busqueda(0, ""), 1);
    EXPECT_EQ(w.Busqueda(0, "  ANAB "), 3);
    EXPECT_EQ(w.Busqueda(-1, "bet"), 1) << "below 1: the row text";
    EXPECT_EQ(w.Busqueda(2, "SAL"), 2);
    EXPECT_EQ(w.Busqueda(1, "zz"), 0);
    EXPECT_EQ(w.ItemActual(), 4) << "every row was visited";
    EXPECT_EQ(w.IndiceColumna(" codigo "), 2);
    EXPECT_EQ(w.IndiceColumna("CIUDAD"), 3);
    EXPECT_EQ(w.IndiceColumna("PAIS"), 0);
}

TEST_F(BusquedaTest, FocusColoursTheBoxAndMakesItCurrent) {
    Lib_FrmCons3& w = AbrirClientes();
    const QColor cyan(0, 255, 255);
    const QColor white(255, 255, 255);
    w.CmbSearch(2)->setFocus();
    EXPECT_EQ(w.CajaActual(), 2);
    EXPECT_EQ(w.CmbSearch(2)->palette().color(QPalette::Base), cyan);
    EXPECT_EQ(w.CmbSearch(0)->palette().color(QPalette::Base), white);
    Lista().setFocus();
    EXPECT_EQ(w.CajaActual(), 2) << "the box used last";
    EXPECT_EQ(w.CmbSearch(2)->palette().color(QPalette::Base), white);
}

TEST_F(BusquedaTest, ArrowsInABoxMoveTheFocusToTheList) {
    Lib_FrmCons3& w = AbrirClientes();
    Escribir(0, "ana");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
        w.CmbSearch(0)->setFocus();
        QTest::keyClick(w.CmbSearch(0), key);
        EXPECT_TRUE(Lista().hasFocus()) << key;
        EXPECT_EQ(Seleccionado(), "ANA") << "the selection does not move with that key " << key;
    }
}

TEST_F(BusquedaTest, TypingOnTheListGoesToTheLastBox) {
    Lib_FrmCons3& w = AbrirClientes();
    Escribir(2, "s");
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_A);
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sA") << "letters in capitals";
    EXPECT_TRUE(w.CmbSearch(2)->hasFocus());
    EXPECT_EQ(Seleccionado(), "ANA");
    QTest::keyClick(w.CmbSearch(2), Qt::Key_L);
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sAl") << "typing goes on at the end";
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_Backspace);
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sA");
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sA5") << "keypad digits type digits";
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_Space);
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sA5 ") << "space without check boxes";
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_F3);
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sA5 ") << "a function key only moves the focus";
    EXPECT_TRUE(w.CmbSearch(2)->hasFocus());
}

TEST_F(BusquedaTest, SpaceTicksWhenRowsHaveCheckBoxes) {
    Lib_FrmCons3& w = AbrirClientes([](Lib_FrmCons3& v) { v.CheckBoxes = true; });
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_Space);
    EXPECT_TRUE(Modelo().Marcada(0));
    EXPECT_EQ(w.CmbSearch(0)->currentText(), "");
    EXPECT_TRUE(Lista().hasFocus());
    QTest::keyClick(&Lista(), Qt::Key_Space);
    EXPECT_FALSE(Modelo().Marcada(0));
}

TEST_F(BusquedaTest, ClickingACheckBoxTicksTheRow) {
    AbrirClientes([](Lib_FrmCons3& v) { v.CheckBoxes = true; });
    const QRect cell = Lista().visualRect(Modelo().index(1, 0));
    // The check box is at the left of the cell, ahead of the text.
    const QPoint box(cell.left() + 9, cell.center().y());
    QTest::mouseClick(Lista().viewport(), Qt::LeftButton, {}, box);
    EXPECT_TRUE(Modelo().Marcada(1));
}

// ---- database searches ----

class BaseTest : public VentanaTest {
  protected:
    BaseTest() {
        base.Exec("CREATE TABLE V_MA_ARTICULOS (Codigo varchar(6), Nombre varchar(30))");
        base.Exec(
            "INSERT INTO V_MA_ARTICULOS VALUES ('10', 'MARTILLO A'), ('110', 'MARTA'), "
            "('210', 'MARTINA'), ('3', 'CLAVO'), ('4', 'LLAVE 1/2'''), ('5', 'MARIA')");
    }

    Lib_FrmCons3& AbrirArticulos(bool contiene = false) {
        Lib_FrmCons3& w = Abrir("select Codigo, Nombre from V_MA_ARTICULOS order by Nombre",
                                [contiene](Lib_FrmCons3& v) { v.CfgUsaConsultaLIKE = contiene; });
        Activar();
        return w;
    }

    void F5(int caja, const QString& texto) const {
        QComboBox* box = ventana->CmbSearch(caja);
        box->setFocus();
        box->setEditText(texto);
        QTest::keyClick(box, Qt::Key_F5);
    }
};

TEST_F(BaseTest, F5NarrowsTheStatementAndKeepsItsOrder) {
    Lib_FrmCons3& w = AbrirArticulos();
    F5(1, "MART*A");
    EXPECT_EQ(w.SQL,
              "select Codigo, Nombre from V_MA_ARTICULOS  where Nombre like 'MART%A%' "
              "order by Nombre  ");
    EXPECT_EQ(Columna(1), (QStringList{"MARTA", "MARTILLO A", "MARTINA"}));
    EXPECT_EQ(w.CmbSearch(1)->currentText(), "") << "the box is emptied";
    EXPECT_EQ(w.SQLActual(), w.SQL);
    F5(0, "1");
    EXPECT_EQ(w.SQL,
              "select Codigo, Nombre from V_MA_ARTICULOS  where Nombre like 'MART%A%'  "
              "and Codigo like '1%' order by Nombre   ");
    EXPECT_EQ(Columna(0), (QStringList{"110", "10"}));
    EXPECT_EQ(w.SQLInicial(), "select Codigo, Nombre from V_MA_ARTICULOS order by Nombre ");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(BaseTest, TheContainsForm) {
    Lib_FrmCons3& w = AbrirArticulos(true);
    F5(0, "10");
    EXPECT_TRUE(w.SQL.contains("where Codigo like '%10%' order by Nombre")) << w.SQL.toStdString();
    EXPECT_EQ(Columna(0), (QStringList{"110", "10", "210"}));
}

// The database compares as SQL Server's case-insensitive collation does, for every letter.
TEST_F(BaseTest, F5IgnoresCaseBeyondAscii) {
    base.Exec(
        QString::fromUtf8("INSERT INTO V_MA_ARTICULOS VALUES ('6', 'ÑANDÚ'), "
                          "('7', 'ñandú chico'), ('8', 'NANDU')"));
    AbrirArticulos();
    F5(1, QString::fromUtf8("ñandú"));
    EXPECT_EQ(Columna(0), (QStringList{"6", "7"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(BaseTest, AQuoteStaysInsideThePattern) {
    Lib_FrmCons3& w = AbrirArticulos();
    F5(1, "LLAVE 1/2'");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().prompt.toStdString();
    EXPECT_EQ(Columna(1), (QStringList{"LLAVE 1/2'"}));
    F5(1, "x' or '1'='1");
    EXPECT_EQ(Modelo().Filas(), 0) << "the text cannot widen the search";
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(w.SQL.contains("like 'x'' or ''1''=''1%'")) << w.SQL.toStdString();
}

TEST_F(BaseTest, NuevaBusquedaReturnsToTheFirstStatement) {
    Lib_FrmCons3& w = AbrirArticulos();
    F5(1, "MART");
    ASSERT_EQ(Modelo().Filas(), 3);
    QTest::mouseClick(w.CmdNueva(), Qt::LeftButton);
    EXPECT_EQ(Modelo().Filas(), 6);
    EXPECT_EQ(w.SQL, "select Codigo, Nombre from V_MA_ARTICULOS order by Nombre  ");
    EXPECT_TRUE(w.CmbSearch(0)->hasFocus());
}

TEST_F(BaseTest, ANewLoadForgetsTicks) {
    Lib_FrmCons3& w = Abrir("select Codigo, Nombre from V_MA_ARTICULOS",
                            [](Lib_FrmCons3& v) { v.CheckBoxes = true; });
    Activar();
    Modelo().Marcar(0, true);
    const rt::CollectionRef before = w.Valores;
    F5(1, "MAR");
    EXPECT_FALSE(Modelo().Marcada(0));
    EXPECT_NE(w.Valores, before) << "a new collection";
}

TEST_F(BaseTest, ARejectedSearchLeavesTheListEmpty) {
    dialogs.defaultAnswer = ui::vbAbort;
    Abrir("select Codigo, Nombre from V_MA_ARTICULOS");
    Activar();
    base.Exec("DROP TABLE V_MA_ARTICULOS");
    F5(1, "MAR");
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.boxes.front().title.contains("AbrirRecordset"));
    EXPECT_EQ(Modelo().Columnas(), 0);
    EXPECT_EQ(Modelo().Filas(), 0);
}

// ---- sorting ----

TEST_F(BusquedaTest, HeaderClicksFlipTheOrder) {
    AbrirClientes();
    ClicEnTitulo(0);
    EXPECT_EQ(Columna(0), (QStringList{"O'Brien", "carla", "BETO", "ANABEL", "ANA"}))
        << "from ascending, the first click sorts descending, ignoring case";
    ClicEnTitulo(0);
    EXPECT_EQ(Columna(0), (QStringList{"ANA", "ANABEL", "BETO", "carla", "O'Brien"}));
    ClicEnTitulo(2);
    EXPECT_EQ(Columna(2), (QStringList{"Salta", "Salta", "Rosario", "Rafaela", "Parana"}))
        << "another column keeps flipping";
    EXPECT_EQ(Columna(0)[0], "ANA") << "equal texts keep their order";
}

TEST_F(BusquedaTest, SortingKeepsTheSelectedRow) {
    AbrirClientes();
    Escribir(0, "anab");
    ClicEnTitulo(1);
    EXPECT_EQ(Seleccionado(), "ANABEL");
    EXPECT_EQ(Lista().FilaSeleccionada(), 3);
}

TEST_F(BusquedaTest, OrdenarPorLwvSortsTheLoadedRows) {
    AbrirClientes([](Lib_FrmCons3& v) { v.OrdenarPorLwv = true; });
    EXPECT_EQ(Columna(0), (QStringList{"ANA", "ANABEL", "BETO", "carla", "O'Brien"}));
    EXPECT_EQ(Seleccionado(), "ANA");
}

TEST_F(VentanaTest, SortingFollowsTheLanguage) {
    base.Exec("CREATE TABLE PALABRAS (P varchar(10))");
    base.Exec(
        QString::fromUtf8("INSERT INTO PALABRAS VALUES ('Ñandú'), ('zorro'), ('Álamo'), "
                          "('nube'), ('avión')"));
    Abrir("select P from PALABRAS", [](Lib_FrmCons3& v) { v.OrdenarPorLwv = true; });
    // Spanish has a letter of its own after N; without a language (the C locale) an accent only
    // marks its letter.
    const QString alamo = QString::fromUtf8("Álamo");
    const QString avion = QString::fromUtf8("avión");
    const QString nandu = QString::fromUtf8("Ñandú");
    const QStringList espanol{alamo, avion, "nube", nandu, "zorro"};
    const QStringList porLetras{alamo, avion, nandu, "nube", "zorro"};
    EXPECT_EQ(Columna(0), QLocale().language() == QLocale::Spanish ? espanol : porLetras);
}

// ---- cancelling ----

TEST_F(BusquedaTest, CancelarLeavesWithoutAChoice) {
    Lib_FrmCons3& w = AbrirClientes([](Lib_FrmCons3& v) {
        v.CmpsDevueltos = rt::NewCollection();
        v.ValorDevuelto = "antes";
    });
    QTest::mouseClick(w.CmdCancelar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ValorDevuelto, rt::Variant(QString()));
    EXPECT_FALSE(w.Valores) << "nothing, not an empty collection";
    EXPECT_FALSE(w.CmpsDevueltos);
}

TEST_F(BusquedaTest, EscapeCancelsFromTheListAndFromABox) {
    Lib_FrmCons3& w = AbrirClientes();
    QTest::keyClick(w.CmbSearch(0), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Valores);
    Lib_FrmCons3& again = AbrirClientes();
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_FALSE(again.Valores);
}

// ---- the popup menu ----

TEST_F(BusquedaTest, TheMenuFillsABoxWithTheTextsOfItsColumn) {
    Lib_FrmCons3& w = AbrirClientes();
    Escribir(2, "sa");
    Llenar(2);
    ASSERT_EQ(dialogs.shownMenus, (std::vector<QString>{"MNU_Emergente"}));
    QStringList items;
    for (int i = 0; i < w.CmbSearch(2)->count(); ++i) {
        items << w.CmbSearch(2)->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Rosario", "Salta", "Rafaela", "Parana"}));
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "sa") << "the typed text stays";
    w.CmbSearch(2)->setCurrentIndex(2);
    EXPECT_EQ(Seleccionado(), "ANABEL") << "choosing from the list positions the rows";
}

// Typing in a filled box completes the text from its list, as an editable box does, whichever
// box it is and however the focus reached it.
TEST_F(BusquedaTest, AFilledBoxCompletesWhatIsTyped) {
    Lib_FrmCons3& w = AbrirClientes();
    for (int caja : {2, 0}) {
        Llenar(caja);
        Escribir(caja, "ra");
        EXPECT_EQ(w.CmbSearch(caja)->currentText(), caja == 2 ? "rafaela" : "ra") << caja;
    }
    Lista().setFocus();
    QTest::keyClick(&Lista(), Qt::Key_A);
    EXPECT_EQ(w.CmbSearch(0)->currentText(), "raA") << "nothing in its list starts so";
    Escribir(2, "p");
    EXPECT_EQ(w.CmbSearch(2)->currentText(), "parana") << "the typed letters keep their case";
    EXPECT_EQ(w.CmbSearch(2)->lineEdit()->selectedText(), "arana");
    EXPECT_EQ(Seleccionado(), "carla");
}

TEST_F(BusquedaTest, AWindowGoesWhileABoxHoldsAnItemInOtherLetters) {
    Lib_FrmCons3& w = AbrirClientes();
    Llenar(2);
    Escribir(2, "salta");
    ASSERT_TRUE(w.CmbSearch(2)->hasFocus());
    ventana.reset();
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

TEST_F(BusquedaTest, CancelarInTheMenuDoesNothing) {
    Lib_FrmCons3& w = AbrirClientes();
    dialogs.ChoosePopupItems({"MNU_Cancelar"});
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3),
                            w.CmbSearch(0)->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(w.CmbSearch(0)->lineEdit(), &event);
    EXPECT_EQ(dialogs.shownMenus.size(), 1u);
    EXPECT_EQ(w.CmbSearch(0)->count(), 0);
    EXPECT_TRUE(w.isVisible());
}

}  // namespace
