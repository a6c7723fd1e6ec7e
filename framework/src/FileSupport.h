// Path and file-time helpers shared by CFile, CFileFind and CWinApp.
#pragma once

#include <afx.h>

namespace afxfile
{

// FILETIME (100 ns since 1601, UTC) to CTime (seconds since 1970); times
// before 1970 give 0.
CTime TimeFromFileTime(const FILETIME& fileTime);
FILETIME FileTimeFromTime(const CTime& time);

// The absolute form of a path, or the path itself when it has none.
CString FullPath(LPCWSTR lpszFileName);
// The name part of a path: what follows the last '\', '/' or ':'.
LPCWSTR FindFileName(LPCWSTR lpszPath);
// The name part without its extension.
CString FileTitleOf(LPCWSTR lpszPath);

}
