#include "foundation/controls/KvColorSelectorCtrl.h"

#include <algorithm>
#include <cwchar>

#include "foundation/base/KvAuxData.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoResourceManager.h"
#include "foundation/base/KvoToolkitStatics.h"
#include "foundation/controls/KvColorDialog.h"
#include "foundation/controls/KvColorSelectorCtrlTheme.h"
#include "foundation/controls/KvWindowDpi.h"
#include "LanguageIds.h"

// The recent colours are the toolkit's user-colour list under the name the
// selector knows them by.
CArray<COLORREF, COLORREF>& g_kvRecentColors = g_kvoUserColors;

namespace
{
struct KvSelectorTableColor
{
    COLORREF clr;
    UINT nId;
};

const KvSelectorTableColor kvSelectorColors16[] = {
    {0x000000, 9900}, {0x808080, 9940}, {0x000080, 9941}, {0x008080, 9942}, {0x008000, 9911}, {0x808000, 9912},
    {0x800000, 9943}, {0x800080, 9944}, {0xFFFFFF, 9939}, {0xC0C0C0, 9945}, {0x0000FF, 9916}, {0x00FFFF, 9926},
    {0x00FF00, 9918}, {0xFFFF00, 9920}, {0xFF0000, 9913}, {0xFF00FF, 9946},
};

const COLORREF kvSelectorColors40[] = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333, 0x000080, 0x0066FF,
    0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080, 0x0000FF, 0x0099FF, 0x00CC99, 0x669933,
    0xCCCC33, 0xFF6633, 0x800080, 0x999999, 0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00,
    0x663399, 0xC0C0C0, 0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};

const int kvSelectorCellSize = 18;
const int kvSelectorWideCellStep = 27;
const int kvSelectorWideCellHeight = 23;
const int kvSelectorCaptionLine = 22;
const int kvSelectorRowGap = 4;

// A string of the language module split at its line feed into caption and
// tooltip; both are the whole string without one.
void KvSplitCaptionAndTip(UINT nId, CString& strCaption, CString& strTip)
{
    CString strText = CKvoResourceManager::Instance()->LoadString(nId);
    int nBreak = strText.Find(L'\n');
    strCaption = nBreak < 0 ? strText : strText.Left(nBreak);
    strTip = nBreak < 0 ? strText : strText.Mid(nBreak + 1);
}

bool KvTableHolds(const COLORREF* pColors, int nCount, COLORREF clr)
{
    return std::find(pColors, pColors + nCount, clr) != pColors + nCount;
}
} // namespace

BEGIN_MESSAGE_MAP(CKvColorSelectorCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEACTIVATE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CKvColorSelectorCtrl::CKvColorSelectorCtrl()
    : CKvThemeManagerStyleHost(RUNTIME_CLASS(CKvColorSelectorCtrlThemeFactory)), m_nDpi(96), m_nColumns(8),
      m_nHot(-1), m_nPressed(-1), m_pNotifyWnd(NULL), m_sizeCell(kvSelectorCellSize, kvSelectorCellSize),
      m_rcWindow(0, 0, 0, 0), m_rcMargins(0, 0, 0, 0), m_dwStyle(0), m_ptLastMouse(0, 0),
      m_clrCurrent(CLR_DEFAULT), m_clrDefault(CLR_DEFAULT), m_pColorDialog(NULL), m_pUserColors(NULL),
      m_nUserColors(0)
{
    InitTheme(RUNTIME_CLASS(CKvColorSelectorCtrlThemeFactory));
}

CKvColorSelectorCtrl::~CKvColorSelectorCtrl()
{
    DeleteCells();
}

void CKvColorSelectorCtrl::DeleteCells()
{
    for (COLOR_CELL* pCell : m_cells)
        delete pCell;
    m_cells.clear();
}

CKvColorSelectorCtrlTheme* CKvColorSelectorCtrl::GetSelectorTheme()
{
    return static_cast<CKvColorSelectorCtrlTheme*>(GetSafeTheme());
}

void CKvColorSelectorCtrl::OnThemeChanged()
{
    if (m_hWnd != NULL)
        Invalidate();
}

void CKvColorSelectorCtrl::SetDpi(int nDpi)
{
    m_nDpi = nDpi;
    m_sizeCell = CSize(Scale(kvSelectorCellSize), Scale(kvSelectorCellSize));
}

void CKvColorSelectorCtrl::AddListener(HWND hWnd)
{
    m_listeners.push_back(hWnd);
}

void CKvColorSelectorCtrl::SetUserColors(const COLORREF* pColors, int nCount)
{
    m_pUserColors = nCount > 0 ? pColors : NULL;
    m_nUserColors = m_pUserColors != NULL ? nCount : 0;
    if (m_pUserColors != NULL)
        m_dwStyle |= KvColorSelStyle::Extended;
}

void CKvColorSelectorCtrl::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rcMargins.SetRect(nLeft, nTop, nRight, nBottom);
}

