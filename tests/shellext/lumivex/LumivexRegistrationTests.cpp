// Lumivex.dll registered and unregistered through the real regsvr32 of the
// DLL's width, looked at in that width's registry view; and the class object
// and the object count that decide whether the DLL may be unloaded.
#include <gtest/gtest.h>

#include <shobjidl.h>

#include <memory>

#include "LibraryModule.h"
#include "LumivexTestSupport.h"
#include "QuilloraServer.h"
#include "QuilloraTestSupport.h"
#include "RegistryView.h"
#include "ServerModule.h"

namespace {

const HKEY kRoot = HKEY_CLASSES_ROOT;
const wchar_t kPreviewHandlersList[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\PreviewHandlers";

std::wstring LumivexClassKey()
{
    return std::wstring(L"CLSID\\") + kLumivexClassText;
}

std::wstring LumivexAppIdKey()
{
    return std::wstring(L"AppID\\") + kLumivexAppIdText;
}

REGSAM LumivexOwnView()
{
    return sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

// A value as it is stored: its type and its text, unexpanded.
struct RawRegistryValue {
    DWORD type = REG_NONE;
    std::wstring text;
};
RawRegistryValue ReadRawValue(HKEY root, const std::wstring& path, const wchar_t* name)
{
    RawRegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | LumivexOwnView(), &key) != ERROR_SUCCESS)
        return value;
    wchar_t text[MAX_PATH] = L"";
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(text), &bytes) == ERROR_SUCCESS)
        value.text = text;
    RegCloseKey(key);
    return value;
}

class LumivexRegistration : public testing::Test {
protected:
    // Every test leaves the build's servers registered, as the run began.
    void TearDown() override { EXPECT_EQ(0u, Regsvr32(LumivexDll()).exitCode); }

    void ExpectRegistered()
    {
        EXPECT_EQ(L"ShellExt.Jw_cadPreviewHandler Class", view_.String(kRoot, LumivexClassKey()).value_or(L""));
        EXPECT_EQ(kLumivexAppIdText, view_.String(kRoot, LumivexClassKey(), L"AppID").value_or(L""));
        std::wstring server = view_.String(kRoot, LumivexClassKey() + L"\\InprocServer32").value_or(L"(none)");
        EXPECT_TRUE(SamePath(LumivexDll(), server)) << "registered: " << Utf8(server);
        EXPECT_EQ(L"Apartment", view_.String(kRoot, LumivexClassKey() + L"\\InprocServer32", L"ThreadingModel").value_or(L""));
        RawRegistryValue surrogate = ReadRawValue(kRoot, LumivexAppIdKey(), L"DllSurrogate");
        EXPECT_EQ(DWORD(REG_EXPAND_SZ), surrogate.type);
        EXPECT_EQ(L"%SystemRoot%\\system32\\prevhost.exe", surrogate.text);
        for (const wchar_t* extension : kPreviewExtensions)
            EXPECT_EQ(kLumivexClassText, view_.String(kRoot, PreviewHandlerKeyOf(extension)).value_or(L"")) << Utf8(extension);
        EXPECT_EQ(L"Jw_cad Preview Handler",
                  view_.String(HKEY_CURRENT_USER, kPreviewHandlersList, kLumivexClassText).value_or(L""));
    }

    RegistryView view_ = RegistryView::Own();
};

TEST_F(LumivexRegistration, Regsvr32WritesEveryKeyAndUnregistrationTakesThemAway)
{
    ChildResult registered = Regsvr32(LumivexDll());
    ASSERT_TRUE(registered.finished);
    EXPECT_EQ(0u, registered.exitCode);
    ExpectRegistered();
    // The preview-handler list belongs to the current user only.
    EXPECT_FALSE(view_.String(HKEY_LOCAL_MACHINE, kPreviewHandlersList, kLumivexClassText));

    ChildResult unregistered = Regsvr32(LumivexDll(), true);
    ASSERT_TRUE(unregistered.finished);
    EXPECT_EQ(0u, unregistered.exitCode);
    EXPECT_FALSE(view_.HasKey(kRoot, LumivexClassKey()));
    EXPECT_FALSE(view_.HasKey(kRoot, LumivexAppIdKey()));
    for (const wchar_t* extension : kPreviewExtensions) {
        EXPECT_FALSE(view_.HasKey(kRoot, PreviewHandlerKeyOf(extension))) << Utf8(extension);
        // Other handlers and the program association live beside it.
        EXPECT_TRUE(view_.HasKey(kRoot, std::wstring(extension) + L"\\shellex")) << Utf8(extension);
    }
    EXPECT_FALSE(view_.String(HKEY_CURRENT_USER, kPreviewHandlersList, kLumivexClassText));
}

