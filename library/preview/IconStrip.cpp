#include "IconStrip.h"
#include <cstring>
#include "LanguageIds.h"

BOOL LoadPngResource(HINSTANCE module, UINT id, CImage& image)
{
    image.Destroy();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    const DWORD size = resource != nullptr ? SizeofResource(module, resource) : 0;
    const void* bytes = size != 0 ? LockResource(LoadResource(module, resource)) : nullptr;
    if (bytes == nullptr)
        return FALSE;
    // The stream takes the memory and frees it when it is released.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr)
        return FALSE;
    void* copy = GlobalLock(memory);
    if (copy == nullptr) {
        GlobalFree(memory);
        return FALSE;
    }
    memcpy(copy, bytes, size);
    GlobalUnlock(memory);
    CComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return FALSE;
    }
    return SUCCEEDED(image.Load(stream));
}

BOOL LoadPreviewIconStrip(CImage& strip)
{
    return LoadPngResource(AfxGetResourceHandle(), IDR_PREVIEW_ICONS, strip);
}
