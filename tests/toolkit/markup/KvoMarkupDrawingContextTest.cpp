#include <gtest/gtest.h>
#include <cstdlib>
#include <vector>
#include "framework/WindowTestSupport.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/drawing/KvoMarkupFont.h"
#include "markup/drawing/KvoMarkupLinearGradientBrush.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupPoint.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"

using KvoMarkupDrawingContextTest = MarkupObjectTest;

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

struct GradientStopRow {
    double offset;
    COLORREF color;
};

// A gradient brush with the stops in the order given; points as text
// ("x,y"), null for unset.
CKvoMarkupLinearGradientBrush* NewGradient(const std::vector<GradientStopRow>& stops, const wchar_t* start = nullptr,
                                           const wchar_t* end = nullptr)
{
    CKvoMarkupLinearGradientBrush* brush = new CKvoMarkupLinearGradientBrush;
    for (const GradientStopRow& row : stops) {
        CKvoMarkupGradientStop* stop = new CKvoMarkupGradientStop;
        stop->SetValue(CKvoMarkupGradientStop::s_offsetProperty, new CKvoMarkupDouble(row.offset));
        stop->SetValue(CKvoMarkupGradientStop::s_colorProperty, new CKvoMarkupColor(row.color));
        brush->GetGradientStops()->Add(stop);
    }
    CKvoMarkupPoint scratch;
    for (auto point : {std::make_pair(start, CKvoMarkupLinearGradientBrush::s_startPointProperty),
                       std::make_pair(end, CKvoMarkupLinearGradientBrush::s_endPointProperty)}) {
        if (!point.first)
            continue;
        CKvoMarkupPtr<CKvoMarkupString> text(CKvoMarkupString::CreateString(point.first));
        brush->SetValue(point.second, scratch.ConvertFrom(text.Get()));
    }
    return brush;
}

void Fill(TestCanvas& canvas, CKvoMarkupBrush* brush, const RECT& rect)
{
    CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
    dc.FillRectangle(brush, rect);
}

int Red(COLORREF color)
{
    return GetRValue(color);
}

// Channels within one step of each other: a blend truncates.
bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}
}

TEST_F(KvoMarkupDrawingContextTest, NestedOffsetsAddUp)
{
    TestCanvas canvas(100, 100);
    CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
    POINT outer = dc.PushOffset({10, 5});
    POINT inner = dc.PushOffset({20, 10});
    // The clip box follows the origin: it is in the inner element's units.
    EXPECT_EQ(dc.GetClipBox().left, -30);
    EXPECT_EQ(dc.GetClipBox().top, -15);
    dc.FillSolidRect(RECT{0, 0, 2, 2}, kRed);
    EXPECT_EQ(canvas.Pixel(30, 15), kRed);
    EXPECT_EQ(canvas.Pixel(29, 15), kWhite);
    dc.PopOffset(inner);
    dc.FillSolidRect(RECT{0, 0, 1, 1}, kBlue);
    EXPECT_EQ(canvas.Pixel(10, 5), kBlue);
    dc.PopOffset(outer);
    EXPECT_EQ(dc.GetClipBox().left, 0);
    dc.FillSolidRect(RECT{0, 0, 1, 1}, kBlue);
    EXPECT_EQ(canvas.Pixel(0, 0), kBlue);
}

TEST_F(KvoMarkupDrawingContextTest, FontIsHeldWhileSelectedAndTheFirstReplacedOneComesBack)
{
    TestCanvas canvas(10, 10);
    const HDC hdc = canvas.Dc()->GetSafeHdc();
    const HGDIOBJ original = ::GetCurrentObject(hdc, OBJ_FONT);
    LOGFONTW request = {};
    request.lfHeight = -20;
    CKvoMarkupPtr<CKvoMarkupFont> large(CKvoMarkupFont::Create(request));
    request.lfHeight = -8;
    CKvoMarkupPtr<CKvoMarkupFont> small(CKvoMarkupFont::Create(request));
    {
        CKvoMarkupDrawingContext dc(hdc);
        dc.SetFont(large.Get());
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_FONT), large->GetHandle());
        dc.SetFont(small.Get());
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_FONT), small->GetHandle());
        // The context's reference keeps the font alive after the caller's goes.
        small.Reset();
        EXPECT_NE(dc.GetTextExtent(L"x", 1).cy, 0);
        dc.SetFont(nullptr);
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_FONT), original);
        dc.SetFont(large.Get());
    }
    EXPECT_EQ(::GetCurrentObject(hdc, OBJ_FONT), original) << "the context puts the DC's font back when it goes";
}

