#include "ConfigStatements.h"

#include "SqlText.h"
#include "cheques/runtime/Text.h"

namespace db {

namespace {

bool EsClaveDeFecha(const QString& clave) {
    return rt::text::Equals(clave, QStringLiteral("[FECHA HASTA]")) ||
           rt::text::Equals(clave, QStringLiteral("[FECHA DESDE]"));
}

}  // namespace

QString SentenciaLeerConfig(const QString& tabla, const QString& clave) {
    const QString limpia = rt::text::Trim(clave);
    const QString sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + tabla +
                        QStringLiteral(" WHERE CLAVE = ") + QuoteSqlText(limpia);
    return EsClaveDeFecha(limpia) ? rt::text::UCase(sql) : sql;
}

}  // namespace db
