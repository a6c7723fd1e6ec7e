// The paint manager's default measuring and drawing of controls: the
// layout of a control in a toolbar, the caption painters and the small
// glyphs. The themes draw backgrounds, highlights and images and call these
// for the layout and the text.
#include <algorithm>
#include <vssym32.h>
#include "commandbars/KvoPaintManager.h"
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControl.h"
#include "foundation/controls/KvoButtonTheme.h"
#include "foundation/images/KvoImageManagerIcon.h"

namespace {
const UINT kCaptionFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
const UINT kVerticalFormat = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE;
const KvoPaletteIndex kEmbossIndex = static_cast<KvoPaletteIndex>(COLOR_BTNHIGHLIGHT);
const int kCheckMarkSide = 13;

// The caption as it shows: accelerator prefixes gone, "&&" kept as "&".
CString StripPrefixes(const CString& caption)
{
    CString stripped;
    for (int index = 0; index < caption.GetLength(); ++index) {
        if (caption[index] == L'&' && index + 1 < caption.GetLength())
            ++index;
        stripped += caption[index];
    }
    return stripped;
}

BOOL IsVerticalBar(const CKvoCommandBar* bar)
{
    return bar && (bar->GetPosition() == KvoBarLeft || bar->GetPosition() == KvoBarRight);
}

// A split button counts value 5 as disabled in the bar layouts.
BOOL IsEnabledInLayout(CKvoControl* control)
{
    const int enabled = control->GetEnabled();
    return enabled != 0 && !(control->GetType() == KvoControlTypeSplitButtonPopup && enabled == 5);
}

CSize TextExtent(CDC* dc, const CString& text)
{
    return dc->GetTextExtent(text.IsEmpty() ? CString(L" ") : text);
}
} // namespace

// ---- state rules ----

void CKvoPaintManager::DrawControlStateHighlight(CDC* dc, CKvoControl* control)
{
    CKvoCommandBar* bar = control->GetParent();
    DrawControlHighlight(dc, control->GetRect(), control->GetSelected(), control->GetPressed(),
                         IsEnabledInLayout(control), control->GetChecked(), control->IsPopupOpen(),
                         bar ? bar->GetType() : KvoBarTypeNormal, bar ? bar->GetPosition() : KvoBarTop);
}

COLORREF CKvoPaintManager::GetControlTextColor(CKvoControl* control)
{
    CKvoCommandBar* bar = control->GetParent();
    const int barType = bar ? bar->GetType() : KvoBarTypeNormal;
    const int barPosition = bar ? bar->GetPosition() : KvoBarTop;
    const int enabledState = control->GetEnabled();
    BOOL enabled = enabledState != 0;
    if (control->GetType() == KvoControlTypeSplitButtonPopup) {
        const BOOL large = control->GetStyle() == KvoButtonIconAndCaptionBelow;
        enabled = enabledState != 0 && !(large && enabledState == 4) && !(!large && enabledState == 5);
    }
    const int type = control->GetType();
    if ((type == KvoControlTypeCheckBox || type == KvoControlTypeRadioButton) && !(bar && bar->IsPopupBar()))
        return GetTextColorForState(control->GetSelected(), FALSE, enabled, FALSE, FALSE, barType, barPosition);
    return GetTextColorForState(control->GetSelected(), control->GetPressed(), enabled, control->GetChecked(),
                                control->IsPopupOpen(), barType, barPosition);
}

