// Creation of the common controls and their members that fill structures.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace
{

// The common control classes are registered once per process.
void RegisterCommonControls()
{
    static const BOOL bRegistered = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&icc);
    }();
    (void)bRegistered;
}

} // namespace

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterCommonControls();
    return CWnd::Create(TRACKBAR_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterCommonControls();
    return CWnd::Create(UPDOWN_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterCommonControls();
    return CWnd::Create(WC_TREEVIEWW, NULL, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = const_cast<LPWSTR>(lpszItem);
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = const_cast<LPWSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    return InsertItem(&tvis);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // Tree items hold at most 260 characters of text.
    wchar_t text[MAX_PATH + 1] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = MAX_PATH + 1;
    return GetItem(&item) ? CString(text) : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hit = {};
    hit.pt = pt;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (pFlags != NULL)
        *pFlags = hit.flags;
    return hItem;
}


CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    SendMessage(TVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(pImageList != NULL ? pImageList->m_hImageList : NULL));
    return NULL;
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterCommonControls();
    return CWnd::Create(WC_LISTVIEWW, NULL, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = nFormat;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, nCol, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Grows the buffer until the text fits.
    CString text;
    for (int nLength = 256;; nLength *= 2)
    {
        LVITEMW item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = nLength;
        item.pszText = text.GetBuffer(nLength);
        int nCopied = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(nCopied);
        if (nCopied < nLength - 1)
            return text;
    }
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    SendMessage(LVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(pImageList != NULL ? pImageList->m_hImageList : NULL));
    return NULL;
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    RegisterCommonControls();
    return CWnd::CreateEx(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = {};
    ti.cbSize = sizeof(TOOLINFO);
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        // The whole window is the tool.
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (ti.hwnd == NULL)
        ti.hwnd = pWnd->GetSafeHwnd();
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    return AddTool(pWnd, MAKEINTRESOURCEW(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}
