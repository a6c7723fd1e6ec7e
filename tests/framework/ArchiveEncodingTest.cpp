// Golden bytes of every encoding the archive writes, and the same bytes read
// back.
#include "ArchiveSupport.h"
#include "SerialClasses.h"

#include <gtest/gtest.h>

namespace
{


struct StringCase
{
    const char* name;
    int nLength;
    bool bWide;
    const char* prefix;
};

const StringCase stringCases[] = {
    {"empty 8-bit", 0, false, "00"},
    {"254 8-bit", 254, false, "FE"},
    {"255 8-bit", 255, false, "FF FF 00"},
    {"0xFFFD 8-bit", 0xFFFD, false, "FF FD FF"},
    {"0xFFFE 8-bit", 0xFFFE, false, "FF FF FF FE FF 00 00"},
    {"0x10000 8-bit", 0x10000, false, "FF FF FF 00 00 01 00"},
    {"empty UTF-16", 0, true, "FF FE FF 00"},
    {"3 UTF-16", 3, true, "FF FE FF 03"},
    {"254 UTF-16", 254, true, "FF FE FF FE"},
    {"255 UTF-16", 255, true, "FF FE FF FF FF 00"},
    {"0xFFFE UTF-16", 0xFFFE, true, "FF FE FF FF FF FF FE FF 00 00"},
};

}

TEST(ArchiveEncoding, StringLengthPrefixes)
{
    for (const StringCase& c : stringCases)
    {
        SCOPED_TRACE(c.name);
        Bytes bytes;
        if (c.bWide)
        {
            CStringW str;
            for (int i = 0; i < c.nLength; ++i)
                str += static_cast<wchar_t>(L'a' + i % 26);
            bytes = StoreBytes([&](CArchive& ar) { ar << str; });
            Bytes prefix = FromHex(c.prefix);
            ASSERT_EQ(prefix.size() + 2 * c.nLength, bytes.size());
            EXPECT_EQ(Hex(prefix), Hex(Bytes(bytes.begin(), bytes.begin() + prefix.size())));
            CStringW loaded;
            LoadBytes(bytes, [&](CArchive& ar) { ar >> loaded; });
            EXPECT_TRUE(loaded == str);
        }
        else
        {
            CStringA str;
            for (int i = 0; i < c.nLength; ++i)
                str += static_cast<char>('a' + i % 26);
            bytes = StoreBytes([&](CArchive& ar) { ar << str; });
            Bytes prefix = FromHex(c.prefix);
            ASSERT_EQ(prefix.size() + c.nLength, bytes.size());
            EXPECT_EQ(Hex(prefix), Hex(Bytes(bytes.begin(), bytes.begin() + prefix.size())));
            CStringA loaded;
            LoadBytes(bytes, [&](CArchive& ar) { ar >> loaded; });
            EXPECT_TRUE(loaded == str);
        }
    }
}

TEST(ArchiveEncoding, Utf16AbcIsMarkedAndFollowedBySixBytes)
{
    Bytes bytes = StoreBytes([](CArchive& ar) { ar << CStringW(L"abc"); });
    EXPECT_EQ("FF FE FF 03 61 00 62 00 63 00", Hex(bytes));
}

TEST(ArchiveEncoding, Counts)
{
    struct
    {
        DWORD_PTR nCount;
        const char* hex;
    } const cases[] = {
        {0, "00 00"},
        {0xFFFE, "FE FF"},
        {0xFFFF, "FF FF FF FF 00 00"},
        {0x12345, "FF FF 45 23 01 00"},
        {0xFFFFFFFE, "FF FF FE FF FF FF"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.hex);
        Bytes bytes = StoreBytes([&](CArchive& ar) { ar.WriteCount(c.nCount); });
        EXPECT_EQ(c.hex, Hex(bytes));
        // Reading a count alone: the stream must still hold that many bytes
        // for the elements, so the check is left to the caller.
        DWORD_PTR nLoaded = 0;
        LoadBytes(bytes, [&](CArchive& ar) { nLoaded = ar.ReadCount(); });
        EXPECT_EQ(c.nCount, nLoaded);
    }
}

TEST(ArchiveEncoding, PlainValuesAreLittleEndianAndUnaligned)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << true << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<DWORD>(0x789ABCDE)
           << static_cast<LONG>(-2) << 1.0 << 2.0f << static_cast<ULONGLONG>(0x0102030405060708ull) << L'A';
    });
    EXPECT_EQ("01 12 56 34 DE BC 9A 78 FE FF FF FF 00 00 00 00 00 00 F0 3F 00 00 00 40 "
              "08 07 06 05 04 03 02 01 41 00",
              Hex(bytes));

    bool b = false;
    BYTE by = 0;
    WORD w = 0;
    DWORD dw = 0;
    LONG l = 0;
    double d = 0;
    float f = 0;
    ULONGLONG q = 0;
    wchar_t ch = 0;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> b >> by >> w >> dw >> l >> d >> f >> q >> ch; });
    EXPECT_TRUE(b);
    EXPECT_EQ(0x12, by);
    EXPECT_EQ(0x3456, w);
    EXPECT_EQ(0x789ABCDEu, dw);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(1.0, d);
    EXPECT_EQ(2.0f, f);
    EXPECT_EQ(0x0102030405060708ull, q);
    EXPECT_EQ(L'A', ch);
}

