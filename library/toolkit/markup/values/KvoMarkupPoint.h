#pragma once
#include "markup/core/KvoMarkupObject.h"

// An immutable point of two floating-point coordinates; gradient brushes
// take their start and end points as fractions of the filled rectangle.
class CKvoMarkupPoint : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupPoint() : CKvoMarkupPoint(0, 0) {}
    CKvoMarkupPoint(double x, double y) : m_x(x), m_y(y) {}
    double GetX() const { return m_x; }
    double GetY() const { return m_y; }

    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    // "x,y": exactly two numbers, read in single precision and widened.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;

private:
    const double m_x;
    const double m_y;
};
