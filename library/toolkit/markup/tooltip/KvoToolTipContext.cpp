#include "markup/tooltip/KvoToolTipContext.h"

#include <cstdlib>
#include <cwchar>
#include <utility>
#include <vector>

#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoSystemVersion.h"
#include "foundation/images/KvoImageManager.h"
#include "markup/tooltip/KvoHTMLToolTip.h"
#include "markup/tooltip/KvoLunaToolTip.h"
#include "markup/tooltip/KvoMarkupToolTip.h"
#include "markup/tooltip/KvoRichEditToolTip.h"
#include "markup/tooltip/KvoStandardToolTip.h"
#include "markup/tooltip/KvoToolTipContextToolTip.h"

namespace {

// The window's "parent owner": the first window without WS_CHILD from it up.
HWND TopNonChildWindow(HWND window)
{
    while (window && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
        window = ::GetParent(window);
    return window;
}

bool IsAnyMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}

void MakeStatusFont(CFont& font, LONG weight)
{
    NONCLIENTMETRICSW metrics = {};
    InitNonClientMetrics(&metrics);
    metrics.lfStatusFont.lfWeight = weight;
    font.CreateFontIndirect(&metrics.lfStatusFont);
}

wchar_t* HeapCopy(const CStringW& text)
{
    return _wcsdup(text.GetString());
}

} // namespace

CKvoToolTipContext::CKvoToolTipContext()
    : m_comCtlVersion(CKvoSystemVersion::GetComCtlVersion()),
      m_maxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2)
{
    MakeStatusFont(m_font, FW_NORMAL);
    MakeStatusFont(m_boldFont, FW_BOLD);
}

CKvoToolTipContext::~CKvoToolTipContext()
{
    DestroyToolTip();
}

void CKvoToolTipContext::DestroyToolTip()
{
    if (!m_toolTip)
        return;
    if (m_toolTip->GetSafeHwnd())
        m_toolTip->DestroyWindow();
    delete m_toolTip;
    m_toolTip = nullptr;
    // The tools went with the window.
    m_lastTool = {};
}

void CKvoToolTipContext::SetStyle(int style)
{
    if (style == m_style)
        return;
    if (style == KvoToolTipStyle::Balloon && !IsComCtlTitleSupported())
        return;
    m_style = style;
    DestroyToolTip();
    ModifyTipStyle(kKvoTipStyleLightFrame | kKvoTipStyleNoShadow,
                   style == KvoToolTipStyle::Office ? kKvoTipStyleLightFrame | kKvoTipStyleNoShadow : 0);
    ModifyTipStyle(kKvoTipStyleOffice2007, style == KvoToolTipStyle::Office2007 ? kKvoTipStyleOffice2007 : 0);
}

void CKvoToolTipContext::ModifyTipStyle(DWORD remove, DWORD add)
{
    DWORD style = (m_tipStyle & ~remove) | add;
    if (style == m_tipStyle)
        return;
    m_tipStyle = style;
    DestroyToolTip();
}

CWnd* CKvoToolTipContext::CreateToolTip(CWnd*)
{
    switch (m_style) {
    case KvoToolTipStyle::Office:
    case KvoToolTipStyle::Office2007:
        return new CKvoToolTipContextToolTip(this);
    case KvoToolTipStyle::RichEdit:
        return new CRichEditToolTip(this);
    case KvoToolTipStyle::Luna:
        return new CLunaToolTip(this);
    case KvoToolTipStyle::Html:
        return new CHTMLToolTip(this);
    case KvoToolTipStyle::Markup:
        return new CMarkupToolTip(this);
    default:
        return new CStandardToolTip();
    }
}

INT_PTR CKvoToolTipContext::OnToolHitTest(CWnd* window, POINT clientPoint, TOOLINFO* info)
{
    return window ? window->OnToolHitTest(clientPoint, info) : -1;
}

