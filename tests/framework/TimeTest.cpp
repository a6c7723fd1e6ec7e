// CTime, CTimeSpan and COleDateTimeSpan.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "TestModules.h"

TEST(COleDateTimeSpan, FormatsDaysHoursMinutesSeconds)
{
    COleDateTimeSpan span(1, 1, 1, 1);
    EXPECT_STREQ(L"1 01:01:01", span.Format(L"%D %H:%M:%S"));
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(1, span.GetHours());
    EXPECT_EQ(1, span.GetMinutes());
    EXPECT_EQ(1, span.GetSeconds());
    EXPECT_DOUBLE_EQ(90061.0, span.GetTotalSeconds());
    EXPECT_DOUBLE_EQ(25.0, span.GetTotalHours());
    EXPECT_STREQ(L"100% 1 x%Q", span.Format(L"100%% %D x%Q"));
}

TEST(COleDateTimeSpan, PartsComeFromTheNearestSecond)
{
    struct Case
    {
        double dblDays;
        const wchar_t* pszExpected;
    } cases[] = {
        {2.5, L"2 12:00:00"},
        {1.0 + 59.6 / 86400.0, L"1 00:01:00"},
        {1.0 + 59.4 / 86400.0, L"1 00:00:59"},
        // Just under a whole day is that day, not 0 days and 24 hours.
        {0.9999999999, L"1 00:00:00"},
        {0.0, L"0 00:00:00"},
        {-(1.0 + 3661.0 / 86400.0), L"-1 -1:-1:-1"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.pszExpected, COleDateTimeSpan(c.dblDays).Format(L"%D %H:%M:%S")) << c.dblDays;
}

TEST(COleDateTimeSpan, StatusAndArithmetic)
{
    COleDateTimeSpan huge(1e10);
    EXPECT_EQ(COleDateTimeSpan::invalid, huge.GetStatus());
    EXPECT_STREQ(L"", huge.Format(L"%D"));

    COleDateTimeSpan sum = COleDateTimeSpan(1, 0, 0, 0) + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_DOUBLE_EQ(1.5, sum.m_span);
    EXPECT_TRUE(sum - COleDateTimeSpan(0.5) == COleDateTimeSpan(1.0));

    COleDateTimeSpan nullSpan;
    nullSpan.SetStatus(COleDateTimeSpan::null);
    EXPECT_EQ(COleDateTimeSpan::null, (nullSpan + sum).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (huge + sum).GetStatus());
}

TEST(CTimeSpan, PartsTotalsAndFormat)
{
    CTimeSpan span(1, 1, 1, 1);
    EXPECT_STREQ(L"1 01:01:01", span.Format(L"%D %H:%M:%S"));
    EXPECT_EQ(90061, span.GetTotalSeconds());
    EXPECT_EQ(1501, span.GetTotalMinutes());
    EXPECT_EQ(25, span.GetTotalHours());
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(1, span.GetSeconds());
    // Days are a 64-bit count.
    EXPECT_STREQ(L"30000000 00", CTimeSpan(30000000, 0, 0, 0).Format(L"%D %S"));
    EXPECT_STREQ(L"-1 -1", CTimeSpan(-90061).Format(L"%D %H"));
    EXPECT_TRUE(CTimeSpan(60) + CTimeSpan(0, 0, 1, 0) == CTimeSpan(120));
}

TEST(CTimeSpan, FormatFromAResourceId)
{
    CTestModule lang(FW_LANG_DLL);
    ASSERT_NE(nullptr, lang.Get());
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(lang.Get());
    EXPECT_STREQ(L"1 days 01:01:01", CTimeSpan(1, 1, 1, 1).Format(IDS_TEST_SPAN_FORMAT));
    EXPECT_STREQ(L"1 days 01:01:01", COleDateTimeSpan(1, 1, 1, 1).Format(IDS_TEST_SPAN_FORMAT));
    AfxSetResourceHandle(hOld);
}

TEST(CTime, LocalFieldsAndFormat)
{
    CTime time(2024, 2, 29, 13, 45, 30);
    EXPECT_EQ(2024, time.GetYear());
    EXPECT_EQ(2, time.GetMonth());
    EXPECT_EQ(29, time.GetDay());
    EXPECT_EQ(13, time.GetHour());
    EXPECT_EQ(45, time.GetMinute());
    EXPECT_EQ(30, time.GetSecond());
    EXPECT_EQ(5, time.GetDayOfWeek()); // Thursday; Sunday is 1
    EXPECT_STREQ(L"2024/02/29 13:45", time.Format(L"%Y/%m/%d %H:%M"));

    SYSTEMTIME st;
    ASSERT_TRUE(time.GetAsSystemTime(st));
    EXPECT_EQ(time, CTime(st));
    EXPECT_EQ(4, st.wDayOfWeek);
}

TEST(CTime, FromUtcFileTimeAndGmt)
{
    // 2020-01-01 00:00:00 UTC is 1577836800 seconds after 1970.
    SYSTEMTIME stUtc = {2020, 1, 3, 1, 0, 0, 0, 0};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&stUtc, &ft));
    EXPECT_TRUE(CTime::IsValidFILETIME(ft));
    EXPECT_EQ(1577836800, CTime(ft).GetTime());
    EXPECT_STREQ(L"2020-01-01 00:00:00", CTime(1577836800).FormatGmt(L"%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ(L"1970-01-01", CTime(0).FormatGmt(L"%Y-%m-%d"));
}

TEST(CTime, OtherSourcesAndArithmetic)
{
    // DOS date 2021-06-15, time 10:20:30.
    WORD wDate = static_cast<WORD>(((2021 - 1980) << 9) | (6 << 5) | 15);
    WORD wTime = static_cast<WORD>((10 << 11) | (20 << 5) | (30 / 2));
    EXPECT_EQ(CTime(2021, 6, 15, 10, 20, 30), CTime(wDate, wTime));

    SYSTEMTIME stOld = {1850, 1, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(0, CTime(stOld).GetTime());

    CTime start(2024, 1, 1, 0, 0, 0);
    CTime end = start + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ(CTimeSpan(1, 2, 3, 4), end - start);
    EXPECT_TRUE(start < end);
    end -= CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ(start, end);

    __time64_t now = _time64(NULL);
    EXPECT_LE(CTime::GetCurrentTime().GetTime() - now, 5);
}

TEST(CTime, ImpossibleTimesThrow)
{
    bool bThrown = false;
    try
    {
        CTime tooEarly(1850, 1, 1, 0, 0, 0);
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
}
