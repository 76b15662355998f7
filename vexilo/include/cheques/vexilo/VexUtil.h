#pragma once

#include <QString>
#include <cstdint>

#include "cheques/runtime/Currency.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Variant.h"

class QWidget;

namespace vexilo {

/// Text and field operations of the component library, and the shared run-time error handler.
class VexUtil {
  public:
    /// The number at the start of the text in the user's regional format (group separators,
    /// a currency symbol and a sign allowed; reading stops at the first other character: "12,5|"
    /// is 12.5 with "," as decimal separator), rounded half to even to four decimals; a text
    /// without digits gives 0. Out of range raises "overflow" (6).
    rt::Currency TextoAMoneda(const QString& texto) const;
    /// The same reading, rounded half to even to a whole 32-bit number.
    int32_t TextoAEntero(const QString& texto) const;
    /// A field's value as text; never null (a null or empty field gives "").
    QString CampoATexto(const rt::Variant& valor) const;
    /// The number of runs of non-blank characters.
    int ContarPalabras(const QString& texto) const;
    /// The text with every character equal to desde or hasta turned into a blank (callers pass
    /// the padding characters of fixed-length records, codes 0 and 255, and trim the result).
    QString TransformarTexto(const QString& texto, QChar desde, QChar hasta) const;
    /// Every occurrence of buscar, ignoring case, replaced by reemplazo.
    QString ReemplazarTexto(const QString& texto, const QString& buscar,
                            const QString& reemplazo) const;
    /// Has no effect on the window (no caller relies on one).
    void PrepararFormulario(QWidget& ventana, bool valor) const;
    /// The text of a shown value on one line (line breaks and tabs become blanks), cut to largo
    /// characters when largo is given.
    QString AjustarTexto(const QString& texto, int largo = 0) const;
    /// Asks the user what to do about a failing step (Abort / Retry / Ignore box naming the
    /// context, the error's number and description) and returns 3, 4 or 5.
    int TratarError(const rt::RuntimeError& error, const QString& contexto) const;
    /// The folder with a separator at its end, ready for a file name ("" stays "").
    QString CompletarRuta(const QString& carpeta) const;
    /// Every occurrence of the name viejo (ignoring case, and only where it stands as a whole
    /// name: not inside a longer name of letters, digits and "_") replaced by nuevo.
    QString SustituirTexto(const QString& texto, const QString& viejo, const QString& nuevo) const;
};

}  // namespace vexilo
