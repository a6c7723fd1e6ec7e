#include "foundation/controls/KvoButton.h"

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvoButtonTheme.h"
#include "foundation/controls/KvoButtonUltraFlatTheme.h"
#include "foundation/controls/KvoInvisibleScope.h"
#include "foundation/images/KvoImageManager.h"
#include "foundation/images/KvoImageManagerIcon.h"
#include "markup/MarkupFunctions.h"

namespace
{
// Palette indices of the button's colours in dark mode.
const int kvoButtonPaletteFace = 15;
const int kvoButtonPaletteText = 18;
// The clickable width of a split button's arrow part, beside the border gap.
const int kvoSplitArrowWidth = 16;

CKvoButtonTheme* CreateKvoButtonTheme(int nThemeId)
{
    switch (nThemeId)
    {
    case KvoButtonThemeFlat:
        return new CKvoButtonFlatTheme();
    case KvoButtonThemeUltraFlat:
        return new CKvoButtonUltraFlatTheme();
    case KvoButtonThemeOffice2000:
        return new CKvoButtonOffice2000Theme();
    case KvoButtonThemeOfficeXP:
        return new CKvoButtonOfficeXPTheme();
    case KvoButtonThemeOffice2003:
        return new CKvoButtonOffice2003Theme();
    case KvoButtonThemeOffice2007:
        return new CKvoButtonOffice2007Theme();
    default:
        return new CKvoButtonTheme();
    }
}

template <class T> void ReleaseKvoCmdTarget(T*& pTarget)
{
    if (pTarget)
        pTarget->InternalRelease();
    pTarget = NULL;
}
} // namespace

IMPLEMENT_DYNAMIC(CKvoButton, CButton)

CKvoButton::CKvoButton()
    : m_nPushed(0), m_bHot(FALSE), m_pTheme(new CKvoButtonTheme()), m_nPushChecked(0), m_bFlatStyle(FALSE),
      m_bUseVisualStyles(TRUE), m_dwImageAlignment(BS_CENTER | BS_VCENTER), m_nBorderGap(4),
      m_nPushButtonStyle(KvoPushButtonPlain), m_nImageGap(3), m_nTextImageRelation(KvoImageBeforeText),
      m_pIcon(NULL), m_nGroupBoxMode(0), m_bShowFocus(TRUE), m_pMarkupContext(NULL), m_pMarkupElement(NULL)
{
    m_pTheme->RefreshMetrics(this);
}

CKvoButton::~CKvoButton()
{
    ReleaseKvoCmdTarget(m_pTheme);
    MarkupReleaseElement(&m_pMarkupElement);
    MarkupReleaseContext(&m_pMarkupContext);
    ReleaseKvoCmdTarget(m_pIcon);
}

BEGIN_MESSAGE_MAP(CKvoButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_PRINTCLIENT()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_GETDLGCODE, &CKvoButton::OnGetDlgCode)
    ON_WM_PAINT()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(BM_SETSTYLE, &CKvoButton::OnInvalidateAfterDefault)
    ON_MESSAGE(BM_SETCHECK, &CKvoButton::OnInvalidateAfterDefault)
    ON_WM_CAPTURECHANGED()
    ON_WM_ENABLE()
    ON_WM_UPDATEUISTATE()
    ON_MESSAGE(BM_SETSTATE, &CKvoButton::OnSetState)
    ON_MESSAGE(WM_SETTEXT, &CKvoButton::OnSetText)
END_MESSAGE_MAP()

BOOL CKvoButton::IsPushed() const
{
    return m_nPushed;
}

BOOL CKvoButton::IsHighlighted() const
{
    return m_bHot || (m_hWnd && ::GetCapture() == m_hWnd);
}

int CKvoButton::GetChecked() const
{
    if (!m_hWnd)
        return m_nPushChecked;
    UINT nType = GetButtonType();
    // A push-like check box or radio button keeps its check in the window,
    // where the system's click toggles it.
    BOOL bWindowKeepsCheck = nType != BS_PUSHBUTTON && nType != BS_DEFPUSHBUTTON && nType != BS_OWNERDRAW;
    if (IsPushLike() && !bWindowKeepsCheck)
        return m_nPushChecked;
    return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
}

