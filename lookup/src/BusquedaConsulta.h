#pragma once

#include <QString>

// The statements of the list window's database search. Pure text functions; every search in
// the statement ignores letter case.
namespace lookup {

// The table a statement reads: the first word after its first "from" (the window appends a
// blank to its statement first, so a statement ending in its table name works). "" when the
// statement has no "from".
QString TablaDeSentencia(const QString& sql);

// A database search (F5 in a search box) on top of the window's statements.
struct BusquedaArmada {
    QString sql;        // the statement of the next load
    QString ordenPor;   // the "order by" clause cut from the statement, or ""
    QString textoCaja;  // the box's text once "*" has been read as "%" (contains form aside)
};

// Adds to sqlActual (the base of the latest load, without its "order by" when sql has one) the
// condition "<campo> like '<texto>%' " joined with " where " or " and ", with the articles views'
// prefix when the base names its fields that way, and puts the ordering back at the end. With
// contiene the pattern is '%<texto>%' and "*" stays as typed. Quotes in the text are doubled,
// so the text stays inside its pattern.
BusquedaArmada ArmarBusqueda(const QString& sql, const QString& sqlActual, const QString& campo,
                             const QString& texto, bool contiene);

// The tree window's search (F5): "<campo> like '%<texto>%' " joined to sql (without its "order
// by" when it has one) with " where " or " and ", and the ordering put back at the end. Quotes in
// the text are doubled.
BusquedaArmada ArmarBusquedaArbol(const QString& sql, const QString& campo, const QString& texto);

}  // namespace lookup
