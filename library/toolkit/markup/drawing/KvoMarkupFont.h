#pragma once
#include <afxwin.h>
#include "markup/core/KvoMarkupObject.h"

class CKvoMarkupFontCache;

// One GDI font made for a LOGFONT request, shared by the text elements that
// ask for an equal one. A font in a cache unlinks itself when it is finally
// released; the cache holds no reference on it.
class CKvoMarkupFont : public CKvoMarkupObject {
public:
    // A new font (one reference) outside any cache, or null when it cannot
    // be allocated.
    static CKvoMarkupFont* Create(const LOGFONTW& description);
    ~CKvoMarkupFont() override;

    HFONT GetHandle() const { return m_hFont; }
    const LOGFONTW& GetDescription() const { return m_description; }
    void OnFinalRelease() override;

private:
    explicit CKvoMarkupFont(const LOGFONTW& description);
    friend class CKvoMarkupFontCache;

    HFONT m_hFont;
    LOGFONTW m_description;
    CKvoMarkupFont* m_pNext;
    // The cache the font is listed in; null outside one.
    CKvoMarkupFontCache* m_pCache;
};

// The fonts a markup context has handed out, found again by what shapes the
// glyphs: height, weight, italic, underline, strike-out, character set and
// face name. Width, escapement, orientation, precision, quality and pitch
// are ignored, so requests that differ only in quality share a font.
class CKvoMarkupFontCache {
public:
    CKvoMarkupFontCache() : m_pFirst(nullptr), m_pLast(nullptr) {}
    CKvoMarkupFontCache(const CKvoMarkupFontCache&) = delete;
    CKvoMarkupFontCache& operator=(const CKvoMarkupFontCache&) = delete;
    // Fonts still held by elements leave the cache and live on their own.
    ~CKvoMarkupFontCache();

    // A matching font with one more reference, else a new one (one
    // reference, owned by the caller) entered in the cache; null when it
    // cannot be allocated.
    CKvoMarkupFont* GetFont(const LOGFONTW& description);
    // TRUE when the two requests make the same font here.
    static BOOL IsSameFont(const LOGFONTW& first, const LOGFONTW& second);

private:
    friend class CKvoMarkupFont;
    void Unlink(CKvoMarkupFont* font);

    CKvoMarkupFont* m_pFirst;
    CKvoMarkupFont* m_pLast;
};
