// Expression forms of SQL Server: "+" between texts, and comparisons that ignore case whatever
// the operands are.
#include <optional>
#include <vector>

#include "SqlOperands.h"
#include "SqliteDialectTokens.h"

namespace ado {

namespace {

using Kind = SqlToken::Kind;
using Level = SqlOperands::Level;

// Functions whose result is text, so that "+" next to them joins texts.
bool IsTextFunction(const SqlToken& token) {
    for (const char* name : {"LTRIM", "RTRIM", "TRIM", "UPPER", "LOWER", "SUBSTRING", "SUBSTR",
                             "LEFT", "RIGHT", "REPLACE", "CHAR", "NCHAR", "SPACE", "REPLICATE",
                             "STR", "CONCAT", "TSQL_LEFT", "TSQL_RIGHT"}) {
        if (token.IsWord(name)) {
            return true;
        }
    }
    return false;
}

// True when the bracket opened at `open` holds "... AS <text type>" (a CAST to text).
bool CastsToText(const SqlTokens& tokens, const SqlOperands& operands, size_t open) {
    const size_t close = operands.Partner(open);
    for (size_t i = open + 1; i < close && close != kNoToken; ++i) {
        if (tokens[i].IsSymbol('(') && operands.Partner(i) != kNoToken) {
            i = operands.Partner(i);
        } else if (tokens[i].Is(Keyword::As)) {
            const size_t type = NextSignificant(tokens, i + 1);
            return type < close && IsTextTypeName(tokens[type]);
        }
    }
    return false;
}

// True when [begin, end) joins something with "||" outside brackets and CASE.
bool HasConcatenation(const SqlTokens& tokens, const SqlOperands& operands, size_t begin,
                      size_t end) {
    for (size_t i = begin; i < end; ++i) {
        if ((tokens[i].IsSymbol('(') || tokens[i].Is(Keyword::Case)) &&
            operands.Partner(i) != kNoToken) {
            i = operands.Partner(i);
        } else if (tokens[i].IsOperator("||")) {
            return true;
        }
    }
    return false;
}

// True when the operand [begin, end) plainly gives text: a literal, a concatenation, a call of
// a text function or a CAST to a text type.
bool IsTextOperand(const SqlTokens& tokens, const SqlOperands& operands, size_t begin, size_t end) {
    const size_t first = NextSignificant(tokens, begin);
    if (first >= end) {
        return false;
    }
    if (tokens[first].kind == Kind::String || HasConcatenation(tokens, operands, first, end)) {
        return true;
    }
    const size_t open = NextSignificant(tokens, first + 1);
    const bool call = open < end && tokens[open].IsSymbol('(');
    return call && (IsTextFunction(tokens[first]) ||
                    (tokens[first].Is(Keyword::Cast) && CastsToText(tokens, operands, open)));
}

// True when [begin, last] is a number, signed or not.
bool IsNumberOperand(const SqlTokens& tokens, size_t begin, size_t last) {
    if (IsSign(tokens[begin])) {
        begin = NextSignificant(tokens, begin + 1);
    }
    return begin == last && tokens[begin].kind == Kind::Number;
}

// True when [begin, last] joins primaries with "||" alone, which needs no brackets to be
// joined again.
bool IsConcatenation(const SqlTokens& tokens, const SqlOperands& operands, size_t begin,
                     size_t last) {
    for (size_t i = begin; i <= last; ++i) {
        const SqlToken& token = tokens[i];
        if ((token.IsSymbol('(') || token.Is(Keyword::Case)) && operands.Partner(i) != kNoToken) {
            i = operands.Partner(i);
        } else if (token.kind == Kind::Symbol && !token.IsOperator("||") && !token.IsSymbol('.')) {
            return false;
        }
    }
    return true;
}

// True when [begin, last] needs no brackets beside "||": one primary or a concatenation.
bool IsPlain(const SqlTokens& tokens, const SqlOperands& operands, size_t begin, size_t last) {
    return operands.IsPrimary(begin, last) || IsConcatenation(tokens, operands, begin, last);
}

// ---- "+" ----

// The most values one TSQL_ADD call is given; a longer chain goes on in a call around it
// (SQLite takes 127 arguments by default).
constexpr int kMostAddValues = 100;

// What the rewrite of "+" puts around and between the original tokens, kept by their indexes,
// so that every "+" of a statement is rewritten in one pass over it.
class PlusEdits {
  public:
    explicit PlusEdits(size_t count) : opens_(count), closes_(count), replaced_(count) {}

