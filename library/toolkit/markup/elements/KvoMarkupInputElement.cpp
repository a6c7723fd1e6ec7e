#include "markup/elements/KvoMarkupInputElement.h"
#include <utility>
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupProperties.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/elements/KvoMarkupVisual.h"
#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/styles/KvoMarkupSetter.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupInputElement)
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_cursorProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_isMouseOverProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_resourcesProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_styleProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_isKeyboardFocusedProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_isFocusableProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupInputElement::s_toolTipProperty = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseLeaveEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseEnterEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseLeftButtonUpEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseLeftButtonDownEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseRightButtonUpEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseRightButtonDownEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_mouseMoveEvent = nullptr;
CKvoMarkupRoutedEvent* CKvoMarkupInputElement::s_lostMouseCaptureEvent = nullptr;

namespace {
// The Style property's change callback: the element takes the new style.
void OnStyleChanged(CKvoMarkupObject* object, const KvoMarkupPropertyChange& change)
{
    CKvoMarkupInputElement* element =
        static_cast<CKvoMarkupInputElement*>(MarkupDynamicCast(CKvoMarkupInputElement::s_type, object));
    CKvoMarkupStyle* style = static_cast<CKvoMarkupStyle*>(MarkupDynamicCast(CKvoMarkupStyle::s_type, change.newValue));
    if (element && style)
        element->TakeStyle(style);
}

// The trigger-layer values an update replaced, each kept alive until its
// change has been told; a property is recorded the first time only.
class ReplacedTriggerValues {
public:
    void Record(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue)
    {
        for (const auto& entry : m_entries) {
            if (entry.first == property)
                return;
        }
        m_entries.emplace_back(property, CKvoMarkupPtr<CKvoMarkupObject>::Share(oldValue));
    }
    std::vector<std::pair<const CKvoMarkupDependencyProperty*, CKvoMarkupPtr<CKvoMarkupObject>>>& Entries()
    {
        return m_entries;
    }

private:
    std::vector<std::pair<const CKvoMarkupDependencyProperty*, CKvoMarkupPtr<CKvoMarkupObject>>> m_entries;
};
}

CKvoMarkupInputElement::CKvoMarkupInputElement()
    : m_pMarkupContext(nullptr), m_pActiveTriggers(nullptr), m_pTriggerValues(nullptr)
{
}

CKvoMarkupInputElement::~CKvoMarkupInputElement()
{
    if (m_pActiveTriggers)
        m_pActiveTriggers->Release();
    if (m_pTriggerValues)
        m_pTriggerValues->Release();
}

void CKvoMarkupInputElement::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupStyle::s_type);
    s_cursorProperty = CKvoMarkupDependencyProperty::Register(
        L"Cursor", CKvoMarkupInt::s_type, s_type, new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertCursor, 0));
    s_isMouseOverProperty = CKvoMarkupDependencyProperty::Register(
        L"IsMouseOver", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(FALSE), 0));
    s_resourcesProperty = CKvoMarkupStyle::s_resourcesProperty->AddOwner(s_type);
    s_styleProperty = CKvoMarkupDependencyProperty::Register(L"Style", CKvoMarkupStyle::s_type, s_type,
                                                             new CKvoMarkupPropertyMetadata(nullptr, OnStyleChanged, 0));
    s_isKeyboardFocusedProperty = CKvoMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(FALSE), KvoMarkupPropertyFlag::AffectsRender));
    s_isFocusableProperty = CKvoMarkupDependencyProperty::Register(
        L"IsFocusable", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(FALSE), 0));
    s_toolTipProperty = CKvoMarkupDependencyProperty::Register(L"ToolTip", CKvoMarkupObject::s_type, s_type);
    s_mouseLeaveEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeave", KvoMarkupRouting::Direct, s_type);
    s_mouseEnterEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseEnter", KvoMarkupRouting::Direct, s_type);
    s_mouseLeftButtonUpEvent =
        CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonUp", KvoMarkupRouting::Direct, s_type);
    s_mouseLeftButtonDownEvent =
        CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonDown", KvoMarkupRouting::Direct, s_type);
    s_mouseRightButtonUpEvent =
        CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonUp", KvoMarkupRouting::Direct, s_type);
    s_mouseRightButtonDownEvent =
        CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonDown", KvoMarkupRouting::Direct, s_type);
    s_mouseMoveEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"MouseMove", KvoMarkupRouting::Direct, s_type);
    // Under a name markup cannot write as "LostMouseCapture".
    s_lostMouseCaptureEvent =
        CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"pLostMouseCapture", KvoMarkupRouting::Direct, s_type);
}

