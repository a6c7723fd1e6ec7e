#include "foundation/controls/KvoButtonUltraFlatTheme.h"

#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvoButton.h"
#include "foundation/images/KvoOffice2007Image.h"
#include "foundation/images/KvoOffice2007Images.h"

namespace
{
// Toolkit palette indices the office looks draw with.
const int kvoPaletteMenuBar = 30;
const int kvoPaletteHotFace = 31;
const int kvoPaletteHotFrame = 32;
const int kvoPalettePressedFace = 33;
const int kvoPaletteDisabledMark = 35;
const int kvoPaletteCheckedFace = 36;
const int kvoPaletteDisabledRadio = 51;

// The colour manager's fixed gradients, in member order.
const int kvoGradientChecked = 7;
const int kvoGradientPressed = 8;
const int kvoGradientHot = 9;

// Fills and frames of the Luna colour schemes in the Office 2003 look.
struct KvoLunaButtonColors
{
    int nTheme;
    COLORREF clrFace;
    COLORREF clrShadow;
    COLORREF clrFrame;
};
const KvoLunaButtonColors kvoLunaButtonColors[] = {
    {1, 0xF0C7A9, 0xB99D7F, 0x800000},
    {2, 0x9FD4C5, 0x7FB9A4, 0x385D3F},
    {3, 0xD3C0C0, 0xB2ACA5, 0x0B4B4B},
    {7, 0x2C2C2C, 0xB2ACA5, 0x0B4B4B},
};

// Per channel a × 10 % + b × 50 % + c × 40 %, each term truncated.
COLORREF KvoMixCheckedFill(COLORREF a, COLORREF b, COLORREF c)
{
    int channels[3];
    for (int i = 0; i < 3; i++)
    {
        int shift = 8 * i;
        channels[i] = ((a >> shift) & 0xFF) * 10 / 100 + ((b >> shift) & 0xFF) * 50 / 100 +
                      ((c >> shift) & 0xFF) * 40 / 100;
    }
    return RGB(channels[0], channels[1], channels[2]);
}
} // namespace

IMPLEMENT_DYNAMIC(CKvoButtonUltraFlatTheme, CKvoButtonTheme)
IMPLEMENT_DYNAMIC(CKvoButtonOffice2000Theme, CKvoButtonUltraFlatTheme)
IMPLEMENT_DYNAMIC(CKvoButtonOfficeXPTheme, CKvoButtonUltraFlatTheme)
IMPLEMENT_DYNAMIC(CKvoButtonOffice2003Theme, CKvoButtonOfficeXPTheme)
IMPLEMENT_DYNAMIC(CKvoButtonOffice2007Theme, CKvoButtonUltraFlatTheme)

// ---------------------------------------------------------------------------
// UltraFlat

CKvoButtonUltraFlatTheme::CKvoButtonUltraFlatTheme() : m_bOfficeMarks(TRUE)
{
    m_nFocusInset = 3;
    m_bFlatLook = TRUE;
}

CKvoButtonUltraFlatTheme::~CKvoButtonUltraFlatTheme()
{
    m_themeButton.CloseThemeData();
}

void CKvoButtonUltraFlatTheme::RefreshMetrics(CKvoButton* pButton)
{
    RefreshUltraFlatMetrics(pButton);
}

void CKvoButtonUltraFlatTheme::RefreshUltraFlatMetrics(CKvoButton* pButton)
{
    CKvoButtonTheme::RefreshMetrics(pButton);
    COLORREF clrFace = pButton->GetBackColor();
    m_clrFace.SetStandardValue(clrFace);
    m_clrPressedFill.SetStandardValue(CKvoColorManager::MixColors(Palette(COLOR_BTNSHADOW), clrFace, 50));
    COLORREF clrHot = CKvoColorManager::MixColors(clrFace, Palette(COLOR_WINDOW), 30);
    m_clrHotFill.SetStandardValue(clrHot);
    m_clrCheckedFill.SetStandardValue(KvoMixCheckedFill(clrHot, Palette(kvoPaletteMenuBar), Palette(COLOR_WINDOW)));
    m_clrShadow.SetStandardValue(Palette(COLOR_BTNSHADOW));
    m_clrFrame.SetStandardValue(Palette(COLOR_BTNSHADOW));
}

