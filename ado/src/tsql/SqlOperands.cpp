#include "SqlOperands.h"

namespace ado {

namespace {

using Kind = SqlToken::Kind;

bool IsValueKeyword(const SqlToken& token) {
    return token.Is(Keyword::Null) || token.Is(Keyword::CurrentTimestamp) ||
           token.Is(Keyword::CurrentDate) || token.Is(Keyword::CurrentTime);
}

// Reserved words that are also called as functions: LEFT(x, 3), CAST(x AS int)...
bool IsFunctionKeyword(const SqlToken& token) {
    return token.Is(Keyword::Left) || token.Is(Keyword::Right) || token.Is(Keyword::Cast) ||
           token.Is(Keyword::Exists);
}

bool IsLiteral(const SqlToken& token) {
    return token.kind == Kind::Number || token.kind == Kind::String || token.IsSymbol('?');
}

}  // namespace

bool IsSign(const SqlToken& token) {
    return token.IsSymbol('+') || token.IsSymbol('-') || token.IsSymbol('~');
}

bool BindsTighter(const SqlToken& token, SqlOperands::Level level) {
    if (token.kind != Kind::Symbol) {
        return false;
    }
    if (token.IsSymbol('*') || token.IsSymbol('/') || token.IsSymbol('%') ||
        token.IsOperator("||")) {
        return true;
    }
    if (level == SqlOperands::Level::Product) {
        return false;
    }
    if (token.IsSymbol('+') || token.IsSymbol('-')) {
        return true;
    }
    return level == SqlOperands::Level::Comparison &&
           (token.IsSymbol('&') || token.IsSymbol('|') || token.IsSymbol('^') ||
            token.IsOperator("<<") || token.IsOperator(">>"));
}

SqlOperands::SqlOperands(const SqlTokens& tokens)
    : tokens_(tokens), partner_(tokens.size(), kNoToken) {
    std::vector<size_t> open;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.IsSymbol('(') || token.Is(Keyword::Case)) {
            open.push_back(i);
            continue;
        }
        const bool closesBracket = token.IsSymbol(')');
        const bool closesCase = token.Is(Keyword::End);
        if ((!closesBracket && !closesCase) || open.empty()) {
            continue;
        }
        // An END with no CASE open closes a trigger body, which is not an expression.
        const bool matches = closesBracket ? tokens[open.back()].IsSymbol('(')
                                           : tokens[open.back()].Is(Keyword::Case);
        if (matches) {
            partner_[i] = open.back();
            partner_[open.back()] = i;
            open.pop_back();
        }
    }
}

bool SqlOperands::IsFunctionName(size_t index) const {
    const SqlToken& token = tokens_[index];
    if (token.kind != Kind::Word || (token.IsReservedWord() && !IsFunctionKeyword(token))) {
        return false;
    }
    const size_t next = NextSignificant(tokens_, index + 1);
    return next < tokens_.size() && tokens_[next].IsSymbol('(');
}

bool SqlOperands::EndsOperand(size_t index) const {
    const SqlToken& token = tokens_[index];
    if (IsLiteral(token) || token.IsName() || IsValueKeyword(token)) {
        return true;
    }
    return (token.IsSymbol(')') || token.Is(Keyword::End)) && partner_[index] != kNoToken;
}

bool SqlOperands::IsBinary(size_t index) const {
    const size_t previous = PreviousSignificant(tokens_, index);
    return previous != kNoToken && EndsOperand(previous);
}

size_t SqlOperands::NameChainBegin(size_t last) const {
    size_t begin = last;
    while (true) {
        const size_t dot = PreviousSignificant(tokens_, begin);
        if (dot == kNoToken || !tokens_[dot].IsSymbol('.')) {
            return begin;
        }
        const size_t name = PreviousSignificant(tokens_, dot);
        if (name == kNoToken || !tokens_[name].IsName()) {
            return begin;
        }
        begin = name;
    }
}

