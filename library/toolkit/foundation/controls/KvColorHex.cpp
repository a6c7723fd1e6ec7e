#include "foundation/controls/KvColorDialog.h"

#include <algorithm>

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/controls/KvWindowDpi.h"
#include "LanguageIds.h"

namespace
{
const int kvHexSmallRows[13] = {7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7};

const COLORREF kvHexColors[144] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
    0xF8F8F8, 0xDDDDDD, 0xB2B2B2, 0x808080, 0x5F5F5F, 0x333333, 0x1C1C1C, 0x080808,
    0xEAEAEA, 0xC0C0C0, 0x969696, 0x777777, 0x4D4D4D, 0x292929, 0x111111,
    0xFFFFFF, 0x000000,
};

const POINT kvHexSmallShape[6] = {{0, 0}, {0, 8}, {7, 11}, {13, 8}, {13, 0}, {7, -3}};
const POINT kvHexLargeShape[6] = {{0, 0}, {0, 16}, {14, 23}, {28, 16}, {28, 0}, {14, -7}};
const POINT kvHexSmallRingOuter[6] = {{0, 0}, {0, 10}, {9, 14}, {18, 10}, {18, 0}, {9, -4}};
const POINT kvHexSmallRingInner[6] = {{3, 2}, {3, 8}, {9, 11}, {15, 8}, {15, 2}, {9, -1}};
const POINT kvHexLargeRingOuter[6] = {{0, 0}, {0, 16}, {16, 24}, {32, 16}, {32, 0}, {16, -8}};
const POINT kvHexLargeRingInner[6] = {{4, 1}, {4, 15}, {16, 21}, {28, 15}, {28, 1}, {16, -5}};

const int kvHexWhiteSmall = 63;
const int kvHexWhiteLarge = 142;
const int kvHexBlackLarge = 143;

// The first index of each of the thirteen rows of small cells.
int KvHexRowStart(int nRow)
{
    int nStart = 0;
    for (int i = 0; i < nRow; ++i)
        nStart += kvHexSmallRows[i];
    return nStart;
}

// Neighbours (left, up, right, down) of the grey rows and the large cells.
const int kvHexGreyNeighbours[17][4] = {
    {142, 142, 135, 135}, {135, 135, 136, 136}, {136, 136, 137, 137}, {137, 137, 138, 138},
    {138, 138, 139, 139}, {139, 139, 140, 140}, {140, 140, 141, 141}, {141, 141, 143, 143},
    {127, 127, 128, 128}, {128, 128, 129, 129}, {129, 129, 130, 130}, {130, 130, 131, 131},
    {131, 131, 132, 132}, {132, 132, 133, 133}, {133, 133, 134, 134}, {126, 126, 127, 127},
    {134, 134, -1, -1},
};

void KvHexSetNeighbours(HEXCOLOR_CELL* pCell, int nIndex)
{
    if (nIndex >= 127) {
        const int* pNext = kvHexGreyNeighbours[nIndex == kvHexWhiteLarge ? 15 : nIndex == kvHexBlackLarge ? 16
                                                                                                       : nIndex - 127];
        pCell->nLeft = pNext[0];
        pCell->nUp = pNext[1];
        pCell->nRight = pNext[2];
        pCell->nDown = pNext[3];
        return;
    }
    int nRow = 0;
    while (KvHexRowStart(nRow + 1) <= nIndex)
        ++nRow;
    const int k = nIndex - KvHexRowStart(nRow);
    pCell->nLeft = nIndex - 1;
    pCell->nRight = nIndex + 1;
    if (nRow == 0)
        pCell->nUp = -1;
    else if (nRow <= 6)
        pCell->nUp = k == 0 && nRow == 1 ? -1 : KvHexRowStart(nRow - 1) + k - 1;
    else
        pCell->nUp = KvHexRowStart(nRow - 1) + k;
    if (nRow <= 5)
        pCell->nDown = KvHexRowStart(nRow + 1) + k + 1;
    else if (nRow <= 11)
        pCell->nDown = KvHexRowStart(nRow + 1) + k;
    else
        pCell->nDown = pCell->nRight;
    if (nIndex == 119)
        pCell->nDown = kvHexWhiteLarge;
    if (nIndex == 126)
        pCell->nRight = pCell->nDown = kvHexWhiteLarge;
}

