#include "foundation/controls/KvColorPageCustom.h"

#include <algorithm>

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvWindowDpi.h"
#include "LanguageIds.h"

int g_kvColorFocus = 0;

namespace
{
const int kvCustomIdField = 101;
const int kvCustomIdBar = 102;
const int kvCustomLabelIds[6] = {104, 105, 106, 107, 108, 109};
// Edits and their spins, in the order red, green, blue, hue, saturation,
// luminance.
const int kvCustomEditIds[6] = {110, 111, 118, 115, 114, 113};
const int kvCustomSpinIds[6] = {119, 120, 121, 112, 116, 117};

int KvColorTo255(double dValue)
{
    return static_cast<int>(dValue * 255);
}

COLORREF KvColorBtnText()
{
    return g_darkModeActive ? CKvoColorManager::Instance()->GetColor(COLOR_BTNTEXT) : ::GetSysColor(COLOR_BTNTEXT);
}
} // namespace

void KvRgbToHsl(COLORREF clr, int& nLum, int& nSat, int& nHue)
{
    const double r = GetRValue(clr) / 255.0;
    const double g = GetGValue(clr) / 255.0;
    const double b = GetBValue(clr) / 255.0;
    const double dMax = std::max({r, g, b});
    const double dMin = std::min({r, g, b});
    const double l = (dMax + dMin) / 2;
    double s = 0;
    double h = 0;
    if (dMax != dMin) {
        const double d = dMax - dMin;
        s = l < 0.5 ? d / (dMax + dMin) : d / (2 - dMax - dMin);
        if (r == dMax)
            h = (g - b) / d;
        else if (g == dMax)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    nLum = KvColorTo255(l);
    nSat = KvColorTo255(s);
    nHue = KvColorTo255(h);
}

// ---------------------------------------------------------------- base

BEGIN_MESSAGE_MAP(CKvColorBase, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CKvColorBase::CKvColorBase()
    : m_bInitOnSubclass(true), m_nDpi(96), m_pDialog(NULL), m_dLum(0), m_dSat(0), m_dHue(0), m_ptMarker(0, 0)
{
}

void CKvColorBase::SetPoint(int, int)
{
}

void CKvColorBase::Init()
{
    if (CKvColorPageCustom* pPage = dynamic_cast<CKvColorPageCustom*>(GetParent()))
        m_pDialog = pPage->GetColorDialog();
    ModifyStyle(0, SS_NOTIFY);
    m_nDpi = static_cast<int>(KvGetWindowDpi(m_hWnd));
}

BOOL CKvColorBase::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitOnSubclass = false;
    return CStatic::PreCreateWindow(cs);
}

void CKvColorBase::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitOnSubclass)
        Init();
}

int CKvColorBase::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

BOOL CKvColorBase::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKvColorBase::EndDialogOK()
{
    if (m_pDialog != NULL)
        m_pDialog->EndDialog(IDOK);
}

void CKvColorBase::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    SetPoint(point.x, point.y);
    SetFocus();
}

void CKvColorBase::OnMouseMove(UINT nFlags, CPoint point)
{
    if (nFlags & MK_LBUTTON) {
        SetPoint(point.x, point.y);
        SetFocus();
    }
}

void CKvColorBase::OnLButtonUp(UINT, CPoint)
{
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKvColorBase::OnLButtonDblClk(UINT, CPoint point)
{
    SetPoint(point.x, point.y);
    EndDialogOK();
}

BOOL CKvColorBase::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || g_kvColorFocus != FocusCode())
        return CStatic::PreTranslateMessage(pMsg);
    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    if (nKey == VK_RETURN || nKey == VK_SPACE) {
        EndDialogOK();
        return TRUE;
    }
    if (nKey == 'C') {
        if (::GetKeyState(VK_CONTROL) < 0 && m_pDialog != NULL)
            m_pDialog->CopyHexToClipboard();
        return TRUE;
    }
    if (!MovesWithKey(nKey))
        return CStatic::PreTranslateMessage(pMsg);
    CPoint point = m_ptMarker;
    point.x += nKey == VK_LEFT ? -1 : nKey == VK_RIGHT ? 1 : 0;
    point.y += nKey == VK_UP ? -1 : nKey == VK_DOWN ? 1 : 0;
    SetPoint(point.x, point.y);
    return TRUE;
}

