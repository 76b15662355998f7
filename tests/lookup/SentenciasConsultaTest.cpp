#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QFile>
#include <QStringList>

#include "CasoNombrado.h"
#include "RegistroMascara.h"
#include "SentenciasConsulta.h"
#include "SqliteDb.h"
#include "cheques/lookup/MascaraConsulta.h"

namespace {

using lookuptest::PrintTo;

using lookup::MascaraConsulta;

// ---- the caller's condition ----

struct CondicionCase {
    const char* name;
    const char* where;
    const char* expected;
};

class EnvolverCondicionTest : public ::testing::TestWithParam<CondicionCase> {};

TEST_P(EnvolverCondicionTest, WrapsOnlyAnUnparenthesisedCondition) {
    EXPECT_EQ(lookup::EnvolverCondicion(QString::fromUtf8(GetParam().where)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnvolverCondicionTest,
    ::testing::Values(CondicionCase{"Plain", "a=1", " (a=1) "},
                      CondicionCase{"Parenthesised", "(a=1)", "(a=1)"},
                      CondicionCase{"BlankBeforeParenthesis", " (a=1)", " ( (a=1)) "},
                      CondicionCase{"OneCharacter", "x", "x"},
                      CondicionCase{"OneCharacterAmongBlanks", "  x  ", "  x  "},
                      CondicionCase{"Empty", "", ""}, CondicionCase{"Blanks", "   ", "   "}),
    CaseName());

// ---- the row limit ----

struct FilasCase {
    const char* name;
    const char* stored;
    int expected;
};

class FilasConsultaTest : public ::testing::TestWithParam<FilasCase> {};

TEST_P(FilasConsultaTest, ReadsTheStoredNumber) {
    EXPECT_EQ(lookup::FilasConsulta(QString::fromUtf8(GetParam().stored)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilasConsultaTest,
    ::testing::Values(FilasCase{"MissingKey", " ", 1000}, FilasCase{"Empty", "", 1000},
                      FilasCase{"Zero", "0", 1000}, FilasCase{"NotNumeric", "muchas", 1000},
                      FilasCase{"Number", "250", 250}, FilasCase{"LeadingNumber", "300 filas", 300},
                      FilasCase{"HalfToEvenDown", "2.5", 2}, FilasCase{"HalfToEvenUp", "3.5", 4},
                      FilasCase{"BelowHalf", "0.4", 1000}, FilasCase{"BeyondLong", "1e20", 1000},
                      FilasCase{"Negative", "-5", 1000}, FilasCase{"NegativeHalf", "-0.5", 1000},
                      FilasCase{"One", "1", 1}),
    CaseName());

// ---- complete statements ----

struct CompletaCase {
    const char* name;
    const char* sql;
    bool completa;
    const char* expected;
};

class SentenciaCompletaTest : public ::testing::TestWithParam<CompletaCase> {};

TEST_P(SentenciaCompletaTest, ReadsTheArticlesThroughTheirStockView) {
    const QString sql = QString::fromUtf8(GetParam().sql);
    EXPECT_EQ(lookup::EsSentenciaCompleta(sql), GetParam().completa);
    EXPECT_EQ(lookup::SentenciaCompleta(sql), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentenciaCompletaTest,
    ::testing::Values(CompletaCase{"Articles", "select Codigo from V_MA_ARTICULOS where x = 1",
                                   true, "select Codigo from VT_MA_ARTICULOS where x = 1"},
                      CompletaCase{"ArticlesLowerCase", "Select * From v_ma_articulos", true,
                                   "Select * From VT_MA_ARTICULOS"},
                      CompletaCase{"LongerName", "select * from V_MA_ARTICULOS2", true,
                                   "select * from V_MA_ARTICULOS2"},
                      CompletaCase{"StockView", "select * from VT_MA_ARTICULOS", true,
                                   "select * from VT_MA_ARTICULOS"},
                      CompletaCase{"NameContainingSelect", "V_SELECTOS", true, "V_SELECTOS"},
                      CompletaCase{"BareName", "MA_CLIENTES", false, "MA_CLIENTES"}),
    CaseName());

// ---- masks ----

using lookuptest::RegistroMascara;

struct MascaraCase {
    const char* name;
    const char* tabla;
    const char* campos;
    const char* filtro;
    char pad;
    int filas;
    const char* campoBusqueda;
    const char* where;
    bool configurada;
    const char* sentencia;
    const char* campoResultante;
};

class SentenciaDeMascaraTest : public ::testing::TestWithParam<MascaraCase> {};

TEST_P(SentenciaDeMascaraTest, BuildsTheStatementOfTheMask) {
    const MascaraCase& c = GetParam();
    const MascaraConsulta mascara =
        lookup::DecodificarMascara(RegistroMascara(c.tabla, c.campos, c.filtro, c.pad));
    const lookup::ArmadoMascara armado = lookup::SentenciaDeMascara(
        mascara, c.filas, QString::fromUtf8(c.campoBusqueda), QString::fromUtf8(c.where));
    EXPECT_EQ(armado.configurada, c.configurada);
    EXPECT_EQ(armado.armada.sentencia, QString::fromUtf8(c.sentencia));
    EXPECT_EQ(armado.armada.campoBusqueda, QString::fromUtf8(c.campoResultante));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentenciaDeMascaraTest,
    ::testing::Values(
        MascaraCase{"CustomersLiveOnly", "VT_CLIENTES", "|CODIGO|NOMBRE|", "", ' ', 1000, "", "",
                    true,
                    "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE Dada_De_Baja = 0 "
                    "ORDER BY CODIGO",
                    "CODIGO"},
        MascaraCase{"SuppliersLowerCase", "vt_proveedores", "CODIGO,NOMBRE", "", ' ', 50, "", "",
                    true,
                    "SELECT TOP 50 CODIGO,NOMBRE FROM vt_proveedores WHERE Dada_De_Baja = 0 "
                    "ORDER BY CODIGO",
                    "CODIGO"},
        MascaraCase{"ArticlesThroughStockView", "V_MA_ARTICULOS", "|CODIGO|DESCRIPCION|", "", ' ',
                    1000, "DESCRIPCION", "", true,
                    "SELECT TOP 1000 CODIGO,DESCRIPCION FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = "
                    "0 ORDER BY DESCRIPCION",
                    "DESCRIPCION"},
        MascaraCase{"MaskFilterReplacesTheFixedOne", "V_MA_ARTICULOS", "CODIGO,DESCRIPCION",
                    "RUBRO = 3", ' ', 1000, "", " (RUBRO = 4) ", true,
                    "SELECT TOP 1000 CODIGO,DESCRIPCION FROM VT_MA_ARTICULOS WHERE RUBRO = 3 "
                    "ORDER BY CODIGO",
                    "CODIGO"},
        MascaraCase{"CallersConditionReplacesTheFixedOne", "VT_CLIENTES", "CODIGO,NOMBRE", "", ' ',
                    1000, "", " (ZONA = 2) ", true,
                    "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE  (ZONA = 2)  ORDER BY "
                    "CODIGO",
                    "CODIGO"},
        MascaraCase{"SingleColumnWithoutSearchField", "MA_RUBROS", "|CODIGO|", "", ' ', 1000, "",
                    "", false, "", ""},
        MascaraCase{"SingleColumnWithSearchField", "MA_RUBROS", "|CODIGO|", "", ' ', 1000, "CODIGO",
                    "", true, "SELECT TOP 1000 CODIGO FROM MA_RUBROS ORDER BY CODIGO", "CODIGO"},
        MascaraCase{"NoColumnsWithSearchField", "MA_RUBROS", "", "", ' ', 250, "NOMBRE", "", true,
                    "SELECT TOP 250 * FROM MA_RUBROS ORDER BY NOMBRE", "NOMBRE"},
        MascaraCase{"NoColumnsWithoutSearchField", "MA_RUBROS", "", "", ' ', 250, "", "", false, "",
                    ""},
        MascaraCase{"NulPadding", "MA_ZONAS", "|CODIGO|NOMBRE|", "ACTIVA = 1", '\0', 1000, "", "",
                    true,
                    "SELECT TOP 1000 CODIGO,NOMBRE FROM MA_ZONAS WHERE ACTIVA = 1 ORDER BY CODIGO",
                    "CODIGO"},
        MascaraCase{"HighBytePadding", "MA_ZONAS", "CODIGO,NOMBRE", "", '\xFF', 1000, "", "", true,
                    "SELECT TOP 1000 CODIGO,NOMBRE FROM MA_ZONAS ORDER BY CODIGO", "CODIGO"}),
    CaseName());

TEST(MascaraConsultaTest, DecodesWindows1252) {
    EXPECT_EQ(lookup::DesdeWindows1252("\x80 \xE9\xF1\xD1 \x93x\x94 \x81"),
              QString::fromUtf8("€ éñÑ “x” \u0081"));
}

TEST(MascaraConsultaTest, AShortRecordReadsAsPaddedWithNul) {
    const MascaraConsulta m = lookup::DecodificarMascara(QByteArray(150, 'A'));
    EXPECT_EQ(m.Texto1, QString(100, QLatin1Char('A')));
    EXPECT_EQ(m.TablaMascara, QString(50, QLatin1Char('A')) + QString(50, QChar(0)));
    EXPECT_EQ(m.CamposMascara, QString(500, QChar(0)));
    EXPECT_EQ(m.Texto5.size(), 2);
}

TEST(MascaraConsultaTest, MatchesTheTableIgnoringCaseAndPadding) {
    const MascaraConsulta m =
        lookup::DecodificarMascara(RegistroMascara("Ma_Clientes", "CODIGO,NOMBRE", "", '\0'));
    EXPECT_TRUE(lookup::MascaraCorresponde(m, "MA_CLIENTES"));
    EXPECT_TRUE(lookup::MascaraCorresponde(m, "  ma_clientes "));
    EXPECT_FALSE(lookup::MascaraCorresponde(m, "MA_CLIENTE"));
}

// ---- the mask file ----

class BuscarMascaraTest : public ::testing::Test {
  protected:
    QString Write(const QByteArray& bytes) const {
        QFile file(dir.File(QStringLiteral("mascaras.dat")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    TempDir dir;
};

TEST_F(BuscarMascaraTest, TheFirstMatchingRecordWins) {
    const QString path = Write(RegistroMascara("MA_ZONAS", "A,B", "") +
                               RegistroMascara("ma_clientes", "CODIGO,NOMBRE", "X = 1", '\0') +
                               RegistroMascara("MA_CLIENTES", "OTRO,CAMPO", ""));
    const auto found = lookup::BuscarMascara(path, "MA_CLIENTES");
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->CamposMascara.startsWith("CODIGO,NOMBRE"));
}

TEST_F(BuscarMascaraTest, ATrailingPartialRecordIsRead) {
    const QString path = Write(RegistroMascara("MA_ZONAS", "A,B", "") +
                               RegistroMascara("MA_RUBROS", "CODIGO,NOMBRE", "").left(300));
    const auto found = lookup::BuscarMascara(path, "MA_RUBROS");
    ASSERT_TRUE(found);
    EXPECT_EQ(lookup::SentenciaDeMascara(*found, 10, {}, {}).armada.sentencia,
              "SELECT TOP 10 CODIGO,NOMBRE FROM MA_RUBROS ORDER BY CODIGO");
}

TEST_F(BuscarMascaraTest, NoRecordForTheTable) {
    EXPECT_FALSE(lookup::BuscarMascara(Write(RegistroMascara("MA_ZONAS", "A,B", "")), "MA_RUBROS"));
    EXPECT_FALSE(lookup::BuscarMascara(Write({}), "MA_RUBROS"));
}

TEST_F(BuscarMascaraTest, NoFileOrNoRegularFileHoldsNoMask) {
    EXPECT_FALSE(lookup::BuscarMascara(dir.File("missing.dat"), "MA_ZONAS"));
    EXPECT_FALSE(lookup::BuscarMascara({}, "MA_ZONAS"));
    EXPECT_FALSE(lookup::BuscarMascara(dir.Path(), "MA_ZONAS")) << "a folder";
    EXPECT_FALSE(lookup::BuscarMascara(QStringLiteral("/dev/zero"), "MA_ZONAS")) << "a device";
}

TEST_F(BuscarMascaraTest, APipeDoesNotBlock) {
    const QString fifo = dir.File(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(lookup::BuscarMascara(fifo, "MA_ZONAS"));
}

// ---- the statement from a table's columns ----

struct ColumnasCase {
    const char* name;
    const char* campos;  // separated by blanks
    const char* campoBusqueda;
    const char* sentencia;
    const char* campoResultante;
};

class SentenciaDeColumnasTest : public ::testing::TestWithParam<ColumnasCase> {};

TEST_P(SentenciaDeColumnasTest, ListsTheColumnsInReverse) {
    const ColumnasCase& c = GetParam();
    const QStringList campos = QString::fromUtf8(c.campos).split(' ', Qt::SkipEmptyParts);
    const lookup::SentenciaArmada armada = lookup::SentenciaDeColumnas(
        campos, "MA_ARTICULOS", 1000, QString::fromUtf8(c.campoBusqueda));
    EXPECT_EQ(armada.sentencia, QString::fromUtf8(c.sentencia));
    EXPECT_EQ(armada.campoBusqueda, QString::fromUtf8(c.campoResultante));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentenciaDeColumnasTest,
    ::testing::Values(
        ColumnasCase{"DescriptionOrders", "ID CODIGO DESCRIPCION PRECIO", "",
                     "SELECT TOP 1000 PRECIO,DESCRIPCION,CODIGO FROM MA_ARTICULOS ORDER BY "
                     "DESCRIPCION",
                     "DESCRIPCION"},
        ColumnasCase{"FirstListedOrders", "Codigo Precio", "PRECIO",
                     "SELECT TOP 1000 Precio,Codigo FROM MA_ARTICULOS ORDER BY Codigo", "Codigo"},
        ColumnasCase{"LastDescriptiveWins", "ID Nombre Detalle Codigo", "",
                     "SELECT TOP 1000 Codigo,Detalle,Nombre FROM MA_ARTICULOS ORDER BY Detalle",
                     "Detalle"},
        ColumnasCase{"StampsSkipped", "id FechaHora_Grabacion CODIGO FECHAHORA_MODIFICACION", "",
                     "SELECT TOP 1000 CODIGO FROM MA_ARTICULOS ORDER BY CODIGO", "CODIGO"},
        ColumnasCase{"OnlySkippedColumns", "ID FECHAHORA_GRABACION", "CODIGO",
                     "SELECT TOP 1000  *  FROM MA_ARTICULOS ORDER BY CODIGO", "CODIGO"},
        ColumnasCase{"NoColumnsNoSearchField", "", "",
                     "SELECT TOP 1000  *  FROM MA_ARTICULOS ORDER BY ", ""}),
    CaseName());

TEST(SentenciaColumnasDeTest, ReadsOneRow) {
    EXPECT_EQ(lookup::SentenciaColumnasDe("MA_ZONAS"), "select top 1 * from MA_ZONAS");
}

}  // namespace
