#include "cheques/runtime/Text.h"

#include <QLocale>
#include <cmath>

namespace rt::text {

int InStr(const QString& haystack, const QString& needle, int start) {
    if (start < 1 || start > haystack.size() + 1) {
        return 0;
    }
    if (needle.isEmpty()) {
        return start <= haystack.size() ? start : 0;
    }
    const auto at = haystack.indexOf(needle, start - 1, Qt::CaseInsensitive);
    return at < 0 ? 0 : static_cast<int>(at) + 1;
}

int InStrRev(const QString& haystack, const QString& needle) {
    const auto at = haystack.lastIndexOf(needle, -1, Qt::CaseInsensitive);
    return at < 0 ? 0 : static_cast<int>(at) + 1;
}

bool Contains(const QString& haystack, const QString& needle) {
    return haystack.contains(needle, Qt::CaseInsensitive);
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement) {
    if (find.isEmpty()) {
        return text;
    }
    QString result = text;
    return result.replace(find, replacement, Qt::CaseInsensitive);
}

QString UCase(const QString& text) {
    QString upper = text;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const QChar c = upper[i];
        if (c.isHighSurrogate() && i + 1 < upper.size() && upper[i + 1].isLowSurrogate()) {
            const char32_t u = QChar::toUpper(QChar::surrogateToUcs4(c, upper[i + 1]));
            upper[i] = QChar(QChar::highSurrogate(u));
            upper[++i] = QChar(QChar::lowSurrogate(u));
            continue;
        }
        upper[i] = c.toUpper();
    }
    return upper;
}

bool Equals(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString LTrim(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' ')) {
        ++i;
    }
    return text.mid(i);
}

QString RTrim(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QLatin1Char(' ')) {
        --n;
    }
    return text.left(n);
}

QString Trim(const QString& text) {
    return LTrim(RTrim(text));
}

QStringView TrimView(QStringView text) {
    while (!text.isEmpty() && text.front() == QLatin1Char(' ')) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && text.back() == QLatin1Char(' ')) {
        text.chop(1);
    }
    return text;
}

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

int DigitValue(QChar c, int radix) {
    int digit = -1;
    const char16_t u = QChar(c).toUpper().unicode();
    if (u >= u'0' && u <= u'9') {
        digit = u - u'0';
    } else if (u >= u'A' && u <= u'F') {
        digit = 10 + (u - u'A');
    }
    return digit < radix ? digit : -1;
}

double RadixValue(const QString& digits, int radix) {
    double value = 0;
    for (const QChar c : digits) {
        const int d = DigitValue(c, radix);
        if (d < 0) {
            break;
        }
        value = value * radix + d;
    }
    return value;
}

}  // namespace

double Val(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (!IsBlank(c)) {
            s.append(c);
        }
    }
    if (s.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        return RadixValue(s.mid(2), 16);
    }
    if (s.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        return RadixValue(s.mid(2), 8);
    }
    // Longest prefix of the form [sign] digits [. digits] [E|D [sign] digits].
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        number.append(s[i++]);
    }
    bool digits = false;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        number.append(s[i++]);
        digits = true;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        number.append(s[i++]);
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            number.append(s[i++]);
            digits = true;
        }
    }
    if (!digits) {
        return 0;
    }
    if (i < s.size() &&
        (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        QString exponent = QStringLiteral("e");
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-'))) {
            exponent.append(s[j++]);
        }
        const qsizetype firstDigit = j;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            exponent.append(s[j++]);
        }
        if (j > firstDigit) {
            number += exponent;
        }
    }
    return QLocale::c().toDouble(number);
}

QString NumberToText(double value, int significantDigits) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return locale.toString(static_cast<qlonglong>(value));
    }
    return locale.toString(value, 'g', significantDigits);
}

std::optional<double> TextToNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = QLocale().toDouble(trimmed, &ok);
    if (ok) {
        return value;
    }
    QLocale strict;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    const double plain = strict.toDouble(trimmed, &ok);
    return ok ? std::optional<double>(plain) : std::nullopt;
}

namespace {

// The locale's short date pattern with its year written as yy (when it has a two-digit year).
QString ShortPattern() {
    return QLocale().dateFormat(QLocale::ShortFormat);
}

QString WithFourDigitYear(QString pattern) {
    if (pattern.contains(QLatin1String("yyyy"))) {
        return pattern;
    }
    return pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
}

}  // namespace

QString ShortDateFormat() {
    return WithFourDigitYear(ShortPattern());
}

QString ShortDate(const QDate& date) {
    return QLocale().toString(date, ShortDateFormat());
}

std::optional<QDate> TextToDate(const QString& text) {
    const QString trimmed = text.trimmed();
    QLocale locale;
    QDate date = locale.toDate(trimmed, ShortDateFormat());
    if (date.isValid()) {
        return date;
    }
    QString twoDigit = ShortDateFormat();
    twoDigit.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    date = locale.toDate(trimmed, twoDigit);
    if (!date.isValid()) {
        return std::nullopt;
    }
    // Two-digit years fall in 1930..2029, as the regional settings interpret them.
    if (date.year() < 1930) {
        date = date.addYears(100);
    }
    return date;
}

}  // namespace rt::text
