#include "PreviewHostWindow.h"

#include "PngWriter.h"

namespace
{

const wchar_t kHostWindowClass[] = L"JwPreviewHostPane";
const DWORD kHostWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

void RegisterHostWindowClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kHostWindowClass;
    ::RegisterClassW(&windowClass);
}

SIZE OuterSize(int width, int height)
{
    RECT rect = {0, 0, width, height};
    ::AdjustWindowRect(&rect, kHostWindowStyle, FALSE);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A device context and the bitmap selected into it, freed together.
class CClientCopy
{
public:
    CClientCopy(HWND window, int width, int height)
    {
        HDC windowDC = ::GetDC(window);
        m_memoryDC = ::CreateCompatibleDC(windowDC);
        m_bitmap = ::CreateCompatibleBitmap(windowDC, width, height);
        if (m_memoryDC && m_bitmap)
        {
            m_oldBitmap = ::SelectObject(m_memoryDC, m_bitmap);
            ::BitBlt(m_memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
            ::SelectObject(m_memoryDC, m_oldBitmap);
        }
        ::ReleaseDC(window, windowDC);
    }
    ~CClientCopy()
    {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_memoryDC)
            ::DeleteDC(m_memoryDC);
    }
    CClientCopy(const CClientCopy&) = delete;
    CClientCopy& operator=(const CClientCopy&) = delete;
    HBITMAP Bitmap() const { return m_memoryDC ? m_bitmap : nullptr; }

private:
    HDC m_memoryDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
};

BOOL CALLBACK CountChildWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(window, CountChildWindow, count);
    return TRUE;
}

} // namespace

CPreviewHostWindow::CPreviewHostWindow(int width, int height)
{
    RegisterHostWindowClass();
    SIZE outer = OuterSize(width, height);
    m_window = ::CreateWindowExW(0, kHostWindowClass, L"Preview", kHostWindowStyle | WS_VISIBLE, 20, 20, outer.cx,
                                 outer.cy, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

CPreviewHostWindow::~CPreviewHostWindow()
{
    if (m_window)
        ::DestroyWindow(m_window);
}

RECT CPreviewHostWindow::ClientRect() const
{
    RECT rect = {};
    ::GetClientRect(m_window, &rect);
    return rect;
}

void CPreviewHostWindow::Resize(int width, int height)
{
    SIZE outer = OuterSize(width, height);
    ::SetWindowPos(m_window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CPreviewHostWindow::SavePicture(const wchar_t* path) const
{
    RECT client = ClientRect();
    CClientCopy copy(m_window, client.right, client.bottom);
    return copy.Bitmap() != nullptr && SaveBitmapAsPng(copy.Bitmap(), path);
}

bool PumpUntilQuiet(DWORD quietMs, DWORD limitMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + limitMs;
    ULONGLONG lastMessage = ::GetTickCount64();
    while (::GetTickCount64() < deadline)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            lastMessage = ::GetTickCount64();
        }
        if (::GetTickCount64() - lastMessage >= quietMs)
            return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return false;
}

int CountThreadWindows()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevelWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
