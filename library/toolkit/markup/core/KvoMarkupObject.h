#pragma once
#include <afx.h>

class CKvoMarkupBuilder;
class CKvoMarkupDependencyProperty;
class CKvoMarkupProperties;
class CKvoMarkupType;

// Declares the class's type record (made at start-up by the record table)
// and answers GetType with it.
#define DECLARE_MARKUP_TYPE()           \
public:                                 \
    static CKvoMarkupType* s_type;      \
    CKvoMarkupType* GetType() const override { return s_type; }

#define IMPLEMENT_MARKUP_TYPE(className) CKvoMarkupType* className::s_type = nullptr;

// The root of every markup object: a reference count that starts at 1, the
// logical parent, the values set on the object through dependency
// properties, and the tag the object was written with. Objects of one
// markup context live on that context's window thread; only the count is
// changed atomically.
class CKvoMarkupObject {
public:
    CKvoMarkupObject();
    CKvoMarkupObject(const CKvoMarkupObject&) = delete;
    CKvoMarkupObject& operator=(const CKvoMarkupObject&) = delete;

    // The new count.
    long AddRef();
    // The new count; at 0 OnFinalRelease runs. An object already at 0 is
    // left alone and 0 is returned.
    long Release();

    // The object that holds this one; not owned, no reference.
    CKvoMarkupObject* GetLogicalParent() const { return m_pLogicalParent; }
    void SetLogicalParent(CKvoMarkupObject* parent) { m_pLogicalParent = parent; }

    // TRUE when GetType() is type or derives from it.
    BOOL IsKindOf(const CKvoMarkupType* type) const;

    // The element tag as written in markup; null for objects made in code.
    LPCWSTR GetTagText() const { return m_tagText.IsEmpty() ? nullptr : m_tagText.GetString(); }
    void SetTagText(LPCWSTR tag) { m_tagText = tag; }

    // The effective value: this object's own, else (for an inheriting
    // property) the nearest logical ancestor's, else the default. Borrowed:
    // no reference is added.
    CKvoMarkupObject* GetValue(const CKvoMarkupDependencyProperty* property) const;
    // The object the effective value comes from, or null when it is the
    // default.
    const CKvoMarkupObject* GetValueSource(const CKvoMarkupDependencyProperty* property) const;
    // Takes over the caller's reference on value (null clears the local
    // value). A value that is not of the property's value type is dropped.
    // Notifies this object and, for inheriting properties, its logical
    // descendants, every time (even when the value is the same).
    void SetValue(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value);
    // This object's own values; null until the first value is set.
    CKvoMarkupProperties* GetProperties() const { return m_pProperties; }

    // The class's type record.
    virtual CKvoMarkupType* GetType() const;
    virtual ~CKvoMarkupObject();
    // The value set on this object itself, or null.
    virtual CKvoMarkupObject* GetValueCore(const CKvoMarkupDependencyProperty* property) const;
    virtual UINT GetHashCode() const;
    virtual BOOL IsEqual(const CKvoMarkupObject* other) const;
    virtual int GetLogicalChildrenCount() const;
    virtual CKvoMarkupObject* GetLogicalChild(int index) const;
    // Parsed content of the element. Takes over the caller's reference on
    // content, also when the content is refused with a build error.
    virtual void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content);
    // A parsed attribute or property element: converts value to the
    // property's value type when needed, then SetValue. Takes over the
    // caller's reference on value, also when the conversion fails with a
    // build error.
    virtual void SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                                   CKvoMarkupObject* value);
    // A new value of this object's class made from text; null when the
    // class has no text form or the text does not convert.
    virtual CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value);
    virtual BOOL HasContentObject() const;
    virtual BOOL AllowWhiteSpaceContent() const;
    // Runs the property's change callback, if it has one.
    virtual void OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                                   CKvoMarkupObject* newValue);
    virtual void OnFinalRelease();

    // How many markup objects exist in the process (leak checks).
    static long GetLiveObjectCount();

    static CKvoMarkupType* s_type;
    // "x:Name" (a String) and "x:Key" (any object).
    static CKvoMarkupDependencyProperty* s_nameProperty;
    static CKvoMarkupDependencyProperty* s_keyProperty;
    static void RegisterMarkupProperties();

protected:
    // The class name of this object's type, for messages.
    LPCWSTR GetClassNameText() const;
    // Tells the logical descendants of an inheriting property's change, as
    // SetValue does.
    void NotifyInheritingDescendants(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                                     CKvoMarkupObject* newValue);

private:

    CKvoMarkupObject* m_pLogicalParent;
    CKvoMarkupProperties* m_pProperties;
    CStringW m_tagText;
    volatile long m_nRefCount;
};

// object when it is of type, else null.
CKvoMarkupObject* MarkupDynamicCast(const CKvoMarkupType* type, CKvoMarkupObject* object);
