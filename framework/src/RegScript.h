// A registry script after parsing: what CRegParser builds and
// CRegScriptRunner writes or removes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ATL
{

enum class RegKeyMode
{
    Plain,
    ForceRemove, // deleted with its subtree before it is written
    NoRemove,    // never deleted by unregistration
};

struct RegScriptValue
{
    std::wstring name;
    std::wstring text;
};

struct RegScriptKey
{
    std::wstring name;
    RegKeyMode mode = RegKeyMode::Plain;
    bool hasDefault = false;
    std::wstring defaultText;
    std::vector<RegScriptValue> values;
    std::vector<RegScriptKey> subkeys;
};

struct RegScriptRoot
{
    HKEY hKey;
    std::vector<RegScriptKey> subkeys;
};

} // namespace ATL