void CKvoButtonUltraFlatTheme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    DrawUltraFlatBackground(pDC, pButton);
}

void CKvoButtonUltraFlatTheme::DrawUltraFlatBackground(CDC* pDC, CKvoButton* pButton)
{
    CRect rc = ClientRect(pButton);
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
    {
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrShadow);
        rc.DeflateRect(1, 1);
    }
    BOOL bPushed = pButton->IsPushed();
    BOOL bChecked = pButton->GetChecked() != 0;
    if (pButton->IsHighlighted())
    {
        pDC->FillSolidRect(&rc, (bPushed || bChecked) ? m_clrPressedFill : m_clrHotFill);
    }
    else if (!bPushed && !bChecked)
    {
        pDC->FillSolidRect(&rc, pButton->GetBackColor());
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrShadow);
        return;
    }
    else
    {
        pDC->FillSolidRect(&rc, bPushed ? m_clrPressedFill : m_clrCheckedFill);
    }
    pDC->Draw3dRect(&rc, m_clrFrame, m_clrFrame);
}

void CKvoButtonUltraFlatTheme::DrawCheckMark(CDC* pDC, CKvoButton* pButton)
{
    DrawUltraFlatCheckMark(pDC, pButton);
}

void CKvoButtonUltraFlatTheme::DrawUltraFlatCheckMark(CDC* pDC, CKvoButton* pButton)
{
    if (UsesVisualStyles(pButton))
    {
        DrawDefaultCheckMark(pDC, pButton);
        return;
    }
    CRect rc = CalcRect(pDC, pButton, KvoButtonPartCheckMark);
    BOOL bHot = pButton->IsHighlighted();
    BOOL bPushed = pButton->IsPushed();
    BOOL bDisabled = IsDisabled(pButton);
    COLORREF clrFill, clrFrame;
    if (bDisabled)
    {
        clrFill = Palette(COLOR_BTNFACE);
        clrFrame = Palette(kvoPaletteDisabledMark);
    }
    else
    {
        if (m_bOfficeMarks)
            clrFill = bHot ? (bPushed ? m_clrPressedFill : m_clrHotFill) : (bPushed ? m_clrHotFill : Palette(COLOR_WINDOW));
        else
            clrFill = (bHot && bPushed) ? Palette(COLOR_BTNFACE) : Palette(COLOR_WINDOW);
        clrFrame = (bHot || bPushed) ? static_cast<COLORREF>(m_clrFrame) : static_cast<COLORREF>(m_clrShadow);
    }
    pDC->FillSolidRect(&rc, clrFill);
    pDC->Draw3dRect(&rc, clrFrame, clrFrame);

    int nCheck = pButton->GetChecked();
    if (!nCheck)
        return;
    COLORREF clrTick = (bDisabled || nCheck == 2) ? Palette(kvoPaletteDisabledMark) : Palette(COLOR_BTNTEXT);
    CKvoPenDC pen(pDC->m_hDC, clrTick);
    // A mirrored DC flips the tick with its own layout; mirror the offsets
    // so that it still reads left to right.
    int nDir = CKvoDrawHelpers::IsContextRTL(pDC) ? -1 : 1;
    int cx = (rc.left + rc.right) / 2;
    int cy = (rc.top + rc.bottom) / 2;
    for (int i = 0; i < 3; i++)
    {
        pDC->MoveTo(cx - 3 * nDir, cy - 1 + i);
        pDC->LineTo(cx - 1 * nDir, cy + 1 + i);
        pDC->LineTo(cx + 4 * nDir, cy - 4 + i);
    }
}