DWORD CKvoButton::GetButtonStyle() const
{
    DWORD dwStyle = m_hWnd ? (GetStyle() & 0xF00) : 0;
    if ((dwStyle & BS_VCENTER) == 0)
        dwStyle |= BS_VCENTER;
    if ((dwStyle & BS_CENTER) == 0)
        dwStyle |= IsPushLike() ? BS_CENTER : BS_LEFT;
    return dwStyle;
}

DWORD CKvoButton::GetImageAlignment() const
{
    return m_dwImageAlignment;
}

CSize CKvoButton::GetImageSize() const
{
    if (!m_pIcon)
        return CSize(0, 0);
    return CSize(m_pIcon->GetWidth(), m_pIcon->GetHeight());
}

void CKvoButton::DrawImage(CDC* pDC, CRect rect)
{
    if (!m_pIcon)
        return;
    CPoint ptTopLeft = rect.TopLeft();
    if (m_hWnd && !IsWindowEnabled())
        m_pIcon->DrawHandle(pDC, ptTopLeft, m_pIcon->GetDisabledIcon(TRUE), rect.Width(), rect.Height());
    else if (!IsHighlighted() && !IsPushed() && !GetChecked())
        m_pIcon->DrawHandle(pDC, ptTopLeft, m_pIcon->GetIcon(), rect.Width(), rect.Height());
    else if (GetChecked())
        m_pIcon->DrawHandle(pDC, ptTopLeft, m_pIcon->GetCheckedIcon(), rect.Width(), rect.Height());
    else if (IsPushed())
        m_pIcon->DrawHandle(pDC, ptTopLeft, m_pIcon->GetPressedIcon(), rect.Width(), rect.Height());
    else
        m_pIcon->DrawHandle(pDC, ptTopLeft, m_pIcon->GetHotIcon(), rect.Width(), rect.Height());
}

BOOL CKvoButton::SetIcon(int cx, int cy, const CKvoImageManagerIconHandle& normal,
                         const CKvoImageManagerIconHandle& hot, BOOL bRedraw)
{
    if (normal.IsEmpty())
        return FALSE;
    CSize size(cx, cy);
    if (size.cx == 0 && size.cy == 0)
        size = normal.GetExtent();
    CKvoImageManagerIcon* pIcon = new CKvoImageManagerIcon(0, size.cx, size.cy, (CKvoImageManagerIconSet*)NULL);
    pIcon->SetIcon(normal);
    if (!hot.IsEmpty())
        pIcon->SetHotIcon(hot);
    ReplaceIcon(pIcon, bRedraw);
    return TRUE;
}

BOOL CKvoButton::SetIcon(int cx, int cy, UINT nNormalId, UINT nHotId, BOOL bRedraw)
{
    CKvoImageManagerIconHandle normal;
    if (!normal.LoadIcon(MAKEINTRESOURCE(nNormalId), cx, cy, TRUE))
        return FALSE;
    if (nHotId == 0)
        return SetIcon(cx, cy, normal, CKvoImageManagerIconHandle(), bRedraw);
    CKvoImageManagerIconHandle hot;
    if (!hot.LoadIcon(MAKEINTRESOURCE(nHotId), cx, cy, TRUE))
        return FALSE;
    return SetIcon(cx, cy, normal, hot, bRedraw);
}

BOOL CKvoButton::SetIcon(int cx, int cy, WORD wNormalId, WORD wHotId, BOOL bRedraw)
{
    return SetIcon(cx, cy, static_cast<UINT>(wNormalId), static_cast<UINT>(wHotId), bRedraw);
}

BOOL CKvoButton::SetIcon(int cx, int cy, HICON hNormal, HICON hHot, BOOL bRedraw)
{
    // Non-owning handles: the caller keeps its icons.
    CKvoImageManagerIconHandle normal(hNormal, TRUE);
    CKvoImageManagerIconHandle hot(hHot, TRUE);
    return SetIcon(cx, cy, normal, hot, bRedraw);
}

