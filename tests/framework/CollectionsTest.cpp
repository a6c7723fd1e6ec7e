#include "ArchiveSupport.h"
#include "SerialClasses.h"

#include <afxcoll.h>

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace
{

template <class LIST>
std::vector<int> Items(const LIST& list)
{
    std::vector<int> items;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        items.push_back(list.GetNext(pos));
    return items;
}

}

TEST(Array, SizeGrowthInsertAndRemove)
{
    CArray<int> array;
    array.SetSize(3, 10);
    EXPECT_EQ(3, array.GetSize());
    EXPECT_EQ(0, array[2]); // new elements start at zero
    array[0] = 5;
    EXPECT_EQ(3, array.Add(6));
    array.InsertAt(1, 9, 2);
    EXPECT_EQ((std::vector<int>{5, 9, 9, 0, 0, 6}), std::vector<int>(array.GetData(), array.GetData() + array.GetSize()));
    array.RemoveAt(1, 3);
    EXPECT_EQ((std::vector<int>{5, 0, 6}), std::vector<int>(array.GetData(), array.GetData() + array.GetCount()));
    array.InsertAt(5, 7); // beyond the end: the gap is filled with zeros
    EXPECT_EQ(6, array.GetSize());
    EXPECT_EQ(0, array.GetAt(4));
    EXPECT_EQ(7, array.GetAt(5));
    EXPECT_EQ(5, array.GetUpperBound());
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(nullptr, array.GetData());
}

TEST(Array, ElementsOfTheArrayItselfCanBeAdded)
{
    CArray<CString, const CString&> array;
    array.Add(L"first");
    for (int i = 0; i < 100; ++i)
        array.Add(array[0]); // the argument lives in the storage that grows
    array.SetAtGrow(150, array[0]);
    EXPECT_EQ(151, array.GetSize());
    EXPECT_TRUE(array[100] == L"first");
    EXPECT_TRUE(array[150] == L"first");
    EXPECT_TRUE(array[120].IsEmpty());
    array.Append(array);
    EXPECT_EQ(302, array.GetSize());

    CArray<CString, const CString&> copy;
    copy.Copy(array);
    EXPECT_EQ(302, copy.GetSize());
    EXPECT_TRUE(copy[301] == L"first");
}

TEST(Array, NegativeSizeIsAnInvalidArgument)
{
    CArray<int> array;
    try
    {
        array.SetSize(-1);
        ADD_FAILURE() << "negative size accepted";
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
    }
}

TEST(List, AddInsertFindAndRemove)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddTail(3);
    POSITION first = list.AddHead(1);
    list.InsertAfter(first, 10);
    list.InsertBefore(list.GetTailPosition(), 20);
    EXPECT_EQ((std::vector<int>{1, 10, 2, 20, 3}), Items(list));
    EXPECT_EQ(5, list.GetCount());

    POSITION found = list.Find(20);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(nullptr, list.Find(20, found));
    EXPECT_EQ(found, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(5));
    list.RemoveAt(found);
    EXPECT_EQ(1, list.RemoveHead());
    EXPECT_EQ(3, list.RemoveTail());
    EXPECT_EQ((std::vector<int>{10, 2}), Items(list));

    POSITION pos = list.GetTailPosition();
    EXPECT_EQ(2, list.GetPrev(pos));
    EXPECT_EQ(10, list.GetPrev(pos));
    EXPECT_EQ(nullptr, pos);

    list.AddTail(&list); // appending a list to itself doubles it once
    EXPECT_EQ((std::vector<int>{10, 2, 10, 2}), Items(list));
    list.AddHead(&list);
    EXPECT_EQ(8, list.GetCount());
    EXPECT_EQ(10, list.GetHead());
    EXPECT_EQ(2, list.GetTail());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}

namespace
{

// Counts its live copies; a copy of a value marked to fail throws.
struct CountedItem
{
    static int s_live;
    int value;
    bool failsToCopy;

    CountedItem(int v = 0, bool fails = false) : value(v), failsToCopy(fails) { ++s_live; }
    CountedItem(const CountedItem& other) : value(other.value), failsToCopy(false)
    {
        if (other.failsToCopy)
            throw std::runtime_error("copy refused");
        ++s_live;
    }
    CountedItem& operator=(const CountedItem&) = default;
    ~CountedItem() { --s_live; }
};
int CountedItem::s_live = 0;

std::vector<int> Values(const CList<CountedItem, const CountedItem&>& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        values.push_back(list.GetNext(pos).value);
    return values;
}

}

// Nodes share blocks and reuse freed slots: whatever the order of adding and
// removing, every element is built once and destroyed once, and a copy that
// throws leaves the list as it was.
TEST(List, BlockNodesBuildAndDestroyEachElementOnce)
{
    {
        CList<CountedItem, const CountedItem&> list(3);
        for (int i = 0; i < 10; ++i)
            list.AddTail(CountedItem(i));
        EXPECT_EQ(10, CountedItem::s_live);

        for (int i = 0; i < 4; ++i)
            list.RemoveAt(list.FindIndex(i + 1)); // 1, 3, 5, 7 go
        list.AddHead(CountedItem(20));
        list.InsertAfter(list.FindIndex(2), CountedItem(21));
        EXPECT_EQ((std::vector<int>{20, 0, 2, 21, 4, 6, 8, 9}), Values(list));
        EXPECT_EQ(8, CountedItem::s_live);

        EXPECT_THROW(list.AddTail(CountedItem(99, true)), std::runtime_error);
        EXPECT_EQ((std::vector<int>{20, 0, 2, 21, 4, 6, 8, 9}), Values(list));
        EXPECT_EQ(8, CountedItem::s_live);
        list.AddTail(CountedItem(22)); // takes the slot the failed copy gave back
        EXPECT_EQ(9, list.GetCount());

        while (!list.IsEmpty())
            list.RemoveHead();
        EXPECT_EQ(0, CountedItem::s_live);

        // An emptied list gave its blocks back and starts anew.
        for (int i = 0; i < 7; ++i)
            list.AddHead(CountedItem(i));
        EXPECT_EQ((std::vector<int>{6, 5, 4, 3, 2, 1, 0}), Values(list));
        list.RemoveAll();
        EXPECT_EQ(0, CountedItem::s_live);
        list.AddTail(CountedItem(1));
        list.AddTail(CountedItem(2));
    }
    EXPECT_EQ(0, CountedItem::s_live); // the destructor destroys what is left
}

