#include "markup/text/KvoMarkupFrameworkContentElement.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupFrameworkContentElement)
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkContentElement::s_tagProperty = nullptr;

void CKvoMarkupFrameworkContentElement::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupFrameworkElement::s_type);
    if (CKvoMarkupFrameworkElement::s_tagProperty)
        s_tagProperty = CKvoMarkupFrameworkElement::s_tagProperty->AddOwner(s_type);
}

void CKvoMarkupFrameworkContentElement::OnPropertyChanged(const CKvoMarkupDependencyProperty* property,
                                                          CKvoMarkupObject* oldValue, CKvoMarkupObject* newValue)
{
    CKvoMarkupInputElement::OnPropertyChanged(property, oldValue, newValue);
    UpdateTriggers(property, newValue);
    if (!property)
        return;
    // Looked up anew each time: a reaction may move the element.
    if (property->HasFlag(KvoMarkupPropertyFlag::AffectsMeasure)) {
        if (CKvoMarkupFrameworkElement* host = GetParentFrameworkElement())
            host->InvalidateMeasure();
    }
    if (property->HasFlag(KvoMarkupPropertyFlag::AffectsArrange)) {
        if (CKvoMarkupFrameworkElement* host = GetParentFrameworkElement())
            host->InvalidateArrange();
    }
    if (property->HasFlag(KvoMarkupPropertyFlag::AffectsRender)) {
        if (CKvoMarkupFrameworkElement* host = GetParentFrameworkElement())
            host->InvalidateVisual();
    }
}

CKvoMarkupFrameworkElement* CKvoMarkupFrameworkContentElement::GetParentFrameworkElement() const
{
    for (CKvoMarkupObject* object = GetLogicalParent(); object; object = object->GetLogicalParent()) {
        if (object->IsKindOf(CKvoMarkupFrameworkElement::s_type))
            return static_cast<CKvoMarkupFrameworkElement*>(object);
    }
    return nullptr;
}

RECT CKvoMarkupFrameworkContentElement::GetBoundingRect() const
{
    RECT rect = {0, 0, 0, 0};
    if (const CKvoMarkupFrameworkElement* host = GetParentFrameworkElement())
        rect = {0, 0, host->GetRenderSize().cx, host->GetRenderSize().cy};
    return rect;
}
