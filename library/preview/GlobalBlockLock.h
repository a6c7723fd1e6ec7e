#pragma once
#include <windows.h>

// A global memory block (the print dialog's DEVMODE and DEVNAMES), locked
// for the life of the object; no data and size 0 when it cannot be locked.
class CGlobalBlockLock {
public:
    explicit CGlobalBlockLock(HGLOBAL block) : m_block(block), m_data(block ? GlobalLock(block) : nullptr) {}
    ~CGlobalBlockLock()
    {
        if (m_data)
            GlobalUnlock(m_block);
    }
    CGlobalBlockLock(const CGlobalBlockLock&) = delete;
    CGlobalBlockLock& operator=(const CGlobalBlockLock&) = delete;

    void* Data() const { return m_data; }
    const BYTE* Bytes() const { return static_cast<const BYTE*>(m_data); }
    SIZE_T Size() const { return m_data ? GlobalSize(m_block) : 0; }

private:
    HGLOBAL m_block;
    void* m_data;
};
