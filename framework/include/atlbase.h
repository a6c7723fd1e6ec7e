// The ATL base: the module's instance and the modules its resources come
// from (_AtlBaseModule), string-table look-up, and the COM client classes of
// <atlcomcli.h>.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <atlconv.h>
#include <atlexcept.h>

namespace ATL
{

// A block of the string table: the string's length, then its UTF-16 units
// (not terminated).
struct ATLSTRINGRESOURCEIMAGE
{
    WORD nLength;
    WCHAR achString[1];
};

// The string of the given id in a module's string table; NULL when the
// module has no such string or it is empty.
const ATLSTRINGRESOURCEIMAGE* AtlGetStringResourceImage(HINSTANCE hInstance, UINT id, WORD wLanguage = 0);

// The module that links the framework and the modules its resources are
// looked up in: the resource instance (the module itself until
// SetResourceInstance names another, e.g. a language module) first, then
// those added with AddResourceInstance. Usable from static constructors in
// any order: it needs no construction at run time.
class CAtlBaseModule
{
public:
    constexpr CAtlBaseModule() noexcept = default;
    CAtlBaseModule(const CAtlBaseModule&) = delete;
    CAtlBaseModule& operator=(const CAtlBaseModule&) = delete;

    HINSTANCE GetModuleInstance() const noexcept;
    HINSTANCE GetResourceInstance() const noexcept;
    // Returns the previous resource instance; NULL goes back to the module.
    HINSTANCE SetResourceInstance(HINSTANCE hInst) noexcept;
    bool AddResourceInstance(HINSTANCE hInst) noexcept;
    bool RemoveResourceInstance(HINSTANCE hInst) noexcept;
    // The i-th module to look in; NULL past the last.
    HINSTANCE GetHInstanceAt(int i) noexcept;

private:
    static const int nMaxResourceInstances = 8;

    HINSTANCE m_hInstResource = NULL;
    SRWLOCK m_lock = SRWLOCK_INIT;
    HINSTANCE m_rgResourceInstance[nMaxResourceInstances] = {};
    int m_nResourceInstances = 0;
};

extern CAtlBaseModule _AtlBaseModule;

// The first of _AtlBaseModule's resource modules that holds a non-empty
// string nID; NULL when none does.
HINSTANCE AtlFindStringResourceInstance(UINT nID, WORD wLanguage = 0);

} // namespace ATL

#include <atlcomcli.h>

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
