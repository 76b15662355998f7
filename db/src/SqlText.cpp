#include "db/SqlText.h"

namespace db {

QString QuoteSqlText(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

}  // namespace db
