#include <gtest/gtest.h>
#include <afxwin.h>
#include <cstdlib>
#include <vector>
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoPaintManagerColor.h"
#include "foundation/base/KvoSystemVersion.h"
#include "toolkit/foundation/DarkModeScope.h"
#include "toolkit/foundation/DibCanvas.h"

namespace {
int LargestChannelDifference(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

#define EXPECT_COLOR_NEAR(actual, expected, tolerance) \
    EXPECT_LE(LargestChannelDifference((actual), (expected)), (tolerance)) << std::hex << (actual) << " vs " << (expected)
}

TEST(DrawHelpers, GradientFillRunsFromOneColourToTheOther)
{
    DibCanvas canvas(256, 64);
    CRect across(0, 0, 256, 32), down(0, 32, 256, 64);
    CKvoDrawHelpers::GradientFill(canvas.DC(), &across, 0x000000, 0xFFFFFF, TRUE);
    CKvoDrawHelpers::Instance()->GradientFill(canvas.DC(), &down, 0x0000FF, 0xFF0000, FALSE);
    EXPECT_COLOR_NEAR(canvas.Pixel(0, 10), 0x000000, 2);
    EXPECT_COLOR_NEAR(canvas.Pixel(255, 10), 0xFFFFFF, 2);
    EXPECT_COLOR_NEAR(canvas.Pixel(128, 10), 0x808080, 3);
    for (int x = 1; x < 256; ++x)
        ASSERT_GE(GetRValue(canvas.Pixel(x, 10)), GetRValue(canvas.Pixel(x - 1, 10))) << x;
    // Vertical: every row one colour, red at the top and blue at the bottom.
    EXPECT_EQ(canvas.Pixel(0, 40), canvas.Pixel(255, 40));
    EXPECT_GT(GetRValue(canvas.Pixel(5, 32)), GetRValue(canvas.Pixel(5, 63)));
    EXPECT_GT(GetBValue(canvas.Pixel(5, 63)), GetBValue(canvas.Pixel(5, 32)));
}

TEST(DrawHelpers, GradientFillOfEqualColoursOrNothingToFill)
{
    DibCanvas canvas(20, 20);
    CRect rect(2, 2, 18, 18), empty(5, 5, 5, 9);
    CKvoDrawHelpers::GradientFill(canvas.DC(), &rect, 0x336699, 0x336699, TRUE);
    EXPECT_EQ(canvas.Pixel(2, 2), 0x336699u);
    EXPECT_EQ(canvas.Pixel(17, 17), 0x336699u);
    EXPECT_EQ(canvas.Pixel(18, 18), 0xFFFFFFu);
    CKvoDrawHelpers::GradientFill(canvas.DC(), &empty, 0, 0, TRUE);
    CKvoDrawHelpers::GradientFill(canvas.DC(), nullptr, 0, 0, TRUE);
    CKvoDrawHelpers::GradientFill(nullptr, &rect, 0, 0xFF, TRUE);
    EXPECT_EQ(canvas.Pixel(5, 6), 0x336699u);
}

// A clipped gradient has the colours the whole one has there: the right
// half of a 10-pixel gradient runs from the middle colour to the end.
TEST(DrawHelpers, ClippedGradientMatchesTheWholeOne)
{
    DibCanvas whole(10, 4), clipped(10, 4);
    CRect rect(0, 0, 10, 4), rightHalf(5, 0, 10, 4);
    CKvoDrawHelpers::GradientFill(whole.DC(), &rect, 0x000000, 0xC8C8C8, TRUE);
    CKvoDrawHelpers::GradientFillClipped(clipped.DC(), &rect, 0x000000, 0xC8C8C8, TRUE, &rightHalf);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(clipped.Pixel(x, 1), 0xFFFFFFu) << x;
    EXPECT_COLOR_NEAR(clipped.Pixel(5, 1), 0x646464, 2);
    for (int x = 5; x < 10; ++x)
        EXPECT_COLOR_NEAR(clipped.Pixel(x, 1), whole.Pixel(x, 1), 12) << x;
    // Wholly outside along the gradient, or across it: nothing drawn.
    CRect outside(20, 0, 30, 4), below(0, 10, 10, 20);
    DibCanvas untouched(10, 4);
    CKvoDrawHelpers::GradientFillClipped(untouched.DC(), &rect, 0, 0xFF, TRUE, &outside);
    CKvoDrawHelpers::GradientFillClipped(untouched.DC(), &rect, 0, 0xFF, TRUE, &below);
    EXPECT_EQ(untouched.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(untouched.Pixel(9, 3), 0xFFFFFFu);
}

TEST(DrawHelpers, ThemeGradientInDarkModeAndWithAFactor)
{
    CKvoPaintManagerColorGradient gradient;
    gradient.SetStandardValue(0x0000FF, 0xFF0000, 0.5f);
    CRect rect(0, 0, 40, 40);
    {
        DarkModeScope dark(true);
        DibCanvas horizontal(40, 40), vertical(40, 40);
        CKvoDrawHelpers::GradientFill(horizontal.DC(), &rect, gradient, TRUE);
        CKvoDrawHelpers::GradientFill(vertical.DC(), &rect, gradient, FALSE);
        EXPECT_EQ(horizontal.Pixel(0, 0), 0x282828u);
        EXPECT_EQ(horizontal.Pixel(39, 39), 0x282828u);
        EXPECT_COLOR_NEAR(vertical.Pixel(5, 0), 0x0000FF, 8);
        EXPECT_COLOR_NEAR(vertical.Pixel(5, 39), 0xFF0000, 8);
    }
    // Factor 0.75: a 7-pixel fill is split after 4 pixels at the colour
    // mixed by the factor.
    gradient.SetStandardValue(0x000000, 0xC8C8C8, 0.75f);
    const COLORREF middle = CKvoDrawHelpers::BlendColors(0x000000, 0xC8C8C8, 0.75);
    EXPECT_EQ(middle, 0x323232u);
    DibCanvas split(7, 2);
    CRect seven(0, 0, 7, 2);
    DarkModeScope light(false);
    CKvoDrawHelpers::GradientFill(split.DC(), &seven, gradient, TRUE);
    EXPECT_EQ(split.Pixel(0, 0), 0x000000u);
    EXPECT_EQ(split.Pixel(4, 0), middle);
    EXPECT_LE(GetRValue(split.Pixel(3, 0)), GetRValue(middle));
}

TEST(DrawHelpers, BlendColorsWeighsTheFirstColour)
{
    EXPECT_EQ(CKvoDrawHelpers::BlendColors(0xFFFFFF, 0x000000, 0.5), 0x7F7F7Fu);
    EXPECT_EQ(CKvoDrawHelpers::BlendColors(0x0000FF, 0x00FF00, 1.0), 0x0000FFu);
    EXPECT_EQ(CKvoDrawHelpers::BlendColors(0xFFFFFF, 0xFFFFFF, 2.0), 0xFFFFFFu); // limited to 255
}

TEST(DrawHelpers, TriangleCornersAndNeighbourAverages)
{
    DibCanvas canvas(40, 40);
    CKvoDrawHelpers::DrawTriangle(canvas.DC(), 5, 5, 35, 5, 20, 30, 0x0000FF);
    EXPECT_EQ(canvas.Pixel(20, 10), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(20, 5), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(6, 25), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(20, 35), 0xFFFFFFu);

    DibCanvas corners(10, 10, 0x000000);
    corners.DC()->SaveDC();
    CKvoDrawHelpers::ExcludeCorners(corners.DC(), 0, 0, 10, 10);
    corners.DC()->FillSolidRect(0, 0, 10, 10, 0x00FF00);
    corners.DC()->RestoreDC(-1);
    for (POINT corner : {POINT{0, 0}, POINT{9, 0}, POINT{0, 9}, POINT{9, 9}})
        EXPECT_EQ(corners.Pixel(corner.x, corner.y), 0x000000u);
    EXPECT_EQ(corners.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(corners.Pixel(8, 9), 0x00FF00u);

    DibCanvas average(4, 1);
    average.DC()->SetPixel(0, 0, 0x000000);
    average.DC()->SetPixel(1, 0, 0x64C8FF);
    const POINT pairs[] = {{0, 0}, {1, 0}, {3, 0}, {-1, 0}, {2, 0}};
    CKvoDrawHelpers::AverageWithNeighbours(average.DC(), pairs, 5); // the odd last point is no pair
    EXPECT_EQ(average.Pixel(0, 0), RGB(0x7F, 0x64, 0x32));
    EXPECT_EQ(average.Pixel(3, 0), 0xFFFFFFu);
    EXPECT_EQ(average.Pixel(2, 0), 0xFFFFFFu);
}

// Every scoped object puts back what was selected before and frees what
// it made: the DC's objects and the process's GDI object count are as
// before, and the pens and brushes it made are gone. (Wine does not count
// GDI objects, GetGuiResources answers 0 there, so the handles made inside
// the block are checked one by one as well.)
TEST(DrawHelpers, ScopedObjectsRestoreTheSelectionAndFreeTheirObjects)
{
    DibCanvas canvas(32, 32);
    HDC dc = canvas.DC()->GetSafeHdc();
    const HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN), brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT), bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    const COLORREF textColor = ::GetTextColor(dc);
    const DWORD objectsBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    CFont bigFont, smallFont;
    bigFont.CreatePointFont(200, L"Tahoma");
    smallFont.CreatePointFont(80, L"Tahoma");
    CBitmap other;
    other.CreateCompatibleBitmap(canvas.DC(), 4, 4);
    std::vector<HGDIOBJ> made;
    for (int round = 0; round < 3; ++round) {
        CKvoPenDC penDC(dc, 0x0000FF);
        EXPECT_NE(::GetCurrentObject(dc, OBJ_PEN), pen);
        made.push_back(::GetCurrentObject(dc, OBJ_PEN));
        penDC.SetColor(0x00FF00);
        made.push_back(::GetCurrentObject(dc, OBJ_PEN));
        penDC.SetColor(0xFF0000);
        made.push_back(::GetCurrentObject(dc, OBJ_PEN));
        CKvoBrushDC brushDC(dc, 0x00FF00);
        made.push_back(::GetCurrentObject(dc, OBJ_BRUSH));
        CKvoFontDC fontDC(canvas.DC(), &bigFont, 0x123456);
        fontDC.SetFont(&smallFont);
        fontDC.SetColor(0x654321);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), smallFont.GetSafeHandle());
        CKvoBitmapDC bitmapDC(canvas.DC(), &other);
        CKvoCompatibleDC compatible(canvas.DC(), &other);
        CKvoBufferDC buffer(dc, CRect(0, 0, 8, 8));
        buffer.FillSolidRect(0, 0, 8, 8, 0x0000FF);
        made.push_back(::GetCurrentObject(buffer.GetSafeHdc(), OBJ_BITMAP));
    }
    for (HGDIOBJ object : made)
        EXPECT_EQ(::GetObjectType(object), 0u) << object;
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(::GetTextColor(dc), textColor);
    bigFont.DeleteObject();
    smallFont.DeleteObject();
    other.DeleteObject();
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore);
}

