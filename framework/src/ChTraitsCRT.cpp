// The run-time library operations behind CStringT. The narrow ones step
// over the double-byte characters of the ANSI code page themselves: the
// run time's own multibyte functions are not all aware of them everywhere.
#include <atlstr.h>

#include <ctype.h>
#include <mbstring.h>
#include <string.h>
#include <wchar.h>
#include <wctype.h>

#include <algorithm>
#include <utility>

namespace ATL
{

int ChTraitsCRT<wchar_t>::StringLength(const wchar_t* psz)
{
    return psz != NULL ? static_cast<int>(wcslen(psz)) : 0;
}

const wchar_t* ChTraitsCRT<wchar_t>::CharNext(const wchar_t* p)
{
    return p + 1;
}

int ChTraitsCRT<wchar_t>::StringCompare(const wchar_t* psz1, const wchar_t* psz2)
{
    return wcscmp(psz1, psz2);
}

int ChTraitsCRT<wchar_t>::StringCompareIgnore(const wchar_t* psz1, const wchar_t* psz2)
{
    return _wcsicmp(psz1, psz2);
}

int ChTraitsCRT<wchar_t>::StringCollate(const wchar_t* psz1, const wchar_t* psz2)
{
    return wcscoll(psz1, psz2);
}

int ChTraitsCRT<wchar_t>::StringCollateIgnore(const wchar_t* psz1, const wchar_t* psz2)
{
    return _wcsicoll(psz1, psz2);
}

const wchar_t* ChTraitsCRT<wchar_t>::StringFindChar(const wchar_t* psz, wchar_t ch)
{
    return wcschr(psz, ch);
}

const wchar_t* ChTraitsCRT<wchar_t>::StringFindCharRev(const wchar_t* psz, wchar_t ch)
{
    return wcsrchr(psz, ch);
}

const wchar_t* ChTraitsCRT<wchar_t>::StringFindString(const wchar_t* psz, const wchar_t* pszSub)
{
    return wcsstr(psz, pszSub);
}

const wchar_t* ChTraitsCRT<wchar_t>::StringScanSet(const wchar_t* psz, const wchar_t* pszSet)
{
    return wcspbrk(psz, pszSet);
}

int ChTraitsCRT<wchar_t>::StringSpanIncluding(const wchar_t* psz, const wchar_t* pszSet)
{
    return static_cast<int>(wcsspn(psz, pszSet));
}

int ChTraitsCRT<wchar_t>::StringSpanExcluding(const wchar_t* psz, const wchar_t* pszSet)
{
    return static_cast<int>(wcscspn(psz, pszSet));
}

bool ChTraitsCRT<wchar_t>::IsSpace(wchar_t ch)
{
    return iswspace(ch) != 0;
}

void ChTraitsCRT<wchar_t>::StringUppercase(wchar_t* psz)
{
    _wcsupr(psz);
}

void ChTraitsCRT<wchar_t>::StringLowercase(wchar_t* psz)
{
    _wcslwr(psz);
}

void ChTraitsCRT<wchar_t>::StringReverse(wchar_t* psz)
{
    _wcsrev(psz);
}

int ChTraitsCRT<char>::StringLength(const char* psz)
{
    return psz != NULL ? static_cast<int>(strlen(psz)) : 0;
}

const char* ChTraitsCRT<char>::CharNext(const char* p)
{
    return IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != 0 ? p + 2 : p + 1;
}

namespace
{

typedef ChTraitsCRT<char> NarrowTraits;

ptrdiff_t CharBytes(const char* p)
{
    return NarrowTraits::CharNext(p) - p;
}

// Whether the character at p (single or double byte) is one of the set's.
bool IsInSet(const char* p, const char* pszSet)
{
    ptrdiff_t nBytes = CharBytes(p);
    for (const char* q = pszSet; *q != 0; q = NarrowTraits::CharNext(q))
    {
        if (CharBytes(q) == nBytes && memcmp(p, q, nBytes) == 0)
            return true;
    }
    return false;
}

// A character as one number: a single byte folded to lower case, or lead
// and trail byte together; 0 at the end.
unsigned int FoldedCode(const char* p)
{
    if (*p == 0)
        return 0;
    if (CharBytes(p) == 1)
        return static_cast<unsigned int>(tolower(static_cast<unsigned char>(*p)));
    return (static_cast<unsigned int>(static_cast<unsigned char>(p[0])) << 8) | static_cast<unsigned char>(p[1]);
}

template <typename CASE>
void MapSingleBytes(char* psz, CASE pfnCase)
{
    for (char* p = psz; *p != 0; p += CharBytes(p))
    {
        if (CharBytes(p) == 1)
            *p = static_cast<char>(pfnCase(static_cast<unsigned char>(*p)));
    }
}

} // namespace

int ChTraitsCRT<char>::StringCompare(const char* psz1, const char* psz2)
{
    // Byte order is character order for the double-byte code pages.
    return strcmp(psz1, psz2);
}

int ChTraitsCRT<char>::StringCompareIgnore(const char* psz1, const char* psz2)
{
    for (;; psz1 = CharNext(psz1), psz2 = CharNext(psz2))
    {
        unsigned int nCode1 = FoldedCode(psz1);
        unsigned int nCode2 = FoldedCode(psz2);
        if (nCode1 != nCode2)
            return nCode1 < nCode2 ? -1 : 1;
        if (nCode1 == 0)
            return 0;
    }
}

int ChTraitsCRT<char>::StringCollate(const char* psz1, const char* psz2)
{
    return _mbscoll(reinterpret_cast<const unsigned char*>(psz1), reinterpret_cast<const unsigned char*>(psz2));
}

int ChTraitsCRT<char>::StringCollateIgnore(const char* psz1, const char* psz2)
{
    return _mbsicoll(reinterpret_cast<const unsigned char*>(psz1), reinterpret_cast<const unsigned char*>(psz2));
}

const char* ChTraitsCRT<char>::StringFindChar(const char* psz, char ch)
{
    const char* p = psz;
    for (; *p != 0; p = CharNext(p))
    {
        if (*p == ch && CharBytes(p) == 1)
            return p;
    }
    return ch == 0 ? p : NULL;
}

const char* ChTraitsCRT<char>::StringFindCharRev(const char* psz, char ch)
{
    const char* pFound = NULL;
    const char* p = psz;
    for (; *p != 0; p = CharNext(p))
    {
        if (*p == ch && CharBytes(p) == 1)
            pFound = p;
    }
    return ch == 0 ? p : pFound;
}

const char* ChTraitsCRT<char>::StringFindString(const char* psz, const char* pszSub)
{
    size_t nSubLength = strlen(pszSub);
    if (nSubLength == 0)
        return psz;
    for (const char* p = psz; *p != 0; p = CharNext(p))
    {
        if (strncmp(p, pszSub, nSubLength) == 0)
            return p;
    }
    return NULL;
}

const char* ChTraitsCRT<char>::StringScanSet(const char* psz, const char* pszSet)
{
    for (const char* p = psz; *p != 0; p = CharNext(p))
    {
        if (IsInSet(p, pszSet))
            return p;
    }
    return NULL;
}

int ChTraitsCRT<char>::StringSpanIncluding(const char* psz, const char* pszSet)
{
    const char* p = psz;
    while (*p != 0 && IsInSet(p, pszSet))
        p = CharNext(p);
    return static_cast<int>(p - psz);
}

int ChTraitsCRT<char>::StringSpanExcluding(const char* psz, const char* pszSet)
{
    const char* p = psz;
    while (*p != 0 && !IsInSet(p, pszSet))
        p = CharNext(p);
    return static_cast<int>(p - psz);
}

bool ChTraitsCRT<char>::IsSpace(char ch)
{
    return isspace(static_cast<unsigned char>(ch)) != 0;
}

void ChTraitsCRT<char>::StringUppercase(char* psz)
{
    MapSingleBytes(psz, &toupper);
}

void ChTraitsCRT<char>::StringLowercase(char* psz)
{
    MapSingleBytes(psz, &tolower);
}

void ChTraitsCRT<char>::StringReverse(char* psz)
{
    // Swap each double-byte pair first, so that reversing all bytes leaves
    // the pairs in their order.
    char* p = psz;
    for (; *p != 0; p += CharBytes(p))
    {
        if (CharBytes(p) == 2)
            std::swap(p[0], p[1]);
    }
    std::reverse(psz, p);
}

} // namespace ATL
