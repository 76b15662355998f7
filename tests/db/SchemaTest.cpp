#include <gtest/gtest.h>

#include <QDate>
#include <QFileInfo>
#include <QString>
#include <optional>

#include "DefaultDb.h"
#include "SchemaStatements.h"
#include "ScriptedDialogs.h"
#include "SqliteDb.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/Currency.h"

namespace {

using dbtest::DefaultOn;
using dbtest::SqliteDb;

// ---- Literals and statements ----

struct LiteralCase {
    rt::Variant valor;
    const char* tipo;
    const char* literal;
};

TEST(SQLValue, Literals) {
    const LiteralCase cases[] = {
        {"abc", "'", "'abc'"},
        {"O'Brien", "'", "'O''Brien'"},
        {"", "'", "''"},
        {rt::Variant::Null(), "'", "NULL"},
        {rt::Variant::Null(), "#", "NULL"},
        {rt::Variant::Null(), "", "NULL"},
        {rt::Variant::Null(), "@", "0"},
        {1234.5, "@", "1234.5"},
        {QStringLiteral("1.234,5"), "@", "1234.5"},
        {rt::Currency::FromScaled(-12345678), "@", "-1234.5678"},
        {0.00004, "@", "0"},
        {7, "@", "7"},
        {"abc", "@", "0"},
        {QDate(2024, 12, 31), "#", "31/12/2024"},
        {QDate(2024, 12, 31), "'", "'31/12/2024'"},
        {42, "X", "42"},
        {"a'b", "", "a'b"},
        {true, "", "1"},
        {false, "X", "0"},
    };
    db::DB_Dll component;
    for (const LiteralCase& c : cases) {
        EXPECT_EQ(component.SQLValue(c.valor, QString::fromUtf8(c.tipo)),
                  rt::Variant(QString::fromUtf8(c.literal)))
            << c.literal;
    }
    EXPECT_EQ(component.SQLValue(QStringLiteral("x")), rt::Variant("'x'"));
}

TEST(AddFieldStatement, NullabilityAndDefault) {
    EXPECT_EQ(
        db::SentenciaAddField(QStringLiteral("T"), QStringLiteral("CANT"), QStringLiteral("INT"),
                              true, rt::Variant(0)),
        QStringLiteral("ALTER TABLE dbo.T ADD CANT INT Null  CONSTRAINT DF_T_CANT DEFAULT (0)"));
    EXPECT_EQ(db::SentenciaAddField(QStringLiteral("T"), QStringLiteral("CANT"),
                                    QStringLiteral("INT"), false, std::nullopt),
              QStringLiteral("ALTER TABLE dbo.T ADD CANT INT Not Null "));
    EXPECT_EQ(
        db::SentenciaAddField(QStringLiteral("T"), QStringLiteral("X"), {}, false, std::nullopt),
        QStringLiteral("ALTER TABLE dbo.T ADD X  Not Null "));
    EXPECT_EQ(db::SentenciaAddField(QStringLiteral(" T "), QStringLiteral(" N "),
                                    QStringLiteral("varchar(5)"), false, rt::Variant("'x'")),
              QStringLiteral("ALTER TABLE dbo. T  ADD  N  varchar(5) Not Null  CONSTRAINT DF_T_N "
                             "DEFAULT ('x')"));
    EXPECT_EQ(db::SentenciaAddField(QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("INT"),
                                    true, rt::Variant::Null()),
              QStringLiteral("ALTER TABLE dbo.T ADD N INT Null  CONSTRAINT DF_T_N DEFAULT ()"));
}

// ---- Catalogue ----

// A database with two tables, one of whose names carries trailing blanks.
class SchemaTest : public ::testing::Test {
  protected:
    explicit SchemaTest(const QString& fileName = QStringLiteral("cheques.db")) : db(fileName) {
        db.Exec(
            QStringLiteral("CREATE TABLE MA_CLIENTES (Codigo varchar(10), Nombre varchar(30));"
                           "INSERT INTO MA_CLIENTES VALUES ('A', 'Alfa');"
                           "CREATE TABLE \"CON BLANCOS  \" (Id int)"));
    }

    void Open(const QString& conn = {}) { db.OpenOn(component, conn); }
    QString OdbcConn() const { return QStringLiteral("Driver=SQLite3;Database=") + db.Path(); }

