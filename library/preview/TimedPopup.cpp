#include "TimedPopup.h"

namespace {
const UINT_PTR kTimedPopupTimer = 1;
const int kTimedPopupMargin = 10;
const int kTimedPopupCorner = 16;
const COLORREF kTimedPopupLightBack = RGB(250, 250, 180);
const COLORREF kTimedPopupDarkBack = RGB(0x28, 0x28, 0x28);

// "Segoe UI" of 12 points on the screen; the caller owns the font.
HFONT CreateTimedPopupFont()
{
    HDC screen = GetDC(nullptr);
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    wcscpy_s(font.lfFaceName, L"Segoe UI");
    return CreateFontIndirectW(&font);
}
}  // namespace

BEGIN_MESSAGE_MAP(CTimedPopup, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CTimedPopup::Create(CWnd* parent, const wchar_t* text, int x, int y, bool dark, UINT shownMs)
{
    m_dark = dark;
    m_text = text;
    const LPCTSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 0, 0),
                  parent, 0))
        return FALSE;
    CFont font;
    font.Attach(CreateTimedPopupFont());
    CRect textRect(0, 0, 0, 0);
    {
        CClientDC dc(this);
        CFont* oldFont = dc.SelectObject(&font);
        dc.DrawText(m_text, -1, &textRect, DT_CALCRECT);
        dc.SelectObject(oldFont);
    }
    // As wide as the unwrapped text and three lines high: the text area
    // inside the margins is narrower, so the text wraps onto a second line
    // that the height has room for.
    SetWindowPos(nullptr, x, y, textRect.Width(), textRect.Height() * 3, SWP_NOZORDER);
    HRGN region = CreateRoundRectRgn(0, 0, textRect.Width(), textRect.Height() * 3, kTimedPopupCorner,
                                     kTimedPopupCorner);
    if (!SetWindowRgn(region, TRUE))
        DeleteObject(region);
    SetTimer(kTimedPopupTimer, shownMs, nullptr);
    ShowWindow(SW_SHOW);
    return TRUE;
}

bool CTimedPopup::Show(CWnd* parent, const wchar_t* text, int x, int y, bool dark, UINT shownMs)
{
    auto* popup = new CTimedPopup;
    return CreateOwned(popup, [&] { return popup->Create(parent, text, x, y, dark, shownMs); });
}

void CTimedPopup::PostNcDestroy()
{
    delete this;
}

void CTimedPopup::OnPaint()
{
    CRect window;
    GetWindowRect(&window);
    CRect rect(0, 0, window.Width(), window.Height());
    CPaintDC dc(this);
    // Also leaves the background colour set, so the text's opaque
    // background matches.
    dc.FillSolidRect(&rect, m_dark ? kTimedPopupDarkBack : kTimedPopupLightBack);
    dc.SetTextColor(m_dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
    rect.DeflateRect(kTimedPopupMargin, kTimedPopupMargin);
    CFont font;
    font.Attach(CreateTimedPopupFont());
    CFont* oldFont = dc.SelectObject(&font);
    dc.DrawText(m_text, -1, &rect, DT_WORDBREAK);
    dc.SelectObject(oldFont);
}

void CTimedPopup::OnTimer(UINT_PTR id)
{
    KillTimer(id);
    DestroyWindow();
}

void CTimedPopup::OnKillFocus(CWnd* newFocus)
{
    CWnd::OnKillFocus(newFocus);
    DestroyWindow();
}
