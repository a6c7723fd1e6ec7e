// Store and load through the archive: object graphs, schemas, buffering and
// the file position after Flush.
#include "ArchiveSupport.h"
#include "SerialClasses.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

TEST(ArchiveRoundTrip, SharedAndCyclicObjectsKeepTheirIdentity)
{
    CTestPoint shared(7, 8);
    CTestNode root;
    CTestNode inner;
    root.m_name = L"root \x6839";
    root.m_pChild = &inner;
    inner.m_name = L"inner";
    inner.m_pChild = &root; // a cycle back to the root
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &root << &shared << &shared; });

    int nLiveBefore = g_liveTestObjects;
    LoadBytes(bytes, [&](CArchive& ar) {
        ar.SetLoadedObjectOwnership();
        CTestNode* pRoot = nullptr;
        CObject* pShared1 = nullptr;
        CObject* pShared2 = nullptr;
        ar >> pRoot >> pShared1 >> pShared2;
        ASSERT_NE(nullptr, pRoot);
        EXPECT_TRUE(pRoot->m_name == L"root \x6839");
        auto* pInner = static_cast<CTestNode*>(pRoot->m_pChild);
        ASSERT_NE(nullptr, pInner);
        EXPECT_TRUE(pInner->m_name == L"inner");
        EXPECT_EQ(pRoot, pInner->m_pChild);
        EXPECT_EQ(pShared1, pShared2);
        EXPECT_EQ(8, static_cast<CTestPoint*>(pShared1)->m_y);
        EXPECT_EQ(nLiveBefore + 3, g_liveTestObjects);
    });
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}

TEST(ArchiveRoundTrip, SchemaOfTheStreamIsSeenOnceWhileReading)
{
    CTestNode node;
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &node << &node; });
    bytes[2] = 7; // another schema: the versionable class accepts it
    LoadBytes(bytes, [&](CArchive& ar) {
        ar.SetLoadedObjectOwnership();
        CTestNode* pNode = nullptr;
        ar >> pNode;
        EXPECT_EQ(7u, pNode->m_loadedSchema);
        EXPECT_EQ(static_cast<UINT>(-1), pNode->m_schemaAskedTwice);
    });
}

TEST(ArchiveRoundTrip, RequiredClassAcceptsDerivedClasses)
{
    CTestDerivedPoint derived;
    derived.m_x = 5;
    derived.m_tag = 9;
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &derived; });
    LoadBytes(bytes, [&](CArchive& ar) {
        ar.SetLoadedObjectOwnership();
        CTestPoint* pPoint = nullptr;
        ar >> pPoint; // reads with CTestPoint as the required class
        ASSERT_NE(nullptr, pPoint);
        EXPECT_TRUE(pPoint->IsKindOf(RUNTIME_CLASS(CTestDerivedPoint)));
        EXPECT_EQ(9, static_cast<CTestDerivedPoint*>(pPoint)->m_tag);
    });
}

TEST(ArchiveRoundTrip, ClassesAloneAndMappedObjects)
{
    CTestPoint outside;
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CTestNode));
        ar.WriteClass(RUNTIME_CLASS(CTestNode));
        ar.MapObject(&outside); // index 2: never written, only referred to
        ar << &outside;
    });
    EXPECT_EQ("FF FF 02 00 09 00 43 54 65 73 74 4E 6F 64 65 01 80 02 00", Hex(bytes));
    LoadBytes(bytes, [&](CArchive& ar) {
        UINT nSchema = 0;
        EXPECT_EQ(RUNTIME_CLASS(CTestNode), ar.ReadClass(RUNTIME_CLASS(CObject), &nSchema));
        EXPECT_EQ(2u, nSchema);
        EXPECT_EQ(RUNTIME_CLASS(CTestNode), ar.ReadClass());
        ar.MapObject(&outside);
        EXPECT_EQ(&outside, ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
    });
}

TEST(ArchiveRoundTrip, ReleasedObjectsBelongToTheCaller)
{
    CTestPoint a(1, 1);
    CTestPoint b(2, 2);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &a << &b << &a; });
    int nLiveBefore = g_liveTestObjects;
    std::vector<CObject*> released;
    LoadBytes(bytes, [&](CArchive& ar) {
        ar.SetLoadedObjectOwnership();
        CObject* pOb = nullptr;
        ar >> pOb >> pOb >> pOb;
        released = ar.ReleaseLoadedObjects();
    });
    ASSERT_EQ(2u, released.size());
    EXPECT_EQ(nLiveBefore + 2, g_liveTestObjects);
    for (CObject* pOb : released)
        delete pOb;
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}

