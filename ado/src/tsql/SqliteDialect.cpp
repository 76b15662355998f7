#include "SqliteDialect.h"

#include <set>

#include "SqliteDialectTokens.h"

namespace ado {

namespace {

using Tokens = SqlTokens;
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
    if (at < tokens.size() && tokens[at].Is(Keyword::Percent)) {
        if (limit != QLatin1String("100")) {
            return false;
        }
        limit.clear();
        at = NextSignificant(tokens, at + 1);
    }
    if (at < tokens.size() && tokens[at].Is(Keyword::With)) {
        return false;
    }
    after = at;
    return true;
}

// Copies the comments among tokens [from, to) to `out`, each with the blank that follows it
// (which ends a line comment), or a space.
void KeepComments(const Tokens& tokens, size_t from, size_t to, Tokens& out) {
    for (size_t i = from; i < to; ++i) {
        if (tokens[i].kind != Kind::Comment) {
            continue;
        }
        out.push_back(tokens[i]);
        const bool blankAfter = i + 1 < to && tokens[i + 1].kind == Kind::Space;
        out.push_back(blankAfter ? tokens[i + 1] : SpaceToken());
    }
}

}  // namespace

Tokens RewriteTopTokens(const Tokens& tokens) {
    // A LIMIT put after an unclosed literal would become part of it: such a statement goes to
    // the database as written, for it to reject.
    if (HasUnterminatedText(tokens)) {
        return tokens;
    }
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
        if (!token.Is(Keyword::Select)) {
            continue;
        }
        size_t top = NextSignificant(tokens, i + 1);
        if (top < tokens.size() &&
            (tokens[top].Is(Keyword::Distinct) || tokens[top].Is(Keyword::All))) {
            top = NextSignificant(tokens, top + 1);
        }
        QString limit;
        size_t after = 0;
        if (top >= tokens.size() || !tokens[top].Is(Keyword::Top) ||
            !ReadTop(tokens, top, limit, after)) {
            continue;
        }
        // Keep what lies between SELECT and TOP (blanks, DISTINCT), drop the clause itself, and
        // keep the comments written in or after it with the blanks around them.
        out.insert(out.end(), tokens.begin() + static_cast<std::ptrdiff_t>(i + 1),
                   tokens.begin() + static_cast<std::ptrdiff_t>(top));
        KeepComments(tokens, top, after, out);
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

Tokens RewriteFunctionNameTokens(Tokens tokens) {
    for (size_t i = 0; i < tokens.size(); ++i) {
        const size_t next = NextSignificant(tokens, i + 1);
        const bool call = next < tokens.size() && tokens[next].IsSymbol('(');
        const bool member = i > 0 && tokens[i - 1].IsSymbol('.');
        if (!call || member) {
            continue;
        }
        if (tokens[i].Is(Keyword::IsNullCall)) {
            tokens[i] = WordToken(QStringLiteral("IFNULL"));
        } else if (tokens[i].Is(Keyword::Left)) {
            tokens[i] = WordToken(QStringLiteral("TSQL_LEFT"));
        } else if (tokens[i].Is(Keyword::Right)) {
            tokens[i] = WordToken(QStringLiteral("TSQL_RIGHT"));
        }
    }
    return tokens;
}

namespace {

// Appends a blank when the next token would otherwise run into the last one written (two
// names, literals or words side by side), which would read as one token of another meaning.
void KeepApart(Tokens& out, const SqlToken& next) {
    if (out.empty() || next.IsBlank() || out.back().IsBlank() || out.back().kind == Kind::Symbol ||
        next.kind == Kind::Symbol) {
        return;
    }
    out.push_back(SpaceToken());
}

bool IsOwner(const SqlToken& token) {
    return token.Is(Keyword::Dbo) ||
           (token.kind == Kind::QuotedName &&
            token.text.compare(QLatin1String("[dbo]"), Qt::CaseInsensitive) == 0);
}

}  // namespace

Tokens RemoveOwnerTokens(const Tokens& tokens) {
    Tokens out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool prefix = IsOwner(tokens[i]) && i + 2 < tokens.size() &&
                            tokens[i + 1].IsSymbol('.') && IsName(tokens[i + 2]) &&
                            !(i > 0 && tokens[i - 1].IsSymbol('.'));
        if (prefix) {
            ++i;
            KeepApart(out, tokens[i + 1]);
            continue;
        }
        out.push_back(tokens[i]);
    }
    return out;
}

