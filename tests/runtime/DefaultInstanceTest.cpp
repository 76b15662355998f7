#include "cheques/runtime/DefaultInstance.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QPointer>

namespace {

struct Counter {
    Counter() { ++created; }
    int value = 0;
    static inline int created = 0;
};

class Window : public QObject {};

}  // namespace

TEST(DefaultInstance, CreatedOnFirstUseAndFreshAfterRelease) {
    using Shared = rt::DefaultInstance<Counter>;
    EXPECT_FALSE(Shared::Exists());
    Shared::Get().value = 7;
    EXPECT_EQ(Shared::Get().value, 7);
    EXPECT_EQ(Counter::created, 1);
    Shared::Release();
    EXPECT_FALSE(Shared::Exists());
    EXPECT_EQ(Shared::Get().value, 0);
    EXPECT_EQ(Counter::created, 2);
    Shared::Release();
}

TEST(DefaultInstance, QObjectsAreDeletedLater) {
    using Shared = rt::DefaultInstance<Window>;
    QPointer<Window> first = &Shared::Get();
    Shared::Release();
    EXPECT_FALSE(Shared::Exists());
    EXPECT_TRUE(first);  // still alive until the event loop runs
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
}