CKvoMarkupObject* CKvoMarkupInputElement::GetValueCore(const CKvoMarkupDependencyProperty* property) const
{
    if (CKvoMarkupObject* local = CKvoMarkupObject::GetValueCore(property))
        return local;
    if (CKvoMarkupObject* triggered = m_pTriggerValues ? m_pTriggerValues->Get(property) : nullptr)
        return triggered;
    const CKvoMarkupProperties* styled = m_style ? m_style->GetSealedValues() : nullptr;
    if (CKvoMarkupObject* value = styled ? styled->Get(property) : nullptr)
        return value;
    const CKvoMarkupStyle* defaultStyle = GetType() ? GetType()->GetDefaultStyle() : nullptr;
    const CKvoMarkupProperties* defaults = defaultStyle ? defaultStyle->GetSealedValues() : nullptr;
    return defaults ? defaults->Get(property) : nullptr;
}

void CKvoMarkupInputElement::SetPropertyObject(CKvoMarkupBuilder* builder,
                                               const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    if (!property || !property->IsEvent()) {
        CKvoMarkupObject::SetPropertyObject(builder, property, value);
        return;
    }
    CKvoMarkupPtr<CKvoMarkupObject> handlerName(value);
    if (!m_pMarkupContext)
        ThrowMarkupBuildError(L"Markup Context is NULL");
    // Handlers are named in the context's delegate map, which no context
    // fills: every name is unknown, and handlers are added in code.
    const CKvoMarkupString* text =
        static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    CStringW message;
    message.Format(L"'%ls' delegate not found", text ? text->GetString() : L"");
    ThrowMarkupBuildError(message);
}

void CKvoMarkupInputElement::AttachContext(CKvoMarkupContext* context)
{
    if (m_pMarkupContext || !context)
        return;
    context->AddRef();
    m_pMarkupContext = context;
}

void CKvoMarkupInputElement::OnFinalRelease()
{
    if (CKvoMarkupContext* context = std::exchange(m_pMarkupContext, nullptr)) {
        context->DetachElement(this);
        context->Release();
    }
    CKvoMarkupObject::OnFinalRelease();
}

void CKvoMarkupInputElement::CaptureMouse()
{
    if (m_pMarkupContext)
        m_pMarkupContext->SetCapture(this);
}

void CKvoMarkupInputElement::ReleaseMouseCapture()
{
    if (m_pMarkupContext)
        m_pMarkupContext->ReleaseCapture(this);
}

void CKvoMarkupInputElement::Focus()
{
    if (m_pMarkupContext && m_pMarkupContext->GetKeyboardNavigation())
        m_pMarkupContext->GetKeyboardNavigation()->Focus(this);
}

BOOL CKvoMarkupInputElement::GetTextBounds(RECT*) const
{
    return FALSE;
}

void CKvoMarkupInputElement::OnMouseLeave(CKvoMarkupRoutedEventArgs&)
{
    SetValue(s_isMouseOverProperty, nullptr);
}

void CKvoMarkupInputElement::OnMouseEnter(CKvoMarkupRoutedEventArgs&)
{
    SetValue(s_isMouseOverProperty, CKvoMarkupBool::GetShared(TRUE));
}

void CKvoMarkupInputElement::OnMouseMove(CKvoMarkupRoutedEventArgs&)
{
}

void CKvoMarkupInputElement::OnQueryCursor(CKvoMarkupRoutedEventArgs& args)
{
    const CKvoMarkupInt* cursor = static_cast<const CKvoMarkupInt*>(GetValue(s_cursorProperty));
    if (!cursor)
        return;
    args.handled = TRUE;
    args.extra = reinterpret_cast<LONG_PTR>(::LoadCursorW(nullptr, MAKEINTRESOURCEW(cursor->GetValue())));
}

