#include "foundation/base/KvoModuleHandle.h"

CKvoModuleHandle::CKvoModuleHandle() : m_module(nullptr), m_kind(None), m_version() {}

CKvoModuleHandle::CKvoModuleHandle(LPCWSTR name) : CKvoModuleHandle()
{
    Init(name);
}

CKvoModuleHandle::~CKvoModuleHandle()
{
    FreeModule();
}

BOOL CKvoModuleHandle::Init(LPCWSTR name)
{
    return GetModuleHandle(name) || LoadLibrary(name);
}

BOOL CKvoModuleHandle::GetModuleHandle(LPCWSTR name)
{
    FreeModule();
    return Take(::GetModuleHandleW(name), Borrowed, name);
}

BOOL CKvoModuleHandle::LoadLibrary(LPCWSTR name)
{
    FreeModule();
    return Take(::LoadLibraryW(name), Owned, name);
}

BOOL CKvoModuleHandle::Take(HMODULE module, Kind kind, LPCWSTR name)
{
    if (!module)
        return FALSE;
    m_module = module;
    m_kind = kind;
    m_name = name;
    return TRUE;
}

BOOL CKvoModuleHandle::FreeModule()
{
    BOOL result = m_kind == Owned ? ::FreeLibrary(m_module) : TRUE;
    m_module = nullptr;
    m_kind = None;
    m_name.Empty();
    m_version = DLLVERSIONINFO();
    return result;
}

BOOL CKvoModuleHandle::GetProcAddress(FARPROC* out, LPCSTR name, DWORD minimumVersion)
{
    if (!m_module)
        return FALSE;
    if (minimumVersion != 0 && GetVersion() < minimumVersion) {
        *out = nullptr;
        return FALSE;
    }
    *out = ::GetProcAddress(m_module, name);
    return *out != nullptr;
}

DWORD CKvoModuleHandle::GetVersion()
{
    if (m_module && m_version.cbSize == 0) {
        m_version.cbSize = sizeof m_version;
        auto dllGetVersion =
            reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(m_module, "DllGetVersion")));
        if (dllGetVersion)
            dllGetVersion(&m_version);
    }
    return (LOWORD(m_version.dwMajorVersion) << 16) | LOWORD(m_version.dwMinorVersion);
}
