#include "foundation/controls/KvButtonTheme.h"

#include <algorithm>

#include <uxtheme.h>
#include <vssym32.h>

#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvButton.h"
#include "foundation/images/KvoImageManagerIcon.h"

namespace
{
// Toolkit palette indices of the office faces and captions.
const int kvPaletteMenuBar = 30;
const int kvPaletteHotFace = 31;
const int kvPaletteHotFrame = 32;
const int kvPalettePressedFace = 33;
const int kvPaletteCheckedFace = 36;
const int kvPaletteHotText = 45;
const int kvPaletteText = 46;
const int kvPalettePressedText = 47;

// The colour manager's fixed gradients, in member order.
const int kvGradientChecked = 7;
const int kvGradientPressed = 8;
const int kvGradientHot = 9;

struct KvLunaButtonColors
{
    int nTheme;
    COLORREF clrFace;
    COLORREF clrShadow;
    COLORREF clrLight;
};
// Luna blue, Royale and Aero share the blue set.
const KvLunaButtonColors kvLunaButtonColors[] = {
    {1, 0xF0C7A9, 0xB99D7F, 0x800000}, {4, 0xF0C7A9, 0xB99D7F, 0x800000}, {5, 0xF0C7A9, 0xB99D7F, 0x800000},
    {2, 0x9FD4C5, 0x7FB9A4, 0x385D3F}, {3, 0xD3C0C0, 0xB2ACA5, 0x0B4B4B}, {7, 0x2C2C2C, 0xB2ACA5, 0x0B4B4B},
};

bool KvHasAlign(DWORD dwStyle, DWORD dwValue)
{
    return (dwStyle & BS_CENTER) == dwValue;
}

CSize KvMeasureCaption(CDC* pDC, CKvButton* pButton)
{
    CStringW strText;
    pButton->GetButtonText(strText, true);
    SIZE size = {0, 0};
    if (!strText.IsEmpty())
        ::GetTextExtentPoint32W(pDC->m_hDC, strText, strText.GetLength(), &size);
    return size;
}
} // namespace

IMPLEMENT_DYNCREATE(CKvButtonThemeFactory, CKvThemeManagerStyleFactory)

CKvButtonTheme::CKvButtonTheme()
    : m_bShowIcon(TRUE), m_bOffsetHiliteText(TRUE), m_pFont(NULL), m_themeButton(FALSE),
      m_nThemeId(KvButtonThemeDefault)
{
}

CKvButtonTheme::~CKvButtonTheme()
{
    m_themeButton.CloseThemeData();
}

COLORREF CKvButtonTheme::Palette(int nIndex)
{
    return CKvoColorManager::Instance()->GetColor(nIndex);
}

void CKvButtonTheme::RefreshMetrics()
{
    CKvoColorManager::RefreshColorsStatic();
    m_themeButton.OpenThemeData(NULL, L"BUTTON");
    m_clrFace.SetStandardValue(Palette(COLOR_BTNFACE));
    m_clrText.SetStandardValue(Palette(COLOR_BTNTEXT));
    m_clrDisabledText.SetStandardValue(Palette(COLOR_GRAYTEXT));
    m_clrLight.SetStandardValue(Palette(COLOR_BTNFACE));
    m_clrShadow.SetStandardValue(Palette(COLOR_BTNSHADOW));
    m_clrHighlight.SetStandardValue(Palette(COLOR_BTNHIGHLIGHT));
    m_clrDarkShadow.SetStandardValue(Palette(COLOR_3DDKSHADOW));
}

bool CKvButtonTheme::IsHotTracking(CKvButton* pButton)
{
    return UsesVisualStyle(pButton) ||
           (pButton->GetXButtonStyle() & (KvButtonStyle::Flat | KvButtonStyle::ThinFrame)) != 0;
}