void CKvoMarkupInputElement::OnMouseLeftButtonUp(CKvoMarkupRoutedEventArgs&)
{
}

void CKvoMarkupInputElement::OnMouseRightButtonUp(CKvoMarkupRoutedEventArgs&)
{
}

void CKvoMarkupInputElement::OnMouseLeftButtonDown(CKvoMarkupRoutedEventArgs&)
{
}

void CKvoMarkupInputElement::OnMouseRightButtonDown(CKvoMarkupRoutedEventArgs&)
{
}

void CKvoMarkupInputElement::OnLostMouseCapture(CKvoMarkupRoutedEventArgs&)
{
}

void CKvoMarkupInputElement::OnMouseWheel(CKvoMarkupRoutedEventArgs&)
{
}

CKvoMarkupInputElement* CKvoMarkupInputElement::InputHitTest(int, int)
{
    return nullptr;
}

void CKvoMarkupInputElement::AddHandler(const CKvoMarkupRoutedEvent* event, CKvoMarkupDelegate* handler)
{
    CKvoMarkupPtr<CKvoMarkupDelegate> held(handler);
    if (event && handler)
        m_handlers[event].push_back(std::move(held));
}

void CKvoMarkupInputElement::InvokeHandlers(const CKvoMarkupRoutedEvent* event, CKvoMarkupRoutedEventArgs& args)
{
    auto found = m_handlers.find(event);
    if (found == m_handlers.end())
        return;
    // A handler may add handlers: call the ones there now, each kept alive.
    std::vector<CKvoMarkupPtr<CKvoMarkupDelegate>> handlers;
    for (const auto& handler : found->second)
        handlers.push_back(CKvoMarkupPtr<CKvoMarkupDelegate>::Share(handler.Get()));
    for (const auto& handler : handlers)
        handler->Invoke(this, args);
}

void CKvoMarkupInputElement::RaiseEvent(CKvoMarkupRoutedEventArgs& args)
{
    if (!args.event)
        return;
    if (args.event->GetRouting() != KvoMarkupRouting::Bubble) {
        InvokeHandlers(args.event, args);
        return;
    }
    for (CKvoMarkupObject* object = this; object; object = object->GetLogicalParent()) {
        if (!object->IsKindOf(s_type))
            continue;
        static_cast<CKvoMarkupInputElement*>(object)->InvokeHandlers(args.event, args);
        if (args.handled)
            return;
    }
    // The context's own handlers would come last: contexts hold none here.
}

BOOL CKvoMarkupInputElement::RaiseEventThenClassHandler(
    CKvoMarkupRoutedEventArgs& args, void (CKvoMarkupInputElement::*classHandler)(CKvoMarkupRoutedEventArgs&))
{
    args.source = this;
    RaiseEvent(args);
    if (!args.handled && classHandler)
        (this->*classHandler)(args);
    return args.handled;
}

POINT CKvoMarkupInputElement::GetPosition(const CKvoMarkupRoutedEventArgs& args,
                                          const CKvoMarkupInputElement* relativeTo)
{
    POINT position = {args.x, args.y};
    const CKvoMarkupVisual* visual = relativeTo && relativeTo->IsKindOf(CKvoMarkupVisual::s_type)
                                         ? static_cast<const CKvoMarkupVisual*>(relativeTo)
                                         : nullptr;
    for (; visual; visual = visual->GetVisualParent()) {
        position.x -= visual->GetVisualOffset().x;
        position.y -= visual->GetVisualOffset().y;
    }
    return position;
}

void CKvoMarkupInputElement::TakeStyle(CKvoMarkupStyle* style)
{
    if (!style)
        return;
    style->Seal();
    m_style.Reset(CKvoMarkupPtr<CKvoMarkupStyle>::Share(style).Detach());
}

