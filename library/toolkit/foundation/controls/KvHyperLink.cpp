#include "foundation/controls/KvHyperLink.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoResourceManager.h"
#include <shellapi.h>

IMPLEMENT_DYNAMIC(CKvHyperLink, CStatic)

namespace {
const UINT_PTR kHoverTimer = 1;
const UINT kHoverTimerMs = 10;
const UINT kLinkCursorId = 9973;
const COLORREF kNoBackColor = 0xFFFFFFFF;
const int kButtonFaceIndex = COLOR_BTNFACE;

// The shell's error codes below 33 and the strings that explain them; any
// other code takes the format string kOtherErrorString.
const struct {
    int code;
    UINT stringId;
} kShellErrorStrings[] = {
    {0, 9357}, {ERROR_FILE_NOT_FOUND, 9358}, {ERROR_PATH_NOT_FOUND, 9359}, {SE_ERR_ACCESSDENIED, 9360},
    {SE_ERR_OOM, 9361}, {ERROR_BAD_FORMAT, 9362}, {SE_ERR_SHARE, 9363}, {SE_ERR_ASSOCINCOMPLETE, 9364},
    {SE_ERR_DDETIMEOUT, 9365}, {SE_ERR_DDEFAIL, 9366}, {SE_ERR_DDEBUSY, 9367}, {SE_ERR_NOASSOC, 9368},
    {SE_ERR_DLLNOTFOUND, 9369},
};
const UINT kOtherErrorString = 9370;

int KvHyperLinkMessageBox(LPCWSTR text, UINT type)
{
    return AfxMessageBox(text, type);
}

const KvHyperLinkShell kSystemShell = {ShellExecuteW, KvHyperLinkMessageBox};
const KvHyperLinkShell* g_hyperLinkShell = &kSystemShell;

const LPCWSTR kOpenableSchemes[] = {L"http://", L"https://", L"mailto:"};
}

const KvHyperLinkShell* KvSetHyperLinkShell(const KvHyperLinkShell* shell)
{
    const KvHyperLinkShell* previous = g_hyperLinkShell;
    g_hyperLinkShell = shell ? shell : &kSystemShell;
    return previous;
}

bool KvIsOpenableLink(LPCWSTR url)
{
    if (!url)
        return false;
    for (LPCWSTR scheme : kOpenableSchemes) {
        const int length = lstrlenW(scheme);
        if (_wcsnicmp(url, scheme, length) == 0 && url[length] != L'\0')
            return true;
    }
    return false;
}

