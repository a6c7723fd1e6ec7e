// CStringT::Format with the Microsoft printf rules, in both widths.
#include <afx.h>

#include <gtest/gtest.h>

#include <stdint.h>

#include <string>

namespace
{

template <typename... Args>
std::wstring FormatW(const wchar_t* pszFormat, const Args&... args)
{
    CStringW str;
    str.Format(pszFormat, args...);
    return std::wstring(str.GetString(), str.GetLength());
}

template <typename... Args>
std::string FormatA(const char* pszFormat, const Args&... args)
{
    CStringA str;
    str.Format(pszFormat, args...);
    return std::string(str.GetString(), str.GetLength());
}

CStringW FormatThroughV(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CStringW str;
    str.FormatV(pszFormat, args);
    va_end(args);
    return str;
}

const char szHiraganaOneA[] = "\x82\xA0"; // U+3042 in code page 932

} // namespace

TEST(CStringFormat, MixedConversions)
{
    EXPECT_EQ(L"ab/7/7.0", FormatW(L"%s/%d/%.1f", L"ab", 7, 7.0));
    EXPECT_EQ("ab/7/7.0", FormatA("%s/%d/%.1f", "ab", 7, 7.0));
}

TEST(CStringFormat, StringWidthFollowsTheFormat)
{
    ASSERT_EQ(932u, GetACP()) << "the tests run with a Japanese ANSI code page";
    // Wide format: %s wide, %S narrow; %hs narrow and %ls/%ws wide outright.
    EXPECT_EQ(L"wide|narrow", FormatW(L"%s|%S", L"wide", "narrow"));
    EXPECT_EQ(L"\x3042", FormatW(L"%S", szHiraganaOneA));
    EXPECT_EQ(L"a|b|c", FormatW(L"%hs|%ls|%ws", "a", L"b", L"c"));
    // Narrow format: %s narrow, %S wide, converted through the code page.
    EXPECT_EQ("narrow|wide", FormatA("%s|%S", "narrow", L"wide"));
    EXPECT_EQ(szHiraganaOneA, FormatA("%S", L"\x3042"));
    EXPECT_EQ("a|b|c", FormatA("%hs|%ls|%ws", "a", L"b", L"c"));
}

TEST(CStringFormat, CharacterWidthFollowsTheFormat)
{
    EXPECT_EQ(L"x|y|z|\x3042", FormatW(L"%c|%C|%hc|%lc", L'x', 'y', 'z', L'\x3042'));
    EXPECT_EQ(std::string("x|y|") + szHiraganaOneA, FormatA("%c|%hc|%C", 'x', 'y', L'\x3042'));
    EXPECT_EQ(L"[  x]", FormatW(L"[%3c]", L'x'));
}

TEST(CStringFormat, IntegerSizes)
{
    EXPECT_EQ(L"-9223372036854775808", FormatW(L"%I64d", INT64_MIN));
    EXPECT_EQ(L"18446744073709551615", FormatW(L"%I64u", UINT64_MAX));
    EXPECT_EQ(L"7fffffffffffffff|-1", FormatW(L"%I64x|%I32d", INT64_MAX, -1));
    EXPECT_EQ(L"-5|123456789012", FormatW(L"%lld|%llu", -5LL, 123456789012ULL));
    EXPECT_EQ(L"-1|4294967295", FormatW(L"%ld|%lu", -1L, 0xFFFFFFFFUL));
    EXPECT_EQ(L"4464|44", FormatW(L"%hd|%hhu", 70000, 300));
    EXPECT_EQ(L"-5|" + std::to_wstring(SIZE_MAX), FormatW(L"%Id|%Iu", static_cast<intptr_t>(-5), SIZE_MAX));
    EXPECT_EQ(std::to_wstring(SIZE_MAX), FormatW(L"%zu", SIZE_MAX));
    EXPECT_EQ("-9223372036854775808", FormatA("%I64d", INT64_MIN));
}