Tokens RewriteUnicodeTokens(const Tokens& tokens) {
    Tokens out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool prefix = tokens[i].Is(Keyword::UnicodePrefix) && i + 1 < tokens.size() &&
                            tokens[i + 1].kind == Kind::String;
        if (prefix) {
            KeepApart(out, tokens[i + 1]);
        } else {
            out.push_back(tokens[i]);
        }
    }
    return out;
}

namespace {

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
    if (type >= end || !IsTextTypeName(tokens[type])) {
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

}  // namespace

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

namespace {

// The ")" ending a bracket of table hints opened at `open`, or kNoToken when the bracket
// holds anything else.
size_t HintListEnd(const Tokens& tokens, size_t open) {
    bool any = false;
    for (size_t i = NextSignificant(tokens, open + 1); i < tokens.size();
         i = NextSignificant(tokens, i + 1)) {
        if (tokens[i].IsSymbol(')')) {
            return any ? i : kNoToken;
        }
        if (tokens[i].Is(Keyword::TableHint)) {
            any = true;
        } else if (!tokens[i].IsSymbol(',')) {
            return kNoToken;
        }
    }
    return kNoToken;
}

// What the statement holds, so that rewrites with nothing to do are skipped.
struct Features {
    bool words = false;    // a word any rewrite looks for
    bool plus = false;     // "+"
    bool compare = false;  // a comparison, ORDER BY, GROUP BY, MIN or MAX
};

// A word that one of the word rewrites looks for.
bool WantsWordRewrite(const SqlToken& token) {
    switch (token.keyword) {
        case Keyword::Top:
        case Keyword::Create:
        case Keyword::Alter:
        case Keyword::With:
        case Keyword::AtAtIdentity:
        case Keyword::ScopeIdentity:
        case Keyword::Identity:
        case Keyword::Clustered:
        case Keyword::Nonclustered:
        case Keyword::Left:
        case Keyword::Right:
        case Keyword::Dbo:
        case Keyword::IsNullCall:
        case Keyword::UnicodePrefix:
        case Keyword::TableHint:
            return true;
        default:
            return false;
    }
}

// A word after which comparisons of text may need the collation.
bool WantsComparison(Keyword word) {
    switch (word) {
        case Keyword::In:
        case Keyword::View:
        case Keyword::Between:
        case Keyword::By:
        case Keyword::Min:
        case Keyword::Max:
            return true;
        default:
            return false;
    }
}

bool IsComparisonSymbol(const SqlToken& token) {
    for (const char* op : {"=", "<", ">", "<>", "<=", ">=", "!=", "=="}) {
        if (token.IsOperator(op)) {
            return true;
        }
    }
    return false;
}

Features FeaturesOf(const Tokens& tokens) {
    Features features;
    for (const SqlToken& token : tokens) {
        switch (token.kind) {
            case Kind::Word:
                if (token.keyword != Keyword::None) {
                    features.words = features.words || WantsWordRewrite(token);
                    features.compare = features.compare || WantsComparison(token.keyword);
                }
                break;
            case Kind::QuotedName:
                features.words = features.words || IsOwner(token);
                break;
            case Kind::Symbol:
                features.plus = features.plus || token.IsSymbol('+');
                features.compare = features.compare || IsComparisonSymbol(token);
                break;
            default:
                break;
        }
    }
    return features;
}

}  // namespace

SqlToken WordToken(const QString& text) {
    return {Kind::Word, text, KeywordOf(text)};
}

SqlToken SymbolToken(const QString& text) {
    return {Kind::Symbol, text};
}

SqlToken SpaceToken() {
    return {Kind::Space, QStringLiteral(" ")};
}

bool IsTextTypeName(const SqlToken& token) {
    for (const char* type : {"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT", "CHARACTER",
                             "CLOB", "SYSNAME", "VARCHAR2", "NVARCHAR2"}) {
        if (token.IsWord(type)) {
            return true;
        }
    }
    return false;
}

Tokens RemoveTableHintTokens(const Tokens& tokens) {
    Tokens out;
    out.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool with = tokens[i].Is(Keyword::With);
        const size_t open = with ? NextSignificant(tokens, i + 1) : i;
        const size_t before = PreviousSignificant(tokens, i);
        const bool afterTable = before != kNoToken && tokens[before].IsName();
        if (afterTable && open < tokens.size() && tokens[open].IsSymbol('(')) {
            const size_t close = HintListEnd(tokens, open);
            if (close != kNoToken) {
                if (!out.empty() && out.back().kind == Kind::Space) {
                    out.pop_back();  // no double blank where the hint was
                }
                i = close;
                continue;
            }
        }
        out.push_back(tokens[i]);
    }
    return out;
}

