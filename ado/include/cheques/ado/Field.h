#pragma once

#include "cheques/ado/FieldInfo.h"
#include "cheques/runtime/Variant.h"

namespace ado {

namespace detail {
// The values of the recordset's current row, or none when BOF or EOF is true; shared by the
// fields of one recordset so that moving updates them all at once.
struct CurrentRow {
    const rt::Variant* values = nullptr;
};
}  // namespace detail

// One column of an open recordset, reading the value of the current row.
class Field {
  public:
    Field(FieldInfo info, const detail::CurrentRow* row, int index)
        : info_(std::move(info)), row_(row), index_(index) {}

    const QString& Name() const { return info_.name; }
    // The value in the current row (SQL NULL is Null); raises 3021 when BOF or EOF is true.
    const rt::Variant& Value() const;
    int Type() const { return info_.type; }
    int32_t DefinedSize() const { return info_.definedSize; }
    int Precision() const { return info_.precision; }
    int NumericScale() const { return info_.numericScale; }
    const FieldInfo& Info() const { return info_; }

  private:
    FieldInfo info_;
    const detail::CurrentRow* row_;
    int index_;
};

}  // namespace ado
