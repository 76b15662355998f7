#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <functional>

#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/PedidoDeAcceso.h"
#include "cheques/db/frmAcceso.h"
#include "cheques/ui/Twips.h"

namespace {

using ui::twips::ToPixels;

// ---- Design ----

struct Control {
    const char* nombre;
    QRect twips;
};

TEST(frmAcceso, EveryControlWhereItWasDesigned) {
    ScriptedDialogs dialogs;
    db::frmAcceso dialogo;
    EXPECT_EQ(dialogo.windowTitle(), "Control de Acceso");
    const QSize cliente(ToPixels(5850), ToPixels(2820));
    EXPECT_EQ(dialogo.size(), cliente);
    EXPECT_EQ(dialogo.minimumSize(), cliente);
    EXPECT_EQ(dialogo.maximumSize(), cliente);

    const Control controles[] = {
        {"framAcceso", {0, 0, 5775, 2340}},          {"lbUsuario", {240, 360, 1455, 255}},
        {"TxtUserId", {1920, 240, 3735, 345}},       {"lbcontrasena", {240, 720, 1452, 252}},
        {"TxtUserPassword", {1920, 600, 3735, 345}}, {"Label1", {240, 1200, 1695, 255}},
        {"TxtDbName", {1920, 1080, 3735, 345}},      {"Label2", {240, 1560, 1455, 255}},
        {"TxtServidor", {1920, 1440, 3735, 345}},    {"CboPlataformaDB", {1905, 1890, 3765, 315}},
        {"bcAceptar", {1440, 2415, 1350, 375}},      {"bcCancelar", {3000, 2415, 1332, 372}},
    };
    for (const Control& c : controles) {
        auto* w = dialogo.findChild<QWidget*>(QLatin1String(c.nombre));
        ASSERT_NE(w, nullptr) << c.nombre;
        const QRect t = c.twips;
        EXPECT_EQ(w->geometry(), ToPixels(t.x(), t.y(), t.width(), t.height())) << c.nombre;
    }
    // The boxes and labels live in the frame; the buttons below it.
    EXPECT_EQ(dialogo.TxtServidor()->parentWidget(), dialogo.framAcceso());
    EXPECT_EQ(dialogo.bcAceptar()->parentWidget(), &dialogo);
    EXPECT_TRUE(dialogo.framAcceso()->title().isEmpty());
}

TEST(frmAcceso, LabelsWithAccessKeysOnTheirBoxesAndFonts) {
    ScriptedDialogs dialogs;
    db::frmAcceso dialogo;
    struct Etiqueta {
        QLabel* label;
        const char* texto;
        QLineEdit* caja;
    };
    const Etiqueta etiquetas[] = {
        {dialogo.lbUsuario(), "&Usuario", dialogo.TxtUserId()},
        {dialogo.lbcontrasena(), "&Contraseña", dialogo.TxtUserPassword()},
        {dialogo.Label1(), "&Base de Datos", dialogo.TxtDbName()},
        {dialogo.Label2(), "&Servidor", dialogo.TxtServidor()},
    };
    for (const Etiqueta& e : etiquetas) {
        EXPECT_EQ(e.label->text(), QString::fromUtf8(e.texto));
        EXPECT_EQ(e.label->buddy(), e.caja) << e.texto;
        EXPECT_EQ(e.label->font().family(), "Courier") << e.texto;
        EXPECT_DOUBLE_EQ(e.label->font().pointSizeF(), 9.75) << e.texto;
        EXPECT_EQ(e.caja->font().family(), "MS Sans Serif") << e.texto;
        EXPECT_DOUBLE_EQ(e.caja->font().pointSizeF(), 9.75) << e.texto;
    }
    EXPECT_EQ(dialogo.bcAceptar()->text(), "Aceptar");
    EXPECT_EQ(dialogo.bcCancelar()->text(), "Cancelar");
    EXPECT_TRUE(dialogo.bcAceptar()->isDefault());
    EXPECT_FALSE(dialogo.bcCancelar()->isDefault());
    QComboBox* combo = dialogo.CboPlataformaDB();
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "SQL Server");
    EXPECT_EQ(combo->itemText(1), "ORACLE");
    EXPECT_FALSE(combo->isEditable());
    EXPECT_FALSE(dialogo.Aceptar);
}

