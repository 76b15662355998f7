#pragma once

#include <QString>

namespace db {

// The provider that the dialog's "ORACLE" entry selects.
inline constexpr const char* kProveedorOracle = "OraOLEDB.Oracle.1";

// True when a provider setting (gProveedor) names ORACLE, in any case: the opening then writes
// the Oracle connection string, and the column check answers without asking.
bool EsProveedorOracle(const QString& proveedor);

}  // namespace db