// ---------------------------------------------------------------- field

BEGIN_MESSAGE_MAP(CKvColorWnd, CKvColorBase)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

bool CKvColorWnd::MovesWithKey(UINT nKey) const
{
    return nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP || nKey == VK_DOWN;
}

void CKvColorWnd::SetPoint(int x, int y)
{
    CRect rc;
    GetClientRect(&rc);
    x = std::clamp(x, 0, std::max(0, static_cast<int>(rc.right)));
    y = std::clamp(y, 0, std::max(0, static_cast<int>(rc.bottom)));
    m_ptMarker = CPoint(x, y);
    // A control without size has no scale: the marker stays at its origin
    // and the values at zero rather than dividing by nothing.
    m_dHue = rc.Width() > 0 ? static_cast<double>(x) / rc.Width() : 0;
    m_dSat = rc.Height() > 0 ? static_cast<double>(rc.Height() - y) / rc.Height() : 0;
    GetParent()->SendMessage(WM_KV_UPDATECOLOR, 0, reinterpret_cast<LPARAM>(m_hWnd));
    Invalidate(FALSE);
}

void CKvColorWnd::SetHueSat(double dHue, double dSat)
{
    SetHue(dHue);
    SetSat(dSat);
}

void CKvColorWnd::SetHue(double dHue)
{
    CRect rc;
    GetClientRect(&rc);
    m_dHue = dHue;
    m_ptMarker.x = static_cast<int>(rc.Width() * dHue);
    Invalidate(FALSE);
}

void CKvColorWnd::SetSat(double dSat)
{
    CRect rc;
    GetClientRect(&rc);
    m_dSat = dSat;
    m_ptMarker.y = rc.bottom - static_cast<int>((rc.bottom - rc.top) * dSat) - rc.top;
    Invalidate(FALSE);
}

void CKvColorWnd::RenderField(CDC* pDC, const CRect& rcClient)
{
    const int nWidth = rcClient.Width();
    const int nHeight = rcClient.Height();
    m_bmpField.CreateCompatibleBitmap(pDC, std::max(nWidth, 1), std::max(nHeight, 1));
    CKvoCompatibleDC memDC(pDC, &m_bmpField);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x)
            memDC.SetPixelV(x, nHeight - y - 1,
                            CKvoDrawHelpers::HSLToColor(static_cast<double>(x) / nWidth,
                                                        static_cast<double>(y) / nHeight, 0.5));
    }
}

void CKvColorWnd::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKvoBufferDC dc(paintDC.m_hDC, rcClient);
    if (m_bmpField.GetSafeHandle() == NULL)
        RenderField(&dc, rcClient);
    {
        CKvoCompatibleDC memDC(&dc, &m_bmpField);
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &memDC, 0, 0, SRCCOPY);
    }
    CPen pen(PS_SOLID, 1, g_kvColorFocus == 1 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    CPen* pOldPen = dc.SelectObject(&pen);
    const int cx = m_ptMarker.x;
    const int cy = m_ptMarker.y;
    for (int d = -1; d <= 1; ++d) {
        dc.MoveTo(cx - 5, cy + d);
        dc.LineTo(cx - 10, cy + d);
        dc.MoveTo(cx + 5, cy + d);
        dc.LineTo(cx + 10, cy + d);
        dc.MoveTo(cx + d, cy - 5);
        dc.LineTo(cx + d, cy - 10);
        dc.MoveTo(cx + d, cy + 5);
        dc.LineTo(cx + d, cy + 10);
    }
    dc.SelectObject(pOldPen);
}

void CKvColorWnd::OnSetFocus(CWnd* pOldWnd)
{
    CKvColorBase::OnSetFocus(pOldWnd);
    g_kvColorFocus = 1;
    Invalidate(FALSE);
}

