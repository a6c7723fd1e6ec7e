#include "markup/controls/KvoMarkupToggleButton.h"
#include <algorithm>
#include <vssym32.h>
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupThickness.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupToggleButton)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupCheckBox)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupRadioButton)
CKvoMarkupRoutedEvent* CKvoMarkupToggleButton::s_checkedEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupToggleButton::s_uncheckedEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupToggleButton::s_indeterminateEvent = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupToggleButton::s_isCheckedProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupToggleButton::s_isThreeStateProperty = nullptr;

namespace {
// The glyph is a 13-pixel square; the content starts 16 pixels in.
const int kGlyphSize = 13;
const int kContentIndent = 16;
}

void CKvoMarkupToggleButton::RegisterMarkupProperties()
{
    s_checkedEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"Checked", KvoMarkupRouting::Bubble, s_type);
    s_uncheckedEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"Unchecked", KvoMarkupRouting::Bubble, s_type);
    s_indeterminateEvent =
        CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"Indeterminate", KvoMarkupRouting::Bubble, s_type);
    s_isCheckedProperty = CKvoMarkupDependencyProperty::Register(
        L"IsChecked", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupEnum::GetShared(KvoMarkupCheckState::Unchecked),
                                       MarkupConvertCheckState, OnIsCheckedChanged,
                                       KvoMarkupPropertyFlag::AffectsRender));
    s_isThreeStateProperty = CKvoMarkupDependencyProperty::Register(
        L"IsThreeState", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(FALSE), KvoMarkupPropertyFlag::AffectsRender));
}

int CKvoMarkupToggleButton::GetCheckState() const
{
    const CKvoMarkupEnum* state = static_cast<const CKvoMarkupEnum*>(GetValue(s_isCheckedProperty));
    return state ? state->GetValue() : KvoMarkupCheckState::Unchecked;
}

void CKvoMarkupToggleButton::SetCheckState(int state)
{
    SetValue(s_isCheckedProperty, CKvoMarkupEnum::GetShared(state));
}

BOOL CKvoMarkupToggleButton::IsThreeState() const
{
    const CKvoMarkupBool* threeState = static_cast<const CKvoMarkupBool*>(GetValue(s_isThreeStateProperty));
    return threeState && threeState->GetValue();
}

void CKvoMarkupToggleButton::OnIsCheckedChanged(CKvoMarkupObject* object, const KvoMarkupPropertyChange& change)
{
    if (!object->IsKindOf(s_type))
        return;
    CKvoMarkupToggleButton* button = static_cast<CKvoMarkupToggleButton*>(object);
    const CKvoMarkupEnum* state = static_cast<const CKvoMarkupEnum*>(change.newValue);
    const int value = state ? state->GetValue() : KvoMarkupCheckState::Unchecked;
    if (value == KvoMarkupCheckState::Checked)
        button->OnChecked();
    else if (value != KvoMarkupCheckState::Unchecked)
        button->OnIndeterminate();
    else
        button->OnUnchecked();
}

void CKvoMarkupToggleButton::OnClick()
{
    OnToggle();
    CKvoMarkupButtonBase::OnClick();
}

void CKvoMarkupToggleButton::OnToggle()
{
    switch (GetCheckState()) {
    case KvoMarkupCheckState::Checked:
        SetCheckState(IsThreeState() ? KvoMarkupCheckState::Indeterminate : KvoMarkupCheckState::Unchecked);
        break;
    case KvoMarkupCheckState::Unchecked:
        SetCheckState(KvoMarkupCheckState::Checked);
        break;
    default:
        SetCheckState(KvoMarkupCheckState::Unchecked);
        break;
    }
}

void CKvoMarkupToggleButton::OnChecked()
{
    RaiseSimpleEvent(s_checkedEvent);
}

void CKvoMarkupToggleButton::OnUnchecked()
{
    RaiseSimpleEvent(s_uncheckedEvent);
}

void CKvoMarkupToggleButton::OnIndeterminate()
{
    RaiseSimpleEvent(s_indeterminateEvent);
}

SIZE CKvoMarkupToggleButton::MeasureBeside(CKvoMarkupDrawingContext* dc, int width, int height, int minimumHeight)
{
    OpenButtonTheme();
    const SIZE padding = GetPaddingExtent();
    const SIZE extra = {padding.cx + kContentIndent, padding.cy};
    CKvoMarkupUIElement* content = GetContent();
    if (!content)
        return {extra.cx, std::max<LONG>(minimumHeight, extra.cy)};
    content->Measure(dc, std::max<LONG>(0, width - extra.cx), std::max<LONG>(0, height - extra.cy));
    const SIZE desired = content->GetDesiredSize();
    return {desired.cx + extra.cx, std::max<LONG>(kGlyphSize, desired.cy + extra.cy)};
}

