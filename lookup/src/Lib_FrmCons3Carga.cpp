// The list window's load: the statement's rows and columns, the stored widths and the layout.
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <array>
#include <cmath>
#include <optional>

#include "AnchosConsulta.h"
#include "BusquedaConsulta.h"
#include "ControlesConsulta.h"
#include "DisenoConsulta.h"
#include "StockConsulta.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/LeerConfig.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/ui/Twips.h"
#include "cheques/vexilo/Manejador.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

using namespace diseno;
using rt::text::Contains;
using rt::text::Equals;
using rt::text::Trim;

constexpr int32_t kObjetoNoAsignado = 91;  // object variable not set
constexpr int kPrecios = 8;                // PRECIO1 to PRECIO8 carry configured captions

double Tw(int pixels) {
    return ui::twips::FromPixels(pixels);
}

int Px(double twips) {
    return std::max(ui::twips::ToPixels(twips), 0);
}

// AjustarTexto only changes line breaks and tabs: a text without them is shown as it stands,
// which spares a copy of every cell of a large list.
QString Mostrado(const vexilo::VexUtil& util, const QString& texto) {
    for (const QChar c : texto) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) {
            return util.AjustarTexto(texto);
        }
    }
    return texto;
}

// What Leer keeps while it reads one record after another.
struct Lectura {
    explicit Lectura(ado::Recordset& recordset) : rs(recordset) {}
    ado::Recordset& rs;
    int campos = 0;
    int puntoPedido = -1;  // the stock fields of an articles statement, -1 when missing
    int stock = -1;
    int devuelto = -1;  // the field of CampoDevuelto, -1 when missing
    bool colorea = false;
    std::vector<rt::Variant> celdas;
    bool marcada = false;
    rt::Variant color;
    std::array<const rt::Variant*, 4> niveles{};  // the colours of the four stock levels
};

// A stock field as a fixed-point amount: TextoAMoneda of its text, or the number itself, which
// reads back the same and is not written as text only to be read again.
rt::Currency Monto(const vexilo::VexUtil& u, const rt::Variant& valor) {
    switch (valor.VarType()) {
        case rt::Variant::Type::Long:
        case rt::Variant::Type::LongLong:
        case rt::Variant::Type::Double:
        case rt::Variant::Type::Currency:
            return valor.ToCurrency();
        default:
            return u.TextoAMoneda(u.CampoATexto(valor));
    }
}

// The colour of an articles row's stock level; empty when the result lacks a stock field.
rt::Variant ColorDeFila(const vexilo::VexUtil& u, const Lectura& l) {
    if (l.puntoPedido < 0 || l.stock < 0) {
        return {};
    }
    const rt::Currency pp = Monto(u, l.rs.Fields()[l.puntoPedido].Value());
    const rt::Currency st = Monto(u, l.rs.Fields()[l.stock].Value());
    return *l.niveles[static_cast<size_t>(NivelStock(pp, st) - 1)];
}

// A cell as the row keeps it: a text trimmed (the row's own text) or on one line (a sub-item);
// any other value as it stands, since a number or a date has neither blanks around it nor line
// breaks: it is written as text when it is first shown, searched or sorted.
rt::Variant Celda(const vexilo::VexUtil& u, const rt::Variant& valor, bool textoDeFila) {
    if (valor.IsNull() || valor.IsEmpty()) {
        return QString();
    }
    if (!valor.IsText()) {
        return valor;
    }
    const QString texto = u.CampoATexto(valor);
    return textoDeFila ? Trim(texto) : Mostrado(u, texto);
}

// Whether the returned field's text occurs in the default values; a null or empty one never
// does.
bool Preseleccionada(const vexilo::VexUtil& u, const rt::Variant& valor,
                     const QString& valoresDefault) {
    if (valor.IsNull()) {
        return false;
    }
    const QString texto = Trim(u.CampoATexto(valor));
    return !texto.isEmpty() && valoresDefault.contains(texto, Qt::CaseInsensitive);
}

