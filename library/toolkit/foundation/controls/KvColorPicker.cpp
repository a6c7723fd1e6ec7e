#include "foundation/controls/KvColorPicker.h"

#include "foundation/base/KvAuxData.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoMultiMonitor.h"
#include "foundation/base/KvoShadowManager.h"
#include "foundation/controls/KvColorSelectorCtrlTheme.h"

namespace
{
const COLORREF kvPickerNoColor = CLR_DEFAULT;

double KvPickerLuminance(COLORREF clr)
{
    return (299.0 * GetRValue(clr) + 587.0 * GetGValue(clr) + 114.0 * GetBValue(clr)) / 1000.0;
}
} // namespace

// ---------------------------------------------------------------- picker

BEGIN_MESSAGE_MAP(CKvColorPicker, CKvButton)
    ON_MESSAGE(KVCPN_SELNOCHANGE, &CKvColorPicker::OnSelNoChange)
    ON_MESSAGE(KVCPN_DROPDOWN, &CKvColorPicker::OnDropDown)
    ON_MESSAGE(KVCPN_CLOSEUP, &CKvColorPicker::OnCloseUp)
    ON_MESSAGE(KVCPN_SELENDOK, &CKvColorPicker::OnSelEndOK)
    ON_MESSAGE(KVCPN_SELENDCANCEL, &CKvColorPicker::OnSelEndCancel)
    ON_MESSAGE(KVCPN_SELNOCOLOR, &CKvColorPicker::OnSelNoColor)
    ON_MESSAGE(WM_KV_SHOWPOPUP, &CKvColorPicker::OnShowPopupMessage)
END_MESSAGE_MAP()

CKvColorPicker::CKvColorPicker()
    : m_bShowText(FALSE), m_bColorText(FALSE), m_bPopupOpen(FALSE),
      m_dwPopupStyle(KvColorSelStyle::Extended | KvColorSelStyle::MoreColors), m_clrColor(kvPickerNoColor),
      m_clrDefault(kvPickerNoColor)
{
    SetXButtonStyle(KvButtonStyle::VisualStyle | KvButtonStyle::FocusRect, false);
    SetTheme(new CKvColorPickerTheme);
}

CKvColorPicker::~CKvColorPicker() = default;

void CKvColorPicker::Redraw()
{
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKvColorPicker::SetColor(COLORREF clr)
{
    if (clr == GetColor())
        return;
    m_clrColor = clr;
    Redraw();
}

COLORREF CKvColorPicker::GetColor() const
{
    return m_clrColor;
}

void CKvColorPicker::SetShowText(bool bShow)
{
    m_bShowText = bShow;
    Redraw();
}

bool CKvColorPicker::GetShowText() const
{
    return m_bShowText != FALSE;
}

void CKvColorPicker::SetColorText(bool bColorText)
{
    m_bColorText = bColorText;
    Redraw();
}

bool CKvColorPicker::GetColorText() const
{
    return m_bColorText != FALSE;
}

void CKvColorPicker::SetDefaultColor(COLORREF clr)
{
    m_clrDefault = clr;
    Redraw();
}

COLORREF CKvColorPicker::GetDefaultColor() const
{
    return m_clrDefault;
}

void CKvColorPicker::ModifyPopupStyle(DWORD dwRemove, DWORD dwAdd)
{
    m_dwPopupStyle = (m_dwPopupStyle & ~dwRemove) | dwAdd;
    Redraw();
}

COLORREF CKvColorPicker::GetContrastColor() const
{
    return KvPickerLuminance(GetColor()) > 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

bool CKvColorPicker::UpdateOwnerDraw()
{
    bool bResult = CKvButton::UpdateOwnerDraw();
    if (m_hWnd != NULL)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(CKvAuxData::Instance()->fontNormal.GetSafeHandle()), TRUE);
    return bResult;
}

void CKvColorPicker::ShowPopup()
{
    m_bPopupOpen = TRUE;
    if (GetFocus() != this)
        SetFocus();
    PostMessage(WM_KV_SHOWPOPUP);
}

BOOL CKvColorPicker::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bPopupOpen && IsWindowEnabled()) {
        if (message == WM_LBUTTONDOWN) {
            ShowPopup();
        } else if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_SPACE || wParam == VK_DOWN)) {
            ShowPopup();
            *pResult = 0;
            return TRUE;
        }
    }
    return CKvButton::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CKvColorPicker::OnShowPopupMessage(WPARAM, LPARAM)
{
    CRect rcButton;
    GetWindowRect(&rcButton);
    CKvColorPopup* pPopup = new CKvColorPopup(true, 0);
    if (!CKvoSelfDeletingWindow::CreateOwned(
            pPopup, [&] { return pPopup->Create(rcButton, this, m_dwPopupStyle, GetColor(), GetDefaultColor()); })) {
        m_bPopupOpen = FALSE;
        Redraw();
        return 0;
    }
    pPopup->SetFocus();
    return 0;
}

