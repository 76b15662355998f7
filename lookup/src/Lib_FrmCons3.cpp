// The list window's design, its controls and the events that reach its handlers.
#include "cheques/lookup/Lib_FrmCons3.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include "ControlesConsulta.h"
#include "DisenoConsulta.h"
#include "Teclas.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/ui/Twips.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

using namespace diseno;
using controles::Boton;
using controles::ColocarBotones;
using controles::Hijo;
using controles::kTooltipBusqueda;
using ui::twips::ToPixels;

constexpr int kTextosVisibles = 20;  // rows of a search box's drop-down list

}  // namespace

Lib_FrmCons3::Lib_FrmCons3() : QDialog(nullptr) {
    Disenar();
}

// Hidden while its parts are alive: hiding takes the focus from a search box, whose handlers may
// still answer (a text its list holds in other letters is replaced by the item's).
Lib_FrmCons3::~Lib_FrmCons3() {
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    hide();
}

void Lib_FrmCons3::Disenar() {
    setObjectName(QStringLiteral("Lib_FrmCons3"));
    setWindowTitle(QStringLiteral("Consulta..."));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(false);
    resize(ToPixels(kAnchoVentana - kAnchoNoCliente), ToPixels(kAltoVentana - kAltoNoCliente));
    DisenarCampos();
    DisenarBotones();
    DisenarMenu();
    installEventFilter(this);
    // A search box gets its completion the first time it takes the focus: one is only typed in
    // with the focus, and most boxes of a window never are.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) {
        if (const int i = IndiceDeCaja(ahora); i >= 0) {
            controles::Completar(*cajas_[static_cast<size_t>(i)]);
        }
    });
}

