#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "Cursor.h"
#include "SqliteHandles.h"
#include "cheques/ado/Errors.h"

namespace ado {

struct BatchPiece;

// Runs a T-SQL batch on an SQLite connection statement by statement, all or nothing: a batch
// that fails leaves the database as it found it, and its BEGIN, COMMIT and ROLLBACK statements
// act on the connection's own transaction.
class SqliteBatch {
  public:
    SqliteBatch(sqlite3* db, Errors& errors) : db_(db), errors_(errors) {}
    SqliteBatch(const SqliteBatch&) = delete;
    SqliteBatch& operator=(const SqliteBatch&) = delete;

    // Runs text; the cursor of the last statement's rows, or null when it gives none.
    // recordsAffected receives the rows changed, or -1 when no statement changes rows; it is
    // left alone when the batch fails.
    std::unique_ptr<Cursor> Run(const QString& text, int32_t* recordsAffected);

  private:
    // A statement ready to run: its SQLite text and what it is.
    struct Step;

    std::unique_ptr<Cursor> RunAtomically(class BatchSplitter& splitter, BatchPiece first,
                                          BatchPiece second);
    std::unique_ptr<Cursor> RunStep(const Step& step, bool last);
    void RunTransactionStatement(const Step& step);
    // Raises SQL Server's error for a transaction statement that does not fit the state.
    void CheckTransactionStatement(const Step& step, bool open) const;
    // Fills `step` from the piece (a step passed again keeps the room of its text).
    void Prepare(BatchPiece& piece, Step& step) const;
    // The piece's SQLite text: its own words when no rewrite applies, else the rewritten tokens.
    void WriteSqliteText(const BatchPiece& piece, QByteArray& sql) const;
    void Exec(const char* sql);
    bool InTransaction() const;
    // Rolls back what the batch did, keeping the failure's errors.
    void Undo(bool ownsTransaction);
    [[noreturn]] void RaiseCommandError(int32_t number, int32_t nativeError,
                                        const QString& sqlState, const QString& message,
                                        int line) const;

    sqlite3* db_;
    Errors& errors_;
    bool severalSteps_ = false;
    int64_t changed_ = 0;
    bool changes_ = false;
};

}  // namespace ado
