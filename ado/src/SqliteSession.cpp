#include <QDateTime>
#include <QFileInfo>
#include <limits>

#include "ProviderFailure.h"
#include "SessionFactory.h"
#include "SqlTokens.h"
#include "SqliteCursor.h"
#include "ado/SqliteDialect.h"
#include "runtime/RuntimeError.h"

namespace ado {

namespace {

QString TextArgument(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

bool AnyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            return true;
        }
    }
    return false;
}

// LEN(text): characters without the trailing blanks, as SQL Server counts them.
void Len(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    QString text = TextArgument(argv[0]);
    qsizetype length = text.size();
    while (length > 0 && text[length - 1] == QLatin1Char(' ')) {
        --length;
    }
    sqlite3_result_int64(context, length);
}

// CHARINDEX(find, search[, start]): position from 1 of find in search, ignoring case; 0 when
// absent.
void CharIndex(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const QString find = TextArgument(argv[0]);
    const QString search = TextArgument(argv[1]);
    const sqlite3_int64 start =
        argc > 2 ? std::max<sqlite3_int64>(sqlite3_value_int64(argv[2]), 1) : 1;
    if (find.isEmpty() || start > search.size()) {
        sqlite3_result_int64(context, 0);
        return;
    }
    const qsizetype at =
        search.indexOf(find, static_cast<qsizetype>(start - 1), Qt::CaseInsensitive);
    sqlite3_result_int64(context, at + 1);
}

// GETDATE(): the local date and time, in the text form dates are kept in.
void GetDate(sqlite3_context* context, int, sqlite3_value**) {
    const QByteArray now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
    sqlite3_result_text(context, now.constData(), static_cast<int>(now.size()), SQLITE_TRANSIENT);
}

