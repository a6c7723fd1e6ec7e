#pragma once
#include <afx.h>
#include <windows.h>
#include <vector>

// A 4 x 2 24-bit BMP: the left half in key, the right half black.
inline void WriteBmp(const CStringW& path, COLORREF key)
{
    const int width = 4, height = 2, stride = 12;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    std::vector<BYTE> bits(stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 2; ++x) {
            bits[y * stride + x * 3] = GetBValue(key);
            bits[y * stride + x * 3 + 1] = GetGValue(key);
            bits[y * stride + x * 3 + 2] = GetRValue(key);
        }
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, &file, sizeof file, &written, nullptr);
    WriteFile(h, &info, sizeof info, &written, nullptr);
    WriteFile(h, bits.data(), static_cast<DWORD>(bits.size()), &written, nullptr);
    CloseHandle(h);
}