// The current record: its colour, its row text, its tick and its sub-items, in that order.
void LeerRegistro(const vexilo::VexUtil& u, Lectura& l, bool esArticulos,
                  const QString& valoresDefault) {
    const ado::Fields& campos = l.rs.Fields();
    if (esArticulos) {
        l.color = ColorDeFila(u, l);
    }
    l.celdas[0] = Celda(u, campos[0].Value(), true);
    if (l.devuelto >= 0) {
        l.marcada = Preseleccionada(u, campos[l.devuelto].Value(), valoresDefault);
    }
    for (int i = 1; i < l.campos; ++i) {
        l.celdas[static_cast<size_t>(i)] = Celda(u, campos[i].Value(), false);
    }
}

}  // namespace

void Lib_FrmCons3::Form_Load() {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("FORM_LOAD")));
    db::DB_Dll& db = db::DB_Dll::Default();
    ModeloConsulta& modelo = listView1_->Modelo();
    const bool seguir =
        steps([this] { esArticulos_ = Contains(SQL, QStringLiteral("articulos")); }) &&
        steps([this] {
            Valores = rt::NewCollection();
            Cantidades = rt::NewCollection();
        }) &&
        steps([this, &modelo] {
            modelo.Vaciar();
            itemActual_ = -1;
        }) &&
        steps([this] { SQL += QLatin1Char(' '); }) &&
        steps([this] { tablaConsulta_ = TablaDeSentencia(SQL); }) && steps([this] {
            if (sqlInicial_.isEmpty()) {
                sqlInicial_ = SQL;
            }
            sqlActual_ = SQL;
        }) &&
        steps([this, &db] {
            rsConsulta_ = std::make_unique<ado::Recordset>();
            db.AbrirRecordset(SQL, *rsConsulta_, nullptr, ado::adOpenForwardOnly,
                              ado::adLockReadOnly, ado::adCmdUnspecified, true);
        }) &&
        steps([this, &modelo] { modelo.PonerCasillas(CheckBoxes); }) &&
        steps([this] { Encolumnar(); }) && steps([this] { Leer(1, 0); }) && steps([this] {
            ordenada_ = ordenada_ || OrdenarPorLwv;
            Ordenar();
            listView1_->Seleccionar(0);
        }) &&
        steps([this] {
            if (!Trim(FiltroInicial).isEmpty()) {
                cajas_.front()->setEditText(FiltroInicial);
            }
        }) &&
        steps([this, &db] {
            if (rsConsulta_) {
                db.CierraRecordset(*rsConsulta_);
            }
            rsConsulta_.reset();
        }) &&
        steps([this] { CargarAnchos(); }) && steps([this] { CalcularAncho(); });
    if (seguir) {
        steps([this] { Util().PrepararFormulario(*this, false); });
    }
}

QString Lib_FrmCons3::Titulo(const QString& campo) {
    if (!Contains(SQL, QStringLiteral("V_MA_ARTICULOS")) &&
        !Contains(SQL, QStringLiteral("STK_MA_ARTICULOS"))) {
        return campo;
    }
    for (int n = 1; n <= kPrecios; ++n) {
        if (Equals(campo, QStringLiteral("PRECIO%1").arg(n))) {
            QString aux;
            return db::LeerConfig(QStringLiteral("NOM_PCLASE%1").arg(n), aux);
        }
    }
    return campo;
}

void Lib_FrmCons3::Encolumnar() {
    rt::Steps steps([](const rt::RuntimeError& error) {
        if (error.Number() == rt::err::ObjectAlreadyLoaded) {
            return rt::StepAnswer::Next;
        }
        ui::MsgBox(error.Description(), ui::vbOKOnly, {});
        return rt::StepAnswer::Leave;
    });
    ModeloConsulta& modelo = listView1_->Modelo();
    QStringList titulos;
    std::vector<std::optional<int>> anchos;
    const QFont letra = LetraDeCeldas();
    const auto agregar = [&](int i) {
        if (!rsConsulta_) {
            rt::RuntimeError::Raise(kObjetoNoAsignado);
        }
        const ado::Field& campo = rsConsulta_->Fields()[i];
        CrearCaja(i);
        tags_[static_cast<size_t>(i)] = campo.Name();
        const int letras = std::clamp(campo.DefinedSize(), 0, kLetrasMaximas);
        titulos.append(Titulo(campo.Name()));
        anchos.push_back(Px(Tw(AnchoDeColumna(letra, letras, i == 0))));
    };
    if (!steps([&] { modelo.PonerColumnas({}); })) {
        return;
    }
    const int campos = rsConsulta_ ? rsConsulta_->Fields().Count() : 0;
    for (int i = 0; i < campos; ++i) {
        if (!steps([&] { agregar(i); })) {
            break;
        }
    }
    modelo.PonerColumnas(titulos);
    // A screen reader names each search box after the column it searches.
    for (qsizetype i = 0; i < titulos.size(); ++i) {
        cajas_[static_cast<size_t>(i)]->setAccessibleName(titulos[i]);
    }
    PonerAnchos(anchos);
}

