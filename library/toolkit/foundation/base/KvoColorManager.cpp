#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoWinThemeWrapper.h"
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace {
const COLORREF kNoDarkValue = KVO_COLOR_NONE;

// The fixed colours that palette indices answer while dark mode is in force.
struct DarkPaletteTable {
    COLORREF values[KVO_PALETTE_SIZE];

    DarkPaletteTable()
    {
        std::fill(values, values + KVO_PALETTE_SIZE, kNoDarkValue);
        Set({5, 31, 36}, 0x080808);
        Set({6, 21, 59}, 0x000000);
        Set({8, 14, 18, 44, 45, 46}, 0xFFFFFF);
        Set({13, 20, 53}, 0x808080);
        Set({15, 30, 51, 55, 56}, 0x383838);
        Set({16, 34, 35, 38, 39, 40, 42, 43, 48, 52, 54, 57, 58, 60, 61}, 0x505050);
        Set({32, 33, 37, 50}, 0xB4B4B4);
        Set({41}, 0x282828);
        Set({47, 49}, 0xC8C8C8);
    }
    void Set(std::initializer_list<int> indices, COLORREF value)
    {
        for (int index : indices)
            values[index] = value;
    }
};

const DarkPaletteTable& DarkPalette()
{
    static const DarkPaletteTable table;
    return table;
}

// The colour space of the distance operations: each channel weighted for
// the eye, so the largest distance (black to white) is about 441.
const double kColorAxisLength[3] = {195.0, 390.0, 65.0};

struct KvoColorPoint {
    double v[3];
};

KvoColorPoint ToColorPoint(COLORREF color)
{
    const int channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    KvoColorPoint point;
    for (int i = 0; i < 3; ++i)
        point.v[i] = channels[i] * kColorAxisLength[i] / 255.0;
    return point;
}

COLORREF FromColorPoint(const KvoColorPoint& point)
{
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        double coordinate = std::min(std::max(point.v[i], 0.0), kColorAxisLength[i]);
        channels[i] = std::min(std::max(static_cast<int>(coordinate * 255.0 / kColorAxisLength[i] + 0.5), 0), 255);
    }
    return RGB(channels[0], channels[1], channels[2]);
}

double ColorPointLength(const KvoColorPoint& point)
{
    return std::sqrt(point.v[0] * point.v[0] + point.v[1] * point.v[1] + point.v[2] * point.v[2]);
}

KvoColorPoint ColorPointMinus(const KvoColorPoint& a, const KvoColorPoint& b)
{
    return {{a.v[0] - b.v[0], a.v[1] - b.v[1], a.v[2] - b.v[2]}};
}

// Every coordinate replaced by its axis length minus itself: the space seen
// from white. Its own inverse.
KvoColorPoint ColorPointFromWhite(const KvoColorPoint& point)
{
    return {{kColorAxisLength[0] - point.v[0], kColorAxisLength[1] - point.v[1], kColorAxisLength[2] - point.v[2]}};
}

// The threshold grows towards black (up to twice its size) where the eye
// tells colours apart less well.
double ScaledThreshold(COLORREF a, float threshold)
{
    int brightness = static_cast<int>(ColorPointLength(ToColorPoint(a)));
    return (2.0 - std::min(brightness, 220) / 220.0) * static_cast<int>(threshold);
}

COLORREF ScaleColorChannels(COLORREF color, int numerator, int denominator)
{
    return RGB(GetRValue(color) * numerator / denominator, GetGValue(color) * numerator / denominator,
               GetBValue(color) * numerator / denominator);
}

int LargestColorChannel(COLORREF color)
{
    return std::max({GetRValue(color), GetGValue(color), GetBValue(color)});
}

bool ThemeNameContains(const wchar_t* text, const wchar_t* part)
{
    return std::wcsstr(text, part) != nullptr;
}

void LowerThemeName(wchar_t* text)
{
    for (; *text; ++text)
        *text = static_cast<wchar_t>(std::towlower(*text));
}

struct ThemeColorRow {
    int indices[3];
    COLORREF blue, olive, silver, darkSilver; // schemes 1/4/5, 2, 3, 7
};

