#pragma once
#include "foundation/base/KvoPropExchange.h"

// The exchange over a class-library archive: values are written in order
// without their names, so loading must ask for them in the same order.
// Reading past the end raises the archive's end-of-file exception, as any
// archive read does.
class CKvoPropExchangeArchive : public CKvoPropExchange {
    DECLARE_DYNAMIC(CKvoPropExchangeArchive)
public:
    // archive: not owned; its mode decides the direction.
    explicit CKvoPropExchangeArchive(CArchive& archive);

    // Marks the head of the stream so that older streams without it load
    // with the schema they were written in (17).
    static constexpr DWORD SchemaMagic = 0x0FF0ADBF;
    static constexpr UINT SchemaBeforeHeader = 17;

    BOOL ExchangeProp(LPCWSTR name, VARTYPE type, void* data, const void* defaultValue) override;
    BOOL ExchangeBlob(LPCWSTR name, BYTE** data, DWORD* size) override;
    BOOL ExchangeRuntimeClass(LPCWSTR name, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass) override;
    BOOL ExchangeObjectInstance(CObject*& object, CRuntimeClass* defaultClass) override;
    CArchive* GetArchive(LPCWSTR name) override;
    void ReleaseArchive(LPCWSTR name, CArchive* archive) override;
    CKvoPropExchange* GetSection(LPCWSTR name) override;
    void WriteCount(DWORD count) override;
    DWORD ReadCount() override;
    void Write(LPCWSTR name, const void* data, UINT size) override;
    UINT Read(LPCWSTR name, void* data, UINT size) override;
    BOOL IsAllowDefaultValues() const override;
    BOOL IsSequential() const override;
    void ExchangeSchema() override;

private:
    // Raw bytes that must all be there.
    void ReadExactly(void* data, UINT size);
    BOOL ExchangeVariant(VARIANT* variant);
    // The next 32-bit value without consuming it; false when fewer than four
    // bytes are left.
    bool PeekDword(DWORD* value);

    CArchive& m_archive;
};
