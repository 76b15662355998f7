#include "NameHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "TextCases.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

struct Classifier {
    const char* name;
    std::function<bool(const rt::Variant&)> test;
    std::set<int> codes;
};

TEST(TypeClassifiers, TrueExactlyForTheirCodes) {
    const Classifier classifiers[] = {
        {"adodate", db::adodate, {7, 133, 137, 134, 135, 64}},
        {"ADOText", db::ADOText, {8, 201, 203, 200, 202, 130}},
        {"ADONumeric", db::ADONumeric, {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17}},
        {"ADOCurrency", db::ADOCurrency, {6}},
        {"ADOBoolean", db::ADOBoolean, {11}},
    };
    for (const auto& c : classifiers) {
        for (int code = 0; code <= 300; ++code) {
            EXPECT_EQ(c.test(rt::Variant(code)), c.codes.count(code) == 1) << c.name << " " << code;
        }
        EXPECT_FALSE(c.test(rt::Variant())) << c.name;  // Empty reads as 0
    }
    EXPECT_FALSE(db::ADOText(129));
    EXPECT_FALSE(db::ADONumeric(139));
    EXPECT_TRUE(db::adodate(QStringLiteral("135")));
    EXPECT_TRUE(db::ADOCurrency(6.0));
}

TEST(TypeClassifiers, NullCode) {
    EXPECT_FALSE(db::adodate(rt::Variant::Null()));
    EXPECT_FALSE(db::ADOText(rt::Variant::Null()));
    EXPECT_FALSE(db::ADONumeric(rt::Variant::Null()));
    EXPECT_EQ(RaisedNumber([] { db::ADOCurrency(rt::Variant::Null()); }),
              rt::err::InvalidUseOfNull);
    EXPECT_EQ(RaisedNumber([] { db::ADOBoolean(rt::Variant::Null()); }), rt::err::InvalidUseOfNull);
}

TEST(NameHelpers, AddBrackets) {
    const dbtest::TextCase cases[] = {
        {"MA CLIENTES", "[MA CLIENTES]"},
        {"MA_CLIENTES", "MA_CLIENTES"},
        {"[MA CLIENTES", "[MA CLIENTES"},
        {"", ""},
    };
    dbtest::ExpectAll(db::AddBrackets, cases);
}

TEST(NameHelpers, StripBrackets) {
    const dbtest::TextCase cases[] = {
        {"[MA CLIENTES]", "MA CLIENTES"},
        {"[MA CLIENTES", "MA CLIENTE"},
        {"[]", ""},
        {"MA]", "MA]"},
        {"", ""},
    };
    dbtest::ExpectAll(db::StripBrackets, cases);
    EXPECT_EQ(RaisedNumber([] { db::StripBrackets(QStringLiteral("[")); }),
              rt::err::InvalidProcedureCall);
}

TEST(NameHelpers, StripConnect) {
    const dbtest::TextCase cases[] = {
        {"MA_CUENTAS ->cnn", "MA_CUENTAS"},
        {"MA_CUENTAS->cnn", "MA_CUENTA"},
        {"a->b", ""},
        {"MA_CUENTAS", "MA_CUENTAS"},
    };
    dbtest::ExpectAll(db::StripConnect, cases);
    EXPECT_EQ(RaisedNumber([] { db::StripConnect(QStringLiteral("->x")); }),
              rt::err::InvalidProcedureCall);
}

TEST(NameHelpers, StripOwnerAlsoChangesTheArgument) {
    QString name = QStringLiteral("dbo.MA_CUENTAS.x");
    EXPECT_EQ(db::StripOwner(name), "MA_CUENTAS.x");
    EXPECT_EQ(name, "MA_CUENTAS.x");
    QString bare = QStringLiteral("MA_CUENTAS");
    EXPECT_EQ(db::StripOwner(bare), "MA_CUENTAS");
    EXPECT_EQ(bare, "MA_CUENTAS");
}

TEST(NameHelpers, StSTF) {
    struct Case {
        const char* input;
        int part;
        const char* result;
        const char* after;
    };
    const Case cases[] = {
        {"dbo.MA_CUENTAS", 0, "dbo", "dbo.MA_CUENTAS"},
        {"dbo.MA_CUENTAS", 1, "MA_CUENTAS", "dbo.MA_CUENTAS"},
        {"MA_CUENTAS", 1, "MA_CUENTAS", "MA_CUENTAS"},
        {"base.dbo.MA_CUENTAS", 0, "dbo.MA_CUENTAS", "dbo.MA_CUENTAS"},
        {"base.dbo.MA_CUENTAS", -1, "dbo.MA_CUENTAS", "dbo.MA_CUENTAS"},
    };
    for (const auto& c : cases) {
        QString name = QString::fromLatin1(c.input);
        EXPECT_EQ(db::stSTF(name, c.part), c.result) << c.input << " " << c.part;
        EXPECT_EQ(name, c.after) << c.input << " " << c.part;
    }
    EXPECT_EQ(RaisedNumber([] {
                  QString name = QStringLiteral("MA_CUENTAS");
                  db::stSTF(name, 0);
              }),
              rt::err::InvalidProcedureCall);
}

TEST(NameHelpers, StripFileName) {
    const dbtest::TextCase cases[] = {
        {"C:\\Datos\\Ventas\\consultas.kdx", "C:\\Datos\\Ventas"},
        {"consultas.kdx", ""},
        {"\\consultas.kdx", ""},
        {"a\\", "a"},
        {"", ""},
    };
    dbtest::ExpectAll(db::StripFileName, cases);
}

}  // namespace