void CKvoToolTipContext::DeactivateToolTip()
{
    if (m_toolTip && m_toolTip->GetSafeHwnd())
        m_toolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

COLORREF CKvoToolTipContext::GetBackColor() const
{
    if (g_darkModeActive)
        return 0x383838;
    if (m_backColor != CLR_NONE)
        return m_backColor;
    return CKvoColorManager::Instance()->GetColor(COLOR_INFOBK);
}

COLORREF CKvoToolTipContext::GetTextColor() const
{
    if (g_darkModeActive)
        return RGB(255, 255, 255);
    if (m_textColor != CLR_NONE)
        return m_textColor;
    if (m_tipStyle & kKvoTipStyleOffice2007)
        return 0x4C4C4C;
    return CKvoColorManager::Instance()->GetColor(COLOR_INFOTEXT);
}

void CKvoToolTipContext::SetDelayTime(DWORD kind, int milliseconds)
{
    switch (kind) {
    case TTDT_INITIAL:
        m_initialDelay = milliseconds;
        break;
    case TTDT_RESHOW:
        m_reshowDelay = milliseconds;
        break;
    case TTDT_AUTOPOP:
        m_autoPopDelay = milliseconds;
        break;
    default:
        break;
    }
}

void CKvoToolTipContext::ShowTitleAndDescription(bool show, int titleIcon)
{
    m_showTitle = show;
    m_titleIcon = titleIcon;
}

void CKvoToolTipContext::ShowImage(bool show, int iconWidth, int iconIdOffset)
{
    m_showImage = show;
    m_iconWidth = iconWidth;
    m_iconIdOffset = iconIdOffset;
}

void CKvoToolTipContext::FillInToolInfo(TOOLINFO* info, HWND window, RECT rect, UINT_PTR id, const CStringW& text)
{
    if (!info || info->cbSize < TTTOOLINFOW_V1_SIZE)
        return;
    info->hwnd = window;
    info->uId = id;
    info->rect = rect;
    info->lpszText = HeapCopy(text);
}

void CKvoToolTipContext::FillInToolInfoEx(TOOLINFO* info, HWND window, RECT rect, UINT_PTR id,
                                          const CStringW& text, const CStringW& title,
                                          const CStringW& description, CKvoImageManager* images)
{
    FillInToolInfo(info, window, rect, id, text);
    if (!info || info->cbSize != TTTOOLINFOW_V2_SIZE || !info->lParam)
        return;
    auto* extension = reinterpret_cast<KvoToolInfoExtension*>(info->lParam);
    if (!description.IsEmpty() && !title.IsEmpty()) {
        extension->description = HeapCopy(description);
        extension->title = HeapCopy(title);
    }
    extension->imageManager = images;
}

void CKvoToolTipContext::SetRoundedWindowRegion(CWnd* window)
{
    if (!window || !window->GetSafeHwnd())
        return;
    CRect bounds;
    window->GetWindowRect(&bounds);
    const int w = bounds.Width(), h = bounds.Height();
    const RECT parts[3] = {{1, 0, w - 1, 1}, {0, 1, w, h - 1}, {1, h - 1, w - 1, h}};
    std::vector<BYTE> block(sizeof(RGNDATAHEADER) + sizeof(parts));
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = 3;
    data->rdh.nRgnSize = sizeof(parts);
    data->rdh.rcBound = {0, 0, w, h};
    memcpy(data->Buffer, parts, sizeof(parts));
    HRGN region = ::ExtCreateRegion(NULL, static_cast<DWORD>(block.size()), data);
    // The window owns the region once it is set.
    if (region && !window->SetWindowRgn(region, FALSE))
        ::DeleteObject(region);
}

bool CKvoToolTipContext::IsMovingMessage(UINT message) const
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return !IsAnyMouseButtonDown();
    default:
        return false;
    }
}

bool CKvoToolTipContext::IsHidingMessage(UINT message)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        return true;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool CKvoToolTipContext::EnsureToolTipWindow(CWnd* parent)
{
    if (!m_toolTip)
        m_toolTip = CreateToolTip(parent);
    if (!m_toolTip)
        return false;
    if (m_toolTip->GetSafeHwnd())
        return true;
    BOOL created;
    if (m_toolTip->IsKindOf(RUNTIME_CLASS(CKvoToolTipContextToolTip)))
        created = static_cast<CKvoToolTipContextToolTip*>(m_toolTip)->Create(parent, m_tipStyle | TTS_ALWAYSTIP |
                                                                                        TTS_NOPREFIX);
    else
        created = static_cast<CToolTipCtrl*>(m_toolTip)->Create(
            parent, m_tipStyle | TTS_ALWAYSTIP | TTS_NOPREFIX |
                        (m_style == KvoToolTipStyle::Balloon ? TTS_BALLOON : 0));
    if (!created)
        return false;
    ConfigureToolTipWindow();
    return true;
}

void CKvoToolTipContext::ConfigureToolTipWindow()
{
    m_toolTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    m_toolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_maxTipWidth);
    m_toolTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_margin));
    if (m_backColor != CLR_NONE)
        m_toolTip->SendMessage(TTM_SETTIPBKCOLOR, m_backColor);
    if (m_textColor != CLR_NONE)
        m_toolTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_textColor);
    const std::pair<DWORD, int> delays[] = {
        {TTDT_RESHOW, m_reshowDelay}, {TTDT_INITIAL, m_initialDelay}, {TTDT_AUTOPOP, m_autoPopDelay}};
    for (const auto& delay : delays)
        if (delay.second != -1)
            m_toolTip->SendMessage(TTM_SETDELAYTIME, delay.first, MAKELPARAM(delay.second, 0));
    m_toolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

