#include "foundation/controls/KvoButtonTheme.h"

#include <algorithm>
#include <math.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvoButton.h"
#include "markup/MarkupFunctions.h"

namespace
{
// The classic size of a check or radio mark.
const int kvoClassicMarkSize = 13;
// Room between a check or radio mark and its label.
const int kvoMarkTextGap = 3;
// The drop-down arrow's part of a push button, and the room it takes.
const int kvoArrowPartWidth = 16;
const int kvoArrowReserve = 12;

BOOL KvoButtonAligns(DWORD dwStyle, DWORD dwMask, DWORD dwValue)
{
    return (dwStyle & dwMask) == dwValue;
}

// Horizontal place of something cx wide in [left, right) by the style's
// BS_LEFT/RIGHT/CENTER bits.
int KvoButtonAlignX(DWORD dwStyle, int left, int right, int cx)
{
    if (KvoButtonAligns(dwStyle, BS_CENTER, BS_RIGHT))
        return right - cx;
    if (KvoButtonAligns(dwStyle, BS_CENTER, BS_CENTER))
        return (left + right - cx) / 2;
    return left;
}

int KvoButtonAlignY(DWORD dwStyle, int top, int bottom, int cy)
{
    if (KvoButtonAligns(dwStyle, BS_VCENTER, BS_BOTTOM))
        return bottom - cy;
    if (KvoButtonAligns(dwStyle, BS_VCENTER, BS_VCENTER))
        return (top + bottom - cy) / 2;
    return top;
}

BOOL KvoButtonIsThreeState(UINT nType)
{
    return nType == BS_3STATE || nType == BS_AUTO3STATE;
}

int KvoSpaceHeight(CDC* pDC)
{
    return pDC->GetTextExtent(L" ", 1).cy;
}
} // namespace

IMPLEMENT_DYNAMIC(CKvoButtonTheme, CCmdTarget)
IMPLEMENT_DYNAMIC(CKvoButtonFlatTheme, CKvoButtonTheme)

CKvoButtonTheme::CKvoButtonTheme() : m_themeButton(FALSE)
{
}

CKvoButtonTheme::CKvoButtonTheme(KvoUxThemeFunctions* pFunctions) : m_themeButton(pFunctions, FALSE)
{
}

CKvoButtonTheme::~CKvoButtonTheme()
{
    m_themeButton.CloseThemeData();
}

COLORREF CKvoButtonTheme::Palette(int nIndex)
{
    return CKvoColorManager::Instance()->GetColor(nIndex);
}

BOOL CKvoButtonTheme::UsesVisualStyles(const CKvoButton* pButton) const
{
    return pButton->IsVisualStylesAllowed() && m_themeButton.IsThemeOpen() &&
           m_themeButton.IsAppThemed();
}

BOOL CKvoButtonTheme::ShiftsPressedContent(const CKvoButton* pButton) const
{
    return m_bOffsetHiliteText || UsesVisualStyles(pButton);
}

BOOL CKvoButtonTheme::IsPressed(const CKvoButton* pButton)
{
    return pButton->GetChecked() || pButton->IsPushed();
}

BOOL CKvoButtonTheme::IsDisabled(const CKvoButton* pButton)
{
    return pButton->m_hWnd && !pButton->IsWindowEnabled();
}

CRect CKvoButtonTheme::ClientRect(const CKvoButton* pButton)
{
    CRect rc(0, 0, 0, 0);
    if (pButton->m_hWnd)
        pButton->GetClientRect(&rc);
    return rc;
}

void CKvoButtonTheme::RefreshMetrics(CKvoButton* pButton)
{
    m_themeButton.OpenThemeData(pButton->m_hWnd, L"BUTTON");
    CKvoColorManager::RefreshColorsStatic();
    m_clrDisabledText.SetStandardValue(Palette(COLOR_GRAYTEXT));
    m_clrFrame.SetStandardValue(Palette(COLOR_BTNFACE));
    m_clrShadow.SetStandardValue(Palette(COLOR_BTNSHADOW));
    m_clrHighlight.SetStandardValue(Palette(COLOR_BTNHIGHLIGHT));
    m_clrDarkShadow.SetStandardValue(Palette(COLOR_3DDKSHADOW));
    m_clrFace.SetStandardValue(Palette(COLOR_BTNFACE));
}

