// CStringT: the string class of the class library in both widths (CStringW,
// CStringA; CString is the wide one). Narrow strings are multibyte strings of
// the ANSI code page: searching and case mapping step over double-byte
// characters, and conversion between the widths goes through that code page.
// Format follows the Microsoft printf rules: in a wide format %s takes a wide
// string and %S a narrow one, in a narrow format the other way round; %hs and
// %ls (%ws) name the width outright; %I64d, %I32d and %Id size integers.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <stdarg.h>

#include <string>
#include <type_traits>

#include <atlbase.h>

// The module whose string table CString::LoadString reads (see afxwin.h).
HINSTANCE __stdcall AfxGetResourceHandle();

namespace ATL
{

// The C run-time operations of one character width. The narrow ones are
// aware of double-byte characters.
template <typename BaseType>
struct ChTraitsCRT;

template <>
struct ChTraitsCRT<wchar_t>
{
    static int StringLength(const wchar_t* psz);
    static const wchar_t* CharNext(const wchar_t* p);
    static int StringCompare(const wchar_t* psz1, const wchar_t* psz2);
    static int StringCompareIgnore(const wchar_t* psz1, const wchar_t* psz2);
    static int StringCollate(const wchar_t* psz1, const wchar_t* psz2);
    static int StringCollateIgnore(const wchar_t* psz1, const wchar_t* psz2);
    static const wchar_t* StringFindChar(const wchar_t* psz, wchar_t ch);
    static const wchar_t* StringFindCharRev(const wchar_t* psz, wchar_t ch);
    static const wchar_t* StringFindString(const wchar_t* psz, const wchar_t* pszSub);
    static const wchar_t* StringScanSet(const wchar_t* psz, const wchar_t* pszSet);
    static int StringSpanIncluding(const wchar_t* psz, const wchar_t* pszSet);
    static int StringSpanExcluding(const wchar_t* psz, const wchar_t* pszSet);
    static bool IsSpace(wchar_t ch);
    static void StringUppercase(wchar_t* psz);
    static void StringLowercase(wchar_t* psz);
    static void StringReverse(wchar_t* psz);
};

template <>
struct ChTraitsCRT<char>
{
    static int StringLength(const char* psz);
    static const char* CharNext(const char* p);
    static int StringCompare(const char* psz1, const char* psz2);
    static int StringCompareIgnore(const char* psz1, const char* psz2);
    static int StringCollate(const char* psz1, const char* psz2);
    static int StringCollateIgnore(const char* psz1, const char* psz2);
    static const char* StringFindChar(const char* psz, char ch);
    static const char* StringFindCharRev(const char* psz, char ch);
    static const char* StringFindString(const char* psz, const char* pszSub);
    static const char* StringScanSet(const char* psz, const char* pszSet);
    static int StringSpanIncluding(const char* psz, const char* pszSet);
    static int StringSpanExcluding(const char* psz, const char* pszSet);
    static bool IsSpace(char ch);
    static void StringUppercase(char* psz);
    static void StringLowercase(char* psz);
    static void StringReverse(char* psz);
};

// Appends the formatted text to a string (Microsoft printf rules, see top).
void AtlFormatAppendV(std::wstring& strOut, const wchar_t* pszFormat, va_list args);
void AtlFormatAppendV(std::string& strOut, const char* pszFormat, va_list args);

template <typename BaseType>
class CStringT;

// Arguments of the Format family travel through C varargs, where a class
// object would arrive as garbage: strings are handed over as their character
// pointers, and any other class type is refused at compile time.
template <typename T>
inline const T& AtlFormatArg(const T& value)
{
    static_assert(!std::is_class<T>::value,
                  "Format takes numbers, characters and string pointers; pass GetString() of other objects");
    return value;
}

template <typename BaseType>
inline const BaseType* AtlFormatArg(const CStringT<BaseType>& str)
{
    return str.GetString();
}

template <typename BaseType>
class CStringT
{
public:
    typedef BaseType XCHAR;
    typedef BaseType* PXSTR;
    typedef const BaseType* PCXSTR;
    typedef typename std::conditional<std::is_same<BaseType, wchar_t>::value, char, wchar_t>::type YCHAR;
    typedef YCHAR* PYSTR;
    typedef const YCHAR* PCYSTR;
    typedef ChTraitsCRT<BaseType> StringTraits;

