#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <span>

namespace db {

// Counts the words of a text; the component passes the word count of its utility object.
using WordCounter = std::function<int(const QString&)>;

// Rewrites a statement written in the SQL Server dialect for Oracle: TOP n becomes a ROWNUM
// condition, LEN becomes LENGTH, brackets become double quotes, the date columns of the WHERE
// part and the date literals become TO_DATE expressions, and Charindex becomes InStr.
// With a connection string that is not an Oracle one (EsConexionOracle: by its provider, or the
// embedded database's file name) the statement only comes back upper-cased.
// Raises "invalid procedure call" (5) for TOP n at the very end of the statement and for a
// single quote without its closing quote.
QString ORACLE_Dicc(const QString& valor, const QString& connString,
                    const WordCounter& contarPalabras);

// The columns the rewrite takes for dates when they stand alone in the WHERE part.
std::span<const char* const> ColumnasFecha();

// True when the token names one of those columns, ignoring case.
bool EsColumnaFecha(QStringView token);

}  // namespace db
