#include <gtest/gtest.h>
#include <afxwin.h>
#include <cstdlib>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>
#include "foundation/base/KvoEventConnection.h"
#include "foundation/base/KvoReleaseHolder.h"

// The test sinks' operator delete keeps their memory (see SinkQuarantine):
// the pairing with malloc is deliberate.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
// What the sinks saw, in order.
std::string& EventTestLog()
{
    static std::string log;
    return log;
}

// A sink's memory after it was deleted: calls that still reach it are
// counted as uses after free instead of running into freed memory.
class TombstoneSink : public CKvoEventSink {
public:
    void OnEvent(DWORD, WPARAM, LPARAM, DWORD) override { ++UsesAfterFree(); }
    static int& UsesAfterFree()
    {
        static int uses = 0;
        return uses;
    }
};

// The counting allocator of the test sinks: counts live sinks and keeps the
// memory of deleted ones in quarantine, turned into tombstones, until the
// test ends, so no later sink can take the same address.
struct SinkQuarantine {
    static int& Live()
    {
        static int live = 0;
        return live;
    }
    static std::vector<void*>& Freed()
    {
        static std::vector<void*> freed;
        return freed;
    }
    static void Clear()
    {
        for (void* memory : Freed())
            std::free(memory);
        Freed().clear();
        TombstoneSink::UsesAfterFree() = 0;
    }
};

class EventTestSink : public CKvoEventSink {
public:
    EventTestSink(const char* name, std::function<void(EventTestSink&)> action = nullptr)
        : m_name(name), m_action(std::move(action))
    {
    }
    void OnEvent(DWORD code, WPARAM wParam, LPARAM, DWORD) override
    {
        EventTestLog() += m_name + std::to_string(code) + (wParam ? "+" : "") + " ";
        if (m_action)
            m_action(*this);
    }

    static void* operator new(size_t size)
    {
        static_assert(sizeof(TombstoneSink) <= sizeof(EventTestSink), "a tombstone fits");
        ++SinkQuarantine::Live();
        if (void* memory = std::malloc(size))
            return memory;
        throw std::bad_alloc();
    }
    static void operator delete(void* memory)
    {
        --SinkQuarantine::Live();
        new (memory) TombstoneSink;
        SinkQuarantine::Freed().push_back(memory);
    }

    std::string m_name;
    std::function<void(EventTestSink&)> m_action;
    DWORD m_id = 0;
};

class KvoEventConnectionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        EventTestLog().clear();
        SinkQuarantine::Clear();
        m_connection = new CKvoEventConnection;
    }
    void TearDown() override
    {
        m_connection->InternalRelease();
        EXPECT_EQ(TombstoneSink::UsesAfterFree(), 0) << "a deleted sink was called";
        SinkQuarantine::Clear();
    }
    EventTestSink* Add(DWORD code, EventTestSink* sink)
    {
        sink->m_id = m_connection->Connect(code, sink);
        return sink;
    }
    CKvoEventConnection* m_connection = nullptr;
};

// A connection object that says when it is gone.
class ObservedConnection : public CKvoEventConnection {
public:
    explicit ObservedConnection(bool* gone) : m_gone(gone) {}
    ~ObservedConnection() override { *m_gone = true; }

private:
    bool* m_gone;
};
}

TEST_F(KvoEventConnectionFixture, DeliversToTheSinksOfTheCodeInConnectionOrder)
{
    EventTestSink a("a"), b("b"), c("c");
    Add(1, &a);
    Add(2, &b);
    Add(1, &c);
    EXPECT_TRUE(m_connection->SendEvent(1, 1, 0, 0));
    EXPECT_EQ(EventTestLog(), "a1+ c1+ ");
    EXPECT_FALSE(m_connection->SendEvent(3, 0, 0, 0)) << "no connection for the code";
    EXPECT_EQ(EventTestLog(), "a1+ c1+ ");
    EXPECT_EQ(m_connection->Connect(1, nullptr), 0u);
}

TEST_F(KvoEventConnectionFixture, IdsAreUniqueAndFoundUntilDisconnected)
{
    EventTestSink a("a"), b("b");
    DWORD first = Add(1, &a)->m_id, second = Add(1, &b)->m_id;
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(m_connection->FindConnection(first), 0);
    EXPECT_EQ(m_connection->FindConnection(second), 1);
    EXPECT_TRUE(m_connection->Disconnect(first));
    EXPECT_FALSE(m_connection->Disconnect(first));
    EXPECT_EQ(m_connection->FindConnection(first), -1);
    EXPECT_EQ(m_connection->FindConnection(second), 0);
    DWORD again = m_connection->Connect(1, &a);
    EXPECT_NE(again, first) << "an id is never given out twice";
}