void CKvoToolTipContext::FilterToolTipMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window || !window->GetSafeHwnd())
        return;
    if (!IsMovingMessage(message)) {
        if (IsHidingMessage(message))
            DeactivateToolTip();
        return;
    }
    MSG msg = {window->GetSafeHwnd(), message, wParam, lParam};
    ::GetCursorPos(&msg.pt);

    const bool active = CKvoDrawHelpers::IsTopParentActive(window->GetSafeHwnd()) != FALSE;
    if (m_toolTip && m_toolTip->GetSafeHwnd() && m_toolTip->IsWindowVisible() && !active) {
        m_toolTip->SendMessage(TTM_ACTIVATE, FALSE);
        return;
    }

    HWND parent = TopNonChildWindow(window->GetSafeHwnd());
    if (m_toolTip && m_toolTip->GetSafeHwnd()) {
        HWND owner = ::GetWindow(m_toolTip->GetSafeHwnd(), GW_OWNER);
        if (!owner)
            owner = ::GetParent(m_toolTip->GetSafeHwnd());
        if (owner != parent) {
            m_toolTip->DestroyWindow();
            m_lastTool = {};
        }
    }
    if (!EnsureToolTipWindow(CWnd::FromHandle(parent)))
        return;

    POINT point = msg.pt;
    window->ScreenToClient(&point);
    TOOLINFO info = {};
    info.cbSize = (m_showTitle || m_showImage) ? TTTOOLINFOW_V2_SIZE : TTTOOLINFOW_V1_SIZE;
    KvoToolInfoExtension extension = {};
    info.lParam = reinterpret_cast<LPARAM>(&extension);
    const INT_PTR hit = OnToolHitTest(window, point, &info);

    if (m_showTitle && extension.description && extension.title &&
        wcscmp(extension.description, extension.title) == 0) {
        free(extension.description);
        extension.description = nullptr;
    }
    if (!(m_tipStyle & TTS_NOPREFIX)) {
        CKvoDrawHelpers::StripMnemonicsInPlace(info.lpszText);
        CKvoDrawHelpers::StripMnemonicsInPlace(extension.title);
    }

    const bool sameTool = info.hwnd == m_lastTool.hwnd && info.uId == m_lastTool.uId;
    if (sameTool && ::EqualRect(&info.rect, &m_lastTool.rect)) {
        if (hit != -1)
            RelayToolTipMessage(&msg);
    } else {
        if (sameTool)
            RemoveLastTool();
        if (hit == -1)
            m_toolTip->SendMessage(TTM_ACTIVATE, FALSE);
        else
            RegisterTool(info, extension, hit, active);
        RelayToolTipMessage(&msg);
        if (!sameTool)
            RemoveLastTool();
        // The kept copy names the tool only: its text is freed below and its
        // extension record lives on this stack.
        m_lastTool = info;
        m_lastTool.lpszText = nullptr;
        m_lastTool.lParam = 0;
    }
    FreeHeapCopies(info, extension);
}

void CKvoToolTipContext::RegisterTool(TOOLINFO& info, KvoToolInfoExtension& extension, INT_PTR hit, bool active)
{
    const UINT flags = info.uFlags;
    TOOLINFO added = info;
    added.uFlags = flags & 0x3FFFFFFF;
    m_toolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&added));

    const bool ownContent = m_style == KvoToolTipStyle::RichEdit || m_style == KvoToolTipStyle::Html ||
                            m_style == KvoToolTipStyle::Markup;
    const bool titleKnown = IsComCtlTitleSupported() || m_style != KvoToolTipStyle::Standard;
    if (!ownContent && titleKnown) {
        if (m_showTitle && extension.title && extension.description) {
            m_toolTip->SendMessage(TTM_SETTITLEW, m_titleIcon, reinterpret_cast<LPARAM>(extension.title));
            TOOLINFO described = added;
            described.lpszText = extension.description;
            m_toolTip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&described));
        } else {
            m_toolTip->SendMessage(TTM_SETTITLEW, 0, 0);
        }
    }
    if (m_showImage) {
        CKvoImageManagerIcon* icon = extension.imageManager
                                         ? extension.imageManager->IsIconDefined(
                                               static_cast<UINT>(m_iconIdOffset + hit), m_iconWidth)
                                         : nullptr;
        m_toolTip->SendMessage(TTM_SETTOOLIMAGE, 0, reinterpret_cast<LPARAM>(icon));
    }
    if ((flags & kKvoToolActivateAtOnce) || active) {
        m_toolTip->SendMessage(TTM_ACTIVATE, TRUE);
        m_toolTip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                                SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void CKvoToolTipContext::RemoveLastTool()
{
    if (m_lastTool.cbSize >= TTTOOLINFOW_V1_SIZE)
        m_toolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
}

void CKvoToolTipContext::FreeHeapCopies(TOOLINFO& info, KvoToolInfoExtension& extension)
{
    // A text id comes with its module; a callback has no copy.
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW && !info.hinst)
        free(info.lpszText);
    info.lpszText = nullptr;
    free(extension.description);
    free(extension.title);
    extension.description = nullptr;
    extension.title = nullptr;
}

void CKvoToolTipContext::RelayToolTipMessage(MSG* msg)
{
    POINT point = msg->pt;
    MSG relayed = *msg;
    relayed.hwnd = reinterpret_cast<HWND>(m_toolTip->SendMessage(TTM_WINDOWFROMPOINT, 0,
                                                                 reinterpret_cast<LPARAM>(&point)));
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSEHWHEEL && relayed.hwnd)
        ::ScreenToClient(relayed.hwnd, &point);
    relayed.lParam = MAKELPARAM(point.x, point.y);
    m_toolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