COLORREF CKvoPaintManager::GetControlEditBackColor(CKvoControl* control)
{
    return GetPaletteColor(control->GetEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
}

CSize CKvoPaintManager::ApplyCustomSize(CSize size, CKvoControl* control, BOOL vertical)
{
    const int width = control->GetWidth();
    const int height = control->GetHeight();
    if (!vertical) {
        if (width > 0)
            size.cx = width;
        if (height > 0)
            size.cy = height;
    } else {
        if (width > 0)
            size.cy = width;
        if (height > 0)
            size.cx = height;
    }
    return size;
}

CRect CKvoPaintManager::GetSplitPartRect(CKvoControl* control)
{
    CRect rect = control->GetRect();
    CKvoCommandBar* bar = control->GetParent();
    const BOOL inPopup = bar && bar->GetType() == KvoBarTypePopup;
    if (control->GetStyle() == KvoButtonIconAndCaptionBelow && !inPopup) {
        if (IsVerticalBar(bar))
            rect.left += GetSplitDropDownWidth();
        else
            rect.bottom -= GetSplitDropDownWidth();
        return rect;
    }
    rect.right -= inPopup ? m_nSplitPopupWidth : m_nSplitDropDownWidth + 1;
    return rect;
}

// ---- caption painters ----

void CKvoPaintManager::DrawTextOnGlass(CDC* dc, const CString& text, CRect rect, UINT format, BOOL glass)
{
    if (!glass) {
        dc->DrawText(text, &rect, format);
        return;
    }
    CKvoWinThemeWrapper globals(m_uxTheme, m_bFollowUxThemeModule);
    globals.OpenThemeData(nullptr, L"GLOBALS");
    HDC paintDC = nullptr;
    BP_PAINTPARAMS params = {sizeof params};
    HPAINTBUFFER buffer =
        globals.IsAppThemed() ? globals.BeginBufferedPaint(dc->m_hDC, &rect, BPBF_TOPDOWNDIB, &params, &paintDC)
                              : nullptr;
    if (!buffer) {
        dc->DrawText(text, &rect, format);
        return;
    }
    // Glass has no background of its own: the text is composited over a
    // copy of what lies under it.
    ::BitBlt(paintDC, rect.left, rect.top, rect.Width(), rect.Height(), dc->m_hDC, rect.left, rect.top, SRCCOPY);
    HGDIOBJ oldFont = ::SelectObject(paintDC, ::GetCurrentObject(dc->m_hDC, OBJ_FONT));
    DTTOPTS options = {};
    options.dwSize = sizeof(DTTOPTS);
    options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
    options.crText = dc->GetTextColor();
    globals.DrawThemeTextEx(paintDC, 0, 0, text, -1, format, &rect, &options);
    ::SelectObject(paintDC, oldFont);
    globals.EndBufferedPaint(buffer, TRUE);
}

void CKvoPaintManager::DrawCaptionText(CDC* dc, CKvoControl* control, const CString& caption,
                                       const CString& strippedCaption, CRect rect, BOOL vertical, BOOL centred)
{
    const BOOL embossed = control->GetEnabled() == 0 && m_bEmbossedDisabledText;
    CKvoCommandBar* bar = control->GetParent();
    const BOOL underline = m_nShowKeyboardCues >= 0 ? m_nShowKeyboardCues != 0 : (!bar || bar->IsKeyboardCuesVisible());
    const UINT centre = centred ? DT_CENTER : 0;
    const UINT baseFormat = (vertical ? kVerticalFormat : kCaptionFormat) | centre;
    if (embossed) {
        const COLORREF textColor = dc->SetTextColor(GetPaletteColor(kEmbossIndex));
        CRect shadow = rect;
        shadow.OffsetRect(1, 1);
        dc->DrawText(strippedCaption, &shadow, baseFormat);
        dc->SetTextColor(textColor);
    }
    if (vertical) {
        dc->DrawText(strippedCaption, &rect, baseFormat);
        return;
    }
    if (underline)
        DrawTextOnGlass(dc, caption, rect, DT_SINGLELINE | DT_VCENTER | centre, control->IsOnGlassCaption());
    else
        DrawTextOnGlass(dc, strippedCaption, rect, baseFormat, control->IsOnGlassCaption());
}

CSize CKvoPaintManager::DrawControlSingleLineText(CDC* dc, CKvoControl* control, CRect rect, BOOL draw,
                                                  BOOL vertical, BOOL centred, BOOL dropDownGlyph)
{
    const CString caption = control->GetCaption();
    const CString stripped = StripPrefixes(caption);
    CSize extent = TextExtent(dc, stripped);
    if (!draw) {
        if (dropDownGlyph)
            extent.cx += m_bCompactDropDownGlyph ? 8 : 10;
        return vertical ? CSize(extent.cy, extent.cx) : extent;
    }
    const int width = dc->GetTextExtent(stripped).cx + (dropDownGlyph ? 5 : 0);
    const BOOL enabled = IsEnabledInLayout(control);
    if (!vertical) {
        const int x = centred ? rect.left + (rect.Width() - width) / 2 : rect.left;
        DrawCaptionText(dc, control, caption, stripped, CRect(x, rect.top, rect.right, rect.bottom), FALSE, FALSE);
        if (dropDownGlyph)
            DrawDropDownGlyph(dc, control, x + width, (rect.top + rect.bottom) / 2, control->GetSelected(),
                              control->IsPopupOpen(), enabled, FALSE);
        return extent;
    }
    const int start = centred ? rect.top + (rect.Height() - width) / 2 : rect.top;
    DrawCaptionText(dc, control, caption, stripped, CRect(rect.left, start, rect.right, rect.bottom), TRUE, FALSE);
    if (dropDownGlyph)
        DrawDropDownGlyph(dc, control, (rect.left + rect.right) / 2, start + width - 1, control->GetSelected(),
                          control->IsPopupOpen(), enabled, TRUE);
    return CSize(extent.cy, extent.cx);
}

void CKvoPaintManager::SplitCaption(const CString& caption, CString& line1, CString& line2)
{
    line1 = caption;
    line2.Empty();
    const int length = caption.GetLength();
    if (length < 4 || caption[0] == L' ' || caption.Find(L' ') < 0)
        return;
    // The blank nearest the middle, looking left of it first.
    const int middle = length / 2;
    for (int step = 0; step < middle - 1; ++step) {
        for (int position : {middle - step, middle + step + 1}) {
            if (position < length && caption[position] == L' ') {
                line1 = caption.Left(position);
                line2 = caption.Mid(position + 1);
                return;
            }
        }
    }
}

CSize CKvoPaintManager::DrawControlTwoLineText(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical,
                                               BOOL dropDownGlyph)
{
    CString line1, line2;
    if (m_bTwoLineCaptions)
        SplitCaption(control->GetCaption(), line1, line2);
    else
        line1 = control->GetCaption();
    const CString stripped1 = StripPrefixes(line1);
    const CString stripped2 = StripPrefixes(line2);
    const int width1 = TextExtent(dc, stripped1).cx;
    const int width2 = TextExtent(dc, stripped2).cx + (dropDownGlyph ? 8 : 0);
    if (!draw)
        return vertical ? CSize(24, std::max<LONG>(width1, width2)) : CSize(std::max<LONG>(width1, width2), 24);

    const BOOL enabled = IsEnabledInLayout(control);
    if (!vertical) {
        const int middle = (rect.top + rect.bottom) / 2;
        DrawCaptionText(dc, control, line1, stripped1, CRect(rect.left, rect.top, rect.right, middle), FALSE, TRUE);
        const int line2Width = (stripped2.IsEmpty() ? 0 : dc->GetTextExtent(stripped2).cx) + (dropDownGlyph ? 9 : 0);
        const int x = rect.left + (rect.Width() - line2Width) / 2;
        if (!stripped2.IsEmpty())
            DrawCaptionText(dc, control, line2, stripped2, CRect(x, middle, x + line2Width, rect.bottom), FALSE,
                            FALSE);
        if (dropDownGlyph) {
            const int glyphX = stripped2.IsEmpty() ? (rect.left + rect.right) / 2 - 1 : x + line2Width - 4;
            DrawDropDownGlyph(dc, control, glyphX, (middle + rect.bottom) / 2, control->GetSelected(),
                              control->IsPopupOpen(), enabled, FALSE);
        }
        return CSize(std::max<LONG>(width1, width2), 24);
    }
    const int middle = (rect.left + rect.right) / 2;
    DrawCaptionText(dc, control, line1, stripped1, CRect(middle, rect.top, rect.right, rect.bottom), TRUE, TRUE);
    if (!stripped2.IsEmpty())
        DrawCaptionText(dc, control, line2, stripped2, CRect(rect.left, rect.top, middle, rect.bottom), TRUE, TRUE);
    if (dropDownGlyph)
        DrawDropDownGlyph(dc, control, (rect.left + middle) / 2, rect.bottom - 6, control->GetSelected(),
                          control->IsPopupOpen(), enabled, TRUE);
    return CSize(24, std::max<LONG>(width1, width2));
}

CSize CKvoPaintManager::DrawToolBarControlText(CDC* dc, CKvoControl* control, CRect rect, BOOL draw,
                                               BOOL dropDownGlyph, int buttonWidth, int buttonHeight,
                                               BOOL imageShown)
{
    const BOOL vertical = IsVerticalBar(control->GetParent());
    if (!vertical) {
        if (!imageShown) {
            const CSize text = DrawControlSingleLineText(dc, control, rect, draw, FALSE, TRUE, dropDownGlyph);
            return CSize(text.cx + 8, std::max<LONG>(buttonHeight, text.cy + 6));
        }
        CRect textRect = rect;
        textRect.left += buttonWidth - (m_bCompactDropDownGlyph ? 0 : 1);
        const CSize text = DrawControlSingleLineText(dc, control, textRect, draw, FALSE, FALSE, dropDownGlyph);
        return CSize(buttonWidth + text.cx + (m_bCompactDropDownGlyph ? 4 : 3), std::max<LONG>(text.cy + 6, buttonHeight));
    }
    // Vertical sizes come back turned: cx is across the bar.
    if (!imageShown) {
        const CSize text = DrawControlSingleLineText(dc, control, rect, draw, TRUE, TRUE, dropDownGlyph);
        return CSize(std::max<LONG>(text.cx + 6, buttonWidth), text.cy + 8);
    }
    CRect textRect = rect;
    textRect.top += buttonHeight;
    const CSize text = DrawControlSingleLineText(dc, control, textRect, draw, TRUE, FALSE, dropDownGlyph);
    return CSize(std::max<LONG>(text.cx + 6, buttonWidth), text.cy + 3 + buttonHeight);
}

// ---- a control in a toolbar ----

CSize CKvoPaintManager::DrawControlInToolBar(CDC* dc, CKvoControl* control, BOOL draw)
{
    CKvoCommandBar* bar = control->GetParent();
    CFont* oldFont = dc->SelectObject(GetControlFont(bar, control->GetDefaultItem()));
    const CSize size = ApplyCustomSize(LayOutToolBarControl(dc, control, draw), control, IsVerticalBar(bar));
    dc->SelectObject(oldFont);
    return size;
}

CSize CKvoPaintManager::LayOutToolBarControl(CDC* dc, CKvoControl* control, BOOL draw)
{
    CKvoCommandBar* bar = control->GetParent();
    const BOOL vertical = IsVerticalBar(bar);
    const CSize image = GetControlImageSize(control);
    const CSize button = control->GetButtonSize();
    const int type = control->GetType();
    const int style = control->GetStyle();
    const CRect rect = draw ? control->GetRect() : CRect(0, 0, 0, 0);
    const BOOL imageWanted = style == KvoButtonIcon || style == KvoButtonIconAndCaption ||
                             style == KvoButtonIconAndCaptionBelow ||
                             (style == KvoButtonAutomatic && type != KvoControlTypePopup);
    CKvoImageManagerIcon* icon = imageWanted ? control->GetImage(image.cx) : nullptr;

    if (type == KvoControlTypeCheckBox || type == KvoControlTypeRadioButton)
        return LayOutMarkControl(dc, control, rect, draw, vertical);

    if (draw) {
        if (type == KvoControlTypeSplitButtonPopup)
            DrawSplitButtonFrame(dc, control, rect);
        else if (!control->IsRibbonItem())
            DrawControlStateHighlight(dc, control);
        dc->SetTextColor(GetControlTextColor(control));
    }
    if (style == KvoButtonIconAndCaptionBelow)
        return LayOutLargeControl(dc, control, rect, draw, vertical, icon, image);
    if (bar && bar->IsTextBelowIcons() && icon)
        return LayOutTextBelowIcon(dc, control, rect, draw, icon, image, button);

    const BOOL enabled = IsEnabledInLayout(control);
    if (draw && icon) {
        const int height = icon->GetWidth() > 0 ? icon->GetHeight() * image.cx / icon->GetWidth() : image.cy;
        CPoint at = vertical ? CPoint(rect.CenterPoint().x - image.cx / 2, rect.top + 3)
                             : CPoint(rect.left + 3, rect.CenterPoint().y - height / 2);
        if ((type == KvoControlTypeButton || type == KvoControlTypeButtonPopup) && !control->IsCaptionVisible())
            at = CPoint(rect.CenterPoint().x - image.cx / 2, rect.CenterPoint().y - height / 2);
        DrawImage(dc, at.x, at.y, image.cx, height, icon, control->GetSelected(), control->GetPressed(), enabled,
                  control->GetChecked(), control->IsPopupOpen(), TRUE);
    }
    const BOOL menuBar = bar && bar->GetType() == KvoBarTypeMenuBar;
    switch (type) {
    case KvoControlTypeButton:
    case KvoControlTypeButtonPopup:
    case KvoControlTypeLabel:
    case KvoControlTypeCheckBox:
    case KvoControlTypeGallery: {
        if (!control->IsCaptionVisible())
            return button;
        const int imageArea = icon ? button.cx : 22;
        const CSize text = DrawToolBarControlText(dc, control, rect, draw, FALSE, imageArea, button.cy, icon != nullptr);
        return vertical ? CSize(button.cx, text.cy) : CSize(text.cx, button.cy);
    }
    case KvoControlTypePopup: {
        if (!icon) {
            const CSize text =
                DrawControlSingleLineText(dc, control, rect, draw, vertical, TRUE, !(draw && menuBar));
            return vertical ? CSize(button.cx, text.cy + 6) : CSize(text.cx + 6, button.cy);
        }
        if (!control->IsCaptionVisible()) {
            if (draw)
                DrawDropDownGlyph(dc, control, rect.right - 7, rect.CenterPoint().y, control->GetSelected(),
                                  control->IsPopupOpen(), enabled, vertical);
            return CSize(button.cy + 7, button.cy);
        }
        const CSize text = DrawToolBarControlText(dc, control, rect, draw, !menuBar, button.cx, button.cy, TRUE);
        return vertical ? CSize(button.cx, text.cy) : CSize(text.cx, button.cy);
    }
    case KvoControlTypeSplitButtonPopup: {
        const CSize splitButton = icon ? button : CSize(22, 22);
        if (!control->IsCaptionVisible())
            return CSize(splitButton.cx + m_nSplitDropDownWidth, splitButton.cy);
        CRect textRect = rect;
        textRect.right -= m_nSplitDropDownWidth;
        const CSize text =
            DrawToolBarControlText(dc, control, textRect, draw, FALSE, splitButton.cx, splitButton.cy, icon != nullptr);
        return CSize(m_nSplitDropDownWidth + text.cx, splitButton.cy);
    }
    default:
        return CSize(0, 0);
    }
}

CSize CKvoPaintManager::LayOutMarkControl(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical)
{
    const BOOL radio = control->GetType() == KvoControlTypeRadioButton;
    const BOOL enabled = IsEnabledInLayout(control);
    const CSize mark = radio ? DrawRadioButtonMark(dc, rect, FALSE, FALSE, FALSE, 0, enabled)
                             : DrawCheckBoxMark(dc, rect, FALSE, FALSE, FALSE, 0, enabled);
    const CSize text = DrawControlSingleLineText(dc, control, rect, FALSE, vertical, FALSE, FALSE);
    if (draw) {
        const COLORREF textColor = GetControlTextColor(control);
        dc->SetTextColor(textColor);
        const CPoint at = vertical ? CPoint(rect.CenterPoint().x - mark.cx / 2, rect.top + 3)
                                   : CPoint(rect.left + 3, rect.CenterPoint().y - mark.cy / 2);
        const CRect markRect(at, mark);
        const BOOL hot = control->GetSelected() != 0;
        const BOOL pressed = control->GetPressed() != 0;
        if (radio)
            DrawRadioButtonMark(dc, markRect, TRUE, hot, pressed, control->GetChecked(), enabled);
        else
            DrawCheckBoxMark(dc, markRect, TRUE, hot, pressed, control->GetChecked(), enabled);
        CRect textRect = rect;
        if (vertical)
            textRect.top = markRect.bottom + 5;
        else
            textRect.left = markRect.right + 5;
        DrawControlSingleLineText(dc, control, textRect, TRUE, vertical, FALSE, FALSE);
        if (control->GetSelected() == 2 || control->GetSelected() == 3) {
            dc->SetTextColor(GetPaletteColor(COLOR_BTNTEXT));
            dc->SetBkColor(GetPaletteColor(COLOR_BTNFACE));
            dc->DrawFocusRect(&rect);
            dc->SetTextColor(textColor);
        }
    }
    return vertical ? CSize(std::max<LONG>(mark.cx, text.cx), text.cy + mark.cy + 5)
                    : CSize(mark.cx + text.cx + 5, std::max<LONG>(mark.cy, text.cy));
}

CSize CKvoPaintManager::LayOutLargeControl(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical,
                                           CKvoImageManagerIcon* icon, CSize image)
{
    const int split = GetSplitDropDownWidth();
    CSize size(std::max<LONG>(2 * GetControlHeight() - 3, 42), m_nEditHeight > 0 ? 3 * m_nEditHeight : image.cy + 7 + split);
    if (vertical)
        size = CSize(size.cy, size.cx);
    const BOOL glyph = control->GetCommandBar() != nullptr;
    if (!draw) {
        const CSize text = DrawControlTwoLineText(dc, control, rect, FALSE, vertical, glyph);
        if (vertical)
            size.cy = std::max<LONG>(size.cy, text.cy + 6);
        else
            size.cx = std::max<LONG>(size.cx, text.cx + 5);
        return size;
    }
    if (icon) {
        const CPoint at = vertical ? CPoint(rect.left + 4 + split, rect.CenterPoint().y - image.cy / 2)
                                   : CPoint(rect.CenterPoint().x - image.cx / 2, rect.top + 3);
        DrawImage(dc, at.x, at.y, image.cx, 0, icon, control->GetSelected(), control->GetPressed(),
                  IsEnabledInLayout(control), control->GetChecked(), control->IsPopupOpen(), TRUE);
    }
    const CRect textRect = vertical ? CRect(rect.left, rect.top, rect.left + split, rect.bottom)
                                    : CRect(rect.left, rect.bottom - 1 - split, rect.right, rect.bottom - 1);
    DrawControlTwoLineText(dc, control, textRect, TRUE, vertical, glyph);
    return size;
}

CSize CKvoPaintManager::LayOutTextBelowIcon(CDC* dc, CKvoControl* control, CRect rect, BOOL draw,
                                            CKvoImageManagerIcon* icon, CSize image, CSize button)
{
    const int type = control->GetType();
    dc->SelectObject(control->GetDefaultItem() ? &m_fontRegularBold : &m_fontRegular);
    if (!draw) {
        const CSize text = DrawControlSingleLineText(dc, control, rect, FALSE, FALSE, TRUE, type == KvoControlTypePopup);
        const int height = text.cy + button.cy;
        int width = std::max<LONG>(button.cx, text.cx + 10) + (type == KvoControlTypeSplitButtonPopup ? 11 : 0);
        return CSize(std::max<LONG>(width, height), height);
    }
    if (type == KvoControlTypeSplitButtonPopup)
        rect.right -= m_nSplitDropDownWidth;
    DrawImage(dc, rect.CenterPoint().x - image.cx / 2, rect.top + 4, image.cx, image.cy, icon, control->GetSelected(),
              control->GetPressed(), IsEnabledInLayout(control), control->GetChecked(), control->IsPopupOpen(), TRUE);
    DrawControlSingleLineText(dc, control, CRect(rect.left, rect.top + button.cy - 4, rect.right, rect.bottom), TRUE,
                              FALSE, TRUE, type == KvoControlTypePopup);
    return rect.Size();
}

// ---- glyphs ----

CSize CKvoPaintManager::DrawCheckBoxMark(CDC* dc, CRect rect, BOOL draw, BOOL hot, BOOL pressed, int checkedState,
                                         BOOL enabled)
{
    if (draw)
        DrawButtonMark(dc, rect, FALSE, hot, pressed, checkedState, enabled);
    return CSize(kCheckMarkSide, kCheckMarkSide);
}

CSize CKvoPaintManager::DrawRadioButtonMark(CDC* dc, CRect rect, BOOL draw, BOOL hot, BOOL pressed,
                                            int checkedState, BOOL enabled)
{
    if (draw)
        DrawButtonMark(dc, rect, TRUE, hot, pressed, checkedState, enabled);
    return CSize(kCheckMarkSide, kCheckMarkSide);
}

void CKvoPaintManager::DrawButtonMark(CDC* dc, CRect rect, BOOL radio, BOOL hot, BOOL pressed, int checkedState,
                                      BOOL enabled)
{
    if (m_bThemedButtons && m_themeButton.IsAppThemed()) {
        // Visual-style states: normal, hot, pressed, disabled, each for
        // unchecked, checked and mixed.
        const int pressState = !enabled ? 3 : pressed && hot ? 2 : hot ? 1 : 0;
        const int state = 1 + pressState + (checkedState == 1 ? 4 : 0) + (checkedState == 2 ? 8 : 0);
        m_themeButton.DrawThemeBackground(dc->m_hDC, radio ? BP_RADIOBUTTON : BP_CHECKBOX, state, &rect, nullptr);
        return;
    }
    UINT state = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (checkedState > 0)
        state |= DFCS_CHECKED;
    if (pressed)
        state |= DFCS_PUSHED;
    if (!enabled || checkedState == 2)
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc->m_hDC, &rect, DFC_BUTTON, state);
}

