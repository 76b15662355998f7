#include <limits>

#include "MemoryCursor.h"
#include "OdbcCursor.h"
#include "OdbcTypes.h"
#include "ProviderFailure.h"
#include "SessionFactory.h"

namespace ado {

namespace {

bool MatchesName(const QString& restriction, const rt::Variant& name) {
    return restriction.isEmpty() ||
           restriction.compare(name.ToText().trimmed(), Qt::CaseInsensitive) == 0;
}

// A restriction for the catalogue calls: no restriction is a null pointer.
SQLWCHAR* Pattern(const QString& value) {
    return value.isEmpty() ? nullptr : Wide(value);
}

// Rows of a catalogue result, all of them.
std::vector<std::vector<rt::Variant>> ReadAll(Cursor& cursor) {
    std::vector<std::vector<rt::Variant>> rows;
    std::vector<rt::Variant> row(cursor.Columns().size());
    while (cursor.Fetch(row.data())) {
        rows.push_back(row);
    }
    return rows;
}

class OdbcSession : public Session {
  public:
    OdbcSession(OdbcEnv env, OdbcDbc dbc, Errors& errors, QString source, int32_t commandTimeout)
        : env_(std::move(env)),
          dbc_(std::move(dbc)),
          errors_(errors),
          source_(std::move(source)),
          commandTimeout_(commandTimeout) {
        SQLUSMALLINT activities = 0;
        if (SQL_SUCCEEDED(SQLGetInfoW(Dbc(), SQL_MAX_CONCURRENT_ACTIVITIES, &activities,
                                      sizeof(activities), nullptr))) {
            concurrent_ = activities != 1;
        }
        SQLUSMALLINT identifierCase = 0;
        if (SQL_SUCCEEDED(SQLGetInfoW(Dbc(), SQL_IDENTIFIER_CASE, &identifierCase,
                                      sizeof(identifierCase), nullptr))) {
            identifierCase_ = identifierCase;
        }
    }

    std::unique_ptr<Cursor> Execute(const QString& text, int32_t* recordsAffected) override {
        OdbcStatement statement = NewStatement();
        SQLRETURN rc = SQLExecDirectW(statement.get(), Wide(text), SQL_NTS);
        int64_t changed = 0;
        bool changes = false;
        if (rc == SQL_NO_DATA) {
            // The answer to a searched UPDATE or DELETE that matched no row: it ran and changed
            // none. Later statements of the text may still give results.
            changes = true;
            rc = SQLMoreResults(statement.get());
        }
        while (rc != SQL_NO_DATA) {
            CheckStatement(rc, statement.get());
            SQLSMALLINT columns = 0;
            CheckStatement(SQLNumResultCols(statement.get(), &columns), statement.get());
            if (columns > 0) {
                SetAffected(recordsAffected, changes, changed);
                return std::make_unique<OdbcCursor>(std::move(statement), text, errors_, source_);
            }
            SQLLEN rows = -1;
            if (SQL_SUCCEEDED(SQLRowCount(statement.get(), &rows)) && rows >= 0) {
                changes = true;
                changed += rows;
            }
            rc = SQLMoreResults(statement.get());
        }
        SetAffected(recordsAffected, changes, changed);
        return nullptr;
    }

    void BeginTrans() override {
        CheckDbc(SQLSetConnectAttrW(Dbc(), SQL_ATTR_AUTOCOMMIT,
                                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0));
        inTransaction_ = true;
    }
    void CommitTrans() override { EndTransaction(SQL_COMMIT); }
    void RollbackTrans() override { EndTransaction(SQL_ROLLBACK); }
    bool InTransaction() const override { return inTransaction_; }

    std::vector<std::vector<rt::Variant>> Tables(const QString& catalog, const QString& schema,
                                                 const QString& table,
                                                 const QString& tableType) override {
        OdbcStatement statement = NewStatement();
        const QString schemaName = Folded(schema);
        const QString tableName = Folded(table);
        CheckStatement(SQLTablesW(statement.get(), Pattern(catalog), SQL_NTS, Pattern(schemaName),
                                  SQL_NTS, Pattern(tableName), SQL_NTS, nullptr, 0),
                       statement.get());
        OdbcCursor cursor(std::move(statement), QString(), errors_, source_);
        std::vector<std::vector<rt::Variant>> rows;
        // The name arguments are search patterns ("_" matches any letter): keep exact names.
        for (std::vector<rt::Variant>& row : ReadAll(cursor)) {
            if (MatchesName(table, row[2]) && MatchesName(tableType, row[3])) {
                rows.push_back({row[0], row[1], row[2], row[3]});
            }
        }
        return rows;
    }

    std::vector<std::vector<rt::Variant>> Columns(const QString& catalog, const QString& schema,
                                                  const QString& table,
                                                  const QString& column) override {
        OdbcStatement statement = NewStatement();
        const QString schemaName = Folded(schema);
        const QString tableName = Folded(table);
        const QString columnName = Folded(column);
        CheckStatement(
            SQLColumnsW(statement.get(), Pattern(catalog), SQL_NTS, Pattern(schemaName), SQL_NTS,
                        Pattern(tableName), SQL_NTS, Pattern(columnName), SQL_NTS),
            statement.get());
        OdbcCursor cursor(std::move(statement), QString(), errors_, source_);
        std::vector<std::vector<rt::Variant>> rows;
        for (std::vector<rt::Variant>& row : ReadAll(cursor)) {
            if (MatchesName(table, row[2]) && MatchesName(column, row[3])) {
                rows.push_back(ColumnRow(row));
            }
        }
        return rows;
    }

