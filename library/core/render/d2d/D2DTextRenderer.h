#pragma once
#include <windows.h>
#include <atlbase.h>
#include <d2d1.h>
#include <dwrite.h>

// Draws the glyph runs of a text layout as filled outlines on a render
// target, in the colour of each run's ColorDrawingEffect (black without
// one), under the target's current transform. Starts with no reference;
// the last Release deletes it and releases the factory and target.
class D2DTextRenderer : public IDWriteTextRenderer {
public:
    D2DTextRenderer(ID2D1Factory* factory, ID2D1RenderTarget* target);
    virtual ~D2DTextRenderer();

    D2DTextRenderer(const D2DTextRenderer&) = delete;
    D2DTextRenderer& operator=(const D2DTextRenderer&) = delete;

    // The renderer's three interfaces; anything else is E_FAIL.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE IsPixelSnappingDisabled(void* context, WINBOOL* disabled) override;
    HRESULT STDMETHODCALLTYPE GetCurrentTransform(void* context, DWRITE_MATRIX* transform) override;
    HRESULT STDMETHODCALLTYPE GetPixelsPerDip(void* context, FLOAT* pixelsPerDip) override;
    HRESULT STDMETHODCALLTYPE DrawGlyphRun(void* context, FLOAT originX, FLOAT originY, DWRITE_MEASURING_MODE mode,
                                           const DWRITE_GLYPH_RUN* run, const DWRITE_GLYPH_RUN_DESCRIPTION* description,
                                           IUnknown* effect) override;
    HRESULT STDMETHODCALLTYPE DrawUnderline(void* context, FLOAT originX, FLOAT originY,
                                            const DWRITE_UNDERLINE* underline, IUnknown* effect) override;
    HRESULT STDMETHODCALLTYPE DrawStrikethrough(void* context, FLOAT originX, FLOAT originY,
                                                const DWRITE_STRIKETHROUGH* strikethrough, IUnknown* effect) override;
    HRESULT STDMETHODCALLTYPE DrawInlineObject(void* context, FLOAT originX, FLOAT originY,
                                               IDWriteInlineObject* object, WINBOOL sideways, WINBOOL rightToLeft,
                                               IUnknown* effect) override;

private:
    bool MakeBrush(IUnknown* effect, ID2D1SolidColorBrush** brush);
    void DrawBar(FLOAT originX, FLOAT originY, FLOAT width, FLOAT thickness, FLOAT offset, IUnknown* effect);

    LONG m_references;
    ATL::CComPtr<ID2D1Factory> m_factory;
    ATL::CComPtr<ID2D1RenderTarget> m_target;
};