void CKvoButtonUltraFlatTheme::DrawRadioMark(CDC* pDC, CKvoButton* pButton)
{
    DrawUltraFlatRadioMark(pDC, pButton);
}

void CKvoButtonUltraFlatTheme::DrawUltraFlatRadioMark(CDC* pDC, CKvoButton* pButton)
{
    if (UsesVisualStyles(pButton))
    {
        DrawDefaultRadioMark(pDC, pButton);
        return;
    }
    CRect rc = CalcRect(pDC, pButton, KvoButtonPartRadioMark);
    BOOL bHot = pButton->IsHighlighted();
    BOOL bPushed = pButton->IsPushed();
    BOOL bDisabled = IsDisabled(pButton);
    COLORREF clrFill, clrBorder;
    if (bDisabled)
    {
        clrFill = Palette(kvoPaletteDisabledRadio);
        clrBorder = Palette(kvoPaletteDisabledMark);
    }
    else if (m_bOfficeMarks)
    {
        clrFill = (bHot && bPushed) ? m_clrPressedFill : (bHot || bPushed) ? m_clrHotFill : Palette(COLOR_WINDOW);
        clrBorder = (bHot || bPushed) ? static_cast<COLORREF>(m_clrFrame) : static_cast<COLORREF>(m_clrShadow);
    }
    else
    {
        clrFill = (bHot && bPushed) ? Palette(COLOR_BTNFACE) : Palette(COLOR_WINDOW);
        clrBorder = m_clrShadow;
    }
    DrawAntialiasedCircle(pDC, rc, clrBorder, clrFill);

    int nCheck = pButton->GetChecked();
    if (!nCheck)
        return;
    COLORREF clrDot = (bDisabled || nCheck == 2) ? Palette(kvoPaletteDisabledMark) : Palette(COLOR_BTNTEXT);
    DrawAntialiasedCircle(pDC, rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9, clrDot, clrDot);
}

void CKvoButtonUltraFlatTheme::DrawGroupBox(CDC* pDC, CKvoButton* pButton)
{
    DrawFlatGroupBox(pDC, pButton, m_clrShadow);
}

// ---------------------------------------------------------------------------
// Office 2000

CKvoButtonOffice2000Theme::CKvoButtonOffice2000Theme()
{
    m_nFocusInset = 2;
    m_bOfficeMarks = FALSE;
}

CKvoButtonOffice2000Theme::~CKvoButtonOffice2000Theme()
{
    m_themeButton.CloseThemeData();
}

void CKvoButtonOffice2000Theme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    CRect rc = ClientRect(pButton);
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    if (IsPressed(pButton))
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrHighlight);
    else
        pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
}

// ---------------------------------------------------------------------------
// Office XP

CKvoButtonOfficeXPTheme::CKvoButtonOfficeXPTheme()
{
    m_nFocusInset = 2;
    m_bOffsetHiliteText = FALSE;
}

CKvoButtonOfficeXPTheme::~CKvoButtonOfficeXPTheme()
{
    m_themeButton.CloseThemeData();
}

void CKvoButtonOfficeXPTheme::RefreshMetrics(CKvoButton* pButton)
{
    RefreshOfficeXPMetrics(pButton);
}

void CKvoButtonOfficeXPTheme::RefreshOfficeXPMetrics(CKvoButton* pButton)
{
    RefreshUltraFlatMetrics(pButton);
    m_clrFace.SetStandardValue(Palette(kvoPaletteMenuBar));
    m_clrPressedFill.SetStandardValue(Palette(kvoPalettePressedFace));
    m_clrHotFill.SetStandardValue(Palette(kvoPaletteHotFace));
    m_clrShadow.SetStandardValue(Palette(COLOR_BTNSHADOW));
    m_clrFrame.SetStandardValue(Palette(kvoPaletteHotFrame));
    m_clrCheckedFill.SetStandardValue(Palette(kvoPaletteCheckedFace));
}

