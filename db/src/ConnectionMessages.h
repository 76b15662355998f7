#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace db {

// The title of the question asked when the provider refuses a connection.
inline constexpr const char* kTituloErrorConexion = " Error de Conexion a Base de Datos";

// The question asked for the first provider error of a failed opening: its SQL state, number,
// description and native code on lines of their own, then whether to try again.
QString MensajeReintento(const QString& sqlState, int32_t numero, const QString& descripcion,
                         int32_t nativo);

// A text to show with the passwords it might carry hidden: the values of password attributes
// ("Password=", "Pwd=") and every literal occurrence of the given passwords become "***".
QString OcultaPasswords(const QString& texto, const QStringList& passwords);

// Every password the component knows of, for OcultaPasswords: the password setting and the
// values of the password attributes of each connection string.
QStringList PasswordsConocidas(const QString& userPassword, const QStringList& connStrings);

}  // namespace db
