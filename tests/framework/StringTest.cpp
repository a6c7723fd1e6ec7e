// CStringT editing, searching, buffers, conversions and resource strings.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

#include "TestModules.h"

namespace
{

// U+3042 U+3044 U+3046 and the same text in code page 932.
const wchar_t szHiraganaW[] = L"\x3042\x3044\x3046";
const char szHiraganaA[] = "\x82\xA0\x82\xA2\x82\xA4";
// The kanji U+8868, whose second byte in code page 932 is a backslash.
const char szKanjiWithBackslashA[] = "\x95\x5C";

std::wstring Text(const CStringW& str)
{
    return std::wstring(str.GetString(), str.GetLength());
}

std::string Text(const CStringA& str)
{
    return std::string(str.GetString(), str.GetLength());
}

template <typename EXCEPTION, typename FUNC>
bool ThrowsMfc(FUNC func)
{
    try
    {
        func();
    }
    catch (EXCEPTION* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

} // namespace

TEST(CString, ConvertsThroughTheAnsiCodePage)
{
    ASSERT_EQ(932u, GetACP());
    EXPECT_EQ(szHiraganaW, Text(CStringW(szHiraganaA)));
    EXPECT_EQ(szHiraganaA, Text(CStringA(szHiraganaW)));
    EXPECT_EQ(L"\x3042", Text(CStringW("\x82\xA0")));
    EXPECT_EQ(L"\x3042", Text(CStringW(szHiraganaA, 2)));

    CStringA strNarrow(szHiraganaA);
    CStringW strWide = strNarrow;
    EXPECT_EQ(szHiraganaW, Text(strWide));
    strNarrow = strWide + L"!";
    EXPECT_EQ(std::string(szHiraganaA) + "!", Text(strNarrow));

    CStringW strAppended(L"a");
    strAppended += "\x82\xA0";
    strAppended += 'b';
    EXPECT_EQ(L"a\x3042" L"b", Text(strAppended));
}

TEST(CString, ConversionClasses)
{
    EXPECT_STREQ(szHiraganaA, CW2A(szHiraganaW));
    EXPECT_STREQ(szHiraganaW, CA2W(szHiraganaA));
    EXPECT_STREQ("\xE3\x81\x82", CW2A(L"\x3042", CP_UTF8));
    EXPECT_STREQ(L"\x3042", CA2W("\xE3\x81\x82", CP_UTF8));
    EXPECT_STREQ(L"same", CT2W(L"same"));
    EXPECT_STREQ(L"same", CW2T(L"same"));
    EXPECT_STREQ(szHiraganaW, CA2T(szHiraganaA));
    EXPECT_EQ(nullptr, static_cast<LPSTR>(CW2A(NULL)));
    EXPECT_EQ(nullptr, static_cast<LPWSTR>(CA2W(NULL)));
}

TEST(CString, ExtractionClampsItsArguments)
{
    const CStringW str(L"abcdef");
    struct Case
    {
        CStringW strResult;
        const wchar_t* pszExpected;
    } cases[] = {
        {str.Left(2), L"ab"},      {str.Left(-1), L""},     {str.Left(10), L"abcdef"},
        {str.Right(2), L"ef"},     {str.Right(10), L"abcdef"}, {str.Right(-3), L""},
        {str.Mid(2), L"cdef"},     {str.Mid(2, 2), L"cd"},  {str.Mid(-1, 2), L"ab"},
        {str.Mid(10), L""},        {str.Mid(4, 10), L"ef"}, {str.Mid(3, -1), L""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.pszExpected, c.strResult);
}

TEST(CString, Searching)
{
    const CStringW str(L"abcabc");
    EXPECT_EQ(2, str.Find(L'c'));
    EXPECT_EQ(5, str.Find(L'c', 3));
    EXPECT_EQ(-1, str.Find(L'z'));
    EXPECT_EQ(-1, str.Find(L'a', -1));
    EXPECT_EQ(-1, str.Find(L'a', 6));
    EXPECT_EQ(1, str.Find(L"bc"));
    EXPECT_EQ(4, str.Find(L"bc", 2));
    EXPECT_EQ(6, str.Find(L"", 6));
    EXPECT_EQ(-1, str.Find(L"bc", 7));
    EXPECT_EQ(3, str.ReverseFind(L'a'));
    EXPECT_EQ(2, str.FindOneOf(L"xc"));
    EXPECT_EQ(-1, str.FindOneOf(L"xyz"));
    EXPECT_STREQ(L"cabba", CStringW(L"cabbage").SpanIncluding(L"abc"));
    EXPECT_STREQ(L"ab", CStringW(L"ab;cd").SpanExcluding(L";"));
}

TEST(CString, NarrowStringsKeepDoubleByteCharactersWhole)
{
    // "<kanji>a\" : the only real backslash is at index 3.
    CStringA str = CStringA(szKanjiWithBackslashA) + "a\\";
    EXPECT_EQ(3, str.Find('\\'));
    EXPECT_EQ(3, str.ReverseFind('\\'));
    EXPECT_EQ(3, str.FindOneOf("\\"));
    EXPECT_EQ(3, str.Find("\\"));
    EXPECT_EQ(std::string(szKanjiWithBackslashA) + "a", Text(str.SpanExcluding("\\")));

    CStringA strReplaced(str);
    EXPECT_EQ(1, strReplaced.Replace('\\', '/'));
    EXPECT_EQ(std::string(szKanjiWithBackslashA) + "a/", Text(strReplaced));

    CStringA strRemoved(str);
    EXPECT_EQ(1, strRemoved.Remove('\\'));
    EXPECT_EQ(std::string(szKanjiWithBackslashA) + "a", Text(strRemoved));

    CStringA strTrimmed(str);
    EXPECT_EQ(std::string(szKanjiWithBackslashA) + "a", Text(strTrimmed.TrimRight('\\')));

    int iStart = 0;
    EXPECT_EQ(std::string(szKanjiWithBackslashA) + "a", Text(str.Tokenize("\\", iStart)));

    CStringA strReversed = CStringA("a") + szKanjiWithBackslashA;
    EXPECT_EQ(std::string(szKanjiWithBackslashA) + "a", Text(strReversed.MakeReverse()));

    // Katakana A (83 41) and small ya (83 61) differ only in a trail byte
    // that looks like a letter: case mapping must leave both alone.
    CStringA strKana("\x83\x41" "B" "\x83\x61");
    EXPECT_EQ("\x83\x41" "b" "\x83\x61", Text(CStringA(strKana).MakeLower()));
    EXPECT_EQ("\x83\x41" "B" "\x83\x61", Text(CStringA(strKana).MakeUpper()));
    EXPECT_NE(0, CStringA("\x83\x41").CompareNoCase("\x83\x61"));
    EXPECT_EQ(0, CStringA("\x83\x41" "x").CompareNoCase("\x83\x41" "X"));
}

TEST(CString, ReplaceRemoveInsertDelete)
{
    CStringW str(L"a.b.c");
    EXPECT_EQ(2, str.Replace(L".", L"::"));
    EXPECT_STREQ(L"a::b::c", str);
    EXPECT_EQ(0, str.Replace(L"", L"x"));
    EXPECT_EQ(2, str.Replace(L"::", NULL));
    EXPECT_STREQ(L"abc", str);

    CStringW strRuns(L"aaaa");
    EXPECT_EQ(2, strRuns.Replace(L"aa", L"a"));
    EXPECT_STREQ(L"aa", strRuns);
    EXPECT_EQ(2, strRuns.Replace(L'a', L'b'));
    EXPECT_STREQ(L"bb", strRuns);

    CStringW strHello(L"hello");
    EXPECT_EQ(2, strHello.Remove(L'l'));
    EXPECT_STREQ(L"heo", strHello);

    CStringW strInsert(L"abc");
    EXPECT_EQ(5, strInsert.Insert(1, L"XY"));
    EXPECT_EQ(6, strInsert.Insert(-5, L'<'));
    EXPECT_EQ(7, strInsert.Insert(100, L'>'));
    EXPECT_STREQ(L"<aXYbc>", strInsert);

    struct Case
    {
        int iIndex;
        int nCount;
        const wchar_t* pszExpected;
    } cases[] = {
        {1, 2, L"ade"}, {3, 100, L"abc"}, {10, 1, L"abcde"}, {-1, 1, L"bcde"}, {2, -1, L"abcde"}, {0, 5, L""},
    };
    for (const Case& c : cases)
    {
        CStringW strDelete(L"abcde");
        EXPECT_EQ(static_cast<int>(wcslen(c.pszExpected)), strDelete.Delete(c.iIndex, c.nCount));
        EXPECT_STREQ(c.pszExpected, strDelete) << c.iIndex << "," << c.nCount;
    }
}

TEST(CString, EmbeddedTerminatorsSurviveReplace)
{
    CStringW str(L"a.b\0c.d", 7);
    EXPECT_EQ(2, str.Replace(L".", L"--"));
    EXPECT_EQ(std::wstring(L"a--b\0c--d", 9), Text(str));
}

TEST(CString, Trimming)
{
    CStringW str(L" \t ab c \r\n");
    EXPECT_STREQ(L"ab c \r\n", CStringW(str).TrimLeft());
    EXPECT_STREQ(L" \t ab c", CStringW(str).TrimRight());
    EXPECT_STREQ(L"ab c", CStringW(str).Trim());
    EXPECT_STREQ(L"a", CStringW(L"xxaxx").Trim(L'x'));
    EXPECT_STREQ(L"a", CStringW(L"xyaxyyx").Trim(L"xy"));
    EXPECT_STREQ(L"", CStringW(L"   ").Trim());
    EXPECT_STREQ(L"a\x3000" L"b", CStringW(L"\x3000" L"a\x3000" L"b\x3000").Trim());
    EXPECT_STREQ("ab", CStringA("  ab  ").Trim());
}

TEST(CString, CaseAndOrder)
{
    EXPECT_STREQ(L"ABC", CStringW(L"Abc").MakeUpper());
    EXPECT_STREQ(L"abc", CStringW(L"Abc").MakeLower());
    EXPECT_STREQ(L"cbA", CStringW(L"Abc").MakeReverse());
    EXPECT_STREQ("ABC", CStringA("Abc").MakeUpper());

    CStringW str(L"abc");
    EXPECT_EQ(0, str.Compare(L"abc"));
    EXPECT_LT(str.Compare(L"abd"), 0);
    EXPECT_GT(str.Compare(L"ABC"), 0);
    EXPECT_EQ(0, str.CompareNoCase(L"ABC"));
    EXPECT_LT(str.CompareNoCase(L"ABD"), 0);
    EXPECT_TRUE(str == L"abc");
    EXPECT_TRUE(L"abc" == str);
    EXPECT_TRUE(str != CStringW(L"abd"));
    EXPECT_TRUE(str < L"abd");
    EXPECT_TRUE(CStringW(L"b") > str);
    EXPECT_TRUE(CStringW(L"x") == L'x');
}

TEST(CString, Tokenize)
{
    CStringW str(L"  a, b,,c ");
    int iStart = 0;
    std::wstring strTokens;
    for (CStringW strToken = str.Tokenize(L", ", iStart); iStart != -1; strToken = str.Tokenize(L", ", iStart))
        strTokens += Text(strToken) + L"|";
    EXPECT_EQ(L"a|b|c|", strTokens);

    // Without delimiters the rest is one token, then the end.
    iStart = 2;
    EXPECT_STREQ(L"a, b,,c ", str.Tokenize(L"", iStart));
    EXPECT_STREQ(L"", str.Tokenize(L"", iStart));
    EXPECT_EQ(-1, iStart);

    iStart = -3;
    EXPECT_STREQ(L"", str.Tokenize(L",", iStart));
    EXPECT_EQ(-1, iStart);
}

TEST(CString, Buffers)
{
    CStringW str(L"abc");
    wchar_t* pBuffer = str.GetBuffer(10);
    EXPECT_STREQ(L"abc", pBuffer);
    wcscpy(pBuffer, L"xyzw");
    str.ReleaseBuffer();
    EXPECT_EQ(4, str.GetLength());
    EXPECT_STREQ(L"xyzw", str);

    // The full requested length may be written, terminator included.
    pBuffer = str.GetBuffer(6);
    wmemcpy(pBuffer, L"123456", 7);
    str.ReleaseBuffer(6);
    EXPECT_STREQ(L"123456", str);

    pBuffer = str.GetBufferSetLength(2);
    EXPECT_EQ(2, str.GetLength());
    pBuffer[1] = L'!';
    str.ReleaseBuffer(2);
    EXPECT_STREQ(L"1!", str);

    str.Truncate(1);
    EXPECT_STREQ(L"1", str);
    str.Empty();
    EXPECT_TRUE(str.IsEmpty());
}

TEST(CString, CharacterAccessChecksIndexes)
{
    CStringW str(L"ab");
    EXPECT_EQ(L'b', str.GetAt(1));
    EXPECT_EQ(L'b', str[1u]);
    EXPECT_EQ(L'\0', str.GetAt(2));
    str.SetAt(0, L'x');
    EXPECT_STREQ(L"xb", str);
    EXPECT_TRUE(ThrowsMfc<CInvalidArgException>([&] { str.GetAt(3); }));
    EXPECT_TRUE(ThrowsMfc<CInvalidArgException>([&] { str.GetAt(-1); }));
    EXPECT_TRUE(ThrowsMfc<CInvalidArgException>([&] { str.SetAt(2, L'z'); }));
    EXPECT_TRUE(ThrowsMfc<CInvalidArgException>([&] { CStringW strBad(L"abc", -1); }));
}

TEST(CString, Concatenation)
{
    CStringW str(L"b");
    EXPECT_STREQ(L"abcd", L"a" + str + L"c" + L'd');
    EXPECT_STREQ(L"xb", L'x' + str);
    EXPECT_STREQ(L"bb", str + str);
    EXPECT_STREQ(L"---", CStringW(L'-', 3));
    str += L"cd";
    str += L'e';
    str += CStringW(L"f");
    EXPECT_STREQ(L"bcdef", str);
}

TEST(CString, SysStrings)
{
    BSTR bstr = CStringW(L"wide").AllocSysString();
    EXPECT_EQ(4u, SysStringLen(bstr));
    EXPECT_STREQ(L"wide", bstr);
    CStringA(szHiraganaA).SetSysString(&bstr);
    EXPECT_STREQ(szHiraganaW, bstr);
    SysFreeString(bstr);
}

class CStringResources : public ResourceModuleTest
{
protected:
    CStringResources() : ResourceModuleTest(FW_LANG_DLL) {}
};

TEST_F(CStringResources, LoadFromTheResourceHandle)
{
    CStringW str;
    EXPECT_TRUE(str.LoadString(IDS_TEST_HELLO));
    EXPECT_STREQ(L"Hello from the language DLL", str);
    EXPECT_TRUE(str.LoadString(IDS_TEST_BLOCK_FIRST));
    EXPECT_STREQ(L"first of block 2", str);
    EXPECT_TRUE(str.LoadString(IDS_TEST_BLOCK_LAST));
    EXPECT_STREQ(L"last of block 2", str);

    CStringA strNarrow;
    EXPECT_TRUE(strNarrow.LoadString(IDS_TEST_JAPANESE));
    EXPECT_STREQ(szHiraganaA, strNarrow);
}

TEST_F(CStringResources, MissingStringsLeaveTheStringAlone)
{
    CStringW str(L"kept");
    EXPECT_FALSE(str.LoadString(IDS_TEST_MISSING));
    EXPECT_FALSE(str.LoadString(IDS_TEST_EMPTY));
    EXPECT_FALSE(str.LoadString(IDS_TEST_NO_BLOCK));
    EXPECT_FALSE(str.LoadString(IDS_TEST_STARTUP_ONLY));
    EXPECT_STREQ(L"kept", str);
}

TEST_F(CStringResources, ConstructorLoadsResourceIds)
{
    EXPECT_STREQ(L"Hello from the language DLL", CStringW(MAKEINTRESOURCEW(IDS_TEST_HELLO)));
    EXPECT_STREQ(szHiraganaW, CStringW(MAKEINTRESOURCEA(IDS_TEST_JAPANESE)));
    EXPECT_STREQ(szHiraganaA, CStringA(MAKEINTRESOURCEA(IDS_TEST_JAPANESE)));
    EXPECT_STREQ(L"", CStringW(MAKEINTRESOURCEW(IDS_TEST_MISSING)));
    EXPECT_STREQ(L"", CStringW(static_cast<LPCWSTR>(NULL)));
}

TEST_F(CStringResources, FormatFromAResourceId)
{
    CStringW str;
    str.Format(IDS_TEST_FORMAT, L"x", 5);
    EXPECT_STREQ(L"x=5", str);
    str.AppendFormat(IDS_TEST_FORMAT, L"y", 6);
    EXPECT_STREQ(L"x=5y=6", str);
    str.Format(IDS_TEST_MISSING, 1);
    EXPECT_STREQ(L"", str);
}

TEST_F(CStringResources, ExplicitModuleAndDefaultHandle)
{
    CStringW str;
    EXPECT_TRUE(str.LoadString(m_module.Get(), IDS_TEST_HELLO));
    EXPECT_STREQ(L"Hello from the language DLL", str);
    // NULL restores the module itself, which has no string table.
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
    EXPECT_EQ(GetModuleHandleW(NULL), AfxGetInstanceHandle());
    EXPECT_FALSE(str.LoadString(IDS_TEST_HELLO));
}
