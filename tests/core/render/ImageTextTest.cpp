// Image texts, their PNG copies and the files a reader may delete.
#include <gtest/gtest.h>
#include <set>
#include <vector>
#include "app/TavrenaApp.h"
#include "figures/B_ImageParams.h"
#include "render/gdi/ReaderId.h"
#include "RenderFixture.h"
#include "KeyedBmp.h"
#include "ScratchFolder.h"

namespace {
CStringW CacheFolder()
{
    return theApp.m_cacheFolder;
}

bool Exists(const CStringW& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
}

TEST(ImageText, TempFilesLieInTheCacheFolder)
{
    B_ImageParams params;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BM%temp%pic.bmp,30,20", &params, L"C:\\d\\a.jww", 0x12AB), 1);
    EXPECT_STREQ(params.path, CacheFolder() + L"000012ABpic.bmp");
    B_ImageParams jwc;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BM%TEMP%pic.bmp,30", &jwc, L"C:\\d\\a.jwc", 0), 1);
    EXPECT_STREQ(jwc.path, CacheFolder() + L"pic.bmp");
    EXPECT_EQ(jwc.width, 30.0f);
    EXPECT_EQ(jwc.height, 30.0f) << "one size sets both";
}

TEST(ImageText, RelativeFilesFollowTheDrawingNotTheCurrentFolder)
{
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    B_ImageParams params;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BMsub\\..\\img\\p.png,10,5", &params, L"C:\\draw\\plan.jww", 0), 1);
    EXPECT_STREQ(params.path, L"C:\\draw\\img\\p.png");
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BM\\\\server\\share\\p.png,10", &params, L"C:\\draw\\plan.jww", 0), 1);
    EXPECT_STREQ(params.path, L"\\\\server\\share\\p.png");
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BMD:\\p.png,10", &params, L"C:\\draw\\plan.jww", 0), 1);
    EXPECT_STREQ(params.path, L"D:\\p.png");
    wchar_t after[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after) << "the process's current folder is left alone";
}

TEST(ImageText, WhatIsNotAnImage)
{
    struct Case {
        const wchar_t* text;
    };
    const Case cases[] = {{L"^@BMpicture.bmp"}, {L"^@BMp.bmp,0,10"}, {L"^@BMp.bmp,10,0"}, {L"^@BMp.bmp,-3"},
                          {L"^@BMp.bmp,"},     {L"@BMp.bmp,10"},     {L""}};
    for (const Case& c : cases) {
        B_ImageParams params;
        EXPECT_EQ(CDrawBase::ParseImageText(c.text, &params, L"C:\\a.jww", 0), 0) << c.text;
    }
}

TEST(ImageText, NineParametersGiveCropAndKeyColour)
{
    uint16_t next = theApp.m_imageNumber;
    B_ImageParams params;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BMp.bmp,40,30,0.25,0.5,2,15,255,0,300", &params, L"C:\\a.jww", 0), 1);
    EXPECT_EQ(params.width, 40.0f);
    EXPECT_EQ(params.height, 30.0f);
    EXPECT_EQ(params.cropX, 0.25f);
    EXPECT_EQ(params.cropY, 0.5f);
    EXPECT_EQ(params.cropScale, 2.0f);
    EXPECT_EQ(params.angle, 15.0f);
    EXPECT_EQ(params.keyRed, 255);
    EXPECT_EQ(params.keyGreen, 0);
    EXPECT_EQ(params.keyBlue, 300 & 0xFF) << "a colour keeps one byte";
    EXPECT_EQ(params.keyGiven, 1);
    EXPECT_EQ(params.imageNumber, next);
    EXPECT_EQ(theApp.m_imageNumber, static_cast<uint16_t>(next + 1));

    B_ImageParams eight;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BMp.bmp,40,30,0,0,1,0,1,2", &eight, L"C:\\a.jww", 0), 1);
    EXPECT_EQ(eight.keyGiven, 0);
    EXPECT_EQ(theApp.m_imageNumber, static_cast<uint16_t>(next + 1)) << "no number without a key colour";
}

TEST(ImageText, KeyColourImagesGetAPngCopyThatGoesWithTheReader)
{
    ScratchFolder folder;
    CStringW bmp = CStringW(folder.Path().c_str()) + L"\\key.bmp";
    WriteBmp(bmp, RGB(255, 0, 255));
    RenderTestReader reader;
    B_ImageParams params;
    CStringW text;
    text.Format(L"^@BM%s,10,10,-1,-1,1,0,255,0,255", bmp.GetString());
    ASSERT_EQ(CDrawBase::ParseImageText(text, &params, L"C:\\a.jww", reader.m_readerId), 1);
    reader.ConvertImages(&params);
    EXPECT_TRUE(reader.m_imagesConverted);
    ASSERT_EQ(reader.m_imageFiles.GetSize(), 1);
    CStringW png = reader.m_imageFiles[0];
    EXPECT_STREQ(png, reader.ImagePngName(params.imageNumber));
    EXPECT_TRUE(Exists(png));
    EXPECT_STREQ(reader.ImageFileFor(params), png);
    reader.m_imageTransparency = false;
    EXPECT_STREQ(reader.ImageFileFor(params), bmp) << "transparency off: the image itself";

    CStringW outside = CStringW(folder.Path().c_str()) + L"\\keep.png";
    WriteBmp(outside, 0);
    reader.m_imageFiles.Add(outside);
    reader.m_imageFiles.Add(CacheFolder() + L"..\\keep.png");
    reader.DeleteImageFiles();
    EXPECT_FALSE(Exists(png));
    EXPECT_TRUE(Exists(outside)) << "files outside the cache folder are never deleted";
    EXPECT_EQ(reader.m_imageFiles.GetSize(), 0);
}

TEST(ImageText, AnUnreadableImageListsNothing)
{
    RenderTestReader reader;
    B_ImageParams params;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BMZ:\\nowhere\\none.bmp,10,10,-1,-1,1,0,1,2,3", &params, L"C:\\a.jww",
                                        reader.m_readerId),
              1);
    reader.ConvertImages(&params);
    EXPECT_TRUE(reader.m_imagesConverted);
    EXPECT_EQ(reader.m_imageFiles.GetSize(), 0);
    EXPECT_STREQ(reader.ImageFileFor(params), params.path);
}

