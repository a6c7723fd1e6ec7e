#pragma once
#include <cstddef>

// What an arena made current on a thread serves: the entities of the load
// running there, or the figures of its drawing.
enum class ArenaUse { Entities, Figures, Count };

// Memory for objects that all die with one drawing (its figures) or with one
// load (its entities). A load makes a few hundred thousand small objects and
// the heap's lock, bookkeeping and freeing cost more than the reading; an
// arena hands out consecutive pieces of large blocks and frees its blocks at
// once. Its destructor or Release frees everything it handed out, so its
// owner must outlive every object made from it. Freed blocks of the common
// size are kept process-wide, a few megabytes at most, for the next arena:
// their pages are in memory already.
class CDrawingArena {
public:
    // What happens to a block whose pieces were all freed: it waits for the
    // release, or it goes back at once for the pieces that follow (the
    // entities of a load, each freed once it has become figures).
    enum class Blocks { KeptUntilRelease, FreedWhenEmpty };

    explicit CDrawingArena(Blocks blocks = Blocks::KeptUntilRelease) : m_freesEmptyBlocks(blocks == Blocks::FreedWhenEmpty) {}
    ~CDrawingArena();

    CDrawingArena(const CDrawingArena&) = delete;
    CDrawingArena& operator=(const CDrawingArena&) = delete;

    // size bytes, aligned for any of the drawing's objects; throws
    // std::bad_alloc when no block can be had.
    void* Allocate(std::size_t size);
    // Frees every block; no object made from the arena may be used after.
    void Release();
    // The bytes handed out since the last Release.
    std::size_t HandedOut() const { return m_handedOut; }

    // The header of each block; only the arena's own code looks inside.
    struct Block;

private:
    friend void* AllocateForDrawing(ArenaUse use, std::size_t size);
    friend void FreeForDrawing(void* memory) noexcept;

    void* AllocatePiece(std::size_t size, Block*& block);
    void* AllocateFromNewBlock(std::size_t size, Block*& block);
    void LinkBlock(Block* block, Block* after);
    void UnlinkBlock(Block* block);
    // One piece of block was freed (FreedWhenEmpty only).
    void PieceFreed(Block* block) noexcept;

    const bool m_freesEmptyBlocks;
    Block* m_blocks = nullptr;   // newest first
    Block* m_filling = nullptr;  // the block m_next and m_end lie in
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_handedOut = 0;
};

// Makes arena the thread's current one for use as long as it lives, then
// restores the previous one; a null arena sends use back to the heap.
class CArenaScope {
public:
    CArenaScope(ArenaUse use, CDrawingArena* arena);
    ~CArenaScope();

    CArenaScope(const CArenaScope&) = delete;
    CArenaScope& operator=(const CArenaScope&) = delete;

private:
    ArenaUse m_use;
    CDrawingArena* m_previous;
};

// The class-level allocation of the entity and figure classes: from the
// thread's current arena for use, or from the heap when there is none. Each
// piece carries a tag saying which, so that freeing works on any thread and
// after the scope ended: heap memory is freed, arena memory waits for its
// arena.
void* AllocateForDrawing(ArenaUse use, std::size_t size);
void FreeForDrawing(void* memory) noexcept;
