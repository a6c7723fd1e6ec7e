#include "foundation/base/KvoResourceManager.h"
#include "foundation/base/KvoLanguageInfo.h"
#include "foundation/base/KvoManageState.h"
#include <afxext.h>
#include <afxwin.h>

HMODULE g_kvoResourceModule = nullptr;

namespace {
const LPCWSTR kHtmlType = MAKEINTRESOURCEW(23);

CProcessLocal<CKvoResourceManager> g_resourceManager;

// A loaded handle that its object refuses (it holds one already) is freed,
// not lost.
BOOL AttachMenu(CMenu* menu, HMENU loaded)
{
    if (!loaded)
        return FALSE;
    if (menu->Attach(loaded))
        return TRUE;
    ::DestroyMenu(loaded);
    return FALSE;
}

BOOL AttachBitmap(CBitmap* target, HBITMAP loaded)
{
    if (!loaded)
        return FALSE;
    if (target->Attach(loaded))
        return TRUE;
    ::DeleteObject(loaded);
    return FALSE;
}

// The language walk goes on while nothing but English (United States) was
// seen, and stops at the first other language.
bool KeepWalking(LONG_PTR carried)
{
    WORD language = *reinterpret_cast<const WORD*>(carried);
    return language == 0 || language == kKvoEnglishUs;
}

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR carried)
{
    if (language != 0)
        *reinterpret_cast<WORD*>(carried) = language;
    return KeepWalking(carried);
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR carried)
{
    EnumResourceLanguagesW(module, type, name, OnLanguage, carried);
    return KeepWalking(carried);
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR carried)
{
    EnumResourceNamesW(module, type, OnName, carried);
    return KeepWalking(carried);
}

// The resource in the toolkit module, else in the application's.
HGLOBAL LoadFromEither(LPCWSTR name, LPCWSTR type, HRSRC* found, HMODULE* owner)
{
    for (HMODULE module : {g_kvoResourceModule, static_cast<HMODULE>(AfxGetResourceHandle())}) {
        if (!module)
            continue;
        if (HRSRC resource = FindResourceW(module, name, type)) {
            *found = resource;
            *owner = module;
            return LoadResource(module, resource);
        }
    }
    return nullptr;
}
}

CKvoResourceManager::CKvoResourceManager()
    : m_ownedModule(nullptr), m_language(DefaultKvoLanguage()), m_ansiText(nullptr)
{
}

CKvoResourceManager::~CKvoResourceManager()
{
    Close();
    FreeAnsi();
}

CKvoResourceManager* CKvoResourceManager::Instance()
{
    return g_resourceManager.GetData();
}

void CKvoResourceManager::SetResourceHandle(HMODULE module)
{
    g_kvoResourceModule = module;
    UpdateResourcesLangID();
}

HMODULE CKvoResourceManager::GetResourceHandle() const
{
    return g_kvoResourceModule;
}

HRSRC CKvoResourceManager::FindToolkitResource(LPCWSTR name, LPCWSTR type)
{
    return g_kvoResourceModule ? FindResourceW(g_kvoResourceModule, name, type) : nullptr;
}

CString CKvoResourceManager::LoadString(UINT id, BOOL* missing)
{
    CString text;
    BOOL found = LoadString(&text, id);
    if (missing)
        *missing = !found;
    return text;
}

BOOL CKvoResourceManager::LoadString(CString* out, UINT id)
{
    if (FindToolkitResource(MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING) &&
        LoadStringFromModule(g_kvoResourceModule, id, out) > 0)
        return TRUE;
    return out->LoadString(id);
}

int CKvoResourceManager::LoadStringFromModule(HMODULE module, UINT id, CString* out)
{
    out->Empty();
    HRSRC block = FindResourceW(module, MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING);
    HGLOBAL loaded = block ? LoadResource(module, block) : nullptr;
    const WORD* units = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (!units)
        return 0;
    const DWORD count = SizeofResource(module, block) / sizeof(WORD);
    DWORD at = 0;
    for (UINT index = id & 15; index > 0; --index) {
        if (at >= count)
            return 0;
        at += 1 + units[at];
    }
    if (at >= count || units[at] > count - at - 1)
        return 0;
    *out = CString(reinterpret_cast<const wchar_t*>(units + at + 1), units[at]);
    return units[at];
}

BOOL CKvoResourceManager::LoadMenu(CMenu* menu, UINT id)
{
    if (FindToolkitResource(MAKEINTRESOURCEW(id), RT_MENU)) {
        if (HMENU loaded = ::LoadMenuW(g_kvoResourceModule, MAKEINTRESOURCEW(id)))
            return AttachMenu(menu, loaded);
    }
    return AttachMenu(menu, ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)));
}

BOOL CKvoResourceManager::LoadToolBar(CToolBar* bar, UINT id)
{
    if (!bar)
        return FALSE;
    // No second try in the application's resources.
    CKvoManageState toolkit;
    return bar->LoadToolBar(id);
}

BOOL CKvoResourceManager::LoadBitmap(CBitmap* target, UINT id)
{
    if (FindToolkitResource(MAKEINTRESOURCEW(id), RT_BITMAP)) {
        if (HBITMAP loaded = ::LoadBitmapW(g_kvoResourceModule, MAKEINTRESOURCEW(id)))
            return AttachBitmap(target, loaded);
    }
    return AttachBitmap(target, ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)));
}

