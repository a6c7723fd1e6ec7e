#include "render/d2d/D2DrawCore.h"
#include "render/d2d/D2DColor.h"
#include "render/d2d/D2DStrokeDashes.h"
#include "render/d2d/D2DMatrix.h"
#include "render/d2d/Direct2DLibraries.h"
#include "render/gdi/DrawBase.h"
#include "figures/B_Base.h"
#include <afxwin.h>
#include <atlbase.h>
#include <d2d1_1.h>
#include <dwrite.h>
#include <wincodec.h>

namespace {
template <class Map> void ReleaseValues(Map& map)
{
    for (auto& entry : map)
        entry.second->Release();
    map.clear();
}
}

CD2DrawCore::CD2DrawCore()
    : m_reader(nullptr), m_background(0), m_figurePass(false), m_comThread(0), m_comStarted(false)
{
}

CD2DrawCore::~CD2DrawCore()
{
    // Everything made through COM goes before COM ends.
    ReleaseTarget();
    m_writeFactory.Release();
    m_wicFactory.Release();
    m_factory.Release();
    if (m_comStarted && m_comThread == GetCurrentThreadId())
        CoUninitialize();
}

bool CD2DrawCore::Init()
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return false;
    m_comStarted = true;
    m_comThread = GetCurrentThreadId();

    const Direct2DLibraries& libraries = Direct2DLibraries::Instance();
    if (!libraries.createFactory || !libraries.makeRotateMatrix || !libraries.createWriteFactory)
        return false;
    D2D1_FACTORY_OPTIONS options = {D2D1_DEBUG_LEVEL_NONE};
    if (FAILED(libraries.createFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory1), &options,
                                       reinterpret_cast<void**>(&m_factory))))
        return false;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory2, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&m_wicFactory))))
        return false;
    return SUCCEEDED(libraries.createWriteFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                                  reinterpret_cast<IUnknown**>(&m_writeFactory)));
}

bool CD2DrawCore::Draw(HWND window, CDrawBase* reader, const double worldRect[4], PRINTDLGEXW* printContext)
{
    m_reader = reader;
    m_background = reader->m_backColor;
    if (reader->m_print && printContext)
        return PrintPage(window, worldRect, printContext);
    RECT rect = {0, 0, reader->m_width, reader->m_height};
    if (!BindDC(reader->m_pDC ? reader->m_pDC->GetSafeHdc() : nullptr, rect, m_background))
        return false;
    return DrawAll(worldRect);
}

bool CD2DrawCore::BindDC(HDC dc, const RECT& rect, COLORREF background)
{
    if (!m_factory)
        return false;
    if (!m_target) {
        D2D1_RENDER_TARGET_PROPERTIES properties = {
            D2D1_RENDER_TARGET_TYPE_DEFAULT, {DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE}, 0.0f, 0.0f,
            D2D1_RENDER_TARGET_USAGE_GDI_COMPATIBLE, D2D1_FEATURE_LEVEL_DEFAULT};
        ATL::CComPtr<ID2D1DCRenderTarget> made;
        if (FAILED(m_factory->CreateDCRenderTarget(&properties, &made)))
            return false;
        m_target = made;
    }
    ATL::CComQIPtr<ID2D1DCRenderTarget> screen(m_target.p);
    if (!screen || FAILED(screen->BindDC(dc, &rect)))
        return false;
    m_target->BeginDraw();
    D2D1_COLOR_F colour = ColorRefToD2D(background);
    m_target->Clear(&colour);
    return true;
}

void CD2DrawCore::ClearCaches()
{
    ReleaseValues(m_brushes);
    ReleaseValues(m_strokes);
}

// Brushes belong to the target that made them, so they go first.
void CD2DrawCore::ReleaseTarget()
{
    ClearCaches();
    m_target.Release();
}

COLORREF CD2DrawCore::ShownColour(COLORREF colour) const
{
    return m_figurePass && colour == m_background ? colour ^ 0xFFFFFF : colour;
}

bool CD2DrawCore::GetBrush(COLORREF colour, ID2D1SolidColorBrush** brush)
{
    colour = ShownColour(colour);
    auto cached = m_brushes.find(colour);
    if (cached == m_brushes.end()) {
        ID2D1SolidColorBrush* made = nullptr;
        D2D1_COLOR_F value = ColorRefToD2D(colour);
        if (!m_target || FAILED(m_target->CreateSolidColorBrush(&value, nullptr, &made)))
            return false;
        cached = m_brushes.emplace(colour, made).first;
    }
    *brush = cached->second;
    (*brush)->AddRef();
    return true;
}

bool CD2DrawCore::GetStroke(const B_Base* figure, float* width, ID2D1SolidColorBrush** brush,
                            ID2D1StrokeStyle** style)
{
    *width = m_reader->m_thickLines ? 1.2f : 1.0f;
    ATL::CComPtr<ID2D1SolidColorBrush> colour;
    if (!GetBrush(figure->colour, &colour))
        return false;
    auto cached = m_strokes.find(figure->lineType);
    if (cached == m_strokes.end()) {
        ID2D1StrokeStyle* made = MakeStrokeStyle(figure->lineType);
        if (!made)
            return false;
        cached = m_strokes.emplace(figure->lineType, made).first;
    }
    *style = cached->second;
    (*style)->AddRef();
    *brush = colour.Detach();
    return true;
}

// A pattern that Direct2D refuses (all zeros, say) draws solid rather than
// not at all.
ID2D1StrokeStyle* CD2DrawCore::MakeStrokeStyle(uint16_t lineType)
{
    float dashes[kMaxStrokeDashes];
    int count = 0;
    ID2D1StrokeStyle* style = nullptr;
    if (StrokeDashes(*m_reader, lineType, dashes, &count)) {
        D2D1_STROKE_STYLE_PROPERTIES dashed = {D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_ROUND,
                                               D2D1_LINE_JOIN_MITER, 10.0f, D2D1_DASH_STYLE_CUSTOM, 0.0f};
        if (SUCCEEDED(m_factory->CreateStrokeStyle(&dashed, dashes, static_cast<UINT>(count), &style)))
            return style;
    }
    D2D1_STROKE_STYLE_PROPERTIES solid = {D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_FLAT,
                                          D2D1_LINE_JOIN_BEVEL, 10.0f, D2D1_DASH_STYLE_SOLID, 0.0f};
    return SUCCEEDED(m_factory->CreateStrokeStyle(&solid, nullptr, 0, &style)) ? style : nullptr;
}

void CD2DrawCore::DrawDot(const D2D_POINT_2F& point, COLORREF colour)
{
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    if (!GetBrush(colour, &brush))
        return;
    D2D1_ELLIPSE dot = {point, 1.0f, 1.0f};
    m_target->FillEllipse(&dot, brush);
}

D2D_POINT_2F CD2DrawCore::ToDevice(const Point2D& world)
{
    m_reader->MapPoint(world.x, world.y);
    return D2D_POINT_2F{static_cast<float>(m_reader->m_devX), static_cast<float>(m_reader->m_devY)};
}

bool CD2DrawCore::CreatePath(ID2D1PathGeometry** path)
{
    return SUCCEEDED(m_factory->CreatePathGeometry(path));
}

void CD2DrawCore::SetTargetTransform(const D2D_MATRIX_3X2_F& transform)
{
    m_target->SetTransform(&transform);
}

void CD2DrawCore::ResetTargetTransform()
{
    SetTargetTransform(IdentityMatrix());
}
