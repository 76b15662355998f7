#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "Cursor.h"
#include "cheques/runtime/Variant.h"

namespace ado {

// One open provider connection. Failures fill the connection's Errors and raise the provider's
// error number.
class Session {
  public:
    virtual ~Session() = default;

    // Runs text; the cursor of its (last) result rows, or null when it gives none.
    // recordsAffected receives the rows changed, or -1 when no statement changes rows.
    virtual std::unique_ptr<Cursor> Execute(const QString& text, int32_t* recordsAffected) = 0;
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    // True while a transaction is open, whether the calls above or a statement began it.
    virtual bool InTransaction() const = 0;

    // Catalogue rows: tables as (catalog, schema, name, type); columns as (catalog, schema,
    // table, column, ordinal, ADO data type, maximum length or Null, nullable).
    virtual std::vector<std::vector<rt::Variant>> Tables(const QString& catalog,
                                                         const QString& schema,
                                                         const QString& table,
                                                         const QString& tableType) = 0;
    virtual std::vector<std::vector<rt::Variant>> Columns(const QString& catalog,
                                                          const QString& schema,
                                                          const QString& table,
                                                          const QString& column) = 0;

    // False when the driver serves one result at a time, so that an open streaming cursor must
    // be read to its end before another statement runs.
    virtual bool AllowsConcurrentCursors() const = 0;
    virtual void SetCommandTimeout(int32_t seconds) = 0;
};

}  // namespace ado
