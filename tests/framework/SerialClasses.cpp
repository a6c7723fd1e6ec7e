#include "SerialClasses.h"

std::atomic<int> g_liveTestObjects{0};

IMPLEMENT_SERIAL(CTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CTestDerivedPoint, CTestPoint, 1)
IMPLEMENT_SERIAL(CTestNode, CObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_DYNAMIC(CTestDynamic, CObject)
IMPLEMENT_DYNCREATE(CTestCreatable, CObject)

CTestPoint::CTestPoint()
{
    ++g_liveTestObjects;
}

CTestPoint::CTestPoint(LONG x, LONG y) : m_x(x), m_y(y)
{
    ++g_liveTestObjects;
}

CTestPoint::~CTestPoint()
{
    --g_liveTestObjects;
}

void CTestPoint::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_x << m_y;
    else
        ar >> m_x >> m_y;
}

void CTestDerivedPoint::Serialize(CArchive& ar)
{
    CTestPoint::Serialize(ar);
    if (ar.IsStoring())
        ar << m_tag;
    else
        ar >> m_tag;
}

CTestNode::CTestNode()
{
    ++g_liveTestObjects;
}

CTestNode::~CTestNode()
{
    --g_liveTestObjects;
}

void CTestNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_name << m_pChild;
        return;
    }
    m_loadedSchema = ar.GetObjectSchema();
    m_schemaAskedTwice = ar.GetObjectSchema();
    ar >> m_name >> m_pChild;
}

// Known to no other file of the tests: only its registration makes it
// reachable by name.
class CTestRemote : public CObject
{
    DECLARE_SERIAL(CTestRemote)
};

IMPLEMENT_SERIAL(CTestRemote, CObject, 3)
