#include "ProviderErrors.h"

#include <sqlite3.h>

#include "cheques/runtime/RuntimeError.h"

namespace ado {

int32_t ErrorNumberForSqlState(const QString& sqlState) {
    const QString state = sqlState.toUpper();
    // PostgreSQL reports its own state for a missing table (undefined_table).
    if (state == QLatin1String("42S02") || state == QLatin1String("S0002") ||
        state == QLatin1String("42P01")) {
        return rt::err::ProviderNoTable;
    }
    if (state.startsWith(QLatin1String("42")) || state == QLatin1String("37000") ||
        state.startsWith(QLatin1String("S00"))) {
        return rt::err::ProviderSyntax;
    }
    if (state.startsWith(QLatin1String("23"))) {
        return rt::err::ProviderIntegrity;
    }
    // PostgreSQL ends a statement that ran past its time (the ODBC query timeout included)
    // with query_canceled.
    if (state == QLatin1String("HYT00") || state == QLatin1String("HYT01") ||
        state == QLatin1String("S1T00") || state == QLatin1String("57014")) {
        return rt::err::ProviderTimeout;
    }
    return rt::err::ProviderUnspecified;
}

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