void RegisterFunctions(sqlite3* db) {
    const int deterministic = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "LEN", 1, deterministic, nullptr, Len, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "CHARINDEX", 2, deterministic, nullptr, CharIndex, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(db, "CHARINDEX", 3, deterministic, nullptr, CharIndex, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(db, "GETDATE", 0, SQLITE_UTF8, nullptr, GetDate, nullptr, nullptr,
                               nullptr);
}

// True when only blanks, comments and ";" remain.
bool OnlyBlanks(const char* text, const char* end) {
    const QString rest = QString::fromUtf8(text, end - text);
    for (const SqlToken& token : TokenizeSql(rest)) {
        if (!token.IsBlank() && !token.IsSymbol(';')) {
            return false;
        }
    }
    return true;
}

bool ChangesRows(sqlite3_stmt* statement) {
    if (sqlite3_stmt_readonly(statement) || sqlite3_column_count(statement) > 0) {
        return false;
    }
    const QString sql = QString::fromUtf8(sqlite3_sql(statement));
    const std::vector<SqlToken> tokens = TokenizeSql(sql);
    const size_t first = NextSignificant(tokens, 0);
    if (first >= tokens.size()) {
        return false;
    }
    const SqlToken& word = tokens[first];
    return word.IsWord("INSERT") || word.IsWord("UPDATE") || word.IsWord("DELETE") ||
           word.IsWord("REPLACE") || word.IsWord("WITH");
}

[[noreturn]] void RaiseCannotOpen(Errors& errors, const QString& message) {
    RaiseProviderErrors(errors,
                        {Error(rt::err::ProviderUnspecified, message, QStringLiteral("08001"),
                               SQLITE_CANTOPEN, QStringLiteral("SQLite"))});
}

bool MatchesName(const QString& restriction, const QString& name) {
    return restriction.isEmpty() || restriction.compare(name, Qt::CaseInsensitive) == 0;
}

class SqliteSession : public Session {
  public:
    SqliteSession(SqliteDb db, const QString& path, Errors& errors)
        : db_(std::move(db)), catalog_(QFileInfo(path).completeBaseName()), errors_(errors) {}

    std::unique_ptr<Cursor> Execute(const QString& text, int32_t* recordsAffected) override {
        const QByteArray sql = ToSqliteDialect(text).toUtf8();
        const char* at = sql.constData();
        const char* const end = at + sql.size();
        int64_t changed = 0;
        bool changes = false;
        std::unique_ptr<Cursor> result;
        while (at < end) {
            sqlite3_stmt* raw = nullptr;
            const char* next = nullptr;
            const int rc =
                sqlite3_prepare_v2(db_.get(), at, static_cast<int>(end - at), &raw, &next);
            SqliteStatement statement(raw);
            if (rc != SQLITE_OK) {
                RaiseSqliteError(db_.get(), rc, errors_);
            }
            at = next;
            if (!statement) {
                continue;
            }
            const bool last = OnlyBlanks(at, end);
            if (last && sqlite3_column_count(statement.get()) > 0) {
                result = std::make_unique<SqliteCursor>(db_.get(), std::move(statement), errors_);
                break;
            }
            RunToEnd(statement.get());
            if (ChangesRows(statement.get())) {
                changes = true;
                changed += sqlite3_changes64(db_.get());
            }
        }
        if (recordsAffected != nullptr) {
            *recordsAffected = changes ? static_cast<int32_t>(std::min<int64_t>(
                                             changed, std::numeric_limits<int32_t>::max()))
                                       : -1;
        }
        return result;
    }

    void BeginTrans() override { Run("BEGIN"); }
    void CommitTrans() override { Run("COMMIT"); }
    void RollbackTrans() override { Run("ROLLBACK"); }

    std::vector<std::vector<rt::Variant>> Tables(const QString& catalog, const QString& schema,
                                                 const QString& table,
                                                 const QString& tableType) override {
        std::vector<std::vector<rt::Variant>> rows;
        if (!MatchesCatalog(catalog, schema)) {
            return rows;
        }
        for (const auto& [name, type] : Objects()) {
            if (MatchesName(table, name) && MatchesName(tableType, type)) {
                rows.push_back({catalog_, rt::Variant::Null(), name, type});
            }
        }
        return rows;
    }

    std::vector<std::vector<rt::Variant>> Columns(const QString& catalog, const QString& schema,
                                                  const QString& table,
                                                  const QString& column) override {
        std::vector<std::vector<rt::Variant>> rows;
        if (!MatchesCatalog(catalog, schema)) {
            return rows;
        }
        for (const auto& object : Objects()) {
            if (MatchesName(table, object.first)) {
                AddColumns(object.first, column, rows);
            }
        }
        return rows;
    }

    bool AllowsConcurrentCursors() const override { return true; }

    void SetCommandTimeout(int32_t seconds) override {
        // Waiting for another connection's lock is where a command can stall here.
        const int64_t ms = seconds <= 0 ? std::numeric_limits<int>::max() : int64_t{seconds} * 1000;
        sqlite3_busy_timeout(
            db_.get(), static_cast<int>(std::min<int64_t>(ms, std::numeric_limits<int>::max())));
    }

  private:
    void RunToEnd(sqlite3_stmt* statement) {
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW) {
            rc = sqlite3_step(statement);
        }
        if (rc != SQLITE_DONE) {
            RaiseSqliteError(db_.get(), rc, errors_);
        }
    }

    void Run(const char* sql) {
        const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            RaiseSqliteError(db_.get(), rc, errors_);
        }
    }

    SqliteStatement Prepare(const char* sql) {
        sqlite3_stmt* raw = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &raw, nullptr);
        SqliteStatement statement(raw);
        if (rc != SQLITE_OK) {
            RaiseSqliteError(db_.get(), rc, errors_);
        }
        return statement;
    }

    // The one database of the file answers to its file name, "main" and the "dbo" owner.
    bool MatchesCatalog(const QString& catalog, const QString& schema) const {
        const bool catalogOk = MatchesName(catalog, catalog_) || MatchesName(catalog, "main");
        const bool schemaOk = MatchesName(schema, QStringLiteral("dbo")) ||
                              MatchesName(schema, QStringLiteral("main"));
        return catalogOk && schemaOk;
    }

    // Tables and views by name, with their catalogue type.
    std::vector<std::pair<QString, QString>> Objects() {
        SqliteStatement statement = Prepare(
            "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') "
            "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
        std::vector<std::pair<QString, QString>> objects;
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
            const QString type = QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1)));
            objects.emplace_back(
                QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0))),
                type == QLatin1String("view") ? QStringLiteral("VIEW") : QStringLiteral("TABLE"));
        }
        if (rc != SQLITE_DONE) {
            RaiseSqliteError(db_.get(), rc, errors_);
        }
        return objects;
    }

    void AddColumns(const QString& table, const QString& column,
                    std::vector<std::vector<rt::Variant>>& rows) {
        SqliteStatement statement =
            Prepare("SELECT cid, name, type, \"notnull\" FROM pragma_table_info(?1)");
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(statement.get(), 1, name.constData(), static_cast<int>(name.size()),
                          SQLITE_TRANSIENT);
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
            const QString columnName = QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1)));
            if (!MatchesName(column, columnName)) {
                continue;
            }
            const DeclaredType type = DeclaredTypeOf(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 2))));
            const bool text = type.kind == ValueKind::Text || type.kind == ValueKind::Binary;
            rows.push_back({catalog_, rt::Variant::Null(), table, columnName,
                            sqlite3_column_int(statement.get(), 0) + 1,
                            type.kind == ValueKind::Any ? int{adVarWChar} : type.info.type,
                            text ? rt::Variant(type.info.definedSize) : rt::Variant::Null(),
                            sqlite3_column_int(statement.get(), 3) == 0});
        }
        if (rc != SQLITE_DONE) {
            RaiseSqliteError(db_.get(), rc, errors_);
        }
    }

    SqliteDb db_;
    QString catalog_;
    Errors& errors_;
};

}  // namespace

std::unique_ptr<Session> OpenSqliteSession(const ConnectionTarget& target, Errors& errors,
                                           int32_t commandTimeout) {
    if (target.databasePath.trimmed().isEmpty()) {
        RaiseCannotOpen(errors, QStringLiteral("No database file given (Data Source)."));
    }
    // A mistyped path must not leave an empty database behind: creating is asked for by name.
    if (!target.create && !QFileInfo::exists(target.databasePath)) {
        RaiseCannotOpen(errors, QStringLiteral("Cannot open database \"%1\": the database file "
                                               "does not exist.")
                                    .arg(target.databasePath));
    }
    sqlite3* raw = nullptr;
    const int flags = target.readOnly ? SQLITE_OPEN_READONLY
                      : target.create ? (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
                                      : SQLITE_OPEN_READWRITE;
    const int rc = sqlite3_open_v2(target.databasePath.toUtf8().constData(), &raw,
                                   flags | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) {
        RaiseSqliteError(db.get(), rc, errors);
    }
    sqlite3_extended_result_codes(db.get(), 1);
    // A file that is not a database fails here rather than at the first statement.
    const int check =
        sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        RaiseSqliteError(db.get(), check, errors);
    }
    RegisterFunctions(db.get());
    // Integrity as SQL Server keeps it: foreign keys are enforced.
    sqlite3_exec(db.get(), "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
    auto session = std::make_unique<SqliteSession>(std::move(db), target.databasePath, errors);
    session->SetCommandTimeout(commandTimeout);
    return session;
}

}  // namespace ado
