#include "cheques/ado/Connection.h"

#include <algorithm>

#include "AdoError.h"
#include "MemoryCursor.h"
#include "ProviderFailure.h"
#include "RecordsetImpl.h"
#include "SessionFactory.h"
#include "cheques/runtime/RuntimeError.h"

namespace ado {

namespace {
const QString kSqlServerDriver = QStringLiteral("SQL Server ODBC Driver");
const QString kOracleDriver = QStringLiteral("Oracle ODBC Driver");

QString Restriction(const std::vector<rt::Variant>& restrictions, size_t index) {
    if (index >= restrictions.size()) {
        return {};
    }
    const rt::Variant& value = restrictions[index];
    return value.IsEmpty() || value.IsNull() ? QString() : value.ToString();
}

std::vector<FieldInfo> TableColumns() {
    return {{QStringLiteral("TABLE_CATALOG"), adVarWChar, 128},
            {QStringLiteral("TABLE_SCHEMA"), adVarWChar, 128},
            {QStringLiteral("TABLE_NAME"), adVarWChar, 128},
            {QStringLiteral("TABLE_TYPE"), adVarWChar, 128}};
}

std::vector<FieldInfo> ColumnColumns() {
    return {{QStringLiteral("TABLE_CATALOG"), adVarWChar, 128},
            {QStringLiteral("TABLE_SCHEMA"), adVarWChar, 128},
            {QStringLiteral("TABLE_NAME"), adVarWChar, 128},
            {QStringLiteral("COLUMN_NAME"), adVarWChar, 128},
            {QStringLiteral("ORDINAL_POSITION"), adInteger, 4},
            {QStringLiteral("DATA_TYPE"), adInteger, 4},
            {QStringLiteral("CHARACTER_MAXIMUM_LENGTH"), adInteger, 4},
            {QStringLiteral("IS_NULLABLE"), adBoolean, 2}};
}
}  // namespace

Connection::Connection() {
    properties_.SetItem(kSqlServerDriver, QStringLiteral("FreeTDS"));
    properties_.SetItem(kOracleDriver, QStringLiteral("Oracle"));
}

Connection::~Connection() {
    // Recordsets keep their connection alive, so no streaming recordset can remain here.
    session_.reset();
}

std::shared_ptr<Connection> Connection::Create() {
    return std::make_shared<Connection>();
}

void Connection::SetConnectionString(const QString& connectionString) {
    if (session_) {
        RaiseAdoError(err::ObjectOpen);
    }
    connectionString_ = connectionString;
}

void Connection::SetCursorLocation(int cursorLocation) {
    if (cursorLocation != adUseServer && cursorLocation != adUseClient) {
        RaiseAdoError(err::ArgumentsWrongType);
    }
    cursorLocation_ = cursorLocation;
}

void Connection::SetConnectionTimeout(int32_t seconds) {
    if (session_) {
        RaiseAdoError(err::ObjectOpen);
    }
    connectionTimeout_ = seconds;
}

void Connection::SetCommandTimeout(int32_t seconds) {
    commandTimeout_ = seconds;
    if (session_) {
        session_->SetCommandTimeout(seconds);
    }
}

int Connection::State() const {
    return session_ ? adStateOpen : adStateClosed;
}

QString Connection::Provider() const {
    if (connectionString_.trimmed().isEmpty()) {
        return QStringLiteral("MSDASQL");
    }
    try {
        return TranslateConnectionString(connectionString_).provider;
    } catch (const rt::RuntimeError&) {
        return ConnectionStringValue(connectionString_, QStringLiteral("Provider"));
    }
}

void Connection::Open(const QString& connectionString, const QString& userId,
                      const QString& password, int /*options*/) {
    if (session_) {
        RaiseAdoError(err::ObjectOpen);
    }
    if (!connectionString.isEmpty()) {
        connectionString_ = connectionString;
    }
    OdbcDrivers drivers;
    drivers.sqlServer = properties_.Value(kSqlServerDriver, drivers.sqlServer).ToText();
    drivers.oracle = properties_.Value(kOracleDriver, drivers.oracle).ToText();
    const ConnectionTarget target =
        TranslateConnectionString(connectionString_, userId, password, drivers);
    if (target.kind == ProviderKind::Sqlite) {
        session_ = OpenSqliteSession(target, errors_, commandTimeout_);
        return;
    }
    const int32_t timeout = target.loginTimeout >= 0 ? target.loginTimeout : connectionTimeout_;
    session_ = OpenOdbcSession(target, errors_, timeout, commandTimeout_);
}

void Connection::Close() {
    if (!session_) {
        RaiseAdoError(err::ObjectClosed);
    }
    const std::vector<RecordsetImpl*> streaming = streaming_;
    for (RecordsetImpl* recordset : streaming) {
        recordset->Close();
    }
    if (session_->InTransaction()) {
        try {
            session_->RollbackTrans();
        } catch (const rt::RuntimeError&) {
            // The connection goes away regardless; its errors stay in Errors.
        }
    }
    session_.reset();
}

Session& Connection::OpenSession() {
    if (!session_) {
        RaiseAdoError(err::ConnectionNotUsable);
    }
    if (!session_->AllowsConcurrentCursors()) {
        const std::vector<RecordsetImpl*> streaming = streaming_;
        for (RecordsetImpl* recordset : streaming) {
            recordset->ReleaseCursor();
        }
    }
    return *session_;
}

void Connection::Attach(RecordsetImpl* recordset) {
    streaming_.push_back(recordset);
}

void Connection::Detach(RecordsetImpl* recordset) {
    streaming_.erase(std::remove(streaming_.begin(), streaming_.end(), recordset),
                     streaming_.end());
}

std::shared_ptr<Connection> Connection::Self() {
    std::shared_ptr<Connection> self = weak_from_this().lock();
    if (!self) {
        // Recordsets keep their connection alive, which needs a connection held by shared_ptr.
        RaiseAdoError(err::ConnectionNotUsable);
    }
    return self;
}

Recordset Connection::Execute(const QString& commandText, int32_t* recordsAffected, int options) {
    std::shared_ptr<Connection> self = Self();
    int32_t affected = -1;
    const bool table = options != adCmdUnspecified && (options & (adCmdTable | adCmdTableDirect));
    const QString text = table ? QStringLiteral("SELECT * FROM ") + commandText : commandText;
    CheckCommandText(text);
    std::unique_ptr<Cursor> cursor = OpenSession().Execute(text, &affected);
    if (recordsAffected != nullptr) {
        *recordsAffected = affected;
    }
    auto impl = std::make_unique<RecordsetImpl>();
    const bool noRecords = options != adCmdUnspecified && (options & adExecuteNoRecords);
    if (cursor && !noRecords) {
        impl->Attach(std::move(self), std::move(cursor), commandText, adOpenForwardOnly);
    }
    return Recordset(std::move(impl));
}

void Connection::CheckCommandText(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul < 0) {
        return;
    }
    const int line = 1 + static_cast<int>(QStringView(text).first(nul).count(QLatin1Char('\n')));
    RaiseProviderErrors(errors_, {Error(rt::err::ProviderSyntax,
                                        QStringLiteral("El texto del comando tiene un carácter NUL "
                                                       "(línea %1); no se ejecutó nada de él.")
                                            .arg(line),
                                        QStringLiteral("42000"), 0, Provider())});
}

