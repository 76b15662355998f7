#include <gtest/gtest.h>

#include "RaisedError.h"

#include <QFile>

#include "Printers.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using rt::Variant;

class SqliteRecordsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cn->Open(ConnectionString() + QStringLiteral(";Mode=ReadWriteCreate"));
        cn->Execute(QStringLiteral(
            "CREATE TABLE dbo.MA_CUENTAS (CODIGO varchar(10) PRIMARY KEY, NOMBRE varchar(40) NOT "
            "NULL, SALDO money, LIMITE decimal(12,2), ACTIVA bit, ALTA datetime, NIVEL int, "
            "NOTA text)"));
        cn->Execute(QStringLiteral(
            "INSERT INTO MA_CUENTAS VALUES ('1', 'Caja', 1234.5, 10.25, 1, '2024-03-01 "
            "10:20:30.250', 1, NULL);"
            "INSERT INTO MA_CUENTAS VALUES ('11', 'Banco Nación', -20, NULL, 0, '20240115', 2, "
            "'x');"
            "INSERT INTO MA_CUENTAS VALUES ('2', 'Deudores', 0, 0, 1, NULL, 1, '')"));
    }

    QString ConnectionString() const {
        return QStringLiteral("Provider=SQLite;Data Source=") + dir.File(QStringLiteral("c.db"));
    }

    ado::Recordset Open(const QString& sql, int cursorType = ado::adOpenUnspecified,
                        int lockType = ado::adLockUnspecified) {
        ado::Recordset rs;
        rs.Open(sql, cn, cursorType, lockType);
        return rs;
    }

    TempDir dir;
    std::shared_ptr<ado::Connection> cn = ado::Connection::Create();
};

TEST_F(SqliteRecordsetTest, ReadsRowsAndFieldsForwardOnly) {
    ado::Recordset rs = Open(QStringLiteral("SELECT CODIGO, NOMBRE FROM MA_CUENTAS ORDER BY 1"));
    EXPECT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.CursorType(), ado::adOpenForwardOnly);
    EXPECT_EQ(rs.LockType(), ado::adLockReadOnly);
    EXPECT_EQ(rs.RecordCount(), -1);
    QStringList names;
    for (; !rs.Eof(); rs.MoveNext()) {
        EXPECT_FALSE(rs.Bof());
        names << rs.Fields().Item(QStringLiteral("nombre")).Value().ToString();
    }
    EXPECT_EQ(names, QStringList({"Caja", "Banco Nación", "Deudores"}));
    EXPECT_EQ(RaisedNumber([&] { rs.MoveNext(); }), ado::err::NoCurrentRecord);
    EXPECT_EQ(RaisedNumber([&] { rs.Fields()[0].Value(); }), ado::err::NoCurrentRecord);
}

TEST_F(SqliteRecordsetTest, EmptyResultIsBothBofAndEof) {
    for (const int cursor : {ado::adOpenForwardOnly, ado::adOpenStatic, ado::adOpenDynamic}) {
        ado::Recordset rs =
            Open(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO = 'none'"), cursor);
        EXPECT_TRUE(rs.Bof()) << cursor;
        EXPECT_TRUE(rs.Eof()) << cursor;
        EXPECT_EQ(rs.Fields().Count(), 8);
        EXPECT_EQ(RaisedNumber([&] { rs.MoveFirst(); }), ado::err::NoCurrentRecord);
        EXPECT_EQ(RaisedNumber([&] { rs.GetRows(); }), ado::err::NoCurrentRecord);
    }
}

TEST_F(SqliteRecordsetTest, FieldTypesSizesAndValues) {
    ado::Recordset rs = Open(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO = '1'"));
    const ado::Fields& f = rs.Fields();
    struct Expect {
        const char* name;
        int type;
        int32_t size;
    };
    const Expect expected[] = {
        {"CODIGO", ado::adVarChar, 10}, {"NOMBRE", ado::adVarChar, 40},
        {"SALDO", ado::adCurrency, 8},  {"LIMITE", ado::adNumeric, 19},
        {"ACTIVA", ado::adBoolean, 2},  {"ALTA", ado::adDBTimeStamp, 16},
        {"NIVEL", ado::adInteger, 4},   {"NOTA", ado::adLongVarChar, 2147483647}};
    ASSERT_EQ(f.Count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(f[i].Name(), expected[i].name);
        EXPECT_EQ(f[i].Type(), expected[i].type) << expected[i].name;
        EXPECT_EQ(f[i].DefinedSize(), expected[i].size) << expected[i].name;
    }
    EXPECT_EQ(f["codigo"].Value(), Variant("1"));
    EXPECT_EQ(f["SALDO"].Value(), Variant(rt::Currency::FromScaled(12345000)));
    EXPECT_EQ(f["LIMITE"].Value(), Variant(10.25));
    EXPECT_EQ(f["ACTIVA"].Value(), Variant(true));
    EXPECT_EQ(f["ALTA"].Value(), Variant(QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30, 250))));
    EXPECT_EQ(f["NIVEL"].Value(), Variant(1));
    EXPECT_TRUE(f["NOTA"].Value().IsNull());
    EXPECT_EQ(f.IndexOf(QStringLiteral("Alta")), 5);
}

