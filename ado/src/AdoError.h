#pragma once

#include <cstdint>

namespace ado {

// Raises one of ADO's own errors (ado::err or rt::err numbers) with ADO's wording.
[[noreturn]] void RaiseAdoError(int32_t number);

}  // namespace ado
