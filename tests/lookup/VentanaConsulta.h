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

#include "AnchosConsulta.h"
#include "DefaultDb.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "TempDir.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/ListaConsulta.h"
#include "lookup/ModeloConsulta.h"
#include "runtime/DefaultInstance.h"
#include "ui/Twips.h"

namespace lookuptest {

// Scripted dialogs whose letters "X" are 7 pixels wide, whatever the font.
class Dialogos : public ScriptedDialogs {
  public:
    static constexpr int kAnchoX = 7;
    int TextWidth(const QFont&, const QString& text) const override {
        return static_cast<int>(text.count(QLatin1Char('X'))) * kAnchoX;
    }
};

// A test of the list window against an SQLite file opened on the default database component,
// with the width file in a folder of its own.
class VentanaTest : public ::testing::Test {
  protected:
    VentanaTest() : on(base) {
        previoDatos_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", datos.Path().toUtf8());
        base.Exec(
            "CREATE TABLE TA_CONFIGURACION (CLAVE varchar(40), VALOR varchar(100), "
            "valoraux varchar(100))");
    }

    ~VentanaTest() override {
        ventana.reset();
        rt::DefaultInstance<lookup::Lib_FrmCons3>::Release();
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

    // A window on a statement, loaded by showing it.
    lookup::Lib_FrmCons3& Abrir(const QString& sql,
                                const std::function<void(lookup::Lib_FrmCons3&)>& campos = {}) {
        ventana = std::make_unique<lookup::Lib_FrmCons3>();
        ventana->SQL = sql;
        if (campos) {
            campos(*ventana);
        }
        ventana->show();
        return *ventana;
    }

    // Makes the window active, so that focus changes reach its controls.
    void Activar() const {
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
    }

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

    TempDir datos;
    dbtest::SqliteDb base;
    dbtest::DefaultOn on;
    Dialogos dialogs;
    std::unique_ptr<lookup::Lib_FrmCons3> ventana;

  private:
    QByteArray previoDatos_;
};

}  // namespace lookuptest
