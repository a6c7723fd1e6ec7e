#pragma once
#include <cstdint>
#include <cstring>

// Little-endian values at a byte position; the caller has checked that the
// bytes are there.
namespace jwc {

inline uint16_t U16At(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline int16_t S16At(const uint8_t* p)
{
    return static_cast<int16_t>(U16At(p));
}

inline uint32_t U32At(const uint8_t* p)
{
    return static_cast<uint32_t>(U16At(p)) | static_cast<uint32_t>(U16At(p + 2)) << 16;
}

inline int32_t S32At(const uint8_t* p)
{
    return static_cast<int32_t>(U32At(p));
}

inline float F32At(const uint8_t* p)
{
    uint32_t bits = U32At(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace jwc