// The font the cells are drawn with: bold when the rows take their stock colours.
QFont Lib_FrmCons3::LetraDeCeldas() const {
    QFont letra = listView1_->font();
    letra.setBold(ColoreaFilas());
    return letra;
}

// As many letters "X" as the field holds, in the cells' font, plus the room the list keeps around
// a cell's text and, in the first column, its check box: a value as long as its field is read
// whole.
int Lib_FrmCons3::AnchoDeColumna(const QFont& letra, int letras, bool primera) const {
    const int texto = ui::Dialogs::Current().TextWidth(letra, QString(letras, QLatin1Char('X')));
    return texto + listView1_->MargenDeCelda(primera && CheckBoxes);
}

// The search boxes follow each column a border drag resizes; here they are aligned once, after
// the last column.
void Lib_FrmCons3::PonerAnchos(const std::vector<std::optional<int>>& anchos) {
    {
        const QScopedValueRollback diferir(anchosEnCurso_, true);
        for (size_t i = 0; i < anchos.size(); ++i) {
            if (anchos[i]) {
                listView1_->header()->resizeSection(static_cast<int>(i), *anchos[i]);
            }
        }
    }
    AlinearCajas();
}

bool Lib_FrmCons3::ColoreaFilas() const {
    return esArticulos_ && Equals(MuestraStock, QStringLiteral("SI"));
}

void Lib_FrmCons3::Leer(int32_t Cdesde, int16_t Cuantas) {
    Q_UNUSED(Cdesde);  // neither limits the fill
    Q_UNUSED(Cuantas);
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("FORM_LOAD")));
    bool vacio = true;
    if (!steps([this, &vacio] {
            if (!rsConsulta_) {
                rt::RuntimeError::Raise(kObjetoNoAsignado);
            }
            vacio = rsConsulta_->Bof();
        }) ||
        vacio) {
        return;
    }
    const ado::Fields& campos = rsConsulta_->Fields();
    Lectura l{*rsConsulta_};
    l.campos = campos.Count();
    l.puntoPedido = campos.IndexOf(QStringLiteral("PUNTOPEDIDO"));
    l.stock = campos.IndexOf(QStringLiteral("Stock"));
    l.devuelto = CheckBoxes ? campos.IndexOf(CampoDevuelto) : -1;
    // Colours are applied while the sub-items are filled, so a single field shows none.
    l.colorea = ColoreaFilas() && l.campos > 1;
    l.niveles = {&StkNivel1, &StkNivel2, &StkNivel3, &StkNivel4};
    ModeloConsulta& modelo = listView1_->Modelo();
    modelo.ComenzarCarga();
    const auto alTerminar = qScopeGuard([&modelo] { modelo.TerminarCarga(); });
    for (;;) {
        bool fin = false;
        if (!steps([&l, &fin] { fin = l.rs.Eof(); }) || fin) {
            return;
        }
        l.celdas.assign(static_cast<size_t>(l.campos), rt::Variant());
        l.marcada = false;
        l.color = rt::Variant();
        // A failure passed over keeps the row with what was read of it.
        if (!steps([this, &l] { LeerRegistro(Util(), l, esArticulos_, ValoresDefault); })) {
            return;
        }
        if (!steps([this, &l, &modelo] {
                modelo.AgregarFila(std::move(l.celdas), l.marcada);
                itemActual_ = modelo.Filas() - 1;
                if (l.colorea && !Trim(l.color.ToText()).isEmpty()) {
                    modelo.PonerEstilo(itemActual_, ColorConfigurado(l.color), true);
                }
            })) {
            return;
        }
        if (!steps([&l] { l.rs.MoveNext(); })) {
            return;
        }
    }
}

