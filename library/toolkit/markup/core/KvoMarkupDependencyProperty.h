#pragma once
#include "markup/core/KvoMarkupObject.h"
#include "markup/core/KvoMarkupPropertyMetadata.h"

// A named attribute that markup can set on objects of its owner type (or,
// when attached, on any object). Each property that is not a routed event
// has a slot in every property store, its index. Properties are registered
// once per process and live until exit.
class CKvoMarkupDependencyProperty : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // Null when the property cannot be allocated. Takes over metadata (may
    // be null: no default, no flags).
    static CKvoMarkupDependencyProperty* Register(LPCWSTR name, CKvoMarkupType* valueType, CKvoMarkupType* ownerType,
                                                 CKvoMarkupPropertyMetadata* metadata = nullptr);
    // The same, for a property that may be set on an object of any type.
    static CKvoMarkupDependencyProperty* RegisterAttached(LPCWSTR name, CKvoMarkupType* valueType,
                                                          CKvoMarkupType* ownerType,
                                                          CKvoMarkupPropertyMetadata* metadata = nullptr);
    // Makes this property known under its name for owner too; both owners
    // address the same slot.
    CKvoMarkupDependencyProperty* AddOwner(CKvoMarkupType* owner);
    // The property named name for type or the nearest of its bases; null.
    static CKvoMarkupDependencyProperty* FindProperty(LPCWSTR name, const CKvoMarkupType* type);
    // Slots taken so far: the size of a store made now.
    static int GetPropertyCount();

    // A scratch object for the record table; registered properties come
    // from Register.
    CKvoMarkupDependencyProperty();
    ~CKvoMarkupDependencyProperty() override;

    LPCWSTR GetName() const { return m_name; }
    CKvoMarkupType* GetValueType() const { return m_pValueType; }
    CKvoMarkupType* GetOwnerType() const { return m_pOwnerType; }
    CKvoMarkupPropertyMetadata* GetMetadata() const { return m_pMetadata; }
    // The metadata's default, or null.
    CKvoMarkupObject* GetDefaultValue() const;
    // TRUE when the metadata has the flag.
    BOOL HasFlag(DWORD flag) const;
    BOOL IsAttached() const { return m_bAttached; }
    // The store slot; -1 for routed events.
    int GetIndex() const { return m_nIndex; }

    virtual BOOL IsEvent() const { return FALSE; }

protected:
    CKvoMarkupDependencyProperty(LPCWSTR name, CKvoMarkupType* valueType, CKvoMarkupType* ownerType,
                                 CKvoMarkupPropertyMetadata* metadata, BOOL attached);
    // Gives property its slot (unless it is an event) and enters it under
    // its name and owner; the name map keeps the reference. Null stays null.
    static CKvoMarkupDependencyProperty* Enter(CKvoMarkupDependencyProperty* property);

private:
    LPCWSTR m_name;
    CKvoMarkupType* m_pValueType;
    CKvoMarkupType* m_pOwnerType;
    CKvoMarkupPropertyMetadata* m_pMetadata;
    BOOL m_bAttached;
    int m_nIndex;
};
