// The object and class tags of CArchive and its tables of objects and
// classes met so far.
#include <afx.h>

#include "ArchiveSpares.h"

#include <algorithm>

namespace
{

const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD dwBigClassTag = 0x80000000;
const DWORD nMaxMapCount = 0x3FFFFFFE;

// Objects nest inside objects while they are read; a stream nested deeper
// than this is refused before the stack runs out.
const UINT nMaxObjectDepth = 128;

// Every table entry costs the stream at least a 2-byte tag.
const ULONGLONG nMinBytesPerEntry = 2;

// Restores the schema and nesting depth of the enclosing object, also when
// reading an object fails.
class ObjectReadScope
{
public:
    ObjectReadScope(UINT& nSchema, UINT& nDepth, UINT nNewSchema)
        : m_nSchema(nSchema), m_nDepth(nDepth), m_nSavedSchema(nSchema)
    {
        m_nSchema = nNewSchema;
        ++m_nDepth;
    }
    ~ObjectReadScope()
    {
        m_nSchema = m_nSavedSchema;
        --m_nDepth;
    }
    ObjectReadScope(const ObjectReadScope&) = delete;
    ObjectReadScope& operator=(const ObjectReadScope&) = delete;

private:
    UINT& m_nSchema;
    UINT& m_nDepth;
    UINT m_nSavedSchema;
};

}

// Storing --------------------------------------------------------------------

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    auto known = m_storeMap.find(pOb);
    if (known != m_storeMap.end())
    {
        WriteTag(known->second, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckMapCount(m_nMapCount);
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) == AFX_NOT_SERIALIZABLE_SCHEMA)
        ThrowArchive(CArchiveException::badClass);
    auto known = m_storeMap.find(pClassRef);
    if (known != m_storeMap.end())
    {
        WriteTag(known->second, dwBigClassTag);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckMapCount(m_nMapCount);
    m_storeMap[pClassRef] = m_nMapCount++;
}

// A reference: the index in a WORD (with the class bit for classes), or the
// big-tag escape and a DWORD for indices that do not fit.
void CArchive::WriteTag(DWORD dwIndex, DWORD dwBigFlag)
{
    if (dwIndex < wBigObjectTag)
    {
        *this << static_cast<WORD>(dwIndex | (dwBigFlag != 0 ? wClassTag : 0));
        return;
    }
    *this << wBigObjectTag << (dwIndex | dwBigFlag);
}

void CArchive::SetStoreParams(UINT nHashSize, UINT /*nBlockSize*/)
{
    m_storeMap.reserve(nHashSize);
}

void CArchive::CheckMapCount(DWORD dwCount) const
{
    if (dwCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
}

// Loading --------------------------------------------------------------------

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    UINT nSchema = 0;
    DWORD dwObTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &dwObTag);
    if (pClassRef == NULL)
        return LookUpObject(dwObTag, pClassRefRequested);
    return CreateAndRead(pClassRef, nSchema);
}

// Reads a tag. A class (new or known) is checked against the required class
// before anything is created; an object tag is handed back in pObTag.
CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    EnsureLoadTable();
    WORD wTag = 0;
    *this >> wTag;
    DWORD dwTag = 0;
    if (wTag == wBigObjectTag)
        *this >> dwTag;
    else
        dwTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if ((dwTag & dwBigClassTag) == 0)
    {
        if (pObTag == NULL)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = dwTag;
        return NULL;
    }

    UINT nSchema = 0;
    CRuntimeClass* pClassRef =
        wTag == wNewClassTag ? ReadNewClass(&nSchema) : LookUpClass(dwTag & ~dwBigClassTag, &nSchema);
    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        if (pOb == NULL || m_storeMap.count(pOb) != 0)
            return;
        CheckMapCount(m_nMapCount);
        m_storeMap[pOb] = m_nMapCount++;
        return;
    }
    EnsureLoadTable();
    AddLoadEntry({NULL, const_cast<CObject*>(pOb), 0, false});
}

