#pragma once
#include <windows.h>

// The format version of the JWW or JWS file being read. Its header sets it and
// every entity record that follows takes its layout from it. One value per
// thread: a load reads its header and its records on its own load thread, and
// the preview loads drawings on its threads beside the exports.
//
// A thread-local slot of the system rather than a C++ thread_local: with this
// compiler every read of a thread_local takes a lock and two calls, and the
// records read the version several times per entity.
class CJwwVersionSlot {
public:
    CJwwVersionSlot() : m_slot(TlsAlloc()) {}
    ~CJwwVersionSlot()
    {
        if (m_slot != TLS_OUT_OF_INDEXES)
            TlsFree(m_slot);
    }
    CJwwVersionSlot(const CJwwVersionSlot&) = delete;
    CJwwVersionSlot& operator=(const CJwwVersionSlot&) = delete;

    // 0 until the thread sets a version.
    operator int() const { return static_cast<int>(reinterpret_cast<INT_PTR>(TlsGetValue(m_slot))); }
    CJwwVersionSlot& operator=(int version)
    {
        TlsSetValue(m_slot, reinterpret_cast<void*>(static_cast<INT_PTR>(version)));
        return *this;
    }

private:
    DWORD m_slot;
};

extern CJwwVersionSlot g_jwwVersion;

// Whether the current file version is at least version, compared unsigned as
// the header compares it.
inline bool IsJwwVersionAtLeast(unsigned version)
{
    return static_cast<unsigned>(static_cast<int>(g_jwwVersion)) >= version;
}
