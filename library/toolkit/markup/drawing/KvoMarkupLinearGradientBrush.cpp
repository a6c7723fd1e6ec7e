#include "markup/drawing/KvoMarkupLinearGradientBrush.h"
#include <algorithm>
#include <vector>
#include "foundation/images/KvoImageManager.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupPoint.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupGradientStop)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupLinearGradientBrush)
CKvoMarkupDependencyProperty* CKvoMarkupGradientStop::s_colorProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupGradientStop::s_offsetProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupLinearGradientBrush::s_startPointProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupLinearGradientBrush::s_endPointProperty = nullptr;

void CKvoMarkupGradientStop::RegisterMarkupProperties()
{
    s_colorProperty = CKvoMarkupDependencyProperty::Register(L"Color", CKvoMarkupColor::s_type, s_type);
    s_offsetProperty = CKvoMarkupDependencyProperty::Register(L"Offset", CKvoMarkupDouble::s_type, s_type);
}

COLORREF CKvoMarkupGradientStop::GetColor() const
{
    const CKvoMarkupColor* color = static_cast<const CKvoMarkupColor*>(GetValue(s_colorProperty));
    return color ? color->GetColor() : 0;
}

double CKvoMarkupGradientStop::GetOffset() const
{
    const CKvoMarkupDouble* offset = static_cast<const CKvoMarkupDouble*>(GetValue(s_offsetProperty));
    return offset ? offset->GetValue() : 0.0;
}

CKvoMarkupGradientStops::CKvoMarkupGradientStops() : CKvoMarkupCollection(CKvoMarkupGradientStop::s_type)
{
}

namespace {
struct GradientPoint {
    double x;
    double y;
};

// One row of the stop table: the colour's channels, where it sits, where
// it was written, and the distance from the stop before it.
struct GradientTableStop {
    double blue, green, red;
    double offset;
    int markupOrder;
    double delta;
};

// The stops sorted by offset (equal offsets keep their markup order, which
// makes a hard edge), and the colour at any position along the gradient.
class GradientStopTable {
public:
    explicit GradientStopTable(const CKvoMarkupGradientStops& stops)
    {
        for (int index = 0; index < stops.GetCount(); ++index) {
            const CKvoMarkupGradientStop* stop = static_cast<const CKvoMarkupGradientStop*>(stops.GetItem(index));
            COLORREF color = stop->GetColor();
            m_stops.push_back({double(GetBValue(color)), double(GetGValue(color)), double(GetRValue(color)),
                               stop->GetOffset(), index, 0.0});
        }
        std::stable_sort(m_stops.begin(), m_stops.end(),
                         [](const GradientTableStop& a, const GradientTableStop& b) { return a.offset < b.offset; });
        for (size_t index = 1; index < m_stops.size(); ++index)
            m_stops[index].delta = m_stops[index].offset - m_stops[index - 1].offset;
    }

    // The pixel for t as 0x00RRGGBB.
    DWORD PixelAt(double t) const
    {
        if (t <= m_stops.front().offset)
            return Pixel(m_stops.front());
        if (t >= m_stops.back().offset)
            return Pixel(m_stops.back());
        for (size_t index = 1; index < m_stops.size(); ++index) {
            const GradientTableStop& stop = m_stops[index];
            if (stop.offset <= t || stop.delta == 0)
                continue;
            const GradientTableStop& previous = m_stops[index - 1];
            double f = (stop.offset - t) / stop.delta;
            return MakePixel(previous.red * f + stop.red * (1 - f), previous.green * f + stop.green * (1 - f),
                             previous.blue * f + stop.blue * (1 - f));
        }
        return Pixel(m_stops.back());
    }

private:
    static DWORD MakePixel(double red, double green, double blue)
    {
        return (DWORD(int(red)) << 16) | (DWORD(int(green)) << 8) | DWORD(int(blue));
    }
    static DWORD Pixel(const GradientTableStop& stop) { return MakePixel(stop.red, stop.green, stop.blue); }

    std::vector<GradientTableStop> m_stops;
};

GradientPoint PointValue(const CKvoMarkupObject* value, GradientPoint fallback)
{
    const CKvoMarkupPoint* point = static_cast<const CKvoMarkupPoint*>(value);
    return point ? GradientPoint{point->GetX(), point->GetY()} : fallback;
}

// Owns a bitmap and a memory DC it is selected into, for one copy.
class GradientBitmap {
public:
    GradientBitmap(HDC target, int width, int height)
        : m_bitmap(CKvoImageManager::Create32BitDIB(target, width, height, reinterpret_cast<void**>(&m_bits))),
          m_width(width), m_height(height)
    {
    }
    ~GradientBitmap()
    {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }
    GradientBitmap(const GradientBitmap&) = delete;
    GradientBitmap& operator=(const GradientBitmap&) = delete;

    bool IsValid() const { return m_bitmap && m_bits; }
    // Row y from the top (the section is stored bottom-up).
    DWORD* Row(int y) const { return m_bits + static_cast<size_t>(m_height - 1 - y) * m_width; }

