// The tree window's search: finding a node by typing, database searches with F5, a new search
// and cancelling.
#include <QComboBox>
#include <QTreeView>

#include "BusquedaConsulta.h"
#include "ModeloArbol.h"
#include "Teclas.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/runtime/Steps.h"

namespace lookup {

namespace {

// The field F5 searches.
const QString kCampoBuscado = QStringLiteral("Descripcion");

bool PasaAlArbol(int codigo) {
    using namespace teclas;
    return codigo == kAbajo || codigo == kArriba || codigo == kAvPag || codigo == kRePag;
}

}  // namespace

void Lib_FrmCons3Tree::Seleccionar(int nodo) {
    const QModelIndex indice = modelo_->Indice(nodo);
    treeV_->setCurrentIndex(indice);
    treeV_->scrollTo(indice);
}

// Selects the first node whose code or description starts with the box's text; the root,
// "Consulta...", comes first.
void Lib_FrmCons3Tree::CmbSearch_Change() {
    rt::Steps::IgnoreErrors()([this] {
        const int nodo = modelo_->Buscar(cmbSearch_->currentText());
        if (nodo != ModeloArbol::kNinguno) {
            Seleccionar(nodo);
        }
    });
}

bool Lib_FrmCons3Tree::CmbSearch_KeyDown(int KeyCode) {
    if (KeyCode == teclas::kF5) {
        BusquedaEnBase();
        return true;
    }
    if (PasaAlArbol(KeyCode)) {
        rt::Steps::IgnoreErrors()([this] { treeV_->setFocus(Qt::OtherFocusReason); });
        return true;
    }
    return false;
}

// F5: the box's text becomes a condition on the description, added to the statement before its
// ordering, and the window loads again. Conditions add up from one F5 to the next.
void Lib_FrmCons3Tree::BusquedaEnBase() {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    sqlOrden_.clear();
    tag_ = kCampoBuscado;
    const BusquedaArmada busqueda = ArmarBusquedaArbol(SQL, tag_, cmbSearch_->currentText());
    sqlOrden_ = busqueda.ordenPor;
    SQL = busqueda.sql;
    steps([this] { cmbSearch_->clearEditText(); });
    sqlBase_ = SQL;
    steps([this] { Form_Load(); });
}

void Lib_FrmCons3Tree::CmdNueva_Click() {
    rt::Steps::IgnoreErrors()([this] { ArmarTreeVAutomatico(); });
}

void Lib_FrmCons3Tree::CmdCancelar_Click() {
    ValorDevuelto = QString();
    CmpsDevueltos.reset();
    Valores.reset();
    hide();
}

}  // namespace lookup
