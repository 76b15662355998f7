#pragma once

#include <vector>

#include "cheques/ado/Errors.h"

namespace ado {

// Puts the errors of a provider failure into the connection's collection and raises the first
// one as a run-time error (its number, description and source).
[[noreturn]] void RaiseProviderErrors(Errors& errors, std::vector<Error> failure);

}  // namespace ado
