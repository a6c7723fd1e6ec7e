#pragma once
#include "markup/core/KvoMarkupObject.h"

// An immutable 64-bit floating-point value.
class CKvoMarkupDouble : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupDouble(double value = 0) : m_value(value) {}
    double GetValue() const { return m_value; }

    UINT GetHashCode() const override;
    // Exact comparison: a NaN equals nothing.
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    // Text read as one single-precision number, then widened.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;

private:
    const double m_value;
};
