#include "cheques/runtime/RuntimeError.h"

namespace rt {

RuntimeError::RuntimeError(int32_t number, const QString& description, const QString& source)
    : std::runtime_error(description.toStdString()),
      number_(number),
      description_(description),
      source_(source) {}

QString RuntimeError::StandardDescription(int32_t number) {
    switch (number) {
        case err::InvalidProcedureCall:
            return QStringLiteral("Llamada a procedimiento o argumento no válidos");
        case err::Overflow:
            return QStringLiteral("Desbordamiento");
        case err::TypeMismatch:
            return QStringLiteral("No coinciden los tipos");
        case err::InvalidUseOfNull:
            return QStringLiteral("Uso no válido de Null");
        case err::ObjectAlreadyLoaded:
            return QStringLiteral("El objeto ya está cargado");
        case err::ItemNotFound:
            return QStringLiteral(
                "No se encontró el elemento en la colección correspondiente al nombre o al "
                "ordinal pedido.");
        case err::ObjectClosed:
            return QStringLiteral(
                "No se permite realizar esta operación si el objeto está cerrado.");
        default:
            return QStringLiteral("Error definido por la aplicación o por el objeto");
    }
}

void RuntimeError::Raise(int32_t number, const QString& source) {
    throw RuntimeError(number, StandardDescription(number), source);
}

}  // namespace rt
