#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

#include "cheques/runtime/Variant.h"

// Readable values in test failures, and readable names for the cases of parameterised suites.
// Every test program uses these printers, so that gtest never falls back to a byte dump.

// The printers live in the namespaces of the printed types (Qt's are global), where gtest
// looks for them.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral("|")).toStdString() << ']';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}

namespace rt {

// The type code and the text.
inline void PrintTo(const Variant& value, std::ostream* os) {
    *os << "Variant(" << static_cast<int>(value.VarType());
    if (!value.IsEmpty() && !value.IsNull()) {
        *os << ", " << value.ToText().toStdString();
    }
    *os << ")";
}

}  // namespace rt

// Names each case of a parameterised suite after its `name` field, as a data row is named
// after its tag; gtest refuses names that are not identifiers or that repeat.
//
//   INSTANTIATE_TEST_SUITE_P(Answers, Suite, ::testing::ValuesIn(kCases), CaseName());
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.name);
    }
};
