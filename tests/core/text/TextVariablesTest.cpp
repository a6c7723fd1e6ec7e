// Text variables of a drawing with an injected clock: the current time, the
// file's time, the scale and the memo.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ScratchFolder.h"
#include "reader/BCN_CImpJWS.h"
#include "reader/BCN_CImpJWW.h"

namespace {

const CTime kMayFirst(2019, 5, 1, 9, 5, 7);

class Variables {
public:
    explicit Variables(CTime now = kMayFirst)
    {
        m_reader.m_header.m_groupScale[0] = 100;
        m_reader.m_path = L"C:\\plans\\house.jww";
        m_reader.m_modifyString.SetClock([now] { return now; });
    }

    BCN_CImpJWW& Reader() { return m_reader; }

    // The value, or "<none>" when the text is no variable.
    std::wstring Expand(const wchar_t* text)
    {
        CStringW out = L"untouched";
        if (!m_reader.ExpandVariable(text, out))
            return out == L"untouched" ? L"<none>" : L"<changed>";
        return out.GetString();
    }

private:
    BCN_CImpJWW m_reader;
};

struct Case {
    const wchar_t* text;
    const wchar_t* value;
};

void ExpectAll(Variables& variables, std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(variables.Expand(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}

TEST(TextVariables, CurrentTime)
{
    Variables variables;
    ExpectAll(variables, {
                             {L"$H", L"9 "},
                             {L"&H", L" 9"},
                             {L"%H", L"09"},
                             {L"%J", L"\u4EE4\u548C\u5143\u5E74 5\u6708 1\u65E5"},
                             {L"%j", L"2019/ 5/ 1"},
                             {L"%n", L"AM"},
                             {L"%N", L"\u524D"},
                             {L"%Y", L"01"},
                             {L"$Y", L"1 "},
                             {L"%y", L"19"},
                             {L"%m", L"05"},
                             {L"&d", L" 1"},
                             {L"%M", L"05"},
                             {L"%S", L"07"},
                             {L"%h", L"09"},
                             {L"%w", L"\u6C34"},
                             {L"%ma", L"MAY"},
                             {L"$wa", L"WED"},
                             {L"$f", L"house"},
                             {L"%f", L"house.jww"},
                             {L"&F", L"C:\\plans\\house.jww"},
                         });
}

TEST(TextVariables, AfternoonsErasAndWeekdays)
{
    Variables afternoon(CTime(2019, 5, 1, 13, 0, 0));
    ExpectAll(afternoon, {{L"%h", L"01"}, {L"%n", L"PM"}, {L"%N", L"\u5F8C"}});
    Variables heisei(CTime(2019, 4, 30, 12, 0, 0));
    ExpectAll(heisei, {{L"%J", L"\u5E73\u6210" L"31\u5E74 4\u6708" L"30\u65E5"}, {L"%Y", L"31"}});
    Variables sunday(CTime(2024, 2, 4, 8, 0, 0));
    ExpectAll(sunday, {{L"%y", L"24"}, {L"$w", L"\u65E5"}, {L"%ma", L"FEB"}, {L"%wa", L"SUN"}});
    Variables showa(CTime(1980, 7, 9, 8, 0, 0));
    ExpectAll(showa, {{L"%J", L"\u662D\u548C" L"55\u5E74 7\u6708 9\u65E5"}, {L"&Y", L"55"}});
}

TEST(TextVariables, TextsThatAreNoVariables)
{
    Variables variables;
    ExpectAll(variables, {
                             {L"%H ", L"<none>"},
                             {L"%Hx", L"<none>"},
                             {L"%s", L"<none>"},
                             {L"%Q", L"<none>"},
                             {L"#H", L"<none>"},
                             {L"H", L"<none>"},
                             {L"%", L"<none>"},
                             {L"", L"<none>"},
                             {L"%SSx", L"<none>"},
                             {L"_J", L"<none>"},
                             {L"=T", L"<none>"},
                             {L"$T", L"<none>"},  // the header keeps no time
                         });
    // Era dates with a digit are known but have no value.
    EXPECT_EQ(variables.Expand(L"%J1"), L"untouched");
}

TEST(TextVariables, HeaderTime)
{
    Variables variables;
    variables.Reader().m_header.m_timeSpan = 86400 + 3600 + 60 + 1;
    EXPECT_EQ(variables.Expand(L"$T"), L"01:01");
}

TEST(TextVariables, ScaleTexts)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    struct ScaleCase {
        double scale;
        const wchar_t* fraction;  // %SS
        const wchar_t* numerator; // %sp
    };
    const ScaleCase cases[] = {
        {100, L"1/100", L"1"},   {0.5, L"2/1", L"2"},          {0.4, L"2.5/1", L"2.5"},
        {1, L"1/1", L"1"},       {0, L"1/1", L"1"},            {-5, L"1/1", L"1"},
        {nan, L"1/1", L"1"},     {infinity, L"1/2147483647", L"1"}, {1e300, L"1/2147483647", L"1"},
        {1e-300, L"214748364.7/1", L"214748364.7"},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.scale);
        Variables variables;
        variables.Reader().m_header.m_groupScale[0] = c.scale;
        EXPECT_EQ(variables.Expand(L"%SS"), c.fraction);
        EXPECT_EQ(variables.Expand(L"%SP"), c.fraction);
        EXPECT_EQ(variables.Expand(L"%sp"), c.numerator);
    }
}

TEST(TextVariables, MemoLines)
{
    Variables variables;
    variables.Reader().m_header.m_memo = L"line1\nline2";
    ExpectAll(variables, {{L"%m1", L"line1"}, {L"%m2", L"line2"}, {L"%mm", L"line1 line2"}});
    variables.Reader().m_header.m_memo = L"\nafter";
    ExpectAll(variables, {{L"%m1", L"\nafter"}, {L"%m2", L""}});
    variables.Reader().m_header.m_memo = L"";
    ExpectAll(variables, {{L"%m1", L""}, {L"%m2", L""}, {L"%mm", L""}});
    ExpectAll(variables, {{L"$m1", L"<none>"}, {L"%m3", L"<none>"}});
}

TEST(TextVariables, SymbolsHaveNoMemo)
{
    BCN_CImpJWS symbol;
    symbol.m_header.m_memo = L"never shown";
    CStringW out = L"x";
    ASSERT_TRUE(symbol.ExpandVariable(L"%mm", out));
    EXPECT_EQ(out, CStringW());
}

void SetWriteTime(const std::wstring& path, const CTime& local)
{
    ULONGLONG intervals = (static_cast<ULONGLONG>(local.GetTime()) + 11644473600ull) * 10000000ull;
    FILETIME time = {static_cast<DWORD>(intervals), static_cast<DWORD>(intervals >> 32)};
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

TEST(TextVariables, FileTime)
{
    ScratchFolder folder;
    std::wstring path = folder.Write(L"plan.jww", "x");
    SetWriteTime(path, CTime(2020, 2, 3, 4, 5, 6));
    Variables variables;
    variables.Reader().m_path = path.c_str();
    ExpectAll(variables, {
                             {L"_F", L"2020/02/03 04:05:06"},
                             {L"=f", L"2020/02/03"},
                             {L"_H", L" 4"},
                             {L"=H", L"04"},
                             {L"_Y", L" 2"},
                             {L"=ma", L"FEB"},
                             {L"_wa", L"MON"},
                             {L"_n", L"AM"},
                             {L"=j", L"<none>"},
                             {L"_s", L"<none>"},
                         });
    variables.Reader().m_path = folder.At(L"missing.jww").c_str();
    ExpectAll(variables, {{L"_H", L"<none>"}, {L"=ma", L"<none>"}, {L"%H", L"09"}});
}

}  // namespace
