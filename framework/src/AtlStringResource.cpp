// Finding one string in a module's string table. A table block holds 16
// strings, each its length followed by that many UTF-16 units; the block's
// bounds are checked at every step.
#include <atlstr.h>

namespace ATL
{

const ATLSTRINGRESOURCEIMAGE* AtlGetStringResourceImage(HINSTANCE hInstance, UINT id, WORD wLanguage)
{
    LPCWSTR lpszBlock = MAKEINTRESOURCEW((id >> 4) + 1);
    HRSRC hResource = wLanguage != 0 ? ::FindResourceExW(hInstance, RT_STRING, lpszBlock, wLanguage)
                                     : ::FindResourceW(hInstance, lpszBlock, RT_STRING);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInstance, hResource);
    const BYTE* pBlock = hGlobal != NULL ? static_cast<const BYTE*>(::LockResource(hGlobal)) : NULL;
    if (pBlock == NULL)
        return NULL;
    const DWORD nBlockSize = ::SizeofResource(hInstance, hResource);
    DWORD nOffset = 0;
    for (UINT iString = id & 0x000F;; --iString)
    {
        if (nBlockSize < sizeof(WORD) || nOffset > nBlockSize - sizeof(WORD))
            return NULL;
        const ATLSTRINGRESOURCEIMAGE* pImage = reinterpret_cast<const ATLSTRINGRESOURCEIMAGE*>(pBlock + nOffset);
        DWORD nBytes = sizeof(WORD) + pImage->nLength * sizeof(WCHAR);
        if (nBytes > nBlockSize - nOffset)
            return NULL;
        if (iString == 0)
            return pImage->nLength != 0 ? pImage : NULL;
        nOffset += nBytes;
    }
}

} // namespace ATL