bool CKvButtonTheme::UsesVisualStyle(CKvButton* pButton)
{
    if ((pButton->GetXButtonStyle() & KvButtonStyle::VisualStyle) == 0)
        return false;
    if (!m_themeButton.IsThemeOpen())
        m_themeButton.OpenThemeData(NULL, L"BUTTON");
    return m_themeButton.IsThemeOpen() && m_themeButton.IsAppThemed();
}

bool CKvButtonTheme::GetShowIcon() const
{
    return m_bShowIcon != FALSE;
}

void CKvButtonTheme::SetShowIcon(bool bShow)
{
    m_bShowIcon = bShow;
}

CFont* CKvButtonTheme::GetFont(CKvButton* pButton)
{
    if (m_pFont && m_pFont->GetSafeHandle())
        return m_pFont;
    return pButton->CButton::GetFont();
}

void CKvButtonTheme::SetFont(CFont* pFont)
{
    if (pFont && pFont->GetSafeHandle())
        m_pFont = pFont;
}

void CKvButtonTheme::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    SetFaceColor(clrFace);
    SetTextColor(clrText);
    SetLightColor(clrLight);
    SetShadowColor(clrShadow);
}

void CKvButtonTheme::SetFaceColor(COLORREF clrFace)
{
    m_clrFace.SetCustomValue(clrFace);
}

COLORREF CKvButtonTheme::GetFaceColor() const
{
    return m_clrFace;
}

void CKvButtonTheme::SetLightColor(COLORREF clrLight)
{
    m_clrLight.SetCustomValue(clrLight);
}

void CKvButtonTheme::SetShadowColor(COLORREF clrShadow)
{
    m_clrShadow.SetCustomValue(clrShadow);
}

void CKvButtonTheme::SetTextColor(COLORREF clrText)
{
    m_clrText.SetCustomValue(clrText);
}

bool CKvButtonTheme::IsPressed(UINT nItemState, CKvButton* pButton)
{
    return (nItemState & ODS_SELECTED) != 0 || pButton->IsChecked();
}

bool CKvButtonTheme::IsHot(CKvButton* pButton)
{
    return pButton->IsHot() != FALSE;
}

bool CKvButtonTheme::IsDisabled(UINT nItemState)
{
    return (nItemState & ODS_DISABLED) != 0;
}

