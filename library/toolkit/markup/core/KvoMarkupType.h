#pragma once
#include "markup/core/KvoMarkupObject.h"

class CKvoMarkupStyle;
class CKvoMarkupType;

// A new object of the class with one reference, or null when it cannot be
// allocated.
typedef CKvoMarkupObject* (*KvoMarkupCreateFunction)();
// The record of the class's base class.
typedef CKvoMarkupType* (*KvoMarkupBaseTypeFunction)();
// Registers the class's dependency properties and routed events.
typedef void (*KvoMarkupRegisterFunction)();

// The record of one markup class: its element tag, its name, how to make an
// object of it, its base class and the registration of its properties. The
// records are made at start-up, enter the process-wide registry as they are
// made and live until the registry releases them at exit.
class CKvoMarkupType : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // A record entered in the registry; null when it cannot be allocated
    // (then nothing is entered and the class has no record).
    static CKvoMarkupType* Create(LPCWSTR tag, LPCWSTR className, KvoMarkupCreateFunction create,
                                  KvoMarkupBaseTypeFunction baseType, KvoMarkupRegisterFunction registerProperties);
    // A scratch record that only converts text to types; never entered.
    CKvoMarkupType();
    ~CKvoMarkupType() override;

    // Static text; null for classes that cannot be written as elements.
    LPCWSTR GetTag() const { return m_tag; }
    LPCWSTR GetMarkupClassName() const { return m_className; }
    // The record made before this one, in the registry's list.
    CKvoMarkupType* GetNextType() const { return m_pNextType; }
    BOOL IsRegistered() const { return m_bRegistered; }

    // Null for the root class.
    CKvoMarkupType* GetBaseType() const;
    // TRUE when base is this record or one of its bases.
    BOOL IsDerivedFrom(const CKvoMarkupType* base) const;
    // A new object of the class (one reference), or null.
    CKvoMarkupObject* CreateObject() const;
    // Registers the properties of the base classes not yet registered,
    // then this class's own; once.
    void RegisterType();
    // RegisterType for a record that may be missing.
    static void EnsureRegistered(CKvoMarkupType* type);

    // The registered record whose tag is the text (with one more
    // reference), or null.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;

    // The style under every element of exactly this type: its setters below
    // the element's own style, its triggers when the element has none. Null
    // unless a registration sets one. Borrowed.
    CKvoMarkupStyle* GetDefaultStyle() const { return m_pDefaultStyle; }
    // Takes a reference of its own on style and releases the previous one.
    void SetDefaultStyle(CKvoMarkupStyle* style);

    // Class name of type for messages; empty for a missing record.
    static LPCWSTR ClassNameOf(const CKvoMarkupType* type);

private:
    CKvoMarkupType(LPCWSTR tag, LPCWSTR className, KvoMarkupCreateFunction create, KvoMarkupBaseTypeFunction baseType,
                   KvoMarkupRegisterFunction registerProperties);
    friend class CKvoMarkupTypeRegistry;

    LPCWSTR m_tag;
    LPCWSTR m_className;
    CKvoMarkupType* m_pNextType;
    BOOL m_bRegistered;
    KvoMarkupCreateFunction m_pfnCreate;
    KvoMarkupBaseTypeFunction m_pfnBaseType;
    KvoMarkupRegisterFunction m_pfnRegister;
    CKvoMarkupStyle* m_pDefaultStyle;
};