// Whether the point lies inside the polygon, by its winding number.
bool KvHexContains(const POINT* pPoints, CPoint point)
{
    int nWinding = 0;
    for (int i = 0; i < 6; ++i) {
        const POINT& a = pPoints[i];
        const POINT& b = pPoints[(i + 1) % 6];
        const long long cross = static_cast<long long>(b.x - a.x) * (point.y - a.y) -
                                static_cast<long long>(point.x - a.x) * (b.y - a.y);
        if (a.y <= point.y) {
            if (b.y > point.y && cross > 0)
                ++nWinding;
        } else if (b.y <= point.y && cross < 0) {
            --nWinding;
        }
    }
    return nWinding != 0;
}
} // namespace

BEGIN_MESSAGE_MAP(CKvColorHex, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CKvColorHex::CKvColorHex()
    : m_nDpi(96), m_bDirty(true), m_bInitOnSubclass(true), m_bTracking(FALSE), m_bSmallSelection(TRUE),
      m_ptSelected(0, 0), m_clrSelected(0xFFFFFFFF), m_pDialog(NULL)
{
}

CKvColorHex::~CKvColorHex()
{
    DeleteCells();
}

void CKvColorHex::DeleteCells()
{
    for (HEXCOLOR_CELL* pCell : m_cells) {
        delete[] pCell->pPoints;
        delete pCell;
    }
    m_cells.clear();
}

void CKvColorHex::Init()
{
    if (CKvColorPageStandard* pPage = dynamic_cast<CKvColorPageStandard*>(GetParent()))
        m_pDialog = pPage->GetColorDialog();
    ModifyStyle(0, SS_NOTIFY);
}

BOOL CKvColorHex::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitOnSubclass = false;
    return CWnd::PreCreateWindow(cs);
}

void CKvColorHex::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bInitOnSubclass)
        Init();
}

int CKvColorHex::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

void CKvColorHex::AddCell(int x, int y, bool bSmall, COLORREF clr)
{
    HEXCOLOR_CELL* pCell = new HEXCOLOR_CELL();
    pCell->bSmall = bSmall;
    pCell->clr = clr;
    pCell->pPoints = new POINT[6];
    const POINT* pShape = bSmall ? kvHexSmallShape : kvHexLargeShape;
    for (int i = 0; i < 6; ++i)
        pCell->pPoints[i] = {x + Scale(pShape[i].x), y + Scale(pShape[i].y)};
    KvHexSetNeighbours(pCell, static_cast<int>(m_cells.size()));
    m_cells.push_back(pCell);
}

void CKvColorHex::BuildCells(int nWidth)
{
    // A theme change renders again: the list is made afresh, never appended
    // to, so lookups by colour and index stay on the cells shown.
    DeleteCells();
    int xRow = Scale(42) + (nWidth - Scale(182)) / 2;
    int y = Scale(3);
    int nColor = 0;
    for (int nRow = 0; nRow < 13; ++nRow) {
        if (nRow > 0) {
            y += Scale(12);
            xRow += nRow <= 6 ? -Scale(7) : Scale(7);
        }
        for (int k = 0; k < kvHexSmallRows[nRow]; ++k)
            AddCell(xRow + Scale(14) * k, y, true, kvHexColors[nColor++]);
    }
    int xGrey = xRow - Scale(7);
    int yGrey = y + Scale(25);
    for (int k = 0; k < 8; ++k)
        AddCell(xGrey + Scale(14) * k, yGrey, true, kvHexColors[nColor++]);
    xGrey += Scale(7);
    yGrey += Scale(12);
    for (int k = 0; k < 7; ++k)
        AddCell(xGrey + Scale(14) * k, yGrey, true, kvHexColors[nColor++]);
    const int xLarge = (nWidth - Scale(182)) / 2;
    AddCell(xLarge, yGrey - Scale(12), false, kvHexColors[nColor++]);
    AddCell(xLarge + Scale(153), yGrey - Scale(12), false, kvHexColors[nColor++]);
}

bool CKvColorHex::IsStandardColor(COLORREF clr) const
{
    return std::find(std::begin(kvHexColors), std::end(kvHexColors), clr) != std::end(kvHexColors);
}

int CKvColorHex::FindCell(COLORREF clr) const
{
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i]->clr != clr)
            continue;
        // White: the large cell when that one was picked last.
        if (clr == 0xFFFFFF && !m_bSmallSelection && static_cast<int>(m_cells.size()) > kvHexWhiteLarge)
            return kvHexWhiteLarge;
        return static_cast<int>(i);
    }
    return -1;
}

