// Quillora.dll registered and unregistered the way the registration program
// does it: regsvr32 of the DLL's own width, looked at in that width's
// registry view.
#include <gtest/gtest.h>

#include <atlregkey.h>

#include <optional>

#include "LibraryModule.h"
#include "QuilloraServer.h"
#include "QuilloraTestSupport.h"
#include "RegistryView.h"

namespace {

const HKEY HKCR = HKEY_CLASSES_ROOT;

struct ShellClass {
    const CLSID* clsid;
    const wchar_t* name;  // as in the ProgIDs
};
const ShellClass kShellClasses[] = {{&CLSID_JwCADTip, L"JwCADTip"}, {&CLSID_JwCADImage, L"JwCADImage"}};

std::wstring ClassKey(const CLSID& clsid)
{
    return L"CLSID\\" + GuidText(clsid);
}

std::wstring ApprovedKey()
{
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved\\" + GuidText(CLSID_JwCADTip);
}

std::wstring TypeLibraryKey()
{
    return L"TypeLib\\" + GuidText(LIBID_QuilloraLib) + (sizeof(void*) == 8 ? L"\\1.0\\409\\win64" : L"\\1.0\\409\\win32");
}

void CreateKey(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0,
                                             KEY_WRITE | (sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY),
                                             nullptr, &key, nullptr));
    RegCloseKey(key);
}

void ExpectInprocServer(const RegistryView& view, const CLSID& clsid, const std::wstring& dll)
{
    const std::wstring server = ClassKey(clsid) + L"\\InprocServer32";
    std::wstring registered = view.String(HKCR, server).value_or(L"(none)");
    EXPECT_TRUE(SamePath(dll, registered)) << "registered: " << Utf8(registered);
    EXPECT_EQ(L"Apartment", view.String(HKCR, server, L"ThreadingModel").value_or(L""));
    EXPECT_EQ(GuidText(LIBID_QuilloraLib), view.String(HKCR, ClassKey(clsid) + L"\\TypeLib").value_or(L""));
    EXPECT_TRUE(view.HasKey(HKCR, ClassKey(clsid) + L"\\Programmable"));
}

void ExpectRegistered(const RegistryView& view, const std::wstring& dll)
{
    for (const ShellClass& shellClass : kShellClasses) {
        SCOPED_TRACE(Utf8(shellClass.name));
        const std::wstring name = shellClass.name;
        const std::wstring description = name + L" Class";
        const std::wstring progId = L"Quillora." + name;
        EXPECT_EQ(description, view.String(HKCR, ClassKey(*shellClass.clsid)).value_or(L""));
        EXPECT_EQ(progId + L".1", view.String(HKCR, ClassKey(*shellClass.clsid) + L"\\ProgID").value_or(L""));
        EXPECT_EQ(progId, view.String(HKCR, ClassKey(*shellClass.clsid) + L"\\VersionIndependentProgID").value_or(L""));
        ExpectInprocServer(view, *shellClass.clsid, dll);
        EXPECT_EQ(description, view.String(HKCR, progId + L".1").value_or(L""));
        EXPECT_EQ(GuidText(*shellClass.clsid), view.String(HKCR, progId + L".1\\CLSID").value_or(L""));
        EXPECT_EQ(description, view.String(HKCR, progId).value_or(L""));
        EXPECT_EQ(GuidText(*shellClass.clsid), view.String(HKCR, progId + L"\\CLSID").value_or(L""));
        EXPECT_EQ(progId + L".1", view.String(HKCR, progId + L"\\CurVer").value_or(L""));
    }
    EXPECT_EQ(L"KesmariLib class", view.String(HKCR, ClassKey(CLSID_KesmariLib)).value_or(L""));
    EXPECT_EQ(L"1.0", view.String(HKCR, ClassKey(CLSID_KesmariLib) + L"\\Version").value_or(L""));
    EXPECT_FALSE(view.HasKey(HKCR, ClassKey(CLSID_KesmariLib) + L"\\ProgID"));
    ExpectInprocServer(view, CLSID_KesmariLib, dll);

    for (const wchar_t* extension : kDrawingExtensions) {
        SCOPED_TRACE(Utf8(extension));
        const std::wstring shellex = std::wstring(extension) + L"\\shellex\\";
        EXPECT_EQ(GuidText(CLSID_JwCADTip), view.String(HKCR, shellex + kInfoTipHandlerKey).value_or(L""));
        EXPECT_EQ(GuidText(CLSID_JwCADImage), view.String(HKCR, shellex + kThumbnailHandlerKey).value_or(L""));
    }
    EXPECT_EQ(L"Extension for JwCAD Files", view.String(HKEY_LOCAL_MACHINE, ApprovedKey()).value_or(L""));
    EXPECT_EQ(L"Quillora", view.String(HKCR, std::wstring(L"AppID\\") + kQuilloraAppId).value_or(L""));
    EXPECT_EQ(kQuilloraAppId, view.String(HKCR, L"AppID\\Quillora.DLL", L"AppID").value_or(L""));
    std::wstring typeLibrary = view.String(HKCR, TypeLibraryKey()).value_or(L"(none)");
    EXPECT_TRUE(SamePath(dll, typeLibrary)) << "type library: " << Utf8(typeLibrary);
}

