#include <gtest/gtest.h>

#include "Printers.h"

#include "DeclaredType.h"

namespace {

struct TypeCase {
    const char* name;
    const char* declaration;
    int type;
    int32_t definedSize;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.declaration;
}

class DeclaredTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DeclaredTypeTest, ReportsTypeAndSizeAsSqlServer) {
    const ado::DeclaredType type = ado::DeclaredTypeOf(QString::fromUtf8(GetParam().declaration));
    EXPECT_EQ(type.info.type, GetParam().type);
    EXPECT_EQ(type.info.definedSize, GetParam().definedSize);
}

INSTANTIATE_TEST_SUITE_P(
    SqlServerTypes, DeclaredTypeTest,
    ::testing::ValuesIn(std::vector<TypeCase>{
        TypeCase{"int", "int", ado::adInteger, 4},
        TypeCase{"INTEGER_Upper", "INTEGER", ado::adInteger, 4},
        TypeCase{"smallint", "smallint", ado::adSmallInt, 2},
        TypeCase{"tinyint", "tinyint", ado::adUnsignedTinyInt, 1},
        TypeCase{"bigint", "bigint", ado::adBigInt, 8},
        TypeCase{"bit", "bit", ado::adBoolean, 2},
        TypeCase{"real", "real", ado::adSingle, 4},
        TypeCase{"float", "float", ado::adDouble, 8},
        TypeCase{"float_10", "float(10)", ado::adSingle, 4},
        TypeCase{"money", "money", ado::adCurrency, 8},
        TypeCase{"decimal_12_2", "decimal(12, 2)", ado::adNumeric, 19},
        TypeCase{"NUMERIC_Upper", "NUMERIC", ado::adNumeric, 19},
        TypeCase{"datetime", "datetime", ado::adDBTimeStamp, 16},
        TypeCase{"char_3", "char(3)", ado::adChar, 3},
        TypeCase{"char", "char", ado::adChar, 1},
        TypeCase{"varchar_40", "varchar(40)", ado::adVarChar, 40},
        TypeCase{"VarChar_40_Spaced", "VarChar ( 40 )", ado::adVarChar, 40},
        TypeCase{"nvarchar_100", "nvarchar(100)", ado::adVarWChar, 100},
        TypeCase{"nchar_2", "nchar(2)", ado::adWChar, 2},
        TypeCase{"varchar_max", "varchar(max)", ado::adLongVarChar, 2147483647},
        TypeCase{"nvarchar_MAX_Upper", "nvarchar(MAX)", ado::adLongVarWChar, 1073741823},
        TypeCase{"text", "text", ado::adLongVarChar, 2147483647},
        TypeCase{"ntext", "ntext", ado::adLongVarWChar, 1073741823},
        TypeCase{"uniqueidentifier", "uniqueidentifier", ado::adGUID, 16},
        TypeCase{"varbinary_16", "varbinary(16)", ado::adVarBinary, 16},
        TypeCase{"image", "image", ado::adLongVarBinary, 2147483647},
    }),
    CaseName());

TEST(DeclaredType, NumericKeepsPrecisionAndScale) {
    const ado::DeclaredType type = ado::DeclaredTypeOf(QStringLiteral("decimal(12,2)"));
    EXPECT_EQ(type.info.precision, 12);
    EXPECT_EQ(type.info.numericScale, 2);
}

TEST(DeclaredType, UnknownOrMissingDeclarationReadsValuesAsStored) {
    EXPECT_EQ(ado::DeclaredTypeOf(QString()).kind, ado::ValueKind::Any);
    EXPECT_EQ(ado::DeclaredTypeOf(QStringLiteral("geography")).kind, ado::ValueKind::Any);
}

}  // namespace
