#include "runtime/RuntimeError.h"

namespace rt {

RuntimeError::RuntimeError(int32_t number, const QString& description, const QString& source)
    : std::runtime_error(description.toStdString()),
      number_(number),
      description_(description),
      source_(source) {}

QString RuntimeError::StandardDescription(int32_t number) {
    switch (number) {
        case err::InvalidProcedureCall:
            return QStringLiteral("Invalid procedure call or argument");
        case err::Overflow:
            return QStringLiteral("Overflow");
        case err::TypeMismatch:
            return QStringLiteral("Type mismatch");
        case err::InvalidUseOfNull:
            return QStringLiteral("Invalid use of Null");
        case err::ObjectAlreadyLoaded:
            return QStringLiteral("Object already loaded");
        case err::ItemNotFound:
            return QStringLiteral(
                "Item cannot be found in the collection corresponding to the requested name or "
                "ordinal.");
        case err::ObjectClosed:
            return QStringLiteral("Operation is not allowed when the object is closed.");
        default:
            return QStringLiteral("Application-defined or object-defined error");
    }
}

void RuntimeError::Raise(int32_t number, const QString& source) {
    throw RuntimeError(number, StandardDescription(number), source);
}

}  // namespace rt
