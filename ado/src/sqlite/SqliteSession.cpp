#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <limits>

#include "ProviderFailure.h"
#include "SessionFactory.h"
#include "SqliteBatch.h"
#include "SqliteCursor.h"
#include "SqliteFunctions.h"
#include "cheques/runtime/RuntimeError.h"

namespace ado {

namespace {

[[noreturn]] void RaiseCannotOpen(Errors& errors, const QString& message) {
    RaiseProviderErrors(errors,
                        {Error(rt::err::ProviderUnspecified, message, QStringLiteral("08001"),
                               SQLITE_CANTOPEN, QStringLiteral("SQLite"))});
}

// How long a statement waits for another connection's lock: `seconds`, 0 or less for ever.
void SetBusyTimeout(sqlite3* db, int32_t seconds) {
    const int64_t ms = seconds <= 0 ? std::numeric_limits<int>::max() : int64_t{seconds} * 1000;
    sqlite3_busy_timeout(db,
                         static_cast<int>(std::min<int64_t>(ms, std::numeric_limits<int>::max())));
}

bool MatchesName(const QString& restriction, const QString& name) {
    return restriction.isEmpty() || restriction.compare(name, Qt::CaseInsensitive) == 0;
}

class SqliteSession : public Session {
  public:
    SqliteSession(SqliteDb db, const QString& path, Errors& errors)
        : db_(std::move(db)), catalog_(QFileInfo(path).completeBaseName()), errors_(errors) {}

    std::unique_ptr<Cursor> Execute(const QString& text, int32_t* recordsAffected) override {
        return SqliteBatch(db_.get(), errors_).Run(text, recordsAffected);
    }

    void BeginTrans() override { Run("BEGIN"); }
    void CommitTrans() override { Run("COMMIT"); }
    void RollbackTrans() override { Run("ROLLBACK"); }
    bool InTransaction() const override { return sqlite3_get_autocommit(db_.get()) == 0; }

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

    // Waiting for another connection's lock is where a command can stall here.
    void SetCommandTimeout(int32_t seconds) override { SetBusyTimeout(db_.get(), seconds); }

  private:
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
        RaiseCannotOpen(
            errors, QStringLiteral("No se indicó el archivo de la base de datos (Data Source)."));
    }
    // A mistyped path must not leave an empty database behind: creating is asked for by name.
    if (!target.create && !QFileInfo::exists(target.databasePath)) {
        RaiseCannotOpen(errors, QStringLiteral("No se puede abrir la base de datos \"%1\": el "
                                               "archivo no existe.")
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
    // Before the first statement, so that a file another program is writing is waited for
    // rather than refused as "database is locked".
    SetBusyTimeout(db.get(), target.busyTimeout >= 0 ? target.busyTimeout : commandTimeout);
    sqlite3_extended_result_codes(db.get(), 1);
    // A file that is not a database fails here rather than at the first statement.
    const int check =
        sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        RaiseSqliteError(db.get(), check, errors);
    }
    RegisterSqlServerFunctions(db.get());
    // Integrity as SQL Server keeps it: foreign keys are enforced.
    sqlite3_exec(db.get(), "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
    return std::make_unique<SqliteSession>(std::move(db), target.databasePath, errors);
}

}  // namespace ado
