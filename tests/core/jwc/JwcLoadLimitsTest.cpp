// Loads without a progress window (thumbnails, info tips) stay short: each
// section stops after 8001 lines, curves or texts and 3001 points. The
// preview passes its window and reads everything, with progress messages.
#include <gtest/gtest.h>

#include "JwcTestSupport.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigPoint.h"
#include "records/DrawData.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

TEST(JwcLoadLimits, WithoutProgressWindowSectionsStop)
{
    LoadedDrawing loaded(WriteJwc(ManyRecords(9000, 3500)), L"many.jwc");
    EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), 8001u);
    EXPECT_EQ(loaded.FiguresOf<B_FigPoint>().size(), 3001u);
    EXPECT_FALSE(loaded.Complete());
}

TEST(JwcLoadLimits, WithProgressWindowEverythingIsRead)
{
    ProgressSink sink;
    LoadedDrawing loaded(WriteJwc(ManyRecords(9000, 0)), L"many.jwc", sink.Window());
    EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), 9000u);
    EXPECT_TRUE(loaded.Complete());

    // The total first, then the remaining count every 9000 / 360 = 25 records.
    std::vector<std::pair<WPARAM, LPARAM>> messages = sink.Take();
    ASSERT_EQ(messages.size(), 361u);
    EXPECT_EQ(messages.front(), std::make_pair(WPARAM(0), LPARAM(9000)));
    EXPECT_EQ(messages[1], std::make_pair(WPARAM(1), LPARAM(8975)));
    EXPECT_EQ(messages.back(), std::make_pair(WPARAM(1), LPARAM(0)));
}

TEST(JwcLoadLimits, JwkSectionsStopAlike)
{
    JwkSymbol symbol;
    for (int i = 0; i < 8100; ++i)
        symbol.lines.push_back({0, 0, 1, 1, 1, 1, 0});
    LoadedDrawing loaded(WriteJwk(symbol), L"many.jwk");
    EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), 8001u);
    EXPECT_FALSE(loaded.Complete());
}

}  // namespace
