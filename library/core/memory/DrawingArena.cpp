#include "memory/DrawingArena.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

namespace {
// Every piece is a multiple of this and starts on it: enough for the
// doubles and pointers of the entity and figure classes.
const std::size_t kArenaAlignment = 8;
// The tag before each piece, kept at the alignment so the piece stays aligned.
const std::size_t kArenaTagSize = kArenaAlignment;
const std::uintptr_t kHeapTag = 0;
const std::uintptr_t kArenaTag = 1;
// Blocks of one size, small enough that the heap keeps them in its own free
// lists between loads (it maps a block of 512 KB or more anew for every
// request, and each page of it faults in again), and that a load never asks
// for more memory at once than the archive's own buffer, whatever the file
// claims. A few dozen objects share each block.
const std::size_t kBlockSize = 4096;

constexpr std::size_t RoundUpToAlignment(std::size_t size)
{
    return (size + kArenaAlignment - 1) & ~(kArenaAlignment - 1);
}

// The current arena of each use, one thread-local slot of the system each:
// with this compiler every read of a C++ thread_local takes a lock and two
// calls, and every entity and figure of a load reads its slot.
class CArenaSlots {
public:
    CArenaSlots()
    {
        for (DWORD& slot : m_slots)
            slot = TlsAlloc();
    }
    ~CArenaSlots()
    {
        for (DWORD slot : m_slots) {
            if (slot != TLS_OUT_OF_INDEXES)
                TlsFree(slot);
        }
    }
    CArenaSlots(const CArenaSlots&) = delete;
    CArenaSlots& operator=(const CArenaSlots&) = delete;

    CDrawingArena* Get(ArenaUse use) const
    {
        DWORD slot = m_slots[static_cast<int>(use)];
        return slot != TLS_OUT_OF_INDEXES ? static_cast<CDrawingArena*>(TlsGetValue(slot)) : nullptr;
    }
    // Without a slot of the system every allocation takes the heap.
    void Set(ArenaUse use, CDrawingArena* arena) const
    {
        DWORD slot = m_slots[static_cast<int>(use)];
        if (slot != TLS_OUT_OF_INDEXES)
            TlsSetValue(slot, arena);
    }

private:
    DWORD m_slots[static_cast<int>(ArenaUse::Count)];
};

const CArenaSlots g_arenaSlots;
} // namespace

struct CDrawingArena::Block {
    CDrawingArena* arena;
    Block* next;
    Block* prev;
    std::size_t live;  // pieces not yet freed, counted when the arena frees empty blocks
    bool common;       // of kBlockSize, so that another arena can take it
};

namespace {
const std::size_t kBlockHeader = RoundUpToAlignment(sizeof(CDrawingArena::Block));
// Blocks kept for the next arena: enough for a drawing of some 30,000 figures.
const std::size_t kPoolCapacityBlocks = (8u << 20) / kBlockSize;

// Freed common blocks of every arena of the process. Plain data, so that it
// stays usable while the statics of the process are destroyed: an arena
// released then frees its blocks straight to the heap.
struct CBlockPool {
    SRWLOCK lock;
    void* free;  // each free block starts with the next one
    std::size_t count;
    bool closed;
};
CBlockPool g_blockPool = {SRWLOCK_INIT, nullptr, 0, false};

void* TakeCommonBlock()
{
    void* block = nullptr;
    AcquireSRWLockExclusive(&g_blockPool.lock);
    if (g_blockPool.free) {
        block = g_blockPool.free;
        g_blockPool.free = *static_cast<void**>(block);
        --g_blockPool.count;
    }
    ReleaseSRWLockExclusive(&g_blockPool.lock);
    return block ? block : ::operator new(kBlockSize);
}

void KeepCommonBlock(void* block) noexcept
{
    AcquireSRWLockExclusive(&g_blockPool.lock);
    bool kept = !g_blockPool.closed && g_blockPool.count < kPoolCapacityBlocks;
    if (kept) {
        *static_cast<void**>(block) = g_blockPool.free;
        g_blockPool.free = block;
        ++g_blockPool.count;
    }
    ReleaseSRWLockExclusive(&g_blockPool.lock);
    if (!kept)
        ::operator delete(block);
}

// Empties the pool when the library goes, and keeps it empty.
struct CBlockPoolCloser {
    ~CBlockPoolCloser()
    {
        AcquireSRWLockExclusive(&g_blockPool.lock);
        g_blockPool.closed = true;
        void* free = g_blockPool.free;
        g_blockPool.free = nullptr;
        g_blockPool.count = 0;
        ReleaseSRWLockExclusive(&g_blockPool.lock);
        while (free) {
            void* next = *static_cast<void**>(free);
            ::operator delete(free);
            free = next;
        }
    }
} g_blockPoolCloser;

void ReturnBlock(CDrawingArena::Block* block) noexcept
{
    if (block->common)
        KeepCommonBlock(block);
    else
        ::operator delete(block);
}
} // namespace

