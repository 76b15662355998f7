#include "cheques/lookup/ModeloConsulta.h"

#include <QCollator>
#include <QSet>
#include <algorithm>
#include <numeric>

#include "ColumnaConsulta.h"
#include "cheques/runtime/Text.h"

namespace lookup {

namespace {

const QString kVacio;

}  // namespace

ModeloConsulta::ModeloConsulta(QObject* parent) : QAbstractTableModel(parent) {
    // Only the weight is set, so the view's own family and size stay.
    negrita_.setBold(true);
}

ModeloConsulta::~ModeloConsulta() = default;

void ModeloConsulta::Limpiar() {
    columnas_.clear();
    columnas_.resize(static_cast<size_t>(Columnas()));
    filas_ = 0;
    estados_ = {};
    orden_ = {};
}

void ModeloConsulta::PonerColumnas(const QStringList& titulos) {
    beginResetModel();
    titulos_ = titulos;
    Limpiar();
    endResetModel();
}

void ModeloConsulta::Vaciar() {
    beginResetModel();
    Limpiar();
    endResetModel();
}

void ModeloConsulta::ComenzarCarga(int filasPrevistas) {
    Q_UNUSED(filasPrevistas);  // the store grows by blocks: nothing to set aside
    beginResetModel();
    cargando_ = true;
}

void ModeloConsulta::TerminarCarga() {
    if (!cargando_) {
        return;
    }
    cargando_ = false;
    endResetModel();
}

void ModeloConsulta::AgregarFila(std::vector<rt::Variant>&& celdas, bool marcada) {
    const int fila = Filas();
    if (!cargando_) {
        beginInsertRows({}, fila, fila);
    }
    for (size_t columna = 0; columna < columnas_.size(); ++columna) {
        columnas_[columna].Agregar(columna < celdas.size() ? celdas[columna] : rt::Variant());
    }
    celdas.clear();
    ++filas_;
    if (!orden_.empty()) {
        orden_.push_back(fila);
    }
    if (!estados_.empty() || marcada) {
        estados_.resize(filas_);
        estados_.back() = marcada ? kMarcada : 0;
    }
    if (!cargando_) {
        endInsertRows();
    }
}

uint32_t& ModeloConsulta::Estado(int fila) {
    if (estados_.empty()) {
        estados_.resize(filas_);
    }
    return estados_[Almacen(fila)];
}

QString ModeloConsulta::Texto(int fila, int columna) const {
    if (fila < 0 || fila >= Filas() || columna < 0 || columna >= Columnas()) {
        return kVacio;
    }
    return columnas_[static_cast<size_t>(columna)].Texto(Almacen(fila));
}

bool ModeloConsulta::EmpiezaCon(int fila, int columna, QStringView inicio) const {
    if (fila < 0 || fila >= Filas() || columna < 0 || columna >= Columnas()) {
        return inicio.isEmpty();
    }
    return columnas_[static_cast<size_t>(columna)].ConTexto(
        Almacen(fila), [inicio](QStringView texto) {
            return rt::text::TrimView(texto).startsWith(inicio, Qt::CaseInsensitive);
        });
}

void ModeloConsulta::AvisarFila(int fila, const QList<int>& roles) {
    if (!cargando_) {
        emit dataChanged(index(fila, 0), index(fila, Columnas() - 1), roles);
    }
}

void ModeloConsulta::PonerTexto(int fila, int columna, const QString& texto) {
    if (fila < 0 || fila >= Filas() || columna < 0 || columna >= Columnas()) {
        return;
    }
    columnas_[static_cast<size_t>(columna)].PonerTexto(Almacen(fila), texto);
    if (!cargando_) {
        emit dataChanged(index(fila, columna), index(fila, columna), {Qt::DisplayRole});
    }
}

void ModeloConsulta::PonerCasillas(bool casillas) {
    if (casillas == casillas_) {
        return;
    }
    beginResetModel();
    casillas_ = casillas;
    endResetModel();
}

bool ModeloConsulta::Marcada(int fila) const {
    return fila >= 0 && fila < Filas() && (Estado(fila) & kMarcada) != 0;
}

void ModeloConsulta::Marcar(int fila, bool marcada) {
    if (fila < 0 || fila >= Filas()) {
        return;
    }
    uint32_t& estado = Estado(fila);
    estado = marcada ? estado | kMarcada : estado & ~kMarcada;
    AvisarFila(fila, {Qt::CheckStateRole});
}

void ModeloConsulta::PonerEstilo(int fila, std::optional<QColor> color, bool negrita) {
    if (fila < 0 || fila >= Filas()) {
        return;
    }
    uint32_t& estado = Estado(fila);
    estado &= kMarcada;
    if (negrita) {
        estado |= kNegrita;
    }
    if (color) {
        estado |= kConColor | (color->rgb() << kBitsColor);
    }
    AvisarFila(fila, {Qt::ForegroundRole, Qt::FontRole});
}

std::optional<QColor> ModeloConsulta::Color(int fila) const {
    if (fila < 0 || fila >= Filas()) {
        return std::nullopt;
    }
    const uint32_t estado = Estado(fila);
    return (estado & kConColor) != 0 ? std::optional<QColor>(QColor(QRgb(estado >> kBitsColor)))
                                     : std::nullopt;
}

bool ModeloConsulta::Negrita(int fila) const {
    return fila >= 0 && fila < Filas() && (Estado(fila) & kNegrita) != 0;
}

void ModeloConsulta::Ordenar(int columna, Qt::SortOrder orden) {
    if (columna < 0 || columna >= Columnas()) {
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList antes = persistentIndexList();
    std::vector<size_t> filasAntes;
    filasAntes.reserve(static_cast<size_t>(antes.size()));
    for (const QModelIndex& i : antes) {
        filasAntes.push_back(Almacen(i.row()));
    }
    // One key per row, so each comparison is a plain comparison of keys. The bare C locale has
    // no language: its collator compares code points and ignores the case setting, so it sorts
    // by letters as English does.
    const QLocale idioma =
        QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    QCollator collator(idioma);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> claves;
    claves.reserve(filas_);
    const ColumnaConsulta& celdas = columnas_[static_cast<size_t>(columna)];
    for (size_t fila = 0; fila < filas_; ++fila) {
        claves.push_back(collator.sortKey(celdas.Texto(fila)));
    }
    if (orden_.empty()) {
        orden_.resize(filas_);
        std::iota(orden_.begin(), orden_.end(), 0);
    }
    const bool ascendente = orden == Qt::AscendingOrder;
    std::stable_sort(orden_.begin(), orden_.end(), [&](int a, int b) {
        const int c = claves[static_cast<size_t>(a)].compare(claves[static_cast<size_t>(b)]);
        return ascendente ? c < 0 : c > 0;
    });
    std::vector<int> mostrada(orden_.size());
    for (size_t i = 0; i < orden_.size(); ++i) {
        mostrada[static_cast<size_t>(orden_[i])] = static_cast<int>(i);
    }
    QModelIndexList despues;
    despues.reserve(antes.size());
    for (qsizetype i = 0; i < antes.size(); ++i) {
        despues.append(index(mostrada[filasAntes[static_cast<size_t>(i)]], antes[i].column()));
    }
    changePersistentIndexList(antes, despues);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QStringList ModeloConsulta::TextosDistintos(int columna) const {
    QStringList textos;
    QSet<QString> vistos;
    for (int fila = 0; fila < Filas(); ++fila) {
        const QString texto = Texto(fila, columna);
        if (!vistos.contains(texto)) {
            vistos.insert(texto);
            textos.append(texto);
        }
    }
    return textos;
}

int ModeloConsulta::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || cargando_ ? 0 : Filas();
}

int ModeloConsulta::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columnas();
}

QVariant ModeloConsulta::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || cargando_) {
        return {};
    }
    const uint32_t estado = Estado(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return Texto(index.row(), index.column());
        case Qt::CheckStateRole:
            if (casillas_ && index.column() == 0) {
                return (estado & kMarcada) != 0 ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::ForegroundRole:
            return (estado & kConColor) != 0 ? QVariant(QColor(QRgb(estado >> kBitsColor)))
                                             : QVariant();
        case Qt::FontRole:
            return (estado & kNegrita) != 0 ? QVariant(negrita_) : QVariant();
        default:
            return {};
    }
}

bool ModeloConsulta::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || !casillas_ || index.column() != 0) {
        return false;
    }
    Marcar(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant ModeloConsulta::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= Columnas()) {
        return {};
    }
    return titulos_[section];
}

Qt::ItemFlags ModeloConsulta::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (casillas_ && index.column() == 0) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

void ModeloConsulta::sort(int column, Qt::SortOrder order) {
    Ordenar(column, order);
}

}  // namespace lookup