void Lib_FrmCons3::CargarAnchos() {
    // Any failure ends the reading without a message; widths applied before it stay.
    rt::Steps::IgnoreErrors()([this] {
        const QString ruta = RutaAnchos(CarpetaPrograma());
        if (!QFileInfo::exists(ruta)) {
            return;
        }
        tablaConsulta_ = TablaDeAnchos(tablaConsulta_, true);
        const int columnas = listView1_->Modelo().Columnas();
        std::vector<std::optional<int>> anchos;
        for (const std::optional<double> ancho : AnchosGuardados(ruta, tablaConsulta_, columnas)) {
            anchos.push_back(ancho ? std::optional<int>(Px(*ancho)) : std::nullopt);
        }
        PonerAnchos(anchos);
    });
}

void Lib_FrmCons3::GrabarAnchos() {
    // A window left without columns (its statement failed) has no widths to tell: the record
    // stored for its table stays as it is.
    if (!GrabarCfg || listView1_->Modelo().Columnas() == 0) {
        return;
    }
    std::vector<double> anchos;
    for (int i = 0; i < listView1_->Modelo().Columnas(); ++i) {
        anchos.push_back(Tw(listView1_->header()->sectionSize(i)));
    }
    GuardarAnchos(CarpetaPrograma(), {tablaConsulta_, TextoAnchos(anchos)});
}

void Lib_FrmCons3::CalcularAncho() {
    double total = 0;
    for (int i = 0; i < listView1_->Modelo().Columnas(); ++i) {
        total += Tw(listView1_->header()->sectionSize(i));
    }
    AlinearCajas();
    const double anchoLista = total + kExtraLista;
    listView1_->resize(Px(anchoLista), listView1_->height());
    const double anchoCampos = std::nearbyint(total) + kExtraLista;
    picFields_->resize(Px(anchoCampos), picFields_->height());
    hScroll1_->resize(Px(total), hScroll1_->height());
    maximoBarra_ = static_cast<int>(
        anchoCampos > kMaximoBarra ? kMaximoBarra
                                   : std::nearbyint((anchoCampos + kExtraBarra) * kFactorBarra));
    AjustarPasoDeBarra();
    const double pantalla = Tw(ui::Dialogs::Current().ScreenSize().width());
    // However few its columns, the window keeps its buttons in view.
    const double minimo = Tw(frame1_->width()) + 2 * kMargenAncho + kAnchoNoCliente;
    const double ventana = anchoLista + kExtraLista >= pantalla
                               ? pantalla - kMargenPantalla
                               : std::max(anchoLista + kExtraVentana, minimo);
    resize(Px(ventana - kAnchoNoCliente), height());
    // The layout follows the window even when its width did not change.
    Form_Resize();
}

void Lib_FrmCons3::Form_Resize() {
    if (!picFields_ || !frame1_ || !hScroll1_ || !listView1_) {
        return;  // still being built
    }
    rt::Steps steps = rt::Steps::IgnoreErrors();
    const double ancho = Tw(width()) + kAnchoNoCliente;
    const double alto = Tw(height()) + kAltoNoCliente;
    const double altoMarco = Tw(frame1_->height());
    steps([&] { picFields_->resize(picFields_->width(), Px(alto - altoMarco - kMargenCampos)); });
    steps([&] {
        listView1_->resize(listView1_->width(),
                           Px(Tw(picFields_->height()) - altoMarco - kMargenLista));
    });
    steps([&] { picFields_->resize(Px(ancho - kMargenAncho), picFields_->height()); });
    steps([&] {
        listView1_->resize(Px(Tw(picFields_->width()) - kMargenListaAncho), listView1_->height());
    });
    steps([&] { frame1_->move(frame1_->x(), Px(alto - altoMarco - kMargenMarco)); });
    steps([&] {
        hScroll1_->move(hScroll1_->x(),
                        Px(Tw(picFields_->height()) - Tw(hScroll1_->height()) - kMargenBarra));
    });
    steps([&] { hScroll1_->resize(Px(ancho - kMargenAncho), hScroll1_->height()); });
    steps([&] { frame1_->move(Px(ancho / 2 - Tw(frame1_->width()) / 2), frame1_->y()); });
    steps([&] { AlinearCajas(); });
}