TEST_F(KvoEventConnectionFixture, SinkThatDisconnectsALaterSinkKeepsItFromTheEvent)
{
    EventTestSink later("later");
    EventTestSink first("first", [&](EventTestSink&) { m_connection->Disconnect(later.m_id); });
    Add(5, &first);
    Add(5, &later);
    EXPECT_TRUE(m_connection->SendEvent(5, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "first5 ");
    EXPECT_EQ(m_connection->GetConnectionCount(), 1);
}

// Sinks that disconnect and delete themselves, or delete a sink after them,
// during delivery: the deleted ones are never called (the quarantine turns
// them into tombstones that count calls).
TEST_F(KvoEventConnectionFixture, DeletedSinksAreNeverTouchedDuringDelivery)
{
    EventTestSink* selfDeleting = new EventTestSink("self", [&](EventTestSink& sink) {
        m_connection->Disconnect(sink.m_id);
        delete &sink;
    });
    EventTestSink* victim = new EventTestSink("victim");
    // The killer fires on every send: it deletes its victim only once.
    EventTestSink* killer = new EventTestSink("killer", [&](EventTestSink&) {
        if (!victim)
            return;
        m_connection->DisconnectSink(victim);
        delete victim;
        victim = nullptr;
    });
    EventTestSink last("last");
    Add(9, selfDeleting);
    Add(9, killer);
    Add(9, victim);
    Add(9, &last);
    EXPECT_EQ(SinkQuarantine::Live(), 3);

    EXPECT_TRUE(m_connection->SendEvent(9, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "self9 killer9 last9 ");
    EXPECT_EQ(SinkQuarantine::Live(), 1);
    EXPECT_EQ(m_connection->GetConnectionCount(), 2);

    EventTestLog().clear();
    EXPECT_TRUE(m_connection->SendEvent(9, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "killer9 last9 ");
    EXPECT_EQ(TombstoneSink::UsesAfterFree(), 0);
    m_connection->DisconnectSink(killer);
    delete killer;
}

TEST_F(KvoEventConnectionFixture, ThrowingSinkDoesNotStopTheOthers)
{
    EventTestSink thrower("thrower", [](EventTestSink&) { throw std::runtime_error("sink failed"); });
    EventTestSink after("after");
    Add(4, &thrower);
    Add(4, &after);
    EXPECT_TRUE(m_connection->SendEvent(4, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "thrower4 after4 ");
}

namespace {
// A class-library exception that counts its live instances.
class CountedException : public CException {
public:
    CountedException() { ++Live(); }
    ~CountedException() override { --Live(); }
    static int& Live()
    {
        static int live = 0;
        return live;
    }
};
}

// A class-library exception thrown from a sink is deleted where it is caught.
TEST_F(KvoEventConnectionFixture, ThrownFrameworkExceptionIsDeletedAndTheOthersStillRun)
{
    EventTestSink thrower("thrower", [](EventTestSink&) { throw new CountedException; });
    EventTestSink after("after");
    Add(4, &thrower);
    Add(4, &after);
    EXPECT_TRUE(m_connection->SendEvent(4, 0, 0, 0));
    EXPECT_TRUE(m_connection->SendEvent(4, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "thrower4 after4 thrower4 after4 ");
    EXPECT_EQ(CountedException::Live(), 0) << "each thrown exception deleted";
}

TEST_F(KvoEventConnectionFixture, NestedSendsAndConnectionsMadeDuringDelivery)
{
    EventTestSink inner("inner");
    EventTestSink added("added");
    EventTestSink outer("outer", [&](EventTestSink&) {
        if (m_connection->FindConnection(added.m_id) < 0)
            added.m_id = m_connection->Connect(1, &added);
        m_connection->SendEvent(2, 0, 0, 0);
    });
    EventTestSink second("second");
    Add(1, &outer);
    Add(2, &inner);
    Add(1, &second);
    EXPECT_TRUE(m_connection->SendEvent(1, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "outer1 inner2 second1 ") << "a sink connected during delivery waits for the next event";
    EventTestLog().clear();
    m_connection->SendEvent(1, 0, 0, 0);
    EXPECT_EQ(EventTestLog(), "outer1 inner2 second1 added1 ");
}

TEST_F(KvoEventConnectionFixture, RecordsDisconnectedDuringNestedDeliveryAreFreedAfterTheOutermost)
{
    EventTestSink* nestedVictim = new EventTestSink("victim");
    EventTestSink inner("inner", [&](EventTestSink&) {
        m_connection->DisconnectSink(nestedVictim);
        delete nestedVictim;
    });
    EventTestSink outer("outer", [&](EventTestSink&) { m_connection->SendEvent(2, 0, 0, 0); });
    Add(1, &outer);
    Add(2, &inner);
    Add(1, nestedVictim);
    Add(2, nestedVictim);
    EXPECT_TRUE(m_connection->SendEvent(1, 0, 0, 0));
    EXPECT_EQ(EventTestLog(), "outer1 inner2 ") << "the victim is skipped in both deliveries";
    EXPECT_EQ(m_connection->GetConnectionCount(), 2);
}

// A sink that drops the last other reference to the connection object: the
// object lives until the send returns.
TEST(KvoEventConnection, SendKeepsTheObjectAliveWhileItsSinksRun)
{
    bool gone = false;
    auto* connection = new ObservedConnection(&gone);
    struct Releaser : CKvoEventSink {
        CKvoEventConnection* connection;
        bool* gone;
        bool goneDuringEvent = true;
        void OnEvent(DWORD, WPARAM, LPARAM, DWORD) override
        {
            connection->InternalRelease();
            goneDuringEvent = *gone;
        }
    } releaser;
    releaser.connection = connection;
    releaser.gone = &gone;
    connection->Connect(7, &releaser);
    EXPECT_TRUE(connection->SendEvent(7, 0, 0, 0));
    EXPECT_FALSE(releaser.goneDuringEvent);
    EXPECT_TRUE(gone) << "released when the send returned";
}

TEST(KvoReleaseHolder, ReleasesItsOneReference)
{
    bool gone = false;
    auto* target = new ObservedConnection(&gone);
    target->InternalAddRef();
    {
        CKvoReleaseHolder holder(target);
        EXPECT_EQ(holder.Get(), target);
    }
    EXPECT_FALSE(gone);
    EXPECT_EQ(target->m_dwRef, 1);
    {
        CKvoReleaseHolder holder(target);
    }
    EXPECT_TRUE(gone);
    CKvoReleaseHolder empty;
}
