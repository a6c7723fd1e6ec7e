#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>
#include <vector>

#include "foundation/base/KvThemeManager.h"

class CKvColorDialog;
class CKvColorSelectorCtrlTheme;

// Style bits of the colour selector (and of the picker's popup).
namespace KvColorSelStyle
{
// The default cell selects no colour instead of the automatic one.
const DWORD NoColor = 0x00000001;
// The 40-colour table (or the user's table) instead of the 16-colour one.
const DWORD Extended = 0x00000002;
// A row of recent custom colours and the more-colours cell.
const DWORD MoreColors = 0x00000004;
const DWORD NoDefault = 0x00000010;
// Handed on to the colour dialog: its hexadecimal label.
const DWORD ShowHex = 0x00000020;
// A popup ends at its button's right edge; the colour dialog's preview
// gets a sunken frame.
const DWORD AlignRight = 0x00000040;
const DWORD Popup = 0x80000000;
} // namespace KvColorSelStyle

// Messages the selector sends its listeners at the end of a selection
// (wParam the colour, lParam the caller's value); the picker passes the
// same numbers on to its owner as WM_COMMAND notification codes.
const UINT KVCPN_SELNOCHANGE = 10025;
const UINT KVCPN_DROPDOWN = 10026;
const UINT KVCPN_CLOSEUP = 10027;
const UINT KVCPN_SELENDOK = 10028;
const UINT KVCPN_SELENDCANCEL = 10029;
const UINT KVCPN_SELNOCOLOR = 10030;

// What a cell is (COLOR_CELL::dwKind); the default cell holds the
// selector's style instead.
const DWORD KvColorCellKindMore = 4;
const DWORD KvColorCellKindColor = 8;

// The "no colour" choice of a default cell under KvColorSelStyle::NoColor.
const COLORREF KvColorNone = 0xFFFFFFFF;

struct COLOR_CELL
{
    UINT nId;
    int nIndex;
    BYTE bChecked;
    RECT rect;
    DWORD dwKind;
    WCHAR szText[256];
    COLORREF clr;
};

// The custom colours chosen in the colour dialog, oldest first; shared by
// every selector of the process. UI thread only.
extern CArray<COLORREF, COLORREF>& g_kvRecentColors;

// A grid of colour cells with an optional default cell, a row of recent
// colours and a more-colours cell, chosen by mouse or keyboard.
class CKvColorSelectorCtrl : public CWnd, public CKvThemeManagerStyleHost
{
public:
    CKvColorSelectorCtrl();
    ~CKvColorSelectorCtrl() override;

    // FALSE without an owner or when the window cannot be made.
    BOOL CreateSelector(const RECT& rect, CWnd* pOwner, DWORD dwStyle, COLORREF clrCurrent, COLORREF clrDefault);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void SetDpi(int nDpi);
    int GetDpi() const { return m_nDpi; }
    void AddListener(HWND hWnd);
    // Replaces the built-in tables (the table is the caller's and must live
    // as long as the selector); implies KvColorSelStyle::Extended.
    void SetUserColors(const COLORREF* pColors, int nCount);
    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);
    CSize CalcSize() const;

    virtual void SetHotCell(COLOR_CELL* pCell);
    virtual void SelectIndex(int nIndex);
    virtual void EndSelection(int nIndex, LPARAM lParam);

    bool IsDialogOpen() const;
    bool IsKnownColor(COLORREF clr) const;

    int GetHotIndex() const { return m_nHot; }
    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    const COLOR_CELL* GetCell(int nIndex) const;
    DWORD GetSelectorStyle() const { return m_dwStyle; }
    COLORREF GetCurrentColor() const { return m_clrCurrent; }
    CKvColorSelectorCtrlTheme* GetSelectorTheme();

protected:
    // Runs the colour dialog from the more-colours cell; true with the
    // chosen colour when the user accepts.
    virtual bool ChooseMoreColor(COLORREF& clrChosen);
    void SelectHotIndex(int nIndex);
    COLOR_CELL* HitTest(CPoint point);
    int GetLastIndex() const { return GetCellCount() - 1; }
    bool HasDefaultCell() const { return (m_dwStyle & KvColorSelStyle::NoDefault) == 0; }
    int Scale(int nValue) const { return MulDiv(nValue, m_nDpi, 96); }
    void OnThemeChanged() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    int m_nDpi;
    int m_nColumns;
    int m_nHot;
    int m_nPressed;
    CWnd* m_pNotifyWnd;
    CSize m_sizeCell;
    CRect m_rcWindow;
    CRect m_rcMargins;
    DWORD m_dwStyle;
    CPoint m_ptLastMouse;
    COLORREF m_clrCurrent;
    COLORREF m_clrDefault;
    CToolTipCtrl m_toolTip;
    std::vector<HWND> m_listeners;
    std::vector<COLOR_CELL*> m_cells;
    CKvColorDialog* m_pColorDialog;
    const COLORREF* m_pUserColors;
    int m_nUserColors;

private:
    COLOR_CELL* AddCell(UINT nId, DWORD dwKind, const CRect& rect, COLORREF clr, LPCWSTR pszText);
    void AddToolTip(const COLOR_CELL* pCell, LPCWSTR pszTip);
    void BuildCells();
    int BuildDefaultCell(int y, int nRight);
    int BuildColorTable(int y);
    void BuildMoreColors(int y, int nRight);
    void DeleteCells();
    bool HasCheckedCell() const;
    void NotifyListeners(UINT nMessage, COLORREF clr, LPARAM lParam);
    void RememberRecentColor(COLORREF clr);
    UINT ChooseMessage(COLORREF clr) const;
};
