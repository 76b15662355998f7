#include "TsqlBatch.h"

#include <algorithm>

namespace ado {

namespace {

using Kind = BatchStatement::Kind;

// Blanks are short: a loop of our own costs less than a call into the string library.
int LineBreaks(const SqlToken& token) {
    return static_cast<int>(std::count(token.text.cbegin(), token.text.cend(), QLatin1Char('\n')));
}

bool IsAnyOf(const SqlToken& token, std::initializer_list<Keyword> words) {
    for (const Keyword word : words) {
        if (token.Is(word)) {
            return true;
        }
    }
    return false;
}

// What a statement is, from its words.
Kind Classify(const SqlTokens& words) {
    if (words.empty()) {
        return Kind::NoEffect;
    }
    const SqlToken& first = words.front();
    const SqlToken* second = words.size() > 1 ? &words[1] : nullptr;
    if (first.Is(Keyword::Begin)) {
        const bool transaction =
            !second ||
            IsAnyOf(*second, {Keyword::Tran, Keyword::Transaction, Keyword::Distributed,
                              Keyword::Deferred, Keyword::Immediate, Keyword::Exclusive});
        return transaction ? Kind::BeginTransaction : Kind::Sql;
    }
    if (first.Is(Keyword::Commit) || first.Is(Keyword::End)) {
        const bool transaction =
            !second || IsAnyOf(*second, {Keyword::Tran, Keyword::Transaction, Keyword::Work});
        return transaction ? Kind::CommitTransaction : Kind::Sql;
    }
    if (first.Is(Keyword::Rollback)) {
        // ROLLBACK TO a savepoint of the caller's is the caller's own statement.
        const bool toSavepoint = std::any_of(
            words.begin(), words.end(), [](const SqlToken& word) { return word.Is(Keyword::To); });
        return toSavepoint ? Kind::Sql : Kind::RollbackTransaction;
    }
    if (first.Is(Keyword::Set) && second) {
        // SET NOCOUNT ON, SET ANSI_NULLS OFF, SET IDENTITY_INSERT T ON: options without effect
        // here; SET TRANSACTION ISOLATION LEVEL: SQLite transactions are serializable anyway.
        const bool option = second->kind == SqlToken::Kind::Word &&
                            !second->text.startsWith(QLatin1Char('@')) &&
                            IsAnyOf(words.back(), {Keyword::On, Keyword::Off});
        const bool isolation =
            second->Is(Keyword::Transaction) && words.size() > 2 && words[2].Is(Keyword::Isolation);
        return option || isolation ? Kind::NoEffect : Kind::Sql;
    }
    return Kind::Sql;
}

}  // namespace

// Follows one statement word by word and says where the next one begins.
class BatchSplitter::Statement {
  public:
    bool Empty() const { return !started_; }

    // True while a ";" belongs to the statement (inside brackets or a trigger body).
    bool Holds() const { return depth_ > 0 || block_ > 0; }

