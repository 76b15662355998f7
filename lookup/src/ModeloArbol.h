#pragma once

#include <QAbstractItemModel>
#include <QSet>
#include <QString>
#include <vector>

namespace lookup {

// The nodes of a tree window: each with a unique key (matched ignoring case), a text, a check
// mark and its children in order. Nodes are numbered from 0 in the order they were added, which
// is the order the window searches and reads them in; a node's parent is given when it is added
// and it goes after its parent's last child.
class ModeloArbol : public QAbstractItemModel {
    Q_OBJECT

  public:
    static constexpr int kNinguno = -1;  // no node: the parent of a node at the top level

    explicit ModeloArbol(QObject* parent = nullptr);
    ~ModeloArbol() override;

    // Removes every node.
    void Vaciar();
    // Building the tree anew: ComenzarCarga removes every node, and until TerminarCarga nodes
    // are added without telling the views, which see them all at once at the end.
    void ComenzarCarga(int nodosPrevistos = 0);
    // Room for this many nodes in all, once their number is known.
    void Reservar(int nodos);
    void TerminarCarga();
    // Adds a node as the last child of padre (kNinguno: at the top level) and returns its number.
    // A key already in use raises 35602 and adds nothing.
    int Agregar(int padre, QString clave, QString texto);

    // Where a node whose key is largo characters long goes when actual is the node added last:
    // beside the first of actual and its ancestors whose key is as long (under its parent), or
    // under the first whose key is shorter. Raises 91 when none is (nothing is above the top).
    int PadreSegunLargo(int actual, qsizetype largo) const;

    int Nodos() const { return static_cast<int>(nodos_.size()); }
    int Padre(int nodo) const { return At(nodo).padre; }
    const std::vector<int>& Hijos(int nodo) const { return At(nodo).hijos; }
    const QString& Clave(int nodo) const { return At(nodo).clave; }
    const QString& Texto(int nodo) const { return At(nodo).texto; }

    // The first node, in the order they were added, whose code part (the text before its first
    // "-") or description part (the text after it), both trimmed, starts with texto ignoring
    // case; a text without "-" is compared whole. kNinguno when none does.
    int Buscar(const QString& texto) const;

    // Whether nodes show a check box.
    void PonerCasillas(bool casillas);
    bool Casillas() const { return casillas_; }
    bool Marcado(int nodo) const { return At(nodo).marcado; }
    // Sets the mark of every child of a node, without announcing it as the user's.
    void MarcarHijos(int nodo, bool marcado);

    QModelIndex Indice(int nodo) const;
    // The node of an index of this model, or kNinguno.
    int NodoDe(const QModelIndex& index) const;

    // ---- QAbstractItemModel ----
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    // The user ticked or cleared a node (through a view).
    void NodoMarcado(int nodo);

  private:
    struct Nodo {
        QString clave;
        QString texto;
        qsizetype guion = -1;  // where the search cuts the text: its first "-", or -1
        int padre = kNinguno;
        int fila = 0;  // the position among its parent's children
        std::vector<int> hijos;
        bool marcado = false;
    };

    // A key as keys are compared, ignoring case, without a folded copy of each.
    struct ClaveSinCaso {
        QString clave;
        bool operator==(const ClaveSinCaso& otra) const {
            return clave.compare(otra.clave, Qt::CaseInsensitive) == 0;
        }
        static size_t Hash(const QString& clave, size_t seed) noexcept;
        friend size_t qHash(const ClaveSinCaso& clave, size_t seed) noexcept {
            return Hash(clave.clave, seed);
        }
    };

    const Nodo& At(int nodo) const { return nodos_.at(static_cast<size_t>(nodo)); }
    const std::vector<int>& Filas(int padre) const;

    std::vector<Nodo> nodos_;
    std::vector<int> raices_;
    QSet<ClaveSinCaso> claves_;  // the keys in use
    bool casillas_ = false;
    bool cargando_ = false;
};

}  // namespace lookup
