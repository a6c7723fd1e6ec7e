#include "render/d2d/D2DTextRenderer.h"
#include "render/d2d/ColorDrawingEffect.h"
#include "render/d2d/D2DMatrix.h"
#include <atlbase.h>

D2DTextRenderer::D2DTextRenderer(ID2D1Factory* factory, ID2D1RenderTarget* target)
    : m_references(0), m_factory(factory), m_target(target)
{
}

D2DTextRenderer::~D2DTextRenderer() = default;

HRESULT STDMETHODCALLTYPE D2DTextRenderer::QueryInterface(REFIID iid, void** object)
{
    if (iid == __uuidof(IDWriteTextRenderer) || iid == __uuidof(IDWritePixelSnapping) || iid == IID_IUnknown) {
        *object = this;
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_FAIL;
}

ULONG STDMETHODCALLTYPE D2DTextRenderer::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE D2DTextRenderer::Release()
{
    LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE D2DTextRenderer::IsPixelSnappingDisabled(void*, WINBOOL* disabled)
{
    *disabled = FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE D2DTextRenderer::GetCurrentTransform(void*, DWRITE_MATRIX* transform)
{
    m_target->GetTransform(reinterpret_cast<D2D1_MATRIX_3X2_F*>(transform));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE D2DTextRenderer::GetPixelsPerDip(void*, FLOAT* pixelsPerDip)
{
    FLOAT dpiX = 96.0f, dpiY = 96.0f;
    m_target->GetDpi(&dpiX, &dpiY);
    *pixelsPerDip = dpiX / 96.0f;
    return S_OK;
}

// A new brush for every run: the colour comes with the run.
bool D2DTextRenderer::MakeBrush(IUnknown* effect, ID2D1SolidColorBrush** brush)
{
    D2D1_COLOR_F colour = {0.0f, 0.0f, 0.0f, 1.0f};
    ATL::CComPtr<ColorDrawingEffect> coloured;
    if (effect && SUCCEEDED(effect->QueryInterface(IID_ColorDrawingEffect, reinterpret_cast<void**>(&coloured))))
        coloured->GetColor(&colour);
    return SUCCEEDED(m_target->CreateSolidColorBrush(&colour, nullptr, brush));
}

// Failures skip the run; the layout goes on with the next.
HRESULT STDMETHODCALLTYPE D2DTextRenderer::DrawGlyphRun(void*, FLOAT originX, FLOAT originY, DWRITE_MEASURING_MODE,
                                                        const DWRITE_GLYPH_RUN* run,
                                                        const DWRITE_GLYPH_RUN_DESCRIPTION*, IUnknown* effect)
{
    ATL::CComPtr<ID2D1PathGeometry> outline;
    ATL::CComPtr<ID2D1GeometrySink> sink;
    if (FAILED(m_factory->CreatePathGeometry(&outline)) || FAILED(outline->Open(&sink)))
        return S_OK;
    HRESULT traced = run->fontFace->GetGlyphRunOutline(run->fontEmSize, run->glyphIndices, run->glyphAdvances,
                                                       run->glyphOffsets, run->glyphCount, run->isSideways,
                                                       run->bidiLevel % 2 == 1, sink);
    if (FAILED(sink->Close()) || FAILED(traced))
        return S_OK;
    D2D1_MATRIX_3X2_F shift = Translation(originX, originY);
    ATL::CComPtr<ID2D1TransformedGeometry> placed;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    if (SUCCEEDED(m_factory->CreateTransformedGeometry(outline, &shift, &placed)) && MakeBrush(effect, &brush))
        m_target->FillGeometry(placed, brush, nullptr);
    return S_OK;
}

void D2DTextRenderer::DrawBar(FLOAT originX, FLOAT originY, FLOAT width, FLOAT thickness, FLOAT offset,
                              IUnknown* effect)
{
    D2D1_RECT_F bar = {0.0f, offset, width, offset + thickness};
    D2D1_MATRIX_3X2_F shift = Translation(originX, originY);
    ATL::CComPtr<ID2D1RectangleGeometry> shape;
    ATL::CComPtr<ID2D1TransformedGeometry> placed;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    if (FAILED(m_factory->CreateRectangleGeometry(&bar, &shape)) ||
        FAILED(m_factory->CreateTransformedGeometry(shape, &shift, &placed)) || !MakeBrush(effect, &brush))
        return;
    m_target->DrawGeometry(placed, brush, 1.0f, nullptr);
    m_target->FillGeometry(placed, brush, nullptr);
}

HRESULT STDMETHODCALLTYPE D2DTextRenderer::DrawUnderline(void*, FLOAT originX, FLOAT originY,
                                                         const DWRITE_UNDERLINE* underline, IUnknown* effect)
{
    DrawBar(originX, originY, underline->width, underline->thickness, underline->offset, effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE D2DTextRenderer::DrawStrikethrough(void*, FLOAT originX, FLOAT originY,
                                                             const DWRITE_STRIKETHROUGH* strikethrough,
                                                             IUnknown* effect)
{
    DrawBar(originX, originY, strikethrough->width, strikethrough->thickness, strikethrough->offset, effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE D2DTextRenderer::DrawInlineObject(void*, FLOAT, FLOAT, IDWriteInlineObject*, WINBOOL,
                                                            WINBOOL, IUnknown*)
{
    return E_NOTIMPL;
}
