// The lookup request's tree road: what the tree window receives, what the request hands back,
// and the clean-up.
#include <QPushButton>

#include "VentanaArbol.h"
#include "cheques/lookup/Lib_ClsCons3.h"

namespace {

using lookup::Lib_ClsCons3;
using lookup::Lib_FrmCons3Tree;
using lookuptest::ArbolTest;
using lookuptest::Esquema;
using lookuptest::Textos;
using ArbolCompartido = rt::DefaultInstance<Lib_FrmCons3Tree>;
using ListaCompartida = rt::DefaultInstance<lookup::Lib_FrmCons3>;

const QString kFamilias =
    QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
// The statement as the window holds it once opened: the families read through their synonym.
const QString kFamiliasAbiertas =
    QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS ORDER BY IDFAMILIA");

class ConsultaArbolTest : public ArbolTest {
  protected:
    ConsultaArbolTest() {
        base.Exec(
            "INSERT INTO TA_FAMILIAS VALUES ('1', 'Ferreteria'), ('11', 'Clavos'), "
            "('12', 'Tornillos'), ('2', 'Pinturas')");
    }

    // Shows the request's tree window, records what it was given and its outline, then runs the
    // clerk's part.
    void AlMostrar(const std::function<void(Lib_FrmCons3Tree&)>& clerk = {}) {
        dialogs.OnModal([this, clerk](QWidget& widget) {
            auto& w = dynamic_cast<Lib_FrmCons3Tree&>(widget);
            sql = w.SQL;
            campoDevuelto = w.CampoDevuelto;
            checkBoxes = w.CheckBoxes;
            esquema = Esquema(w.Nodos());
            if (clerk) {
                clerk(w);
            }
        });
    }

    QString sql;
    QString campoDevuelto;
    bool checkBoxes = false;
    QString esquema;
};

TEST_F(ConsultaArbolTest, ASingleChoice) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "IDFAMILIA";
    const rt::CollectionRef cantidades = rt::NewCollection();
    request.Cantidades = cantidades;
    AlMostrar([](Lib_FrmCons3Tree& w) {
        w.CmbSearch()->setEditText("12");
        QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    });
    request.ConsultaSearch(kFamilias, nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_EQ(dialogs.modalCount, 1);
    EXPECT_EQ(sql, kFamiliasAbiertas) << "a complete statement as it stands";
    EXPECT_EQ(campoDevuelto, "IDFAMILIA");
    EXPECT_FALSE(checkBoxes);
    EXPECT_EQ(esquema, "A[1[11 12] 2]");
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString("12")));
    ASSERT_TRUE(request.Valores);
    EXPECT_EQ(request.Valores->Count(), 0);
    EXPECT_EQ(request.Cantidades, cantidades) << "the tree leaves the quantities alone";
    EXPECT_EQ(request.CampoDevuelto, "");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ConsultaArbolTest, AMultipleChoice) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "IDFAMILIA";
    request.Checks = true;
    request.ValorDevuelto = QString("anterior");
    rt::CollectionRef returned = rt::NewCollection();
    returned->Add(QString("DESCRIPCION"));
    AlMostrar([](Lib_FrmCons3Tree& w) {
        lookup::ModeloArbol& nodos = w.Nodos();
        nodos.setData(nodos.Indice(1), Qt::Checked, Qt::CheckStateRole);  // "1", and under it
        QTest::mouseClick(w.CmdAceptar(), Qt::LeftButton);
    });
    request.ConsultaSearch(kFamilias, &returned, {}, nullptr, nullptr, {}, true);
    EXPECT_TRUE(checkBoxes);
    EXPECT_EQ(Textos(request.Valores), (QStringList{"1", "11", "12"}));
    EXPECT_EQ(request.ValorDevuelto, rt::Variant()) << "the fresh window's, which a multiple "
                                                       "choice leaves alone";
    EXPECT_FALSE(request.Checks) << "reset after every request";
    EXPECT_EQ(request.CampoDevuelto, "");
    EXPECT_FALSE(returned) << "the caller's collection is released";
}

TEST_F(ConsultaArbolTest, CancellingReleasesValores) {
    Lib_ClsCons3 request;
    request.CampoDevuelto = "IDFAMILIA";
    request.Checks = true;
    AlMostrar([](Lib_FrmCons3Tree& w) { QTest::keyClick(w.CmbSearch(), Qt::Key_Escape); });
    request.ConsultaSearch(kFamilias, nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_FALSE(request.Valores) << "nothing, not empty";
    EXPECT_EQ(request.ValorDevuelto, rt::Variant(QString()));
    EXPECT_FALSE(request.Checks);
}

TEST_F(ConsultaArbolTest, EveryRequestGetsAFreshTreeWindow) {
    Lib_ClsCons3 request;
    AlMostrar([](Lib_FrmCons3Tree& w) {
        QTest::keyClick(w.CmbSearch(), Qt::Key_F5);  // narrows the window's statement
    });
    request.ConsultaSearch(kFamilias, nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_FALSE(ArbolCompartido::Exists()) << "released";
    EXPECT_FALSE(ListaCompartida::Exists()) << "no list window on this road";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AlMostrar();
    request.ConsultaSearch(kFamilias, nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_EQ(sql, kFamiliasAbiertas) << "the narrowed statement went with the first window";
    EXPECT_EQ(dialogs.modalCount, 2);
}

TEST_F(ConsultaArbolTest, ATableNameBuildsItsStatementFirst) {
    Lib_ClsCons3 request;
    AlMostrar();
    request.ConsultaSearch("TA_CCOSTO", nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_EQ(sql, "SELECT TOP 1000 DESCRIPCION,CODIGO FROM TA_CCOSTO ORDER BY DESCRIPCION");
}

}  // namespace
