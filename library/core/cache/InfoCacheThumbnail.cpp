#include "cache/InfoCache.h"
#include "cache/InfoCachePin.h"
#include "app/TavrenaApp.h"
#include "reader/JwCADBase.h"
#include "records/SettingFlag.h"
#include "records/ZumenInfo.h"
#include "render/gdi/DibCanvas.h"
#include "timing/PhaseTimer.h"
#include <afxwin.h>

namespace {
// Thumbnails are never drawn smaller: a smaller one is shrunk from this.
const int kSmallestRendering = 256;
// Explorer's largest thumbnails are 2560 pixels wide and the preview draws
// through its own canvas, so no caller needs more; a larger size (an
// automation client may pass any int) would ask for size x size x 3 bytes,
// 7.5 GB at 50,000 pixels. At this bound a DIB takes 48 MB.
const int kLargestThumbnail = 4096;

// The class library's temporary DC objects of one thumbnail go with it.
class TempMapScope {
public:
    TempMapScope() { AfxLockTempMaps(); }
    ~TempMapScope() { AfxUnlockTempMaps(); }
    TempMapScope(const TempMapScope&) = delete;
    TempMapScope& operator=(const TempMapScope&) = delete;
};

// A whole-drawing GDI draw on the user's background and with images as the
// settings ask; never Direct2D.
void SetThumbnailFlags(DrawData& request)
{
    request.flags &= ~(DrawFlag::UserBackground | DrawFlag::Direct2D | DrawFlag::GdiPlusImages);
    request.flags |= DrawFlag::WholeDrawing;
    if (theApp.m_settings & SettingFlag::UserBackground)
        request.flags |= DrawFlag::UserBackground;
    if (theApp.m_settings & SettingFlag::GdiPlusImages)
        request.flags |= DrawFlag::GdiPlusImages;
}

bool TimedGetEntry(CInfoCache& cache, const wchar_t* path, CInfoCacheEntry** entry)
{
    CPhaseTimer timer(TimedPhase::Entry);
    return cache.GetEntry(path, entry, nullptr);
}

// The layer table the load read, or else the file's, read again.
bool TimedGetLayerMask(CInfoCache& cache, const wchar_t* path, CInfoCacheEntry* entry, uint32_t mask[8])
{
    CPhaseTimer timer(TimedPhase::Layers);
    ZumenLayers layers{};
    if (!entry->doc->GetLoadedLayerStates(&layers))
        return cache.GetLayerMask(path, entry, mask);
    CInfoCache::AddShownLayers(layers, *entry, mask);
    return true;
}

CDC* CreateThumbnailCanvas(CDibCanvas& canvas, int side)
{
    CPhaseTimer timer(TimedPhase::RenderSetup);
    return canvas.Create(side, side);
}
}

bool CInfoCache::MakeThumbnail(int size, const wchar_t* path, HBITMAP* bitmap)
{
    if (size == 0 || size > kLargestThumbnail || !bitmap)
        return false;
    DrawData request;
    CInfoCacheEntry* entry = nullptr;
    if (!TimedGetEntry(*this, path, &entry))
        return false;
    CInfoCachePin pin(*this, entry);
    if (!entry->doc || !TimedGetLayerMask(*this, path, entry, request.layerMask))
        return false;
    int side = size >= kSmallestRendering ? size : kSmallestRendering;
    request.width = request.height = request.scale = side;
    SetThumbnailFlags(request);
    TempMapScope temps;
    CDibCanvas canvas;
    CDC* dc = CreateThumbnailCanvas(canvas, side);
    if (!dc)
        return false;
    {
        std::lock_guard<std::mutex> drawing(entry->RenderLock());
        entry->doc->Draw(&request, dc, nullptr);
    }
    CPhaseTimer timer(TimedPhase::Dib);
    if (side == size) {
        *bitmap = canvas.TakeBitmap();
        return true;
    }
    // A canvas of the asked size may not be possible (a negative size): the
    // big rendering is handed out then.
    CDibCanvas small;
    CDC* smallDc = small.Create(size, size);
    if (!smallDc) {
        *bitmap = canvas.TakeBitmap();
        return true;
    }
    smallDc->SetStretchBltMode(COLORONCOLOR);
    smallDc->StretchBlt(0, 0, size, size, dc, 0, 0, side, side, SRCCOPY);
    *bitmap = small.TakeBitmap();
    return true;
}