void CKvColorPicker::NotifyOwner(UINT nCode)
{
    CWnd* pTarget = GetOwner();
    if (pTarget == NULL)
        pTarget = GetParent();
    if (pTarget != NULL)
        pTarget->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CKvColorPicker::OnSelNoChange(WPARAM, LPARAM)
{
    NotifyOwner(KVCPN_SELNOCHANGE);
    return 0;
}

LRESULT CKvColorPicker::OnDropDown(WPARAM, LPARAM)
{
    NotifyOwner(KVCPN_DROPDOWN);
    return 0;
}

LRESULT CKvColorPicker::OnCloseUp(WPARAM, LPARAM)
{
    m_bPopupOpen = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    SetFocus();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
    NotifyOwner(KVCPN_CLOSEUP);
    return 0;
}

// The close-up is reported once, when the popup's window goes; a choice
// itself is reported by its own code only.
LRESULT CKvColorPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    SetColor(static_cast<COLORREF>(wParam));
    NotifyOwner(KVCPN_SELENDOK);
    return 0;
}

LRESULT CKvColorPicker::OnSelEndCancel(WPARAM, LPARAM)
{
    NotifyOwner(KVCPN_SELENDCANCEL);
    return 0;
}

LRESULT CKvColorPicker::OnSelNoColor(WPARAM wParam, LPARAM)
{
    SetColor(static_cast<COLORREF>(wParam));
    NotifyOwner(KVCPN_SELNOCOLOR);
    return 0;
}

// ---------------------------------------------------------------- theme

COLORREF CKvColorPickerTheme::GetTextColor(UINT nItemState, CKvButton* pButton)
{
    if (IsDisabled(nItemState))
        return m_clrDisabledText;
    CKvColorPicker* pPicker = static_cast<CKvColorPicker*>(pButton);
    return pPicker->GetColorText() ? pPicker->GetColor() : pPicker->GetContrastColor();
}

void CKvColorPickerTheme::DrawButtonText(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    if (static_cast<CKvColorPicker*>(pButton)->GetShowText())
        CKvButtonTheme::DrawButtonText(pDC, nItemState, rect, pButton);
}

bool CKvColorPickerTheme::DrawVisualStyleBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    CKvColorPicker* pPicker = static_cast<CKvColorPicker*>(pButton);
    if (pPicker->IsPopupOpen())
        lpDIS->itemState |= ODS_SELECTED;
    if (!CKvButtonTheme::DrawVisualStyleBackground(lpDIS, pButton))
        return false;
    DrawSwatchAndArrow(lpDIS, pPicker);
    return true;
}

bool CKvColorPickerTheme::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    CKvColorPicker* pPicker = static_cast<CKvColorPicker*>(pButton);
    if (pPicker->IsPopupOpen())
        lpDIS->itemState |= ODS_SELECTED;
    bool bResult = CKvButtonTheme::DrawButtonBackground(lpDIS, pButton);
    DrawSwatchAndArrow(lpDIS, pPicker);
    return bResult;
}