// What is not there counts as removed: a second unregistration succeeds.
TEST_F(LumivexRegistration, UnregisteringAnUnregisteredServerSucceeds)
{
    ASSERT_EQ(0u, Regsvr32(LumivexDll(), true).exitCode);
    ChildResult second = Regsvr32(LumivexDll(), true);
    ASSERT_TRUE(second.finished);
    EXPECT_EQ(0u, second.exitCode);

    LibraryModule server(L"Lumivex.dll");
    ASSERT_TRUE(server.IsLoaded());
    auto unregister = server.Proc<HRESULT(WINAPI*)()>("DllUnregisterServer");
    ASSERT_NE(nullptr, unregister);
    EXPECT_EQ(S_OK, unregister());
}

// A failure at one extension is the answer even when the extensions after it
// go well, and they are still tried.
class LumivexExtensionFailure : public LumivexRegistration {
protected:
    void SetUp() override
    {
        server_ = std::make_unique<LibraryModule>(L"Lumivex.dll");
        ASSERT_TRUE(server_->IsLoaded());
        registerServer_ = server_->Proc<HRESULT(WINAPI*)()>("DllRegisterServer");
        unregisterServer_ = server_->Proc<HRESULT(WINAPI*)()>("DllUnregisterServer");
        ASSERT_NE(nullptr, registerServer_);
        ASSERT_NE(nullptr, unregisterServer_);
    }
    void TearDown() override
    {
        // ".jwc\shellex" also holds the other server's handlers.
        DeleteClassesRootTree(L".jwc\\shellex");
        EXPECT_EQ(0u, Regsvr32(QuilloraDll()).exitCode);
        LumivexRegistration::TearDown();
    }

    std::unique_ptr<LibraryModule> server_;
    HRESULT(WINAPI* registerServer_)() = nullptr;
    HRESULT(WINAPI* unregisterServer_)() = nullptr;
};

TEST_F(LumivexExtensionFailure, RegistrationAnswersTheFirstFailedExtension)
{
    // A volatile ".jwc\shellex" takes no lasting subkey.
    DeleteClassesRootTree(L".jwc\\shellex");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(kRoot, L".jwc\\shellex", 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_WRITE | LumivexOwnView(), nullptr, &key, nullptr));
    RegCloseKey(key);

    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE), registerServer_());
    EXPECT_FALSE(view_.HasKey(kRoot, PreviewHandlerKeyOf(L".jwc")));
    EXPECT_EQ(kLumivexClassText, view_.String(kRoot, PreviewHandlerKeyOf(L".jwk")).value_or(L""));
}

// An extension key removed beforehand does not stop the removals after it,
// down to the current user's preview-handler list.
TEST_F(LumivexExtensionFailure, UnregistrationGoesOnPastAMissingExtensionKey)
{
    ASSERT_EQ(S_OK, registerServer_());
    DeleteClassesRootTree(PreviewHandlerKeyOf(L".jwc"));

    EXPECT_EQ(S_OK, unregisterServer_());
    EXPECT_FALSE(view_.HasKey(kRoot, LumivexClassKey()));
    EXPECT_FALSE(view_.HasKey(kRoot, LumivexAppIdKey()));
    for (const wchar_t* extension : kPreviewExtensions)
        EXPECT_FALSE(view_.HasKey(kRoot, PreviewHandlerKeyOf(extension))) << Utf8(extension);
    EXPECT_FALSE(view_.String(HKEY_CURRENT_USER, kPreviewHandlersList, kLumivexClassText));
}

// The DLL may go only when no factory, handler or server lock is left.
TEST(LumivexModule, CanUnloadNowFollowsTheObjectCount)
{
    LibraryModule server(L"Lumivex.dll");
    ASSERT_TRUE(server.IsLoaded());
    auto getClassObject = server.Proc<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
    auto canUnloadNow = server.Proc<HRESULT(WINAPI*)()>("DllCanUnloadNow");
    ASSERT_NE(nullptr, getClassObject);
    ASSERT_NE(nullptr, canUnloadNow);
    EXPECT_EQ(S_OK, canUnloadNow());

    void* unknown = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(CLSID_JwCADTip, IID_IClassFactory, &unknown));
    EXPECT_EQ(nullptr, unknown);
    EXPECT_EQ(E_NOINTERFACE, getClassObject(CLSID_LumivexPreviewHandler, IID_IPersistFile, &unknown));
    EXPECT_EQ(S_OK, canUnloadNow()) << "a factory nobody took is gone";

    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, getClassObject(CLSID_LumivexPreviewHandler, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "factory held";

    IUnknown* outer = factory;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, &unknown));
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IPersistFile, &unknown));
    IPreviewHandler* handler = nullptr;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPreviewHandler, reinterpret_cast<void**>(&handler)));
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "handler and lock held";
    EXPECT_EQ(0u, handler->Release());
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "lock held";

    ASSERT_EQ(S_OK, getClassObject(CLSID_LumivexPreviewHandler, IID_IUnknown, reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    factory->Release();
    EXPECT_EQ(S_OK, canUnloadNow());
}

}  // namespace
