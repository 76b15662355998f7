#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// What the fuzz targets share: the input as text, a folder for the files they write, and a
// property check that stops the run (libFuzzer keeps the input as a crash) with both sides
// printed.
namespace fuzz {

// The input read as UTF-8, as text typed or read from a file reaches the program.
inline QString Texto(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The next field of a structured input, read as UTF-8.
inline QString Campo(FuzzedDataProvider& datos) {
    const std::string bytes = datos.ConsumeRandomLengthString();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A folder of the run's own, in memory when the system offers one, removed when the run ends.
inline const QString& Carpeta() {
    static const QTemporaryDir carpeta(QDir(QStringLiteral("/dev/shm")).exists()
                                           ? QStringLiteral("/dev/shm/cheques-fuzz-XXXXXX")
                                           : QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    static const QString ruta = carpeta.path();
    return ruta;
}

// Stops the run when a property does not hold.
inline void Exigir(bool cumple, const char* propiedad, const QString& obtenido = {},
                   const QString& esperado = {}) {
    if (cumple) {
        return;
    }
    std::fprintf(stderr, "property broken: %s\n  got:      \"%s\"\n  expected: \"%s\"\n", propiedad,
                 obtenido.toUtf8().constData(), esperado.toUtf8().constData());
    std::abort();
}

}  // namespace fuzz
