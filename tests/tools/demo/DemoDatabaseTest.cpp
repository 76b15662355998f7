// The demo database made from its script in a temporary data folder, and what a person trying
// the windows will find in it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DemoDatabase.h"
#include "Printers.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/lookup/MascaraConsulta.h"

namespace {

class DemoDatabaseTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<TempDir>();
        demo = std::make_unique<DemoDatabase>(dir->File(QStringLiteral("datos/demo")));
        QString error;
        ASSERT_TRUE(demo->Ensure(&error)) << error.toStdString();
        cn = ado::Connection::Create();
        cn->Open(demo->ConnectionString());
    }
    static void TearDownTestSuite() {
        cn.reset();
        demo.reset();
        dir.reset();
    }

    static rt::Variant Scalar(const QString& sql) {
        ado::Recordset rs = cn->Execute(sql);
        return rs.Fields()[0].Value();
    }
    static int Count(const QString& from) {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + from).ToLong();
    }

    static inline std::unique_ptr<TempDir> dir;
    static inline std::unique_ptr<DemoDatabase> demo;
    static inline std::shared_ptr<ado::Connection> cn;
};

TEST_F(DemoDatabaseTest, HoldsTheTablesTheWindowsRead) {
    EXPECT_EQ(Count(QStringLiteral("VT_MA_ARTICULOS")), 5000);
    EXPECT_EQ(Count(QStringLiteral("V_MA_ARTICULOS")), 5000);
    EXPECT_GT(Count(QStringLiteral("STK_MA_ARTICULOS")), 2000);
    EXPECT_GT(Count(QStringLiteral("V_MA_ARTICULOS WHERE SUSPENDIDO = 1")), 0);
    EXPECT_EQ(Count(QStringLiteral("VT_CLIENTES")), 2000);
    EXPECT_EQ(Count(QStringLiteral("VT_PROVEEDORES")), 2000);
    EXPECT_GT(Count(QStringLiteral("VT_CLIENTES WHERE Dada_De_Baja = 1")), 0);
    EXPECT_EQ(Count(QStringLiteral("MV_ASIENTOS")), 100000);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT SUM(DEBE) - SUM(HABER) FROM MV_ASIENTOS")).ToDouble(),
              0.0);
    EXPECT_EQ(Count(QStringLiteral("V_MV_FALTANTES")), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = "
                                    "'MostrarStockenConsultas'")),
              rt::Variant("SI"));
    EXPECT_EQ(Count(QStringLiteral("ta_usuarios WHERE Administrador = 1")), 1);
}

// The list colours rows by four stock situations; every one of them must be there to see.
TEST_F(DemoDatabaseTest, ArticlesShowEveryStockLevel) {
    EXPECT_GT(Count(QStringLiteral("V_MA_ARTICULOS WHERE PUNTOPEDIDO = 0 AND Stock > 0")), 0);
    EXPECT_GT(Count(QStringLiteral("V_MA_ARTICULOS WHERE PUNTOPEDIDO > 0 AND Stock > PUNTOPEDIDO")),
              0);
    EXPECT_GT(Count(QStringLiteral("V_MA_ARTICULOS WHERE PUNTOPEDIDO > 0 AND Stock < PUNTOPEDIDO")),
              0);
    EXPECT_GT(Count(QStringLiteral("V_MA_ARTICULOS WHERE Stock = PUNTOPEDIDO")), 0);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(Count(QStringLiteral("TA_CONFIGURACION WHERE CLAVE = 'Stk_Nivel%1'").arg(n)), 1);
    }
    EXPECT_EQ(Count(QStringLiteral("(SELECT DISTINCT VALOR FROM TA_CONFIGURACION WHERE CLAVE LIKE "
                                   "'Stk_Nivel_')")),
              4);
}

TEST_F(DemoDatabaseTest, OutlinesAreRealHierarchies) {
    struct Outline {
        const char* table;
        const char* code;
        int depth;  // longest code
    };
    for (const Outline& o :
         {Outline{"V_TA_FAMILIAS", "IDFAMILIA", 3}, Outline{"MA_POSICIONES", "IDPOSICION", 6},
          Outline{"TA_CCOSTO", "CODIGO", 3}, Outline{"MA_CUENTAS", "Codigo", 7}}) {
        const QString table = QString::fromLatin1(o.table);
        const QString code = QString::fromLatin1(o.code);
        EXPECT_EQ(Scalar(QStringLiteral("SELECT MAX(LEN(%1)) FROM %2").arg(code, table)).ToLong(),
                  o.depth)
            << o.table;
        // Every code below the first level has a parent: a shorter code it begins with.
        const QString orphans =
            QStringLiteral(
                "%2 c WHERE LEN(c.%1) > (SELECT MIN(LEN(%1)) FROM %2) AND NOT EXISTS "
                "(SELECT 1 FROM %2 p WHERE LEN(p.%1) < LEN(c.%1) AND c.%1 LIKE p.%1 + "
                "'%')")
                .arg(code, table);
        EXPECT_EQ(Count(orphans), 0) << o.table;
    }
}

