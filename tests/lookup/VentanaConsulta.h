#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "AnchosConsulta.h"
#include "DefaultDb.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "TempDir.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/ui/Twips.h"

namespace lookuptest {

// Scripted dialogs whose letters "X" are 7 pixels wide, whatever the font.
class Dialogos : public ScriptedDialogs {
  public:
    static constexpr int kAnchoX = 7;
    int TextWidth(const QFont&, const QString& text) const override {
        return static_cast<int>(text.count(QLatin1Char('X'))) * kAnchoX;
    }
};

// The width of a list column for a field of n letters "X", without a check box: the letters and
// the list's margins around a cell's text.
inline int Letras(int n) {
    return n * Dialogos::kAnchoX + lookup::ListaConsulta().MargenDeCelda(false);
}

// The widths text the width file keeps for columns so many pixels wide.
inline QByteArray AnchosGuardados(std::initializer_list<int> pixeles) {
    std::vector<double> twips;
    for (const int p : pixeles) {
        twips.push_back(ui::twips::FromPixels(p));
    }
    return lookup::TextoAnchos(twips).toUtf8();
}

// The texts of a collection's items, in order; none for nothing.
inline QStringList Textos(const rt::CollectionRef& coleccion) {
    QStringList textos;
    for (int i = 1; coleccion && i <= coleccion->Count(); ++i) {
        textos << coleccion->Item(i).ToText();
    }
    return textos;
}

// Replaces the text of a search box as the clerk types it.
inline void Escribir(QComboBox& caja, const QString& texto) {
    caja.setFocus();
    caja.lineEdit()->selectAll();
    if (texto.isEmpty()) {
        QTest::keyClick(&caja, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(&caja, texto);
    }
}

// A test of a lookup window against an SQLite file opened on the default database component,
// with the program's files in a data folder of its own. Both shared windows are released after
// each test.
class BaseDeConsultaTest : public ::testing::Test {
  protected:
    BaseDeConsultaTest() : on(base) {
        previoDatos_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", datos.Path().toUtf8());
        base.Exec(
            "CREATE TABLE TA_CONFIGURACION (CLAVE varchar(40), VALOR varchar(100), "
            "valoraux varchar(100))");
    }

    ~BaseDeConsultaTest() override {
        rt::DefaultInstance<lookup::Lib_FrmCons3>::Release();
        rt::DefaultInstance<lookup::Lib_FrmCons3Tree>::Release();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qputenv("XDG_DATA_HOME", previoDatos_);
        dbtest::DefaultOn::Get().gUsuario.clear();
    }

    void SetUp() override {
        ASSERT_EQ(ui::twips::PerPixel(), 15.0) << "the tests assume 96 dots per inch";
    }

    void Config(const QString& clave, const QString& valor) const {
        base.Exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                      .arg(clave, valor));
    }

    // A new window on a statement, given its fields and loaded by showing it.
    template <class Ventana>
    static Ventana& Mostrar(std::unique_ptr<Ventana>& ventana, const QString& sql,
                            const std::function<void(Ventana&)>& campos) {
        ventana = std::make_unique<Ventana>();
        ventana->SQL = sql;
        if (campos) {
            campos(*ventana);
        }
        ventana->show();
        return *ventana;
    }

    // Makes a window active, so that focus changes reach its controls.
    static void Activar(QWidget& ventana) {
        ventana.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    }

    TempDir datos;
    dbtest::SqliteDb base;
    dbtest::DefaultOn on;
    Dialogos dialogs;

  private:
    QByteArray previoDatos_;
};

// A test of the list window.
class VentanaTest : public BaseDeConsultaTest {
  protected:
    ~VentanaTest() override { ventana.reset(); }

    // A window on a statement, loaded by showing it.
    lookup::Lib_FrmCons3& Abrir(const QString& sql,
                                const std::function<void(lookup::Lib_FrmCons3&)>& campos = {}) {
        return Mostrar(ventana, sql, campos);
    }

    void Activar() const { BaseDeConsultaTest::Activar(*ventana); }

    lookup::ListaConsulta& Lista() const { return *ventana->ListView1(); }
    lookup::ModeloConsulta& Modelo() const { return ventana->ListView1()->Modelo(); }
    QHeaderView& Cabecera() const { return *ventana->ListView1()->header(); }

    // Every row's text in a column, in the shown order.
    QStringList Columna(int columna) const {
        QStringList textos;
        for (int fila = 0; fila < Modelo().Filas(); ++fila) {
            textos << Modelo().Texto(fila, columna);
        }
        return textos;
    }

    QString Kdx() const { return lookup::RutaAnchos(lookup::CarpetaPrograma()); }

    void EscribirKdx(const QByteArray& contenido) const {
        QDir().mkpath(lookup::CarpetaPrograma());
        QFile file(Kdx());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contenido);
    }

    QByteArray LeerKdx() const {
        QFile file(Kdx());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<lookup::Lib_FrmCons3> ventana;
};

}  // namespace lookuptest