TEST_F(KvoMarkupDrawingContextTest, ClipIsSavedAndRestored)
{
    TestCanvas canvas(40, 40);
    CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
    HRGN none = dc.SaveClip();
    EXPECT_EQ(none, CKvoMarkupDrawingContext::NoClipRegion());
    dc.IntersectClip(RECT{0, 0, 20, 20});
    HRGN outer = dc.SaveClip();
    ASSERT_NE(outer, CKvoMarkupDrawingContext::NoClipRegion());
    dc.IntersectClip(RECT{10, 10, 30, 30});
    EXPECT_EQ(dc.GetClipBox().left, 10);
    EXPECT_EQ(dc.GetClipBox().right, 20);
    dc.FillSolidRect(RECT{0, 0, 40, 40}, kRed);
    EXPECT_EQ(canvas.Pixel(15, 15), kRed);
    EXPECT_EQ(canvas.Pixel(5, 5), kWhite);

    dc.RestoreClip(outer);
    dc.FillSolidRect(RECT{0, 0, 40, 40}, kBlue);
    EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
    EXPECT_EQ(canvas.Pixel(25, 25), kWhite);
    dc.RestoreClip(none);
    EXPECT_EQ(dc.GetClipBox().right, 40);
    dc.RestoreClip(nullptr); // nothing saved: nothing happens
    EXPECT_EQ(dc.GetClipBox().right, 40);
}

TEST_F(KvoMarkupDrawingContextTest, FrameIsOnePixelInsideTheRectangle)
{
    TestCanvas canvas(20, 20);
    CKvoMarkupPtr<CKvoMarkupBrush> brush(new CKvoMarkupSolidColorBrush(kRed));
    {
        CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
        dc.DrawFrame(brush.Get(), RECT{2, 3, 12, 10});
    }
    for (int x = 2; x < 12; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 3), kRed) << x;
        EXPECT_EQ(canvas.Pixel(x, 9), kRed) << x;
    }
    for (int y = 3; y < 10; ++y) {
        EXPECT_EQ(canvas.Pixel(2, y), kRed) << y;
        EXPECT_EQ(canvas.Pixel(11, y), kRed) << y;
    }
    EXPECT_EQ(canvas.Pixel(3, 4), kWhite);
    EXPECT_EQ(canvas.Pixel(12, 3), kWhite);
    EXPECT_EQ(canvas.Pixel(2, 10), kWhite);
}

TEST_F(KvoMarkupDrawingContextTest, SolidBrushFillsOnlyWithAColour)
{
    TestCanvas canvas(10, 10);
    CKvoMarkupPtr<CKvoMarkupBrush> empty(new CKvoMarkupSolidColorBrush);
    Fill(canvas, empty.Get(), RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.Pixel(5, 5), kWhite);

    // Colour text becomes a solid brush; the DC's background stays.
    CKvoMarkupBrush scratch;
    CKvoMarkupPtr<CKvoMarkupString> text(CKvoMarkupString::CreateString(L"Red"));
    CKvoMarkupPtr<CKvoMarkupObject> converted(scratch.ConvertFrom(text.Get()));
    ASSERT_TRUE(converted && converted->IsKindOf(CKvoMarkupSolidColorBrush::s_type));
    CKvoMarkupBrush* red = static_cast<CKvoMarkupBrush*>(converted.Get());
    EXPECT_EQ(red->GetColor(), 0x000000FFu);
    ::SetBkColor(canvas.Dc()->GetSafeHdc(), RGB(1, 2, 3));
    Fill(canvas, red, RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.Pixel(5, 5), kRed);
    EXPECT_EQ(::GetBkColor(canvas.Dc()->GetSafeHdc()), RGB(1, 2, 3));
    CKvoMarkupPtr<CKvoMarkupString> notColour(CKvoMarkupString::CreateString(L"Redish"));
    EXPECT_EQ(scratch.ConvertFrom(notColour.Get()), nullptr);
}