    CStringT() = default;
    CStringT(const CStringT& strSrc) = default;
    CStringT(CStringT&& strSrc) noexcept = default;
    // A pointer below 0x10000 (MAKEINTRESOURCE) loads that string id.
    CStringT(PCXSTR pszSrc);
    CStringT(PCYSTR pszSrc);
    CStringT(PCXSTR pchSrc, int nLength);
    CStringT(PCYSTR pchSrc, int nLength);
    CStringT(const CStringT<YCHAR>& strSrc);
    explicit CStringT(XCHAR ch, int nRepeat = 1);
    ~CStringT() = default;

    CStringT& operator=(const CStringT& strSrc) = default;
    CStringT& operator=(CStringT&& strSrc) noexcept = default;
    CStringT& operator=(PCXSTR pszSrc);
    CStringT& operator=(PCYSTR pszSrc);
    CStringT& operator=(const CStringT<YCHAR>& strSrc);
    CStringT& operator=(XCHAR ch);
    CStringT& operator=(YCHAR ch);

    CStringT& operator+=(const CStringT& str);
    CStringT& operator+=(PCXSTR psz);
    CStringT& operator+=(PCYSTR psz);
    CStringT& operator+=(XCHAR ch);
    CStringT& operator+=(YCHAR ch);

    // Length and content
    int GetLength() const
    {
        return static_cast<int>(m_str.size());
    }
    bool IsEmpty() const
    {
        return m_str.empty();
    }
    void Empty()
    {
        m_str.clear();
    }
    PCXSTR GetString() const
    {
        return m_str.c_str();
    }
    operator PCXSTR() const
    {
        return m_str.c_str();
    }
    XCHAR GetAt(int iChar) const;
    void SetAt(int iChar, XCHAR ch);
    template <typename INDEX, typename = typename std::enable_if<std::is_integral<INDEX>::value>::type>
    XCHAR operator[](INDEX iChar) const
    {
        return GetAt(static_cast<int>(iChar));
    }
    void SetString(PCXSTR pszSrc);
    void SetString(PCXSTR pszSrc, int nLength);
    void Append(PCXSTR pszSrc);
    void Append(PCXSTR pszSrc, int nLength);
    void Append(const CStringT& strSrc);
    void AppendChar(XCHAR ch);
    void Truncate(int nNewLength);

    // Direct buffer access: write at most the requested length, then call
    // ReleaseBuffer (with -1 the length runs to the first terminator).
    PXSTR GetBuffer();
    PXSTR GetBuffer(int nMinBufferLength);
    PXSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    PXSTR LockBuffer();
    void UnlockBuffer();
    void Preallocate(int nLength);
    void FreeExtra();
    int GetAllocLength() const;

    // Comparison
    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;
    int Collate(PCXSTR psz) const;
    int CollateNoCase(PCXSTR psz) const;

    // Editing; each returns the new length or the number of changes
    int Delete(int iIndex, int nCount = 1);
    int Insert(int iIndex, XCHAR ch);
    int Insert(int iIndex, PCXSTR psz);
    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR chRemove);
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& Trim();
    CStringT& Trim(XCHAR chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);

    // Searching; -1 when not found
    int Find(XCHAR ch, int iStart = 0) const;
    int Find(PCXSTR pszSub, int iStart = 0) const;
    int FindOneOf(PCXSTR pszCharSet) const;
    int ReverseFind(XCHAR ch) const;

    // Extraction
    CStringT Mid(int iFirst) const;
    CStringT Mid(int iFirst, int nCount) const;
    CStringT Left(int nCount) const;
    CStringT Right(int nCount) const;
    CStringT SpanIncluding(PCXSTR pszCharSet) const;
    CStringT SpanExcluding(PCXSTR pszCharSet) const;
    // The next token after iStart, skipping leading delimiters; iStart then
    // points past the token, or is -1 with an empty result at the end.
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

    // Formatting
    template <typename... Args>
    void Format(PCXSTR pszFormat, const Args&... args)
    {
        Empty();
        AppendFormatArgs(pszFormat, AtlFormatArg(args)...);
    }
    // The format is string nFormatID of the resource module; a missing string
    // gives an empty result.
    template <typename... Args>
    void Format(UINT nFormatID, const Args&... args)
    {
        CStringT strFormat;
        strFormat.LoadString(nFormatID);
        Format(strFormat.GetString(), args...);
    }
    template <typename... Args>
    void AppendFormat(PCXSTR pszFormat, const Args&... args)
    {
        AppendFormatArgs(pszFormat, AtlFormatArg(args)...);
    }
    template <typename... Args>
    void AppendFormat(UINT nFormatID, const Args&... args)
    {
        CStringT strFormat;
        strFormat.LoadString(nFormatID);
        AppendFormat(strFormat.GetString(), args...);
    }
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormatV(PCXSTR pszFormat, va_list args);