    // Opens a bracket (or a TSQL_ADD call) before the token `at`, around whatever was opened
    // there before.
    void Open(size_t at, bool call) { opens_[at].push_back(call); }
    // Closes the one opened last around what ends with the token `at`.
    void Close(size_t at) { ++closes_[at]; }
    // Puts `tokens` in place of the tokens [from, to): the blanks and the operator between two
    // operands.
    void Replace(size_t from, size_t to, SqlTokens tokens) {
        replaced_[from] = Replacement{to, std::move(tokens)};
    }

    SqlTokens Apply(const SqlTokens& tokens) const {
        SqlTokens out;
        out.reserve(tokens.size());
        for (size_t i = 0; i < tokens.size(); ++i) {
            if (const auto& replacement = replaced_[i]) {
                out.insert(out.end(), replacement->tokens.begin(), replacement->tokens.end());
                i = replacement->to - 1;
                continue;
            }
            for (auto call = opens_[i].rbegin(); call != opens_[i].rend(); ++call) {
                if (*call) {
                    out.push_back(WordToken(QStringLiteral("TSQL_ADD")));
                }
                out.push_back(SymbolToken(QStringLiteral("(")));
            }
            out.push_back(tokens[i]);
            for (int n = 0; n < closes_[i]; ++n) {
                out.push_back(SymbolToken(QStringLiteral(")")));
            }
        }
        return out;
    }

