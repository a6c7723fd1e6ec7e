#include "markup/core/KvoMarkupPropertyFromNameMap.h"
#include <wchar.h>
#include "markup/core/KvoMarkupDependencyProperty.h"

bool CKvoMarkupFromNameKey::operator==(const CKvoMarkupFromNameKey& other) const
{
    return owner == other.owner && wcscmp(name, other.name) == 0;
}

UINT AFXAPI HashKey(const CKvoMarkupFromNameKey& key)
{
    return HashKey(key.name) ^ HashKey(key.owner);
}

CKvoMarkupPropertyFromNameMap& CKvoMarkupPropertyFromNameMap::Instance()
{
    static CKvoMarkupPropertyFromNameMap map;
    return map;
}

CKvoMarkupPropertyFromNameMap::~CKvoMarkupPropertyFromNameMap()
{
    for (const auto* entry = m_properties.PGetFirstAssoc(); entry; entry = m_properties.PGetNextAssoc(entry))
        entry->value->Release();
    for (INT_PTR index = 0; index < m_replaced.GetSize(); ++index)
        m_replaced[index]->Release();
}

void CKvoMarkupPropertyFromNameMap::Add(LPCWSTR name, const CKvoMarkupType* owner,
                                        CKvoMarkupDependencyProperty* property)
{
    // A second property under the same name and owner hides the first from
    // lookups; the first lives on, since whoever registered it still uses it.
    CKvoMarkupDependencyProperty*& entry = m_properties[CKvoMarkupFromNameKey{name, owner}];
    if (entry)
        m_replaced.Add(entry);
    entry = property;
}

CKvoMarkupDependencyProperty* CKvoMarkupPropertyFromNameMap::Lookup(LPCWSTR name,
                                                                    const CKvoMarkupType* owner) const
{
    CKvoMarkupDependencyProperty* property = nullptr;
    return m_properties.Lookup(CKvoMarkupFromNameKey{name, owner}, property) ? property : nullptr;
}
