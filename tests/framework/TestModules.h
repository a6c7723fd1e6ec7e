// The test DLLs of framework_tests, loaded for the length of a scope from
// this build's bin folder (the path may name another build's).
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "startup_dll/TestStringIds.h"

#define FW_LANG_DLL L"framework_test_lang.dll"
#define FW_STARTUP_DLL L"framework_startup_test.dll"
#define FW_DIALOG_DLL L"framework_test_dialogs.dll"

inline std::wstring TestModulePath(LPCWSTR lpszName)
{
    return std::wstring(JW_BIN_DIR) + L"\\" + lpszName;
}

class CTestModule
{
public:
    explicit CTestModule(LPCWSTR lpszName) : m_hModule(::LoadLibraryW(TestModulePath(lpszName).c_str()))
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

// Tests of windows made from the dialog templates of the test dialog module:
// the module is the resource module while a test runs.
class DialogModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_module.Get());
        AfxSetResourceHandle(m_module.Get());
    }
    void TearDown() override
    {
        AfxSetResourceHandle(NULL);
    }

    CTestModule m_module{FW_DIALOG_DLL};
};
