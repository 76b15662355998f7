#pragma once

#include <ostream>

namespace lookuptest {

// Prints a case of a parameterised suite by its name, so that a failure names its case. A test
// file brings it into the namespace of its cases with a using-declaration.
template <class Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

}  // namespace lookuptest
