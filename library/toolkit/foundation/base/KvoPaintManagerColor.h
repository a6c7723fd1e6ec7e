#pragma once
#include <afx.h>

// "No colour" in every toolkit colour member.
const COLORREF KVO_COLOR_NONE = 0xFFFFFFFF;

// A colour that a theme holds: the standard value, which the theme writes on
// every refresh, and a custom value that only a caller sets, so a customised
// colour survives every refresh. Either may be KVO_COLOR_NONE (unset).
class CKvoPaintManagerColor {
public:
    CKvoPaintManagerColor();
    explicit CKvoPaintManagerColor(COLORREF standardValue);

    // Both values as two 32-bit numbers: the standard, then the custom one.
    virtual void Serialize(CArchive& ar);

    // The custom value when set, else the standard value.
    COLORREF GetColor() const;
    operator COLORREF() const { return GetColor(); }

    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    COLORREF GetCustomColor() const { return m_clrCustomValue; }
    void SetStandardValue(COLORREF color) { m_clrStandardValue = color; }
    void SetCustomValue(COLORREF color) { m_clrCustomValue = color; }
    BOOL IsCustomValue() const { return m_clrCustomValue != KVO_COLOR_NONE; }
    // The colour in use is "no colour".
    BOOL IsNone() const { return GetColor() == KVO_COLOR_NONE; }

private:
    COLORREF m_clrStandardValue;
    COLORREF m_clrCustomValue;
};

// A two-colour gradient of a theme: light and dark colour and the factor at
// which a fill puts its middle colour (0.5: one plain gradient).
class CKvoPaintManagerColorGradient {
public:
    CKvoPaintManagerColorGradient();

    // The light colour, the dark colour, then the factor as 4 bytes.
    virtual void Serialize(CArchive& ar);

    void SetStandardValue(COLORREF light, COLORREF dark, float factor = 0.5f);
    // Both ends the one colour, factor 0.5.
    void SetStandardValue(COLORREF color);
    // The other gradient's colours in use become the standard parts; its
    // factor is taken too.
    void SetStandardValueFrom(const CKvoPaintManagerColorGradient& other);
    void SetCustomValue(COLORREF light, COLORREF dark);

    COLORREF GetLightColor() const { return clrLight.GetColor(); }
    COLORREF GetDarkColor() const { return clrDark.GetColor(); }

    CKvoPaintManagerColor clrLight;
    CKvoPaintManagerColor clrDark;
    float fGradientFactor;
};
