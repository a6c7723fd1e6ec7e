#pragma once
#include <atlstr.h>

// The language of the library's UI texts: "Setting.ini" beside the library
// decides alone when it exists (section "Language", key "Language": "Japanese"
// in any case selects Japanese, any other value English); without it the
// user's UI language does.
bool ChooseJapanese(const wchar_t* libraryPath, bool japaneseUi);

// The language resource module beside the library: its path without the
// extension followed by "JPN.dll" or "ENU.dll".
CStringW LanguageModulePath(const wchar_t* libraryPath, bool japanese);