const COLOR_CELL* CKvColorSelectorCtrl::GetCell(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCellCount() ? m_cells[nIndex] : NULL;
}

CSize CKvColorSelectorCtrl::CalcSize() const
{
    CSize size(m_nColumns * m_sizeCell.cx + m_rcMargins.left + m_rcMargins.right,
               m_rcMargins.top + m_rcMargins.bottom);
    if (HasDefaultCell())
        size.cy += Scale(kvSelectorWideCellStep);
    if (m_dwStyle & KvColorSelStyle::Extended || m_pUserColors != NULL) {
        int nCount = m_pUserColors != NULL ? m_nUserColors : _countof(kvSelectorColors40);
        size.cy += (nCount + m_nColumns - 1) / m_nColumns * m_sizeCell.cy;
    } else {
        size.cy += Scale(kvSelectorCaptionLine) + 2 * m_sizeCell.cy;
    }
    if (m_dwStyle & KvColorSelStyle::MoreColors) {
        size.cy += Scale(kvSelectorWideCellStep);
        if (g_kvRecentColors.GetSize() > 0)
            size.cy += m_sizeCell.cy + Scale(kvSelectorRowGap);
    }
    return size;
}

BOOL CKvColorSelectorCtrl::CreateSelector(const RECT& rect, CWnd* pOwner, DWORD dwStyle, COLORREF clrCurrent,
                                          COLORREF clrDefault)
{
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return FALSE;
    m_pNotifyWnd = pOwner;
    AddListener(pOwner->GetSafeHwnd());
    SetDpi(static_cast<int>(KvGetWindowDpi(pOwner->GetSafeHwnd())));

    m_dwStyle = dwStyle | (m_pUserColors != NULL ? KvColorSelStyle::Extended : 0);
    m_clrCurrent = clrCurrent;
    m_clrDefault = clrDefault;
    m_rcWindow = rect;

    if (m_dwStyle & KvColorSelStyle::Popup) {
        CSize size = CalcSize();
        if (m_dwStyle & KvColorSelStyle::AlignRight)
            m_rcWindow.left = m_rcWindow.right - size.cx;
        else
            m_rcWindow.right = m_rcWindow.left + size.cx;
        m_rcWindow.top = rect.bottom;
        m_rcWindow.bottom = m_rcWindow.top + size.cy;
    }

    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    // A popup starts as a child of its owner and turns itself into a popup
    // window once its cells are built.
    CRect rcCreate(m_rcWindow);
    if (m_dwStyle & KvColorSelStyle::Popup)
        pOwner->ScreenToClient(&rcCreate);
    if (!Create(lpszClass, L"", WS_CHILD, rcCreate, pOwner, 0))
        return FALSE;

    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(CKvAuxData::Instance()->fontNormal.GetSafeHandle()), FALSE);
    if (!(m_dwStyle & KvColorSelStyle::Popup) && (m_dwStyle & WS_VISIBLE))
        ShowWindow(SW_SHOWNA);
    return TRUE;
}

BOOL CKvColorSelectorCtrl::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    SetDpi(static_cast<int>(KvGetWindowDpi(m_hWnd)));
    return TRUE;
}

BOOL CKvColorSelectorCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != NULL && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_toolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

int CKvColorSelectorCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetDpi(static_cast<int>(KvGetWindowDpi(m_hWnd)));
    if (m_toolTip.Create(this))
        m_toolTip.Activate(TRUE);
    BuildCells();
    return 0;
}

COLOR_CELL* CKvColorSelectorCtrl::AddCell(UINT nId, DWORD dwKind, const CRect& rect, COLORREF clr, LPCWSTR pszText)
{
    COLOR_CELL* pCell = new COLOR_CELL();
    pCell->nId = nId;
    pCell->nIndex = GetCellCount();
    pCell->rect = rect;
    pCell->dwKind = dwKind;
    pCell->clr = clr;
    // A caption longer than the cell holds is cut, never overrun.
    wcsncpy_s(pCell->szText, pszText != NULL ? pszText : L"", _TRUNCATE);
    m_cells.push_back(pCell);
    return pCell;
}

