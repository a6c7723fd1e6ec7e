// Writes a parsed registry script into the registry, or takes it out again.
#pragma once

#include "RegScript.h"

namespace ATL
{

class CRegScriptRunner
{
public:
    // The first failure ends the run; what was written before stays.
    static HRESULT Register(const std::vector<RegScriptRoot>& roots);
    // Keys and values that are already gone are not failures.
    static HRESULT Unregister(const std::vector<RegScriptRoot>& roots);

private:
    static HRESULT RegisterKey(HKEY hParent, const RegScriptKey& key);
    static HRESULT UnregisterKey(HKEY hParent, const RegScriptKey& key);
    static HRESULT UnregisterContents(HKEY hKey, const RegScriptKey& key);
};

} // namespace ATL
