#include <atlmodule.h>

#include "ModulePath.h"

#include <new>

namespace ATL
{

GUID CAtlModule::m_libid = {};
CAtlModule* _pAtlModule = NULL;

namespace
{

// The path as a quoted registrar text needs it.
std::wstring DoubleSingleQuotes(const std::wstring& path)
{
    std::wstring escaped;
    for (wchar_t ch : path)
    {
        escaped += ch;
        if (ch == L'\'')
            escaped += L'\'';
    }
    return escaped;
}

} // namespace

CAtlModule::CAtlModule() noexcept : m_bInitFailed(false), m_nLockCnt(0)
{
    m_bInitFailed = FAILED(m_csStaticDataInitAndTypeInfo.Init());
    _pAtlModule = this;
}

CAtlModule::~CAtlModule()
{
    if (_pAtlModule == this)
        _pAtlModule = NULL;
    if (!m_bInitFailed)
        m_csStaticDataInitAndTypeInfo.Term();
}

LONG CAtlModule::Lock() noexcept
{
    return ::InterlockedIncrement(&m_nLockCnt);
}

LONG CAtlModule::Unlock() noexcept
{
    return ::InterlockedDecrement(&m_nLockCnt);
}

LONG CAtlModule::GetLockCount() const noexcept
{
    return m_nLockCnt;
}

HRESULT CAtlModule::UpdateRegistryFromResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries)
{
    try
    {
        return RunRegistryResource(nResID, bRegister, pMapEntries);
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
}

HRESULT CAtlModule::RunRegistryResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries)
{
    std::wstring path = AtlModulePath(_AtlBaseModule.GetModuleInstance());
    if (path.empty())
        return AtlHresultFromLastError();
    CRegObject registrar;
    registrar.AddReplacement(L"Module", DoubleSingleQuotes(path).c_str());
    registrar.AddReplacement(L"Module_Raw", path.c_str());
    HRESULT hr = AddCommonRGSReplacements(&registrar);
    for (_ATL_REGMAP_ENTRY* pEntry = pMapEntries; SUCCEEDED(hr) && pEntry != NULL && pEntry->szKey != NULL; ++pEntry)
        hr = registrar.AddReplacement(pEntry->szKey, pEntry->szData);
    if (FAILED(hr))
        return hr;
    return bRegister ? registrar.ResourceRegister(path.c_str(), nResID, L"REGISTRY")
                     : registrar.ResourceUnregister(path.c_str(), nResID, L"REGISTRY");
}

} // namespace ATL
