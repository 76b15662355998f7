#include <gtest/gtest.h>

#include <QString>

#include "ConfigStatements.h"
#include "DefaultDb.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "cheques/db/LeerConfig.h"

namespace {

using dbtest::DefaultOn;
using dbtest::SqliteDb;

struct StatementCase {
    const char* tabla;
    const char* clave;
    const char* sentencia;
};

TEST(LeerConfigStatement, KeyIsTrimmedAndQuoted) {
    const StatementCase cases[] = {
        {"TA_CONFIGURACION", "  TopConsArt ",
         "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt'"},
        {"TA_CONFIGURACION", "Nom'Clase",
         "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'Nom''Clase'"},
        // The two date keys send the whole statement upper-cased, whatever case they came in.
        {"ta_config", " [fecha desde]",
         "SELECT VALOR, VALORAUX FROM TA_CONFIG WHERE CLAVE = '[FECHA DESDE]'"},
        {"TA_CONFIGURACION", "[Fecha Hasta]",
         "SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA HASTA]'"},
        {"TA_CONFIGURACION", "[fecha]",
         "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = '[fecha]'"},
    };
    for (const StatementCase& c : cases) {
        EXPECT_EQ(db::SentenciaLeerConfig(QString::fromUtf8(c.tabla), QString::fromUtf8(c.clave)),
                  QString::fromUtf8(c.sentencia))
            << c.clave;
    }
}

// The default component opened on a database with a configuration table, and the table name
// setting cleared before and after each test.
class LeerConfigTest : public ::testing::Test {
  protected:
    LeerConfigTest() : shared(db) {
        db.Exec(QStringLiteral(
            "CREATE TABLE TA_CONFIGURACION (CLAVE varchar(50) COLLATE BINARY, VALOR varchar(50),"
            " valoraux varchar(50));"
            "INSERT INTO TA_CONFIGURACION VALUES ('TopConsArt', '200', 'aux');"
            "INSERT INTO TA_CONFIGURACION VALUES ('SinValor', NULL, NULL);"
            "INSERT INTO TA_CONFIGURACION VALUES ('Nom''Clase', 'Rubro', '');"
            "INSERT INTO TA_CONFIGURACION VALUES ('[FECHA DESDE]', '01/01/2024', 'd');"
            "CREATE TABLE OTRA_CONFIG (CLAVE varchar(50), VALOR varchar(50), valoraux "
            "varchar(50));"
            "INSERT INTO OTRA_CONFIG VALUES ('TopConsArt', '50', 'otra')"));
        db::gTablaConfiguracion().clear();
    }
    ~LeerConfigTest() override { db::gTablaConfiguracion().clear(); }

    SqliteDb db;
    DefaultOn shared;
    ScriptedDialogs dialogs;
};

TEST_F(LeerConfigTest, ReadsValueAndAuxiliary) {
    QString aux = QStringLiteral("antes");
    EXPECT_EQ(db::LeerConfig(QStringLiteral("TopConsArt"), aux), QStringLiteral("200"));
    EXPECT_EQ(aux, QStringLiteral("aux"));
    EXPECT_EQ(db::gTablaConfiguracion(), QStringLiteral("TA_CONFIGURACION"));
    EXPECT_EQ(db::LeerConfig(QStringLiteral("  TopConsArt  "), aux), QStringLiteral("200"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LeerConfigTest, MissingKeyGivesOneBlank) {
    QString aux = QStringLiteral("antes");
    EXPECT_EQ(db::LeerConfig(QStringLiteral("NoHay"), aux), QStringLiteral(" "));
    EXPECT_EQ(aux, QString());
    // The keys are compared exactly here, so a key in another case is missing too.
    EXPECT_EQ(db::LeerConfig(QStringLiteral("topconsart"), aux), QStringLiteral(" "));
}

TEST_F(LeerConfigTest, NullColumnsGiveEmptyTexts) {
    QString aux = QStringLiteral("antes");
    EXPECT_EQ(db::LeerConfig(QStringLiteral("SinValor"), aux), QString());
    EXPECT_EQ(aux, QString());
}

TEST_F(LeerConfigTest, QuoteInKey) {
    QString aux;
    EXPECT_EQ(db::LeerConfig(QStringLiteral("Nom'Clase"), aux), QStringLiteral("Rubro"));
    EXPECT_EQ(db::LeerConfig(QStringLiteral("x' OR '1'='1"), aux), QStringLiteral(" "));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LeerConfigTest, DateKeyInLowerCase) {
    QString aux;
    EXPECT_EQ(db::LeerConfig(QStringLiteral("[fecha desde]"), aux), QStringLiteral("01/01/2024"));
    EXPECT_EQ(aux, QStringLiteral("d"));
}

TEST_F(LeerConfigTest, AnotherTableStaysInUse) {
    db::gTablaConfiguracion() = QStringLiteral("OTRA_CONFIG");
    QString aux;
    EXPECT_EQ(db::LeerConfig(QStringLiteral("TopConsArt"), aux), QStringLiteral("50"));
    EXPECT_EQ(aux, QStringLiteral("otra"));
    EXPECT_EQ(db::gTablaConfiguracion(), QStringLiteral("OTRA_CONFIG"));
    // A blank name counts as none.
    db::gTablaConfiguracion() = QStringLiteral("   ");
    EXPECT_EQ(db::LeerConfig(QStringLiteral("TopConsArt"), aux), QStringLiteral("200"));
    EXPECT_EQ(db::gTablaConfiguracion(), QStringLiteral("TA_CONFIGURACION"));
}

TEST_F(LeerConfigTest, FailureAnsweredOtherwiseThanIgnoreGivesEmpty) {
    db::gTablaConfiguracion() = QStringLiteral("NO_EXISTE");
    for (int answer : {ui::vbAbort, ui::vbRetry}) {
        dialogs.boxes.clear();
        // The opening's own handler, then the reader's.
        dialogs.AnswerBoxes({ui::vbAbort, answer});
        QString aux = QStringLiteral("antes");
        EXPECT_EQ(db::LeerConfig(QStringLiteral("TopConsArt"), aux), QString()) << answer;
        EXPECT_EQ(aux, QStringLiteral("antes"));
        ASSERT_EQ(dialogs.boxes.size(), 2u);
        EXPECT_TRUE(dialogs.boxes[0].title.contains(QStringLiteral("AbrirRecordset")));
        EXPECT_TRUE(dialogs.boxes[1].title.contains(QStringLiteral("Cfg")));
    }
}

TEST_F(LeerConfigTest, IgnoreGoesOnWithTheNextStep) {
    db::gTablaConfiguracion() = QStringLiteral("NO_EXISTE");
    // Opening fails, the emptiness test and both readings fail and are ignored; the closing of
    // a closed recordset does nothing. Nothing was read.
    dialogs.AnswerBoxes({ui::vbAbort, ui::vbIgnore, ui::vbIgnore, ui::vbIgnore});
    QString aux = QStringLiteral("antes");
    EXPECT_EQ(db::LeerConfig(QStringLiteral("TopConsArt"), aux), QString());
    EXPECT_EQ(aux, QStringLiteral("antes"));
    EXPECT_EQ(dialogs.boxes.size(), 4u);
}

}  // namespace
