#pragma once
#include <afx.h>

// Reads the theme description, an INI text in the thread's ANSI code page
// held in a resource: "[Section]" lines, "Key = Value" lines, ';' comments.
// Lines end with CR or CR LF (a last line without CR is not read); names
// compare without regard to case and values come back upper-cased and
// trimmed. The text is scanned afresh for every look-up: it is small, and
// the callers ask at refresh time, not while drawing.
class CKvoOffice2007ThemeText {
public:
    CKvoOffice2007ThemeText() = default;
    // [begin, end): the locked resource, not owned; null for no text.
    CKvoOffice2007ThemeText(const char* begin, const char* end) : m_begin(begin), m_end(end) {}

    BOOL HasText() const { return m_begin != nullptr && m_begin < m_end; }

    // The value, or empty when there is no text, no such section or no such
    // key before the next section starts.
    CString GetProfileString(LPCWSTR section, LPCWSTR key) const;
    // "red green blue" read as "%i %i %i" (decimal, 0 octal or 0x hex),
    // each taken modulo 256; CLR_NONE for a missing or empty value.
    COLORREF GetImageColor(LPCWSTR section, LPCWSTR key) const;
    // The resource of a picture: its "Images" value (or the name itself)
    // with every '.' and '\' made '_', so "PushButton" =
    // "Office2007Black\PushButton.bmp" gives "OFFICE2007BLACK_PUSHBUTTON_BMP".
    CString GetResourceName(LPCWSTR picture) const;

    // '.' and '\' become '_', as resource names have neither.
    static CString ToResourceName(CString name);

private:
    const char* m_begin = nullptr;
    const char* m_end = nullptr;
};