void CArchive::SetLoadParams(UINT nGrowBy)
{
    ULONGLONG nMostEntries = IsLoading() ? GetBytesLeft() / nMinBytesPerEntry + 1 : nGrowBy;
    m_nGrowSize = static_cast<UINT>(std::max<ULONGLONG>(1, std::min<ULONGLONG>(nGrowBy, nMostEntries)));
}

// Index 0 of the load table stands for the null object.
void CArchive::EnsureLoadTable()
{
    if (m_loadTable.empty())
    {
        if (m_loadTable.capacity() == 0)
            CArchiveSpares::TakeLoadTable(m_loadTable);
        m_loadTable.push_back({NULL, NULL, 0, false});
    }
}

void CArchive::AddLoadEntry(const LoadEntry& entry)
{
    size_t nSize = m_loadTable.size();
    CheckMapCount(static_cast<DWORD>(nSize));
    if (nSize == m_loadTable.capacity())
        m_loadTable.reserve(nSize + std::max<size_t>(m_nGrowSize, nSize / 2));
    m_loadTable.push_back(entry);
}

// A new-class tag: the class's schema and name. Only registered classes are
// known; a class that is not versionable must carry its own schema.
CRuntimeClass* CArchive::ReadNewClass(UINT* pSchema)
{
    CRuntimeClass* pClassRef = CRuntimeClass::Load(*this, pSchema);
    if (pClassRef == NULL)
        ThrowArchive(CArchiveException::badClass);
    bool bVersionable = (pClassRef->m_wSchema & VERSIONABLE_SCHEMA) != 0;
    if (!bVersionable && (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != *pSchema)
        ThrowArchive(CArchiveException::badSchema);
    AddLoadEntry({pClassRef, NULL, *pSchema, false});
    return pClassRef;
}

CRuntimeClass* CArchive::LookUpClass(DWORD dwIndex, UINT* pSchema) const
{
    if (dwIndex >= m_loadTable.size() || m_loadTable[dwIndex].pClass == NULL)
        ThrowArchive(CArchiveException::badIndex);
    *pSchema = m_loadTable[dwIndex].nSchema;
    return m_loadTable[dwIndex].pClass;
}

CObject* CArchive::LookUpObject(DWORD dwIndex, const CRuntimeClass* pClassRefRequested) const
{
    if (dwIndex >= m_loadTable.size() || m_loadTable[dwIndex].pClass != NULL)
        ThrowArchive(CArchiveException::badIndex);
    CObject* pOb = m_loadTable[dwIndex].pObject;
    if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    return pOb;
}

// The object takes its table index before its data is read, so references
// inside its data to it resolve and the objects it holds come later.
CObject* CArchive::CreateAndRead(CRuntimeClass* pClassRef, UINT nSchema)
{
    if (m_nDepth >= nMaxObjectDepth)
        ThrowArchive(CArchiveException::badClass);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowMemoryException();
    try
    {
        AddLoadEntry({NULL, pOb, 0, true});
    }
    catch (...)
    {
        delete pOb;
        throw;
    }
    ObjectReadScope scope(m_nObjectSchema, m_nDepth, nSchema);
    pOb->Serialize(*this);
    return pOb;
}

std::vector<CObject*> CArchive::ReleaseLoadedObjects()
{
    std::vector<CObject*> objects;
    objects.reserve(m_loadTable.size());
    for (LoadEntry& entry : m_loadTable)
    {
        if (entry.bCreated)
            objects.push_back(entry.pObject);
        entry.bCreated = false;
    }
    return objects;
}

void CArchive::DeleteLoadedObjects()
{
    if (m_bOwnsLoadedObjects)
    {
        for (auto entry = m_loadTable.rbegin(); entry != m_loadTable.rend(); ++entry)
        {
            if (entry->bCreated)
                delete entry->pObject;
        }
    }
    m_loadTable.clear();
}

// Object operators -------------------------------------------------------------

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}
