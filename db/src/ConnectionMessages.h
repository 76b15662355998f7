#pragma once

#include <QString>
#include <cstdint>

namespace db {

// The title of the question asked when the provider refuses a connection.
inline constexpr const char* kTituloErrorConexion = " Error de Conexion a Base de Datos";

// The question asked for the first provider error of a failed opening: its SQL state, number,
// description and native code on lines of their own, then whether to try again.
QString MensajeReintento(const QString& sqlState, int32_t numero, const QString& descripcion,
                         int32_t nativo);

// A text to show with every password value hidden: wherever "Password=" or "Pwd=" (any case,
// blanks around "=") stands, its value, quoted, braced or bare up to ";" or the line's end,
// becomes "***". Nothing else changes: the provider's own words are shown as it wrote them,
// even when they happen to hold the password's letters.
QString OcultaPasswords(const QString& texto);

}  // namespace db
