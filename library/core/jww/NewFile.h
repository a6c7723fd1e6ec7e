#pragma once
#include <afx.h>

// A file made by this process for writing: creation fails when a file of
// that name exists already, so nothing that is there is ever overwritten.
// The handle is closed with the object.
class CNewFile {
public:
    CNewFile() : m_handle(INVALID_HANDLE_VALUE) {}
    ~CNewFile() { Close(); }

    CNewFile(const CNewFile&) = delete;
    CNewFile& operator=(const CNewFile&) = delete;

    // False when the file exists or cannot be made.
    bool Create(const CStringW& path);
    // False unless all bytes were written.
    bool Write(const void* data, DWORD size);
    void Close();
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};
