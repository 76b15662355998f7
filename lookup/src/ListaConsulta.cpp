#include "cheques/lookup/ListaConsulta.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <memory>

#include "Teclas.h"
#include "cheques/lookup/ModeloConsulta.h"

namespace lookup {

namespace {

constexpr int kMargenFila = 4;  // pixels of a row beyond its text

bool EsDeNavegacion(int codigo) {
    using namespace teclas;
    return codigo == kArriba || codigo == kAbajo || codigo == kRePag || codigo == kAvPag ||
           codigo == kInicio || codigo == kFin || codigo == kIzquierda || codigo == kDerecha;
}

}  // namespace

ListaConsulta::ListaConsulta(QWidget* parent)
    : QTableView(parent), modelo_(std::make_unique<ModeloConsulta>(this).release()) {
    setModel(modelo_);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    QHeaderView* filas = verticalHeader();
    filas->hide();
    filas->setSectionResizeMode(QHeaderView::Fixed);
    filas->setDefaultSectionSize(fontMetrics().height() + kMargenFila);
    QHeaderView* titulos = horizontalHeader();
    titulos->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titulos->setHighlightSections(false);
    titulos->setStretchLastSection(false);
    titulos->setSectionsClickable(true);
    titulos->setSectionsMovable(false);
    titulos->setSortIndicatorShown(false);
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

int ListaConsulta::MargenDeCelda(bool conCasilla) const {
    // The item delegate keeps this margin on each side of a text, and of a check box, and lays a
    // text out a pixel wider than its rounded width.
    const int margen = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int casilla =
        conCasilla ? style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + 2 * margen
                   : 0;
    return 2 * margen + casilla + 1;
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
        QTableView::keyPressEvent(event);
        return;
    }
    if (tecla.codigo == teclas::kEscape || tecla.codigo == teclas::kNinguna) {
        event->ignore();  // the window's cancel button, or whoever wants it
        return;
    }
    event->accept();
}

void ListaConsulta::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void ListaConsulta::keyboardSearch(const QString& search) {
    Q_UNUSED(search);
}

QModelIndex ListaConsulta::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    if (cursorAction == MoveHome || cursorAction == MoveEnd) {
        modifiers |= Qt::ControlModifier;
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

}  // namespace lookup
