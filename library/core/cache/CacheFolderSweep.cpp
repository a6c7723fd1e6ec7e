#include "cache/CacheFolderSweep.h"
#include <afx.h>
#include <vector>

namespace {
const LONGLONG kDaySeconds = 86400;

// The name's last dot and what follows it; empty without a dot.
CStringW Extension(const CStringW& name)
{
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? CStringW() : name.Mid(dot);
}

bool IsDayOld(const CTime& time, const CTime& now)
{
    return (now - time).GetTotalSeconds() >= kDaySeconds;
}

// Files of the folder that the sweep takes: not folders, not ".dat" files
// (the info cache and print settings files and their temporaries), and not
// younger than a day, so that files another process just made stay.
std::vector<CStringW> CollectStaleFiles(const CStringW& folder, const CTime& now)
{
    std::vector<CStringW> stale;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + L"*.*");
    while (more) {
        more = finder.FindNextFile();
        CTime written;
        if (finder.IsDots() || finder.IsDirectory() || !finder.GetLastWriteTime(written))
            continue;
        if (lstrcmpiW(Extension(finder.GetFileName()), L".dat") != 0 && IsDayOld(written, now))
            stale.push_back(finder.GetFilePath());
    }
    return stale;
}

// The marker's new time tells the next process that the sweep was done.
void MarkSwept(const CStringW& marker, CFileStatus status, const CTime& now)
{
    status.m_mtime = now;
    try {
        CFile::SetStatus(marker, status);
    } catch (CException* error) {
        error->Delete();
    }
}
}

bool SweepCacheFolder(const CStringW& folder, const wchar_t* markerName, bool owned)
{
    if (!owned || folder.IsEmpty())
        return false;
    CStringW marker = folder + markerName;
    CFileStatus status;
    if (!CFile::GetStatus(marker, status))
        return false;
    CTime now = CTime::GetCurrentTime();
    if (!IsDayOld(status.m_mtime, now))
        return false;
    for (const CStringW& file : CollectStaleFiles(folder, now))
        DeleteFileW(file);
    MarkSwept(marker, status, now);
    return true;
}