TEST_F(SqliteRecordsetTest, MissingFieldRaises3265) {
    ado::Recordset rs = Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS"));
    EXPECT_EQ(RaisedNumber([&] { rs.Fields().Item(QStringLiteral("NOPE")); }),
              ado::err::ItemNotFound);
    EXPECT_EQ(RaisedNumber([&] { rs.Fields().Item(1); }), ado::err::ItemNotFound);
}

TEST_F(SqliteRecordsetTest, CompactDateTextAndExpressionsAreTyped) {
    ado::Recordset rs =
        Open(QStringLiteral("SELECT ALTA, (SELECT COUNT(*) FROM MA_CUENTAS) AS N, NIVEL * 1.5 AS "
                            "M, NOMBRE || '!' AS T FROM MA_CUENTAS "
                            "WHERE CODIGO = '11'"));
    EXPECT_EQ(rs.Fields()[0].Value(), Variant(QDate(2024, 1, 15)));
    EXPECT_EQ(rs.Fields()[1].Type(), ado::adInteger);
    EXPECT_EQ(rs.Fields()[1].Value(), Variant(3));
    EXPECT_EQ(rs.Fields()[2].Type(), ado::adDouble);
    EXPECT_EQ(rs.Fields()[2].Value(), Variant(3.0));
    EXPECT_EQ(rs.Fields()[3].Type(), ado::adVarWChar);
    EXPECT_EQ(rs.Fields()[3].Value(), Variant("Banco Nación!"));
}

// A list sizes its columns from DefinedSize, so a computed text column held in memory reports
// its longest value; a streaming one cannot know it and keeps the provider's 4000.
TEST_F(SqliteRecordsetTest, ComputedTextColumnsAreSizedByTheirValues) {
    const QString sql = QStringLiteral(
        "SELECT 'abc' AS L, NOMBRE + '!' AS C, NIVEL * 2 AS N, MAX(NOMBRE) OVER () AS M, "
        "NULL AS V FROM MA_CUENTAS");
    ado::Recordset held = Open(sql, ado::adOpenStatic);
    EXPECT_EQ(held.Fields()[0].DefinedSize(), 3);
    EXPECT_EQ(held.Fields()[1].DefinedSize(), 13);  // "Banco Nación!"
    EXPECT_EQ(held.Fields()[2].DefinedSize(), 4);
    EXPECT_EQ(held.Fields()[3].DefinedSize(), 8);  // "Deudores"
    EXPECT_EQ(held.Fields()[4].DefinedSize(), 1);
    ado::Recordset streaming = Open(sql, ado::adOpenForwardOnly);
    EXPECT_EQ(streaming.Fields()[0].DefinedSize(), 4000);
}

TEST_F(SqliteRecordsetTest, GetRowsGivesFieldsByRowsFromTheCurrentRow) {
    ado::Recordset rs = Open(QStringLiteral("SELECT CODIGO, NIVEL FROM MA_CUENTAS ORDER BY CODIGO"),
                             ado::adOpenDynamic, ado::adLockReadOnly);
    rs.MoveFirst();
    rs.MoveLast();
    rs.MoveFirst();
    const auto rows = rs.GetRows(rs.RecordCount());
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 3u);
    EXPECT_EQ(rows[0][1], Variant("11"));
    EXPECT_EQ(rows[1][2], Variant(1));
    EXPECT_TRUE(rs.Eof());

    ado::Recordset fw = Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"));
    fw.MoveNext();
    const auto two = fw.GetRows(1);
    ASSERT_EQ(two[0].size(), 1u);
    EXPECT_EQ(two[0][0], Variant("11"));
    EXPECT_EQ(fw.Fields()[0].Value(), Variant("2"));
}

TEST_F(SqliteRecordsetTest, ForwardOnlyMoveFirstRunsTheQueryAgainButCannotGoBack) {
    ado::Recordset rs = Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"));
    rs.MoveNext();
    rs.MoveNext();
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("1"));
    EXPECT_EQ(RaisedNumber([&] { rs.MovePrevious(); }), ado::err::CantFetchBackwards);
    EXPECT_EQ(RaisedNumber([&] { rs.MoveLast(); }), ado::err::CantFetchBackwards);
    EXPECT_EQ(cn->Errors().Count(), 1);
    EXPECT_EQ(cn->Errors().Item(0).Number(), ado::err::CantFetchBackwards);
}

