#include <gtest/gtest.h>
#include "markup/core/KvoMarkupCollection.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/values/KvoMarkupInt.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

using KvoMarkupCollectionTest = MarkupObjectTest;

TEST_F(KvoMarkupCollectionTest, ItemsKeepTheirOrderAndLogicalParent)
{
    CTestMarkupElementCollection collection;
    CKvoMarkupObject* first = NewTestElement();
    CKvoMarkupObject* second = NewTestElement();
    CKvoMarkupObject* third = NewTestElement();
    collection.Add(first);
    collection.Add(second);
    collection.SetContentObject(nullptr, third);

    ASSERT_EQ(collection.GetCount(), 3);
    EXPECT_EQ(collection.GetLogicalChildrenCount(), 3);
    EXPECT_EQ(collection.GetItem(0), first);
    EXPECT_EQ(collection.GetLogicalChild(2), third);
    EXPECT_EQ(collection.GetLogicalChild(3), nullptr);
    EXPECT_TRUE(collection.HasContentObject());
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(collection.GetItem(index)->GetLogicalParent(), &collection);
    ASSERT_EQ(collection.added.size(), 3u);
    EXPECT_EQ(collection.added[2].first, third);
    EXPECT_EQ(collection.added[2].second, 2);

    // Removing takes the collection's reference and parenthood away.
    second->AddRef();
    collection.RemoveAt(1);
    EXPECT_EQ(second->GetLogicalParent(), nullptr);
    EXPECT_EQ(collection.GetItem(1), third);
    EXPECT_EQ(second->Release(), 0);

    collection.RemoveAt(2);
    collection.RemoveAt(-1);
    EXPECT_EQ(collection.GetCount(), 2);

    first->AddRef();
    collection.RemoveAll();
    EXPECT_EQ(collection.GetCount(), 0);
    EXPECT_FALSE(collection.HasContentObject());
    EXPECT_EQ(first->GetLogicalParent(), nullptr);
    EXPECT_EQ(first->Release(), 0);
}

TEST_F(KvoMarkupCollectionTest, WrongTypeAddedInCodeIsIgnored)
{
    CTestMarkupElementCollection collection;
    collection.Add(new CKvoMarkupInt(5));
    collection.Add(CTestMarkupOther::s_type->CreateObject());
    collection.Add(nullptr);
    EXPECT_EQ(collection.GetCount(), 0);
    EXPECT_TRUE(collection.added.empty());

    // The base collection has no element type and takes nothing.
    CKvoMarkupCollection untyped;
    untyped.Add(NewTestElement());
    EXPECT_EQ(untyped.GetCount(), 0);
}

TEST_F(KvoMarkupCollectionTest, WrongTypeAsParsedContentIsABuildError)
{
    CTestMarkupElementCollection collection;
    EXPECT_EQ(CatchMarkupBuildError([&] { collection.SetContentObject(nullptr, new CKvoMarkupInt(5)); }),
              L"'CKvoMarkupInt' object cannot be added to 'CKvoMarkupCollection'. "
              L"Object cannot be converted to type 'CTestMarkupElement'");
    EXPECT_EQ(collection.GetCount(), 0);

    CKvoMarkupCollection untyped;
    EXPECT_EQ(CatchMarkupBuildError([&] { untyped.SetContentObject(nullptr, NewTestElement()); }),
              L"'CTestMarkupElement' object cannot be added to 'CKvoMarkupCollection'. "
              L"Object cannot be converted to type ''");
}

TEST_F(KvoMarkupCollectionTest, ItemsOutliveTheCollectionOnlyWithTheirOwnReference)
{
    CKvoMarkupObject* kept = NewTestElement();
    {
        CKvoMarkupPtr<CTestMarkupElementCollection> collection(new CTestMarkupElementCollection);
        kept->AddRef();
        collection->Add(kept);
        collection->Add(NewTestElement());
    }
    EXPECT_EQ(kept->GetLogicalParent(), nullptr);
    EXPECT_EQ(kept->Release(), 0);
}
