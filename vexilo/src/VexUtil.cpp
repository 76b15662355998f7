#include "cheques/vexilo/VexUtil.h"

#include <QLocale>
#include <algorithm>
#include <limits>
#include <optional>

#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"

namespace vexilo {

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x00A0);
}

// The number at the start of a text, written in the user's regional format: blanks, an
// optional currency symbol, a sign, digits with group separators between them, the decimal
// separator and more digits. Reading stops at the first character that does not fit.
struct LeadingNumber {
    bool negative = false;
    QString whole;     // digits before the decimal separator
    QString fraction;  // digits after it
};

LeadingNumber ReadLeadingNumber(const QString& text) {
    const QLocale locale;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const QString currency = locale.currencySymbol();
    LeadingNumber number;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
    };
    auto at = [&](const QString& token) {
        return !token.isEmpty() && QStringView(text).mid(i).startsWith(token);
    };
    skipBlanks();
    if (at(currency)) {
        i += currency.size();
        skipBlanks();
    }
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        number.negative = text[i] == QLatin1Char('-');
        ++i;
        skipBlanks();
    }
    if (at(currency)) {
        i += currency.size();
        skipBlanks();
    }
    auto isDigit = [&](qsizetype k) {
        return k < text.size() && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9');
    };
    while (i < text.size()) {
        if (isDigit(i)) {
            number.whole.append(text[i++]);
        } else if (!number.whole.isEmpty() && at(group) && decimal != group &&
                   isDigit(i + group.size())) {
            i += group.size();
        } else {
            break;
        }
    }
    if (at(decimal)) {
        i += decimal.size();
        while (isDigit(i)) {
            number.fraction.append(text[i++]);
        }
    }
    return number;
}

// The number's size scaled by 10^decimals and rounded half to even, as the platform's
// conversions round; nothing when it does not fit in 64 bits.
std::optional<uint64_t> ScaledMagnitude(const LeadingNumber& number, int decimals) {
    uint64_t value = 0;
    auto push = [&value](int digit) {
        if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) {
            return false;
        }
        value = value * 10 + digit;
        return true;
    };
    for (const QChar c : number.whole) {
        if (!push(c.unicode() - u'0')) {
            return std::nullopt;
        }
    }
    for (int d = 0; d < decimals; ++d) {
        if (!push(d < number.fraction.size() ? number.fraction[d].unicode() - u'0' : 0)) {
            return std::nullopt;
        }
    }
    const QStringView rest =
        QStringView(number.fraction).mid(std::min<qsizetype>(decimals, number.fraction.size()));
    if (!rest.isEmpty()) {
        const int first = rest[0].unicode() - u'0';
        const auto tail = rest.mid(1);
        const bool beyondHalf =
            std::any_of(tail.begin(), tail.end(), [](QChar c) { return c != QLatin1Char('0'); });
        if (first > 5 || (first == 5 && (beyondHalf || value % 2 != 0))) {
            if (value == std::numeric_limits<uint64_t>::max()) {
                return std::nullopt;
            }
            ++value;
        }
    }
    return value;
}

// The signed number scaled by 10^decimals, when it lies within [minimum, maximum].
template <class Int>
std::optional<Int> Scaled(const QString& text, int decimals) {
    const LeadingNumber number = ReadLeadingNumber(text);
    const auto magnitude = ScaledMagnitude(number, decimals);
    if (!magnitude) {
        return std::nullopt;
    }
    const auto limit = static_cast<uint64_t>(std::numeric_limits<Int>::max());
    if (!number.negative) {
        return *magnitude <= limit ? std::optional<Int>(static_cast<Int>(*magnitude))
                                   : std::nullopt;
    }
    if (*magnitude > limit + 1) {
        return std::nullopt;
    }
    return *magnitude == limit + 1 ? std::numeric_limits<Int>::min()
                                   : static_cast<Int>(-static_cast<Int>(*magnitude));
}

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

}  // namespace

rt::Currency VexUtil::TextoAMoneda(const QString& texto) const {
    const auto scaled = Scaled<int64_t>(texto, 4);
    if (!scaled) {
        rt::RuntimeError::Raise(rt::err::Overflow, QStringLiteral("VexUtil.TextoAMoneda"));
    }
    return rt::Currency::FromScaled(*scaled);
}

int32_t VexUtil::TextoAEntero(const QString& texto) const {
    const auto value = Scaled<int32_t>(texto, 0);
    if (!value) {
        rt::RuntimeError::Raise(rt::err::Overflow, QStringLiteral("VexUtil.TextoAEntero"));
    }
    return *value;
}

QString VexUtil::CampoATexto(const rt::Variant& valor) const {
    if (valor.IsNull() || valor.IsEmpty()) {
        return {};
    }
    return valor.ToString();
}

int VexUtil::ContarPalabras(const QString& texto) const {
    int words = 0;
    bool inWord = false;
    for (const QChar c : texto) {
        if (c.isSpace()) {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++words;
        }
    }
    return words;
}

QString VexUtil::TransformarTexto(const QString& texto, QChar desde, QChar hasta) const {
    QString result = texto;
    for (QChar& c : result) {
        if (c == desde || c == hasta) {
            c = QLatin1Char(' ');
        }
    }
    return result;
}

QString VexUtil::ReemplazarTexto(const QString& texto, const QString& buscar,
                                 const QString& reemplazo) const {
    return rt::text::ReplaceAll(texto, buscar, reemplazo);
}

void VexUtil::PrepararFormulario(QWidget& ventana, bool valor) const {
    Q_UNUSED(ventana);
    Q_UNUSED(valor);
}

QString VexUtil::AjustarTexto(const QString& texto, int largo) const {
    QString result = texto;
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : result) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) {
            c = QLatin1Char(' ');
        }
    }
    return largo > 0 ? result.left(largo) : result;
}

int VexUtil::TratarError(const rt::RuntimeError& error, const QString& contexto) const {
    QString prompt = QStringLiteral("Se produjo el error %1 en %2:\n\n%3")
                         .arg(error.Number())
                         .arg(contexto, error.Description());
    if (!error.Source().isEmpty()) {
        prompt += QStringLiteral("\n\nOrigen: %1").arg(error.Source());
    }
    const int answer = ui::MsgBox(prompt, ui::vbAbortRetryIgnore | ui::vbCritical,
                                  QStringLiteral("Error en %1").arg(contexto));
    return (answer == ui::vbRetry || answer == ui::vbIgnore) ? answer : ui::vbAbort;
}

QString VexUtil::CompletarRuta(const QString& carpeta) const {
    if (carpeta.isEmpty() || carpeta.endsWith(QLatin1Char('/')) ||
        carpeta.endsWith(QLatin1Char('\\'))) {
        return carpeta;
    }
    return carpeta + QLatin1Char('/');
}

QString VexUtil::SustituirTexto(const QString& texto, const QString& viejo,
                                const QString& nuevo) const {
    if (viejo.isEmpty()) {
        return texto;
    }
    QString result;
    qsizetype from = 0;
    for (;;) {
        const auto at = texto.indexOf(viejo, from, Qt::CaseInsensitive);
        if (at < 0) {
            break;
        }
        const qsizetype end = at + viejo.size();
        const bool wholeName = (at == 0 || !IsNameChar(texto[at - 1])) &&
                               (end == texto.size() || !IsNameChar(texto[end]));
        result += QStringView(texto).mid(from, at - from);
        result += wholeName ? nuevo : QStringView(texto).mid(at, viejo.size()).toString();
        from = end;
    }
    result += QStringView(texto).mid(from);
    return result;
}

}  // namespace vexilo
