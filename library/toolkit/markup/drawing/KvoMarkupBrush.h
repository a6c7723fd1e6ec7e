#pragma once
#include "markup/core/KvoMarkupObject.h"

class CKvoMarkupDrawingContext;
class CKvoMarkupDependencyProperty;

// What backgrounds, borders, foregrounds and fills are painted with. Any
// brush-typed attribute accepts colour text, which becomes a solid brush.
class CKvoMarkupBrush : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // Paints the rectangle (logical units); the plain brush paints nothing.
    virtual void FillRect(CKvoMarkupDrawingContext* dc, int left, int top, int right, int bottom);
    // The brush's one colour, for drawing that needs a colour; 0 here.
    virtual COLORREF GetColor() const;

    // Colour text as a new solid-colour brush.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;
};

// Fills with its Color; draws nothing while Color is unset.
class CKvoMarkupSolidColorBrush : public CKvoMarkupBrush {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupSolidColorBrush() = default;
    explicit CKvoMarkupSolidColorBrush(COLORREF color);

    void FillRect(CKvoMarkupDrawingContext* dc, int left, int top, int right, int bottom) override;
    COLORREF GetColor() const override;
    // Another solid brush of the same colour.
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    UINT GetHashCode() const override;

    // An opaque fill of the rectangle with color, leaving the DC's
    // background colour as it was.
    static void FillOpaque(CKvoMarkupDrawingContext* dc, const RECT& rect, COLORREF color);

    // "Color": Color, no default.
    static CKvoMarkupDependencyProperty* s_colorProperty;
    static void RegisterMarkupProperties();
};
