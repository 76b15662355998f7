#pragma once

#include <QString>
#include <cstdint>

// How provider failures map onto the error numbers the SQL Server OLE DB provider raises:
// syntax or unknown column, missing table, integrity violation, timeout or busy, or anything
// else (the rt::err::Provider* numbers). SQLite's result codes map in sqlite/SqliteErrors.h.
namespace ado {

// From an ODBC SQLSTATE: 42S02 (PostgreSQL: 42P01) missing tables, 42xxx and 37000 syntax,
// 23xxx integrity, HYT00/HYT01/S1T00 (PostgreSQL: 57014) timeout.
int32_t ErrorNumberForSqlState(const QString& sqlState);

}  // namespace ado
