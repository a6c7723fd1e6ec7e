#include "render/gdi/DrawBase.h"
#include "app/TavrenaApp.h"
#include "figures/FigVisit.h"
#include "reader/JwCADBase.h"
#include "render/d2d/D2DPrintContext.h"
#include "render/d2d/D2DrawRequest.h"
#include "records/DrawData.h"
#include "timing/PhaseTimer.h"
#include <afxwin.h>
#include <algorithm>
#include <iterator>
#include <memory>

namespace {
// A whole-drawing draw (a thumbnail) stops after this many figures.
const int kWholeDrawingLimit = 64000;
// Progress is posted this many times over the main pass.
const int kProgressSteps = 360;

// The texts of a GDI pass may leave a font of the draw's cache selected,
// and the figures a pen of the pass's cache: the DC's own font and pen go
// back before the caches let theirs go, however the pass ends. Pens and
// brushes made outside a pass (for another print switch, say) are not taken
// into it; each figure selects its brush back out.
class PassObjects {
public:
    PassObjects(CDC& dc, CTextFontCache& fonts, CPassPenCache& pens, CPassBrushCache& brushes)
        : m_dc(dc.GetSafeHdc()), m_font(::GetCurrentObject(m_dc, OBJ_FONT)), m_fonts(fonts), m_pens(pens),
          m_brushes(brushes)
    {
        m_pens.Clear();
        m_brushes.Clear();
        // A DC with an attribute DC of its own selects into both: such a
        // pass selects pens around each figure as before.
        if (dc.m_hAttribDC == dc.m_hDC)
            m_pens.BeginPass(m_dc);
    }
    ~PassObjects()
    {
        if (m_font)
            ::SelectObject(m_dc, m_font);
        m_pens.EndPass();
        m_fonts.Clear();
        m_pens.Clear();
        m_brushes.Clear();
    }
    PassObjects(const PassObjects&) = delete;
    PassObjects& operator=(const PassObjects&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_font;
    CTextFontCache& m_fonts;
    CPassPenCache& m_pens;
    CPassBrushCache& m_brushes;
};

bool Meets(const Bounds2D& bounds, const double rect[4])
{
    return !(bounds.minX > rect[2] || bounds.minY > rect[3] || rect[0] > bounds.maxX || rect[1] > bounds.maxY);
}
}

BOOL CDrawBase::Draw(DrawData* request, CDC* dc, PRINTDLGEXW* printContext)
{
    COLORREF ownBackground = m_backColor;
    double worldRect[4];
    PrepareDraw(*request, dc, worldRect);
    D2DrawResult result = D2DrawResult::NotDrawn;
    if (request->flags & DrawFlag::Direct2D)
        result = DrawDirect2D(worldRect, printContext);
    else
        FreePrintContext(printContext);  // only Direct2D prints from it
    // A failed Direct2D print can only be made up for on a printer DC.
    bool drawn = result == D2DrawResult::Drawn;
    if (!drawn && (result == D2DrawResult::NotDrawn || m_pDC))
        drawn = DrawGdi(worldRect);
    m_backColor = ownBackground;
    return drawn || result == D2DrawResult::NotDrawn ? TRUE : FALSE;
}

// Takes the request's view and background; the whole plane, or the part of
// the world the view shows, into worldRect.
void CDrawBase::PrepareDraw(const DrawData& request, CDC* dc, double worldRect[4])
{
    CPhaseTimer timer(TimedPhase::RenderSetup);
    CopyRequest(request);
    if (request.flags & DrawFlag::UserBackground)
        m_backColor = theApp.m_backColor;
    if (m_print)
        m_backColor = 0xFFFFFF;
    // Every drawing is a reader: the layer mask that IsLayerVisible tests
    // is the reader's.
    if (CJwCADBase* reader = dynamic_cast<CJwCADBase*>(this))
        std::copy(std::begin(request.layerMask), std::end(request.layerMask), reader->m_usedLayers);
    SetupView();
    VisibleWorldRect(request, worldRect);
    m_pDC = dc;
}

// The reader's Direct2D core, made when Direct2D is usable; a whole-drawing
// draw does not keep it.
D2DrawResult CDrawBase::DrawDirect2D(const double worldRect[4], PRINTDLGEXW* printContext)
{
    CJwCADBase* reader = dynamic_cast<CJwCADBase*>(this);
    if (!reader) {
        FreePrintContext(printContext);
        return printContext ? D2DrawResult::PrintFailed : D2DrawResult::NotDrawn;
    }
    return DrawWithDirect2D(reader->m_pD2DCore, theApp.IsDirect2DUsable(), m_progressWnd, this, worldRect,
                            printContext);
}

void CDrawBase::CopyRequest(const DrawData& request)
{
    m_progressWnd = request.progressWnd;
    m_width = request.width;
    m_height = request.height;
    m_originX = request.originX;
    m_originY = request.originY;
    m_zoom = request.scale;
    m_wholeDrawing = (request.flags & DrawFlag::WholeDrawing) != 0;
    m_thickLines = (request.flags & DrawFlag::ThickLines) != 0;
    m_gdiplusImages = (request.flags & DrawFlag::GdiPlusImages) != 0;
    m_print = (request.flags & DrawFlag::Print) != 0;
    m_penWidths = (request.flags & DrawFlag::PenWidths) != 0;
}

// The view-sized rectangle centred in the bitmap (the whole bitmap when
// printing), mapped back to the world; the whole plane for a whole drawing.
void CDrawBase::VisibleWorldRect(const DrawData& request, double worldRect[4])
{
    worldRect[0] = worldRect[1] = DBL_MAX;
    worldRect[2] = worldRect[3] = -DBL_MAX;
    if (m_wholeDrawing)
        return;
    double dx = m_print ? 0.0 : (m_width - request.viewWidth) * 0.5;
    double dy = m_print ? 0.0 : (m_height - request.viewHeight) * 0.5;
    double scale = m_scale != 0.0 ? m_scale : 1.0;
    auto worldX = [&](double x) { return (x - m_devOffsetX) / scale + m_worldRefX; };
    auto worldY = [&](double y) { return m_worldRefY - (y + m_devOffsetY - m_zoom) / scale; };
    worldRect[0] = worldX(dx);
    worldRect[1] = worldY(m_height - dy);
    worldRect[2] = worldX(m_width - dx);
    worldRect[3] = worldY(dy);
}

void CDrawBase::PostProgress(WPARAM kind, LPARAM count) const
{
    if (m_progressWnd && IsWindow(m_progressWnd))
        PostMessageW(m_progressWnd, WM_DRAWPROGRESS, kind, count);
}

bool CDrawBase::DrawGdi(const double worldRect[4])
{
    if (!m_pDC)
        return false;
    CPhaseTimer timer(TimedPhase::FigurePass);
    PassObjects passObjects(*m_pDC, m_textFonts, m_passPens, m_passBrushes);
    HDC hdc = m_pDC->GetSafeHdc();
    m_oneCallTexts = ::GetObjectType(hdc) == OBJ_MEMDC && ::GetMapMode(hdc) == MM_TEXT &&
                     ::GetGraphicsMode(hdc) == GM_COMPATIBLE && m_pDC->m_hAttribDC == hdc;
    if (m_gdiplusImages && m_imagesConverted && !m_pGdiplus)
        m_pGdiplus.reset(new GdiplusToken);
    m_pDC->FillSolidRect(0, 0, m_width, m_height, m_backColor);
    INT_PTR total = m_figures.GetCount() + m_solids.GetCount() + m_images.GetCount();
    m_mainPass = false;
    PostProgress(0, total);
    INT_PTR step = total / kProgressSteps;
    INT_PTR remaining = total + step;
    auto shown = [&](const B_Base* fig) {
        return fig && IsLayerVisible(fig->layer) && (m_wholeDrawing || Meets(fig->bounds, worldRect));
    };
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        const B_Base* fig = m_images.GetNext(pos)->fig;
        --remaining;
        if (shown(fig))
            DrawImageFrame(static_cast<const B_FigImage&>(*fig));
    }
    for (POSITION pos = m_solids.GetHeadPosition(); pos;) {
        const B_Base* fig = m_solids.GetNext(pos)->fig;
        --remaining;
        if (shown(fig))
            DrawSolid(static_cast<const B_FigSolid&>(*fig));
    }
    m_mainPass = true;
    int dispatched = 0;
    for (POSITION pos = m_figures.GetHeadPosition(); pos;) {
        const B_Base* fig = m_figures.GetNext(pos)->fig;
        --remaining;
        if (step < 2 || remaining % step == 0)
            PostProgress(1, remaining);
        if (fig && (fig->typeCode == FigCode::Solid || !shown(fig)))
            continue;
        if (fig)
            DrawFigure(fig);
        if (m_wholeDrawing && dispatched > kWholeDrawingLimit)
            break;
        ++dispatched;
    }
    DrawOverlay(nullptr);
    m_mainPass = false;
    m_oneCallTexts = false;
    m_pGdiplus.reset();
    return true;
}