void Lib_FrmCons3::DisenarBotones() {
    frame1_ = Hijo<QFrame>(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    cmdNueva_ = Boton(frame1_, "CmdNueva", QStringLiteral("&Nueva Busqueda"));
    cmdCancelar_ = Boton(frame1_, "CmdCancelar", QStringLiteral("&Cancelar"));
    cmdAceptar_ = Boton(frame1_, "CmdAceptar", QStringLiteral("&Aceptar"));
    ColocarBotones(*frame1_, {cmdNueva_, cmdCancelar_, cmdAceptar_});
    cmdAceptar_->setDefault(true);
    for (QPushButton* boton : {cmdNueva_, cmdCancelar_, cmdAceptar_}) {
        boton->installEventFilter(this);
    }
    connect(cmdNueva_, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
}

void Lib_FrmCons3::DisenarCampos() {
    picFields_ = Hijo<QWidget>(this);
    picFields_->setObjectName(QStringLiteral("picFields"));

    lblFieldName_ = Hijo<QLabel>(picFields_);
    lblFieldName_->setObjectName(QStringLiteral("lblFieldName"));
    lblFieldName_->setFont(QFont(QStringLiteral("Tahoma")));
    lblFieldName_->setGeometry(ui::twips::ToPixels(0, 0, kAnchoEtiqueta, kAltoEtiqueta));

    franjaCajas_ = Hijo<QWidget>(picFields_);
    franjaCajas_->setObjectName(QStringLiteral("franjaCajas"));
    CrearCaja(0);

    listView1_ = Hijo<ListaConsulta>(picFields_);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setAccessibleName(controles::kNombreLista);
    listView1_->move(0, ToPixels(kTopLista));
    listView1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listView1_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    listView1_->installEventFilter(this);
    connect(listView1_, &ListaConsulta::KeyDown, this,
            [this](int& KeyCode, int Shift) { ListView1_KeyDown(KeyCode, Shift); });
    connect(listView1_, &ListaConsulta::DblClick, this, [this] { ListView1_DblClick(); });
    connect(listView1_->header(), &QHeaderView::sectionClicked, this,
            [this](int columna) { ListView1_ColumnClick(columna); });
    connect(listView1_->header(), &QHeaderView::sectionResized, this, [this] {
        if (!anchosEnCurso_) {
            AlinearCajas();
        }
    });
    connect(listView1_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        AlinearCajas();
        SincronizarBarra();
    });
    connect(listView1_->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { AjustarPasoDeBarra(); });

    hScroll1_ = Hijo<QScrollBar>(this, Qt::Horizontal);
    hScroll1_->setObjectName(QStringLiteral("HScroll1"));
    hScroll1_->resize(hScroll1_->width(), ToPixels(kAltoBarra));
    hScroll1_->installEventFilter(this);
    connect(hScroll1_, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
}

void Lib_FrmCons3::DisenarMenu() {
    mnuEmergente_ = Hijo<QMenu>(this);
    mnuEmergente_->setObjectName(QStringLiteral("MNU_Emergente"));
    QAction* llena = mnuEmergente_->addAction(QStringLiteral("Llenar Con Posibles Valores"));
    llena->setObjectName(QStringLiteral("MNU_Llena"));
    mnuEmergente_->addSeparator()->setObjectName(QStringLiteral("MNU_Separador"));
    mnuEmergente_->addAction(QStringLiteral("Cancelar"))
        ->setObjectName(QStringLiteral("MNU_Cancelar"));
    connect(llena, &QAction::triggered, this, [this] { MNU_Llena_Click(); });
}

QComboBox* Lib_FrmCons3::CrearCaja(int i) {
    if (i < CmbSearchCount()) {
        return cajas_[static_cast<size_t>(i)];
    }
    QComboBox* caja = nullptr;
    while (CmbSearchCount() <= i) {
        caja = Hijo<QComboBox>(franjaCajas_);
        caja->setObjectName(QStringLiteral("CmbSearch"));
        caja->setProperty("Index", CmbSearchCount());
        controles::HacerEditable(*caja, SinCompletar());
        caja->setInsertPolicy(QComboBox::NoInsert);
        caja->setToolTip(kTooltipBusqueda);
        caja->setAccessibleName(controles::kNombreBusqueda);
        caja->setMaxVisibleItems(kTextosVisibles);
        caja->resize(caja->width(), ToPixels(kAltoCaja));
        caja->installEventFilter(this);
        caja->setContextMenuPolicy(Qt::CustomContextMenu);
        caja->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
        const int indice = CmbSearchCount();
        for (QWidget* zona :
             {static_cast<QWidget*>(caja), static_cast<QWidget*>(caja->lineEdit())}) {
            connect(zona, &QWidget::customContextMenuRequested, this,
                    [this, indice, zona](const QPoint& local) {
                        MostrarMenu(indice, zona->mapToGlobal(local));
                    });
        }
        connect(caja, &QComboBox::editTextChanged, this,
                [this, indice] { CmbSearch_Change(indice); });
        connect(caja, &QComboBox::textActivated, this,
                [this, indice] { CmbSearch_Change(indice); });
        cajas_.push_back(caja);
        tags_.emplace_back();
    }
    OrdenDeTabulacion();
    return caja;
}

void Lib_FrmCons3::OrdenDeTabulacion() {
    QWidget* anterior = nullptr;
    for (QComboBox* caja : cajas_) {
        if (anterior) {
            setTabOrder(anterior, caja);
        }
        anterior = caja;
    }
    setTabOrder(anterior, listView1_ ? static_cast<QWidget*>(listView1_) : anterior);
}

QComboBox* Lib_FrmCons3::CmbSearch(int i) const {
    return i >= 0 && i < CmbSearchCount() ? cajas_[static_cast<size_t>(i)] : nullptr;
}

QString Lib_FrmCons3::Tag(int i) const {
    return i >= 0 && i < CmbSearchCount() ? tags_[static_cast<size_t>(i)] : QString();
}

int Lib_FrmCons3::IndiceDeCaja(const QObject* objeto) const {
    for (size_t i = 0; i < cajas_.size(); ++i) {
        if (cajas_[i] == objeto) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QCompleter* Lib_FrmCons3::SinCompletar() {
    if (!sinCompletar_) {
        sinCompletar_ = std::make_unique<QCompleter>();
    }
    return sinCompletar_.get();
}

vexilo::VexUtil& Lib_FrmCons3::Util() {
    if (!util_) {
        util_ = std::make_unique<vexilo::VexUtil>();
    }
    return *util_;
}

void Lib_FrmCons3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (cargada_ || event->spontaneous()) {
        return;
    }
    cargada_ = true;
    Form_Load();
    Centrar();
    if (QComboBox* primera = CmbSearch(0)) {
        primera->setFocus(Qt::OtherFocusReason);
    }
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void Lib_FrmCons3::reject() {
    CmdCancelar_Click();
}

bool Lib_FrmCons3::FiltrarCaja(int i, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            CmbSearch_GotFocus(i);
            return false;
        case QEvent::FocusOut:
            CmbSearch_LostFocus(i);
            return false;
        case QEvent::KeyPress: {
            const teclas::Tecla tecla = teclas::DeEvento(*static_cast<QKeyEvent*>(event));
            return CmbSearch_KeyDown(i, tecla.codigo, tecla.shift);
        }
        default:
            return false;
    }
}

// The window sees every key of its controls first (F12); the search boxes' focus and keys go to
// their handlers.
bool Lib_FrmCons3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const teclas::Tecla tecla = teclas::DeEvento(*static_cast<QKeyEvent*>(event));
        if (Form_KeyDown(tecla.codigo, tecla.shift)) {
            return true;
        }
    }
    if (const int caja = IndiceDeCaja(watched); caja >= 0) {
        return FiltrarCaja(caja, event);
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lookup
