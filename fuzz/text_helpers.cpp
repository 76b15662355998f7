// The number and text helpers: Val, TextoAMoneda, TextoAEntero, InStr and InStrRev, the
// replacements, and the regional number text that a value is written in and read back from.

#include <cmath>

#include "Fuzz.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexUtil.h"

namespace {

// Fifteen significant digits give a double back within this relative error.
constexpr double kErrorRelativo = 1e-14;

// A position InStr or InStrRev gives is where the needle stands, ignoring case.
void ExigirPosicion(const QString& texto, const QString& buscado, int posicion, int desde) {
    if (posicion == 0) {
        return;
    }
    fuzz::Exigir(posicion >= desde && posicion <= texto.size() + 1, "a position inside the text",
                 QString::number(posicion), texto);
    const QString hallado = texto.mid(posicion - 1, buscado.size());
    fuzz::Exigir(rt::text::Equals(hallado, buscado), "the needle stands at the position", hallado,
                 buscado);
}

void Numeros(const QString& texto) {
    const vexilo::VexUtil util;
    try {
        util.TextoAMoneda(texto);
    } catch (const rt::RuntimeError&) {
        // Out of range is "overflow".
    }
    try {
        util.TextoAEntero(texto);
    } catch (const rt::RuntimeError&) {
    }
    const double valor = rt::text::Val(texto);
    if (!std::isfinite(valor)) {
        return;
    }
    const QString escrito = rt::text::NumberToText(valor);
    const auto leido = rt::text::TextToNumber(escrito);
    fuzz::Exigir(leido.has_value(), "a written number reads back", escrito, texto);
    fuzz::Exigir(std::abs(*leido - valor) <= std::abs(valor) * kErrorRelativo,
                 "a written number keeps its value", QString::number(*leido, 'g', 17),
                 QString::number(valor, 'g', 17));
}

void Textos(const QString& texto, const QString& buscado, const QString& reemplazo, int desde) {
    const int posicion = rt::text::InStr(texto, buscado, desde);
    ExigirPosicion(texto, buscado, posicion, std::max(desde, 1));
    if (!buscado.isEmpty()) {
        ExigirPosicion(texto, buscado, rt::text::InStrRev(texto, buscado), 1);
        const bool contiene = rt::text::Contains(texto, buscado);
        fuzz::Exigir(contiene == (rt::text::InStr(texto, buscado) > 0), "Contains as InStr", texto,
                     buscado);
        if (!contiene) {
            const QString igual = rt::text::ReplaceAll(texto, buscado, reemplazo);
            fuzz::Exigir(igual == texto, "nothing to replace", igual, texto);
        }
    }
    const QString mayusculas = rt::text::UCase(texto);
    fuzz::Exigir(mayusculas.size() == texto.size(), "UCase keeps the length", mayusculas, texto);
    const vexilo::VexUtil util;
    util.ReemplazarTexto(texto, buscado, reemplazo);
    util.SustituirTexto(texto, buscado, reemplazo);
    util.ContarPalabras(texto);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Numeros(fuzz::Texto(data, size));
    FuzzedDataProvider datos(data, size);
    const int desde = datos.ConsumeIntegralInRange(-2, 64);
    const QString texto = fuzz::Campo(datos);
    const QString buscado = fuzz::Campo(datos);
    const QString reemplazo = fuzz::Campo(datos);
    Textos(texto, buscado, reemplazo, desde);
    return 0;
}
