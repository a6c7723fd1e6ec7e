#include "markup/controls/KvoMarkupButtonBase.h"
#include <algorithm>
#include <vssym32.h>
#include "foundation/base/KvoDrawHelpers.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupThickness.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupButtonBase)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupButton)
CKvoMarkupRoutedEvent* CKvoMarkupButtonBase::s_clickEvent = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupButtonBase::s_isPressedProperty = nullptr;

CKvoMarkupButtonBase::CKvoMarkupButtonBase()
    : m_bPressed(FALSE), m_bMouseInside(FALSE), m_theme(GetThemeFunctions(), FollowsThemeModule())
{
    SetValue(s_focusableProperty, CKvoMarkupBool::GetShared(TRUE));
}

void CKvoMarkupButtonBase::RegisterMarkupProperties()
{
    s_clickEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"Click", KvoMarkupRouting::Bubble, s_type);
    s_isPressedProperty = CKvoMarkupDependencyProperty::Register(
        L"IsPressed", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(FALSE), KvoMarkupPropertyFlag::AffectsArrange));
}

BOOL CKvoMarkupButtonBase::IsPressed() const
{
    const CKvoMarkupBool* pressed = static_cast<const CKvoMarkupBool*>(GetValue(s_isPressedProperty));
    return pressed && pressed->GetValue();
}

BOOL CKvoMarkupButtonBase::IsMouseOver() const
{
    const CKvoMarkupBool* over = static_cast<const CKvoMarkupBool*>(GetValue(s_isMouseOverProperty));
    return over && over->GetValue();
}

void CKvoMarkupButtonBase::SetIsPressed(BOOL pressed)
{
    SetValue(s_isPressedProperty, CKvoMarkupBool::GetShared(pressed));
}

void CKvoMarkupButtonBase::SetPressed(BOOL pressed)
{
    if (pressed && !m_bPressed) {
        m_bPressed = TRUE;
        SetIsPressed(TRUE);
    } else if (!pressed && m_bPressed) {
        m_bPressed = FALSE;
        SetIsPressed(FALSE);
        // The context swallows mouse-leave while the mouse is captured: the
        // hover state left behind is settled here.
        if (!m_bMouseInside && IsMouseOver()) {
            SetValue(s_isMouseOverProperty, nullptr);
            InvalidateVisual();
        }
    }
}

void CKvoMarkupButtonBase::OnMouseLeftButtonDown(CKvoMarkupRoutedEventArgs& args)
{
    SetPressed(TRUE);
    args.handled = TRUE;
    CaptureMouse();
}

void CKvoMarkupButtonBase::OnMouseLeftButtonUp(CKvoMarkupRoutedEventArgs& args)
{
    if (m_bPressed) {
        ReleaseMouseCapture();
        SetPressed(FALSE);
        if (m_bMouseInside)
            OnClick();
    }
    args.handled = TRUE;
}

void CKvoMarkupButtonBase::OnMouseEnter(CKvoMarkupRoutedEventArgs& args)
{
    m_bMouseInside = TRUE;
    if (m_bPressed) {
        SetIsPressed(TRUE);
        return;
    }
    CKvoMarkupContentControl::OnMouseEnter(args);
    InvalidateVisual();
}

void CKvoMarkupButtonBase::OnMouseLeave(CKvoMarkupRoutedEventArgs& args)
{
    m_bMouseInside = FALSE;
    if (m_bPressed) {
        SetIsPressed(FALSE);
        return;
    }
    CKvoMarkupContentControl::OnMouseLeave(args);
    InvalidateVisual();
}

void CKvoMarkupButtonBase::OnLostMouseCapture(CKvoMarkupRoutedEventArgs&)
{
    SetPressed(FALSE);
}

void CKvoMarkupButtonBase::RaiseSimpleEvent(CKvoMarkupRoutedEvent* event)
{
    CKvoMarkupRoutedEventArgs args;
    args.event = event;
    args.source = this;
    RaiseEvent(args);
}

void CKvoMarkupButtonBase::OnClick()
{
    RaiseSimpleEvent(s_clickEvent);
}

void CKvoMarkupButtonBase::OpenButtonTheme()
{
    m_theme.OpenThemeData(nullptr, L"BUTTON");
}

namespace {
// The push button's frame and face insets, each side.
const int kButtonContentInset = 4;
}

SIZE CKvoMarkupButton::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    OpenButtonTheme();
    const SIZE padding = GetPaddingExtent();
    const SIZE extra = {padding.cx + 2 * kButtonContentInset, padding.cy + 2 * kButtonContentInset};
    CKvoMarkupUIElement* content = GetContent();
    if (!content)
        return extra;
    content->Measure(dc, std::max<LONG>(0, width - extra.cx), std::max<LONG>(0, height - extra.cy));
    const SIZE desired = content->GetDesiredSize();
    return {desired.cx + extra.cx, desired.cy + extra.cy};
}

