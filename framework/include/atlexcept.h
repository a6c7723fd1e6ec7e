// AtlThrow: the error path of the ATL-shaped classes. As in an MFC build it
// raises the class library's exceptions (thrown by pointer, freed with
// Delete()): E_OUTOFMEMORY a CMemoryException, anything else a
// CInvalidArgException.
#pragma once

#include <windows.h>

namespace ATL
{

[[noreturn]] void WINAPI AtlThrowImpl(HRESULT hr);

} // namespace ATL

#ifndef AtlThrow
#define AtlThrow ATL::AtlThrowImpl
#endif

#ifndef ATLASSERT
#include <assert.h>
#define ATLASSERT(expr) assert(expr)
#endif

#ifndef ATLENSURE
#define ATLENSURE(expr) \
    do \
    { \
        if (!(expr)) \
            AtlThrow(E_FAIL); \
    } while (0)
#endif
