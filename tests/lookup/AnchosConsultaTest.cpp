#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

#include "AnchosConsulta.h"
#include "CasoNombrado.h"
#include "DiscoLleno.h"
#include "EscritoresALaVez.h"
#include "Regional.h"
#include "SqliteDb.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using lookuptest::PrintTo;

struct RegistroCase {
    const char* name;
    const char* linea;
    const char* tabla;
    const char* anchos;
};

class LeerRegistroAnchosTest : public ::testing::TestWithParam<RegistroCase> {};

TEST_P(LeerRegistroAnchosTest, ReadsBothFields) {
    const lookup::RegistroAnchos r = lookup::LeerRegistroAnchos(GetParam().linea);
    EXPECT_EQ(r.tabla, QString::fromUtf8(GetParam().tabla));
    EXPECT_EQ(r.anchos, QString::fromUtf8(GetParam().anchos));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeerRegistroAnchosTest,
    ::testing::Values(RegistroCase{"Quoted", "\"V_MA_ARTICULOS\",\"1440|2880|960|\"\r\n",
                                   "V_MA_ARTICULOS", "1440|2880|960|"},
                      RegistroCase{"Unquoted", "MA_ZONAS , 1500|3000|\n", "MA_ZONAS", "1500|3000|"},
                      RegistroCase{"Mixed", "\"MA_ZONAS\",1500|", "MA_ZONAS", "1500|"},
                      RegistroCase{"CommaInsideQuotes", "\"A,B\",\"1|\"", "A,B", "1|"},
                      RegistroCase{"OneField", "\"MA_ZONAS\"\r\n", "MA_ZONAS", ""},
                      RegistroCase{"Empty", "\r\n", "", ""}),
    CaseName());

TEST(AnchosConsultaTest, WritesQuotedFieldsAndCrLf) {
    EXPECT_EQ(lookup::EscribirRegistroAnchos({"V_MA_ARTICULOS", "1440|2880|960|"}),
              "\"V_MA_ARTICULOS\",\"1440|2880|960|\"\r\n");
}

TEST(AnchosConsultaTest, WidthsTextInTheUsersFormat) {
    const std::array<double, 3> anchos{1440, 2880.5, 960};
    EXPECT_EQ(lookup::TextoAnchos(anchos), Regional("1440|2880,5|960|"));
    EXPECT_EQ(lookup::TextoAnchos({}), "");
}

struct AnchosCase {
    const char* name;
    const char* texto;
    int columnas;
    std::vector<double> anchos;
};

class AnchosDeTextoTest : public ::testing::TestWithParam<AnchosCase> {};