// ---------------------------------------------------------------------------
// Part rectangles and layout.

CRect CKvoButtonTheme::CalcRect(CDC* pDC, CKvoButton* pButton, int nPart) const
{
    CRect rc = ClientRect(pButton);
    switch (nPart)
    {
    case KvoButtonPartCheckMark:
    case KvoButtonPartRadioMark:
        return CalcMarkRect(pDC, pButton, nPart == KvoButtonPartCheckMark);
    case KvoButtonPartCheckText:
    case KvoButtonPartRadioText:
    {
        CSize sizeMark = CalcMarkRect(pDC, pButton, nPart == KvoButtonPartCheckText).Size();
        if (pButton->GetStyle() & BS_LEFTTEXT)
            rc.right -= sizeMark.cx + kvoMarkTextGap;
        else
            rc.left += sizeMark.cx + kvoMarkTextGap;
        return rc;
    }
    case KvoButtonPartGroupText:
        return CalcGroupCaptionRect(pDC, pButton);
    case KvoButtonPartGroupFrame:
        rc.top += KvoSpaceHeight(pDC) / 2;
        return rc;
    case KvoButtonPartPushContent:
        rc.DeflateRect(m_cxEdge, m_cyEdge);
        return rc;
    default:
        return rc;
    }
}

CSize CKvoButtonTheme::GetMarkSize(CDC* pDC, CKvoButton* pButton, BOOL bCheck) const
{
    CSize size(kvoClassicMarkSize, kvoClassicMarkSize);
    if (!UsesVisualStyles(pButton))
        return size;
    SIZE sizePart = {0, 0};
    int nPart = bCheck ? BP_CHECKBOX : BP_RADIOBUTTON;
    if (SUCCEEDED(m_themeButton.GetThemePartSize(pDC->m_hDC, nPart, 1, NULL, TS_DRAW, &sizePart)))
        size = sizePart;
    return size;
}

CRect CKvoButtonTheme::CalcMarkRect(CDC* pDC, CKvoButton* pButton, BOOL bCheck) const
{
    CRect rc = ClientRect(pButton);
    CSize sizeMark = GetMarkSize(pDC, pButton, bCheck);
    DWORD dwStyle = pButton->GetButtonStyle();
    if (KvoButtonAligns(dwStyle, BS_VCENTER, BS_TOP) || KvoButtonAligns(dwStyle, BS_VCENTER, BS_BOTTOM))
    {
        // The mark sits beside the first or last line of the label.
        int nHeight = KvoSpaceHeight(pDC);
        int nLine = nHeight + nHeight / 4;
        int nOffset = (nLine - sizeMark.cy) / 2;
        rc.top = KvoButtonAligns(dwStyle, BS_VCENTER, BS_TOP) ? rc.top + nOffset : rc.bottom - nLine + nOffset;
    }
    else
    {
        rc.top = (rc.bottom - sizeMark.cy + rc.top) / 2;
    }
    rc.bottom = rc.top + sizeMark.cy;
    if (pButton->GetStyle() & BS_LEFTTEXT)
        rc.left = rc.right - sizeMark.cx;
    else
        rc.right = rc.left + sizeMark.cx;
    return rc;
}

CRect CKvoButtonTheme::CalcGroupCaptionRect(CDC* pDC, CKvoButton* pButton) const
{
    CString strText = pButton->GetButtonText();
    CKvoDrawHelpers::StripMnemonics(strText);
    if (strText.IsEmpty())
        return CRect(0, 0, 0, 0);
    CRect rcClient = ClientRect(pButton);
    CSize sizeText = pDC->GetTextExtent(strText);
    int cx = sizeText.cx + 2 * m_cxEdge;
    BOOL bRight = KvoButtonAligns(pButton->GetButtonStyle(), BS_CENTER, BS_RIGHT);
    int left;
    if (pButton->GetGroupBoxMode() == 1)
        left = bRight ? rcClient.right - cx : rcClient.left;
    else
        left = bRight ? rcClient.right - m_cxBorder - 6 - cx : rcClient.left + m_cxBorder + 8;
    return CRect(left, rcClient.top, left + cx, rcClient.top + sizeText.cy);
}

