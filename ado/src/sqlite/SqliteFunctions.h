#pragma once

#include <sqlite3.h>

#include <QStringView>

namespace ado {

// Gives a connection SQL Server's behaviour where SQLite's differs: NOCASE ignores the case of
// every letter (not only A to Z) and keeps accents, as SQL Server's default collation does;
// UPPER, LOWER and LIKE work on all letters (LIKE also reads "[a-c]" and "[^a]" classes);
// TSQL_ADD is "+" decided by the values' types; LEN, CHARINDEX, LEFT, RIGHT and GETDATE as SQL
// Server has them.
void RegisterSqlServerFunctions(sqlite3* db);

// Compares two UTF-8 texts as the NOCASE collation does: <0, 0 or >0.
int CompareIgnoringCase(const char* a, int aLength, const char* b, int bLength);

// T-SQL LIKE of text against pattern, ignoring case; escape is 0 for none.
bool MatchesLike(QStringView text, QStringView pattern, char32_t escape);

}  // namespace ado