bool CDrawBase::DrawFigure(const B_Base* fig)
{
    switch (fig->typeCode) {
    case FigCode::Point: return DrawPoint(static_cast<const B_FigPoint&>(*fig));
    case FigCode::PointEx: return DrawMarker(static_cast<const B_FigPointEx&>(*fig));
    case FigCode::Line: return DrawLine(static_cast<const B_FigLine&>(*fig));
    case FigCode::Polyline: return DrawPolyline(static_cast<const B_FigPolyline&>(*fig));
    case FigCode::Circle: return DrawCircle(static_cast<const B_FigCircle&>(*fig));
    case FigCode::Arc: return DrawArc(static_cast<const B_FigArc&>(*fig));
    case FigCode::Ellipse: return DrawEllipse(static_cast<const B_FigEllipse&>(*fig));
    case FigCode::EllipseArc: return DrawEllipseArc(static_cast<const B_FigEllipseArc&>(*fig));
    case FigCode::Text: DrawTextRuns(static_cast<const B_FigText&>(*fig)); return true;
    case FigCode::Dim: return DrawDimension(static_cast<const B_FigDim&>(*fig));
    default: return false;
    }
}

// A text with '^' codes is drawn run by run.
void CDrawBase::DrawTextRuns(const B_FigText& text)
{
    CPhaseTimer timer(TimedPhase::Text);
    if (!ParseTextCodes(const_cast<B_FigText*>(&text))) {
        DrawTextFigure(&text);
        return;
    }
    CFigNodeList& runs = GetTextRuns();
    for (POSITION pos = runs.GetHeadPosition(); pos;) {
        if (const B_Base* run = runs.GetNext(pos)->fig)
            DrawTextFigure(run);
    }
}
