#pragma once
#include "markup/core/KvoMarkupObject.h"

// An immutable boolean; the two shared instances serve every caller.
class CKvoMarkupBool : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupBool(BOOL value = FALSE) : m_value(value) {}
    BOOL GetValue() const { return m_value; }

    // The shared True or False, with one more reference.
    static CKvoMarkupBool* GetShared(BOOL value);

    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;
    // "True" or "False" in any letter case: the shared value.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;

private:
    const BOOL m_value;
};