SIZE CKvoMarkupButton::ArrangeOverride(int width, int height)
{
    CRect rect(0, 0, width, height);
    // The themed face shows its own pressed look; classic and coloured
    // faces move the content instead.
    if (IsPressed() && (!GetTheme().IsAppThemed() || GetBackground()))
        rect.OffsetRect(1, 1);
    rect = CKvoMarkupThickness::DeflateRect(rect, GetPadding());
    rect.DeflateRect(kButtonContentInset, kButtonContentInset);
    if (CKvoMarkupUIElement* content = GetContent())
        content->Arrange(rect);
    return {width, height};
}

CKvoMarkupButton::EdgeColors CKvoMarkupButton::EdgesFromBackground(COLORREF background)
{
    const DWORD hsl = CKvoDrawHelpers::RGBtoHSL(background);
    const DWORD hueSaturation = hsl & 0xFFFF;
    const DWORD luminance = (hsl >> 16) & 0xFF;
    EdgeColors edges;
    edges.light = CKvoDrawHelpers::AdjustBrightness(hueSaturation | (((luminance + 240) / 2) << 16));
    edges.shadow = CKvoDrawHelpers::AdjustBrightness(hueSaturation | (::MulDiv(luminance, 2, 3) << 16));
    edges.dark = RGB(GetRValue(edges.shadow) / 2, GetGValue(edges.shadow) / 2, GetBValue(edges.shadow) / 2);
    return edges;
}

CKvoMarkupButton::EdgeColors CKvoMarkupButton::ClassicEdges()
{
    return {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_3DDKSHADOW)};
}

void CKvoMarkupButton::DrawEdges(CKvoMarkupDrawingContext* dc, const RECT& rect, const EdgeColors& edges,
                                 BOOL pressed)
{
    const int w = rect.right, h = rect.bottom;
    if (pressed) {
        // Two one-pixel frames, the window frame outside the shadow.
        const COLORREF frames[] = {::GetSysColor(COLOR_WINDOWFRAME), edges.shadow};
        RECT frame = rect;
        for (COLORREF color : frames) {
            dc->FillSolidRect({frame.left, frame.top, frame.right, frame.top + 1}, color);
            dc->FillSolidRect({frame.left, frame.top, frame.left + 1, frame.bottom}, color);
            dc->FillSolidRect({frame.left, frame.bottom - 1, frame.right, frame.bottom}, color);
            dc->FillSolidRect({frame.right - 1, frame.top, frame.right, frame.bottom}, color);
            ::InflateRect(&frame, -1, -1);
        }
        return;
    }
    dc->FillSolidRect({0, 0, w, 1}, edges.light);
    dc->FillSolidRect({0, 0, 1, h}, edges.light);
    dc->FillSolidRect({1, h - 2, w - 1, h - 1}, edges.shadow);
    dc->FillSolidRect({w - 2, 1, w - 1, h - 1}, edges.shadow);
    dc->FillSolidRect({0, h - 1, w - 1, h}, edges.dark);
    dc->FillSolidRect({w - 1, 0, w, h}, edges.dark);
}

void CKvoMarkupButton::OnRender(CKvoMarkupDrawingContext* dc)
{
    const SIZE size = GetRenderSize();
    const RECT rect = {0, 0, size.cx, size.cy};
    const BOOL pressed = IsPressed();
    CKvoMarkupBrush* background = GetBackground();
    EdgeColors edges;
    if (background) {
        edges = EdgesFromBackground(background->GetColor());
        dc->FillRectangle(background, rect);
    } else if (GetTheme().IsAppThemed()) {
        const int state = pressed ? PBS_PRESSED : (IsMouseOver() ? PBS_HOT : PBS_NORMAL);
        GetTheme().DrawThemeBackground(dc->GetSafeHdc(), BP_PUSHBUTTON, state, &rect, nullptr);
        return;
    } else {
        edges = ClassicEdges();
        dc->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    }
    DrawEdges(dc, rect, edges, pressed);
}

void CKvoMarkupButton::OnRenderFocusVisual(CKvoMarkupDrawingContext* dc)
{
    const SIZE size = GetRenderSize();
    const RECT focus = {3, 3, size.cx - 3, size.cy - 3};
    HDC target = dc->GetSafeHdc();
    ::SetTextColor(target, RGB(255, 255, 255));
    ::SetBkColor(target, RGB(0, 0, 0));
    ::DrawFocusRect(target, &focus);
}
