#pragma once

#include <QLocale>
#include <QString>

// A number as the session writes it: the decimal comma of a text written for Spanish
// (Argentina) becomes the decimal separator of the locale the test runs in, so that one
// expectation holds under every locale the tests run in.
inline QString Regional(const char* textoEsAr) {
    return QString::fromUtf8(textoEsAr).replace(QLatin1Char(','), QLocale().decimalPoint());
}
