#include "cheques/lookup/MascaraConsulta.h"

#include <QFile>
#include <QFileInfo>
#include <array>

#include "SentenciasConsulta.h"

namespace lookup {

namespace {

// Where each field of a record starts and how long it is.
struct Campo {
    int inicio;
    int largo;
    QString MascaraConsulta::*destino;
};

constexpr std::array<Campo, 5> kCampos{{
    {0, 100, &MascaraConsulta::Texto1},
    {100, 100, &MascaraConsulta::TablaMascara},
    {200, 500, &MascaraConsulta::CamposMascara},
    {700, 500, &MascaraConsulta::FiltroMascara},
    {1200, 2, &MascaraConsulta::Texto5},
}};

// The characters of bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kAltos{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr unsigned char kPrimerAlto = 0x80;
constexpr unsigned char kUltimoAlto = 0x9F;

}  // namespace

QString DesdeWindows1252(QByteArrayView bytes) {
    QString texto(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        texto[i] = (b >= kPrimerAlto && b <= kUltimoAlto) ? QChar(kAltos[b - kPrimerAlto])
                                                          : QChar(static_cast<char16_t>(b));
    }
    return texto;
}

MascaraConsulta DecodificarMascara(QByteArrayView registro) {
    QByteArray completo =
        registro.first(std::min<qsizetype>(registro.size(), kLargoRegistroMascara)).toByteArray();
    completo.resize(kLargoRegistroMascara, '\0');
    MascaraConsulta mascara;
    for (const Campo& campo : kCampos) {
        mascara.*campo.destino =
            DesdeWindows1252(QByteArrayView(completo).sliced(campo.inicio, campo.largo));
    }
    return mascara;
}

std::optional<MascaraConsulta> BuscarMascara(const QString& ruta, const QString& tabla) {
    // Only a regular file: a folder, a device or a pipe could not be read or would block.
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile()) {
        return std::nullopt;
    }
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    for (;;) {
        const QByteArray registro = archivo.read(kLargoRegistroMascara);
        if (registro.isEmpty()) {
            return std::nullopt;  // the end of the file, or a read that failed
        }
        MascaraConsulta mascara = DecodificarMascara(registro);
        if (MascaraCorresponde(mascara, tabla)) {
            return mascara;
        }
    }
}

}  // namespace lookup
