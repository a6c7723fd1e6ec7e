// Strings and times in the archive.
#include <afx.h>

#include <climits>

namespace
{

const BYTE bLengthEscape = 0xFF;
const WORD wUnicodeMark = 0xFFFE;
const WORD wLengthEscape = 0xFFFF;
const DWORD dwLengthEscape = 0xFFFFFFFF;
const DWORD dwTime64Mark = 0x8000000A;

[[noreturn]] void ThrowArchive(const CArchive& ar, int cause)
{
    AfxThrowArchiveException(cause, ar.m_strFileName);
}

void ReadExactly(CArchive& ar, void* lpBuf, UINT nBytes)
{
    if (ar.Read(lpBuf, nBytes) != nBytes)
        ThrowArchive(ar, CArchiveException::endOfFile);
}

CStringW WideFromAnsi(const char* lpszText, int nLength)
{
    CStringW strWide;
    if (nLength == 0)
        return strWide;
    int nWide = MultiByteToWideChar(CP_THREAD_ACP, 0, lpszText, nLength, NULL, 0);
    nWide = MultiByteToWideChar(CP_THREAD_ACP, 0, lpszText, nLength, strWide.GetBuffer(nWide), nWide);
    strWide.ReleaseBuffer(nWide);
    return strWide;
}

CStringA AnsiFromWide(const wchar_t* lpszText, int nLength)
{
    CStringA strAnsi;
    if (nLength == 0)
        return strAnsi;
    int nAnsi = WideCharToMultiByte(CP_THREAD_ACP, 0, lpszText, nLength, NULL, 0, NULL, NULL);
    nAnsi = WideCharToMultiByte(CP_THREAD_ACP, 0, lpszText, nLength, strAnsi.GetBuffer(nAnsi), nAnsi, NULL, NULL);
    strAnsi.ReleaseBuffer(nAnsi);
    return strAnsi;
}

// Reads nLength characters of the given width, after checking that the
// stream holds them and a string can.
template <typename STRING, typename CHAR>
STRING ReadCharacters(CArchive& ar, UINT_PTR nLength)
{
    ar.EnsureBytesLeft(static_cast<ULONGLONG>(nLength) * sizeof(CHAR));
    if (nLength > INT_MAX)
        ThrowArchive(ar, CArchiveException::genericException);
    STRING str;
    int nChars = static_cast<int>(nLength);
    ReadExactly(ar, str.GetBuffer(nChars), static_cast<UINT>(nLength * sizeof(CHAR)));
    str.ReleaseBuffer(nChars);
    return str;
}

}

UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = sizeof(char);
    BYTE bLength = 0;
    WORD wLength = 0;
    ar >> bLength;
    if (bLength < bLengthEscape)
        return bLength;
    ar >> wLength;
    if (wLength == wUnicodeMark)
    {
        nCharSize = sizeof(wchar_t);
        ar >> bLength;
        if (bLength < bLengthEscape)
            return bLength;
        ar >> wLength;
    }
    if (wLength < wLengthEscape)
        return wLength;
    DWORD dwLength = 0;
    ar >> dwLength;
    ULONGLONG qwLength = dwLength;
    if (dwLength == dwLengthEscape)
        ar >> qwLength;
    if (qwLength > INT_MAX)
        ThrowArchive(ar, CArchiveException::genericException);
    return static_cast<UINT_PTR>(qwLength);
}

void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode)
{
    if (bUnicode)
        ar << bLengthEscape << wUnicodeMark;
    if (nLength < bLengthEscape)
    {
        ar << static_cast<BYTE>(nLength);
        return;
    }
    ar << bLengthEscape;
    if (nLength < wUnicodeMark)
    {
        ar << static_cast<WORD>(nLength);
        return;
    }
    ar << wLengthEscape;
    if (nLength < dwLengthEscape)
    {
        ar << static_cast<DWORD>(nLength);
        return;
    }
    ar << dwLengthEscape << static_cast<ULONGLONG>(nLength);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringW& str)
{
    UINT_PTR nLength = static_cast<UINT_PTR>(str.GetLength());
    AfxWriteStringLength(ar, nLength, TRUE);
    ar.Write(str.GetString(), static_cast<UINT>(nLength * sizeof(wchar_t)));
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str)
{
    UINT_PTR nLength = static_cast<UINT_PTR>(str.GetLength());
    AfxWriteStringLength(ar, nLength, FALSE);
    ar.Write(str.GetString(), static_cast<UINT>(nLength));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringW& str)
{
    int nCharSize = 0;
    UINT_PTR nLength = AfxReadStringLength(ar, nCharSize);
    if (nCharSize == sizeof(wchar_t))
    {
        str = ReadCharacters<CStringW, wchar_t>(ar, nLength);
        return ar;
    }
    CStringA strAnsi = ReadCharacters<CStringA, char>(ar, nLength);
    str = WideFromAnsi(strAnsi.GetString(), strAnsi.GetLength());
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str)
{
    int nCharSize = 0;
    UINT_PTR nLength = AfxReadStringLength(ar, nCharSize);
    if (nCharSize == sizeof(char))
    {
        str = ReadCharacters<CStringA, char>(ar, nLength);
        return ar;
    }
    CStringW strWide = ReadCharacters<CStringW, wchar_t>(ar, nLength);
    str = AnsiFromWide(strWide.GetString(), strWide.GetLength());
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CTime& time)
{
    ar << dwTime64Mark << static_cast<LONGLONG>(time.GetTime());
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CTime& time)
{
    DWORD dwTime = 0;
    ar >> dwTime;
    if (dwTime == dwTime64Mark)
    {
        DWORD dwHigh = 0;
        ar >> dwTime >> dwHigh;
    }
    time = CTime(static_cast<__time64_t>(dwTime));
    return ar;
}
