#include "ColumnaConsulta.h"

#include <algorithm>
#include <bit>

namespace lookup {

namespace {

// Texts are kept in blocks of this many characters; one longer than a quarter of a block is kept
// on its own, so that a block wastes little at its end.
constexpr size_t kBloque = 16384;
constexpr size_t kLargo = kBloque / 4;
constexpr int kBitsLargo = 32;
constexpr uint64_t kMascaraLargo = 0xFFFFFFFFU;

uint64_t Bits(int64_t numero) {
    return static_cast<uint64_t>(numero);
}

int64_t Numero(uint64_t bits) {
    return static_cast<int64_t>(bits);
}

}  // namespace

ColumnaConsulta::ColumnaConsulta() = default;
ColumnaConsulta::~ColumnaConsulta() = default;
ColumnaConsulta::ColumnaConsulta(ColumnaConsulta&&) noexcept = default;
ColumnaConsulta& ColumnaConsulta::operator=(ColumnaConsulta&&) noexcept = default;

void ColumnaConsulta::Agregar(const rt::Variant& valor) {
    Tipo tipo = Tipo::Vacio;
    uint64_t bits = 0;
    switch (valor.VarType()) {
        case rt::Variant::Type::String:
            bits = Guardar(valor.ToString(), tipo);
            break;
        case rt::Variant::Type::Long:
            tipo = Tipo::Long;
            bits = Bits(valor.ToLong());
            break;
        case rt::Variant::Type::LongLong:
            tipo = Tipo::LongLong;
            bits = Bits(valor.ToLongLong());
            break;
        case rt::Variant::Type::Double:
            tipo = Tipo::Double;
            bits = std::bit_cast<uint64_t>(valor.ToDouble());
            break;
        case rt::Variant::Type::Currency:
            tipo = Tipo::Currency;
            bits = Bits(valor.ToCurrency().Scaled());
            break;
        case rt::Variant::Type::Boolean:
            tipo = Tipo::Boolean;
            bits = valor.ToBool() ? 1 : 0;
            break;
        case rt::Variant::Type::Date:
            tipo = Tipo::Fecha;
            bits = fechas_.size();
            fechas_.push_back(valor.ToDate());
            break;
        case rt::Variant::Type::Empty:
        case rt::Variant::Type::Null:
            break;
    }
    tipos_.push_back(tipo);
    valores_.push_back(bits);
}

void ColumnaConsulta::PonerTexto(size_t celda, QStringView texto) {
    Tipo tipo = Tipo::Vacio;
    const uint64_t bits = Guardar(texto, tipo);
    tipos_[celda] = tipo;
    valores_[celda] = bits;
}

QString ColumnaConsulta::Texto(size_t celda) const {
    if (tipos_[celda] == Tipo::TextoLargo) {
        return largos_[static_cast<size_t>(valores_[celda])];  // shared, not copied
    }
    return ConTexto(celda, [](QStringView texto) { return texto.toString(); });
}

rt::Variant ColumnaConsulta::Valor(size_t celda) const {
    const uint64_t bits = valores_[celda];
    switch (tipos_[celda]) {
        case Tipo::Long:
            return rt::Variant(static_cast<int>(Numero(bits)));
        case Tipo::LongLong:
            return rt::Variant(Numero(bits));
        case Tipo::Double:
            return rt::Variant(std::bit_cast<double>(bits));
        case Tipo::Currency:
            return rt::Variant(rt::Currency::FromScaled(Numero(bits)));
        case Tipo::Boolean:
            return rt::Variant(bits != 0);
        case Tipo::Fecha:
            return rt::Variant(fechas_[static_cast<size_t>(bits)]);
        case Tipo::Vacio:
        case Tipo::Texto:
        case Tipo::TextoLargo:
            break;
    }
    return rt::Variant(Texto(celda));
}

uint64_t ColumnaConsulta::Guardar(QStringView texto, Tipo& tipo) {
    const auto largo = static_cast<size_t>(texto.size());
    if (largo == 0) {
        tipo = Tipo::Vacio;
        return 0;
    }
    if (largo > kLargo) {
        tipo = Tipo::TextoLargo;
        largos_.push_back(texto.toString());
        return largos_.size() - 1;
    }
    if (bloques_.empty() || usado_ + largo > kBloque) {
        bloques_.push_back(std::make_unique_for_overwrite<char16_t[]>(kBloque));
        usado_ = 0;
    }
    std::copy_n(texto.utf16(), largo, bloques_.back().get() + usado_);
    const uint64_t posicion = (bloques_.size() - 1) * kBloque + usado_;
    usado_ += largo;
    tipo = Tipo::Texto;
    return (posicion << kBitsLargo) | largo;
}

QStringView ColumnaConsulta::Vista(uint64_t lugar) const {
    const uint64_t posicion = lugar >> kBitsLargo;
    const auto largo = static_cast<qsizetype>(lugar & kMascaraLargo);
    const char16_t* bloque = bloques_[static_cast<size_t>(posicion / kBloque)].get();
    return {bloque + posicion % kBloque, largo};
}

}  // namespace lookup
