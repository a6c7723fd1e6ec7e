#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>
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

namespace {
// Entity-sized pieces from arena while it is current for entities.
std::vector<char*> TakePieces(CDrawingArena& arena, size_t count, size_t size)
{
    CArenaScope scope(ArenaUse::Entities, &arena);
    std::vector<char*> pieces;
    for (size_t i = 0; i < count; ++i)
        pieces.push_back(static_cast<char*>(AllocateForDrawing(ArenaUse::Entities, size)));
    return pieces;
}
} // namespace

// A load frees each entity once it has become figures: with FreedWhenEmpty,
// the blocks whose entities are all gone serve the pieces that follow, so a
// large load does not keep every entity's memory until its end; otherwise
// they wait for the release.
TEST(DrawingArena, EmptiedBlocksServeThePiecesThatFollow)
{
    const struct {
        CDrawingArena::Blocks blocks;
        bool reused;
    } cases[] = {{CDrawingArena::Blocks::FreedWhenEmpty, true}, {CDrawingArena::Blocks::KeptUntilRelease, false}};
    for (const auto& c : cases) {
        CDrawingArena arena(c.blocks);
        std::vector<char*> first = TakePieces(arena, 2000, 48);
        std::set<char*> firstAddresses(first.begin(), first.end());
        for (size_t i = 0; i + 1 < first.size(); ++i)  // the last one keeps the filling block
            FreeForDrawing(first[i]);
        std::vector<char*> next = TakePieces(arena, 2000, 48);
        size_t reused = 0;
        for (char* piece : next)
            reused += firstAddresses.count(piece);
        if (c.reused)
            EXPECT_GT(reused, 1500u);
        else
            EXPECT_EQ(0u, reused);
    }
}

// Pieces freed in any order, of any size, leave the others as they were.
TEST(DrawingArena, FreeingPiecesInAnyOrderKeepsTheOthers)
{
    CDrawingArena arena(CDrawingArena::Blocks::FreedWhenEmpty);
    struct Piece {
        char* memory;
        size_t size;
        char fill;
    };
    std::vector<Piece> live;
    auto take = [&](size_t count, size_t round) {
        CArenaScope scope(ArenaUse::Entities, &arena);
        for (size_t i = 0; i < count; ++i) {
            size_t size = i % 53 == 0 ? 5000 : 8 + (i * 7 + round) % 120;
            char fill = static_cast<char>(i * 31 + round);
            char* memory = static_cast<char*>(AllocateForDrawing(ArenaUse::Entities, size));
            std::memset(memory, fill, size);
            live.push_back({memory, size, fill});
        }
    };
    auto intact = [&] {
        for (const Piece& piece : live) {
            for (size_t i = 0; i < piece.size; ++i) {
                if (piece.memory[i] != piece.fill)
                    return false;
            }
        }
        return true;
    };
    for (size_t round = 0; round < 4; ++round) {
        take(3000, round);
        // Every third piece, then from the back, every other one.
        std::vector<Piece> kept;
        for (size_t i = 0; i < live.size(); ++i) {
            if (i % 3 == round % 3)
                FreeForDrawing(live[i].memory);
            else
                kept.push_back(live[i]);
        }
        live.clear();
        for (size_t i = kept.size(); i-- > 0;) {
            if (i % 2 == 1)
                FreeForDrawing(kept[i].memory);
            else
                live.push_back(kept[i]);
        }
        ASSERT_TRUE(intact()) << "round " << round;
    }
    for (const Piece& piece : live)
        FreeForDrawing(piece.memory);
}
