#pragma once

#include <sql.h>

#include <QString>

#include "DeclaredType.h"

namespace ado {

// The ADO type, sizes and value kind of an ODBC column as the SQL Server provider would
// report them; typeName tells money apart from other decimals.
DeclaredType OdbcColumnType(SQLSMALLINT sqlType, SQLULEN columnSize, SQLSMALLINT decimalDigits,
                            const QString& typeName);

}  // namespace ado
