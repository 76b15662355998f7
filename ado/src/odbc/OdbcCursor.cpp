#include "OdbcCursor.h"

#include <QDateTime>
#include <QRegularExpression>

#include "OdbcTypes.h"
#include "ProviderErrors.h"
#include "ProviderFailure.h"

namespace ado {

namespace {

constexpr SQLLEN kChunk = 4096;  // characters read per SQLGetData call

// Drivers may quote connection attributes in their messages; passwords never go further.
QString WithoutPasswords(QString message) {
    static const QRegularExpression password(QStringLiteral(R"(\b(PWD|Password)\s*=\s*[^;]*)"),
                                             QRegularExpression::CaseInsensitiveOption);
    return message.replace(password, QStringLiteral("\\1=***"));
}

}  // namespace

std::vector<Error> OdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle,
                                   const QString& source) {
    std::vector<Error> errors;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(1024);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                      static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            message.resize(static_cast<size_t>(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc)) {
            break;
        }
        const QString sqlState = FromWide(state, 5);
        const QString text = WithoutPasswords(
            FromWide(message.data(), std::min<qsizetype>(length, message.size() - 1)));
        errors.emplace_back(ErrorNumberForSqlState(sqlState), text, sqlState, native, source);
    }
    return errors;
}

void RaiseOdbcError(SQLSMALLINT handleType, SQLHANDLE handle, Errors& errors,
                    const QString& source) {
    RaiseProviderErrors(errors, OdbcDiagnostics(handleType, handle, source));
}

OdbcCursor::OdbcCursor(OdbcStatement statement, QString text, Errors& errors, QString source)
    : statement_(std::move(statement)),
      text_(std::move(text)),
      errors_(errors),
      source_(std::move(source)),
      buffer_(kChunk + 1) {
    DescribeColumns();
}

void OdbcCursor::Check(SQLRETURN rc) {
    if (!SQL_SUCCEEDED(rc)) {
        RaiseOdbcError(SQL_HANDLE_STMT, statement_.get(), errors_, source_);
    }
}

void OdbcCursor::DescribeColumns() {
    SQLSMALLINT count = 0;
    Check(SQLNumResultCols(statement_.get(), &count));
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT sqlType = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        Check(SQLDescribeColW(statement_.get(), i, name, 256, &nameLength, &sqlType, &size, &digits,
                              &nullable));
        SQLWCHAR typeName[128] = {};
        SQLSMALLINT typeNameBytes = 0;
        SQLColAttributeW(statement_.get(), i, SQL_DESC_TYPE_NAME, typeName, sizeof(typeName),
                         &typeNameBytes, nullptr);
        DeclaredType type = OdbcColumnType(
            sqlType, size, digits, FromWide(typeName, std::min<qsizetype>(typeNameBytes / 2, 127)));
        type.info.name = FromWide(name, std::min<qsizetype>(nameLength, 255));
        columns_.push_back(type.info);
        kinds_.push_back(type.kind);
    }
}

bool OdbcCursor::Fetch(rt::Variant* values) {
    if (done_) {
        return false;
    }
    const SQLRETURN rc = SQLFetch(statement_.get());
    if (rc == SQL_NO_DATA) {
        done_ = true;
        // A finished result frees the connection for the next statement.
        SQLCloseCursor(statement_.get());
        return false;
    }
    Check(rc);
    for (size_t i = 0; i < kinds_.size(); ++i) {
        values[i] = ReadValue(static_cast<SQLUSMALLINT>(i + 1), kinds_[i]);
    }
    return true;
}

void OdbcCursor::Restart() {
    SQLCloseCursor(statement_.get());
    Check(SQLExecDirectW(statement_.get(), Wide(text_), SQL_NTS));
    done_ = false;
}

rt::Variant OdbcCursor::ReadValue(SQLUSMALLINT column, ValueKind kind) {
    SQLLEN indicator = 0;
    SQLHSTMT statement = statement_.get();
    switch (kind) {
        case ValueKind::Integer:
        case ValueKind::BigInt: {
            SQLBIGINT value = 0;
            Check(SQLGetData(statement, column, SQL_C_SBIGINT, &value, 0, &indicator));
            if (indicator == SQL_NULL_DATA) {
                return rt::Variant::Null();
            }
            const bool fits =
                kind == ValueKind::Integer && value >= INT32_MIN && value <= INT32_MAX;
            return fits ? rt::Variant(static_cast<int>(value))
                        : rt::Variant(static_cast<int64_t>(value));
        }
        case ValueKind::Boolean: {
            unsigned char value = 0;
            Check(SQLGetData(statement, column, SQL_C_BIT, &value, 0, &indicator));
            return indicator == SQL_NULL_DATA ? rt::Variant::Null() : rt::Variant(value != 0);
        }
        case ValueKind::Double:
        case ValueKind::Currency: {
            double value = 0;
            Check(SQLGetData(statement, column, SQL_C_DOUBLE, &value, 0, &indicator));
            if (indicator == SQL_NULL_DATA) {
                return rt::Variant::Null();
            }
            return kind == ValueKind::Currency ? rt::Variant(rt::Currency::FromDouble(value))
                                               : rt::Variant(value);
        }
        case ValueKind::Date: {
            SQL_TIMESTAMP_STRUCT value = {};
            Check(SQLGetData(statement, column, SQL_C_TYPE_TIMESTAMP, &value, 0, &indicator));
            if (indicator == SQL_NULL_DATA) {
                return rt::Variant::Null();
            }
            const QDate date(value.year, value.month, value.day);
            const QTime time(value.hour, value.minute, value.second,
                             static_cast<int>(value.fraction / 1000000));
            return rt::Variant(QDateTime(date, time));
        }
        case ValueKind::Binary:
            return ReadBinary(column);
        default:
            return ReadText(column);
    }
}

rt::Variant OdbcCursor::ReadText(SQLUSMALLINT column) {
    QString text;
    while (true) {
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(statement_.get(), column, SQL_C_WCHAR, buffer_.data(),
                       static_cast<SQLLEN>(buffer_.size() * sizeof(SQLWCHAR)), &indicator);
        if (rc == SQL_NO_DATA) {
            return text;
        }
        Check(rc);
        if (indicator == SQL_NULL_DATA) {
            return rt::Variant::Null();
        }
        const bool truncated = indicator == SQL_NO_TOTAL ||
                               indicator >= static_cast<SQLLEN>(buffer_.size() * sizeof(SQLWCHAR));
        const qsizetype chars =
            truncated ? static_cast<qsizetype>(buffer_.size()) - 1 : indicator / 2;
        text += FromWide(buffer_.data(), chars);
        if (!truncated) {
            return text;
        }
    }
}

rt::Variant OdbcCursor::ReadBinary(SQLUSMALLINT column) {
    QByteArray bytes;
    std::vector<char> chunk(static_cast<size_t>(kChunk));
    while (true) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(statement_.get(), column, SQL_C_BINARY, chunk.data(),
                                        static_cast<SQLLEN>(chunk.size()), &indicator);
        if (rc == SQL_NO_DATA) {
            break;
        }
        Check(rc);
        if (indicator == SQL_NULL_DATA) {
            return rt::Variant::Null();
        }
        const bool truncated = indicator == SQL_NO_TOTAL || indicator > kChunk;
        bytes.append(chunk.data(), truncated ? kChunk : indicator);
        if (!truncated) {
            break;
        }
    }
    // Binary values come through byte for byte as Latin-1 text.
    return QString::fromLatin1(bytes);
}

}  // namespace ado
