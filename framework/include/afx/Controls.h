// The standard controls as thin wrappers: each member sends the control's
// own message. Part of <afxwin.h>; include that instead.
#pragma once

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
    }
    HBITMAP GetBitmap() const
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
    }
    HICON SetIcon(HICON hIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
    }
    HICON GetIcon() const
    {
        return reinterpret_cast<HICON>(SendMessage(STM_GETICON));
    }
};

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCheck() const
    {
        return static_cast<int>(SendMessage(BM_GETCHECK));
    }
    void SetCheck(int nCheck)
    {
        SendMessage(BM_SETCHECK, nCheck);
    }
    UINT GetState() const
    {
        return static_cast<UINT>(SendMessage(BM_GETSTATE));
    }
    void SetState(BOOL bHighlight)
    {
        SendMessage(BM_SETSTATE, bHighlight);
    }
    UINT GetButtonStyle() const
    {
        return static_cast<UINT>(GetStyle() & 0xFFFF);
    }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE)
    {
        SendMessage(BM_SETSTYLE, nStyle, bRedraw);
    }
    HICON SetIcon(HICON hIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
    }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return reinterpret_cast<HBITMAP>(
            SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
    }
    // Draws an owner-drawn button; called for the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, nStartChar, nEndChar);
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        DWORD dwStart = 0, dwEnd = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
        nStartChar = static_cast<int>(dwStart);
        nEndChar = static_cast<int>(dwEnd);
    }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
    }
    void SetLimitText(UINT nMax)
    {
        SendMessage(EM_SETLIMITTEXT, nMax);
    }
    void LimitText(int nChars = 0)
    {
        SendMessage(EM_LIMITTEXT, nChars);
    }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE)
    {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly));
    }
    int GetLineCount() const
    {
        return static_cast<int>(SendMessage(EM_GETLINECOUNT));
    }
};

class CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int AddString(LPCTSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
    }
    int InsertString(int nIndex, LPCTSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(lpszString)));
    }
    int DeleteString(UINT nIndex)
    {
        return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex));
    }
    void ResetContent()
    {
        SendMessage(CB_RESETCONTENT);
    }
    int GetCount() const
    {
        return static_cast<int>(SendMessage(CB_GETCOUNT));
    }
    int GetCurSel() const
    {
        return static_cast<int>(SendMessage(CB_GETCURSEL));
    }
    int SetCurSel(int nSelect)
    {
        return static_cast<int>(SendMessage(CB_SETCURSEL, nSelect));
    }
    void GetLBText(int nIndex, CString& rString) const;
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, nIndex));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(SendMessage(CB_SETITEMDATA, nIndex, static_cast<LPARAM>(dwItemData)));
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, nIndexStart, reinterpret_cast<LPARAM>(lpszFind)));
    }
    int SelectString(int nStartAfter, LPCTSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_SELECTSTRING, nStartAfter, reinterpret_cast<LPARAM>(lpszString)));
    }
};

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int AddString(LPCTSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
    }
    int InsertString(int nIndex, LPCTSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(lpszItem)));
    }
    int DeleteString(UINT nIndex)
    {
        return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex));
    }
    void ResetContent()
    {
        SendMessage(LB_RESETCONTENT);
    }
    int GetCount() const
    {
        return static_cast<int>(SendMessage(LB_GETCOUNT));
    }
    int GetCurSel() const
    {
        return static_cast<int>(SendMessage(LB_GETCURSEL));
    }
    int SetCurSel(int nSelect)
    {
        return static_cast<int>(SendMessage(LB_SETCURSEL, nSelect));
    }
    void GetText(int nIndex, CString& rString) const;
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, nIndex));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, nIndex, static_cast<LPARAM>(dwItemData)));
    }
};

class CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetScrollPos() const
    {
        return ::GetScrollPos(m_hWnd, SB_CTL);
    }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE)
    {
        return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
    }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
    {
        ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
    }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
        return TRUE;
    }
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        lpScrollInfo->fMask = nMask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
    }
};