  private:
    struct Replacement {
        size_t to;
        SqlTokens tokens;
    };
    std::vector<std::vector<bool>> opens_;  // true for a TSQL_ADD call, in the order opened
    std::vector<int> closes_;
    std::vector<std::optional<Replacement>> replaced_;
};

// The expression that a chain of "+" and "-" has built so far, from its first token to `last`.
struct Sum {
    size_t begin;
    size_t last;
    bool text;    // plainly text, as IsTextOperand tells
    bool number;  // one number, signed or not
    bool plain;   // "||" takes it without brackets
    int values;   // values in the TSQL_ADD call still open around it; 0 for none
};

// The operand that follows the operator at `op`, up to the next "+" or "-".
struct Term {
    size_t begin;
    size_t end;
    size_t last;
};

std::optional<Term> TermAfter(const SqlTokens& tokens, const SqlOperands& operands, size_t op) {
    const size_t end = operands.End(op + 1, Level::Product);
    if (end == kNoToken) {
        return std::nullopt;
    }
    return Term{NextSignificant(tokens, op + 1), end, PreviousSignificant(tokens, end)};
}

void CloseCall(Sum& sum, PlusEdits& edits) {
    if (sum.values > 0) {
        edits.Close(sum.last);
        sum.values = 0;
    }
}

// sum + term: texts joined with "||" (a number beside a text makes SQL Server convert the text:
// '7' + 1 is 8), anything else one more value of a TSQL_ADD call, so that a long chain nests no
// deeper than a few calls.
void AddTerm(const SqlTokens& tokens, const SqlOperands& operands, Sum& sum, const Term& term,
             PlusEdits& edits) {
    const bool text = (sum.text || IsTextOperand(tokens, operands, term.begin, term.end)) &&
                      !sum.number && !IsNumberOperand(tokens, term.begin, term.last);
    SqlTokens between;
    if (text) {
        CloseCall(sum, edits);
        if (!sum.plain) {
            edits.Open(sum.begin, false);
            between.push_back(SymbolToken(QStringLiteral(")")));
        }
        between.push_back(SpaceToken());
        between.push_back(SymbolToken(QStringLiteral("||")));
        between.push_back(SpaceToken());
        if (!IsPlain(tokens, operands, term.begin, term.last)) {
            between.push_back(SymbolToken(QStringLiteral("(")));
            edits.Close(term.last);
        }
    } else {
        if (sum.values == kMostAddValues) {
            CloseCall(sum, edits);
        }
        if (sum.values == 0) {
            edits.Open(sum.begin, true);
            sum.values = 1;
        }
        between.push_back(SymbolToken(QStringLiteral(",")));
        between.push_back(SpaceToken());
        ++sum.values;
    }
    edits.Replace(sum.last + 1, term.begin, std::move(between));
    sum = Sum{sum.begin, term.last, text, false, true, sum.values};
}

// sum - term: the operator stays; the call open around the sum closes before it.
void SubtractTerm(const SqlTokens& tokens, const SqlOperands& operands, Sum& sum, const Term& term,
                  PlusEdits& edits) {
    CloseCall(sum, edits);
    const bool text = sum.text || HasConcatenation(tokens, operands, term.begin, term.end);
    sum = Sum{sum.begin, term.last, text, false, false, 0};
}

bool IsChainOperator(const SqlTokens& tokens, const SqlOperands& operands, size_t at) {
    return at < tokens.size() && (tokens[at].IsSymbol('+') || tokens[at].IsSymbol('-')) &&
           operands.IsBinary(at);
}

// Rewrites the chain of "+" and "-" at one level whose first "+" is at `plus`, left to right as
// they associate, and marks its operators done.
void RewriteChain(const SqlTokens& tokens, const SqlOperands& operands, size_t plus,
                  PlusEdits& edits, std::vector<bool>& done) {
    const size_t leftLast = PreviousSignificant(tokens, plus);
    const size_t leftBegin = operands.Begin(leftLast, Level::Sum);
    if (leftBegin == kNoToken) {
        done[plus] = true;  // not an expression this rewrite understands: left as it is
        return;
    }
    Sum sum{leftBegin,
            leftLast,
            IsTextOperand(tokens, operands, leftBegin, leftLast + 1),
            IsNumberOperand(tokens, leftBegin, leftLast),
            IsPlain(tokens, operands, leftBegin, leftLast),
            0};
    for (size_t op = plus; IsChainOperator(tokens, operands, op);
         op = NextSignificant(tokens, sum.last + 1)) {
        done[op] = true;
        const std::optional<Term> term = TermAfter(tokens, operands, op);
        if (!term) {
            break;  // left as it is from here on
        }
        if (tokens[op].IsSymbol('+')) {
            AddTerm(tokens, operands, sum, *term, edits);
        } else {
            SubtractTerm(tokens, operands, sum, *term, edits);
        }
    }
    CloseCall(sum, edits);
}

bool IsComparison(const SqlToken& token) {
    for (const char* op : {"=", "==", "<>", "!=", "<", "<=", ">", ">="}) {
        if (token.IsOperator(op)) {
            return true;
        }
    }
    return token.Is(Keyword::In) || token.Is(Keyword::Between);
}

// Where COLLATE NOCASE goes, counted per token: brackets opened before it, brackets closed and
// collations added after it.
class CollationMarks {
  public:
    CollationMarks(const SqlTokens& tokens, const SqlOperands& operands)
        : tokens_(tokens),
          operands_(operands),
          opens_(tokens.size()),
          closes_(tokens.size()),
          collations_(tokens.size()) {}

    // Gives the operand [begin, last] the case-blind collation unless it has a collation of its
    // own: a column (its declared one), a number, a parameter, NULL or an explicit COLLATE.
    void Mark(size_t begin, size_t last) {
        if (begin == kNoToken || begin > last || operands_.IsColumnReference(begin, last)) {
            return;
        }
        const SqlToken& first = tokens_[begin];
        const bool single = begin == last;
        if (single &&
            (first.kind == Kind::Number || first.IsSymbol('?') || first.Is(Keyword::Null))) {
            return;
        }
        for (size_t i = begin; i <= last; ++i) {
            if (tokens_[i].Is(Keyword::Collate)) {
                return;
            }
        }
        if (first.IsSymbol('(') && operands_.Partner(begin) == last && HoldsList(begin, last)) {
            return;  // a row value "(a, b) IN (...)" takes no collation
        }
        if (!operands_.IsPrimary(begin, last)) {
            ++opens_[begin];
            ++closes_[last];
        }
        ++collations_[last];
    }