CDrawingArena::~CDrawingArena()
{
    Release();
}

void* CDrawingArena::Allocate(std::size_t size)
{
    Block* block;
    return AllocatePiece(size, block);
}

void* CDrawingArena::AllocatePiece(std::size_t size, Block*& block)
{
    // No drawing's object comes near this; the rounding below cannot wrap.
    if (size > (std::numeric_limits<std::size_t>::max)() / 2)
        throw std::bad_alloc();
    size = RoundUpToAlignment(std::max<std::size_t>(size, 1));
    void* piece;
    if (static_cast<std::size_t>(m_end - m_next) >= size) {
        piece = m_next;
        m_next += size;
        block = m_filling;
    } else {
        piece = AllocateFromNewBlock(size, block);
    }
    ++block->live;
    m_handedOut += size;
    return piece;
}

// A piece larger than a quarter of a block gets a block of its own, so the
// filling block's free space is not thrown away for it.
void* CDrawingArena::AllocateFromNewBlock(std::size_t size, Block*& block)
{
    bool ownBlock = size > (kBlockSize - kBlockHeader) / 4;
    std::size_t blockSize = ownBlock ? kBlockHeader + size : kBlockSize;
    void* memory = ownBlock ? ::operator new(blockSize) : TakeCommonBlock();
    block = static_cast<Block*>(memory);
    *block = Block{this, nullptr, nullptr, 0, !ownBlock};
    char* space = static_cast<char*>(memory) + kBlockHeader;
    if (ownBlock && m_filling) {
        LinkBlock(block, m_filling);
        return space;
    }
    Block* previous = m_filling;
    LinkBlock(block, nullptr);
    m_filling = block;
    m_next = space + size;
    m_end = static_cast<char*>(memory) + blockSize;
    // The block given up may have emptied while it was filling.
    if (m_freesEmptyBlocks && previous && previous->live == 0) {
        UnlinkBlock(previous);
        ReturnBlock(previous);
    }
    return space;
}

// Links block behind after, or first when after is null.
void CDrawingArena::LinkBlock(Block* block, Block* after)
{
    block->prev = after;
    block->next = after ? after->next : m_blocks;
    if (block->next)
        block->next->prev = block;
    (after ? after->next : m_blocks) = block;
}

void CDrawingArena::UnlinkBlock(Block* block)
{
    (block->prev ? block->prev->next : m_blocks) = block->next;
    if (block->next)
        block->next->prev = block->prev;
}

void CDrawingArena::PieceFreed(Block* block) noexcept
{
    if (--block->live == 0 && block != m_filling) {
        UnlinkBlock(block);
        ReturnBlock(block);
    }
}

void CDrawingArena::Release()
{
    while (m_blocks) {
        Block* next = m_blocks->next;
        ReturnBlock(m_blocks);
        m_blocks = next;
    }
    m_filling = nullptr;
    m_next = m_end = nullptr;
    m_handedOut = 0;
}

CArenaScope::CArenaScope(ArenaUse use, CDrawingArena* arena) : m_use(use), m_previous(g_arenaSlots.Get(use))
{
    g_arenaSlots.Set(use, arena);
}

CArenaScope::~CArenaScope()
{
    g_arenaSlots.Set(m_use, m_previous);
}

void* AllocateForDrawing(ArenaUse use, std::size_t size)
{
    if (size > (std::numeric_limits<std::size_t>::max)() - kArenaTagSize)
        throw std::bad_alloc();
    std::uintptr_t* tag;
    if (CDrawingArena* arena = g_arenaSlots.Get(use)) {
        CDrawingArena::Block* block;
        tag = static_cast<std::uintptr_t*>(arena->AllocatePiece(kArenaTagSize + size, block));
        // A counted piece names its block, which it must find when freed.
        *tag = arena->m_freesEmptyBlocks ? reinterpret_cast<std::uintptr_t>(block) : kArenaTag;
    } else {
        // Through the global operator, so that whatever counts or checks the
        // process's allocations sees these too.
        tag = static_cast<std::uintptr_t*>(::operator new(kArenaTagSize + size));
        *tag = kHeapTag;
    }
    return reinterpret_cast<char*>(tag) + kArenaTagSize;
}

void FreeForDrawing(void* memory) noexcept
{
    if (!memory)
        return;
    auto* tag = reinterpret_cast<std::uintptr_t*>(static_cast<char*>(memory) - kArenaTagSize);
    if (*tag == kHeapTag) {
        ::operator delete(tag);
    } else if (*tag != kArenaTag) {
        auto* block = reinterpret_cast<CDrawingArena::Block*>(*tag);
        block->arena->PieceFreed(block);
    }
}
