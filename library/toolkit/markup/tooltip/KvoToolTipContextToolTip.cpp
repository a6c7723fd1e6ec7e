#include "markup/tooltip/KvoToolTipContextToolTip.h"

#include <afxmt.h>

#include <algorithm>

#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoMultiMonitor.h"
#include "foundation/base/KvoSystemVersion.h"
#include "foundation/images/KvoImageManagerIcon.h"
#include "foundation/images/KvoOffice2007Images.h"
#include "markup/tooltip/KvoToolTipContext.h"

// The thread's mouse hook of the tooltip window whose tip shows. Hooks
// belong to a thread, so every UI thread keeps its own.
class CKvoToolTipMouseHook : public CNoTrackObject {
public:
    static void Install(CKvoToolTipContextToolTip* window);
    static void Remove(CKvoToolTipContextToolTip* window);

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_hook = nullptr;
    CKvoToolTipContextToolTip* m_window = nullptr; // not owned
};

namespace {
THREAD_LOCAL(CKvoToolTipMouseHook, t_mouseHook)
}

void CKvoToolTipMouseHook::Install(CKvoToolTipContextToolTip* window)
{
    CKvoToolTipMouseHook* record = t_mouseHook.GetData();
    if (record->m_hook)
        return;
    record->m_hook = ::SetWindowsHookExW(WH_MOUSE, &HookProc, NULL, ::GetCurrentThreadId());
    if (record->m_hook)
        record->m_window = window;
}

void CKvoToolTipMouseHook::Remove(CKvoToolTipContextToolTip* window)
{
    CKvoToolTipMouseHook* record = t_mouseHook.GetDataNA();
    if (!record || !record->m_hook || record->m_window != window)
        return;
    ::UnhookWindowsHookEx(record->m_hook);
    record->m_hook = nullptr;
    record->m_window = nullptr;
}

LRESULT CALLBACK CKvoToolTipMouseHook::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    CKvoToolTipMouseHook* record = t_mouseHook.GetDataNA();
    HHOOK hook = record ? record->m_hook : nullptr;
    if (code == HC_ACTION && record && record->m_window && record->m_window->m_shown.window) {
        // The tool's window may get no mouse message once the mouse left it:
        // the tip learns of it here.
        const POINT point = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
        if (CKvoToolTipContextToolTip::WindowUnderPoint(point) != record->m_window->m_shown.window) {
            MSG msg = {NULL, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y)};
            msg.pt = point;
            record->m_window->OnRelayEvent(&msg);
            code = 0;
        }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

IMPLEMENT_DYNAMIC(CKvoToolTipContextToolTip, CWnd)