TEST(frmAcceso, ThePasswordShowsOnlyStars) {
    ScriptedDialogs dialogs;
    db::frmAcceso dialogo;
    QLineEdit* caja = dialogo.TxtUserPassword();
    dialogo.show();
    QTest::keyClicks(caja, QStringLiteral("s3cret"));
    EXPECT_EQ(caja->text(), "s3cret");
    EXPECT_EQ(caja->echoMode(), QLineEdit::Password);
    EXPECT_EQ(caja->displayText(), "******");
    EXPECT_EQ(caja->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, caja), '*');
    EXPECT_EQ(dialogo.TxtUserId()->echoMode(), QLineEdit::Normal);
}

TEST(frmAcceso, TabOrderFollowsTheDesign) {
    ScriptedDialogs dialogs;
    db::frmAcceso dialogo;
    QStringList orden;
    QWidget* w = dialogo.TxtUserId();
    do {
        if (w->focusPolicy() & Qt::TabFocus) {
            orden << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != dialogo.TxtUserId() && orden.size() < 20);
    const QStringList esperado{"TxtUserId",       "TxtUserPassword", "TxtDbName", "TxtServidor",
                               "CboPlataformaDB", "bcAceptar",       "bcCancelar"};
    EXPECT_EQ(orden, esperado);
}

TEST(frmAcceso, CentredOnTheScreen) {
    const QSize pantallas[] = {{1280, 1024}, {1921, 1081}, {800, 600}, {300, 200}};
    for (const QSize& pantalla : pantallas) {
        ScriptedDialogs dialogs;
        dialogs.screen = pantalla;
        db::frmAcceso dialogo;
        const QRect g = dialogo.geometry();
        EXPECT_LE(std::abs(2 * g.x() + g.width() - pantalla.width()), 1) << pantalla.width();
        EXPECT_LE(std::abs(2 * g.y() + g.height() - pantalla.height()), 1) << pantalla.height();
    }
}

// ---- Answers ----

TEST(frmAcceso, PedirShowsTheParametersAndReturnsWhatWasAccepted) {
    ScriptedDialogs dialogs;
    QString visto;
    dialogs.OnModal([&](QWidget& w) {
        auto& d = dynamic_cast<db::frmAcceso&>(w);
        visto = d.TxtUserId()->text() + '|' + d.TxtUserPassword()->text() + '|' +
                d.TxtDbName()->text() + '|' + d.TxtServidor()->text() + '|' +
                d.CboPlataformaDB()->currentText();
        d.TxtServidor()->setText(QStringLiteral("otro"));
        d.CboPlataformaDB()->setCurrentIndex(0);
        QTest::mouseClick(d.bcAceptar(), Qt::LeftButton);
    });
    const auto respuesta = db::frmAcceso::Pedir({"sa", "clave", "ORCL", "srv", true});
    EXPECT_EQ(visto, "sa|clave|ORCL|srv|ORACLE");
    ASSERT_TRUE(respuesta.has_value());
    EXPECT_EQ(*respuesta, (db::ParametrosAcceso{"sa", "clave", "ORCL", "otro", false}));
    EXPECT_EQ(dialogs.modalCount, 1);
}

TEST(frmAcceso, PedirCancelledGivesNothing) {
    ScriptedDialogs dialogs;
    dialogs.OnModal([](QWidget& w) {
        QTest::keyClick(dynamic_cast<db::frmAcceso&>(w).TxtUserId(), Qt::Key_Escape);
    });
    EXPECT_FALSE(db::frmAcceso::Pedir({}).has_value());
}

// Opens a ready embedded database through the dialog, running `script` on it, and tells
// whether the user accepted.
struct Apertura {
    dbtest::SqliteDb base;
    db::DB_Dll component;
    ScriptedDialogs dialogs;
    const db::PedidoDeAcceso pedido{db::frmAcceso::Pedir};

    Apertura() {
        component.gProveedor = QStringLiteral("SQLite");
        component.gExtended = QStringLiteral("Data Source=") + base.Path();
        component.gServidor = QStringLiteral("srv");
        component.gDbName = QStringLiteral("ventas");
        component.gUsuario = QStringLiteral("sa");
        component.gUserPassWord = QStringLiteral("viejo");
    }

    void Abrir(std::function<void(db::frmAcceso&)> script) {
        dialogs.OnModal([script](QWidget& w) {
            auto* dialogo = qobject_cast<db::frmAcceso*>(&w);
            ASSERT_NE(dialogo, nullptr);
            EXPECT_TRUE(dialogo->isVisible());
            script(*dialogo);
        });
        component.OpenServerADODB(true, ado::adUseClient, {}, false);
    }
};

void Escribe(QLineEdit* caja, const QString& texto) {
    caja->selectAll();
    QTest::keyClick(caja, Qt::Key_Delete);
    QTest::keyClicks(caja, texto);
}

TEST(frmAcceso, TypedValuesReachTheSettings) {
    Apertura a;
    a.Abrir([](db::frmAcceso& d) {
        Escribe(d.TxtUserId(), QStringLiteral("ana"));
        Escribe(d.TxtUserPassword(), QStringLiteral("n;ueva"));
        Escribe(d.TxtDbName(), QStringLiteral("stock"));
        Escribe(d.TxtServidor(), QStringLiteral("otro"));
        QTest::mouseClick(d.bcAceptar(), Qt::LeftButton);
    });
    EXPECT_EQ(a.component.gUsuario, "ana");
    EXPECT_EQ(a.component.gUserPassWord, "n;ueva");
    EXPECT_EQ(a.component.gDbName, "stock");
    EXPECT_EQ(a.component.gServidor, "otro");
    EXPECT_EQ(a.component.gProveedor, "SQLite");
    EXPECT_TRUE(a.component.gOpenFlag);
    EXPECT_EQ(a.component.gConnString,
              "PROVIDER=SQLite;Server=otro;Database =stock;UId=ana;Pwd=\"n;ueva\";" +
                  a.component.gExtended);
    EXPECT_EQ(a.component.gCnn()->State(), ado::adStateOpen);
    EXPECT_EQ(a.dialogs.modalCount, 1);
}

TEST(frmAcceso, EnterAccepts) {
    Apertura a;
    a.Abrir([](db::frmAcceso& d) {
        Escribe(d.TxtServidor(), QStringLiteral("por enter"));
        QTest::keyClick(d.TxtServidor(), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(d.Aceptar);
    });
    EXPECT_EQ(a.component.gServidor, "por enter");
    EXPECT_TRUE(a.component.gOpenFlag);
}

TEST(frmAcceso, EscapeClosingAndCancelarAllCancel) {
    const std::function<void(db::frmAcceso&)> maneras[] = {
        [](db::frmAcceso& d) { QTest::keyClick(d.TxtUserId(), Qt::Key_Escape); },
        [](db::frmAcceso& d) { d.close(); },
        [](db::frmAcceso& d) { QTest::mouseClick(d.bcCancelar(), Qt::LeftButton); },
    };
    for (const auto& cancelar : maneras) {
        Apertura a;
        a.Abrir([&cancelar](db::frmAcceso& d) {
            Escribe(d.TxtUserId(), QStringLiteral("ana"));
            d.CboPlataformaDB()->setCurrentIndex(1);
            cancelar(d);
            EXPECT_FALSE(d.isVisible());
            EXPECT_FALSE(d.Aceptar);
        });
        EXPECT_FALSE(a.component.gOpenFlag);
        EXPECT_EQ(a.component.gUsuario, "sa");
        EXPECT_EQ(a.component.gProveedor, "SQLite");
        EXPECT_EQ(a.component.gCnn()->State(), ado::adStateClosed);
        EXPECT_TRUE(a.dialogs.boxes.empty());
    }
}

TEST(frmAcceso, ItStartsWithTheSettingsAndSqlServerAndIsGoneAfterwards) {
    Apertura a;
    a.component.gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    QString visto;
    a.Abrir([&](db::frmAcceso& d) {
        visto = d.TxtUserId()->text() + '|' + d.TxtUserPassword()->text() + '|' +
                d.TxtDbName()->text() + '|' + d.TxtServidor()->text() + '|' +
                d.CboPlataformaDB()->currentText();
        QTest::keyClick(d.TxtUserId(), Qt::Key_Escape);
    });
    EXPECT_EQ(visto, "sa|viejo|ventas|srv|SQL Server");
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<db::frmAcceso*>(w), nullptr);
    }
}

}  // namespace
