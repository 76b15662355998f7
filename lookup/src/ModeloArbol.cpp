#include "ModeloArbol.h"

#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"

namespace lookup {

namespace {

constexpr int32_t kObjetoNoAsignado = 91;  // object variable not set
constexpr int32_t kClaveRepetida = 35602;
const QString kDescripcionClaveRepetida = QStringLiteral("Key is not unique in collection");

constexpr size_t kPrimoHash = 0x100000001b3ULL;
constexpr char16_t kFinAscii = 0x80;

// A character as case folding leaves it. ASCII, which most codes are, folds its capitals to
// small letters and nothing else: it needs none of Unicode's tables.
char16_t Plegado(QChar c) {
    const char16_t u = c.unicode();
    if (u >= kFinAscii) {
        return c.toCaseFolded().unicode();
    }
    return u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u - u'A' + u'a') : u;
}

}  // namespace

// Equal keys ignoring case hash alike: each character is folded as the comparison folds it; a
// surrogate (half of a character beyond the basic plane) adds nothing.
size_t ModeloArbol::ClaveSinCaso::Hash(const QString& clave, size_t seed) noexcept {
    size_t hash = seed;
    for (const QChar c : clave) {
        if (!c.isSurrogate()) {
            hash = (hash ^ Plegado(c)) * kPrimoHash;
        }
    }
    return hash;
}

ModeloArbol::ModeloArbol(QObject* parent) : QAbstractItemModel(parent) {}

ModeloArbol::~ModeloArbol() = default;

void ModeloArbol::Vaciar() {
    beginResetModel();
    nodos_.clear();
    raices_.clear();
    claves_.clear();
    endResetModel();
}

void ModeloArbol::ComenzarCarga(int nodosPrevistos) {
    if (!cargando_) {
        beginResetModel();
        cargando_ = true;
    }
    nodos_.clear();
    raices_.clear();
    claves_.clear();
    Reservar(nodosPrevistos);
}

void ModeloArbol::Reservar(int nodos) {
    nodos_.reserve(static_cast<size_t>(std::max(nodos, 0)));
    claves_.reserve(nodos);
}

void ModeloArbol::TerminarCarga() {
    if (!cargando_) {
        return;
    }
    cargando_ = false;
    endResetModel();
}

int ModeloArbol::Agregar(int padre, QString clave, QString texto) {
    const int fila = static_cast<int>(Filas(padre).size());  // an unknown parent raises here
    // One look-up finds a key in use and takes a new one: a key in use leaves the set as it was.
    const qsizetype claves = claves_.size();
    claves_.insert(ClaveSinCaso{clave});
    if (claves_.size() == claves) {
        throw rt::RuntimeError(kClaveRepetida, kDescripcionClaveRepetida);
    }
    const int nodo = Nodos();
    if (!cargando_) {
        beginInsertRows(Indice(padre), fila, fila);
    }
    Nodo n;
    n.guion = texto.indexOf(QLatin1Char('-'));
    n.clave = std::move(clave);
    n.texto = std::move(texto);
    n.padre = padre;
    n.fila = fila;
    nodos_.push_back(std::move(n));
    // Taken after the push: adding a node may move the others.
    std::vector<int>& hermanos =
        padre == kNinguno ? raices_ : nodos_[static_cast<size_t>(padre)].hijos;
    hermanos.push_back(nodo);
    if (!cargando_) {
        endInsertRows();
    }
    return nodo;
}

int ModeloArbol::PadreSegunLargo(int actual, qsizetype largo) const {
    int nodo = actual;
    while (nodo != kNinguno && largo < Clave(nodo).size()) {
        nodo = Padre(nodo);
    }
    if (nodo == kNinguno) {
        rt::RuntimeError::Raise(kObjetoNoAsignado);
    }
    return largo == Clave(nodo).size() ? Padre(nodo) : nodo;
}

const std::vector<int>& ModeloArbol::Filas(int padre) const {
    return padre == kNinguno ? raices_ : At(padre).hijos;
}

int ModeloArbol::Buscar(const QString& texto) const {
    for (int nodo = 0; nodo < Nodos(); ++nodo) {
        const Nodo& n = nodos_[static_cast<size_t>(nodo)];
        const QStringView todo(n.texto);
        // A text without "-" is compared whole.
        const QStringView codigo = n.guion < 0 ? todo : rt::text::TrimView(todo.left(n.guion));
        const QStringView descripcion =
            n.guion < 0 ? todo : rt::text::TrimView(todo.mid(n.guion + 1));
        if (codigo.startsWith(texto, Qt::CaseInsensitive) ||
            descripcion.startsWith(texto, Qt::CaseInsensitive)) {
            return nodo;
        }
    }
    return kNinguno;
}

void ModeloArbol::PonerCasillas(bool casillas) {
    if (casillas == casillas_) {
        return;
    }
    beginResetModel();
    casillas_ = casillas;
    endResetModel();
}

void ModeloArbol::MarcarHijos(int nodo, bool marcado) {
    const std::vector<int>& hijos = Hijos(nodo);
    if (hijos.empty()) {
        return;
    }
    for (const int hijo : hijos) {
        nodos_[static_cast<size_t>(hijo)].marcado = marcado;
    }
    // The children are neighbouring rows: one notice covers them all.
    const QModelIndex padre = Indice(nodo);
    emit dataChanged(index(0, 0, padre), index(static_cast<int>(hijos.size()) - 1, 0, padre),
                     {Qt::CheckStateRole});
}

QModelIndex ModeloArbol::Indice(int nodo) const {
    if (nodo == kNinguno) {
        return {};
    }
    return createIndex(At(nodo).fila, 0, static_cast<quintptr>(nodo));
}

int ModeloArbol::NodoDe(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return kNinguno;
    }
    return static_cast<int>(index.internalId());
}

QModelIndex ModeloArbol::index(int row, int column, const QModelIndex& parent) const {
    if (cargando_ || column != 0 || row < 0) {
        return {};
    }
    const std::vector<int>& filas = Filas(NodoDe(parent));
    if (row >= static_cast<int>(filas.size())) {
        return {};
    }
    return createIndex(row, 0, static_cast<quintptr>(filas[static_cast<size_t>(row)]));
}

QModelIndex ModeloArbol::parent(const QModelIndex& child) const {
    const int nodo = NodoDe(child);
    return nodo == kNinguno ? QModelIndex() : Indice(Padre(nodo));
}

int ModeloArbol::rowCount(const QModelIndex& parent) const {
    if (cargando_ || parent.column() > 0) {
        return 0;
    }
    return static_cast<int>(Filas(NodoDe(parent)).size());
}

int ModeloArbol::columnCount(const QModelIndex& parent) const {
    Q_UNUSED(parent);
    return 1;
}

QVariant ModeloArbol::data(const QModelIndex& index, int role) const {
    const int nodo = NodoDe(index);
    if (nodo == kNinguno) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return Texto(nodo);
    }
    if (role == Qt::CheckStateRole && casillas_) {
        return static_cast<int>(Marcado(nodo) ? Qt::Checked : Qt::Unchecked);
    }
    return {};
}

bool ModeloArbol::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int nodo = NodoDe(index);
    if (nodo == kNinguno || role != Qt::CheckStateRole || !casillas_) {
        return false;
    }
    nodos_[static_cast<size_t>(nodo)].marcado = value.toInt() != static_cast<int>(Qt::Unchecked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit NodoMarcado(nodo);
    return true;
}

Qt::ItemFlags ModeloArbol::flags(const QModelIndex& index) const {
    if (NodoDe(index) == kNinguno) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (casillas_) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

}  // namespace lookup
