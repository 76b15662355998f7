#pragma once

#include <vector>

#include "cheques/ado/FieldInfo.h"
#include "cheques/runtime/Variant.h"

namespace ado {

// The rows of one result, read one at a time from the provider.
class Cursor {
  public:
    virtual ~Cursor() = default;
    virtual const std::vector<FieldInfo>& Columns() const = 0;
    // Reads the next row into values (one per column, storage reused); false after the last,
    // leaving values untouched.
    virtual bool Fetch(rt::Variant* values) = 0;
    // Runs the statement again so that the next Fetch reads its first row.
    virtual void Restart() = 0;
    // True for a computed text column whose declared size says nothing: a recordset that holds
    // its rows sizes it by the longest value.
    virtual bool SizedByValues(size_t /*column*/) const { return false; }
};

}  // namespace ado