UINT CKvoButtonTheme::GetTextFlags(CKvoButton* pButton)
{
    UINT nFlags = (pButton->GetStyle() & BS_MULTILINE) ? (DT_WORDBREAK | DT_EDITCONTROL | DT_NOCLIP)
                                                        : (DT_SINGLELINE | DT_NOCLIP);
    if (pButton->GetExStyle() & WS_EX_RTLREADING)
        nFlags |= DT_RTLREADING;
    return nFlags;
}

CSize CKvoButtonTheme::MeasureCaption(CDC* pDC, CKvoButton* pButton, UINT nFlags, int nMaxWidth,
                                      int nMaxHeight) const
{
    CString strText = pButton->GetButtonText();
    if (strText.IsEmpty())
        return CSize(0, 0);
    if (pButton->GetMarkupElement())
    {
        HFONT hFont = reinterpret_cast<HFONT>(pButton->SendMessage(WM_GETFONT));
        MarkupSetDefaultFont(pButton->GetMarkupContext(), hFont, 0xFFFFFFFF);
        return MarkupMeasureElement(pButton->GetMarkupElement(), nMaxWidth, nMaxHeight);
    }
    CRect rcCalc(0, 0, nMaxWidth, 0);
    pDC->DrawText(strText, &rcCalc, nFlags | DT_CALCRECT);
    return CSize(std::min(static_cast<int>(rcCalc.Width()), nMaxWidth), rcCalc.Height());
}

void CKvoButtonTheme::CalcPushButtonLayout(CDC* pDC, CKvoButton* pButton, CRect* pTextRect, UINT* pTextFlags,
                                           CRect* pImageRect) const
{
    UINT nFlags = GetTextFlags(pButton);
    int nGap = pButton->GetBorderGap();
    CRect rcArea = ClientRect(pButton);
    rcArea.DeflateRect(nGap, nGap);
    int nPushStyle = pButton->GetPushButtonStyle();
    if (nPushStyle == KvoPushButtonDropDown || nPushStyle == KvoPushButtonDropDownRight)
        rcArea.right -= kvoArrowReserve + nGap;
    else if (nPushStyle == KvoPushButtonSplit)
        rcArea.right -= kvoArrowReserve + 2 * nGap;

    int nRelation = pButton->GetTextImageRelation();
    BOOL bHasText = !pButton->GetButtonText().IsEmpty();
    CSize sizeImage = pButton->GetImageSize();
    BOOL bHasImage = sizeImage.cx > 0 && sizeImage.cy > 0;
    BOOL bRelated = bHasImage && bHasText && nRelation >= KvoImageAboveText && nRelation <= KvoImageAfterText;
    int nTextWidth = rcArea.Width();
    if (bRelated)
    {
        // The gap between image and caption counts as part of the image.
        if (nRelation == KvoImageAboveText || nRelation == KvoImageBelowText)
            sizeImage.cy += pButton->GetImageGap();
        else
        {
            sizeImage.cx += pButton->GetImageGap();
            nTextWidth -= sizeImage.cx;
        }
    }
    CSize sizeText = MeasureCaption(pDC, pButton, nFlags, std::max(nTextWidth, 0), rcArea.Height());

    DWORD dwImageAlign = pButton->GetImageAlignment();
    DWORD dwTextAlign = pButton->GetButtonStyle();
    CPoint ptImage(KvoButtonAlignX(dwImageAlign, rcArea.left, rcArea.right, sizeImage.cx),
                   KvoButtonAlignY(dwImageAlign, rcArea.top, rcArea.bottom, sizeImage.cy));
    CPoint ptText(KvoButtonAlignX(dwTextAlign, rcArea.left, rcArea.right, sizeText.cx),
                  KvoButtonAlignY(dwTextAlign, rcArea.top, rcArea.bottom, sizeText.cy));
    if (KvoButtonAligns(dwTextAlign, BS_CENTER, BS_RIGHT))
        nFlags |= DT_RIGHT;
    else if (KvoButtonAligns(dwTextAlign, BS_CENTER, BS_CENTER))
        nFlags |= DT_CENTER;

    if (bRelated)
        PlaceImageBesideText(pButton, rcArea, sizeImage, sizeText, ptImage, ptText);

    if (pTextRect)
        *pTextRect = CRect(ptText, sizeText);
    if (pTextFlags)
        *pTextFlags = nFlags;
    if (pImageRect)
        *pImageRect = CRect(ptImage, sizeImage);
}

