#include <afxcoll.h>

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)

namespace
{

template <typename CHAR>
UINT HashString(const CHAR* key)
{
    UINT nHash = 0;
    for (; *key != 0; ++key)
        nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<typename std::make_unsigned<CHAR>::type>(*key));
    return nHash;
}

template <typename STRING>
void SerializeStrings(CArchive& ar, STRING* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

}

UINT AFXAPI HashKey(LPCWSTR key)
{
    return HashString(key);
}

UINT AFXAPI HashKey(LPCSTR key)
{
    return HashString(key);
}

template <>
void AFXAPI SerializeElements<CStringW>(CArchive& ar, CStringW* pElements, INT_PTR nCount)
{
    SerializeStrings(ar, pElements, nCount);
}

template <>
void AFXAPI SerializeElements<CStringA>(CArchive& ar, CStringA* pElements, INT_PTR nCount)
{
    SerializeStrings(ar, pElements, nCount);
}

CObList::CObList(INT_PTR nBlockSize) : CList<CObject*, CObject*>(nBlockSize)
{
}

CObList::~CObList() = default;

void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos != NULL;)
            ar << GetNext(pos);
        return;
    }
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
    {
        CObject* pOb = NULL;
        ar >> pOb;
        AddTail(pOb);
    }
}

CPtrList::CPtrList(INT_PTR nBlockSize) : CList<void*, void*>(nBlockSize)
{
}

CPtrList::~CPtrList() = default;

CPtrArray::CPtrArray() = default;

CPtrArray::~CPtrArray() = default;

CStringArray::CStringArray() = default;

CStringArray::~CStringArray() = default;

CMapPtrToPtr::CMapPtrToPtr(INT_PTR nBlockSize) : CMap<void*, void*, void*, void*>(nBlockSize)
{
}

CMapPtrToPtr::~CMapPtrToPtr() = default;

CMapStringToPtr::CMapStringToPtr(INT_PTR nBlockSize) : CMap<CString, LPCWSTR, void*, void*>(nBlockSize)
{
}

CMapStringToPtr::~CMapStringToPtr() = default;
