// CREATE TABLE forms of SQL Server: IDENTITY columns, CLUSTERED and NONCLUSTERED keys.
#include "SqlOperands.h"
#include "SqliteDialect.h"
#include "SqliteDialectTokens.h"

namespace ado {

namespace {

using Kind = SqlToken::Kind;

// A range of tokens [begin, end).
struct Span {
    size_t begin;
    size_t end;
};

// A name without its brackets or quotes, for comparing and for writing as a literal.
QString Unquoted(const SqlToken& token) {
    if (token.kind != Kind::QuotedName || token.text.size() < 2) {
        return token.text;
    }
    return token.text.mid(1, token.text.size() - 2);
}

bool SameName(const SqlToken& a, const SqlToken& b) {
    return Unquoted(a).compare(Unquoted(b), Qt::CaseInsensitive) == 0;
}

// "CLUSTERED" and "NONCLUSTERED" after PRIMARY KEY, UNIQUE or CREATE say how SQL Server stores
// the key; SQLite does not know the words.
SqlTokens RemoveClustering(const SqlTokens& tokens) {
    SqlTokens out;
    out.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool clustering =
            tokens[i].Is(Keyword::Clustered) || tokens[i].Is(Keyword::Nonclustered);
        const size_t before = PreviousSignificant(tokens, i);
        const bool placed = before != kNoToken && (tokens[before].Is(Keyword::Key) ||
                                                   tokens[before].Is(Keyword::Unique) ||
                                                   tokens[before].Is(Keyword::Create));
        if (clustering && placed) {
            // Drop the blank before it too, so that no double blank is left.
            if (!out.empty() && out.back().kind == Kind::Space) {
                out.pop_back();
            }
            continue;
        }
        out.push_back(tokens[i]);
    }
    return out;
}

// The parts of "CREATE TABLE name (entries)": the table's name and each column or constraint.
struct CreateTable {
    size_t name = kNoToken;
    size_t open = kNoToken;
    size_t close = kNoToken;
    std::vector<Span> entries;
};

bool ReadCreateTable(const SqlTokens& tokens, const SqlOperands& operands, CreateTable& table) {
    size_t at = NextSignificant(tokens, 0);
    if (at >= tokens.size() || !tokens[at].Is(Keyword::Create)) {
        return false;
    }
    at = NextSignificant(tokens, at + 1);
    if (at < tokens.size() && (tokens[at].Is(Keyword::Temp) || tokens[at].Is(Keyword::Temporary))) {
        at = NextSignificant(tokens, at + 1);
    }
    if (at >= tokens.size() || !tokens[at].Is(Keyword::Table)) {
        return false;
    }
    for (at = NextSignificant(tokens, at + 1); at < tokens.size() && !tokens[at].IsSymbol('(');
         at = NextSignificant(tokens, at + 1)) {
        if (tokens[at].IsName()) {
            table.name = at;  // the last part of a qualified name
        }
    }
    if (at >= tokens.size() || operands.Partner(at) == kNoToken || table.name == kNoToken) {
        return false;
    }
    table.open = at;
    table.close = operands.Partner(at);
    size_t begin = at + 1;
    for (size_t i = begin; i <= table.close; ++i) {
        if (tokens[i].IsSymbol('(') && operands.Partner(i) != kNoToken) {
            i = operands.Partner(i);
        } else if (tokens[i].IsSymbol(',') || i == table.close) {
            table.entries.push_back({begin, i});
            begin = i + 1;
        }
    }
    return true;
}

// The first significant token of a span with that keyword at its own level, or kNoToken.
size_t FindWord(const SqlTokens& tokens, const SqlOperands& operands, Span span, Keyword word) {
    for (size_t i = span.begin; i < span.end; ++i) {
        if (tokens[i].Is(word)) {
            return i;
        }
        if (tokens[i].IsSymbol('(') && operands.Partner(i) != kNoToken) {
            i = operands.Partner(i);
        }
    }
    return kNoToken;
}

// "IDENTITY", "IDENTITY(seed, increment)": the seed, checking that the increment is 1, and the
// last token of the clause.
struct Identity {
    qint64 seed = 1;
    size_t last = kNoToken;
};

qint64 ReadSignedNumber(const SqlTokens& tokens, size_t& at, bool& ok) {
    bool negative = false;
    if (at < tokens.size() && (tokens[at].IsSymbol('-') || tokens[at].IsSymbol('+'))) {
        negative = tokens[at].IsSymbol('-');
        at = NextSignificant(tokens, at + 1);
    }
    if (at >= tokens.size() || tokens[at].kind != Kind::Number) {
        ok = false;
        return 0;
    }
    const qint64 value = tokens[at].text.toLongLong(&ok);
    at = NextSignificant(tokens, at + 1);
    return negative ? -value : value;
}

Identity ReadIdentity(const SqlTokens& tokens, const SqlOperands& operands, size_t word,
                      const QString& column) {
    Identity identity;
    identity.last = word;
    const size_t open = NextSignificant(tokens, word + 1);
    if (open >= tokens.size() || !tokens[open].IsSymbol('(')) {
        return identity;
    }
    size_t at = NextSignificant(tokens, open + 1);
    bool ok = true;
    identity.seed = ReadSignedNumber(tokens, at, ok);
    qint64 increment = 1;
    if (ok && at < tokens.size() && tokens[at].IsSymbol(',')) {
        at = NextSignificant(tokens, at + 1);
        increment = ReadSignedNumber(tokens, at, ok);
    }
    if (!ok || at != operands.Partner(open)) {
        throw UnsupportedSql(
            QStringLiteral("IDENTITY of column %1 takes a whole seed and increment.")
                .arg(column)
                .toStdString());
    }
    if (identity.seed < 1) {
        // The sequence of an empty table starts after 0 whatever it holds.
        throw UnsupportedSql(QStringLiteral("IDENTITY of column %1 starts at %2; the embedded "
                                            "database starts at 1 or above.")
                                 .arg(column)
                                 .arg(identity.seed)
                                 .toStdString());
    }
    if (increment != 1) {
        throw UnsupportedSql(QStringLiteral("IDENTITY of column %1 counts by %2; the embedded "
                                            "database counts only by 1.")
                                 .arg(column)
                                 .arg(increment)
                                 .toStdString());
    }
    identity.last = at;
    return identity;
}

// The columns of a table key entry "[CONSTRAINT name] PRIMARY KEY [(columns)]", or nothing
// when the entry is something else.
std::vector<size_t> TableKeyColumns(const SqlTokens& tokens, Span entry, bool& isKey) {
    isKey = false;
    size_t at = NextSignificant(tokens, entry.begin);
    if (at < entry.end && tokens[at].Is(Keyword::Constraint)) {
        at = NextSignificant(tokens, NextSignificant(tokens, at + 1) + 1);
    }
    if (at >= entry.end || !tokens[at].Is(Keyword::Primary)) {
        return {};
    }
    isKey = true;
    std::vector<size_t> columns;
    for (size_t i = at; i < entry.end; ++i) {
        const size_t next = NextSignificant(tokens, i + 1);
        const bool listed = tokens[i].IsName() && next < entry.end &&
                            (tokens[next].IsSymbol(',') || tokens[next].IsSymbol(')') ||
                             tokens[next].Is(Keyword::Asc) || tokens[next].Is(Keyword::Desc));
        if (listed) {
            columns.push_back(i);
        }
    }
    return columns;
}

// The tokens of an identity column's definition as SQLite's auto-increment key: the name, the
// key clause, and whatever else it said (NOT NULL, DEFAULT...) without its type, IDENTITY and
// key words.
SqlTokens IdentityColumn(const SqlTokens& tokens, const SqlOperands& operands, Span entry,
                         const Identity& identity, size_t word) {
    const size_t name = NextSignificant(tokens, entry.begin);
    SqlTokens out(tokens.begin() + static_cast<std::ptrdiff_t>(entry.begin),
                  tokens.begin() + static_cast<std::ptrdiff_t>(name + 1));
    for (const char* part : {"INTEGER", "PRIMARY", "KEY", "AUTOINCREMENT"}) {
        out.push_back(SpaceToken());
        out.push_back(WordToken(QString::fromLatin1(part)));
    }
    // The type runs from after the name to the first constraint word.
    size_t at = NextSignificant(tokens, name + 1);
    while (at < entry.end && !tokens[at].IsReservedWord() && at != word &&
           !tokens[at].Is(Keyword::Identity)) {
        at = tokens[at].IsSymbol('(') && operands.Partner(at) != kNoToken ? operands.Partner(at)
                                                                          : at;
        at = NextSignificant(tokens, at + 1);
    }
    for (; at < entry.end; ++at) {
        if (at == word) {
            at = identity.last;
            continue;
        }
        const size_t next = NextSignificant(tokens, at + 1);
        if (tokens[at].Is(Keyword::Constraint) && next < entry.end &&
            tokens[NextSignificant(tokens, next + 1)].Is(Keyword::Primary)) {
            at = next;  // the key's constraint name goes with the key words
            continue;
        }
        if (tokens[at].Is(Keyword::Primary) && next < entry.end && tokens[next].Is(Keyword::Key)) {
            at = next;
            continue;
        }
        if (tokens[at].Is(Keyword::Asc) || tokens[at].Is(Keyword::Desc)) {
            continue;
        }
        if (tokens[at].kind == Kind::Space && !out.empty() && out.back().kind == Kind::Space) {
            continue;
        }
        out.push_back(tokens[at]);
    }
    while (!out.empty() && out.back().kind == Kind::Space) {
        out.pop_back();
    }
    return out;
}

SqlTokens RewriteIdentity(const SqlTokens& tokens) {
    const SqlOperands operands(tokens);
    CreateTable table;
    if (!ReadCreateTable(tokens, operands, table)) {
        return tokens;
    }
    size_t column = kNoToken;  // the entry with IDENTITY
    size_t word = kNoToken;
    size_t tableKey = kNoToken;  // the table key entry
    size_t otherKey = kNoToken;  // a column other than the identity one declared as the key
    std::vector<size_t> keyColumns;
    for (size_t e = 0; e < table.entries.size(); ++e) {
        bool isKey = false;
        std::vector<size_t> columns = TableKeyColumns(tokens, table.entries[e], isKey);
        if (isKey) {
            tableKey = e;
            keyColumns = std::move(columns);
            continue;
        }
        const size_t found = FindWord(tokens, operands, table.entries[e], Keyword::Identity);
        if (found != kNoToken && column == kNoToken) {
            column = e;
            word = found;
        } else if (FindWord(tokens, operands, table.entries[e], Keyword::Primary) != kNoToken) {
            otherKey = e;  // another column declared as the key
        }
    }
    if (column == kNoToken) {
        return tokens;
    }
    const Span entry = table.entries[column];
    const SqlToken& name = tokens[NextSignificant(tokens, entry.begin)];
    const Identity identity = ReadIdentity(tokens, operands, word, name.text);
    const bool columnKey = FindWord(tokens, operands, entry, Keyword::Primary) != kNoToken;
    const bool keyElsewhere =
        otherKey != kNoToken || (tableKey != kNoToken && (columnKey || keyColumns.size() != 1 ||
                                                          !SameName(tokens[keyColumns[0]], name)));
    if (keyElsewhere) {
        throw UnsupportedSql(QStringLiteral("IDENTITY column %1 must be the table's key alone on "
                                            "the embedded database.")
                                 .arg(name.text)
                                 .toStdString());
    }
    SqlTokens out(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(table.open + 1));
    for (size_t e = 0; e < table.entries.size(); ++e) {
        if (e == tableKey) {
            continue;
        }
        if (!out.empty() && !out.back().IsSymbol('(')) {
            out.push_back(SymbolToken(QStringLiteral(",")));
        }
        const Span span = table.entries[e];
        if (e == column) {
            const SqlTokens rewritten = IdentityColumn(tokens, operands, span, identity, word);
            out.insert(out.end(), rewritten.begin(), rewritten.end());
        } else {
            out.insert(out.end(), tokens.begin() + static_cast<std::ptrdiff_t>(span.begin),
                       tokens.begin() + static_cast<std::ptrdiff_t>(span.end));
        }
    }
    out.insert(out.end(), tokens.begin() + static_cast<std::ptrdiff_t>(table.close), tokens.end());
    if (identity.seed != 1) {
        // The sequence keeps the last value given; the first row then gets the seed.
        const QString tableName =
            Unquoted(tokens[table.name]).replace(QLatin1Char('\''), QLatin1String("''"));
        out.push_back(SymbolToken(QStringLiteral(";")));
        out.push_back(SpaceToken());
        for (const SqlToken& token :
             TokenizeSql(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('%1', %2)")
                             .arg(tableName)
                             .arg(identity.seed - 1))) {
            out.push_back(token);
        }
    }
    return out;
}

}  // namespace

SqlTokens RewriteIdentityColumnTokens(const SqlTokens& tokens) {
    return RewriteIdentity(RemoveClustering(tokens));
}

}  // namespace ado
