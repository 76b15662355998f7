// The column-width file "CONSULTASLEN.KDX": any line read as a record, any widths text read
// as widths, any file read for a table; a record written reads back as it was.

#include <QFile>

#include "AnchosConsulta.h"
#include "Fuzz.h"

namespace {

constexpr int kColumnas = 12;  // columns a window asks widths for

// A table name and a widths text that a record can hold: no quote, no line break.
bool Escribible(const QString& texto) {
    return !texto.contains(QLatin1Char('"')) && !texto.contains(QLatin1Char('\r')) &&
           !texto.contains(QLatin1Char('\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray primera = bytes.left(bytes.indexOf('\n'));
    const lookup::RegistroAnchos registro = lookup::LeerRegistroAnchos(primera);
    const std::vector<double> anchos = lookup::AnchosDeTexto(registro.anchos, kColumnas);
    fuzz::Exigir(anchos.size() <= static_cast<std::size_t>(kColumnas), "no more widths than asked",
                 registro.anchos);
    if (Escribible(registro.tabla) && Escribible(registro.anchos)) {
        const lookup::RegistroAnchos leido =
            lookup::LeerRegistroAnchos(lookup::EscribirRegistroAnchos(registro));
        fuzz::Exigir(leido.tabla == registro.tabla, "the table reads back", leido.tabla,
                     registro.tabla);
        fuzz::Exigir(leido.anchos == registro.anchos, "the widths read back", leido.anchos,
                     registro.anchos);
    }
    const QString ruta = lookup::RutaAnchos(fuzz::Carpeta());
    QFile archivo(ruta);
    if (archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        archivo.write(bytes);
        archivo.close();
        const auto guardados = lookup::AnchosGuardados(ruta, registro.tabla, kColumnas);
        fuzz::Exigir(guardados.size() == static_cast<std::size_t>(kColumnas), "a width per column",
                     registro.tabla);
    }
    return 0;
}
