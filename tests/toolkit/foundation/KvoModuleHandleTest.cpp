#include <gtest/gtest.h>
#include <string>
#include "support/TestPaths.h"
#include "foundation/base/KvoModuleHandle.h"

TEST(KvoModuleHandle, LoadedModulesAreBorrowedOthersOwned)
{
    CKvoModuleHandle kernel(L"kernel32.dll");
    EXPECT_EQ(kernel.GetKind(), CKvoModuleHandle::Borrowed);
    EXPECT_EQ(kernel.GetHandle(), GetModuleHandleW(L"kernel32.dll"));
    EXPECT_TRUE(kernel.FreeModule());
    EXPECT_EQ(kernel.GetHandle(), nullptr);
    EXPECT_EQ(kernel.GetKind(), CKvoModuleHandle::None);
    EXPECT_TRUE(kernel.GetName().IsEmpty());
    EXPECT_NE(GetModuleHandleW(L"kernel32.dll"), nullptr) << "a borrowed module is not freed";

    std::wstring fixture = BesideTestProgram(L"KvoFixtureHindi.dll");
    ASSERT_EQ(GetModuleHandleW(fixture.c_str()), nullptr);
    {
        CKvoModuleHandle owned(fixture.c_str());
        EXPECT_EQ(owned.GetKind(), CKvoModuleHandle::Owned);
        EXPECT_NE(GetModuleHandleW(fixture.c_str()), nullptr);
    }
    EXPECT_EQ(GetModuleHandleW(fixture.c_str()), nullptr) << "an owned module is freed with its holder";
}

TEST(KvoModuleHandle, NothingWithoutAModule)
{
    CKvoModuleHandle none;
    FARPROC proc = nullptr;
    EXPECT_FALSE(none.GetProcAddress(&proc, "GetTickCount"));
    EXPECT_FALSE(none.Init(L"no-such-module-anywhere.dll"));
    EXPECT_EQ(none.GetVersion(), 0u);
}

TEST(KvoModuleHandle, EntryPointsByMinimumVersion)
{
    CKvoModuleHandle comctl(L"COMCTL32.DLL");
    DWORD version = comctl.GetVersion();
    ASSERT_NE(version, 0u) << "COMCTL32.DLL answers DllGetVersion";
    FARPROC proc = nullptr;
    EXPECT_TRUE(comctl.GetProcAddress(&proc, "InitCommonControlsEx", version));
    EXPECT_NE(proc, nullptr);
    EXPECT_FALSE(comctl.GetProcAddress(&proc, "InitCommonControlsEx", version + 1));
    EXPECT_EQ(proc, nullptr);
    EXPECT_FALSE(comctl.GetProcAddress(&proc, "NoSuchEntryPoint"));

    CKvoModuleHandle kernel(L"kernel32.dll");
    EXPECT_EQ(kernel.GetVersion(), 0u) << "a module without DllGetVersion";
    EXPECT_FALSE(kernel.GetProcAddress(&proc, "GetTickCount", 0x00060000));
    EXPECT_TRUE(kernel.GetProcAddress(&proc, "GetTickCount"));
}