BEGIN_MESSAGE_MAP(CKvoToolTipContextToolTip, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_MOUSEACTIVATE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(TTM_ADDTOOLW, &ThisClass::OnAddTool)
ON_MESSAGE(TTM_ACTIVATE, &ThisClass::OnActivateMessage)
ON_MESSAGE(TTM_DELTOOLW, &ThisClass::OnDelTool)
ON_MESSAGE(TTM_RELAYEVENT, &ThisClass::OnRelayEventMessage)
ON_MESSAGE(TTM_SETTITLEW, &ThisClass::OnSetTitle)
ON_MESSAGE(TTM_UPDATETIPTEXTW, &ThisClass::OnUpdateTipText)
ON_MESSAGE(TTM_SETDELAYTIME, &ThisClass::OnSetDelayTime)
ON_MESSAGE(TTM_SETTOOLIMAGE, &ThisClass::OnSetToolImage)
ON_MESSAGE(TTM_WINDOWFROMPOINT, &ThisClass::OnWindowFromPoint)
END_MESSAGE_MAP()

CKvoToolTipContextToolTip::CKvoToolTipContextToolTip(CKvoToolTipContext* context) : m_context(context) {}

CKvoToolTipContextToolTip::~CKvoToolTipContextToolTip()
{
    if (GetSafeHwnd())
        DestroyWindow();
    DeleteTools();
}

BOOL CKvoToolTipContextToolTip::Create(CWnd* parent, DWORD style)
{
    UINT classStyle = CS_SAVEBITS | CS_OWNDC;
    if (!(style & kKvoTipStyleNoShadow) && CKvoSystemVersion::Instance()->IsWinXPOrGreater())
        classStyle |= CS_DROPSHADOW;
    LPCTSTR className = AfxRegisterWndClass(classStyle, ::LoadCursorW(NULL, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW, className, NULL, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent->GetSafeHwnd(), NULL);
}

HWND CKvoToolTipContextToolTip::WindowUnderPoint(POINT screenPoint)
{
    HWND window = ::WindowFromPoint(screenPoint);
    if (window && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
        ::SendMessageW(window, WM_TOOLTIPHITTRANSPARENT, 0, 0) == 1)
        window = ::GetParent(window);
    return window;
}

CStringW CKvoToolTipContextToolTip::GetToolText(TOOLITEM& tool)
{
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = GetSafeHwnd();
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOW;
    info.lpszText = info.szText;
    info.uFlags = tool.flags;
    ::SendMessageW(tool.window, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    CStringW text;
    if (info.lpszText && HIWORD(reinterpret_cast<ULONG_PTR>(info.lpszText)) == 0) {
        // A string id in the module handed back.
        text.LoadString(info.hinst, LOWORD(reinterpret_cast<ULONG_PTR>(info.lpszText)));
    } else if (info.lpszText) {
        text = info.lpszText;
    }
    if (!(m_context->GetTipStyle() & TTS_NOPREFIX))
        CKvoDrawHelpers::StripMnemonics(text);
    tool.text = text;
    tool.callback = FALSE;
    return tool.text;
}

// --- tools -----------------------------------------------------------------

void CKvoToolTipContextToolTip::AddTool(const TOOLINFO* info)
{
    auto* item = new TOOLITEM();
    item->window = info->hwnd;
    item->flags = info->uFlags;
    item->id = info->uId;
    item->rect = info->rect;
    item->callback = info->lpszText == LPSTR_TEXTCALLBACKW;
    if (!item->callback && info->lpszText && !info->hinst)
        item->text = info->lpszText;
    else if (!item->callback && info->lpszText && info->hinst)
        item->text.LoadString(info->hinst, LOWORD(reinterpret_cast<ULONG_PTR>(info->lpszText)));
    item->module = info->hinst;
    // A V2 tool info without its extension record gives no placement.
    if (info->cbSize == TTTOOLINFOW_V2_SIZE && info->lParam)
        item->placement = reinterpret_cast<const KvoToolInfoExtension*>(info->lParam)->placement;
    m_tools.Add(item);
}

void CKvoToolTipContextToolTip::DelTool(const TOOLINFO* info)
{
    for (INT_PTR index = 0; index < m_tools.GetSize(); ++index) {
        TOOLITEM* item = m_tools[index];
        if (item->id != info->uId || item->window != info->hwnd)
            continue;
        if (item->IsSameTool(m_shown))
            ShowTool(nullptr);
        if (item->IsSameTool(m_clicked))
            m_clicked.Reset();
        if (item->IsSameTool(m_pending))
            StopPending();
        m_tools.RemoveAt(index);
        delete item;
        return;
    }
}

void CKvoToolTipContextToolTip::DeleteTools()
{
    for (INT_PTR index = 0; index < m_tools.GetSize(); ++index)
        delete m_tools[index];
    m_tools.RemoveAll();
}

void CKvoToolTipContextToolTip::Activate(bool active)
{
    m_active = active;
    if (active)
        return;
    StopPending();
    ShowTool(nullptr);
}

CKvoToolTipContextToolTip::TOOLITEM* CKvoToolTipContextToolTip::HitTest() const
{
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
        (::GetKeyState(VK_MBUTTON) & 0x8000))
        return nullptr;
    POINT cursor;
    ::GetCursorPos(&cursor);
    for (INT_PTR index = 0; index < m_tools.GetSize(); ++index) {
        TOOLITEM* item = m_tools[index];
        if (!::IsWindow(item->window))
            continue;
        RECT area;
        if (item->flags & TTF_IDISHWND) {
            ::GetWindowRect(item->window, &area);
            if (::PtInRect(&area, cursor))
                return item;
            continue;
        }
        area = item->rect;
        ::MapWindowPoints(item->window, NULL, reinterpret_cast<POINT*>(&area), 2);
        if (::PtInRect(&area, cursor) && WindowUnderPoint(cursor) == item->window)
            return item;
    }
    return nullptr;
}

// --- showing ---------------------------------------------------------------

void CKvoToolTipContextToolTip::StartPending(const TOOLITEM& tool)
{
    m_pending = tool;
    m_showTimer = SetTimer(kShowTimer, static_cast<UINT>(m_initialDelay));
}

void CKvoToolTipContextToolTip::StopPending()
{
    if (m_showTimer) {
        KillTimer(m_showTimer);
        m_showTimer = 0;
    }
    m_pending.Reset();
}

void CKvoToolTipContextToolTip::OnRelayEvent(const MSG* msg)
{
    if (!m_active || !msg)
        return;
    const UINT message = msg->message;
    const bool mouse = (message >= WM_MOUSEFIRST && message <= WM_MOUSEHWHEEL) ||
                       (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
    if (!mouse)
        return;
    TOOLITEM* tool = HitTest();
    if (tool && message == WM_LBUTTONDOWN) {
        m_clicked = *tool;
        tool = nullptr;
    }
    if (tool && tool->IsSameTool(m_clicked))
        tool = nullptr;

    bool keepPending = false;
    if (m_showTimer) {
        if (tool && tool->IsSameTool(m_pending)) {
            keepPending = true;
        } else if (!tool && !m_pending.window) {
            ShowTool(nullptr);
            return;
        } else {
            StopPending();
        }
    }
    if (!keepPending && !tool) {
        ShowTool(nullptr);
        return;
    }
    if (tool->IsSameTool(m_shown))
        return;
    if (::GetTickCount() - m_lastChange < static_cast<DWORD>(m_reshowDelay))
        ShowTool(tool);
    else if (!tool->IsSameTool(m_pending))
        StartPending(*tool);
}

void CKvoToolTipContextToolTip::OnTimer(UINT_PTR id)
{
    if (id == m_showTimer && m_showTimer) {
        TOOLITEM* tool = m_pending.window ? HitTest() : nullptr;
        const bool stillHit = tool && tool->IsSameTool(m_pending);
        StopPending();
        if (stillHit)
            ShowTool(tool);
    }
    Default();
}

void CKvoToolTipContextToolTip::ShowTool(TOOLITEM* tool)
{
    if (!tool && !m_shown.window)
        return;
    if (tool && tool->IsSameTool(m_shown))
        return;
    CSize size;
    if (tool) {
        size = CalcSize(*tool);
        if (size.cx == 0 && size.cy == 0)
            tool = nullptr;
    }
    const UINT quiet = SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | quiet);
    SetWindowRgn(NULL, FALSE);
    if (!tool) {
        CKvoToolTipMouseHook::Remove(this);
        m_pending.Reset();
        m_shown.Reset();
    } else {
        const CRect place = PlaceTip(*tool, size);
        SetWindowPos(&CWnd::wndTopMost, place.left, place.top, place.Width(), place.Height(),
                     SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        NMHDR show = {GetSafeHwnd(), tool->id, static_cast<UINT>(TTN_SHOW)};
        ::SendMessageW(tool->window, WM_NOTIFY, tool->id, reinterpret_cast<LPARAM>(&show));
        if (GetStyle() & kKvoTipStyleOffice2007)
            CKvoToolTipContext::SetRoundedWindowRegion(this);
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | quiet);
        Invalidate(FALSE);
        CKvoToolTipMouseHook::Install(this);
        m_clicked.Reset();
        m_shown = *tool;
    }
    m_lastChange = ::GetTickCount();
    OnVisibleChanged(tool != nullptr);
}

CRect CKvoToolTipContextToolTip::PlaceTip(const TOOLITEM& tool, CSize size) const
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    CPoint origin;
    if (!::IsRectEmpty(&tool.placement)) {
        origin = CPoint(tool.rect.left, tool.placement.bottom);
        ::ClientToScreen(tool.window, &origin);
    } else {
        origin = CPoint(cursor.x, cursor.y + GetCursorHeight());
        if (::GetWindowLongW(tool.window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
            origin.x -= size.cx;
    }
    CRect place(origin, size);
    const CRect work = CKvoMultiMonitor::Instance()->GetWorkAreaFromCursor();
    if (place.right > work.right - 4)
        place.OffsetRect(work.right - 4 - place.right, 0);
    if (place.left < work.left)
        place.OffsetRect(work.left - place.left, 0);
    if (place.bottom > work.bottom - 4)
        place.OffsetRect(0, cursor.y - 3 - place.bottom);
    return place;
}

void CKvoToolTipContextToolTip::OnVisibleChanged(bool) {}

int CKvoToolTipContextToolTip::GetCursorHeight()
{
    constexpr int unknown = 21;
    ICONINFO info = {};
    if (!::GetIconInfo(::GetCursor(), &info))
        return unknown;
    // The icon information hands out bitmaps that are ours to delete.
    CBitmap mask, colour;
    mask.Attach(info.hbmMask);
    colour.Attach(info.hbmColor);
    BITMAP bitmap = {};
    if (!info.hbmMask || !mask.GetBitmap(&bitmap) || bitmap.bmWidth <= 0)
        return unknown;
    WORD bits[128];
    memset(bits, 0xFF, sizeof(bits));
    if (!::GetBitmapBits(info.hbmMask, sizeof(bits), bits))
        return unknown;
    int words = ::MulDiv(bitmap.bmWidth, bitmap.bmHeight, 16);
    int xorIndex = -1;
    if (!info.hbmColor) {
        // A monochrome cursor's mask holds the AND half above the XOR half.
        words /= 2;
        xorIndex = words * 2 - 1;
        if (xorIndex >= 128)
            xorIndex = -1;
    }
    int index = (words - 1 < 126) ? words - 1 : 126;
    for (; index > 0; --index, xorIndex = xorIndex >= 0 ? xorIndex - 1 : -1) {
        if (bits[index] != 0xFFFF)
            break;
        if (xorIndex >= 0 && bits[xorIndex] != 0)
            break;
    }
    return ::MulDiv(index + 1, 16, bitmap.bmWidth) - static_cast<int>(info.yHotspot);
}

// --- drawing ---------------------------------------------------------------

CSize CKvoToolTipContextToolTip::GetSpacing() const
{
    const RECT& margin = m_context->GetMargin();
    return CSize(margin.left + margin.right + 6, margin.top + margin.bottom + 6);
}

int CKvoToolTipContextToolTip::GetResolvedMaxWidth() const
{
    const int width = m_context->GetMaxTipWidth();
    return width == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : width;
}

CRect CKvoToolTipContextToolTip::ContentRect(RECT rect) const
{
    const RECT& margin = m_context->GetMargin();
    return CRect(rect.left + 3 + margin.left, rect.top + 3 + margin.top, rect.right - 3 - margin.right,
                 rect.bottom - 3 - margin.bottom);
}

bool CKvoToolTipContextToolTip::IsSmallImage() const
{
    return m_image && m_image->GetHeight() <= 16;
}

CSize CKvoToolTipContextToolTip::CalcSize(TOOLITEM& tool)
{
    CClientDC dc(this);
    CKvoFontDC font(&dc, m_context->GetFont());
    const CStringW text = GetToolText(tool);
    if (text.IsEmpty())
        return CSize(0, 0);
    const CSize spacing = GetSpacing();
    const int limit = GetResolvedMaxWidth() - spacing.cx;
    CRect measured(0, 0, limit, 0);
    dc.DrawText(text, &measured, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
    int w = measured.Width(), h = measured.Height();
    if (m_image) {
        if (!IsSmallImage())
            w += m_image->GetWidth() + 5;
        else if (m_title.IsEmpty())
            w += m_image->GetWidth() + 3;
        h = std::max(h, m_image->GetHeight());
    }
    if (!m_title.IsEmpty()) {
        font.SetFont(m_context->GetBoldFont());
        CRect title(0, 0, limit - 25, 0);
        dc.DrawText(m_title, &title, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
        h += title.Height() + 20;
        const int titleWidth = std::min(title.Width() + 4, limit);
        w = std::max(w + 25, titleWidth + (IsSmallImage() ? m_image->GetWidth() + 1 : 0));
    }
    return CSize(w + spacing.cx, h + spacing.cy);
}

void CKvoToolTipContextToolTip::DrawBackground(CDC* dc, const TOOLITEM&, RECT rect)
{
    if (GetStyle() & kKvoTipStyleOffice2007) {
        DrawOffice2007Background(dc, rect);
        return;
    }
    if (g_darkModeActive) {
        dc->FillSolidRect(&rect, 0);
        dc->Draw3dRect(&rect, 0x808080, 0);
        return;
    }
    dc->FillSolidRect(&rect, m_context->GetBackColor());
    dc->Draw3dRect(&rect, (GetStyle() & kKvoTipStyleLightFrame) ? ::GetSysColor(COLOR_BTNFACE) : 0, 0);
}

void CKvoToolTipContextToolTip::DrawOffice2007Background(CDC* dc, const RECT& rect) const
{
    CKvoOffice2007Images* theme = CKvoOffice2007Images::Instance();
    auto themeColor = [theme](LPCTSTR key, COLORREF fallback) {
        const COLORREF color = theme->GetImageColor(L"Window", key);
        return color == CLR_NONE ? fallback : color;
    };
    const COLORREF light = g_darkModeActive ? 0x2C2C2C : themeColor(L"TooltipLight", 0xFFFFFF);
    const COLORREF dark = g_darkModeActive ? 0x161616 : themeColor(L"TooltipDark", 0xEFD9C9);
    CKvoDrawHelpers::GradientFill(dc, &rect, light, dark, FALSE);
    if (CKvoOffice2007Image* frame = theme->LoadFile(L"TOOLTIPFRAME"))
        frame->DrawImage(dc, rect, frame->GetSource(), CRect(3, 3, 3, 3), RGB(255, 0, 255));
    else {
        const COLORREF border = themeColor(L"TooltipBorder", 0x767676);
        dc->Draw3dRect(&rect, border, border);
    }
}

void CKvoToolTipContextToolTip::DrawContent(CDC* dc, TOOLITEM& tool, RECT rect)
{
    const bool rtl = (::GetWindowLongW(tool.window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    CRect content = ContentRect(rect);
    CRect title(content.left + 2, content.top + 2, content.right - 2, content.bottom);
    if (IsSmallImage()) {
        const int x = rtl ? content.right - m_image->GetWidth() : content.left;
        m_image->Draw(dc, CPoint(x, content.top));
        const int indent = m_image->GetWidth() + (m_title.IsEmpty() ? 3 : 1);
        CRect& shifted = m_title.IsEmpty() ? content : title;
        (rtl ? shifted.right : shifted.left) += rtl ? -indent : indent;
    }
    if (!m_title.IsEmpty()) {
        CKvoFontDC bold(dc, m_context->GetBoldFont());
        CRect measured(title);
        dc->DrawText(m_title, &measured, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
        dc->DrawText(m_title, &title,
                     DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | (rtl ? DT_RTLREADING | DT_RIGHT : 0));
        content.top += 12 + measured.Height();
        content.left += rtl ? 15 : 10;
        content.right -= rtl ? 10 : 15;
    }
    if (m_image && !IsSmallImage()) {
        const int x = rtl ? content.right - m_image->GetWidth() : content.left;
        m_image->Draw(dc, CPoint(x, content.top));
        (rtl ? content.right : content.left) += rtl ? -(m_image->GetWidth() + 5) : m_image->GetWidth() + 5;
    }
    const CStringW text = GetToolText(tool);
    dc->DrawText(text, &content, DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | (rtl ? DT_RTLREADING | DT_RIGHT : 0));
}

// --- messages --------------------------------------------------------------

void CKvoToolTipContextToolTip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawBackground(&dc, m_shown, client);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_context->GetTextColor());
    CKvoFontDC font(&dc, m_context->GetFont());
    DrawContent(&dc, m_shown, client);
}

BOOL CKvoToolTipContextToolTip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CKvoToolTipContextToolTip::OnNcHitTest(CPoint)
{
    return HTTRANSPARENT;
}

int CKvoToolTipContextToolTip::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CKvoToolTipContextToolTip::OnMouseMove(UINT, CPoint)
{
    ShowTool(nullptr);
}

void CKvoToolTipContextToolTip::OnDestroy()
{
    m_shown.Reset();
    m_clicked.Reset();
    StopPending();
    DeleteTools();
    m_title.Empty();
    m_image = nullptr;
    Activate(false);
    CKvoToolTipMouseHook::Remove(this);
    CWnd::OnDestroy();
}

LRESULT CKvoToolTipContextToolTip::OnAddTool(WPARAM, LPARAM lParam)
{
    if (!lParam)
        return 0;
    AddTool(reinterpret_cast<const TOOLINFO*>(lParam));
    return 1;
}

LRESULT CKvoToolTipContextToolTip::OnActivateMessage(WPARAM wParam, LPARAM)
{
    Activate(wParam != 0);
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnDelTool(WPARAM, LPARAM lParam)
{
    if (lParam)
        DelTool(reinterpret_cast<const TOOLINFO*>(lParam));
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnRelayEventMessage(WPARAM, LPARAM lParam)
{
    OnRelayEvent(reinterpret_cast<const MSG*>(lParam));
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnSetTitle(WPARAM, LPARAM lParam)
{
    m_title = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnUpdateTipText(WPARAM, LPARAM lParam)
{
    const auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
    if (!info)
        return 0;
    for (INT_PTR index = 0; index < m_tools.GetSize(); ++index) {
        TOOLITEM* item = m_tools[index];
        if (item->window != info->hwnd || item->id != info->uId)
            continue;
        item->callback = info->lpszText == LPSTR_TEXTCALLBACKW;
        item->text = (item->callback || !info->lpszText) ? L"" : info->lpszText;
        break;
    }
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnSetDelayTime(WPARAM wParam, LPARAM lParam)
{
    // No auto-pop: a tip stays until the mouse leaves its tool.
    if (wParam == TTDT_RESHOW)
        m_reshowDelay = LOWORD(lParam);
    else if (wParam == TTDT_INITIAL)
        m_initialDelay = LOWORD(lParam);
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnSetToolImage(WPARAM, LPARAM lParam)
{
    m_image = reinterpret_cast<CKvoImageManagerIcon*>(lParam);
    return 0;
}

LRESULT CKvoToolTipContextToolTip::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    if (!lParam)
        return 0;
    return reinterpret_cast<LRESULT>(WindowUnderPoint(*reinterpret_cast<const POINT*>(lParam)));
}
