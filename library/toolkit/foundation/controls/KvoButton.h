#pragma once
#include <afxwin.h>

class CKvoButtonTheme;
class CKvoImageManagerIcon;
class CKvoImageManagerIconHandle;
class CKvoMarkupContext;
class CKvoMarkupUIElement;

// Identifiers of the looks CKvoButton::SetTheme offers.
enum KvoButtonThemeId
{
    KvoButtonThemeDefault = 0,
    KvoButtonThemeFlat = 1,
    KvoButtonThemeUltraFlat = 2,
    KvoButtonThemeOffice2000 = 3,
    KvoButtonThemeOfficeXP = 4,
    KvoButtonThemeOffice2003 = 5,
    KvoButtonThemeOffice2007 = 6,
};

// Push styles: how a push button drops down.
enum KvoPushButtonStyle
{
    KvoPushButtonPlain = 0,
    KvoPushButtonDropDown = 1,
    KvoPushButtonDropDownRight = 2,
    KvoPushButtonSplit = 3,
};

// Where the image stands relative to the caption.
enum KvoTextImageRelation
{
    KvoImageIndependent = 0,
    KvoImageAboveText = 1,
    KvoImageBelowText = 2,
    KvoImageBeforeText = 3,
    KvoImageAfterText = 4,
};

// The notification a drop-down sends its parent in WM_COMMAND's high word.
const UINT KVO_BN_DROPDOWN = 7;

// A button that paints every kind itself (push, push-like check and radio,
// check box, three-state box, radio button, group box), off-screen, with a
// hot look, an icon in five states, an arrow for drop-down styles, and an
// exchangeable theme for everything that changes between looks. The system's
// button procedure still does the clicking, checking and notifying.
class CKvoButton : public CButton
{
    DECLARE_DYNAMIC(CKvoButton)
public:
    CKvoButton();
    ~CKvoButton() override;

    virtual BOOL IsPushed() const;
    virtual BOOL IsHighlighted() const;
    virtual int GetChecked() const;
    virtual DWORD GetButtonStyle() const;
    virtual DWORD GetImageAlignment() const;
    virtual CSize GetImageSize() const;
    virtual void DrawImage(CDC* pDC, CRect rect);
    virtual BOOL SetIcon(int cx, int cy, const CKvoImageManagerIconHandle& normal,
                         const CKvoImageManagerIconHandle& hot, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(int cx, int cy, UINT nNormalId, UINT nHotId = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(int cx, int cy, WORD wNormalId, WORD wHotId = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(int cx, int cy, HICON hNormal, HICON hHot = NULL, BOOL bRedraw = TRUE);
    virtual BOOL SetBitmap(int cx, int cy, UINT nId, BOOL bRedraw = TRUE);
    virtual CString GetButtonText() const;
    virtual COLORREF GetTextColor() const;
    virtual COLORREF GetBackColor() const;
    virtual void OnDropDown();
    virtual void DrawItem(CDC* pDC);
    virtual void UpdateMarkupCaption();
    virtual void DrawButton(CDC* pDC);

    // Replaces the theme by the look of that id (KvoButtonThemeId; any other
    // value is the default theme drawn in the classic look).
    void SetTheme(int nThemeId);
    // Installs a theme made elsewhere (the button owns it from now on);
    // bVisualStyles: whether it may draw with the Windows visual styles.
    void SetTheme(CKvoButtonTheme* pTheme, BOOL bVisualStyles);
    CKvoButtonTheme* GetTheme() const
    {
        return m_pTheme;
    }
    // Shows the button dropped down while OnDropDown runs.
    void DropDown();

    // Push-like: a push button, a default push button, an owner-draw
    // button, or any kind with BS_PUSHLIKE.
    BOOL IsPushLike() const;
    // What the themes draw with: the window's style type.
    UINT GetButtonType() const;

    // Layout and look settings. The defaults suit dialog buttons; the
    // preview's command bar sets the flat style.
    void SetFlatStyle(BOOL bFlat);
    BOOL IsFlatStyle() const
    {
        return m_bFlatStyle;
    }
    void SetPushButtonStyle(int nStyle);
    int GetPushButtonStyle() const
    {
        return m_nPushButtonStyle;
    }
    void SetTextImageRelation(int nRelation);
    int GetTextImageRelation() const
    {
        return m_nTextImageRelation;
    }
    void SetImageAlignment(DWORD dwAlignment);
    void SetBorderGap(int nGap);
    int GetBorderGap() const
    {
        return m_nBorderGap;
    }
    void SetImageGap(int nGap);
    int GetImageGap() const
    {
        return m_nImageGap;
    }
    void SetGroupBoxMode(int nMode);
    int GetGroupBoxMode() const
    {
        return m_nGroupBoxMode;
    }
    void SetShowFocus(BOOL bShow);
    BOOL GetShowFocus() const
    {
        return m_bShowFocus;
    }
    // The check state a push button shows (push-like check boxes and radio
    // buttons keep theirs in the window).
    void SetChecked(int nChecked);
    // TRUE when the theme may use the Windows visual styles at all.
    BOOL IsVisualStylesAllowed() const
    {
        return m_bUseVisualStyles;
    }
    CKvoImageManagerIcon* GetIcon() const
    {
        return m_pIcon;
    }
    CKvoMarkupUIElement* GetMarkupElement() const
    {
        return m_pMarkupElement;
    }
    CKvoMarkupContext* GetMarkupContext() const
    {
        return m_pMarkupContext;
    }
    // Whether the window shows focus rectangles or accelerators now.
    BOOL IsFocusHidden() const;
    BOOL IsAcceleratorHidden() const;
    // The window has the focus and wants its focus rectangle drawn.
    BOOL ShouldDrawFocus() const;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnInvalidateAfterDefault(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnUpdateUIState(UINT nAction, UINT nUIElement);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SetHot(BOOL bHot);
    // The window procedure's default with WS_VISIBLE taken off, so the
    // system does not paint its own look over ours.
    LRESULT DefaultInvisible(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL IsDropDownKey(UINT nChar) const;
    void ReplaceIcon(CKvoImageManagerIcon* pIcon, BOOL bRedraw);

    int m_nPushed;
    BOOL m_bHot;
    CKvoButtonTheme* m_pTheme;
    int m_nPushChecked;
    BOOL m_bFlatStyle;
    BOOL m_bUseVisualStyles;
    DWORD m_dwImageAlignment;
    int m_nBorderGap;
    int m_nPushButtonStyle;
    int m_nImageGap;
    int m_nTextImageRelation;
    CKvoImageManagerIcon* m_pIcon;
    int m_nGroupBoxMode;
    BOOL m_bShowFocus;
    CKvoMarkupContext* m_pMarkupContext;
    CKvoMarkupUIElement* m_pMarkupElement;
};
