// The DLL start-up of the framework, seen from the process that loads a DLL
// built on it: static objects, then InitInstance; unloading runs
// ExitInstance before the static objects go.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

#include "TestModules.h"

namespace
{

const wchar_t* const rgszControls[] = {L"FW_STARTUP_LOG", L"FW_STARTUP_FAIL", L"FW_STARTUP_THROW", L"FW_STARTUP_LANG"};

std::wstring StartupLog()
{
    wchar_t szLog[1024] = {};
    DWORD nLength = GetEnvironmentVariableW(L"FW_STARTUP_LOG", szLog, 1024);
    return std::wstring(szLog, nLength < 1024 ? nLength : 0);
}

template <typename FUNC>
FUNC Export(HMODULE hModule, const char* pszName)
{
    return reinterpret_cast<FUNC>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
}

std::wstring LoadThroughDll(HMODULE hModule, UINT nID)
{
    BSTR bstr = Export<BSTR (*)(UINT)>(hModule, "StartupLoadString")(nID);
    std::wstring strText(bstr, SysStringLen(bstr));
    SysFreeString(bstr);
    return strText;
}

class DllStartup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearControls();
        ASSERT_EQ(nullptr, GetModuleHandleW(FW_STARTUP_DLL)) << "another test kept the DLL loaded";
    }
    void TearDown() override
    {
        ClearControls();
    }
    static void ClearControls()
    {
        for (const wchar_t* pszName : rgszControls)
            SetEnvironmentVariableW(pszName, NULL);
    }
};

} // namespace

TEST_F(DllStartup, StaticObjectsThenInitInstanceThenExitInstance)
{
    CTestModule dll(FW_STARTUP_DLL);
    ASSERT_NE(nullptr, dll.Get());
    EXPECT_EQ(L"static1;app;static2;init;", StartupLog());

    EXPECT_EQ(dll.Get(), Export<HINSTANCE (*)()>(dll.Get(), "StartupInstanceHandle")());
    EXPECT_EQ(dll.Get(), Export<HINSTANCE (*)()>(dll.Get(), "StartupAppInstance")());
    EXPECT_EQ(dll.Get(), Export<HINSTANCE (*)()>(dll.Get(), "StartupResourceHandle")());
    EXPECT_STREQ(L"framework_startup_test", Export<LPCWSTR (*)()>(dll.Get(), "StartupExeName")());
    EXPECT_STREQ(L"framework_startup_test", Export<LPCWSTR (*)()>(dll.Get(), "StartupAppName")());
    EXPECT_EQ(L"Hello from the startup DLL", LoadThroughDll(dll.Get(), IDS_TEST_HELLO));
    // The loading process's own framework state is not touched.
    EXPECT_EQ(nullptr, AfxGetApp());

    dll.Free();
    EXPECT_EQ(L"static1;app;static2;init;exit;~static2;~static1;", StartupLog());
}

TEST_F(DllStartup, FailedInitInstanceRunsExitInstanceAndFailsTheLoad)
{
    for (const wchar_t* pszControl : {L"FW_STARTUP_FAIL", L"FW_STARTUP_THROW"})
    {
        SetEnvironmentVariableW(L"FW_STARTUP_LOG", NULL);
        SetEnvironmentVariableW(pszControl, L"1");
        CTestModule dll(FW_STARTUP_DLL);
        EXPECT_EQ(nullptr, dll.Get()) << pszControl;
        EXPECT_EQ(L"static1;app;static2;init;exit;~static2;~static1;", StartupLog()) << pszControl;
        SetEnvironmentVariableW(pszControl, NULL);
    }
}

TEST_F(DllStartup, LanguageModuleIsUsedAndFreedAtUnload)
{
    ASSERT_EQ(nullptr, GetModuleHandleW(FW_LANG_DLL));
    SetEnvironmentVariableW(L"FW_STARTUP_LANG", TestModulePath(FW_LANG_DLL).c_str());
    CTestModule dll(FW_STARTUP_DLL);
    ASSERT_NE(nullptr, dll.Get());
    HMODULE hLang = GetModuleHandleW(FW_LANG_DLL);
    ASSERT_NE(nullptr, hLang);
    EXPECT_EQ(hLang, Export<HINSTANCE (*)()>(dll.Get(), "StartupResourceHandle")());
    EXPECT_EQ(L"Hello from the language DLL", LoadThroughDll(dll.Get(), IDS_TEST_HELLO));

    dll.Free();
    EXPECT_EQ(nullptr, GetModuleHandleW(FW_LANG_DLL));
}