void CKvColorSelectorCtrl::AddToolTip(const COLOR_CELL* pCell, LPCWSTR pszTip)
{
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.AddTool(this, pszTip, &pCell->rect, static_cast<UINT_PTR>(pCell->nIndex) + 1);
}

bool CKvColorSelectorCtrl::HasCheckedCell() const
{
    return std::any_of(m_cells.begin(), m_cells.end(), [](const COLOR_CELL* pCell) { return pCell->bChecked != 0; });
}

void CKvColorSelectorCtrl::BuildCells()
{
    DeleteCells();
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nRight = rcClient.right - m_rcMargins.right;
    int y = m_rcMargins.top;
    if (HasDefaultCell())
        y = BuildDefaultCell(y, nRight);
    y = BuildColorTable(y);
    if (m_dwStyle & KvColorSelStyle::MoreColors)
        BuildMoreColors(y, nRight);
    m_nHot = -1;
}

int CKvColorSelectorCtrl::BuildDefaultCell(int y, int nRight)
{
    const bool bNoColor = (m_dwStyle & KvColorSelStyle::NoColor) != 0;
    const UINT nId = bNoColor ? 9947 : 9948;
    CString strCaption, strTip;
    KvSplitCaptionAndTip(nId, strCaption, strTip);
    CRect rect(m_rcMargins.left, y, nRight, y + Scale(kvSelectorWideCellHeight));
    COLOR_CELL* pCell = AddCell(nId, m_dwStyle, rect, m_clrDefault, strCaption);
    pCell->bChecked = m_clrCurrent == m_clrDefault && (!bNoColor || m_clrDefault == KvColorNone);
    AddToolTip(pCell, strTip);
    return y + Scale(kvSelectorWideCellStep);
}

int CKvColorSelectorCtrl::BuildColorTable(int y)
{
    std::vector<KvSelectorTableColor> table;
    if (m_pUserColors != NULL) {
        for (int i = 0; i < m_nUserColors; ++i)
            table.push_back({m_pUserColors[i], 0});
    } else if (m_dwStyle & KvColorSelStyle::Extended) {
        for (int i = 0; i < static_cast<int>(_countof(kvSelectorColors40)); ++i)
            table.push_back({kvSelectorColors40[i], static_cast<UINT>(9900 + i)});
    } else {
        table.assign(std::begin(kvSelectorColors16), std::end(kvSelectorColors16));
        y += Scale(kvSelectorCaptionLine);
    }

    bool bChecked = HasCheckedCell();
    for (size_t i = 0; i < table.size(); ++i) {
        const int nColumn = static_cast<int>(i) % m_nColumns;
        const int nRow = static_cast<int>(i) / m_nColumns;
        CRect rect(CPoint(m_rcMargins.left + nColumn * m_sizeCell.cx, y + nRow * m_sizeCell.cy), m_sizeCell);
        COLOR_CELL* pCell = AddCell(table[i].nId, KvColorCellKindColor, rect, table[i].clr, NULL);
        if (!bChecked && table[i].clr == m_clrCurrent) {
            pCell->bChecked = TRUE;
            bChecked = true;
        }
        AddToolTip(pCell, table[i].nId != 0 ? CKvoResourceManager::Instance()->LoadString(table[i].nId)
                                             : CKvColorDialog::FormatHexColor(table[i].clr));
    }
    const int nRows = (static_cast<int>(table.size()) + m_nColumns - 1) / m_nColumns;
    return y + nRows * m_sizeCell.cy;
}

