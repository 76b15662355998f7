#include "SqlTokens.h"

namespace ado {

namespace {

bool IsWordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#');
}

bool IsWordPart(QChar c) {
    return IsWordStart(c) || c.isDigit() || c == QLatin1Char('$');
}

// End (exclusive) of a literal or quoted name opened at `at`, whose closing character is
// escaped by doubling; an unterminated one runs to the end of the text.
qsizetype EnclosedEnd(const QString& sql, qsizetype at, QChar close) {
    qsizetype i = at + 1;
    while (i < sql.size()) {
        if (sql[i] != close) {
            ++i;
            continue;
        }
        if (i + 1 < sql.size() && sql[i + 1] == close) {
            i += 2;
            continue;
        }
        return i + 1;
    }
    return sql.size();
}

qsizetype CommentEnd(const QString& sql, qsizetype at) {
    if (sql[at + 1] == QLatin1Char('-')) {
        const qsizetype end = sql.indexOf(QLatin1Char('\n'), at);
        return end < 0 ? sql.size() : end;
    }
    const qsizetype end = sql.indexOf(QLatin1String("*/"), at + 2);
    return end < 0 ? sql.size() : end + 2;
}

qsizetype RunEnd(const QString& sql, qsizetype at, bool (*part)(QChar)) {
    qsizetype i = at + 1;
    while (i < sql.size() && part(sql[i])) {
        ++i;
    }
    return i;
}

bool IsSpace(QChar c) {
    return c.isSpace();
}
bool IsNumberPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('.');
}

}  // namespace

std::vector<SqlToken> TokenizeSql(const QString& sql) {
    using Kind = SqlToken::Kind;
    std::vector<SqlToken> tokens;
    qsizetype at = 0;
    while (at < sql.size()) {
        const QChar c = sql[at];
        const QChar next = at + 1 < sql.size() ? sql[at + 1] : QChar();
        Kind kind = Kind::Symbol;
        qsizetype end = at + 1;
        if (c.isSpace()) {
            kind = Kind::Space;
            end = RunEnd(sql, at, IsSpace);
        } else if ((c == QLatin1Char('-') && next == QLatin1Char('-')) ||
                   (c == QLatin1Char('/') && next == QLatin1Char('*'))) {
            kind = Kind::Comment;
            end = CommentEnd(sql, at);
        } else if (c == QLatin1Char('\'')) {
            kind = Kind::String;
            end = EnclosedEnd(sql, at, c);
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`')) {
            kind = Kind::QuotedName;
            end = EnclosedEnd(sql, at, c);
        } else if (c == QLatin1Char('[')) {
            kind = Kind::QuotedName;
            end = EnclosedEnd(sql, at, QLatin1Char(']'));
        } else if (IsWordStart(c)) {
            kind = Kind::Word;
            end = RunEnd(sql, at, IsWordPart);
        } else if (c.isDigit()) {
            kind = Kind::Number;
            end = RunEnd(sql, at, IsNumberPart);
        }
        tokens.push_back({kind, sql.mid(at, end - at)});
        at = end;
    }
    return tokens;
}

QString JoinSql(const std::vector<SqlToken>& tokens) {
    QString sql;
    for (const SqlToken& token : tokens) {
        sql += token.text;
    }
    return sql;
}

size_t NextSignificant(const std::vector<SqlToken>& tokens, size_t from) {
    while (from < tokens.size() && tokens[from].IsBlank()) {
        ++from;
    }
    return from;
}

}  // namespace ado
