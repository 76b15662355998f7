#pragma once

#include <memory>

#include "Session.h"
#include "cheques/ado/ConnectionString.h"
#include "cheques/ado/Errors.h"

namespace ado {

// Opens the provider session for a target; failures fill errors and raise.
std::unique_ptr<Session> OpenSqliteSession(const ConnectionTarget& target, Errors& errors,
                                           int32_t commandTimeout);
std::unique_ptr<Session> OpenOdbcSession(const ConnectionTarget& target, Errors& errors,
                                         int32_t connectionTimeout, int32_t commandTimeout);

}  // namespace ado
