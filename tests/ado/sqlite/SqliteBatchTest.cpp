// T-SQL batches on the embedded database: the forms SQL Server accepts, all or nothing, the
// batch's transaction statements, and the texts that are refused whole.
#include <gtest/gtest.h>

#include <QStringList>

#include "Printers.h"
#include "RaisedError.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

class Database {
  public:
    Database() : cn(ado::Connection::Create()) { cn->Open(Conn() + ";Mode=ReadWriteCreate"); }

    QString Conn() const {
        return QStringLiteral("Provider=SQLite;Data Source=") + dir.File(QStringLiteral("b.db"));
    }

    // Every row of the result (of the query, or of the last statement of a batch), fields
    // joined by "," and rows by "|".
    QString Rows(const QString& sql) const {
        ado::Recordset rs = cn->Execute(sql);
        QStringList rows;
        for (; rs.State() == ado::adStateOpen && !rs.Eof(); rs.MoveNext()) {
            QStringList fields;
            for (const ado::Field& field : rs.Fields()) {
                fields << field.Value().ToText();
            }
            rows << fields.join(QLatin1Char(','));
        }
        return rows.join(QLatin1Char('|'));
    }

    TempDir dir;
    std::shared_ptr<ado::Connection> cn;
};

struct BatchCase {
    const char* name;
    const char* batch;
    const char* query;  // "" reads the batch's own result
    const char* rows;
};

void PrintTo(const BatchCase& c, std::ostream* os) {
    *os << c.batch;
}

class SqliteBatchFormsTest : public ::testing::TestWithParam<BatchCase> {};

TEST_P(SqliteBatchFormsTest, RunsAsSqlServerWould) {
    Database db;
    const BatchCase& c = GetParam();
    const QString result = db.Rows(QString::fromUtf8(c.batch));
    EXPECT_EQ(*c.query ? db.Rows(QString::fromUtf8(c.query)) : result, QString::fromUtf8(c.rows));
}

const BatchCase kForms[] = {
    {"StatementsOnTheirOwnLines",
     "CREATE TABLE T (A int, B varchar(10))\nINSERT INTO T VALUES (1, 'x')\n"
     "INSERT INTO T VALUES (2, 'y')",
     "SELECT A, B FROM T ORDER BY A", "1,x|2,y"},
    {"NoCountAndATransaction",
     "SET NOCOUNT ON\nBEGIN TRAN\nCREATE TABLE T (A int)\nINSERT INTO T VALUES (1)\n"
     "COMMIT TRAN",
     "SELECT A FROM T", "1"},
    {"RollbackUndoesItsOwnPart",
     "CREATE TABLE T (A int)\nINSERT INTO T VALUES (1)\nBEGIN TRANSACTION\n"
     "INSERT INTO T VALUES (2)\nROLLBACK TRANSACTION\nINSERT INTO T VALUES (3)",
     "SELECT A FROM T ORDER BY A", "1|3"},
    {"IdentityKey",
     "CREATE TABLE T (Id int IDENTITY(1,1) NOT NULL, N varchar(10), "
     "CONSTRAINT PK_T PRIMARY KEY CLUSTERED (Id))\n"
     "INSERT INTO T (N) VALUES ('a')\nINSERT INTO T (N) VALUES ('b')",
     "SELECT Id, N FROM T ORDER BY Id", "1,a|2,b"},
    {"IdentitySeedAndScopeIdentity",
     "CREATE TABLE T (Id int IDENTITY(100, 1) PRIMARY KEY, N int)\n"
     "INSERT INTO T (N) VALUES (7)\nINSERT INTO T (N) VALUES (8)\nSELECT SCOPE_IDENTITY()",
     "", "101"},
    {"PlusJoinsTextsAndAddsNumbers",
     "CREATE TABLE T (N varchar(10), A varchar(10), K int)\nINSERT INTO T VALUES ('Ana', "
     "'Peña', 1)\nSELECT N + ' ' + A, K + 1, N + A, '7' + 1, K + NULL FROM T",
     "", "Ana Peña,2,AnaPeña,8,"},
    {"PlusMovesADateByDays",
     "CREATE TABLE T (F datetime)\nINSERT INTO T VALUES ('2024-02-28 10:00:00.000')\n"
     "SELECT F + 2 FROM T",
     "", "2024-03-01 10:00:00.000"},
    // Each "+" of a chain as SQL Server takes it, left to right: a numeric text converted for a
    // number, a date moved twice, a sum joined to a text, NULL at the end.
    {"PlusChainsGoLeftToRight",
     "CREATE TABLE T (N varchar(10), K int, F datetime)\nINSERT INTO T VALUES ('7', 1, "
     "'2024-02-28')\nSELECT K + K + 1, N + K + K, F + 1 + 1, K + N + 'x', K + 1 + NULL FROM T",
     "", "3,9,2024-03-01,8x,"},
    {"TableHintsAndOwner",
     "CREATE TABLE dbo.T (A int)\nINSERT INTO dbo.T VALUES (4)\n"
     "SELECT t.A FROM dbo.T t WITH (NOLOCK) JOIN T u (NOLOCK) ON u.A = t.A",
     "", "4"},
    {"SelectAfterNoCountGivesItsRows", "SET NOCOUNT ON\nSELECT 1 AS A, 'b' AS B", "", "1,b"},
    // A lone statement that needs rewriting and holds ";" in a literal (an F5 search for
    // "'; DROP TABLE x; --") once read a statement it had given away.
    {"ASemicolonInALiteralOfARewrittenStatement",
     "CREATE TABLE T (N varchar(30))\nINSERT INTO T VALUES ('''; DROP TABLE x; --'), ('b')",
     "SELECT N FROM T WHERE N LIKE '''; DROP TABLE x; --%' ORDER BY N", "'; DROP TABLE x; --"},
};

