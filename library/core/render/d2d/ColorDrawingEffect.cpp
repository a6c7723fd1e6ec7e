#include "render/d2d/ColorDrawingEffect.h"

const GUID IID_ColorDrawingEffect = {0xc1add5de, 0xb8df, 0x4d6f, {0xab, 0xb5, 0x7f, 0x3b, 0xf1, 0x29, 0x49, 0x0e}};

ColorDrawingEffect::ColorDrawingEffect(const D2D1_COLOR_F& colour) : m_references(0), m_colour(colour) {}

HRESULT STDMETHODCALLTYPE ColorDrawingEffect::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown || iid == IID_ColorDrawingEffect) {
        *object = this;
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_FAIL;
}

ULONG STDMETHODCALLTYPE ColorDrawingEffect::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE ColorDrawingEffect::Release()
{
    LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ColorDrawingEffect::GetColor(D2D1_COLOR_F* colour)
{
    *colour = m_colour;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ColorDrawingEffect::SetColor(const D2D1_COLOR_F* colour)
{
    m_colour = *colour;
    return S_OK;
}
