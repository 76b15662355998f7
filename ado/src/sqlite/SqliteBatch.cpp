#include "SqliteBatch.h"

#include <QStringEncoder>
#include <limits>
#include <utility>

#include "ProviderFailure.h"
#include "SqliteCursor.h"
#include "SqliteDialectTokens.h"
#include "TsqlBatch.h"
#include "cheques/runtime/RuntimeError.h"

namespace ado {

namespace {

using Kind = BatchStatement::Kind;

const QString kSource = QStringLiteral("SQLite");

// SQL Server's numbers for a COMMIT or ROLLBACK with no transaction to end.
constexpr int kCommitWithoutBegin = 3902;
constexpr int kRollbackWithoutBegin = 3903;

// True when only blanks, comments and ";" lie in [at, end).
bool OnlyBlanks(const char* at, const char* end) {
    while (at < end) {
        const char c = *at;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == '\f' || c == '\v') {
            ++at;
        } else if (c == '-' && at + 1 < end && at[1] == '-') {
            while (at < end && *at != '\n') {
                ++at;
            }
        } else if (c == '/' && at + 1 < end && at[1] == '*') {
            at += 2;
            while (at + 1 < end && !(at[0] == '*' && at[1] == '/')) {
                ++at;
            }
            at += 2;
        } else {
            return false;
        }
    }
    return true;
}

// Statements whose changed rows count in RecordsAffected.
bool ChangesRows(const SqlTokens& words) {
    if (words.empty()) {
        return false;
    }
    const SqlToken& word = words.front();
    return word.Is(Keyword::Insert) || word.Is(Keyword::Update) || word.Is(Keyword::Delete) ||
           word.Is(Keyword::Replace) || word.Is(Keyword::With);
}

// SQLite's BEGIN for a BEGIN statement, keeping a locking mode (IMMEDIATE, EXCLUSIVE) it names.
QByteArray BeginStatement(const SqlTokens& tokens) {
    for (const SqlToken& token : tokens) {
        if (token.Is(Keyword::Deferred) || token.Is(Keyword::Immediate) ||
            token.Is(Keyword::Exclusive)) {
            return "BEGIN " + token.text.toUpper().toLatin1();
        }
    }
    return "BEGIN";
}

// The UTF-8 text into `out`, in the room it already has when that is enough.
void WriteUtf8(QStringView text, QByteArray& out) {
    constexpr qsizetype kMostBytesPerUnit = 3;  // a UTF-16 unit never takes more in UTF-8
    out.resize(text.size() * kMostBytesPerUnit);
    QStringEncoder encoder(QStringEncoder::Utf8);
    const char* const end = encoder.appendToBuffer(out.data(), text);
    out.resize(end - out.constData());
}

// The next statement that does something; a GO stops the batch with a clear error.
bool NextRunnable(BatchSplitter& splitter, BatchPiece& piece) {
    while (splitter.Next(piece)) {
        if (piece.kind != Kind::NoEffect) {
            return true;
        }
    }
    return false;
}

}  // namespace

struct SqliteBatch::Step {
    Kind kind = Kind::Sql;
    QByteArray sql;  // Sql: the statement in SQLite's dialect
    bool countsRows = false;
    int line = 1;
};

std::unique_ptr<Cursor> SqliteBatch::Run(const QString& text, int32_t* recordsAffected) {
    changed_ = 0;
    changes_ = false;
    BatchSplitter splitter(text);
    BatchPiece first;
    BatchPiece second;
    std::unique_ptr<Cursor> cursor;
    if (NextRunnable(splitter, first)) {
        const bool more = NextRunnable(splitter, second);
        severalSteps_ = more;
        if (more) {
            cursor = RunAtomically(splitter, std::move(first), std::move(second));
        } else if (first.kind != Kind::Sql) {
            Step step;
            Prepare(first, step);
            RunTransactionStatement(step);
        } else {
            Step step;
            Prepare(first, step);
            // A rewrite that gave several statements (a seeded IDENTITY) runs as a batch too.
            cursor = step.sql.contains(';') ? RunAtomically(splitter, std::move(first), {})
                                            : RunStep(step, true);
        }
    }
    if (recordsAffected != nullptr) {
        *recordsAffected = changes_ ? static_cast<int32_t>(std::min<int64_t>(
                                          changed_, std::numeric_limits<int32_t>::max()))
                                    : -1;
    }
    return cursor;
}

