#pragma once

#include <QString>

// Whether a connection string takes the component's Oracle road (the statements rewritten for
// Oracle, scripts cut into statements). AbrirRecordset and EjecutaConsultaSQL ask it of the open
// connection's string, the rewrite of gConnString (which a caller may set without opening).
namespace db {

// Decided by the provider the string names, never by a user, a password or a folder that
// happens to hold the word ORACLE:
// - "OraOLEDB.Oracle..." or "MSDAORA" (any case): Oracle;
// - the ODBC road (no provider, or "MSDASQL"): a driver ("Driver", also inside "Extended
//   Properties") whose name holds ORACLE; a data source name alone does not tell;
// - the embedded database ("Provider=SQLite"), which stands in for a server in tests and
//   trials: a file name (not its folder) holding ORACLE, as "/tmp/ORACLE.db";
// - any other provider: not Oracle.
bool EsConexionOracle(const QString& connString);

}  // namespace db