void CKvoButtonOfficeXPTheme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    DrawOfficeXPBackground(pDC, pButton);
}

void CKvoButtonOfficeXPTheme::DrawOfficeXPBackground(CDC* pDC, CKvoButton* pButton)
{
    BOOL bHot = pButton->IsHighlighted();
    BOOL bPushed = pButton->IsPushed();
    BOOL bChecked = pButton->GetChecked() != 0;
    COLORREF clrFill = m_clrFace;
    COLORREF clrPen = m_clrShadow;
    if (bHot || bPushed || bChecked)
    {
        clrPen = m_clrFrame;
        if (bPushed)
            clrFill = m_clrPressedFill;
        else if (bHot)
            clrFill = bChecked ? m_clrPressedFill : m_clrHotFill;
        else
            clrFill = m_clrCheckedFill;
    }
    CRect rc = ClientRect(pButton);
    CPen pen(PS_INSIDEFRAME, 1, clrPen);
    CKvoPenDC penDC(pDC, &pen);
    CKvoBrushDC brushDC(pDC->m_hDC, clrFill);
    pDC->RoundRect(rc.left, rc.top, rc.right, rc.bottom, 8, 8);
}

// ---------------------------------------------------------------------------
// Office 2003

CKvoButtonOffice2003Theme::CKvoButtonOffice2003Theme() : m_bLunaTheme(FALSE)
{
}

CKvoButtonOffice2003Theme::~CKvoButtonOffice2003Theme()
{
    m_themeButton.CloseThemeData();
}

void CKvoButtonOffice2003Theme::RefreshMetrics(CKvoButton* pButton)
{
    RefreshOfficeXPMetrics(pButton);
    int nTheme = CKvoColorManager::Instance()->GetCurrentSystemTheme();
    m_bLunaTheme = (nTheme != 0);
    if (!m_bLunaTheme)
        return;
    m_clrHotFill.SetStandardValue(0xC2EEFF);
    m_clrPressedFill.SetStandardValue(0x3E80FE);
    m_clrCheckedFill.SetStandardValue(0x6FC0FF);
    for (const KvoLunaButtonColors& colors : kvoLunaButtonColors)
    {
        if (colors.nTheme != nTheme)
            continue;
        m_clrFace.SetStandardValue(colors.clrFace);
        m_clrShadow.SetStandardValue(colors.clrShadow);
        m_clrFrame.SetStandardValue(colors.clrFrame);
    }
}

void CKvoButtonOffice2003Theme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    if (!m_bLunaTheme)
    {
        DrawOfficeXPBackground(pDC, pButton);
        return;
    }
    CRect rc = ClientRect(pButton);
    int nGradient = -1;
    if (pButton->IsPushed())
        nGradient = kvoGradientPressed;
    else if (pButton->IsHighlighted())
        nGradient = kvoGradientHot;
    else if (pButton->GetChecked())
        nGradient = kvoGradientChecked;
    if (nGradient < 0)
    {
        pDC->FillSolidRect(&rc, m_clrFace);
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrShadow);
        return;
    }
    CKvoDrawHelpers::GradientFill(pDC, &rc, CKvoColorManager::Instance()->GetGradient(nGradient), FALSE, NULL);
    pDC->Draw3dRect(&rc, m_clrFrame, m_clrFrame);
}

// ---------------------------------------------------------------------------
// Office 2007

namespace
{
// Sizing margins of the push-button picture, and its see-through colour.
const CRect kvoPushButtonImageMargins(3, 3, 3, 3);
const COLORREF kvoPushButtonImageTransparent = RGB(255, 0, 255);
} // namespace

CKvoButtonOffice2007Theme::CKvoButtonOffice2007Theme()
{
    m_nFocusInset = 2;
}

