#include "foundation/images/KvoOffice2007ThemeText.h"

#include <cwchar>

namespace {

// One line of the text, upper-cased, without its comment and outer blanks.
CString ThemeTextLine(const char* begin, const char* end)
{
    CString line;
    const int length = static_cast<int>(end - begin);
    if (length > 0) {
        const int wide = MultiByteToWideChar(CP_THREAD_ACP, 0, begin, length, nullptr, 0);
        if (wide > 0) {
            MultiByteToWideChar(CP_THREAD_ACP, 0, begin, length, line.GetBuffer(wide), wide);
            line.ReleaseBuffer(wide);
        }
    }
    const int comment = line.Find(L';');
    if (comment >= 0)
        line.Truncate(comment);
    line.Trim(L" \t\n");
    line.MakeUpper();
    return line;
}

bool IsSectionLine(const CString& line)
{
    return !line.IsEmpty() && line[0] == L'[';
}

// The section's name between the brackets.
CString SectionName(const CString& line)
{
    const int close = line.Find(L']');
    CString name = line.Mid(1, close < 0 ? line.GetLength() - 1 : close - 1);
    return name.Trim(L" \t");
}

} // namespace

CString CKvoOffice2007ThemeText::GetProfileString(LPCWSTR section, LPCWSTR key) const
{
    if (!HasText() || section == nullptr || key == nullptr)
        return CString();
    CString wantedSection(section), wantedKey(key);
    wantedSection.MakeUpper();
    wantedKey.MakeUpper();
    bool inSection = false;
    const char* lineStart = m_begin;
    for (;;) {
        const char* lineEnd = static_cast<const char*>(memchr(lineStart, '\r', m_end - lineStart));
        if (lineEnd == nullptr)
            return CString();
        const CString line = ThemeTextLine(lineStart, lineEnd);
        lineStart = lineEnd + 1;
        if (lineStart < m_end && *lineStart == '\n')
            ++lineStart;
        if (line.IsEmpty())
            continue;
        if (IsSectionLine(line)) {
            if (inSection)
                return CString();
            inSection = SectionName(line) == wantedSection;
            continue;
        }
        const int equals = line.Find(L'=');
        if (!inSection || equals < 0)
            continue;
        CString lineKey = line.Left(equals);
        if (lineKey.Trim(L" \t") == wantedKey) {
            CString value = line.Mid(equals + 1);
            return value.Trim(L" \t");
        }
    }
}

COLORREF CKvoOffice2007ThemeText::GetImageColor(LPCWSTR section, LPCWSTR key) const
{
    const CString value = GetProfileString(section, key);
    if (value.IsEmpty())
        return CLR_NONE;
    int red = 0, green = 0, blue = 0;
    swscanf(value, L"%i %i %i", &red, &green, &blue);
    return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

CString CKvoOffice2007ThemeText::GetResourceName(LPCWSTR picture) const
{
    CString file = GetProfileString(L"Images", picture);
    return ToResourceName(file.IsEmpty() ? CString(picture) : file);
}

CString CKvoOffice2007ThemeText::ToResourceName(CString name)
{
    name.Replace(L'.', L'_');
    name.Replace(L'\\', L'_');
    return name;
}
