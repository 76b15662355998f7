#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "cheques/runtime/Variant.h"

namespace lookup {

// The cells of one column of a list window, in the order the rows were added, held compactly:
// a kind and eight bytes a cell, and the column's texts one after another in large blocks. A
// number, a date or a boolean keeps its value and is written as text, as the value's own
// conversion writes it, each time its text is asked for, so a large result holds neither a
// variant nor a second copy per cell.
class ColumnaConsulta {
  public:
    ColumnaConsulta();
    ~ColumnaConsulta();
    ColumnaConsulta(ColumnaConsulta&&) noexcept;
    ColumnaConsulta& operator=(ColumnaConsulta&&) noexcept;

    // Adds a cell at the end; Null and Empty are an empty text.
    void Agregar(const rt::Variant& valor);
    // The cell takes a text in place of its value.
    void PonerTexto(size_t celda, QStringView texto);

    QString Texto(size_t celda) const;
    // Calls f with the cell's text, a view that lasts only as long as the call: a text cell
    // costs no copy.
    template <typename F>
    decltype(auto) ConTexto(size_t celda, F&& f) const {
        switch (tipos_[celda]) {
            case Tipo::Vacio:
                return f(QStringView());
            case Tipo::Texto:
                return f(Vista(valores_[celda]));
            case Tipo::TextoLargo:
                return f(QStringView(largos_[static_cast<size_t>(valores_[celda])]));
            default: {
                const QString texto = Valor(celda).ToString();
                return f(QStringView(texto));
            }
        }
    }

  private:
    enum class Tipo : uint8_t {
        Vacio,
        Texto,
        TextoLargo,
        Long,
        LongLong,
        Double,
        Currency,
        Boolean,
        Fecha
    };

    // The value of a cell that is neither empty nor a text.
    rt::Variant Valor(size_t celda) const;
    // Where a text is kept: its position in the blocks and its length, or its place among the
    // long ones.
    uint64_t Guardar(QStringView texto, Tipo& tipo);
    QStringView Vista(uint64_t lugar) const;

    std::deque<Tipo> tipos_;
    std::deque<uint64_t> valores_;  // a number's bits, a text's place, or a date's index
    std::vector<std::unique_ptr<char16_t[]>> bloques_;
    size_t usado_ = 0;  // characters taken in the last block
    std::vector<QString> largos_;
    std::vector<QDateTime> fechas_;
};

}  // namespace lookup
