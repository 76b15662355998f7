#pragma once

#include <vector>

#include "Cursor.h"
#include "DeclaredType.h"
#include "OdbcHandles.h"
#include "cheques/ado/Errors.h"

namespace ado {

// The rows of an executed ODBC statement, read column by column with SQLGetData.
class OdbcCursor : public Cursor {
  public:
    // text is what runs again on Restart (empty for catalogue results).
    OdbcCursor(OdbcStatement statement, QString text, Errors& errors, QString source);

    const std::vector<FieldInfo>& Columns() const override { return columns_; }
    bool Fetch(rt::Variant* values) override;
    void Restart() override;

  private:
    void DescribeColumns();
    rt::Variant ReadValue(SQLUSMALLINT column, ValueKind kind);
    rt::Variant ReadText(SQLUSMALLINT column);
    rt::Variant ReadBinary(SQLUSMALLINT column);
    void Check(SQLRETURN rc);

    OdbcStatement statement_;
    QString text_;
    Errors& errors_;
    QString source_;
    std::vector<FieldInfo> columns_;
    std::vector<ValueKind> kinds_;
    std::vector<SQLWCHAR> buffer_;
    bool done_ = false;
};

// Raises the diagnostics of a handle through errors.
[[noreturn]] void RaiseOdbcError(SQLSMALLINT handleType, SQLHANDLE handle, Errors& errors,
                                 const QString& source);

}  // namespace ado
