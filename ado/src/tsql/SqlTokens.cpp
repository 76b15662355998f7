#include "SqlTokens.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace ado {

namespace {

// What an ASCII character can be in SQL text, looked up rather than worked out: the tokenizer
// asks it of every character of a batch. Characters past ASCII ask QChar.
enum CharClass : uint8_t {
    kSpace = 1,
    kWordStart = 2,   // a letter, "_", "@", "#"
    kWordPart = 4,    // those, digits and "$"
    kNumberPart = 8,  // letters, digits and "."
};

constexpr std::array<uint8_t, 128> kAsciiClasses = [] {
    std::array<uint8_t, 128> classes{};
    for (int c = 0; c < 128; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        const bool start = letter || c == '_' || c == '@' || c == '#';
        uint8_t bits = 0;
        bits |= (c == ' ' || (c >= '\t' && c <= '\r')) ? kSpace : 0;
        bits |= start ? kWordStart : 0;
        bits |= (start || digit || c == '$') ? kWordPart : 0;
        bits |= (letter || digit || c == '.') ? kNumberPart : 0;
        classes[static_cast<size_t>(c)] = bits;
    }
    return classes;
}();

bool IsAscii(QChar c) {
    return c.unicode() < kAsciiClasses.size();
}

bool HasClass(QChar c, CharClass charClass) {
    return (kAsciiClasses[c.unicode()] & charClass) != 0;
}

bool IsSpace(QChar c) {
    return IsAscii(c) ? HasClass(c, kSpace) : c.isSpace();
}

bool IsWordStart(QChar c) {
    return IsAscii(c) ? HasClass(c, kWordStart) : c.isLetter();
}

bool IsWordPart(QChar c) {
    return IsAscii(c) ? HasClass(c, kWordPart) : c.isLetter() || c.isDigit();
}

bool IsNumberPart(QChar c) {
    return IsAscii(c) ? HasClass(c, kNumberPart) : c.isLetterOrNumber();
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

// End of the run of characters from `at` that `part` takes; a template so that the test is
// inlined into the loop.
template <typename Part>
qsizetype RunEnd(const QString& sql, qsizetype at, Part part) {
    const QChar* const text = sql.constData();
    qsizetype i = at + 1;
    while (i < sql.size() && part(text[i])) {
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
QString CopiedText(QStringView text) {
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

// A string over the text read, without a copy. Made here rather than by the exported
// QString::fromRawData, whose answer comes back through memory just before it is read again.
QString ReferredText(QStringView text) {
    return QString(QStringPrivate::fromRawData(text.utf16(), text.size()));
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

// Upper-case ASCII name -> keyword: a flat table with linear probing, since every word of every
// statement is looked up. The hash takes the length and the first and last letters only, so
// that a word that is no keyword, most of them, costs a probe or two and no pass over it.
class KeywordTable {
  public:
    KeywordTable() {
        for (const KeywordName& entry : kKeywords) {
            const std::string_view text(entry.text);
            size_t slot = Hash(text.size(), text.front(), text.back());
            while (slots_[slot].text != nullptr) {
                slot = (slot + 1) & kMask;
            }
            slots_[slot] = {entry.text, static_cast<uint8_t>(text.size()), entry.keyword};
        }
    }

    Keyword Find(QStringView word) const {
        if (word.isEmpty()) {
            return Keyword::None;
        }
        const char16_t first = Upper(word.front().unicode());
        const char16_t last = Upper(word.back().unicode());
        for (size_t slot = Hash(word.size(), first, last); slots_[slot].text != nullptr;
             slot = (slot + 1) & kMask) {
            const Slot& candidate = slots_[slot];
            if (candidate.size == word.size() && SameWord(candidate.text, word)) {
                return candidate.keyword;
            }
        }
        return Keyword::None;
    }

  private:
    struct Slot {
        const char* text = nullptr;
        uint8_t size = 0;
        Keyword keyword = Keyword::None;
    };
    static constexpr size_t kSlots = 1024;  // a power of two, several times the keywords
    static constexpr size_t kMask = kSlots - 1;
    static_assert(std::size(kKeywords) * 4 < kSlots);

    static char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }

    static size_t Hash(size_t size, char16_t first, char16_t last) {
        return (size * 131 + static_cast<size_t>(first) * 31 + static_cast<size_t>(last)) & kMask;
    }

    // The upper-case keyword against a word in any case.
    static bool SameWord(const char* keyword, QStringView word) {
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (Upper(word[i].unicode()) != static_cast<char16_t>(keyword[i])) {
                return false;
            }
        }
        return true;
    }

    std::array<Slot, kSlots> slots_{};
};

const KeywordTable& Keywords() {
    static const KeywordTable table;
    return table;
}

// End of a number starting at `at`; the sign of an exponent ("1e+5") belongs to it.
qsizetype NumberEnd(const QString& sql, qsizetype at) {
    qsizetype end = RunEnd(sql, at, [](QChar part) { return IsNumberPart(part); });
    const bool exponent = (sql[end - 1] == QLatin1Char('e') || sql[end - 1] == QLatin1Char('E')) &&
                          end + 1 < sql.size() &&
                          (sql[end] == QLatin1Char('+') || sql[end] == QLatin1Char('-')) &&
                          sql[end + 1].isDigit();
    if (exponent) {
        end = RunEnd(sql, end + 1, [](QChar part) { return IsNumberPart(part); });
    }
    return end;
}

}  // namespace

SqlTokenizer::SqlTokenizer(const QString& sql, TokenText storage) : sql_(sql), storage_(storage) {}

bool SqlTokenizer::Next(SqlToken& token, int* skippedLineBreaks) {
    using Kind = SqlToken::Kind;
    const QString& sql = sql_;
    qsizetype at = at_;
    if (skippedLineBreaks != nullptr) {
        const QChar* const text = sql.constData();
        for (; at < sql.size() && IsSpace(text[at]); ++at) {
            *skippedLineBreaks += text[at] == QLatin1Char('\n') ? 1 : 0;
        }
        at_ = at;
    }
    if (at >= sql.size()) {
        return false;
    }
    const QChar c = sql[at];
    const QChar next = at + 1 < sql.size() ? sql[at + 1] : QChar();
    Kind kind = Kind::Symbol;
    qsizetype end = at + 1;
    // Blanks and words first: they are most of any statement.
    if (IsSpace(c)) {
        kind = Kind::Space;
        end = RunEnd(sql, at, [](QChar part) { return IsSpace(part); });
    } else if (IsWordStart(c)) {
        kind = Kind::Word;
        end = RunEnd(sql, at, [](QChar part) { return IsWordPart(part); });
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
    } else if (c.isDigit()) {
        kind = Kind::Number;
        end = NumberEnd(sql, at);
    } else if (IsTwoCharacterOperator(c, next)) {
        end = at + 2;
    }
    const QStringView text = QStringView(sql).sliced(at, end - at);
    token.kind = kind;
    token.text = storage_ == TokenText::Referred ? ReferredText(text) : CopiedText(text);
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
    return Keywords().Find(word);
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