void CKvColorWnd::OnKillFocus(CWnd* pNewWnd)
{
    CKvColorBase::OnKillFocus(pNewWnd);
    g_kvColorFocus = 0;
    Invalidate(FALSE);
}

// ---------------------------------------------------------------- bar

BEGIN_MESSAGE_MAP(CKvColorLum, CKvColorBase)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

bool CKvColorLum::MovesWithKey(UINT nKey) const
{
    return nKey == VK_UP || nKey == VK_DOWN;
}

CRect CKvColorLum::GetBarRect() const
{
    CRect rc;
    GetClientRect(&rc);
    return CRect(rc.left, rc.top + Scale(4), rc.left + Scale(14), rc.bottom - Scale(4));
}

void CKvColorLum::SetPoint(int, int y)
{
    const CRect rcBar = GetBarRect();
    const int nHeight = rcBar.Height();
    y = std::clamp(y, static_cast<int>(rcBar.top), std::max(static_cast<int>(rcBar.top), static_cast<int>(rcBar.bottom)));
    // A bar without height keeps the luminance rather than divide by zero.
    if (nHeight > 0)
        m_dLum = static_cast<double>(nHeight - (y - rcBar.top)) / nHeight;
    GetParent()->SendMessage(WM_KV_UPDATECOLOR, 0, reinterpret_cast<LPARAM>(m_hWnd));
    m_ptMarker = CPoint(0, y);
    Invalidate(FALSE);
}

void CKvColorLum::SetHueSat(double dHue, double dSat)
{
    m_dHue = dHue;
    m_dSat = dSat;
    Invalidate(FALSE);
}

void CKvColorLum::SetLuminance(double dLum)
{
    const CRect rcBar = GetBarRect();
    m_dLum = dLum;
    m_ptMarker.y = rcBar.bottom - static_cast<int>(rcBar.Height() * dLum);
    Invalidate(FALSE);
}

void CKvColorLum::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKvoBufferDC dc(paintDC.m_hDC, rcClient);
    HBRUSH hBrush = reinterpret_cast<HBRUSH>(
        GetParent()->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush != NULL)
        ::FillRect(dc.m_hDC, &rcClient, hBrush);
    else
        dc.FillSolidRect(&rcClient, CKvoColorManager::Instance()->GetColor(COLOR_BTNFACE));

    const CRect rcBar = GetBarRect();
    const int h = rcBar.Height();
    for (int i = 0; i < h; ++i) {
        const COLORREF clr = i == 0 ? RGB(255, 255, 255)
                                    : CKvoDrawHelpers::HSLToColor(m_dHue, m_dSat, static_cast<double>(h - i) / h);
        dc.FillSolidRect(rcBar.left, rcBar.top + i, rcBar.Width(), 1, clr);
    }
    const int y = std::clamp(static_cast<int>(m_ptMarker.y), static_cast<int>(rcBar.top),
                             std::max(static_cast<int>(rcBar.top), static_cast<int>(rcBar.bottom)));
    DrawMarker(&dc, rcClient.left + Scale(17), y);
}

void CKvColorLum::DrawMarker(CDC* pDC, int x0, int y)
{
    const bool bFocused = g_kvColorFocus == 2;
    const COLORREF clrText = KvColorBtnText();
    CPen pen(PS_SOLID, 1, bFocused ? clrText : CKvoColorManager::Instance()->GetColor(COLOR_BTNSHADOW));
    CPen* pOldPen = pDC->SelectObject(&pen);
    static const int kvLumArrowStarts[9] = {7, 5, 3, 1, 0, 2, 4, 6, 8};
    for (int i = 0; i < 9; ++i) {
        pDC->MoveTo(x0 + kvLumArrowStarts[i], y - 4 + i);
        pDC->LineTo(x0 + 9, y - 4 + i);
    }
    pDC->SelectObject(pOldPen);
    if (bFocused)
        return;
    static const POINT kvLumOutline[] = {{0, 0}, {1, 0}, {1, -1}, {2, -1}, {3, -2}, {4, -2}, {5, -3}, {6, -3},
                                         {7, -4}, {7, 3},  {6, 3},  {5, 2},  {4, 2},  {3, 1},  {2, 1}};
    for (const POINT& pt : kvLumOutline)
        pDC->SetPixelV(x0 + pt.x, y + pt.y, clrText);
    for (int dy = -4; dy <= 4; ++dy)
        pDC->SetPixelV(x0 + 8, y + dy, clrText);
}

