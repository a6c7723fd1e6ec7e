#include "foundation/controls/KvColorDialog.h"

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoResourceManager.h"
#include "foundation/controls/KvColorPageCustom.h"
#include "LanguageIds.h"

IMPLEMENT_DYNAMIC(CKvColorDialog, KvPropSheet)

int g_kvColorDialogLastPage = 0;

LOGFONTW& ClearLogFont(LOGFONTW& logFont)
{
    ZeroMemory(&logFont, sizeof(logFont));
    return logFont;
}

namespace
{
const UINT kvColorHexLabelId = 101;

// A system colour, from the toolkit's palette while the dark mode is on.
COLORREF KvColorDialogSysColor(int nIndex)
{
    return g_darkModeActive ? CKvoColorManager::Instance()->GetColor(nIndex) : ::GetSysColor(nIndex);
}
} // namespace

BEGIN_MESSAGE_MAP(CKvColorDialog, KvPropSheet)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DRAWITEM()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKvColorDialog::CKvColorDialog(COLORREF clrNew, COLORREF clrCurrent, DWORD dwStyle, CWnd* pParent)
    : KvPropSheet(CKvoResourceManager::Instance()->LoadString(IDS_KV_COLOR_DIALOG), pParent), m_dwStyle(dwStyle), m_rcNew(0, 0, 0, 0), m_rcCurrent(0, 0, 0, 0), m_clrNew(clrNew), m_clrCurrent(clrCurrent),
      m_pStandardPage(new CKvColorPageStandard(this)), m_pCustomPage(new CKvColorPageCustom(this))
{
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_HASHELP) | PSH_NOAPPLYNOW;
    AddColorPage(m_pStandardPage, IDD_KV_COLOR_STANDARD);
    AddColorPage(m_pCustomPage, IDD_KV_COLOR_CUSTOM);
}

CKvColorDialog::~CKvColorDialog()
{
    delete m_pStandardPage;
    delete m_pCustomPage;
}

void CKvColorDialog::AddColorPage(KvPropPage* pPage, UINT nTemplateId)
{
    pPage->m_psp.dwFlags &= ~PSP_HASHELP;
    if (LPCDLGTEMPLATE pTemplate = CKvoResourceManager::Instance()->LoadDialogTemplate(nTemplateId)) {
        pPage->m_psp.pResource = pTemplate;
        pPage->m_psp.dwFlags |= PSP_DLGINDIRECT;
    }
    AddPage(pPage);
}

CStringW CKvColorDialog::FormatHexColor(COLORREF clr)
{
    CStringW strText;
    strText.Format(L"Hex= %02X%02X%02X", GetRValue(clr), GetGValue(clr), GetBValue(clr));
    return strText;
}

int CKvColorDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (KvPropSheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_dwStyle & 0x20)
        m_wndHexLabel.CreateEx(WS_EX_STATICEDGE, L"STATIC", FormatHexColor(m_clrNew), WS_CHILD | WS_VISIBLE,
                               CRect(0, 0, 0, 0), this, kvColorHexLabelId);
    return 0;
}

BOOL CKvColorDialog::OnInitDialog()
{
    BOOL bResult = KvPropSheet::OnInitDialog();
    LayoutControls();
    SetActivePage(g_kvColorDialogLastPage);
    if (m_wndHexLabel.GetSafeHwnd() != NULL)
        m_wndHexLabel.SetFont(GetFont());
    if (CWnd* pTab = CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL))))
        pTab->ModifyStyle(0, TCS_OWNERDRAWFIXED);
    return bResult;
}

