#include "render/d2d/D2DrawCore.h"
#include "render/gdi/DrawBase.h"
#include "records/DrawData.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/AngleFunctions.h"
#include <atlbase.h>
#include <d2d1.h>

// The order and the counting are those of the GDI pass: image frames, then
// solid fills, then every figure; progress is posted only in the last pass.
bool CD2DrawCore::DrawAll(const double worldRect[4])
{
    CDrawBase& reader = *m_reader;
    INT_PTR total = reader.m_images.GetCount() + reader.m_solids.GetCount() + reader.m_figures.GetCount();
    PostProgress(0, static_cast<LPARAM>(total));
    int step = static_cast<int>(total / 360);
    int counter = static_cast<int>(total) + step;
    m_figurePass = false;
    DrawImages(worldRect, counter);
    DrawSolids(worldRect, counter);
    m_figurePass = true;
    DrawFigures(worldRect, counter, step);
    reader.DrawOverlay(this);
    if (m_target->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET))
        ReleaseTarget();
    return true;
}

void CD2DrawCore::PostProgress(WPARAM kind, LPARAM count)
{
    HWND window = m_reader->m_progressWnd;
    if (window && IsWindow(window))
        PostMessageW(window, WM_DRAWPROGRESS, kind, count);
}

bool CD2DrawCore::IsShown(const B_Base* figure, const double worldRect[4])
{
    if (!m_reader->IsLayerVisible(figure->layer))
        return false;
    const Bounds2D& box = figure->bounds;
    return m_reader->m_wholeDrawing || (box.minX <= worldRect[2] && box.minY <= worldRect[3] &&
                                        worldRect[0] <= box.maxX && worldRect[1] <= box.maxY);
}

void CD2DrawCore::DrawImages(const double worldRect[4], int& counter)
{
    for (POSITION at = m_reader->m_images.GetHeadPosition(); at;) {
        B_Base* figure = m_reader->m_images.GetNext(at)->fig;
        --counter;
        if (B_FigImage* image = FigCast<B_FigImage>(figure))
            if (IsShown(image, worldRect))
                DrawImageFrame(image);
    }
}

void CD2DrawCore::DrawSolids(const double worldRect[4], int& counter)
{
    for (POSITION at = m_reader->m_solids.GetHeadPosition(); at;) {
        B_Base* figure = m_reader->m_solids.GetNext(at)->fig;
        --counter;
        if (B_FigSolid* solid = FigCast<B_FigSolid>(figure))
            if (IsShown(solid, worldRect))
                DrawSolid(solid);
    }
}

void CD2DrawCore::DrawFigures(const double worldRect[4], int& counter, int step)
{
    for (POSITION at = m_reader->m_figures.GetHeadPosition(); at;) {
        B_Base* figure = m_reader->m_figures.GetNext(at)->fig;
        --counter;
        if (step < 2 || counter % step == 0)
            PostProgress(1, counter);
        if (figure && figure->typeCode != FigCode::Solid && IsShown(figure, worldRect))
            DrawFigure(figure);
    }
}

void CD2DrawCore::DrawFigure(B_Base* figure)
{
    switch (figure->typeCode) {
    case FigCode::Point: DrawPoint(static_cast<B_FigPoint*>(figure)); break;
    case FigCode::PointEx: DrawMarker(static_cast<B_FigPointEx*>(figure)); break;
    case FigCode::Line: DrawLine(static_cast<B_FigLine*>(figure)); break;
    case FigCode::Polyline: DrawPolyline(static_cast<B_FigPolyline*>(figure)); break;
    case FigCode::Circle: DrawCircle(static_cast<B_FigCircle*>(figure)); break;
    case FigCode::Arc: DrawArc(static_cast<B_FigArc*>(figure)); break;
    case FigCode::Ellipse: DrawEllipse(static_cast<B_FigEllipse*>(figure)); break;
    case FigCode::EllipseArc: DrawEllipseArc(static_cast<B_FigEllipseArc*>(figure)); break;
    case FigCode::Text: DrawTextOrRuns(static_cast<B_FigText*>(figure)); break;
    case FigCode::Dim: DrawDimension(static_cast<B_FigDim*>(figure)); break;
    default: break;
    }
}

