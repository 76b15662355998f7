#include "cheques/runtime/Collection.h"

#include <gtest/gtest.h>

#include "cheques/runtime/RuntimeError.h"

TEST(Collection, KeysIgnoreCaseAndIndexesStartAtOne) {
    rt::Collection c;
    c.Add("uno", "A");
    c.Add(2);
    c.Add("tres", "c");
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(1), rt::Variant("uno"));
    EXPECT_EQ(c.Item("a"), rt::Variant("uno"));
    EXPECT_EQ(c.Item(2), rt::Variant(2));
    EXPECT_THROW(c.Add("otro", "C"), rt::RuntimeError);
    EXPECT_THROW((void)c.Item(0), rt::RuntimeError);
    EXPECT_THROW((void)c.Item("zz"), rt::RuntimeError);
    c.Remove("A");
    EXPECT_EQ(c.Item(1), rt::Variant(2));
    EXPECT_FALSE(c.Contains("a"));
}

TEST(Collection, NothingIsNotEmpty) {
    rt::CollectionRef nothing;
    rt::CollectionRef empty = rt::NewCollection();
    EXPECT_FALSE(nothing);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Count(), 0);
}
