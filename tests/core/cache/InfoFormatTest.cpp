#include <gtest/gtest.h>
#include "cache/InfoFormat.h"
#include "cache/PaperSize.h"

TEST(InfoFormat, FileSizeUnitsChangeAtEachPowerOf1024)
{
    const struct {
        uint64_t size;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 B"},
        {1023, L"1023 B"},
        {1024, L"1.0 KB"},
        {1536, L"1.5 KB"},
        {1048575, L"1024.0 KB"},
        {1048576, L"1.0 MB"},
        {1073741823, L"1024.0 MB"},
        {1073741824, L"1.0 GB"},
        {UINT64_MAX, L"17179869184.0 GB"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatFileSize(c.size), c.text) << c.size;
}

TEST(InfoFormat, CountGroupsDigitsByThree)
{
    const struct {
        uint64_t value;
        const wchar_t* text;
    } cases[] = {
        {0, L"0"},
        {999, L"999"},
        {1000, L"1,000"},
        {100000, L"100,000"},
        {1200000, L"1,200,000"},
        {UINT64_MAX, L"18,446,744,073,709,551,615"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatCount(c.value), c.text) << c.value;
}

TEST(InfoFormat, ScaleNumeratorFromTenTimesItsValue)
{
    const struct {
        int32_t numerator10;
        const wchar_t* text;
    } cases[] = {
        {-25, L"1"}, {0, L"1"}, {1, L"1"}, {5, L"0.5"}, {20, L"2"}, {25, L"2.5"}, {105, L"10.5"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatScaleNumerator(c.numerator10), c.text) << c.numerator10;
}

TEST(InfoFormat, FileTimeIsLocalMinutes)
{
    CTime time(2019, 5, 1, 9, 5, 59);
    EXPECT_STREQ(FormatFileTime(time), L"2019/05/01 09:05");
}

TEST(InfoFormat, PaperTable)
{
    const struct {
        int code;
        const wchar_t* name;
        LONG width, height;
    } cases[] = {
        {0, L"A0", 1189, 841},      {1, L"A1", 841, 594},       {2, L"A2", 594, 420},
        {3, L"A3", 420, 297},       {4, L"A4", 297, 210},       {8, L"2A", 1682, 1189},
        {9, L"3A", 2378, 1682},     {10, L"4A", 3364, 2378},    {11, L"5A", 4756, 3364},
        {12, L"10m", 10000, 7073},  {13, L"50m", 50000, 35366}, {14, L"100m", 100000, 70732},
        // Codes that name no paper: no name, the A3 size.
        {5, L"", 420, 297},         {6, L"", 420, 297},         {7, L"", 420, 297},
        {15, L"", 420, 297},        {-1, L"", 420, 297},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(GetPaperName(c.code), c.name) << c.code;
        SIZE size = GetPaperSizeMm(c.code);
        EXPECT_EQ(size.cx, c.width) << c.code;
        EXPECT_EQ(size.cy, c.height) << c.code;
    }
}
