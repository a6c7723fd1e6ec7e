#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The test's own reading of an info cache file as the library writes it
// (version 20191107, paths in the UTF-16 string form).
struct SavedCacheEntry {
    std::wstring path;
    int32_t scale = 0, originX = 0, originY = 0, width = 0, height = 0;
    int64_t fileTime = 0;
    uint8_t viewSet = 0;
};

struct SavedCacheFile {
    bool complete = false;  // every field read and nothing after them
    uint32_t version = 0;
    int32_t count = 0;
    std::vector<SavedCacheEntry> entries;
    uint32_t settings = 0;
    uint32_t backColor = 0;
};

SavedCacheFile ParseSavedCacheFile(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
