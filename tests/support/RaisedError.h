#pragma once

#include <cstdint>
#include <functional>

#include "cheques/runtime/RuntimeError.h"

// The number of the run-time error a call raises; 0 when it raises none.
inline int32_t RaisedNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}
