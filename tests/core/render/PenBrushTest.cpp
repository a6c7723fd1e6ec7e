// The figure's pen and the brushes: dash patterns, widths, the background
// rule, and what the DC holds before and after.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <vector>
#include "render/gdi/DashTable.h"
#include "render/gdi/DibCanvas.h"
#include "render/gdi/DrawBasePen.h"
#include "RenderTestReader.h"

namespace {
// What the DC's current pen is made of.
struct PenFacts {
    DWORD type = 0;
    DWORD style = 0;
    DWORD width = 0;
    COLORREF colour = 0;
    std::vector<DWORD> entries;
};

PenFacts CurrentPen(HDC dc)
{
    PenFacts facts;
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    facts.type = GetObjectType(pen);
    if (facts.type == OBJ_EXTPEN) {
        std::vector<BYTE> buffer(GetObjectW(pen, 0, nullptr));
        EXTLOGPEN* ext = reinterpret_cast<EXTLOGPEN*>(buffer.data());
        GetObjectW(pen, static_cast<int>(buffer.size()), ext);
        facts.style = ext->elpPenStyle;
        facts.width = ext->elpWidth;
        facts.colour = ext->elpColor;
        facts.entries.assign(ext->elpStyleEntry, ext->elpStyleEntry + ext->elpNumEntries);
    } else {
        LOGPEN log = {};
        GetObjectW(pen, sizeof log, &log);
        facts.style = log.lopnStyle;
        facts.width = log.lopnWidth.x;
        facts.colour = log.lopnColor;
    }
    return facts;
}

class PensAndBrushes : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxLockTempMaps();
        m_dc = m_canvas.Create(16, 16);
        ASSERT_NE(m_dc, nullptr);
        m_reader.UseDC(m_dc);
        m_originalPen = GetCurrentObject(m_dc->m_hDC, OBJ_PEN);
        m_line.colour = RGB(10, 20, 30);
    }
    void TearDown() override { AfxUnlockTempMaps(); }

    PenFacts PenFor(uint16_t lineType)
    {
        m_line.lineType = lineType;
        CDrawBase::CMyPen pen(&m_reader, &m_line);
        return CurrentPen(m_dc->m_hDC);
    }

    CDibCanvas m_canvas;
    CDC* m_dc = nullptr;
    RenderTestReader m_reader;
    B_FigLine m_line;
    HGDIOBJ m_originalPen = nullptr;
};
}

TEST_F(PensAndBrushes, SolidTypesAndTheDashTable)
{
    for (uint16_t type : {0, 1, 10, 11, 15}) {
        PenFacts pen = PenFor(type);
        EXPECT_EQ(pen.style & PS_STYLE_MASK, static_cast<DWORD>(PS_SOLID)) << "type " << type;
        EXPECT_EQ(pen.width, 1u);
        EXPECT_EQ(pen.colour, RGB(10, 20, 30));
    }
    PenFacts dotted = PenFor(9);
    EXPECT_EQ(dotted.type, static_cast<DWORD>(OBJ_EXTPEN));
    EXPECT_EQ(dotted.style, static_cast<DWORD>(PS_GEOMETRIC | PS_USERSTYLE));
    EXPECT_EQ(dotted.entries, (std::vector<DWORD>{1, 3}));
    EXPECT_EQ(PenFor(5).entries, (std::vector<DWORD>{5, 2, 2, 2, 5, 0}));
    EXPECT_EQ(GetCurrentObject(m_dc->m_hDC, OBJ_PEN), m_originalPen) << "the previous pen is back";
}

TEST_F(PensAndBrushes, PrintingStretchesDashesNotWidths)
{
    m_reader.m_print = true;
    PenFacts dotted = PenFor(9);
    EXPECT_EQ(dotted.entries, (std::vector<DWORD>{14, 42}));
    EXPECT_EQ(dotted.width, 1u);
}

TEST_F(PensAndBrushes, ThickLinesAreThreePixelsDashedOrNot)
{
    m_reader.m_thickLines = true;
    EXPECT_EQ(PenFor(1).width, 3u);
    EXPECT_EQ(PenFor(2).width, 3u);
}

TEST_F(PensAndBrushes, UserPatternsWinAndAreClampedToSixteenEntries)
{
    m_reader.SetUserStyle(2, {4, 4});
    EXPECT_EQ(PenFor(2).entries, (std::vector<DWORD>{4, 4}));
    m_reader.SetUserStyle(3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    PenFacts clamped = PenFor(3);
    EXPECT_EQ(clamped.type, static_cast<DWORD>(OBJ_EXTPEN));
    EXPECT_EQ(clamped.entries.size(), 16u);
}

TEST_F(PensAndBrushes, AnUnusablePatternGivesASolidPenInTheFiguresColour)
{
    m_reader.SetUserStyle(4, {0, 0, 0, 0});
    PenFacts pen = PenFor(4);
    EXPECT_EQ(pen.type, static_cast<DWORD>(OBJ_PEN)) << "not the previous figure's pen";
    EXPECT_EQ(pen.style & PS_STYLE_MASK, static_cast<DWORD>(PS_SOLID));
    EXPECT_EQ(pen.colour, RGB(10, 20, 30));
    m_reader.SetUserStyle(4, {-3.0f, 1e30f});
    EXPECT_EQ(PenFor(4).colour, RGB(10, 20, 30));
}

TEST_F(PensAndBrushes, BackgroundRuleInTheMainPassOnly)
{
    m_reader.m_backColor = RGB(10, 20, 30);
    EXPECT_EQ(PenFor(1).colour, RGB(10, 20, 30));
    m_reader.m_mainPass = true;
    EXPECT_EQ(PenFor(1).colour, RGB(245, 235, 225));
    {
        CDrawBase::CMyBsh solid(&m_reader, RGB(10, 20, 30));
        LOGBRUSH brush = {};
        GetObjectW(GetCurrentObject(m_dc->m_hDC, OBJ_BRUSH), sizeof brush, &brush);
        EXPECT_EQ(brush.lbColor, RGB(245, 235, 225));
        EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    }
    {
        CDrawBase::CMyBsh hatch(&m_reader, 0x0200, RGB(1, 1, 1));
        LOGBRUSH brush = {};
        GetObjectW(GetCurrentObject(m_dc->m_hDC, OBJ_BRUSH), sizeof brush, &brush);
        EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_HATCHED));
        EXPECT_EQ(brush.lbHatch, static_cast<ULONG_PTR>(HS_FDIAGONAL));
    }
}

TEST(DashTable, StyleEntries)
{
    EXPECT_EQ(BuiltInDashes(1), nullptr);
    EXPECT_EQ(BuiltInDashes(10), nullptr);
    ASSERT_NE(BuiltInDashes(7), nullptr);
    EXPECT_EQ(BuiltInDashes(7)->count, 8);
    DWORD entries[kMaxPenStyleEntries];
    const float odd[3] = {1.5f, -2.0f, 0.99f};
    ASSERT_EQ(MakePenStyle(odd, 3, 2.0, entries), 3);
    EXPECT_EQ(entries[0], 3u);
    EXPECT_EQ(entries[1], 0u) << "a negative length counts as 0";
    EXPECT_EQ(entries[2], 1u) << "truncated";
    EXPECT_EQ(MakePenStyle(odd, -4, 1.0, entries), 0);
}
