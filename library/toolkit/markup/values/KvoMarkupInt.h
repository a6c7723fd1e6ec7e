#pragma once
#include "markup/core/KvoMarkupObject.h"

// An immutable 32-bit integer value.
class CKvoMarkupInt : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupInt(int value = 0) : m_value(value) {}
    int GetValue() const { return m_value; }

    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    // Text as a decimal number (sign, leading digits; 0 without digits).
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;

    // The integer that text starts with, the way ConvertFrom reads it.
    static int ParseInt(LPCWSTR text);

private:
    const int m_value;
};
