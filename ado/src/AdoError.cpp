#include "AdoError.h"

#include <QString>

#include "ado/Enums.h"
#include "runtime/RuntimeError.h"

namespace ado {

namespace {
QString Description(int32_t number) {
    switch (number) {
        case err::NoCurrentRecord:
            return QStringLiteral(
                "Either BOF or EOF is True, or the current record has been deleted. Requested "
                "operation requires a current record.");
        case err::ArgumentsWrongType:
            return QStringLiteral(
                "Arguments are of the wrong type, are out of acceptable range, or are in "
                "conflict with one another.");
        case err::ObjectOpen:
            return QStringLiteral("Operation is not allowed when the object is open.");
        case err::ProviderNotFound:
            return QStringLiteral("Provider cannot be found. It may not be properly installed.");
        case err::ConnectionNotUsable:
            return QStringLiteral(
                "The connection cannot be used to perform this operation. It is either closed "
                "or invalid in this context.");
        default:
            return rt::RuntimeError::StandardDescription(number);
    }
}
}  // namespace

void RaiseAdoError(int32_t number) {
    throw rt::RuntimeError(number, Description(number), QStringLiteral("ADODB"));
}

}  // namespace ado
