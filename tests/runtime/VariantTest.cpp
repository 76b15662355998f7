#include "cheques/runtime/Variant.h"

#include <gtest/gtest.h>

#include "RaisedError.h"

#include "cheques/runtime/RuntimeError.h"

using rt::Currency;
using rt::RuntimeError;
using rt::Variant;

namespace {}  // namespace

TEST(Variant, EmptyNullTextAndZeroAreDistinct) {
    const Variant empty, null = Variant::Null(), text(""), zero(0);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(empty.IsNull());
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(null.IsEmpty());
    EXPECT_NE(empty, null);
    EXPECT_NE(empty, text);
    EXPECT_NE(empty, zero);
    EXPECT_NE(null, text);
    EXPECT_EQ(empty.VarType(), Variant::Type::Empty);
    EXPECT_EQ(null.VarType(), Variant::Type::Null);
    EXPECT_EQ(text.VarType(), Variant::Type::String);
    EXPECT_EQ(zero.VarType(), Variant::Type::Long);
    EXPECT_EQ(empty.ToString(), "");
    EXPECT_EQ(empty.ToDouble(), 0.0);
    EXPECT_EQ(null.ToText(), "");
}

TEST(Variant, ConversionErrors) {
    const Variant null = Variant::Null();
    EXPECT_EQ(RaisedNumber([&] { (void)null.ToString(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(RaisedNumber([&] { (void)null.ToLong(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(RaisedNumber([&] { (void)null.ToBool(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(RaisedNumber([] { (void)Variant("abc").ToDouble(); }), rt::err::TypeMismatch);
    EXPECT_EQ(RaisedNumber([] { (void)Variant(3e10).ToLong(); }), rt::err::Overflow);
    EXPECT_EQ(RaisedNumber([] { (void)Variant(1e300).ToCurrency(); }), rt::err::Overflow);
}

TEST(Variant, NumbersReadAndWriteInTheUsersLocale) {
    // The test programs run with Spanish (Argentina): "," is the decimal separator.
    EXPECT_DOUBLE_EQ(Variant("1,5").ToDouble(), 1.5);
    EXPECT_DOUBLE_EQ(Variant(" 1.234,5 ").ToDouble(), 1234.5);
    EXPECT_EQ(Variant(2.5).ToString(), "2,5");
    EXPECT_EQ(Variant(1234567.0).ToString(), "1234567");
    EXPECT_EQ(Variant(true).ToString(), "Verdadero");
    EXPECT_EQ(Variant(int64_t{1} << 40).ToString(), "1099511627776");
}

TEST(Variant, BooleansReadBackFromTheirSpanishAndEnglishNames) {
    for (const bool b : {true, false}) {
        EXPECT_EQ(Variant(Variant(b).ToString()).ToBool(), b) << b;
    }
    EXPECT_TRUE(Variant("TRUE").ToBool());
    EXPECT_FALSE(Variant("falso").ToBool());
}

TEST(Variant, RoundingToWholeNumbersIsHalfToEven) {
    EXPECT_EQ(Variant(2.5).ToLong(), 2);
    EXPECT_EQ(Variant(3.5).ToLong(), 4);
    EXPECT_EQ(Variant(-2.5).ToLong(), -2);
    EXPECT_EQ(Variant(true).ToLong(), -1);
}

TEST(Variant, CurrencyKeepsFourDecimals) {
    const Currency c = Variant("12,34567").ToCurrency();
    EXPECT_EQ(c.Scaled(), 123457);
    EXPECT_EQ(c.ToInvariantString(), "12.3457");
    EXPECT_EQ(Currency::FromScaled(-5).ToInvariantString(), "-0.0005");
    EXPECT_EQ(Currency::FromScaled(70000).ToInvariantString(), "7");
    EXPECT_EQ(Variant(c).VarType(), Variant::Type::Currency);
}

TEST(Variant, DatesConvertBothWays) {
    const QDate d(2026, 12, 9);
    const Variant v(d);
    EXPECT_EQ(v.VarType(), Variant::Type::Date);
    EXPECT_EQ(v.ToString(), "9/12/2026");
    EXPECT_EQ(Variant("09/12/2026").ToDate().date(), d);
    EXPECT_DOUBLE_EQ(Variant(QDate(1900, 1, 1)).ToDouble(), 2.0);
    EXPECT_EQ(Variant(2.0).ToDate().date(), QDate(1900, 1, 1));
    EXPECT_EQ(RaisedNumber([] { (void)Variant("not a date").ToDate(); }), rt::err::TypeMismatch);
}

// Rows are read into the same variants again and again; a text handed out before must not
// change when the next row is written over it.
TEST(Variant, AssignUtf8ReusesOnlyUnsharedText) {
    Variant v(QStringLiteral("abcdef"));
    const QString handedOut = v.ToString();
    v.AssignUtf8("xy", 2);
    EXPECT_EQ(handedOut, "abcdef");
    EXPECT_EQ(v, Variant("xy"));
    v.AssignUtf8("hi", 2);
    EXPECT_EQ(v, Variant("hi"));
    const QByteArray accented = QStringLiteral("Peña").toUtf8();
    v.AssignUtf8(accented.constData(), accented.size());
    EXPECT_EQ(v, Variant(QStringLiteral("Peña")));
    Variant number(7);
    number.AssignUtf8("12345", 5);
    EXPECT_EQ(number, Variant("12345"));
}
