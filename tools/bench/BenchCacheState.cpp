#include "BenchCacheState.h"

#include <windows.h>
#include <string>
#include "writer/Drawing.h"
#include "writer/InfoCacheFile.h"

namespace {
// The library's cache holds this many entries before a new one evicts one.
const int kFullCacheEntries = 64;
// A view the cache keeps (not the untouched scale 256 at the origin).
const int32_t kKeptScale = 512;

std::wstring FolderFor(CacheState state)
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"bench-cache-" + CacheStateName(state) + L"-" +
           std::to_wstring(GetCurrentProcessId()) + L"\\";
}

// The settings of the library's defaults, so that both states draw alike.
jwwrite::InfoCacheFile CacheFileFor(CacheState state)
{
    jwwrite::InfoCacheFile file;
    if (state == CacheState::Full) {
        for (int i = 0; i < kFullCacheEntries; ++i) {
            jwwrite::InfoCacheFileEntry entry;
            std::string path = "C:\\bench-absent\\held-" + std::to_string(i) + ".jww";
            entry.path.assign(path.begin(), path.end());
            entry.scale = kKeptScale;
            entry.viewSet = true;
            file.entries.push_back(entry);
        }
    }
    return file;
}
}

const wchar_t* CacheStateName(CacheState state)
{
    return state == CacheState::Full ? L"full" : L"empty";
}

bool ParseCacheState(const std::wstring& name, CacheState* state)
{
    for (CacheState candidate : {CacheState::Empty, CacheState::Full}) {
        if (name == CacheStateName(candidate)) {
            *state = candidate;
            return true;
        }
    }
    return false;
}

BenchCacheFolder::BenchCacheFolder(CacheState state) : m_folder(FolderFor(state))
{
    std::wstring file = m_folder + L"Quillora.dat";
    if (CreateDirectoryW(m_folder.c_str(), nullptr) &&
        jwwrite::SaveFile(file, jwwrite::WriteInfoCacheFile(CacheFileFor(state))))
        m_file = file;
}

BenchCacheFolder::~BenchCacheFolder()
{
    DeleteFileW((m_folder + L"Quillora.dat").c_str());
    RemoveDirectoryW(m_folder.c_str());
}
