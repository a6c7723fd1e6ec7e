#include "ServerRegistration.h"

#include <string>

#include "ServerModule.h"

namespace
{

const wchar_t kPreviewHandlerShellKey[] = L"{8895b1c6-b41f-4c1c-a562-0d564250836f}";
const wchar_t kPreviewHandlersList[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\PreviewHandlers";

std::wstring ClassKey()
{
    return std::wstring(L"CLSID\\") + kLumivexClassText;
}

std::wstring AppIdKey()
{
    return std::wstring(L"AppID\\") + kLumivexAppIdText;
}

std::wstring ExtensionHandlerKey(const wchar_t* extension)
{
    return std::wstring(extension) + L"\\shellex\\" + kPreviewHandlerShellKey;
}

// One string value (name NULL: the default value), with its key created as
// needed; the terminating null counts in the data size.
HRESULT WriteRegistryString(HKEY root, const std::wstring& path, const wchar_t* name, const wchar_t* value,
                            DWORD type = REG_SZ)
{
    HKEY key = nullptr;
    LONG status = ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                    &key, nullptr);
    if (status == ERROR_SUCCESS)
    {
        const DWORD bytes = static_cast<DWORD>((::lstrlenW(value) + 1) * sizeof(wchar_t));
        status = ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(value), bytes);
        ::RegCloseKey(key);
    }
    return HRESULT_FROM_WIN32(status);
}

// A key that is not there counts as removed: an earlier run or a user may
// have taken it already.
HRESULT DeleteClassesRootTree(const std::wstring& path)
{
    const LONG status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

// Keeps the first failure of a run of steps that all run.
void KeepFirstFailure(HRESULT& first, HRESULT hr)
{
    if (FAILED(hr) && SUCCEEDED(first))
        first = hr;
}

// Every extension is tried; the answer is the first one that failed.
template <class PerExtension> HRESULT ForEachExtension(PerExtension perExtension)
{
    HRESULT first = S_OK;
    for (const wchar_t* extension : kPreviewExtensions)
    {
        KeepFirstFailure(first, perExtension(extension));
    }
    return first;
}

HRESULT DeletePreviewHandlersEntry()
{
    HKEY key = nullptr;
    LONG status = ::RegOpenKeyExW(HKEY_CURRENT_USER, kPreviewHandlersList, 0, KEY_WRITE, &key);
    if (status == ERROR_SUCCESS)
    {
        status = ::RegDeleteValueW(key, kLumivexClassText);
        ::RegCloseKey(key);
    }
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

} // namespace

HRESULT RegisterPreviewServer(const wchar_t* dllPath)
{
    HRESULT hr = WriteRegistryString(HKEY_CLASSES_ROOT, ClassKey(), nullptr, L"ShellExt.Jw_cadPreviewHandler Class");
    if (SUCCEEDED(hr))
        hr = WriteRegistryString(HKEY_CLASSES_ROOT, ClassKey(), L"AppID", kLumivexAppIdText);
    if (SUCCEEDED(hr))
        hr = WriteRegistryString(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32", nullptr, dllPath);
    if (SUCCEEDED(hr))
        hr = WriteRegistryString(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    if (SUCCEEDED(hr))
        hr = WriteRegistryString(HKEY_CLASSES_ROOT, AppIdKey(), L"DllSurrogate",
                                 L"%SystemRoot%\\system32\\prevhost.exe", REG_EXPAND_SZ);
    if (SUCCEEDED(hr))
        hr = ForEachExtension([](const wchar_t* extension) {
            return WriteRegistryString(HKEY_CLASSES_ROOT, ExtensionHandlerKey(extension), nullptr, kLumivexClassText);
        });
    if (SUCCEEDED(hr))
        hr = WriteRegistryString(HKEY_CURRENT_USER, kPreviewHandlersList, kLumivexClassText, L"Jw_cad Preview Handler");
    return hr;
}

// Every removal is tried, so that one that fails leaves as little behind as
// it can; the answer is the first failure.
HRESULT UnregisterPreviewServer()
{
    HRESULT first = DeleteClassesRootTree(ClassKey());
    KeepFirstFailure(first, DeleteClassesRootTree(AppIdKey()));
    // The extensions' own keys and their "shellex" keys may hold other
    // handlers and the program association: they stay.
    KeepFirstFailure(first, ForEachExtension([](const wchar_t* extension) {
                         return DeleteClassesRootTree(ExtensionHandlerKey(extension));
                     }));
    KeepFirstFailure(first, DeletePreviewHandlersEntry());
    return first;
}
