#pragma once

#include <QString>
#include <optional>

#include "cheques/runtime/Variant.h"

// The statements of the lookup helpers of DB_Dll, built from their arguments. Text keys are
// written as quoted literals with their quotes doubled; a condition is SQL written by the
// caller and is inserted as it stands.
namespace db {

// How a searched value is written, from its variant type code (8 text, 7 date, 3, 4 and 5
// numbers; any other code, Empty and Null write the value bare). A code that is not a number
// raises "type mismatch" (13).
enum class ClaseDeValor { Texto, Fecha, Numero, Otro };
ClaseDeValor ClaseDeTipo(const rt::Variant& tipoDato);

// A key read as a number the way Val reads it ("0012" is 12, "12abc" is 12, "" is 0) and
// written back with "." as decimal point, whatever the user's locale, so that SQL can read it.
QString NumeroNormalizado(const QString& valor);

// "SELECT MAX(campo) AS MAYOR FROM tabla", with " WHERE " and the trimmed condition when one
// is given (also when it is empty).
QString SentenciaBuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                             const std::optional<rt::Variant>& Condicion);
// The same with MIN and MENOR.
QString SentenciaBuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                             const std::optional<rt::Variant>& Condicion);
// As SentenciaBuscaMaximo, but a blank condition adds nothing and any other is added untrimmed.
QString SentenciaBuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                   const QString& Condicion);

// "SELECT * FROM tabla" and the key comparison (the key as passed, untrimmed), or the
// condition when it is not empty.
QString SentenciaExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                                 const QString& Campo, const rt::Variant& TipoDato,
                                 const QString& Condicion);
// "SELECT TOP 1 * FROM tabla" and the key comparison (a text key trimmed and compared with the
// trimmed column), or the condition when it is not empty.
QString SentenciaExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                               const QString& Campo, const rt::Variant& TipoDato,
                               const QString& Condicion);
// "SELECT TOP 1 * FROM tabla" and the key comparison, then " AND " and the condition when the
// condition is not blank. UsaTrim compares a text key with the trimmed column.
QString SentenciaDatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                            const rt::Variant& TipoDato, const QString& Condicion, bool UsaTrim);

}  // namespace db
