#include "SqliteErrors.h"

#include <sqlite3.h>

#include "ProviderErrors.h"

namespace ado {

namespace {
bool IsMissingTable(const QString& message) {
    return message.startsWith(QLatin1String("no such table")) ||
           message.startsWith(QLatin1String("no such view"));
}
}  // namespace

QString SqlStateForSqlite(int resultCode, const QString& message) {
    switch (resultCode & 0xff) {
        case SQLITE_ERROR:
            if (IsMissingTable(message)) {
                return QStringLiteral("42S02");
            }
            return message.startsWith(QLatin1String("no such column")) ? QStringLiteral("42S22")
                                                                       : QStringLiteral("42000");
        case SQLITE_CONSTRAINT:
            return QStringLiteral("23000");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_INTERRUPT:
            return QStringLiteral("HYT00");
        case SQLITE_CANTOPEN:
        case SQLITE_NOTADB:
            return QStringLiteral("08001");
        default:
            return QStringLiteral("HY000");
    }
}

// The number follows from the SQLSTATE, as it does for an ODBC driver's failure: one mapping.
int32_t ErrorNumberForSqlite(int resultCode, const QString& message) {
    return ErrorNumberForSqlState(SqlStateForSqlite(resultCode, message));
}

}  // namespace ado
