#include "RecordsetImpl.h"

#include <algorithm>
#include <iterator>

#include "AdoError.h"
#include "ProviderFailure.h"
#include "Session.h"
#include "cheques/ado/Connection.h"

namespace ado {

RecordsetImpl::~RecordsetImpl() {
    Reset();
}

void RecordsetImpl::Open(const QString& text, std::shared_ptr<Connection> activeConnection,
                         int cursorTypeArg, int lockTypeArg, int options) {
    if (open_) {
        RaiseAdoError(err::ObjectOpen);
    }
    if (!activeConnection) {
        RaiseAdoError(err::ConnectionNotUsable);
    }
    if (cursorTypeArg != adOpenUnspecified) {
        cursorType = cursorTypeArg;
    }
    if (lockTypeArg != adLockUnspecified) {
        lockType = lockTypeArg;
    }
    const bool table = options != adCmdUnspecified && (options & (adCmdTable | adCmdTableDirect));
    const QString statement = table ? QStringLiteral("SELECT * FROM ") + text : text;
    activeConnection->CheckCommandText(statement);
    recordsAffected = -1;
    int32_t affected = -1;
    std::unique_ptr<Cursor> cursor = activeConnection->OpenSession().Execute(statement, &affected);
    recordsAffected = cursor ? -1 : affected;
    source = text;
    connection = std::move(activeConnection);
    if (cursor) {
        Attach(connection, std::move(cursor), text, cursorType);
    }
}

void RecordsetImpl::Attach(std::shared_ptr<Connection> activeConnection,
                           std::unique_ptr<Cursor> cursor, const QString& text, int cursorTypeArg) {
    connection = std::move(activeConnection);
    source = text;
    cursorLocation = EffectiveLocation();
    cursorType = cursorLocation == adUseClient ? adOpenStatic : cursorTypeArg;
    streaming_ = cursorType == adOpenForwardOnly && lockType == adLockReadOnly;
    width_ = cursor->Columns().size();
    fields_.Reset(cursor->Columns(), &current_);
    cursor_ = std::move(cursor);
    open_ = true;
    try {
        if (streaming_) {
            rows_.assign(width_, rt::Variant());
            firstRow_ = 1;
            pos_ = 0;
            count_ = cursor_->Fetch(rows_.data()) ? 1 : 0;
            connection->Attach(this);
        } else {
            HoldAll();
        }
    } catch (...) {
        Reset();
        throw;
    }
    UpdateCurrent();
}

void RecordsetImpl::HoldAll() {
    rows_.clear();
    count_ = 0;
    AppendRemainingRows();
    rows_.shrink_to_fit();
    SizeComputedColumns();
    cursor_.reset();
    pos_ = 0;
}

void RecordsetImpl::SizeComputedColumns() {
    std::vector<FieldInfo> infos = cursor_->Columns();
    bool sized = false;
    for (size_t column = 0; column < width_; ++column) {
        if (!cursor_->SizedByValues(column)) {
            continue;
        }
        qsizetype longest = 1;
        for (size_t at = column; at < rows_.size(); at += width_) {
            if (rows_[at].IsText()) {
                longest = std::max(longest, rows_[at].ToString().size());
            }
        }
        infos[column].definedSize = static_cast<int32_t>(longest);
        sized = true;
    }
    if (sized) {
        fields_.Reset(infos, &current_);
    }
}

void RecordsetImpl::AppendRemainingRows() {
    // Rows are read into blocks of a fixed size and moved into rows_ once, at its final size: a
    // vector grown by doubling takes a larger piece of memory at every step, whose every page the
    // system then maps afresh (page faults that cost more than reading the rows).
    constexpr size_t kBlockValues = 2048;
    const size_t blockRows = std::max<size_t>(1, kBlockValues / std::max<size_t>(1, width_));
    std::vector<std::vector<rt::Variant>> blocks;
    size_t fetched = 0;
    const auto keep = [&] {
        rows_.reserve(rows_.size() + fetched * width_);
        for (std::vector<rt::Variant>& block : blocks) {
            std::move(block.begin(), block.end(), std::back_inserter(rows_));
        }
        count_ += static_cast<int64_t>(fetched);
    };
    try {
        bool more = true;
        while (more) {
            std::vector<rt::Variant>& block = blocks.emplace_back(blockRows * width_);
            size_t n = 0;
            while (n < blockRows && (more = cursor_->Fetch(block.data() + n * width_))) {
                ++n;
            }
            block.resize(n * width_);
            fetched += n;
        }
    } catch (...) {
        keep();  // the rows read before the failure stay, as they always have
        throw;
    }
    keep();
}

void RecordsetImpl::Close() {
    RequireOpen();
    Reset();
}

void RecordsetImpl::Reset() {
    if (cursor_ && streaming_ && connection) {
        connection->Detach(this);
    }
    cursor_.reset();
    rows_.clear();
    rows_.shrink_to_fit();
    fields_.Clear();
    current_ = {};
    open_ = false;
    streaming_ = false;
    width_ = 0;
    count_ = 0;
    pos_ = 0;
    firstRow_ = 0;
}

int RecordsetImpl::EffectiveLocation() const {
    if (cursorLocationSet || !connection) {
        return cursorLocation;
    }
    return connection->CursorLocation();
}

void RecordsetImpl::RequireOpen() const {
    if (!open_) {
        RaiseAdoError(err::ObjectClosed);
    }
}

void RecordsetImpl::RequireCurrent() const {
    if (Bof() || Eof()) {
        RaiseAdoError(err::NoCurrentRecord);
    }
}

bool RecordsetImpl::Bof() const {
    RequireOpen();
    return count_ == 0 || pos_ < 0;
}

bool RecordsetImpl::Eof() const {
    RequireOpen();
    return count_ == 0 || pos_ >= count_;
}

void RecordsetImpl::UpdateCurrent() {
    const bool onRow = pos_ >= 0 && pos_ < count_;
    current_.values = onRow ? rows_.data() + static_cast<size_t>(pos_) * width_ : nullptr;
}

void RecordsetImpl::MoveNext() {
    if (Eof()) {
        RaiseAdoError(err::NoCurrentRecord);
    }
    if (streaming_ && cursor_) {
        if (cursor_->Fetch(rows_.data())) {
            ++firstRow_;
        } else {
            pos_ = count_;
        }
    } else {
        ++pos_;
    }
    UpdateCurrent();
}

void RecordsetImpl::MovePrevious() {
    RequireOpen();
    if (streaming_) {
        RaiseCantFetchBackwards();
    }
    if (Bof()) {
        RaiseAdoError(err::NoCurrentRecord);
    }
    --pos_;
    UpdateCurrent();
}

void RecordsetImpl::MoveFirst() {
    if (Bof() && Eof()) {
        RaiseAdoError(err::NoCurrentRecord);
    }
    if (streaming_ && firstRow_ != 1) {
        if (!cursor_) {
            RaiseCantFetchBackwards();
        }
        cursor_->Restart();
        firstRow_ = 1;
        count_ = cursor_->Fetch(rows_.data()) ? 1 : 0;
    }
    pos_ = 0;
    UpdateCurrent();
}

void RecordsetImpl::MoveLast() {
    if (Bof() && Eof()) {
        RaiseAdoError(err::NoCurrentRecord);
    }
    if (streaming_) {
        RaiseCantFetchBackwards();
    }
    pos_ = count_ - 1;
    UpdateCurrent();
}

int32_t RecordsetImpl::RecordCount() const {
    RequireOpen();
    return streaming_ ? -1 : static_cast<int32_t>(count_);
}

std::vector<std::vector<rt::Variant>> RecordsetImpl::GetRows(int32_t rows) {
    RequireOpen();
    RequireCurrent();
    std::vector<std::vector<rt::Variant>> result(width_);
    if (!streaming_) {
        // Every row is held: the columns take their length at once.
        const int64_t left = count_ - pos_;
        const auto length = static_cast<size_t>(rows < 0 ? left : std::min<int64_t>(rows, left));
        for (std::vector<rt::Variant>& column : result) {
            column.reserve(length);
        }
    }
    for (int32_t n = 0; !Eof() && (rows < 0 || n < rows); ++n) {
        for (size_t i = 0; i < width_; ++i) {
            result[i].push_back(current_.values[i]);
        }
        MoveNext();
    }
    return result;
}

void RecordsetImpl::ReleaseCursor() {
    if (!streaming_ || !cursor_) {
        return;
    }
    if (pos_ < count_) {
        AppendRemainingRows();
    }
    cursor_.reset();
    connection->Detach(this);
    UpdateCurrent();
}

void RecordsetImpl::RaiseCantFetchBackwards() {
    RaiseProviderErrors(
        connection->Errors(),
        {Error(err::CantFetchBackwards,
               QStringLiteral("El conjunto de filas no admite la recuperación hacia atrás."),
               QStringLiteral("HY106"), 0, connection->Provider())});
}

}  // namespace ado
