#include "SerialClasses.h"

#include <gtest/gtest.h>

#include <memory>

TEST(RuntimeClass, KindOfFollowsTheBaseChain)
{
    CTestDerivedPoint derived;
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CTestDerivedPoint)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CTestPoint)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(derived.IsKindOf(RUNTIME_CLASS(CTestNode)));

    CTestPoint point;
    EXPECT_FALSE(point.IsKindOf(RUNTIME_CLASS(CTestDerivedPoint)));
    EXPECT_TRUE(RUNTIME_CLASS(CTestDerivedPoint)->IsDerivedFrom(RUNTIME_CLASS(CTestPoint)));
    EXPECT_FALSE(RUNTIME_CLASS(CTestPoint)->IsDerivedFrom(RUNTIME_CLASS(CTestDerivedPoint)));
    EXPECT_STREQ("CTestDerivedPoint", derived.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CTestDerivedPoint)), RUNTIME_CLASS(CTestDerivedPoint)->m_nObjectSize);
}

TEST(RuntimeClass, SchemaAndSerialisability)
{
    EXPECT_EQ(1u, RUNTIME_CLASS(CTestPoint)->m_wSchema);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 2u, RUNTIME_CLASS(CTestNode)->m_wSchema);
    CTestNode node;
    EXPECT_TRUE(node.IsSerializable());
    CTestCreatable creatable;
    EXPECT_FALSE(creatable.IsSerializable());
}

// The class is declared and registered only in another translation unit.
TEST(RuntimeClass, ClassOfAnotherUnitIsCreatedByName)
{
    CRuntimeClass* pNarrow = CRuntimeClass::FromName("CTestRemote");
    ASSERT_NE(nullptr, pNarrow);
    EXPECT_EQ(pNarrow, CRuntimeClass::FromName(L"CTestRemote"));
    EXPECT_EQ(3u, pNarrow->m_wSchema);

    std::unique_ptr<CObject> narrow(CRuntimeClass::CreateObject("CTestRemote"));
    std::unique_ptr<CObject> wide(CRuntimeClass::CreateObject(L"CTestRemote"));
    ASSERT_NE(nullptr, narrow);
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(pNarrow, narrow->GetRuntimeClass());
    EXPECT_EQ(pNarrow, wide->GetRuntimeClass());
}

TEST(RuntimeClass, OnlyExactRegisteredNamesAreFound)
{
    for (const char* name : {"ctestpoint", "CTestPoin", "CTestPointX", "", "CTestDynamic", "CTestCreatable"})
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(nullptr, CRuntimeClass::FromName(name));
        EXPECT_EQ(nullptr, CRuntimeClass::CreateObject(name));
    }
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CTESTNODE"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject(L"NoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)));
    EXPECT_EQ(RUNTIME_CLASS(CTestNode), CRuntimeClass::FromName(L"CTestNode"));
    // Wide characters beyond 8 bits never match a narrow class name.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CTest\x0150oint"));
}

TEST(RuntimeClass, CreationNeedsACreator)
{
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CTestDynamic)->CreateObject());
    std::unique_ptr<CObject> created(RUNTIME_CLASS(CTestCreatable)->CreateObject());
    ASSERT_NE(nullptr, created);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CTestCreatable)));
}
