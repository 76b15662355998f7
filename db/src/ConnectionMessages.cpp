#include "ConnectionMessages.h"

#include <QRegularExpression>

namespace db {

QString MensajeReintento(const QString& sqlState, int32_t numero, const QString& descripcion,
                         int32_t nativo) {
    const QChar cr(13);
    return QStringLiteral(" Estado de Sql: ") + sqlState + cr +
           QStringLiteral("Numero de Error: ") + QString::number(numero) + cr +
           QStringLiteral("Descripcion: ") + descripcion + cr + QStringLiteral("Codigo Nativo: ") +
           QString::number(nativo) + cr + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
}

QString OcultaPasswords(const QString& texto) {
    // The key and "=" are kept (group 1); the value is a quoted, doubled-quote or braced text
    // with whatever follows it up to ";", or a bare text up to ";" or the line's end.
    static const QRegularExpression atributo(
        QStringLiteral(R"((\b(?:password|pwd)\s*=\s*))"
                       R"((?:"(?:[^"]|"")*"?|'(?:[^']|'')*'?|\{(?:[^}]|\}\})*\}?)?[^;\r\n]*)"),
        QRegularExpression::CaseInsensitiveOption);
    QString oculto = texto;
    return oculto.replace(atributo, QStringLiteral("\\1***"));
}

}  // namespace db
