#include <gtest/gtest.h>

#include "BusquedaConsulta.h"
#include "CasoNombrado.h"
#include "SqliteDb.h"

namespace {

using lookuptest::PrintTo;

struct TablaCase {
    const char* name;
    const char* sql;
    const char* tabla;
};

class TablaDeSentenciaTest : public ::testing::TestWithParam<TablaCase> {};

TEST_P(TablaDeSentenciaTest, TakesTheFirstWordAfterFrom) {
    EXPECT_EQ(lookup::TablaDeSentencia(QString::fromUtf8(GetParam().sql)),
              QString::fromUtf8(GetParam().tabla));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TablaDeSentenciaTest,
    ::testing::Values(
        TablaCase{"LastWord", "select a from V_MA_ARTICULOS ", "V_MA_ARTICULOS"},
        TablaCase{"LastWordWithoutBlank", "select a from V_MA_ARTICULOS", "V_MA_ARTICULOS"},
        TablaCase{"FollowedByWhere", "SELECT TOP 10 A FROM  MA_ZONAS WHERE X = 1 ", ""},
        TablaCase{"OneBlank", "SELECT TOP 10 A FROM MA_ZONAS WHERE X = 1 ", "MA_ZONAS"},
        TablaCase{"MixedCase", "Select * From Stk_Ma_Articulos order by 1 ", "Stk_Ma_Articulos"},
        TablaCase{"NoFrom", "select 1 ", ""}),
    CaseName());

struct BusquedaCase {
    const char* name;
    const char* sql;
    const char* sqlActual;
    const char* campo;
    const char* texto;
    bool contiene;
    const char* nueva;
    const char* ordenPor;
    const char* textoCaja;
};

class ArmarBusquedaTest : public ::testing::TestWithParam<BusquedaCase> {};

TEST_P(ArmarBusquedaTest, AddsTheLikeCondition) {
    const BusquedaCase& c = GetParam();
    const lookup::BusquedaArmada b =
        lookup::ArmarBusqueda(QString::fromUtf8(c.sql), QString::fromUtf8(c.sqlActual),
                              QString::fromUtf8(c.campo), QString::fromUtf8(c.texto), c.contiene);
    EXPECT_EQ(b.sql, QString::fromUtf8(c.nueva));
    EXPECT_EQ(b.ordenPor, QString::fromUtf8(c.ordenPor));
    EXPECT_EQ(b.textoCaja, QString::fromUtf8(c.textoCaja));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArmarBusquedaTest,
    ::testing::Values(
        BusquedaCase{"OrderByKept", "select Codigo, Nombre from V_MA_ARTICULOS order by Nombre ",
                     "select Codigo, Nombre from V_MA_ARTICULOS order by Nombre ", "Nombre",
                     "MART*A", false,
                     "select Codigo, Nombre from V_MA_ARTICULOS  where Nombre like 'MART%A%' "
                     "order by Nombre ",
                     "order by Nombre ", "MART%A"},
        BusquedaCase{"SecondSearchJoinsWithAnd",
                     "select Codigo, Nombre from V_MA_ARTICULOS  where Nombre like 'MART%A%' "
                     "order by Nombre  ",
                     "x", "Codigo", "10", false,
                     "select Codigo, Nombre from V_MA_ARTICULOS  where Nombre like 'MART%A%'  and "
                     "Codigo like '10%' order by Nombre  ",
                     "order by Nombre  ", "10"},
        BusquedaCase{"WhereWithoutOrderBy", "select * from T where a = 1 ",
                     "select * from T where a = 1 ", "Nombre", "x", false,
                     "select * from T where a = 1  and Nombre like 'x%' ", "", "x"},
        BusquedaCase{"NoWhere", "select * from T ", "select * from T ", "Nombre", "x", false,
                     "select * from T  where Nombre like 'x%' ", "", "x"},
        BusquedaCase{"ContainsForm", "select * from T ", "select * from T ", "Codigo", "10", true,
                     "select * from T  where Codigo like '%10%' ", "", "10"},
        BusquedaCase{"ContainsFormKeepsStar", "select * from T ", "select * from T ", "Codigo",
                     "1*0", true, "select * from T  where Codigo like '%1*0%' ", "", "1*0"},
        BusquedaCase{"StarsAsWildcards", "select * from T ", "select * from T ", "Codigo", "1*0",
                     false, "select * from T  where Codigo like '1%0%' ", "", "1%0"},
        BusquedaCase{"ArticlesViewPrefix", "select v_ma_articulos.Codigo from v_ma_articulos, x ",
                     "select v_ma_articulos.Codigo from v_ma_articulos, x ", "Codigo", "A", false,
                     "select v_ma_articulos.Codigo from v_ma_articulos, x  where "
                     "v_ma_articulos.Codigo like 'A%' ",
                     "", "A"},
        BusquedaCase{"StockViewPrefix", "select STK_MA_ARTICULOS.Codigo from STK_MA_ARTICULOS ",
                     "select STK_MA_ARTICULOS.Codigo from STK_MA_ARTICULOS ", "Codigo", "A", false,
                     "select STK_MA_ARTICULOS.Codigo from STK_MA_ARTICULOS  where "
                     "stk_ma_articulos.Codigo like 'A%' ",
                     "", "A"},
        BusquedaCase{"OrderWithoutOrderByKeepsTheBase", "select ORDERNUM from T ",
                     "select ORDERNUM from T", "ORDERNUM", "5", false,
                     "select ORDERNUM from T where ORDERNUM like '5%' ", "", "5"},
        BusquedaCase{"QuoteStaysInsideThePattern", "select * from T ", "select * from T ", "Nombre",
                     "O'Brien' or 1=1 --", false,
                     "select * from T  where Nombre like 'O''Brien'' or 1=1 --%' ", "",
                     "O'Brien' or 1=1 --"},
        BusquedaCase{"QuoteInContainsForm", "select * from T ", "select * from T ", "Nombre", "D'A",
                     true, "select * from T  where Nombre like '%D''A%' ", "", "D'A"}),
    CaseName());

struct ArbolCase {
    const char* name;
    const char* sql;
    const char* texto;
    const char* nueva;
    const char* ordenPor;
};

class ArmarBusquedaArbolTest : public ::testing::TestWithParam<ArbolCase> {};

TEST_P(ArmarBusquedaArbolTest, AddsTheContainsCondition) {
    const ArbolCase& c = GetParam();
    const lookup::BusquedaArmada b = lookup::ArmarBusquedaArbol(
        QString::fromUtf8(c.sql), QStringLiteral("Descripcion"), QString::fromUtf8(c.texto));
    EXPECT_EQ(b.sql, QString::fromUtf8(c.nueva));
    EXPECT_EQ(b.ordenPor, QString::fromUtf8(c.ordenPor));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArmarBusquedaArbolTest,
    ::testing::Values(
        ArbolCase{"NoWhereNoOrder", "SELECT C, D FROM F", "cla",
                  "SELECT C, D FROM F where Descripcion like '%cla%' ", ""},
        ArbolCase{"OrderByKeptAtTheEnd", "SELECT C, D FROM F ORDER BY C", "cla",
                  "SELECT C, D FROM F  where Descripcion like '%cla%' ORDER BY C", "ORDER BY C"},
        ArbolCase{"WhereJoinsWithAnd", "SELECT C, D FROM F WHERE X = 1 order by C", "a",
                  "SELECT C, D FROM F WHERE X = 1  and Descripcion like '%a%' order by C",
                  "order by C"},
        ArbolCase{"OrderWithoutOrderBy", "SELECT ORDEN, D FROM F", "a",
                  "SELECT ORDEN, D FROM F where Descripcion like '%a%' ", ""},
        ArbolCase{"StarStaysAsTyped", "SELECT C, D FROM F", "a*b",
                  "SELECT C, D FROM F where Descripcion like '%a*b%' ", ""},
        ArbolCase{"NoArticlesPrefix", "SELECT v_ma_articulos.C, D FROM v_ma_articulos", "a",
                  "SELECT v_ma_articulos.C, D FROM v_ma_articulos where Descripcion like '%a%' ",
                  ""},
        ArbolCase{"QuoteStaysInsideThePattern", "SELECT C, D FROM F", "O'Higgins' or 1=1 --",
                  "SELECT C, D FROM F where Descripcion like '%O''Higgins'' or 1=1 --%' ", ""}),
    CaseName());

}  // namespace
