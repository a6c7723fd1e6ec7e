#pragma once
#include "markup/core/KvoMarkupObject.h"

// A colour (COLORREF 0x00BBGGRR). A Color element may give its colour as
// text content.
class CKvoMarkupColor : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupColor(COLORREF color = 0) : m_color(color) {}
    COLORREF GetColor() const { return m_color; }

    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    // Colour text (hash forms or a colour name).
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;
    // Text content that is colour text becomes this object's colour.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;

private:
    COLORREF m_color;
};