TEST_F(KvoMarkupDrawingContextTest, GradientsRunAlongTheirAxis)
{
    TestCanvas canvas(101, 101);
    // Vertical: each row one colour, red growing with y.
    CKvoMarkupPtr<CKvoMarkupBrush> vertical(NewGradient({{0, RGB(0, 0, 0)}, {1, RGB(200, 0, 0)}}, L"0,0", L"0,1"));
    Fill(canvas, vertical.Get(), RECT{0, 0, 101, 101});
    for (int y : {0, 25, 50, 100}) {
        EXPECT_NEAR(Red(canvas.Pixel(0, y)), 200 * y / 101, 1) << y;
        EXPECT_EQ(canvas.Pixel(0, y), canvas.Pixel(100, y)) << y;
    }

    // Horizontal: each column one colour.
    CKvoMarkupPtr<CKvoMarkupBrush> horizontal(NewGradient({{0, RGB(0, 0, 0)}, {1, RGB(200, 0, 0)}}, L"0,0", L"1,0"));
    Fill(canvas, horizontal.Get(), RECT{0, 0, 101, 101});
    for (int x : {0, 50, 100}) {
        EXPECT_NEAR(Red(canvas.Pixel(x, 0)), 200 * x / 101, 1) << x;
        EXPECT_EQ(canvas.Pixel(x, 0), canvas.Pixel(x, 100)) << x;
    }

    // Diagonal by default: symmetric about the diagonal, constant along
    // the anti-diagonals.
    CKvoMarkupPtr<CKvoMarkupBrush> diagonal(NewGradient({{0, RGB(0, 0, 0)}, {1, RGB(200, 0, 0)}}));
    Fill(canvas, diagonal.Get(), RECT{0, 0, 101, 101});
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(10, 70), canvas.Pixel(70, 10));
    EXPECT_EQ(canvas.Pixel(30, 50), canvas.Pixel(50, 30));
    EXPECT_NEAR(Red(canvas.Pixel(50, 50)), 200 * 100 / 202, 1);
}

TEST_F(KvoMarkupDrawingContextTest, StopsAreSortedAndEqualOffsetsMakeAnEdge)
{
    TestCanvas sorted(100, 4), unsorted(100, 4);
    CKvoMarkupPtr<CKvoMarkupBrush> inOrder(NewGradient({{0, kBlue}, {1, kRed}}, L"0,0", L"1,0"));
    CKvoMarkupPtr<CKvoMarkupBrush> reversed(NewGradient({{1, kRed}, {0, kBlue}}, L"0,0", L"1,0"));
    Fill(sorted, inOrder.Get(), RECT{0, 0, 100, 4});
    Fill(unsorted, reversed.Get(), RECT{0, 0, 100, 4});
    for (int x = 0; x < 100; x += 7)
        EXPECT_EQ(sorted.Pixel(x, 1), unsorted.Pixel(x, 1)) << x;

    // Blue up to the middle, red from there: the colour jumps.
    TestCanvas edge(100, 4);
    CKvoMarkupPtr<CKvoMarkupBrush> hard(
        NewGradient({{0, kBlue}, {0.5, kBlue}, {0.5, kRed}, {1, kRed}}, L"0,0", L"1,0"));
    Fill(edge, hard.Get(), RECT{0, 0, 100, 4});
    EXPECT_EQ(edge.Pixel(49, 1), kBlue);
    EXPECT_EQ(edge.Pixel(50, 1), kRed);
}

TEST_F(KvoMarkupDrawingContextTest, DegenerateGradients)
{
    TestCanvas canvas(20, 20);
    // One stop fills with its colour, whatever the points.
    CKvoMarkupPtr<CKvoMarkupBrush> single(NewGradient({{0.3, kRed}}, L"0,0", L"0,0"));
    Fill(canvas, single.Get(), RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.Pixel(9, 9), kRed);
    // Start equal to end, no stops, an empty rectangle: nothing.
    CKvoMarkupPtr<CKvoMarkupBrush> point(NewGradient({{0, kBlue}, {1, kBlue}}, L"0,0", L"0,0"));
    Fill(canvas, point.Get(), RECT{0, 0, 20, 20});
    CKvoMarkupPtr<CKvoMarkupBrush> none(NewGradient({}));
    Fill(canvas, none.Get(), RECT{0, 0, 20, 20});
    CKvoMarkupPtr<CKvoMarkupBrush> both(NewGradient({{0, kBlue}, {1, kBlue}}));
    Fill(canvas, both.Get(), RECT{5, 5, 5, 20});
    EXPECT_EQ(canvas.Pixel(15, 15), kWhite);
    EXPECT_EQ(canvas.Pixel(5, 10), kWhite);
}

