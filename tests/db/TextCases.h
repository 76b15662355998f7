#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <span>

#include "RaisedError.h"

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

}  // namespace dbtest
