#pragma once

#include <QString>

// The component tells an Oracle connection by the word ORACLE (any case) in a connection string,
// three ways. They differ on purpose, and callers depend on each: AbrirRecordset and
// EjecutaConsultaSQL read the string of the open connection, the rewrite reads the settings'
// gConnString (which a caller may set without opening), and only AbrirRecordset ignores the word
// at the very start of the string. Which string is written comes from EsProveedorOracle.
namespace db {

// AbrirRecordset: the word from the second character on of the open connection's string.
bool AbreEnOracle(const QString& connString);

// EjecutaConsultaSQL: the word anywhere in the open connection's string.
bool EjecutaEnOracle(const QString& connString);

// ORACLE_Dicc: the word anywhere in gConnString.
bool TraduceParaOracle(const QString& gConnString);

}  // namespace db
