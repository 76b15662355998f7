#pragma once

#include <QTreeView>

#include "ModeloArbol.h"
#include "VentanaConsulta.h"

namespace lookuptest {

// The outline of a tree window written out: each node by its code (the root as "A"), its
// children in brackets after it, e.g. "A[1[11 12] 2]".
inline QString Esquema(const lookup::ModeloArbol& modelo, int nodo = 0) {
    if (modelo.Nodos() == 0) {
        return {};
    }
    QString texto = nodo == 0 ? modelo.Clave(nodo) : modelo.Clave(nodo).mid(1);
    const std::vector<int>& hijos = modelo.Hijos(nodo);
    if (hijos.empty()) {
        return texto;
    }
    QStringList partes;
    for (const int hijo : hijos) {
        partes << Esquema(modelo, hijo);
    }
    return texto + QLatin1Char('[') + partes.join(QLatin1Char(' ')) + QLatin1Char(']');
}

// A test of the tree window on families, positions and cost centres kept in an SQLite file. The
// rows of the table ARBOL come in the order of ORDEN, so that a test may give any outline.
class ArbolTest : public BaseDeConsultaTest {
  protected:
    ArbolTest() {
        base.Exec("CREATE TABLE ARBOL (ORDEN int, CODIGO varchar(10), DESCRIPCION varchar(40))");
        base.Exec("CREATE TABLE TA_FAMILIAS (IDFAMILIA varchar(10), DESCRIPCION varchar(40))");
        base.Exec("CREATE VIEW V_TA_FAMILIAS AS SELECT * FROM TA_FAMILIAS");
        // A clerk reads the families through their synonym.
        base.Exec("CREATE VIEW SS_V_TA_FAMILIAS AS SELECT * FROM TA_FAMILIAS");
        base.Exec("CREATE TABLE MA_POSICIONES (IDPOSICION varchar(10), DESCRIPCION varchar(40))");
        base.Exec("CREATE TABLE TA_CCOSTO (CODIGO varchar(10), DESCRIPCION varchar(40))");
    }

    ~ArbolTest() override { ventana.reset(); }

    // Rows of ARBOL after those it holds: code (a null QString for NULL) and description.
    void Filas(const std::vector<std::pair<QString, QString>>& filas) const {
        int orden = base.Scalar("SELECT COUNT(*) FROM ARBOL").ToLong();
        for (const auto& [codigo, descripcion] : filas) {
            base.Exec(QStringLiteral("INSERT INTO ARBOL VALUES (%1, %2, '%3')")
                          .arg(++orden)
                          .arg(codigo.isNull() ? QStringLiteral("NULL")
                                               : QLatin1Char('\'') + codigo + QLatin1Char('\''),
                               QString(descripcion).replace(QLatin1Char('\''), "''")));
        }
    }

    // Rows of ARBOL by their codes alone, described as "Nodo <code>".
    void Codigos(const QStringList& codigos) const {
        std::vector<std::pair<QString, QString>> filas;
        for (const QString& codigo : codigos) {
            filas.emplace_back(codigo, QStringLiteral("Nodo ") + codigo);
        }
        Filas(filas);
    }

    static QString SentenciaArbol() {
        return QStringLiteral("SELECT CODIGO, DESCRIPCION FROM ARBOL ORDER BY ORDEN");
    }

    // A window on a statement, loaded by showing it.
    lookup::Lib_FrmCons3Tree& Abrir(
        const QString& sql, const std::function<void(lookup::Lib_FrmCons3Tree&)>& campos = {}) {
        return Mostrar(ventana, sql, campos);
    }

    void Activar() const { BaseDeConsultaTest::Activar(*ventana); }

    lookup::ModeloArbol& Modelo() const { return ventana->Nodos(); }
    QTreeView& Arbol() const { return *ventana->TreeV(); }

    // The node of a code ("" for the root).
    int Nodo(const QString& codigo) const {
        for (int nodo = 0; nodo < Modelo().Nodos(); ++nodo) {
            if (Modelo().Clave(nodo) == QLatin1Char('A') + codigo) {
                return nodo;
            }
        }
        ADD_FAILURE() << "no node for " << codigo.toStdString();
        return 0;
    }

    // The text of the selected node.
    QString Seleccionado() const {
        const int nodo = Modelo().NodoDe(Arbol().currentIndex());
        return nodo == lookup::ModeloArbol::kNinguno ? QString() : Modelo().Texto(nodo);
    }

    // The codes of the ticked nodes, in order.
    QStringList Marcados() const {
        QStringList codigos;
        for (int nodo = 0; nodo < Modelo().Nodos(); ++nodo) {
            if (Modelo().Marcado(nodo)) {
                codigos << Modelo().Clave(nodo).mid(1);
            }
        }
        return codigos;
    }

    void Escribir(const QString& texto) const {
        lookuptest::Escribir(*ventana->CmbSearch(), texto);
    }

    std::unique_ptr<lookup::Lib_FrmCons3Tree> ventana;
};

}  // namespace lookuptest
