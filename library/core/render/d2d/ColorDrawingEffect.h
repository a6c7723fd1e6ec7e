#pragma once
#include <windows.h>
#include <d2d1.h>

// The identity of ColorDrawingEffect, by which the text renderer recognises
// the effect it gets back from a layout.
extern const GUID IID_ColorDrawingEffect;

// The colour of a range of text, set on a text layout as its drawing effect
// and read back by the text renderer. Starts with no reference; the last
// Release deletes it.
class ColorDrawingEffect : public IUnknown {
public:
    explicit ColorDrawingEffect(const D2D1_COLOR_F& colour);
    virtual ~ColorDrawingEffect() = default;

    ColorDrawingEffect(const ColorDrawingEffect&) = delete;
    ColorDrawingEffect& operator=(const ColorDrawingEffect&) = delete;

    // IID_IUnknown and IID_ColorDrawingEffect; anything else is E_FAIL.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    virtual HRESULT STDMETHODCALLTYPE GetColor(D2D1_COLOR_F* colour);
    virtual HRESULT STDMETHODCALLTYPE SetColor(const D2D1_COLOR_F* colour);

private:
    LONG m_references;
    D2D1_COLOR_F m_colour;
};