    void CopyTo(HDC target, int x, int y) const
    {
        HDC memory = ::CreateCompatibleDC(target);
        if (!memory)
            return;
        HGDIOBJ old = ::SelectObject(memory, m_bitmap);
        ::BitBlt(target, x, y, m_width, m_height, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }

private:
    DWORD* m_bits = nullptr;
    HBITMAP m_bitmap;
    int m_width;
    int m_height;
};
}

CKvoMarkupLinearGradientBrush::CKvoMarkupLinearGradientBrush()
    : m_pGradientStops(new CKvoMarkupGradientStops)
{
    m_pGradientStops->SetLogicalParent(this);
}

CKvoMarkupLinearGradientBrush::~CKvoMarkupLinearGradientBrush()
{
    m_pGradientStops->SetLogicalParent(nullptr);
    m_pGradientStops->Release();
}

void CKvoMarkupLinearGradientBrush::RegisterMarkupProperties()
{
    s_startPointProperty = CKvoMarkupDependencyProperty::Register(L"StartPoint", CKvoMarkupPoint::s_type, s_type);
    s_endPointProperty = CKvoMarkupDependencyProperty::Register(L"EndPoint", CKvoMarkupPoint::s_type, s_type);
}

void CKvoMarkupLinearGradientBrush::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    m_pGradientStops->SetContentObject(builder, content);
}

BOOL CKvoMarkupLinearGradientBrush::HasContentObject() const
{
    return TRUE;
}

void CKvoMarkupLinearGradientBrush::FillRect(CKvoMarkupDrawingContext* dc, int left, int top, int right, int bottom)
{
    HDC target = dc ? dc->GetSafeHdc() : nullptr;
    // In 64 bits: the sides of a huge rectangle may be far apart.
    const long long width = static_cast<long long>(right) - left, height = static_cast<long long>(bottom) - top;
    if (!target || m_pGradientStops->GetCount() == 0 || width < 1 || height < 1)
        return;
    if (m_pGradientStops->GetCount() == 1) {
        const CKvoMarkupGradientStop* stop = static_cast<const CKvoMarkupGradientStop*>(m_pGradientStops->GetItem(0));
        CKvoMarkupSolidColorBrush::FillOpaque(dc, RECT{left, top, right, bottom}, stop->GetColor());
        return;
    }

    const GradientPoint start = PointValue(GetValue(s_startPointProperty), {0, 0});
    const GradientPoint end = PointValue(GetValue(s_endPointProperty), {1, 1});
    const GradientPoint from = {start.x * width, start.y * height}, to = {end.x * width, end.y * height};
    const GradientPoint direction = {to.x - from.x, to.y - from.y};
    const double lengthSquared = direction.x * direction.x + direction.y * direction.y;
    if (lengthSquared == 0)
        return;

    // The visible part, in the rectangle's own coordinates.
    RECT clip = dc->GetClipBox();
    if (dc->GetDeviceFlag())
        ::InflateRect(&clip, 1, 1);
    const long long visibleLeft = std::max<long long>(clip.left - static_cast<long long>(left), 0);
    const long long visibleTop = std::max<long long>(clip.top - static_cast<long long>(top), 0);
    const long long visibleRight = std::min<long long>(clip.right - static_cast<long long>(left), width);
    const long long visibleBottom = std::min<long long>(clip.bottom - static_cast<long long>(top), height);
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom)
        return;
    // The clip box bounds these: they fit in 32 bits.
    const int visibleWidth = static_cast<int>(visibleRight - visibleLeft);
    const int visibleHeight = static_cast<int>(visibleBottom - visibleTop);

    GradientBitmap bitmap(target, visibleWidth, visibleHeight);
    if (!bitmap.IsValid())
        return;
    const GradientStopTable table(*m_pGradientStops);
    auto pixelAt = [&](long long x, long long y) {
        return table.PixelAt(((x - from.x) * direction.x + (y - from.y) * direction.y) / lengthSquared);
    };

    if (from.x == to.x) {
        for (int row = 0; row < visibleHeight; ++row)
            std::fill_n(bitmap.Row(row), visibleWidth, pixelAt(visibleLeft, visibleTop + row));
    } else if (from.y == to.y) {
        DWORD* first = bitmap.Row(0);
        for (int column = 0; column < visibleWidth; ++column)
            first[column] = pixelAt(visibleLeft + column, visibleTop);
        for (int row = 1; row < visibleHeight; ++row)
            std::copy_n(first, visibleWidth, bitmap.Row(row));
    } else {
        for (int row = 0; row < visibleHeight; ++row) {
            DWORD* pixels = bitmap.Row(row);
            for (int column = 0; column < visibleWidth; ++column)
                pixels[column] = pixelAt(visibleLeft + column, visibleTop + row);
        }
    }
    ::GdiFlush();
    bitmap.CopyTo(target, static_cast<int>(left + visibleLeft), static_cast<int>(top + visibleTop));
}
