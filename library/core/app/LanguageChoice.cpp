#include "app/LanguageChoice.h"
#include <shlwapi.h>

namespace {
CStringW SettingsFilePath(const wchar_t* libraryPath)
{
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t folder[_MAX_DIR] = {};
    if (_wsplitpath_s(libraryPath, drive, _MAX_DRIVE, folder, _MAX_DIR, nullptr, 0, nullptr, 0) != 0)
        return CStringW();
    CStringW path;
    path.Format(L"%s%sSetting.ini", drive, folder);
    return path;
}
}

bool ChooseJapanese(const wchar_t* libraryPath, bool japaneseUi)
{
    CStringW settings = SettingsFilePath(libraryPath);
    if (settings.IsEmpty() || GetFileAttributesW(settings) == INVALID_FILE_ATTRIBUTES)
        return japaneseUi;
    wchar_t language[80] = {};
    GetPrivateProfileStringW(L"Language", L"Language", L"Japanese", language, 80, settings);
    return lstrcmpiW(language, L"Japanese") == 0;
}

CStringW LanguageModulePath(const wchar_t* libraryPath, bool japanese)
{
    CStringW stem(libraryPath, static_cast<int>(PathFindExtensionW(libraryPath) - libraryPath));
    CStringW path;
    path.Format(japanese ? L"%sJPN.dll" : L"%sENU.dll", stem.GetString());
    return path;
}
