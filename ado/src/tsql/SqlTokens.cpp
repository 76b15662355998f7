#include "SqlTokens.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

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

// Two-character operators, kept as one symbol so that "<>" is not read as "<" then ">".
bool IsTwoCharacterOperator(QChar first, QChar second) {
    static constexpr const char* kOperators[] = {"<>", "<=", ">=", "!=", "==", "||", "<<", ">>"};
    for (const char* op : kOperators) {
        if (first == QLatin1Char(op[0]) && second == QLatin1Char(op[1])) {
            return true;
        }
    }
    return false;
}

// The text of a token. A blank or a one-character symbol, which make up half of most
// statements, shares static text instead of allocating its own.
QString TokenText(QStringView text) {
    static const QString kBlank = QStringLiteral(" ");
    static const QString kLineBreak = QStringLiteral("\n");
    static const QString kSymbols[] = {
        QStringLiteral("("), QStringLiteral(")"), QStringLiteral(","), QStringLiteral(";"),
        QStringLiteral("="), QStringLiteral("."), QStringLiteral("*"), QStringLiteral("+"),
        QStringLiteral("-"), QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("/"),
    };
    if (text.size() != 1) {
        return text.toString();
    }
    if (text[0] == QLatin1Char(' ')) {
        return kBlank;
    }
    if (text[0] == QLatin1Char('\n')) {
        return kLineBreak;
    }
    for (const QString& symbol : kSymbols) {
        if (symbol[0] == text[0]) {
            return symbol;
        }
    }
    return text.toString();
}

struct KeywordName {
    const char* text;
    Keyword keyword;
};

