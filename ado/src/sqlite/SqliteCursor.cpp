#include "SqliteCursor.h"

#include <QDateTime>
#include <limits>

#include "ProviderFailure.h"
#include "SqliteErrors.h"

namespace ado {

namespace {

// Two-digit and four-digit fields of a date text, -1 when not digits.
int Digits(const char* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

QDateTime ParseDate(const char* text, int length) {
    const bool dashed = length >= 10 && text[4] == '-' && text[7] == '-';
    const bool compact = !dashed && length >= 8 && Digits(text, 8) >= 0;
    if (!dashed && !compact) {
        return {};
    }
    const QDate date(Digits(text, 4), Digits(text + (dashed ? 5 : 4), 2),
                     Digits(text + (dashed ? 8 : 6), 2));
    int at = dashed ? 10 : 8;
    if (at == length) {
        return date.isValid() ? date.startOfDay() : QDateTime();
    }
    if ((text[at] != ' ' && text[at] != 'T') || length < at + 6 || text[at + 3] != ':') {
        return {};
    }
    const int hour = Digits(text + at + 1, 2);
    const int minute = Digits(text + at + 4, 2);
    int second = 0;
    int millisecond = 0;
    at += 6;
    if (at + 3 <= length && text[at] == ':') {
        second = Digits(text + at + 1, 2);
        at += 3;
        if (at < length && text[at] == '.') {
            int digits = 0;
            for (++at; at < length && digits < 3 && text[at] >= '0' && text[at] <= '9'; ++at) {
                millisecond = millisecond * 10 + (text[at] - '0');
                ++digits;
            }
            for (; digits < 3; ++digits) {
                millisecond *= 10;
            }
        }
    }
    const QTime time(hour, minute, second, millisecond);
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    return QDateTime(date, time);
}

namespace {

// A date column keeps '20240115' as the number 20240115 (numeric affinity).
QDate CompactDate(sqlite3_int64 value) {
    if (value < 10000101 || value > 99991231) {
        return {};
    }
    return QDate(static_cast<int>(value / 10000), static_cast<int>(value / 100 % 100),
                 static_cast<int>(value % 100));
}

rt::Variant IntegerValue(sqlite3_int64 value, ValueKind kind) {
    switch (kind) {
        case ValueKind::Date:
            if (const QDate date = CompactDate(value); date.isValid()) {
                return rt::Variant(date);
            }
            break;
        case ValueKind::Boolean:
            return rt::Variant(value != 0);
        case ValueKind::Double:
            return rt::Variant(static_cast<double>(value));
        case ValueKind::Currency:
            if (value > std::numeric_limits<int64_t>::max() / rt::Currency::Scale ||
                value < std::numeric_limits<int64_t>::min() / rt::Currency::Scale) {
                return rt::Variant(static_cast<double>(value));
            }
            return rt::Variant(rt::Currency::FromScaled(value * rt::Currency::Scale));
        case ValueKind::BigInt:
            return rt::Variant(static_cast<int64_t>(value));
        default:
            break;
    }
    const bool fits = value >= std::numeric_limits<int32_t>::min() &&
                      value <= std::numeric_limits<int32_t>::max();
    return fits ? rt::Variant(static_cast<int>(value)) : rt::Variant(static_cast<int64_t>(value));
}

rt::Variant FloatValue(double value, ValueKind kind) {
    if (kind == ValueKind::Currency) {
        return rt::Variant(rt::Currency::FromDouble(value));
    }
    if (kind == ValueKind::Boolean) {
        return rt::Variant(value != 0.0);
    }
    return rt::Variant(value);
}

FieldInfo ExpressionInfo(int storage) {
    FieldInfo info;
    switch (storage) {
        case SQLITE_INTEGER:
            info.type = adInteger;
            info.definedSize = 4;
            break;
        case SQLITE_FLOAT:
            info.type = adDouble;
            info.definedSize = 8;
            break;
        case SQLITE_BLOB:
            info.type = adLongVarBinary;
            info.definedSize = std::numeric_limits<int32_t>::max();
            break;
        default:
            info.type = adVarWChar;
            info.definedSize = 4000;
            break;
    }
    return info;
}

}  // namespace

void RaiseSqliteError(sqlite3* db, int resultCode, Errors& errors, int line) {
    const int code = db != nullptr ? sqlite3_extended_errcode(db) : resultCode;
    const QString message =
        QString::fromUtf8(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode));
    const QString where = line > 0 ? QStringLiteral(" (line %1)").arg(line) : QString();
    RaiseProviderErrors(errors,
                        {Error(ErrorNumberForSqlite(code, message), message + where,
                               SqlStateForSqlite(code, message), code, QStringLiteral("SQLite"))});
}

SqliteCursor::SqliteCursor(sqlite3* db, SqliteStatement statement, Errors& errors)
    : db_(db), statement_(std::move(statement)), errors_(errors) {
    Step();
    DescribeColumns();
}

void SqliteCursor::Step() {
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW) {
        hasRow_ = true;
        return;
    }
    hasRow_ = false;
    done_ = true;
    if (rc != SQLITE_DONE) {
        sqlite3_reset(statement_.get());
        RaiseSqliteError(db_, rc, errors_);
    }
    // A finished statement lets go of its read lock at once.
    sqlite3_reset(statement_.get());
}

void SqliteCursor::DescribeColumns() {
    const int count = sqlite3_column_count(statement_.get());
    columns_.reserve(static_cast<size_t>(count));
    kinds_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(statement_.get(), i);
        DeclaredType type = DeclaredTypeOf(QString::fromUtf8(declared));
        const bool computed = type.kind == ValueKind::Any;
        if (computed) {
            const int storage = hasRow_ ? sqlite3_column_type(statement_.get(), i) : SQLITE_TEXT;
            type.info = ExpressionInfo(storage);
        }
        sizedByValues_.push_back(computed && type.info.type == adVarWChar);
        type.info.name = QString::fromUtf8(sqlite3_column_name(statement_.get(), i));
        columns_.push_back(type.info);
        kinds_.push_back(type.kind);
    }
}

