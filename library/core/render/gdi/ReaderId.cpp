#include "render/gdi/ReaderId.h"
#include <windows.h>
#include <atomic>

namespace {
uint32_t FirstId()
{
    return GetTickCount() ^ (GetCurrentProcessId() * 0x9E3779B9u);
}
}

uint32_t NewReaderId()
{
    static std::atomic<uint32_t> next(FirstId());
    uint32_t id = next++;
    return id != 0 ? id : next++;
}
