#include "render/gdi/DrawBase.h"
#include "records/DrawData.h"
#include <algorithm>
#include <cmath>
#include <climits>

namespace {
// A single point or a degenerate extent has no size to divide by.
double DivisibleSize(double size)
{
    return size > 0.0 && std::isfinite(size) ? size : 1.0;
}

int ClampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::min<double>(std::max<double>(value, INT_MIN), INT_MAX));
}

bool ExtentIsEmpty(const CDrawBase& view)
{
    return !(view.m_extentMinX <= view.m_extentMaxX && view.m_extentMinY <= view.m_extentMaxY);
}

// The identity mapping when nothing was added; false then.
bool HasExtent(CDrawBase& view)
{
    if (!ExtentIsEmpty(view))
        return true;
    view.m_scale = 1.0;
    view.m_worldRefX = view.m_worldRefY = 0.0;
    view.m_devOffsetX = view.m_devOffsetY = 0.0;
    return false;
}
}

int CDrawBase::FitExtent(double limitWidth, double limitHeight)
{
    if (!HasExtent(*this))
        return m_zoom - 12;
    double w = std::fabs(m_extentMaxX - m_extentMinX), h = std::fabs(m_extentMaxY - m_extentMinY);
    double left = m_extentMinX, bottom = m_extentMinY;
    if (limitWidth > 0.0 && w > limitWidth) {
        w = limitWidth;
        left = -limitWidth / 2;
    }
    if (limitHeight > 0.0 && h > limitHeight) {
        h = limitHeight;
        bottom = -limitHeight / 2;
    }
    m_scale = (m_zoom - 12) / DivisibleSize(std::max(w, h));
    double marginX = 6.0, marginY = 6.0;
    if (h > w)
        marginX = (m_zoom - m_scale * w) / 2;
    else
        marginY = (m_zoom - m_scale * h) / 2;
    m_worldRefX = m_worldRefY = 0.0;
    m_devOffsetX = marginX - m_scale * left;
    m_devOffsetY = marginY - m_scale * bottom;
    return m_zoom - 12;
}

void CDrawBase::CenterView()
{
    if (!HasExtent(*this))
        return;
    double w = std::fabs(m_extentMaxX - m_extentMinX), h = std::fabs(m_extentMaxY - m_extentMinY);
    m_scale = (m_zoom - 2) / DivisibleSize(std::max(w, h));
    m_worldRefX = m_extentMinX + w / 2;
    m_worldRefY = m_extentMinY + h / 2;
    m_devOffsetX = m_zoom / 2 - (m_originX - 128);
    m_devOffsetY = m_zoom / 2 - (m_originY + 128);
}

// An empty drawing is centred on the world origin.
void CDrawBase::FitPreview(DrawData& request, double drawingScale, double paperWidth, double paperHeight)
{
    bool empty = ExtentIsEmpty(*this);
    double w = 0.0, h = 0.0;
    ExtentSize(&w, &h);
    double centreX = empty ? 0.0 : m_extentMinX + w / 2, centreY = empty ? 0.0 : m_extentMinY + h / 2;
    double side = h > w ? request.viewHeight : request.viewWidth;
    double extent = DivisibleSize(h > w ? h : w);
    double zoom = std::max(paperWidth, paperHeight) * (side / extent) / (drawingScale > 0.0 ? drawingScale : 1.0) * 0.99;
    request.scale = m_zoom = ClampToInt(zoom);
    m_originX = m_originY = 0;
    SetupView();
    double x = (centreX - m_worldRefX) * m_scale + m_devOffsetX;
    double y = m_zoom - ((centreY - m_worldRefY) * m_scale + m_devOffsetY);
    int largest = std::max(request.viewWidth, request.viewHeight);
    int bitmapSide = largest <= 256 ? 256 : (largest + 31) / 32 * 32;
    double half = bitmapSide / 2;
    request.originX = ClampToInt(x - half);
    request.originY = ClampToInt(half - y);
}

void CDrawBase::ExtentSize(double* width, double* height) const
{
    bool empty = ExtentIsEmpty(*this);
    *width = empty ? 0.0 : m_extentMaxX - m_extentMinX;
    *height = empty ? 0.0 : m_extentMaxY - m_extentMinY;
}

void CDrawBase::ZoomAt(int newZoom, const SIZE& view, const POINT& point, POINT& shift, bool centre)
{
    double oldScale = DivisibleSize(m_scale);
    int oldZoom = m_zoom;
    double worldX = ((m_width - view.cx) * 0.5 + point.x - m_devOffsetX) / oldScale + m_worldRefX;
    double worldY = m_worldRefY - ((m_height - view.cy) * 0.5 + point.y + m_devOffsetY - oldZoom) / oldScale;
    int oldOriginX = m_originX, oldOriginY = m_originY;
    m_zoom = newZoom;
    m_originX = m_originY = 0;
    SetupView();
    MapPoint(worldX, worldY);
    double targetX = m_width / 2 + oldOriginX, targetY = m_height / 2 - oldOriginY;
    if (!centre) {
        targetX -= view.cx / 2 - point.x;
        targetY -= view.cy / 2 - point.y;
    }
    double newX = m_devX, newY = m_devY;
    m_zoom = oldZoom;
    SetupView();
    shift.x = ClampToInt(newX - targetX);
    shift.y = ClampToInt(targetY - newY);
}
