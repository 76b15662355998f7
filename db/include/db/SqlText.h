#pragma once

#include <QString>

namespace db {

// A text written as an SQL string literal: between single quotes, every quote inside doubled,
// so that a value such as O'Brien is compared as itself and cannot change the statement.
QString QuoteSqlText(const QString& text);

}  // namespace db
