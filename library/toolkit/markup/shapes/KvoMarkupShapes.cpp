#include "markup/shapes/KvoMarkupShapes.h"
#include <math.h>
#include <algorithm>
#include <vector>
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/layout/KvoMarkupLayoutSizes.h"
#include "markup/shapes/KvoMarkupPointCollection.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupRectangle)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupEllipse)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupLine)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupPolygon)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupPolyline)
CKvoMarkupDependencyProperty* CKvoMarkupLine::s_x1Property = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupLine::s_y1Property = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupLine::s_x2Property = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupLine::s_y2Property = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupPolygon::s_pointsProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupPolyline::s_pointsProperty = nullptr;

namespace {
CKvoMarkupDependencyProperty* RegisterMeasured(LPCWSTR name, CKvoMarkupType* valueType, CKvoMarkupType* owner)
{
    return CKvoMarkupDependencyProperty::Register(
        name, valueType, owner, new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsMeasure));
}

CKvoMarkupPointCollection* PointsOf(const CKvoMarkupObject* shape, const CKvoMarkupDependencyProperty* property)
{
    return static_cast<CKvoMarkupPointCollection*>(
        MarkupDynamicCast(CKvoMarkupPointCollection::s_type, shape->GetValue(property)));
}

// value * size / extent in 64 bits, back in the int32 range.
LONG ScaleCoordinate(LONG value, LONG size, LONG extent)
{
    if (extent == 0)
        return value;
    const long long scaled = static_cast<long long>(value) * size / extent;
    return static_cast<LONG>(std::max<long long>(std::min<long long>(scaled, KvoMarkupUnbounded), -KvoMarkupUnbounded));
}
}

void CKvoMarkupRectangle::OnRender(CKvoMarkupDrawingContext* dc)
{
    const SIZE size = GetRenderSize();
    if (size.cx == 0 || size.cy == 0)
        return;
    if (CKvoMarkupBrush* fill = GetFill())
        fill->FillRect(dc, 0, 0, size.cx, size.cy);
    const int stroke = GetStrokeWidth();
    if (stroke <= 0)
        return;
    CKvoMarkupBrush* brush = GetStroke();
    brush->FillRect(dc, 0, 0, stroke, size.cy);
    brush->FillRect(dc, size.cx - stroke, 0, size.cx, size.cy);
    brush->FillRect(dc, 0, 0, size.cx, stroke);
    brush->FillRect(dc, 0, size.cy - stroke, size.cx, size.cy);
}

void CKvoMarkupEllipse::OnRender(CKvoMarkupDrawingContext* dc)
{
    if (!GetStroke() && !GetFill())
        return;
    const SIZE size = GetRenderSize();
    CKvoMarkupShapePen pen(dc->GetSafeHdc(), GetStrokeWidth(), GetStroke(), GetFill());
    ::Ellipse(dc->GetSafeHdc(), 0, 0, size.cx, size.cy);
}

CKvoMarkupInputElement* CKvoMarkupEllipse::InputHitTestCore(int x, int y)
{
    const SIZE size = GetRenderSize();
    const int a = size.cx / 2;
    const int b = size.cy / 2;
    // A flat ellipse has no inside: dividing by a zero half-axis would give 0/0.
    if (a == 0 || b == 0)
        return nullptr;
    const double dx = x - a;
    const double dy = y - b;
    return dx * dx / (static_cast<double>(a) * a) + dy * dy / (static_cast<double>(b) * b) <= 1.0 ? this : nullptr;
}

void CKvoMarkupLine::RegisterMarkupProperties()
{
    s_x1Property = RegisterMeasured(L"X1", CKvoMarkupInt::s_type, s_type);
    s_y1Property = RegisterMeasured(L"Y1", CKvoMarkupInt::s_type, s_type);
    s_x2Property = RegisterMeasured(L"X2", CKvoMarkupInt::s_type, s_type);
    s_y2Property = RegisterMeasured(L"Y2", CKvoMarkupInt::s_type, s_type);
}

int CKvoMarkupLine::GetCoordinate(const CKvoMarkupDependencyProperty* property) const
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, GetValue(property)));
    return value ? value->GetValue() : 0;
}

SIZE CKvoMarkupLine::MeasureOverride(CKvoMarkupDrawingContext*, int, int)
{
    return {std::max(GetCoordinate(s_x1Property), GetCoordinate(s_x2Property)),
            std::max(GetCoordinate(s_y1Property), GetCoordinate(s_y2Property))};
}

