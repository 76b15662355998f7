#include "SqliteErrors.h"

#include <sqlite3.h>

#include "cheques/runtime/RuntimeError.h"

namespace ado {

namespace {
bool IsMissingTable(const QString& message) {
    return message.startsWith(QLatin1String("no such table")) ||
           message.startsWith(QLatin1String("no such view"));
}
}  // namespace

int32_t ErrorNumberForSqlite(int resultCode, const QString& message) {
    switch (resultCode & 0xff) {
        case SQLITE_ERROR:
            return IsMissingTable(message) ? rt::err::ProviderNoTable : rt::err::ProviderSyntax;
        case SQLITE_CONSTRAINT:
            return rt::err::ProviderIntegrity;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_INTERRUPT:
            return rt::err::ProviderTimeout;
        default:
            return rt::err::ProviderUnspecified;
    }
}

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

}  // namespace ado
