#include <atlcom.h>

namespace ATL
{

HRESULT WINAPI AtlInternalQueryInterface(void* pThis, const _ATL_INTMAP_ENTRY* pEntries, REFIID iid,
                                         void** ppvObject)
{
    if (ppvObject == NULL)
        return E_POINTER;
    *ppvObject = NULL;
    const _ATL_INTMAP_ENTRY* pFound = NULL;
    if (::IsEqualIID(iid, IID_IUnknown))
        pFound = pEntries;
    for (const _ATL_INTMAP_ENTRY* pEntry = pEntries; pFound == NULL && pEntry->piid != NULL; ++pEntry)
    {
        if (::IsEqualIID(iid, *pEntry->piid))
            pFound = pEntry;
    }
    if (pFound == NULL)
        return E_NOINTERFACE;
    IUnknown* pUnk = reinterpret_cast<IUnknown*>(reinterpret_cast<DWORD_PTR>(pThis) + pFound->dw);
    pUnk->AddRef();
    *ppvObject = pUnk;
    return S_OK;
}

} // namespace ATL