// Kinds up to 100 fill polygons; 105 and 106 are rings round their curve;
// the other curve kinds fill the curve itself, unless they carry no
// parameter, which marks a polygon.
void CD2DrawCore::DrawSolid(B_FigSolid* solid)
{
    B_Base* child = solid->child;
    if (!child)
        return;
    bool ring = B_FigSolid::IsRingKind(solid->kind);
    if (solid->kind <= B_FigSolid::kLastPolygonKind || (!ring && solid->parameter == B_FigSolid::kNoParameter)) {
        if (B_FigPolyline* outline = FigCast<B_FigPolyline>(child))
            DrawPolyline(outline);
        return;
    }
    switch (child->typeCode) {
    case FigCode::Circle:
        ring ? DrawCircleRing(static_cast<B_FigCircle*>(child), solid->parameter)
             : DrawCircle(static_cast<B_FigCircle*>(child));
        break;
    case FigCode::Arc:
        ring ? DrawArcRing(static_cast<B_FigArc*>(child), solid->parameter) : DrawArc(static_cast<B_FigArc*>(child));
        break;
    case FigCode::Ellipse:
        ring ? DrawEllipseRing(static_cast<B_FigEllipse*>(child), solid->parameter)
             : DrawEllipse(static_cast<B_FigEllipse*>(child));
        break;
    case FigCode::EllipseArc:
        ring ? DrawEllipseArcRing(static_cast<B_FigEllipseArc*>(child), solid->parameter)
             : DrawEllipseArc(static_cast<B_FigEllipseArc*>(child));
        break;
    default: break;
    }
}

// Points vanish when the drawing is shown smaller than life; auxiliary points
// are screen aids and stay off prints.
void CD2DrawCore::DrawPoint(B_FigPoint* point)
{
    if (m_reader->m_scale < 1.0)
        return;
    D2D_POINT_2F at = ToDevice(point->position);
    if (point->flags & FigFlag::Auxiliary) {
        if (!m_reader->m_print)
            DrawDot(at, point->colour);
        return;
    }
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    if (!GetBrush(point->colour, &brush))
        return;
    float radius = m_reader->GetPenWidth((point->flags & FigFlag::PenMask) >> 4);
    D2D1_ELLIPSE round = {at, radius, radius};
    m_target->FillEllipse(&round, brush);
}

void CD2DrawCore::DrawTextOrRuns(B_FigText* text)
{
    if (!m_reader->ParseTextCodes(text)) {
        DrawTextFigure(text);
        return;
    }
    CFigNodeList& runs = m_reader->GetTextRuns();
    for (POSITION at = runs.GetHeadPosition(); at;)
        if (B_FigText* run = FigCast<B_FigText>(runs.GetNext(at)->fig))
            DrawTextFigure(run);
}

void CD2DrawCore::DrawDimension(B_FigDim* dimension)
{
    if (!dimension->text.text.IsEmpty())
        DrawTextFigure(&dimension->text);
    for (B_Base* part : {dimension->dimLine, dimension->extLine1, dimension->extLine2})
        if (B_FigLine* line = FigCast<B_FigLine>(part))
            DrawLine(line);
    const B_FigPoint* first = FigCast<B_FigPoint>(dimension->endPoint1);
    const B_FigPoint* second = FigCast<B_FigPoint>(dimension->endPoint2);
    double angle = first && second ? SegmentAngleDeg(Segment2D{first->position, second->position}) : 0.0;
    DrawDimensionEnd(first, dimension->terminator1, true, angle);
    DrawDimensionEnd(second, dimension->terminator2, false, angle);
}
