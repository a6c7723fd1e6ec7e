#pragma once
#include <afxwin.h>
#include <memory>
#include <vector>

// The text fonts of one draw, by their LOGFONT. A drawing's texts share a
// few fonts, and making a font costs a font lookup every time (tens of
// microseconds under Wine), more than drawing a short text.
class CTextFontCache {
public:
    // The font of logFont, made on its first use; null when it cannot be
    // made or the cache is full (the caller then makes its own). A font
    // stays until Clear, so one that is selected is never deleted.
    CFont* Get(const LOGFONTW& logFont);
    // Deletes every font; none may be selected into a DC.
    void Clear();

private:
    struct Entry {
        LOGFONTW key;
        std::unique_ptr<CFont> font;
    };
    std::vector<Entry> m_fonts;
};
