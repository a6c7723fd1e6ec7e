#include "render/d2d/D2DrawCore.h"
#include "render/d2d/D2DMatrix.h"
#include "render/d2d/D2DPathBuilder.h"
#include "render/d2d/D2DWicBitmap.h"
#include "render/gdi/DrawBase.h"
#include "figures/B_FigImage.h"
#include "geometry/AngleFunctions.h"
#include "geometry/VectorFunctions.h"
#include <atlbase.h>
#include <d2d1.h>
#include <cmath>

namespace {
double DeviceAngle(const D2D1_POINT_2F& from, const D2D1_POINT_2F& to)
{
    return SegmentAngleDeg(Segment2D{Point2D(from.x, from.y), Point2D(to.x, to.y)});
}
}

// The frame shows the picture itself only with GDI+ images asked for;
// otherwise, or when the picture cannot be read, it is hatched along its
// first edge and outlined.
void CD2DrawCore::DrawImageFrame(B_FigImage* image)
{
    D2D_POINT_2F corners[4];
    for (int i = 0; i < 4; ++i)
        corners[i] = ToDevice(image->corners[i]);
    float width = 0;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1StrokeStyle> style;
    ATL::CComPtr<ID2D1PathGeometry> path;
    if (!GetStroke(image, &width, &brush, &style) || !CreatePath(&path) ||
        FAILED(BuildPolyPath(path, corners, 4, true)))
        return;
    for (int i = 1; i < 4; ++i) {
        if (std::fabs(corners[i].x - corners[0].x) < 2.0f && std::fabs(corners[i].y - corners[0].y) < 2.0f) {
            DrawDot(corners[0], image->colour);
            return;
        }
    }
    if (m_reader->m_gdiplusImages && DrawPicture(image, path))
        return;
    FillHatched(path, static_cast<float>(DeviceAngle(corners[0], corners[1])));
    m_target->DrawGeometry(path, brush, width, style);
}

// The picture fills the frame at the scale that lays its width along the
// first edge, anchored at the last corner and shifted by the crop.
bool CD2DrawCore::DrawPicture(B_FigImage* image, ID2D1Geometry* frame)
{
    const B_ImageParams& params = image->params;
    ATL::CComPtr<ID2D1Bitmap> bitmap;
    if (!(params.cropScale > 0.0f) ||
        FAILED(LoadImageBitmap(m_target, m_wicFactory, m_reader->ImageFileFor(params), &bitmap)))
        return false;
    D2D1_SIZE_F size = bitmap->GetSize();
    double w = size.width, h = size.height;
    if (!(w > 0.0))
        return false;
    double dx = 0.0, dy = 0.0;
    if (params.cropX >= 0.0f && params.cropY >= 0.0f) {
        dx = params.cropX * 100.0;
        if (params.cropY > 0.0f)
            dy = (h / w - (params.height / 100.0 + params.cropY)) * 100.0;
    }
    const Point2D& last = image->corners[3];
    Point2D anchor(last.x - dx, last.y + dy);
    RotatePoint(anchor, anchor, params.angle, &last);
    D2D_POINT_2F origin = ToDevice(anchor), first = ToDevice(image->corners[0]), second = ToDevice(image->corners[1]);
    double edge = std::hypot(second.x - first.x, second.y - first.y);
    float scale = static_cast<float>(edge / w / params.cropScale);
    D2D1_MATRIX_3X2_F placement =
        Then(Then(ScaleAbout(scale, scale, D2D1_POINT_2F{0.0f, 0.0f}),
                  RotationAbout(static_cast<float>(DeviceAngle(first, second)), D2D1_POINT_2F{0.0f, 0.0f})),
             Translation(origin.x, origin.y));
    ATL::CComPtr<ID2D1BitmapBrush> brush;
    if (FAILED(m_target->CreateBitmapBrush(bitmap, nullptr, nullptr, &brush)))
        return false;
    brush->SetTransform(&placement);
    m_target->FillGeometry(frame, brush, nullptr);
    return true;
}

// The tile repeats from the device origin, turned by angle.
void CD2DrawCore::FillHatched(ID2D1Geometry* geometry, float angle)
{
    ATL::CComPtr<ID2D1Bitmap> tile;
    ATL::CComPtr<ID2D1BitmapBrush> brush;
    if (FAILED(LoadHatchBitmap(m_target, m_wicFactory, &tile)) ||
        FAILED(m_target->CreateBitmapBrush(tile, nullptr, nullptr, &brush)))
        return;
    D2D1_MATRIX_3X2_F turn = RotationAbout(angle, D2D1_POINT_2F{0.0f, 0.0f});
    brush->SetTransform(&turn);
    brush->SetExtendModeX(D2D1_EXTEND_MODE_WRAP);
    brush->SetExtendModeY(D2D1_EXTEND_MODE_WRAP);
    m_target->FillGeometry(geometry, brush, nullptr);
}
