// The preview's copy button through the real dialog: a plain click puts the
// picture's pixels on the clipboard as CF_BITMAP, with Shift the view as an
// enhanced metafile, rendered from a copy of the view so that the file's
// cache entry keeps the view of the last render on screen.
#include <afxwin.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "cache/InfoCache.h"
#include "cache/InfoCachePin.h"
#include "PreviewDialogFixture.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
using namespace previewtest;

// The 32-bit top-down pixels of any bitmap.
std::vector<DWORD> BitmapPixels(HBITMAP bitmap, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (DWORD& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// The metafile played into a white square DIB; the pixels that are not white.
int MetafileInk(HENHMETAFILE metafile, int side)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    RECT area = {0, 0, side, side};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, metafile, &area);
    GdiFlush();
    int ink = 0;
    for (int i = 0; i < side * side; ++i)
        ink += (static_cast<const DWORD*>(bits)[i] & 0xFFFFFF) != 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
    return ink;
}

// The clipboard, open while the test reads it.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard()
    {
        if (m_open)
            CloseClipboard();
    }
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

void PutTextOnClipboard(HWND owner, const wchar_t* text)
{
    OpenedClipboard clipboard(owner);
    ASSERT_TRUE(clipboard.IsOpen());
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
}

class PreviewCopyTest : public PreviewDialogFixture {
protected:
    std::wstring WriteSample(const wchar_t* name)
    {
        const std::wstring path = m_scratch.Path() + L"\\" + name;
        EXPECT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
        return path;
    }
    // The copy button's click, with Shift held or not for this thread.
    static void ClickCopy(HWND dialog, bool shift)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_COPY, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PREVIEW_COPY)));
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    static int BitmapSide(HBITMAP bitmap)
    {
        BITMAP facts = {};
        GetObjectW(bitmap, sizeof facts, &facts);
        return facts.bmWidth;
    }
};

// The bitmap holds exactly the pixels of the picture's client area on
// screen, read back from the screen beside it.
TEST_F(PreviewCopyTest, PlainCopyPutsThePicturePixels)
{
    ASSERT_TRUE(OpenAndWaitForPicture(WriteSample(L"copy.jww")));
    HWND picture = Item(IDC_PREVIEW_PICTURE);
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ClickCopy(m_dialog, false);

    RECT client = {};
    GetClientRect(picture, &client);
    OpenedClipboard clipboard(m_host.m_hWnd);
    ASSERT_TRUE(clipboard.IsOpen()) << "the dialog closed the clipboard again";
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    HBITMAP copied = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(copied, nullptr);
    BITMAP facts = {};
    ASSERT_TRUE(GetObjectW(copied, sizeof facts, &facts));
    EXPECT_EQ(facts.bmWidth, client.right);
    EXPECT_EQ(facts.bmHeight, client.bottom);
    const std::vector<DWORD> pixels = BitmapPixels(copied, client.right, client.bottom);

    const CWindowPicture screen(picture);
    RECT frame = {};
    GetWindowRect(picture, &frame);
    POINT origin = {0, 0};
    ClientToScreen(picture, &origin);
    const int dx = origin.x - frame.left, dy = origin.y - frame.top;
    int differing = 0, ink = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const COLORREF shown = screen.Pixel(x + dx, y + dy);
            const DWORD copiedPixel = pixels[static_cast<size_t>(y) * client.right + x];
            differing += RGB((copiedPixel >> 16) & 0xFF, (copiedPixel >> 8) & 0xFF, copiedPixel & 0xFF) != shown;
            ink += copiedPixel != pixels[0];
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(ink, 0);
}

// With Shift the clipboard gets a metafile of the whole bitmap area of the
// view, its frame in hundredths of a millimetre at the screen's pixel size;
// played back it draws the drawing.
TEST_F(PreviewCopyTest, ShiftCopyPutsAMetafileOfTheView)
{
    ASSERT_TRUE(OpenAndWaitForPicture(WriteSample(L"metafile.jww")));
    const int side = BitmapSide(Shown());
    ClickCopy(m_dialog, true);

    OpenedClipboard clipboard(m_host.m_hWnd);
    ASSERT_TRUE(clipboard.IsOpen());
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    ASSERT_NE(metafile, nullptr);
    ENHMETAHEADER header = {};
    ASSERT_TRUE(GetEnhMetaFileHeader(metafile, sizeof header, &header));
    HDC screen = GetDC(nullptr);
    const double millimetres = double(GetDeviceCaps(screen, HORZSIZE)) / GetDeviceCaps(screen, HORZRES);
    ReleaseDC(nullptr, screen);
    EXPECT_NEAR(header.rclFrame.right - header.rclFrame.left, side * 100 * millimetres, 2.0);
    EXPECT_GT(MetafileInk(metafile, side), 0);
}

// Two previews of one file share its cache entry, which takes the view of
// whichever rendered last. A metafile copy in the other one must not write
// its view into the entry: the saved view stays the last render's.
TEST_F(PreviewCopyTest, MetafileCopyLeavesTheStoredViewAlone)
{
    const std::wstring path = WriteSample(L"shared.jww");
    ASSERT_TRUE(OpenAndWaitForPicture(path));
    const int firstSide = BitmapSide(Shown());

    CWnd otherHost;
    ASSERT_TRUE(CreateTestPopup(otherHost, true, 40, 40, 760, 780));
    RECT larger = {0, 0, 740, 760};
    HWND other = m_exports.PreViewDlg(path.c_str(), larger, otherHost.m_hWnd);
    ASSERT_NE(other, nullptr);
    auto otherShown = [&] {
        return reinterpret_cast<HBITMAP>(
            SendDlgItemMessageW(other, IDC_PREVIEW_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    };
    ASSERT_TRUE(PumpUntil([&] { return otherShown() != nullptr; }, kPreviewPatience));
    const int otherSide = BitmapSide(otherShown());
    ASSERT_NE(firstSide, otherSide) << "the two previews must differ in size to tell their views apart";

    ClickCopy(m_dialog, true);
    {
        OpenedClipboard clipboard(m_host.m_hWnd);
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "the copy rendered";
    }
    m_exports.SavePreView();
    DestroyWindow(other);
    otherHost.DestroyWindow();

    CInfoCache cache;
    ASSERT_TRUE(cache.Load(nullptr));
    CInfoCacheEntry* entry = nullptr;
    ASSERT_TRUE(cache.GetEntry(path.c_str(), &entry, nullptr));
    CInfoCachePin pin(cache, entry);
    EXPECT_EQ(entry->width, otherSide);
    EXPECT_EQ(entry->originX, 256 - otherSide / 2);
}

// A file that could not be loaded renders nothing: the metafile copy puts
// nothing on the clipboard, leaves what was there and closes it again.
TEST_F(PreviewCopyTest, MetafileCopyOfAnUnloadedDrawingPutsNothing)
{
    ASSERT_NE(Open(m_scratch.Path() + L"\\missing.jww"), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Loaded() && FirstRenderArrived(); }, kPreviewPatience));
    PutTextOnClipboard(m_host.m_hWnd, L"kept");
    ClickCopy(m_dialog, true);
    OpenedClipboard clipboard(m_host.m_hWnd);
    ASSERT_TRUE(clipboard.IsOpen()) << "the dialog closed the clipboard again";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    HANDLE text = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(text)), L"kept");
    GlobalUnlock(text);
}
}  // namespace