void CKvoPaintManager::DrawDropDownGlyph(CDC* dc, CKvoControl*, int x, int y, BOOL selected, BOOL popupOpen,
                                         BOOL enabled, BOOL vertical)
{
    const COLORREF color = GetTextColorForState(selected, FALSE, enabled, FALSE, popupOpen, KvoBarTypeNormal, KvoBarTop);
    if (vertical)
        Triangle(dc, CPoint(x + 2, y - 2), CPoint(x + 2, y + 2), CPoint(x, y), color);
    else
        Triangle(dc, CPoint(x - 2, y - 1), CPoint(x + 2, y - 1), CPoint(x, y + 1), color);
}

void CKvoPaintManager::DrawMenuCheckMark(CDC* dc, CRect rect, BOOL, COLORREF color)
{
    const CPoint corner(rect.CenterPoint().x - 10, rect.CenterPoint().y - 10);
    const BOOL mirrored = (::GetLayout(dc->m_hDC) & LAYOUT_RTL) != 0;
    const CPoint start = corner + (mirrored ? CPoint(6, 7) : CPoint(6, 9));
    const CPoint bend = corner + (mirrored ? CPoint(10, 11) : CPoint(8, 11));
    const CPoint end = corner + (mirrored ? CPoint(13, 8) : CPoint(13, 6));
    const int strokes = m_bThickMenuCheckMark ? 3 : 2;
    for (int lower = 0; lower < strokes; ++lower) {
        DrawLineRGB(dc, start.x, start.y + lower, bend.x, bend.y + lower, color);
        DrawLineRGB(dc, bend.x, bend.y + lower, end.x, end.y + lower, color);
    }
}

