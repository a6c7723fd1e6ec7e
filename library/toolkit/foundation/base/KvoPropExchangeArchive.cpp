#include "foundation/base/KvoPropExchangeArchive.h"

#include <oleauto.h>

#include <memory>

IMPLEMENT_DYNAMIC(CKvoPropExchangeArchive, CKvoPropExchange)

namespace {

// Dates go as a date object stores itself: its 32-bit status (0, valid)
// and the OLE date.
void ExchangeArchiveDate(CArchive& archive, DATE* date)
{
    long status = 0;
    if (archive.IsStoring()) {
        archive << status << *date;
    } else {
        archive >> status >> *date;
    }
}

// A currency as its two 32-bit halves, low first.
void ExchangeArchiveCurrency(CArchive& archive, CY* currency)
{
    if (archive.IsStoring()) {
        archive << currency->Lo << currency->Hi;
    } else {
        archive >> currency->Lo >> currency->Hi;
    }
}

bool IsArchivedVariantType(VARTYPE type)
{
    switch (type) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8:
    case VT_CY: case VT_DATE: case VT_BSTR: case VT_BOOL: case VT_UI1:
        return true;
    default:
        return false;
    }
}

bool HasArchiveEncoding(VARTYPE type)
{
    switch (type) {
    case VT_I2: case VT_I4: case VT_R4: case VT_BOOL: case VT_R8: case VT_CY: case VT_DATE:
    case VT_VARIANT: case VT_UI1: case VT_LPSTR: case VT_KVO_RECT: case VT_KVO_SIZE:
        return true;
    default:
        return false;
    }
}

} // namespace

CKvoPropExchangeArchive::CKvoPropExchangeArchive(CArchive& archive) : m_archive(archive)
{
    m_bLoading = archive.IsLoading();
}

void CKvoPropExchangeArchive::ReadExactly(void* data, UINT size)
{
    if (m_archive.Read(data, size) != size)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_archive.m_strFileName);
}

BOOL CKvoPropExchangeArchive::ExchangeProp(LPCWSTR, VARTYPE type, void* data, const void*)
{
    if (!OnBeforeExchange())
        return FALSE;
    // Types without an encoding take no room in the stream.
    if (!HasArchiveEncoding(type))
        return TRUE;
    if (data == nullptr)
        return FALSE;
    const bool storing = !m_bLoading;
    switch (type) {
    case VT_I2:
        storing ? (m_archive << *static_cast<short*>(data)) : (m_archive >> *static_cast<short*>(data));
        break;
    case VT_I4:
        storing ? (m_archive << *static_cast<long*>(data)) : (m_archive >> *static_cast<long*>(data));
        break;
    case VT_R4:
        storing ? (m_archive << *static_cast<float*>(data)) : (m_archive >> *static_cast<float*>(data));
        break;
    case VT_BOOL:
        // A BOOL, 32 bits, not a VARIANT_BOOL.
        storing ? (m_archive << *static_cast<BOOL*>(data)) : (m_archive >> *static_cast<BOOL*>(data));
        break;
    case VT_R8:
        storing ? (m_archive << *static_cast<double*>(data)) : (m_archive >> *static_cast<double*>(data));
        break;
    case VT_CY:
        ExchangeArchiveCurrency(m_archive, static_cast<CY*>(data));
        break;
    case VT_DATE:
        ExchangeArchiveDate(m_archive, static_cast<DATE*>(data));
        break;
    case VT_VARIANT:
        return ExchangeVariant(static_cast<VARIANT*>(data));
    case VT_UI1:
        storing ? (m_archive << *static_cast<BYTE*>(data)) : (m_archive >> *static_cast<BYTE*>(data));
        break;
    case VT_LPSTR:
        storing ? (m_archive << *static_cast<CString*>(data)) : (m_archive >> *static_cast<CString*>(data));
        break;
    case VT_KVO_RECT:
        storing ? m_archive.Write(data, sizeof(RECT)) : ReadExactly(data, sizeof(RECT));
        break;
    case VT_KVO_SIZE:
        storing ? m_archive.Write(data, sizeof(SIZE)) : ReadExactly(data, sizeof(SIZE));
        break;
    }
    return TRUE;
}

// A variant as its type (16 bits) and then its value in the encoding of
// that type; only the scalar types and strings are kept.
BOOL CKvoPropExchangeArchive::ExchangeVariant(VARIANT* variant)
{
    VARTYPE type = variant->vt;
    if (!m_bLoading) {
        if (!IsArchivedVariantType(type))
            return FALSE;
        m_archive << type;
    } else {
        m_archive >> type;
        if (!IsArchivedVariantType(type))
            return FALSE;
        VariantClear(variant);
        variant->vt = type;
    }
    switch (type) {
    case VT_I2: return ExchangeProp(nullptr, VT_I2, &variant->iVal, nullptr);
    case VT_I4: return ExchangeProp(nullptr, VT_I4, &variant->lVal, nullptr);
    case VT_R4: return ExchangeProp(nullptr, VT_R4, &variant->fltVal, nullptr);
    case VT_R8: return ExchangeProp(nullptr, VT_R8, &variant->dblVal, nullptr);
    case VT_CY: return ExchangeProp(nullptr, VT_CY, &variant->cyVal, nullptr);
    case VT_DATE: return ExchangeProp(nullptr, VT_DATE, &variant->date, nullptr);
    case VT_UI1: return ExchangeProp(nullptr, VT_UI1, &variant->bVal, nullptr);
    case VT_BOOL: return ExchangeProp(nullptr, VT_I2, &variant->boolVal, nullptr);
    case VT_BSTR: {
        CString text;
        if (!m_bLoading)
            text = variant->bstrVal;
        ExchangeProp(nullptr, VT_LPSTR, &text, nullptr);
        if (m_bLoading)
            variant->bstrVal = SysAllocStringLen(text, static_cast<UINT>(text.GetLength()));
        return TRUE;
    }
    default:
        return TRUE;
    }
}