INSTANTIATE_TEST_SUITE_P(TSql, SqliteBatchFormsTest, ::testing::ValuesIn(kForms), CaseName());

class SqliteBatchTest : public ::testing::Test {
  protected:
    void SetUp() override { db.cn->Execute(QStringLiteral("CREATE TABLE T (A int PRIMARY KEY)")); }

    QString Values() const { return db.Rows(QStringLiteral("SELECT A FROM T ORDER BY A")); }

    // Runs a batch that must fail; the provider's description.
    QString Failure(const QString& batch, int32_t* affected = nullptr) {
        try {
            db.cn->Execute(batch, affected);
        } catch (const rt::RuntimeError&) {
            return db.cn->Errors().Item(0).Description();
        }
        ADD_FAILURE() << "the batch ran: " << batch.toStdString();
        return {};
    }

    Database db;
};

TEST_F(SqliteBatchTest, AFailingBatchLeavesTheDatabaseAsItWas) {
    db.cn->Execute(QStringLiteral("INSERT INTO T VALUES (1)"));
    int32_t affected = 42;
    const QString error = Failure(
        QStringLiteral("INSERT INTO T VALUES (2)\nUPDATE T SET A = A + 10\nINSERT INTO T VALUES "
                       "(12)"),
        &affected);
    EXPECT_TRUE(error.contains(QStringLiteral("(line 3)"))) << error.toStdString();
    EXPECT_EQ(Values(), "1");
    EXPECT_EQ(affected, 42);
    EXPECT_FALSE(db.cn->InTransaction());
}

TEST_F(SqliteBatchTest, AFailingBatchKeepsTheCallersTransaction) {
    db.cn->BeginTrans();
    db.cn->Execute(QStringLiteral("INSERT INTO T VALUES (1)"));
    Failure(QStringLiteral("INSERT INTO T VALUES (2)\nINSERT INTO T VALUES (1)"));
    EXPECT_TRUE(db.cn->InTransaction());
    EXPECT_EQ(Values(), "1");
    db.cn->RollbackTrans();
    EXPECT_EQ(Values(), "");
}

TEST_F(SqliteBatchTest, CountsTheRowsOfEveryChangingStatement) {
    int32_t affected = 0;
    db.cn->Execute(QStringLiteral("INSERT INTO T VALUES (1)\nINSERT INTO T VALUES (2)\n"
                                  "SELECT A FROM T\nUPDATE T SET A = A * 10"),
                   &affected);
    EXPECT_EQ(affected, 4);
    db.cn->Execute(QStringLiteral("SET NOCOUNT ON\nSELECT A FROM T"), &affected);
    EXPECT_EQ(affected, -1);
}

TEST_F(SqliteBatchTest, ABatchMayLeaveItsTransactionOpen) {
    db.cn->Execute(QStringLiteral("BEGIN TRAN\nINSERT INTO T VALUES (1)"));
    EXPECT_TRUE(db.cn->InTransaction());
    db.cn->RollbackTrans();
    EXPECT_EQ(Values(), "");
    EXPECT_FALSE(db.cn->InTransaction());
}

TEST_F(SqliteBatchTest, ABatchMayCommitTheCallersTransaction) {
    db.cn->BeginTrans();
    db.cn->Execute(QStringLiteral("INSERT INTO T VALUES (1)\nCOMMIT TRANSACTION"));
    EXPECT_FALSE(db.cn->InTransaction());
    auto other = ado::Connection::Create();
    other->Open(db.Conn());
    EXPECT_EQ(other->Execute(QStringLiteral("SELECT COUNT(*) FROM T")).Fields()[0].Value(),
              rt::Variant(1));
}