void CKvColorLum::OnSetFocus(CWnd* pOldWnd)
{
    CKvColorBase::OnSetFocus(pOldWnd);
    g_kvColorFocus = 2;
    Invalidate(FALSE);
}

void CKvColorLum::OnKillFocus(CWnd* pNewWnd)
{
    CKvColorBase::OnKillFocus(pNewWnd);
    g_kvColorFocus = 0;
    Invalidate(FALSE);
}

// ---------------------------------------------------------------- page

BEGIN_MESSAGE_MAP(CKvColorPageCustom, KvPropPage)
    ON_EN_CHANGE(110, &CKvColorPageCustom::OnRgbChange)
    ON_EN_CHANGE(111, &CKvColorPageCustom::OnRgbChange)
    ON_EN_CHANGE(118, &CKvColorPageCustom::OnRgbChange)
    ON_EN_CHANGE(115, &CKvColorPageCustom::OnHueChange)
    ON_EN_CHANGE(113, &CKvColorPageCustom::OnLumChange)
    ON_EN_CHANGE(114, &CKvColorPageCustom::OnSatChange)
    ON_MESSAGE(WM_KV_UPDATECOLOR, &CKvColorPageCustom::OnUpdateColor)
END_MESSAGE_MAP()

CKvColorPageCustom::CKvColorPageCustom(CKvColorDialog* pDialog)
    : KvPropPage(IDD_KV_COLOR_CUSTOM), m_nRed(0), m_nBlue(0), m_nGreen(0), m_nHue(0), m_nLum(0), m_nSat(0),
      m_pDialog(pDialog), m_bUpdating(false)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

void CKvColorPageCustom::DoDataExchange(CDataExchange* pDX)
{
    KvPropPage::DoDataExchange(pDX);
    DDX_Control(pDX, kvCustomIdField, m_wndField);
    DDX_Control(pDX, kvCustomIdBar, m_wndBar);
    for (int i = 0; i < 6; ++i) {
        DDX_Control(pDX, kvCustomLabelIds[i], m_wndLabels[i]);
        DDX_Control(pDX, kvCustomSpinIds[i], m_wndSpins[i]);
        DDX_Control(pDX, kvCustomEditIds[i], m_wndEdits[i]);
    }
    int* const values[6] = {&m_nRed, &m_nGreen, &m_nBlue, &m_nHue, &m_nSat, &m_nLum};
    for (int i = 0; i < 6; ++i) {
        DDX_Text(pDX, kvCustomEditIds[i], *values[i]);
        DDV_MinMaxInt(pDX, *values[i], 0, 255);
    }
}

BOOL CKvColorPageCustom::OnInitDialog()
{
    m_bUpdating = true;
    BOOL bResult = KvPropPage::OnInitDialog();
    m_bUpdating = false;
    for (int i = 0; i < 6; ++i) {
        m_wndSpins[i].SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_wndEdits[i].GetSafeHwnd()));
        m_wndSpins[i].SetRange(0, 255);
    }
    const int nMargin = MulDiv(4, static_cast<int>(KvGetWindowDpi(m_hWnd)), 96);
    CRect rcBar;
    m_wndBar.GetWindowRect(&rcBar);
    ScreenToClient(&rcBar);
    rcBar.InflateRect(0, nMargin);
    m_wndBar.MoveWindow(&rcBar);
    return bResult;
}

COLORREF CKvColorPageCustom::ColorFromHsl() const
{
    return CKvoDrawHelpers::HSLToColor(m_nHue / 255.0, m_nSat / 255.0, m_nLum / 255.0);
}

