#include "render/gdi/DrawBase.h"
#include "app/TavrenaApp.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "geometry/AngleFunctions.h"
#include "records/SettingFlag.h"
#include "render/gdi/DevicePixel.h"
#include <afxwin.h>
#include <cmath>
#include <vector>

namespace {
// Taller characters than this, or texts starting this far off the bitmap,
// cannot show anything a font could render: they are left out.
const double kMaxCellHeight = 16384.0;
const double kFarOff = 16777216.0;
// The spacing that asks for the whole text in one call.
const double kOneCallSpacing = 0.01;

// How the characters of one text are placed: sizes in device pixels.
struct TextLayout {
    double width = 0;      // W: cell width
    double height = 0;     // H: cell height
    double fontHeight = 0; // Hf
    double hGap = 0, vGap = 0, extra = 0, vShift = 0;
};

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

// Positions turn about the insertion point so that the text runs angle
// degrees counter-clockwise on the screen.
class TextTurn {
public:
    TextTurn(double x0, double y0, double angle)
        : m_x0(x0), m_y0(y0), m_cos(CosDeg(angle)), m_sin(SinDeg(angle))
    {
    }
    POINT operator()(double x, double y) const
    {
        double dx = x - m_x0, dy = y - m_y0;
        return POINT{ToDevicePixel(m_x0 + dx * m_cos + dy * m_sin), ToDevicePixel(m_y0 - dx * m_sin + dy * m_cos)};
    }

private:
    double m_x0, m_y0, m_cos, m_sin;
};

// The font of a text: escapement and orientation in tenths of a degree.
LOGFONTW TextLogFont(const B_FigText& text, double height, double angle)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = -ToDevicePixel(height);
    logFont.lfEscapement = logFont.lfOrientation = ToDevicePixel(angle * 10);
    logFont.lfWeight = text.textFlags & TextFlag::Bold ? 800 : 400;
    logFont.lfItalic = (text.textFlags & TextFlag::Italic) != 0;
    logFont.lfUnderline = (text.textFlags & TextFlag::Underline) != 0;
    logFont.lfStrikeOut = (text.textFlags & TextFlag::StrikeOut) != 0;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    logFont.lfOutPrecision = OUT_TT_PRECIS;
    logFont.lfPitchAndFamily = FIXED_PITCH | FF_ROMAN;
    lstrcpynW(logFont.lfFaceName, text.fontName, LF_FACESIZE);
    return logFont;
}

// The draw's cached font of a text, or else one made into own; null when
// none can be made.
CFont* TextFontFor(CTextFontCache& cache, CFont& own, const B_FigText& text, double height, double angle)
{
    LOGFONTW logFont = TextLogFont(text, height, angle);
    if (CFont* cached = cache.Get(logFont))
        return cached;
    return own.CreateFontIndirect(&logFont) ? &own : nullptr;
}

// Squeezed and spread texts: negative spacing narrows the cells (or, for
// vertical text, the font), positive spacing widens the gaps.
TextLayout LayOut(CDrawBase& renderer, const B_FigText& text, bool vertical)
{
    TextLayout layout;
    double spacing = renderer.ToDeviceLength(text.spacing);
    layout.width = renderer.ToDeviceLength(text.width);
    layout.height = layout.fontHeight = renderer.ToDeviceLength(text.height);
    if (spacing < 0 && vertical) {
        layout.fontHeight = layout.height + spacing;
        layout.vShift = -spacing;
    } else if (spacing < 0) {
        double x = text.width + text.spacing;
        layout.width = renderer.ToDeviceLength(x);
        if (0.5 * text.width <= x)
            layout.extra = -spacing;
        else if (x < 0.5)
            layout.width = renderer.ToDeviceLength(2.5 * x);
        else if (x == 0.5)
            layout.width = renderer.ToDeviceLength(1.0);
    } else if (spacing > 0) {
        (vertical ? layout.vGap : layout.hGap) = spacing;
    }
    return layout;
}

// Into the pass's scratch buffer, so that a text costs no allocation.
void CharacterTypes(const CStringW& chars, std::vector<WORD>& types)
{
    types.assign(chars.GetLength() + 1, 0);
    GetStringTypeExW(LOCALE_SYSTEM_DEFAULT, CT_CTYPE3, chars, chars.GetLength(), types.data());
}

