// UTF-16 <-> multibyte conversion through a code page.
#include <atlconv.h>

#include <string.h>
#include <wchar.h>

#include <algorithm>
#include <climits>

namespace ATL
{

namespace
{

template <typename CHAR>
int LengthOf(const CHAR* psz, int nLength, size_t (*pfnLength)(const CHAR*))
{
    if (nLength >= 0)
        return nLength;
    return static_cast<int>(std::min<size_t>(pfnLength(psz), INT_MAX));
}

} // namespace

std::wstring AtlMultiByteToWide(const char* psz, int nLength, UINT nCodePage)
{
    std::wstring strResult;
    if (psz == NULL)
        return strResult;
    nLength = LengthOf(psz, nLength, &strlen);
    int nWide = nLength > 0 ? MultiByteToWideChar(nCodePage, 0, psz, nLength, NULL, 0) : 0;
    if (nWide <= 0)
        return strResult;
    strResult.resize(nWide);
    nWide = MultiByteToWideChar(nCodePage, 0, psz, nLength, &strResult[0], nWide);
    strResult.resize(std::max(nWide, 0));
    return strResult;
}

std::string AtlWideToMultiByte(const wchar_t* psz, int nLength, UINT nCodePage)
{
    std::string strResult;
    if (psz == NULL)
        return strResult;
    nLength = LengthOf(psz, nLength, &wcslen);
    int nBytes = nLength > 0 ? WideCharToMultiByte(nCodePage, 0, psz, nLength, NULL, 0, NULL, NULL) : 0;
    if (nBytes <= 0)
        return strResult;
    strResult.resize(nBytes);
    nBytes = WideCharToMultiByte(nCodePage, 0, psz, nLength, &strResult[0], nBytes, NULL, NULL);
    strResult.resize(std::max(nBytes, 0));
    return strResult;
}

} // namespace ATL