TEST(DrawHelpers, BufferCopiesOnlyItsRectangleBack)
{
    DibCanvas canvas(40, 40);
    {
        CKvoBufferDC buffer(canvas.DC()->GetSafeHdc(), CRect(10, 10, 20, 30));
        BITMAP info = {};
        ::GetObjectW(::GetCurrentObject(buffer.GetSafeHdc(), OBJ_BITMAP), sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 20);
        EXPECT_EQ(info.bmHeight, 30);
        buffer.FillSolidRect(0, 0, 40, 40, 0x00FF00);
    }
    EXPECT_EQ(canvas.Pixel(10, 10), 0x00FF00u);
    EXPECT_EQ(canvas.Pixel(19, 29), 0x00FF00u);
    EXPECT_EQ(canvas.Pixel(9, 10), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(20, 29), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(15, 30), 0xFFFFFFu);
}

TEST(DrawHelpers, MnemonicsAreStrippedByTheCharacterThatFollows)
{
    const struct {
        const wchar_t* text;
        const wchar_t* stripped;
    } cases[] = {{L"&File", L"File"}, {L"a&&b", L"a&b"}, {L"ab&", L"ab"},
                 {L"&&&a", L"&&a"},   {L"", L""},         {L"plain", L"plain"}};
    for (const auto& c : cases) {
        CString text(c.text);
        CKvoDrawHelpers::StripMnemonics(text);
        EXPECT_STREQ(text, c.stripped) << c.text;
        wchar_t buffer[16];
        wcscpy(buffer, c.text);
        CKvoDrawHelpers::StripMnemonicsInPlace(buffer);
        EXPECT_STREQ(buffer, c.stripped) << c.text;
    }
    CKvoDrawHelpers::StripMnemonicsInPlace(nullptr);
    CKvoDrawHelpers::StripMnemonicsInPlace(LPSTR_TEXTCALLBACKW);
}