void CKvoPaintManager::DrawMenuRadioMark(CDC* dc, CRect rect, BOOL, COLORREF color)
{
    const CPoint centre = rect.CenterPoint();
    CKvoButtonTheme::DrawAntialiasedCircle(dc, CRect(centre.x - 3, centre.y - 3, centre.x + 3, centre.y + 3), color,
                                           color);
}

void CKvoPaintManager::DrawComboExpandMark(CDC* dc, CRect rect, COLORREF color)
{
    const CPoint centre = rect.CenterPoint();
    const int halfWidth = std::max(rect.Width() / 2 - 4, 2);
    Triangle(dc, CPoint(centre.x - halfWidth, centre.y - halfWidth / 2), CPoint(centre.x + halfWidth, centre.y - halfWidth / 2),
             CPoint(centre.x, centre.y - halfWidth / 2 + halfWidth), color);
}

// ---- popup items ----

void CKvoPaintManager::DrawControlText(CDC* dc, CString& text, CRect& rect, UINT format, BOOL draw, BOOL selected,
                                       BOOL enabled)
{
    const UINT lineFormat = format | DT_SINGLELINE | DT_VCENTER;
    if (!draw) {
        dc->DrawText(text, &rect, lineFormat | DT_CALCRECT);
        return;
    }
    if (!selected && !enabled && m_bEmbossedDisabledText) {
        const COLORREF textColor = dc->SetTextColor(GetPaletteColor(kEmbossIndex));
        CRect shadow = rect;
        shadow.OffsetRect(1, 1);
        dc->DrawText(text, &shadow, lineFormat);
        dc->SetTextColor(textColor);
    }
    dc->DrawText(text, &rect, lineFormat);
}

