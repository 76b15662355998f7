#include "db/Proveedores.h"

#include "runtime/Text.h"

namespace db {

bool EsProveedorOracle(const QString& proveedor) {
    return rt::text::Contains(proveedor, QStringLiteral("ORACLE"));
}

}  // namespace db
