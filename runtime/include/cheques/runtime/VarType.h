#pragma once

namespace rt {

// The platform's variant type codes, as callers write the type of a value they pass (the lookup
// helpers take the type of a searched key this way: vbString for a text key).
enum VbVarType : int {
    vbEmpty = 0,
    vbNull = 1,
    vbInteger = 2,
    vbLong = 3,
    vbSingle = 4,
    vbDouble = 5,
    vbCurrency = 6,
    vbDate = 7,
    vbString = 8,
    vbBoolean = 11,
    vbLongLong = 20,
};

}  // namespace rt
