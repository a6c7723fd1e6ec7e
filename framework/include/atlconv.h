// Conversions between UTF-16 and multibyte strings through a code page (the
// ANSI code page unless one is given), and the ATL conversion classes
// CW2A, CA2W, CT2W, CW2T and their kin. The classes own their result, so a
// temporary lives until the end of the full expression that made it.
#pragma once

#include <windows.h>

#include <string>

namespace ATL
{

inline UINT _AtlGetConversionACP()
{
    return CP_ACP;
}

// nLength counts source characters; -1 converts up to the terminator. A null
// source gives an empty string. Characters the code page lacks become its
// default character.
std::wstring AtlMultiByteToWide(const char* psz, int nLength, UINT nCodePage);
std::string AtlWideToMultiByte(const wchar_t* psz, int nLength, UINT nCodePage);

template <typename TO, typename FROM>
struct CAtlConverter;

template <>
struct CAtlConverter<char, wchar_t>
{
    static std::string Convert(const wchar_t* psz, UINT nCodePage)
    {
        return AtlWideToMultiByte(psz, -1, nCodePage);
    }
};

template <>
struct CAtlConverter<wchar_t, char>
{
    static std::wstring Convert(const char* psz, UINT nCodePage)
    {
        return AtlMultiByteToWide(psz, -1, nCodePage);
    }
};

// Same width: a plain copy, the code page does not matter.
template <typename CHAR>
struct CAtlConverter<CHAR, CHAR>
{
    static std::basic_string<CHAR> Convert(const CHAR* psz, UINT)
    {
        return psz != NULL ? std::basic_string<CHAR>(psz) : std::basic_string<CHAR>();
    }
};

// Owns the converted copy of a string; a null source stays null.
template <typename TO, typename FROM>
class CAtlStringConversion
{
public:
    CAtlStringConversion(const FROM* psz, UINT nCodePage = _AtlGetConversionACP())
        : m_str(CAtlConverter<TO, FROM>::Convert(psz, nCodePage)), m_psz(psz != NULL ? &m_str[0] : NULL)
    {
    }
    CAtlStringConversion(const CAtlStringConversion&) = delete;
    CAtlStringConversion& operator=(const CAtlStringConversion&) = delete;

    operator TO*() const
    {
        return m_psz;
    }

private:
    std::basic_string<TO> m_str;

public:
    TO* m_psz;
};

// Hands the source pointer through unchanged (the const same-width forms).
template <typename CHAR>
class CAtlStringPassThrough
{
public:
    CAtlStringPassThrough(const CHAR* psz, UINT = 0) : m_psz(psz)
    {
    }

    operator const CHAR*() const
    {
        return m_psz;
    }

    const CHAR* m_psz;
};

typedef CAtlStringConversion<char, wchar_t> CW2A;
typedef CAtlStringConversion<wchar_t, char> CA2W;
typedef CAtlStringConversion<wchar_t, wchar_t> CW2W;
typedef CAtlStringConversion<char, char> CA2A;
typedef CAtlStringPassThrough<wchar_t> CW2CW;
typedef CAtlStringPassThrough<char> CA2CA;

// TCHAR is wchar_t: the build defines UNICODE.
static_assert(sizeof(TCHAR) == sizeof(wchar_t), "the framework is built for UNICODE");
typedef CW2A CT2A;
typedef CW2A CT2CA;
typedef CA2W CA2T;
typedef CA2W CA2CT;
typedef CW2W CT2W;
typedef CW2W CW2T;
typedef CW2W COLE2T;
typedef CW2W CT2OLE;
typedef CW2CW CT2CW;
typedef CW2CW CW2CT;
typedef CW2CW COLE2CT;
typedef CW2CW CT2COLE;

} // namespace ATL

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