void CKvoMarkupInputElement::ApplyStyle()
{
    if (!m_style) {
        CKvoMarkupObject* found = CKvoMarkupResourceDictionary::FindResource(this, GetType());
        if (CKvoMarkupStyle* style = static_cast<CKvoMarkupStyle*>(MarkupDynamicCast(CKvoMarkupStyle::s_type, found)))
            TakeStyle(style);
    }
    if (m_style)
        UpdateTriggers(nullptr, nullptr);
}

void CKvoMarkupInputElement::ApplyStylesRecursive(CKvoMarkupObject* root)
{
    if (!root)
        return;
    int count = root->GetLogicalChildrenCount();
    for (int index = 0; index < count; ++index)
        ApplyStylesRecursive(root->GetLogicalChild(index));
    if (root->IsKindOf(s_type))
        static_cast<CKvoMarkupInputElement*>(root)->ApplyStyle();
}

BOOL CKvoMarkupInputElement::ActivateTrigger(CKvoMarkupObject* trigger)
{
    // A set to an equal value notifies again: a trigger already on stays
    // in the list once.
    if (!trigger || (m_pActiveTriggers && m_pActiveTriggers->Contains(trigger)))
        return FALSE;
    if (!m_pActiveTriggers)
        m_pActiveTriggers = new CKvoMarkupActiveTriggerCollection;
    trigger->AddRef();
    m_pActiveTriggers->Add(trigger);
    return TRUE;
}

void CKvoMarkupInputElement::UpdateTriggers(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* newValue)
{
    ReplacedTriggerValues replaced;
    BOOL deactivated = FALSE;
    for (int index = m_pActiveTriggers ? m_pActiveTriggers->GetCount() - 1 : -1; index >= 0; --index) {
        const CKvoMarkupTrigger* trigger = m_pActiveTriggers->GetTrigger(index);
        const CKvoMarkupObject* triggerValue = trigger->GetTriggerValue();
        if (trigger->GetTriggerProperty() != property || (triggerValue && triggerValue->IsEqual(newValue)))
            continue;
        const CKvoMarkupSetterColection* setters = trigger->GetSetters();
        for (int setter = 0; setters && setter < setters->GetCount(); ++setter) {
            const CKvoMarkupDependencyProperty* target = setters->GetSetter(setter)->GetSetterProperty();
            if (!target || !m_pTriggerValues)
                continue;
            replaced.Record(target, m_pTriggerValues->Get(target));
            m_pTriggerValues->Set(target, nullptr);
        }
        m_pActiveTriggers->RemoveAt(index);
        deactivated = TRUE;
    }

    CKvoMarkupStyle* style = m_style ? m_style.Get() : (GetType() ? GetType()->GetDefaultStyle() : nullptr);
    BOOL activated = style && style->EvaluateTriggers(this, property, newValue);
    if (!deactivated && !activated)
        return;

    if (!m_pTriggerValues)
        m_pTriggerValues = new CKvoMarkupProperties(nullptr);
    for (int index = 0; m_pActiveTriggers && index < m_pActiveTriggers->GetCount(); ++index) {
        const CKvoMarkupSetterColection* setters = m_pActiveTriggers->GetTrigger(index)->GetSetters();
        for (int setter = 0; setters && setter < setters->GetCount(); ++setter) {
            const CKvoMarkupSetter* item = setters->GetSetter(setter);
            const CKvoMarkupDependencyProperty* target = item->GetSetterProperty();
            CKvoMarkupObject* value = item->GetSetterValue();
            CKvoMarkupObject* current = target ? m_pTriggerValues->Get(target) : nullptr;
            if (!target || !value || value->IsEqual(current))
                continue;
            replaced.Record(target, current);
            value->AddRef();
            m_pTriggerValues->Set(target, value);
        }
    }

    for (auto& entry : replaced.Entries()) {
        CKvoMarkupObject* oldValue = entry.second.Get();
        CKvoMarkupObject* value = m_pTriggerValues->Get(entry.first);
        if (!oldValue && !value)
            continue;
        OnPropertyChanged(entry.first, oldValue, value);
        if (entry.first->HasFlag(KvoMarkupPropertyFlag::Inherits))
            NotifyInheritingDescendants(entry.first, oldValue, value);
    }
}
