#pragma once

#include <QString>
#include <QStringList>

#include "cheques/lookup/MascaraConsulta.h"

// The statements a lookup request builds from what its caller gives it. Pure text functions:
// every comparison ignores letter case, and no database is read here.
namespace lookup {

// Rows a built statement selects when "TopConsArt" gives no number.
inline constexpr int kFilasPorDefecto = 1000;

// The caller's condition ready to be joined to a statement: a condition longer than one
// character (once trimmed) whose first character is not "(" is wrapped as " (" + where + ") ".
QString EnvolverCondicion(const QString& where);

// The row limit N of the built statements from the text stored under "TopConsArt": its
// leading number rounded half to even; 1000 when that is below 1, no number, or beyond a 32-bit
// whole number.
int FilasConsulta(const QString& topConsArt);

// Whether the request was given a complete statement rather than a table or view name.
bool EsSentenciaCompleta(const QString& sql);

// A complete statement as the window receives it: the articles view V_MA_ARTICULOS, named as a
// whole name, becomes its stock view VT_MA_ARTICULOS.
QString SentenciaCompleta(const QString& sql);

// A statement built by the request and the search column it settled on.
struct SentenciaArmada {
    QString sentencia;
    QString campoBusqueda;
};

// What a query mask gives for a table. A mask whose column list has no "," cannot name a search
// column by itself: without one from the caller, the request stops with a message.
struct ArmadoMascara {
    bool configurada = true;
    SentenciaArmada armada;
};

// Whether the mask is the one of the table (its table field without padding, trimmed).
bool MascaraCorresponde(const MascaraConsulta& mascara, const QString& tabla);

// The statement of a matching mask: "SELECT TOP N <columns> FROM <table>", its filter (or the
// caller's wrapped condition, or the fixed filter of the customers, suppliers and articles
// views) and "ORDER BY" the search column. campoBusqueda is the caller's, possibly empty.
ArmadoMascara SentenciaDeMascara(const MascaraConsulta& mascara, int filas,
                                 const QString& campoBusqueda, const QString& where);

// The statement made from a table's own columns, given their names in field order: every
// column but ID and the two stamp columns, in reverse order, ordered by the description-like
// column (DESCRIPCION, NOMBRE, DETALLE) or else the first one listed. campoBusqueda is the
// caller's and stays when every column is skipped.
SentenciaArmada SentenciaDeColumnas(const QStringList& campos, const QString& tabla, int filas,
                                    const QString& campoBusqueda);

// The statement that reads one row of a table only to learn its columns.
QString SentenciaColumnasDe(const QString& tabla);

}  // namespace lookup