void CKvoMarkupLine::OnRender(CKvoMarkupDrawingContext* dc)
{
    const int x1 = GetCoordinate(s_x1Property), y1 = GetCoordinate(s_y1Property);
    const int x2 = GetCoordinate(s_x2Property), y2 = GetCoordinate(s_y2Property);
    if (!GetStroke() || GetStrokeThickness() == 0 || (x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0))
        return;
    CKvoMarkupShapePen pen(dc->GetSafeHdc(), GetStrokeThickness(), GetStroke(), nullptr);
    ::MoveToEx(dc->GetSafeHdc(), x1, y1, nullptr);
    ::LineTo(dc->GetSafeHdc(), x2, y2);
}

CKvoMarkupInputElement* CKvoMarkupLine::InputHitTestCore(int x, int y)
{
    if (!GetStroke() || GetStrokeThickness() == 0)
        return nullptr;
    // Whole pixels: a 5-pixel stroke reaches 2 pixels to either side.
    const double half = GetStrokeThickness() / 2;
    const double x1 = GetCoordinate(s_x1Property), y1 = GetCoordinate(s_y1Property);
    const double dx = GetCoordinate(s_x2Property) - x1, dy = GetCoordinate(s_y2Property) - y1;
    const double px = x - x1, py = y - y1;
    if (px < std::min(dx, 0.0) - half || px > std::max(dx, 0.0) + half || py < std::min(dy, 0.0) - half ||
        py > std::max(dy, 0.0) + half)
        return nullptr;
    if (dx == 0.0)
        return half >= fabs(px) ? this : nullptr;
    // The vertical distance to the line against the half-thickness measured vertically.
    return fabs(half / cos(atan(dy / dx))) >= fabs(px * dy / dx - py) ? this : nullptr;
}

void CKvoMarkupPolygon::RegisterMarkupProperties()
{
    s_pointsProperty = RegisterMeasured(L"Points", CKvoMarkupPointCollection::s_type, s_type);
}

CKvoMarkupPointCollection* CKvoMarkupPolygon::GetPoints() const
{
    return PointsOf(this, s_pointsProperty);
}

SIZE CKvoMarkupPolygon::MeasureOverride(CKvoMarkupDrawingContext*, int, int)
{
    const CKvoMarkupPointCollection* points = GetPoints();
    return points ? SIZE{points->GetBounds().right, points->GetBounds().bottom} : SIZE{0, 0};
}

void CKvoMarkupPolygon::OnRender(CKvoMarkupDrawingContext* dc)
{
    const CKvoMarkupPointCollection* points = GetPoints();
    if (!points || points->GetPoints().empty() || (!GetStroke() && !GetFill()))
        return;
    CKvoMarkupShapePen pen(dc->GetSafeHdc(), GetStrokeWidth(), GetStroke(), GetFill());
    ::Polygon(dc->GetSafeHdc(), points->GetPoints().data(), static_cast<int>(points->GetPoints().size()));
}

void CKvoMarkupPolyline::RegisterMarkupProperties()
{
    s_pointsProperty = RegisterMeasured(L"Points", CKvoMarkupPointCollection::s_type, s_type);
}

CKvoMarkupPointCollection* CKvoMarkupPolyline::GetPoints() const
{
    return PointsOf(this, s_pointsProperty);
}

SIZE CKvoMarkupPolyline::MeasureOverride(CKvoMarkupDrawingContext*, int, int)
{
    const CKvoMarkupPointCollection* points = GetPoints();
    if (!points)
        return {0, 0};
    const int stroke = GetStrokeWidth();
    return {KvoMarkupAddSizes(points->GetBounds().right, stroke), KvoMarkupAddSizes(points->GetBounds().bottom, stroke)};
}

void CKvoMarkupPolyline::OnRender(CKvoMarkupDrawingContext* dc)
{
    const CKvoMarkupPointCollection* points = GetPoints();
    if (!points || points->GetPoints().empty() || !GetStroke())
        return;
    std::vector<POINT> drawn = points->GetPoints();
    if (GetStretch() != KvoMarkupStretch::None) {
        const RECT& bounds = points->GetBounds();
        const SIZE size = GetRenderSize();
        for (POINT& point : drawn) {
            point.x = ScaleCoordinate(point.x, size.cx, bounds.right - bounds.left);
            point.y = ScaleCoordinate(point.y, size.cy, bounds.bottom - bounds.top);
        }
    }
    CKvoMarkupShapePen pen(dc->GetSafeHdc(), GetStrokeThickness(), GetStroke(), nullptr);
    ::Polyline(dc->GetSafeHdc(), drawn.data(), static_cast<int>(drawn.size()));
}
