#include "AdoError.h"
#include "SessionFactory.h"

namespace ado {

std::unique_ptr<Session> OpenOdbcSession(const ConnectionTarget&, Errors&, int32_t, int32_t) {
    RaiseAdoError(err::ProviderNotFound);
}

}  // namespace ado
