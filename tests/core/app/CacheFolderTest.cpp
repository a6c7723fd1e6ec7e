#include <gtest/gtest.h>
#include "app/CacheFolder.h"
#include "app/TavrenaApp.h"
#include "support/ScratchFolder.h"
#include "toolkit/foundation/ShownVersion.h"

namespace {
bool IsFolder(const CStringW& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsWith(const CStringW& text, const wchar_t* tail)
{
    return text.Right(static_cast<int>(wcslen(tail))).CompareNoCase(tail) == 0;
}
}

TEST(CacheFolder, MakesEveryMissingFolderOfTheChain)
{
    ScratchFolder scratch;
    CStringW chain = (scratch.Path() + L"\\a\\b\\c\\").c_str();
    EXPECT_TRUE(MakeFolderChain(chain));
    EXPECT_TRUE(IsFolder(chain));
    EXPECT_TRUE(MakeFolderChain(chain)) << "an existing chain is fine";
}

TEST(CacheFolder, ChainThroughAFileOrWithoutARootFails)
{
    ScratchFolder scratch;
    scratch.Write(L"file", "x");
    EXPECT_FALSE(MakeFolderChain((scratch.At(L"file") + L"\\sub\\").c_str()));
    EXPECT_FALSE(MakeFolderChain(L"Norvane\\Quillora\\"));
}

TEST(CacheFolder, PreferredBaseThenFallbackNeverRelative)
{
    ScratchFolder scratch;
    CStringW preferred = scratch.At(L"local").c_str();
    CStringW fallback = scratch.At(L"temp").c_str();
    CStringW blocked = scratch.Write(L"blocked", "x").c_str();

    CacheFolder chosen = MakeCacheFolder(preferred, fallback);
    EXPECT_STREQ(chosen.path, preferred + L"\\Norvane\\Quillora\\");
    EXPECT_TRUE(chosen.owned);
    EXPECT_TRUE(IsFolder(chosen.path));

    CacheFolder fellBack = MakeCacheFolder(blocked, fallback);
    EXPECT_STREQ(fellBack.path, fallback + L"\\Norvane\\Quillora\\");
    EXPECT_TRUE(fellBack.owned);

    CacheFolder noLocal = MakeCacheFolder(L"", fallback + L"\\");
    EXPECT_STREQ(noLocal.path, fallback + L"\\Norvane\\Quillora\\");

    CacheFolder none = MakeCacheFolder(L"", L"");
    EXPECT_TRUE(none.path.IsEmpty());
    EXPECT_FALSE(none.owned);

    CacheFolder unusable = MakeCacheFolder(blocked, L"");
    EXPECT_FALSE(unusable.owned) << "a folder the library could not make is never its own";
}

TEST(CacheFolder, LocalLowOnVistaAndLater)
{
    CacheFolder folder = GetCacheFolder();
    EXPECT_TRUE(EndsWith(folder.path, L"Low\\Norvane\\Quillora\\")) << folder.path.GetString();
    EXPECT_TRUE(folder.owned);
    EXPECT_TRUE(IsFolder(folder.path));
    EXPECT_STREQ(theApp.m_cacheFolder, folder.path) << "the application object resolves it when constructed";
    EXPECT_TRUE(theApp.OwnsCacheFolder());
}

TEST(CacheFolder, TemporaryFolderChainBeforeVista)
{
    ShownVersion xp(5, 1);
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    CacheFolder folder = GetCacheFolder();
    EXPECT_STREQ(folder.path, CStringW(temp) + L"Norvane\\Quillora\\");
    EXPECT_TRUE(folder.owned);
    EXPECT_TRUE(IsFolder(folder.path));
}
