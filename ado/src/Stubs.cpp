// Placeholders until the providers land.
#include "AdoError.h"
#include "SessionFactory.h"
#include "ado/ConnectionString.h"
#include "ado/ProviderErrors.h"
#include "ado/SqliteDialect.h"
#include "runtime/RuntimeError.h"

namespace ado {

std::vector<std::pair<QString, QString>> ParseConnectionString(const QString&) {
    return {};
}
QString ConnectionStringValue(const QString&, const QString&) {
    return {};
}
ConnectionTarget TranslateConnectionString(const QString&, const QString&, const QString&,
                                           const OdbcDrivers&) {
    RaiseAdoError(err::ProviderNotFound);
}
QString MaskPassword(const QString& cs) {
    return cs;
}
QString QuoteOdbcValue(const QString& value) {
    return value;
}
QString ToSqliteDialect(const QString& sql) {
    return sql;
}
QString RewriteTop(const QString& sql) {
    return sql;
}
QString RewriteIsNull(const QString& sql) {
    return sql;
}
QString RemoveOwnerPrefix(const QString& sql) {
    return sql;
}
QString RewriteUnicodeLiterals(const QString& sql) {
    return sql;
}
QString AddCaseInsensitiveCollation(const QString& sql) {
    return sql;
}
int32_t ErrorNumberForSqlState(const QString&) {
    return rt::err::ProviderUnspecified;
}
int32_t ErrorNumberForSqlite(int, const QString&) {
    return rt::err::ProviderUnspecified;
}
QString SqlStateForSqlite(int, const QString&) {
    return QStringLiteral("HY000");
}
std::unique_ptr<Session> OpenSqliteSession(const ConnectionTarget&, Errors&, int32_t) {
    RaiseAdoError(err::ProviderNotFound);
}
std::unique_ptr<Session> OpenOdbcSession(const ConnectionTarget&, Errors&, int32_t, int32_t) {
    RaiseAdoError(err::ProviderNotFound);
}

}  // namespace ado
