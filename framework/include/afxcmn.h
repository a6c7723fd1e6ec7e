// The common controls as thin wrappers, and the image list that owns its
// handle.
#pragma once

#include <afxwin.h>

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    // Destroys the list unless it was detached.
    ~CImageList() override;

    operator HIMAGELIST() const
    {
        return m_hImageList;
    }
    HIMAGELIST GetSafeHandle() const
    {
        return m_hImageList;
    }
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);
    BOOL Remove(int nImage);
    int GetImageCount() const;
    COLORREF SetBkColor(COLORREF cr);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    HICON ExtractIcon(int nImage);

    HIMAGELIST m_hImageList;
};

class CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetPos() const
    {
        return static_cast<int>(SendMessage(TBM_GETPOS));
    }
    void SetPos(int nPos)
    {
        SendMessage(TBM_SETPOS, TRUE, nPos);
    }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    void GetRange(int& nMin, int& nMax) const
    {
        nMin = GetRangeMin();
        nMax = GetRangeMax();
    }
    int GetRangeMin() const
    {
        return static_cast<int>(SendMessage(TBM_GETRANGEMIN));
    }
    int GetRangeMax() const
    {
        return static_cast<int>(SendMessage(TBM_GETRANGEMAX));
    }
    void SetTicFreq(int nFreq)
    {
        SendMessage(TBM_SETTICFREQ, nFreq);
    }
    void ClearTics(BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_CLEARTICS, bRedraw);
    }
    int GetPageSize() const
    {
        return static_cast<int>(SendMessage(TBM_GETPAGESIZE));
    }
    int SetPageSize(int nSize)
    {
        return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize));
    }
    int SetLineSize(int nSize)
    {
        return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize));
    }
};

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper)
    {
        SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
    }
    void SetRange32(int nLower, int nUpper)
    {
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    int GetPos() const
    {
        return static_cast<int>(SendMessage(UDM_GETPOS));
    }
    int SetPos(int nPos)
    {
        return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)));
    }
    int GetPos32(LPBOOL lpbError = NULL) const
    {
        return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
    }
    int SetPos32(int nPos)
    {
        return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos));
    }
    CWnd* SetBuddy(CWnd* pWndBuddy)
    {
        return CWnd::FromHandle(reinterpret_cast<HWND>(
            SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy->GetSafeHwnd()))));
    }
    CWnd* GetBuddy() const
    {
        return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
    }
};

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
    }
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem)
    {
        return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL DeleteAllItems()
    {
        return DeleteItem(TVI_ROOT);
    }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    HTREEITEM GetRootItem() const
    {
        return GetNextItem(NULL, TVGN_ROOT);
    }
    HTREEITEM GetChildItem(HTREEITEM hItem) const
    {
        return GetNextItem(hItem, TVGN_CHILD);
    }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const
    {
        return GetNextItem(hItem, TVGN_NEXT);
    }
    HTREEITEM GetParentItem(HTREEITEM hItem) const
    {
        return GetNextItem(hItem, TVGN_PARENT);
    }
    HTREEITEM GetSelectedItem() const
    {
        return GetNextItem(NULL, TVGN_CARET);
    }
    BOOL SelectItem(HTREEITEM hItem)
    {
        return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL Expand(HTREEITEM hItem, UINT nCode)
    {
        return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL EnsureVisible(HTREEITEM hItem)
    {
        return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)));
    }
    UINT GetCount() const
    {
        return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
    }
    BOOL GetItem(TVITEM* pItem) const
    {
        return static_cast<BOOL>(SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    BOOL SetItem(TVITEM* pItem)
    {
        return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    {
        return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
    }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL GetCheck(HTREEITEM hItem) const
    {
        return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2;
    }
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE)
    {
        return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
    }
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
    {
        *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
        return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
    }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    // NULL: image lists have no handle map, so the previous one is not
    // wrapped.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    COLORREF SetBkColor(COLORREF clr)
    {
        return static_cast<COLORREF>(SendMessage(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(clr)));
    }
    COLORREF SetTextColor(COLORREF clr)
    {
        return static_cast<COLORREF>(SendMessage(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(clr)));
    }
};

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol)
    {
        return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, nCol));
    }
    int GetColumnWidth(int nCol) const
    {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, nCol));
    }
    BOOL SetColumnWidth(int nCol, int cx)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)));
    }
    int InsertItem(const LVITEM* pItem)
    {
        return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL DeleteItem(int nItem)
    {
        return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, nItem));
    }
    BOOL DeleteAllItems()
    {
        return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
    }
    int GetItemCount() const
    {
        return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
    }
    DWORD GetExtendedStyle() const
    {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    DWORD SetExtendedStyle(DWORD dwNewStyle)
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    }
    BOOL SetBkColor(COLORREF cr)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr)));
    }
    BOOL SetTextColor(COLORREF cr)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr)));
    }
    BOOL SetTextBkColor(COLORREF cr)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
    }
    // NULL, as CTreeCtrl::SetImageList.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
};

// A tooltip control. A tool without text given asks its window with
// TTN_GETDISPINFO (LPSTR_TEXTCALLBACK).
class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    // Hands a mouse message of a tool's window to the tooltip.
    void RelayEvent(LPMSG lpMsg)
    {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
    }
    void Activate(BOOL bActivate)
    {
        SendMessage(TTM_ACTIVATE, bActivate);
    }
    int SetMaxTipWidth(int iWidth)
    {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
    }
    void SetDelayTime(UINT nDelay)
    {
        SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay);
    }
    void SetDelayTime(DWORD dwDuration, int iTime)
    {
        SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
    }
    void SetTipBkColor(COLORREF clr)
    {
        SendMessage(TTM_SETTIPBKCOLOR, clr);
    }
    void SetTipTextColor(COLORREF clr)
    {
        SendMessage(TTM_SETTIPTEXTCOLOR, clr);
    }
    void Pop()
    {
        SendMessage(TTM_POP);
    }
    int GetToolCount() const
    {
        return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
    }

private:
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
