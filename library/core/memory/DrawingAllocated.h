#pragma once
#include <cstddef>
#include <new>

#include "memory/DrawingArena.h"

// The class-level allocation of a class whose objects die with a drawing or
// a load: new takes the thread's current arena for Use, or the heap when none
// is current; delete runs the destructor as ever and frees heap memory only
// (see AllocateForDrawing). Free of platform headers, like the figure
// headers that derive from it.
template <ArenaUse Use>
struct DrawingAllocated {
    static void* operator new(std::size_t size) { return AllocateForDrawing(Use, size); }
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept
    {
        try {
            return AllocateForDrawing(Use, size);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    static void operator delete(void* memory) noexcept { FreeForDrawing(memory); }
    static void operator delete(void* memory, const std::nothrow_t&) noexcept { FreeForDrawing(memory); }
};