int CKvButtonTheme::GetVisualStyleState(UINT nItemState, CKvButton* pButton) const
{
    if (IsDisabled(nItemState))
        return PBS_DISABLED;
    if (IsPressed(nItemState, pButton))
        return PBS_PRESSED;
    if (IsHot(pButton))
        return PBS_HOT;
    if ((pButton->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        return PBS_DEFAULTED;
    return PBS_NORMAL;
}

int CKvButtonTheme::GetShownImageWidth(CKvButton* pButton) const
{
    return (m_bShowIcon && pButton->GetIcon()) ? pButton->GetImageSize().cx : 0;
}

// ---------------------------------------------------------------------------
// Layout

POINT CKvButtonTheme::CalcContentOrigin(SIZE sizeContent, CKvButton* pButton)
{
    CRect rc;
    pButton->GetClientRect(&rc);
    CPoint pt;
    if (pButton->GetXButtonStyle() & KvButtonStyle::ImageAboveText)
        pt.x = std::max(static_cast<int>((rc.Width() - sizeContent.cx) / 2), 0);
    else
        pt.x = pButton->GetBorderGap();
    pt.y = std::max(static_cast<int>((rc.Height() - sizeContent.cy) / 2), 0);
    return pt;
}

POINT CKvButtonTheme::CalcImagePosition(CDC* pDC, UINT, RECT rect, bool, CKvButton* pButton)
{
    CSize sizeText = KvMeasureCaption(pDC, pButton);
    if (pButton->HasUserPositions())
        return m_bShowIcon ? pButton->GetUserImagePos() : CPoint(0, 0);

    CSize sizeImage = pButton->GetImageSize();
    CPoint pt = CalcContentOrigin(sizeImage, pButton);
    pt.x = pButton->GetBorderGap();
    DWORD dwStyle = pButton->GetStyle();
    int nWidth = rect.right - rect.left;
    int nHeight = rect.bottom - rect.top;
    if (pButton->GetXButtonStyle() & KvButtonStyle::ImageAboveText)
    {
        if (sizeText.cx > 0)
            pt.y -= sizeText.cy / 2 + pButton->GetImageGap() / 2;
        if (KvHasAlign(dwStyle, BS_RIGHT))
            pt.x = rect.right - pButton->GetBorderGap() - sizeImage.cx;
        else if (!KvHasAlign(dwStyle, BS_LEFT))
            pt.x = sizeImage.cx < nWidth ? rect.left + (nWidth - sizeImage.cx) / 2 : rect.left;
    }
    else if (sizeText.cx == 0)
    {
        if (KvHasAlign(dwStyle, BS_CENTER) && sizeImage.cx < nWidth)
            pt.x = (nWidth - sizeImage.cx) / 2;
        if ((dwStyle & BS_VCENTER) == BS_VCENTER && sizeImage.cy < nHeight)
            pt.y = (nHeight - sizeImage.cy) / 2;
    }
    return pt;
}

POINT CKvButtonTheme::CalcTextPosition(UINT, RECT rect, SIZE sizeText, CKvButton* pButton)
{
    CRect rc(rect);
    rc.DeflateRect(2, 0);
    if (pButton->HasUserPositions())
        return m_bShowIcon ? pButton->GetUserTextPos() : CPoint(0, 0);

    BOOL bAbove = (pButton->GetXButtonStyle() & KvButtonStyle::ImageAboveText) != 0;
    CPoint pt = CalcContentOrigin(sizeText, pButton);
    pt.x = pButton->GetBorderGap();
    if (bAbove)
        pt.y += pButton->GetImageGap() / 2 + pButton->GetImageSize().cy / 2;
    int nImageBeside = bAbove ? 0 : GetShownImageWidth(pButton);
    DWORD dwStyle = pButton->GetStyle();
    if (KvHasAlign(dwStyle, BS_LEFT))
    {
        if (nImageBeside)
            pt.x += nImageBeside + pButton->GetImageGap();
    }
    else if (KvHasAlign(dwStyle, BS_RIGHT))
    {
        pt.x = rc.right - sizeText.cx - pButton->GetBorderGap();
    }
    else
    {
        pt.x += nImageBeside;
        pt.x += (rc.right - sizeText.cx - pButton->GetBorderGap() - pt.x) / 2;
    }
    return pt;
}

// ---------------------------------------------------------------------------
// Caption, icon and focus

COLORREF CKvButtonTheme::GetTextColor(UINT nItemState, CKvButton* pButton)
{
    if (UsesVisualStyle(pButton))
    {
        COLORREF clr = 0;
        if (SUCCEEDED(m_themeButton.GetThemeColor(BP_PUSHBUTTON, GetVisualStyleState(nItemState, pButton),
                                                  TMT_TEXTCOLOR, &clr)))
            return clr;
        return m_clrText;
    }
    return IsDisabled(nItemState) ? m_clrDisabledText : m_clrText;
}

void CKvButtonTheme::DrawButtonText(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    CStringW strCaption;
    pButton->GetButtonText(strCaption, false);
    if (strCaption.IsEmpty())
        return;
    CFont* pFont = GetFont(pButton);
    HGDIOBJ hOldFont = (pFont && pFont->GetSafeHandle()) ? ::SelectObject(pDC->m_hDC, pFont->GetSafeHandle()) : NULL;
    CSize sizeText = KvMeasureCaption(pDC, pButton);
    CPoint pt = CalcTextPosition(nItemState, rect, sizeText, pButton);
    if (IsPressed(nItemState, pButton) && m_bOffsetHiliteText)
        pt.Offset(1, 1);
    pDC->SetTextColor(GetTextColor(nItemState, pButton));
    UINT nOldAlign = pDC->SetTextAlign(TA_LEFT | TA_TOP);
    if (nItemState & ODS_NOACCEL)
        pButton->GetButtonText(strCaption, true);
    ::DrawStateW(pDC->m_hDC, NULL, NULL, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strCaption)),
                 strCaption.GetLength(), pt.x, pt.y, sizeText.cx, sizeText.cy, DST_PREFIXTEXT);
    pDC->SetTextAlign(nOldAlign);
    if (hOldFont)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

CKvoImageManagerIcon* CKvButtonTheme::GetShownIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton,
                                                   CPoint* pPoint)
{
    CKvoImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowIcon || !pIcon)
        return NULL;
    *pPoint = CalcImagePosition(pDC, nItemState, rect, true, pButton);
    return pIcon;
}

