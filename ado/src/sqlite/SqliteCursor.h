#pragma once

#include <QDateTime>
#include <vector>

#include "Cursor.h"
#include "DeclaredType.h"
#include "SqliteHandles.h"
#include "cheques/ado/Errors.h"

namespace ado {

// The rows of one prepared SQLite statement. The first step runs when the cursor is made, so
// that failures surface when the recordset opens and expression columns can take their type
// from the first row.
class SqliteCursor : public Cursor {
  public:
    SqliteCursor(sqlite3* db, SqliteStatement statement, Errors& errors);

    const std::vector<FieldInfo>& Columns() const override { return columns_; }
    bool Fetch(rt::Variant* values) override;
    void Restart() override;
    bool SizedByValues(size_t column) const override { return sizedByValues_[column]; }

  private:
    void Step();
    void ReadRow(rt::Variant* values) const;
    void DescribeColumns();

    sqlite3* db_;
    SqliteStatement statement_;
    Errors& errors_;
    std::vector<FieldInfo> columns_;
    std::vector<ValueKind> kinds_;
    std::vector<bool> sizedByValues_;
    bool hasRow_ = false;  // a stepped row waits to be read
    bool done_ = false;
};

// Reads "YYYY-MM-DD[( |T)HH:MM[:SS[.fff]]]" and "YYYYMMDD[ HH:MM[:SS]]" as SQL Server keeps
// dates in text; an invalid date gives an invalid QDateTime.
QDateTime ParseDate(const char* text, int length);

// Raises the connection's last SQLite error (code and message) through errors; a line above 0
// is named in the description (the statement's line in a batch).
[[noreturn]] void RaiseSqliteError(sqlite3* db, int resultCode, Errors& errors, int line = 0);

}  // namespace ado