constexpr KeywordName kKeywords[] = {
    {"SELECT", Keyword::Select},
    {"INSERT", Keyword::Insert},
    {"UPDATE", Keyword::Update},
    {"DELETE", Keyword::Delete},
    {"CREATE", Keyword::Create},
    {"ALTER", Keyword::Alter},
    {"DROP", Keyword::Drop},
    {"SET", Keyword::Set},
    {"BEGIN", Keyword::Begin},
    {"COMMIT", Keyword::Commit},
    {"ROLLBACK", Keyword::Rollback},
    {"END", Keyword::End},
    {"TRUNCATE", Keyword::Truncate},
    {"DECLARE", Keyword::Declare},
    {"PRINT", Keyword::Print},
    {"EXEC", Keyword::Exec},
    {"EXECUTE", Keyword::Execute},
    {"USE", Keyword::Use},
    {"WITH", Keyword::With},
    {"MERGE", Keyword::Merge},
    {"GRANT", Keyword::Grant},
    {"REVOKE", Keyword::Revoke},
    {"DENY", Keyword::Deny},
    {"PRAGMA", Keyword::Pragma},
    {"VACUUM", Keyword::Vacuum},
    {"ANALYZE", Keyword::Analyze},
    {"REINDEX", Keyword::Reindex},
    {"ATTACH", Keyword::Attach},
    {"DETACH", Keyword::Detach},
    {"RELEASE", Keyword::Release},
    {"SAVEPOINT", Keyword::Savepoint},
    {"REPLACE", Keyword::Replace},
    {"IF", Keyword::If},
    {"SAVE", Keyword::Save},
    {"UNION", Keyword::Union},
    {"ALL", Keyword::All},
    {"EXCEPT", Keyword::Except},
    {"INTERSECT", Keyword::Intersect},
    {"AS", Keyword::As},
    {"DISTINCT", Keyword::Distinct},
    {"VALUES", Keyword::Values},
    {"DEFAULT", Keyword::Default},
    {"INTO", Keyword::Into},
    {"FROM", Keyword::From},
    {"WHERE", Keyword::Where},
    {"AND", Keyword::And},
    {"OR", Keyword::Or},
    {"NOT", Keyword::Not},
    {"IN", Keyword::In},
    {"IS", Keyword::Is},
    {"LIKE", Keyword::Like},
    {"GLOB", Keyword::Glob},
    {"BETWEEN", Keyword::Between},
    {"ON", Keyword::On},
    {"BY", Keyword::By},
    {"ORDER", Keyword::Order},
    {"GROUP", Keyword::Group},
    {"HAVING", Keyword::Having},
    {"TOP", Keyword::Top},
    {"WHEN", Keyword::When},
    {"THEN", Keyword::Then},
    {"ELSE", Keyword::Else},
    {"CASE", Keyword::Case},
    {"JOIN", Keyword::Join},
    {"INNER", Keyword::Inner},
    {"LEFT", Keyword::Left},
    {"RIGHT", Keyword::Right},
    {"OUTER", Keyword::Outer},
    {"FULL", Keyword::Full},
    {"CROSS", Keyword::Cross},
    {"NATURAL", Keyword::Natural},
    {"USING", Keyword::Using},
    {"LIMIT", Keyword::Limit},
    {"OFFSET", Keyword::Offset},
    {"ASC", Keyword::Asc},
    {"DESC", Keyword::Desc},
    {"ESCAPE", Keyword::Escape},
    {"EXISTS", Keyword::Exists},
    {"COLLATE", Keyword::Collate},
    {"RETURN", Keyword::Return},
    {"TABLE", Keyword::Table},
    {"VIEW", Keyword::View},
    {"INDEX", Keyword::Index},
    {"TRIGGER", Keyword::Trigger},
    {"PRIMARY", Keyword::Primary},
    {"REFERENCES", Keyword::References},
    {"CHECK", Keyword::Check},
    {"CONSTRAINT", Keyword::Constraint},
    {"UNIQUE", Keyword::Unique},
    {"FOREIGN", Keyword::Foreign},
    {"NULL", Keyword::Null},
    {"CURRENT_TIMESTAMP", Keyword::CurrentTimestamp},
    {"CURRENT_DATE", Keyword::CurrentDate},
    {"CURRENT_TIME", Keyword::CurrentTime},
    {"CAST", Keyword::Cast},
    {"ADD", Keyword::Add},
    {"COLUMN", Keyword::Column},
    {"TRAN", Keyword::Tran},
    {"TRANSACTION", Keyword::Transaction},
    {"WORK", Keyword::Work},
    {"DEFERRED", Keyword::Deferred},
    {"IMMEDIATE", Keyword::Immediate},
    {"EXCLUSIVE", Keyword::Exclusive},
    {"DISTRIBUTED", Keyword::Distributed},
    {"TO", Keyword::To},
    {"BEFORE", Keyword::Before},
    {"AFTER", Keyword::After},
    {"INSTEAD", Keyword::Instead},
    {"OF", Keyword::Of},
    {"FOR", Keyword::For},
    {"CONFLICT", Keyword::Conflict},
    {"IDENTITY", Keyword::Identity},
    {"SCOPE_IDENTITY", Keyword::ScopeIdentity},
    {"@@IDENTITY", Keyword::AtAtIdentity},
    {"OFF", Keyword::Off},
    {"RECURSIVE", Keyword::Recursive},
    {"TEMP", Keyword::Temp},
    {"TEMPORARY", Keyword::Temporary},
    {"KEY", Keyword::Key},
    {"CLUSTERED", Keyword::Clustered},
    {"NONCLUSTERED", Keyword::Nonclustered},
    {"AUTOINCREMENT", Keyword::Autoincrement},
    {"ISOLATION", Keyword::Isolation},
    {"RENAME", Keyword::Rename},
    {"MIN", Keyword::Min},
    {"MAX", Keyword::Max},
    {"GO", Keyword::Go},
    {"PERCENT", Keyword::Percent},
    {"DBO", Keyword::Dbo},
    {"ISNULL", Keyword::IsNullCall},
    {"N", Keyword::UnicodePrefix},
    // Hints SQL Server takes in "WITH (...)" after a table; SQLite has no use for them.
    {"NOLOCK", Keyword::TableHint},
    {"READUNCOMMITTED", Keyword::TableHint},
    {"UPDLOCK", Keyword::TableHint},
    {"ROWLOCK", Keyword::TableHint},
    {"PAGLOCK", Keyword::TableHint},
    {"TABLOCK", Keyword::TableHint},
    {"TABLOCKX", Keyword::TableHint},
    {"HOLDLOCK", Keyword::TableHint},
    {"NOWAIT", Keyword::TableHint},
    {"READPAST", Keyword::TableHint},
    {"XLOCK", Keyword::TableHint},
    {"SERIALIZABLE", Keyword::TableHint},
    {"READCOMMITTED", Keyword::TableHint},
    {"REPEATABLEREAD", Keyword::TableHint},
    {"READCOMMITTEDLOCK", Keyword::TableHint},
    {"FORCESEEK", Keyword::TableHint},
    {"FORCESCAN", Keyword::TableHint},
    {"NOEXPAND", Keyword::TableHint},
};

