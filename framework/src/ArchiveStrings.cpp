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

// 8-bit characters take the ANSI code page of the reading thread.
void ConvertRead(const CStringA& strRead, CStringW& str)
{
    std::wstring strWide = AtlMultiByteToWide(strRead.GetString(), strRead.GetLength(), CP_THREAD_ACP);
    str.SetString(strWide.data(), static_cast<int>(strWide.size()));
}

void ConvertRead(const CStringW& strRead, CStringA& str)
{
    std::string strAnsi = AtlWideToMultiByte(strRead.GetString(), strRead.GetLength(), CP_THREAD_ACP);
    str.SetString(strAnsi.data(), static_cast<int>(strAnsi.size()));
}

template <typename STRING>
void ConvertRead(const STRING& strRead, STRING& str)
{
    str = strRead;
}

// Reads nLength characters of the given width, after checking that the
// stream holds them and a string can.
template <typename CHAR>
CStringT<CHAR> ReadCharacters(CArchive& ar, UINT_PTR nLength)
{
    ar.EnsureBytesLeft(static_cast<ULONGLONG>(nLength) * sizeof(CHAR));
    if (nLength > INT_MAX)
        ThrowArchive(ar, CArchiveException::genericException);
    CStringT<CHAR> str;
    int nChars = static_cast<int>(nLength);
    ReadExactly(ar, str.GetBuffer(nChars), static_cast<UINT>(nLength * sizeof(CHAR)));
    str.ReleaseBuffer(nChars);
    return str;
}

// Either width may be read into either string.
template <typename STRING>
void ReadString(CArchive& ar, STRING& str)
{
    int nCharSize = 0;
    UINT_PTR nLength = AfxReadStringLength(ar, nCharSize);
    if (nCharSize == sizeof(wchar_t))
        ConvertRead(ReadCharacters<wchar_t>(ar, nLength), str);
    else
        ConvertRead(ReadCharacters<char>(ar, nLength), str);
}

template <typename CHAR>
void WriteString(CArchive& ar, const CStringT<CHAR>& str)
{
    UINT_PTR nLength = static_cast<UINT_PTR>(str.GetLength());
    AfxWriteStringLength(ar, nLength, sizeof(CHAR) == sizeof(wchar_t));
    ar.Write(str.GetString(), static_cast<UINT>(nLength * sizeof(CHAR)));
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
    WriteString(ar, str);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str)
{
    WriteString(ar, str);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringW& str)
{
    ReadString(ar, str);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str)
{
    ReadString(ar, str);
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