// The packed hue, saturation and luminance are on the colour dialog's
// scale of 0 to 240.
TEST(DrawHelpers, HueSaturationLuminanceConversions)
{
    const struct {
        COLORREF color;
        DWORD hue, saturation, luminance;
    } cases[] = {
        {0x808080, 239, 0, 120}, {0x000000, 239, 0, 0}, {0xFFFFFF, 239, 0, 240},
        {0x0000FF, 0, 239, 120}, {0x00FF00, 79, 239, 120}, {0xFF0000, 159, 239, 120},
    };
    for (const auto& c : cases) {
        const DWORD hsl = CKvoDrawHelpers::RGBtoHSL(c.color);
        EXPECT_EQ(hsl & 0xFF, c.hue) << std::hex << c.color;
        EXPECT_EQ((hsl >> 8) & 0xFF, c.saturation) << std::hex << c.color;
        EXPECT_EQ((hsl >> 16) & 0xFF, c.luminance) << std::hex << c.color;
    }
    for (COLORREF color : {COLORREF(0x0000FF), COLORREF(0x336699), COLORREF(0xC0C0C0), COLORREF(0x80FF20)})
        EXPECT_COLOR_NEAR(CKvoDrawHelpers::AdjustBrightness(CKvoDrawHelpers::RGBtoHSL(color)), color, 12);
    EXPECT_EQ(CKvoDrawHelpers::HSLToColor(0.0, 1.0, 0.5), 0x0000FFu);
    EXPECT_EQ(CKvoDrawHelpers::HSLToColor(1.0 / 3.0, 1.0, 0.5), 0x00FF00u);
    EXPECT_EQ(CKvoDrawHelpers::HSLToColor(0.5, 0.0, 0.5), 0x7F7F7Fu);
    CKvoHSLColor color(2.0 / 3.0, 1.0, 0.5);
    EXPECT_EQ(static_cast<COLORREF>(color), 0xFF0000u);
    color.Assign(0.0, 0.0, 1.0);
    EXPECT_EQ(static_cast<COLORREF>(color), 0xFFFFFFu);
}

