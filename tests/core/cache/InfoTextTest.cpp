#include <gtest/gtest.h>
#include <atlbase.h>
#include "LanguageFixture.h"
#include "LanguageIds.h"
#include "cache/InfoText.h"
#include "core/reader/ScriptedReader.h"
#include "records/ZumenInfo.h"

namespace {
enum Kind { kJwc = 0, kJwk = 1, kJww = 2, kJws = 3 };

class InfoTextTest : public LanguageFixture {
protected:
    InfoTextTest()
    {
        m_info.title = L"Title";
        m_info.memo = L"Memo";
        m_info.fileSize = 1024;
        m_info.modified = CTime(2019, 5, 1, 9, 5, 0);
        m_info.paper = 4;
        m_info.scaleNumerator10 = 25;
        m_info.scaleDenominator = 1;
    }

    CStringW Build(CJwCADBase* reader)
    {
        ATL::CComBSTR text(L"earlier text");
        EXPECT_EQ(BuildInfoText(reader, &m_info, &text.m_str), 0);
        return CStringW(text.m_str);
    }

    CStringW Build(int kind)
    {
        ScriptedReader reader(kind);
        return Build(&reader);
    }

    ZumenInfo m_info;
};

// A time-span template filled by hand: %D, %H, %M, %S and %%.
CStringW FillSpan(const CStringW& format, int days, int hours, int minutes, int seconds)
{
    CStringW text;
    for (int i = 0; i < format.GetLength(); ++i) {
        if (format[i] != L'%' || i + 1 == format.GetLength()) {
            text += format[i];
            continue;
        }
        CStringW part;
        switch (format[++i]) {
        case L'D': part.Format(L"%d", days); break;
        case L'H': part.Format(L"%02d", hours); break;
        case L'M': part.Format(L"%02d", minutes); break;
        case L'S': part.Format(L"%02d", seconds); break;
        default: part = format[i];
        }
        text += part;
    }
    return text;
}
}

// Drawings show memo and paper; the values go in the order the template
// fixes.
TEST_F(InfoTextTest, DrawingsFillTheDrawingTemplate)
{
    const struct {
        int kind;
        const wchar_t* name;
    } kinds[] = {{kJww, L"JWW"}, {kJwc, L"JWC"}};
    for (const auto& k : kinds) {
        CStringW expected =
            Filled(IDS_INFO_DRAWING, k.name, L"1.0 KB", L"Title", L"Memo", L"2019/05/01 09:05", L"A4", L"2.5", 1);
        EXPECT_STREQ(Build(k.kind), expected) << k.name;
    }
}

TEST_F(InfoTextTest, PartsFillThePartTemplate)
{
    m_info.scaleNumerator10 = 1;
    m_info.scaleDenominator = 50;
    const struct {
        int kind;
        const wchar_t* name;
    } kinds[] = {{kJws, L"JWS"}, {kJwk, L"JWK"}};
    for (const auto& k : kinds) {
        CStringW expected = Filled(IDS_INFO_PART, k.name, L"1.0 KB", L"Title", L"2019/05/01 09:05", L"1", 50);
        EXPECT_STREQ(Build(k.kind), expected) << k.name;
    }
}

TEST_F(InfoTextTest, PaperAndScaleEdgeCases)
{
    const struct {
        uint32_t paper;
        uint32_t numerator10, denominator;
        const wchar_t* paperName;
        const wchar_t* numerator;
    } cases[] = {
        {5, 1, 100, L"", L"1"},
        {7, 0, 0, L"", L"1"},
        {15, 20, 1, L"", L"2"},
        {14, 25, 1, L"100m", L"2.5"},
    };
    for (const auto& c : cases) {
        m_info.paper = c.paper;
        m_info.scaleNumerator10 = c.numerator10;
        m_info.scaleDenominator = c.denominator;
        CStringW expected = Filled(IDS_INFO_DRAWING, L"JWW", L"1.0 KB", L"Title", L"Memo", L"2019/05/01 09:05",
                                   c.paperName, c.numerator, static_cast<int32_t>(c.denominator));
        EXPECT_STREQ(Build(kJww), expected) << c.paper;
    }
}

// Editing time, entity count and version follow the main text, each only
// when the drawing has it.
TEST_F(InfoTextTest, AppendsWhatTheDrawingHas)
{
    CStringW main = Build(kJww);
    m_info.timeSpanDays = 0.0;
    m_info.entityCount = 0;
    m_info.version = 100;
    EXPECT_STREQ(Build(kJww), main);

    m_info.timeSpanDays = 1.5 + 61.6 / 86400;  // 1 day 12:01:01.6, rounded up
    m_info.entityCount = 1234567;
    m_info.version = 700;
    CStringW expected = main + FillSpan(Template(IDS_INFO_EDIT_TIME), 1, 12, 1, 2) +
                        Filled(IDS_INFO_ENTITY_COUNT, L"1,234,567") + Filled(IDS_INFO_VERSION, 7.0);
    EXPECT_STREQ(Build(kJww), expected);
}

TEST_F(InfoTextTest, WithoutReaderTheTextSaysSo)
{
    EXPECT_STREQ(Build(nullptr), Template(IDS_ZUMEN_UNREADABLE));
}
