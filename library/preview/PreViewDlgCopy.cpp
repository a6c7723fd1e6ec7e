#include "PreViewDlg.h"
#include <memory>
#include <type_traits>
#include "PreviewRender.h"

namespace {
// The clipboard, open for one copy and closed on every way out.
class PreviewClipboard {
public:
    explicit PreviewClipboard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~PreviewClipboard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    PreviewClipboard(const PreviewClipboard&) = delete;
    PreviewClipboard& operator=(const PreviewClipboard&) = delete;

    bool IsOpen() const { return m_open; }
    // Replaces what the clipboard holds; on true the clipboard owns data.
    bool Put(UINT format, HANDLE data) { return ::EmptyClipboard() && ::SetClipboardData(format, data) != nullptr; }

private:
    bool m_open;
};

using PreviewMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, decltype(&DeleteEnhMetaFile)>;

// The metafile's frame in hundredths of a millimetre for a bitmap of the
// view's size, at the screen's size of a pixel.
RECT PreviewMetafileFrame(HDC screen, int width, int height)
{
    const double horizontal = double(GetDeviceCaps(screen, HORZSIZE)) / GetDeviceCaps(screen, HORZRES);
    const double vertical = double(GetDeviceCaps(screen, VERTSIZE)) / GetDeviceCaps(screen, VERTRES);
    return RECT{0, 0, static_cast<LONG>(width * 100 * horizontal), static_cast<LONG>(height * 100 * vertical)};
}

// Draws the view into a new enhanced metafile; null when it cannot be made
// or the render fails.
PreviewMetafile RenderPreviewMetafile(const CStringW& path, DrawData& view)
{
    PreviewMetafile none(nullptr, &DeleteEnhMetaFile);
    CClientDC screen(nullptr);
    const RECT frame = PreviewMetafileFrame(screen.m_hDC, view.width, view.height);
    HDC recording = CreateEnhMetaFileW(screen.m_hDC, nullptr, &frame, nullptr);
    if (!recording)
        return none;
    CDC dc;
    dc.Attach(recording);
    dc.SetMapMode(MM_ANISOTROPIC);
    SetWindowExtEx(recording, view.width, view.height, nullptr);
    SetViewportExtEx(recording, view.width, view.height, nullptr);
    const HRESULT rendered = RenderPreviewToDC(path, &dc, nullptr, view);
    PreviewMetafile metafile(CloseEnhMetaFile(dc.Detach()), &DeleteEnhMetaFile);
    return rendered == S_OK ? std::move(metafile) : std::move(none);
}
}

// Shift copies the view as drawing commands, a plain click what is on screen.
void CPreViewDlg::OnCopy()
{
    GiveFocusToParent();
    try {
        if (GetKeyState(VK_SHIFT) < 0)
            CopyMetafileToClipboard();
        else
            CopyPictureToClipboard();
    } catch (CException* error) {
        error->Delete();
    }
}

bool CPreViewDlg::CopyPictureToClipboard()
{
    PreviewClipboard clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return false;
    CRect client;
    m_picture.GetClientRect(&client);
    CClientDC picture(&m_picture);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&picture) ||
        !bitmap.CreateCompatibleBitmap(&picture, client.Width(), client.Height()))
        return false;
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.BitBlt(0, 0, client.Width(), client.Height(), &picture, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    if (!clipboard.Put(CF_BITMAP, bitmap.m_hObject))
        return false;
    bitmap.Detach();
    return true;
}

// Renders from a copy of the view without KeepView, so the file's cache
// entry keeps the view of the last render on screen.
bool CPreViewDlg::CopyMetafileToClipboard()
{
    PreviewClipboard clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return false;
    DrawData copy = m_view;
    copy.flags &= ~DrawFlag::KeepView;
    PreviewMetafile metafile = RenderPreviewMetafile(m_path, copy);
    if (!metafile || !clipboard.Put(CF_ENHMETAFILE, metafile.get()))
        return false;
    metafile.release();
    return true;
}
