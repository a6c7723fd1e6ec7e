#pragma once
#include <windows.h>

// Saves a bitmap as a PNG file with GDI+'s encoder. True when written.
bool SaveBitmapAsPng(HBITMAP bitmap, const wchar_t* path);
