#include "foundation/controls/KvColorSelectorCtrlTheme.h"

#include "foundation/base/KvoColorManager.h"
#include "foundation/controls/KvButton.h"
#include "foundation/controls/KvColorSelectorCtrl.h"

IMPLEMENT_DYNCREATE(CKvColorSelectorCtrlThemeFactory, CKvThemeManagerStyleFactory)

namespace
{
const COLORREF kvSelectorColorUnset = 0xFFFFFFFF;
const int kvSelectorNoIndex = -1;
} // namespace

CKvColorSelectorCtrlTheme::CKvColorSelectorCtrlTheme()
    : m_nDpi(96), m_clrLightFrame(kvSelectorColorUnset), m_clrDarkFrame(kvSelectorColorUnset),
      m_clrBackground(kvSelectorColorUnset), m_clrPressedFill(kvSelectorColorUnset),
      m_clrHotFill(kvSelectorColorUnset), m_clrCheckedFill(kvSelectorColorUnset), m_clrText(kvSelectorColorUnset),
      m_nThemeId(KvColorSelectorThemeDefault)
{
}

COLORREF CKvColorSelectorCtrlTheme::ThemeColor(int nIndex) const
{
    return CKvoColorManager::Instance()->GetColor(nIndex);
}

void CKvColorSelectorCtrlTheme::SetColors(int nLight, int nDark, int nBack, int nPressed, int nHot, int nChecked,
                                          int nText)
{
    auto lookUp = [this](int nIndex) { return nIndex == kvSelectorNoIndex ? kvSelectorColorUnset : ThemeColor(nIndex); };
    m_clrLightFrame = lookUp(nLight);
    m_clrDarkFrame = lookUp(nDark);
    m_clrBackground = lookUp(nBack);
    m_clrPressedFill = lookUp(nPressed);
    m_clrHotFill = lookUp(nHot);
    m_clrCheckedFill = lookUp(nChecked);
    // The text keeps the plain palette in every theme.
    m_clrText = CKvoColorManager::Instance()->GetColor(nText);
}

void CKvColorSelectorCtrlTheme::RefreshMetrics()
{
    CKvoColorManager::RefreshColorsStatic();
    SetColors(COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNFACE, kvSelectorNoIndex, kvSelectorNoIndex,
              kvSelectorNoIndex, COLOR_BTNTEXT);
}

void CKvColorSelectorCtrlThemeOfficeXP::RefreshMetrics()
{
    CKvoColorManager::RefreshColorsStatic();
    SetColors(32, 32, 41, 33, 31, 36, COLOR_BTNTEXT);
}

COLORREF CKvColorSelectorCtrlThemeOffice2003::ThemeColor(int nIndex) const
{
    return CKvoColorManager::Instance()->GetLunaColor(nIndex);
}

int CKvColorSelectorCtrlTheme::Scale(int nValue) const
{
    return MulDiv(nValue, m_nDpi, 96);
}

void CKvColorSelectorCtrlTheme::FillBackground(CDC* pDC, const RECT& rect)
{
    pDC->FillSolidRect(&rect, m_clrBackground);
}

void CKvColorSelectorCtrlTheme::DrawFrame(CDC* pDC, const RECT& rect, bool bSunken)
{
    if (bSunken)
        pDC->Draw3dRect(&rect, m_clrDarkFrame, m_clrLightFrame);
    else
        pDC->Draw3dRect(&rect, m_clrLightFrame, m_clrDarkFrame);
}

void CKvColorSelectorCtrlTheme::DrawCell(COLOR_CELL* pCell, CDC* pDC, bool bHot, bool bPressed)
{
    CRect rect(pCell->rect);
    const bool bChecked = pCell->bChecked != 0;
    if (bPressed) {
        if (m_clrPressedFill != kvSelectorColorUnset)
            pDC->FillSolidRect(&rect, m_clrPressedFill);
        DrawFrame(pDC, rect, true);
    } else if (bHot) {
        if (m_clrHotFill != kvSelectorColorUnset)
            pDC->FillSolidRect(&rect, m_clrHotFill);
        DrawFrame(pDC, rect, bChecked);
    } else if (bChecked) {
        if (m_clrCheckedFill != kvSelectorColorUnset)
            pDC->FillSolidRect(&rect, m_clrCheckedFill);
        else
            KvFillDithered(pDC, rect);
        DrawFrame(pDC, rect, true);
    }

    if (pCell->szText[0] != L'\0') {
        COLORREF clrOld = pDC->SetTextColor(m_clrText);
        pDC->DrawText(pCell->szText, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(clrOld);
    }

    if (pCell->dwKind == KvColorCellKindMore) {
        if (!bChecked)
            return;
        CRect swatch(rect);
        swatch.DeflateRect(Scale(5), Scale(6));
        swatch.left = swatch.right - Scale(12);
        pDC->FillSolidRect(&swatch, m_clrDarkFrame);
        swatch.DeflateRect(1, 1);
        pDC->FillSolidRect(&swatch, pCell->clr);
        return;
    }

    rect.DeflateRect(Scale(3), Scale(3));
    if (pCell->dwKind & KvColorCellKindColor) {
        pDC->FillSolidRect(&rect, m_clrDarkFrame);
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, pCell->clr);
        return;
    }
    if (pCell->dwKind & KvColorSelStyle::NoColor)
        return;
    // The default cell: a small swatch of the automatic colour at its left.
    rect.DeflateRect(Scale(3), Scale(3));
    CRect swatch(rect.left + 1, rect.top, rect.left + 1 + Scale(12), rect.top + Scale(11));
    pDC->FillSolidRect(&swatch, m_clrDarkFrame);
    swatch.DeflateRect(1, 1);
    pDC->FillSolidRect(&swatch, pCell->clr);
}

CKvThemeManagerStyle* CKvColorSelectorCtrlThemeFactory::CreateTheme(int nThemeId)
{
    CKvColorSelectorCtrlTheme* pTheme;
    switch (nThemeId) {
    case KvColorSelectorThemeOfficeXP:
        pTheme = new CKvColorSelectorCtrlThemeOfficeXP;
        break;
    case KvColorSelectorThemeOffice2003:
        pTheme = new CKvColorSelectorCtrlThemeOffice2003;
        break;
    default:
        pTheme = new CKvColorSelectorCtrlTheme;
        break;
    }
    pTheme->SetThemeID(nThemeId);
    return pTheme;
}
