// Serialisable classes shared by the framework tests. Every instance counts
// itself in g_liveTestObjects, so tests can see objects created and freed.
#pragma once

#include <afx.h>

#include <atomic>

extern std::atomic<int> g_liveTestObjects;

// A plain serialisable class, schema 1 (not versionable).
class CTestPoint : public CObject
{
    DECLARE_SERIAL(CTestPoint)
public:
    CTestPoint();
    CTestPoint(LONG x, LONG y);
    ~CTestPoint() override;
    void Serialize(CArchive& ar) override;

    LONG m_x = 0;
    LONG m_y = 0;
};

class CTestDerivedPoint : public CTestPoint
{
    DECLARE_SERIAL(CTestDerivedPoint)
public:
    void Serialize(CArchive& ar) override;

    WORD m_tag = 0;
};

// A versionable class (schema 2) with a name and one child object. The
// child is not owned: tests decide who frees it.
class CTestNode : public CObject
{
    DECLARE_SERIAL(CTestNode)
public:
    CTestNode();
    ~CTestNode() override;
    void Serialize(CArchive& ar) override;

    CStringW m_name;
    CObject* m_pChild = nullptr;
    UINT m_loadedSchema = 0;
    UINT m_schemaAskedTwice = 0;
};

// Run-time information only: not registered, not creatable.
class CTestDynamic : public CObject
{
    DECLARE_DYNAMIC(CTestDynamic)
};

// Creatable by class, but not registered for look-up by name.
class CTestCreatable : public CObject
{
    DECLARE_DYNCREATE(CTestCreatable)
};
