#pragma once

#include <vector>

#include "SqlTokens.h"

namespace ado {

// Finds the operands around an operator in a token list, so that rewrites can work on
// expressions without a full parser. Brackets and CASE ... END are matched once, up front.
class SqlOperands {
  public:
    // Which binary operators an operand may contain: those that bind tighter than the operator
    // whose operand is sought.
    enum class Level {
        Product,     // * / % ||: the right operand of + or -
        Sum,         // and + -: the left operand of + or - (they associate to the left)
        Comparison,  // and & | ^ << >>: either operand of =, <, IN, BETWEEN...
    };

    explicit SqlOperands(const SqlTokens& tokens);

    // First token of the operand that ends with the significant token `last`, or kNoToken
    // when no operand ends there (a keyword, an operator).
    size_t Begin(size_t last, Level level) const;
    // One past the last token of the operand that starts at the first significant token at or
    // after `first`, or kNoToken when none starts there.
    size_t End(size_t first, Level level) const;

    // The token that closes the "(" or CASE at `open`, or opens the ")" or END at `close`;
    // kNoToken when unmatched.
    size_t Partner(size_t index) const { return partner_[index]; }

    // True when [begin, last] is one name, possibly qualified ("T.COL", "[T].[COL]").
    bool IsColumnReference(size_t begin, size_t last) const;
    // True when [begin, last] is one primary (a name, literal, call, bracket or CASE) without
    // operators around it, so that a postfix such as COLLATE applies to all of it.
    bool IsPrimary(size_t begin, size_t last) const;
    // True when the token at `index` is an operator between two operands rather than a sign.
    bool IsBinary(size_t index) const;

  private:
    size_t PrimaryBegin(size_t last) const;
    size_t PrimaryEnd(size_t first) const;
    size_t NameChainBegin(size_t last) const;
    size_t NameChainEnd(size_t first) const;
    bool EndsOperand(size_t index) const;
    bool IsFunctionName(size_t index) const;

    const SqlTokens& tokens_;
    std::vector<size_t> partner_;
};

// True for "+", "-" and "~", which may stand before an operand as signs.
bool IsSign(const SqlToken& token);
// True for the binary operators an operand at `level` may contain.
bool BindsTighter(const SqlToken& token, SqlOperands::Level level);

}  // namespace ado
