// Damaged streams end in the right archive exception, create nothing they
// should not, and leak or double-free nothing when the archive owns the
// objects.
#include "ArchiveSupport.h"
#include "SerialClasses.h"

#include <afxtempl.h>

#include <gtest/gtest.h>

namespace
{


Bytes NewClass(const std::string& name, WORD wSchema)
{
    return Concat({{0xFF, 0xFF, static_cast<BYTE>(wSchema), static_cast<BYTE>(wSchema >> 8),
                    static_cast<BYTE>(name.size()), 0},
                   Text(name)});
}

const Bytes pointClass = NewClass("CTestPoint", 1);
const Bytes nodeClass = NewClass("CTestNode", 2);
const Bytes pointData = FromHex("01 00 00 00 02 00 00 00");

void ReadOneObject(CArchive& ar)
{
    ar.SetLoadedObjectOwnership();
    ar.ReadObject(NULL);
}

void ReadObjects(CArchive& ar)
{
    ar.SetLoadedObjectOwnership();
    for (;;)
        ar.ReadObject(NULL);
}

void ReadWideString(CArchive& ar)
{
    CStringW str;
    ar >> str;
}

struct DamagedStream
{
    const char* name;
    Bytes bytes;
    void (*read)(CArchive&);
    int cause;
};

}

TEST(ArchiveErrors, DamagedStreams)
{
    const DamagedStream cases[] = {
        {"empty stream", {}, ReadOneObject, CArchiveException::endOfFile},
        {"half a tag", FromHex("FF"), ReadOneObject, CArchiveException::endOfFile},
        {"class name cut short", Bytes(pointClass.begin(), pointClass.end() - 3), ReadOneObject,
         CArchiveException::endOfFile},
        {"object data cut short", Concat({pointClass, FromHex("01 00 00")}), ReadOneObject,
         CArchiveException::endOfFile},
        {"string cut short", FromHex("0A 41 42 43"), ReadWideString, CArchiveException::endOfFile},
        {"UTF-16 string cut short", FromHex("FF FE FF 03 41 00 42"), ReadWideString, CArchiveException::endOfFile},
        {"huge 32-bit string length", FromHex("FF FF FF FE FF FF 7F 41"), ReadWideString,
         CArchiveException::endOfFile},
        {"huge 64-bit string length", FromHex("FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00"), ReadWideString,
         CArchiveException::genericException},
        {"64-bit length with a high half", FromHex("FF FF FF FF FF FF FF 01 00 00 00 01 00 00 00"), ReadWideString,
         CArchiveException::genericException},
        {"unknown class", NewClass("CNoSuchClass", 1), ReadOneObject, CArchiveException::badClass},
        {"class name in other letter case", NewClass("ctestpoint", 1), ReadOneObject, CArchiveException::badClass},
        {"class name of 64 bytes", NewClass(std::string(64, 'C'), 1), ReadOneObject, CArchiveException::badClass},
        {"other schema of a fixed class", NewClass("CTestPoint", 2), ReadOneObject, CArchiveException::badSchema},
        {"object reference beyond the table", FromHex("05 00"), ReadOneObject, CArchiveException::badIndex},
        {"long object reference beyond the table", FromHex("FF 7F 00 00 01 00"), ReadOneObject,
         CArchiveException::badIndex},
        {"class reference beyond the table", FromHex("05 80"), ReadOneObject, CArchiveException::badIndex},
        {"class reference to the null entry", FromHex("00 80"), ReadOneObject, CArchiveException::badIndex},
        {"object reference naming a class", Concat({pointClass, pointData, FromHex("01 00")}), ReadObjects,
         CArchiveException::badIndex},
        {"class reference naming an object", Concat({pointClass, pointData, FromHex("02 80")}), ReadObjects,
         CArchiveException::badIndex},
    };
    for (const DamagedStream& c : cases)
    {
        SCOPED_TRACE(c.name);
        int nLiveBefore = g_liveTestObjects;
        EXPECT_EQ(c.cause, ArchiveCause(c.bytes, c.read));
        EXPECT_EQ(nLiveBefore, g_liveTestObjects);
    }
}

// The required class is checked when the tag is read, before an object of the
// wrong class is made: without ownership, an object made would be left over.
TEST(ArchiveErrors, WrongClassIsRefusedBeforeCreation)
{
    Bytes bytes = Concat({nodeClass, FromHex("FF FE FF 00 00 00")});
    int nLiveBefore = g_liveTestObjects;
    EXPECT_EQ(CArchiveException::badClass,
              ArchiveCause(bytes, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CTestPoint)); }));
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);

    // A reference to an earlier object of the wrong class.
    Bytes reference = Concat({nodeClass, FromHex("FF FE FF 00 00 00 02 00")});
    EXPECT_EQ(CArchiveException::badClass, ArchiveCause(reference, [](CArchive& ar) {
                  ar.SetLoadedObjectOwnership();
                  ar.ReadObject(RUNTIME_CLASS(CTestNode));
                  ar.ReadObject(RUNTIME_CLASS(CTestPoint));
              }));
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}

