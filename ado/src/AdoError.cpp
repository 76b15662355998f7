#include "AdoError.h"

#include <QString>

#include "cheques/ado/Enums.h"
#include "cheques/runtime/RuntimeError.h"

namespace ado {

namespace {
QString Description(int32_t number) {
    switch (number) {
        case err::NoCurrentRecord:
            return QStringLiteral(
                "El valor de BOF o EOF es True, o el actual registro se eliminó; la operación "
                "solicitada requiere un registro actual.");
        case err::ArgumentsWrongType:
            return QStringLiteral(
                "Los argumentos son del tipo incorrecto, están fuera del intervalo aceptable o "
                "están en conflicto con otros.");
        case err::ObjectOpen:
            return QStringLiteral(
                "No se permite realizar esta operación si el objeto está abierto.");
        case err::ProviderNotFound:
            return QStringLiteral(
                "No se puede encontrar el proveedor. Es posible que no esté instalado "
                "correctamente.");
        case err::ConnectionNotUsable:
            return QStringLiteral(
                "No se puede usar la conexión para realizar esta operación. Está cerrada o no es "
                "válida en este contexto.");
        default:
            return rt::RuntimeError::StandardDescription(number);
    }
}
}  // namespace

void RaiseAdoError(int32_t number) {
    throw rt::RuntimeError(number, Description(number), QStringLiteral("ADODB"));
}

}  // namespace ado
