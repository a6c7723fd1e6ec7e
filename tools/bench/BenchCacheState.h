#pragma once
#include <string>

// The state of the library's info cache that a measuring process starts
// from. Empty: the first thumbnails of a folder in a new process, each load
// on fresh pages. Full: a long-lived process whose cache holds its most
// entries, so that every new entry evicts one and its load reuses the memory
// of the drawing that went.
enum class CacheState { Empty, Full };

const wchar_t* CacheStateName(CacheState state);
// The state named by CacheStateName; false for any other name.
bool ParseCacheState(const std::wstring& name, CacheState* state);

// A cache folder of the benchmark's own, holding an info cache file for the
// state; removed with the object. The entries of a full file are views of
// drawings that do not exist, so the cache never loads them and evicts the
// benchmark's own drawings (which keep no view) first.
class BenchCacheFolder {
public:
    explicit BenchCacheFolder(CacheState state);
    ~BenchCacheFolder();
    BenchCacheFolder(const BenchCacheFolder&) = delete;
    BenchCacheFolder& operator=(const BenchCacheFolder&) = delete;

    // The info cache file; empty when it could not be written.
    const std::wstring& CacheFile() const { return m_file; }

private:
    std::wstring m_folder;
    std::wstring m_file;
};
