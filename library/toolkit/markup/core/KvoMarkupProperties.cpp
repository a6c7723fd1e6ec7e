#include "markup/core/KvoMarkupProperties.h"
#include <algorithm>
#include "markup/core/KvoMarkupDependencyProperty.h"

CKvoMarkupProperties::CKvoMarkupProperties(CKvoMarkupObject* owner)
    : m_values(CKvoMarkupDependencyProperty::GetPropertyCount(), nullptr), m_pOwner(owner)
{
}

CKvoMarkupProperties::~CKvoMarkupProperties()
{
    for (size_t index = 0; index < m_values.size(); ++index)
        ReleaseAt(index);
}

CKvoMarkupObject* CKvoMarkupProperties::Get(const CKvoMarkupDependencyProperty* property) const
{
    int index = property ? property->GetIndex() : -1;
    return index >= 0 && index < GetCount() ? m_values[index] : nullptr;
}

void CKvoMarkupProperties::Set(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    int index = property ? property->GetIndex() : -1;
    if (index < 0 || index >= GetCount()) {
        if (value)
            value->Release();
        return;
    }
    ReleaseAt(index);
    m_values[index] = value;
    if (value && m_pOwner)
        value->SetLogicalParent(m_pOwner);
}

void CKvoMarkupProperties::CopyFrom(const CKvoMarkupProperties& other)
{
    size_t count = std::min(m_values.size(), other.m_values.size());
    for (size_t index = 0; index < count; ++index) {
        CKvoMarkupObject* value = other.m_values[index];
        if (!value)
            continue;
        value->AddRef();
        ReleaseAt(index);
        m_values[index] = value;
    }
}

void CKvoMarkupProperties::ReleaseAt(size_t index)
{
    CKvoMarkupObject* value = m_values[index];
    if (!value)
        return;
    m_values[index] = nullptr;
    if (m_pOwner)
        value->SetLogicalParent(nullptr);
    value->Release();
}