void CKvButtonTheme::DrawButtonIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    CPoint pt;
    CKvoImageManagerIcon* pIcon = GetShownIcon(pDC, nItemState, rect, pButton, &pt);
    if (!pIcon)
        return;
    CSize size = pButton->GetImageSize();
    bool bPressed = IsPressed(nItemState, pButton);
    if (bPressed)
        pt.Offset(1, 1);
    if (IsDisabled(nItemState))
        pIcon->DrawHandle(pDC, pt, pIcon->GetDisabledIcon(TRUE), size.cx, size.cy);
    else if (IsHot(pButton) || bPressed)
    {
        if (pButton->IsChecked())
            pIcon->DrawHandle(pDC, pt, pIcon->GetCheckedIcon(), size.cx, size.cy);
        else if (nItemState & ODS_SELECTED)
            pIcon->DrawHandle(pDC, pt, pIcon->GetPressedIcon(), size.cx, size.cy);
        else
            pIcon->DrawHandle(pDC, pt, pIcon->GetHotIcon(), size.cx, size.cy);
    }
    else
        pIcon->DrawHandle(pDC, pt, pIcon->GetIcon(), size.cx, size.cy);
}

void CKvButtonTheme::DrawFocusRect(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    pDC->SetTextColor(GetTextColor(nItemState, pButton));
    int nInset = (pButton->GetXButtonStyle() & (KvButtonStyle::Flat | KvButtonStyle::ThinFrame)) ? 2 : 4;
    CRect rc(rect);
    rc.DeflateRect(nInset, nInset);
    pDC->DrawFocusRect(&rc);
}

void CKvButtonTheme::DrawButton(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (!DrawVisualStyleBackground(lpDIS, pButton))
        DrawButtonBackground(lpDIS, pButton);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    DrawButtonText(pDC, lpDIS->itemState, lpDIS->rcItem, pButton);
    DrawButtonIcon(pDC, lpDIS->itemState, lpDIS->rcItem, pButton);
    if ((pButton->GetXButtonStyle() & KvButtonStyle::FocusRect) && (lpDIS->itemState & ODS_FOCUS) &&
        !(lpDIS->itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(pDC, lpDIS->itemState, lpDIS->rcItem, pButton);
    pDC->SetBkMode(nOldMode);
}

// ---------------------------------------------------------------------------
// Faces

bool CKvButtonTheme::DrawVisualStyleBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    if (!UsesVisualStyle(pButton))
        return false;
    HBRUSH hBrush = NULL;
    CWnd* pParent = pButton->GetParent();
    if (!g_darkModeActive && pParent)
        hBrush = reinterpret_cast<HBRUSH>(pParent->SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(lpDIS->hDC),
                                                                reinterpret_cast<LPARAM>(pButton->m_hWnd)));
    if (hBrush)
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, hBrush);
    else
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, Palette(COLOR_BTNFACE));
    return SUCCEEDED(m_themeButton.DrawThemeBackground(lpDIS->hDC, BP_PUSHBUTTON,
                                                       GetVisualStyleState(lpDIS->itemState, pButton), &lpDIS->rcItem,
                                                       NULL));
}