// The toolkit colours that a Windows colour scheme sets (-1 ends a row).
const ThemeColorRow kThemeColorRows[] = {
    {{38, -1, -1}, 0x764127, 0x335E51, 0x755454, 0x755454},
    {{39, -1, -1}, 0xCB8C6A, 0x588060, 0x8F6D6E, 0x8F6D6E},
    {{40, -1, -1}, 0xD0966D, 0x7AAE9F, 0xBEA7A8, 0xBEA7A8},
    {{41, -1, -1}, 0xF6F6F6, 0xEEF4F4, 0xFFFAFD, 0x2C2C2C},
    {{43, -1, -1}, 0x962D00, 0x5E8D75, 0x947C7C, 0x947C7C},
    {{31, -1, -1}, 0xC2EEFF, 0xC2EEFF, 0xC2EEFF, 0xC2EEFF},
    {{32, 50, 37}, 0x800000, 0x385D3F, 0x6F4B4B, 0x6F4B4B},
    {{33, -1, -1}, 0x3E80FE, 0x3E80FE, 0x3E80FE, 0x3E80FE},
    {{36, -1, -1}, 0x6FC0FF, 0x6FC0FF, 0x6FC0FF, 0x6FC0FF},
    {{30, -1, -1}, 0xF5BE9E, 0xA7D9D9, 0xE5D7D7, 0xE5D7D7},
    {{47, -1, -1}, 0x000000, 0x000000, 0x000000, 0xFFFFFF},
    {{59, -1, -1}, 0x361E16, 0x19221F, 0x292024, 0x292024},
};

struct MixRow {
    int target, first, second, weight;
};

const MixRow kMixRows[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50},  {41, 15, 5, 143}, {35, 17, 5, 70}, {38, 16, 5, 75},
    {39, 16, 5, 70},  {43, 46, 16, 20}, {61, 46, 16, 15}, {40, 16, 5, 90},  {42, 15, 16, 90},
};

struct DistanceRow {
    int target, a, b;
    float threshold;
};

