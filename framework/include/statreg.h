// The registrar: runs registry scripts (.rgs) for registration or
// unregistration.
//
// A script names roots (HKCR, HKCU, HKLM or their long names), each with a
// braced list of keys. A key is a name, optionally "= s 'text'" for its
// default value, optionally a braced list of subkeys and "val name = s 'text'"
// values. "ForceRemove" before a key deletes it with its subtree before it is
// written; "NoRemove" keeps it when the script unregisters. Names and texts
// are quoted with single quotes, a doubled quote standing for one. %NAME%
// is replaced by the text added with AddReplacement (names compare without
// regard to case); %% stands for one percent sign.
//
// Unregistration deletes ForceRemove keys with their subtree, the script's
// values, and plain keys once nothing else is left in them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace ATL
{

// What a module adds its replacements through.
class IRegistrarBase
{
public:
    virtual HRESULT AddReplacement(LPCOLESTR key, LPCOLESTR item) = 0;
    virtual HRESULT ClearReplacements() = 0;

protected:
    ~IRegistrarBase() = default;
};

class CRegObject : public IRegistrarBase
{
public:
    HRESULT AddReplacement(LPCOLESTR key, LPCOLESTR item) override;
    HRESULT ClearReplacements() override;

    // The script is the resource nID of type szType in the module file
    // resFileName, text in the thread's ANSI code page.
    HRESULT ResourceRegister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType);
    HRESULT ResourceUnregister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType);
    HRESULT StringRegister(LPCOLESTR data);
    HRESULT StringUnregister(LPCOLESTR data);

private:
    HRESULT RunResource(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType, bool bRegister);
    HRESULT RunScript(LPCOLESTR data, bool bRegister);
    HRESULT ParseAndRun(LPCOLESTR data, bool bRegister);
    HRESULT Expand(LPCOLESTR data, std::wstring& expanded) const;
    const std::wstring* FindReplacement(const std::wstring& key) const;

    std::vector<std::pair<std::wstring, std::wstring>> m_replacements;
};

} // namespace ATL
