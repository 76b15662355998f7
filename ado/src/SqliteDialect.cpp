#include "ado/SqliteDialect.h"

#include <set>

#include "SqlTokens.h"

namespace ado {

namespace {

using Tokens = std::vector<SqlToken>;
using Kind = SqlToken::Kind;

bool IsName(const SqlToken& token) {
    return token.kind == Kind::Word || token.kind == Kind::QuotedName;
}

// Index of the ")" that closes the "(" at `open`, or tokens.size().
size_t MatchingClose(const Tokens& tokens, size_t open) {
    int depth = 0;
    for (size_t i = open; i < tokens.size(); ++i) {
        if (tokens[i].IsSymbol('(')) {
            ++depth;
        } else if (tokens[i].IsSymbol(')') && --depth == 0) {
            return i;
        }
    }
    return tokens.size();
}

// Appends " LIMIT n" after the last token of `out` that is not blank, so that it never lands
// inside a trailing line comment.
void InsertLimit(Tokens& out, const QString& limit) {
    size_t at = out.size();
    while (at > 0 && out[at - 1].IsBlank()) {
        --at;
    }
    const Tokens clause = {{Kind::Space, QStringLiteral(" ")},
                           {Kind::Word, QStringLiteral("LIMIT")},
                           {Kind::Space, QStringLiteral(" ")},
                           {Kind::Number, limit}};
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), clause.begin(), clause.end());
}

// Reads "TOP n", "TOP (n)" or "TOP 100 PERCENT" at `top`; gives the row count ("" for
// 100 PERCENT) and the index after the clause, or false when the clause is another form.
bool ReadTop(const Tokens& tokens, size_t top, QString& limit, size_t& after) {
    size_t at = NextSignificant(tokens, top + 1);
    bool parenthesised = false;
    if (at < tokens.size() && tokens[at].IsSymbol('(')) {
        parenthesised = true;
        at = NextSignificant(tokens, at + 1);
    }
    if (at >= tokens.size() || tokens[at].kind != Kind::Number) {
        return false;
    }
    limit = tokens[at].text;
    at = NextSignificant(tokens, at + 1);
    if (parenthesised) {
        if (at >= tokens.size() || !tokens[at].IsSymbol(')')) {
            return false;
        }
        at = NextSignificant(tokens, at + 1);
    }
    if (at < tokens.size() && tokens[at].IsWord("PERCENT")) {
        if (limit != QLatin1String("100")) {
            return false;
        }
        limit.clear();
        at = NextSignificant(tokens, at + 1);
    }
    if (at < tokens.size() && tokens[at].IsWord("WITH")) {
        return false;
    }
    after = at;
    return true;
}

Tokens RewriteTopTokens(const Tokens& tokens) {
    struct Pending {
        int depth;
        QString limit;
    };
    std::vector<Pending> pending;
    Tokens out;
    int depth = 0;
    auto flush = [&](int level) {
        while (!pending.empty() && pending.back().depth == level) {
            InsertLimit(out, pending.back().limit);
            pending.pop_back();
        }
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.IsSymbol('(')) {
            ++depth;
        } else if (token.IsSymbol(')')) {
            flush(depth);
            --depth;
        } else if (token.IsSymbol(';')) {
            flush(depth);
        }
        out.push_back(token);
        if (!token.IsWord("SELECT")) {
            continue;
        }
        size_t top = NextSignificant(tokens, i + 1);
        if (top < tokens.size() && (tokens[top].IsWord("DISTINCT") || tokens[top].IsWord("ALL"))) {
            top = NextSignificant(tokens, top + 1);
        }
        QString limit;
        size_t after = 0;
        if (top >= tokens.size() || !tokens[top].IsWord("TOP") ||
            !ReadTop(tokens, top, limit, after)) {
            continue;
        }
        // Keep what lies between SELECT and TOP (blanks, DISTINCT), drop the clause itself.
        out.insert(out.end(), tokens.begin() + static_cast<std::ptrdiff_t>(i + 1),
                   tokens.begin() + static_cast<std::ptrdiff_t>(top));
        i = after - 1;
        if (!limit.isEmpty()) {
            pending.push_back({depth, limit});
        }
    }
    while (!pending.empty()) {
        flush(pending.back().depth);
    }
    return out;
}

Tokens RewriteIsNullTokens(Tokens tokens) {
    for (size_t i = 0; i < tokens.size(); ++i) {
        const size_t next = NextSignificant(tokens, i + 1);
        const bool call = next < tokens.size() && tokens[next].IsSymbol('(');
        const bool member = i > 0 && tokens[i - 1].IsSymbol('.');
        if (tokens[i].IsWord("ISNULL") && call && !member) {
            tokens[i].text = QStringLiteral("IFNULL");
        }
    }
    return tokens;
}

bool IsOwner(const SqlToken& token) {
    return token.IsWord("dbo") ||
           (token.kind == Kind::QuotedName &&
            token.text.compare(QLatin1String("[dbo]"), Qt::CaseInsensitive) == 0);
}

Tokens RemoveOwnerTokens(const Tokens& tokens) {
    Tokens out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool prefix = IsOwner(tokens[i]) && i + 2 < tokens.size() &&
                            tokens[i + 1].IsSymbol('.') && IsName(tokens[i + 2]) &&
                            !(i > 0 && tokens[i - 1].IsSymbol('.'));
        if (prefix) {
            ++i;
            continue;
        }
        out.push_back(tokens[i]);
    }
    return out;
}

Tokens RewriteUnicodeTokens(const Tokens& tokens) {
    Tokens out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool prefix =
            tokens[i].IsWord("N") && i + 1 < tokens.size() && tokens[i + 1].kind == Kind::String;
        if (!prefix) {
            out.push_back(tokens[i]);
        }
    }
    return out;
}