BEGIN_MESSAGE_MAP(CKvHyperLink, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_CREATE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCHITTEST()
    ON_CONTROL_REFLECT_EX(STN_CLICKED, &CKvHyperLink::OnClicked)
END_MESSAGE_MAP()

CKvHyperLink::CKvHyperLink()
    : m_bNavigate(true), m_bShowTip(true), m_bInitOnSubclass(true), m_bUnderline(true), m_bHover(false),
      m_bVisited(false), m_hcurLink(LoadCursorW(nullptr, IDC_HAND)), m_crLink(RGB(0, 0, 255)),
      m_crHover(RGB(255, 0, 0)), m_crVisited(RGB(128, 0, 128)), m_crBack(kNoBackColor)
{
    // Very old Windows has no hand cursor; the language module brings one.
    if (!m_hcurLink)
        m_hcurLink = CKvoResourceManager::Instance()->LoadCursor(kLinkCursorId);
}

CKvHyperLink::~CKvHyperLink() = default;

void CKvHyperLink::Redraw()
{
    if (IsWindow(m_hWnd))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKvHyperLink::SetURL(LPCWSTR url)
{
    m_strURL = url ? url : L"";
    if (m_strTipText.IsEmpty())
        m_strTipText = m_strURL;
    if (m_strTipText.IsEmpty())
        return;
    if (!m_toolTip.m_hWnd) {
        m_toolTip.Create(this, 0);
        m_toolTip.AddTool(this, m_strTipText, nullptr, 0);
        m_toolTip.SendMessage(TTM_ACTIVATE, m_bShowTip);
    } else {
        m_toolTip.UpdateTipText(m_strURL, this, 0);
    }
}

CStringW CKvHyperLink::GetURL() const
{
    return m_strURL;
}

void CKvHyperLink::SetColors(COLORREF link, COLORREF visited, COLORREF hover)
{
    m_crLink = link;
    m_crVisited = visited;
    m_crHover = hover;
    Redraw();
}

COLORREF CKvHyperLink::GetLinkColor() const
{
    return m_crLink;
}

COLORREF CKvHyperLink::GetVisitedColor() const
{
    return m_crVisited;
}

COLORREF CKvHyperLink::GetHoverColor() const
{
    return m_crHover;
}

void CKvHyperLink::SetVisited(bool visited)
{
    m_bVisited = visited;
    Redraw();
}

bool CKvHyperLink::GetVisited() const
{
    return m_bVisited;
}

void CKvHyperLink::SetLinkCursor(HCURSOR cursor)
{
    m_hcurLink = cursor;
}

HCURSOR CKvHyperLink::GetLinkCursor() const
{
    return m_hcurLink;
}

void CKvHyperLink::SetUnderline(bool underline)
{
    m_bUnderline = underline;
    UpdateFont();
}

bool CKvHyperLink::GetUnderline() const
{
    return m_bUnderline;
}

void CKvHyperLink::SetBackColor(COLORREF color)
{
    m_crBack = color;
    Redraw();
}

COLORREF CKvHyperLink::GetBackColor() const
{
    return m_crBack != kNoBackColor ? m_crBack : CKvoColorManager::Instance()->GetColor(kButtonFaceIndex);
}

bool CKvHyperLink::GotoURL(LPCWSTR url, int showCmd, LPCWSTR params, LPCWSTR dir)
{
    LPCWSTR target = url ? url : static_cast<LPCWSTR>(m_strURL);
    // A link opens web and mail addresses only: handing any other text to
    // the shell would run programs or open files named by it.
    if (!KvIsOpenableLink(target)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    HINSTANCE result = g_hyperLinkShell->shellExecute(nullptr, L"open", target, params, dir, showCmd);
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code > 32)
        return true;
    ReportError(int(code));
    return false;
}

void CKvHyperLink::ReportError(int code)
{
    CKvoResourceManager* resources = CKvoResourceManager::Instance();
    CString text;
    bool known = false;
    for (const auto& entry : kShellErrorStrings) {
        if (entry.code == code) {
            resources->LoadString(&text, entry.stringId);
            known = true;
            break;
        }
    }
    if (!known) {
        CString format;
        resources->LoadString(&format, kOtherErrorString);
        text.Format(format, code);
    }
    MessageBeep(MB_ICONEXCLAMATION);
    g_hyperLinkShell->showMessage(text, MB_ICONEXCLAMATION);
}

bool CKvHyperLink::IsTextStatic() const
{
    return (GetStyle() & SS_TYPEMASK) < SS_ICON;  // SS_NOPREFIX and the like are no type
}

bool CKvHyperLink::IsMouseOverLink() const
{
    if (!IsTextStatic())
        return true;
    CString text;
    GetWindowText(text);
    CSize extent(0, 0);
    {
        CWindowDC screen(nullptr);
        HGDIOBJ oldFont = SelectObject(screen.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        GetTextExtentPoint32W(screen.m_hDC, text, text.GetLength(), &extent);
        SelectObject(screen.m_hDC, oldFont);
    }
    CRect link;
    GetWindowRect(&link);
    switch (GetStyle() & 0x3) {
    case SS_LEFT:
        link.right = link.left + extent.cx;
        break;
    case SS_CENTER: {
        const int margin = (link.Width() - extent.cx) / 2;
        link.left += margin;
        link.right -= margin;
        break;
    }
    case SS_RIGHT:
        link.left = link.right - extent.cx;
        break;
    default:
        break;
    }
    CPoint cursor;
    GetCursorPos(&cursor);
    return PtInRect(&link, cursor) != FALSE;
}

bool CKvHyperLink::InitLink()
{
    if (!IsWindow(m_hWnd))
        return false;
    if (IsTextStatic()) {
        if (m_strURL.IsEmpty())
            GetWindowText(m_strURL);
        SetURL(m_strURL);
    }
    // SS_NOTIFY makes the control report clicks.
    ModifyStyle(0, SS_NOTIFY);
    return UpdateFont();
}

bool CKvHyperLink::UpdateFont()
{
    if (!CreateLinkFont(m_font, m_bUnderline) || !IsWindow(m_hWnd))
        return false;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    Redraw();
    return true;
}

BOOL CKvHyperLink::CreateLinkFont(CFont& font, bool underline)
{
    LOGFONTW logFont = {};
    HFONT current = IsWindow(m_hWnd) ? reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) : nullptr;
    if (!current || !GetObjectW(current, sizeof(logFont), &logFont)) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        logFont = metrics.lfStatusFont;
    }
    logFont.lfUnderline = underline ? TRUE : FALSE;
    // Made before the old one goes, so a failure leaves the font in use.
    HFONT created = CreateFontIndirectW(&logFont);
    if (!created)
        return FALSE;
    font.DeleteObject();
    return font.Attach(created);
}

void CKvHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitOnSubclass)
        InitLink();
}