bool HasSurrogate(const CStringW& chars)
{
    for (int i = 0; i < chars.GetLength(); ++i) {
        if (IsHighSurrogate(chars[i]))
            return true;
    }
    return false;
}

// Whether the characters, placed one by one, may go out in one call: a
// level text whose characters all sit on one baseline, drawn plain (an
// underline or strike-out of one call would run on across the gaps) and
// without surrogate pairs (drawn as pairs, out of order otherwise).
// Under Wine each TextOut asks for the font's metrics and the string's
// extent anew, which costs more than the glyphs of a short text.
bool OneCallCandidate(const B_FigText& text, const CStringW& chars, bool vertical, double angle)
{
    const uint16_t apart = TextFlag::Underline | TextFlag::StrikeOut | TextFlag::NudgeFullWidth;
    return !vertical && angle == 0.0 && !(text.textFlags & apart) && text.spacing != kOneCallSpacing &&
           chars.GetLength() > 1 && !HasSurrogate(chars);
}

// The DC's font, text colour and background mode, put back when it goes.
// A font of the draw's cache may stay selected: selecting a font costs its
// realisation, and the next text most often uses the same one. The GDI pass
// selects the DC's own font back before the cache lets its fonts go.
class TextState {
public:
    TextState(CDC* dc, COLORREF colour) : m_dc(dc), m_keepFont(false), m_oldFont(nullptr)
    {
        m_oldMode = dc->SetBkMode(TRANSPARENT);
        m_oldColour = dc->SetTextColor(colour);
    }
    ~TextState()
    {
        if (m_oldFont && !m_keepFont)
            ::SelectObject(m_dc->GetSafeHdc(), m_oldFont);
        m_dc->SetTextColor(m_oldColour);
        m_dc->SetBkMode(m_oldMode);
    }
    TextState(const TextState&) = delete;
    TextState& operator=(const TextState&) = delete;

    // Selects font unless it is selected already; a cached one stays. The
    // DC's font is asked for here, once, and not when the text has none.
    void SelectFont(CFont* font, bool cached)
    {
        m_oldFont = ::GetCurrentObject(m_dc->GetSafeHdc(), OBJ_FONT);
        if (m_oldFont != font->m_hObject)
            ::SelectObject(m_dc->GetSafeHdc(), font->m_hObject);
        m_keepFont = cached;
    }

private:
    CDC* m_dc;
    bool m_keepFont;
    int m_oldMode;
    COLORREF m_oldColour;
    HGDIOBJ m_oldFont;  // the DC's font before the text; null when none was selected
};
}