CKvoButtonOffice2007Theme::~CKvoButtonOffice2007Theme()
{
    m_themeButton.CloseThemeData();
}

void CKvoButtonOffice2007Theme::RefreshMetrics(CKvoButton* pButton)
{
    RefreshUltraFlatMetrics(pButton);
    if (g_darkModeActive)
    {
        m_clrShadow.SetStandardValue(RGB(0x80, 0x80, 0x80));
        return;
    }
    // Without the theme text the ultra-flat shadow stays.
    COLORREF clrGroupFrame = GetThemeImageColor(L"Controls", L"GroupBoxFrame");
    if (clrGroupFrame != CLR_NONE)
        m_clrShadow.SetStandardValue(clrGroupFrame);
}

BOOL CKvoButtonOffice2007Theme::DrawThemeImage(CDC* pDC, LPCTSTR lpszImage, int nState, int nStates,
                                               const CRect& rcDest, const CRect& rcMargins, COLORREF clrTransparent)
{
    CKvoOffice2007Image* pImage = CKvoOffice2007Images::Instance()->LoadFile(lpszImage);
    if (!pImage)
        return FALSE;
    CRect rcSource = pImage->GetSource(nState, nStates);
    if (clrTransparent == CLR_NONE)
        pImage->DrawImagePart(pDC, rcDest, rcSource, rcMargins);
    else
        pImage->DrawImage(pDC, rcDest, rcSource, rcMargins, clrTransparent);
    return TRUE;
}

COLORREF CKvoButtonOffice2007Theme::GetThemeImageColor(LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    return CKvoOffice2007Images::Instance()->GetImageColor(lpszSection, lpszKey);
}

void CKvoButtonOffice2007Theme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    int nState = 0;
    if (IsDisabled(pButton))
        nState = 3;
    else if (pButton->IsPushed())
        nState = 2;
    else if (pButton->IsHighlighted())
        nState = 1;
    else if (pButton->GetChecked())
        nState = 2;
    else if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
        nState = 4;
    if (!DrawThemeImage(pDC, L"PUSHBUTTON", nState, 5, ClientRect(pButton), kvoPushButtonImageMargins,
                        kvoPushButtonImageTransparent))
        DrawDefaultBackground(pDC, pButton);
}

int CKvoButtonOffice2007Theme::GetMarkImageState(CKvoButton* pButton) const
{
    if (IsDisabled(pButton))
        return 3;
    if (pButton->IsHighlighted() && pButton->IsPushed())
        return 2;
    if (pButton->IsHighlighted())
        return 1;
    return 0;
}

void CKvoButtonOffice2007Theme::DrawCheckMark(CDC* pDC, CKvoButton* pButton)
{
    if (!UsesVisualStyles(pButton))
    {
        int nCheck = pButton->GetChecked();
        int nState = GetMarkImageState(pButton) + (nCheck == 1 ? 4 : 0) + (nCheck == 2 ? 8 : 0);
        CRect rc = CalcRect(pDC, pButton, KvoButtonPartCheckMark);
        if (DrawThemeImage(pDC, L"TOOLBARBUTTONCHECKBOX", nState, 12, rc, CRect(0, 0, 0, 0), CLR_NONE))
            return;
    }
    DrawDefaultCheckMark(pDC, pButton);
}

void CKvoButtonOffice2007Theme::DrawRadioMark(CDC* pDC, CKvoButton* pButton)
{
    if (!UsesVisualStyles(pButton))
    {
        int nState = GetMarkImageState(pButton) + (pButton->GetChecked() ? 4 : 0);
        CRect rc = CalcRect(pDC, pButton, KvoButtonPartRadioMark);
        if (DrawThemeImage(pDC, L"TOOLBARBUTTONRADIOBUTTON", nState, 8, rc, CRect(0, 0, 0, 0), CLR_NONE))
            return;
    }
    DrawDefaultRadioMark(pDC, pButton);
}
