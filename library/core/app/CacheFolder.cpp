#include "app/CacheFolder.h"
#include "foundation/base/KvoSystemVersion.h"
#include <shlobj.h>

namespace {
const wchar_t kCacheSubfolder[] = L"Norvane\\Quillora\\";

CStringW WithBackslash(CStringW folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    return folder;
}

// The shell's local application-data folder with "Low\" appended: its
// low-integrity sibling LocalLow. Empty when the shell cannot name it.
CStringW LocalLowFolder()
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_LOCAL_APPDATA, &items)))
        return CStringW();
    wchar_t path[MAX_PATH] = {};
    BOOL found = SHGetPathFromIDListW(items, path);
    CoTaskMemFree(items);
    if (!found || !path[0])
        return CStringW();
    CStringW folder(path);
    // A trailing backslash would make "Local\Low" instead of "LocalLow".
    folder.TrimRight(L'\\');
    return folder + L"Low\\";
}

CStringW TempFolder()
{
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return length == 0 || length > MAX_PATH ? CStringW() : WithBackslash(path);
}

// Where the first folder below the root of path begins: after "X:\" or after
// "\\server\share\"; -1 when path is not absolute.
int FirstFolderStart(const CStringW& path)
{
    if (path.GetLength() >= 3 && path[1] == L':' && path[2] == L'\\')
        return 3;
    if (path.Left(2) != L"\\\\")
        return -1;
    int shareEnd = path.Find(L'\\', path.Find(L'\\', 2) + 1);
    return shareEnd < 0 ? -1 : shareEnd + 1;
}

bool IsFolder(const CStringW& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}

bool MakeFolderChain(const CStringW& path)
{
    int start = FirstFolderStart(path);
    if (start < 0)
        return false;
    for (int end = path.Find(L'\\', start); end >= 0; end = path.Find(L'\\', end + 1)) {
        CStringW folder = path.Left(end);
        if (GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES)
            CreateDirectoryW(folder, nullptr);
    }
    return IsFolder(path);
}

CacheFolder MakeCacheFolder(const CStringW& preferredBase, const CStringW& fallbackBase)
{
    CacheFolder folder;
    for (const CStringW* base : {&preferredBase, &fallbackBase}) {
        if (base->IsEmpty())
            continue;
        folder.path = WithBackslash(*base) + kCacheSubfolder;
        folder.owned = MakeFolderChain(folder.path);
        if (folder.owned)
            break;
    }
    return folder;
}

CacheFolder GetCacheFolder()
{
    CKvoSystemVersion* version = CKvoSystemVersion::Instance();
    bool vista = version && version->IsWinVistaOrGreater();
    return MakeCacheFolder(vista ? LocalLowFolder() : CStringW(), TempFolder());
}