TEST(Map, LookUpSetRemoveAndVisitAll)
{
    CMap<int, int, CString, const CString&> map;
    map.InitHashTable(7);
    EXPECT_EQ(7u, map.GetHashTableSize());
    for (int i = 0; i < 50; ++i)
        map.SetAt(i, L"v");
    map[3] = L"three";
    map.SetAt(4, L"four");
    EXPECT_EQ(50, map.GetCount());

    CString value;
    EXPECT_TRUE(map.Lookup(3, value));
    EXPECT_TRUE(value == L"three");
    EXPECT_FALSE(map.Lookup(99, value));
    EXPECT_TRUE(map.RemoveKey(4));
    EXPECT_FALSE(map.RemoveKey(4));
    EXPECT_EQ(nullptr, map.PLookup(4));
    EXPECT_EQ(49, map.GetCount());

    std::set<int> keys;
    int key = 0;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        map.GetNextAssoc(pos, key, value);
        keys.insert(key);
    }
    EXPECT_EQ(49u, keys.size());
    EXPECT_EQ(0u, keys.count(4));

    map.InitHashTable(101); // refused while the map holds entries
    EXPECT_EQ(7u, map.GetHashTableSize());
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(Map, StringAndPointerKeys)
{
    CMapStringToPtr byName;
    byName.InitHashTable(199);
    int a = 1, b = 2;
    byName.SetAt(L"alpha", &a);
    byName[L"beta"] = &b;
    void* pValue = nullptr;
    EXPECT_TRUE(byName.Lookup(L"beta", pValue));
    EXPECT_EQ(&b, pValue);
    EXPECT_FALSE(byName.Lookup(L"Beta", pValue)); // keys are case-sensitive
    CString name;
    POSITION pos = byName.GetStartPosition();
    int nVisited = 0;
    while (pos != NULL)
    {
        byName.GetNextAssoc(pos, name, pValue);
        EXPECT_EQ(name == L"alpha" ? static_cast<void*>(&a) : static_cast<void*>(&b), pValue);
        ++nVisited;
    }
    EXPECT_EQ(2, nVisited);

    CMapPtrToPtr byPointer;
    byPointer.SetAt(&a, &b);
    EXPECT_TRUE(byPointer.Lookup(&a, pValue));
    EXPECT_EQ(&b, pValue);
    EXPECT_FALSE(byPointer.Lookup(&b, pValue));
    EXPECT_TRUE(byPointer.IsKindOf(RUNTIME_CLASS(CMapPtrToPtr)));
}

TEST(ObList, SerializeWritesTheCountThenTheObjects)
{
    CTestPoint first(1, 2);
    CObList list;
    list.AddTail(&first);
    list.AddTail(static_cast<CObject*>(nullptr));
    list.AddTail(&first);
    Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ("03 00 FF FF 01 00 0A 00 43 54 65 73 74 50 6F 69 6E 74 01 00 00 00 02 00 00 00 00 00 02 00",
              Hex(bytes));

    CTypedPtrList<CObList, CTestPoint*> loaded;
    LoadBytes(bytes, [&](CArchive& ar) {
        ar.SetLoadedObjectOwnership();
        loaded.Serialize(ar);
        ASSERT_EQ(3, loaded.GetCount());
        POSITION pos = loaded.GetHeadPosition();
        CTestPoint* pFirst = loaded.GetNext(pos);
        EXPECT_EQ(2, pFirst->m_y);
        EXPECT_EQ(nullptr, loaded.GetNext(pos));
        EXPECT_EQ(pFirst, loaded.GetNext(pos));
    });
}

TEST(StringArray, SerializeRoundTrip)
{
    CStringArray strings;
    strings.Add(L"one");
    strings.Add(CString(L"\x4E8C"));
    Bytes bytes = StoreBytes([&](CArchive& ar) { strings.Serialize(ar); });
    EXPECT_EQ("02 00 FF FE FF 03 6F 00 6E 00 65 00 FF FE FF 01 8C 4E", Hex(bytes));
    CStringArray loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2, loaded.GetSize());
    EXPECT_TRUE(loaded[1] == L"\x4E8C");
    EXPECT_TRUE(RUNTIME_CLASS(CStringArray) == CRuntimeClass::FromName("CStringArray"));
}

TEST(PtrCollections, TypedArrayOverPointers)
{
    CTypedPtrArray<CPtrArray, int*> array;
    int values[3] = {4, 5, 6};
    for (int& value : values)
        array.Add(&value);
    EXPECT_EQ(5, *array[1]);
    array[2] = &values[0];
    EXPECT_EQ(4, *array.GetAt(2));

    CPtrList list;
    list.AddTail(&values[1]);
    EXPECT_EQ(&values[1], list.GetHead());
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CPtrList)));
}