// Each node holds the next; the stream refuses to nest without end.
TEST(ArchiveErrors, DeepNestingIsRefused)
{
    auto Chain = [](int nDepth) {
        Bytes bytes = nodeClass;
        Bytes nodeBody = FromHex("FF FE FF 00"); // empty name, then the child
        bytes.insert(bytes.end(), nodeBody.begin(), nodeBody.end());
        for (int i = 1; i < nDepth; ++i)
        {
            Bytes next = Concat({FromHex("01 80"), nodeBody});
            bytes.insert(bytes.end(), next.begin(), next.end());
        }
        Bytes end = FromHex("00 00");
        bytes.insert(bytes.end(), end.begin(), end.end());
        return bytes;
    };
    int nLiveBefore = g_liveTestObjects;
    EXPECT_EQ(-1, ArchiveCause(Chain(100), ReadOneObject));
    EXPECT_EQ(CArchiveException::badClass, ArchiveCause(Chain(100000), ReadOneObject));
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}

TEST(ArchiveErrors, DirectionIsChecked)
{
    try
    {
        StoreBytes([](CArchive& ar) {
            BYTE b = 0;
            ar >> b;
        });
        ADD_FAILURE() << "reading a storing archive";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::writeOnly, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::readOnly, ArchiveCause(FromHex("00"), [](CArchive& ar) { ar << 1; }));
    EXPECT_EQ(CArchiveException::readOnly, ArchiveCause(FromHex("00"), [](CArchive& ar) {
                  CTestPoint point;
                  ar.WriteObject(&point);
              }));
}

// Counts that the bytes left cannot hold fail before memory is taken.
TEST(ArchiveErrors, HugeCountsFailBeforeAllocating)
{
    CArray<DWORD, DWORD> values;
    EXPECT_EQ(CArchiveException::endOfFile,
              ArchiveCause(FromHex("FF FF FF FF FF 7F 01 02 03"), [&](CArchive& ar) { values.Serialize(ar); }));
    EXPECT_EQ(0, values.GetSize());
    EXPECT_EQ(CArchiveException::endOfFile,
              ArchiveCause(FromHex("FF FF FF FF FF 7F"), [](CArchive& ar) { ar.EnsureBytesLeft(0x7FFFFFFF); }));
    // A growth hint taken from a damaged count is cut to what the stream holds.
    int nLiveBefore = g_liveTestObjects;
    EXPECT_EQ(-1, ArchiveCause(Concat({pointClass, pointData}), [](CArchive& ar) {
                  ar.SetLoadedObjectOwnership();
                  ar.SetLoadParams(0xFFFFFFFF);
                  EXPECT_NE(nullptr, ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
              }));
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
    EXPECT_EQ(-1, ArchiveCause(FromHex("01 02 03"), [](CArchive& ar) {
                  BYTE b;
                  ar >> b;
                  ar.EnsureBytesLeft(2);
                  EXPECT_EQ(2u, ar.GetBytesLeft());
              }));
}

// With ownership, an object met twice is freed once, and objects read before
// a failure are freed too.
TEST(ArchiveErrors, OwnedObjectsAreFreedOnceAlsoAfterAFailure)
{
    Bytes twice = Concat({pointClass, pointData, FromHex("02 00 02 00")});
    int nLiveBefore = g_liveTestObjects;
    EXPECT_EQ(-1, ArchiveCause(twice, [](CArchive& ar) {
                  ar.SetLoadedObjectOwnership();
                  CObject* p1 = ar.ReadObject(NULL);
                  CObject* p2 = ar.ReadObject(NULL);
                  CObject* p3 = ar.ReadObject(NULL);
                  EXPECT_EQ(p1, p2);
                  EXPECT_EQ(p1, p3);
              }));
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);

    Bytes broken = Concat({pointClass, pointData, FromHex("01 80 01 00")});
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause(broken, ReadObjects));
    EXPECT_EQ(nLiveBefore, g_liveTestObjects);
}

TEST(ArchiveErrors, TryCatchMacrosFreeTheCaughtException)
{
    int nCause = -1;
    TRY
    {
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
    CATCH(CFileException, e)
    {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CArchiveException, e)
    {
        nCause = e->m_cause;
    }
    END_CATCH
    EXPECT_EQ(CArchiveException::badSchema, nCause);

    // THROW_LAST hands the same exception to the outer handler.
    CException* pInner = nullptr;
    CException* pOuter = nullptr;
    TRY
    {
        TRY
        {
            AfxThrowFileException(CFileException::diskFull);
        }
        CATCH_ALL(e)
        {
            pInner = e;
            THROW_LAST();
        }
        END_CATCH_ALL
    }
    CATCH_ALL(e)
    {
        pOuter = e;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    }
    END_CATCH_ALL
    EXPECT_EQ(pInner, pOuter);
}

TEST(ArchiveErrors, MemoryExceptionIsStaticAndSurvivesDelete)
{
    for (int i = 0; i < 2; ++i)
    {
        try
        {
            AfxThrowMemoryException();
        }
        catch (CException* e)
        {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
}

TEST(ArchiveErrors, MessagesNameTheFileAndTheCause)
{
    CArchiveException archive(CArchiveException::badIndex, L"C:\\d.jww");
    WCHAR szText[200];
    UINT nHelp = 99;
    ASSERT_TRUE(archive.GetErrorMessage(szText, 200, &nHelp));
    EXPECT_EQ(0u, nHelp);
    EXPECT_EQ(0, wcsncmp(szText, L"C:\\d.jww: ", 10));
    CFileException file(CFileException::fileNotFound);
    ASSERT_TRUE(file.GetErrorMessage(szText, 5));
    EXPECT_EQ(4u, wcslen(szText)); // cut to the buffer
}
