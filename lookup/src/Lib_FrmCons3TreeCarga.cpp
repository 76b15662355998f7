// The tree window's load: the statement's rows as an outline whose depth follows the codes'
// lengths.
#include <QComboBox>
#include <QScopeGuard>
#include <QStringBuilder>
#include <QTreeView>
#include <functional>

#include "ModeloArbol.h"
#include "cheques/ado/Enums.h"
#include "cheques/ado/Recordset.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/Steps.h"
#include "cheques/vexilo/Manejador.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

const QString kClaveRaiz = QStringLiteral("A");  // also the start of every node's key
const QString kTextoRaiz = QStringLiteral("Consulta...");
const QString kSeparador = QStringLiteral(" - ");

// The window shares the configuration reader's utility object.
vexilo::VexUtil& Util() {
    return rt::DefaultInstance<vexilo::VexUtil>::Get();
}

// A row's code: its first field as text; a null code has no text.
QString Codigo(const rt::Variant& valor) {
    if (valor.IsNull()) {
        rt::RuntimeError::Raise(rt::err::InvalidUseOfNull);
    }
    return Util().CampoATexto(valor);
}

// Adds the recordset's rows, from the current one to the last, as nodes after actual (the node
// added last), which follows them.
void AgregarFilas(ModeloArbol& modelo, ado::Recordset& rs, rt::Steps& steps, int& actual) {
    modelo.Reservar(rs.RecordCount() + 1);
    const ado::Fields& campos = rs.Fields();
    const ado::Field& campoCodigo = campos[0];
    const ado::Field* campoDescripcion = campos.Count() > 1 ? &campos[1] : nullptr;
    // One step for every row, made once: a step made per row would be allocated per row.
    const std::function<void()> agregar = [&] {
        const QString codigo = Codigo(campoCodigo.Value());
        const QString descripcion =
            campoDescripcion != nullptr ? Util().CampoATexto(campoDescripcion->Value()) : QString();
        // Each text made in one piece, at its final length (a builder of two QStrings alone
        // would copy the first and append the second).
        QString clave = QStringView(kClaveRaiz) % codigo;
        const int padre = modelo.PadreSegunLargo(actual, clave.size());
        actual = modelo.Agregar(padre, std::move(clave), codigo % kSeparador % descripcion);
    };
    // A row that cannot be added is passed over: the outline goes on from the node before it.
    for (; !rs.Eof(); rs.MoveNext()) {
        if (!steps(agregar)) {
            return;
        }
    }
}

}  // namespace

void Lib_FrmCons3Tree::Form_Load() {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("FORM_LOAD")));
    steps([this] { Valores = rt::NewCollection(); }) && steps([this] {
        modelo_->Vaciar();
        modelo_->PonerCasillas(CheckBoxes);
    }) &&
        steps([this] { sqlBase_ = SQL; }) && steps([this] { ArmarTreeVAutomatico(); });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("ArmarTreeVAutomatico")));
    db::DB_Dll& db = db::DB_Dll::Default();
    ado::Recordset rs;
    int actual = ModeloArbol::kNinguno;
    // The view sees the nodes once they are all in, with the root open and selected.
    const auto alTerminar = qScopeGuard([this, &actual] {
        modelo_->TerminarCarga();
        if (actual != ModeloArbol::kNinguno) {
            const QModelIndex raiz = modelo_->Indice(0);
            treeV_->expand(raiz);
            treeV_->setCurrentIndex(raiz);
        }
    });
    // The rows are read where the recordset holds them, without a copy of them all first.
    const auto alCerrar = qScopeGuard([&db, &rs] {
        if (rs.State() != ado::adStateClosed) {
            rt::Steps::IgnoreErrors()([&db, &rs] { db.CierraRecordset(rs); });
        }
    });
    bool vacio = false;
    int32_t filas = 0;  // known once the recordset is on its first row
    const bool leidas =
        steps([this] { modelo_->ComenzarCarga(); }) && steps([this, &actual] {
            actual = modelo_->Agregar(ModeloArbol::kNinguno, kClaveRaiz, kTextoRaiz);
        }) &&
        steps([this, &db, &rs] {
            db.AbrirRecordset(SQL, rs, db.gCnn(), ado::adOpenDynamic, ado::adLockReadOnly,
                              ado::adCmdUnspecified, true);
        }) &&
        steps([&rs, &vacio] { vacio = rs.Bof() && rs.Eof(); }) && !vacio && steps([&rs, &filas] {
            rs.MoveFirst();
            rs.MoveLast();
            rs.MoveFirst();
            filas = rs.RecordCount();
        });
    if (leidas && filas > 0) {
        AgregarFilas(*modelo_, rs, steps, actual);
    }
}

}  // namespace lookup
