#include "cheques/menus/FrmMenus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include "RaisedError.h"

#include "ScriptedDialogs.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/ui/QtDialogs.h"

using menus::FrmMenus;

namespace {

// Chooses a given item object (an element of an item array, say) in the next popup menu.
class ChoosingDialogs : public ScriptedDialogs {
  public:
    QAction* choice = nullptr;

    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override {
        shownMenus.push_back(menu.objectName());
        popupPositions.push_back(globalPos);
        QAction* chosen = std::exchange(choice, nullptr);
        if (chosen) {
            chosen->trigger();
        }
        return chosen;
    }
};

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* action : menu.actions()) {
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

}  // namespace

TEST(FrmMenus, TheSharedHostIsLoadedHiddenWithAnEmptyAnswer) {
    using Shared = rt::DefaultInstance<FrmMenus>;
    ASSERT_FALSE(Shared::Exists());
    FrmMenus& host = Shared::Get();
    EXPECT_EQ(&host, &Shared::Get());
    EXPECT_TRUE(host.PRespuesta.isEmpty());
    EXPECT_FALSE(host.isVisible());
    EXPECT_EQ(host.objectName(), "FrmMenus");
    host.PRespuesta = "Depositar";
    EXPECT_EQ(Shared::Get().PRespuesta, "Depositar");
    QPointer<FrmMenus> first = &host;
    Shared::Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    EXPECT_TRUE(Shared::Get().PRespuesta.isEmpty()) << "a fresh host is loaded again";
    Shared::Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(FrmMenus, AnswerHistoryAcrossMenus) {
    ScriptedDialogs dialogs;
    FrmMenus host;
    struct Step {
        const char* menu;
        const char* choice;  // "" dismisses the menu
        const char* answer;
    };
    const Step steps[] = {
        {"MNU_EmergenteXXV", "MNU_EmergenteXXV_Depositar", "Depositar"},
        {"MNU_EmergenteII", "", "Depositar"},  // dismissed: the other menu's answer stays
        {"MNU_EmergenteXXV", "", "Depositar"},
        {"MNU_EmergenteII", "MNU_EmergenteII_Cancelar", "Depositar"},  // answers nothing
        {"MNU_EmergenteXXVI", "MNU_EmergenteXXVI_Cancelar", "Cancelar"},
        {"mnu_emergenteXXXII", "mnu_emergenteXXXII_Cancelar", "NP_Cancelar"},
        {"mnu_EmergenteXXX", "MNU_EmergenteXXX_Cancelar", "NP_Cancelar"},
        {"MNU_EmergenteXXV", "MNU_EmergenteXXV_Cancelar", ""},
        {"MNU_EmergenteIV", "MNU_EmergenteIV_Editar", "EditarSolicitud"},
        {"MNU_EmergenteIV", "MNU_EmergenteIV_Cancelar", "EditarSolicitud"},
        {"mnu_Emergente", "MNU_Emergente_Cancelar", ""},
        {"mnu_Emergente", "", ""},
    };
    for (const Step& s : steps) {
        dialogs.ChoosePopupItems({QString::fromUtf8(s.choice)});
        QAction* chosen = host.Mostrar(s.menu, QPoint(1, 2));
        EXPECT_EQ(chosen == nullptr, *s.choice == '\0') << s.menu << " " << s.choice;
        EXPECT_EQ(host.PRespuesta, QString::fromUtf8(s.answer)) << s.menu << " " << s.choice;
    }
    EXPECT_EQ(dialogs.popupPositions.back(), QPoint(1, 2));
}

TEST(FrmMenus, TechniciansAnswerTheirCaptionWithoutSurroundingSpaces) {
    ChoosingDialogs dialogs;
    FrmMenus host;
    QAction* juan = host.AgregarElemento("MNU_EmergenteIII_Tecnicos", "  Juan Pérez  ");
    QAction* ana = host.AgregarElemento("MNU_EmergenteIII_Tecnicos", "Ana\t");
    EXPECT_EQ(host.Indices("MNU_EmergenteIII_Tecnicos"), (QList<int>{0, 1, 2}));
    EXPECT_EQ(Captions(*host.Menu("MNU_EmergenteIII")),
              (QStringList{"(Tecnico)", "  Juan Pérez  ", "Ana\t", "-", "Cancelar"}));

    host.show();
    dialogs.choice = juan;
    EXPECT_EQ(host.Mostrar("MNU_EmergenteIII", {}), juan);
    EXPECT_EQ(host.PRespuesta, "Juan Pérez");
    EXPECT_FALSE(host.isVisible()) << "the technicians' handler calls Salir";

    dialogs.choice = ana;
    host.Mostrar("MNU_EmergenteIII", {});
    EXPECT_EQ(host.PRespuesta, "Ana\t") << "only spaces are trimmed";
}

TEST(FrmMenus, ItemArraysAnswerTheChosenElementsTag) {
    const char* const arrays[][2] = {
        {"MNU_EmergenteXIII", "Mnu_Campo"},
        {"MNU_EmergenteXIII", "MNU_Operador"},
        {"MNU_EmergenteXIII", "MNU_OperadorLogico"},
        {"MNU_EmergenteXI", "MNU_EmergenteXIMenu"},
        {"MNU_Emergente_XVI", "MNU_VentanaPersonalizada"},
    };
    ChoosingDialogs dialogs;
    FrmMenus host;
    for (const auto& [menu, array] : arrays) {
        QAction* tagged =
            host.AgregarElemento(array, "Descripcion", QStringLiteral(" [%1] ").arg(array));
        QAction* untagged = host.AgregarElemento(array, "Sin etiqueta");
        EXPECT_EQ(FrmMenus::Tag(*tagged), QStringLiteral(" [%1] ").arg(array));
        EXPECT_EQ(FrmMenus::Index(*untagged), 2);
        EXPECT_EQ(host.Elemento(array, 1), tagged);

        dialogs.choice = tagged;
        host.Mostrar(menu, {});
        EXPECT_EQ(host.PRespuesta, QStringLiteral(" [%1] ").arg(array)) << "tags stay as they are";

        dialogs.choice = untagged;
        host.Mostrar(menu, {});
        EXPECT_EQ(host.PRespuesta, "") << array;

        host.PRespuesta = "x";
        dialogs.choice = host.Elemento(array, 0);
        host.Mostrar(menu, {});
        EXPECT_EQ(host.PRespuesta, "") << array;
        EXPECT_EQ(dialogs.shownMenus.back(), menu);
    }
}

TEST(FrmMenus, LoadingAndUnloadingElements) {
    FrmMenus host;
    const QString array = QStringLiteral("MNU_VentanaPersonalizada");
    QMenu& submenu = *host.Menu("MNU_EliminaVentanaPersonalizada");
    host.Item(array)->setText("Ventana 0");
    FrmMenus::SetTag(*host.Item(array), "cero");

    QAction* five = host.CargarElemento(array, 5);
    EXPECT_EQ(five->text(), "Ventana 0") << "a copy of the lowest element";
    EXPECT_EQ(FrmMenus::Tag(*five), "cero");
    EXPECT_TRUE(five->isVisible());
    EXPECT_EQ(five->objectName(), array);
    five->setText("cinco");
    host.CargarElemento(array, 2)->setText("dos");
    host.AgregarElemento(array, "seis");
    EXPECT_EQ(Captions(submenu), (QStringList{"Ventana 0", "dos", "cinco", "seis"}));
    EXPECT_EQ(host.Indices(array), (QList<int>{0, 2, 5, 6}));
    EXPECT_EQ(Captions(*host.Menu("MNU_Emergente_XVI")),
              (QStringList{"Insertar Nueva Ventana Personalizada", "-",
                           "Eliminar Ventana Personalizada", "Cancelar"}));

    EXPECT_EQ(RaisedNumber([&] { host.CargarElemento(array, 2); }), rt::err::ObjectAlreadyLoaded);
    EXPECT_EQ(RaisedNumber([&] { host.CargarElemento(array, -1); }), rt::err::InvalidProcedureCall);
    EXPECT_EQ(RaisedNumber([&] { host.DescargarElemento(array, 0); }), 362);
    EXPECT_EQ(RaisedNumber([&] { host.DescargarElemento(array, 3); }), 340);
    EXPECT_EQ(RaisedNumber([&] { host.Elemento(array, 3); }), 340);
    EXPECT_EQ(RaisedNumber([&] { host.Indices("MNU_EmergenteXXV_Depositar"); }),
              rt::err::InvalidProcedureCall);

    host.DescargarElemento(array, 5);
    EXPECT_EQ(Captions(submenu), (QStringList{"Ventana 0", "dos", "seis"}));
    EXPECT_EQ(host.AgregarElemento(array, "siete")->property("Index").toInt(), 7);
}

TEST(FrmMenus, TheTwoCheckedItemsKeepTheirCheckMark) {
    ScriptedDialogs dialogs;
    FrmMenus host;
    for (const auto& [menu, item, answer] :
         {std::tuple{"MNU_EmergenteVI", "MNU_EmergenteVIAprobar", "Aprobar"},
          std::tuple{"MNU_EmergenteVII", "MNU_EmergenteVII_Contratar", "Contratar"}}) {
        QAction* action = host.Item(item);
        EXPECT_TRUE(action->isCheckable());
        EXPECT_TRUE(action->isChecked()) << item;
        dialogs.ChoosePopupItems({item});
        host.Mostrar(menu, {});
        EXPECT_TRUE(action->isChecked()) << item;
        EXPECT_EQ(host.PRespuesta, answer);
        action->setChecked(false);  // a caller clears it; choosing sets it again
        dialogs.ChoosePopupItems({item});
        host.Mostrar(menu, {});
        EXPECT_TRUE(action->isChecked()) << item;
    }
    // Every other item starts without a check mark, and choosing one never toggles it.
    int checkable = 0;
    for (const QAction* action : host.findChildren<QAction*>()) {
        checkable += action->isCheckable() ? 1 : 0;
    }
    EXPECT_EQ(checkable, 2);
    QAction* editar = host.Item("MNU_EmergenteXXVI_Editar");
    FrmMenus::SetChecked(*editar, true);
    dialogs.ChoosePopupItems({"MNU_EmergenteXXVI_Editar"});
    host.Mostrar("MNU_EmergenteXXVI", {});
    EXPECT_TRUE(editar->isChecked());
    FrmMenus::SetChecked(*editar, false);
    dialogs.ChoosePopupItems({"MNU_EmergenteXXVI_Editar"});
    host.Mostrar("MNU_EmergenteXXVI", {});
    EXPECT_FALSE(editar->isChecked());
    EXPECT_EQ(host.PRespuesta, "Editar");
}

TEST(FrmMenus, TheHiddenItemAndItsSeparatorCanBeShown) {
    FrmMenus host;
    QAction* separator = host.Item("MNU_Emergente_XV_Separador1");
    QAction* asiento = host.Item("MNU_Emergente_XV_VerAsiento");
    ASSERT_TRUE(separator && asiento);
    EXPECT_TRUE(separator->isSeparator());
    EXPECT_FALSE(separator->isVisible());
    EXPECT_FALSE(asiento->isVisible());
    EXPECT_TRUE(host.Item("MNU_Emergente_XV_Separador2")->isVisible());
    EXPECT_TRUE(host.Item("MNU_Emergente_XV_VerDetalle")->isVisible());
    separator->setVisible(true);
    asiento->setVisible(true);
    EXPECT_TRUE(asiento->isEnabled());
    EXPECT_EQ(host.Menu("MNU_Emergente_XV")->actions().indexOf(asiento), 2);
}

TEST(FrmMenus, ShowingAnUnknownMenuRaises) {
    ScriptedDialogs dialogs;
    FrmMenus host;
    EXPECT_EQ(RaisedNumber([&] { host.Mostrar("MNU_NoExiste", {}); }),
              rt::err::InvalidProcedureCall);
    EXPECT_TRUE(dialogs.shownMenus.empty());
    EXPECT_EQ(host.Menu("mnu_emergentexxv"), host.Menu("MNU_EmergenteXXV"));
    EXPECT_EQ(host.Item("nada"), nullptr);
}

// The real popup through the Qt dialogs: the call returns once the menu has closed, with the
// chosen item's handler already run.
class RealPopup : public ::testing::Test {
  protected:
    ui::QtDialogs qt;
    ui::ScopedDialogs installed{qt};
    FrmMenus host;

    // Runs script on the popup once it is up.
    static void OnPopup(std::function<void(QMenu&)> script) {
        QTimer::singleShot(0, [script = std::move(script)] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(popup) << "no popup menu is up";
            script(*popup);
        });
    }
};

