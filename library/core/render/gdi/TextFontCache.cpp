#include "render/gdi/TextFontCache.h"
#include <cstring>

namespace {
// Enough for the sizes, angles and faces of one drawing's texts; past it a
// draw makes fonts as it did without the cache.
const size_t kMostFonts = 64;

// The face name counts up to its terminator only, so two requests that
// differ in what follows it are one font.
bool SameFont(const LOGFONTW& a, const LOGFONTW& b)
{
    return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 &&
           wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}
}

CFont* CTextFontCache::Get(const LOGFONTW& logFont)
{
    for (Entry& entry : m_fonts) {
        if (SameFont(entry.key, logFont))
            return entry.font.get();
    }
    if (m_fonts.size() >= kMostFonts)
        return nullptr;
    std::unique_ptr<CFont> font(new CFont);
    if (!font->CreateFontIndirect(&logFont))
        return nullptr;
    m_fonts.push_back(Entry{logFont, std::move(font)});
    return m_fonts.back().font.get();
}

void CTextFontCache::Clear()
{
    m_fonts.clear();
}