void CKvoButtonTheme::PlaceImageBesideText(CKvoButton* pButton, const CRect& rcArea, CSize sizeImage,
                                           CSize sizeText, CPoint& ptImage, CPoint& ptText) const
{
    DWORD dwAlign = pButton->GetImageAlignment();
    int nGap = pButton->GetImageGap();
    switch (pButton->GetTextImageRelation())
    {
    case KvoImageAboveText:
        ptImage.y = KvoButtonAlignY(dwAlign, rcArea.top, rcArea.bottom, sizeText.cy + sizeImage.cy);
        ptText.y = std::max(ptText.y, ptImage.y + sizeImage.cy);
        break;
    case KvoImageBelowText:
        if (KvoButtonAligns(dwAlign, BS_VCENTER, BS_BOTTOM))
            ptImage.y = rcArea.bottom - sizeImage.cy;
        else if (KvoButtonAligns(dwAlign, BS_VCENTER, BS_VCENTER))
            ptImage.y = (rcArea.top + rcArea.bottom + sizeText.cy - sizeImage.cy) / 2;
        else
            ptImage.y = rcArea.top + sizeText.cy;
        ptImage.y += nGap;
        if (ptImage.y < nGap + sizeText.cy + ptText.y)
            ptText.y = ptImage.y - nGap - sizeText.cy;
        break;
    case KvoImageBeforeText:
        ptImage.x = KvoButtonAlignX(dwAlign, rcArea.left, rcArea.right, sizeText.cx + sizeImage.cx);
        ptText.x = std::max(ptText.x, ptImage.x + sizeImage.cx);
        break;
    case KvoImageAfterText:
    {
        int x0;
        if (KvoButtonAligns(dwAlign, BS_CENTER, BS_RIGHT))
            x0 = rcArea.right - sizeImage.cx;
        else if (KvoButtonAligns(dwAlign, BS_CENTER, BS_CENTER))
            x0 = (rcArea.left + rcArea.right + sizeText.cx - sizeImage.cx) / 2;
        else
            x0 = rcArea.left + sizeText.cx;
        ptImage.x = x0 + nGap;
        if (ptImage.x < nGap + sizeText.cx + ptText.x)
            ptText.x = x0 - sizeText.cx;
        break;
    }
    }
}

COLORREF CKvoButtonTheme::GetCaptionColor(CKvoButton* pButton) const
{
    return IsDisabled(pButton) ? static_cast<COLORREF>(m_clrDisabledText) : pButton->GetTextColor();
}

void CKvoButtonTheme::DrawPushButtonText(CDC* pDC, CKvoButton* pButton)
{
    CString strText = pButton->GetButtonText();
    if (strText.IsEmpty())
        return;
    CRect rcText;
    UINT nFlags = 0;
    CalcPushButtonLayout(pDC, pButton, &rcText, &nFlags, NULL);
    if (IsPressed(pButton) && ShiftsPressedContent(pButton))
        rcText.OffsetRect(1, 1);
    COLORREF clrText = GetCaptionColor(pButton);
    pDC->SetTextColor(clrText);
    if (pButton->GetMarkupElement())
    {
        MarkupSetDefaultFont(pButton->GetMarkupContext(), NULL, clrText);
        MarkupRenderElement(pButton->GetMarkupElement(), pDC->m_hDC, &rcText);
        return;
    }
    if (pButton->IsAcceleratorHidden())
        nFlags |= DT_HIDEPREFIX;
    pDC->DrawText(strText, &rcText, nFlags);
}

void CKvoButtonTheme::DrawPushButtonIcon(CDC* pDC, CKvoButton* pButton)
{
    CSize sizeImage = pButton->GetImageSize();
    if (sizeImage.cx == 0 && sizeImage.cy == 0)
        return;
    CRect rcImage;
    CalcPushButtonLayout(pDC, pButton, NULL, NULL, &rcImage);
    if (IsPressed(pButton) && ShiftsPressedContent(pButton))
        rcImage.OffsetRect(1, 1);
    pButton->DrawImage(pDC, CRect(rcImage.TopLeft(), sizeImage));
}

