// The preview's renders write its view into the file's cache entry while
// SavePreView may be writing the info cache file on another thread: every
// file written meanwhile reads back whole, its count matching the entries
// it holds and its settings word and background colour in their place.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <atomic>
#include <string>
#include <thread>
#include "PreviewRender.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "support/ScratchFolder.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
const int kStoredEntries = 3000;

// Views of other drawings, as an info cache file brings them, keyed before
// the previewed one: a save writes them between counting and writing it.
void FillCacheWithStoredViews()
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << uint32_t{20191107} << int32_t{kStoredEntries};
        for (int i = 0; i < kStoredEntries; ++i) {
            CStringW path;
            path.Format(L"C:\\a\\%05d.jww", i);
            ar << path << int32_t{512} << int32_t{10} << int32_t{-10} << int32_t{256} << int32_t{256};
            ar << int64_t{0} << BYTE{1};
        }
        ar << theApp.m_settings << theApp.m_backColor;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    theApp.m_infoCache.Serialize(ar);
}

// One save into memory read back by a cache of its own; false when the
// count does not match the entries or the settings are not where they go.
bool SaveReadsBackWhole(uint32_t settings, COLORREF backColor, int* written)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        *written = theApp.m_infoCache.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    try {
        CInfoCache reader;
        CArchive ar(&file, CArchive::load);
        const int read = reader.Serialize(ar);
        ar.Close();
        return read == *written && theApp.m_settings == settings && theApp.m_backColor == backColor;
    } catch (CException* error) {
        error->Delete();
    }
    return false;
}

TEST(PreviewViewSave, RendersAndSavesTogetherAlwaysWriteAWholeFile)
{
    ScratchFolder scratch;
    const std::wstring path = scratch.Path() + L"\\saved-while-rendered.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    const uint32_t settings = theApp.m_settings;
    const COLORREF backColor = theApp.m_backColor;
    theApp.m_infoCache.Clear();  // whatever earlier tests left
    FillCacheWithStoredViews();
    DrawData view;
    ASSERT_EQ(LoadPreviewDocument(path.c_str(), view), S_OK);
    view.width = view.height = 32;
    // As the preview's view once its drawing is loaded: an entry still
    // marked for the whole drawing is never saved.
    view.flags = (view.flags | DrawFlag::KeepView) & ~DrawFlag::WholeDrawing;

    // The drawing's entry took the place of one stored view (a full cache
    // evicts one per new entry); at its untouched view a save leaves it out.
    int withoutPreview = 0;
    EXPECT_TRUE(SaveReadsBackWhole(settings, backColor, &withoutPreview));
    EXPECT_EQ(withoutPreview, kStoredEntries - 1);

    // The view flips between one worth saving and the untouched one.
    std::atomic<bool> stop{false};
    std::atomic<int> renders{0};
    std::thread renderer([&] {
        for (bool kept = false; !stop; kept = !kept) {
            view.scale = kept ? 512 : 256;
            view.originX = kept ? 100 : 0;
            view.originY = kept ? -100 : 0;
            HBITMAP bitmap = nullptr;
            if (RenderPreviewToBitmap(path.c_str(), &bitmap, view) == S_OK)
                DeleteObject(bitmap);
            ++renders;
        }
    });
    int torn = 0;
    int withPreview = 0;
    for (int save = 0; save < 300; ++save) {
        int written = 0;
        if (!SaveReadsBackWhole(settings, backColor, &written))
            ++torn;
        withPreview += written == withoutPreview + 1;
    }
    stop = true;
    renderer.join();
    theApp.m_settings = settings;
    theApp.m_backColor = backColor;
    theApp.m_infoCache.Clear();
    EXPECT_EQ(torn, 0) << "of 300 saves, during " << renders << " renders";
    EXPECT_GT(withPreview, 0) << "some saves kept the rendered view";
    EXPECT_GT(renders.load(), 0);
}
}  // namespace
