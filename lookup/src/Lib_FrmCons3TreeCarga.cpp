// The tree window's load: the statement's rows as an outline whose depth follows the codes'
// lengths.
#include <QComboBox>
#include <QScopeGuard>
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
    std::vector<std::vector<rt::Variant>> filas;
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
    bool vacio = false;
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
            filas = rs.GetRows(rs.RecordCount());
        });
    if (rs.State() != ado::adStateClosed) {
        rt::Steps::IgnoreErrors()([&db, &rs] { db.CierraRecordset(rs); });
    }
    if (!leidas || filas.empty()) {
        return;
    }
    const size_t cuantas = filas.front().size();
    modelo_->Reservar(static_cast<int>(cuantas) + 1);
    // One step for every row, made once: a step made per row would be allocated per row.
    size_t fila = 0;
    const std::function<void()> agregar = [&] {
        const QString codigo = Codigo(filas[0][fila]);
        const QString descripcion =
            filas.size() > 1 ? Util().CampoATexto(filas[1][fila]) : QString();
        const QString clave = kClaveRaiz + codigo;
        const int padre = modelo_->PadreSegunLargo(actual, clave.size());
        actual = modelo_->Agregar(padre, clave, codigo + kSeparador + descripcion);
    };
    for (; fila < cuantas; ++fila) {
        // A row that cannot be added is passed over: the outline goes on from the node before it.
        if (!steps(agregar)) {
            return;
        }
    }
}

}  // namespace lookup
