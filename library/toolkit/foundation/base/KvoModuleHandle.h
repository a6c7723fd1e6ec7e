#pragma once
#include <windows.h>
#include <shlwapi.h>
#include <atlstr.h>

// The 16-bit FreeModule macro of <winbase.h> would rename the member below.
#undef FreeModule

// A module taken by name, either borrowed (already loaded) or loaded and then
// owned, with its entry points and its DllGetVersion answer.
class CKvoModuleHandle {
public:
    enum Kind { None = 0, Borrowed = 1, Owned = 2 };

    CKvoModuleHandle();
    explicit CKvoModuleHandle(LPCWSTR name);
    virtual ~CKvoModuleHandle();

    CKvoModuleHandle(const CKvoModuleHandle&) = delete;
    CKvoModuleHandle& operator=(const CKvoModuleHandle&) = delete;

    // The loaded module when there is one, else loads it.
    BOOL Init(LPCWSTR name);
    BOOL GetModuleHandle(LPCWSTR name);
    BOOL LoadLibrary(LPCWSTR name);
    // Frees an owned module (its result; TRUE otherwise) and forgets it.
    BOOL FreeModule();

    // The entry point name; NULL and FALSE without a module or when the
    // module's version is below minimumVersion ((major << 16) | minor, 0 = any).
    BOOL GetProcAddress(FARPROC* out, LPCSTR name, DWORD minimumVersion = 0);
    template <class Function> BOOL GetProcAddress(Function* out, LPCSTR name, DWORD minimumVersion = 0)
    {
        FARPROC proc = nullptr;
        BOOL found = GetProcAddress(&proc, name, minimumVersion);
        *out = reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
        return found;
    }

    // (major << 16) | minor from the module's DllGetVersion; 0 when it has none.
    DWORD GetVersion();

    HMODULE GetHandle() const { return m_module; }
    Kind GetKind() const { return m_kind; }
    const CString& GetName() const { return m_name; }

private:
    BOOL Take(HMODULE module, Kind kind, LPCWSTR name);

    CString m_name;
    HMODULE m_module;
    Kind m_kind;
    DLLVERSIONINFO m_version;
};
