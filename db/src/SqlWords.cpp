#include "SqlWords.h"

namespace db {

bool EsLetraDeNombre(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') ||
           c == QLatin1Char('#') || c == QLatin1Char('$');
}

bool EsPalabraEn(QStringView texto, qsizetype at, QLatin1String palabra) {
    if (at < 0 || at + palabra.size() > texto.size()) {
        return false;
    }
    if (at > 0 && EsLetraDeNombre(texto[at - 1])) {
        return false;
    }
    if (texto.sliced(at, palabra.size()).compare(palabra, Qt::CaseInsensitive) != 0) {
        return false;
    }
    const qsizetype after = at + palabra.size();
    const bool endsInBlank = !palabra.isEmpty() && palabra.back() == QLatin1Char(' ');
    return endsInBlank || after == texto.size() || !EsLetraDeNombre(texto[after]);
}

namespace {

// Index just past the literal or comment that starts at `at`, or -1 when none starts there.
qsizetype EndOfOpaque(QStringView texto, qsizetype at) {
    const QStringView rest = texto.sliced(at);
    if (rest.startsWith(u'\'')) {
        qsizetype i = at + 1;
        while (i < texto.size()) {
            if (texto[i] != u'\'') {
                ++i;
            } else if (i + 1 < texto.size() && texto[i + 1] == u'\'') {
                i += 2;
            } else {
                return i + 1;
            }
        }
        return texto.size();
    }
    if (rest.startsWith(u"--")) {
        qsizetype i = at + 2;
        while (i < texto.size() && texto[i] != u'\n' && texto[i] != u'\r') {
            ++i;
        }
        return i;
    }
    if (rest.startsWith(u"/*")) {
        const qsizetype close = texto.indexOf(u"*/", at + 2);
        return close < 0 ? texto.size() : close + 2;
    }
    return -1;
}

}  // namespace

TrozosSql TrozosDeSql(QStringView texto) {
    TrozosSql trozos;
    qsizetype code = 0;  // where the current code piece began
    qsizetype i = 0;
    while (i < texto.size()) {
        const qsizetype end = EndOfOpaque(texto, i);
        if (end < 0) {
            ++i;
            continue;
        }
        if (i > code) {
            trozos.push_back({texto.sliced(code, i - code).toString(), true});
        }
        trozos.push_back({texto.sliced(i, end - i).toString(), false});
        i = end;
        code = end;
    }
    if (code < texto.size()) {
        trozos.push_back({texto.sliced(code).toString(), true});
    }
    return trozos;
}

}  // namespace db
