#pragma once
#include <windows.h>
#include <atlbase.h>
#include <string>

// The exports of a loaded Tavrena module, taken by the names the servers
// import them by.
class TavrenaLibrary {
public:
    using GetZumenInfoFunction = HRESULT (*)(const wchar_t*, ATL::CComBSTR*);
    using GetZumenImageFunction = HRESULT (*)(int, const wchar_t*, HBITMAP*, unsigned long*);
    using GetImageFunction = HBITMAP (*)(int, const wchar_t*);
    using ViewFunction = HWND (*)(const wchar_t*, const RECT&, HWND);
    using CacheFileFunction = bool (*)(const wchar_t*);
    using SavePreViewFunction = void (*)();

    explicit TavrenaLibrary(HMODULE module)
        : GetZumenInfo(Proc<GetZumenInfoFunction>(module, "_Z12GetZumenInfoPKwPN3ATL8CComBSTRE")),
          GetZumenImage(Proc<GetZumenImageFunction>(module, "_Z13GetZumenImageiPKwPP9HBITMAP__Pm")),
          GetImage(Proc<GetImageFunction>(module, "GetImage")),
          GetImageView(Proc<ViewFunction>(module, "GetImageView")),
          PreViewDlg(Proc<ViewFunction>(module, "_Z10PreViewDlgPKwRK7tagRECTP6HWND__")),
          InfoLoad(Proc<CacheFileFunction>(module, "InfoLoad")),
          InfoSave(Proc<CacheFileFunction>(module, "InfoSave")),
          SavePreView(Proc<SavePreViewFunction>(module, "_Z11SavePreViewv")),
          m_module(module)
    {
    }

    bool Complete() const
    {
        return GetZumenInfo && GetZumenImage && GetImage && GetImageView && PreViewDlg && InfoLoad && InfoSave &&
               SavePreView;
    }

    // The language module ("JPN" or "ENU") that the library loaded beside
    // itself at start-up; null when it loaded none.
    HMODULE LanguageModule(const wchar_t* language) const
    {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(m_module, path, MAX_PATH);
        std::wstring stem(path);
        stem.erase(stem.rfind(L'.'));
        return GetModuleHandleW((stem + language + L".dll").c_str());
    }

    // String id of whichever language module the library loaded.
    std::wstring LanguageString(UINT id) const
    {
        HMODULE module = LanguageModule(L"JPN");
        if (!module)
            module = LanguageModule(L"ENU");
        wchar_t text[512] = {};
        if (module)
            LoadStringW(module, id, text, 512);
        return text;
    }

    GetZumenInfoFunction GetZumenInfo;
    GetZumenImageFunction GetZumenImage;
    GetImageFunction GetImage;
    ViewFunction GetImageView;
    ViewFunction PreViewDlg;
    CacheFileFunction InfoLoad;
    CacheFileFunction InfoSave;
    SavePreViewFunction SavePreView;

private:
    template <class Function> static Function Proc(HMODULE module, const char* name)
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    HMODULE m_module;
};