TEST(CStringFormat, FlagsWidthAndPrecision)
{
    EXPECT_EQ(L"   42|42   |00042|+42| 42", FormatW(L"%5d|%-5d|%05d|%+d|% d", 42, 42, 42, 42, 42));
    EXPECT_EQ(L"ff|FF|0xff|000000FF|10", FormatW(L"%x|%X|%#x|%08X|%o", 255, 255, 255, 255, 8));
    EXPECT_EQ(L"   42|42   |3.14", FormatW(L"%*d|%*d|%.*f", 5, 42, -5, 42, 2, 3.14159));
    EXPECT_EQ(L"     3.142|1.234500e+03|0.0001|1E-10", FormatW(L"%10.3f|%e|%g|%G", 3.14159, 1234.5, 0.0001, 1e-10));
    EXPECT_EQ(L"1.500000", FormatW(L"%Lf", static_cast<long double>(1.5)));
    EXPECT_EQ(L"100%", FormatW(L"%d%%", 100));
}

TEST(CStringFormat, StringPrecisionWidthAndNull)
{
    EXPECT_EQ(L"ab|   ab|ab   |", FormatW(L"%.2s|%5s|%-5s|", L"abcdef", L"ab", L"ab"));
    EXPECT_EQ(L"(null)|(null)", FormatW(L"%s|%S", static_cast<const wchar_t*>(NULL), static_cast<const char*>(NULL)));
    // A precision never splits a double-byte character of a narrow argument.
    std::string strMixed = std::string(szHiraganaOneA) + "x";
    EXPECT_EQ(L"[]", FormatW(L"[%.1S]", strMixed.c_str()));
    EXPECT_EQ(L"[\x3042]", FormatW(L"[%.2S]", strMixed.c_str()));
    EXPECT_EQ(L"[\x3042x]", FormatW(L"[%.3S]", strMixed.c_str()));
}

TEST(CStringFormat, PointerIsUpperCaseAndPadded)
{
    std::wstring strExpected(sizeof(void*) * 2 - 4, L'0');
    strExpected += L"12AB";
    EXPECT_EQ(strExpected, FormatW(L"%p", reinterpret_cast<void*>(0x12AB)));
}

TEST(CStringFormat, OddConversionsAreHarmless)
{
    // An unknown conversion stays as text and takes no argument.
    EXPECT_EQ(L"%k 5", FormatW(L"%k %d", 5));
    // A format ending inside a conversion keeps its tail.
    EXPECT_EQ(L"abc%", FormatW(L"abc%"));
    EXPECT_EQ(L"abc%-5", FormatW(L"abc%-5"));
    // %n writes nothing but still takes its pointer.
    int nWritten = 99;
    EXPECT_EQ(L"ab7", FormatW(L"a%nb%d", &nWritten, 7));
    EXPECT_EQ(99, nWritten);
}

TEST(CStringFormat, StringObjectsPassAsTheirText)
{
    CStringW strWide(L"wide");
    CStringA strNarrow("narrow");
    CComBSTR bstr(L"bstr");
    EXPECT_EQ(L"[wide|narrow|bstr]", FormatW(L"[%s|%S|%s]", strWide, strNarrow, bstr));
    EXPECT_EQ("[narrow|wide]", FormatA("[%s|%S]", strNarrow, strWide));
}

TEST(CStringFormat, AppendAndVarargsForms)
{
    CStringW str(L"n=");
    str.AppendFormat(L"%d,%s", 3, L"x");
    EXPECT_STREQ(L"n=3,x", str);
    str.Format(L"%d", 1);
    EXPECT_STREQ(L"1", str);
    EXPECT_STREQ(L"7-seven", FormatThroughV(L"%d-%s", 7, L"seven"));
}

TEST(CStringFormat, LongResultsGrow)
{
    std::wstring strLong(5000, L'q');
    CStringW str;
    str.Format(L"<%s>%d", strLong.c_str(), 1);
    EXPECT_EQ(5003, str.GetLength());
    EXPECT_EQ(L'1', str[5002]);
}
