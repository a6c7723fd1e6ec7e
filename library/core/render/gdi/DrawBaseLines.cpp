#include "render/gdi/DrawBase.h"
#include "render/gdi/DrawBasePen.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "render/gdi/DevicePixel.h"
#include <cmath>

namespace {
int PenNumber(const B_Base& fig)
{
    return (fig.flags & FigFlag::PenMask) >> 4;
}
}

bool CDrawBase::SetPixelChecked(int x, int y, COLORREF colour)
{
    return m_pDC->SetPixelV(x, y, VisibleColor(colour)) != FALSE;
}

// Points are drawn only where a world unit is at least one pixel.
bool CDrawBase::DrawPoint(const B_FigPoint& point)
{
    if (m_scale < 1.0)
        return false;
    MapPoint(point.position.x, point.position.y);
    POINT p = DevicePoint();
    if (point.flags & FigFlag::Auxiliary)
        return !m_print && SetPixelChecked(p.x, p.y, point.colour);
    LONG r = ToDevicePixel(GetPenWidth(PenNumber(point)));
    RECT disc = {p.x - r, p.y - r, p.x + r, p.y + r};
    if (!ShapeFits(disc))
        return false;
    CMyPen pen(this, &point);
    CMyBsh brush(this, point.colour);
    return m_pDC->Ellipse(&disc) != FALSE;
}

bool CDrawBase::DrawLine(const B_FigLine& line)
{
    MapPoint(line.line.first.x, line.line.first.y);
    Point2D a(m_devX, m_devY);
    POINT first = DevicePoint();
    MapPoint(line.line.second.x, line.line.second.y);
    Point2D b(m_devX, m_devY);
    POINT second = DevicePoint();
    if (first.x == second.x && first.y == second.y)
        return SetPixelChecked(first.x, first.y, line.colour);
    if (DrawRandomLine(line))
        return true;
    CMyPen pen(this, &line);
    return DrawDeviceSegment(a, b);
}

bool CDrawBase::DrawPolyline(const B_FigPolyline& polyline)
{
    size_t n = polyline.points.size();
    if (n < 2)
        return false;
    std::vector<POINT>& points = m_polylineScratch;
    points.resize(n);
    double firstX = 0, firstY = 0;
    size_t nearFirst = 0;
    for (size_t i = 0; i < n; ++i) {
        MapPoint(polyline.points[i].x, polyline.points[i].y);
        if (i == 0) {
            firstX = m_devX;
            firstY = m_devY;
        } else if (std::fabs(m_devX - firstX) <= 1.0 && std::fabs(m_devY - firstY) <= 1.0) {
            ++nearFirst;
        }
        points[i] = DevicePoint();
    }
    if (n - nearFirst < 2)
        return SetPixelChecked(points[0].x, points[0].y, polyline.colour);
    CMyPen pen(this, &polyline);
    if (!(polyline.flags & FigFlag::Filled)) {
        if (!polyline.open)
            points.push_back(points[0]);
        return DrawDevicePolyline(points.data(), points.size());
    }
    if (polyline.flags & FigFlag::Hatched) {
        CMyBsh hatch(this, polyline.flags, polyline.colour);
        return DrawDevicePolygon(points.data(), n);
    }
    CMyBsh brush(this, polyline.colour);
    return DrawDevicePolygon(points.data(), n);
}

// Line types 11 to 15 as their shape laid along the figure; false (the
// figure is drawn plain) when there is no usable shape or the result would
// be too long.
bool CDrawBase::DrawRandomLine(const B_Base& figure)
{
    if (figure.lineType < RandomLineEntry::kFirstType || figure.lineType > RandomLineEntry::kLastType)
        return false;
    std::vector<Point2D> world;
    if (!m_randomLine.Build(&figure, world, m_print ? 4.0 : m_scale))
        return false;
    if (world.size() < 2 || world.size() > RandomLineBuilder::kMaxOutputPoints)
        return false;
    std::vector<POINT> points;
    points.reserve(world.size());
    for (const Point2D& p : world) {
        MapPoint(p.x, p.y);
        points.push_back(DevicePoint());
    }
    CMyPen pen(this, &figure);
    return DrawDevicePolyline(points.data(), points.size());
}
