// The list window's search: positioning by typing, database searches with F5, sorting by a
// column, a new search, cancelling, and the search boxes' popup menu.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>

#include "BusquedaConsulta.h"
#include "Teclas.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

using rt::text::Trim;
using rt::text::TrimView;

const QColor kFondoConFoco(0, 255, 255);
const QColor kFondoSinFoco(255, 255, 255);

void PonerFondo(QComboBox& caja, const QColor& color) {
    QPalette paleta = caja.palette();
    paleta.setColor(QPalette::Base, color);
    caja.setPalette(paleta);
}

bool PasaALaLista(int codigo) {
    using namespace teclas;
    return codigo == kAbajo || codigo == kArriba || codigo == kAvPag || codigo == kRePag;
}

}  // namespace

int32_t Lib_FrmCons3::Busqueda(int32_t Clave, const QString& QueValor) {
    const QStringView valor = TrimView(QueValor);
    const ModeloConsulta& modelo = listView1_->Modelo();
    const int columna = Clave < 1 ? 0 : Clave;
    for (int fila = 0; fila < modelo.Filas(); ++fila) {
        itemActual_ = fila;
        if (modelo.EmpiezaCon(fila, columna, valor)) {
            return fila + 1;
        }
    }
    return 0;
}

int16_t Lib_FrmCons3::IndiceColumna(const QString& Columna) const {
    const QStringView buscada = TrimView(Columna);
    const QStringList& titulos = listView1_->Modelo().Titulos();
    for (qsizetype i = 0; i < titulos.size(); ++i) {
        if (TrimView(titulos[i]).compare(buscada, Qt::CaseInsensitive) == 0) {
            return static_cast<int16_t>(i + 1);
        }
    }
    return 0;
}

void Lib_FrmCons3::CmbSearch_GotFocus(int i) {
    cajaActual_ = static_cast<int16_t>(i);
    PonerFondo(*cajas_[static_cast<size_t>(i)], kFondoConFoco);
}

void Lib_FrmCons3::CmbSearch_LostFocus(int i) {
    PonerFondo(*cajas_[static_cast<size_t>(i)], kFondoSinFoco);
}

bool Lib_FrmCons3::CmbSearch_KeyDown(int i, int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode == teclas::kF5) {
        BusquedaEnBase(i);
        return true;
    }
    if (PasaALaLista(KeyCode)) {
        // The list's selection does not move with this key.
        rt::Steps steps = rt::Steps::IgnoreErrors();
        steps([this, KeyCode] {
            int codigo = KeyCode;
            ListView1_KeyDown(codigo, 0);
        });
        steps([this] { listView1_->setFocus(Qt::OtherFocusReason); });
        return true;
    }
    return false;
}

// Positions the list on the first row whose text in the box's column starts with the box's text.
void Lib_FrmCons3::CmbSearch_Change(int i) {
    rt::Steps::IgnoreErrors()([this, i] {
        const int32_t clave = Util().TextoAEntero(QString::number(i));
        const int32_t fila = Busqueda(clave, Trim(cajas_[static_cast<size_t>(i)]->currentText()));
        if (fila != 0) {
            listView1_->Seleccionar(fila - 1);
        }
    });
}

// F5: the box's text becomes a LIKE condition on its field, added to the statement of the
// latest load, and the window loads again.
void Lib_FrmCons3::BusquedaEnBase(int i) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    QComboBox* caja = cajas_[static_cast<size_t>(i)];
    const BusquedaArmada busqueda = ArmarBusqueda(SQL, sqlActual_, tags_[static_cast<size_t>(i)],
                                                  caja->currentText(), CfgUsaConsultaLIKE);
    ordenPor_ = busqueda.ordenPor;
    if (!CfgUsaConsultaLIKE) {
        steps([&] { caja->setEditText(busqueda.textoCaja); });
    }
    SQL = busqueda.sql;
    steps([caja] { caja->clearEditText(); });
    sqlActual_ = SQL;
    steps([this] { Form_Load(); });
}

void Lib_FrmCons3::Ordenar() {
    if (!ordenada_) {
        return;
    }
    const Qt::SortOrder orden = descendente_ ? Qt::DescendingOrder : Qt::AscendingOrder;
    listView1_->Modelo().Ordenar(claveOrden_, orden);
    listView1_->header()->setSortIndicatorShown(true);
    listView1_->header()->setSortIndicator(claveOrden_, orden);
}

// The order flips on every click, whichever column is clicked; the list stays sorted from then
// on.
void Lib_FrmCons3::ListView1_ColumnClick(int columna) {
    rt::Steps::IgnoreErrors()([this, columna] {
        ordenada_ = true;
        claveOrden_ = columna;
        descendente_ = !descendente_;
        Ordenar();
    });
}

void Lib_FrmCons3::CmdNueva_Click() {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    SQL = sqlInicial_;
    steps([this] { Form_Load(); });
    steps([this] { cajas_.front()->setFocus(Qt::OtherFocusReason); });
}

void Lib_FrmCons3::CmdCancelar_Click() {
    ValorDevuelto = QString();
    CmpsDevueltos.reset();
    Valores.reset();
    hide();
}

// A key typed on the list goes to the search box used last: its character is added (Backspace
// takes the last one off) and the box takes the focus, so the list is positioned.
void Lib_FrmCons3::EscribirEnCaja(int KeyCode) {
    QComboBox* caja = CmbSearch(cajaActual_);
    if (!caja) {
        return;
    }
    QString texto = caja->currentText();
    if (KeyCode == teclas::kRetroceso) {
        texto.chop(1);
    } else {
        texto += teclas::TextoDe(KeyCode);
    }
    caja->setEditText(texto);
    caja->setFocus(Qt::OtherFocusReason);
    caja->lineEdit()->deselect();
    caja->lineEdit()->end(false);
}

void Lib_FrmCons3::MostrarMenu(int i, const QPoint& posicionGlobal) {
    cajaDelMenu_ = i;
    ui::Dialogs::Current().PopupMenu(*mnuEmergente_, posicionGlobal);
}

// "Llenar Con Posibles Valores": the box's drop-down offers the distinct texts of its column.
void Lib_FrmCons3::MNU_Llena_Click() {
    rt::Steps::IgnoreErrors()([this] {
        QComboBox* caja = CmbSearch(cajaDelMenu_);
        if (!caja || cajaDelMenu_ >= listView1_->Modelo().Columnas()) {
            return;
        }
        const QStringList textos = listView1_->Modelo().TextosDistintos(cajaDelMenu_);
        const QString texto = caja->currentText();
        const QSignalBlocker bloqueo(caja);
        caja->clear();
        caja->addItems(textos);
        caja->setCurrentIndex(-1);
        caja->setEditText(texto);
    });
}

}  // namespace lookup
