#pragma once

#include <QString>
#include <vector>

#include "cheques/ado/Field.h"

namespace ado {

// The fields of an open recordset, by position (from 0) or by name ignoring case.
class Fields {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Out of range or a missing name raises 3265.
    const Field& Item(int index) const;
    const Field& Item(const QString& name) const;
    const Field& operator[](int index) const { return Item(index); }
    const Field& operator[](const QString& name) const { return Item(name); }
    // Position of the field with that name, or -1.
    int IndexOf(const QString& name) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    void Reset(const std::vector<FieldInfo>& infos, const detail::CurrentRow* row);
    void Clear() { items_.clear(); }

  private:
    std::vector<Field> items_;
};

}  // namespace ado