size_t SqlOperands::NameChainEnd(size_t first) const {
    size_t last = first;
    while (true) {
        const size_t dot = NextSignificant(tokens_, last + 1);
        if (dot >= tokens_.size() || !tokens_[dot].IsSymbol('.')) {
            return last;
        }
        const size_t name = NextSignificant(tokens_, dot + 1);
        if (name >= tokens_.size() || !tokens_[name].IsName()) {
            return last;
        }
        last = name;
    }
}

size_t SqlOperands::PrimaryBegin(size_t last) const {
    const SqlToken& token = tokens_[last];
    if (token.IsSymbol(')')) {
        const size_t open = partner_[last];
        if (open == kNoToken) {
            return kNoToken;
        }
        const size_t name = PreviousSignificant(tokens_, open);
        if (name != kNoToken && IsFunctionName(name)) {
            return tokens_[name].IsName() ? NameChainBegin(name) : name;
        }
        return open;
    }
    if (token.Is(Keyword::End)) {
        return partner_[last];
    }
    if (token.IsName()) {
        return NameChainBegin(last);
    }
    return IsLiteral(token) || IsValueKeyword(token) ? last : kNoToken;
}

size_t SqlOperands::PrimaryEnd(size_t first) const {
    const SqlToken& token = tokens_[first];
    if (token.IsSymbol('(') || token.Is(Keyword::Case)) {
        const size_t close = partner_[first];
        return close == kNoToken ? kNoToken : close + 1;
    }
    if (IsFunctionName(first)) {
        const size_t close = partner_[NextSignificant(tokens_, first + 1)];
        return close == kNoToken ? kNoToken : close + 1;
    }
    if (token.IsName()) {
        const size_t last = NameChainEnd(first);
        return IsFunctionName(last) ? PrimaryEnd(last) : last + 1;
    }
    return IsLiteral(token) || IsValueKeyword(token) ? first + 1 : kNoToken;
}

size_t SqlOperands::Begin(size_t last, Level level) const {
    size_t position = last;
    while (true) {
        size_t begin = PrimaryBegin(position);
        if (begin == kNoToken) {
            return kNoToken;
        }
        size_t before = PreviousSignificant(tokens_, begin);
        // "x COLLATE NOCASE": the collation name was read; the operand goes on before COLLATE.
        if (before != kNoToken && tokens_[before].Is(Keyword::Collate)) {
            position = PreviousSignificant(tokens_, before);
            if (position == kNoToken) {
                return kNoToken;
            }
            continue;
        }
        while (before != kNoToken && IsSign(tokens_[before]) && !IsBinary(before)) {
            begin = before;
            before = PreviousSignificant(tokens_, before);
        }
        if (before == kNoToken || !BindsTighter(tokens_[before], level) || !IsBinary(before)) {
            return begin;
        }
        position = PreviousSignificant(tokens_, before);
    }
}

size_t SqlOperands::End(size_t first, Level level) const {
    const size_t count = tokens_.size();
    size_t position = NextSignificant(tokens_, first);
    size_t end = kNoToken;
    while (true) {
        while (position < count && IsSign(tokens_[position])) {
            position = NextSignificant(tokens_, position + 1);
        }
        if (position >= count) {
            return end;
        }
        size_t stop = PrimaryEnd(position);
        if (stop == kNoToken) {
            return end;
        }
        size_t next = NextSignificant(tokens_, stop);
        while (next < count && tokens_[next].Is(Keyword::Collate)) {
            const size_t name = NextSignificant(tokens_, next + 1);
            if (name >= count) {
                break;
            }
            stop = name + 1;
            next = NextSignificant(tokens_, stop);
        }
        end = stop;
        if (next >= count || !BindsTighter(tokens_[next], level)) {
            return end;
        }
        position = NextSignificant(tokens_, next + 1);
    }
}

bool SqlOperands::IsColumnReference(size_t begin, size_t last) const {
    return tokens_[begin].IsName() && !IsFunctionName(begin) && NameChainEnd(begin) == last &&
           !IsFunctionName(last);
}

bool SqlOperands::IsPrimary(size_t begin, size_t last) const {
    const size_t end = PrimaryEnd(begin);
    return end != kNoToken && NextSignificant(tokens_, end) > last;
}

}  // namespace ado