// Upper-case ASCII name -> keyword, built once.
const std::unordered_map<std::string_view, Keyword>& KeywordTable() {
    static const std::unordered_map<std::string_view, Keyword> table = [] {
        std::unordered_map<std::string_view, Keyword> map;
        for (const KeywordName& entry : kKeywords) {
            map.emplace(entry.text, entry.keyword);
        }
        return map;
    }();
    return table;
}

bool IsSpace(QChar c) {
    return c.isSpace();
}
bool IsNumberPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('.');
}

// End of a number starting at `at`; the sign of an exponent ("1e+5") belongs to it.
qsizetype NumberEnd(const QString& sql, qsizetype at) {
    qsizetype end = RunEnd(sql, at, IsNumberPart);
    const bool exponent = (sql[end - 1] == QLatin1Char('e') || sql[end - 1] == QLatin1Char('E')) &&
                          end + 1 < sql.size() &&
                          (sql[end] == QLatin1Char('+') || sql[end] == QLatin1Char('-')) &&
                          sql[end + 1].isDigit();
    if (exponent) {
        end = RunEnd(sql, end + 1, IsNumberPart);
    }
    return end;
}

}  // namespace

SqlTokenizer::SqlTokenizer(const QString& sql) : sql_(sql) {}

bool SqlTokenizer::Next(SqlToken& token) {
    using Kind = SqlToken::Kind;
    const QString& sql = sql_;
    const qsizetype at = at_;
    if (at >= sql.size()) {
        return false;
    }
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
        end = NumberEnd(sql, at);
    } else if (IsTwoCharacterOperator(c, next)) {
        end = at + 2;
    }
    const QStringView text = QStringView(sql).sliced(at, end - at);
    token.kind = kind;
    token.text = TokenText(text);
    token.keyword = kind == Kind::Word ? KeywordOf(text) : Keyword::None;
    token.offset = at;
    at_ = end;
    return true;
}

std::vector<SqlToken> TokenizeSql(const QString& sql) {
    std::vector<SqlToken> tokens;
    SqlTokenizer tokenizer(sql);
    SqlToken token{SqlToken::Kind::Space, {}};
    while (tokenizer.Next(token)) {
        tokens.push_back(std::move(token));
    }
    return tokens;
}

Keyword KeywordOf(QStringView word) {
    constexpr qsizetype kLongest = 20;
    if (word.size() > kLongest) {
        return Keyword::None;
    }
    char upper[kLongest];
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c >= 0x80) {
            return Keyword::None;
        }
        upper[i] = static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    }
    const auto& table = KeywordTable();
    const auto found = table.find(std::string_view(upper, static_cast<size_t>(word.size())));
    return found == table.end() ? Keyword::None : found->second;
}

bool SqlToken::IsReservedWord() const {
    const auto value = static_cast<uint8_t>(keyword);
    return kind == Kind::Word && value >= static_cast<uint8_t>(Keyword::Select) &&
           value <= static_cast<uint8_t>(Keyword::Column);
}

bool SqlToken::IsUnterminated() const {
    if ((kind != Kind::String && kind != Kind::QuotedName) || text.isEmpty()) {
        return false;
    }
    const QChar open = text[0];
    const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : open;
    // The token ends at its closing quote, or runs to the end without one.
    qsizetype i = 1;
    while (i < text.size()) {
        if (text[i] != close) {
            ++i;
        } else if (i + 1 < text.size() && text[i + 1] == close) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

bool HasUnterminatedText(const SqlTokens& tokens) {
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const SqlToken& token) { return token.IsUnterminated(); });
}

QString JoinSql(const std::vector<SqlToken>& tokens) {
    qsizetype length = 0;
    for (const SqlToken& token : tokens) {
        length += token.text.size();
    }
    QString sql;
    sql.reserve(length);
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

size_t PreviousSignificant(const std::vector<SqlToken>& tokens, size_t before) {
    while (before > 0) {
        --before;
        if (!tokens[before].IsBlank()) {
            return before;
        }
    }
    return kNoToken;
}

}  // namespace ado
