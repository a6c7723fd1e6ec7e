#include "markup/core/KvoMarkupDependencyProperty.h"
#include <memory>
#include <new>
#include "markup/core/KvoMarkupPropertyFromNameMap.h"
#include "markup/core/KvoMarkupType.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupDependencyProperty)

namespace {
// Slots handed out so far; the next property's index.
int g_markupPropertyCount = 0;
}

CKvoMarkupDependencyProperty::CKvoMarkupDependencyProperty()
    : CKvoMarkupDependencyProperty(nullptr, nullptr, nullptr, nullptr, FALSE)
{
}

CKvoMarkupDependencyProperty::CKvoMarkupDependencyProperty(LPCWSTR name, CKvoMarkupType* valueType,
                                                           CKvoMarkupType* ownerType,
                                                           CKvoMarkupPropertyMetadata* metadata, BOOL attached)
    : m_name(name), m_pValueType(valueType), m_pOwnerType(ownerType), m_pMetadata(metadata), m_bAttached(attached),
      m_nIndex(-1)
{
}

CKvoMarkupDependencyProperty::~CKvoMarkupDependencyProperty()
{
    delete m_pMetadata;
}

CKvoMarkupDependencyProperty* CKvoMarkupDependencyProperty::Register(LPCWSTR name, CKvoMarkupType* valueType,
                                                                     CKvoMarkupType* ownerType,
                                                                     CKvoMarkupPropertyMetadata* metadata)
{
    std::unique_ptr<CKvoMarkupPropertyMetadata> ownedMetadata(metadata);
    CKvoMarkupDependencyProperty* property = new (std::nothrow)
        CKvoMarkupDependencyProperty(name, valueType, ownerType, ownedMetadata.get(), FALSE);
    if (property)
        ownedMetadata.release();
    return Enter(property);
}

CKvoMarkupDependencyProperty* CKvoMarkupDependencyProperty::RegisterAttached(LPCWSTR name,
                                                                             CKvoMarkupType* valueType,
                                                                             CKvoMarkupType* ownerType,
                                                                             CKvoMarkupPropertyMetadata* metadata)
{
    CKvoMarkupDependencyProperty* property = Register(name, valueType, ownerType, metadata);
    if (property)
        property->m_bAttached = TRUE;
    return property;
}

CKvoMarkupDependencyProperty* CKvoMarkupDependencyProperty::Enter(CKvoMarkupDependencyProperty* property)
{
    if (!property)
        return nullptr;
    if (!property->IsEvent())
        property->m_nIndex = g_markupPropertyCount++;
    CKvoMarkupPropertyFromNameMap::Instance().Add(property->m_name, property->m_pOwnerType, property);
    return property;
}

CKvoMarkupDependencyProperty* CKvoMarkupDependencyProperty::AddOwner(CKvoMarkupType* owner)
{
    AddRef();
    CKvoMarkupPropertyFromNameMap::Instance().Add(m_name, owner, this);
    return this;
}

CKvoMarkupDependencyProperty* CKvoMarkupDependencyProperty::FindProperty(LPCWSTR name, const CKvoMarkupType* type)
{
    if (!name)
        return nullptr;
    const CKvoMarkupPropertyFromNameMap& properties = CKvoMarkupPropertyFromNameMap::Instance();
    for (; type; type = type->GetBaseType()) {
        if (CKvoMarkupDependencyProperty* property = properties.Lookup(name, type))
            return property;
    }
    return nullptr;
}

int CKvoMarkupDependencyProperty::GetPropertyCount()
{
    return g_markupPropertyCount;
}

CKvoMarkupObject* CKvoMarkupDependencyProperty::GetDefaultValue() const
{
    return m_pMetadata ? m_pMetadata->GetDefaultValue() : nullptr;
}

BOOL CKvoMarkupDependencyProperty::HasFlag(DWORD flag) const
{
    return m_pMetadata && m_pMetadata->HasFlag(flag);
}
