#pragma once

#include <QString>

/// @file
/// The reader of the program's settings kept in the configuration table of its database.

namespace db {

/// The name of the configuration table, shared by the whole program. It starts empty; the first
/// reading that finds it blank sets it to "TA_CONFIGURACION", and any other name a caller gives
/// it is kept.
QString& gTablaConfiguracion();

/// Reads one setting of the configuration table through the default DB_Dll: the row's VALOR is
/// the result and its valoraux goes to valorAux (a null column gives ""). A key without a row
/// gives " " and an empty valorAux. A failure goes to the error handler as "Cfg": Ignore goes on
/// with the next step, any other answer gives "" and leaves valorAux as it stood.
QString LeerConfig(const QString& clave, QString& valorAux);

}  // namespace db
