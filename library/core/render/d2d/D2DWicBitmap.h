#pragma once
#include <windows.h>
#include <d2d1.h>
#include <wincodec.h>

// Bitmaps decoded with WIC into premultiplied 32-bit BGRA on a render
// target. Nothing is cached: each call decodes anew.

// The library's 8 x 8 hatching tile (resource "Hatching" of type "Image").
HRESULT LoadHatchBitmap(ID2D1RenderTarget* target, IWICImagingFactory* wic, ID2D1Bitmap** bitmap);
// The first frame of an image file.
HRESULT LoadImageBitmap(ID2D1RenderTarget* target, IWICImagingFactory* wic, const wchar_t* path,
                        ID2D1Bitmap** bitmap);