void CKvButtonTheme::DrawFrame(CDC* pDC, CRect rect, bool bPressed, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (bPressed)
        pDC->Draw3dRect(&rect, clrBottomRight, clrTopLeft);
    else
        pDC->Draw3dRect(&rect, clrTopLeft, clrBottomRight);
}

bool CKvButtonTheme::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    bool bPressed = IsPressed(lpDIS->itemState, pButton);
    DWORD dwStyle = pButton->GetXButtonStyle();
    pDC->FillSolidRect(&rc, m_clrFace);
    if (dwStyle & KvButtonStyle::DitherPressed)
    {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        pButton->ScreenToClient(&ptCursor);
        bool bCursorOutside = !rc.PtInRect(ptCursor);
        if ((lpDIS->itemState & ODS_SELECTED) || (pButton->IsChecked() && bCursorOutside))
            KvFillDithered(pDC, rc);
    }
    if (dwStyle & KvButtonStyle::Flat)
    {
        if (IsHot(pButton) || bPressed)
            DrawFrame(pDC, rc, bPressed, m_clrHighlight, m_clrShadow);
        return true;
    }
    if (dwStyle & KvButtonStyle::ThinFrame)
    {
        DrawFrame(pDC, rc, bPressed, m_clrHighlight, m_clrShadow);
        return true;
    }
    if ((pButton->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
    {
        pDC->Draw3dRect(&rc, m_clrDarkShadow, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
    }
    DrawFrame(pDC, rc, bPressed, m_clrHighlight, m_clrDarkShadow);
    rc.DeflateRect(1, 1);
    DrawFrame(pDC, rc, bPressed, m_clrLight, m_clrShadow);
    return true;
}

void CKvButtonTheme::DrawDefaultButtonFrames(CDC* pDC, CRect rect, CKvButton* pButton)
{
    if ((pButton->GetStyle() & BS_TYPEMASK) != BS_DEFPUSHBUTTON)
        return;
    COLORREF clrFrame = Palette(COLOR_HIGHLIGHT);
    pDC->Draw3dRect(&rect, clrFrame, clrFrame);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, clrFrame, clrFrame);
}

// ---------------------------------------------------------------------------
// Office XP

CKvButtonThemeOfficeXP::CKvButtonThemeOfficeXP(bool bAlwaysFramed)
    : m_bAlwaysFramed(bAlwaysFramed), m_bFadedIcon(TRUE), m_bShadowIcon(TRUE)
{
    // Made by the button's style as well as by the factory: the id says what
    // it is either way (the XP colours look for it).
    SetThemeID(KvButtonThemeOfficeXP);
    m_bOffsetHiliteText = FALSE;
}

CKvButtonThemeOfficeXP::~CKvButtonThemeOfficeXP()
{
    m_themeButton.CloseThemeData();
}

void CKvButtonThemeOfficeXP::RefreshMetrics()
{
    RefreshOfficeXPMetrics();
}

void CKvButtonThemeOfficeXP::RefreshOfficeXPMetrics()
{
    CKvButtonTheme::RefreshMetrics();
    m_clrFace.SetStandardValue(Palette(m_bAlwaysFramed ? kvPaletteMenuBar : COLOR_BTNFACE));
    m_clrPressedFace.SetStandardValue(Palette(kvPalettePressedFace));
    m_clrHotFace.SetStandardValue(Palette(kvPaletteHotFace));
    m_clrShadow.SetStandardValue(Palette(COLOR_BTNSHADOW));
    m_clrLight.SetStandardValue(Palette(kvPaletteHotFrame));
    m_clrText.SetStandardValue(Palette(kvPaletteText));
    m_clrHotText.SetStandardValue(Palette(kvPaletteHotText));
    m_clrPressedText.SetStandardValue(Palette(kvPalettePressedText));
    m_clrCheckedFace.SetStandardValue(Palette(kvPaletteCheckedFace));
}

void CKvButtonThemeOfficeXP::SetAlwaysFramed(bool bAlwaysFramed)
{
    m_bAlwaysFramed = bAlwaysFramed;
    RefreshMetrics();
}

void CKvButtonThemeOfficeXP::SetPressedFaceColor(COLORREF clr)
{
    m_clrPressedFace.SetCustomValue(clr);
}

void CKvButtonThemeOfficeXP::SetHotFaceColor(COLORREF clr)
{
    m_clrHotFace.SetCustomValue(clr);
}

void CKvButtonThemeOfficeXP::SetPressedTextColor(COLORREF clr)
{
    m_clrPressedText.SetCustomValue(clr);
}

void CKvButtonThemeOfficeXP::SetHotTextColor(COLORREF clr)
{
    m_clrHotText.SetCustomValue(clr);
}

COLORREF CKvButtonThemeOfficeXP::GetTextColor(UINT nItemState, CKvButton* pButton)
{
    if (UsesVisualStyle(pButton))
        return CKvButtonTheme::GetTextColor(nItemState, pButton);
    if (IsDisabled(nItemState))
        return Palette(COLOR_GRAYTEXT);
    if (nItemState & ODS_SELECTED)
        return m_clrPressedText;
    if (IsHot(pButton))
        return m_clrHotText;
    return m_clrText;
}

void CKvButtonThemeOfficeXP::DrawButtonIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    CPoint pt;
    CKvoImageManagerIcon* pIcon = GetShownIcon(pDC, nItemState, rect, pButton, &pt);
    if (!pIcon)
        return;
    CSize size = pButton->GetImageSize();
    if (IsDisabled(nItemState))
        pIcon->DrawHandle(pDC, pt, pIcon->GetDisabledIcon(TRUE), size.cx, size.cy);
    else if (nItemState & ODS_SELECTED)
        pIcon->DrawHandle(pDC, pt, pIcon->GetPressedIcon(), size.cx, size.cy);
    else if (IsHot(pButton) && m_bShadowIcon)
    {
        // The icon lifts off its shadow while the mouse is over it.
        pIcon->DrawHandle(pDC, CPoint(pt.x + 1, pt.y + 1), pIcon->GetShadowIcon(), size.cx, size.cy);
        pIcon->DrawHandle(pDC, CPoint(pt.x - 1, pt.y - 1), pIcon->GetHotIcon(), size.cx, size.cy);
    }
    else if (IsHot(pButton))
        pIcon->DrawHandle(pDC, pt, pIcon->GetHotIcon(), size.cx, size.cy);
    else
        pIcon->DrawHandle(pDC, pt, m_bFadedIcon ? pIcon->GetFadedIcon() : pIcon->GetIcon(), size.cx, size.cy);
}