    // The column names of the table, read by the test's own connection.
    QStringList Columns(const QString& table) const {
        return db.Column(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
    }

    SqliteDb db;
    db::DB_Dll component;
    ScriptedDialogs dialogs;
};

TEST_F(SchemaTest, TablesAreFoundIgnoringCaseAndBlanks) {
    for (const QString& conn : {QString(), OdbcConn()}) {
        db::DB_Dll c;
        db.OpenOn(c, conn);
        EXPECT_TRUE(c.ExisteTablaDB(QStringLiteral("MA_CLIENTES"))) << conn.toStdString();
        EXPECT_TRUE(c.ExisteTablaDB(QStringLiteral(" ma_clientes  "))) << conn.toStdString();
        EXPECT_TRUE(c.ExisteTablaDB(QStringLiteral("con blancos"))) << conn.toStdString();
        EXPECT_FALSE(c.ExisteTablaDB(QStringLiteral("MA_CLIENTE"))) << conn.toStdString();
        EXPECT_FALSE(c.ExisteTablaDB(QStringLiteral("MA%"))) << conn.toStdString();
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, EmptyDatabaseHasNoTables) {
    SqliteDb empty;
    empty.OpenOn(component);
    EXPECT_FALSE(component.ExisteTablaDB(QStringLiteral("MA_CLIENTES")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, ColumnsAreFoundInTheirTable) {
    const QString base = QFileInfo(db.Path()).completeBaseName();
    const QString file = QFileInfo(db.Path()).fileName();
    for (const QString& conn : {QString(), OdbcConn()}) {
        // Whatever names the database: a file holds only the one.
        for (const QString& dbName :
             {QString(), base, base.toUpper(), file, db.Path(), QStringLiteral("EMPRESA")}) {
            db::DB_Dll c;
            db.OpenOn(c, conn);
            c.gDbName = dbName;
            const std::string where = (conn + " / " + dbName).toStdString();
            EXPECT_TRUE(c.ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("Nombre")))
                << where;
            EXPECT_TRUE(c.ExisteCampoDB(QStringLiteral("ma_clientes"), QStringLiteral(" NOMBRE ")))
                << where;
            EXPECT_FALSE(c.ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("Id")))
                << where;
            EXPECT_FALSE(c.ExisteCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("Nombre")))
                << where;
        }
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, ColumnsOfAnOracleDatabaseAlwaysExist) {
    // Never opened: the answer comes without a query.
    DefaultOn::Get().gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    EXPECT_TRUE(component.ExisteCampoDB(QStringLiteral("CUALQUIERA"), QStringLiteral("X")));
    DefaultOn::Get().gProveedor.clear();
    // The provider of the object asked does not count.
    Open();
    component.gProveedor = QStringLiteral("oracle");
    EXPECT_FALSE(component.ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("X")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, VerCampoDBAddsAMissingColumn) {
    Open();
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("CANT"), true,
                                     QStringLiteral("INT"), true, rt::Variant(5)));
    EXPECT_TRUE(Columns(QStringLiteral("MA_CLIENTES")).contains(QStringLiteral("CANT")));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT CANT FROM MA_CLIENTES")).ToLong(), 5);
    EXPECT_TRUE(component.ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("cant")));
    // Present now: nothing more is sent.
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("CANT"), true,
                                     QStringLiteral("INT"), true, rt::Variant(5)));
    EXPECT_EQ(Columns(QStringLiteral("MA_CLIENTES")).count(QStringLiteral("CANT")), 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, VerCampoDBThroughOdbc) {
    Open(OdbcConn());
    component.gDbName = QStringLiteral("EMPRESA");
    // Present: nothing is sent.
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("nombre"), true,
                                     QStringLiteral("varchar(20)"), true));
    EXPECT_EQ(Columns(QStringLiteral("MA_CLIENTES")),
              QStringList({QStringLiteral("Codigo"), QStringLiteral("Nombre")}));
    // Missing: the statement names the dbo owner, which plain ODBC to SQLite does not know; the
    // rejection passes without a message.
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("OBS"), true,
                                     QStringLiteral("varchar(20)"), true));
    EXPECT_FALSE(component.ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("OBS")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, VerCampoDBLeavesThingsAloneWhenItShould) {
    Open();
    // A missing table is not reported.
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("X"), true,
                                     QStringLiteral("INT"), true));
    EXPECT_FALSE(component.ExisteTablaDB(QStringLiteral("NO_EXISTE")));
    // Not asked to add.
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("X"), false,
                                     QStringLiteral("INT"), true));
    EXPECT_FALSE(Columns(QStringLiteral("MA_CLIENTES")).contains(QStringLiteral("X")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, RejectedColumnPassesSilently) {
    Open();
    // No type and Not Null without a default: the database refuses the column.
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("X")));
    EXPECT_FALSE(Columns(QStringLiteral("MA_CLIENTES")).contains(QStringLiteral("X")));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SchemaTest, CatalogueFailuresGoToTheErrorHandler) {
    // Never opened: the catalogue cannot be read.
    dialogs.AnswerBoxes({ui::vbAbort});
    EXPECT_FALSE(component.ExisteTablaDB(QStringLiteral("MA_CLIENTES")));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].title.contains(QStringLiteral("VerificaCampos")));
    EXPECT_TRUE(dialogs.boxes[0].style & ui::vbAbortRetryIgnore);

    dialogs.boxes.clear();
    dialogs.AnswerBoxes({ui::vbRetry, ui::vbAbort});
    EXPECT_FALSE(component.ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("Nombre")));
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(dialogs.boxes[1].title.contains(QStringLiteral("VerificaCampos")));

    // Ignoring every failure goes on to the end of the walk and finds nothing.
    dialogs.boxes.clear();
    dialogs.AnswerBoxes({ui::vbIgnore, ui::vbIgnore, ui::vbIgnore});
    EXPECT_FALSE(component.ExisteTablaDB(QStringLiteral("MA_CLIENTES")));
    EXPECT_EQ(dialogs.boxes.size(), 3u);

    // VerCampoDB answers true whatever its checks met.
    dialogs.boxes.clear();
    EXPECT_TRUE(component.VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("X")));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

}  // namespace