TEST(ArchiveRoundTrip, SmallBufferAndLargeBlocks)
{
    Bytes block(5000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 7);
    CStringW longText;
    for (int i = 0; i < 3000; ++i)
        longText += static_cast<wchar_t>(0x3042 + i % 80);
    Bytes bytes = StoreBytes(
        [&](CArchive& ar) {
            ar << static_cast<BYTE>(1);
            ar.Write(block.data(), static_cast<UINT>(block.size()));
            ar << longText << static_cast<DWORD>(0xCAFEF00D);
        },
        128);
    ASSERT_EQ(1 + block.size() + 6 + 6000 + 4, bytes.size());

    LoadBytes(
        bytes,
        [&](CArchive& ar) {
            BYTE first = 0;
            Bytes readBack(block.size());
            CStringW text;
            DWORD dwLast = 0;
            ar >> first;
            EXPECT_EQ(block.size(), ar.Read(readBack.data(), static_cast<UINT>(readBack.size())));
            ar >> text >> dwLast;
            EXPECT_EQ(block, readBack);
            EXPECT_TRUE(text == longText);
            EXPECT_EQ(0xCAFEF00Du, dwLast);
            BYTE extra[4];
            EXPECT_EQ(0u, ar.Read(extra, sizeof(extra))); // the end is not an error
        },
        128);
}

TEST(ArchiveRoundTrip, EightBitTextLoadsIntoWideStrings)
{
    Bytes bytes = StoreBytes([](CArchive& ar) { ar << CStringA("Jw_cad") << CStringW(L"wide"); });
    CStringW fromNarrow;
    CStringA fromWide;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> fromNarrow >> fromWide; });
    EXPECT_TRUE(fromNarrow == L"Jw_cad");
    EXPECT_TRUE(fromWide == "wide");
}

TEST(ArchiveRoundTrip, ShiftJisTextThroughTheThreadCodePage)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Japanese ANSI code page";
    CStringW text;
    LoadBytes(FromHex("04 93 FA 96 7B"), [&](CArchive& ar) { ar >> text; });
    EXPECT_TRUE(text == L"\x65E5\x672C");
}

// Flush on a loading archive gives the unread buffered bytes back, so the
// file can be read directly from the next byte on.
TEST(ArchiveRoundTrip, FlushWhileLoadingRestoresTheFilePosition)
{
    Bytes bytes = FromHex("01 02 03 04 05 06 07 08 09");
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    WORD w = 0;
    BYTE b = 0;
    ar >> w >> b;
    EXPECT_EQ(9u, file.GetPosition()); // the buffer took everything
    ar.Flush();
    EXPECT_EQ(3u, file.GetPosition());
    BYTE next = 0;
    file.Read(&next, 1);
    EXPECT_EQ(4, next);
    ar >> b; // the archive goes on from the file's position
    EXPECT_EQ(5, b);
}

TEST(ArchiveRoundTrip, OverARealFile)
{
    WCHAR szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    CStringW strPath = CStringW(szDir) + L"archive_roundtrip.bin";
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(ar.m_strFileName == file.GetFilePath());
        ar << CStringW(L"file") << static_cast<LONG>(42);
        // closed by the destructors: the archive writes its buffer first
    }
    CStringW text;
    LONG value = 0;
    {
        CFile file(strPath, CFile::modeRead | CFile::shareDenyNone);
        CArchive ar(&file, CArchive::load);
        ar >> text >> value;
    }
    EXPECT_TRUE(text == L"file");
    EXPECT_EQ(42, value);
    CFile::Remove(strPath);
}

// Archives hand their buffer and object table to the next archive, on any
// thread: loads running side by side each read their own objects, whatever
// the buffer size, and free each exactly once.
TEST(ArchiveRoundTrip, ArchivesOnManyThreadsReadTheirOwnObjects)
{
    const int nThreads = 6;
    const int nLoads = 40;
    const int nPoints = 300;
    std::vector<Bytes> streams;
    for (int t = 0; t < nThreads; ++t)
    {
        // Distinct objects, or the archive would store references to one.
        std::vector<std::unique_ptr<CTestPoint>> points;
        for (int i = 0; i < nPoints; ++i)
            points.push_back(std::make_unique<CTestPoint>(t * 100000 + i, -i));
        streams.push_back(StoreBytes([&](CArchive& ar) {
            ar << static_cast<DWORD>(nPoints);
            for (const auto& point : points)
                ar << point.get();
        }));
    }

    int nLiveBefore = g_liveTestObjects;
    std::vector<int> wrongLoads(nThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < nThreads; ++t)
    {
        threads.emplace_back([&, t] {
            for (int n = 0; n < nLoads; ++n)
            {
                bool right = true;
                LoadBytes(
                    streams[t],
                    [&](CArchive& ar) {
                        ar.SetLoadedObjectOwnership();
                        DWORD dwCount = 0;
                        ar >> dwCount;
                        right = dwCount == nPoints;
                        for (int i = 0; right && i < nPoints; ++i)
                        {
                            CObject* pOb = nullptr;
                            ar >> pOb;
                            auto* pPoint = static_cast<CTestPoint*>(pOb);
                            right = pPoint != nullptr && pPoint->m_x == t * 100000 + i && pPoint->m_y == -i;
                        }
                    },
                    n % 2 == 0 ? 4096 : 65536);
                wrongLoads[t] += right ? 0 : 1;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(std::vector<int>(nThreads, 0), wrongLoads);
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}