void CKvButtonThemeOfficeXP::DrawIdleFace(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_clrFace);
    if (m_bAlwaysFramed)
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
}

bool CKvButtonThemeOfficeXP::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    bool bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    bool bHot = IsHot(pButton);
    bool bChecked = pButton->IsChecked() != FALSE;
    if (!bSelected && !bHot && !bChecked)
    {
        DrawIdleFace(pDC, rc);
    }
    else
    {
        COLORREF clrFace = (bSelected || (bHot && bChecked)) ? m_clrPressedFace : bHot ? m_clrHotFace : m_clrCheckedFace;
        pDC->FillSolidRect(&rc, clrFace);
        pDC->Draw3dRect(&rc, m_clrLight, m_clrLight);
    }
    if (m_bAlwaysFramed)
        DrawDefaultButtonFrames(pDC, rc, pButton);
    return true;
}

// ---------------------------------------------------------------------------
// Office 2003

CKvButtonThemeOffice2003::CKvButtonThemeOffice2003(bool bAlwaysFramed) : CKvButtonThemeOfficeXP(bAlwaysFramed)
{
    SetThemeID(KvButtonThemeOffice2003);
    m_bFadedIcon = FALSE;
    m_bShadowIcon = FALSE;
}

CKvButtonThemeOffice2003::~CKvButtonThemeOffice2003()
{
    m_themeButton.CloseThemeData();
}