SIZE CKvoMarkupToggleButton::ArrangeBeside(int width, int height)
{
    CRect rect = CKvoMarkupThickness::DeflateRect(CRect(0, 0, width, height), GetPadding());
    rect.left += kContentIndent;
    if (CKvoMarkupUIElement* content = GetContent())
        content->Arrange(rect);
    return {width, height};
}

int CKvoMarkupToggleButton::GetGlyphBaseState() const
{
    return IsPressed() ? 3 : (IsMouseOver() ? 2 : 1);
}

void CKvoMarkupToggleButton::RenderGlyph(CKvoMarkupDrawingContext* dc, int themePart, int themeState, UINT frameState)
{
    const int middle = GetRenderSize().cy / 2;
    RECT glyph = {0, middle - 6, kGlyphSize, middle + 7};
    if (GetTheme().IsAppThemed()) {
        GetTheme().DrawThemeBackground(dc->GetSafeHdc(), themePart, themeState, &glyph, nullptr);
        return;
    }
    if (IsPressed())
        frameState |= DFCS_PUSHED;
    ::DrawFrameControl(dc->GetSafeHdc(), &glyph, DFC_BUTTON, frameState);
}

void CKvoMarkupToggleButton::RenderFocusBeside(CKvoMarkupDrawingContext* dc)
{
    if (!GetContent())
        return;
    const SIZE size = GetRenderSize();
    const RECT focus = {kContentIndent - 1, 0, size.cx, size.cy};
    HDC target = dc->GetSafeHdc();
    ::SetTextColor(target, RGB(255, 255, 255));
    ::SetBkColor(target, RGB(0, 0, 0));
    ::DrawFocusRect(target, &focus);
}

SIZE CKvoMarkupCheckBox::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    return MeasureBeside(dc, width, height, 0);
}

SIZE CKvoMarkupCheckBox::ArrangeOverride(int width, int height)
{
    return ArrangeBeside(width, height);
}

void CKvoMarkupCheckBox::OnRender(CKvoMarkupDrawingContext* dc)
{
    const int checked = GetCheckState();
    int state = GetGlyphBaseState();
    UINT frameState = DFCS_BUTTONCHECK;
    if (checked == KvoMarkupCheckState::Checked) {
        state += 4;
        frameState |= DFCS_CHECKED;
    } else if (checked == KvoMarkupCheckState::Indeterminate) {
        state += 8;
        frameState |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    }
    RenderGlyph(dc, BP_CHECKBOX, state, frameState);
}

void CKvoMarkupCheckBox::OnRenderFocusVisual(CKvoMarkupDrawingContext* dc)
{
    RenderFocusBeside(dc);
}

SIZE CKvoMarkupRadioButton::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    return MeasureBeside(dc, width, height, kGlyphSize);
}

SIZE CKvoMarkupRadioButton::ArrangeOverride(int width, int height)
{
    return ArrangeBeside(width, height);
}

void CKvoMarkupRadioButton::OnRender(CKvoMarkupDrawingContext* dc)
{
    const BOOL checked = GetCheckState() != KvoMarkupCheckState::Unchecked;
    const int state = GetGlyphBaseState() + (checked ? 4 : 0);
    RenderGlyph(dc, BP_RADIOBUTTON, state, DFCS_BUTTONRADIO | (checked ? DFCS_CHECKED : 0));
}

void CKvoMarkupRadioButton::OnRenderFocusVisual(CKvoMarkupDrawingContext* dc)
{
    RenderFocusBeside(dc);
}

void CKvoMarkupRadioButton::OnToggle()
{
    SetCheckState(KvoMarkupCheckState::Checked);
}

void CKvoMarkupRadioButton::OnChecked()
{
    // The group is the radio buttons beside this one; a root radio button
    // has none.
    if (CKvoMarkupVisual* parent = GetVisualParent()) {
        for (int index = 0; index < parent->GetVisualChildrenCount(); ++index) {
            CKvoMarkupVisual* sibling = parent->GetVisualChild(index);
            if (sibling && sibling != this && sibling->IsKindOf(s_type)) {
                CKvoMarkupRadioButton* radio = static_cast<CKvoMarkupRadioButton*>(sibling);
                if (radio->GetCheckState() != KvoMarkupCheckState::Unchecked)
                    radio->SetCheckState(KvoMarkupCheckState::Unchecked);
            }
        }
    }
    CKvoMarkupToggleButton::OnChecked();
}
