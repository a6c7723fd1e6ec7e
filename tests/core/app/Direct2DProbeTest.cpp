#include <gtest/gtest.h>
#include <objbase.h>
#include <thread>
#include "app/Direct2DProbe.h"
#include "toolkit/foundation/ShownVersion.h"

TEST(Direct2DProbe, UsableOnWindows7AndLater)
{
    CDirect2DProbe probe;
    EXPECT_TRUE(probe.IsUsable());
}

TEST(Direct2DProbe, NeverBeforeWindows7)
{
    ShownVersion vista(6, 0);
    CDirect2DProbe probe;
    EXPECT_FALSE(probe.IsUsable());
}

TEST(Direct2DProbe, AnsweredOnceAndKept)
{
    CDirect2DProbe probe;
    bool first = probe.IsUsable();
    ShownVersion vista(6, 0);
    EXPECT_EQ(probe.IsUsable(), first);
}

// The probe's COM apartment is its own: a first question from a thread in
// the multithreaded apartment gets the same answer.
TEST(Direct2DProbe, AnswerDoesNotDependOnTheCallersApartment)
{
    bool usable = false;
    std::thread asker([&usable] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CDirect2DProbe probe;
        usable = probe.IsUsable();
        CoUninitialize();
    });
    asker.join();
    EXPECT_TRUE(usable);
}
