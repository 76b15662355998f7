#pragma once

#include <QString>
#include <vector>

namespace ado {

// A piece of SQL text as far as the dialect rewrites need to tell them apart.
struct SqlToken {
    enum class Kind { Space, Comment, String, QuotedName, Word, Number, Symbol };
    Kind kind;
    QString text;

    bool IsWord(const char* word) const {
        return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(char symbol) const {
        return kind == Kind::Symbol && text.size() == 1 && text[0] == QLatin1Char(symbol);
    }
    // Whitespace and comments, which the rewrites step over.
    bool IsBlank() const { return kind == Kind::Space || kind == Kind::Comment; }
};

std::vector<SqlToken> TokenizeSql(const QString& sql);
QString JoinSql(const std::vector<SqlToken>& tokens);

// Index of the next token at or after `from` that is not blank, or tokens.size().
size_t NextSignificant(const std::vector<SqlToken>& tokens, size_t from);

}  // namespace ado