TEST_F(DemoDatabaseTest, SynonymsReadTheirTables) {
    const char* pairs[][2] = {{"MA_CUENTAS", "SS_MA_CUENTAS"},
                              {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
                              {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
                              {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
                              {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
                              {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
                              {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"}};
    for (const auto& pair : pairs) {
        const int plain = Count(QString::fromLatin1(pair[0]));
        EXPECT_GT(plain, 0) << pair[0];
        EXPECT_EQ(Count(QString::fromLatin1(pair[1])), plain) << pair[1];
    }
}

TEST_F(DemoDatabaseTest, NamesWithSpanishLettersAndApostrophes) {
    EXPECT_GT(Count(QStringLiteral("VT_CLIENTES WHERE NOMBRE LIKE '%ñ%'")), 0);
    EXPECT_GT(Count(QStringLiteral("VT_CLIENTES WHERE NOMBRE LIKE '%á%'")), 0);
    EXPECT_GT(Count(QStringLiteral("VT_CLIENTES WHERE NOMBRE LIKE '%''%'")), 0);
    EXPECT_GT(Count(QStringLiteral("VT_PROVEEDORES WHERE NOMBRE LIKE '%S.R.L.%'")), 0);
}

TEST_F(DemoDatabaseTest, MaskFileIsReadByTheRequest) {
    EXPECT_EQ(QFileInfo(demo->MasksPath()).size() % lookup::kLargoRegistroMascara, 0);
    const auto clientes = lookup::BuscarMascara(demo->MasksPath(), QStringLiteral("VT_CLIENTES"));
    ASSERT_TRUE(clientes.has_value());
    EXPECT_EQ(clientes->FiltroMascara.trimmed(), "Dada_De_Baja = 0 AND PROVINCIA = 'Córdoba'");
    EXPECT_TRUE(
        lookup::BuscarMascara(demo->MasksPath(), QStringLiteral("V_MA_ARTICULOS")).has_value());
    EXPECT_TRUE(
        lookup::BuscarMascara(demo->MasksPath(), QStringLiteral("VT_PROVEEDORES")).has_value());
}

TEST_F(DemoDatabaseTest, ResetMakesItAgainTheSame) {
    TempDir other;
    const DemoDatabase copy(other.File(QStringLiteral("demo")));
    ASSERT_TRUE(copy.Reset());
    QFile a(demo->Path());
    QFile b(copy.Path());
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll()) << "the demo database is not the same every time";
    EXPECT_EQ(QDir(other.File(QStringLiteral("demo"))).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"demo.db", "MASCARAS.DAT"}))
        << "no part file or lock is left behind";
}

// A demo file that is not whole (an empty file left by an old first start, a file that is no
// database, a database without the demo's tables) is made again rather than opened and failed
// on for good.
struct BrokenCase {
    const char* name;
    const char* sql;  // what the file holds: made by these statements, or these bytes
    bool database;
};

class BrokenDemoTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenDemoTest, IsMadeAgain) {
    TempDir dir;
    const DemoDatabase demo(dir.File(QStringLiteral("demo")));
    ASSERT_TRUE(QDir().mkpath(dir.File(QStringLiteral("demo"))));
    if (GetParam().database) {
        auto cn = ado::Connection::Create();
        cn->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") + demo.Path());
        cn->Execute(QString::fromUtf8(GetParam().sql));
    } else {
        QFile file(demo.Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().sql);
    }
    EXPECT_FALSE(demo.Exists());
    QString error;
    bool made = false;
    ASSERT_TRUE(demo.Ensure(&error, &made)) << error.toStdString();
    EXPECT_TRUE(made);
    auto cn = ado::Connection::Create();
    cn->Open(demo.ConnectionString());
    ado::Recordset rs = cn->Execute(QStringLiteral("SELECT COUNT(*) FROM VT_CLIENTES"));
    EXPECT_EQ(rs.Fields()[0].Value().ToLong(), 2000);
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenDemoTest,
                         ::testing::Values(BrokenCase{"Empty", "", false},
                                           BrokenCase{"NotADatabase", "not a database", false},
                                           BrokenCase{"SchemaLess", "CREATE TABLE X (A int)",
                                                      true}),
                         CaseName());

TEST(DemoDatabase, AFolderThatCannotBeMadeLeavesNothing) {
    TempDir dir;
    QFile blocker(dir.File(QStringLiteral("ocupado")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const DemoDatabase demo(dir.File(QStringLiteral("ocupado/demo")));
    QString error;
    EXPECT_FALSE(demo.Ensure(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(demo.Exists());
}

}  // namespace
