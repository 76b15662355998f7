#pragma once

#include <ostream>

#include "runtime/Variant.h"

namespace rt {

// Readable variants in test failures: the type code and the text.
inline void PrintTo(const Variant& value, std::ostream* os) {
    *os << "Variant(" << static_cast<int>(value.VarType());
    if (!value.IsEmpty() && !value.IsNull()) {
        *os << ", " << value.ToText().toStdString();
    }
    *os << ")";
}

}  // namespace rt