TEST_F(RealPopup, ClickingAnItemRunsItsHandlerBeforeTheCallReturns) {
    QAction* depositar = host.Item("MNU_EmergenteXXV_Depositar");
    OnPopup([depositar](QMenu& popup) {
        EXPECT_EQ(popup.objectName(), "MNU_EmergenteXXV");
        QTest::mouseClick(&popup, Qt::LeftButton, {}, popup.actionGeometry(depositar).center());
    });
    EXPECT_EQ(host.Mostrar("MNU_EmergenteXXV", QPoint(50, 50)), depositar);
    EXPECT_EQ(host.PRespuesta, "Depositar");
    EXPECT_FALSE(host.Menu("MNU_EmergenteXXV")->isVisible());
}

TEST_F(RealPopup, AccessKeysChooseAndEscapeDismisses) {
    OnPopup([](QMenu& popup) { QTest::keyClick(&popup, Qt::Key_E); });
    EXPECT_EQ(host.Mostrar("MNU_EmergenteIV", QPoint(5, 5)), host.Item("MNU_EmergenteIV_Editar"));
    EXPECT_EQ(host.PRespuesta, "EditarSolicitud");

    OnPopup([](QMenu& popup) { QTest::keyClick(&popup, Qt::Key_Escape); });
    EXPECT_EQ(host.Mostrar("MNU_EmergenteXXV", QPoint(5, 5)), nullptr);
    EXPECT_EQ(host.PRespuesta, "EditarSolicitud");
}
