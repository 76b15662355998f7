#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "cheques/ado/Enums.h"
#include "cheques/ado/Errors.h"
#include "cheques/ado/Properties.h"
#include "cheques/ado/Recordset.h"
#include "cheques/runtime/Variant.h"

namespace ado {

class Session;
class RecordsetImpl;

// A connection to one database. It is held by std::shared_ptr (Create, or std::make_shared):
// every recordset opened on it keeps it alive. The provider is chosen by the connection string:
// "Provider=SQLite;Data Source=PATH" (embedded), "Provider=SQLOLEDB;..." (SQL Server through
// ODBC), "Provider=OraOLEDB.Oracle.1;..." (Oracle through ODBC) or a plain ODBC string.
//
// Properties read when opening: "SQL Server ODBC Driver" (default "FreeTDS") and "Oracle ODBC
// Driver" (default "Oracle") name the ODBC drivers behind the two OLE DB provider names.
class Connection : public std::enable_shared_from_this<Connection> {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    static std::shared_ptr<Connection> Create();

    // The string set or last opened with; "" when never set.
    const QString& ConnectionString() const { return connectionString_; }
    // Raises 3705 while open.
    void SetConnectionString(const QString& connectionString);
    int CursorLocation() const { return cursorLocation_; }
    void SetCursorLocation(int cursorLocation);
    // Seconds to wait for the server when opening (0 waits for ever), and for each command.
    int32_t ConnectionTimeout() const { return connectionTimeout_; }
    void SetConnectionTimeout(int32_t seconds);
    int32_t CommandTimeout() const { return commandTimeout_; }
    void SetCommandTimeout(int32_t seconds);
    int State() const;
    // The provider name of the open connection ("SQLite", "SQLOLEDB", "OraOLEDB.Oracle.1" or
    // "MSDASQL" for plain ODBC), or the one named by the connection string.
    QString Provider() const;

    // Opens with connectionString (or the one set before when empty). A non-empty user or
    // password takes the place of the one in the string. Raises 3705 when already open.
    void Open(const QString& connectionString = {}, const QString& userId = {},
              const QString& password = {}, int options = -1);
    // Closes the connection and every streaming recordset still open on it; a pending
    // transaction is rolled back.
    void Close();

    // Runs a statement or a batch. The embedded provider takes a T-SQL batch (statements on
    // their own lines or separated by ";") and runs it all or nothing (see ado/README.md); ODBC
    // hands the text to the driver. The result is open on the rows of the last statement
    // (embedded provider) or of the first statement that returns rows (ODBC, as the driver
    // delivers them), closed when there are none. recordsAffected receives the number of rows
    // the statements changed, or -1 when none changes rows; a failure leaves it alone.
    Recordset Execute(const QString& commandText, int32_t* recordsAffected = nullptr,
                      int options = adCmdUnspecified);

    // Raises the provider's syntax error, filling Errors, when text cannot be a command: one
    // holding a NUL character would be cut short by the drivers. Execute and Recordset::Open
    // check their text; a caller that runs a script piece by piece checks the whole first.
    void CheckCommandText(const QString& text);

    // Begins a transaction and returns its level (1); nested transactions are not supported.
    int32_t BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    // True while a transaction is open, begun by BeginTrans or by a statement of a batch.
    bool InTransaction() const;

    ado::Errors& Errors() { return errors_; }
    const ado::Errors& Errors() const { return errors_; }
    ado::Properties& Properties() { return properties_; }
    const ado::Properties& Properties() const { return properties_; }

    // Catalogue queries: adSchemaTables (20) gives TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME,
    // TABLE_TYPE; adSchemaColumns (4) gives TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME,
    // COLUMN_NAME, ORDINAL_POSITION, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE.
    // restrictions are catalogue, schema, table (and column, or table type for tables); an
    // Empty, Null or "" entry does not restrict.
    Recordset OpenSchema(int schema, const std::vector<rt::Variant>& restrictions = {});

    // Used by recordsets: the provider session of the open connection (raises 3709 when
    // closed), and the registry of streaming recordsets that must let go of the session.
    Session& OpenSession();
    void Attach(RecordsetImpl* recordset);
    void Detach(RecordsetImpl* recordset);

  private:
    std::shared_ptr<Connection> Self();
    void RequireTransaction();

    QString connectionString_;
    int cursorLocation_ = adUseServer;
    int32_t connectionTimeout_ = 15;
    int32_t commandTimeout_ = 30;
    ado::Errors errors_;
    ado::Properties properties_;
    std::unique_ptr<Session> session_;
    std::vector<RecordsetImpl*> streaming_;
};

}  // namespace ado
