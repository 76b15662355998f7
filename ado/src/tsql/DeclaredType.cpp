#include "DeclaredType.h"

#include <QRegularExpression>
#include <limits>

namespace ado {

namespace {

constexpr int32_t kLongText = std::numeric_limits<int32_t>::max();
constexpr int32_t kLongWideText = kLongText / 2;

struct TypeRow {
    const char* name;
    int type;
    int32_t size;  // fixed size, or the default length of a sized type
    ValueKind kind;
    bool sized;  // takes a length in parentheses
};

// SQL Server type names with the ADO type and defined size its provider reports.
constexpr TypeRow kTypes[] = {
    {"int", adInteger, 4, ValueKind::Integer, false},
    {"integer", adInteger, 4, ValueKind::Integer, false},
    {"smallint", adSmallInt, 2, ValueKind::Integer, false},
    {"tinyint", adUnsignedTinyInt, 1, ValueKind::Integer, false},
    {"bigint", adBigInt, 8, ValueKind::BigInt, false},
    {"bit", adBoolean, 2, ValueKind::Boolean, false},
    {"boolean", adBoolean, 2, ValueKind::Boolean, false},
    {"real", adSingle, 4, ValueKind::Double, false},
    {"float", adDouble, 8, ValueKind::Double, false},
    {"double", adDouble, 8, ValueKind::Double, false},
    {"double precision", adDouble, 8, ValueKind::Double, false},
    {"money", adCurrency, 8, ValueKind::Currency, false},
    {"smallmoney", adCurrency, 8, ValueKind::Currency, false},
    {"datetime", adDBTimeStamp, 16, ValueKind::Date, false},
    {"datetime2", adDBTimeStamp, 16, ValueKind::Date, false},
    {"smalldatetime", adDBTimeStamp, 16, ValueKind::Date, false},
    {"timestamp", adDBTimeStamp, 16, ValueKind::Date, false},
    {"date", adDBDate, 6, ValueKind::Date, false},
    {"time", adDBTime, 6, ValueKind::Date, false},
    {"char", adChar, 1, ValueKind::Text, true},
    {"character", adChar, 1, ValueKind::Text, true},
    {"varchar", adVarChar, 1, ValueKind::Text, true},
    {"character varying", adVarChar, 1, ValueKind::Text, true},
    {"nchar", adWChar, 1, ValueKind::Text, true},
    {"nvarchar", adVarWChar, 1, ValueKind::Text, true},
    {"text", adLongVarChar, kLongText, ValueKind::Text, false},
    {"clob", adLongVarChar, kLongText, ValueKind::Text, false},
    {"ntext", adLongVarWChar, kLongWideText, ValueKind::Text, false},
    {"sysname", adVarWChar, 128, ValueKind::Text, false},
    {"uniqueidentifier", adGUID, 16, ValueKind::Text, false},
    {"binary", adBinary, 1, ValueKind::Binary, true},
    {"varbinary", adVarBinary, 1, ValueKind::Binary, true},
    {"image", adLongVarBinary, kLongText, ValueKind::Binary, false},
    {"blob", adLongVarBinary, kLongText, ValueKind::Binary, false},
};

DeclaredType Numeric(int precision, int scale) {
    DeclaredType result;
    result.info.type = adNumeric;
    result.info.definedSize = 19;
    result.info.precision = precision;
    result.info.numericScale = scale;
    result.kind = ValueKind::Double;
    return result;
}

// A "max" length makes the long form of the type.
DeclaredType LongForm(const TypeRow& row) {
    DeclaredType result;
    const bool wide = row.type == adVarWChar || row.type == adWChar;
    const bool binary = row.kind == ValueKind::Binary;
    result.info.type = binary ? adLongVarBinary : (wide ? adLongVarWChar : adLongVarChar);
    result.info.definedSize = wide ? kLongWideText : kLongText;
    result.kind = row.kind;
    return result;
}

DeclaredType Lookup(const QString& name, const QString& length, const QString& scale) {
    if (name == QLatin1String("decimal") || name == QLatin1String("numeric")) {
        const int precision = length.isEmpty() ? 18 : length.toInt();
        return Numeric(precision, scale.toInt());
    }
    // float(n) up to 24 bits of mantissa is SQL Server's real.
    if (name == QLatin1String("float") && !length.isEmpty() && length.toInt() <= 24) {
        return Lookup(QStringLiteral("real"), QString(), QString());
    }
    for (const TypeRow& row : kTypes) {
        if (name != QLatin1String(row.name)) {
            continue;
        }
        if (row.sized && length.compare(QLatin1String("max"), Qt::CaseInsensitive) == 0) {
            return LongForm(row);
        }
        DeclaredType result;
        result.info.type = row.type;
        result.info.definedSize = row.sized && !length.isEmpty() ? length.toInt() : row.size;
        result.kind = row.kind;
        return result;
    }
    return {};
}

}  // namespace

DeclaredType DeclaredTypeOf(const QString& declaration) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*([A-Za-z_]\w*(?:\s+[A-Za-z_]\w*)*)\s*(?:\(\s*(\w*)\s*(?:,\s*(\d+)\s*)?\))?)"));
    const QRegularExpressionMatch match = pattern.match(declaration);
    if (!match.hasMatch()) {
        return {};
    }
    const QString name = match.captured(1).toLower();
    DeclaredType result = Lookup(name, match.captured(2), match.captured(3));
    // "int IDENTITY(1,1)" and the like: the first word names the type.
    const qsizetype space = name.indexOf(QLatin1Char(' '));
    if (result.kind == ValueKind::Any && space > 0) {
        result = Lookup(name.left(space), QString(), QString());
    }
    return result;
}

}  // namespace ado
