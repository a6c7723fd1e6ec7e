#include "foundation/controls/KvButton.h"

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvButtonTheme.h"
#include "foundation/controls/KvoInvisibleScope.h"
#include "foundation/images/KvoImageManager.h"

IMPLEMENT_DYNAMIC(CKvButton, CButton)

namespace
{
CRuntimeClass* KvButtonFactoryClass(CKvThemeManagerStyleFactory* pFactory)
{
    return pFactory ? pFactory->GetRuntimeClass() : RUNTIME_CLASS(CKvButtonThemeFactory);
}
} // namespace

CKvButton::CKvButton(CKvThemeManagerStyleFactory* pFactory)
    : CKvThemeManagerStyleHost(KvButtonFactoryClass(pFactory)), m_nBorderGap(4), m_nImageGap(8),
      m_bInitOnSubclass(true), m_bUserPositions(FALSE), m_bChecked(FALSE),
      m_dwXButtonStyle(KvButtonStyle::Flat | KvButtonStyle::FocusRect), m_sizeImage(0, 0), m_ptImage(0, 0),
      m_ptText(0, 0), m_pIcon(NULL), m_bHot(FALSE), m_bPushed(FALSE), m_bOwnerDraw(FALSE)
{
}

CKvButton::~CKvButton()
{
    ResetIcon();
    if (m_pIcon)
        m_pIcon->InternalRelease();
    m_pIcon = NULL;
}

BEGIN_MESSAGE_MAP(CKvButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_MESSAGE(BM_SETSTYLE, &CKvButton::OnInvalidateAfterDefault)
    ON_MESSAGE(BM_SETCHECK, &CKvButton::OnInvalidateAfterDefault)
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_SETTEXT, &CKvButton::OnInvalidateAfterDefault)
    ON_WM_UPDATEUISTATE()
    ON_MESSAGE(BM_SETSTATE, &CKvButton::OnSetState)
    ON_MESSAGE(WM_GETDLGCODE, &CKvButton::OnGetDlgCode)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CKvButtonTheme* CKvButton::GetButtonTheme() const
{
    return static_cast<CKvButtonTheme*>(const_cast<CKvButton*>(this)->GetSafeTheme());
}

CKvThemeManagerStyleFactory* CKvButton::CreateFactory()
{
    return new CKvButtonThemeFactory();
}

void CKvButton::OnThemeChanged()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

// ---------------------------------------------------------------------------
// Icons

BOOL CKvButton::SetIcon(SIZE size, const CKvoImageManagerIconHandle& normal, const CKvoImageManagerIconHandle& hot,
                        bool bRedraw)
{
    if (normal.IsEmpty())
        return FALSE;
    CSize sizeIcon(size);
    if (sizeIcon.cx == 0 && sizeIcon.cy == 0)
        sizeIcon = normal.GetExtent();
    CKvoImageManagerIcon* pIcon = new CKvoImageManagerIcon(0, sizeIcon.cx, sizeIcon.cy);
    pIcon->SetIcon(normal);
    if (!hot.IsEmpty())
        pIcon->SetHotIcon(hot);
    m_sizeImage = sizeIcon;
    if (m_pIcon)
        m_pIcon->InternalRelease();
    m_pIcon = pIcon;
    if (bRedraw && m_hWnd)
        Invalidate(TRUE);
    return TRUE;
}

BOOL CKvButton::SetIcon(SIZE size, LPCWSTR lpszNormal, LPCWSTR lpszHot, bool bRedraw)
{
    CKvoImageManagerIconHandle normal;
    if (!normal.LoadIcon(lpszNormal, size.cx, size.cy, TRUE))
        return FALSE;
    CKvoImageManagerIconHandle hot;
    if (lpszHot && !hot.LoadIcon(lpszHot, size.cx, size.cy, TRUE))
        return FALSE;
    return SetIcon(size, normal, hot, bRedraw);
}

BOOL CKvButton::SetIcon(SIZE size, UINT nNormalId, UINT nHotId, bool bRedraw)
{
    return SetIcon(size, MAKEINTRESOURCEW(nNormalId), nHotId ? MAKEINTRESOURCEW(nHotId) : NULL, bRedraw);
}

