#include "ProviderErrors.h"

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

}  // namespace ado
