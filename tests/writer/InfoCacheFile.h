#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jwwrite {

// The versions of the library's info cache file.
enum InfoCacheVersion : uint32_t {
    kCache20160131 = 20160131,  // path, scale, origins
    kCache20160301 = 20160301,  // + width
    kCache20160321 = 20160321,  // + height
    kCache20160810 = 20160810,  // + file time; settings word after the entries
    kCache20190914 = 20190914,  // + background colour after the settings
    kCache20191107 = 20191107,  // + view-set byte
};

struct InfoCacheFileEntry {
    std::u16string path;
    int32_t scale = 256;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 256;
    int32_t height = 256;
    int64_t fileTime = 0;
    bool viewSet = false;
};

// An info cache file of any version, with the fields that version has; the
// others are left out whatever they hold.
struct InfoCacheFile {
    uint32_t version = kCache20191107;
    std::optional<int32_t> count;  // the count field; the number of entries when unset
    std::vector<InfoCacheFileEntry> entries;
    uint32_t settings = 0;
    uint32_t backColor = 0xFFFFFF;
};

std::vector<uint8_t> WriteInfoCacheFile(const InfoCacheFile& file);

}  // namespace jwwrite
