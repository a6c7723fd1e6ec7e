#include <gtest/gtest.h>
#include "app/TavrenaApp.h"
#include "support/ScratchFolder.h"
#include "ScriptedReader.h"

// Destroying a reader deletes the image files it generated (a file already
// gone is no matter) and starts the application's image numbering again.
TEST(ReaderLifetime, DestroyingDeletesGeneratedImagesAndResetsTheNumber)
{
    ScratchFolder folder;
    std::wstring first = folder.Write(L"img0001.png", "png");
    std::wstring second = folder.Write(L"img0002.png", "png");
    std::wstring kept = folder.Write(L"other.png", "png");
    theApp.m_imageNumber = 7;
    {
        ScriptedReader reader;
        reader.m_imageFiles.Add(first.c_str());
        reader.m_imageFiles.Add(folder.At(L"already-gone.png").c_str());
        reader.m_imageFiles.Add(second.c_str());
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