const DistanceRow kDistanceRows[] = {
    {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
    {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 41, 43, 100}, {61, 30, 61, 100}, {40, 30, 40, 80},
    {44, 41, 44, 180}, {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
};

struct GradientValue {
    COLORREF light, dark;
    float factor;
};

// Gradients 0 to 6 of the Windows colour schemes and the colour 54 they set.
struct SchemeGradients {
    GradientValue gradients[7];
    COLORREF color54;
};

const SchemeGradients kBlueGradients = {{{0xD68759, 0x962D00, 0.5f},
                                         {0xF5BE9E, 0xFADAC4, 0.5f},
                                         {0xD68759, 0x962D00, 0.5f},
                                         {0xFEECDD, 0xE2A981, 0.75f},
                                         {0xFFEFE3, 0xE4AD87, 0.5f},
                                         {0xF6DDCB, 0xDCA179, 0.5f},
                                         {0xFFEFE3, 0xE7B593, 0.5f}},
                                        0x962D00};
const SchemeGradients kOliveGradients = {{{0x82C0AF, 0x447A63, 0.5f},
                                          {0xA7D9D9, 0xE4F1F2, 0.5f},
                                          {0x6F8E78, 0x435B49, 0.5f},
                                          {0xDEF7F4, 0x91C6B7, 0.3f},
                                          {0xEDFFFF, 0x92C7B8, 0.3f},
                                          {0xD1E6E6, 0x78B4A4, 0.3f},
                                          {0xD5F0EC, 0x9FCEC2, 0.5f}},
                                         0x588060};
const SchemeGradients kSilverGradients = {{{0xBFA7A8, 0x916F70, 0.5f},
                                           {0xE5D7D7, 0xF7F3F3, 0.5f},
                                           {0xBFA7A8, 0x977677, 0.5f},
                                           {0xFFF9F9, 0xB79B9C, 0.75f},
                                           {0xFFF9F9, 0xB99D9F, 0.75f},
                                           {0xE2D7D7, 0x9E7E80, 0.75f},
                                           {0xF1E7E9, 0xCDB9BA, 0.5f}},
                                          0x947C7C};
}

CKvoColorManager* CKvoColorManager::Instance()
{
    static CKvoColorManager instance;
    return &instance;
}

CKvoColorManager::CKvoColorManager()
    : m_bRoyaleDetection(TRUE), m_bAeroDetection(TRUE), m_bLunaColorsDisabled(FALSE),
      m_configuredTheme(KvoSystemThemeAuto), m_detectedTheme(KvoSystemThemeNone)
{
    std::fill(m_standardColors, m_standardColors + KVO_PALETTE_SIZE, 0);
    std::fill(m_customColors, m_customColors + KVO_PALETTE_SIZE, KVO_COLOR_NONE);
    std::fill(m_themeColors, m_themeColors + KVO_PALETTE_SIZE, KVO_COLOR_NONE);
    m_gradients[7].SetStandardValue(0x8CD5FF, 0x55ADFF, 0.5f);
    m_gradients[8].SetStandardValue(0x4B8EFE, 0x8BCFFF, 0.5f);
    m_gradients[9].SetStandardValue(0xC8F2FF, 0x97D4FF, 0.5f);
    RefreshColors();
}

COLORREF CKvoColorManager::GetColor(KvoPaletteIndex index) const
{
    if (index >= static_cast<KvoPaletteIndex>(KVO_PALETTE_SIZE))
        return index;
    if (g_darkModeActive && DarkPalette().values[index] != kNoDarkValue)
        return DarkPalette().values[index];
    return m_customColors[index] != KVO_COLOR_NONE ? m_customColors[index] : m_standardColors[index];
}

COLORREF CKvoColorManager::GetLunaColor(KvoPaletteIndex index) const
{
    if (index >= 30 && index < static_cast<KvoPaletteIndex>(KVO_PALETTE_SIZE) &&
        m_themeColors[index] != KVO_COLOR_NONE)
        return m_themeColors[index];
    return GetColor(index);
}

COLORREF CKvoColorManager::GetStandardColor(KvoPaletteIndex index) const
{
    return index < static_cast<KvoPaletteIndex>(KVO_PALETTE_SIZE) ? m_standardColors[index] : KVO_COLOR_NONE;
}

void CKvoColorManager::SetColor(KvoPaletteIndex index, COLORREF color)
{
    if (index < static_cast<KvoPaletteIndex>(KVO_PALETTE_SIZE))
        m_customColors[index] = color;
}

const CKvoPaintManagerColorGradient& CKvoColorManager::GetGradient(int index) const
{
    return m_gradients[index >= 0 && index < KVO_GRADIENT_COUNT ? index : 0];
}

KvoSystemTheme CKvoColorManager::GetCurrentSystemTheme() const
{
    if (m_configuredTheme == KvoSystemThemeAuto || m_configuredTheme == KvoSystemThemeDefault)
        return m_detectedTheme;
    return m_configuredTheme;
}

KvoSystemTheme CKvoColorManager::ClassifyThemeName(LPCWSTR themeFile, LPCWSTR colorName) const
{
    wchar_t file[MAX_PATH] = {};
    wchar_t color[MAX_PATH] = {};
    if (themeFile)
        wcsncpy(file, themeFile, MAX_PATH - 1);
    if (colorName)
        wcsncpy(color, colorName, MAX_PATH - 1);
    LowerThemeName(file);
    LowerThemeName(color);
    if (ThemeNameContains(file, L"luna.msstyles") || ThemeNameContains(file, L"winxp.luna.qvstyles")) {
        if (std::wcscmp(color, L"normalcolor") == 0)
            return KvoSystemThemeBlue;
        if (std::wcscmp(color, L"homestead") == 0)
            return KvoSystemThemeOlive;
        if (std::wcscmp(color, L"metallic") == 0)
            return KvoSystemThemeSilver;
    }
    if (m_bRoyaleDetection && (ThemeNameContains(file, L"royale.msstyles") || ThemeNameContains(file, L"winxp.royale.qvstyles")))
        return KvoSystemThemeRoyale;
    if (m_bAeroDetection && ThemeNameContains(file, L"aero.msstyles"))
        return KvoSystemThemeAero;
    return KvoSystemThemeNone;
}

KvoSystemTheme CKvoColorManager::DetectTheme() const
{
    CKvoWinThemeWrapper theme(TRUE);
    if (!theme.IsThemeActive() || IsLowResolution(NULL))
        return KvoSystemThemeNone;
    wchar_t file[MAX_PATH] = {}, color[MAX_PATH] = {}, size[MAX_PATH] = {};
    if (FAILED(theme.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, size, MAX_PATH)))
        return KvoSystemThemeNone;
    return ClassifyThemeName(file, color);
}

