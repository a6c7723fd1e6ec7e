#pragma once
#include <windows.h>
#include <d2d1.h>

// A COLORREF (0x00BBGGRR) as an opaque Direct2D colour.
inline D2D1_COLOR_F ColorRefToD2D(COLORREF colour)
{
    return D2D1_COLOR_F{(colour & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f, ((colour >> 16) & 0xFF) / 255.0f,
                        1.0f};
}
