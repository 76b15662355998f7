#include "OdbcTypes.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <limits>

namespace ado {

namespace {

constexpr int32_t kLongText = std::numeric_limits<int32_t>::max();
constexpr int32_t kLongWideText = kLongText / 2;
// Longer than this a character column is a (max) one.
constexpr SQLULEN kLongestSized = 8000;

DeclaredType Make(int type, int32_t size, ValueKind kind) {
    DeclaredType result;
    result.info.type = type;
    result.info.definedSize = size;
    result.kind = kind;
    return result;
}

bool IsLong(SQLULEN size) {
    return size == 0 || size > kLongestSized;
}

int32_t Size(SQLULEN size) {
    return static_cast<int32_t>(std::min<SQLULEN>(size, static_cast<SQLULEN>(kLongText)));
}

DeclaredType Sized(int type, int longType, int32_t longSize, SQLULEN size, ValueKind kind) {
    return IsLong(size) ? Make(longType, longSize, kind) : Make(type, Size(size), kind);
}

}  // namespace

DeclaredType OdbcColumnType(SQLSMALLINT sqlType, SQLULEN columnSize, SQLSMALLINT decimalDigits,
                            const QString& typeName) {
    switch (sqlType) {
        case SQL_CHAR:
            return Make(adChar, Size(columnSize), ValueKind::Text);
        case SQL_VARCHAR:
            return Sized(adVarChar, adLongVarChar, kLongText, columnSize, ValueKind::Text);
        case SQL_LONGVARCHAR:
            return Make(adLongVarChar, kLongText, ValueKind::Text);
        case SQL_WCHAR:
            return Make(adWChar, Size(columnSize), ValueKind::Text);
        case SQL_WVARCHAR:
            return Sized(adVarWChar, adLongVarWChar, kLongWideText, columnSize, ValueKind::Text);
        case SQL_WLONGVARCHAR:
            return Make(adLongVarWChar, kLongWideText, ValueKind::Text);
        case SQL_DECIMAL:
        case SQL_NUMERIC: {
            if (typeName.startsWith(QLatin1String("money"), Qt::CaseInsensitive) ||
                typeName.startsWith(QLatin1String("smallmoney"), Qt::CaseInsensitive)) {
                return Make(adCurrency, 8, ValueKind::Currency);
            }
            DeclaredType result = Make(adNumeric, 19, ValueKind::Double);
            result.info.precision = static_cast<int>(columnSize);
            result.info.numericScale = decimalDigits;
            return result;
        }
        case SQL_INTEGER:
            return Make(adInteger, 4, ValueKind::Integer);
        case SQL_SMALLINT:
            return Make(adSmallInt, 2, ValueKind::Integer);
        case SQL_TINYINT:
            return Make(adUnsignedTinyInt, 1, ValueKind::Integer);
        case SQL_BIGINT:
            return Make(adBigInt, 8, ValueKind::BigInt);
        case SQL_BIT:
            return Make(adBoolean, 2, ValueKind::Boolean);
        case SQL_REAL:
            return Make(adSingle, 4, ValueKind::Double);
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return Make(adDouble, 8, ValueKind::Double);
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return Make(adDBDate, 6, ValueKind::Date);
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return Make(adDBTime, 6, ValueKind::Text);
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return Make(adDBTimeStamp, 16, ValueKind::Date);
        case SQL_GUID:
            return Make(adGUID, 16, ValueKind::Text);
        case SQL_BINARY:
            return Make(adBinary, Size(columnSize), ValueKind::Binary);
        case SQL_VARBINARY:
            return Sized(adVarBinary, adLongVarBinary, kLongText, columnSize, ValueKind::Binary);
        case SQL_LONGVARBINARY:
            return Make(adLongVarBinary, kLongText, ValueKind::Binary);
        default:
            return Make(adVarWChar, IsLong(columnSize) ? 4000 : Size(columnSize), ValueKind::Any);
    }
}

}  // namespace ado
