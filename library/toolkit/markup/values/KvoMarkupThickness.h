#pragma once
#include <atltypes.h>
#include "markup/core/KvoMarkupObject.h"

// Four immutable side widths: margins, paddings, border widths.
class CKvoMarkupThickness : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupThickness() : CKvoMarkupThickness(0, 0, 0, 0) {}
    CKvoMarkupThickness(int left, int top, int right, int bottom);

    // The shared zero thickness, with one more reference.
    static CKvoMarkupThickness* GetZero();

    int GetLeft() const { return m_left; }
    int GetTop() const { return m_top; }
    int GetRight() const { return m_right; }
    int GetBottom() const { return m_bottom; }

    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    // "left, top, right, bottom" with commas, or one number for all sides.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;

    // rect with its left and top moved in by thickness and its width and
    // height reduced by both sides, never below 0; unchanged for null.
    static CRect DeflateRect(const CRect& rect, const CKvoMarkupThickness* thickness);

private:
    const int m_left;
    const int m_top;
    const int m_right;
    const int m_bottom;
};
