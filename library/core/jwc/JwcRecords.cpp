#include "jwc/JwcRecords.h"
#include "jwc/JwcBytes.h"

using namespace jwc;

JwcLineRecord JwcLineRecord::Decode(const uint8_t* bytes)
{
    return {F32At(bytes), F32At(bytes + 4), F32At(bytes + 8), F32At(bytes + 12), bytes[16], bytes[17], bytes[18]};
}

JwcCurveRecord JwcCurveRecord::Decode(const uint8_t* bytes)
{
    return {F32At(bytes),      F32At(bytes + 4),  F32At(bytes + 8),  U32At(bytes + 8),
            S16At(bytes + 12), S32At(bytes + 14), S32At(bytes + 18), S32At(bytes + 22),
            bytes[26],         bytes[27],         bytes[28]};
}

JwcTextRecord JwcTextRecord::Decode(const uint8_t* bytes)
{
    return {F32At(bytes),      F32At(bytes + 4), F32At(bytes + 8), F32At(bytes + 12),
            U32At(bytes + 16), bytes[20],        bytes[21],        bytes[22]};
}

JwcPointRecord JwcPointRecord::Decode(const uint8_t* bytes)
{
    return {F32At(bytes), F32At(bytes + 4), bytes[8], bytes[9], bytes[10]};
}