bool SqliteCursor::Fetch(rt::Variant* values) {
    if (!hasRow_ && !done_) {
        Step();
    }
    if (!hasRow_) {
        return false;
    }
    ReadRow(values);
    hasRow_ = false;
    return true;
}

void SqliteCursor::Restart() {
    sqlite3_reset(statement_.get());
    done_ = false;
    Step();
}

void SqliteCursor::ReadRow(rt::Variant* values) const {
    static const rt::Variant null = rt::Variant::Null();
    sqlite3_stmt* statement = statement_.get();
    const int count = static_cast<int>(kinds_.size());
    for (int i = 0; i < count; ++i) {
        const ValueKind kind = kinds_[static_cast<size_t>(i)];
        // One call for the column, then the value's own accessors: the connection has no mutex
        // to take (SQLITE_OPEN_NOMUTEX), so the column's value is read as it stands.
        sqlite3_value* value = sqlite3_column_value(statement, i);
        switch (sqlite3_value_type(value)) {
            case SQLITE_NULL:
                values[i] = null;
                break;
            case SQLITE_INTEGER:
                values[i] = IntegerValue(sqlite3_value_int64(value), kind);
                break;
            case SQLITE_FLOAT:
                values[i] = FloatValue(sqlite3_value_double(value), kind);
                break;
            case SQLITE_BLOB: {
                // Binary values come through byte for byte as Latin-1 text.
                const char* bytes = static_cast<const char*>(sqlite3_value_blob(value));
                values[i] = QString::fromLatin1(bytes, sqlite3_value_bytes(value));
                break;
            }
            default: {
                const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
                const int length = sqlite3_value_bytes(value);
                if (kind == ValueKind::Date) {
                    const QDateTime date = ParseDate(text, length);
                    if (date.isValid()) {
                        values[i] = date;
                        break;
                    }
                }
                values[i].AssignUtf8(text, length);
                break;
            }
        }
    }
}

}  // namespace ado
