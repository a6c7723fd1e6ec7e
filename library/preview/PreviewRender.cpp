#include "PreviewRender.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCachePin.h"
#include "reader/JwCADBase.h"
#include "render/gdi/DibCanvas.h"
#include <algorithm>
#include <iterator>
#include <mutex>

namespace {
const HRESULT kPreviewFailed = E_NOTIMPL;

// The class library's temporary DC objects of one render go with it, on
// whichever thread it runs.
class PreviewTempMaps {
public:
    PreviewTempMaps() { AfxLockTempMaps(); }
    ~PreviewTempMaps() { AfxUnlockTempMaps(); }
    PreviewTempMaps(const PreviewTempMaps&) = delete;
    PreviewTempMaps& operator=(const PreviewTempMaps&) = delete;
};

// Runs use(entry) on path's cached entry while it is pinned and its reader
// is drawn by no other thread (a render worker or a thumbnail request).
template <class UseFunction> HRESULT UsePreviewEntry(const wchar_t* path, UseFunction use)
{
    if (!path)
        return kPreviewFailed;
    try {
        CInfoCacheEntry* entry = nullptr;
        if (!theApp.m_infoCache.GetEntry(path, &entry, nullptr))
            return kPreviewFailed;
        CInfoCachePin pin(theApp.m_infoCache, entry);
        if (!entry->doc)
            return kPreviewFailed;
        std::lock_guard<std::mutex> drawing(entry->RenderLock());
        return use(*entry) ? S_OK : kPreviewFailed;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return kPreviewFailed;
}

// Draws path's drawing with draw(reader); a view kept by the cache becomes
// the entry's view first.
template <class DrawFunction> HRESULT DrawPreviewEntry(const wchar_t* path, DrawData& view, DrawFunction draw)
{
    if (view.scale == 0)
        return kPreviewFailed;
    return UsePreviewEntry(path, [&](CInfoCacheEntry& entry) {
        if (view.flags & DrawFlag::KeepView)
            theApp.m_infoCache.KeepView(&entry, view);
        PreviewTempMaps temps;
        return draw(*entry.doc);
    });
}
}

HRESULT LoadPreviewDocument(const wchar_t* path, DrawData& view, PreviewDrawingFacts* facts)
{
    if (!path)
        return kPreviewFailed;
    try {
        CInfoCacheEntry* entry = nullptr;
        if (!theApp.m_infoCache.GetEntry(path, &entry, view.progressWnd))
            return kPreviewFailed;
        CInfoCachePin pin(theApp.m_infoCache, entry);
        view.doc = entry->doc;
        view.width = entry->width;
        view.height = entry->height;
        view.scale = entry->scale;
        view.originX = entry->originX;
        view.originY = entry->originY;
        view.viewSet = entry->viewSet;
        std::copy(std::begin(entry->layerMask), std::end(entry->layerMask), view.layerMask);
        if (facts && entry->doc) {
            std::lock_guard<std::mutex> drawing(entry->RenderLock());
            facts->fileKind = entry->doc->GetFileKind();
            facts->figureCount = static_cast<uint64_t>(entry->doc->m_figures.GetCount());
        }
        return S_OK;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return kPreviewFailed;
}

HRESULT RenderPreviewToBitmap(const wchar_t* path, HBITMAP* bitmap, DrawData& view)
{
    if (!bitmap)
        return kPreviewFailed;
    return DrawPreviewEntry(path, view, [&](CJwCADBase& reader) {
        CDibCanvas canvas;
        CDC* dc = canvas.Create(view.width, view.height);
        if (!dc)
            return false;
        reader.Draw(&view, dc, nullptr);
        *bitmap = canvas.TakeBitmap();
        return *bitmap != nullptr;
    });
}

HRESULT RenderPreviewToDC(const wchar_t* path, CDC* dc, PRINTDLGEXW* printContext, DrawData& view)
{
    // A Direct2D print that failed answers FALSE: the caller may ask again.
    return DrawPreviewEntry(path, view,
                            [&](CJwCADBase& reader) { return reader.Draw(&view, dc, printContext) != FALSE; });
}

HRESULT FitPreviewView(const wchar_t* path, DrawData& view)
{
    return UsePreviewDrawing(path, [&](CJwCADBase& drawing) {
        drawing.FitForPreview(&view);
        return true;
    });
}

HRESULT UsePreviewDrawing(const wchar_t* path, const std::function<bool(CJwCADBase&)>& use)
{
    return UsePreviewEntry(path, [&](CInfoCacheEntry& entry) { return use(*entry.doc); });
}
