#include "ConnectionMessages.h"

#include "ado/ConnectionString.h"

namespace db {

QString MensajeReintento(const QString& sqlState, int32_t numero, const QString& descripcion,
                         int32_t nativo) {
    const QChar cr(13);
    return QStringLiteral(" Estado de Sql: ") + sqlState + cr +
           QStringLiteral("Numero de Error: ") + QString::number(numero) + cr +
           QStringLiteral("Descripcion: ") + descripcion + cr + QStringLiteral("Codigo Nativo: ") +
           QString::number(nativo) + cr + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
}

QString OcultaPasswords(const QString& texto, const QStringList& passwords) {
    QString oculto = ado::MaskPassword(texto);
    for (const QString& password : passwords) {
        if (!password.isEmpty()) {
            oculto.replace(password, QStringLiteral("***"));
        }
    }
    return oculto;
}

QStringList PasswordsConocidas(const QString& userPassword, const QStringList& connStrings) {
    QStringList passwords{userPassword};
    for (const QString& conn : connStrings) {
        passwords << ado::ConnectionStringValue(conn, QStringLiteral("Password"))
                  << ado::ConnectionStringValue(conn, QStringLiteral("Pwd"));
    }
    return passwords;
}

}  // namespace db
