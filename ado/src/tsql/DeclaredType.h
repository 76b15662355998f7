#pragma once

#include <QString>

#include "cheques/ado/FieldInfo.h"

namespace ado {

// How a column's values are read into variants.
enum class ValueKind { Any, Integer, BigInt, Boolean, Double, Currency, Date, Text, Binary };

struct DeclaredType {
    FieldInfo info;
    ValueKind kind = ValueKind::Any;
};

// The ADO type, sizes and value kind of a column declared with an SQL Server type name
// ("varchar(40)", "int", "money", "decimal(12,2)", "datetime", ...). An empty or unknown
// declaration gives kind Any (values read as they are stored).
DeclaredType DeclaredTypeOf(const QString& declaration);

}  // namespace ado