    // True when `token` begins a new statement after the current one; `next` and `afterNext`
    // are the significant tokens that follow it (null past the end).
    bool StartsNew(const SqlToken& token, const SqlToken* next, const SqlToken* afterNext) const {
        if (Empty() || Holds()) {
            return false;
        }
        switch (token.keyword) {
            case Keyword::Select:
                return !SelectContinues();
            case Keyword::Insert:
            case Keyword::Update:
            case Keyword::Delete:
                return !ChangeContinues();
            case Keyword::Set:
                return !(Head(Keyword::Update) && !set_) &&
                       !PreviousIs({Keyword::Delete, Keyword::Update});
            case Keyword::Alter:
            case Keyword::Drop:
                return !(Head(Keyword::Alter) && !alterAction_);
            case Keyword::Begin:
                return !InTriggerHeader();
            case Keyword::Commit:
            case Keyword::Rollback:
                return !PreviousIs({Keyword::Or, Keyword::Conflict}) && !InTriggerHeader();
            case Keyword::End:
                return caseDepth_ == 0;
            case Keyword::With:
                return BeginsCommonTable(next, afterNext);
            case Keyword::If:
                return !PreviousIs(
                    {Keyword::Table, Keyword::Index, Keyword::View, Keyword::Trigger});
            case Keyword::Replace:
                return next && next->Is(Keyword::Into) && !PreviousIs({Keyword::Or});
            case Keyword::Create:
            case Keyword::Truncate:
            case Keyword::Exec:
            case Keyword::Execute:
            case Keyword::Grant:
            case Keyword::Revoke:
            case Keyword::Pragma:
            case Keyword::Vacuum:
                return true;
            case Keyword::Declare:
            case Keyword::Print:
            case Keyword::Use:
            case Keyword::Merge:
            case Keyword::Deny:
            case Keyword::Analyze:
            case Keyword::Reindex:
            case Keyword::Attach:
            case Keyword::Detach:
            case Keyword::Release:
            case Keyword::Savepoint:
                // Words that may also be names: a statement only after a complete one.
                return previousEndsOperand_;
            case Keyword::Save:
                return next && IsAnyOf(*next, {Keyword::Tran, Keyword::Transaction});
            default:
                return false;
        }
    }

    // Takes a significant token into the statement.
    void Take(const SqlToken& token) {
        if (!started_) {
            started_ = true;
            head_ = token.keyword;
        }
        Track(token);
        previous_ = token.keyword;
        const bool name = (token.kind == SqlToken::Kind::Word && token.keyword == Keyword::None) ||
                          token.kind == SqlToken::Kind::QuotedName;
        previousEndsOperand_ = name || token.kind == SqlToken::Kind::Number ||
                               token.kind == SqlToken::Kind::String || token.IsSymbol(')') ||
                               token.Is(Keyword::Null) || token.Is(Keyword::End);
        ++taken_;
    }

  private:
    bool Head(Keyword word) const { return head_ == word; }

    bool PreviousIs(std::initializer_list<Keyword> words) const {
        for (const Keyword word : words) {
            if (previous_ == word) {
                return true;
            }
        }
        return false;
    }

    bool InTriggerHeader() const { return trigger_ && !bodyBegun_; }

    bool SelectContinues() const {
        if (PreviousIs({Keyword::Union, Keyword::All, Keyword::Except, Keyword::Intersect,
                        Keyword::As, Keyword::Distinct})) {
            return true;
        }
        // INSERT INTO T [(columns)] SELECT ...; WITH x AS (...) SELECT ...
        return (Head(Keyword::Insert) && !values_ && !select_) || (Head(Keyword::With) && !main_);
    }

    bool ChangeContinues() const {
        // ON DELETE CASCADE, AFTER INSERT ON, GRANT SELECT, INSERT ON, WITH x AS (...) DELETE.
        return PreviousIs({Keyword::On, Keyword::Of, Keyword::Before, Keyword::After, Keyword::For,
                           Keyword::Instead}) ||
               InTriggerHeader() || Head(Keyword::Grant) || Head(Keyword::Revoke) ||
               Head(Keyword::Deny) || (Head(Keyword::With) && !main_);
    }

    // "WITH name AS (" or "WITH name (columns) AS (" or "WITH RECURSIVE", unlike the table
    // hints "WITH (NOLOCK)" and the clauses "WITH TIES" and "WITH CHECK OPTION".
    static bool BeginsCommonTable(const SqlToken* name, const SqlToken* after) {
        if (!name) {
            return false;
        }
        if (name->Is(Keyword::Recursive)) {
            return true;
        }
        return name->IsName() && after && (after->Is(Keyword::As) || after->IsSymbol('('));
    }

    void Track(const SqlToken& token) {
        if (token.IsSymbol('(')) {
            ++depth_;
        } else if (token.IsSymbol(')')) {
            depth_ = depth_ > 0 ? depth_ - 1 : 0;
        } else if (token.Is(Keyword::Case)) {
            ++caseDepth_;
        } else if (token.Is(Keyword::End)) {
            if (caseDepth_ > 0) {
                --caseDepth_;
            } else if (block_ > 0) {
                --block_;
            }
        } else if (!Holds()) {
            TrackClause(token);
        }
    }

