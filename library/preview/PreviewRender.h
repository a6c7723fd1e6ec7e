#pragma once
// The preview's bridge to the info cache: the first load of the previewed
// file and its renders, beside the exports of other callers of the cache.
#include <afxwin.h>
#include <commdlg.h>
#include <cstdint>
#include <functional>
#include "records/DrawData.h"

class CJwCADBase;

// What the dialog shows of the drawing beside its picture, read at the load
// while the cache entry is pinned: the cache may drop or reload the drawing
// at any time after, so the dialog never reads it through view.doc.
struct PreviewDrawingFacts {
    int fileKind = 0;  // 0 JWC (or no drawing), 1 JWK, 2 JWW, 3 JWS
    uint64_t figureCount = 0;
};

// Loads path through the info cache (progress to view.progressWnd) and takes
// the entry's drawing, stored view and layers into view, and what the dialog
// shows of the drawing into facts (when given). S_OK or E_NOTIMPL.
HRESULT LoadPreviewDocument(const wchar_t* path, DrawData& view, PreviewDrawingFacts* facts = nullptr);
// Renders view into a new bitmap of its width by height, which the caller
// owns. S_OK or E_NOTIMPL.
HRESULT RenderPreviewToBitmap(const wchar_t* path, HBITMAP* bitmap, DrawData& view);
// Renders view into dc, or with no dc prints it through printContext (whose
// blocks the print job frees and clears). E_NOTIMPL when nothing was printed.
HRESULT RenderPreviewToDC(const wchar_t* path, CDC* dc, PRINTDLGEXW* printContext, DrawData& view);
// Sets view's scale and origin so that the whole drawing shows in its
// visible size (viewWidth by viewHeight). S_OK or E_NOTIMPL.
HRESULT FitPreviewView(const wchar_t* path, DrawData& view);
// Runs use(drawing) on path's drawing while its cache entry is pinned and no
// other thread draws it: the dialog's own pointer to the drawing may be stale
// once the cache dropped or reloaded the entry. S_OK when use answered true.
HRESULT UsePreviewDrawing(const wchar_t* path, const std::function<bool(CJwCADBase&)>& use);
