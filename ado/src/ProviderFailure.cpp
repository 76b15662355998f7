#include "ProviderFailure.h"

#include "cheques/runtime/RuntimeError.h"

namespace ado {

void RaiseProviderErrors(Errors& errors, std::vector<Error> failure) {
    if (failure.empty()) {
        failure.emplace_back(rt::err::ProviderUnspecified, QStringLiteral("Error no especificado"),
                             QStringLiteral("HY000"), 0, QString());
    }
    const Error first = failure.front();
    errors.Assign(std::move(failure));
    throw rt::RuntimeError(first.Number(), first.Description(), first.Source());
}

}  // namespace ado