TEST(ArchiveEncoding, TimeIsStoredInItsLongFormAndReadInBothForms)
{
    Bytes bytes = StoreBytes([](CArchive& ar) { ar << CTime(static_cast<__time64_t>(0x5E0BE100)); });
    EXPECT_EQ("0A 00 00 80 00 E1 0B 5E 00 00 00 00", Hex(bytes));

    struct
    {
        const char* hex;
        __time64_t expected;
    } const cases[] = {
        {"0A 00 00 80 00 E1 0B 5E 00 00 00 00", 0x5E0BE100},
        {"00 E1 0B 5E", 0x5E0BE100},
        {"FF FF FF FF", 0xFFFFFFFF}, // the short form is unsigned
        {"0A 00 00 80 01 00 00 00 07 00 00 00", 1}, // the high half does not count
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.hex);
        CTime time;
        LoadBytes(FromHex(c.hex), [&](CArchive& ar) { ar >> time; });
        EXPECT_EQ(c.expected, time.GetTime());
    }
}

// Class index 1, first object index 2: the second object of the class is
// tagged 0x8001, a repeated object refers to index 2, null is 0.
TEST(ArchiveEncoding, ObjectAndClassTags)
{
    CTestPoint first(1, 2);
    CTestPoint second(3, 4);
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << &first << &second << &first << static_cast<CObject*>(nullptr);
    });
    Bytes expected = Concat({FromHex("FF FF 01 00 0A 00"), Text("CTestPoint"), FromHex("01 00 00 00 02 00 00 00"),
                             FromHex("01 80 03 00 00 00 04 00 00 00"), FromHex("02 00"), FromHex("00 00")});
    EXPECT_EQ(Hex(expected), Hex(bytes));

    int nLiveBefore = g_liveTestObjects;
    CObject* loaded[4] = {};
    LoadBytes(bytes, [&](CArchive& ar) { ar >> loaded[0] >> loaded[1] >> loaded[2] >> loaded[3]; });
    ASSERT_NE(nullptr, loaded[0]);
    ASSERT_NE(nullptr, loaded[1]);
    EXPECT_EQ(nLiveBefore + 2, g_liveTestObjects);
    EXPECT_EQ(loaded[0], loaded[2]);
    EXPECT_EQ(nullptr, loaded[3]);
    EXPECT_EQ(3, static_cast<CTestPoint*>(loaded[1])->m_x);
    delete loaded[0];
    delete loaded[1];
}

TEST(ArchiveEncoding, VersionableClassCarriesItsSchemaWord)
{
    CTestNode node;
    node.m_name = L"n";
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &node; });
    Bytes expected = Concat({FromHex("FF FF 02 00 09 00"), Text("CTestNode"), FromHex("FF FE FF 01 6E 00 00 00")});
    EXPECT_EQ(Hex(expected), Hex(bytes));
}

// Indices from 0x7FFF on need the long tag: 0x7FFF and a DWORD, with bit 31
// for a class.
TEST(ArchiveEncoding, LongTagsBeyondTheWordRange)
{
    const int nPoints = 0x7FFE; // indices 2 .. 0x7FFF
    std::vector<std::unique_ptr<CTestPoint>> points;
    for (int i = 0; i < nPoints; ++i)
        points.emplace_back(new CTestPoint(i, 0));
    CTestNode nodeA;
    CTestNode nodeB;
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        for (auto& point : points)
            ar << point.get();
        ar << points.back().get(); // reference to index 0x7FFF
        ar << &nodeA << &nodeB;    // class index 0x8000; nodeB by class reference
    });
    Bytes reference = FromHex("FF 7F FF 7F 00 00");
    size_t nBodies = 6 + 10 + 8 + static_cast<size_t>(nPoints - 1) * (2 + 8);
    ASSERT_GT(bytes.size(), nBodies + reference.size());
    EXPECT_EQ(Hex(reference), Hex(Bytes(bytes.begin() + nBodies, bytes.begin() + nBodies + reference.size())));
    // nodeA: FF FF, schema, length, "CTestNode", empty UTF-16 name, null child.
    size_t nNodeB = nBodies + reference.size() + 6 + 9 + 4 + 2;
    EXPECT_EQ("FF 7F 00 80 00 80", Hex(Bytes(bytes.begin() + nNodeB, bytes.begin() + nNodeB + 6)));

    int nLiveBefore = g_liveTestObjects;
    LoadBytes(bytes, [&](CArchive& ar) {
        ar.SetLoadedObjectOwnership();
        CObject* pOb = nullptr;
        CObject* pLast = nullptr;
        for (int i = 0; i < nPoints; ++i)
            ar >> pLast;
        ar >> pOb;
        EXPECT_EQ(pLast, pOb);
        EXPECT_EQ(nPoints - 1, static_cast<CTestPoint*>(pOb)->m_x);
        ar >> pOb;
        ar >> pOb;
        EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CTestNode)));
    });
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}
