#pragma once

#include <deque>
#include <memory>

#include "SqlTokens.h"
#include "SqliteDialect.h"

namespace ado {

// One statement of a batch with its tokens, as the embedded provider runs it.
struct BatchPiece {
    BatchStatement::Kind kind = BatchStatement::Kind::Sql;
    SqlTokens tokens;  // the statement without its final ";"
    int line = 1;      // line of its first word, from 1
};

// Cuts a batch into statements as it reads it, so that only one statement's tokens are held
// at a time and the cost stays linear in the batch's length.
class BatchSplitter {
  public:
    // The text must outlive the splitter.
    explicit BatchSplitter(const QString& batch);
    ~BatchSplitter();
    BatchSplitter(const BatchSplitter&) = delete;
    BatchSplitter& operator=(const BatchSplitter&) = delete;

    // The next statement into `piece`; false when the batch holds no more.
    bool Next(BatchPiece& piece);

  private:
    class Statement;

    bool Pull(SqlToken& token);
    // The n-th token not yet pulled (0 is the next one), or null past the end.
    const SqlToken* PeekRaw(size_t n);
    // The n-th significant token not yet pulled, or null.
    const SqlToken* PeekSignificant(size_t n);
    bool IsBatchSeparator(const SqlToken& token);
    void SkipRepeatCount();
    void Finish(BatchPiece& piece);

    SqlTokenizer tokenizer_;
    std::deque<SqlToken> ahead_;
    SqlTokens current_;
    int line_ = 1;         // line of the next token
    int currentLine_ = 1;  // line of the current statement's first word
    bool lineStart_ = true;
    std::unique_ptr<Statement> statement_;
};

}  // namespace ado