BOOL CKvoPropExchangeArchive::ExchangeBlob(LPCWSTR, BYTE** data, DWORD* size)
{
    if (!OnBeforeExchange() || data == nullptr || size == nullptr)
        return FALSE;
    if (!m_bLoading) {
        const DWORD length = *data != nullptr ? *size : 0;
        m_archive.WriteCount(length);
        m_archive.Write(*data, length);
        return TRUE;
    }
    const DWORD_PTR stored = m_archive.ReadCount();
    m_archive.EnsureBytesLeft(stored);
    const UINT length = static_cast<UINT>(stored);
    if (*data != nullptr && length > *size) {
        // Too big for the caller's buffer: the bytes are passed over so the
        // values after them still load, and nothing is written.
        std::unique_ptr<BYTE[]> skipped(new BYTE[length]);
        ReadExactly(skipped.get(), length);
        return FALSE;
    }
    std::unique_ptr<BYTE[]> allocated(*data == nullptr && length != 0 ? new BYTE[length] : nullptr);
    ReadExactly(allocated ? allocated.get() : *data, length);
    if (allocated)
        *data = allocated.release();
    *size = length;
    return TRUE;
}

BOOL CKvoPropExchangeArchive::ExchangeRuntimeClass(LPCWSTR, CRuntimeClass** runtimeClass, CRuntimeClass*)
{
    if (!OnBeforeExchange() || runtimeClass == nullptr)
        return FALSE;
    if (!m_bLoading) {
        if (*runtimeClass == nullptr)
            return FALSE;
        m_archive.WriteClass(*runtimeClass);
        return TRUE;
    }
    UINT schema = m_nSchema;
    CRuntimeClass* loaded = m_archive.ReadClass(nullptr, &schema);
    if (loaded == nullptr)
        return FALSE;
    m_nSchema = schema;
    *runtimeClass = loaded;
    return TRUE;
}

BOOL CKvoPropExchangeArchive::ExchangeObjectInstance(CObject*& object, CRuntimeClass* defaultClass)
{
    if (!OnBeforeExchange() || !CKvoPropExchange::ExchangeObjectInstance(object, defaultClass))
        return FALSE;
    // Later references to the object in the archive resolve to it, as
    // they would had the archive written the object itself.
    m_archive.MapObject(object);
    return TRUE;
}

CArchive* CKvoPropExchangeArchive::GetArchive(LPCWSTR)
{
    return OnBeforeExchange() ? &m_archive : nullptr;
}

void CKvoPropExchangeArchive::ReleaseArchive(LPCWSTR, CArchive*)
{
}

CKvoPropExchange* CKvoPropExchangeArchive::GetSection(LPCWSTR)
{
    if (!OnBeforeExchange())
        return nullptr;
    CKvoPropExchangeArchive* section = new CKvoPropExchangeArchive(m_archive);
    section->InheritSettings(*this);
    return section;
}

void CKvoPropExchangeArchive::WriteCount(DWORD count)
{
    if (OnBeforeExchange())
        m_archive.WriteCount(count);
}

DWORD CKvoPropExchangeArchive::ReadCount()
{
    return OnBeforeExchange() ? static_cast<DWORD>(m_archive.ReadCount()) : 0;
}

void CKvoPropExchangeArchive::Write(LPCWSTR, const void* data, UINT size)
{
    if (OnBeforeExchange())
        m_archive.Write(data, size);
}

UINT CKvoPropExchangeArchive::Read(LPCWSTR, void* data, UINT size)
{
    return OnBeforeExchange() ? m_archive.Read(data, size) : 0;
}

BOOL CKvoPropExchangeArchive::IsAllowDefaultValues() const
{
    return FALSE;
}

BOOL CKvoPropExchangeArchive::IsSequential() const
{
    return TRUE;
}

bool CKvoPropExchangeArchive::PeekDword(DWORD* value)
{
    const UINT buffered = static_cast<UINT>(m_archive.m_lpBufMax - m_archive.m_lpBufCur);
    if (buffered < sizeof(DWORD)) {
        if (m_archive.GetBytesLeft() < sizeof(DWORD))
            return false;
        m_archive.FillBuffer(sizeof(DWORD) - buffered);
    }
    memcpy(value, m_archive.m_lpBufCur, sizeof(DWORD));
    return true;
}

void CKvoPropExchangeArchive::ExchangeSchema()
{
    if (!OnBeforeExchange())
        return;
    if (!m_bLoading) {
        m_archive << SchemaMagic << m_nSchema;
        return;
    }
    DWORD head = 0;
    if (!PeekDword(&head) || head != SchemaMagic) {
        m_nSchema = SchemaBeforeHeader;
        return;
    }
    m_archive >> head >> m_nSchema;
}
