#include "JwCADImage.h"

#include <algorithm>

#include "exports/TavrenaExports.h"

namespace
{

// A file opened for its time stamps; closed with the object.
class CReadOnlyFile
{
public:
    explicit CReadOnlyFile(const wchar_t* path) noexcept
        : m_hFile(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~CReadOnlyFile()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hFile);
    }
    CReadOnlyFile(const CReadOnlyFile&) = delete;
    CReadOnlyFile& operator=(const CReadOnlyFile&) = delete;

    bool IsOpen() const noexcept
    {
        return m_hFile != INVALID_HANDLE_VALUE;
    }
    bool GetLastWriteTime(FILETIME* pTime) const noexcept
    {
        return ::GetFileTime(m_hFile, nullptr, nullptr, pTime) != FALSE;
    }

private:
    HANDLE m_hFile;
};

} // namespace

STDMETHODIMP CJwCADImage::GetLocation(LPWSTR pszPathBuffer, DWORD cch, DWORD* /*pdwPriority*/, const SIZE* prgSize,
                                      DWORD /*dwRecClrDepth*/, DWORD* pdwFlags)
{
    if (pszPathBuffer == nullptr || prgSize == nullptr)
        return E_POINTER;
    if (cch == 0)
        return E_INVALIDARG;
    // A path longer than the buffer is cut; the buffer always ends in a null.
    size_t cchCopy = std::min<size_t>(wcslen(DrawingPath()), cch - 1);
    wmemcpy(pszPathBuffer, DrawingPath(), cchCopy);
    pszPathBuffer[cchCopy] = L'\0';
    m_requestedSize = *prgSize;
    return pdwFlags != nullptr && (*pdwFlags & IEIFLAG_ASYNC) != 0 ? E_PENDING : S_OK;
}

STDMETHODIMP CJwCADImage::Extract(HBITMAP* phBmpThumbnail)
{
    if (phBmpThumbnail == nullptr)
        return E_POINTER;
    *phBmpThumbnail = nullptr;
    // Signed on purpose: a zero or negative width asks for the minimum.
    int size = std::max<int>(m_requestedSize.cx, kMinimumSize);
    return GetZumenImage(size, DrawingPath(), phBmpThumbnail, nullptr);
}

STDMETHODIMP CJwCADImage::GetDateStamp(FILETIME* pDateStamp)
{
    if (pDateStamp == nullptr)
        return E_POINTER;
    CReadOnlyFile file(DrawingPath());
    if (!file.IsOpen() || !file.GetLastWriteTime(pDateStamp))
        return E_FAIL;
    return S_OK;
}