// Character by character, so that the drawing's own widths and spacings
// hold whatever the font's metrics.
bool CDrawBase::DrawTextFigure(const B_Base* figure)
{
    const B_FigText* text = FigCast<B_FigText>(figure);
    if (!text || text->text.IsEmpty())
        return true;
    MapPoint(text->start.x, text->start.y);
    double x0 = m_devX, y0 = m_devY;
    POINT origin = DevicePoint();
    COLORREF colour = VisibleColor(text->colour);
    bool vertical = (text->textFlags & TextFlag::Vertical) != 0;
    TextLayout layout = LayOut(*this, *text, vertical);
    if (layout.width < 1.0 || layout.height < 1.0) {
        m_pDC->SetPixelV(origin.x, origin.y, colour);
        return true;
    }
    if (!(layout.height <= kMaxCellHeight && layout.width <= kMaxCellHeight && std::fabs(x0) < kFarOff &&
          std::fabs(y0) < kFarOff))
        return true;
    double angle = text->angle + (vertical ? 90.0 : 0.0);
    // The figure's own string unless a variable expands: no copy per text.
    CStringW expanded;
    bool isVariable =
        (theApp.m_settings & SettingFlag::ExpandTextVariables) && ExpandVariable(text->text, expanded);
    const CStringW& chars = isVariable ? expanded : text->text;
    std::vector<WORD>& types = m_textScratch.types;
    CharacterTypes(chars, types);
    bool oneCall = m_oneCallTexts && OneCallCandidate(*text, chars, vertical, angle);
    std::vector<POINT>& places = m_textScratch.places;
    places.clear();
    // The fonts outlive the state, which selects the previous font back.
    CFont ownFont, ownTurned;
    CFont* turned = nullptr;
    TextState state(m_pDC, colour);
    if (CFont* font = TextFontFor(m_textFonts, ownFont, *text, layout.fontHeight, angle))
        state.SelectFont(font, font != &ownFont);
    TextTurn turn(x0, y0, angle);
    double advanceX = layout.hGap + layout.width, advanceY = layout.vGap + layout.fontHeight;
    double halfX = (advanceX + layout.extra) * 0.5, halfY = (advanceY + layout.vShift) * 0.5;
    double x = x0, y = y0 - layout.height;
    bool halfShift = vertical && (text->textFlags & TextFlag::HalfShiftFirst);
    if (halfShift)
        x += layout.width * 0.5;
    int length = chars.GetLength();
    for (int i = 0; i < length; ++i) {
        bool halfWidth = (types[i] & C3_HALFWIDTH) != 0;
        double px = x, py = y;
        if ((text->textFlags & TextFlag::NudgeFullWidth) && !halfWidth) {
            px = vertical ? x - 0.22 * advanceX : x - 0.2 * advanceX;
            py = vertical ? y + 0.01 * advanceY : y + 0.1 * advanceY;
        }
        POINT at = turn(px, py);
        if (text->spacing == kOneCallSpacing) {
            m_pDC->TextOut(at.x, at.y, chars, length);
            break;
        }
        if (vertical && chars[i] == kLongVowelMark) {
            // The long-vowel mark lies along the column: a font turned back
            // by a right angle for this one character.
            if (!turned)
                turned = TextFontFor(m_textFonts, ownTurned, *text, layout.fontHeight, angle - 90.0);
            POINT side = turn(x + advanceX, y);
            HGDIOBJ previous = turned ? m_pDC->SelectObject(turned->GetSafeHandle()) : nullptr;
            m_pDC->TextOut(side.x, side.y, &chars.GetString()[i], 1);
            if (previous)
                m_pDC->SelectObject(previous);
        } else if (IsHighSurrogate(chars[i]) && i + 1 < length) {
            m_pDC->TextOut(at.x, at.y, &chars.GetString()[i], 2);
            ++i;
            halfWidth = (types[i] & C3_HALFWIDTH) != 0;
        } else if (oneCall) {
            places.push_back(at);
        } else {
            m_pDC->TextOut(at.x, at.y, &chars.GetString()[i], 1);
        }
        if (i == 0 && halfShift)
            x -= layout.width * 0.5;
        if (vertical)
            y += halfWidth ? halfY : advanceY;
        else
            x += halfWidth ? halfX : advanceX;
    }
    if (oneCall)
        DrawPlacedCharacters(chars, places, turn(x, y));
    return true;
}

// The characters of a one-call candidate at their places: in one call with
// each advance the distance to the next place when all share the baseline
// (the same pixels as one call per character), else one by one.
void CDrawBase::DrawPlacedCharacters(const CStringW& chars, const std::vector<POINT>& places, POINT after)
{
    // A candidate has no pairs and no turned characters: one place each.
    size_t count = places.size();
    if (count == 0 || count != static_cast<size_t>(chars.GetLength()))
        return;
    bool level = true;
    for (const POINT& place : places)
        level = level && place.y == places[0].y;
    if (!level) {
        for (size_t i = 0; i < count; ++i)
            m_pDC->TextOut(places[i].x, places[i].y, &chars.GetString()[i], 1);
        return;
    }
    std::vector<INT>& advances = m_textScratch.advances;
    advances.resize(count);
    for (size_t i = 0; i + 1 < count; ++i)
        advances[i] = places[i + 1].x - places[i].x;
    advances[count - 1] = after.x - places[count - 1].x;
    m_pDC->ExtTextOut(places[0].x, places[0].y, 0, nullptr, chars, static_cast<UINT>(count), advances.data());
}
