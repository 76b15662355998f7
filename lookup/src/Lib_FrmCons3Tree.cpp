// The tree window's design, its controls and the events that reach its handlers.
#include "cheques/lookup/Lib_FrmCons3Tree.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

#include "ControlesConsulta.h"
#include "DisenoArbol.h"
#include "DisenoConsulta.h"
#include "ModeloArbol.h"
#include "Teclas.h"
#include "cheques/ui/Twips.h"

namespace lookup {

namespace {

using namespace diseno;
using namespace diseno::arbol;
using controles::Boton;
using controles::Hijo;
using ui::twips::ToPixels;

}  // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree() : QDialog(nullptr) {
    Disenar();
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::Disenar() {
    setObjectName(QStringLiteral("Lib_FrmCons3Tree"));
    setWindowTitle(QStringLiteral("Consulta..."));
    DisenarCampos();
    DisenarBotones();
    DisenarMenu();
    // The controls keep their places: the window keeps the size that holds them.
    const int ancho = std::max(picFields_->width(), frame1_->width()) + 2 * ToPixels(kMargen);
    const int alto = frame1_->y() + frame1_->height() + ToPixels(kMargen);
    frame1_->move((ancho - frame1_->width()) / 2, frame1_->y());
    picFields_->move((ancho - picFields_->width()) / 2, picFields_->y());
    setFixedSize(ancho, alto);
}

void Lib_FrmCons3Tree::DisenarCampos() {
    picFields_ = Hijo<QWidget>(this);
    picFields_->setObjectName(QStringLiteral("picFields"));
    picFields_->setGeometry(
        ui::twips::ToPixels(kMargen, kMargen, kAnchoCampos, kTopArbol + kAltoArbol));

    lblFieldName_ = Hijo<QLabel>(picFields_);
    lblFieldName_->setObjectName(QStringLiteral("lblFieldName"));
    lblFieldName_->setFont(QFont(QStringLiteral("Tahoma")));
    lblFieldName_->setGeometry(ui::twips::ToPixels(0, 0, kAnchoEtiqueta, kAltoEtiqueta));

    cmbSearch_ = Hijo<QComboBox>(picFields_);
    cmbSearch_->setObjectName(QStringLiteral("CmbSearch"));
    cmbSearch_->setProperty("Index", 0);
    controles::HacerEditable(*cmbSearch_);
    cmbSearch_->setInsertPolicy(QComboBox::NoInsert);
    cmbSearch_->setToolTip(controles::kTooltipBusqueda);
    cmbSearch_->setAccessibleName(controles::kNombreBusqueda);
    cmbSearch_->setGeometry(ui::twips::ToPixels(0, kTopCaja, kAnchoCampos, kAltoCaja));
    cmbSearch_->installEventFilter(this);
    connect(cmbSearch_, &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(); });
    connect(cmbSearch_, &QComboBox::textActivated, this, [this] { CmbSearch_Change(); });

    modelo_ = Hijo<ModeloArbol>(this);
    treeV_ = Hijo<QTreeView>(picFields_);
    treeV_->setObjectName(QStringLiteral("TreeV"));
    treeV_->setAccessibleName(controles::kNombreArbol);
    treeV_->setGeometry(ui::twips::ToPixels(0, kTopArbol, kAnchoCampos, kAltoArbol));
    treeV_->setModel(modelo_);
    treeV_->setHeaderHidden(true);
    treeV_->setRootIsDecorated(true);
    treeV_->setUniformRowHeights(true);
    treeV_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treeV_->setSelectionMode(QAbstractItemView::SingleSelection);
    treeV_->setExpandsOnDoubleClick(false);
    treeV_->installEventFilter(this);
    connect(modelo_, &ModeloArbol::NodoMarcado, this, [this](int nodo) { TreeV_NodeCheck(nodo); });
    treeV_->viewport()->installEventFilter(this);
    setTabOrder(cmbSearch_, treeV_);
}

void Lib_FrmCons3Tree::DisenarBotones() {
    frame1_ = Hijo<QFrame>(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    cmdNueva_ = Boton(frame1_, "CmdNueva", QStringLiteral("&Nueva Busqueda"));
    cmdCancelar_ = Boton(frame1_, "CmdCancelar", QStringLiteral("&Cancelar"));
    cmdAceptar_ = Boton(frame1_, "CmdAceptar", QStringLiteral("&Aceptar"));
    controles::ColocarBotones(*frame1_, {cmdNueva_, cmdCancelar_, cmdAceptar_});
    frame1_->move(0, picFields_->geometry().bottom() + 1 + ToPixels(kSeparacionMarco));
    cmdAceptar_->setDefault(true);
    connect(cmdNueva_, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
}

// Declared with the window; nothing in it opens the menu.
void Lib_FrmCons3Tree::DisenarMenu() {
    mnuEmergente_ = Hijo<QMenu>(this);
    mnuEmergente_->setObjectName(QStringLiteral("MNU_Emergente"));
    mnuEmergente_->addAction(QStringLiteral("Llenar Con Posibles Valores"))
        ->setObjectName(QStringLiteral("MNU_Llena"));
    mnuEmergente_->addSeparator()->setObjectName(QStringLiteral("MNU_Separador"));
    mnuEmergente_->addAction(QStringLiteral("Cancelar"))
        ->setObjectName(QStringLiteral("MNU_Cancelar"));
}

void Lib_FrmCons3Tree::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (cargada_ || event->spontaneous()) {
        return;
    }
    cargada_ = true;
    Form_Load();
    controles::Centrar(*this);
    cmbSearch_->setFocus(Qt::OtherFocusReason);
}

void Lib_FrmCons3Tree::reject() {
    CmdCancelar_Click();
}

// Space ticks the selected node when nodes carry check boxes.
bool Lib_FrmCons3Tree::TreeV_KeyDown(int KeyCode) {
    if (KeyCode != teclas::kEspacio || !CheckBoxes) {
        return false;
    }
    const QModelIndex actual = treeV_->currentIndex();
    if (actual.isValid()) {
        const bool marcado = modelo_->Marcado(modelo_->NodoDe(actual));
        modelo_->setData(actual, marcado ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    return true;
}

// A double click on a node chooses, as Aceptar does.
bool Lib_FrmCons3Tree::TreeV_DblClick(const QMouseEvent& event) {
    if (!treeV_->indexAt(event.position().toPoint()).isValid()) {
        return false;
    }
    CmdAceptar_Click();
    return true;
}

bool Lib_FrmCons3Tree::eventFilter(QObject* watched, QEvent* event) {
    if (watched == treeV_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        return TreeV_DblClick(*static_cast<QMouseEvent*>(event));
    }
    if (event->type() == QEvent::KeyPress) {
        const teclas::Tecla tecla = teclas::DeEvento(*static_cast<QKeyEvent*>(event));
        if (watched == cmbSearch_) {
            return CmbSearch_KeyDown(tecla.codigo);
        }
        if (watched == treeV_) {
            return TreeV_KeyDown(tecla.codigo);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lookup
