#pragma once

#include <QString>
#include <cstdint>

#include "runtime/Currency.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

class QWidget;

namespace vexilo {

// Text and field operations of the component library, and the shared run-time error handler.
class VexUtil {
public:
    rt::Currency TextoAMoneda(const QString& texto) const;
    int32_t TextoAEntero(const QString& texto) const;
    // A field's value as text; never null (a null or empty field gives "").
    QString CampoATexto(const rt::Variant& valor) const;
    int ContarPalabras(const QString& texto) const;
    QString TransformarTexto(const QString& texto, QChar desde, QChar hasta) const;
    QString ReemplazarTexto(const QString& texto, const QString& buscar,
                            const QString& reemplazo) const;
    void PrepararFormulario(QWidget& ventana, bool valor) const;
    QString AjustarTexto(const QString& texto, int largo = 0) const;
    // Asks the user what to do about a failing step (Abort / Retry / Ignore box naming the
    // context, the error's number and description) and returns 3, 4 or 5.
    int TratarError(const rt::RuntimeError& error, const QString& contexto) const;
    QString CompletarRuta(const QString& carpeta) const;
    QString SustituirTexto(const QString& texto, const QString& viejo, const QString& nuevo) const;
};

}  // namespace vexilo
