#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupUIElement.h"
#include "markup/text/KvoMarkupInline.h"
#include "markup/text/KvoMarkupInlineUIContainer.h"
#include "markup/text/KvoMarkupRun.h"
#include "markup/text/KvoMarkupTextContext.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupInlineCollection)

CKvoMarkupInlineCollection::CKvoMarkupInlineCollection() : CKvoMarkupCollection(CKvoMarkupInline::s_type)
{
}

CKvoMarkupInline* CKvoMarkupInlineCollection::GetInline(int index) const
{
    return static_cast<CKvoMarkupInline*>(GetItem(index));
}

void CKvoMarkupInlineCollection::OnItemAdded(CKvoMarkupObject* item, int index)
{
    static_cast<CKvoMarkupInline*>(item)->SetIndex(index);
}

void CKvoMarkupInlineCollection::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    if (!content)
        return;
    CKvoMarkupPtr<CKvoMarkupObject> held(content);
    if (CKvoMarkupObject* item = MakeInline(content)) {
        Add(item);
        return;
    }
    CStringW message;
    message.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CKvoMarkupInline'",
                   CKvoMarkupType::ClassNameOf(content->GetType()), GetClassNameText());
    held.Reset();
    ThrowMarkupBuildError(message);
}

CKvoMarkupObject* CKvoMarkupInlineCollection::MakeInline(CKvoMarkupObject* content)
{
    CKvoMarkupObject* owner = GetLogicalParent();
    if (!owner || !owner->IsKindOf(CKvoMarkupInputElement::s_type))
        return nullptr;
    CKvoMarkupContext* context = static_cast<CKvoMarkupInputElement*>(owner)->GetMarkupContext();
    if (content->IsKindOf(CKvoMarkupInline::s_type))
        return CKvoMarkupPtr<CKvoMarkupObject>::Share(content).Detach();
    if (content->IsKindOf(CKvoMarkupString::s_type)) {
        CKvoMarkupObject* run = KvoMarkupTextContext::CreateObject(context, CKvoMarkupRun::s_type);
        if (run && run->IsKindOf(CKvoMarkupRun::s_type))
            static_cast<CKvoMarkupRun*>(run)->SetText(static_cast<CKvoMarkupString*>(content));
        return run;
    }
    if (content->IsKindOf(CKvoMarkupUIElement::s_type)) {
        CKvoMarkupObject* container = KvoMarkupTextContext::CreateObject(context, CKvoMarkupInlineUIContainer::s_type);
        if (container && container->IsKindOf(CKvoMarkupInlineUIContainer::s_type))
            static_cast<CKvoMarkupInlineUIContainer*>(container)->SetChild(
                static_cast<CKvoMarkupUIElement*>(CKvoMarkupPtr<CKvoMarkupObject>::Share(content).Detach()));
        return container;
    }
    return nullptr;
}
