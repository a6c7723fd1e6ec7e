// The GDI pass saves calls where the pixels stay those of the plain road: a
// segment as a two-point polyline instead of a move and a line to, a level
// text in one call instead of one per character, and a pen left selected
// between figures. Each case draws both roads and compares every pixel.
#include "RenderFixture.h"
#include "figures/FigFlags.h"
#include "records/DrawFlag.h"
#include "render/gdi/DrawBasePen.h"
#include <vector>

namespace {
std::vector<COLORREF> AllPixels(const DibPixels& pixels)
{
    std::vector<COLORREF> all;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            all.push_back(pixels.At(x, y));
    return all;
}

class CallSavings : public RenderFixture {
protected:
    // A white canvas of the fixture's size for the plain road.
    CDC* ReferenceCanvas()
    {
        m_reference.reset(new CDibCanvas);
        CDC* dc = m_reference->Create(m_side, m_side);
        EXPECT_NE(dc, nullptr);
        if (dc)
            dc->FillSolidRect(0, 0, m_side, m_side, kWhite);
        return dc;
    }

    B_FigText* AddText(const wchar_t* chars, double x, double y, double size, double spacing, uint16_t flags)
    {
        B_FigText* text = new B_FigText;
        text->text = chars;
        text->fontName = L"ＭＳ ゴシック";
        text->start = At(x, y);
        text->width = text->height = size;
        text->spacing = spacing;
        text->textFlags = flags;
        return Add(text);
    }

    // Where the fixed view puts a world point (truncated, as the pass does
    // for points on the bitmap).
    POINT DevicePoint(const Point2D& world) const
    {
        return POINT{static_cast<LONG>(world.x), static_cast<LONG>(m_side - world.y)};
    }

    std::unique_ptr<CDibCanvas> m_reference;
};

struct Segment {
    int x1, y1, x2, y2;
};

// Level, upright, steep, shallow, backwards, one pixel long, and reaching
// past the bitmap on both sides.
const Segment kSegments[] = {{3, 5, 60, 9},   {10, 60, 50, 12}, {30, 2, 30, 61}, {2, 40, 61, 40},
                             {55, 50, 8, 47}, {20, 20, 21, 21}, {-40, 30, 100, 36}};
}

TEST_F(CallSavings, SegmentsDrawThePixelsOfAMoveAndALineTo)
{
    m_reader.SetUserStyle(30, {3.0f, 2.0f, 1.0f, 2.0f});
    struct PenCase {
        uint16_t lineType;
        uint32_t flags;
    };
    const PenCase pens[] = {{1, 0}, {2, 0}, {5, 0}, {9, 0}, {30, 0}, {1, DrawFlag::ThickLines},
                            {3, DrawFlag::ThickLines}, {30, DrawFlag::ThickLines}};
    for (const PenCase& pen : pens) {
        m_reader.DeleteFigures();
        for (const Segment& s : kSegments)
            AddLine(At(s.x1, s.y1), At(s.x2, s.y2), pen.lineType, RGB(200, 0, 0));
        DibPixels drawn = Render(pen.flags);
        ASSERT_TRUE(drawn.Valid());

        CDC* dc = ReferenceCanvas();
        ASSERT_NE(dc, nullptr);
        m_reader.UseDC(dc);
        for (POSITION pos = m_reader.m_figures.GetHeadPosition(); pos;) {
            const B_Base* line = m_reader.m_figures.GetNext(pos)->fig;
            const B_FigLine& l = static_cast<const B_FigLine&>(*line);
            CDrawBase::CMyPen selected(&m_reader, line);
            dc->MoveTo(DevicePoint(l.line.first));
            dc->LineTo(DevicePoint(l.line.second));
        }
        DibPixels reference(m_reference->m_bitmap);
        EXPECT_GT(drawn.CountNot(kWhite), 60) << "line type " << pen.lineType << ", flags " << pen.flags;
        EXPECT_EQ(AllPixels(drawn), AllPixels(reference)) << "line type " << pen.lineType << ", flags " << pen.flags;
    }
}