BOOL CKvoButton::SetBitmap(int cx, int cy, UINT nId, BOOL bRedraw)
{
    CKvoImageManagerIconHandle normal;
    if (!normal.LoadBitmapResource(nId))
        return FALSE;
    return SetIcon(cx, cy, normal, CKvoImageManagerIconHandle(), bRedraw);
}

CString CKvoButton::GetButtonText() const
{
    CString strText;
    if (m_hWnd)
        GetWindowText(strText);
    return strText;
}

COLORREF CKvoButton::GetTextColor() const
{
    if (g_darkModeActive)
        return CKvoColorManager::Instance()->GetColor(kvoButtonPaletteText);
    return ::GetSysColor(COLOR_BTNTEXT);
}

COLORREF CKvoButton::GetBackColor() const
{
    if (g_darkModeActive)
        return CKvoColorManager::Instance()->GetColor(kvoButtonPaletteFace);
    return ::GetSysColor(COLOR_BTNFACE);
}

void CKvoButton::OnDropDown()
{
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    WPARAM wParam = (static_cast<WPARAM>(GetDlgCtrlID()) & 0xFFFF) | (static_cast<WPARAM>(KVO_BN_DROPDOWN) << 16);
    pParent->SendMessage(WM_COMMAND, wParam, reinterpret_cast<LPARAM>(m_hWnd));
}

void CKvoButton::DrawItem(CDC* pDC)
{
    if (!pDC || !m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));

    if (GetButtonType() == BS_GROUPBOX)
    {
        // Group boxes are transparent: they draw over what the parent left.
        HGDIOBJ hOldFont = hFont ? ::SelectObject(pDC->m_hDC, hFont) : NULL;
        pDC->SetBkColor(GetBackColor());
        pDC->SetBkMode(TRANSPARENT);
        DrawButton(pDC);
        if (hOldFont)
            ::SelectObject(pDC->m_hDC, hOldFont);
        return;
    }

    CKvoBufferDC memDC(pDC->m_hDC, rcClient);
    CWnd* pParent = GetParent();
    HBRUSH hBrush = pParent ? reinterpret_cast<HBRUSH>(pParent->SendMessage(
                                  WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(memDC.m_hDC), reinterpret_cast<LPARAM>(m_hWnd)))
                            : NULL;
    if (hBrush)
        ::FillRect(memDC.m_hDC, &rcClient, hBrush);
    else
        memDC.FillSolidRect(&rcClient, GetBackColor());
    HGDIOBJ hOldFont = hFont ? ::SelectObject(memDC.m_hDC, hFont) : NULL;
    memDC.SetBkMode(TRANSPARENT);
    DrawButton(&memDC);
    if (hOldFont)
        ::SelectObject(memDC.m_hDC, hOldFont);
}

void CKvoButton::UpdateMarkupCaption()
{
    if (!m_pMarkupContext)
        return;
    MarkupReleaseElement(&m_pMarkupElement);
    m_pMarkupElement = MarkupParseText(m_pMarkupContext, GetButtonText());
}

void CKvoButton::DrawButton(CDC* pDC)
{
    switch (GetButtonType())
    {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        if (IsPushLike())
            break;
        m_pTheme->DrawCheckMark(pDC, this);
        m_pTheme->DrawButtonText(pDC, this);
        return;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        if (IsPushLike())
            break;
        m_pTheme->DrawRadioMark(pDC, this);
        m_pTheme->DrawButtonText(pDC, this);
        return;
    case BS_GROUPBOX:
        if (m_nGroupBoxMode != 2)
            m_pTheme->DrawGroupBox(pDC, this);
        m_pTheme->DrawButtonText(pDC, this);
        return;
    }
    if (!IsPushLike())
        return;
    m_pTheme->DrawButtonBackground(pDC, this);
    m_pTheme->DrawPushButtonText(pDC, this);
    m_pTheme->DrawPushButtonIcon(pDC, this);
    if (m_nPushButtonStyle >= KvoPushButtonDropDown && m_nPushButtonStyle <= KvoPushButtonSplit)
        m_pTheme->DrawPushButtonDropDown(pDC, this);
    if (ShouldDrawFocus())
    {
        CRect rcFocus;
        GetClientRect(&rcFocus);
        rcFocus.DeflateRect(m_pTheme->GetFocusInset(), m_pTheme->GetFocusInset());
        pDC->SetTextColor(CKvoColorManager::Instance()->GetColor(kvoButtonPaletteText));
        pDC->DrawFocusRect(&rcFocus);
    }
}

