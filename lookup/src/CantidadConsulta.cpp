#include "CantidadConsulta.h"

#include <QLocale>

#include "cheques/runtime/Text.h"

namespace lookup {

QString FormatoCantidad(double valor, int decimales) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(valor, 'f', decimales);
}

double ValorCantidad(const QString& celda) {
    return rt::text::Val(celda);
}

double CantidadElegida(const QString& celda) {
    if (const auto numero = rt::text::TextToNumber(celda)) {
        return *numero;
    }
    return ValorCantidad(celda);
}

}  // namespace lookup
