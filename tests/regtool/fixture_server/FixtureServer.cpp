// Stand-in for a COM server DLL: registering writes a marker key named after the
// DLL's own file name, with the pointer width of the process that loaded it, so a
// test can tell which regsvr32 ran it; unregistering deletes the key again.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t markerRoot[] = L"Software\\RegaltoFixture\\";

std::wstring markerKey()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&markerKey), &self);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    const std::wstring fileName(path);
    return markerRoot + fileName.substr(fileName.find_last_of(L'\\') + 1);
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, markerKey().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS) {
        return E_FAIL;
    }
    const DWORD bits = sizeof(void*) * 8;
    const LSTATUS status = RegSetValueExW(key, L"Bits", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&bits), sizeof bits);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? S_OK : E_FAIL;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    const LSTATUS status = RegDeleteKeyW(HKEY_CURRENT_USER, markerKey().c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : E_FAIL;
}