CSize CKvoPaintManager::DrawControlInPopup(CDC* dc, CKvoControl* control, BOOL draw)
{
    CKvoCommandBar* bar = control->GetParent();
    int gripper = GetPopupBarGripperWidth(bar) - 1;
    const CSize cell = GetPopupImageCellSize(bar);
    int height = cell.cy;
    if (control->GetType() == KvoControlTypeLabel) {
        if (!m_bLabelGripper)
            gripper = 0;
        if (control->GetStyle() == KvoButtonCaption)
            height = GetControlHeight();
    }
    const CRect rect = draw ? control->GetRect() : CRect(0, 0, 0, 0);
    CRect captionRect(rect.left + m_nPopupTextGap + gripper, rect.top, rect.right, rect.bottom);
    CRect shortcutRect(rect.left + gripper + 8, rect.top, rect.right - 19, rect.bottom);
    CString shortcut = control->GetType() == KvoControlTypeButton ? control->GetShortcutText() : CString();
    CString caption = control->GetCaption();
    AdjustControlCaption(caption);
    UINT format = 0;
    if (bar && !bar->IsKeyboardCuesVisible()) {
        caption = StripPrefixes(caption);
        format |= DT_NOPREFIX;
    }
    const BOOL selected = control->GetSelected() != 0;
    const BOOL enabled = IsEnabledInLayout(control);
    const CString description = control->GetStyle() == KvoButtonCaptionAndDescription ? control->GetDescription()
                                                                                       : CString();
    CFont* oldFont = dc->SelectObject(
        GetControlFont(bar, control->GetDefaultItem() || !description.IsEmpty()));
    if (!shortcut.IsEmpty())
        captionRect.right -= 19 + dc->GetTextExtent(shortcut).cx;
    const CSize size = description.IsEmpty()
                           ? ApplyCustomSize(LayOutPopupCaption(dc, caption, shortcut, captionRect, shortcutRect,
                                                                format, draw, selected, enabled, gripper, height),
                                             control, FALSE)
                           : LayOutPopupDescription(dc, GetControlFont(bar, FALSE), caption, shortcut, description, captionRect, shortcutRect,
                                                    format, draw, selected, enabled, gripper, cell.cy);
    dc->SelectObject(oldFont);
    return size;
}

