// The library's exported entry points for drawing information and images.
// Each of the info-tip, thumbnail and cache-file exports runs its work under
// the mutex "EXCLUSIVE", one call at a time across the logon session.
#include "exports/TavrenaExports.h"
#include "app/TavrenaApp.h"
#include "cache/InfoText.h"
#include "exports/ExclusiveLock.h"
#include "LanguageIds.h"
#include <atlbase.h>

namespace {
// Every failure of the info and image exports, the null pointers included.
const HRESULT kFailed = E_NOTIMPL;
}

HRESULT GetZumenInfo(const wchar_t* path, ATL::CComBSTR* text)
{
    if (!text)
        return kFailed;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CExclusiveLock lock;
    if (!lock.IsHeld())
        return kFailed;
    try {
        text->Empty();
        if (!path || !BuildZumenInfo(path, &text->m_str))
            text->LoadString(IDS_ZUMEN_UNREADABLE);
        return S_OK;
    } catch (long thrown) {
        return thrown;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return kFailed;
}

HRESULT GetZumenImage(int size, const wchar_t* path, HBITMAP* bitmap, unsigned long*)
{
    if (!bitmap)
        return kFailed;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CExclusiveLock lock;
    if (!lock.IsHeld())
        return kFailed;
    try {
        return path && theApp.m_infoCache.MakeThumbnail(size, path, bitmap) ? S_OK : kFailed;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return kFailed;
}

HBITMAP GetImage(int size, const wchar_t* path)
{
    HBITMAP bitmap = nullptr;
    return GetZumenImage(size, path, &bitmap, reinterpret_cast<unsigned long*>(&bitmap)) == S_OK ? bitmap
                                                                                                 : nullptr;
}

HWND GetImageView(const wchar_t* path, const RECT& rect, HWND parent)
{
    return PreViewDlg(path, rect, parent);
}

bool InfoLoad(const wchar_t* path)
{
    CExclusiveLock lock;
    return lock.IsHeld() && theApp.m_infoCache.Load(path);
}

bool InfoSave(const wchar_t* path)
{
    CExclusiveLock lock;
    return lock.IsHeld() && theApp.m_infoCache.Save(path);
}
