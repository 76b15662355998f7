#include "StockConsulta.h"

#include "cheques/runtime/RuntimeError.h"

namespace lookup {

namespace {

constexpr int32_t kColorMaximo = 0xFFFFFF;
constexpr int kBitsPorCanal = 8;
constexpr int32_t kMascaraCanal = 0xFF;

}  // namespace

int NivelStock(rt::Currency puntoPedido, rt::Currency stock) {
    const rt::Currency cero;
    if (puntoPedido == cero && stock > cero) {
        return 1;
    }
    if (puntoPedido > cero && stock > puntoPedido) {
        return 2;
    }
    if (puntoPedido > cero && stock < puntoPedido) {
        return 3;
    }
    return 4;
}

std::optional<QColor> ColorConfigurado(const rt::Variant& valor) {
    if (valor.IsEmpty() || valor.IsNull()) {
        return std::nullopt;
    }
    int32_t numero = 0;
    try {
        numero = valor.ToLong();
    } catch (const rt::RuntimeError&) {
        return std::nullopt;  // not a number: the setting fails and is passed over
    }
    if (numero < 0 || numero > kColorMaximo) {
        return std::nullopt;
    }
    return QColor(numero & kMascaraCanal, (numero >> kBitsPorCanal) & kMascaraCanal,
                  (numero >> (2 * kBitsPorCanal)) & kMascaraCanal);
}

}  // namespace lookup
