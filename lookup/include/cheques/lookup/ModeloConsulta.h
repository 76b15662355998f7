#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "cheques/runtime/Variant.h"

namespace lookup {

class ColumnaConsulta;

// The rows of a list window: for each row its text and sub-item texts, its check box, and the
// text colour and weight of the whole row. Rows keep the order they were added in; sorting only
// changes the order they are shown in. Every row position taken or given here counts in the
// shown order, from 0.
//
// A cell may be given a value that is not a text (a number, a date): it keeps the value and is
// written as text, as the value's own conversion writes it, whenever its text is needed. Cells
// are held column by column in a compact store, and a row's tick, colour and weight only once
// some row has one, so that a large result costs little more than its texts.
class ModeloConsulta : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit ModeloConsulta(QObject* parent = nullptr);
    ~ModeloConsulta() override;

    // Replaces the columns, which removes every row.
    void PonerColumnas(const QStringList& titulos);
    const QStringList& Titulos() const { return titulos_; }
    int Columnas() const { return static_cast<int>(titulos_.size()); }
    int Filas() const { return static_cast<int>(filas_); }

    // Removes every row.
    void Vaciar();

    // Adding many rows: between the two calls rows are added without telling the views, which
    // see them all at once at the end.
    void ComenzarCarga(int filasPrevistas = 0);
    void TerminarCarga();
    // Adds a row at the end of the shown order; missing cells are empty, extra ones ignored. A
    // Null or Empty value is an empty text.
    void AgregarFila(std::vector<rt::Variant>&& celdas, bool marcada = false);

    QString Texto(int fila, int columna) const;
    // Whether a cell's text, without surrounding spaces, starts with inicio, ignoring case; a
    // search over many rows asks this without a copy of each text.
    bool EmpiezaCon(int fila, int columna, QStringView inicio) const;
    void PonerTexto(int fila, int columna, const QString& texto);

    // Whether rows show a check box (in their first column).
    void PonerCasillas(bool casillas);
    bool Casillas() const { return casillas_; }
    bool Marcada(int fila) const;
    void Marcar(int fila, bool marcada);

    // The row's text colour (nothing: the list's own) and weight.
    void PonerEstilo(int fila, std::optional<QColor> color, bool negrita);
    std::optional<QColor> Color(int fila) const;
    bool Negrita(int fila) const;

    // Shows the rows ordered by the texts of a column, as the user's language orders words and
    // ignoring letter case; rows with equal texts keep their relative order.
    void Ordenar(int columna, Qt::SortOrder orden);

    // The distinct texts of a column, in the shown order.
    QStringList TextosDistintos(int columna) const;

    // ---- QAbstractTableModel ----
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    // A row's tick, colour and weight in one word: the colour's red, green and blue in the upper
    // three bytes, and the flags below.
    static constexpr uint32_t kMarcada = 1U;
    static constexpr uint32_t kNegrita = 2U;
    static constexpr uint32_t kConColor = 4U;
    static constexpr int kBitsColor = 8;

    size_t Almacen(int fila) const {
        return orden_.empty() ? static_cast<size_t>(fila)
                              : static_cast<size_t>(orden_[static_cast<size_t>(fila)]);
    }
    uint32_t Estado(int fila) const { return estados_.empty() ? 0 : estados_[Almacen(fila)]; }
    uint32_t& Estado(int fila);
    void AvisarFila(int fila, const QList<int>& roles);
    void Limpiar();

    QStringList titulos_;
    std::vector<ColumnaConsulta> columnas_;  // each column's cells, in the order rows were added
    size_t filas_ = 0;
    // Likewise, each row's state; empty while every row is plain.
    std::vector<uint32_t> estados_;
    // The shown order: for each shown row, its added row; empty while it is the added order.
    std::vector<int> orden_;
    bool casillas_ = false;
    bool cargando_ = false;
    QFont negrita_;
};

}  // namespace lookup