void CKvoColorManager::RefreshColorsStatic()
{
    Instance()->RefreshColors();
}

void CKvoColorManager::RefreshColors()
{
    RefreshColors(DetectTheme(), IsLowResolution(NULL));
}

void CKvoColorManager::RefreshColors(KvoSystemTheme detectedTheme, BOOL lowColor)
{
    m_detectedTheme = detectedTheme;
    SetStandard(0, 0x000000);
    for (int i = 1; i <= 29; ++i)
        SetStandard(i, ::GetSysColor(i));
    SetDefaultToolkitColors();
    SetThemeColors();
    if (!lowColor) {
        const bool contrast = IsContrastCase(GetColor(15), GetColor(18));
        if (contrast)
            ApplyContrastColors();
        else
            MixToolkitColors();
        KeepColorsApart();
        DeriveShadeColors(contrast);
    }
    SetGradients(lowColor);
    if (!lowColor)
        ReadTreeViewBorderColor();
}

void CKvoColorManager::SetDefaultToolkitColors()
{
    // Each toolkit colour starts as the system colour it stands in for.
    static const int kSources[] = {15, 5,  13, 13, 16, 17, 5,  13, 16, 16, 16, 5,  16, 16, 8, 7,
                                   18, 14, 16, 14, 13, 15, 16, 15, 16, 15, 15, 16, 17, -1, 16, 16};
    for (int i = 0; i < static_cast<int>(sizeof kSources / sizeof kSources[0]); ++i)
        SetStandard(30 + i, kSources[i] < 0 ? 0x000000 : GetColor(kSources[i]));
}

void CKvoColorManager::SetThemeColors()
{
    const KvoSystemTheme theme = GetCurrentSystemTheme();
    const bool schemeColors = !m_bLunaColorsDisabled &&
                              ((theme >= KvoSystemThemeBlue && theme <= KvoSystemThemeAero) ||
                               theme == KvoSystemThemeDarkSilver);
    if (!schemeColors) {
        std::fill(m_themeColors, m_themeColors + KVO_PALETTE_SIZE, KVO_COLOR_NONE);
        return;
    }
    for (const ThemeColorRow& row : kThemeColorRows) {
        COLORREF value = theme == KvoSystemThemeOlive    ? row.olive
                         : theme == KvoSystemThemeSilver ? row.silver
                         : theme == KvoSystemThemeDarkSilver ? row.darkSilver
                                                             : row.blue;
        for (int index : row.indices)
            if (index >= 0)
                m_themeColors[index] = value;
    }
}

bool CKvoColorManager::IsContrastCase(COLORREF face, COLORREF text)
{
    return (face == 0x000000 && text == 0xFFFFFF) || (face == 0xFFFFFF && text == 0x000000);
}

void CKvoColorManager::ApplyContrastColors()
{
    SetStandard(31, GetColor(13));
    SetStandard(36, GetColor(13));
    SetStandard(45, GetColor(14));
    SetStandard(32, GetColor(18));
    SetStandard(37, GetColor(18));
    SetStandard(50, GetColor(13));
    SetStandard(43, GetColor(18));
    SetStandard(38, GetColor(18));
}

void CKvoColorManager::MixToolkitColors()
{
    for (const MixRow& row : kMixRows)
        SetStandard(row.target, MixColors(GetColor(row.first), GetColor(row.second), row.weight));
}