TEST(ReaderId, UniqueInTheProcessAndNeverZero)
{
    std::set<uint32_t> ids;
    for (int i = 0; i < 20000; ++i) {
        uint32_t id = NewReaderId();
        EXPECT_NE(id, 0u);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 20000u);
    RenderTestReader first, second;
    EXPECT_NE(first.m_readerId, second.m_readerId);
    CStringW name = first.ImagePngName(0x2A);
    CStringW expected;
    expected.Format(L"%s%08X_002A.png", CacheFolder().GetString(), first.m_readerId);
    EXPECT_STREQ(name, expected);
}

namespace {
class ImageFrames : public RenderFixture {};
}

TEST_F(ImageFrames, ImagesDrawThroughGdiplusWhenAsked)
{
    ScratchFolder folder;
    CStringW bmp = CStringW(folder.Path().c_str()) + L"\\red.bmp";
    WriteBmp(bmp, RGB(255, 0, 0));
    B_FigImage* frame = new B_FigImage;
    CStringW text;
    text.Format(L"^@BM%s,32,16,0,0", bmp.GetString());
    ASSERT_EQ(CDrawBase::ParseImageText(text, &frame->params, L"C:\\a.jww", 0), 1);
    frame->corners[0] = At(16, 40);
    frame->corners[1] = At(48, 40);
    frame->corners[2] = At(48, 24);
    frame->corners[3] = At(16, 24);
    Add(frame, RGB(0, 0, 255));
    m_reader.ConvertImages(&frame->params);
    DibPixels pixels = Render(DrawFlag::GdiPlusImages);
    COLORREF left = pixels.At(22, 32), right = pixels.At(38, 32);
    EXPECT_TRUE(GetRValue(left) > 200 && GetGValue(left) < 60 && GetBValue(left) < 60)
        << std::hex << left << ": the left half of the picture; a crop at 0, 0 shows it whole";
    EXPECT_TRUE(GetRValue(right) < 60 && GetGValue(right) < 60 && GetBValue(right) < 60)
        << std::hex << right << ": its right half";
    EXPECT_EQ(pixels.At(8, 8), kWhite);
    DibPixels placeholder = Render();
    EXPECT_NE(placeholder.At(20, 32), RGB(255, 0, 0)) << "without GDI+ images: the hatched frame";
    EXPECT_EQ(m_reader.m_pGdiplus, nullptr) << "GDI+ lasts one draw";

    m_reader.DeleteFigures();
    B_FigImage* missing = new B_FigImage;
    ASSERT_EQ(CDrawBase::ParseImageText(L"^@BMZ:\\none.bmp,32,16", &missing->params, L"C:\\a.jww", 0), 1);
    missing->corners[0] = At(16, 40);
    missing->corners[1] = At(48, 40);
    missing->corners[2] = At(48, 24);
    missing->corners[3] = At(16, 24);
    Add(missing, RGB(0, 0, 255));
    EXPECT_EQ(Render(DrawFlag::GdiPlusImages).At(16, 32), RGB(0, 0, 255)) << "an unreadable image: the placeholder";
}