bool IsTextType(const SqlToken& token) {
    for (const char* type : {"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT", "CHARACTER",
                             "CLOB", "SYSNAME", "VARCHAR2", "NVARCHAR2"}) {
        if (token.IsWord(type)) {
            return true;
        }
    }
    return false;
}

bool IsTableConstraint(const SqlToken& token) {
    for (const char* word :
         {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK", "FOREIGN", "INDEX", "KEY"}) {
        if (token.IsWord(word)) {
            return true;
        }
    }
    return false;
}

// For a column definition in [begin, end): the index after which COLLATE NOCASE goes, when
// the column is text without a collation of its own.
void MarkTextColumn(const Tokens& tokens, size_t begin, size_t end, std::set<size_t>& marks) {
    const size_t name = NextSignificant(tokens, begin);
    if (name >= end || !IsName(tokens[name]) || IsTableConstraint(tokens[name])) {
        return;
    }
    const size_t type = NextSignificant(tokens, name + 1);
    if (type >= end || !IsTextType(tokens[type])) {
        return;
    }
    for (size_t i = type; i < end; ++i) {
        if (tokens[i].IsWord("COLLATE")) {
            return;
        }
    }
    size_t last = type;
    const size_t size = NextSignificant(tokens, type + 1);
    if (size < end && tokens[size].IsSymbol('(')) {
        last = MatchingClose(tokens, size);
    }
    if (last < end) {
        marks.insert(last);
    }
}

// Column definitions of "CREATE TABLE name (...)" starting at `create`.
void MarkCreateTable(const Tokens& tokens, size_t create, std::set<size_t>& marks) {
    size_t at = NextSignificant(tokens, create + 1);
    if (at < tokens.size() && (tokens[at].IsWord("TEMP") || tokens[at].IsWord("TEMPORARY"))) {
        at = NextSignificant(tokens, at + 1);
    }
    if (at >= tokens.size() || !tokens[at].IsWord("TABLE")) {
        return;
    }
    while (at < tokens.size() && !tokens[at].IsSymbol('(') && !tokens[at].IsSymbol(';') &&
           !tokens[at].IsWord("AS")) {
        ++at;
    }
    if (at >= tokens.size() || !tokens[at].IsSymbol('(')) {
        return;
    }
    const size_t close = MatchingClose(tokens, at);
    size_t begin = at + 1;
    int depth = 0;
    for (size_t i = begin; i <= close && i < tokens.size(); ++i) {
        if (tokens[i].IsSymbol('(')) {
            ++depth;
        } else if (tokens[i].IsSymbol(')') && i != close) {
            --depth;
        } else if ((tokens[i].IsSymbol(',') && depth == 0) || i == close) {
            MarkTextColumn(tokens, begin, i, marks);
            begin = i + 1;
        }
    }
}

// The column definition of "ALTER TABLE name ADD [COLUMN] ..." starting at `alter`.
void MarkAlterTable(const Tokens& tokens, size_t alter, std::set<size_t>& marks) {
    size_t at = alter + 1;
    while (at < tokens.size() && !tokens[at].IsWord("ADD") && !tokens[at].IsSymbol(';')) {
        ++at;
    }
    if (at >= tokens.size() || !tokens[at].IsWord("ADD")) {
        return;
    }
    size_t begin = NextSignificant(tokens, at + 1);
    if (begin < tokens.size() && tokens[begin].IsWord("COLUMN")) {
        ++begin;
    }
    size_t end = begin;
    while (end < tokens.size() && !tokens[end].IsSymbol(';')) {
        ++end;
    }
    MarkTextColumn(tokens, begin, end, marks);
}

Tokens AddCollationTokens(const Tokens& tokens) {
    std::set<size_t> marks;
    bool statementStart = true;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].IsBlank()) {
            continue;
        }
        if (statementStart && tokens[i].IsWord("CREATE")) {
            MarkCreateTable(tokens, i, marks);
        } else if (statementStart && tokens[i].IsWord("ALTER")) {
            MarkAlterTable(tokens, i, marks);
        }
        statementStart = tokens[i].IsSymbol(';');
    }
    Tokens out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        out.push_back(tokens[i]);
        if (marks.count(i) != 0) {
            out.push_back({Kind::Space, QStringLiteral(" ")});
            out.push_back({Kind::Word, QStringLiteral("COLLATE")});
            out.push_back({Kind::Space, QStringLiteral(" ")});
            out.push_back({Kind::Word, QStringLiteral("NOCASE")});
        }
    }
    return out;
}

}  // namespace

QString ToSqliteDialect(const QString& sql) {
    Tokens tokens = TokenizeSql(sql);
    tokens = RewriteUnicodeTokens(tokens);
    tokens = RemoveOwnerTokens(tokens);
    tokens = RewriteIsNullTokens(std::move(tokens));
    tokens = RewriteTopTokens(tokens);
    tokens = AddCollationTokens(tokens);
    return JoinSql(tokens);
}

QString RewriteTop(const QString& sql) {
    return JoinSql(RewriteTopTokens(TokenizeSql(sql)));
}

QString RewriteIsNull(const QString& sql) {
    return JoinSql(RewriteIsNullTokens(TokenizeSql(sql)));
}

QString RemoveOwnerPrefix(const QString& sql) {
    return JoinSql(RemoveOwnerTokens(TokenizeSql(sql)));
}

QString RewriteUnicodeLiterals(const QString& sql) {
    return JoinSql(RewriteUnicodeTokens(TokenizeSql(sql)));
}

QString AddCaseInsensitiveCollation(const QString& sql) {
    return JoinSql(AddCollationTokens(TokenizeSql(sql)));
}

}  // namespace ado
