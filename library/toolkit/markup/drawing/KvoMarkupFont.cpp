#include "markup/drawing/KvoMarkupFont.h"
#include <new>
#include <string.h>
#include <wchar.h>

CKvoMarkupFont::CKvoMarkupFont(const LOGFONTW& description)
    : m_hFont(::CreateFontIndirectW(&description)), m_description(description), m_pNext(nullptr), m_pCache(nullptr)
{
}

CKvoMarkupFont* CKvoMarkupFont::Create(const LOGFONTW& description)
{
    return new (std::nothrow) CKvoMarkupFont(description);
}

CKvoMarkupFont::~CKvoMarkupFont()
{
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

void CKvoMarkupFont::OnFinalRelease()
{
    if (m_pCache)
        m_pCache->Unlink(this);
    CKvoMarkupObject::OnFinalRelease();
}

CKvoMarkupFontCache::~CKvoMarkupFontCache()
{
    for (CKvoMarkupFont* font = m_pFirst; font;) {
        CKvoMarkupFont* next = font->m_pNext;
        font->m_pCache = nullptr;
        font->m_pNext = nullptr;
        font = next;
    }
}

BOOL CKvoMarkupFontCache::IsSameFont(const LOGFONTW& first, const LOGFONTW& second)
{
    // Italic, underline, strike-out and character set are compared as one
    // group of four bytes.
    return first.lfHeight == second.lfHeight && first.lfWeight == second.lfWeight &&
           memcmp(&first.lfItalic, &second.lfItalic, 4) == 0 &&
           wcsncmp(first.lfFaceName, second.lfFaceName, LF_FACESIZE) == 0;
}

CKvoMarkupFont* CKvoMarkupFontCache::GetFont(const LOGFONTW& description)
{
    for (CKvoMarkupFont* font = m_pFirst; font; font = font->m_pNext) {
        if (IsSameFont(font->m_description, description)) {
            font->AddRef();
            return font;
        }
    }
    CKvoMarkupFont* font = CKvoMarkupFont::Create(description);
    if (!font)
        return nullptr;
    font->m_pCache = this;
    if (m_pLast)
        m_pLast->m_pNext = font;
    else
        m_pFirst = font;
    m_pLast = font;
    return font;
}

void CKvoMarkupFontCache::Unlink(CKvoMarkupFont* font)
{
    CKvoMarkupFont* previous = nullptr;
    for (CKvoMarkupFont* entry = m_pFirst; entry; previous = entry, entry = entry->m_pNext) {
        if (entry != font)
            continue;
        (previous ? previous->m_pNext : m_pFirst) = entry->m_pNext;
        if (m_pLast == entry)
            m_pLast = previous;
        break;
    }
    font->m_pNext = nullptr;
    font->m_pCache = nullptr;
}