HCURSOR CKvoResourceManager::LoadCursor(UINT id)
{
    if (FindToolkitResource(MAKEINTRESOURCEW(id), RT_GROUP_CURSOR)) {
        if (HCURSOR cursor = ::LoadCursorW(g_kvoResourceModule, MAKEINTRESOURCEW(id)))
            return cursor;
    }
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
}

HGLOBAL CKvoResourceManager::FindDialogTemplate(LPCWSTR name)
{
    HRSRC found = nullptr;
    HMODULE owner = nullptr;
    return LoadFromEither(name, RT_DIALOG, &found, &owner);
}

LPCDLGTEMPLATE CKvoResourceManager::LoadDialogTemplate(UINT id)
{
    HGLOBAL loaded = FindDialogTemplate(MAKEINTRESOURCEW(id));
    return loaded ? static_cast<LPCDLGTEMPLATE>(LockResource(loaded)) : nullptr;
}

BOOL CKvoResourceManager::LoadHTML(CString* out, UINT id)
{
    if (!out)
        return FALSE;
    HRSRC found = nullptr;
    HMODULE owner = nullptr;
    HGLOBAL loaded = LoadFromEither(MAKEINTRESOURCEW(id), kHtmlType, &found, &owner);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return FALSE;
    const int size = static_cast<int>(SizeofResource(owner, found));
    const int capacity = size * 2 + 2;
    wchar_t* buffer = out->GetBuffer(capacity);
    ZeroMemory(buffer, capacity * sizeof(wchar_t));
    int converted = size > 0 ? MultiByteToWideChar(CP_ACP, 0, bytes, size, buffer, capacity) : 0;
    out->ReleaseBuffer(converted);
    return converted > 0;
}

HICON CKvoResourceManager::LoadIcon(UINT id, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCEW(id), cx, cy);
}

HICON CKvoResourceManager::LoadIcon(LPCWSTR name, int cx, int cy)
{
    if (FindToolkitResource(name, RT_GROUP_ICON)) {
        if (HANDLE icon = LoadImageW(g_kvoResourceModule, name, IMAGE_ICON, cx, cy, 0))
            return static_cast<HICON>(icon);
    }
    return static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), name, IMAGE_ICON, cx, cy, 0));
}

HICON CKvoResourceManager::CreateIconFromResource(HMODULE module, LPCWSTR name, int cx, int cy)
{
    HRSRC group = FindResourceW(module, name, RT_GROUP_ICON);
    HGLOBAL groupData = group ? LoadResource(module, group) : nullptr;
    BYTE* directory = groupData ? static_cast<BYTE*>(LockResource(groupData)) : nullptr;
    int iconId = directory ? LookupIconIdFromDirectoryEx(directory, TRUE, cx, cy, 0) : 0;
    HRSRC icon = iconId ? FindResourceW(module, MAKEINTRESOURCEW(iconId), RT_ICON) : nullptr;
    HGLOBAL iconData = icon ? LoadResource(module, icon) : nullptr;
    BYTE* bits = iconData ? static_cast<BYTE*>(LockResource(iconData)) : nullptr;
    if (!bits)
        return nullptr;
    return CreateIconFromResourceEx(bits, SizeofResource(module, icon), TRUE, 0x30000, cx, cy, 0);
}

void CKvoResourceManager::Close()
{
    if (m_ownedModule) {
        FreeLibrary(m_ownedModule);
        m_ownedModule = nullptr;
    }
}

WORD CKvoResourceManager::GetLanguageInfo()
{
    return m_language->languageId;
}

void CKvoResourceManager::UpdateResourcesLangID()
{
    WORD language = 0;
    if (g_kvoResourceModule)
        EnumResourceTypesW(g_kvoResourceModule, OnType, reinterpret_cast<LONG_PTR>(&language));
    const KvoLanguageInfo* row = FindKvoLanguage(language);
    m_language = row ? row : DefaultKvoLanguage();
}

int CKvoResourceManager::GetMenuString(CMenu* menu, UINT item, CString* out, UINT flags)
{
    HMENU handle = menu ? menu->GetSafeHmenu() : nullptr;
    if (!handle)
        return 0;
    int length = ::GetMenuStringW(handle, item, nullptr, 0, flags);
    if (length < 1) {
        out->Empty();
        return length;
    }
    length = ::GetMenuStringW(handle, item, out->GetBuffer(length + 1), length + 1, flags);
    out->ReleaseBuffer(length);
    return length;
}

int CKvoResourceManager::ShowMessageBox(LPCWSTR text, UINT type)
{
    const bool rightToLeft = m_language->codePage == 1255 || m_language->codePage == 1256;
    return AfxMessageBox(text, type | (rightToLeft ? MB_RTLREADING : 0), 0);
}

LPCSTR CKvoResourceManager::WideToAnsi(LPCWSTR text)
{
    FreeAnsi();
    const UINT codePage = m_language->codePage;
    int length = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    m_ansiText = new char[length > 0 ? length + 1 : 1];
    int converted = length > 0 ? WideCharToMultiByte(codePage, 0, text, -1, m_ansiText, length, nullptr, nullptr) : 0;
    m_ansiText[converted] = '\0';
    return m_ansiText;
}

void CKvoResourceManager::FreeAnsi()
{
    delete[] m_ansiText;
    m_ansiText = nullptr;
}
