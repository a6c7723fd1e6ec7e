#pragma once
#include "markup/core/KvoMarkupObject.h"

// What a grid length's number means.
namespace KvoMarkupGridUnit {
enum : int { Auto = 0, Pixel = 1, Star = 2 };
}

// An immutable column width or row height: "Auto", pixels, or a star weight.
class CKvoMarkupGridLength : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupGridLength() : CKvoMarkupGridLength(0.0, KvoMarkupGridUnit::Pixel) {}
    CKvoMarkupGridLength(double value, int unit) : m_value(value), m_unit(unit) {}
    double GetValue() const { return m_value; }
    int GetUnit() const { return m_unit; }
    BOOL IsStar() const { return m_unit == KvoMarkupGridUnit::Star; }
    // "Auto", "*", "N*" or "N" (a text without a number reads as 0).
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;
    // The star weight for layout: 0 when negative or not finite, so that
    // sums of weights stay positive.
    double GetStarWeight() const;
    // The pixel value truncated to a whole int32, saturating.
    int GetPixels() const;

private:
    const double m_value;
    const int m_unit;
};