void CKvColorSelectorCtrl::BuildMoreColors(int y, int nRight)
{
    const int nRecent = std::min(static_cast<int>(g_kvRecentColors.GetSize()), m_nColumns);
    if (nRecent > 0) {
        y += Scale(kvSelectorRowGap);
        for (int i = 0; i < nRecent; ++i) {
            const COLORREF clr = g_kvRecentColors[i];
            CRect rect(CPoint(m_rcMargins.left + i * m_sizeCell.cx, y), m_sizeCell);
            COLOR_CELL* pCell = AddCell(0, KvColorCellKindColor, rect, clr, NULL);
            pCell->bChecked = clr == m_clrCurrent;
            AddToolTip(pCell, CKvColorDialog::FormatHexColor(clr));
        }
        y += m_sizeCell.cy;
    }
    y += Scale(kvSelectorRowGap);
    CString strCaption, strTip;
    KvSplitCaptionAndTip(9949, strCaption, strTip);
    const bool bShowCustom = m_clrCurrent != KvColorNone && !HasCheckedCell();
    CRect rect(m_rcMargins.left, y, nRight, y + Scale(kvSelectorWideCellHeight));
    COLOR_CELL* pCell = AddCell(9949, KvColorCellKindMore, rect, m_clrCurrent, strCaption);
    pCell->bChecked = bShowCustom;
    AddToolTip(pCell, strTip);
}

BOOL CKvColorSelectorCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKvColorSelectorCtrl::OnPaint()
{
    CPaintDC paintDC(this);
    CKvoBufferDC dc(paintDC);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKvColorSelectorCtrlTheme* pTheme = GetSelectorTheme();
    pTheme->FillBackground(&dc, rcClient);
    dc.SetBkMode(TRANSPARENT);
    CKvoFontDC font(&dc, &CKvAuxData::Instance()->fontNormal);
    if (!(m_dwStyle & KvColorSelStyle::Extended)) {
        CString strCaption = CKvoResourceManager::Instance()->LoadString(9424);
        const int y = Scale(4) + (HasDefaultCell() ? Scale(kvSelectorWideCellStep) : 0);
        dc.TextOut(Scale(6), y, strCaption);
    }
    pTheme->SetDpi(m_nDpi);
    for (COLOR_CELL* pCell : m_cells) {
        const bool bIsHot = pCell->nIndex == m_nHot;
        const bool bIsPressed = pCell->nIndex == m_nPressed;
        pTheme->DrawCell(pCell, &dc, (bIsHot && m_nPressed == -1) || bIsPressed, bIsPressed && bIsHot);
    }
}

COLOR_CELL* CKvColorSelectorCtrl::HitTest(CPoint point)
{
    for (COLOR_CELL* pCell : m_cells) {
        if (::PtInRect(&pCell->rect, point))
            return pCell;
    }
    return NULL;
}

void CKvColorSelectorCtrl::SetHotCell(COLOR_CELL* pCell)
{
    m_nHot = pCell != NULL ? pCell->nIndex : -1;
    Invalidate(FALSE);
}

void CKvColorSelectorCtrl::OnMouseMove(UINT, CPoint point)
{
    if (IsDialogOpen() || point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;
    COLOR_CELL* pCell = HitTest(point);
    SetHotCell(pCell);
    if (pCell != NULL) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CKvColorSelectorCtrl::OnLButtonDown(UINT, CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point)) {
        m_nPressed = m_nHot;
        Invalidate(FALSE);
    }
}

