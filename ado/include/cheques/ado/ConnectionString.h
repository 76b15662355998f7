#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

// Reading connection strings and turning the OLE DB forms the program writes into what the
// providers behind them take. Pure text functions.
namespace ado {

enum class ProviderKind {
    Sqlite,     // "Provider=SQLite": the embedded database file
    SqlServer,  // "Provider=SQLOLEDB": SQL Server through an ODBC driver
    Oracle,     // "Provider=OraOLEDB.Oracle...": Oracle through an ODBC driver
    Odbc,       // "DSN=" / "Driver=" / "Provider=MSDASQL": given to the driver manager as it is
};

// Names of the ODBC drivers that stand in for the two OLE DB providers.
struct OdbcDrivers {
    QString sqlServer = QStringLiteral("FreeTDS");
    QString oracle = QStringLiteral("Oracle");
};

// Where and how to connect, decided from a connection string.
struct ConnectionTarget {
    ProviderKind kind = ProviderKind::Odbc;
    QString provider;       // "SQLite", "SQLOLEDB", "OraOLEDB.Oracle.1" or "MSDASQL"
    QString databasePath;   // Sqlite: the file ("Data Source")
    bool readOnly = false;  // Sqlite: "Mode=Read"
    bool create = false;    // Sqlite: "Mode=ReadWriteCreate" makes the file when it is missing
    QString odbcString;     // the others: the string for SQLDriverConnect
    int loginTimeout = -1;  // "Connect Timeout" when the string gives one
    int busyTimeout = -1;   // Sqlite: "Busy Timeout" when the string gives one
};

// The keyword/value pairs in order. Keywords are trimmed; values are trimmed unless quoted
// ("..." or '...', doubled quote inside) or braced ({...}, doubled "}" inside).
std::vector<std::pair<QString, QString>> ParseConnectionString(const QString& connectionString);

// The value of a keyword (case ignored, last one wins), or a null QString when absent.
QString ConnectionStringValue(const QString& connectionString, const QString& keyword);

// The kind of provider a connection string names: none or "MSDASQL" is ODBC, "SQLite" the
// embedded database, "SQLOLEDB" (also "SQLNCLI", "MSOLEDBSQL") SQL Server, "OraOLEDB.Oracle" or
// "MSDAORA" Oracle, any case; nothing for any other provider.
std::optional<ProviderKind> ProviderKindOf(const QString& connectionString);

// Decides the provider (ProviderKindOf) and builds its target. A non-empty userId or password
// replaces the one in the string. An unknown provider raises 3706.
ConnectionTarget TranslateConnectionString(const QString& connectionString,
                                           const QString& userId = {}, const QString& password = {},
                                           const OdbcDrivers& drivers = {});

// The connection string with every password value replaced by "***", for messages and logs.
QString MaskPassword(const QString& connectionString);

// An ODBC attribute value, braced when it holds characters that would end or confuse it or
// starts with a quote, so that ParseConnectionString gives it back whole.
QString QuoteOdbcValue(const QString& value);

}  // namespace ado
