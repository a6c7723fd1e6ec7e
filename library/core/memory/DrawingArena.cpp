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

std::size_t RoundUpToAlignment(std::size_t size)
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
    Block* next;
};

CDrawingArena::~CDrawingArena()
{
    Release();
}

void* CDrawingArena::Allocate(std::size_t size)
{
    // No drawing's object comes near this; the rounding below cannot wrap.
    if (size > (std::numeric_limits<std::size_t>::max)() / 2)
        throw std::bad_alloc();
    size = RoundUpToAlignment(std::max<std::size_t>(size, 1));
    void* piece;
    if (static_cast<std::size_t>(m_end - m_next) >= size) {
        piece = m_next;
        m_next += size;
    } else {
        piece = AllocateFromNewBlock(size);
    }
    m_handedOut += size;
    return piece;
}

// A piece larger than a quarter of a block gets a block of its own, so the
// current block's free space is not thrown away for it.
void* CDrawingArena::AllocateFromNewBlock(std::size_t size)
{
    const std::size_t header = RoundUpToAlignment(sizeof(Block));
    bool ownBlock = size > kBlockSize / 4;
    std::size_t blockSize = ownBlock ? header + size : kBlockSize;
    Block* block = static_cast<Block*>(::operator new(blockSize));
    char* space = reinterpret_cast<char*>(block) + header;
    if (ownBlock && m_blocks) {
        // Behind the newest block, whose free space stays in use.
        block->next = m_blocks->next;
        m_blocks->next = block;
        return space;
    }
    block->next = m_blocks;
    m_blocks = block;
    m_next = space + size;
    m_end = reinterpret_cast<char*>(block) + blockSize;
    return space;
}

void CDrawingArena::Release()
{
    while (m_blocks) {
        Block* next = m_blocks->next;
        ::operator delete(m_blocks);
        m_blocks = next;
    }
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
        tag = static_cast<std::uintptr_t*>(arena->Allocate(kArenaTagSize + size));
        *tag = kArenaTag;
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
    if (*tag == kHeapTag)
        ::operator delete(tag);
}