void CKvButtonThemeOffice2003::RefreshMetrics()
{
    RefreshOfficeXPMetrics();
    m_clrFace.SetStandardValue(Palette(COLOR_BTNFACE));
    m_clrHotText.SetStandardValue(0);
    m_clrPressedText.SetStandardValue(0);
    int nTheme = CKvoColorManager::Instance()->GetCurrentSystemTheme();
    if (nTheme == 0)
        return;
    m_clrHotFace.SetStandardValue(0xC2EEFF);
    m_clrPressedFace.SetStandardValue(0x3E80FE);
    m_clrCheckedFace.SetStandardValue(0x6FC0FF);
    m_clrText.SetStandardValue(0);
    for (const KvLunaButtonColors& colors : kvLunaButtonColors)
    {
        if (colors.nTheme != nTheme)
            continue;
        m_clrFace.SetStandardValue(colors.clrFace);
        m_clrShadow.SetStandardValue(colors.clrShadow);
        m_clrLight.SetStandardValue(colors.clrLight);
    }
    if (!m_bAlwaysFramed)
        m_clrFace.SetStandardValue(Palette(COLOR_BTNFACE));
}

void CKvButtonThemeOffice2003::DrawButtonIcon(CDC* pDC, UINT nItemState, RECT rect, CKvButton* pButton)
{
    CPoint pt;
    CKvoImageManagerIcon* pIcon = GetShownIcon(pDC, nItemState, rect, pButton, &pt);
    if (!pIcon)
        return;
    CSize size = pButton->GetImageSize();
    if (IsDisabled(nItemState))
        pIcon->DrawHandle(pDC, pt, pIcon->GetDisabledIcon(TRUE), size.cx, size.cy);
    else if (nItemState & ODS_SELECTED)
        pIcon->DrawHandle(pDC, pt, pIcon->GetPressedIcon(), size.cx, size.cy);
    else
        pIcon->DrawHandle(pDC, pt, pIcon->GetIcon(), size.cx, size.cy);
}

bool CKvButtonThemeOffice2003::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CKvButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    int nGradient = -1;
    if (lpDIS->itemState & ODS_SELECTED)
        nGradient = kvGradientPressed;
    else if (IsHot(pButton))
        nGradient = kvGradientHot;
    else if (pButton->IsChecked())
        nGradient = kvGradientChecked;
    if (nGradient < 0)
    {
        DrawIdleFace(pDC, rc);
    }
    else
    {
        CKvoDrawHelpers::GradientFill(pDC, &rc, CKvoColorManager::Instance()->GetGradient(nGradient), FALSE, NULL);
        pDC->Draw3dRect(&rc, m_clrLight, m_clrLight);
    }
    if (m_bAlwaysFramed)
        DrawDefaultButtonFrames(pDC, rc, pButton);
    return true;
}

// ---------------------------------------------------------------------------

CKvThemeManagerStyle* CKvButtonThemeFactory::CreateTheme(int nThemeId)
{
    CKvButtonTheme* pTheme;
    if (nThemeId == KvButtonThemeOfficeXP)
        pTheme = new CKvButtonThemeOfficeXP(false);
    else if (nThemeId == KvButtonThemeOffice2003)
        pTheme = new CKvButtonThemeOffice2003(false);
    else
        pTheme = new CKvButtonTheme();
    pTheme->SetThemeID(nThemeId);
    return pTheme;
}
