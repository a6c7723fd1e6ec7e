#include <gtest/gtest.h>
#include "app/TavrenaApp.h"
#include "support/ScratchFolder.h"
#include "ScriptedReader.h"

// Destroying a reader deletes the image files it generated in the cache
// folder (a file already gone is no matter; a listed file anywhere else is
// never deleted) and starts the application's image numbering again.
TEST(ReaderLifetime, DestroyingDeletesGeneratedImagesAndResetsTheNumber)
{
    ScratchFolder folder;
    std::wstring cache(theApp.m_cacheFolder);
    std::wstring stem = L"lifetime-" + std::to_wstring(GetCurrentProcessId());
    std::wstring first = cache + stem + L"-1.png", second = cache + stem + L"-2.png";
    for (const std::wstring& path : {first, second}) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    std::wstring kept = folder.Write(L"other.png", "png");
    theApp.m_imageNumber = 7;
    {
        ScriptedReader reader;
        reader.m_imageFiles.Add(first.c_str());
        reader.m_imageFiles.Add((cache + stem + L"-gone.png").c_str());
        reader.m_imageFiles.Add(second.c_str());
        reader.m_imageFiles.Add(kept.c_str());
    }
    EXPECT_EQ(GetFileAttributesW(first.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(second.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(kept.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(theApp.m_imageNumber, 0);
}

TEST(ReaderLifetime, LayersOfTheLastLoadAreTheVisibleOnes)
{
    ScriptedReader reader;
    reader.MarkLayer(0);
    reader.MarkLayer(255);
    EXPECT_TRUE(reader.IsLayerVisible(0));
    EXPECT_TRUE(reader.IsLayerVisible(255));
    EXPECT_FALSE(reader.IsLayerVisible(1));
    EXPECT_FALSE(reader.IsLayerVisible(256));
}
