#pragma once

#include <QString>

namespace db {

// The provider that the dialog's "ORACLE" entry selects.
inline constexpr const char* kProveedorOracle = "OraOLEDB.Oracle.1";

// A value as it goes into a connection string: as it stands, or between double quotes (inner
// double quotes doubled) when it holds ";", starts with a quote or a brace, or has blanks at an
// end, so that it can neither end early, add attributes nor lose its blanks.
QString ValorConnString(const QString& valor);

// The connection string of the settings. A provider containing "ORACLE" (any case) gives
// "Provider=OraOLEDB.Oracle.1;Data Source=DB;User Id=USER;Password=PWD;" (server and extended
// attributes unused); any other gives "PROVIDER=P;Server=S;Database =DB;UId=USER;Pwd=PWD;"
// followed by the extended attributes as they stand.
QString ArmaConnString(const QString& proveedor, const QString& servidor, const QString& dbName,
                       const QString& usuario, const QString& password, const QString& extended);

}  // namespace db
