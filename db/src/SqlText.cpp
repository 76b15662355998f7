#include "SqlText.h"

namespace db {

QString QuoteSqlText(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

bool EsValorNumerico(const rt::Variant& valor) {
    switch (valor.VarType()) {
        case rt::Variant::Type::Long:
        case rt::Variant::Type::LongLong:
        case rt::Variant::Type::Double:
        case rt::Variant::Type::Currency:
            return true;
        default:
            return false;
    }
}

}  // namespace db