CSize CKvoPaintManager::LayOutPopupCaption(CDC* dc, CString& caption, CString& shortcut, CRect captionRect,
                                           CRect shortcutRect, UINT format, BOOL draw, BOOL selected, BOOL enabled,
                                           int gripper, int height)
{
    DrawControlText(dc, caption, captionRect, format | DT_END_ELLIPSIS, draw, selected, enabled);
    if (!shortcut.IsEmpty())
        DrawControlText(dc, shortcut, shortcutRect, format | DT_RIGHT, draw, selected, enabled);
    const int shortcutWidth = shortcut.IsEmpty() ? 0 : shortcutRect.Width();
    return CSize(captionRect.Width() + shortcutWidth + 4 + gripper + 32, height);
}

CSize CKvoPaintManager::LayOutPopupDescription(CDC* dc, CFont* descriptionFont, CString& caption, CString& shortcut,
                                               const CString& description, CRect captionRect, CRect shortcutRect,
                                               UINT format, BOOL draw, BOOL selected, BOOL enabled, int gripper,
                                               int cellHeight)
{
    // The caption takes the top line, the description at most two below it.
    const int itemBottom = captionRect.bottom;
    const int lineBottom = captionRect.top + 10 + dc->GetTextExtent(L" ").cy;
    captionRect.bottom = lineBottom;
    shortcutRect.bottom = lineBottom;
    const int right = shortcutRect.right + 19;
    DrawControlText(dc, caption, captionRect, format | DT_END_ELLIPSIS, draw, selected, enabled);
    if (!shortcut.IsEmpty())
        DrawControlText(dc, shortcut, shortcutRect, format | DT_RIGHT, draw, selected, enabled);
    dc->SelectObject(descriptionFont);
    if (draw) {
        CRect descriptionRect(captionRect.left, captionRect.bottom - 2, right - 10, itemBottom);
        dc->DrawText(description, &descriptionRect, DT_NOPREFIX | DT_WORDBREAK);
        return CSize(0, 0);
    }
    const int descriptionWidth = dc->GetTextExtent(description).cx;
    CRect twoLines(0, 0, (descriptionWidth + 20) / 2, 0);
    dc->DrawText(L"1\n2", &twoLines, DT_CALCRECT | DT_WORDBREAK);
    const int shortcutWidth = shortcut.IsEmpty() ? 0 : shortcutRect.Width();
    const int width = std::max(captionRect.Width() + shortcutWidth + 4, descriptionWidth / 2 + 4) + gripper + 32;
    return CSize(width, std::max(cellHeight, captionRect.Height() + 19 + twoLines.Height()));
}
