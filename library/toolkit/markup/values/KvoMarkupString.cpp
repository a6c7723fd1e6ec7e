#include "markup/values/KvoMarkupString.h"
#include <wchar.h>
#include <new>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupString)

namespace {
// Texts that markup makes over and over: between words, after line breaks.
struct SharedStrings {
    CKvoMarkupPtr<CKvoMarkupString> empty{new CKvoMarkupString()};
    CKvoMarkupPtr<CKvoMarkupString> space{new CKvoMarkupString(L" ", 1)};
    CKvoMarkupPtr<CKvoMarkupString> newLine{new CKvoMarkupString(L"\n", 1)};
};

CKvoMarkupString* ShareString(const CKvoMarkupPtr<CKvoMarkupString>& shared)
{
    shared->AddRef();
    return shared.Get();
}
}

CKvoMarkupString::CKvoMarkupString(LPCWSTR text, int length) : m_text(text, length < 0 ? lstrlenW(text) : length)
{
}

CKvoMarkupString* CKvoMarkupString::CreateString(LPCWSTR text, int length)
{
    static const SharedStrings shared;
    if (!text || length == 0 || *text == L'\0')
        return ShareString(shared.empty);
    if (length == 1 || (length < 0 && text[1] == L'\0')) {
        if (*text == L' ')
            return ShareString(shared.space);
        if (*text == L'\n')
            return ShareString(shared.newLine);
    }
    return new (std::nothrow) CKvoMarkupString(text, length);
}

UINT CKvoMarkupString::GetHashCode() const
{
    UINT hash = 0;
    for (int index = 0; index < m_text.GetLength(); ++index)
        hash = hash * 33 + m_text[index];
    return hash;
}

BOOL CKvoMarkupString::IsEqual(const CKvoMarkupObject* other) const
{
    if (!other || other->GetType() != GetType())
        return FALSE;
    const CStringW& otherText = static_cast<const CKvoMarkupString*>(other)->m_text;
    return otherText.GetLength() == m_text.GetLength() &&
           wmemcmp(otherText.GetString(), m_text.GetString(), m_text.GetLength()) == 0;
}
