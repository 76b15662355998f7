// The demo's data as a clerk would check it: CUITs that pass the check digit with the prefix
// of the person's sex or of a company, articles in presentations and brands that fit them, and
// cheques in portfolio due today.
#include <gtest/gtest.h>

#include <QDate>
#include <QRegularExpression>

#include "DemoDatabase.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"

namespace {

class DemoDataTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<TempDir>();
        const DemoDatabase demo(dir->File(QStringLiteral("demo")));
        QString error;
        ASSERT_TRUE(demo.Ensure(&error)) << error.toStdString();
        cn = ado::Connection::Create();
        cn->Open(demo.ConnectionString());
    }
    static void TearDownTestSuite() {
        cn.reset();
        dir.reset();
    }

    static ado::Recordset Rows(const QString& sql) { return cn->Execute(sql); }
    static int Count(const QString& from) {
        return Rows(QStringLiteral("SELECT COUNT(*) FROM ") + from).Fields()[0].Value().ToLong();
    }

    static inline std::unique_ptr<TempDir> dir;
    static inline std::shared_ptr<ado::Connection> cn;
};

// 11 less the weighted sum of the ten digits, modulo 11; 10 means the prefix must change.
int CheckDigit(const QString& digits) {
    constexpr int kWeights[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        sum += digits[i].digitValue() * kWeights[i];
    }
    return (11 - sum % 11) % 11;
}

// The CUIT a person or company with this natural prefix (20, 27, 30) and document must carry.
QString ExpectedCuit(const QString& prefix, const QString& document) {
    QString actual = prefix;
    if (CheckDigit(prefix + document) == 10) {
        actual = prefix == QStringLiteral("30") ? QStringLiteral("33") : QStringLiteral("23");
    }
    const int digit = CheckDigit(actual + document);
    return actual + QLatin1Char('-') + document + QLatin1Char('-') + QString::number(digit);
}

bool IsWomansName(const QString& name) {
    static const QStringList kWomen = {"Sofía",   "Valentina", "Lucía",      "Martina",  "Camila",
                                       "Julieta", "Florencia", "María José", "Milagros", "Agustina",
                                       "Nélida",  "Mónica",    "Verónica",   "Inés",     "Belén",
                                       "Ángela",  "Noemí",     "Zoe",        "Soledad",  "Ximena"};
    return kWomen.contains(name);
}

class DemoCuitTest : public DemoDataTest, public ::testing::WithParamInterface<const char*> {};

// People are "Surname, Name": 20 for men and 27 for women; companies 30.
TEST_P(DemoCuitTest, EveryCuitPassesTheCheckDigit) {
    static const QRegularExpression kCuit(QStringLiteral("^(\\d\\d)-(\\d{8})-\\d$"));
    ado::Recordset rs = Rows(QStringLiteral("SELECT NOMBRE, CUIT FROM %1").arg(GetParam()));
    int rows = 0;
    for (; !rs.Eof(); rs.MoveNext(), ++rows) {
        const QString name = rs.Fields()[0].Value().ToString();
        const QString cuit = rs.Fields()[1].Value().ToString();
        const QRegularExpressionMatch parts = kCuit.match(cuit);
        ASSERT_TRUE(parts.hasMatch()) << name.toStdString() << " " << cuit.toStdString();
        const qsizetype comma = name.indexOf(QStringLiteral(", "));
        const QString prefix = comma < 0                           ? QStringLiteral("30")
                               : IsWomansName(name.mid(comma + 2)) ? QStringLiteral("27")
                                                                   : QStringLiteral("20");
        EXPECT_EQ(cuit, ExpectedCuit(prefix, parts.captured(2))) << name.toStdString();
    }
    EXPECT_GT(rows, 0);
}

INSTANTIATE_TEST_SUITE_P(Views, DemoCuitTest, ::testing::Values("VT_CLIENTES", "VT_PROVEEDORES"));

// Paint comes in cans of 1, 4 and 20 litres, and nothing is sold by the litre in anything larger.
TEST_F(DemoDataTest, PaintComesInCansOfOneFourAndTwentyLitres) {
    EXPECT_GT(Count(QStringLiteral("MA_ARTICULOS WHERE IDFAMILIA = '421'")), 0);
    EXPECT_EQ(Count(QStringLiteral("MA_ARTICULOS WHERE IDFAMILIA = '421' AND NOT (UNIDAD_MEDIDA "
                                   "= 'l' AND CONTENIDO IN (1, 4, 20))")),
              0);
    EXPECT_EQ(Count(QStringLiteral("MA_ARTICULOS WHERE UNIDAD_MEDIDA = 'l' AND CONTENIDO > 20")),
              0);
}

// Of one product and brand (the code but its last figure), the larger presentation costs more in
// all and less for each unit.
TEST_F(DemoDataTest, LargerPresentationsCostMoreButLessPerUnit) {
    const QString pairs = QStringLiteral(
        "MA_ARTICULOS a INNER JOIN MA_ARTICULOS b ON b.Codigo BETWEEN LEFT(a.Codigo, 7) + '0' AND "
        "LEFT(a.Codigo, 7) + '9' AND b.CONTENIDO > a.CONTENIDO");
    EXPECT_GT(Count(pairs), 1000);
    EXPECT_EQ(Count(pairs + QStringLiteral(" WHERE b.PRECIO1 <= a.PRECIO1 OR b.PRECIO1 / "
                                           "b.CONTENIDO >= a.PRECIO1 / a.CONTENIDO")),
              0);
}

// A brand works in one branch of the families (no paint brand on a wine), and every article
// lies on the shelf of its family.
TEST_F(DemoDataTest, BrandsAndShelvesFitTheFamily) {
    EXPECT_EQ(Count(QStringLiteral("MA_ARTICULOS a LEFT JOIN TA_MARCAS m ON m.IDMARCA = a.IDMARCA "
                                   "AND a.IDFAMILIA LIKE m.IDFAMILIA + '%' WHERE m.IDMARCA IS "
                                   "NULL")),
              0);
    EXPECT_EQ(Count(QStringLiteral("MA_ARTICULOS a INNER JOIN TA_FAMILIAS f ON f.IDFAMILIA = "
                                   "a.IDFAMILIA LEFT JOIN MA_POSICIONES s ON s.IDPOSICION = "
                                   "a.IDPOSICION AND s.DESCRIPCION LIKE 'Estante _ - ' + "
                                   "f.DESCRIPCION WHERE s.IDPOSICION IS NULL")),
              0);
}

// Whatever the day the demo was made, the portfolio holds cheques due today still to deposit.
TEST_F(DemoDataTest, SomeChequesFallDueToday) {
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_GT(
        Count(
            QStringLiteral("V_MV_CHEQUES WHERE VENCIMIENTO = '%1' AND DEPOSITADO = 0").arg(today)),
        0);
    EXPECT_GT(Count(QStringLiteral("V_MV_CHEQUES WHERE VENCIMIENTO > '%1'").arg(today)), 0);
}

}  // namespace
