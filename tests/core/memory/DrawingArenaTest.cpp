#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <thread>

#include "entities/CDataSen.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigNode.h"
#include "figures/B_FigText.h"
#include "memory/DrawingArena.h"

// Which objects a current arena serves: the figures and entities of its use,
// made on its thread while its scope lasts. Anything else takes the heap and
// must survive the arena's release.
TEST(DrawingArena, ServesOnlyItsUseOnItsThreadWhileCurrent)
{
    CDrawingArena figures;
    std::unique_ptr<B_FigLine> afterScope;
    std::unique_ptr<B_FigText> heapText;
    {
        CArenaScope scope(ArenaUse::Figures, &figures);
        size_t before = figures.HandedOut();
        B_FigLine* line = new B_FigLine;
        B_Base* holder = line;
        std::unique_ptr<B_FigNode> node(new B_FigNode(&holder));
        EXPECT_GE(figures.HandedOut(), before + sizeof(B_FigLine) + sizeof(B_FigNode));

        size_t withFigures = figures.HandedOut();
        std::unique_ptr<CDataSen> entity(new CDataSen);  // another use
        std::thread([&] { heapText.reset(new B_FigText); }).join();  // another thread
        {
            CArenaScope heapOnly(ArenaUse::Figures, nullptr);
            afterScope.reset(new B_FigLine);
        }
        EXPECT_EQ(withFigures, figures.HandedOut());

        // The enclosing arena serves again once the inner scope ends.
        std::unique_ptr<B_FigLine> again(new B_FigLine);
        EXPECT_GT(figures.HandedOut(), withFigures);
    }
    std::unique_ptr<B_FigLine> outside(new B_FigLine);
    size_t handedOut = figures.HandedOut();
    EXPECT_GT(handedOut, 0u);
    figures.Release();
    EXPECT_EQ(0u, figures.HandedOut());

    // Heap objects outlive the released arena and free as ever.
    afterScope->colour = 0x123456;
    heapText->text = L"still here";
    EXPECT_EQ(L"still here", heapText->text);
}

// A large drawing's figures span many blocks; every piece stays aligned and
// usable until the release, also pieces larger than a block.
TEST(DrawingArena, PiecesStayAlignedAcrossBlocks)
{
    CDrawingArena arena;
    std::vector<char*> pieces;
    for (size_t i = 0; i < 20000; ++i) {
        size_t size = i % 97 == 0 ? 300000 : 1 + i % 61;
        char* piece = static_cast<char*>(arena.Allocate(size));
        ASSERT_EQ(0u, reinterpret_cast<UINT_PTR>(piece) % alignof(double));
        piece[0] = static_cast<char>(i);
        piece[size - 1] = static_cast<char>(i);
        pieces.push_back(piece);
    }
    for (size_t i = 0; i < pieces.size(); ++i)
        ASSERT_EQ(static_cast<char>(i), pieces[i][0]);
    EXPECT_THROW(arena.Allocate(static_cast<size_t>(-1)), std::bad_alloc);
}
