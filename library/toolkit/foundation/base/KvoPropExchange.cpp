#include "foundation/base/KvoPropExchange.h"

#include "foundation/base/KvoResourceManager.h"

#include <memory>

IMPLEMENT_DYNAMIC(CKvoPropExchange, CCmdTarget)

namespace {

// A store keyed by names keeps a blob as text: every byte as two letters
// from 'A', its low nibble first (0x3C gives "MD").
CString BlobToLetters(const BYTE* data, DWORD size)
{
    CString letters;
    LPWSTR out = letters.GetBuffer(static_cast<int>(size * 2));
    for (DWORD i = 0; i < size; ++i) {
        out[i * 2] = static_cast<wchar_t>(L'A' + (data[i] & 0x0F));
        out[i * 2 + 1] = static_cast<wchar_t>(L'A' + (data[i] >> 4));
    }
    letters.ReleaseBuffer(static_cast<int>(size * 2));
    return letters;
}

bool IsNibbleLetter(wchar_t c)
{
    return c >= L'A' && c < L'A' + 16;
}

// Checks every letter before the first byte is written, so a damaged text
// leaves the caller's buffer as it was.
bool LettersToBytes(const CString& letters, BYTE* out)
{
    const int length = letters.GetLength();
    for (int i = 0; i < length; ++i) {
        if (!IsNibbleLetter(letters[i]))
            return false;
    }
    for (int i = 0; i < length / 2; ++i)
        out[i] = static_cast<BYTE>(((letters[i * 2 + 1] - L'A') << 4) | (letters[i * 2] - L'A'));
    return true;
}

const UINT PropArchiveBufferSize = 4096;
const UINT PropArchiveGrowSize = 1024;

} // namespace

CKvoPropExchange::CKvoPropExchange()
    : m_pContext(nullptr), m_pOwner(nullptr), m_bLoading(TRUE), m_nSchema(CurrentSchema),
      m_bChildSection(FALSE), m_bUseDefaultOnLoad(FALSE), m_bUsed(FALSE), m_bUseDefaultOnSave(TRUE)
{
}

void CKvoPropExchange::InheritSettings(const CKvoPropExchange& parent)
{
    m_bChildSection = TRUE;
    m_nSchema = parent.m_nSchema;
    m_bUseDefaultOnLoad = parent.m_bUseDefaultOnLoad;
    m_pContext = parent.m_pContext;
    m_bUseDefaultOnSave = parent.m_bUseDefaultOnSave;
}

BOOL CKvoPropExchange::ExchangeBlob(LPCWSTR name, BYTE** data, DWORD* size)
{
    if (data == nullptr || size == nullptr)
        return FALSE;
    CString letters;
    if (!m_bLoading) {
        letters = BlobToLetters(*data, *data != nullptr ? *size : 0);
        return ExchangeProp(name, VT_LPSTR, &letters, L"");
    }
    if (!ExchangeProp(name, VT_LPSTR, &letters, L"") || letters.GetLength() % 2 != 0)
        return FALSE;
    const DWORD stored = static_cast<DWORD>(letters.GetLength() / 2);
    if (stored == 0) {
        *size = 0;
        return TRUE;
    }
    // A given buffer is filled only when the whole blob fits it.
    if (*data != nullptr && stored > *size)
        return FALSE;
    std::unique_ptr<BYTE[]> allocated(*data == nullptr ? new BYTE[stored] : nullptr);
    BYTE* target = allocated ? allocated.get() : *data;
    if (!LettersToBytes(letters, target))
        return FALSE;
    if (allocated)
        *data = allocated.release();
    *size = stored;
    return TRUE;
}

BOOL CKvoPropExchange::ExchangeRuntimeClass(LPCWSTR name, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass)
{
    if (runtimeClass == nullptr)
        return FALSE;
    CString className;
    if (!m_bLoading) {
        if (*runtimeClass == nullptr)
            return FALSE;
        className = (*runtimeClass)->m_lpszClassName;
        return ExchangeProp(name, VT_LPSTR, &className, L"");
    }
    if (!ExchangeProp(name, VT_LPSTR, &className, L""))
        return FALSE;
    if (className.IsEmpty()) {
        *runtimeClass = defaultClass;
        return TRUE;
    }
    // Registered class names are 8-bit text.
    CKvoResourceManager* resources = CKvoResourceManager::Instance();
    CRuntimeClass* found = CRuntimeClass::FromName(resources->WideToAnsi(className));
    resources->FreeAnsi();
    if (found == nullptr)
        return FALSE;
    *runtimeClass = found;
    return TRUE;
}

