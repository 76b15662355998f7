#pragma once

#include <QString>

#include "cheques/runtime/Variant.h"

namespace db {

// A text written as an SQL string literal: between single quotes, every quote inside doubled,
// so that a value such as O'Brien is compared as itself and cannot change the statement.
QString QuoteSqlText(const QString& text);

// True for a value held as a number (whole, floating or currency), not as a text, date or flag:
// such a value is taken as it is rather than through its text in the user's locale, whose
// decimal comma or exponent would not read back.
bool EsValorNumerico(const rt::Variant& valor);

}  // namespace db