void SqliteBatch::Prepare(BatchPiece& piece, Step& step) const {
    step.kind = piece.kind;
    step.line = piece.line;
    step.countsRows = false;
    step.sql.resize(0);  // keeps the room of the statement before
    if (piece.kind == Kind::BatchSeparator) {
        RaiseCommandError(rt::err::ProviderSyntax, 0, QStringLiteral("42000"),
                          QStringLiteral("Incorrect syntax near 'GO': GO ends a batch in script "
                                         "tools and is not a statement; send each batch on its "
                                         "own."),
                          piece.line);
    }
    if (piece.kind == Kind::BeginTransaction) {
        step.sql = BeginStatement(piece.words);
    }
    if (piece.kind != Kind::Sql) {
        return;
    }
    step.countsRows = ChangesRows(piece.words);
    try {
        WriteSqliteText(piece, step.sql);
    } catch (const UnsupportedSql& e) {
        RaiseCommandError(rt::err::ProviderSyntax, 0, QStringLiteral("42000"),
                          QString::fromStdString(e.what()), piece.line);
    }
}

void SqliteBatch::WriteSqliteText(const BatchPiece& piece, QByteArray& sql) const {
    if (!NeedsRewrite(piece.words)) {
        WriteUtf8(piece.text, sql);
        return;
    }
    // Only a statement that needs a rewrite is read again with its blanks and comments, which
    // the rewrites keep.
    WriteUtf8(JoinSql(ToSqliteTokens(TokenizeSql(piece.text.toString()))), sql);
}

std::unique_ptr<Cursor> SqliteBatch::RunAtomically(BatchSplitter& splitter, BatchPiece first,
                                                   BatchPiece second) {
    const bool callerTransaction = InTransaction();
    bool ownsTransaction = !callerTransaction;
    if (ownsTransaction) {
        Exec("BEGIN");
    }
    // Two pieces take turns, so that the splitter refills the room of the one just run.
    BatchPiece current = std::move(first);
    BatchPiece upcoming = std::move(second);
    bool hasCurrent = true;
    bool hasUpcoming = !upcoming.words.empty();
    Step step;  // one for every statement, so that its text reuses the room of the last
    bool open = callerTransaction;  // the transaction as the batch's statements see it
    bool openedHere = false;        // the batch began it (savepoint "ado_tran")
    bool commitCaller = false;      // the batch committed the caller's transaction
    std::unique_ptr<Cursor> cursor;
    try {
        Exec("SAVEPOINT ado_batch");
        while (hasCurrent) {
            hasUpcoming = hasUpcoming || NextRunnable(splitter, upcoming);
            Prepare(current, step);
            switch (step.kind) {
                case Kind::BeginTransaction:
                    CheckTransactionStatement(step, open);
                    Exec("SAVEPOINT ado_tran");
                    open = openedHere = true;
                    break;
                case Kind::CommitTransaction:
                    CheckTransactionStatement(step, open);
                    if (openedHere) {
                        Exec("RELEASE ado_tran");
                    } else {
                        commitCaller = true;  // at the end, so that the batch stays whole
                    }
                    open = openedHere = false;
                    break;
                case Kind::RollbackTransaction:
                    CheckTransactionStatement(step, open);
                    if (openedHere) {
                        Exec("ROLLBACK TO ado_tran");
                        Exec("RELEASE ado_tran");
                    } else {
                        // The caller's work goes; the rest of the batch stays whole on its own.
                        Exec("ROLLBACK");
                        Exec("BEGIN");
                        Exec("SAVEPOINT ado_batch");
                        ownsTransaction = true;
                        commitCaller = false;
                    }
                    open = openedHere = false;
                    break;
                default:
                    cursor = RunStep(step, !hasUpcoming);
                    break;
            }
            std::swap(current, upcoming);
            hasCurrent = hasUpcoming;
            hasUpcoming = false;
        }
        Exec("RELEASE ado_batch");
        // A transaction the batch left open stays open for the caller to end.
        if (!open && (ownsTransaction || commitCaller)) {
            Exec("COMMIT");
        }
    } catch (...) {
        cursor.reset();
        Undo(ownsTransaction);
        throw;
    }
    return cursor;
}

