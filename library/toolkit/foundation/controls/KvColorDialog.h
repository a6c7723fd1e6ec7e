#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdlgs.h>
#include <vector>

#include "foundation/controls/KvPropPage.h"
#include "foundation/controls/KvPropSheet.h"

class CKvColorDialog;

// Carries a colour (wParam) between the colour dialog, its pages and their
// controls; lParam names the control that sent it, 0 for the dialog.
const UINT WM_KV_UPDATECOLOR = 10050;

// The page that was active when a colour dialog last closed.
extern int g_kvColorDialogLastPage;

// Fills the record with zeros and returns it.
LOGFONTW& ClearLogFont(LOGFONTW& logFont);

struct HEXCOLOR_CELL
{
    int nLeft;
    int nUp;
    int nRight;
    int nDown;
    BOOL bSmall;
    POINT* pPoints;  // six vertices, owned
    COLORREF clr;
};

// The honeycomb of standard colours: 127 small cells, two rows of greys and
// a large white and a large black cell.
class CKvColorHex : public CWnd
{
public:
    CKvColorHex();
    ~CKvColorHex() override;

    virtual void Init();
    virtual bool IsStandardColor(COLORREF clr) const;
    void SelectColor(COLORREF clr);
    void SetDpi(int nDpi) { m_nDpi = nDpi; m_bDirty = true; }
    void MarkDirty() { m_bDirty = true; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The cell index of a colour (the first of that colour), -1 for none.
    int FindCell(COLORREF clr) const;
    const std::vector<HEXCOLOR_CELL*>& GetCells() const { return m_cells; }
    COLORREF GetSelectedColor() const { return m_clrSelected; }
    CPoint GetSelectedPoint() const { return m_ptSelected; }

    // Selects the cell under the point; false when the point hits none.
    bool SelectAt(int x, int y);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    int Scale(int nValue) const { return MulDiv(nValue, m_nDpi, 96); }
    void BuildCells(int nWidth);
    void AddCell(int x, int y, bool bSmall, COLORREF clr);
    void DeleteCells();
    void RenderCache(CDC* pDC, const CRect& rcClient);
    void DrawSelection(CDC* pDC);
    void DrawRing(CDC* pDC, CPoint origin, bool bSmall);
    void SelectCell(int nIndex);
    void EndDialogOK();

    int m_nDpi;
    CBitmap m_bmpCache;
    bool m_bDirty;
    bool m_bInitOnSubclass;
    BOOL m_bTracking;
    BOOL m_bSmallSelection;
    CPoint m_ptSelected;
    COLORREF m_clrSelected;
    std::vector<HEXCOLOR_CELL*> m_cells;
    CKvColorDialog* m_pDialog;
};

class CKvColorPageStandard : public KvPropPage
{
public:
    explicit CKvColorPageStandard(CKvColorDialog* pDialog);

    CKvColorDialog* GetColorDialog() const { return m_pDialog; }
    CKvColorHex& GetHex() { return m_wndHex; }
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg LRESULT OnThemeChangedMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CKvColorHex m_wndHex;
    CKvColorDialog* m_pDialog;
};

class CKvColorPageCustom;

// The colour dialog: standard and custom pages beside a preview of the new
// and the current colour.
class CKvColorDialog : public KvPropSheet
{
    DECLARE_DYNAMIC(CKvColorDialog)
public:
    CKvColorDialog(COLORREF clrNew, COLORREF clrCurrent, DWORD dwStyle, CWnd* pParent);
    ~CKvColorDialog() override;

    static CStringW FormatHexColor(COLORREF clr);

    void SetNewColor(COLORREF clr, bool bNotifyPages);
    COLORREF GetNewColor() const { return m_clrNew; }
    COLORREF GetCurrentColor() const { return m_clrCurrent; }
    bool CopyHexToClipboard();
    virtual void LayoutControls();
    void OnDpiChanged(WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Ends the modal run as if OK or Cancel had been pressed.
    void EndDialog(int nResult);

    CKvColorPageStandard* GetStandardPage() const { return m_pStandardPage; }
    CKvColorPageCustom* GetCustomPage() const { return m_pCustomPage; }
    CWnd& GetHexLabel() { return m_wndHexLabel; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void AddColorPage(KvPropPage* pPage, UINT nTemplateId);
    CRect GetPreviewRect();
    void DrawTab(LPDRAWITEMSTRUCT lpDrawItemStruct);
    CFont* GetSheetFont();

    DWORD m_dwStyle;
    CStatic m_wndHexLabel;
    CRect m_rcNew;
    CRect m_rcCurrent;
    COLORREF m_clrNew;
    COLORREF m_clrCurrent;
    CKvColorPageStandard* m_pStandardPage;
    CKvColorPageCustom* m_pCustomPage;
};
