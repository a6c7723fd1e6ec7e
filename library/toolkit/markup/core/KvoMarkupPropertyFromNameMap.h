#pragma once
#include <afxtempl.h>

class CKvoMarkupDependencyProperty;
class CKvoMarkupType;

// A property's name (static text, compared exactly) and one of its owners
// (compared by identity).
struct CKvoMarkupFromNameKey {
    LPCWSTR name;
    const CKvoMarkupType* owner;

    bool operator==(const CKvoMarkupFromNameKey& other) const;
};

UINT AFXAPI HashKey(const CKvoMarkupFromNameKey& key);

// The process-wide map from (name, owner) to property: the builder's way
// from an attribute name to its property. Each entry holds one reference,
// released at process exit.
class CKvoMarkupPropertyFromNameMap {
public:
    static CKvoMarkupPropertyFromNameMap& Instance();
    ~CKvoMarkupPropertyFromNameMap();

    // Takes over the caller's reference on property.
    void Add(LPCWSTR name, const CKvoMarkupType* owner, CKvoMarkupDependencyProperty* property);
    // Null when nothing is entered under exactly (name, owner).
    CKvoMarkupDependencyProperty* Lookup(LPCWSTR name, const CKvoMarkupType* owner) const;

private:
    CKvoMarkupPropertyFromNameMap() = default;
    CKvoMarkupPropertyFromNameMap(const CKvoMarkupPropertyFromNameMap&) = delete;
    CKvoMarkupPropertyFromNameMap& operator=(const CKvoMarkupPropertyFromNameMap&) = delete;

    CMap<CKvoMarkupFromNameKey, const CKvoMarkupFromNameKey&, CKvoMarkupDependencyProperty*,
         CKvoMarkupDependencyProperty*>
        m_properties;
    // Entries that a later Add under the same key replaced.
    CArray<CKvoMarkupDependencyProperty*, CKvoMarkupDependencyProperty*> m_replaced;
};
