#pragma once
#include <cstdint>

// Values of CJwCADBase::m_loadState: a load goes Started -> Reading -> Done
// or Failed; a later load starts again at Started.
namespace LoadState {
enum : uint32_t {
    NeverLoaded = 0,
    Started = 1,  // the load driver prepared the load
    Reading = 2,  // the load thread reads
    Done = 3,
    Failed = 4,   // failed or cancelled
};
}
