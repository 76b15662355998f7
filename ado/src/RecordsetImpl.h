#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "Cursor.h"
#include "cheques/ado/Enums.h"
#include "cheques/ado/Fields.h"

namespace ado {

class Connection;

// The state behind a Recordset. Rows live in one flat vector of values: the whole result for
// a holding recordset; the current row (and, once released, the rows after it) for a
// streaming one.
class RecordsetImpl {
  public:
    RecordsetImpl() = default;
    ~RecordsetImpl();
    RecordsetImpl(const RecordsetImpl&) = delete;
    RecordsetImpl& operator=(const RecordsetImpl&) = delete;

    void Open(const QString& source, std::shared_ptr<Connection> connection, int cursorType,
              int lockType, int options);
    // Takes a result its connection has already run; holding when cursorType is not
    // forward-only or the cursor location is adUseClient.
    void Attach(std::shared_ptr<Connection> connection, std::unique_ptr<Cursor> cursor,
                const QString& source, int cursorType);
    void Close();
    bool IsOpen() const { return open_; }

    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    int32_t RecordCount() const;
    std::vector<std::vector<rt::Variant>> GetRows(int32_t rows);

    // Reads the rest of a streaming result into memory and lets go of the provider's cursor,
    // for drivers that serve one result at a time.
    void ReleaseCursor();

    const ado::Fields& Fields() const { return fields_; }

    int cursorType = adOpenForwardOnly;
    int lockType = adLockReadOnly;
    int cursorLocation = adUseServer;
    bool cursorLocationSet = false;
    QString source;
    std::shared_ptr<Connection> connection;
    int32_t recordsAffected = -1;  // of the last Open on a statement without rows

  private:
    void Reset();
    void RequireOpen() const;
    void RequireCurrent() const;
    int EffectiveLocation() const;
    void UpdateCurrent();
    void HoldAll();
    // Gives computed text columns the size of their longest value.
    void SizeComputedColumns();
    // Reads the cursor to its end, adding its rows after those held.
    void AppendRemainingRows();
    [[noreturn]] void RaiseCantFetchBackwards();

    bool open_ = false;
    bool streaming_ = false;
    std::unique_ptr<Cursor> cursor_;
    size_t width_ = 0;
    std::vector<rt::Variant> rows_;
    int64_t count_ = 0;     // rows held in rows_
    int64_t pos_ = 0;       // current row in rows_; -1 is BOF, count_ is EOF
    int64_t firstRow_ = 0;  // streaming: number (from 1) of rows_[0] in the whole result
    ado::Fields fields_;
    detail::CurrentRow current_;
};

}  // namespace ado