// Only the visible part is computed and held: a rectangle of 100,000 by
// 100,000 pixels (40 GB as one bitmap) draws what the clip shows.
TEST_F(KvoMarkupDrawingContextTest, HugeGradientDrawsItsVisiblePart)
{
    TestCanvas canvas(50, 50);
    CKvoMarkupPtr<CKvoMarkupBrush> wide(NewGradient({{0, RGB(0, 0, 0)}, {1, RGB(200, 0, 0)}}, L"0,0", L"1,0"));
    Fill(canvas, wide.Get(), RECT{-50000, -50000, 50000, 50000});
    // The middle of the rectangle is the canvas's left edge.
    EXPECT_NEAR(Red(canvas.Pixel(0, 0)), 100, 1);
    EXPECT_NEAR(Red(canvas.Pixel(49, 49)), 100, 1);
    EXPECT_EQ(canvas.Pixel(10, 0), canvas.Pixel(10, 49));

    // Clipped to a part inside the canvas, the same pixels as unclipped.
    TestCanvas clipped(50, 50), whole(50, 50);
    CKvoMarkupPtr<CKvoMarkupBrush> diagonal(NewGradient({{0, kBlue}, {0.7, kRed}, {1, RGB(0, 255, 0)}}));
    {
        CKvoMarkupDrawingContext dc(clipped.Dc()->GetSafeHdc());
        dc.IntersectClip(RECT{13, 7, 31, 44});
        dc.FillRectangle(diagonal.Get(), RECT{0, 0, 50, 50});
    }
    Fill(whole, diagonal.Get(), RECT{0, 0, 50, 50});
    for (int y = 7; y < 44; y += 5)
        for (int x = 13; x < 31; x += 3)
            EXPECT_EQ(clipped.Pixel(x, y), whole.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(clipped.Pixel(12, 7), kWhite);
    EXPECT_EQ(clipped.Pixel(31, 7), kWhite);
}

// A small tree drawn by the engine: a gradient root with a frame, and a
// child wider than its slot, cut to it.
TEST_F(KvoMarkupDrawingContextTest, ComposedTreePicture)
{
    CKvoMarkupPtr<CTestMarkupFrameworkElement> root(NewTestFrameworkElement({160, 100}));
    root->SetValue(CTestMarkupFrameworkElement::s_fillProperty,
                   NewGradient({{0, RGB(30, 60, 160)}, {1, RGB(220, 230, 250)}}, L"0,0", L"0,1"));
    root->SetValue(CTestMarkupFrameworkElement::s_frameProperty, new CKvoMarkupSolidColorBrush(RGB(0, 0, 0)));
    root->SetValue(CKvoMarkupFrameworkElement::s_marginProperty, new CKvoMarkupThickness(10, 10, 10, 10));

    CTestMarkupFrameworkElement* child = NewTestFrameworkElement({100, 40});
    child->slot = {20, 30, 80, 70};
    SetMarkupInt(child, CKvoMarkupFrameworkElement::s_widthProperty, 100);
    child->SetValue(CKvoMarkupFrameworkElement::s_horizontalAlignmentProperty, CKvoMarkupEnum::GetShared(0));
    child->SetValue(CTestMarkupFrameworkElement::s_fillProperty, new CKvoMarkupSolidColorBrush(RGB(230, 80, 40)));
    child->SetValue(CTestMarkupFrameworkElement::s_frameProperty, new CKvoMarkupSolidColorBrush(RGB(255, 255, 0)));
    root->AddVisualChild(child);

    TestCanvas canvas(180, 120);
    {
        CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
        root->Measure(&dc, 180, 120);
        root->Arrange(RECT{0, 0, 180, 120});
        root->Render(&dc);
    }
    EXPECT_TRUE(SaveBitmapAsPng(canvas.Bitmap(), (TestOutputFolder() + L"\\KvoMarkup-ComposedTree.png").c_str()));

    EXPECT_EQ(canvas.Pixel(5, 5), kWhite);     // the margin
    EXPECT_EQ(canvas.Pixel(10, 10), RGB(0, 0, 0)); // the root's frame
    EXPECT_TRUE(Near(canvas.Pixel(15, 11), RGB(30, 60, 160)));
    EXPECT_TRUE(Red(canvas.Pixel(15, 100)) > 180);
    // The child: its frame at its left and top, its fill, and no right
    // edge: it is cut where its slot ends (x 10 + 80).
    EXPECT_EQ(canvas.Pixel(30, 40), RGB(255, 255, 0));
    EXPECT_EQ(canvas.Pixel(31, 41), RGB(230, 80, 40));
    EXPECT_EQ(canvas.Pixel(89, 50), RGB(230, 80, 40));
    EXPECT_NE(canvas.Pixel(90, 50), RGB(230, 80, 40));
    EXPECT_NE(canvas.Pixel(90, 50), RGB(255, 255, 0));
}
