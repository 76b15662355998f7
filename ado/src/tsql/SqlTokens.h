#pragma once

#include <QString>
#include <cstdint>
#include <limits>
#include <vector>

namespace ado {

// The SQL words the batch splitter and the dialect rewrites look at. Words not listed here are
// Keyword::None, which is what every name is.
// clang-format off
enum class Keyword : uint8_t {
    None,
    // Reserved words, which never name a column or a function. The first ones start a statement.
    Select, Insert, Update, Delete, Create, Alter, Drop, Set, Begin, Commit, Rollback, End, With,
    Grant, Revoke, If, Exec, Execute, Truncate, Vacuum, Pragma, Union, All, Except, Intersect, As,
    Distinct, Values, Default, Into, From, Where, And, Or, Not, In, Is, Like, Glob, Between, On,
    By, Order, Group, Having, Top, When, Then, Else, Case, Join, Inner, Left, Right, Outer, Full,
    Cross, Natural, Using, Limit, Offset, Asc, Desc, Escape, Exists, Collate, Return, Table, View,
    Index, Trigger, Primary, References, Check, Constraint, Unique, Foreign, Null,
    CurrentTimestamp, CurrentDate, CurrentTime, Cast, Add, Column,
    // Words with a meaning in some position, which may also be names. The first ones start a
    // statement.
    Declare, Print, Use, Merge, Deny, Analyze, Reindex, Attach, Detach, Release, Savepoint,
    Replace, Save, Go, Tran, Transaction, Work, Deferred, Immediate, Exclusive, Distributed, To,
    Before, After, Instead, Of, For, Conflict, Identity, ScopeIdentity, AtAtIdentity, Off,
    Recursive, Temp, Temporary, Key, Clustered, Nonclustered, Autoincrement, Isolation, Rename,
    Min, Max, Percent, Dbo, IsNullCall, UnicodePrefix, TableHint,
};
// clang-format on

// A piece of SQL text as far as the dialect rewrites need to tell them apart.
struct SqlToken {
    enum class Kind { Space, Comment, String, QuotedName, Word, Number, Symbol };
    Kind kind;
    QString text;
    Keyword keyword = Keyword::None;  // for words: which keyword, if any
    qsizetype offset = -1;            // where it stands in the text read; -1 when made up

    bool Is(Keyword word) const { return keyword == word; }
    bool IsWord(const char* word) const {
        return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(char symbol) const {
        return kind == Kind::Symbol && text.size() == 1 && text[0] == QLatin1Char(symbol);
    }
    // A symbol of one or two characters ("<>", "||", "="). Compared by hand: the dialect asks
    // this of every symbol of every statement.
    bool IsOperator(const char* symbol) const {
        if (kind != Kind::Symbol) {
            return false;
        }
        qsizetype i = 0;
        for (; symbol[i] != '\0'; ++i) {
            if (i >= text.size() || text[i] != QLatin1Char(symbol[i])) {
                return false;
            }
        }
        return i == text.size();
    }
    // Whitespace and comments, which the rewrites step over.
    bool IsBlank() const { return kind == Kind::Space || kind == Kind::Comment; }
    bool IsName() const {
        return (kind == Kind::Word && !IsReservedWord()) || kind == Kind::QuotedName;
    }
    // A reserved word, which cannot stand for a column or a function of the statement.
    bool IsReservedWord() const;
    // A literal or quoted name whose closing quote is missing: it runs to the end of the text.
    bool IsUnterminated() const;
};

using SqlTokens = std::vector<SqlToken>;
inline constexpr size_t kNoToken = std::numeric_limits<size_t>::max();

// Whether tokens copy their text or refer to the text read. Referring saves an allocation a
// word, which a long batch feels; such tokens must not outlive the text.
enum class TokenText { Copied, Referred };

// Reads the tokens of a text one at a time, so that a long batch need not be held as tokens.
class SqlTokenizer {
  public:
    // The text must outlive the tokenizer (and, when referred to, the tokens).
    explicit SqlTokenizer(const QString& sql, TokenText storage = TokenText::Copied);
    // The next token into `token`; false at the end of the text. With `skippedLineBreaks`,
    // whitespace is stepped over rather than made a token, adding its line breaks there.
    bool Next(SqlToken& token, int* skippedLineBreaks = nullptr);

  private:
    const QString& sql_;
    TokenText storage_;
    qsizetype at_ = 0;
};

SqlTokens TokenizeSql(const QString& sql);
QString JoinSql(const SqlTokens& tokens);

// The keyword a word stands for (case ignored), or Keyword::None.
Keyword KeywordOf(QStringView word);

// True when a literal or quoted name of the tokens lacks its closing quote.
bool HasUnterminatedText(const SqlTokens& tokens);

// Index of the next token at or after `from` that is not blank, or tokens.size().
size_t NextSignificant(const SqlTokens& tokens, size_t from);
// Index of the last token before `before` that is not blank, or kNoToken.
size_t PreviousSignificant(const SqlTokens& tokens, size_t before);

}  // namespace ado
