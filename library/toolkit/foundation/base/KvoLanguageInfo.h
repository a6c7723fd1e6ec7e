#pragma once
#include <windows.h>

// The language of English (United States), the toolkit's neutral language.
inline constexpr WORD kKvoEnglishUs = 1033;

// One row of the toolkit's language table: how texts of a resource module in
// that language are converted and shown.
struct KvoLanguageInfo {
    WORD languageId;
    UINT codePage;               // ANSI code page; 0 = the system's
    const wchar_t* encoding;
    const wchar_t* displayName;
    const wchar_t* languageConstant;
    const wchar_t* sublanguageConstant;
    UINT charset;                // GDI character set for fonts
};

// The first row of languageId; null when the table has none.
const KvoLanguageInfo* FindKvoLanguage(WORD languageId);
// The English (United States) row, the table's default.
const KvoLanguageInfo* DefaultKvoLanguage();