void CKvColorHex::SelectColor(COLORREF clr)
{
    m_clrSelected = clr;
    for (const HEXCOLOR_CELL* pCell : m_cells) {
        if (pCell->clr == clr) {
            m_ptSelected = pCell->pPoints[0];
            m_bSmallSelection = pCell->bSmall;
            return;
        }
    }
}

void CKvColorHex::RenderCache(CDC* pDC, const CRect& rcClient)
{
    m_bDirty = false;
    m_bmpCache.DeleteObject();
    m_bmpCache.CreateCompatibleBitmap(pDC, rcClient.Width(), rcClient.Height());
    BuildCells(rcClient.Width());
    CKvoCompatibleDC memDC(pDC, &m_bmpCache);
    HBRUSH hBrush = reinterpret_cast<HBRUSH>(GetParent()->SendMessage(WM_CTLCOLORSTATIC,
                                                                      reinterpret_cast<WPARAM>(memDC.m_hDC),
                                                                      reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush != NULL)
        ::FillRect(memDC.m_hDC, &rcClient, hBrush);
    else
        memDC.FillSolidRect(&rcClient, CKvoColorManager::Instance()->GetColor(COLOR_BTNFACE));
    for (const HEXCOLOR_CELL* pCell : m_cells) {
        CPen pen(PS_SOLID, 1, pCell->clr);
        CBrush brush(pCell->clr);
        CPen* pOldPen = memDC.SelectObject(&pen);
        CBrush* pOldBrush = memDC.SelectObject(&brush);
        memDC.Polygon(pCell->pPoints, 6);
        memDC.SelectObject(pOldBrush);
        memDC.SelectObject(pOldPen);
    }
    if (m_pDialog != NULL)
        SelectColor(m_pDialog->GetNewColor());
}

void CKvColorHex::DrawRing(CDC* pDC, CPoint origin, bool bSmall)
{
    POINT outer[6], inner[6];
    const POINT* pOuter = bSmall ? kvHexSmallRingOuter : kvHexLargeRingOuter;
    const POINT* pInner = bSmall ? kvHexSmallRingInner : kvHexLargeRingInner;
    origin.Offset(-Scale(2), -Scale(1));
    for (int i = 0; i < 6; ++i) {
        outer[i] = {origin.x + Scale(pOuter[i].x), origin.y + Scale(pOuter[i].y)};
        inner[i] = {origin.x + Scale(pInner[i].x), origin.y + Scale(pInner[i].y)};
    }
    CRgn rgnOuter, rgnInner, rgnRing;
    rgnOuter.CreatePolygonRgn(outer, 6, ALTERNATE);
    rgnInner.CreatePolygonRgn(inner, 6, ALTERNATE);
    rgnRing.CreateRectRgn(0, 0, 0, 0);
    rgnRing.CombineRgn(&rgnOuter, &rgnInner, RGN_XOR);
    CBrush white(RGB(255, 255, 255));
    pDC->FillRgn(&rgnRing, &white);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    for (const POINT* pRing : {static_cast<const POINT*>(outer), static_cast<const POINT*>(inner)}) {
        pDC->MoveTo(pRing[5]);
        for (int i = 0; i < 6; ++i)
            pDC->LineTo(pRing[i]);
    }
    pDC->SelectObject(pOldPen);
}

void CKvColorHex::DrawSelection(CDC* pDC)
{
    if (m_pDialog == NULL || m_pDialog->GetNewColor() != m_clrSelected || static_cast<int>(m_cells.size()) <= kvHexBlackLarge)
        return;
    if (m_clrSelected == 0xFFFFFF) {
        DrawRing(pDC, m_cells[kvHexWhiteSmall]->pPoints[0], true);
        DrawRing(pDC, m_cells[kvHexWhiteLarge]->pPoints[0], false);
    } else if (m_clrSelected == 0x000000) {
        DrawRing(pDC, m_cells[kvHexBlackLarge]->pPoints[0], false);
    } else if (IsStandardColor(m_clrSelected)) {
        DrawRing(pDC, m_ptSelected, m_bSmallSelection != FALSE);
    }
}

BOOL CKvColorHex::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKvColorHex::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKvoBufferDC dc(paintDC.m_hDC, rcClient);
    if (m_bDirty || m_bmpCache.GetSafeHandle() == NULL)
        RenderCache(&dc, rcClient);
    {
        CKvoCompatibleDC memDC(&dc, &m_bmpCache);
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &memDC, 0, 0, SRCCOPY);
    }
    DrawSelection(&dc);
}