void CKvoButtonTheme::DrawPushButtonDropDown(CDC* pDC, CKvoButton* pButton)
{
    int nGap = pButton->GetBorderGap();
    CRect rcArea = ClientRect(pButton);
    rcArea.DeflateRect(nGap, nGap);
    CSize sizeImage = pButton->GetImageSize();
    if (!pButton->GetButtonText().IsEmpty() || sizeImage.cx > 0 || sizeImage.cy > 0)
        rcArea.left = rcArea.right - kvoArrowPartWidth;
    if (IsPressed(pButton) && ShiftsPressedContent(pButton))
        rcArea.OffsetRect(1, 1);
    int cx = (rcArea.left + rcArea.right) / 2;
    int cy = (rcArea.top + rcArea.bottom) / 2;
    BOOL bDisabled = IsDisabled(pButton);
    COLORREF clrArrow = bDisabled ? Palette(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    switch (pButton->GetPushButtonStyle())
    {
    case KvoPushButtonDropDown:
        CKvoDrawHelpers::DrawTriangle(pDC, cx - 4, cy - 2, cx + 4, cy - 2, cx, cy + 2, clrArrow);
        break;
    case KvoPushButtonDropDownRight:
        CKvoDrawHelpers::DrawTriangle(pDC, cx - 2, cy - 4, cx - 2, cy + 4, cx + 2, cy, clrArrow);
        break;
    case KvoPushButtonSplit:
    {
        CKvoDrawHelpers::DrawTriangle(pDC, cx - 3, cy - 2, cx + 5, cy - 2, cx + 1, cy + 2, clrArrow);
        COLORREF clrSeparator = bDisabled                   ? Palette(COLOR_GRAYTEXT)
                                : UsesVisualStyles(pButton) ? ::GetSysColor(COLOR_BTNSHADOW)
                                                            : static_cast<COLORREF>(m_clrShadow);
        pDC->FillSolidRect(rcArea.left, rcArea.top, 1, rcArea.Height(), clrSeparator);
        pDC->FillSolidRect(rcArea.left + 1, rcArea.top, 1, rcArea.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
    }
    }
}

// ---------------------------------------------------------------------------
// Labels of check boxes, radio buttons and group boxes.

void CKvoButtonTheme::DrawButtonText(CDC* pDC, CKvoButton* pButton)
{
    UINT nType = pButton->GetButtonType();
    int nPart = nType == BS_GROUPBOX                                        ? KvoButtonPartGroupText
                : (nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON) ? KvoButtonPartRadioText
                                                                           : KvoButtonPartCheckText;
    CRect rcPart = CalcRect(pDC, pButton, nPart);
    pDC->SetTextColor(GetCaptionColor(pButton));

    DWORD dwStyle = pButton->GetStyle();
    UINT nFlags = (dwStyle & BS_MULTILINE) ? (DT_WORDBREAK | DT_EDITCONTROL | DT_NOCLIP) : (DT_SINGLELINE | DT_NOCLIP);
    CSize sizeContent(0, 0);
    HANDLE hImage = NULL;
    if (dwStyle & (BS_BITMAP | BS_ICON))
    {
        BOOL bBitmap = (dwStyle & BS_BITMAP) != 0;
        hImage = reinterpret_cast<HANDLE>(pButton->SendMessage(BM_GETIMAGE, bBitmap ? IMAGE_BITMAP : IMAGE_ICON));
        if (!hImage)
            return;
        BITMAP bm = {};
        if (bBitmap && ::GetObjectW(hImage, sizeof(bm), &bm))
            sizeContent = CSize(bm.bmWidth, bm.bmHeight);
        else if (!bBitmap)
            sizeContent = CSize(16, 16);
    }
    else
    {
        sizeContent = MeasureCaption(pDC, pButton, nFlags, rcPart.Width(), rcPart.Height());
        if (pButton->GetButtonText().IsEmpty())
            return;
    }

    DWORD dwAlign = pButton->GetButtonStyle();
    int x = KvoButtonAlignX(dwAlign, rcPart.left, rcPart.right, sizeContent.cx);
    int y = KvoButtonAlignY(dwAlign, rcPart.top, rcPart.bottom, sizeContent.cy);
    if (KvoButtonAligns(dwAlign, BS_CENTER, BS_RIGHT))
        nFlags |= DT_RIGHT;
    else if (KvoButtonAligns(dwAlign, BS_CENTER, BS_CENTER))
        nFlags |= DT_CENTER;
    if (KvoButtonAligns(dwAlign, BS_VCENTER, BS_BOTTOM))
        nFlags |= DT_BOTTOM;
    else if (KvoButtonAligns(dwAlign, BS_VCENTER, BS_VCENTER))
        nFlags |= DT_VCENTER;

    CRect rcContent(CPoint(x, y), sizeContent);
    if (dwStyle & BS_BITMAP)
        ::DrawStateW(pDC->m_hDC, NULL, NULL, reinterpret_cast<LPARAM>(hImage), 0, x, y, sizeContent.cx,
                     sizeContent.cy, DST_BITMAP);
    else if (dwStyle & BS_ICON)
        ::DrawStateW(pDC->m_hDC, NULL, NULL, reinterpret_cast<LPARAM>(hImage), 0, x, y, sizeContent.cx,
                     sizeContent.cy, DST_ICON);
    else if (pButton->GetMarkupElement())
        MarkupRenderElement(pButton->GetMarkupElement(), pDC->m_hDC, &rcContent);
    else
    {
        if (pButton->GetExStyle() & WS_EX_RTLREADING)
            nFlags |= DT_RTLREADING;
        if (pButton->IsAcceleratorHidden())
            nFlags |= DT_HIDEPREFIX;
        CRect rcDraw = (dwStyle & BS_MULTILINE) ? rcContent : rcPart;
        pDC->DrawText(pButton->GetButtonText(), &rcDraw, nFlags);
    }
    if (pButton->ShouldDrawFocus())
        DrawLabelFocus(pDC, pButton, rcContent);
}

void CKvoButtonTheme::DrawLabelFocus(CDC* pDC, CKvoButton* pButton, const CRect& rcContent) const
{
    CRect rcClient = ClientRect(pButton);
    CRect rcFocus;
    rcFocus.left = std::max(rcContent.left - m_cxBorder, rcClient.left);
    rcFocus.top = std::max(rcContent.top - m_cyBorder, rcClient.top);
    rcFocus.bottom = std::min(rcFocus.top + rcContent.Height() + m_cyEdge, rcClient.bottom);
    rcFocus.right = std::min(rcFocus.left + rcContent.Width() + m_cxEdge, rcClient.right);
    pDC->SetTextColor(Palette(COLOR_BTNTEXT));
    pDC->SetBkColor(Palette(COLOR_WINDOW));
    pDC->DrawFocusRect(&rcFocus);
}

// ---------------------------------------------------------------------------
// The default look.

BOOL CKvoButtonTheme::DrawBackgroundOpening(CDC* pDC, CKvoButton* pButton)
{
    if (pButton->IsFlatStyle() && !pButton->IsHighlighted() && !pButton->IsPushed() && !pButton->GetChecked())
        return TRUE;
    if (UsesVisualStyles(pButton))
    {
        DrawVisualStylePushButton(pDC, pButton);
        return TRUE;
    }
    return FALSE;
}

void CKvoButtonTheme::DrawVisualStylePushButton(CDC* pDC, CKvoButton* pButton)
{
    int nState = PBS_NORMAL;
    if (IsDisabled(pButton))
        nState = PBS_DISABLED;
    else if (pButton->IsPushed())
        nState = PBS_PRESSED;
    else if (pButton->IsHighlighted())
        nState = PBS_HOT;
    else if (pButton->GetChecked())
        nState = PBS_PRESSED;
    else if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
        nState = PBS_DEFAULTED;
    CRect rc = ClientRect(pButton);
    m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_PUSHBUTTON, nState, &rc, NULL);
}

void CKvoButtonTheme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    DrawDefaultBackground(pDC, pButton);
}

