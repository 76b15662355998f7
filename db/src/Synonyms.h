#pragma once

#include <QString>

namespace db {

// Redirects the seven tables and views that ordinary users read through SS_ synonyms
// (MA_CUENTAS becomes SS_MA_CUENTAS, ...). A name is recognised only between a space or "("
// and a space or ".", or between "," (or "{" for MA_CUENTAS) and "."; so ",MA_CUENTAS " stays
// as written. A name marked "@Admin_" is kept, and the marker is always removed. For an
// administrator only the markers are removed.
QString SS_TSinonimos(const QString& sql, bool esAdmin);

// Every administrator marker "@Admin_" removed, ignoring case.
QString QuitaMarcaAdmin(const QString& sql);

// The text a statement is executed with: a statement carrying a marker only loses its markers,
// a delete statement (any text containing DELETE) is never redirected, any other statement goes
// through SS_TSinonimos.
QString SinonimosParaEjecutar(const QString& sql, bool esAdmin);

}  // namespace db