void CKvColorDialog::LayoutControls()
{
    HWND hTab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (hTab == NULL || pOK == NULL || pCancel == NULL)
        return;
    auto scale = [this](int nValue) { return MulDiv(nValue, static_cast<int>(m_nDpi), 96); };
    CRect rcTab, rcFirstTab, rcOK, rcCancel;
    ::GetWindowRect(hTab, &rcTab);
    ScreenToClient(&rcTab);
    ::SendMessageW(hTab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rcFirstTab));
    pOK->GetWindowRect(&rcOK);
    ScreenToClient(&rcOK);
    pCancel->GetWindowRect(&rcCancel);
    ScreenToClient(&rcCancel);

    CRect rcColumn(rcCancel);
    rcColumn.OffsetRect(-scale(15), 0);
    rcTab.right = rcColumn.left - scale(5);
    rcTab.bottom = rcCancel.top - scale(15);
    ::SetWindowPos(hTab, NULL, rcTab.left, rcTab.top, rcTab.Width(), rcTab.Height(), SWP_NOZORDER | SWP_NOACTIVATE);

    const int nTop = rcTab.top + rcFirstTab.Height() + 1;
    pOK->SetWindowPos(NULL, rcColumn.left, nTop, rcColumn.Width(), rcOK.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    const int nCancelTop = nTop + rcOK.Height() + scale(5);
    pCancel->SetWindowPos(NULL, rcColumn.left, nCancelTop, rcColumn.Width(), rcCancel.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_wndHexLabel.GetSafeHwnd() != NULL)
        m_wndHexLabel.SetWindowPos(NULL, rcColumn.left, nCancelTop + rcCancel.Height() + scale(5), rcColumn.Width(),
                                   scale(18), SWP_NOZORDER | SWP_NOACTIVATE);

    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    const int nFrameX = rcWindow.Width() - rcClient.Width();
    const int nFrameY = rcWindow.Height() - rcClient.Height();
    SetWindowPos(NULL, 0, 0, rcCancel.right - scale(15) + nFrameX, rcTab.bottom + scale(10) + nFrameY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKvColorDialog::OnDpiChanged(WPARAM, LPARAM)
{
    EndDialog(IDCANCEL);
}

void CKvColorDialog::EndDialog(int nResult)
{
    PostMessage(PSM_PRESSBUTTON, nResult == IDOK ? PSBTN_OK : PSBTN_CANCEL);
}

CFont* CKvColorDialog::GetSheetFont()
{
    return GetFont();
}

CRect CKvColorDialog::GetPreviewRect()
{
    auto scale = [this](int nValue) { return MulDiv(nValue, static_cast<int>(m_nDpi), 96); };
    CRect rcClient, rcCancel;
    GetClientRect(&rcClient);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pCancel == NULL)
        return CRect(0, 0, 0, 0);
    pCancel->GetWindowRect(&rcCancel);
    ScreenToClient(&rcCancel);
    const int nBottom = rcClient.bottom - scale(32);
    return CRect(rcCancel.left, nBottom - scale(66), rcCancel.right, nBottom);
}

void CKvColorDialog::OnPaint()
{
    CPaintDC dc(this);
    auto scale = [this](int nValue) { return MulDiv(nValue, static_cast<int>(m_nDpi), 96); };
    CKvoColorManager* pColors = CKvoColorManager::Instance();
    CRect rcBox = GetPreviewRect();
    if (rcBox.IsRectEmpty())
        return;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(pColors->GetColor(COLOR_WINDOWTEXT));
    CFont* pOldFont = dc.SelectObject(GetSheetFont());

    if (m_dwStyle & 0x40) {
        CRect rcOuter(rcBox);
        rcOuter.InflateRect(3, 3);
        dc.Draw3dRect(&rcOuter, pColors->GetColor(COLOR_BTNHIGHLIGHT), pColors->GetColor(COLOR_3DDKSHADOW));
        dc.Draw3dRect(&rcBox, pColors->GetColor(COLOR_BTNSHADOW), pColors->GetColor(COLOR_BTNHIGHLIGHT));
    } else {
        dc.Draw3dRect(&rcBox, pColors->GetColor(COLOR_WINDOWFRAME), pColors->GetColor(COLOR_WINDOWFRAME));
    }

    CRect rcAbove(rcBox.left, rcBox.top - scale(22), rcBox.right, rcBox.top);
    CRect rcBelow(rcBox.left, rcBox.bottom, rcBox.right, rcBox.bottom + scale(22));
    CKvoResourceManager* pResources = CKvoResourceManager::Instance();
    dc.DrawText(pResources->LoadString(IDS_KV_COLOR_NEW), &rcAbove, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.DrawText(pResources->LoadString(IDS_KV_COLOR_CURRENT), &rcBelow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    CRect rcInside(rcBox);
    rcInside.DeflateRect(1, 1);
    const int nHalf = (rcInside.bottom - rcInside.top) / 2;
    m_rcNew.SetRect(rcInside.left, rcInside.top, rcInside.right, rcInside.top + nHalf);
    m_rcCurrent.SetRect(rcInside.left, rcInside.top + nHalf, rcInside.right, rcInside.bottom);
    dc.FillSolidRect(&m_rcNew, m_clrNew);
    dc.FillSolidRect(&m_rcCurrent, m_clrCurrent);
    dc.SelectObject(pOldFont);
}

void CKvColorDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HWND hTab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    if (lpDrawItemStruct->hwndItem == hTab && hTab != NULL)
        DrawTab(lpDrawItemStruct);
    else
        KvPropSheet::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CKvColorDialog::DrawTab(LPDRAWITEMSTRUCT lpDIS)
{
    WCHAR szText[100] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = _countof(szText);
    ::SendMessageW(lpDIS->hwndItem, TCM_GETITEMW, lpDIS->itemID, reinterpret_cast<LPARAM>(&item));

    const COLORREF clrFace = KvColorDialogSysColor(COLOR_BTNFACE);
    const COLORREF clrText = KvColorDialogSysColor(COLOR_WINDOWTEXT);
    const COLORREF clrHighlight = KvColorDialogSysColor(COLOR_BTNHIGHLIGHT);
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);

    CRect rcSecond, rcControl;
    if (::SendMessageW(lpDIS->hwndItem, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rcSecond))) {
        ::GetClientRect(lpDIS->hwndItem, &rcControl);
        CRect rcEmpty(rcSecond.right + 3, rcControl.top, rcControl.right, rcSecond.bottom - 1);
        if (!rcEmpty.IsRectEmpty())
            pDC->FillSolidRect(&rcEmpty, clrFace);
    }
    const bool bSelected = static_cast<int>(lpDIS->itemID) ==
                           static_cast<int>(::SendMessageW(lpDIS->hwndItem, TCM_GETCURSEL, 0, 0));
    CRect rcItem(lpDIS->rcItem);
    pDC->FillSolidRect(&rcItem, bSelected ? clrHighlight : clrFace);
    pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(szText, -1, &rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
}

void CKvColorDialog::OnDestroy()
{
    // The sheet has let go of its current page by now; the tab control
    // still shows which one it was.
    HWND hTab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    const int nPage = hTab != NULL ? static_cast<int>(::SendMessageW(hTab, TCM_GETCURSEL, 0, 0)) : -1;
    if (nPage >= 0)
        g_kvColorDialogLastPage = nPage;
    KvPropSheet::OnDestroy();
}

void CKvColorDialog::SetNewColor(COLORREF clr, bool bNotifyPages)
{
    m_clrNew = clr;
    if (m_hWnd != NULL && IsWindowVisible()) {
        CClientDC dc(this);
        dc.FillSolidRect(&m_rcNew, clr);
        if (m_wndHexLabel.GetSafeHwnd() != NULL)
            m_wndHexLabel.SetWindowText(FormatHexColor(clr));
    }
    if (!bNotifyPages || m_hWnd == NULL || SendMessage(PSM_GETTABCONTROL) == 0)
        return;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CPropertyPage* pPage = GetPage(i)) {
            if (pPage->GetSafeHwnd() != NULL)
                pPage->SendMessage(WM_KV_UPDATECOLOR, clr, 0);
        }
    }
}

bool CKvColorDialog::CopyHexToClipboard()
{
    if (m_wndHexLabel.GetSafeHwnd() == NULL)
        return false;
    CStringW strText;
    m_wndHexLabel.GetWindowText(strText);
    if (!OpenClipboard())
        return false;
    EmptyClipboard();
    const SIZE_T nBytes = (static_cast<SIZE_T>(strText.GetLength()) + 1) * sizeof(WCHAR);
    bool bPlaced = false;
    if (HGLOBAL hMemory = ::GlobalAlloc(GMEM_MOVEABLE, nBytes)) {
        if (void* pTarget = ::GlobalLock(hMemory)) {
            memcpy(pTarget, static_cast<LPCWSTR>(strText), nBytes);
            ::GlobalUnlock(hMemory);
            bPlaced = ::SetClipboardData(CF_UNICODETEXT, hMemory) != NULL;
        }
        // The clipboard owns the memory only once it has taken it.
        if (!bPlaced)
            ::GlobalFree(hMemory);
    }
    CloseClipboard();
    return bPlaced;
}
