#pragma once
#include <afx.h>
#include <afxwin.h>
#include <wtypes.h>

class CKvoPropExchangeEnumerator;

// Property types beside the OLE VARTYPEs that ExchangeProp understands.
enum : VARTYPE {
    VT_KVO_RECT = 100,
    VT_KVO_SIZE = 101,
};

// One routine of an object both saves and loads its named properties
// through this interface: the direction is the loading flag, missing values
// load as their defaults, sub-objects live in sections and lists of them in
// numbered sections. The base gives the named, text-friendly forms (a blob
// as letters, a class by its name, counts and the schema as named longs)
// that a store keyed by names relies on; a store supplies ExchangeProp and
// GetSection.
class CKvoPropExchange : public CCmdTarget {
    DECLARE_DYNAMIC(CKvoPropExchange)
public:
    // The schema number of stores written now.
    static constexpr UINT CurrentSchema = 33;

    CKvoPropExchange();

    BOOL IsLoading() const { return m_bLoading; }
    UINT GetSchema() const { return m_nSchema; }
    void SetSchema(UINT schema) { m_nSchema = schema; }
    BOOL IsChildSection() const { return m_bChildSection; }
    BOOL IsUsed() const { return m_bUsed; }
    BOOL IsUseDefaultOnLoad() const { return m_bUseDefaultOnLoad; }
    // Whether the objects may leave out values equal to their defaults when
    // storing (a store that allows it finds them missing and loads the
    // default); on unless the starter of the exchange turns it off.
    BOOL IsUseDefaultOnSave() const { return m_bUseDefaultOnSave; }
    void SetUseDefaultOnSave(BOOL useDefault) { m_bUseDefaultOnSave = useDefault; }

    // data points at the value of the given type (long for VT_I4, BOOL for
    // VT_BOOL, CString for VT_LPSTR, RECT, SIZE ...); defaultValue at one of
    // the same type, or null where there is none.
    virtual BOOL ExchangeProp(LPCWSTR name, VARTYPE type, void* data, const void* defaultValue) = 0;
    // Storing: *size bytes at *data. Loading: into *data when it is given
    // (*size is then its capacity), else into a new[] buffer the caller
    // frees; *size becomes the number of bytes read.
    virtual BOOL ExchangeBlob(LPCWSTR name, BYTE** data, DWORD* size);
    virtual BOOL ExchangeRuntimeClass(LPCWSTR name, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass);
    // Storing: the object's class. Loading: a new object of the class read,
    // kept only when it is of defaultClass; anything else is deleted and the
    // result is FALSE with object null.
    virtual BOOL ExchangeObjectInstance(CObject*& object, CRuntimeClass* defaultClass);
    // An archive over the property's bytes for an object's own Serialize,
    // NULL when there is nothing to load; give it back to ReleaseArchive.
    virtual CArchive* GetArchive(LPCWSTR name);
    virtual void ReleaseArchive(LPCWSTR name, CArchive* archive);
    // A sub-exchange that the caller releases (InternalRelease).
    virtual CKvoPropExchange* GetSection(LPCWSTR name) = 0;
    virtual void UseDefaultOnLoad(BOOL useDefault = TRUE);
    virtual void WriteCount(DWORD count);
    virtual DWORD ReadCount();
    virtual void Write(LPCWSTR name, const void* data, UINT size);
    // The number of bytes read into data, 0 on failure.
    virtual UINT Read(LPCWSTR name, void* data, UINT size);
    // Whether properties equal to their defaults may be left out: a store
    // keyed by names finds them missing and loads the default.
    virtual BOOL IsAllowDefaultValues() const;
    // Whether the store ignores names and loads values in the order they
    // were stored.
    virtual BOOL IsSequential() const;
    virtual BOOL OnBeforeExchange();
    // The caller deletes the enumerator.
    virtual CKvoPropExchangeEnumerator* GetEnumerator(LPCWSTR sectionName);
    virtual void ExchangeSchema();

    // Set by whoever starts the exchange and handed on to every section:
    // what the persisted objects need to find each other (not owned).
    void* m_pContext;
    // The object whose elements are being exchanged, set by a collection
    // before each element (not owned).
    CObject* m_pOwner;

protected:
    // A section takes over what its parent's settings are.
    void InheritSettings(const CKvoPropExchange& parent);

    BOOL m_bLoading;
    UINT m_nSchema;
    BOOL m_bChildSection;
    BOOL m_bUseDefaultOnLoad;
    BOOL m_bUsed;
    BOOL m_bUseDefaultOnSave;
};

// Walks the numbered sections base0, base1 ... of an exchange.
class CKvoPropExchangeEnumerator {
public:
    // exchange: not owned.
    CKvoPropExchangeEnumerator(CKvoPropExchange* exchange, LPCWSTR sectionName);
    virtual ~CKvoPropExchangeEnumerator() = default;

    // Storing: count is the number of sections to come; loading: it is read.
    // compact: the count as the store's own count form rather than the long
    // property "Count". The first position, or 0 when there are none.
    virtual POSITION OnStartExchange(DWORD count, BOOL compact = FALSE);
    // The section at position (released by the caller); position moves on
    // and becomes 0 after the last.
    virtual CKvoPropExchange* GetNext(POSITION& position);

    DWORD GetCount() const { return m_count; }

protected:
    CKvoPropExchange* m_pExchange;
    CString m_sectionName;
    DWORD m_count;
};

// Typed exchanges; each answers FALSE and does nothing for a null exchange.
BOOL PropExchangeBool(CKvoPropExchange* exchange, LPCWSTR name, BOOL* value, BOOL defaultValue);
BOOL PropExchangeLong(CKvoPropExchange* exchange, LPCWSTR name, long* value, long defaultValue);
BOOL PropExchangeLongNoDefault(CKvoPropExchange* exchange, LPCWSTR name, long* value);
BOOL PropExchangeString(CKvoPropExchange* exchange, LPCWSTR name, CString* value, LPCWSTR defaultValue);
BOOL PropExchangeStringNoDefault(CKvoPropExchange* exchange, LPCWSTR name, CString* value);
BOOL PropExchangeRect(CKvoPropExchange* exchange, LPCWSTR name, RECT* value, RECT defaultValue);
BOOL PropExchangeSize(CKvoPropExchange* exchange, LPCWSTR name, SIZE* value, SIZE defaultValue);
BOOL PropExchangeBlob(CKvoPropExchange* exchange, LPCWSTR name, BYTE** data, DWORD* size);
BOOL PropExchangeRuntimeClass(CKvoPropExchange* exchange, LPCWSTR name, CRuntimeClass** runtimeClass,
                              CRuntimeClass* defaultClass);
// The object's own Serialize over the property's archive; an archive or
// file exception there is swallowed and answers FALSE.
BOOL PropExchangeObject(CKvoPropExchange* exchange, LPCWSTR name, CObject* object);