TEST(DrawHelpers, FontsLayoutAndWindowText)
{
    EXPECT_FALSE(CKvoDrawHelpers::FontExists(L"No Such Font Family 12345"));
    EXPECT_FALSE(CKvoDrawHelpers::FontExists(nullptr));
    const CString face = CKvoDrawHelpers::GetDefaultFontFaceName(TRUE);
    EXPECT_FALSE(face.IsEmpty());

    CWnd window;
    ASSERT_TRUE(window.CreateEx(WS_EX_LAYOUTRTL, AfxRegisterWndClass(0), L"Caption", WS_POPUP, 0, 0, 50, 50,
                                NULL, NULL));
    UINT key = VK_LEFT;
    CKvoDrawHelpers::KeyToLayout(&window, &key);
    EXPECT_EQ(key, static_cast<UINT>(VK_RIGHT));
    key = VK_UP;
    CKvoDrawHelpers::KeyToLayout(&window, &key);
    EXPECT_EQ(key, static_cast<UINT>(VK_UP));
    window.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    key = VK_RIGHT;
    CKvoDrawHelpers::KeyToLayout(&window, &key);
    EXPECT_EQ(key, static_cast<UINT>(VK_RIGHT));
    CString text;
    CKvoDrawHelpers::GetWindowTextDirect(window.GetSafeHwnd(), text);
    EXPECT_STREQ(text, L"Caption");
    EXPECT_EQ(CKvoClientRect(&window), CRect(0, 0, 50, 50));
    EXPECT_TRUE(CKvoClientRect(static_cast<CWnd*>(nullptr)).IsRectNull());
    EXPECT_TRUE(CKvoWindowRect(HWND(nullptr)).IsRectNull());
    window.DestroyWindow();

    DibCanvas canvas(4, 4);
    EXPECT_FALSE(CKvoDrawHelpers::IsContextRTL(canvas.DC()));
    CKvoDrawHelpers::SetContextRTL(canvas.DC(), LAYOUT_RTL);
    EXPECT_TRUE(CKvoDrawHelpers::IsContextRTL(canvas.DC()));
    EXPECT_FALSE(CKvoDrawHelpers::IsContextRTL(nullptr));
}