void CKvoButtonTheme::DrawDefaultBackground(CDC* pDC, CKvoButton* pButton)
{
    CRect rc = ClientRect(pButton);
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
    {
        pDC->Draw3dRect(&rc, m_clrDarkShadow, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
    }
    if (IsPressed(pButton))
    {
        pDC->Draw3dRect(&rc, m_clrDarkShadow, m_clrHighlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrFrame);
    }
    else
    {
        pDC->Draw3dRect(&rc, m_clrHighlight, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, m_clrFrame, m_clrShadow);
    }
}

int CKvoButtonTheme::GetVisualStyleMarkState(CKvoButton* pButton) const
{
    int nState = 1;
    if (IsDisabled(pButton))
        nState = 4;
    else if (pButton->IsPushed())
        nState = 3;
    else if (pButton->IsHighlighted())
        nState = 2;
    return nState;
}

UINT CKvoButtonTheme::GetFrameControlState(CKvoButton* pButton) const
{
    UINT nState = 0;
    if (m_bFlatLook)
        nState |= DFCS_FLAT;
    if (pButton->GetChecked())
        nState |= DFCS_CHECKED;
    if (IsDisabled(pButton))
        nState |= DFCS_INACTIVE;
    if (pButton->IsPushed())
        nState |= DFCS_PUSHED;
    return nState;
}

void CKvoButtonTheme::DrawCheckMark(CDC* pDC, CKvoButton* pButton)
{
    DrawDefaultCheckMark(pDC, pButton);
}

void CKvoButtonTheme::DrawDefaultCheckMark(CDC* pDC, CKvoButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, KvoButtonPartCheckMark);
    int nCheck = pButton->GetChecked();
    BOOL bMixed = nCheck == 2 && KvoButtonIsThreeState(pButton->GetButtonType());
    if (UsesVisualStyles(pButton))
    {
        // Unchecked, checked and mixed states come in runs of four.
        int nState = GetVisualStyleMarkState(pButton) + (nCheck ? 4 : 0) + (bMixed ? 4 : 0);
        m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_CHECKBOX, nState, &rc, NULL);
        return;
    }
    UINT nState = DFCS_BUTTONCHECK | GetFrameControlState(pButton) | (bMixed ? DFCS_BUTTON3STATE : 0);
    ::DrawFrameControl(pDC->m_hDC, &rc, DFC_BUTTON, nState);
}