bool CKvColorHex::SelectAt(int x, int y)
{
    const CPoint point(x, y);
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const HEXCOLOR_CELL* pCell = m_cells[i];
        if (!KvHexContains(pCell->pPoints, point) && CPoint(pCell->pPoints[0]) != point)
            continue;
        SelectCell(static_cast<int>(i));
        return true;
    }
    return false;
}

void CKvColorHex::SelectCell(int nIndex)
{
    const HEXCOLOR_CELL* pCell = m_cells[nIndex];
    m_ptSelected = pCell->pPoints[0];
    m_bSmallSelection = pCell->bSmall;
    if (pCell->clr != m_clrSelected) {
        m_clrSelected = pCell->clr;
        GetParent()->SendMessage(WM_KV_UPDATECOLOR, pCell->clr, 0);
    }
    Invalidate(FALSE);
    UpdateWindow();
}

void CKvColorHex::EndDialogOK()
{
    if (m_pDialog != NULL)
        m_pDialog->EndDialog(IDOK);
}

void CKvColorHex::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    SelectAt(point.x, point.y);
    m_bTracking = TRUE;
    SetCapture();
}

void CKvColorHex::OnMouseMove(UINT, CPoint point)
{
    if (m_bTracking)
        SelectAt(point.x, point.y);
}

void CKvColorHex::OnLButtonUp(UINT, CPoint)
{
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKvColorHex::OnLButtonDblClk(UINT, CPoint point)
{
    SetFocus();
    if (SelectAt(point.x, point.y))
        EndDialogOK();
}

BOOL CKvColorHex::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || pMsg->hwnd != m_hWnd)
        return CWnd::PreTranslateMessage(pMsg);
    int nIndex = FindCell(m_clrSelected);
    if (nIndex < 0)
        nIndex = kvHexBlackLarge;
    if (nIndex >= static_cast<int>(m_cells.size()))
        return CWnd::PreTranslateMessage(pMsg);
    const HEXCOLOR_CELL* pCell = m_cells[nIndex];
    int nNext = -1;
    switch (pMsg->wParam) {
    case VK_RETURN:
    case VK_SPACE:
        EndDialogOK();
        return TRUE;
    case VK_LEFT:
        nNext = pCell->nLeft;
        break;
    case VK_UP:
        nNext = pCell->nUp;
        break;
    case VK_RIGHT:
        nNext = pCell->nRight;
        break;
    case VK_DOWN:
        nNext = pCell->nDown;
        break;
    case 'C':
        if (::GetKeyState(VK_CONTROL) < 0 && m_pDialog != NULL)
            m_pDialog->CopyHexToClipboard();
        return CWnd::PreTranslateMessage(pMsg);
    default:
        return CWnd::PreTranslateMessage(pMsg);
    }
    if (nNext >= 0 && nNext < static_cast<int>(m_cells.size()))
        SelectCell(nNext);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CKvColorPageStandard, KvPropPage)
    ON_MESSAGE(WM_THEMECHANGED, &CKvColorPageStandard::OnThemeChangedMessage)
    ON_MESSAGE(WM_KV_UPDATECOLOR, &CKvColorPageStandard::OnUpdateColor)
END_MESSAGE_MAP()

CKvColorPageStandard::CKvColorPageStandard(CKvColorDialog* pDialog)
    : KvPropPage(IDD_KV_COLOR_STANDARD), m_pDialog(pDialog)
{
}

void CKvColorPageStandard::DoDataExchange(CDataExchange* pDX)
{
    KvPropPage::DoDataExchange(pDX);
    DDX_Control(pDX, 103, m_wndHex);
}

BOOL CKvColorPageStandard::OnInitDialog()
{
    BOOL bResult = KvPropPage::OnInitDialog();
    m_wndHex.SetDpi(static_cast<int>(KvGetWindowDpi(m_wndHex.GetSafeHwnd())));
    return bResult;
}

BOOL CKvColorPageStandard::OnSetActive()
{
    KvPropPage::OnSetActive();
    m_wndHex.SelectColor(m_pDialog->GetNewColor());
    m_wndHex.Invalidate(FALSE);
    return TRUE;
}

LRESULT CKvColorPageStandard::OnThemeChangedMessage(WPARAM wParam, LPARAM lParam)
{
    m_wndHex.MarkDirty();
    return KvPropPage::OnThemeChanged();
}

LRESULT CKvColorPageStandard::OnUpdateColor(WPARAM wParam, LPARAM lParam)
{
    m_pDialog->SetNewColor(static_cast<COLORREF>(wParam), false);
    m_wndHex.Invalidate(FALSE);
    return 0;
}