TEST(DrawHelpers, BitmapIconTakesTheTopLeftColourAsTransparent)
{
    DibCanvas canvas(16, 16, 0xFF00FF);
    canvas.DC()->FillSolidRect(4, 4, 8, 8, 0x00FF00);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(canvas.DC(), 16, 16);
    {
        CKvoCompatibleDC copy(canvas.DC(), &bitmap);
        copy.BitBlt(0, 0, 16, 16, canvas.DC(), 0, 0, SRCCOPY);
    }
    CKvoBitmapIcon icon(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    EXPECT_EQ(icon.GetTopLeftColor(), 0xFF00FFu);
    HICON handle = icon.CreateIcon();
    ASSERT_NE(handle, nullptr);
    DibCanvas target(16, 16, 0x0000FF);
    ::DrawIconEx(target.DC()->GetSafeHdc(), 0, 0, handle, 16, 16, 0, NULL, DI_NORMAL);
    EXPECT_EQ(target.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(target.Pixel(8, 8), 0x00FF00u);
    ::DestroyIcon(handle);
    EXPECT_EQ(CKvoBitmapIcon(NULL).GetTopLeftColor(), KVO_COLOR_NONE);
    EXPECT_EQ(CKvoBitmapIcon(NULL).CreateIcon(), nullptr);
}

namespace {
// A window that paints its whole client area green through a buffer; the
// buffer clips to the paint rectangle and copies only that back.
class BufferedPaintWindow : public CWnd {
public:
    int paints = 0;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC paintDC(this);
        CKvoBufferDC buffer(paintDC);
        buffer.FillSolidRect(0, 0, 200, 200, 0x00FF00);
        ++paints;
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BufferedPaintWindow, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

COLORREF PaintedWindowPixel(HWND hWnd, int x, int y)
{
    DibCanvas canvas(1, 1);
    HDC windowDC = ::GetDC(hWnd);
    ::BitBlt(canvas.DC()->GetSafeHdc(), 0, 0, 1, 1, windowDC, x, y, SRCCOPY);
    ::ReleaseDC(hWnd, windowDC);
    return canvas.Pixel(0, 0);
}
}

TEST(DrawHelpers, PaintBufferCopiesOnlyThePaintRectangle)
{
    BufferedPaintWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, 30, 30, 40, 40, NULL, NULL));
    window.UpdateWindow();
    {
        // White over everything, then only (10, 10, 20, 30) is repainted.
        HDC windowDC = ::GetDC(window.GetSafeHwnd());
        ::PatBlt(windowDC, 0, 0, 40, 40, WHITENESS);
        ::ReleaseDC(window.GetSafeHwnd(), windowDC);
    }
    ::GdiFlush();
    ::ValidateRect(window.GetSafeHwnd(), NULL);
    const int paintsBefore = window.paints;
    CRect part(10, 10, 20, 30);
    window.InvalidateRect(&part, FALSE);
    window.UpdateWindow();
    EXPECT_EQ(window.paints, paintsBefore + 1);
    EXPECT_EQ(PaintedWindowPixel(window.GetSafeHwnd(), 10, 10), 0x00FF00u);
    EXPECT_EQ(PaintedWindowPixel(window.GetSafeHwnd(), 19, 29), 0x00FF00u);
    EXPECT_EQ(PaintedWindowPixel(window.GetSafeHwnd(), 9, 10), 0xFFFFFFu);
    EXPECT_EQ(PaintedWindowPixel(window.GetSafeHwnd(), 20, 15), 0xFFFFFFu);
    EXPECT_EQ(PaintedWindowPixel(window.GetSafeHwnd(), 15, 30), 0xFFFFFFu);
    window.DestroyWindow();
}

// The colour popup's mouse hook, driven by real mouse input: a press inside
// the popup reaches it; a press outside is swallowed and the focus goes to
// the popup's owner. Inside comes first: once the owner is active, Wine's X11
// driver without a window manager raises the owner's X window alone and takes
// that stacking back, so the owner then covers its owned popup (Windows keeps
// owned windows above their owner; the product's popup closes on that focus
// change anyway).
TEST(DrawHelpers, PopupMouseHookSwallowsPressesOutsideThePopup)
{
    CWnd owner, popup;
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW),
                                              static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(owner.CreateEx(0, windowClass, L"owner", WS_POPUP | WS_VISIBLE, 300, 300, 200, 200, NULL, NULL));
    ASSERT_TRUE(popup.CreateEx(0, windowClass, L"popup", WS_POPUP | WS_VISIBLE, 320, 320, 60, 60,
                               owner.GetSafeHwnd(), NULL));
    popup.SetFocus();
    SetPopupMouseHook(&popup);
    auto press = [](int x, int y) {
        ::SetCursorPos(x, y);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    };
    bool sawDownInside = false, sawDownOnOwner = false;
    // Pumps until done() holds, noting which window each press reached.
    auto pumpUntil = [&](auto done) {
        const DWORD deadline = ::GetTickCount() + 3000;
        while (!done() && ::GetTickCount() < deadline) {
            MSG msg;
            while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
                sawDownInside |= msg.message == WM_LBUTTONDOWN && msg.hwnd == popup.GetSafeHwnd();
                sawDownOnOwner |= msg.message == WM_LBUTTONDOWN && msg.hwnd == owner.GetSafeHwnd();
                ::DispatchMessageW(&msg);
            }
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
    };
    press(340, 340); // inside the popup
    pumpUntil([&] { return sawDownInside; });
    EXPECT_TRUE(sawDownInside);
    EXPECT_EQ(::GetFocus(), popup.GetSafeHwnd());

    press(450, 450); // on the owner, outside the popup
    pumpUntil([&] { return ::GetFocus() == owner.GetSafeHwnd(); });
    EXPECT_EQ(::GetFocus(), owner.GetSafeHwnd());
    EXPECT_FALSE(sawDownOnOwner);
    SetPopupMouseHook(NULL);
    popup.DestroyWindow();
    owner.DestroyWindow();
}

