#include "SchemaStatements.h"

#include "cheques/runtime/Text.h"

namespace db {

QString SentenciaAddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                          bool PermiteNulos, const std::optional<rt::Variant>& ValorDefault) {
    const QString nulos = PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
    QString porDefecto;
    if (ValorDefault) {
        porDefecto = QStringLiteral(" CONSTRAINT DF_") + rt::text::Trim(Tabla) + QLatin1Char('_') +
                     rt::text::Trim(Campo) + QStringLiteral(" DEFAULT (") + ValorDefault->ToText() +
                     QLatin1Char(')');
    }
    return QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo +
           QLatin1Char(' ') + Tipo + nulos + porDefecto;
}

}  // namespace db
