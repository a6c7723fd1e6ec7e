#pragma once
#include "markup/core/KvoMarkupObject.h"

// An immutable enumeration value; what each number means is fixed by the
// property's converter. It has no text form of its own.
class CKvoMarkupEnum : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupEnum(int value = 0) : m_value(value) {}
    int GetValue() const { return m_value; }

    // With one more reference: the shared object for 0 to 7, a new one
    // (or null when it cannot be allocated) for any other value.
    static CKvoMarkupEnum* GetShared(int value);

    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;

private:
    const int m_value;
};