// Each text against single characters at the places the text gives them,
// which go out one call each: plain, bold, italic, spread, squeezed so that
// the glyphs overlap, and half-width characters among full-width ones.
TEST_F(CallSavings, ALevelTextDrawsThePixelsOfOneCallPerCharacter)
{
    m_side = 160;
    struct TextCase {
        const wchar_t* chars;
        double spacing;
        uint16_t flags;
        int advance;  // of a full-width character; half-width ones take half
    };
    const TextCase cases[] = {
        {L"壁wall図", 0.0, 0, 20},
        {L"サンプル", 0.0, TextFlag::Bold, 20},
        {L"Sample図", 0.0, TextFlag::Italic, 20},
        {L"日本語", 6.0, 0, 26},
        {L"日本語", -6.0, TextFlag::Bold | TextFlag::Italic, 14},
    };
    for (const TextCase& c : cases) {
        m_reader.DeleteFigures();
        AddText(c.chars, 4, 60, 20, c.spacing, c.flags);
        DibPixels drawn = Render();
        ASSERT_TRUE(drawn.Valid());
        std::vector<COLORREF> oneCall = AllPixels(drawn);

        m_reader.DeleteFigures();
        double x = 4;
        for (const wchar_t* p = c.chars; *p; ++p) {
            const wchar_t single[2] = {*p, 0};
            AddText(single, x, 60, 20, c.spacing, c.flags);
            x += *p < 0x100 ? c.advance / 2 : c.advance;
        }
        DibPixels apart = Render();
        EXPECT_GT(apart.CountNot(kWhite), 100) << "text " << static_cast<int>(&c - cases);
        EXPECT_EQ(oneCall, AllPixels(apart)) << "text " << static_cast<int>(&c - cases);
    }
}

// Figures that share a pen, figures with another, and figures that draw no
// line in between: the pass's pixels are those of each figure selecting its
// pen and the DC's own pen back, and the DC holds its own pen afterwards.
TEST_F(CallSavings, APenLeftSelectedBetweenFiguresChangesNoPixel)
{
    const COLORREF colours[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 150, 0), RGB(0, 150, 0), RGB(0, 0, 0)};
    for (int i = 0; i < 5; ++i)
        AddLine(At(4, 6 + 10 * i), At(58, 10 + 10 * i), i == 3 ? 2 : 1, colours[i]);
    AddLine(At(30, 30), At(30.4, 30.2), 1, RGB(0, 0, 255));  // one pixel, no pen
    AddLine(At(6, 60), At(60, 58), 1, RGB(0, 150, 0));
    DibPixels drawn = Render();
    ASSERT_TRUE(drawn.Valid());
    HGDIOBJ ownPen = GetCurrentObject(m_canvas->m_memoryDC, OBJ_PEN);

    CDC* dc = ReferenceCanvas();
    ASSERT_NE(dc, nullptr);
    HGDIOBJ referenceOwnPen = GetCurrentObject(dc->GetSafeHdc(), OBJ_PEN);
    m_reader.UseDC(dc);
    for (POSITION pos = m_reader.m_figures.GetHeadPosition(); pos;) {
        const B_FigLine& l = static_cast<const B_FigLine&>(*m_reader.m_figures.GetNext(pos)->fig);
        POINT a = DevicePoint(l.line.first), b = DevicePoint(l.line.second);
        if (a.x == b.x && a.y == b.y) {
            dc->SetPixelV(a.x, a.y, l.colour);
            continue;
        }
        CDrawBase::CMyPen selected(&m_reader, &l);
        dc->MoveTo(a);
        dc->LineTo(b);
    }
    EXPECT_EQ(AllPixels(drawn), AllPixels(DibPixels(m_reference->m_bitmap)));
    EXPECT_EQ(ownPen, referenceOwnPen) << "both DCs start from the stock pen and hold it again at the end";
}
