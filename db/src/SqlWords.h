#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <vector>

namespace db {

// True for a character that can be part of a name or keyword (letters, digits, "_", "@", "#",
// "$"), so that a keyword next to one is part of a longer name.
bool EsLetraDeNombre(QChar c);

// True when `palabra` (any case) stands at `at` in `texto` as a word of its own: no name
// character right before it and, unless it ends in a space, none right after it.
bool EsPalabraEn(QStringView texto, qsizetype at, QLatin1String palabra);

// A piece of an SQL text: code, or a literal or comment that no rewrite may touch.
struct TrozoSql {
    QString texto;
    bool codigo = true;
};
using TrozosSql = std::vector<TrozoSql>;

// The text cut into code, string literals ('...', a doubled quote inside), line comments ("--"
// up to the line's end, which stays code) and block comments ("/*" to "*/"). A literal or
// comment left open runs to the end. Joining the pieces gives the text back.
TrozosSql TrozosDeSql(QStringView texto);

}  // namespace db