TEST_F(SqliteRecordsetTest, ClosedRecordsetRaises3704AndRemembersCursorAndLockType) {
    ado::Recordset rs;
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    EXPECT_EQ(RaisedNumber([&] { rs.Eof(); }), ado::err::ObjectClosed);
    EXPECT_EQ(RaisedNumber([&] { rs.Close(); }), ado::err::ObjectClosed);
    rs.SetCursorType(ado::adOpenKeyset);
    rs.SetLockType(ado::adLockOptimistic);
    rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), cn);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(RaisedNumber([&] { rs.Open(QStringLiteral("SELECT 1"), cn); }), ado::err::ObjectOpen);
    EXPECT_EQ(RaisedNumber([&] { rs.SetCursorType(ado::adOpenStatic); }), ado::err::ObjectOpen);
    rs.Close();
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), cn);
    EXPECT_EQ(rs.CursorType(), ado::adOpenKeyset);
    EXPECT_EQ(rs.LockType(), ado::adLockOptimistic);
}

TEST_F(SqliteRecordsetTest, ClientCursorLocationMakesRecordsetsStatic) {
    cn->SetCursorLocation(ado::adUseClient);
    ado::Recordset rs = Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), ado::adOpenForwardOnly);
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.CursorLocation(), ado::adUseClient);
    EXPECT_EQ(rs.RecordCount(), 3);
}

TEST_F(SqliteRecordsetTest, TableOptionOpensTheWholeTable) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("MA_CUENTAS"), cn, ado::adOpenStatic, ado::adLockReadOnly,
            ado::adCmdTable);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.Source(), "MA_CUENTAS");
}

TEST_F(SqliteRecordsetTest, RecordsetKeepsItsConnectionAlive) {
    ado::Recordset rs = Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY 1"));
    std::weak_ptr<ado::Connection> weak = cn;
    cn.reset();
    EXPECT_FALSE(weak.expired());
    rs.MoveNext();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant("11"));
    rs.Close();
    rs = ado::Recordset();
    EXPECT_TRUE(weak.expired());
}

TEST_F(SqliteRecordsetTest, ClosingTheConnectionClosesStreamingRecordsets) {
    ado::Recordset streaming = Open(QStringLiteral("SELECT * FROM MA_CUENTAS"));
    ado::Recordset held = Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), ado::adOpenStatic);
    cn->Close();
    EXPECT_EQ(cn->State(), ado::adStateClosed);
    EXPECT_EQ(streaming.State(), ado::adStateClosed);
    EXPECT_EQ(held.RecordCount(), 3);
    EXPECT_EQ(RaisedNumber([&] { Open(QStringLiteral("SELECT 1")); }),
              ado::err::ConnectionNotUsable);
}

// Held rows are read in blocks of a fixed number of values; row counts around a block's end
// must come back whole and in order.
TEST_F(SqliteRecordsetTest, HeldRowsComeBackWholeAndInOrder) {
    for (const int rows : {1, 682, 683, 1365, 1366, 5000}) {
        SCOPED_TRACE(rows);
        ado::Recordset rs = Open(QStringLiteral("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL "
                                                "SELECT I + 1 FROM N WHERE I < %1) "
                                                "SELECT I, I * 2, 'r' || I FROM N")
                                     .arg(rows),
                                 ado::adOpenStatic);
        ASSERT_EQ(rs.RecordCount(), rows);
        int expected = 1;
        for (; !rs.Eof(); rs.MoveNext(), ++expected) {
            ASSERT_EQ(rs.Fields()[0].Value(), Variant(expected));
            ASSERT_EQ(rs.Fields()[1].Value(), Variant(expected * 2));
            ASSERT_EQ(rs.Fields()[2].Value(), Variant(QStringLiteral("r%1").arg(expected)));
        }
        EXPECT_EQ(expected, rows + 1);
    }
}

TEST_F(SqliteRecordsetTest, MovedRecordsetKeepsItsPosition) {
    ado::Recordset rs = Open(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY 1"));
    rs.MoveNext();
    ado::Recordset moved = std::move(rs);
    EXPECT_EQ(moved.Fields()[0].Value(), Variant("11"));
    EXPECT_EQ(rs.State(), ado::adStateClosed);  // NOLINT(bugprone-use-after-move)
}

TEST_F(SqliteRecordsetTest, NonRowStatementLeavesRecordsetClosed) {
    ado::Recordset rs = Open(QStringLiteral("UPDATE MA_CUENTAS SET NIVEL = 3 WHERE CODIGO = '2'"));
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    ado::Recordset check = Open(QStringLiteral("SELECT NIVEL FROM MA_CUENTAS WHERE CODIGO = '2'"));
    EXPECT_EQ(check.Fields()[0].Value(), Variant(3));
}

}  // namespace
