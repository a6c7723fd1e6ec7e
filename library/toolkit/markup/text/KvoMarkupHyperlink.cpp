#include "markup/text/KvoMarkupHyperlink.h"
#include "markup/controls/KvoMarkupButtonBase.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"
#include "markup/styles/KvoMarkupSetter.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupHyperlink)
CKvoMarkupRoutedEvent* CKvoMarkupHyperlink::s_clickEvent = nullptr;

namespace {
// A setter (or, for a trigger, the condition) of property to value; takes
// over the reference on value.
template <class T>
T* NewPropertyValuePair(CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    T* pair = new T;
    property->AddRef();
    pair->SetValue(CKvoMarkupSetter::s_propertyProperty, property);
    pair->SetValue(CKvoMarkupSetter::s_valueProperty, value);
    return pair;
}

CKvoMarkupSetter* NewSetter(CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    return NewPropertyValuePair<CKvoMarkupSetter>(property, value);
}
}

CKvoMarkupHyperlink::CKvoMarkupHyperlink() : m_bPressed(FALSE)
{
}

void CKvoMarkupHyperlink::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupStyle::s_type);
    CKvoMarkupType::EnsureRegistered(CKvoMarkupSolidColorBrush::s_type);
    // A link clicks the way a button does: the same event.
    CKvoMarkupType::EnsureRegistered(CKvoMarkupButtonBase::s_type);
    s_clickEvent = CKvoMarkupButtonBase::s_clickEvent;
    if (s_clickEvent)
        s_clickEvent->AddOwner(s_type);
    InstallDefaultStyle();
}

void CKvoMarkupHyperlink::InstallDefaultStyle()
{
    CKvoMarkupPtr<CKvoMarkupStyle> style(new CKvoMarkupStyle);
    s_type->AddRef();
    style->SetValue(CKvoMarkupStyle::s_targetTypeProperty, s_type);
    style->SetContentObject(nullptr, NewSetter(s_textDecorationsProperty,
                                               CKvoMarkupEnum::GetShared(KvoMarkupTextDecoration::Underline)));
    style->SetContentObject(nullptr, NewSetter(s_foregroundProperty, new CKvoMarkupSolidColorBrush(RGB(0, 0, 255))));
    style->SetContentObject(nullptr, NewSetter(s_cursorProperty, new CKvoMarkupInt(32649))); // IDC_HAND

    CKvoMarkupTrigger* hovered = NewPropertyValuePair<CKvoMarkupTrigger>(s_isMouseOverProperty,
                                                                         CKvoMarkupBool::GetShared(TRUE));
    CKvoMarkupSetterColection* hoveredSetters = new CKvoMarkupSetterColection;
    hoveredSetters->Add(NewSetter(s_foregroundProperty, new CKvoMarkupSolidColorBrush(RGB(255, 0, 0))));
    hovered->SetValue(CKvoMarkupTrigger::s_settersProperty, hoveredSetters);
    CKvoMarkupTriggerCollection* triggers = new CKvoMarkupTriggerCollection;
    triggers->Add(hovered);
    style->SetPropertyObject(nullptr, CKvoMarkupStyle::s_triggersProperty, triggers);
    style->Seal();
    s_type->SetDefaultStyle(style.Get());
}

void CKvoMarkupHyperlink::OnMouseLeftButtonDown(CKvoMarkupRoutedEventArgs& args)
{
    m_bPressed = TRUE;
    args.handled = TRUE;
}

void CKvoMarkupHyperlink::OnMouseLeftButtonUp(CKvoMarkupRoutedEventArgs& args)
{
    args.handled = TRUE;
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    OnClick();
}

void CKvoMarkupHyperlink::OnClick()
{
    CKvoMarkupRoutedEventArgs args;
    args.event = s_clickEvent;
    args.source = this;
    RaiseEvent(args);
}
