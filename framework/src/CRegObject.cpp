#include <statreg.h>

#include <atlcore.h>

#include "CRegParser.h"
#include "CRegScriptRunner.h"

#include <new>

namespace ATL
{

namespace
{

// A module file loaded for its resources only; freed with the object.
class CResourceFile
{
public:
    explicit CResourceFile(LPCOLESTR fileName) noexcept
        : m_hModule(::LoadLibraryExW(fileName, NULL, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~CResourceFile()
    {
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
    }
    CResourceFile(const CResourceFile&) = delete;
    CResourceFile& operator=(const CResourceFile&) = delete;

    HMODULE Handle() const noexcept
    {
        return m_hModule;
    }

private:
    HMODULE m_hModule;
};

// The script's bytes as text of the thread's ANSI code page.
HRESULT DecodeScript(const char* pBytes, DWORD cbBytes, std::wstring& text)
{
    if (cbBytes == 0)
        return S_OK;
    int cch = ::MultiByteToWideChar(CP_THREAD_ACP, 0, pBytes, static_cast<int>(cbBytes), NULL, 0);
    if (cch <= 0)
        return AtlHresultFromLastError();
    text.resize(cch);
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, pBytes, static_cast<int>(cbBytes), &text[0], cch);
    // Resource compilers may pad the script with nulls.
    text.resize(wcsnlen(text.c_str(), text.size()));
    return S_OK;
}

} // namespace

HRESULT CRegObject::AddReplacement(LPCOLESTR key, LPCOLESTR item)
{
    if (key == NULL || item == NULL)
        return E_INVALIDARG;
    try
    {
        m_replacements.emplace_back(key, item);
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CRegObject::ClearReplacements()
{
    m_replacements.clear();
    return S_OK;
}

HRESULT CRegObject::ResourceRegister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType)
{
    return RunResource(resFileName, nID, szType, true);
}

HRESULT CRegObject::ResourceUnregister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType)
{
    return RunResource(resFileName, nID, szType, false);
}

HRESULT CRegObject::StringRegister(LPCOLESTR data)
{
    return RunScript(data, true);
}

HRESULT CRegObject::StringUnregister(LPCOLESTR data)
{
    return RunScript(data, false);
}

HRESULT CRegObject::RunResource(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType, bool bRegister)
{
    if (resFileName == NULL || szType == NULL)
        return E_INVALIDARG;
    CResourceFile file(resFileName);
    if (file.Handle() == NULL)
        return AtlHresultFromLastError();
    HRSRC hResource = ::FindResourceW(file.Handle(), MAKEINTRESOURCEW(nID), szType);
    HGLOBAL hData = hResource != NULL ? ::LoadResource(file.Handle(), hResource) : NULL;
    const char* pBytes = hData != NULL ? static_cast<const char*>(::LockResource(hData)) : NULL;
    if (pBytes == NULL)
        return AtlHresultFromLastError();
    try
    {
        std::wstring script;
        HRESULT hr = DecodeScript(pBytes, ::SizeofResource(file.Handle(), hResource), script);
        return SUCCEEDED(hr) ? ParseAndRun(script.c_str(), bRegister) : hr;
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
}

HRESULT CRegObject::RunScript(LPCOLESTR data, bool bRegister)
{
    if (data == NULL)
        return E_INVALIDARG;
    try
    {
        return ParseAndRun(data, bRegister);
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
}

HRESULT CRegObject::ParseAndRun(LPCOLESTR data, bool bRegister)
{
    std::wstring text;
    HRESULT hr = Expand(data, text);
    std::vector<RegScriptRoot> roots;
    if (SUCCEEDED(hr))
        hr = CRegParser(text).Parse(roots);
    if (FAILED(hr))
        return hr;
    return bRegister ? CRegScriptRunner::Register(roots) : CRegScriptRunner::Unregister(roots);
}

// Replaces every %NAME% with its text; an unknown name is an error.
HRESULT CRegObject::Expand(LPCOLESTR data, std::wstring& expanded) const
{
    for (const wchar_t* p = data; *p != L'\0'; ++p)
    {
        if (*p != L'%')
        {
            expanded += *p;
            continue;
        }
        const wchar_t* pEnd = wcschr(p + 1, L'%');
        if (pEnd == NULL)
            return DISP_E_EXCEPTION;
        std::wstring name(p + 1, pEnd);
        const std::wstring* pText = name.empty() ? NULL : FindReplacement(name);
        if (!name.empty() && pText == NULL)
            return DISP_E_EXCEPTION;
        expanded += pText != NULL ? *pText : L"%";
        p = pEnd;
    }
    return S_OK;
}

const std::wstring* CRegObject::FindReplacement(const std::wstring& key) const
{
    // The last one added under a name wins.
    for (auto it = m_replacements.rbegin(); it != m_replacements.rend(); ++it)
    {
        if (::lstrcmpiW(it->first.c_str(), key.c_str()) == 0)
            return &it->second;
    }
    return NULL;
}

} // namespace ATL