BOOL CKvButton::SetIcon(SIZE size, HICON hNormal, HICON hHot, bool bRedraw)
{
    CKvoImageManagerIconHandle normal(hNormal);
    CKvoImageManagerIconHandle hot(hHot);
    return SetIcon(size, normal, hot, bRedraw);
}

BOOL CKvButton::SetBitmap(SIZE size, UINT nBitmapId, bool bRedraw)
{
    CKvoImageManagerIconHandle normal;
    if (!normal.LoadBitmapResource(nBitmapId))
        return FALSE;
    return SetIcon(size, normal, CKvoImageManagerIconHandle(), bRedraw);
}

void CKvButton::ResetIcon()
{
    if (m_pIcon)
        m_pIcon->Refresh();
}

// ---------------------------------------------------------------------------
// Settings forwarded to the theme

BOOL CKvButton::SetTextAndImagePos(POINT ptImage, POINT ptText, bool bRedraw)
{
    m_ptImage = ptImage;
    m_ptText = ptText;
    m_bUserPositions = TRUE;
    if (bRedraw && m_hWnd)
        Invalidate(TRUE);
    return TRUE;
}

DWORD CKvButton::SetXButtonStyle(DWORD dwStyle, bool bRedraw)
{
    DWORD dwOld = m_dwXButtonStyle;
    m_dwXButtonStyle = dwStyle;
    if (dwStyle & KvButtonStyle::OfficeXP)
        SetTheme(new CKvButtonThemeOfficeXP(false));
    else if (dwStyle & KvButtonStyle::Flat)
        SetTheme(new CKvButtonTheme());
    if (bRedraw && m_hWnd)
        Invalidate(TRUE);
    return dwOld;
}

DWORD CKvButton::GetXButtonStyle() const
{
    return m_dwXButtonStyle;
}

bool CKvButton::HasTheme() const
{
    return GetButtonTheme() != NULL;
}

void CKvButton::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetColors(clrFace, clrLight, clrShadow, clrText);
}

void CKvButton::SetFaceColor(COLORREF clrFace)
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetFaceColor(clrFace);
}

COLORREF CKvButton::GetFaceColor() const
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        return pTheme->GetFaceColor();
    return CKvoColorManager::Instance()->GetColor(COLOR_BTNFACE);
}

void CKvButton::SetLightColor(COLORREF clrLight)
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetLightColor(clrLight);
}

void CKvButton::SetShadowColor(COLORREF clrShadow)
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetShadowColor(clrShadow);
}

void CKvButton::SetTextColor(COLORREF clrText)
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetTextColor(clrText);
}

void CKvButton::SetXPColors(COLORREF clrBorder, COLORREF clrHotFace, COLORREF clrPressedFace)
{
    CKvButtonTheme* pTheme = GetButtonTheme();
    if (!pTheme || pTheme->GetThemeID() != KvButtonThemeOfficeXP)
        return;
    CKvButtonThemeOfficeXP* pXP = static_cast<CKvButtonThemeOfficeXP*>(pTheme);
    pXP->SetLightColor(clrBorder);
    pXP->SetShadowColor(clrBorder);
    pXP->SetHotFaceColor(clrHotFace);
    pXP->SetPressedFaceColor(clrPressedFace);
}

void CKvButton::ToggleShowIcon()
{
    CKvButtonTheme* pTheme = GetButtonTheme();
    if (!pTheme)
        return;
    pTheme->SetShowIcon(!pTheme->GetShowIcon());
    if (m_hWnd)
        Invalidate(TRUE);
}

CFont* CKvButton::SetFont(CFont* pFont)
{
    CFont* pOld = CButton::GetFont();
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : NULL), TRUE);
    return pOld;
}