// Each search box stands over its column, following it when a border is dragged or the list
// scrolls sideways; the boxes are clipped to the list's width.
void Lib_FrmCons3::AlinearCajas() {
    if (!listView1_ || !franjaCajas_) {
        return;
    }
    const QRect vista = listView1_->viewport()->geometry();
    const int altoCaja = Px(kAltoCaja);
    franjaCajas_->setGeometry(listView1_->x() + vista.x(), Px(kTopCajas), vista.width(), altoCaja);
    const QHeaderView* cabecera = listView1_->header();
    const int columnas = listView1_->Modelo().Columnas();
    for (int i = 0; i < CmbSearchCount(); ++i) {
        QComboBox* caja = cajas_[static_cast<size_t>(i)];
        if (i >= columnas) {
            caja->setVisible(i == 0);  // the design's box stays, for a list without columns
            continue;
        }
        const int ancho = std::max(cabecera->sectionSize(i) - Px(kSeparacionCaja), 0);
        caja->setGeometry(cabecera->sectionViewportPosition(i), 0, ancho, altoCaja);
        caja->setVisible(true);
    }
}

// HScroll1 scrolls the list sideways over the whole of its columns.
void Lib_FrmCons3::HScroll1_Change() {
    rt::Steps::IgnoreErrors()([this] {
        if (sincronizando_) {
            return;
        }
        QScrollBar* propia = listView1_->horizontalScrollBar();
        const int maximo = hScroll1_->maximum();
        const double parte = maximo > 0 ? static_cast<double>(hScroll1_->value()) / maximo : 0;
        sincronizando_ = true;
        propia->setValue(static_cast<int>(std::lround(parte * propia->maximum())));
        sincronizando_ = false;
    });
}

// HScroll1 has a range only while some columns are out of view; its thumb shows how much of
// them is in view, an arrow moves about one column and a page about the list's width.
void Lib_FrmCons3::AjustarPasoDeBarra() {
    if (!hScroll1_) {
        return;  // still being built
    }
    const QScrollBar* propia = listView1_->horizontalScrollBar();
    if (propia->maximum() <= 0) {
        hScroll1_->setRange(0, 0);
        return;
    }
    hScroll1_->setMaximum(maximoBarra_);
    const double unidades = static_cast<double>(maximoBarra_) / propia->maximum();
    const int columnas = listView1_->Modelo().Columnas();
    const int columna = columnas > 0 ? listView1_->header()->length() / columnas : 0;
    const auto enBarra = [unidades](int pixeles) {
        return std::max(1, static_cast<int>(std::lround(pixeles * unidades)));
    };
    hScroll1_->setSingleStep(enBarra(columna));
    hScroll1_->setPageStep(enBarra(propia->pageStep()));
}

void Lib_FrmCons3::SincronizarBarra() {
    if (sincronizando_) {
        return;
    }
    const QScrollBar* propia = listView1_->horizontalScrollBar();
    const double parte =
        propia->maximum() > 0 ? static_cast<double>(propia->value()) / propia->maximum() : 0;
    sincronizando_ = true;
    hScroll1_->setValue(static_cast<int>(std::lround(parte * hScroll1_->maximum())));
    sincronizando_ = false;
}

void Lib_FrmCons3::Centrar() {
    controles::Centrar(*this);
}

void Lib_FrmCons3::Descargar() {
    Form_Unload();
}

void Lib_FrmCons3::Form_Unload() {
    rt::Steps steps([](const rt::RuntimeError& error) {
        ui::MsgBox(error.Description(), ui::vbCritical, QStringLiteral("Aviso al Operador"));
        return rt::StepAnswer::Next;
    });
    steps([this] { GrabarAnchos(); });
    steps([this] { listView1_->Modelo().Vaciar(); });
    hide();
}

}  // namespace lookup
