#pragma once
#include <afx.h>

class CKvoMarkupContext;
class CKvoMarkupDependencyProperty;
class CKvoMarkupObject;

// Bits of CKvoMarkupPropertyMetadata's flags.
namespace KvoMarkupPropertyFlag {
enum : DWORD {
    Inherits = 1,        // logical descendants without a value of their own read the ancestor's
    AffectsArrange = 2,
    AffectsMeasure = 4,
    AffectsRender = 32,
};
}

// What a change callback is told.
struct KvoMarkupPropertyChange {
    const CKvoMarkupDependencyProperty* property;
    CKvoMarkupObject* oldValue; // effective values, borrowed; either may be null
    CKvoMarkupObject* newValue;
};

// Text to value before the value type's own conversion: a new value (one
// reference) or null when the text is not one this converter knows.
typedef CKvoMarkupObject* (*KvoMarkupValueConverter)(CKvoMarkupContext* context, CKvoMarkupObject* value);
// Told after a property's effective value changed on object.
typedef void (*KvoMarkupChangeCallback)(CKvoMarkupObject* object, const KvoMarkupPropertyChange& change);

// A property's default, converter, change callback and flags; owned by its
// property. Each constructor takes over the caller's reference on the
// default value.
class CKvoMarkupPropertyMetadata {
public:
    CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue, DWORD flags);
    CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue, KvoMarkupValueConverter converter, DWORD flags);
    CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue, KvoMarkupValueConverter converter,
                               KvoMarkupChangeCallback callback, DWORD flags);
    CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue, KvoMarkupChangeCallback callback, DWORD flags);
    ~CKvoMarkupPropertyMetadata();
    CKvoMarkupPropertyMetadata(const CKvoMarkupPropertyMetadata&) = delete;
    CKvoMarkupPropertyMetadata& operator=(const CKvoMarkupPropertyMetadata&) = delete;

    // Borrowed; may be null.
    CKvoMarkupObject* GetDefaultValue() const { return m_pDefaultValue; }
    KvoMarkupValueConverter GetConverter() const { return m_pfnConverter; }
    KvoMarkupChangeCallback GetChangeCallback() const { return m_pfnChangeCallback; }
    DWORD GetFlags() const { return m_flags; }
    BOOL HasFlag(DWORD flag) const { return (m_flags & flag) != 0; }

private:
    CKvoMarkupObject* m_pDefaultValue;
    KvoMarkupValueConverter m_pfnConverter;
    KvoMarkupChangeCallback m_pfnChangeCallback;
    DWORD m_flags;
};
