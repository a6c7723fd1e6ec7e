// CStringT of both widths. Narrow strings step with CharNext so that a
// trail byte of a double-byte character is never taken for a character.
#include <atlstr.h>

#include <algorithm>

namespace ATL
{

namespace
{

std::wstring ConvertFrom(const char* psz, int nLength)
{
    return AtlMultiByteToWide(psz, nLength, _AtlGetConversionACP());
}

std::string ConvertFrom(const wchar_t* psz, int nLength)
{
    return AtlWideToMultiByte(psz, nLength, _AtlGetConversionACP());
}

template <typename CHAR>
void CheckSource(const CHAR* pch, int nLength)
{
    if (nLength < 0 || (pch == NULL && nLength > 0))
        AtlThrow(E_INVALIDARG);
}

// Whether trimming takes ch: one of the targets, or white space when no
// targets are given.
template <typename TRAITS, typename CHAR>
bool IsTrimTarget(const CHAR* pszTargets, CHAR ch)
{
    return pszTargets != NULL ? TRAITS::StringFindChar(pszTargets, ch) != NULL : TRAITS::IsSpace(ch);
}

} // namespace

template <typename BaseType>
CStringT<BaseType>::CStringT(PCXSTR pszSrc)
{
    if (!CheckImplicitLoad(pszSrc) && pszSrc != NULL)
        m_str = pszSrc;
}

template <typename BaseType>
CStringT<BaseType>::CStringT(PCYSTR pszSrc)
{
    if (!CheckImplicitLoad(pszSrc))
        m_str = ConvertFrom(pszSrc, -1);
}

template <typename BaseType>
CStringT<BaseType>::CStringT(PCXSTR pchSrc, int nLength)
{
    CheckSource(pchSrc, nLength);
    m_str.assign(pchSrc, nLength);
}

template <typename BaseType>
CStringT<BaseType>::CStringT(PCYSTR pchSrc, int nLength)
{
    CheckSource(pchSrc, nLength);
    if (nLength > 0)
        m_str = ConvertFrom(pchSrc, nLength);
}

template <typename BaseType>
CStringT<BaseType>::CStringT(const CStringT<YCHAR>& strSrc)
    : m_str(ConvertFrom(strSrc.GetString(), strSrc.GetLength()))
{
}

template <typename BaseType>
CStringT<BaseType>::CStringT(XCHAR ch, int nRepeat) : m_str(std::max(nRepeat, 0), ch)
{
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(PCXSTR pszSrc)
{
    SetString(pszSrc);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(PCYSTR pszSrc)
{
    m_str = ConvertFrom(pszSrc, -1);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(const CStringT<YCHAR>& strSrc)
{
    m_str = ConvertFrom(strSrc.GetString(), strSrc.GetLength());
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(XCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator=(YCHAR ch)
{
    m_str = ConvertFrom(&ch, 1);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(const CStringT& str)
{
    Append(str);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(PCXSTR psz)
{
    Append(psz);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(PCYSTR psz)
{
    m_str += ConvertFrom(psz, -1);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(XCHAR ch)
{
    AppendChar(ch);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::operator+=(YCHAR ch)
{
    m_str += ConvertFrom(&ch, 1);
    return *this;
}

template <typename BaseType>
bool CStringT<BaseType>::CheckImplicitLoad(const void* psz)
{
    if (psz == NULL || !IS_INTRESOURCE(psz))
        return false;
    LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz)));
    return true;
}

template <typename BaseType>
int CStringT<BaseType>::CheckedIndex(int iChar, int nLimit) const
{
    if (iChar < 0 || iChar > nLimit)
        AtlThrow(E_INVALIDARG);
    return iChar;
}

template <typename BaseType>
typename CStringT<BaseType>::XCHAR CStringT<BaseType>::GetAt(int iChar) const
{
    // The terminator itself may be read.
    return m_str.c_str()[CheckedIndex(iChar, GetLength())];
}

template <typename BaseType>
void CStringT<BaseType>::SetAt(int iChar, XCHAR ch)
{
    m_str[CheckedIndex(iChar, GetLength() - 1)] = ch;
}

template <typename BaseType>
void CStringT<BaseType>::SetString(PCXSTR pszSrc)
{
    SetString(pszSrc, StringTraits::StringLength(pszSrc));
}

template <typename BaseType>
void CStringT<BaseType>::SetString(PCXSTR pszSrc, int nLength)
{
    CheckSource(pszSrc, nLength);
    m_str.assign(pszSrc, nLength);
}

template <typename BaseType>
void CStringT<BaseType>::Append(PCXSTR pszSrc)
{
    Append(pszSrc, StringTraits::StringLength(pszSrc));
}

template <typename BaseType>
void CStringT<BaseType>::Append(PCXSTR pszSrc, int nLength)
{
    CheckSource(pszSrc, nLength);
    m_str.append(pszSrc, nLength);
}

template <typename BaseType>
void CStringT<BaseType>::Append(const CStringT& strSrc)
{
    m_str += strSrc.m_str;
}

template <typename BaseType>
void CStringT<BaseType>::AppendChar(XCHAR ch)
{
    m_str += ch;
}

template <typename BaseType>
void CStringT<BaseType>::Truncate(int nNewLength)
{
    m_str.resize(CheckedIndex(nNewLength, GetLength()));
}

template <typename BaseType>
typename CStringT<BaseType>::PXSTR CStringT<BaseType>::GetBuffer()
{
    return &m_str[0];
}

template <typename BaseType>
typename CStringT<BaseType>::PXSTR CStringT<BaseType>::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength < 0)
        AtlThrow(E_INVALIDARG);
    if (nMinBufferLength > GetLength())
        m_str.resize(nMinBufferLength);
    return &m_str[0];
}

template <typename BaseType>
typename CStringT<BaseType>::PXSTR CStringT<BaseType>::GetBufferSetLength(int nLength)
{
    if (nLength < 0)
        AtlThrow(E_INVALIDARG);
    m_str.resize(nLength);
    return &m_str[0];
}

template <typename BaseType>
void CStringT<BaseType>::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::find(m_str.begin(), m_str.end(), XCHAR(0)) - m_str.begin());
    m_str.resize(std::min(nNewLength, GetLength()));
}

template <typename BaseType>
void CStringT<BaseType>::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AtlThrow(E_INVALIDARG);
    m_str.resize(std::min(nNewLength, GetLength()));
}

template <typename BaseType>
typename CStringT<BaseType>::PXSTR CStringT<BaseType>::LockBuffer()
{
    return &m_str[0];
}

template <typename BaseType>
void CStringT<BaseType>::UnlockBuffer()
{
}

template <typename BaseType>
void CStringT<BaseType>::Preallocate(int nLength)
{
    if (nLength > 0)
        m_str.reserve(nLength);
}

template <typename BaseType>
void CStringT<BaseType>::FreeExtra()
{
    m_str.shrink_to_fit();
}

template <typename BaseType>
int CStringT<BaseType>::GetAllocLength() const
{
    return static_cast<int>(m_str.capacity());
}

template <typename BaseType>
int CStringT<BaseType>::Compare(PCXSTR psz) const
{
    return StringTraits::StringCompare(GetString(), psz);
}

template <typename BaseType>
int CStringT<BaseType>::CompareNoCase(PCXSTR psz) const
{
    return StringTraits::StringCompareIgnore(GetString(), psz);
}

template <typename BaseType>
int CStringT<BaseType>::Collate(PCXSTR psz) const
{
    return StringTraits::StringCollate(GetString(), psz);
}

template <typename BaseType>
int CStringT<BaseType>::CollateNoCase(PCXSTR psz) const
{
    return StringTraits::StringCollateIgnore(GetString(), psz);
}

template <typename BaseType>
int CStringT<BaseType>::Delete(int iIndex, int nCount)
{
    iIndex = std::max(iIndex, 0);
    LONGLONG nEnd = std::min<LONGLONG>(static_cast<LONGLONG>(iIndex) + std::max(nCount, 0), GetLength());
    if (nEnd > iIndex)
        m_str.erase(iIndex, static_cast<size_t>(nEnd - iIndex));
    return GetLength();
}

template <typename BaseType>
int CStringT<BaseType>::Insert(int iIndex, XCHAR ch)
{
    m_str.insert(std::min(std::max(iIndex, 0), GetLength()), 1, ch);
    return GetLength();
}

template <typename BaseType>
int CStringT<BaseType>::Insert(int iIndex, PCXSTR psz)
{
    if (psz != NULL)
        m_str.insert(std::min(std::max(iIndex, 0), GetLength()), psz);
    return GetLength();
}

template <typename BaseType>
int CStringT<BaseType>::Replace(XCHAR chOld, XCHAR chNew)
{
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    PXSTR pszBuffer = &m_str[0];
    for (int iChar = 0; iChar < GetLength();)
    {
        if (pszBuffer[iChar] == chOld)
        {
            pszBuffer[iChar] = chNew;
            ++nCount;
        }
        iChar = static_cast<int>(StringTraits::CharNext(pszBuffer + iChar) - pszBuffer);
    }
    return nCount;
}

template <typename BaseType>
int CStringT<BaseType>::Replace(PCXSTR pszOld, PCXSTR pszNew)
{
    int nOldLength = StringTraits::StringLength(pszOld);
    if (nOldLength == 0)
        return 0;
    int nCount = 0;
    std::basic_string<BaseType> strResult;
    PCXSTR pszStart = GetString();
    PCXSTR pszEnd = pszStart + GetLength();
    // Embedded terminators split the string into pieces searched one by one.
    while (pszStart < pszEnd)
    {
        PCXSTR pszTarget;
        while ((pszTarget = StringTraits::StringFindString(pszStart, pszOld)) != NULL)
        {
            strResult.append(pszStart, pszTarget);
            if (pszNew != NULL)
                strResult.append(pszNew);
            pszStart = pszTarget + nOldLength;
            ++nCount;
        }
        PCXSTR pszPieceEnd = pszStart + StringTraits::StringLength(pszStart);
        strResult.append(pszStart, pszPieceEnd);
        if (pszPieceEnd < pszEnd)
            strResult += XCHAR(0);
        pszStart = pszPieceEnd + 1;
    }
    if (nCount > 0)
        m_str.swap(strResult);
    return nCount;
}

template <typename BaseType>
int CStringT<BaseType>::Remove(XCHAR chRemove)
{
    std::basic_string<BaseType> strResult;
    PCXSTR pszStart = GetString();
    PCXSTR pszEnd = pszStart + GetLength();
    for (PCXSTR psz = pszStart; psz < pszEnd;)
    {
        PCXSTR pszNext = StringTraits::CharNext(psz);
        if (*psz != chRemove || pszNext - psz != 1)
            strResult.append(psz, pszNext);
        psz = pszNext;
    }
    int nCount = GetLength() - static_cast<int>(strResult.size());
    m_str.swap(strResult);
    return nCount;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::MakeUpper()
{
    StringTraits::StringUppercase(&m_str[0]);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::MakeLower()
{
    StringTraits::StringLowercase(&m_str[0]);
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::MakeReverse()
{
    StringTraits::StringReverse(&m_str[0]);
    return *this;
}

template <typename BaseType>
int CStringT<BaseType>::TrimLeftCount(PCXSTR pszTargets) const
{
    PCXSTR pszStart = GetString();
    PCXSTR psz = pszStart;
    while (*psz != 0 && IsTrimTarget<StringTraits>(pszTargets, *psz))
        psz = StringTraits::CharNext(psz);
    return static_cast<int>(psz - pszStart);
}

template <typename BaseType>
int CStringT<BaseType>::TrimRightStart(PCXSTR pszTargets) const
{
    // Walk forward, so that double-byte characters are seen whole, and keep
    // where the last run of targets began (the length when there is none).
    PCXSTR pszStart = GetString();
    PCXSTR pszLast = NULL;
    for (PCXSTR psz = pszStart; *psz != 0; psz = StringTraits::CharNext(psz))
    {
        if (!IsTrimTarget<StringTraits>(pszTargets, *psz))
            pszLast = NULL;
        else if (pszLast == NULL)
            pszLast = psz;
    }
    return pszLast != NULL ? static_cast<int>(pszLast - pszStart) : GetLength();
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::Trim()
{
    return TrimRight().TrimLeft();
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::Trim(XCHAR chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::Trim(PCXSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimLeft()
{
    m_str.erase(0, TrimLeftCount(NULL));
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimLeft(XCHAR chTarget)
{
    const XCHAR szTargets[2] = {chTarget, 0};
    return TrimLeft(szTargets);
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimLeft(PCXSTR pszTargets)
{
    if (pszTargets != NULL && *pszTargets != 0)
        m_str.erase(0, TrimLeftCount(pszTargets));
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimRight()
{
    m_str.resize(TrimRightStart(NULL));
    return *this;
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimRight(XCHAR chTarget)
{
    const XCHAR szTargets[2] = {chTarget, 0};
    return TrimRight(szTargets);
}

template <typename BaseType>
CStringT<BaseType>& CStringT<BaseType>::TrimRight(PCXSTR pszTargets)
{
    if (pszTargets != NULL && *pszTargets != 0)
        m_str.resize(TrimRightStart(pszTargets));
    return *this;
}

template <typename BaseType>
int CStringT<BaseType>::Find(XCHAR ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    PCXSTR psz = StringTraits::StringFindChar(GetString() + iStart, ch);
    return psz != NULL ? static_cast<int>(psz - GetString()) : -1;
}

template <typename BaseType>
int CStringT<BaseType>::Find(PCXSTR pszSub, int iStart) const
{
    if (pszSub == NULL || iStart < 0 || iStart > GetLength())
        return -1;
    if (*pszSub == 0)
        return iStart;
    PCXSTR psz = StringTraits::StringFindString(GetString() + iStart, pszSub);
    return psz != NULL ? static_cast<int>(psz - GetString()) : -1;
}

template <typename BaseType>
int CStringT<BaseType>::FindOneOf(PCXSTR pszCharSet) const
{
    if (pszCharSet == NULL)
        return -1;
    PCXSTR psz = StringTraits::StringScanSet(GetString(), pszCharSet);
    return psz != NULL ? static_cast<int>(psz - GetString()) : -1;
}

template <typename BaseType>
int CStringT<BaseType>::ReverseFind(XCHAR ch) const
{
    PCXSTR psz = StringTraits::StringFindCharRev(GetString(), ch);
    return psz != NULL ? static_cast<int>(psz - GetString()) : -1;
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength() - std::max(iFirst, 0));
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Mid(int iFirst, int nCount) const
{
    iFirst = std::min(std::max(iFirst, 0), GetLength());
    nCount = std::min(std::max(nCount, 0), GetLength() - iFirst);
    return CStringT(GetString() + iFirst, nCount);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Left(int nCount) const
{
    return Mid(0, nCount);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Right(int nCount) const
{
    nCount = std::min(std::max(nCount, 0), GetLength());
    return Mid(GetLength() - nCount, nCount);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::SpanIncluding(PCXSTR pszCharSet) const
{
    return pszCharSet != NULL ? Left(StringTraits::StringSpanIncluding(GetString(), pszCharSet)) : CStringT();
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::SpanExcluding(PCXSTR pszCharSet) const
{
    return pszCharSet != NULL ? Left(StringTraits::StringSpanExcluding(GetString(), pszCharSet)) : *this;
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Tokenize(PCXSTR pszTokens, int& iStart) const
{
    if (iStart >= 0 && iStart < GetLength())
    {
        if (pszTokens == NULL || *pszTokens == 0)
        {
            // No delimiters: the rest is one token, and the next call ends.
            CStringT strRest = Mid(iStart);
            iStart = GetLength();
            return strRest;
        }
        PCXSTR pszPlace = GetString() + iStart;
        PCXSTR pszEnd = GetString() + GetLength();
        int nIncluding = StringTraits::StringSpanIncluding(pszPlace, pszTokens);
        if (pszPlace + nIncluding < pszEnd)
        {
            int nExcluding = StringTraits::StringSpanExcluding(pszPlace + nIncluding, pszTokens);
            int iFrom = iStart + nIncluding;
            iStart = iFrom + nExcluding + 1;
            return Mid(iFrom, nExcluding);
        }
    }
    iStart = -1;
    return CStringT();
}

template <typename BaseType>
void CStringT<BaseType>::FormatV(PCXSTR pszFormat, va_list args)
{
    Empty();
    AppendFormatV(pszFormat, args);
}

template <typename BaseType>
void CStringT<BaseType>::AppendFormatV(PCXSTR pszFormat, va_list args)
{
    if (pszFormat == NULL)
        AtlThrow(E_INVALIDARG);
    AtlFormatAppendV(m_str, pszFormat, args);
}

template <typename BaseType>
void CStringT<BaseType>::AppendFormatArgs(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename BaseType>
BOOL CStringT<BaseType>::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID, 0);
}

template <typename BaseType>
BOOL CStringT<BaseType>::LoadString(HINSTANCE hInstance, UINT nID)
{
    return LoadString(hInstance, nID, 0);
}

namespace
{

void AssignResource(std::wstring& str, const ATLSTRINGRESOURCEIMAGE* pImage)
{
    str.assign(pImage->achString, pImage->nLength);
}

void AssignResource(std::string& str, const ATLSTRINGRESOURCEIMAGE* pImage)
{
    str = ConvertFrom(pImage->achString, pImage->nLength);
}

std::wstring WideFrom(const std::wstring& str)
{
    return str;
}

std::wstring WideFrom(const std::string& str)
{
    return ConvertFrom(str.c_str(), static_cast<int>(str.size()));
}

} // namespace

template <typename BaseType>
BOOL CStringT<BaseType>::LoadString(HINSTANCE hInstance, UINT nID, WORD wLanguageID)
{
    const ATLSTRINGRESOURCEIMAGE* pImage = AtlGetStringResourceImage(hInstance, nID, wLanguageID);
    if (pImage == NULL)
        return FALSE;
    AssignResource(m_str, pImage);
    return TRUE;
}

template <typename BaseType>
BSTR CStringT<BaseType>::AllocSysString() const
{
    std::wstring strWide = WideFrom(m_str);
    BSTR bstr = ::SysAllocStringLen(strWide.c_str(), static_cast<UINT>(strWide.size()));
    if (bstr == NULL)
        AtlThrow(E_OUTOFMEMORY);
    return bstr;
}

template <typename BaseType>
BSTR CStringT<BaseType>::SetSysString(BSTR* pbstr) const
{
    std::wstring strWide = WideFrom(m_str);
    if (!::SysReAllocStringLen(pbstr, strWide.c_str(), static_cast<UINT>(strWide.size())))
        AtlThrow(E_OUTOFMEMORY);
    return *pbstr;
}

template class CStringT<wchar_t>;
template class CStringT<char>;

} // namespace ATL
