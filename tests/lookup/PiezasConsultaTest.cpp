// Stock colours, quantity cells and the shortage statement, without a window.
#include <gtest/gtest.h>

#include "CantidadConsulta.h"
#include "CasoNombrado.h"
#include "FaltanteConsulta.h"
#include "Regional.h"
#include "SqliteDb.h"
#include "StockConsulta.h"

namespace {

using lookuptest::PrintTo;

rt::Currency Cur(double value) {
    return rt::Currency::FromDouble(value);
}

struct NivelCase {
    const char* name;
    double puntoPedido;
    double stock;
    int nivel;
};

class NivelStockTest : public ::testing::TestWithParam<NivelCase> {};

TEST_P(NivelStockTest, GivesTheLevel) {
    EXPECT_EQ(lookup::NivelStock(Cur(GetParam().puntoPedido), Cur(GetParam().stock)),
              GetParam().nivel);
}

INSTANTIATE_TEST_SUITE_P(Cases, NivelStockTest,
                         ::testing::Values(NivelCase{"NoPointStockOnHand", 0, 5, 1},
                                           NivelCase{"AboveThePoint", 10, 12, 2},
                                           NivelCase{"BelowThePoint", 10, 7, 3},
                                           NivelCase{"AtThePoint", 10, 10, 4},
                                           NivelCase{"NoPointNoStock", 0, 0, 4},
                                           NivelCase{"NoPointNegativeStock", 0, -2, 4},
                                           NivelCase{"NegativePoint", -1, 5, 4}),
                         CaseName());

struct ColorCase {
    const char* name;
    rt::Variant valor;
    std::optional<QColor> color;
};

class ColorConfiguradoTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorConfiguradoTest, ReadsRedGreenBlue) {
    EXPECT_EQ(lookup::ColorConfigurado(GetParam().valor), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorConfiguradoTest,
    ::testing::Values(ColorCase{"PureRed", rt::Variant("255"), QColor(255, 0, 0)},
                      ColorCase{"PureBlue", rt::Variant("16711680"), QColor(0, 0, 255)},
                      ColorCase{"Mixed", rt::Variant(65280 + 0x40), QColor(0x40, 255, 0)},
                      ColorCase{"Black", rt::Variant(0), QColor(0, 0, 0)},
                      ColorCase{"Blanks", rt::Variant(" 255 "), QColor(255, 0, 0)},
                      ColorCase{"NotANumber", rt::Variant("rojo"), std::nullopt},
                      ColorCase{"Negative", rt::Variant("-1"), std::nullopt},
                      ColorCase{"BeyondWhite", rt::Variant("16777216"), std::nullopt},
                      ColorCase{"Null", rt::Variant::Null(), std::nullopt},
                      ColorCase{"Empty", rt::Variant(), std::nullopt}),
    CaseName());

TEST(CantidadConsultaTest, FormatsWithTheUsersSeparator) {
    EXPECT_EQ(lookup::FormatoCantidad(12, 2), Regional("12,00"));
    EXPECT_EQ(lookup::FormatoCantidad(3, 1), Regional("3,0"));
    EXPECT_EQ(lookup::FormatoCantidad(1234567, 2), Regional("1234567,00"))
        << "no thousands separator";
    EXPECT_EQ(lookup::FormatoCantidad(0, 2), Regional("0,00"));
    EXPECT_EQ(lookup::FormatoCantidad(-2, 1), Regional("-2,0"));
}

TEST(CantidadConsultaTest, KeysReadThePeriodOnly) {
    EXPECT_EQ(lookup::ValorCantidad("0.00"), 0);
    EXPECT_EQ(lookup::ValorCantidad("2,5"), 2) << "a comma ends the number";
    EXPECT_EQ(lookup::ValorCantidad("2.5"), 2.5);
    EXPECT_EQ(lookup::ValorCantidad("cinco"), 0);
}

TEST(CantidadConsultaTest, AChoiceReadsTheCellAsWritten) {
    EXPECT_EQ(lookup::CantidadElegida(Regional("12,50")), 12.5);
    EXPECT_EQ(lookup::CantidadElegida(Regional("3,0")), 3);
    EXPECT_EQ(lookup::CantidadElegida("12.5"), 12.5) << "the period is read in every locale";
    EXPECT_EQ(lookup::CantidadElegida("0.00"), 0);
    EXPECT_EQ(lookup::CantidadElegida("7"), 7);
    EXPECT_EQ(lookup::CantidadElegida(""), 0);
}

TEST(FaltanteConsultaTest, Question) {
    EXPECT_EQ(lookup::PreguntaFaltante("  A01 ", " Tornillo "),
              "Desea informar el articulo A01 Tornillo\r\ncomo un faltante de stock?");
    EXPECT_EQ(lookup::kTituloFaltante, QString::fromUtf8("Atención!"));
}

TEST(FaltanteConsultaTest, Statement) {
    EXPECT_EQ(lookup::SentenciaFaltante("01/02/2024 10:11:12", "A01", " Tornillo ", "ana"),
              "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
              "values('01/02/2024 10:11:12','A01','Tornillo','ana')");
}

TEST(FaltanteConsultaTest, TheIdIsFittedTo25Characters) {
    const QString id = QString(30, QLatin1Char('X'));
    EXPECT_TRUE(lookup::SentenciaFaltante("f", id, "d", "u")
                    .contains(QStringLiteral("','") + QString(25, QLatin1Char('X')) + "','"));
}

TEST(FaltanteConsultaTest, QuotesStayInsideTheirValues) {
    EXPECT_EQ(lookup::SentenciaFaltante("f", "A'1", "Llave 1/2' '); DROP TABLE X; --", "O'Neil"),
              "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
              "values('f','A''1','Llave 1/2'' ''); DROP TABLE X; --','O''Neil')");
}

}  // namespace