void CKvoColorManager::KeepColorsApart()
{
    if (!IsColorDistanceAbove(GetColor(15), GetColor(30), TRUE, 35))
        SetStandard(30, MoveToDistance(GetColor(15), GetColor(30), 35));
    for (const DistanceRow& row : kDistanceRows) {
        COLORREF a = GetColor(row.a), b = GetColor(row.b);
        if (!IsColorDistanceAbove(a, b, TRUE, row.threshold))
            SetStandard(row.target, AdjustDistance(a, b, row.threshold));
    }
    if (!IsColorDistanceAbove(GetColor(41), GetColor(35), TRUE, 145))
        SetStandard(35, MoveToDistance(GetColor(41), GetColor(35), 145));
}

void CKvoColorManager::DeriveShadeColors(bool contrast)
{
    if (!contrast) {
        COLORREF c30 = GetColor(30), c5 = GetColor(5), c13 = GetColor(13);
        auto channel = [](int x, int y, int z) { return x * 50 / 100 + y * 40 / 100 + z * 10 / 100; };
        SetStandard(36, RGB(channel(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                            channel(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                            channel(GetBValue(c30), GetBValue(c5), GetBValue(c13))));
    }
    const COLORREF face = GetColor(15);
    const int faceMax = LargestColorChannel(face);
    SetStandard(48, faceMax == 0 ? 0x232323 : ScaleColorChannels(face, faceMax + std::min(255 - faceMax, 35), faceMax));
    const COLORREF shadow = GetColor(16);
    const int shadowMax = LargestColorChannel(shadow);
    if (face == 0x000000)
        SetStandard(49, 0x7F7F7F);
    else
        SetStandard(49, shadowMax == 0 ? 0x000000 : ScaleColorChannels(shadow, std::max(shadowMax - 43, 0), shadowMax));
    SetStandard(34, ScaleColorChannels(m_standardColors[31], 3, 4));
    SetStandard(22, RGB(std::min(GetRValue(face) + 15, 255), std::min(GetGValue(face) + 15, 255),
                        std::min(GetBValue(face) + 15, 255)));
    SetStandard(53, GetColor(30));
    SetStandard(58, GetColor(40));
    SetStandard(60, m_standardColors[40]);
}

void CKvoColorManager::SetGradients(BOOL lowColor)
{
    const KvoSystemTheme theme = m_bLunaColorsDisabled ? KvoSystemThemeNone : GetCurrentSystemTheme();
    const SchemeGradients* scheme = nullptr;
    switch (theme) {
    case KvoSystemThemeBlue:
    case KvoSystemThemeRoyale:
    case KvoSystemThemeAero:
        scheme = &kBlueGradients;
        break;
    case KvoSystemThemeOlive:
        scheme = &kOliveGradients;
        break;
    case KvoSystemThemeSilver:
    case KvoSystemThemeDarkSilver:
        scheme = &kSilverGradients;
        break;
    default:
        break;
    }
    if (scheme) {
        for (int i = 0; i < 7; ++i)
            m_gradients[i].SetStandardValue(scheme->gradients[i].light, scheme->gradients[i].dark,
                                            scheme->gradients[i].factor);
        SetStandard(54, theme == KvoSystemThemeDarkSilver ? 0x000000 : scheme->color54);
    } else {
        const COLORREF face = GetColor(15), window = GetColor(5), shadow = GetColor(16);
        m_gradients[0].SetStandardValue(shadow, shadow);
        m_gradients[1].SetStandardValue(face, MixColors(face, window, 215));
        m_gradients[2].SetStandardValue(face, shadow);
        m_gradients[3].SetStandardValue(MixColors(face, window, 205), face);
        m_gradients[4].SetStandardValue(MixColors(face, window, 145), MixColors(face, window, 93));
        m_gradients[5].SetStandardValue(MixColors(face, window, 40), MixColors(face, shadow, 95));
        m_gradients[6].SetStandardValue(MixColors(face, window, 165), MixColors(face, window, 42));
    }
    if (lowColor) {
        m_gradients[1].SetStandardValue(GetColor(15));
        m_gradients[3].SetStandardValue(GetColor(15));
    }
}

void CKvoColorManager::ReadTreeViewBorderColor()
{
    // The tree view's border colour of the visual style frames the toolkit's
    // lists too (3801: the border colour property).
    CKvoWinThemeWrapper theme(TRUE);
    theme.OpenThemeData(NULL, L"TREEVIEW");
    if (theme.IsAppThemed())
        theme.GetThemeColor(0, 0, 3801, &m_standardColors[57]);
}

BOOL CKvoColorManager::IsLowResolution(HDC dc)
{
    HWND desktop = NULL;
    HDC screen = NULL;
    if (dc == NULL) {
        desktop = ::GetDesktopWindow();
        screen = dc = ::GetDC(desktop);
        if (dc == NULL)
            return FALSE;
    }
    const int bitsPerPixel = ::GetDeviceCaps(dc, BITSPIXEL);
    if (screen)
        ::ReleaseDC(desktop, screen);
    return bitsPerPixel >= 1 && bitsPerPixel <= 8;
}

COLORREF CKvoColorManager::MixColors(COLORREF first, COLORREF second, int weight)
{
    const int scale = weight < 100 ? 100 : 1000;
    auto mix = [&](int a, int b) { return (a * weight + b * (scale - weight) + scale / 2) / scale; };
    return RGB(mix(GetRValue(first), GetRValue(second)), mix(GetGValue(first), GetGValue(second)),
               mix(GetBValue(first), GetBValue(second)));
}

BOOL CKvoColorManager::IsColorDistanceAbove(COLORREF a, COLORREF b, BOOL scaled, float threshold)
{
    const double limit = scaled ? ScaledThreshold(a, threshold) : threshold;
    const double distance = ColorPointLength(ColorPointMinus(ToColorPoint(a), ToColorPoint(b)));
    return distance * distance > limit * limit;
}

COLORREF CKvoColorManager::MoveToDistance(COLORREF a, COLORREF b, float threshold)
{
    const KvoColorPoint pa = ToColorPoint(a), pb = ToColorPoint(b);
    const double distance = ColorPointLength(ColorPointMinus(pa, pb));
    if (distance == 0.0)
        return b; // no line through a and b: nothing to move along
    const double target = ScaledThreshold(a, threshold);
    const double share = (distance - target) / distance;
    KvoColorPoint moved;
    for (int i = 0; i < 3; ++i)
        moved.v[i] = pb.v[i] + (pa.v[i] - pb.v[i]) * share;
    return FromColorPoint(moved);
}

COLORREF CKvoColorManager::AdjustDistance(COLORREF a, COLORREF b, float threshold)
{
    const double target = ScaledThreshold(a, threshold);
    KvoColorPoint pa = ToColorPoint(a), pb = ToColorPoint(b);
    const double brightA = ColorPointLength(pa), brightB = ColorPointLength(pb);
    // b is moved towards the end of the scale where a has room to differ.
    const bool fromWhite = brightB <= brightA ? brightA <= target : brightA <= 442.0 - target;
    if (fromWhite) {
        pa = ColorPointFromWhite(pa);
        pb = ColorPointFromWhite(pb);
    }
    const double lengthB = ColorPointLength(pb);
    if (lengthB == 0.0)
        return b; // b is the frame's origin: it has no ray
    KvoColorPoint unit;
    for (int i = 0; i < 3; ++i)
        unit.v[i] = pb.v[i] / lengthB;
    const double projection = pa.v[0] * unit.v[0] + pa.v[1] * unit.v[1] + pa.v[2] * unit.v[2];
    KvoColorPoint foot;
    for (int i = 0; i < 3; ++i)
        foot.v[i] = projection * unit.v[i];
    const double across = ColorPointLength(ColorPointMinus(pa, foot));
    const double radicand = target * target - across * across;
    if (radicand < 0.0)
        return b; // the ray passes farther than the distance from a
    const double along = projection - std::sqrt(radicand);
    KvoColorPoint adjusted;
    for (int i = 0; i < 3; ++i)
        adjusted.v[i] = unit.v[i] * along;
    return FromColorPoint(fromWhite ? ColorPointFromWhite(adjusted) : adjusted);
}