    // Resources and BSTRs
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID, WORD wLanguageID);
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    friend CStringT operator+(const CStringT& str1, const CStringT& str2)
    {
        CStringT strResult(str1);
        strResult.Append(str2);
        return strResult;
    }
    friend CStringT operator+(const CStringT& str1, PCXSTR psz2)
    {
        CStringT strResult(str1);
        strResult.Append(psz2);
        return strResult;
    }
    friend CStringT operator+(PCXSTR psz1, const CStringT& str2)
    {
        CStringT strResult(psz1);
        strResult.Append(str2);
        return strResult;
    }
    friend CStringT operator+(const CStringT& str1, XCHAR ch2)
    {
        CStringT strResult(str1);
        strResult.AppendChar(ch2);
        return strResult;
    }
    friend CStringT operator+(XCHAR ch1, const CStringT& str2)
    {
        CStringT strResult(ch1);
        strResult.Append(str2);
        return strResult;
    }

    friend bool operator==(const CStringT& str1, const CStringT& str2)
    {
        return str1.m_str == str2.m_str;
    }
    friend bool operator==(const CStringT& str1, PCXSTR psz2)
    {
        return str1.Compare(psz2) == 0;
    }
    friend bool operator==(PCXSTR psz1, const CStringT& str2)
    {
        return str2.Compare(psz1) == 0;
    }
    friend bool operator==(const CStringT& str1, XCHAR ch2)
    {
        return str1.GetLength() == 1 && str1.m_str[0] == ch2;
    }
    friend bool operator==(XCHAR ch1, const CStringT& str2)
    {
        return str2 == ch1;
    }
    friend bool operator!=(const CStringT& str1, const CStringT& str2)
    {
        return !(str1 == str2);
    }
    friend bool operator!=(const CStringT& str1, PCXSTR psz2)
    {
        return !(str1 == psz2);
    }
    friend bool operator!=(PCXSTR psz1, const CStringT& str2)
    {
        return !(psz1 == str2);
    }
    friend bool operator!=(const CStringT& str1, XCHAR ch2)
    {
        return !(str1 == ch2);
    }
    friend bool operator!=(XCHAR ch1, const CStringT& str2)
    {
        return !(ch1 == str2);
    }
    friend bool operator<(const CStringT& str1, const CStringT& str2)
    {
        return str1.Compare(str2) < 0;
    }
    friend bool operator<(const CStringT& str1, PCXSTR psz2)
    {
        return str1.Compare(psz2) < 0;
    }
    friend bool operator<(PCXSTR psz1, const CStringT& str2)
    {
        return str2.Compare(psz1) > 0;
    }
    friend bool operator>(const CStringT& str1, const CStringT& str2)
    {
        return str1.Compare(str2) > 0;
    }
    friend bool operator>(const CStringT& str1, PCXSTR psz2)
    {
        return str1.Compare(psz2) > 0;
    }
    friend bool operator>(PCXSTR psz1, const CStringT& str2)
    {
        return str2.Compare(psz1) < 0;
    }
    friend bool operator<=(const CStringT& str1, const CStringT& str2)
    {
        return str1.Compare(str2) <= 0;
    }
    friend bool operator<=(const CStringT& str1, PCXSTR psz2)
    {
        return str1.Compare(psz2) <= 0;
    }
    friend bool operator<=(PCXSTR psz1, const CStringT& str2)
    {
        return str2.Compare(psz1) >= 0;
    }
    friend bool operator>=(const CStringT& str1, const CStringT& str2)
    {
        return str1.Compare(str2) >= 0;
    }
    friend bool operator>=(const CStringT& str1, PCXSTR psz2)
    {
        return str1.Compare(psz2) >= 0;
    }
    friend bool operator>=(PCXSTR psz1, const CStringT& str2)
    {
        return str2.Compare(psz1) <= 0;
    }

private:
    void AppendFormatArgs(PCXSTR pszFormat, ...);
    // Loads the string id when psz is a MAKEINTRESOURCE value.
    bool CheckImplicitLoad(const void* psz);
    int CheckedIndex(int iChar, int nLimit) const;
    int TrimLeftCount(PCXSTR pszTargets) const;
    int TrimRightStart(PCXSTR pszTargets) const;

    std::basic_string<BaseType> m_str;
};

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

typedef CStringT<wchar_t> CStringW;
typedef CStringT<char> CStringA;
typedef CStringW CString;

} // namespace ATL

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
