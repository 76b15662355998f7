// SQL Server's default collation on the embedded database: case ignored for every letter,
// accents kept, in columns and in expressions alike.
#include <gtest/gtest.h>

#include <QStringList>

#include "Printers.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"

namespace {

struct CollationCase {
    const char* name;
    const char* query;
    const char* rows;  // the first field of each row, joined by "|"
};

void PrintTo(const CollationCase& c, std::ostream* os) {
    *os << c.query;
}

class SqliteCollationTest : public ::testing::TestWithParam<CollationCase> {
  protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<TempDir>();
        cn = ado::Connection::Create();
        cn->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") +
                 dir->File(QStringLiteral("c.db")));
        cn->Execute(QStringLiteral(
            "CREATE TABLE Personas (Id int PRIMARY KEY, Nombre varchar(40), Ciudad varchar(20))\n"
            "INSERT INTO Personas VALUES (1, 'O''Brien', 'Córdoba')\n"
            "INSERT INTO Personas VALUES (2, 'Peña', 'cordoba')\n"
            "INSERT INTO Personas VALUES (3, 'Pena', 'CÓRDOBA')\n"
            "INSERT INTO Personas VALUES (4, 'ñandú', 'Salta')\n"
            "INSERT INTO Personas VALUES (5, 'ÁLVAREZ', 'salta')\n"
            "INSERT INTO Personas VALUES (6, 'álvarez', NULL)\n"
            "INSERT INTO Personas VALUES (7, 'bravo', 'Jujuy')\n"
            "INSERT INTO Personas VALUES (8, 'Bravo', 'Jujuy')\n"
            "INSERT INTO Personas VALUES (9, 'ZOE', 'Salta')\n"
            "CREATE VIEW Vista AS SELECT Id, RTRIM(Nombre) + '.' AS Nombre FROM Personas"));
    }
    static void TearDownTestSuite() {
        cn.reset();
        dir.reset();
    }

    static QString FirstFields(const QString& sql) {
        ado::Recordset rs = cn->Execute(sql);
        QStringList rows;
        for (; !rs.Eof(); rs.MoveNext()) {
            rows << rs.Fields()[0].Value().ToText();
        }
        return rows.join(QLatin1Char('|'));
    }

    static inline std::unique_ptr<TempDir> dir;
    static inline std::shared_ptr<ado::Connection> cn;
};

TEST_P(SqliteCollationTest, ComparesAsSqlServer) {
    EXPECT_EQ(FirstFields(QString::fromUtf8(GetParam().query)), QString::fromUtf8(GetParam().rows));
}

const CollationCase kCases[] = {
    {"ColumnIgnoresCase", "SELECT Nombre FROM Personas WHERE Nombre = 'o''brien'", "O'Brien"},
    {"TrimmedColumnIgnoresCase",
     "SELECT Nombre FROM Personas WHERE LTRIM(RTRIM(Nombre)) ='O''BRIEN'", "O'Brien"},
    {"EnyeFoldsAccentCounts", "SELECT Id FROM Personas WHERE Nombre = 'PEÑA'", "2"},
    {"WithoutTheTildeItIsAnotherName", "SELECT Id FROM Personas WHERE Nombre = 'PENA'", "3"},
    {"AccentedCapitals", "SELECT Id FROM Personas WHERE Nombre = 'Álvarez' ORDER BY Id", "5|6"},
    {"LiteralsCompared", "SELECT 1 WHERE 'ÑANDÚ' = 'ñandú' AND 'a' <> 'á'", "1"},
    {"UpperOfAnExpression", "SELECT Id FROM Personas WHERE UPPER(Ciudad) = 'córdoba' ORDER BY Id",
     "1|3"},
    {"InListOnAnExpression",
     "SELECT Id FROM Personas WHERE LOWER(Nombre) IN ('BRAVO', 'zoe') ORDER BY Id", "7|8|9"},
    {"BetweenIgnoresCase", "SELECT Id FROM Personas WHERE Nombre BETWEEN 'a' AND 'C' ORDER BY Id",
     "7|8"},
    {"LikeFoldsEveryLetter", "SELECT Id FROM Personas WHERE Nombre LIKE '%Ñ%' ORDER BY Id", "2|4"},
    {"LikeKeepsAccents", "SELECT Id FROM Personas WHERE Ciudad LIKE 'cor%' ORDER BY Id", "2"},
    {"LikeClassesAndEscape",
     "SELECT Id FROM Personas WHERE Nombre LIKE '[o-p]%' AND Nombre NOT LIKE '%!_%' ESCAPE '!' "
     "ORDER BY Id",
     "1|2|3"},
    {"OrderByIgnoresCase",
     "SELECT Nombre FROM Personas WHERE Id IN (7, 8, 9, 1) ORDER BY LTRIM(Nombre), Id",
     "bravo|Bravo|O'Brien|ZOE"},
    {"DistinctAndGroupBy",
     "SELECT COUNT(*) FROM (SELECT DISTINCT Ciudad FROM Personas WHERE Ciudad IS NOT NULL)", "4"},
    {"GroupByAnExpression",
     "SELECT UPPER(Ciudad), COUNT(*) FROM Personas GROUP BY UPPER(Ciudad) HAVING COUNT(*) = 2 "
     "ORDER BY 1",
     "CÓRDOBA|JUJUY"},
    {"MaxOfAnExpression", "SELECT MAX(LTRIM(Nombre)) FROM Personas WHERE Id IN (7, 8, 9)", "ZOE"},
    {"ViewColumnOfAnExpression",
     "SELECT Id FROM Vista WHERE Nombre IN ('BRAVO.', 'zoe.') ORDER BY Nombre DESC, Id", "9|7|8"},
    {"LeftAndRight", "SELECT LEFT(Nombre, 3) || RIGHT(Nombre, 3) FROM Personas WHERE Id = 4",
     "ñanndú"},
    {"UpperAndLowerOfEveryLetter", "SELECT UPPER('ñandú') || LOWER('ÁÉÍÓÚÑ')", "ÑANDÚáéíóúñ"},
};

INSTANTIATE_TEST_SUITE_P(DefaultCollation, SqliteCollationTest, ::testing::ValuesIn(kCases),
                         CaseName());

}  // namespace
