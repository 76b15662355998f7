#pragma once

#include <QString>
#include <cstdint>

// How SQLite's failures map onto the SQL Server provider's error numbers and SQLSTATEs, as
// ProviderErrors.h maps an ODBC SQLSTATE.
namespace ado {

// From an SQLite result code (primary or extended) and its message.
int32_t ErrorNumberForSqlite(int resultCode, const QString& message);

// The SQLSTATE that stands for an SQLite failure, for Error::SQLState.
QString SqlStateForSqlite(int resultCode, const QString& message);

}  // namespace ado
