#pragma once
#include "markup/core/KvoMarkupObject.h"

// An immutable text with its length in characters. The empty text, " " and
// "\n" are shared.
class CKvoMarkupString : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupString() = default;
    // length characters of text, or all of it when length is -1.
    CKvoMarkupString(LPCWSTR text, int length);

    // A string with one more reference: the shared one for the empty text
    // (also null text or length 0), " " and "\n"; else a new one (null when
    // it cannot be allocated).
    static CKvoMarkupString* CreateString(LPCWSTR text, int length = -1);

    LPCWSTR GetString() const { return m_text.GetString(); }
    int GetLength() const { return m_text.GetLength(); }

    // h = h * 33 + character.
    UINT GetHashCode() const override;
    BOOL IsEqual(const CKvoMarkupObject* other) const override;

private:
    CStringW m_text;
};
