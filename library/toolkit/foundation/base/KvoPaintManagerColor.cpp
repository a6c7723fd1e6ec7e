#include "foundation/base/KvoPaintManagerColor.h"

CKvoPaintManagerColor::CKvoPaintManagerColor() : m_clrStandardValue(KVO_COLOR_NONE), m_clrCustomValue(KVO_COLOR_NONE)
{
}

CKvoPaintManagerColor::CKvoPaintManagerColor(COLORREF standardValue)
    : m_clrStandardValue(standardValue), m_clrCustomValue(KVO_COLOR_NONE)
{
}

void CKvoPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_clrStandardValue) << static_cast<DWORD>(m_clrCustomValue);
    } else {
        DWORD standardValue = 0, customValue = 0;
        ar >> standardValue >> customValue;
        m_clrStandardValue = standardValue;
        m_clrCustomValue = customValue;
    }
}

COLORREF CKvoPaintManagerColor::GetColor() const
{
    return IsCustomValue() ? m_clrCustomValue : m_clrStandardValue;
}

CKvoPaintManagerColorGradient::CKvoPaintManagerColorGradient() : fGradientFactor(0.5f)
{
}

void CKvoPaintManagerColorGradient::Serialize(CArchive& ar)
{
    clrLight.Serialize(ar);
    clrDark.Serialize(ar);
    if (ar.IsStoring())
        ar << fGradientFactor;
    else
        ar >> fGradientFactor;
}

void CKvoPaintManagerColorGradient::SetStandardValue(COLORREF light, COLORREF dark, float factor)
{
    clrLight.SetStandardValue(light);
    clrDark.SetStandardValue(dark);
    fGradientFactor = factor;
}

void CKvoPaintManagerColorGradient::SetStandardValue(COLORREF color)
{
    SetStandardValue(color, color, 0.5f);
}

void CKvoPaintManagerColorGradient::SetStandardValueFrom(const CKvoPaintManagerColorGradient& other)
{
    SetStandardValue(other.GetLightColor(), other.GetDarkColor(), other.fGradientFactor);
}

void CKvoPaintManagerColorGradient::SetCustomValue(COLORREF light, COLORREF dark)
{
    clrLight.SetCustomValue(light);
    clrDark.SetCustomValue(dark);
}