    void TrackClause(const SqlToken& token) {
        switch (token.keyword) {
            case Keyword::Values:
                values_ = true;
                break;
            case Keyword::Select:
                select_ = true;
                [[fallthrough]];
            case Keyword::Insert:
            case Keyword::Update:
            case Keyword::Delete:
                if (Head(Keyword::With) && !main_) {
                    main_ = true;
                    head_ = token.keyword;
                }
                break;
            case Keyword::Set:
                set_ = Head(Keyword::Update);
                break;
            case Keyword::Add:
            case Keyword::Rename:
                alterAction_ = Head(Keyword::Alter);
                break;
            case Keyword::Alter:
            case Keyword::Drop:
                alterAction_ = Head(Keyword::Alter) && taken_ > 0;
                break;
            case Keyword::Trigger:
                trigger_ = Head(Keyword::Create);
                break;
            case Keyword::Begin:
                if (InTriggerHeader()) {
                    bodyBegun_ = true;
                    ++block_;
                }
                break;
            default:
                break;
        }
    }

    bool started_ = false;
    Keyword head_ = Keyword::None;
    Keyword previous_ = Keyword::None;
    bool previousEndsOperand_ = false;
    int taken_ = 0;
    int depth_ = 0;      // open brackets
    int caseDepth_ = 0;  // open CASE expressions
    int block_ = 0;      // open trigger bodies
    bool values_ = false;
    bool select_ = false;
    bool main_ = false;  // WITH: the statement after the common tables has begun
    bool set_ = false;
    bool alterAction_ = false;
    bool trigger_ = false;
    bool bodyBegun_ = false;
};

BatchSplitter::BatchSplitter(const QString& batch)
    : batch_(batch),
      tokenizer_(batch, TokenText::Referred),
      statement_(std::make_unique<Statement>()) {}

BatchSplitter::~BatchSplitter() = default;

void BatchSplitter::Ahead::PopInto(SqlToken& token) {
    token = std::move(tokens_[start_]);
    Drop(1);
}

void BatchSplitter::Ahead::PushFront(SqlToken token) {
    if (start_ > 0) {
        tokens_[--start_] = std::move(token);
        return;
    }
    tokens_.insert(tokens_.begin(), std::move(token));
}

void BatchSplitter::Ahead::Drop(size_t n) {
    start_ += n;
    if (Empty()) {
        tokens_.clear();
        start_ = 0;
    }
}

bool BatchSplitter::Pull(SqlToken& token) {
    if (!ahead_.Empty()) {
        ahead_.PopInto(token);
        return true;
    }
    // Whitespace only counts lines: stepped over rather than made into tokens.
    int breaks = 0;
    const bool read = tokenizer_.Next(token, &breaks);
    line_ += breaks;
    lineStart_ = lineStart_ || breaks > 0;
    return read;
}

const SqlToken* BatchSplitter::PeekRaw(size_t n) {
    while (ahead_.Size() <= n) {
        SqlToken token{SqlToken::Kind::Space, {}};
        if (!tokenizer_.Next(token)) {
            return nullptr;
        }
        ahead_.PushBack(std::move(token));
    }
    return &ahead_[n];
}

const SqlToken* BatchSplitter::PeekSignificant(size_t n) {
    for (size_t i = 0;; ++i) {
        const SqlToken* token = PeekRaw(i);
        if (!token) {
            return nullptr;
        }
        if (!token->IsBlank() && n-- == 0) {
            return token;
        }
    }
}

// GO counts only alone on its line (with a repeat count or a comment at most), as the script
// tools that know it read it.
bool BatchSplitter::IsBatchSeparator(const SqlToken& token) {
    if (!token.Is(Keyword::Go) || !lineStart_) {
        return false;
    }
    size_t n = 0;
    const SqlToken* next = PeekRaw(n);
    if (next && next->kind == SqlToken::Kind::Space && LineBreaks(*next) == 0) {
        next = PeekRaw(++n);
    }
    if (next && next->kind == SqlToken::Kind::Number) {
        next = PeekRaw(++n);
    }
    return !next || LineBreaks(*next) > 0 || next->kind == SqlToken::Kind::Comment;
}

// "GO 5" repeats the batch in the script tools; the count is part of the separator.
void BatchSplitter::SkipRepeatCount() {
    const SqlToken* next = PeekRaw(0);
    const bool spaced = next && next->kind == SqlToken::Kind::Space && LineBreaks(*next) == 0;
    const SqlToken* count = spaced ? PeekRaw(1) : next;
    if (count && count->kind == SqlToken::Kind::Number) {
        ahead_.Drop(spaced ? 2 : 1);
    }
}

QStringView BatchSplitter::TextOf(const SqlToken& token) const {
    return QStringView(batch_).sliced(token.offset, token.text.size());
}

void BatchSplitter::Finish(BatchPiece& piece) {
    piece.kind = Classify(current_);
    piece.line = currentLine_;
    piece.text = QStringView(batch_).sliced(start_, end_ - start_);
    // The statement's words go to the piece; the next one takes the piece's old room.
    piece.words.swap(current_);
    current_.clear();
    *statement_ = Statement();
}

bool BatchSplitter::Next(BatchPiece& piece) {
    SqlToken token{SqlToken::Kind::Space, {}};
    while (Pull(token)) {
        const int tokenLine = line_;
        const int breaks =
            token.kind != SqlToken::Kind::Word && token.kind != SqlToken::Kind::Symbol
                ? LineBreaks(token)
                : 0;
        line_ += breaks;
        if (token.IsBlank()) {
            // The piece's text keeps the blanks between its words; its words need none.
            lineStart_ = lineStart_ || (token.kind == SqlToken::Kind::Space && breaks > 0);
            continue;
        }
        const bool separator = token.Is(Keyword::Go) && IsBatchSeparator(token);
        lineStart_ = false;
        if (separator) {
            if (!statement_->Empty()) {
                // The statement before it first; GO comes again on the next call.
                line_ = tokenLine;
                lineStart_ = true;
                ahead_.PushFront(std::move(token));
                Finish(piece);
                return true;
            }
            piece.kind = Kind::BatchSeparator;
            piece.text = TextOf(token);
            piece.words.clear();
            piece.words.push_back(std::move(token));
            piece.line = tokenLine;
            SkipRepeatCount();
            return true;
        }
        if (token.IsSymbol(';') && !statement_->Holds()) {
            if (!statement_->Empty()) {
                Finish(piece);
                return true;
            }
            continue;
        }
        const bool peek =
            token.Is(Keyword::With) || token.Is(Keyword::Replace) || token.Is(Keyword::Save);
        // The farther one first: reading ahead may move the tokens already read.
        const SqlToken* afterNext = peek ? PeekSignificant(1) : nullptr;
        const SqlToken* next = peek ? PeekSignificant(0) : nullptr;
        if (statement_->StartsNew(token, next, afterNext)) {
            line_ = tokenLine;
            ahead_.PushFront(std::move(token));
            Finish(piece);
            return true;
        }
        if (statement_->Empty()) {
            currentLine_ = tokenLine;
            start_ = token.offset;
        }
        statement_->Take(token);
        end_ = token.offset + token.text.size();
        current_.push_back(std::move(token));
    }
    if (statement_->Empty()) {
        return false;
    }
    Finish(piece);
    return true;
}

std::vector<BatchStatement> SplitBatch(const QString& batch) {
    std::vector<BatchStatement> statements;
    BatchSplitter splitter(batch);
    BatchPiece piece;
    while (splitter.Next(piece)) {
        statements.push_back({piece.kind, piece.text.toString(), piece.line});
    }
    return statements;
}

}  // namespace ado
