#include <gtest/gtest.h>

#include "MemoryCursor.h"
#include "Printers.h"
#include "RecordsetImpl.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using rt::Variant;

// Drivers that serve one result at a time make an open streaming recordset read the rest of
// its rows into memory before another statement runs; it must go on as if nothing happened.
class RecordsetReleaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cn->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") +
                 dir.File(QStringLiteral("r.db")));
    }

    void AttachRows() {
        std::vector<std::vector<Variant>> rows = {{Variant("a")}, {Variant("b")}, {Variant("c")}};
        impl.Attach(cn,
                    std::make_unique<ado::MemoryCursor>(
                        std::vector<ado::FieldInfo>{{QStringLiteral("X"), ado::adVarChar, 1}},
                        std::move(rows)),
                    QStringLiteral("rows"), ado::adOpenForwardOnly);
    }

    Variant Current() const { return impl.Fields()[0].Value(); }

    TempDir dir;
    std::shared_ptr<ado::Connection> cn = ado::Connection::Create();
    ado::RecordsetImpl impl;
};

TEST_F(RecordsetReleaseTest, ReleasedRecordsetKeepsItsPositionAndRows) {
    AttachRows();
    impl.MoveNext();
    impl.ReleaseCursor();
    EXPECT_EQ(Current(), Variant("b"));
    EXPECT_EQ(impl.RecordCount(), -1);
    impl.MoveNext();
    EXPECT_EQ(Current(), Variant("c"));
    impl.MoveNext();
    EXPECT_TRUE(impl.Eof());
    EXPECT_FALSE(impl.Bof());
    // The rows before the one it was on are gone, as for any forward-only cursor.
    EXPECT_THROW(impl.MoveFirst(), rt::RuntimeError);
}

TEST_F(RecordsetReleaseTest, ReleasedOnItsFirstRowItCanStillGoBackThere) {
    AttachRows();
    impl.ReleaseCursor();
    impl.MoveNext();
    impl.MoveNext();
    impl.MoveFirst();
    EXPECT_EQ(Current(), Variant("a"));
}

TEST_F(RecordsetReleaseTest, ReleasedRecordsetNoLongerDependsOnTheConnection) {
    AttachRows();
    impl.ReleaseCursor();
    cn->Close();
    EXPECT_TRUE(impl.IsOpen());
    impl.MoveNext();
    EXPECT_EQ(Current(), Variant("b"));
}

TEST_F(RecordsetReleaseTest, ReleasingAtTheEndKeepsEof) {
    AttachRows();
    impl.MoveNext();
    impl.MoveNext();
    impl.MoveNext();
    impl.ReleaseCursor();
    EXPECT_TRUE(impl.Eof());
    EXPECT_FALSE(impl.Bof());
}

}  // namespace
