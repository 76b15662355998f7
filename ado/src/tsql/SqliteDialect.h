#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

// Rewrites the SQL Server forms that the program writes into SQLite's dialect. Pure text
// functions: string literals, quoted and bracketed names and comments are never touched.
namespace ado {

// One statement of a T-SQL batch.
struct BatchStatement {
    enum class Kind {
        Sql,                  // run as it stands (after the dialect rewrites)
        NoEffect,             // SET NOCOUNT ON and other session options with nothing to do here
        BeginTransaction,     // BEGIN TRAN[SACTION], BEGIN
        CommitTransaction,    // COMMIT [TRAN[SACTION] | WORK], END [TRANSACTION]
        RollbackTransaction,  // ROLLBACK [TRAN[SACTION] | WORK]
        BatchSeparator,       // GO alone on its line: a script tool's word, not a statement
    };
    Kind kind = Kind::Sql;
    QString text;  // as written, without the ";" that ended it
    int line = 1;  // line of its first word, from 1
};

// Cuts a batch into statements as SQL Server does: at ";" or where a word that begins a new
// statement follows a complete one (so statements on their own lines need no ";"), never inside
// literals, quoted names, brackets, comments or a trigger's BEGIN ... END body.
std::vector<BatchStatement> SplitBatch(const QString& batch);

// A statement form the embedded database cannot express.
class UnsupportedSql : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Every rewrite below applied in turn. Raises UnsupportedSql for forms that have no
// equivalent (an IDENTITY column that is not the table's key, an increment other than 1).
QString ToSqliteDialect(const QString& sql);

// "SELECT [DISTINCT] TOP n ..." becomes "SELECT [DISTINCT] ... LIMIT n" at the end of that
// SELECT (its closing parenthesis or the end of the statement); "TOP 100 PERCENT" is dropped.
QString RewriteTop(const QString& sql);

// Calls of SQL Server functions that SQLite names otherwise or cannot parse: "ISNULL(" becomes
// "IFNULL(" (ISNULL is an operator in SQLite), "LEFT(" and "RIGHT(" become "TSQL_LEFT(" and
// "TSQL_RIGHT(" (join words in SQLite), which the embedded provider defines.
QString RewriteFunctionNames(const QString& sql);

// The owner prefix "dbo." (also "[dbo].") in front of a name is removed.
QString RemoveOwnerPrefix(const QString& sql);

// N'text' Unicode literals become plain literals.
QString RewriteUnicodeLiterals(const QString& sql);

// Text columns of CREATE TABLE and ALTER TABLE ... ADD get COLLATE NOCASE (unless they name a
// collation), so that comparisons ignore case as SQL Server's default collation does.
QString AddCaseInsensitiveCollation(const QString& sql);

// "a + b" where T-SQL may mean concatenation: "a || b" when an operand is evidently text (a
// literal, a text function), otherwise TSQL_ADD(a, b), which the embedded provider defines to
// add numbers, add days to a date and join texts, as SQL Server decides by the values' types.
QString RewriteConcatenation(const QString& sql);

// Table hints ("WITH (NOLOCK)", "(NOLOCK)", "WITH (UPDLOCK, ROWLOCK)") are dropped.
QString RemoveTableHints(const QString& sql);

// "@@IDENTITY" and "SCOPE_IDENTITY()" become last_insert_rowid().
QString RewriteIdentityFunctions(const QString& sql);

// In CREATE TABLE, "col int IDENTITY(seed, 1)" becomes "col INTEGER PRIMARY KEY AUTOINCREMENT"
// (taking the place of a table key on that column alone), followed, for a seed other than 1, by
// the statement that makes the first value the seed; CLUSTERED and NONCLUSTERED are dropped.
QString RewriteIdentityColumns(const QString& sql);

// SQL Server compares texts ignoring case in every expression; SQLite only where a column's
// collation says so. The left operand of a comparison (=, <>, <, IN, BETWEEN...), an ORDER BY or
// GROUP BY term, the argument of MIN and MAX and a view's named column get COLLATE NOCASE when
// they are expressions rather than plain columns, which keep their own collation (and their
// indexes).
QString AddExpressionCollation(const QString& sql);

}  // namespace ado
