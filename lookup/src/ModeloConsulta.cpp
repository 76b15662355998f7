#include "cheques/lookup/ModeloConsulta.h"

#include <QCollator>
#include <QSet>
#include <algorithm>

namespace lookup {

namespace {

const QString kVacio;

// The text of a cell; a value that is not a text yet is written as one in its place.
QString TextoDe(rt::Variant& celda) {
    if (!celda.IsText()) {
        celda = celda.IsNull() || celda.IsEmpty() ? QString() : celda.ToString();
    }
    return celda.ToString();
}

}  // namespace

ModeloConsulta::ModeloConsulta(QObject* parent) : QAbstractTableModel(parent) {
    // Only the weight is set, so the view's own family and size stay.
    negrita_.setBold(true);
}

ModeloConsulta::~ModeloConsulta() = default;

void ModeloConsulta::PonerColumnas(const QStringList& titulos) {
    beginResetModel();
    titulos_ = titulos;
    celdas_.clear();
    estilos_.clear();
    orden_.clear();
    endResetModel();
}

void ModeloConsulta::Vaciar() {
    beginResetModel();
    celdas_.clear();
    estilos_.clear();
    orden_.clear();
    endResetModel();
}

void ModeloConsulta::ComenzarCarga(int filasPrevistas) {
    beginResetModel();
    cargando_ = true;
    const auto filas = static_cast<size_t>(std::max(filasPrevistas, 0));
    estilos_.reserve(estilos_.size() + filas);
    orden_.reserve(orden_.size() + filas);
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
    const auto columnas = static_cast<size_t>(Columnas());
    celdas.resize(columnas);
    std::move(celdas.begin(), celdas.end(), std::back_inserter(celdas_));
    estilos_.push_back({marcada, false, false, 0});
    orden_.push_back(static_cast<int>(estilos_.size()) - 1);
    if (!cargando_) {
        endInsertRows();
    }
}

size_t ModeloConsulta::Celda(int fila, int columna) const {
    return static_cast<size_t>(Almacen(fila)) * static_cast<size_t>(Columnas()) +
           static_cast<size_t>(columna);
}

QString ModeloConsulta::Texto(int fila, int columna) const {
    if (fila < 0 || fila >= Filas() || columna < 0 || columna >= Columnas()) {
        return kVacio;
    }
    return TextoDe(celdas_[Celda(fila, columna)]);
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
    celdas_[Celda(fila, columna)] = rt::Variant(texto);
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
    return fila >= 0 && fila < Filas() && estilos_[static_cast<size_t>(Almacen(fila))].marcada;
}

void ModeloConsulta::Marcar(int fila, bool marcada) {
    if (fila < 0 || fila >= Filas()) {
        return;
    }
    estilos_[static_cast<size_t>(Almacen(fila))].marcada = marcada;
    AvisarFila(fila, {Qt::CheckStateRole});
}

void ModeloConsulta::PonerEstilo(int fila, std::optional<QColor> color, bool negrita) {
    if (fila < 0 || fila >= Filas()) {
        return;
    }
    Estilo& estilo = estilos_[static_cast<size_t>(Almacen(fila))];
    estilo.negrita = negrita;
    estilo.conColor = color.has_value();
    estilo.color = color ? color->rgb() : 0;
    AvisarFila(fila, {Qt::ForegroundRole, Qt::FontRole});
}

std::optional<QColor> ModeloConsulta::Color(int fila) const {
    if (fila < 0 || fila >= Filas()) {
        return std::nullopt;
    }
    const Estilo& estilo = estilos_[static_cast<size_t>(Almacen(fila))];
    return estilo.conColor ? std::optional<QColor>(QColor(estilo.color)) : std::nullopt;
}

bool ModeloConsulta::Negrita(int fila) const {
    return fila >= 0 && fila < Filas() && estilos_[static_cast<size_t>(Almacen(fila))].negrita;
}

void ModeloConsulta::Ordenar(int columna, Qt::SortOrder orden) {
    if (columna < 0 || columna >= Columnas()) {
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList antes = persistentIndexList();
    std::vector<int> filasAntes;
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
    claves.reserve(estilos_.size());
    const auto columnas = static_cast<size_t>(Columnas());
    for (size_t fila = 0; fila < estilos_.size(); ++fila) {
        claves.push_back(
            collator.sortKey(TextoDe(celdas_[fila * columnas + static_cast<size_t>(columna)])));
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
        despues.append(index(mostrada[static_cast<size_t>(filasAntes[static_cast<size_t>(i)])],
                             antes[i].column()));
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
    const Estilo& estilo = estilos_[static_cast<size_t>(Almacen(index.row()))];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return Texto(index.row(), index.column());
        case Qt::CheckStateRole:
            if (casillas_ && index.column() == 0) {
                return estilo.marcada ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::ForegroundRole:
            return estilo.conColor ? QVariant(QColor(estilo.color)) : QVariant();
        case Qt::FontRole:
            return estilo.negrita ? QVariant(negrita_) : QVariant();
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