void CKvoButtonTheme::DrawRadioMark(CDC* pDC, CKvoButton* pButton)
{
    DrawDefaultRadioMark(pDC, pButton);
}

void CKvoButtonTheme::DrawDefaultRadioMark(CDC* pDC, CKvoButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, KvoButtonPartRadioMark);
    if (UsesVisualStyles(pButton))
    {
        int nState = GetVisualStyleMarkState(pButton) + (pButton->GetChecked() ? 4 : 0);
        m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_RADIOBUTTON, nState, &rc, NULL);
        return;
    }
    ::DrawFrameControl(pDC->m_hDC, &rc, DFC_BUTTON, DFCS_BUTTONRADIO | GetFrameControlState(pButton));
}

void CKvoButtonTheme::DrawGroupBox(CDC* pDC, CKvoButton* pButton)
{
    DrawDefaultGroupBox(pDC, pButton);
}

void CKvoButtonTheme::ExcludeGroupBoxCaption(CDC* pDC, CKvoButton* pButton)
{
    CRect rcCaption = CalcRect(pDC, pButton, KvoButtonPartGroupText);
    BOOL bRight = KvoButtonAligns(pButton->GetButtonStyle(), BS_CENTER, BS_RIGHT);
    rcCaption.OffsetRect(bRight ? m_cxEdge : -m_cxEdge, 0);
    if (!rcCaption.IsRectEmpty())
        pDC->ExcludeClipRect(&rcCaption);
}

