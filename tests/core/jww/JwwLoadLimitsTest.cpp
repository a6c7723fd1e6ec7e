// Without a progress window (thumbnails, info tips) a drawing of more than
// 64000 entities is cut: the first 64001 are drawn and the load fails.
#include <gtest/gtest.h>

#include "JwwTestSupport.h"
#include "figures/B_FigLine.h"

namespace {

TEST(JwwLoadLimits, WithoutProgressWindowLongEntityListsAreCut)
{
    const struct {
        size_t entities;
        size_t figures;
        bool complete;
    } cases[] = {{64000, 64000, true}, {64001, 64001, false}, {70000, 64001, false}};
    for (const auto& c : cases) {
        LoadedDrawing loaded(DrawingBytes(std::vector<jwwrite::Entity>(c.entities, LineOf(0, 0, 1, 1))), L"long.jww");
        EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), c.figures) << c.entities;
        EXPECT_EQ(loaded.Complete(), c.complete) << c.entities;
    }
}

}  // namespace