Tokens RewriteIdentityFunctionTokens(const Tokens& tokens) {
    Tokens out;
    out.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        size_t last = kNoToken;
        if (tokens[i].Is(Keyword::AtAtIdentity)) {
            last = i;
        } else if (tokens[i].Is(Keyword::ScopeIdentity)) {
            const size_t open = NextSignificant(tokens, i + 1);
            const size_t close = open < tokens.size() ? NextSignificant(tokens, open + 1) : open;
            if (close < tokens.size() && tokens[open].IsSymbol('(') &&
                tokens[close].IsSymbol(')')) {
                last = close;
            }
        }
        if (last == kNoToken) {
            out.push_back(tokens[i]);
            continue;
        }
        out.push_back(WordToken(QStringLiteral("last_insert_rowid")));
        out.push_back(SymbolToken(QStringLiteral("(")));
        out.push_back(SymbolToken(QStringLiteral(")")));
        i = last;
    }
    return out;
}

bool NeedsRewrite(const Tokens& tokens) {
    const Features features = FeaturesOf(tokens);
    return features.words || features.plus || features.compare;
}

Tokens ToSqliteTokens(Tokens tokens) {
    // A statement with an unclosed literal is left for the database to reject: no rewrite can
    // tell where its text ends.
    if (HasUnterminatedText(tokens)) {
        return tokens;
    }
    const Features features = FeaturesOf(tokens);
    if (features.words) {
        tokens = RewriteUnicodeTokens(tokens);
        tokens = RemoveOwnerTokens(tokens);
        tokens = RewriteIdentityFunctionTokens(tokens);
        tokens = RemoveTableHintTokens(tokens);
        tokens = RewriteFunctionNameTokens(std::move(tokens));
        tokens = RewriteTopTokens(tokens);
        tokens = RewriteIdentityColumnTokens(tokens);
        tokens = AddCollationTokens(tokens);
    }
    if (features.plus) {
        tokens = RewriteConcatenationTokens(std::move(tokens));
    }
    if (features.compare) {
        tokens = AddExpressionCollationTokens(tokens);
    }
    return tokens;
}

QString ToSqliteDialect(const QString& sql) {
    return JoinSql(ToSqliteTokens(TokenizeSql(sql)));
}

QString RewriteTop(const QString& sql) {
    return JoinSql(RewriteTopTokens(TokenizeSql(sql)));
}

QString RewriteFunctionNames(const QString& sql) {
    return JoinSql(RewriteFunctionNameTokens(TokenizeSql(sql)));
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

QString RemoveTableHints(const QString& sql) {
    return JoinSql(RemoveTableHintTokens(TokenizeSql(sql)));
}

QString RewriteIdentityFunctions(const QString& sql) {
    return JoinSql(RewriteIdentityFunctionTokens(TokenizeSql(sql)));
}

QString RewriteIdentityColumns(const QString& sql) {
    return JoinSql(RewriteIdentityColumnTokens(TokenizeSql(sql)));
}

QString RewriteConcatenation(const QString& sql) {
    return JoinSql(RewriteConcatenationTokens(TokenizeSql(sql)));
}

QString AddExpressionCollation(const QString& sql) {
    return JoinSql(AddExpressionCollationTokens(TokenizeSql(sql)));
}

}  // namespace ado
