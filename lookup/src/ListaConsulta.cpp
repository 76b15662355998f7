#include "lookup/ListaConsulta.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <memory>

#include "Teclas.h"
#include "lookup/ModeloConsulta.h"

namespace lookup {

namespace {

bool EsDeNavegacion(int codigo) {
    using namespace teclas;
    return codigo == kArriba || codigo == kAbajo || codigo == kRePag || codigo == kAvPag ||
           codigo == kInicio || codigo == kFin || codigo == kIzquierda || codigo == kDerecha;
}

}  // namespace

ListaConsulta::ListaConsulta(QWidget* parent)
    : QTreeView(parent), modelo_(std::make_unique<ModeloConsulta>(this).release()) {
    setModel(modelo_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setSortIndicatorShown(false);
}

ListaConsulta::~ListaConsulta() = default;

int ListaConsulta::FilaSeleccionada() const {
    const QModelIndexList filas = selectionModel()->selectedRows();
    return filas.isEmpty() ? -1 : filas.front().row();
}

void ListaConsulta::Seleccionar(int fila) {
    if (fila < 0 || fila >= modelo_->Filas()) {
        return;
    }
    const QModelIndex indice = modelo_->index(fila, 0);
    selectionModel()->setCurrentIndex(
        indice, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(indice);
}

void ListaConsulta::AlternarMarca() {
    const int fila = FilaSeleccionada();
    if (fila >= 0) {
        modelo_->Marcar(fila, !modelo_->Marcada(fila));
    }
}

void ListaConsulta::keyPressEvent(QKeyEvent* event) {
    const teclas::Tecla tecla = teclas::DeEvento(*event);
    int codigo = tecla.codigo;
    emit KeyDown(codigo, tecla.shift);
    if (codigo == teclas::kNinguna && tecla.codigo != teclas::kNinguna) {
        event->accept();
        return;
    }
    if (tecla.codigo == teclas::kEspacio && modelo_->Casillas()) {
        AlternarMarca();
        event->accept();
        return;
    }
    if (EsDeNavegacion(tecla.codigo) || tecla.codigo == teclas::kTabulador) {
        QTreeView::keyPressEvent(event);
        return;
    }
    if (tecla.codigo == teclas::kEscape || tecla.codigo == teclas::kNinguna) {
        event->ignore();  // the window's cancel button, or whoever wants it
        return;
    }
    event->accept();
}

void ListaConsulta::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void ListaConsulta::keyboardSearch(const QString& search) {
    Q_UNUSED(search);
}

}  // namespace lookup
