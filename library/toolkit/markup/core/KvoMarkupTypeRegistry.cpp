#include "markup/core/KvoMarkupTypeRegistry.h"
#include "markup/core/KvoMarkupType.h"

namespace {
// The registry's hash table: 17 buckets, entries allocated ten at a time.
const UINT kTagBuckets = 17;
const INT_PTR kTagBlockSize = 10;
}

CKvoMarkupTypeRegistry& CKvoMarkupTypeRegistry::Instance()
{
    static CKvoMarkupTypeRegistry registry;
    return registry;
}

CKvoMarkupTypeRegistry::CKvoMarkupTypeRegistry() : m_typesByTag(kTagBlockSize), m_pFirstType(nullptr)
{
    m_typesByTag.InitHashTable(kTagBuckets);
}

CKvoMarkupTypeRegistry::~CKvoMarkupTypeRegistry()
{
    for (CKvoMarkupType* type = m_pFirstType; type;) {
        CKvoMarkupType* next = type->GetNextType();
        type->Release();
        type = next;
    }
}

void CKvoMarkupTypeRegistry::AddType(CKvoMarkupType* type)
{
    LPCWSTR tag = type->GetTag();
    if (tag && *tag)
        m_typesByTag.SetAt(tag, type);
    type->m_pNextType = m_pFirstType;
    m_pFirstType = type;
}

CKvoMarkupType* CKvoMarkupTypeRegistry::FindType(LPCWSTR tag) const
{
    CKvoMarkupType* type = nullptr;
    return tag && m_typesByTag.Lookup(tag, type) ? type : nullptr;
}