void CKvoButton::SetTheme(int nThemeId)
{
    SetTheme(CreateKvoButtonTheme(nThemeId), nThemeId == KvoButtonThemeDefault);
}

void CKvoButton::SetTheme(CKvoButtonTheme* pTheme, BOOL bVisualStyles)
{
    if (!pTheme)
        return;
    ReleaseKvoCmdTarget(m_pTheme);
    m_pTheme = pTheme;
    m_bUseVisualStyles = bVisualStyles;
    m_pTheme->RefreshMetrics(this);
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::DropDown()
{
    m_nPushed = 2;
    if (m_hWnd)
        Invalidate(FALSE);
    OnDropDown();
    m_nPushed = 0;
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CKvoButton::IsPushLike() const
{
    if (!m_hWnd)
        return TRUE;
    UINT nType = GetButtonType();
    return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_OWNERDRAW ||
           (GetStyle() & BS_PUSHLIKE) != 0;
}

UINT CKvoButton::GetButtonType() const
{
    return m_hWnd ? (GetStyle() & BS_TYPEMASK) : BS_PUSHBUTTON;
}

void CKvoButton::SetFlatStyle(BOOL bFlat)
{
    m_bFlatStyle = bFlat;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetPushButtonStyle(int nStyle)
{
    m_nPushButtonStyle = nStyle;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetTextImageRelation(int nRelation)
{
    m_nTextImageRelation = nRelation;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetImageAlignment(DWORD dwAlignment)
{
    m_dwImageAlignment = dwAlignment;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetBorderGap(int nGap)
{
    m_nBorderGap = nGap;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetImageGap(int nGap)
{
    m_nImageGap = nGap;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetGroupBoxMode(int nMode)
{
    m_nGroupBoxMode = nMode;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetShowFocus(BOOL bShow)
{
    m_bShowFocus = bShow;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKvoButton::SetChecked(int nChecked)
{
    m_nPushChecked = nChecked;
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CKvoButton::IsFocusHidden() const
{
    return m_hWnd && (::SendMessageW(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

BOOL CKvoButton::IsAcceleratorHidden() const
{
    return m_hWnd && (::SendMessageW(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
}

BOOL CKvoButton::ShouldDrawFocus() const
{
    return m_hWnd && ::GetFocus() == m_hWnd && m_bShowFocus && !IsFocusHidden();
}

BOOL CKvoButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (MarkupRelayMessage(m_pMarkupElement, message, wParam, lParam, pResult))
        return TRUE;
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CKvoButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKvoButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (GetButtonType() == BS_GROUPBOX)
        return;
    CButton::OnMouseMove(nFlags, point);
    CRect rcClient;
    GetClientRect(&rcClient);
    SetHot(rcClient.PtInRect(point));
}

void CKvoButton::SetHot(BOOL bHot)
{
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Invalidate(FALSE);
    if (m_bHot)
    {
        TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&track);
    }
}

void CKvoButton::OnMouseLeave()
{
    OnMouseMove(0, CPoint(-1, -1));
}

void CKvoButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    Invalidate(FALSE);
}

void CKvoButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}

void CKvoButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nPushButtonStyle == KvoPushButtonSplit)
    {
        CRect rcArrow;
        GetClientRect(&rcArrow);
        rcArrow.left = rcArrow.right - m_nBorderGap - kvoSplitArrowWidth;
        if (rcArrow.PtInRect(point))
        {
            DropDown();
            return;
        }
    }
    CButton::OnLButtonDown(nFlags, point);
}

LRESULT CKvoButton::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if ((nFlags & PRF_CLIENT) == 0)
        return Default();
    if (pDC)
        DrawItem(pDC);
    return 1;
}

BOOL CKvoButton::IsDropDownKey(UINT nChar) const
{
    if (nChar == VK_SPACE)
        return m_nPushButtonStyle >= KvoPushButtonDropDown && m_nPushButtonStyle <= KvoPushButtonSplit;
    if (nChar == VK_RETURN)
        return m_nPushButtonStyle == KvoPushButtonDropDown || m_nPushButtonStyle == KvoPushButtonDropDownRight;
    return FALSE;
}

void CKvoButton::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsDropDownKey(nChar))
    {
        DropDown();
        return;
    }
    CButton::OnChar(nChar, nRepCnt, nFlags);
}

void CKvoButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The character message that follows drops the button down.
    if (IsDropDownKey(nChar))
        return;
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKvoButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    m_pTheme->RefreshMetrics(this);
    Invalidate(FALSE);
    SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, FALSE);
}

LRESULT CKvoButton::OnGetDlgCode(WPARAM, LPARAM lParam)
{
    LRESULT nCode = Default();
    // lParam is the message the dialog manager is about to deliver.
    const MSG* pPending = reinterpret_cast<const MSG*>(lParam);
    if (!pPending)
        return nCode;
    BOOL bDropDown = m_nPushButtonStyle >= KvoPushButtonDropDown && m_nPushButtonStyle <= KvoPushButtonSplit;
    BOOL bDropDownOnEnter =
        m_nPushButtonStyle == KvoPushButtonDropDown || m_nPushButtonStyle == KvoPushButtonDropDownRight;
    if (bDropDown && pPending->message == WM_CHAR && pPending->wParam == VK_SPACE)
        nCode |= DLGC_WANTCHARS;
    if (bDropDownOnEnter && (pPending->message == WM_KEYDOWN || pPending->message == WM_CHAR) &&
        pPending->wParam == VK_RETURN)
        nCode |= DLGC_WANTALLKEYS;
    return nCode;
}

void CKvoButton::OnPaint()
{
    CPaintDC dc(this);
    DrawItem(&dc);
}

LRESULT CKvoButton::OnInvalidateAfterDefault(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate(FALSE);
    return lResult;
}

void CKvoButton::OnCaptureChanged(CWnd* pWnd)
{
    CButton::OnCaptureChanged(pWnd);
    Invalidate(FALSE);
}

void CKvoButton::OnEnable(BOOL)
{
    Invalidate(FALSE);
}

void CKvoButton::OnUpdateUIState(UINT, UINT)
{
    Default();
    Invalidate(FALSE);
}

LRESULT CKvoButton::DefaultInvisible(UINT message, WPARAM wParam, LPARAM lParam)
{
    CKvoInvisibleScope invisible(m_hWnd);
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CKvoButton::OnSetState(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = DefaultInvisible(BM_SETSTATE, wParam, lParam);
    if (m_nPushed == 2)
        return lResult;
    m_nPushed = (wParam != 0) ? 1 : 0;
    Invalidate(FALSE);
    BOOL bDropsOnPush =
        m_nPushButtonStyle == KvoPushButtonDropDown || m_nPushButtonStyle == KvoPushButtonDropDownRight;
    if (m_nPushed && bDropsOnPush && IsPushLike())
        DropDown();
    return lResult;
}

LRESULT CKvoButton::OnSetText(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = DefaultInvisible(WM_SETTEXT, wParam, lParam);
    UpdateMarkupCaption();
    Invalidate(FALSE);
    return lResult;
}

void CKvoButton::ReplaceIcon(CKvoImageManagerIcon* pIcon, BOOL bRedraw)
{
    ReleaseKvoCmdTarget(m_pIcon);
    m_pIcon = pIcon;
    if (bRedraw && m_hWnd)
        Invalidate(FALSE);
}
