#pragma once
#include <afxwin.h>

#include "foundation/base/KvoSelfDeletingWindow.h"
#include "foundation/controls/KvButton.h"
#include "foundation/controls/KvButtonTheme.h"
#include "foundation/controls/KvColorSelectorCtrl.h"

class CKvoShadowManager;

// The message the picker posts itself to open its popup.
const UINT WM_KV_SHOWPOPUP = 10053;

// A button that shows a colour swatch and a drop-down arrow and opens a
// colour popup below itself; the choice becomes its colour and is reported
// to its owner as WM_COMMAND with the KVCPN_ codes.
class CKvColorPicker : public CKvButton
{
public:
    CKvColorPicker();
    ~CKvColorPicker() override;

    virtual void SetColor(COLORREF clr);
    virtual COLORREF GetColor() const;
    virtual void SetShowText(bool bShow);
    virtual bool GetShowText() const;
    virtual void SetColorText(bool bColorText);
    virtual bool GetColorText() const;
    virtual void SetDefaultColor(COLORREF clr);
    virtual COLORREF GetDefaultColor() const;
    virtual void ModifyPopupStyle(DWORD dwRemove, DWORD dwAdd);
    virtual void ShowPopup();
    virtual COLORREF GetContrastColor() const;

    // The settings dialog's name for ModifyPopupStyle.
    void ModifyPickerStyle(DWORD dwRemove, DWORD dwAdd) { ModifyPopupStyle(dwRemove, dwAdd); }
    DWORD GetPopupStyle() const { return m_dwPopupStyle; }
    bool IsPopupOpen() const { return m_bPopupOpen != FALSE; }

    bool UpdateOwnerDraw() override;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg LRESULT OnSelNoChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelNoColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowPopupMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Redraw();
    void NotifyOwner(UINT nCode);

    BOOL m_bShowText;
    BOOL m_bColorText;
    BOOL m_bPopupOpen;
    DWORD m_dwPopupStyle;
    COLORREF m_clrColor;
    COLORREF m_clrDefault;
};

// Draws the picker: the base face, then the swatch and the arrow.
class CKvColorPickerTheme : public CKvButtonTheme
{
public:
    COLORREF GetTextColor(UINT nItemState, CKvButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton) override;
    bool DrawVisualStyleBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton) override;
    bool DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton) override;
    void DrawFocusRect(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton) override;

private:
    void DrawSwatchAndArrow(LPDRAWITEMSTRUCT lpDIS, CKvColorPicker* pPicker);
};

// The picker's drop-down: a colour selector in a popup window below the
// button, which closes itself once a choice is made or dropped.
class CKvColorPopup : public CKvColorSelectorCtrl, public CKvoSelfDeletingWindow
{
public:
    CKvColorPopup(bool bAutoDelete, LPARAM lParam);
    ~CKvColorPopup() override;

    BOOL Create(const RECT& rcButton, CWnd* pOwner, DWORD dwStyle, COLORREF clrCurrent, COLORREF clrDefault);
    void SelectIndex(int nIndex) override;
    void EndSelection(int nIndex);

protected:
    void PostNcDestroy() override;
    bool UsesOfficeTheme();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    void FitIntoWorkArea();
    void BecomePopup();

    BOOL m_bAutoDelete;
    BOOL m_bShadow;
    CRect m_rcButton;
    LPARAM m_lParam;
    CKvoShadowManager* m_pShadowManager;
    // Set once the selection has ended: a later loss of focus must not
    // report a second end.
    bool m_bSelectionEnded;
};
