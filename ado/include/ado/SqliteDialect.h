#pragma once

#include <QString>

// Rewrites the SQL Server forms that the program writes into SQLite's dialect. Pure text
// functions: string literals, quoted and bracketed names and comments are never touched.
namespace ado {

// Every rewrite below applied in turn.
QString ToSqliteDialect(const QString& sql);

// "SELECT [DISTINCT] TOP n ..." becomes "SELECT [DISTINCT] ... LIMIT n" at the end of that
// SELECT (its closing parenthesis or the end of the statement); "TOP 100 PERCENT" is dropped.
QString RewriteTop(const QString& sql);

// "ISNULL(" as a function call becomes "IFNULL(" (ISNULL is an operator in SQLite).
QString RewriteIsNull(const QString& sql);

// The owner prefix "dbo." (also "[dbo].") in front of a name is removed.
QString RemoveOwnerPrefix(const QString& sql);

// N'text' Unicode literals become plain literals.
QString RewriteUnicodeLiterals(const QString& sql);

// Text columns of CREATE TABLE and ALTER TABLE ... ADD get COLLATE NOCASE (unless they name a
// collation), so that comparisons ignore case as SQL Server's default collation does.
QString AddCaseInsensitiveCollation(const QString& sql);

}  // namespace ado