TEST_P(AnchosDeTextoTest, ReadsUpToTheFirstBadPiece) {
    EXPECT_EQ(lookup::AnchosDeTexto(Regional(GetParam().texto), GetParam().columnas),
              GetParam().anchos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnchosDeTextoTest,
    ::testing::Values(AnchosCase{"Whole", "1440|2880|960|", 3, {1440, 2880, 960}},
                      AnchosCase{"MoreThanColumns", "1440|2880|960|", 2, {1440, 2880}},
                      AnchosCase{"FewerThanColumns", "1500|3000|", 3, {1500, 3000}},
                      AnchosCase{"NoFinalBar", "1500|3000", 2, {1500}},
                      AnchosCase{"Decimal", "1440,5|", 1, {1440.5}},
                      AnchosCase{"NotANumber", "1440|ancho|960|", 3, {1440}},
                      AnchosCase{"Negative", "-1|", 1, {}},
                      AnchosCase{"TooWide", "99999999|", 1, {}},
                      AnchosCase{"Zero", "0|15|", 2, {0, 15}}, AnchosCase{"Empty", "", 2, {}}),
    CaseName());

TEST(AnchosConsultaTest, StockArticlesShareTheArticlesRecordOnceTheFileExists) {
    EXPECT_EQ(lookup::TablaDeAnchos("STK_MA_ARTICULOS", true), "VT_MA_ARTICULOS");
    EXPECT_EQ(lookup::TablaDeAnchos("Stk_ma_articulos", false), "Stk_ma_articulos");
    EXPECT_EQ(lookup::TablaDeAnchos("MA_ZONAS", true), "MA_ZONAS");
}

class AnchosArchivoTest : public ::testing::Test {
  protected:
    QString Kdx() const { return lookup::RutaAnchos(dir.Path()); }
    QByteArray Contents() const {
        QFile file(Kdx());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void Write(const QByteArray& bytes) const {
        QFile file(Kdx());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TempDir dir;
};

TEST_F(AnchosArchivoTest, PathsInTheFolder) {
    EXPECT_EQ(lookup::RutaAnchos("/x/y"), "/x/y/CONSULTASLEN.KDX");
    EXPECT_EQ(lookup::RutaAnchos("/x/y/"), "/x/y/CONSULTASLEN.KDX");
}

TEST_F(AnchosArchivoTest, SavingKeepsTheOtherTablesRecords) {
    Write(
        "\"MA_ZONAS\",\"100|200|\"\r\n\"ma_rubros\",\"300|\"\r\nMA_CAJAS,400|\n"
        "\"MA_RUBROS\",\"1|\"\r\n");
    lookup::GuardarAnchos(dir.Path(), {"Ma_Rubros", "1500|3000|"});
    EXPECT_EQ(Contents(),
              "\"MA_ZONAS\",\"100|200|\"\r\nMA_CAJAS,400|\r\n\"Ma_Rubros\",\"1500|3000|\"\r\n");
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"CONSULTASLEN.KDX"})
        << "no lock or temporary file is left behind";
}

TEST_F(AnchosArchivoTest, OtherRecordsAreCopiedByteForByte) {
    const QByteArray windows = "\"ZON\xC1S\",\"100|\"\r\n";  // not UTF-8
    Write(windows);
    lookup::GuardarAnchos(dir.Path(), {"MA_RUBROS", "1|"});
    EXPECT_EQ(Contents(), windows + "\"MA_RUBROS\",\"1|\"\r\n");
}

TEST_F(AnchosArchivoTest, SavingCreatesTheFolderAndTheFile) {
    const QString folder = dir.File("a/b");
    lookup::GuardarAnchos(folder, {"MA_ZONAS", "10|"});
    QFile file(lookup::RutaAnchos(folder));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "\"MA_ZONAS\",\"10|\"\r\n");
}

TEST_F(AnchosArchivoTest, AFailedSaveLeavesTheFileAsItWas) {
    Write("\"MA_ZONAS\",\"100|\"\r\n");
    // A folder in the lock file's place makes the save fail before it reads anything.
    ASSERT_TRUE(QDir().mkpath(Kdx() + ".lock"));
    try {
        lookup::GuardarAnchos(dir.Path(), {"MA_RUBROS", "1|"});
        ADD_FAILURE() << "no error raised";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 75);
        EXPECT_TRUE(e.Description().contains("CONSULTASLEN.KDX")) << e.Description().toStdString();
    }
    EXPECT_EQ(Contents(), "\"MA_ZONAS\",\"100|\"\r\n");
}

// On a full disk (no room at all, or room for the lock only) the widths of every table stay as
// they were, and the window hears of it.
class AnchosDiscoLlenoTest : public ::testing::TestWithParam<CasoDiscoLleno> {};

