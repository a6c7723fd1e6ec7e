#include "foundation/images/KvoOffice2007Images.h"

#include "foundation/images/KvoImageManager.h"

namespace {

const int Office2007ScratchSize = 512;
const UINT Office2007CacheBuckets = 199;

} // namespace

CKvoOffice2007Images::CBitmapDC::CBitmapDC() : m_replaced(nullptr)
{
    CreateCompatibleDC(nullptr);
}

CKvoOffice2007Images::CBitmapDC::~CBitmapDC()
{
    RestoreBitmap();
}

void CKvoOffice2007Images::CBitmapDC::SelectBitmap(HBITMAP bitmap)
{
    HGDIOBJ replaced = ::SelectObject(m_hDC, bitmap);
    if (m_replaced == nullptr)
        m_replaced = replaced;
}

void CKvoOffice2007Images::CBitmapDC::RestoreBitmap()
{
    if (m_replaced != nullptr && m_hDC != nullptr)
        ::SelectObject(m_hDC, m_replaced);
    m_replaced = nullptr;
}

CKvoOffice2007Images* CKvoOffice2007Images::Instance()
{
    static CKvoOffice2007Images images;
    return &images;
}

CKvoOffice2007Images::CKvoOffice2007Images()
    : m_module(nullptr), m_ownsModule(FALSE), m_scratch(nullptr), m_scratchBits(nullptr), m_connection(nullptr)
{
    m_cache.InitHashTable(Office2007CacheBuckets);
    void* bits = nullptr;
    m_scratch = CKvoImageManager::Create32BitDIB(nullptr, Office2007ScratchSize, Office2007ScratchSize, &bits);
    m_scratchBits = static_cast<DWORD*>(bits);
    SetHandle(AfxGetInstanceHandle(), nullptr, FALSE);
}

CKvoOffice2007Images::~CKvoOffice2007Images()
{
    if (m_connection != nullptr)
        m_connection->InternalRelease();
    RemoveAll();
    ReleaseModule();
    m_dc.RestoreBitmap();
    if (m_scratch != nullptr)
        ::DeleteObject(m_scratch);
}

void CKvoOffice2007Images::ReleaseModule()
{
    if (m_ownsModule && m_module != nullptr)
        ::FreeLibrary(m_module);
    m_module = nullptr;
    m_ownsModule = FALSE;
    m_text = CKvoOffice2007ThemeText();
}

BOOL CKvoOffice2007Images::SetHandle(HMODULE module, LPCTSTR ini, BOOL owns)
{
    BOOL found = FALSE;
    {
        CSingleLock lock(&m_lock, TRUE);
        RemoveAll();
        ReleaseModule();
        const bool named = ini != nullptr && *ini != L'\0';
        m_iniName = named ? ini : L"OFFICE2007BLUE_INI";
        m_iniName.Replace(L'.', L'_');
        m_module = module;
        m_ownsModule = owns;
        found = FindThemeText(named);
    }
    // Outside the lock: a listener may well load pictures again.
    if (m_connection != nullptr)
        m_connection->SendEvent(ThemeChangedEvent, 0, 0, 0);
    return found;
}

CKvoEventConnection* CKvoOffice2007Images::GetConnection()
{
    if (m_connection == nullptr)
        m_connection = new CKvoEventConnection;
    return m_connection;
}

// Enumeration callback: keeps the first text resource and stops.
static BOOL CALLBACK TakeFirstThemeText(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    *reinterpret_cast<HRSRC*>(param) = ::FindResourceW(module, name, type);
    return FALSE;
}

BOOL CKvoOffice2007Images::FindThemeText(bool named)
{
    if (m_module == nullptr)
        return FALSE;
    HRSRC found = ::FindResourceW(m_module, m_iniName, L"TEXTFILE");
    if (found == nullptr && !named) {
        // A module with one theme names it as it likes: take its first text.
        ::EnumResourceNamesW(m_module, L"TEXTFILE", TakeFirstThemeText, reinterpret_cast<LONG_PTR>(&found));
    }
    const char* text = found != nullptr ? static_cast<const char*>(::LockResource(::LoadResource(m_module, found)))
                                        : nullptr;
    if (text == nullptr)
        return FALSE;
    m_text = CKvoOffice2007ThemeText(text, text + ::SizeofResource(m_module, found));
    return TRUE;
}

BOOL CKvoOffice2007Images::IsValid() const
{
    return m_module != nullptr && m_text.HasText();
}

CKvoOffice2007Image* CKvoOffice2007Images::LoadFile(LPCTSTR name)
{
    CSingleLock lock(&m_lock, TRUE);
    if (m_module == nullptr || name == nullptr || *name == L'\0')
        return nullptr;
    void* cached = nullptr;
    if (m_cache.Lookup(name, cached))
        return static_cast<CKvoOffice2007Image*>(cached);
    CKvoOffice2007Image* image = new CKvoOffice2007Image(this);
    if (!image->LoadFromResource(m_module, m_text.GetResourceName(name))) {
        image->InternalRelease();
        return nullptr;
    }
    m_cache.SetAt(name, image);
    return image;
}

COLORREF CKvoOffice2007Images::GetImageColor(LPCTSTR section, LPCTSTR key) const
{
    return m_text.GetImageColor(section, key);
}

CString CKvoOffice2007Images::GetProfileString(LPCTSTR section, LPCTSTR key) const
{
    return m_text.GetProfileString(section, key);
}

void CKvoOffice2007Images::RemoveAll()
{
    CSingleLock lock(&m_lock, TRUE);
    CString name;
    void* image = nullptr;
    for (POSITION position = m_cache.GetStartPosition(); position != nullptr;) {
        m_cache.GetNextAssoc(position, name, image);
        static_cast<CKvoOffice2007Image*>(image)->InternalRelease();
    }
    m_cache.RemoveAll();
}
