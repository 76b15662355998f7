#pragma once

#include <QString>

namespace db {

// True when a provider setting (gProveedor) names ORACLE, in any case: the opening then writes
// the Oracle connection string, and the column check answers without asking.
bool EsProveedorOracle(const QString& proveedor);

}  // namespace db
