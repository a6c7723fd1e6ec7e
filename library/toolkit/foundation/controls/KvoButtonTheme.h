#pragma once
#include <afxwin.h>

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoWinThemeWrapper.h"

class CKvoButton;

// Rectangles of a button's parts (CKvoButtonTheme::CalcRect).
enum KvoButtonPart
{
    KvoButtonPartCheckMark = 1,
    KvoButtonPartRadioMark = 2,
    KvoButtonPartCheckText = 3,
    KvoButtonPartRadioText = 4,
    KvoButtonPartGroupText = 5,
    KvoButtonPartGroupFrame = 6,
    KvoButtonPartPushContent = 7,
};

// Draws what changes from one look of CKvoButton to the next: push-button
// faces and frames, check and radio marks and group-box frames, in colours
// refreshed for the button. Layout of captions, icons, arrows and focus is
// shared by every look and lives here too, so that the looks can use it.
// The default look uses the Windows visual styles when the button allows
// them and the system has them, else the classic 3-D look.
class CKvoButtonTheme : public CCmdTarget
{
    DECLARE_DYNAMIC(CKvoButtonTheme)
public:
    CKvoButtonTheme();
    // A theme whose visual styles come from the given entry points (the
    // table outlives the theme): how tests stand in for a themed system.
    explicit CKvoButtonTheme(KvoUxThemeFunctions* pFunctions);
    ~CKvoButtonTheme() override;

    virtual void DrawButtonBackground(CDC* pDC, CKvoButton* pButton);
    virtual void RefreshMetrics(CKvoButton* pButton);
    virtual void DrawCheckMark(CDC* pDC, CKvoButton* pButton);
    virtual void DrawRadioMark(CDC* pDC, CKvoButton* pButton);
    virtual void DrawGroupBox(CDC* pDC, CKvoButton* pButton);

    // Shared layout and drawing of every look.
    CRect CalcRect(CDC* pDC, CKvoButton* pButton, int nPart) const;
    void CalcPushButtonLayout(CDC* pDC, CKvoButton* pButton, CRect* pTextRect, UINT* pTextFlags,
                              CRect* pImageRect) const;
    void DrawPushButtonText(CDC* pDC, CKvoButton* pButton);
    void DrawPushButtonIcon(CDC* pDC, CKvoButton* pButton);
    void DrawPushButtonDropDown(CDC* pDC, CKvoButton* pButton);
    // The label of a check box, radio button or group box, with its focus.
    void DrawButtonText(CDC* pDC, CKvoButton* pButton);

    // A disc in the rectangle, its edge blended into what is under it.
    static void DrawAntialiasedCircle(CDC* pDC, int left, int top, int right, int bottom, COLORREF clrBorder,
                                      COLORREF clrFill);
    static void DrawAntialiasedCircle(CDC* pDC, const CRect& rect, COLORREF clrBorder, COLORREF clrFill);

    // The visual style is drawn now: the button allows it, the "BUTTON"
    // theme data is open and the application is themed.
    BOOL UsesVisualStyles(const CKvoButton* pButton) const;
    // Pressed content moves by one pixel when the look asks or visual
    // styles draw it.
    BOOL ShiftsPressedContent(const CKvoButton* pButton) const;
    int GetFocusInset() const
    {
        return m_nFocusInset;
    }
    BOOL GetOffsetFlag() const
    {
        return m_bOffsetHiliteText;
    }
    COLORREF GetDisabledTextColor() const
    {
        return m_clrDisabledText;
    }
    COLORREF GetFrameColor() const
    {
        return m_clrFrame;
    }
    COLORREF GetShadowColor() const
    {
        return m_clrShadow;
    }
    COLORREF GetHighlightColor() const
    {
        return m_clrHighlight;
    }
    COLORREF GetDarkShadowColor() const
    {
        return m_clrDarkShadow;
    }
    COLORREF GetFaceColor() const
    {
        return m_clrFace;
    }
    CKvoWinThemeWrapper& GetThemeWrapper()
    {
        return m_themeButton;
    }

protected:
    // The default look's parts, which the other looks fall back on.
    void DrawVisualStylePushButton(CDC* pDC, CKvoButton* pButton);
    void DrawDefaultBackground(CDC* pDC, CKvoButton* pButton);
    void DrawDefaultCheckMark(CDC* pDC, CKvoButton* pButton);
    void DrawDefaultRadioMark(CDC* pDC, CKvoButton* pButton);
    void DrawDefaultGroupBox(CDC* pDC, CKvoButton* pButton);
    // The frame of a group box in one colour, clipped around its caption.
    void DrawFlatGroupBox(CDC* pDC, CKvoButton* pButton, COLORREF clrLine);
    // The opening every look shares: TRUE when it drew all there is.
    BOOL DrawBackgroundOpening(CDC* pDC, CKvoButton* pButton);
    // Clips the group-box caption out; the caller resets the clipping.
    void ExcludeGroupBoxCaption(CDC* pDC, CKvoButton* pButton);
    UINT GetFrameControlState(CKvoButton* pButton) const;
    int GetVisualStyleMarkState(CKvoButton* pButton) const;
    COLORREF GetCaptionColor(CKvoButton* pButton) const;

    // Palette colour nIndex of the colour manager.
    static COLORREF Palette(int nIndex);
    // Pressed: checked or held down.
    static BOOL IsPressed(const CKvoButton* pButton);
    static BOOL IsDisabled(const CKvoButton* pButton);
    static CRect ClientRect(const CKvoButton* pButton);

private:
    CSize GetMarkSize(CDC* pDC, CKvoButton* pButton, BOOL bCheck) const;
    CRect CalcMarkRect(CDC* pDC, CKvoButton* pButton, BOOL bCheck) const;
    CRect CalcGroupCaptionRect(CDC* pDC, CKvoButton* pButton) const;
    static UINT GetTextFlags(CKvoButton* pButton);
    CSize MeasureCaption(CDC* pDC, CKvoButton* pButton, UINT nFlags, int nMaxWidth, int nMaxHeight) const;
    void PlaceImageBesideText(CKvoButton* pButton, const CRect& rcArea, CSize sizeImage, CSize sizeText,
                              CPoint& ptImage, CPoint& ptText) const;
    void DrawLabelFocus(CDC* pDC, CKvoButton* pButton, const CRect& rcContent) const;
    static COLORREF BlendKvoCircleEdge(COLORREF clrBase, COLORREF clrOther, double dWeight);

protected:

    CKvoPaintManagerColor m_clrDisabledText;
    CKvoPaintManagerColor m_clrFrame;
    CKvoPaintManagerColor m_clrShadow;
    CKvoPaintManagerColor m_clrHighlight;
    CKvoPaintManagerColor m_clrDarkShadow;
    CKvoPaintManagerColor m_clrFace;
    // Asked for sizes and colours while drawing; its answers do not change the theme.
    mutable CKvoWinThemeWrapper m_themeButton;
    BOOL m_bOffsetHiliteText = TRUE;
    int m_nFocusInset = 4;
    BOOL m_bFlatLook = FALSE;
    int m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    int m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    int m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    int m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
};

// The classic look drawn flat: one-colour frames, flat marks.
class CKvoButtonFlatTheme : public CKvoButtonTheme
{
    DECLARE_DYNAMIC(CKvoButtonFlatTheme)
public:
    CKvoButtonFlatTheme();
    ~CKvoButtonFlatTheme() override;
    void DrawButtonBackground(CDC* pDC, CKvoButton* pButton) override;
};
