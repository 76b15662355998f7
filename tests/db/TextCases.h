#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <span>

#include "runtime/RuntimeError.h"

// Table-driven checks of the component's text functions.
namespace dbtest {

struct TextCase {
    const char* input;
    const char* expected;
};

// Every case of the table through the function, each failure naming its input.
inline void ExpectAll(const std::function<QString(const QString&)>& function,
                      std::span<const TextCase> cases) {
    for (const TextCase& c : cases) {
        EXPECT_EQ(function(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.input;
    }
}

// The number of the run-time error the call raises; 0 when it raises none.
template <class F>
int ErrorNumberOf(F&& call) {
    try {
        call();
    } catch (const rt::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace dbtest
