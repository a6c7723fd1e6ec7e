#pragma once
#include <afxtempl.h>

class CKvoMarkupType;

// The process-wide registry of markup type records: element tags to records
// (case-sensitive), and the list of every record, the last made first. It
// owns one reference on every record and releases them at process exit.
class CKvoMarkupTypeRegistry {
public:
    // Made on first use (the first record made at start-up).
    static CKvoMarkupTypeRegistry& Instance();
    ~CKvoMarkupTypeRegistry();

    // Puts type at the head of the list, and under its tag when it has one.
    void AddType(CKvoMarkupType* type);
    // The record entered under tag (exactly as written), or null.
    CKvoMarkupType* FindType(LPCWSTR tag) const;
    // The head of the list (the last record made); walk on with GetNextType.
    CKvoMarkupType* GetFirstType() const { return m_pFirstType; }

private:
    CKvoMarkupTypeRegistry();
    CKvoMarkupTypeRegistry(const CKvoMarkupTypeRegistry&) = delete;
    CKvoMarkupTypeRegistry& operator=(const CKvoMarkupTypeRegistry&) = delete;

    CMap<CStringW, LPCWSTR, CKvoMarkupType*, CKvoMarkupType*> m_typesByTag;
    CKvoMarkupType* m_pFirstType;
};
