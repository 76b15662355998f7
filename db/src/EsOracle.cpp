#include "EsOracle.h"

#include <QFileInfo>

#include "cheques/ado/ConnectionString.h"
#include "cheques/runtime/Text.h"

namespace db {

namespace {

const QString kOracle = QStringLiteral("ORACLE");

QString Valor(const QString& connString, const char* clave) {
    return ado::ConnectionStringValue(connString, QString::fromLatin1(clave));
}

bool ConductorOracle(const QString& connString) {
    const QString extendidas = Valor(connString, "Extended Properties");
    return rt::text::Contains(Valor(connString, "Driver"), kOracle) ||
           rt::text::Contains(Valor(extendidas, "Driver"), kOracle);
}

}  // namespace

bool EsConexionOracle(const QString& connString) {
    switch (ado::ProviderKindOf(connString).value_or(ado::ProviderKind::SqlServer)) {
        case ado::ProviderKind::Oracle:
            return true;
        case ado::ProviderKind::Odbc:
            return ConductorOracle(connString);
        case ado::ProviderKind::Sqlite:
            return rt::text::Contains(QFileInfo(Valor(connString, "Data Source")).fileName(),
                                      kOracle);
        case ado::ProviderKind::SqlServer:
            break;
    }
    return false;
}

}  // namespace db
