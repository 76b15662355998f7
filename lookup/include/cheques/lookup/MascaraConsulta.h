#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// The query-mask file: fixed 1202-byte records, no header, each five text fields of one byte
// per character in the Windows-1252 code page, padded to their length.
namespace lookup {

// One record of the query-mask file, decoded as stored (padding included).
struct MascaraConsulta {
    QString Texto1;
    QString TablaMascara;   // table or view the mask is for
    QString CamposMascara;  // column list, separated by "|" or ","
    QString FiltroMascara;  // condition without the word WHERE; may be empty
    QString Texto5;
};

inline constexpr int kLargoRegistroMascara = 1202;

// Text of Windows-1252 bytes (0x80 is "€"; the five unassigned bytes keep their code).
QString DesdeWindows1252(QByteArrayView bytes);

// Decodes one record; a short record reads as if padded with NUL bytes.
MascaraConsulta DecodificarMascara(QByteArrayView registro);

// The first record of the file at ruta whose table is tabla. Nothing when no record matches,
// when there is no regular file at ruta, or when it cannot be read.
std::optional<MascaraConsulta> BuscarMascara(const QString& ruta, const QString& tabla);

}  // namespace lookup
