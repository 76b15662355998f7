#pragma once

#include <QString>

namespace db {

// "SELECT VALOR, valoraux FROM <tabla> WHERE CLAVE = '<clave>'" with the key trimmed and its
// quotes doubled; the two date keys ("[FECHA DESDE]", "[FECHA HASTA]") send it upper-cased.
QString SentenciaLeerConfig(const QString& tabla, const QString& clave);

}  // namespace db
