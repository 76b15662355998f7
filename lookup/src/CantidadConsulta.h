#pragma once

#include <QString>

// The quantity cells of a list window: the column captioned "Cantidad" holds each row's
// quantity as text.
namespace lookup {

inline const QString kColumnaCantidad = QStringLiteral("Cantidad");

// Decimals of a quantity typed in the prompt, and of one raised or lowered by a key.
inline constexpr int kDecimalesIngresados = 2;
inline constexpr int kDecimalesPaso = 1;

// What a lowered quantity that reaches 0 shows.
inline const QString kCantidadAgotada = QStringLiteral("0.00");

// A quantity written with the user's decimal separator and no thousands separator, as the
// format "########0.00" (or "########0.0") writes it.
QString FormatoCantidad(double valor, int decimales);

// A quantity read with the period as the only decimal point ("2,5" is 2; a text that starts
// with no number is 0).
double ValorCantidad(const QString& celda);

// A quantity as the clerk types it and the cells show it: read in the user's regional format
// ("12,5" in Spanish (Argentina)), or else as ValorCantidad reads it ("12.5"). The prompt's
// answer, the keys that raise and lower a cell and the choice all read it so, so that a
// fractional quantity keeps its fraction.
double CantidadElegida(const QString& celda);

}  // namespace lookup
