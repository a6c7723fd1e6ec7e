#include "jww/NewFile.h"

bool CNewFile::Create(const CStringW& path)
{
    Close();
    m_handle = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

bool CNewFile::Write(const void* data, DWORD size)
{
    DWORD written = 0;
    return IsOpen() && WriteFile(m_handle, data, size, &written, nullptr) && written == size;
}

void CNewFile::Close()
{
    if (IsOpen())
        CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}