void CKvoButtonTheme::DrawDefaultGroupBox(CDC* pDC, CKvoButton* pButton)
{
    CRect rcFrame = CalcRect(pDC, pButton, KvoButtonPartGroupFrame);
    ExcludeGroupBoxCaption(pDC, pButton);
    BOOL bVisualStyles = UsesVisualStyles(pButton);
    UINT nFlat = m_bFlatLook ? (BF_FLAT | BF_MONO) : 0;
    if (pButton->GetGroupBoxMode() != 1)
    {
        if (bVisualStyles)
            m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_GROUPBOX, IsDisabled(pButton) ? GBS_DISABLED : GBS_NORMAL,
                                              &rcFrame, NULL);
        else
            ::DrawEdge(pDC->m_hDC, &rcFrame, EDGE_ETCHED, BF_RECT | nFlat);
    }
    else if (bVisualStyles)
    {
        COLORREF clrLine = 0;
        if (FAILED(m_themeButton.GetThemeColor(BP_GROUPBOX, GBS_NORMAL, TMT_BORDERCOLORHINT, &clrLine)))
            clrLine = ::GetSysColor(COLOR_BTNSHADOW);
        pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), 1, clrLine);
    }
    else
    {
        ::DrawEdge(pDC->m_hDC, &rcFrame, EDGE_ETCHED, BF_TOP | nFlat);
    }
    pDC->SelectClipRgn(NULL);
}

void CKvoButtonTheme::DrawFlatGroupBox(CDC* pDC, CKvoButton* pButton, COLORREF clrLine)
{
    if (UsesVisualStyles(pButton))
    {
        DrawDefaultGroupBox(pDC, pButton);
        return;
    }
    CRect rcFrame = CalcRect(pDC, pButton, KvoButtonPartGroupFrame);
    ExcludeGroupBoxCaption(pDC, pButton);
    if (pButton->GetGroupBoxMode() == 1)
        pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), 1, clrLine);
    else
        pDC->Draw3dRect(&rcFrame, clrLine, clrLine);
    pDC->SelectClipRgn(NULL);
}

// ---------------------------------------------------------------------------

void CKvoButtonTheme::DrawAntialiasedCircle(CDC* pDC, const CRect& rect, COLORREF clrBorder, COLORREF clrFill)
{
    DrawAntialiasedCircle(pDC, rect.left, rect.top, rect.right, rect.bottom, clrBorder, clrFill);
}

void CKvoButtonTheme::DrawAntialiasedCircle(CDC* pDC, int left, int top, int right, int bottom, COLORREF clrBorder,
                                            COLORREF clrFill)
{
    double cx = (left + right - 1) / 2.0;
    double cy = (top + bottom - 1) / 2.0;
    double r = (right - left - 1) / 2.0 - 0.25;
    for (int y = top; y < bottom; y++)
    {
        for (int x = left; x < right; x++)
        {
            double d = sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d > r + 1)
                continue;
            COLORREF clrPixel;
            if (d >= r)
                clrPixel = BlendKvoCircleEdge(clrBorder, pDC->GetPixel(x, y), d - r);
            else if (d >= r - 1)
                clrPixel = BlendKvoCircleEdge(clrBorder, clrFill, r - d);
            else
                clrPixel = clrFill;
            pDC->SetPixel(x, y, clrPixel);
        }
    }
}

// base + (other − base) × weight per channel, truncated to 8 bits.
COLORREF CKvoButtonTheme::BlendKvoCircleEdge(COLORREF clrBase, COLORREF clrOther, double dWeight)
{
    int channels[3];
    for (int i = 0; i < 3; i++)
    {
        int nBase = (clrBase >> (8 * i)) & 0xFF;
        int nOther = (clrOther >> (8 * i)) & 0xFF;
        channels[i] = static_cast<int>(nBase + (nOther - nBase) * dWeight) & 0xFF;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

// ---------------------------------------------------------------------------

CKvoButtonFlatTheme::CKvoButtonFlatTheme()
{
    m_bFlatLook = TRUE;
}

CKvoButtonFlatTheme::~CKvoButtonFlatTheme()
{
    m_themeButton.CloseThemeData();
}

void CKvoButtonFlatTheme::DrawButtonBackground(CDC* pDC, CKvoButton* pButton)
{
    if (DrawBackgroundOpening(pDC, pButton))
        return;
    CRect rc = ClientRect(pButton);
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    COLORREF clrLine = Palette(COLOR_WINDOWFRAME);
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
    {
        pDC->Draw3dRect(&rc, clrLine, clrLine);
        rc.DeflateRect(1, 1);
    }
    pDC->Draw3dRect(&rc, clrLine, clrLine);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, Palette(COLOR_WINDOW), Palette(COLOR_WINDOW));
}
