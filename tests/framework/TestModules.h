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

// Tests that load strings or templates from one of the test DLLs: the DLL is
// the resource module while a test runs, and the previous one comes back.
class ResourceModuleTest : public ::testing::Test
{
protected:
    explicit ResourceModuleTest(const wchar_t* pszModule) : m_module(pszModule) {}

    void SetUp() override
    {
        ASSERT_NE(nullptr, m_module.Get());
        m_hOldResource = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module.Get());
    }
    void TearDown() override
    {
        AfxSetResourceHandle(m_hOldResource);
    }

    CTestModule m_module;
    HINSTANCE m_hOldResource = NULL;
};

// Tests of windows made from the dialog templates of the test dialog module.
class DialogModuleTest : public ResourceModuleTest
{
protected:
    DialogModuleTest() : ResourceModuleTest(FW_DIALOG_DLL) {}
};