    SqlTokens Apply() const {
        SqlTokens out;
        out.reserve(tokens_.size());
        for (size_t i = 0; i < tokens_.size(); ++i) {
            for (int n = 0; n < opens_[i]; ++n) {
                out.push_back(SymbolToken(QStringLiteral("(")));
            }
            out.push_back(tokens_[i]);
            for (int n = 0; n < closes_[i]; ++n) {
                out.push_back(SymbolToken(QStringLiteral(")")));
            }
            for (int n = 0; n < collations_[i]; ++n) {
                out.push_back(SpaceToken());
                out.push_back(WordToken(QStringLiteral("COLLATE")));
                out.push_back(SpaceToken());
                out.push_back(WordToken(QStringLiteral("NOCASE")));
            }
        }
        return out;
    }

  private:
    bool HoldsList(size_t open, size_t close) const {
        for (size_t i = open + 1; i < close; ++i) {
            if (tokens_[i].IsSymbol('(') && operands_.Partner(i) != kNoToken) {
                i = operands_.Partner(i);
            } else if (tokens_[i].IsSymbol(',')) {
                return true;
            }
        }
        return false;
    }

    const SqlTokens& tokens_;
    const SqlOperands& operands_;
    std::vector<int> opens_;
    std::vector<int> closes_;
    std::vector<int> collations_;
};

// True when a number follows the operator: the comparison is numeric, no collation applies.
bool ComparesWithNumber(const SqlTokens& tokens, size_t op) {
    size_t next = NextSignificant(tokens, op + 1);
    if (next < tokens.size() && (tokens[next].IsSymbol('-') || tokens[next].IsSymbol('+'))) {
        next = NextSignificant(tokens, next + 1);
    }
    return next < tokens.size() && tokens[next].kind == Kind::Number;
}

// The left operand of the comparison at `op`.
void MarkComparison(const SqlTokens& tokens, const SqlOperands& operands, size_t op,
                    CollationMarks& marks) {
    size_t last = PreviousSignificant(tokens, op);
    if (last != kNoToken && tokens[last].Is(Keyword::Not) && tokens[op].kind != Kind::Symbol) {
        last = PreviousSignificant(tokens, last);
    }
    if (last == kNoToken || ComparesWithNumber(tokens, op)) {
        return;
    }
    marks.Mark(operands.Begin(last, Level::Comparison), last);
}

// The terms of the ORDER BY or GROUP BY whose BY is at `by`.
void MarkTerms(const SqlTokens& tokens, const SqlOperands& operands, size_t by,
               CollationMarks& marks) {
    size_t position = by + 1;
    while (true) {
        const size_t first = NextSignificant(tokens, position);
        const size_t end = operands.End(first, Level::Comparison);
        if (first >= tokens.size() || end == kNoToken) {
            return;
        }
        marks.Mark(first, PreviousSignificant(tokens, end));
        size_t next = NextSignificant(tokens, end);
        while (next < tokens.size() &&
               (tokens[next].Is(Keyword::Asc) || tokens[next].Is(Keyword::Desc) ||
                tokens[next].IsWord("NULLS") || tokens[next].IsWord("FIRST") ||
                tokens[next].IsWord("LAST"))) {
            next = NextSignificant(tokens, next + 1);
        }
        if (next >= tokens.size() || !tokens[next].IsSymbol(',')) {
            return;
        }
        position = next + 1;
    }
}

// The one argument of MIN( or MAX( at `name`.
void MarkExtreme(const SqlTokens& tokens, const SqlOperands& operands, size_t name,
                 CollationMarks& marks) {
    const size_t open = NextSignificant(tokens, name + 1);
    if (open >= tokens.size() || !tokens[open].IsSymbol('(')) {
        return;
    }
    const size_t close = operands.Partner(open);
    const size_t first = NextSignificant(tokens, open + 1);
    if (close == kNoToken || first >= close) {
        return;
    }
    const size_t end = operands.End(first, Level::Comparison);
    if (end != kNoToken && NextSignificant(tokens, end) == close) {
        marks.Mark(first, PreviousSignificant(tokens, end));
    }
}

// The first SELECT of "CREATE [TEMP] VIEW name AS SELECT ...", or kNoToken.
size_t ViewSelect(const SqlTokens& tokens) {
    size_t at = NextSignificant(tokens, 0);
    if (at >= tokens.size() || !tokens[at].Is(Keyword::Create)) {
        return kNoToken;
    }
    at = NextSignificant(tokens, at + 1);
    if (at < tokens.size() && (tokens[at].Is(Keyword::Temp) || tokens[at].Is(Keyword::Temporary))) {
        at = NextSignificant(tokens, at + 1);
    }
    if (at >= tokens.size() || !tokens[at].Is(Keyword::View)) {
        return kNoToken;
    }
    for (; at < tokens.size(); ++at) {
        if (tokens[at].Is(Keyword::Select)) {
            return at;
        }
    }
    return kNoToken;
}

// A view's named columns that are expressions get the case-blind collation, so that its users
// compare and sort them as they would the columns they come from.
void MarkViewColumns(const SqlTokens& tokens, const SqlOperands& operands, CollationMarks& marks) {
    const size_t select = ViewSelect(tokens);
    if (select == kNoToken) {
        return;
    }
    size_t first = NextSignificant(tokens, select + 1);
    if (first < tokens.size() && tokens[first].Is(Keyword::Distinct)) {
        first = NextSignificant(tokens, first + 1);
    }
    while (first < tokens.size()) {
        const size_t end = operands.End(first, Level::Comparison);
        if (end == kNoToken) {
            return;
        }
        size_t next = NextSignificant(tokens, end);
        const bool aliased = next < tokens.size() && tokens[next].Is(Keyword::As);
        if (aliased) {
            marks.Mark(first, PreviousSignificant(tokens, end));
        }
        // On to the next item: past the alias, to the "," at this level.
        while (next < tokens.size() && !tokens[next].IsSymbol(',') &&
               !tokens[next].Is(Keyword::From)) {
            next = tokens[next].IsSymbol('(') && operands.Partner(next) != kNoToken
                       ? operands.Partner(next) + 1
                       : next + 1;
        }
        if (next >= tokens.size() || !tokens[next].IsSymbol(',')) {
            return;
        }
        first = NextSignificant(tokens, next + 1);
    }
}

}  // namespace

SqlTokens RewriteConcatenationTokens(SqlTokens tokens) {
    const SqlOperands operands(tokens);
    PlusEdits edits(tokens.size());
    std::vector<bool> done(tokens.size(), false);
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!done[i] && tokens[i].IsSymbol('+') && operands.IsBinary(i)) {
            RewriteChain(tokens, operands, i, edits, done);
        }
    }
    return edits.Apply(tokens);
}

SqlTokens AddExpressionCollationTokens(const SqlTokens& tokens) {
    const SqlOperands operands(tokens);
    CollationMarks marks(tokens, operands);
    MarkViewColumns(tokens, operands, marks);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (IsComparison(token)) {
            MarkComparison(tokens, operands, i, marks);
        } else if (token.Is(Keyword::By)) {
            const size_t before = PreviousSignificant(tokens, i);
            if (before != kNoToken &&
                (tokens[before].Is(Keyword::Order) || tokens[before].Is(Keyword::Group))) {
                MarkTerms(tokens, operands, i, marks);
            }
        } else if (token.Is(Keyword::Min) || token.Is(Keyword::Max)) {
            MarkExtreme(tokens, operands, i, marks);
        }
    }
    return marks.Apply();
}

}  // namespace ado
