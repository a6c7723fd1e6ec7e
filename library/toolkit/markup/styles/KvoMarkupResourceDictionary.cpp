#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupInputElement.h"
#include "markup/styles/KvoMarkupStyle.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupResourceDictionary)

CKvoMarkupResourceDictionary::~CKvoMarkupResourceDictionary()
{
    for (auto& entry : m_entries) {
        entry.first->Release();
        entry.second->Release();
    }
}

CKvoMarkupObject* CKvoMarkupResourceDictionary::Lookup(const CKvoMarkupObject* key) const
{
    if (!key)
        return nullptr;
    auto found = m_entries.find(const_cast<CKvoMarkupObject*>(key));
    return found == m_entries.end() ? nullptr : found->second;
}

BOOL CKvoMarkupResourceDictionary::Add(CKvoMarkupObject* key, CKvoMarkupObject* value)
{
    CKvoMarkupPtr<CKvoMarkupObject> heldValue(value);
    if (!key || !value || Lookup(key))
        return FALSE;
    CKvoMarkupPtr<CKvoMarkupObject> heldKey = CKvoMarkupPtr<CKvoMarkupObject>::Share(key);
    m_entries.emplace(key, value);
    heldKey.Detach();
    heldValue.Detach();
    return TRUE;
}

void CKvoMarkupResourceDictionary::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    CKvoMarkupPtr<CKvoMarkupObject> held(content);
    CKvoMarkupObject* key = content ? content->GetValue(s_keyProperty) : nullptr;
    if (!key && MarkupDynamicCast(CKvoMarkupStyle::s_type, content))
        key = content->GetValue(CKvoMarkupStyle::s_targetTypeProperty);
    if (!key)
        ThrowMarkupBuildError(
            L"Objects added to Dictionary must have Key attribute or some other type of associated Key");
    if (Lookup(key))
        ThrowMarkupBuildError(L"Dictionary key is already used. Key attributes must be unique.");
    Add(key, held.Detach());
}

BOOL CKvoMarkupResourceDictionary::HasContentObject() const
{
    return TRUE;
}

CKvoMarkupObject* CKvoMarkupResourceDictionary::FindResource(const CKvoMarkupObject* start,
                                                             const CKvoMarkupObject* key)
{
    if (!start || !key)
        return nullptr;
    if (start->IsKindOf(s_type))
        return static_cast<const CKvoMarkupResourceDictionary*>(start)->Lookup(key);
    for (const CKvoMarkupObject* object = start; object; object = object->GetLogicalParent()) {
        const CKvoMarkupResourceDictionary* own =
            static_cast<const CKvoMarkupResourceDictionary*>(object->GetValue(CKvoMarkupStyle::s_resourcesProperty));
        if (CKvoMarkupObject* found = own ? own->Lookup(key) : nullptr)
            return found;
        const CKvoMarkupObject* style = object->GetValue(CKvoMarkupInputElement::s_styleProperty);
        const CKvoMarkupResourceDictionary* styles = style ? static_cast<const CKvoMarkupResourceDictionary*>(
                                                                 style->GetValueCore(CKvoMarkupStyle::s_resourcesProperty))
                                                           : nullptr;
        if (CKvoMarkupObject* found = styles ? styles->Lookup(key) : nullptr)
            return found;
        if (object->IsKindOf(CKvoMarkupStyle::s_type))
            break;
    }
    return nullptr;
}
