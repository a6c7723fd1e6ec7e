// A part file is drawn with a reference mark at its origin when the settings
// ask for it.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "JwcTestSupport.h"
#include "app/TavrenaApp.h"
#include "records/DrawData.h"
#include "records/SettingFlag.h"
#include "render/gdi/DibCanvas.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

const int kSide = 256;

// Whether any pixel around the centre of the whole-drawing view is the
// mark's red; the part's ink lies far from it.
bool RedAroundTheCentre(CJwCADBase* reader)
{
    CDibCanvas canvas;
    CDC* dc = canvas.Create(kSide, kSide);
    if (!dc)
        return false;
    DrawData request;
    request.doc = reader;
    request.width = request.height = request.viewWidth = request.viewHeight = kSide;
    request.scale = kSide;
    for (uint32_t& word : request.layerMask)
        word = 0xFFFFFFFF;
    request.flags = DrawFlag::WholeDrawing;
    reader->Draw(&request, dc, nullptr);
    for (int y = kSide / 2 - 6; y <= kSide / 2 + 6; ++y) {
        for (int x = kSide / 2 - 6; x <= kSide / 2 + 6; ++x) {
            COLORREF pixel = GetPixel(canvas.m_memoryDC, x, y);
            if (GetRValue(pixel) > 200 && GetGValue(pixel) < 60 && GetBValue(pixel) < 60)
                return true;
        }
    }
    return false;
}

TEST(JwkReferenceMark, ShownOnlyWhenTheSettingsAskForIt)
{
    JwkSymbol symbol;
    symbol.lines = {{-100, -100, 100, -100, 1, 1, 0}, {-100, 100, 100, 100, 1, 1, 0}};
    LoadedDrawing loaded(WriteJwk(symbol), L"mark.jwk");
    ASSERT_TRUE(loaded.Complete());
    uint32_t settings = theApp.m_settings;
    theApp.m_settings = settings | SettingFlag::PartReferenceMark;
    bool shown = RedAroundTheCentre(loaded.Reader());
    theApp.m_settings = settings & ~SettingFlag::PartReferenceMark;
    bool hidden = !RedAroundTheCentre(loaded.Reader());
    theApp.m_settings = settings;
    EXPECT_TRUE(shown);
    EXPECT_TRUE(hidden);
}

}  // namespace