bool CKvButton::UpdateOwnerDraw()
{
    m_bOwnerDraw = m_hWnd && (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW;
    if (m_hWnd)
        Invalidate(FALSE);
    return true;
}

void CKvButton::GetButtonText(CStringW& strText, bool bStripMnemonics) const
{
    strText.Empty();
    if (m_hWnd)
        GetWindowText(strText);
    if (bStripMnemonics)
        CKvoDrawHelpers::StripMnemonics(strText);
}

void CKvButton::SetChecked(BOOL bChecked)
{
    m_bChecked = bChecked;
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CKvButton::IsHot() const
{
    return m_bHot || (m_hWnd && ::GetCapture() == m_hWnd);
}

// ---------------------------------------------------------------------------
// Drawing

void CKvButton::DrawButton(CDC* pDC)
{
    if (!pDC || !m_hWnd)
        return;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = GetDlgCtrlID();
    dis.itemAction = ODA_DRAWENTIRE;
    if (::GetFocus() == m_hWnd)
        dis.itemState |= ODS_FOCUS;
    if (m_bPushed)
        dis.itemState |= ODS_SELECTED;
    LRESULT uiState = SendMessage(WM_QUERYUISTATE);
    if (uiState & UISF_HIDEACCEL)
        dis.itemState |= ODS_NOACCEL;
    if (uiState & UISF_HIDEFOCUS)
        dis.itemState |= ODS_NOFOCUSRECT;
    if (!IsWindowEnabled())
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = m_hWnd;
    dis.hDC = pDC->m_hDC;
    GetClientRect(&dis.rcItem);
    DrawItem(&dis);
}

void CKvButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->DrawButton(lpDrawItemStruct, this);
}

// ---------------------------------------------------------------------------
// Window

void CKvButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    if (m_bInitOnSubclass)
        UpdateOwnerDraw();
}

BOOL CKvButton::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CButton::PreCreateWindow(cs))
        return FALSE;
    m_bInitOnSubclass = false;
    return TRUE;
}

void CKvButton::RefreshThemeMetrics()
{
    if (CKvButtonTheme* pTheme = GetButtonTheme())
        pTheme->RefreshMetrics();
}

BOOL CKvButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
    {
        RefreshThemeMetrics();
        Invalidate(FALSE);
    }
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CKvButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKvButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((GetStyle() & BS_TYPEMASK) == BS_GROUPBOX)
        return;
    CButton::OnMouseMove(nFlags, point);
    CRect rc;
    GetClientRect(&rc);
    SetHot(rc.PtInRect(point));
}

void CKvButton::OnMouseLeave()
{
    OnMouseMove(0, CPoint(-1, -1));
}

void CKvButton::SetHot(BOOL bHot)
{
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Invalidate(FALSE);
    if (m_bHot)
    {
        TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::_TrackMouseEvent(&track);
    }
}

int CKvButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    UpdateOwnerDraw();
    return 0;
}

void CKvButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    Invalidate(FALSE);
}

void CKvButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}

void CKvButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    Invalidate(FALSE);
}

LRESULT CKvButton::OnInvalidateAfterDefault(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate(FALSE);
    return lResult;
}

void CKvButton::OnCaptureChanged(CWnd* pWnd)
{
    CButton::OnCaptureChanged(pWnd);
    Invalidate(FALSE);
}

void CKvButton::OnUpdateUIState(UINT, UINT)
{
    Default();
    Invalidate(FALSE);
}

LRESULT CKvButton::OnSetState(WPARAM wParam, LPARAM lParam)
{
    {
        CKvoInvisibleScope invisible(m_hWnd);
        DefWindowProc(BM_SETSTATE, wParam, lParam);
    }
    m_bPushed = (wParam != 0);
    Invalidate(FALSE);
    return 0;
}

LRESULT CKvButton::OnGetDlgCode(WPARAM, LPARAM)
{
    if (!m_bOwnerDraw)
        return Default();
    LRESULT nCode = DLGC_BUTTON;
    if (::GetFocus() == m_hWnd)
        nCode |= DLGC_DEFPUSHBUTTON;
    return nCode;
}

void CKvButton::OnPaint()
{
    CPaintDC dc(this);
    CKvoBufferDC memDC(dc);
    DrawButton(&memDC);
}

LRESULT CKvButton::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if ((nFlags & PRF_CLIENT) == 0)
        return Default();
    DrawButton(pDC);
    return 1;
}

void CKvButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
}

// ---------------------------------------------------------------------------

void KvFillDithered(CDC* pDC, const RECT& rect)
{
    static const WORD kvDitherRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, kvDitherRows))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    CKvoColorManager* pColors = CKvoColorManager::Instance();
    COLORREF clrOldBk = pDC->SetBkColor(pColors->GetColor(COLOR_BTNFACE));
    COLORREF clrOldText = pDC->SetTextColor(pColors->GetColor(COLOR_BTNHIGHLIGHT));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}
