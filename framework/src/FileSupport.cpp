#include "FileSupport.h"

#include <cwchar>

namespace
{

const ULONGLONG nTicksPerSecond = 10000000;
const ULONGLONG nEpochTicks = 116444736000000000; // 1970-01-01 in FILETIME ticks

}

namespace afxfile
{

CTime TimeFromFileTime(const FILETIME& fileTime)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = fileTime.dwLowDateTime;
    ticks.HighPart = fileTime.dwHighDateTime;
    if (ticks.QuadPart < nEpochTicks)
        return CTime(static_cast<__time64_t>(0));
    return CTime(static_cast<__time64_t>((ticks.QuadPart - nEpochTicks) / nTicksPerSecond));
}

FILETIME FileTimeFromTime(const CTime& time)
{
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(time.GetTime()) * nTicksPerSecond + nEpochTicks;
    FILETIME fileTime;
    fileTime.dwLowDateTime = ticks.LowPart;
    fileTime.dwHighDateTime = ticks.HighPart;
    return fileTime;
}

CString FullPath(LPCWSTR lpszFileName)
{
    DWORD nNeeded = GetFullPathNameW(lpszFileName, 0, NULL, NULL);
    if (nNeeded == 0)
        return CString(lpszFileName);
    CString strPath;
    DWORD nLength = GetFullPathNameW(lpszFileName, nNeeded, strPath.GetBuffer(static_cast<int>(nNeeded)), NULL);
    bool bDone = nLength != 0 && nLength < nNeeded;
    strPath.ReleaseBuffer(bDone ? static_cast<int>(nLength) : 0);
    return bDone ? strPath : CString(lpszFileName);
}

LPCWSTR FindFileName(LPCWSTR lpszPath)
{
    LPCWSTR lpszName = lpszPath;
    for (LPCWSTR p = lpszPath; *p != L'\0'; ++p)
    {
        if (*p == L'\\' || *p == L'/' || *p == L':')
            lpszName = p + 1;
    }
    return lpszName;
}

CString FileTitleOf(LPCWSTR lpszPath)
{
    LPCWSTR lpszName = FindFileName(lpszPath);
    LPCWSTR lpszDot = std::wcsrchr(lpszName, L'.');
    return lpszDot != NULL ? CString(lpszName, static_cast<int>(lpszDot - lpszName)) : CString(lpszName);
}

}
