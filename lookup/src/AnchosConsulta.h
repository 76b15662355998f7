#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <vector>

// The column-width file "CONSULTASLEN.KDX" that every list window shares: one record per table,
// each a line of two quoted fields, the table name and its widths text ("1440|2880|960|", each
// width in twips written in the user's regional format and followed by "|"). Lines end with a
// carriage return and a line feed; table names are matched ignoring case.
namespace lookup {

inline const QString kArchivoAnchos = QStringLiteral("CONSULTASLEN.KDX");

// The per-user application data folder, which stands for the program's own folder (the
// installed program's folder is read-only here).
QString CarpetaPrograma();

// The path of the width file in a folder.
QString RutaAnchos(const QString& carpeta);

// One record of the file.
struct RegistroAnchos {
    QString tabla;
    QString anchos;
};

// Reads one line: each field with or without quotes; an unquoted field ends at the next comma
// or at the line end, without its surrounding blanks.
RegistroAnchos LeerRegistroAnchos(const QByteArray& linea);

// The line of a record, with its line end.
QByteArray EscribirRegistroAnchos(const RegistroAnchos& registro);

// The widths text of the columns, left to right.
QString TextoAnchos(std::span<const double> anchosTwips);

// The widths a record's text gives to the first `columnas` columns, left to right, up to the
// first piece that is missing or is not a width; nothing is read past it.
std::vector<double> AnchosDeTexto(const QString& anchos, int columnas);

// The table whose record a window reads and writes: once the file exists, the stock articles
// table shares the record of the articles view.
QString TablaDeAnchos(const QString& tablaConsulta, bool archivoExiste);

// The widths stored for a table in the file at ruta, column by column: every record of the
// table applied in turn, the reading ending at the first width that cannot be read. Nothing for
// a column that no record sets; all nothing when the file cannot be read.
std::vector<std::optional<double>> AnchosGuardados(const QString& ruta, const QString& tabla,
                                                   int columnas);

// Stores the record of a table in the file of a folder, keeping the other tables' records as
// they are. The file is read, changed and renamed over under a lock file beside it
// ("CONSULTASLEN.KDX.lock"), through a temporary file of its own per writer (where a single
// "CONSULTASLEN.AUX" once served every window), written whole and flushed to the disk: windows
// of several programs closing together keep every table's record, and a failure at any point
// leaves the file as it was. A failure (a full disk, anything but a regular file at the path)
// raises "path/file access error" (75) naming the file and the reason.
void GuardarAnchos(const QString& carpeta, const RegistroAnchos& registro);

}  // namespace lookup
