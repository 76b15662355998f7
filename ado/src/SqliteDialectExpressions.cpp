// Expression forms of SQL Server: "+" between texts, and comparisons that ignore case whatever
// the operands are.
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

// True when the operand [begin, end) plainly gives text: a literal, a concatenation, a call of
// a text function or a CAST to a text type.
bool IsTextOperand(const SqlTokens& tokens, const SqlOperands& operands, size_t begin, size_t end) {
    const size_t first = NextSignificant(tokens, begin);
    if (first >= end) {
        return false;
    }
    if (tokens[first].kind == Kind::String) {
        return true;
    }
    for (size_t i = first; i < end; ++i) {
        if ((tokens[i].IsSymbol('(') || tokens[i].Is(Keyword::Case)) &&
            operands.Partner(i) != kNoToken) {
            i = operands.Partner(i);
        } else if (tokens[i].IsOperator("||")) {
            return true;
        }
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

void AppendRange(SqlTokens& out, const SqlTokens& tokens, size_t begin, size_t end) {
    out.insert(out.end(), tokens.begin() + static_cast<std::ptrdiff_t>(begin),
               tokens.begin() + static_cast<std::ptrdiff_t>(end));
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

// Appends the operand [begin, last], in brackets unless it is one primary or a concatenation.
void AppendOperand(SqlTokens& out, const SqlTokens& tokens, const SqlOperands& operands,
                   size_t begin, size_t last) {
    const bool bracket =
        !operands.IsPrimary(begin, last) && !IsConcatenation(tokens, operands, begin, last);
    if (bracket) {
        out.push_back(SymbolToken(QStringLiteral("(")));
    }
    AppendRange(out, tokens, begin, last + 1);
    if (bracket) {
        out.push_back(SymbolToken(QStringLiteral(")")));
    }
}

// The first "+" at or after `from` that stands between two operands, or kNoToken.
size_t FindBinaryPlus(const SqlTokens& tokens, const SqlOperands& operands, size_t from) {
    for (size_t i = from; i < tokens.size(); ++i) {
        if (tokens[i].IsSymbol('+') && operands.IsBinary(i)) {
            return i;
        }
    }
    return kNoToken;
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
    size_t from = 0;
    while (true) {
        const SqlOperands operands(tokens);
        const size_t plus = FindBinaryPlus(tokens, operands, from);
        if (plus == kNoToken) {
            return tokens;
        }
        const size_t leftLast = PreviousSignificant(tokens, plus);
        const size_t leftBegin = operands.Begin(leftLast, Level::Sum);
        const size_t rightEnd = operands.End(plus + 1, Level::Product);
        if (leftBegin == kNoToken || rightEnd == kNoToken) {
            from = plus + 1;  // not an expression this rewrite understands: left as it is
            continue;
        }
        const size_t rightBegin = NextSignificant(tokens, plus + 1);
        const size_t rightLast = PreviousSignificant(tokens, rightEnd);
        SqlTokens out;
        out.reserve(tokens.size() + 4);
        AppendRange(out, tokens, 0, leftBegin);
        // A number beside a text makes SQL Server convert the text: '7' + 1 is 8.
        const bool text = (IsTextOperand(tokens, operands, leftBegin, leftLast + 1) ||
                           IsTextOperand(tokens, operands, rightBegin, rightEnd)) &&
                          !IsNumberOperand(tokens, leftBegin, leftLast) &&
                          !IsNumberOperand(tokens, rightBegin, rightLast);
        if (text) {
            AppendOperand(out, tokens, operands, leftBegin, leftLast);
            out.push_back(SpaceToken());
            out.push_back(SymbolToken(QStringLiteral("||")));
            out.push_back(SpaceToken());
            AppendOperand(out, tokens, operands, rightBegin, rightLast);
        } else {
            out.push_back(WordToken(QStringLiteral("TSQL_ADD")));
            out.push_back(SymbolToken(QStringLiteral("(")));
            AppendRange(out, tokens, leftBegin, leftLast + 1);
            out.push_back(SymbolToken(QStringLiteral(",")));
            out.push_back(SpaceToken());
            AppendRange(out, tokens, rightBegin, rightLast + 1);
            out.push_back(SymbolToken(QStringLiteral(")")));
        }
        AppendRange(out, tokens, rightLast + 1, tokens.size());
        tokens = std::move(out);
    }
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
