// Drawings of different versions loaded at the same time, as the preview's
// threads load them beside the exports: each load reads its records by the
// version of its own file.
#include <gtest/gtest.h>
#include <memory>
#include <thread>

#include "JwwTestSupport.h"
#include "figures/B_FigLine.h"

namespace {

const size_t kLinesPerDrawing = 30000;

// Lines whose coordinates give their place in the file.
std::vector<jwwrite::Entity> NumberedLines()
{
    std::vector<jwwrite::Entity> lines;
    for (size_t i = 0; i < kLinesPerDrawing; ++i)
        lines.push_back(LineOf(static_cast<double>(i), 0, static_cast<double>(i), 1));
    return lines;
}

TEST(ConcurrentLoads, EachLoadReadsByTheVersionOfItsOwnFile)
{
    const std::vector<jwwrite::Entity> lines = NumberedLines();
    for (uint32_t other : {600u, 700u}) {
        const std::vector<uint8_t> oldBytes = DrawingBytes(lines, 230), newBytes = DrawingBytes(lines, other);
        for (int round = 0; round < 3; ++round) {
            std::unique_ptr<LoadedDrawing> oldLoad, newLoad;
            std::thread oldThread([&] { oldLoad.reset(new LoadedDrawing(oldBytes, L"old.jww")); });
            std::thread newThread([&] { newLoad.reset(new LoadedDrawing(newBytes, L"new.jww")); });
            oldThread.join();
            newThread.join();
            for (const LoadedDrawing* loaded : {oldLoad.get(), newLoad.get()}) {
                EXPECT_TRUE(loaded->Complete()) << other << " round " << round;
                std::vector<B_FigLine*> figures = loaded->FiguresOf<B_FigLine>();
                ASSERT_EQ(figures.size(), kLinesPerDrawing) << other << " round " << round;
                EXPECT_DOUBLE_EQ(figures.back()->line.first.x, static_cast<double>(kLinesPerDrawing - 1));
            }
        }
    }
}

}  // namespace
