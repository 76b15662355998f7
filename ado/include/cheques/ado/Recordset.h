#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "cheques/ado/Enums.h"
#include "cheques/ado/Fields.h"
#include "cheques/runtime/Variant.h"

namespace ado {

class Connection;
class RecordsetImpl;

// A recordset owned by its caller. A forward-only read-only recordset on a server-side cursor
// streams its rows (memory does not grow with the result); every other one holds its rows, so
// that it can move both ways and count them. BOF and EOF are named Bof and Eof here because EOF
// is a macro of the C library.
class Recordset {
  public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&& other) noexcept;
    Recordset& operator=(Recordset&& other) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens on a statement (or a table name with adCmdTable). -1 takes the cursor type and lock
    // type remembered from the properties below (forward-only and read-only at first).
    void Open(const QString& source, std::shared_ptr<Connection> activeConnection,
              int cursorType = adOpenUnspecified, int lockType = adLockUnspecified,
              int options = adCmdUnspecified);
    // Opens on a connection of its own, made from a connection string.
    void Open(const QString& source, const QString& connectionString,
              int cursorType = adOpenUnspecified, int lockType = adLockUnspecified,
              int options = adCmdUnspecified);
    // Closes an open recordset; closing a closed one raises 3704.
    void Close();
    int State() const;

    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // Number of rows, or -1 for a forward-only recordset.
    int32_t RecordCount() const;
    // After an Open on a statement that returns no rows (the recordset stays closed): the rows
    // it changed, or -1 when it changes none; -1 after any other Open.
    int32_t RecordsAffected() const;
    // The rows from the current one on (at most `rows`, all when negative) as
    // result[field][row]; leaves the recordset after the last row read.
    std::vector<std::vector<rt::Variant>> GetRows(int32_t rows = -1);

    const ado::Fields& Fields() const;

    int CursorType() const;
    void SetCursorType(int cursorType);
    int LockType() const;
    void SetLockType(int lockType);
    // Setting these while open raises 3705.
    // adUseClient makes the recordset static whatever cursor type is asked, as ADO does.
    int CursorLocation() const;
    void SetCursorLocation(int cursorLocation);
    const QString& Source() const;
    std::shared_ptr<Connection> ActiveConnection() const;

  private:
    friend class Connection;
    // Used by Connection to hand over a result it has already run.
    explicit Recordset(std::unique_ptr<RecordsetImpl> impl);
    RecordsetImpl& Impl();
    const RecordsetImpl& ConstImpl() const;
    // The state, raising 3705 when open (properties that only a closed recordset may change).
    RecordsetImpl& ClosedImpl();
    std::unique_ptr<RecordsetImpl> impl_;
};

}  // namespace ado