TEST_F(SqliteBatchTest, TransactionStatementsOutOfPlaceFailWhole) {
    EXPECT_TRUE(Failure(QStringLiteral("INSERT INTO T VALUES (1)\nCOMMIT"))
                    .contains(QStringLiteral("no corresponding BEGIN TRANSACTION")));
    EXPECT_TRUE(Failure(QStringLiteral("INSERT INTO T VALUES (1)\nROLLBACK TRAN"))
                    .contains(QStringLiteral("no corresponding BEGIN TRANSACTION")));
    EXPECT_TRUE(Failure(QStringLiteral("BEGIN TRAN\nINSERT INTO T VALUES (1)\nBEGIN TRAN"))
                    .contains(QStringLiteral("Sólo puede haber una transacción")));
    EXPECT_EQ(Values(), "");
    EXPECT_FALSE(db.cn->InTransaction());
}

TEST_F(SqliteBatchTest, ALoneTransactionStatementDrivesTheConnection) {
    db.cn->Execute(QStringLiteral("BEGIN TRANSACTION"));
    EXPECT_TRUE(db.cn->InTransaction());
    db.cn->Execute(QStringLiteral("INSERT INTO T VALUES (1)"));
    db.cn->Execute(QStringLiteral("ROLLBACK"));
    EXPECT_FALSE(db.cn->InTransaction());
    EXPECT_EQ(Values(), "");
    EXPECT_EQ(RaisedNumber([&] { db.cn->Execute(QStringLiteral("COMMIT TRAN")); }),
              rt::err::ProviderUnspecified);
}

TEST_F(SqliteBatchTest, GoIsRefusedWithItsLine) {
    const QString error =
        Failure(QStringLiteral("INSERT INTO T VALUES (1)\nGO\nINSERT INTO T VALUES (2)"));
    EXPECT_TRUE(error.contains(QStringLiteral("'GO'"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("(line 2)"))) << error.toStdString();
    EXPECT_EQ(Values(), "");
}

TEST_F(SqliteBatchTest, ANulCharacterIsRefusedBeforeAnythingRuns) {
    const QString text = QStringLiteral("INSERT INTO T VALUES (7)\nINSERT INTO T VALUES (8)") +
                         QChar(u'\0') + QStringLiteral(" junk");
    EXPECT_EQ(RaisedNumber([&] { db.cn->Execute(text); }), rt::err::ProviderSyntax);
    EXPECT_TRUE(db.cn->Errors().Item(0).Description().contains(QStringLiteral("NUL")));
    ado::Recordset rs;
    EXPECT_EQ(RaisedNumber([&] { rs.Open(QStringLiteral("SELECT 1") + QChar(u'\0'), db.cn); }),
              rt::err::ProviderSyntax);
    EXPECT_EQ(Values(), "");
}

TEST_F(SqliteBatchTest, UnsupportedIdentityIsAClearError) {
    EXPECT_TRUE(Failure(QStringLiteral("CREATE TABLE U (Id int IDENTITY(1, 2))"))
                    .contains(QStringLiteral("counts by 2")));
    EXPECT_TRUE(Failure(QStringLiteral("CREATE TABLE U (Id int IDENTITY(0, 1))"))
                    .contains(QStringLiteral("starts at 0")));
    EXPECT_TRUE(Failure(QStringLiteral("CREATE TABLE U (Id int IDENTITY, C int PRIMARY KEY)"))
                    .contains(QStringLiteral("key alone")));
}

// A chain of 400 "+" runs on the embedded database as it does on SQLite itself: numbers of a
// column (no type known before the values: TSQL_ADD), texts joined, and the two mixed.
TEST_F(SqliteBatchTest, FourHundredOperandsOfPlus) {
    constexpr int kOperands = 400;
    db.cn->Execute(QStringLiteral("INSERT INTO T VALUES (1)"));
    const auto chain = [](const QString& operand) {
        return QStringList(kOperands, operand).join(QStringLiteral(" + "));
    };
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ") + chain("A") + QStringLiteral(" FROM T")),
              QString::number(kOperands));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ") + chain("'x'")), QString(kOperands, u'x'));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ") + chain("A") + QStringLiteral(" + 'x' + ") +
                      chain("A") + QStringLiteral(" FROM T")),
              QString::number(kOperands) + QStringLiteral("x") + QString(kOperands, u'1'));
}

}  // namespace