void CKvColorPickerTheme::DrawSwatchAndArrow(LPDRAWITEMSTRUCT lpDIS, CKvColorPicker* pPicker)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const UINT nState = lpDIS->itemState;
    const bool bPressed = (nState & ODS_SELECTED) != 0;
    const bool bDisabled = IsDisabled(nState);
    const int nThumb = CKvAuxData::Instance()->cxHorizontalThumb;
    CRect rcItem(lpDIS->rcItem);

    CRect rcArrow(rcItem.right - nThumb - 2, rcItem.top, rcItem.right, rcItem.bottom);
    if (bPressed)
        rcArrow.OffsetRect(1, 1);
    const int cx = (rcArrow.left + rcArrow.right) / 2;
    const int cy = (rcArrow.top + rcArrow.bottom) / 2;
    const COLORREF clrArrow = CKvButtonTheme::GetTextColor(nState, pPicker);
    static const POINT kvPickerChevron[7] = {{-3, -2}, {-2, -1}, {-1, 0}, {0, 1}, {1, 0}, {2, -1}, {3, -2}};
    for (const POINT& pt : kvPickerChevron)
        pDC->SetPixelV(cx + pt.x, cy + pt.y, clrArrow);

    CRect rcSwatch(rcItem.left + 5, rcItem.top + 5, rcItem.right - nThumb, rcItem.bottom - 5);
    if (bPressed || pPicker->SendMessage(BM_GETCHECK) == BST_CHECKED)
        rcSwatch.OffsetRect(1, 1);
    COLORREF clrFill = pPicker->GetShowText() && pPicker->GetColorText() ? pPicker->GetContrastColor()
                                                                          : pPicker->GetColor();
    if (bDisabled)
        clrFill = Palette(COLOR_BTNFACE);
    // CLR_DEFAULT is no colour GDI can fill with: the default colour
    // stands for it.
    if (clrFill == kvPickerNoColor)
        clrFill = pPicker->GetDefaultColor() == kvPickerNoColor ? Palette(COLOR_WINDOW) : pPicker->GetDefaultColor();
    CPen pen(PS_SOLID, 1, bDisabled ? Palette(COLOR_BTNSHADOW) : RGB(0, 0, 0));
    CBrush brush(clrFill);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&rcSwatch);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
    lpDIS->rcItem = rcSwatch;
}

void CKvColorPickerTheme::DrawFocusRect(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    if (UsesVisualStyle(pButton))
        return;
    pDC->SetTextColor(GetTextColor(nItemState, pButton));
    CRect rc;
    pButton->GetClientRect(&rc);
    rc.DeflateRect(3, 3);
    pDC->DrawFocusRect(&rc);
}

// ---------------------------------------------------------------- popup

BEGIN_MESSAGE_MAP(CKvColorPopup, CKvColorSelectorCtrl)
    ON_WM_CREATE()
    ON_WM_ACTIVATE()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CKvColorPopup::CKvColorPopup(bool bAutoDelete, LPARAM lParam)
    : m_bAutoDelete(bAutoDelete), m_bShadow(TRUE), m_rcButton(0, 0, 0, 0), m_lParam(lParam),
      m_pShadowManager(new CKvoShadowManager), m_bSelectionEnded(false)
{
}

CKvColorPopup::~CKvColorPopup()
{
    // Shadow windows still up hold references of their own.
    m_pShadowManager->InternalRelease();
}

bool CKvColorPopup::UsesOfficeTheme()
{
    return GetSelectorTheme()->GetThemeID() != KvColorSelectorThemeDefault;
}

BOOL CKvColorPopup::Create(const RECT& rcButton, CWnd* pOwner, DWORD dwStyle, COLORREF clrCurrent,
                           COLORREF clrDefault)
{
    const int nFar = UsesOfficeTheme() ? 6 : 10;
    SetMargins(4, 4, nFar, nFar);
    m_rcButton = rcButton;
    return CreateSelector(rcButton, pOwner, dwStyle | KvColorSelStyle::Popup, clrCurrent, clrDefault);
}

int CKvColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKvColorSelectorCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (UsesOfficeTheme()) {
        ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
        ModifyStyleEx(WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    } else {
        ModifyStyle(0, WS_DLGFRAME);
    }
    FitIntoWorkArea();
    SetFocus();
    BecomePopup();
    if (UsesOfficeTheme() && m_bShadow)
        m_pShadowManager->SetShadow(this, CRect(0, 0, 0, 0));
    SetPopupMouseHook(this);
    if (m_pNotifyWnd != NULL)
        m_pNotifyWnd->SendMessage(KVCPN_DROPDOWN, m_clrCurrent, m_lParam);
    return 0;
}

void CKvColorPopup::FitIntoWorkArea()
{
    const CRect rcWork = CKvoMultiMonitor::Instance()->GetWorkAreaFromRect(m_rcWindow);
    if (m_rcWindow.left < rcWork.left)
        m_rcWindow.OffsetRect(rcWork.left - m_rcWindow.left, 0);
    else if (m_rcWindow.right > rcWork.right)
        m_rcWindow.OffsetRect(rcWork.right - m_rcWindow.right, 0);
    if (m_rcWindow.bottom > rcWork.bottom) {
        const int nBottom = m_rcButton.IsRectEmpty() ? rcWork.bottom : m_rcButton.top;
        m_rcWindow.OffsetRect(0, nBottom - m_rcWindow.bottom);
    }
}

void CKvColorPopup::BecomePopup()
{
    HWND hOwner = m_pNotifyWnd != NULL ? m_pNotifyWnd->GetSafeHwnd() : NULL;
    ::SetParent(m_hWnd, NULL);
    ModifyStyle(WS_CHILD, WS_POPUP);
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hOwner));
    SetWindowPos(&CWnd::wndTop, m_rcWindow.left, m_rcWindow.top, m_rcWindow.Width(), m_rcWindow.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

void CKvColorPopup::SelectIndex(int nIndex)
{
    EndSelection(nIndex);
}

void CKvColorPopup::EndSelection(int nIndex)
{
    if (m_bSelectionEnded)
        return;
    m_bSelectionEnded = true;
    SetPopupMouseHook(NULL);
    CKvColorSelectorCtrl::EndSelection(nIndex, m_lParam);
    if (m_hWnd != NULL)
        PostMessage(WM_CLOSE);
}

void CKvColorPopup::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CKvColorSelectorCtrl::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE && !IsDialogOpen())
        PostMessage(WM_CLOSE);
}

void CKvColorPopup::OnKillFocus(CWnd* pNewWnd)
{
    CKvColorSelectorCtrl::OnKillFocus(pNewWnd);
    if (!IsDialogOpen())
        EndSelection(-1);
}

void CKvColorPopup::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point)) {
        if (!IsDialogOpen())
            EndSelection(-1);
        return;
    }
    CKvColorSelectorCtrl::OnLButtonDown(nFlags, point);
}

void CKvColorPopup::OnDestroy()
{
    CKvColorSelectorCtrl::OnDestroy();
    if (m_pNotifyWnd != NULL && ::IsWindow(m_pNotifyWnd->GetSafeHwnd()))
        m_pNotifyWnd->SendMessage(KVCPN_CLOSEUP, m_clrCurrent, m_lParam);
}

void CKvColorPopup::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!UsesOfficeTheme()) {
        CKvColorSelectorCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CKvColorPopup::OnNcPaint()
{
    if (!UsesOfficeTheme()) {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    const COLORREF clrFrame = CKvoColorManager::Instance()->GetColor(43);
    dc.Draw3dRect(&rcWindow, clrFrame, clrFrame);
}

void CKvColorPopup::PostNcDestroy()
{
    SetPopupMouseHook(NULL);
    if (m_bAutoDelete)
        delete this;
}