// On Windows 9x GDI cannot fill gradients on a right-to-left DC, so the fill
// is done column by column; its colours are the blend at each position.
TEST(DrawHelpers, RightToLeftGradientOnWindows9xIsFilledByHand)
{
    CKvoSystemVersion windows98(4, 10, 0, VER_PLATFORM_WIN32_WINDOWS);
    CKvoSystemVersion* previous = CKvoSystemVersion::Substitute(&windows98);
    DibCanvas canvas(100, 4);
    CKvoDrawHelpers::SetContextRTL(canvas.DC(), LAYOUT_RTL);
    CRect rect(0, 0, 100, 4);
    CKvoDrawHelpers::GradientFill(canvas.DC(), &rect, 0x000000, 0xC8C8C8, TRUE);
    CKvoSystemVersion::Substitute(previous);
    // Mirrored: the start colour lies at the bitmap's right edge (where
    // exactly is the platform's mirroring), and each column is one blend,
    // brighter towards the left.
    int start = -1;
    for (int x = 0; x < 100; ++x)
        if (canvas.Pixel(x, 1) == 0x000000)
            start = x;
    ASSERT_GE(start, 90);
    for (int x = 0; x < start; ++x) {
        const COLORREF color = canvas.Pixel(x, 1);
        EXPECT_EQ(color, CKvoDrawHelpers::BlendColors(0x000000, 0xC8C8C8, 1.0 - (start - x) / 100.0)) << x;
        EXPECT_EQ(canvas.Pixel(x, 3), color);
    }
}

TEST(DrawHelpers, RegisterWndClassRegistersOnce)
{
    const wchar_t name[] = L"KvoDrawHelpersTestClass";
    ASSERT_TRUE(CKvoDrawHelpers::RegisterWndClass(NULL, name, CS_DBLCLKS, NULL));
    EXPECT_TRUE(CKvoDrawHelpers::RegisterWndClass(NULL, name, CS_DBLCLKS, NULL));
    WNDCLASSW registered = {};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), name, &registered));
    EXPECT_EQ(registered.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(registered.hCursor, ::LoadCursorW(NULL, IDC_ARROW));
    EXPECT_EQ(registered.hbrBackground, nullptr);
    EXPECT_FALSE(CKvoDrawHelpers::RegisterWndClass(NULL, NULL, 0, NULL));
    ::UnregisterClassW(name, AfxGetInstanceHandle());
}