// Every test leaves the build's server registered, as the run began.
class QuilloraRegistration : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(0u, Regsvr32(QuilloraDll()).exitCode); }

    RegistryView view_ = RegistryView::Own();
};

TEST_F(QuilloraRegistration, Regsvr32WritesEveryKeyInTheServersOwnView)
{
    ChildResult result = Regsvr32(QuilloraDll());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(0u, result.exitCode);
    ExpectRegistered(view_, QuilloraDll());

    // The other width's view never gets this DLL (the x86 server lands in the
    // 32-bit view only).
    RegistryView other(sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
    auto otherServer = other.String(HKCR, ClassKey(CLSID_JwCADTip) + L"\\InprocServer32");
    EXPECT_FALSE(otherServer && SamePath(*otherServer, QuilloraDll()));
}

TEST_F(QuilloraRegistration, RegisteringTwiceLeavesOneCopyOfEachKey)
{
    ASSERT_EQ(0u, Regsvr32(QuilloraDll()).exitCode);
    // Left-overs inside ForceRemove keys go when the keys are written again.
    CreateKey(HKCR, ClassKey(CLSID_JwCADTip) + L"\\Leftover");
    CreateKey(HKCR, std::wstring(L".jww\\shellex\\") + kInfoTipHandlerKey + L"\\Leftover");
    ASSERT_EQ(0u, Regsvr32(QuilloraDll()).exitCode);

    ExpectRegistered(view_, QuilloraDll());
    EXPECT_EQ(5, view_.SubkeyCount(HKCR, ClassKey(CLSID_JwCADTip)));
    EXPECT_EQ(5, view_.SubkeyCount(HKCR, ClassKey(CLSID_JwCADImage)));
    EXPECT_EQ(4, view_.SubkeyCount(HKCR, ClassKey(CLSID_KesmariLib)));
    EXPECT_EQ(2, view_.ValueCount(HKCR, ClassKey(CLSID_JwCADTip) + L"\\InprocServer32"));
    EXPECT_EQ(0, view_.SubkeyCount(HKCR, std::wstring(L".jww\\shellex\\") + kInfoTipHandlerKey));
    EXPECT_EQ(1, view_.ValueCount(HKCR, std::wstring(L".jww\\shellex\\") + kThumbnailHandlerKey));
    EXPECT_EQ(0, view_.SubkeyCount(HKEY_LOCAL_MACHINE, ApprovedKey()));
}

TEST_F(QuilloraRegistration, ModulePathWithAnApostropheIsRegisteredAsItIs)
{
    ScratchFolder folder;
    const std::wstring servers = folder.MakeFolder(L"Jw's servers");
    for (const wchar_t* module : {L"Quillora.dll", L"Tavrena.dll", L"TavrenaJPN.dll", L"TavrenaENU.dll"}) {
        ASSERT_TRUE(CopyFileW(BinFile(module).c_str(), (servers + L"\\" + module).c_str(), FALSE));
    }
    const std::wstring dll = servers + L"\\Quillora.dll";

    ChildResult result = Regsvr32(dll);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(0u, result.exitCode);
    ExpectRegistered(view_, dll);
}

// Jw_cad's own association of ".jww" lives in the same key as the handler
// keys.
class QuilloraUnregistration : public QuilloraRegistration {
protected:
    void SetUp() override
    {
        previousAssociation_ = view_.String(HKCR, L".jww");
        ATL::CRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKCR, L".jww"));
        ASSERT_EQ(ERROR_SUCCESS, key.SetStringValue(nullptr, kAssociation));
    }
    void TearDown() override
    {
        ATL::CRegKey key;
        if (key.Open(HKCR, L".jww") == ERROR_SUCCESS) {
            if (previousAssociation_)
                key.SetStringValue(nullptr, previousAssociation_->c_str());
            else
                key.DeleteValue(nullptr);
        }
        QuilloraRegistration::TearDown();
    }

    static constexpr const wchar_t* kAssociation = L"JwwFile.Test";
    std::optional<std::wstring> previousAssociation_;
};