std::unique_ptr<Cursor> SqliteBatch::RunStep(const Step& step, bool last) {
    const char* at = step.sql.constData();
    const char* const end = at + step.sql.size();
    bool first = true;
    while (at < end) {
        sqlite3_stmt* raw = nullptr;
        const char* next = nullptr;
        const int rc = sqlite3_prepare_v2(db_, at, static_cast<int>(end - at), &raw, &next);
        SqliteStatement statement(raw);
        if (rc != SQLITE_OK) {
            RaiseSqliteError(db_, rc, errors_, severalSteps_ ? step.line : 0);
        }
        at = next;
        if (!statement) {
            continue;
        }
        const bool rows = sqlite3_column_count(statement.get()) > 0;
        if (last && rows && OnlyBlanks(at, end)) {
            return std::make_unique<SqliteCursor>(db_, std::move(statement), errors_);
        }
        int stepped = SQLITE_ROW;
        while (stepped == SQLITE_ROW) {
            stepped = sqlite3_step(statement.get());
        }
        if (stepped != SQLITE_DONE) {
            RaiseSqliteError(db_, stepped, errors_, severalSteps_ ? step.line : 0);
        }
        if (first && step.countsRows && !rows && !sqlite3_stmt_readonly(statement.get())) {
            changes_ = true;
            changed_ += sqlite3_changes64(db_);
        }
        first = false;
    }
    return nullptr;
}

void SqliteBatch::RunTransactionStatement(const Step& step) {
    CheckTransactionStatement(step, InTransaction());
    switch (step.kind) {
        case Kind::BeginTransaction:
            Exec(step.sql.constData());
            break;
        case Kind::CommitTransaction:
            Exec("COMMIT");
            break;
        case Kind::RollbackTransaction:
            Exec("ROLLBACK");
            break;
        default:
            break;
    }
}

void SqliteBatch::CheckTransactionStatement(const Step& step, bool open) const {
    if (step.kind == Kind::BeginTransaction && open) {
        RaiseCommandError(rt::err::ProviderUnspecified, 0, QStringLiteral("25000"),
                          QStringLiteral("Sólo puede haber una transacción activa en esta sesión."),
                          step.line);
    }
    if (step.kind == Kind::CommitTransaction && !open) {
        RaiseCommandError(rt::err::ProviderUnspecified, kCommitWithoutBegin,
                          QStringLiteral("25000"),
                          QStringLiteral("The COMMIT TRANSACTION request has no corresponding "
                                         "BEGIN TRANSACTION."),
                          step.line);
    }
    if (step.kind == Kind::RollbackTransaction && !open) {
        RaiseCommandError(rt::err::ProviderUnspecified, kRollbackWithoutBegin,
                          QStringLiteral("25000"),
                          QStringLiteral("The ROLLBACK TRANSACTION request has no corresponding "
                                         "BEGIN TRANSACTION."),
                          step.line);
    }
}

void SqliteBatch::Exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        RaiseSqliteError(db_, rc, errors_);
    }
}

bool SqliteBatch::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

void SqliteBatch::Undo(bool ownsTransaction) {
    if (!InTransaction()) {
        return;  // SQLite already rolled everything back (a full disk, an interrupt)
    }
    if (ownsTransaction) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return;
    }
    sqlite3_exec(db_, "ROLLBACK TO ado_batch", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "RELEASE ado_batch", nullptr, nullptr, nullptr);
}

void SqliteBatch::RaiseCommandError(int32_t number, int32_t nativeError, const QString& sqlState,
                                    const QString& message, int line) const {
    const QString where = line > 0 ? QStringLiteral(" (line %1)").arg(line) : QString();
    RaiseProviderErrors(errors_, {Error(number, message + where, sqlState, nativeError, kSource)});
}

}  // namespace ado
