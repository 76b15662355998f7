#pragma once

#include <QString>
#include <optional>

#include "cheques/runtime/Variant.h"

namespace db {

// "ALTER TABLE dbo.<Tabla> ADD <Campo> <Tipo>" with " Null " or " Not Null " and, when a
// default is given, " CONSTRAINT DF_<Tabla>_<Campo> DEFAULT (<ValorDefault>)" (names trimmed).
// The type and the default are SQL text written by the caller and go in as they stand.
QString SentenciaAddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                          bool PermiteNulos, const std::optional<rt::Variant>& ValorDefault);

}  // namespace db