BOOL CKvHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CStatic::PreCreateWindow(cs))
        return FALSE;
    m_bInitOnSubclass = false;
    return TRUE;
}

BOOL CKvHyperLink::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.m_hWnd && m_bShowTip)
        m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return CStatic::PreTranslateMessage(msg);
}

BOOL CKvHyperLink::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_hcurLink && IsMouseOverLink()) {
        ::SetCursor(m_hcurLink);
        return TRUE;
    }
    return CStatic::OnSetCursor(wnd, hitTest, message);
}

int CKvHyperLink::OnCreate(LPCREATESTRUCT create)
{
    if (CStatic::OnCreate(create) == -1)
        return -1;
    InitLink();
    return 0;
}

HBRUSH CKvHyperLink::CtlColor(CDC* dc, UINT)
{
    // An image static leaves its colours to the parent.
    if (!IsTextStatic())
        return nullptr;
    HBRUSH brush;
    if (m_crBack != kNoBackColor) {
        // The background was painted by OnPaint already.
        brush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    } else {
        CWnd* parent = GetParent();
        brush = parent ? reinterpret_cast<HBRUSH>(parent->DefWindowProc(
                             WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc->m_hDC), reinterpret_cast<LPARAM>(m_hWnd)))
                       : static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    }
    dc->SetTextColor(m_bHover ? m_crHover : m_bVisited ? m_crVisited : m_crLink);
    dc->SetBkMode(TRANSPARENT);
    return brush;
}

void CKvHyperLink::OnMouseMove(UINT flags, CPoint point)
{
    // The timer follows the mouse until it leaves the text, as a static
    // gets no message when the mouse leaves it.
    if (IsTextStatic() && IsMouseOverLink())
        SetTimer(kHoverTimer, kHoverTimerMs);
    CStatic::OnMouseMove(flags, point);
}

void CKvHyperLink::OnTimer(UINT_PTR id)
{
    if (IsTextStatic()) {
        const bool over = IsMouseOverLink();
        if (over != m_bHover) {
            m_bHover = over;
            Redraw();
        }
        if (!m_bHover)
            KillTimer(kHoverTimer);
    }
    CStatic::OnTimer(id);
}

BOOL CKvHyperLink::OnEraseBkgnd(CDC* dc)
{
    if (m_crBack != kNoBackColor)
        return TRUE;
    return CStatic::OnEraseBkgnd(dc);
}

void CKvHyperLink::OnPaint()
{
    if ((GetExStyle() & WS_EX_TRANSPARENT) || m_crBack == kNoBackColor) {
        Default();
        return;
    }
    CPaintDC paint(this);
    CKvoBufferDC buffer(paint);
    CRect client;
    GetClientRect(&client);
    buffer.FillSolidRect(&client, GetBackColor());
    // The static draws its text into the buffer over the background.
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.m_hDC), 0);
}

void CKvHyperLink::OnWindowPosChanged(WINDOWPOS* pos)
{
    CStatic::OnWindowPosChanged(pos);
    Redraw();
}

LRESULT CKvHyperLink::OnNcHitTest(CPoint)
{
    // A static answers HTTRANSPARENT; the link wants its mouse messages.
    return HTCLIENT;
}

BOOL CKvHyperLink::OnClicked()
{
    if (IsMouseOverLink()) {
        const bool visited = m_bNavigate ? GotoURL(m_strURL, SW_SHOW, nullptr, nullptr) : true;
        if (visited != m_bVisited)
            SetVisited(visited);
    }
    if (m_toolTip.m_hWnd && m_bShowTip)
        m_toolTip.SendMessage(TTM_POP);
    // A text link lets its parent see the click as well.
    return !IsTextStatic();
}
