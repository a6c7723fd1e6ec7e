#pragma once
#include <afxwin.h>

#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoWinThemeWrapper.h"

class CKvButton;
class CKvoImageManagerIcon;

// Identifiers under which CKvButtonThemeFactory makes the themes.
enum KvButtonThemeId
{
    KvButtonThemeDefault = 0,
    KvButtonThemeOfficeXP = 1,
    KvButtonThemeOffice2003 = 2,
};

// The classic three-dimensional look of CKvButton: face, frames, caption,
// icon and focus, with the Windows visual style when the button asks for it.
class CKvButtonTheme : public CKvThemeManagerStyle
{
public:
    CKvButtonTheme();
    ~CKvButtonTheme() override;

    void RefreshMetrics() override;

    virtual bool IsHotTracking(CKvButton* pButton);
    virtual bool UsesVisualStyle(CKvButton* pButton);
    virtual bool GetShowIcon() const;
    virtual void SetShowIcon(bool bShow);
    virtual CFont* GetFont(CKvButton* pButton);
    virtual void SetFont(CFont* pFont);
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clrFace);
    virtual COLORREF GetFaceColor() const;
    virtual void SetLightColor(COLORREF clrLight);
    virtual void SetShadowColor(COLORREF clrShadow);
    virtual void SetTextColor(COLORREF clrText);
    virtual POINT CalcContentOrigin(SIZE sizeContent, CKvButton* pButton);
    virtual POINT CalcTextPosition(UINT nItemState, RECT rect, SIZE sizeText, CKvButton* pButton);
    virtual COLORREF GetTextColor(UINT nItemState, CKvButton* pButton);
    virtual void DrawButtonText(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton);
    virtual POINT CalcImagePosition(CDC* pDC, UINT nItemState, RECT rect, bool bHasImage, CKvButton* pButton);
    virtual void DrawButtonIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton);
    virtual void DrawButton(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton);
    virtual bool DrawVisualStyleBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton);
    virtual bool DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton);

    // The id the factory made this theme under.
    int GetThemeID() const
    {
        return m_nThemeId;
    }
    void SetThemeID(int nId)
    {
        m_nThemeId = nId;
    }
    COLORREF GetTextColorValue() const
    {
        return m_clrText;
    }
    COLORREF GetLightColor() const
    {
        return m_clrLight;
    }
    COLORREF GetShadowColor() const
    {
        return m_clrShadow;
    }

protected:
    // States the themes draw by.
    static bool IsPressed(UINT nItemState, CKvButton* pButton);
    static bool IsHot(CKvButton* pButton);
    static bool IsDisabled(UINT nItemState);
    // The "BUTTON" push-button state of the visual style.
    int GetVisualStyleState(UINT nItemState, CKvButton* pButton) const;
    static COLORREF Palette(int nIndex);
    // The width the icon takes beside the caption; 0 when hidden or none.
    int GetShownImageWidth(CKvButton* pButton) const;
    // The icon to draw and where, or null when the theme hides icons or the
    // button has none.
    CKvoImageManagerIcon* GetShownIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton, CPoint* pPoint);
    // A default button's two highlight frames inside the face.
    static void DrawDefaultButtonFrames(CDC* pDC, CRect rect, CKvButton* pButton);

    BOOL m_bShowIcon;
    BOOL m_bOffsetHiliteText;
    CFont* m_pFont;
    CKvoPaintManagerColor m_clrFace;
    CKvoPaintManagerColor m_clrText;
    CKvoPaintManagerColor m_clrDisabledText;
    CKvoPaintManagerColor m_clrLight;
    CKvoPaintManagerColor m_clrShadow;
    CKvoPaintManagerColor m_clrHighlight;
    CKvoPaintManagerColor m_clrDarkShadow;
    CKvoWinThemeWrapper m_themeButton;

private:
    void DrawFrame(CDC* pDC, CRect rect, bool bPressed, COLORREF clrTopLeft, COLORREF clrBottomRight);
    int m_nThemeId;
};

// Flat faces that light up in the toolkit's highlight colours under the
// mouse, with faded, shadowed icons.
class CKvButtonThemeOfficeXP : public CKvButtonTheme
{
public:
    explicit CKvButtonThemeOfficeXP(bool bAlwaysFramed);
    ~CKvButtonThemeOfficeXP() override;

    void RefreshMetrics() override;
    COLORREF GetTextColor(UINT nItemState, CKvButton* pButton) override;
    void DrawButtonIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton) override;
    bool DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton) override;

    virtual void SetAlwaysFramed(bool bAlwaysFramed);
    virtual void SetPressedFaceColor(COLORREF clr);
    virtual void SetHotFaceColor(COLORREF clr);
    virtual void SetPressedTextColor(COLORREF clr);
    virtual void SetHotTextColor(COLORREF clr);

    COLORREF GetHotFaceColor() const
    {
        return m_clrHotFace;
    }
    COLORREF GetPressedFaceColor() const
    {
        return m_clrPressedFace;
    }
    COLORREF GetCheckedFaceColor() const
    {
        return m_clrCheckedFace;
    }

protected:
    // Face and frame while not hot, pressed or checked.
    void DrawIdleFace(CDC* pDC, const CRect& rect);
    void RefreshOfficeXPMetrics();

    BOOL m_bAlwaysFramed;
    BOOL m_bFadedIcon;
    BOOL m_bShadowIcon;
    CKvoPaintManagerColor m_clrPressedFace;
    CKvoPaintManagerColor m_clrHotFace;
    CKvoPaintManagerColor m_clrPressedText;
    CKvoPaintManagerColor m_clrHotText;
    CKvoPaintManagerColor m_clrCheckedFace;
};

// Gradient faces in the Windows colour scheme while hot or pressed.
class CKvButtonThemeOffice2003 : public CKvButtonThemeOfficeXP
{
public:
    explicit CKvButtonThemeOffice2003(bool bAlwaysFramed);
    ~CKvButtonThemeOffice2003() override;

    void RefreshMetrics() override;
    void DrawButtonIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton) override;
    bool DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton) override;
};

// Makes the icon button's themes by id for the theme manager.
class CKvButtonThemeFactory : public CKvThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CKvButtonThemeFactory)
public:
    CKvThemeManagerStyle* CreateTheme(int nThemeId) override;
};
