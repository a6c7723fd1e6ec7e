#pragma once
#include <afxwin.h>

#include "foundation/base/KvThemeManager.h"

class CKvButtonTheme;
class CKvoImageManagerIcon;
class CKvoImageManagerIconHandle;

// The toolkit's own style bits of CKvButton (SetXButtonStyle).
namespace KvButtonStyle
{
// Classic frame only while hot or pressed; installs the default theme.
const DWORD Flat = 0x0001;
// A one-pixel raised frame (sunken while pressed) always.
const DWORD ThinFrame = 0x0002;
// The image stands centred above the caption.
const DWORD ImageAboveText = 0x0004;
const DWORD FocusRect = 0x0010;
// A pressed or checked face is a dithered pattern.
const DWORD DitherPressed = 0x0020;
// Installs the Office XP theme.
const DWORD OfficeXP = 0x0040;
// The default theme draws face and caption colour with the visual style.
const DWORD VisualStyle = 0x1000;
} // namespace KvButtonStyle

// A push button with an optional icon and its caption, laid out by its
// alignment style and KvButtonStyle, whose face, frame and focus are drawn
// by the theme of its family (CKvButtonThemeFactory), shared through the
// theme manager, or by a private theme of its own.
class CKvButton : public CButton, public CKvThemeManagerStyleHost
{
    DECLARE_DYNAMIC(CKvButton)
public:
    // pFactory may be null: the family of CKvButtonThemeFactory.
    explicit CKvButton(CKvThemeManagerStyleFactory* pFactory = NULL);
    ~CKvButton() override;

    virtual BOOL SetIcon(SIZE size, const CKvoImageManagerIconHandle& normal, const CKvoImageManagerIconHandle& hot,
                         bool bRedraw = true);
    virtual BOOL SetIcon(SIZE size, LPCWSTR lpszNormal, LPCWSTR lpszHot = NULL, bool bRedraw = true);
    virtual BOOL SetIcon(SIZE size, UINT nNormalId, UINT nHotId = 0, bool bRedraw = true);
    virtual BOOL SetIcon(SIZE size, HICON hNormal, HICON hHot = NULL, bool bRedraw = true);
    virtual BOOL SetBitmap(SIZE size, UINT nBitmapId, bool bRedraw = true);
    virtual BOOL SetTextAndImagePos(POINT ptImage, POINT ptText, bool bRedraw = true);
    virtual DWORD SetXButtonStyle(DWORD dwStyle, bool bRedraw = true);
    virtual DWORD GetXButtonStyle() const;
    virtual bool HasTheme() const;
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clrFace);
    virtual COLORREF GetFaceColor() const;
    virtual void SetLightColor(COLORREF clrLight);
    virtual void SetShadowColor(COLORREF clrShadow);
    virtual void SetTextColor(COLORREF clrText);
    virtual void SetXPColors(COLORREF clrBorder, COLORREF clrHotFace, COLORREF clrPressedFace);
    virtual void ToggleShowIcon();
    virtual CFont* SetFont(CFont* pFont);
    virtual bool UpdateOwnerDraw();
    virtual void ResetIcon();
    virtual void GetButtonText(CStringW& strText, bool bStripMnemonics) const;
    virtual void DrawButton(CDC* pDC);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The theme the button draws with now (its own or its family's).
    CKvButtonTheme* GetButtonTheme() const;
    // Shows the button pushed in whatever its state.
    void SetChecked(BOOL bChecked);
    BOOL IsChecked() const
    {
        return m_bChecked;
    }
    // The mouse is over the button or the button holds the capture.
    BOOL IsHot() const;
    BOOL IsPushed() const
    {
        return m_bPushed;
    }
    CKvoImageManagerIcon* GetIcon() const
    {
        return m_pIcon;
    }
    CSize GetImageSize() const
    {
        return m_sizeImage;
    }
    int GetBorderGap() const
    {
        return m_nBorderGap;
    }
    int GetImageGap() const
    {
        return m_nImageGap;
    }
    BOOL HasUserPositions() const
    {
        return m_bUserPositions;
    }
    CPoint GetUserImagePos() const
    {
        return m_ptImage;
    }
    CPoint GetUserTextPos() const
    {
        return m_ptText;
    }

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    CKvThemeManagerStyleFactory* CreateFactory() override;
    void OnThemeChanged() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnInvalidateAfterDefault(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnUpdateUIState(UINT nAction, UINT nUIElement);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    void SetHot(BOOL bHot);
    void RefreshThemeMetrics();

    int m_nBorderGap;
    int m_nImageGap;
    bool m_bInitOnSubclass;
    BOOL m_bUserPositions;
    BOOL m_bChecked;
    DWORD m_dwXButtonStyle;
    CSize m_sizeImage;
    CPoint m_ptImage;
    CPoint m_ptText;
    CKvoImageManagerIcon* m_pIcon;
    BOOL m_bHot;
    BOOL m_bPushed;
    BOOL m_bOwnerDraw;
};

// Fills rect with a checkerboard of the button face and highlight colours,
// the look of a pressed-in toggle.
void KvFillDithered(CDC* pDC, const RECT& rect);