TEST_P(AnchosDiscoLlenoTest, KeepsTheFileWhole) {
    const DiscoLleno disco;
    if (!disco.Montado()) {
        GTEST_SKIP() << disco.Motivo().toStdString();
    }
    const QByteArray antes = "\"MA_ZONAS\",\"100|200|\"\r\n\"MA_RUBROS\",\"300|\"\r\n";
    {
        QFile file(lookup::RutaAnchos(disco.Carpeta()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(antes);
    }
    ASSERT_TRUE(disco.Llenar(GetParam().paginasLibres));
    EXPECT_THROW(lookup::GuardarAnchos(disco.Carpeta(), {"MA_CAJAS", "1440|"}), rt::RuntimeError);
    QFile file(lookup::RutaAnchos(disco.Carpeta()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), antes);
    EXPECT_EQ(QDir(disco.Carpeta()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{".relleno", "CONSULTASLEN.KDX"}))
        << "no lock or temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(Disks, AnchosDiscoLlenoTest, ::testing::ValuesIn(kDiscosLlenos),
                         CaseName());

// Anything but a regular file where the file should be is left alone, and the window closes
// with an error instead of waiting on it.
struct NoArchivoCase {
    const char* name;
    bool fifo;  // otherwise a folder
};

class AnchosNoArchivoTest : public AnchosArchivoTest,
                            public ::testing::WithParamInterface<NoArchivoCase> {};

TEST_P(AnchosNoArchivoTest, IsLeftAloneWithAnError) {
    if (GetParam().fifo) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(Kdx()).constData(), 0600), 0);
    } else {
        ASSERT_TRUE(QDir().mkpath(Kdx()));
    }
    EXPECT_THROW(lookup::GuardarAnchos(dir.Path(), {"MA_RUBROS", "1|"}), rt::RuntimeError);
    EXPECT_EQ(lookup::AnchosGuardados(Kdx(), "MA_RUBROS", 1),
              std::vector<std::optional<double>>{std::nullopt});
    const QFileInfo info(Kdx());
    EXPECT_TRUE(GetParam().fifo ? info.exists() && !info.isFile() && !info.isDir() : info.isDir());
}

INSTANTIATE_TEST_SUITE_P(Cases, AnchosNoArchivoTest,
                         ::testing::Values(NoArchivoCase{"Folder", false},
                                           NoArchivoCase{"Fifo", true}),
                         CaseName());

// Windows of four programs closing together, each storing its own table again and again,
// keep all four records and every other one: each writer reads, changes and renames under the
// file's lock.
TEST_F(AnchosArchivoTest, FourWritersAtOnceKeepEveryRecord) {
    constexpr int kVeces = 15;
    Write("\"OTRA\",\"1440|\"\r\n");
    std::vector<QStringList> escritores;
    for (int i = 1; i <= 4; ++i) {
        escritores.push_back(
            {"anchos", dir.Path(), QStringLiteral("T%1").arg(i), QString::number(kVeces)});
    }
    const QString fallos = EscribirALaVez(QStringLiteral(REESCRITOR_PATH), escritores);
    EXPECT_TRUE(fallos.isEmpty()) << fallos.toStdString();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(lookup::AnchosGuardados(Kdx(), QStringLiteral("T%1").arg(i), 1),
                  std::vector<std::optional<double>>{kVeces})
            << i;
    }
    EXPECT_EQ(lookup::AnchosGuardados(Kdx(), "OTRA", 1), std::vector<std::optional<double>>{1440});
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"CONSULTASLEN.KDX"});
}

TEST_F(AnchosArchivoTest, StoredWidthsApplyEveryRecordOfTheTable) {
    Write(
        "\"MA_ZONAS\",\"1|2|3|\"\r\n\"OTRA\",\"9|9|9|\"\r\n\"ma_zonas\",\"4|5|\"\r\n"
        "\"MA_ZONAS\",\"7|7|7|\"\r\n");
    using W = std::vector<std::optional<double>>;
    // The second record ends early: its two widths apply and the reading stops.
    EXPECT_EQ(lookup::AnchosGuardados(Kdx(), "MA_ZONAS", 3), (W{4, 5, 3}));
    EXPECT_EQ(lookup::AnchosGuardados(Kdx(), "OTRA", 2), (W{9, 9}));
    EXPECT_EQ(lookup::AnchosGuardados(Kdx(), "NINGUNA", 2), (W{std::nullopt, std::nullopt}));
    EXPECT_EQ(lookup::AnchosGuardados(dir.File("none"), "MA_ZONAS", 1), (W{std::nullopt}));
}

TEST_F(AnchosArchivoTest, RoundTrip) {
    const std::array<double, 3> anchos{1440, 2880, 960};
    lookup::GuardarAnchos(dir.Path(), {"MA_ZONAS", lookup::TextoAnchos(anchos)});
    using W = std::vector<std::optional<double>>;
    EXPECT_EQ(lookup::AnchosGuardados(Kdx(), "ma_zonas", 3), (W{1440, 2880, 960}));
}

}  // namespace
