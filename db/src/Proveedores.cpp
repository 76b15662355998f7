#include "cheques/db/Proveedores.h"

#include "cheques/runtime/Text.h"

namespace db {

bool EsProveedorOracle(const QString& proveedor) {
    return rt::text::Contains(proveedor, QStringLiteral("ORACLE"));
}

}  // namespace db
