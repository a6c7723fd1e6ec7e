#pragma once
#include "foundation/controls/KvoButtonTheme.h"

// Flat faces filled in mixed colours while hot, pressed or checked, with
// its own drawn check and radio marks. Base of the office looks.
class CKvoButtonUltraFlatTheme : public CKvoButtonTheme
{
    DECLARE_DYNAMIC(CKvoButtonUltraFlatTheme)
public:
    CKvoButtonUltraFlatTheme();
    ~CKvoButtonUltraFlatTheme() override;

    void DrawButtonBackground(CDC* pDC, CKvoButton* pButton) override;
    void RefreshMetrics(CKvoButton* pButton) override;
    void DrawCheckMark(CDC* pDC, CKvoButton* pButton) override;
    void DrawRadioMark(CDC* pDC, CKvoButton* pButton) override;
    void DrawGroupBox(CDC* pDC, CKvoButton* pButton) override;

    COLORREF GetPressedFillColor() const
    {
        return m_clrPressedFill;
    }
    COLORREF GetHotFillColor() const
    {
        return m_clrHotFill;
    }
    COLORREF GetCheckedFillColor() const
    {
        return m_clrCheckedFill;
    }

protected:
    // The ultra-flat refresh alone, for looks that build on it.
    void RefreshUltraFlatMetrics(CKvoButton* pButton);
    void DrawUltraFlatBackground(CDC* pDC, CKvoButton* pButton);
    void DrawUltraFlatCheckMark(CDC* pDC, CKvoButton* pButton);
    void DrawUltraFlatRadioMark(CDC* pDC, CKvoButton* pButton);

    CKvoPaintManagerColor m_clrPressedFill;
    CKvoPaintManagerColor m_clrHotFill;
    CKvoPaintManagerColor m_clrCheckedFill;
    BOOL m_bOfficeMarks;
};

// Office 2000: a one-pixel raised or sunken frame on a plain face.
class CKvoButtonOffice2000Theme : public CKvoButtonUltraFlatTheme
{
    DECLARE_DYNAMIC(CKvoButtonOffice2000Theme)
public:
    CKvoButtonOffice2000Theme();
    ~CKvoButtonOffice2000Theme() override;
    void DrawButtonBackground(CDC* pDC, CKvoButton* pButton) override;
};

// Office XP: rounded faces in the toolkit's highlight colours.
class CKvoButtonOfficeXPTheme : public CKvoButtonUltraFlatTheme
{
    DECLARE_DYNAMIC(CKvoButtonOfficeXPTheme)
public:
    CKvoButtonOfficeXPTheme();
    ~CKvoButtonOfficeXPTheme() override;
    void DrawButtonBackground(CDC* pDC, CKvoButton* pButton) override;
    void RefreshMetrics(CKvoButton* pButton) override;

protected:
    void RefreshOfficeXPMetrics(CKvoButton* pButton);
    void DrawOfficeXPBackground(CDC* pDC, CKvoButton* pButton);
};

// Office 2003: gradient faces under the Luna colour schemes, Office XP
// otherwise.
class CKvoButtonOffice2003Theme : public CKvoButtonOfficeXPTheme
{
    DECLARE_DYNAMIC(CKvoButtonOffice2003Theme)
public:
    CKvoButtonOffice2003Theme();
    ~CKvoButtonOffice2003Theme() override;
    void DrawButtonBackground(CDC* pDC, CKvoButton* pButton) override;
    void RefreshMetrics(CKvoButton* pButton) override;
    BOOL IsLunaTheme() const
    {
        return m_bLunaTheme;
    }

private:
    BOOL m_bLunaTheme;
};

// Office 2007: faces and marks from the Office 2007 theme pictures. When a
// picture is missing it draws the default look's faces and marks with the
// ultra-flat colours.
class CKvoButtonOffice2007Theme : public CKvoButtonUltraFlatTheme
{
    DECLARE_DYNAMIC(CKvoButtonOffice2007Theme)
public:
    CKvoButtonOffice2007Theme();
    ~CKvoButtonOffice2007Theme() override;
    void DrawButtonBackground(CDC* pDC, CKvoButton* pButton) override;
    void RefreshMetrics(CKvoButton* pButton) override;
    void DrawCheckMark(CDC* pDC, CKvoButton* pButton) override;
    void DrawRadioMark(CDC* pDC, CKvoButton* pButton) override;

protected:
    // Draws state nState of the nStates states stacked in the theme picture
    // into rcDest (nine parts by the margins; clrTransparent CLR_NONE for
    // none); FALSE when there is no such picture.
    virtual BOOL DrawThemeImage(CDC* pDC, LPCTSTR lpszImage, int nState, int nStates, const CRect& rcDest,
                                const CRect& rcMargins, COLORREF clrTransparent);
    // A colour of the theme text; 0xFFFFFFFF when there is none.
    virtual COLORREF GetThemeImageColor(LPCTSTR lpszSection, LPCTSTR lpszKey);

private:
    // The first of a mark picture's states: normal, hot, hot and held, disabled.
    int GetMarkImageState(CKvoButton* pButton) const;
};