void CKvColorSelectorCtrl::OnLButtonUp(UINT, CPoint)
{
    const int nChosen = m_nPressed == m_nHot && m_nHot >= 0 ? m_nHot : -2;
    m_nPressed = m_nHot = -1;
    if (nChosen != -2)
        SelectIndex(nChosen);
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

void CKvColorSelectorCtrl::OnMouseLeave()
{
    m_nPressed = m_nHot = -1;
    Invalidate(FALSE);
}

int CKvColorSelectorCtrl::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (GetStyle() & WS_POPUP)
        return MA_NOACTIVATE;
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

LRESULT CKvColorSelectorCtrl::OnNcHitTest(CPoint point)
{
    if (!IsDialogOpen() && m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return CWnd::OnNcHitTest(point);
}

void CKvColorSelectorCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (IsDialogOpen())
        m_pColorDialog->SetFocus();
}

void CKvColorSelectorCtrl::SelectHotIndex(int nIndex)
{
    if (m_cells.empty())
        return;
    if (nIndex < 0)
        nIndex = HasDefaultCell() ? 0 : GetLastIndex();
    nIndex = std::min(nIndex, GetLastIndex());
    SetHotCell(m_cells[nIndex]);
}

void CKvColorSelectorCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsDialogOpen())
        return;
    const int nLast = GetLastIndex();
    const int nHot = m_nHot;
    switch (nChar) {
    case VK_RETURN:
    case VK_SPACE:
        SelectIndex(nHot);
        return;
    case VK_ESCAPE:
        SelectIndex(-1);
        return;
    case VK_LEFT:
        SelectHotIndex(nHot <= 0 ? nLast : nHot - 1);
        return;
    case VK_RIGHT:
        SelectHotIndex(nHot < 0 || nHot >= nLast ? 0 : nHot + 1);
        return;
    case VK_UP:
        if (nHot <= 0)
            SelectHotIndex(nLast);
        else if (nHot == nLast && (m_dwStyle & KvColorSelStyle::MoreColors))
            SelectHotIndex(nLast - 1);
        else
            SelectHotIndex(nHot - m_nColumns);
        return;
    case VK_DOWN:
        if (nHot < 0 || nHot == nLast)
            SelectHotIndex(0);
        else if (nHot == 0 && HasDefaultCell())
            SelectHotIndex(1);
        else
            SelectHotIndex(nHot + m_nColumns);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CKvColorSelectorCtrl::SelectIndex(int nIndex)
{
    EndSelection(nIndex, 0);
}

bool CKvColorSelectorCtrl::IsDialogOpen() const
{
    return m_pColorDialog != NULL && m_pColorDialog->GetSafeHwnd() != NULL;
}

bool CKvColorSelectorCtrl::IsKnownColor(COLORREF clr) const
{
    for (INT_PTR i = 0; i < g_kvRecentColors.GetSize(); ++i) {
        if (g_kvRecentColors[i] == clr)
            return true;
    }
    if (m_dwStyle & KvColorSelStyle::Extended)
        return KvTableHolds(kvSelectorColors40, _countof(kvSelectorColors40), clr);
    return std::any_of(std::begin(kvSelectorColors16), std::end(kvSelectorColors16),
                       [clr](const KvSelectorTableColor& entry) { return entry.clr == clr; });
}

void CKvColorSelectorCtrl::RememberRecentColor(COLORREF clr)
{
    // Only a colour that is added makes room; the row never holds more
    // colours than it shows.
    if (IsKnownColor(clr))
        return;
    while (g_kvRecentColors.GetSize() >= m_nColumns)
        g_kvRecentColors.RemoveAt(0);
    g_kvRecentColors.Add(clr);
}

bool CKvColorSelectorCtrl::ChooseMoreColor(COLORREF& clrChosen)
{
    CKvColorDialog dialog(m_clrCurrent, m_clrCurrent, m_dwStyle & (KvColorSelStyle::ShowHex | KvColorSelStyle::AlignRight),
                          GetParent());
    m_pColorDialog = &dialog;
    const bool bAccepted = dialog.DoModal() == IDOK;
    m_pColorDialog = NULL;
    clrChosen = dialog.GetNewColor();
    return bAccepted;
}

UINT CKvColorSelectorCtrl::ChooseMessage(COLORREF clr) const
{
    return clr == m_clrCurrent ? KVCPN_SELNOCHANGE : KVCPN_SELENDOK;
}

void CKvColorSelectorCtrl::EndSelection(int nIndex, LPARAM lParam)
{
    if (nIndex == GetLastIndex() && nIndex >= 0 && (m_dwStyle & KvColorSelStyle::MoreColors)) {
        COLORREF clrChosen = m_clrCurrent;
        if (ChooseMoreColor(clrChosen)) {
            RememberRecentColor(clrChosen);
            NotifyListeners(ChooseMessage(clrChosen), clrChosen, lParam);
        } else {
            NotifyListeners(KVCPN_SELENDCANCEL, m_clrCurrent, lParam);
        }
        return;
    }
    if (nIndex == 0 && HasDefaultCell()) {
        if (m_dwStyle & KvColorSelStyle::NoColor)
            NotifyListeners(KVCPN_SELNOCOLOR, KvColorNone, lParam);
        else
            NotifyListeners(ChooseMessage(m_clrDefault), m_clrDefault, lParam);
        return;
    }
    if (nIndex < 0) {
        NotifyListeners(KVCPN_SELENDCANCEL, m_clrCurrent, lParam);
        return;
    }
    if (const COLOR_CELL* pCell = GetCell(nIndex))
        NotifyListeners(ChooseMessage(pCell->clr), pCell->clr, lParam);
}

void CKvColorSelectorCtrl::NotifyListeners(UINT nMessage, COLORREF clr, LPARAM lParam)
{
    // A listener may destroy the selector while it is told.
    const std::vector<HWND> listeners = m_listeners;
    for (HWND hWnd : listeners) {
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, nMessage, clr, lParam);
    }
}
