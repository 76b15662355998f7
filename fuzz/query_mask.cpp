// The query-mask file: any bytes decoded as a record, and any file searched for a table.

#include <QFile>

#include "Fuzz.h"
#include "cheques/lookup/MascaraConsulta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QString texto = lookup::DesdeWindows1252(bytes);
    fuzz::Exigir(texto.size() == bytes.size(), "a character per byte", texto);
    const lookup::MascaraConsulta primera = lookup::DecodificarMascara(bytes);
    const QString ruta = fuzz::Carpeta() + QStringLiteral("/mascaras.dat");
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    archivo.write(bytes.data(), bytes.size());
    archivo.close();
    lookup::BuscarMascara(ruta, primera.TablaMascara.trimmed());
    return 0;
}