BOOL CKvoPropExchange::ExchangeObjectInstance(CObject*& object, CRuntimeClass* defaultClass)
{
    CRuntimeClass* runtimeClass = nullptr;
    if (!m_bLoading) {
        if (object == nullptr)
            return FALSE;
        runtimeClass = object->GetRuntimeClass();
        return ExchangeRuntimeClass(L"Class", &runtimeClass, defaultClass);
    }
    object = nullptr;
    if (!ExchangeRuntimeClass(L"Class", &runtimeClass, defaultClass) || runtimeClass == nullptr)
        return FALSE;
    CObject* created = runtimeClass->CreateObject();
    if (created == nullptr)
        return FALSE;
    // A layout from elsewhere may name any registered class; only the
    // expected kind is handed on, so the caller never casts a stranger.
    if (defaultClass != nullptr && !created->IsKindOf(defaultClass)) {
        delete created;
        return FALSE;
    }
    object = created;
    return TRUE;
}

CArchive* CKvoPropExchange::GetArchive(LPCWSTR name)
{
    auto file = std::make_unique<CMemFile>(PropArchiveGrowSize);
    if (m_bLoading) {
        BYTE* data = nullptr;
        DWORD size = 0;
        if (!ExchangeBlob(name, &data, &size) || size == 0)
            return nullptr;
        std::unique_ptr<BYTE[]> blob(data);
        file->Write(blob.get(), size);
        file->SeekToBegin();
    }
    CArchive* archive =
        new CArchive(file.get(), m_bLoading ? CArchive::load : CArchive::store, PropArchiveBufferSize);
    file.release();
    return archive;
}

void CKvoPropExchange::ReleaseArchive(LPCWSTR name, CArchive* archive)
{
    if (archive == nullptr)
        return;
    // The archive goes before the file it writes to.
    std::unique_ptr<CFile> file(archive->GetFile());
    std::unique_ptr<CArchive> owned(archive);
    if (!m_bLoading) {
        archive->Flush();
        CMemFile* memory = static_cast<CMemFile*>(file.get());
        DWORD size = static_cast<DWORD>(memory->GetLength());
        BYTE* bytes = memory->Detach();
        ExchangeBlob(name, &bytes, &size);
        free(bytes);
    }
    archive->Abort();
}

void CKvoPropExchange::UseDefaultOnLoad(BOOL useDefault)
{
    m_bUseDefaultOnLoad = useDefault;
}

void CKvoPropExchange::WriteCount(DWORD count)
{
    long value = static_cast<long>(count);
    PropExchangeLong(this, L"Count", &value, 0);
}

DWORD CKvoPropExchange::ReadCount()
{
    long value = 0;
    PropExchangeLong(this, L"Count", &value, 0);
    return static_cast<DWORD>(value);
}

void CKvoPropExchange::Write(LPCWSTR name, const void* data, UINT size)
{
    BYTE* bytes = static_cast<BYTE*>(const_cast<void*>(data));
    DWORD length = size;
    ExchangeBlob(name, &bytes, &length);
}

UINT CKvoPropExchange::Read(LPCWSTR name, void* data, UINT size)
{
    if (data == nullptr)
        return 0;
    BYTE* bytes = static_cast<BYTE*>(data);
    DWORD length = size;
    return ExchangeBlob(name, &bytes, &length) ? length : 0;
}

BOOL CKvoPropExchange::IsAllowDefaultValues() const
{
    return TRUE;
}

BOOL CKvoPropExchange::IsSequential() const
{
    return FALSE;
}

BOOL CKvoPropExchange::OnBeforeExchange()
{
    m_bUsed = TRUE;
    return TRUE;
}

CKvoPropExchangeEnumerator* CKvoPropExchange::GetEnumerator(LPCWSTR sectionName)
{
    return new CKvoPropExchangeEnumerator(this, sectionName);
}

void CKvoPropExchange::ExchangeSchema()
{
    // Stores written before the schema was kept carry the layout of 32.
    long schema = static_cast<long>(m_nSchema);
    PropExchangeLong(this, L"Schema", &schema, 32);
    m_nSchema = static_cast<UINT>(schema);
}

