#include "render/d2d/D2DWicBitmap.h"
#include <atlbase.h>

namespace {
HRESULT BitmapFromDecoder(ID2D1RenderTarget* target, IWICImagingFactory* wic, IWICBitmapDecoder* decoder,
                          ID2D1Bitmap** bitmap)
{
    ATL::CComPtr<IWICBitmapFrameDecode> frame;
    ATL::CComPtr<IWICFormatConverter> converter;
    HRESULT result = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(result))
        result = wic->CreateFormatConverter(&converter);
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeMedianCut);
    if (SUCCEEDED(result))
        result = target->CreateBitmapFromWicBitmap(converter, nullptr, bitmap);
    return result;
}

// The module this code is linked into holds the library's own resources
// (the language module holds only texts and dialogs).
HMODULE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}
}

HRESULT LoadHatchBitmap(ID2D1RenderTarget* target, IWICImagingFactory* wic, ID2D1Bitmap** bitmap)
{
    HMODULE module = OwnModule();
    HRSRC found = FindResourceW(module, L"Hatching", L"Image");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (!bytes || !size)
        return E_FAIL;
    ATL::CComPtr<IWICStream> stream;
    ATL::CComPtr<IWICBitmapDecoder> decoder;
    HRESULT result = wic->CreateStream(&stream);
    if (SUCCEEDED(result))
        result = stream->InitializeFromMemory(static_cast<BYTE*>(bytes), size);
    if (SUCCEEDED(result))
        result = wic->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder);
    return SUCCEEDED(result) ? BitmapFromDecoder(target, wic, decoder, bitmap) : result;
}

HRESULT LoadImageBitmap(ID2D1RenderTarget* target, IWICImagingFactory* wic, const wchar_t* path,
                        ID2D1Bitmap** bitmap)
{
    ATL::CComPtr<IWICBitmapDecoder> decoder;
    HRESULT result = wic->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnLoad,
                                                    &decoder);
    return SUCCEEDED(result) ? BitmapFromDecoder(target, wic, decoder, bitmap) : result;
}
