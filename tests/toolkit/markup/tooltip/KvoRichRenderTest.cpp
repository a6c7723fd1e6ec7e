// The windowless rich-text host on Wine's real rich-edit services.
#include <gtest/gtest.h>

#include "framework/WindowTestSupport.h"
#include "markup/tooltip/KvoRichRender.h"

namespace {

CStringW GuidText(const IID& iid)
{
    wchar_t text[64] = {};
    ::StringFromGUID2(iid, text, 64);
    return text;
}

// A memory DC on a white 32-bit bitmap, for laying out and drawing.
class WhiteCanvas {
public:
    WhiteCanvas(int width, int height)
    {
        CDC screen;
        screen.Attach(::GetDC(NULL));
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        ::ReleaseDC(NULL, screen.Detach());
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
    ~WhiteCanvas() { dc.SelectObject(old); }
    int DarkPixels(const RECT& area)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += GetRValue(dc.GetPixel(x, y)) < 128;
        return count;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old;
};

} // namespace

TEST(KvoRichRender, InterfaceIdsAreThoseOfTheTextServices)
{
    EXPECT_EQ(L"{8D33F740-CF58-11CE-A89D-00AA006CADC5}", GuidText(CKvoRichRender::IID_ITextServices));
    EXPECT_EQ(L"{13E670F4-1A5A-11CF-ABEB-00AA00B65EA1}", GuidText(CKvoRichRender::IID_ITextHost));
}

TEST(KvoRichRender, WithoutTheLibraryEverythingAnswersNothing)
{
    CKvoRichRender render(L"NoSuchRichEdit.dll");
    EXPECT_FALSE(render.HasServices());
    EXPECT_EQ(0, render.SetText(L"text"));
    WhiteCanvas canvas(100, 40);
    const SIZE extent = render.GetTextExtent(&canvas.dc, 200);
    EXPECT_EQ(0, extent.cx);
    EXPECT_EQ(0, extent.cy);
    render.Draw(&canvas.dc, CRect(0, 0, 100, 40));
    EXPECT_EQ(0, canvas.DarkPixels(CRect(0, 0, 100, 40)));
}

TEST(KvoRichRender, PlainRtfAndTextOutsideTheCodePageAllArrive)
{
    CKvoRichRender render;
    ASSERT_TRUE(render.HasServices()) << "Wine's rich edit offers windowless services";
    struct Case {
        const wchar_t* text;
        const wchar_t* shown;
    };
    // Thai and the euro sign are outside code page 932. RTF's u control word takes
    // its character code in decimal.
    const Case cases[] = {{L"Plain words", L"Plain words"},
                          {L"{\\rtf1\\ansi {\\b Bold} and plain}", L"Bold and plain"},
                          {L"\u0E01\u0E32\u0E23 \u20AC 5", L"\u0E01\u0E32\u0E23 \u20AC 5"},
                          {L"{\\rtf1 \\u12354? kana}", L"\u3042 kana"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_GT(render.SetText(c.text), 0);
        CStringW text = render.GetText();
        text.TrimRight(L"\r\n");
        EXPECT_EQ(std::wstring(c.shown), std::wstring(text.GetString()));
    }
    EXPECT_EQ(0, render.SetText(L""));
    EXPECT_EQ(L"", render.GetText());
}

TEST(KvoRichRender, ExtentIsTheNarrowestWidthThatKeepsTheHeight)
{
    CKvoRichRender render;
    ASSERT_TRUE(render.HasServices());
    WhiteCanvas canvas(400, 200);
    render.SetText(L"Word");
    const SIZE word = render.GetTextExtent(&canvas.dc, 300);
    EXPECT_GT(word.cx, 0);
    EXPECT_LT(word.cx, 100) << "one word is far narrower than the maximum";
    EXPECT_GT(word.cy, 0);

    render.SetText(L"A longer sentence that has to wrap onto several lines at a narrow width");
    const SIZE wide = render.GetTextExtent(&canvas.dc, 1000);
    const SIZE narrow = render.GetTextExtent(&canvas.dc, 120);
    EXPECT_EQ(word.cy, wide.cy) << "one line at a generous width";
    EXPECT_GT(narrow.cy, 2 * wide.cy);
    EXPECT_LE(narrow.cx, 120);

    render.Draw(&canvas.dc, CRect(0, 0, narrow.cx, narrow.cy));
    EXPECT_GT(canvas.DarkPixels(CRect(0, 0, narrow.cx, narrow.cy)), 50);
    EXPECT_EQ(0, canvas.DarkPixels(CRect(narrow.cx + 2, 0, 400, 200)));
}
