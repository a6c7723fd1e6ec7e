// The test DLLs of framework_tests, loaded for the length of a scope. They
// sit in the build's bin folder, which the test runner puts on the path.
#pragma once

#include <windows.h>

#include "startup_dll/TestStringIds.h"

#define FW_LANG_DLL L"framework_test_lang.dll"
#define FW_STARTUP_DLL L"framework_startup_test.dll"

class CTestModule
{
public:
    explicit CTestModule(LPCWSTR lpszName) : m_hModule(::LoadLibraryW(lpszName))
    {
    }
    ~CTestModule()
    {
        Free();
    }
    CTestModule(const CTestModule&) = delete;
    CTestModule& operator=(const CTestModule&) = delete;

    HMODULE Get() const
    {
        return m_hModule;
    }
    void Free()
    {
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
        m_hModule = NULL;
    }

private:
    HMODULE m_hModule;
};
