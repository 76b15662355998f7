#pragma once

#include <memory>

#include "SqlTokens.h"
#include "SqliteDialect.h"

namespace ado {

// One statement of a batch, as the embedded provider runs it.
struct BatchPiece {
    BatchStatement::Kind kind = BatchStatement::Kind::Sql;
    QStringView text;  // the statement as written, first word to last, without its final ";"
    SqlTokens words;   // its tokens without blanks and comments, which most statements need
    int line = 1;      // line of its first word, from 1
};

// Cuts a batch into statements as it reads it, so that only one statement's tokens are held
// at a time and the cost stays linear in the batch's length.
class BatchSplitter {
  public:
    // The text must outlive the splitter and the pieces it gives, whose tokens refer to it.
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
    QStringView TextOf(const SqlToken& token) const;

    // Tokens read ahead, in one vector whose room serves every statement (a deque takes and
    // gives back a block each time a statement's first word is put back).
    class Ahead {
      public:
        bool Empty() const { return start_ == tokens_.size(); }
        size_t Size() const { return tokens_.size() - start_; }
        SqlToken& operator[](size_t n) { return tokens_[start_ + n]; }
        void PopInto(SqlToken& token);
        // Pushing may move the tokens: pointers from operator[] do not survive it.
        void PushBack(SqlToken token) { tokens_.push_back(std::move(token)); }
        void PushFront(SqlToken token);
        void Drop(size_t n);

      private:
        std::vector<SqlToken> tokens_;
        size_t start_ = 0;
    };

    const QString& batch_;
    SqlTokenizer tokenizer_;
    Ahead ahead_;
    SqlTokens current_;    // the words of the statement being read
    qsizetype start_ = 0;  // where its text begins
    qsizetype end_ = 0;    // and ends
    int line_ = 1;         // line of the next token
    int currentLine_ = 1;  // line of the current statement's first word
    bool lineStart_ = true;
    std::unique_ptr<Statement> statement_;
};

}  // namespace ado
