#include "ConnectionStrings.h"

#include "cheques/db/Proveedores.h"

namespace db {

namespace {

bool NecesitaComillas(const QString& valor) {
    if (valor.isEmpty()) {
        return false;
    }
    const QChar primero = valor.front();
    const bool abre =
        primero == QLatin1Char('"') || primero == QLatin1Char('\'') || primero == QLatin1Char('{');
    return abre || valor.contains(QLatin1Char(';')) || valor != valor.trimmed();
}

}  // namespace

QString ValorConnString(const QString& valor) {
    if (!NecesitaComillas(valor)) {
        return valor;
    }
    QString entre = valor;
    entre.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + entre + QLatin1Char('"');
}

QString ArmaConnString(const QString& proveedor, const QString& servidor, const QString& dbName,
                       const QString& usuario, const QString& password, const QString& extended) {
    if (EsProveedorOracle(proveedor)) {
        return QStringLiteral("Provider=") + QLatin1String(kProveedorOracle) +
               QStringLiteral(";Data Source=") + ValorConnString(dbName) +
               QStringLiteral(";User Id=") + ValorConnString(usuario) +
               QStringLiteral(";Password=") + ValorConnString(password) + QLatin1Char(';');
    }
    return QStringLiteral("PROVIDER=") + ValorConnString(proveedor) + QStringLiteral(";Server=") +
           ValorConnString(servidor) + QStringLiteral(";Database =") + ValorConnString(dbName) +
           QStringLiteral(";UId=") + ValorConnString(usuario) + QStringLiteral(";Pwd=") +
           ValorConnString(password) + QLatin1Char(';') + extended;
}

}  // namespace db
