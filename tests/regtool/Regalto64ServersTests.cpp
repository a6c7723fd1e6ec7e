// Regalto64.exe with the project's own servers: the built Quillora.dll and
// Lumivex.dll, with the library and language modules beside them, in a temp
// folder, registered and unregistered through the real regsvr32.
#include "DebuggedProgram.h"
#include "ProcessWait.h"
#include "ScratchFolder.h"
#include "TestPaths.h"
#include "ThirtyTwoBitPrograms.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The thumbnail handler's and the preview handler's classes; their
// InprocServer32 keys name the DLLs that registered them.
const wchar_t kThumbnailServerKey[] = L"CLSID\\{2499B5D4-C88A-409E-9732-511A89AA26DC}\\InprocServer32";
const wchar_t kPreviewServerKey[] = L"CLSID\\{C90C0915-E32A-4DB1-A936-0308D5E344B3}\\InprocServer32";
const wchar_t* const kModules[] = {L"Quillora.dll", L"Lumivex.dll", L"Tavrena.dll", L"TavrenaJPN.dll",
                                   L"TavrenaENU.dll"};


// The server DLL named in the given registry view; empty when not registered.
std::wstring registeredServer(const wchar_t* serverKey, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, serverKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return {};
    }
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(value) : std::wstring();
}

bool samePath(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

class Regalto64ServersTest : public ::testing::Test {
protected:
    // Copies the program, and the servers of binFolder into subfolder
    // (empty: beside the program) with a "Setting.ini" that also lists a
    // missing file. False when that build is not there.
    bool placeServers(const std::wstring& binFolder, const std::wstring& subfolder)
    {
        if (!FileExists(binFolder + L"\\Quillora.dll")) {
            return false;
        }
        EXPECT_TRUE(CopyFileW((std::wstring(JW_BIN_DIR) + L"\\Regalto64.exe").c_str(),
                              folder.At(L"Regalto64.exe").c_str(), FALSE));
        const std::wstring prefix = subfolder.empty() ? L"" : subfolder + L"\\";
        if (!subfolder.empty()) {
            folder.MakeFolder(subfolder);
        }
        for (const wchar_t* module : kModules) {
            EXPECT_TRUE(CopyFileW((binFolder + L"\\" + module).c_str(), folder.At(prefix + module).c_str(), FALSE))
                << "copying module " << (&module - kModules);
        }
        folder.Write(prefix + L"Setting.ini",
                     "[Language]\r\nLanguage=English\r\n[RegistCOM]\r\nFile1=Quillora.dll\r\nFile2=Missing.dll\r\n"
                     "File3=Lumivex.dll\r\n");
        serverPath = folder.At(prefix + L"Quillora.dll");
        previewServerPath = folder.At(prefix + L"Lumivex.dll");
        return true;
    }

    // Runs the program silently and waits for the regsvr32 runs it started.
    void runSilently(const std::wstring& arguments)
    {
        const auto result = DebuggedProgram::run(folder.At(L"Regalto64.exe"), arguments, 60000);
        ASSERT_TRUE(result.ended);
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.debugLines.size(), 2u) << "one regsvr32 run for each listed file that exists";
        ASSERT_TRUE(WaitUntilNoProcessNamed(L"regsvr32.exe", 60000));
    }

    void expectRoundTrip(const std::wstring& switches, REGSAM view)
    {
        runSilently(switches + L" /s");
        EXPECT_TRUE(samePath(registeredServer(kThumbnailServerKey, view), serverPath)) << "the server's keys are not there";
        EXPECT_TRUE(samePath(registeredServer(kPreviewServerKey, view), previewServerPath))
            << "the preview server's keys are not there";
        runSilently(L"/u " + switches + L" /s");
        EXPECT_EQ(registeredServer(kThumbnailServerKey, view), L"") << "the server's keys are still there";
        EXPECT_EQ(registeredServer(kPreviewServerKey, view), L"") << "the preview server's keys are still there";
    }

    ScratchFolder folder;
    std::wstring serverPath;
    std::wstring previewServerPath;
};

TEST_F(Regalto64ServersTest, RegistersTheBuiltServersOfItsOwnWidth)
{
    ASSERT_TRUE(placeServers(JW_BIN_DIR, L""));
    expectRoundTrip(L"", sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
}

TEST_F(Regalto64ServersTest, X86SwitchRegistersTheX86BuildsInThe32BitView)
{
    if (!CanRun32BitPrograms()) {
        GTEST_SKIP() << kNo32BitProgramsReason;
    }
    if (!placeServers(REGTOOL_X86_BIN_DIR, L"x86")) {
        GTEST_SKIP() << "the x86 build is not there";
    }
    expectRoundTrip(L"/x86", KEY_WOW64_32KEY);
}

}  // namespace
