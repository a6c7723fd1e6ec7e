#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "SavedCacheFile.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "support/ScratchFolder.h"
#include "writer/InfoCacheFile.h"

// A cache of its own over a scratch folder; the application's settings word
// and background colour, which the cache file carries, are put back after.
class CacheFixture : public ::testing::Test {
protected:
    CacheFixture() : m_settings(theApp.m_settings), m_backColor(theApp.m_backColor) {}
    ~CacheFixture() override
    {
        theApp.m_settings = m_settings;
        theApp.m_backColor = m_backColor;
    }

    std::wstring WriteCacheFile(const jwwrite::InfoCacheFile& file, const wchar_t* name = L"cache.dat")
    {
        return WriteBytes(jwwrite::WriteInfoCacheFile(file), name);
    }
    std::wstring WriteBytes(const std::vector<uint8_t>& bytes, const wchar_t* name)
    {
        return m_folder.Write(name, std::string(bytes.begin(), bytes.end()));
    }

    // What Save writes of the cache now.
    SavedCacheFile Saved()
    {
        std::wstring path = m_folder.At(L"saved.dat");
        EXPECT_TRUE(m_cache.Save(path.c_str()));
        return ParseSavedCacheFile(ReadFileBytes(path));
    }

    ScratchFolder m_folder;
    CInfoCache m_cache;

private:
    uint32_t m_settings;
    COLORREF m_backColor;
};