bool Connection::InTransaction() const {
    return session_ && session_->InTransaction();
}

int32_t Connection::BeginTrans() {
    Session& session = OpenSession();
    if (session.InTransaction()) {
        RaiseProviderErrors(errors_, {Error(rt::err::ProviderUnspecified,
                                            QStringLiteral("Sólo puede haber una transacción "
                                                           "activa en esta sesión."),
                                            QStringLiteral("25000"), 0, Provider())});
    }
    session.BeginTrans();
    return 1;
}

void Connection::CommitTrans() {
    Session& session = OpenSession();
    RequireTransaction();
    session.CommitTrans();
}

void Connection::RollbackTrans() {
    Session& session = OpenSession();
    RequireTransaction();
    session.RollbackTrans();
}

void Connection::RequireTransaction() {
    if (!InTransaction()) {
        RaiseProviderErrors(errors_, {Error(err::NoTransaction,
                                            QStringLiteral("No hay ninguna transacción activa."),
                                            QStringLiteral("25000"), 0, Provider())});
    }
}

Recordset Connection::OpenSchema(int schema, const std::vector<rt::Variant>& restrictions) {
    std::shared_ptr<Connection> self = Self();
    Session& session = OpenSession();
    std::unique_ptr<Cursor> cursor;
    if (schema == adSchemaTables) {
        cursor = std::make_unique<MemoryCursor>(
            TableColumns(),
            session.Tables(Restriction(restrictions, 0), Restriction(restrictions, 1),
                           Restriction(restrictions, 2), Restriction(restrictions, 3)));
    } else if (schema == adSchemaColumns) {
        cursor = std::make_unique<MemoryCursor>(
            ColumnColumns(),
            session.Columns(Restriction(restrictions, 0), Restriction(restrictions, 1),
                            Restriction(restrictions, 2), Restriction(restrictions, 3)));
    } else {
        RaiseAdoError(err::ArgumentsWrongType);
    }
    auto impl = std::make_unique<RecordsetImpl>();
    impl->Attach(std::move(self), std::move(cursor), QString(), adOpenStatic);
    return Recordset(std::move(impl));
}

}  // namespace ado
