#pragma once

#include <QColor>
#include <optional>

#include "cheques/runtime/Currency.h"
#include "cheques/runtime/Variant.h"

// The stock colouring of an articles list: each row's level from its reorder point and stock,
// and the configured colour of each level.
namespace lookup {

// The level of an article: 1 with no reorder point and stock on hand, 2 above its reorder
// point, 3 below it, 4 in every other case (at the reorder point, no stock, a negative point).
int NivelStock(rt::Currency puntoPedido, rt::Currency stock);

// A configured colour: a whole number red + 256 x green + 65536 x blue (255 is pure red,
// 16711680 pure blue). Nothing when the value is not such a number.
std::optional<QColor> ColorConfigurado(const rt::Variant& valor);

}  // namespace lookup