void CKvColorPageCustom::UpdateRGB(COLORREF clr)
{
    m_nRed = GetRValue(clr);
    m_nGreen = GetGValue(clr);
    m_nBlue = GetBValue(clr);
    // Writing an edit raises its EN_CHANGE, which must not start another
    // round; an edit that already reads its value is left alone so the
    // caret of the one being typed into stays where it is.
    const bool bWasUpdating = m_bUpdating;
    m_bUpdating = true;
    const int values[6] = {m_nRed, m_nGreen, m_nBlue, m_nHue, m_nSat, m_nLum};
    for (int i = 0; i < 6; ++i) {
        CString strValue;
        strValue.Format(L"%d", values[i]);
        CString strShown;
        GetDlgItemText(kvCustomEditIds[i], strShown);
        if (strShown != strValue)
            SetDlgItemText(kvCustomEditIds[i], strValue);
    }
    m_bUpdating = bWasUpdating;
}

void CKvColorPageCustom::TakeColor(COLORREF clr)
{
    KvRgbToHsl(clr, m_nLum, m_nSat, m_nHue);
    m_wndField.SetHueSat(m_nHue / 255.0, m_nSat / 255.0);
    m_wndBar.SetHueSat(m_nHue / 255.0, m_nSat / 255.0);
    m_wndBar.SetLuminance(m_nLum / 255.0);
}

void CKvColorPageCustom::ApplyColor(COLORREF clr)
{
    if (clr != m_pDialog->GetNewColor())
        m_pDialog->SetNewColor(clr, false);
    UpdateRGB(clr);
}

LRESULT CKvColorPageCustom::OnUpdateColor(WPARAM wParam, LPARAM lParam)
{
    COLORREF clr;
    HWND hSender = reinterpret_cast<HWND>(lParam);
    if (hSender != NULL && hSender == m_wndField.GetSafeHwnd()) {
        m_nSat = KvColorTo255(m_wndField.GetSat());
        m_nHue = KvColorTo255(m_wndField.GetHue());
        clr = ColorFromHsl();
        m_wndBar.SetHueSat(m_nHue / 255.0, m_nSat / 255.0);
    } else if (hSender != NULL && hSender == m_wndBar.GetSafeHwnd()) {
        m_nLum = KvColorTo255(m_wndBar.GetLum());
        clr = ColorFromHsl();
    } else {
        clr = static_cast<COLORREF>(wParam);
        TakeColor(clr);
    }
    ApplyColor(clr);
    return 0;
}

bool CKvColorPageCustom::ReadEdits()
{
    if (m_bUpdating)
        return false;
    m_bUpdating = true;
    const bool bRead = UpdateData(TRUE) != FALSE;
    m_bUpdating = false;
    return bRead;
}

void CKvColorPageCustom::OnRgbChange()
{
    if (!ReadEdits())
        return;
    const COLORREF clr = RGB(m_nRed, m_nGreen, m_nBlue);
    TakeColor(clr);
    ApplyColor(clr);
}

void CKvColorPageCustom::OnHueChange()
{
    if (!ReadEdits())
        return;
    m_wndField.SetHue(m_nHue / 255.0);
    m_wndBar.SetHueSat(m_nHue / 255.0, m_nSat / 255.0);
    ApplyColor(ColorFromHsl());
}

void CKvColorPageCustom::OnSatChange()
{
    if (!ReadEdits())
        return;
    m_wndField.SetSat(m_nSat / 255.0);
    m_wndBar.SetHueSat(m_nHue / 255.0, m_nSat / 255.0);
    ApplyColor(ColorFromHsl());
}

void CKvColorPageCustom::OnLumChange()
{
    if (!ReadEdits())
        return;
    m_wndBar.SetLuminance(m_nLum / 255.0);
    ApplyColor(ColorFromHsl());
}

BOOL CKvColorPageCustom::OnSetActive()
{
    const COLORREF clr = m_pDialog->GetNewColor();
    TakeColor(clr);
    UpdateRGB(clr);
    m_bUpdating = true;
    BOOL bResult = KvPropPage::OnSetActive();
    m_bUpdating = false;
    return bResult;
}