CKvoPropExchangeEnumerator::CKvoPropExchangeEnumerator(CKvoPropExchange* exchange, LPCWSTR sectionName)
    : m_pExchange(exchange), m_sectionName(sectionName), m_count(0)
{
}

POSITION CKvoPropExchangeEnumerator::OnStartExchange(DWORD count, BOOL compact)
{
    if (m_pExchange == nullptr)
        return nullptr;
    m_count = count;
    if (!compact) {
        long value = static_cast<long>(count);
        PropExchangeLong(m_pExchange, L"Count", &value, 0);
        m_count = static_cast<DWORD>(value);
    } else if (m_pExchange->IsLoading()) {
        m_count = m_pExchange->ReadCount();
    } else {
        m_pExchange->WriteCount(count);
    }
    return m_count != 0 ? reinterpret_cast<POSITION>(1) : nullptr;
}

CKvoPropExchange* CKvoPropExchangeEnumerator::GetNext(POSITION& position)
{
    if (m_pExchange == nullptr || position == nullptr)
        return nullptr;
    const UINT_PTR index = reinterpret_cast<UINT_PTR>(position);
    CString name;
    name.Format(L"%s%i", static_cast<LPCWSTR>(m_sectionName), static_cast<int>(index - 1));
    position = index + 1 > m_count ? nullptr : reinterpret_cast<POSITION>(index + 1);
    return m_pExchange->GetSection(name);
}

BOOL PropExchangeBool(CKvoPropExchange* exchange, LPCWSTR name, BOOL* value, BOOL defaultValue)
{
    return exchange != nullptr && exchange->ExchangeProp(name, VT_BOOL, value, &defaultValue);
}

BOOL PropExchangeLong(CKvoPropExchange* exchange, LPCWSTR name, long* value, long defaultValue)
{
    return exchange != nullptr && exchange->ExchangeProp(name, VT_I4, value, &defaultValue);
}

BOOL PropExchangeLongNoDefault(CKvoPropExchange* exchange, LPCWSTR name, long* value)
{
    return PropExchangeLong(exchange, name, value, 0);
}

BOOL PropExchangeString(CKvoPropExchange* exchange, LPCWSTR name, CString* value, LPCWSTR defaultValue)
{
    return exchange != nullptr && exchange->ExchangeProp(name, VT_LPSTR, value, defaultValue);
}

BOOL PropExchangeStringNoDefault(CKvoPropExchange* exchange, LPCWSTR name, CString* value)
{
    return exchange != nullptr && exchange->ExchangeProp(name, VT_LPSTR, value, nullptr);
}

BOOL PropExchangeRect(CKvoPropExchange* exchange, LPCWSTR name, RECT* value, RECT defaultValue)
{
    return exchange != nullptr && exchange->ExchangeProp(name, VT_KVO_RECT, value, &defaultValue);
}

BOOL PropExchangeSize(CKvoPropExchange* exchange, LPCWSTR name, SIZE* value, SIZE defaultValue)
{
    return exchange != nullptr && exchange->ExchangeProp(name, VT_KVO_SIZE, value, &defaultValue);
}

BOOL PropExchangeBlob(CKvoPropExchange* exchange, LPCWSTR name, BYTE** data, DWORD* size)
{
    return exchange != nullptr && exchange->ExchangeBlob(name, data, size);
}

BOOL PropExchangeRuntimeClass(CKvoPropExchange* exchange, LPCWSTR name, CRuntimeClass** runtimeClass,
                              CRuntimeClass* defaultClass)
{
    return exchange != nullptr && exchange->ExchangeRuntimeClass(name, runtimeClass, defaultClass);
}

BOOL PropExchangeObject(CKvoPropExchange* exchange, LPCWSTR name, CObject* object)
{
    if (exchange == nullptr || object == nullptr)
        return FALSE;
    CArchive* archive = exchange->GetArchive(name);
    if (archive == nullptr)
        return FALSE;
    BOOL serialized = TRUE;
    try {
        object->Serialize(*archive);
    } catch (CArchiveException* e) {
        e->Delete();
        serialized = FALSE;
    } catch (CFileException* e) {
        e->Delete();
        serialized = FALSE;
    }
    try {
        exchange->ReleaseArchive(name, archive);
    } catch (CException* e) {
        e->Delete();
        serialized = FALSE;
    }
    return serialized;
}