    bool AllowsConcurrentCursors() const override { return concurrent_; }
    void SetCommandTimeout(int32_t seconds) override { commandTimeout_ = seconds; }

  private:
    SQLHDBC Dbc() const { return dbc_.handle.get(); }

    // A name as the program writes it (without quotes) is the name the server keeps: folded to
    // lower case by PostgreSQL, to upper case by Oracle. The catalogue calls compare exactly.
    QString Folded(const QString& name) const {
        switch (identifierCase_) {
            case SQL_IC_LOWER:
                return name.toLower();
            case SQL_IC_UPPER:
                return name.toUpper();
            default:
                return name;
        }
    }

    // SQLColumns gives TABLE_CAT, TABLE_SCHEM, TABLE_NAME, COLUMN_NAME, DATA_TYPE, TYPE_NAME,
    // COLUMN_SIZE, BUFFER_LENGTH, DECIMAL_DIGITS, NUM_PREC_RADIX, NULLABLE, ... and the
    // ordinal position in the 17th column.
    static std::vector<rt::Variant> ColumnRow(const std::vector<rt::Variant>& row) {
        const auto number = [&](size_t i) { return row[i].IsNull() ? 0 : row[i].ToLongLong(); };
        const DeclaredType type =
            OdbcColumnType(static_cast<SQLSMALLINT>(number(4)),
                           static_cast<SQLULEN>(std::max<int64_t>(number(6), 0)),
                           static_cast<SQLSMALLINT>(number(8)), row[5].ToText());
        const bool text = type.kind == ValueKind::Text || type.kind == ValueKind::Binary;
        const rt::Variant ordinal = row.size() > 16 ? row[16] : rt::Variant::Null();
        return {row[0],
                row[1],
                row[2],
                row[3],
                ordinal,
                type.info.type,
                text ? rt::Variant(type.info.definedSize) : rt::Variant::Null(),
                number(10) != SQL_NO_NULLS};
    }

    static void SetAffected(int32_t* recordsAffected, bool changes, int64_t changed) {
        if (recordsAffected != nullptr) {
            *recordsAffected = changes ? static_cast<int32_t>(std::min<int64_t>(
                                             changed, std::numeric_limits<int32_t>::max()))
                                       : -1;
        }
    }

    OdbcStatement NewStatement() {
        SQLHANDLE raw = SQL_NULL_HANDLE;
        CheckDbc(SQLAllocHandle(SQL_HANDLE_STMT, Dbc(), &raw));
        OdbcStatement statement(raw);
        SQLSetStmtAttrW(
            raw, SQL_ATTR_QUERY_TIMEOUT,
            reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(std::max(commandTimeout_, 0))), 0);
        return statement;
    }

    void EndTransaction(SQLSMALLINT completion) {
        const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, Dbc(), completion);
        // Back to autocommit whatever the outcome, so the connection is never left half open.
        SQLSetConnectAttrW(Dbc(), SQL_ATTR_AUTOCOMMIT,
                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
        inTransaction_ = false;
        CheckDbc(rc);
    }

    void CheckDbc(SQLRETURN rc) {
        if (!SQL_SUCCEEDED(rc)) {
            RaiseOdbcError(SQL_HANDLE_DBC, Dbc(), errors_, source_);
        }
    }

    void CheckStatement(SQLRETURN rc, SQLHSTMT statement) {
        if (!SQL_SUCCEEDED(rc)) {
            RaiseOdbcError(SQL_HANDLE_STMT, statement, errors_, source_);
        }
    }

    OdbcEnv env_;
    OdbcDbc dbc_;
    Errors& errors_;
    QString source_;
    int32_t commandTimeout_;
    bool inTransaction_ = false;
    bool concurrent_ = true;
    SQLUSMALLINT identifierCase_ = SQL_IC_MIXED;
};

}  // namespace

std::unique_ptr<Session> OpenOdbcSession(const ConnectionTarget& target, Errors& errors,
                                         int32_t connectionTimeout, int32_t commandTimeout) {
    SQLHANDLE raw = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &raw))) {
        RaiseProviderErrors(errors, {});
    }
    OdbcEnv env(raw);
    SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env.get(), &raw))) {
        RaiseOdbcError(SQL_HANDLE_ENV, env.get(), errors, target.provider);
    }
    OdbcDbc dbc;
    dbc.handle.reset(raw);
    SQLSetConnectAttrW(
        raw, SQL_ATTR_LOGIN_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(std::max(connectionTimeout, 0))), 0);
    const SQLRETURN rc = SQLDriverConnectW(raw, nullptr, Wide(target.odbcString), SQL_NTS, nullptr,
                                           0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        RaiseOdbcError(SQL_HANDLE_DBC, raw, errors, target.provider);
    }
    dbc.connected = true;
    return std::make_unique<OdbcSession>(std::move(env), std::move(dbc), errors, target.provider,
                                         commandTimeout);
}

}  // namespace ado