void ExpectNoEmptyKeyLeft(const RegistryView& view, const std::wstring& path)
{
    if (view.HasKey(HKCR, path)) {
        EXPECT_GT(view.SubkeyCount(HKCR, path) + view.ValueCount(HKCR, path), 0) << Utf8(path) << " was left empty";
    }
}

TEST_F(QuilloraUnregistration, RemovesClassesAndHandlerKeysButKeepsOtherData)
{
    ASSERT_EQ(0u, Regsvr32(QuilloraDll()).exitCode);
    ChildResult result = Regsvr32(QuilloraDll(), true);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(0u, result.exitCode);

    for (const CLSID* clsid : {&CLSID_JwCADTip, &CLSID_JwCADImage, &CLSID_KesmariLib})
        EXPECT_FALSE(view_.HasKey(HKCR, ClassKey(*clsid))) << Utf8(GuidText(*clsid));
    EXPECT_FALSE(view_.HasKey(HKCR, std::wstring(L"AppID\\") + kQuilloraAppId));
    for (const wchar_t* extension : kDrawingExtensions) {
        SCOPED_TRACE(Utf8(extension));
        const std::wstring shellex = std::wstring(extension) + L"\\shellex";
        EXPECT_FALSE(view_.HasKey(HKCR, shellex + L"\\" + kInfoTipHandlerKey));
        EXPECT_FALSE(view_.HasKey(HKCR, shellex + L"\\" + kThumbnailHandlerKey));
        ExpectNoEmptyKeyLeft(view_, shellex);
        ExpectNoEmptyKeyLeft(view_, extension);
    }
    EXPECT_EQ(kAssociation, view_.String(HKCR, L".jww").value_or(L""));
    // What unregistration leaves by design.
    EXPECT_TRUE(view_.HasKey(HKCR, L"Quillora.JwCADTip.1"));
    EXPECT_TRUE(view_.HasKey(HKCR, L"AppID\\Quillora.DLL"));
    EXPECT_TRUE(view_.HasKey(HKEY_LOCAL_MACHINE, ApprovedKey()));
    EXPECT_TRUE(view_.HasKey(HKCR, TypeLibraryKey()));
}

TEST_F(QuilloraUnregistration, SecondUnregistrationFailsAndLeavesTheExtensionKey)
{
    ASSERT_EQ(0u, Regsvr32(QuilloraDll()).exitCode);
    ASSERT_EQ(0u, Regsvr32(QuilloraDll(), true).exitCode);

    ChildResult second = Regsvr32(QuilloraDll(), true);
    ASSERT_TRUE(second.finished);
    EXPECT_NE(0u, second.exitCode);
    EXPECT_EQ(kAssociation, view_.String(HKCR, L".jww").value_or(L""));

    LibraryModule server(L"Quillora.dll");
    ASSERT_TRUE(server.IsLoaded());
    auto unregister = server.Proc<HRESULT(WINAPI*)()>("DllUnregisterServer");
    ASSERT_NE(nullptr, unregister);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), unregister());
    EXPECT_EQ(kAssociation, view_.String(HKCR, L".jww").value_or(L""));
}

}  // namespace
