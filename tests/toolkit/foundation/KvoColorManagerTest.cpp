#include <gtest/gtest.h>
#include <afxwin.h>
#include <cmath>
#include "foundation/base/KvoColorManager.h"
#include "toolkit/foundation/DarkModeScope.h"

namespace {
// A palette of its own, computed for an ordinary true-colour screen without
// a Windows colour scheme unless a test says otherwise.
class ColorManagerTest : public ::testing::Test {
protected:
    void SetUp() override { m_colors.RefreshColors(KvoSystemThemeNone, FALSE); }
    CKvoColorManager m_colors;
    DarkModeScope m_light{false};
};

struct DarkPaletteCase {
    int index;
    COLORREF value;
};

const DarkPaletteCase kDarkValues[] = {
    {5, 0x080808},  {31, 0x080808}, {36, 0x080808}, {6, 0x000000},  {21, 0x000000}, {59, 0x000000},
    {8, 0xFFFFFF},  {14, 0xFFFFFF}, {18, 0xFFFFFF}, {44, 0xFFFFFF}, {45, 0xFFFFFF}, {46, 0xFFFFFF},
    {13, 0x808080}, {20, 0x808080}, {53, 0x808080}, {15, 0x383838}, {30, 0x383838}, {51, 0x383838},
    {55, 0x383838}, {56, 0x383838}, {16, 0x505050}, {34, 0x505050}, {35, 0x505050}, {38, 0x505050},
    {39, 0x505050}, {40, 0x505050}, {42, 0x505050}, {43, 0x505050}, {48, 0x505050}, {52, 0x505050},
    {54, 0x505050}, {57, 0x505050}, {58, 0x505050}, {60, 0x505050}, {61, 0x505050}, {32, 0xB4B4B4},
    {33, 0xB4B4B4}, {37, 0xB4B4B4}, {50, 0xB4B4B4}, {41, 0x282828}, {47, 0xC8C8C8}, {49, 0xC8C8C8},
};

double WeightedColorDistance(COLORREF a, COLORREF b)
{
    const double dr = (GetRValue(a) - GetRValue(b)) * 195.0 / 255.0;
    const double dg = (GetGValue(a) - GetGValue(b)) * 390.0 / 255.0;
    const double db = (GetBValue(a) - GetBValue(b)) * 65.0 / 255.0;
    return std::sqrt(dr * dr + dg * dg + db * db);
}
}

// Every index answers its computed colour until a custom colour is set, and
// the custom colour until it is cleared; refreshes keep it.
TEST_F(ColorManagerTest, EveryIndexAnswersItsCustomColourOverTheStandardOne)
{
    for (int index = 0; index < KVO_PALETTE_SIZE; ++index) {
        EXPECT_EQ(m_colors.GetColor(index), m_colors.GetStandardColor(index)) << index;
        const COLORREF custom = RGB(index, 255 - index, 7);
        m_colors.SetColor(index, custom);
        EXPECT_EQ(m_colors.GetColor(index), custom) << index;
    }
    m_colors.RefreshColors(KvoSystemThemeNone, FALSE);
    EXPECT_EQ(m_colors.GetColor(40), RGB(40, 215, 7));
    for (int index = 0; index < KVO_PALETTE_SIZE; ++index)
        m_colors.SetColor(index, KVO_COLOR_NONE);
    EXPECT_EQ(m_colors.GetColor(40), m_colors.GetStandardColor(40));
}

TEST_F(ColorManagerTest, SystemColoursBlackAndColoursAboveTheTable)
{
    EXPECT_EQ(m_colors.GetColor(0), 0x000000u);
    for (int index = 1; index <= 29; ++index) {
        if (index != 22) { // the toolkit lightens the 3-D light colour
            EXPECT_EQ(m_colors.GetColor(index), GetSysColor(index)) << index;
        }
    }
    EXPECT_EQ(m_colors.GetColor(62), 0x000000u);
    for (COLORREF color : {COLORREF(63), COLORREF(0xFF8080), KVO_COLOR_NONE})
        EXPECT_EQ(m_colors.GetColor(color), color);
    m_colors.SetColor(63, 0x123456); // outside the palette: ignored
    EXPECT_EQ(m_colors.GetColor(63), 63u);
}

TEST_F(ColorManagerTest, DarkModeAnswersFixedValuesEvenOverCustomColours)
{
    COLORREF light[KVO_PALETTE_SIZE];
    for (int index = 0; index < KVO_PALETTE_SIZE; ++index)
        light[index] = m_colors.GetColor(index);
    m_colors.SetColor(15, 0x0000FF);
    DarkModeScope dark(true);
    bool hasDarkValue[KVO_PALETTE_SIZE] = {};
    for (const DarkPaletteCase& c : kDarkValues) {
        EXPECT_EQ(m_colors.GetColor(c.index), c.value) << c.index;
        hasDarkValue[c.index] = true;
    }
    for (int index = 0; index < KVO_PALETTE_SIZE; ++index) {
        if (!hasDarkValue[index]) {
            EXPECT_EQ(m_colors.GetColor(index), light[index]) << index;
        }
    }
    EXPECT_EQ(m_colors.GetColor(0xFF8080), 0xFF8080u);
}

TEST(ColorManager, MixColorsWeighsInPercentOrPerMille)
{
    EXPECT_EQ(CKvoColorManager::MixColors(0xFFFFFF, 0x000000, 30), 0x4D4D4Du);
    EXPECT_EQ(CKvoColorManager::MixColors(0xFFFFFF, 0x000000, 165), 0x2A2A2Au);
    EXPECT_EQ(CKvoColorManager::MixColors(0x0000FF, 0xFF0000, 50), 0x800080u);
    EXPECT_EQ(CKvoColorManager::MixColors(0x102030, 0x405060, 0), 0x405060u);
}

// Equal colours have no line between them and a colour at the frame's
// origin has no ray: the colour comes back unchanged instead of a division
// by zero (or the root of a negative number) making it up.
TEST(ColorManager, DistanceCorrectionsOfDegenerateColoursGiveTheColourBack)
{
    for (COLORREF color : {COLORREF(0x000000), COLORREF(0x808080), COLORREF(0xFFFFFF), COLORREF(0x3366CC)})
        EXPECT_EQ(CKvoColorManager::MoveToDistance(color, color, 35), color);
    // b black, a far from black: the correction works from black, where b
    // is the origin.
    EXPECT_EQ(CKvoColorManager::AdjustDistance(0xFFFFFF, 0x000000, 100), 0x000000u);
    // b white, a darker and far from both ends: worked from white, b is the origin.
    EXPECT_EQ(CKvoColorManager::AdjustDistance(0x707070, 0xFFFFFF, 10), 0xFFFFFFu);
    // A ray that passes farther from a than the distance: no point lies there.
    EXPECT_EQ(CKvoColorManager::AdjustDistance(0x00FF00, 0x0000FF, 10), 0x0000FFu);
}

TEST(ColorManager, DistanceCorrectionsPlaceTheColourAtTheScaledDistance)
{
    // a is bright (L >= 220), so the scaled threshold is the threshold.
    const COLORREF a = 0xE0E0E0, b = 0xD8D8D8;
    EXPECT_FALSE(CKvoColorManager::IsColorDistanceAbove(a, b, TRUE, 50));
    const COLORREF moved = CKvoColorManager::MoveToDistance(a, b, 50);
    EXPECT_NEAR(WeightedColorDistance(a, moved), 50.0, 2.0);
    const COLORREF adjusted = CKvoColorManager::AdjustDistance(a, b, 50);
    EXPECT_NEAR(WeightedColorDistance(a, adjusted), 50.0, 2.0);
    EXPECT_LT(GetGValue(adjusted), GetGValue(b)); // moved towards black
    // Near black the threshold doubles.
    EXPECT_TRUE(CKvoColorManager::IsColorDistanceAbove(0x000000, 0x101010, FALSE, 20));
    EXPECT_FALSE(CKvoColorManager::IsColorDistanceAbove(0x000000, 0x101010, TRUE, 20));
}

namespace {
struct ColorSchemeCase {
    KvoSystemTheme theme;
    COLORREF color38, color41, color47, color54;
    COLORREF gradient3Light, gradient3Dark;
    float gradient3Factor;
};

const ColorSchemeCase kSchemes[] = {
    {KvoSystemThemeBlue, 0x764127, 0xF6F6F6, 0x000000, 0x962D00, 0xFEECDD, 0xE2A981, 0.75f},
    {KvoSystemThemeRoyale, 0x764127, 0xF6F6F6, 0x000000, 0x962D00, 0xFEECDD, 0xE2A981, 0.75f},
    {KvoSystemThemeAero, 0x764127, 0xF6F6F6, 0x000000, 0x962D00, 0xFEECDD, 0xE2A981, 0.75f},
    {KvoSystemThemeOlive, 0x335E51, 0xEEF4F4, 0x000000, 0x588060, 0xDEF7F4, 0x91C6B7, 0.3f},
    {KvoSystemThemeSilver, 0x755454, 0xFFFAFD, 0x000000, 0x947C7C, 0xFFF9F9, 0xB79B9C, 0.75f},
    {KvoSystemThemeDarkSilver, 0x755454, 0x2C2C2C, 0xFFFFFF, 0x000000, 0xFFF9F9, 0xB79B9C, 0.75f},
};
}

TEST_F(ColorManagerTest, ColourSchemesSetTheirColoursAndGradients)
{
    for (const ColorSchemeCase& c : kSchemes) {
        m_colors.SetCurrentSystemTheme(c.theme);
        m_colors.RefreshColors(KvoSystemThemeNone, FALSE);
        EXPECT_EQ(m_colors.GetCurrentSystemTheme(), c.theme);
        EXPECT_EQ(m_colors.GetLunaColor(38), c.color38) << c.theme;
        EXPECT_EQ(m_colors.GetLunaColor(41), c.color41) << c.theme;
        EXPECT_EQ(m_colors.GetLunaColor(47), c.color47) << c.theme;
        EXPECT_EQ(m_colors.GetColor(54), c.color54) << c.theme;
        const CKvoPaintManagerColorGradient& gradient = m_colors.GetGradient(3);
        EXPECT_EQ(gradient.GetLightColor(), c.gradient3Light) << c.theme;
        EXPECT_EQ(gradient.GetDarkColor(), c.gradient3Dark) << c.theme;
        EXPECT_FLOAT_EQ(gradient.fGradientFactor, c.gradient3Factor) << c.theme;
    }
    // The fixed gradients stay.
    EXPECT_EQ(m_colors.GetGradient(8).GetLightColor(), 0x4B8EFEu);
}

// Automatic configuration follows the detected scheme; disabled scheme
// colours give the system-colour palette and gradients.
TEST_F(ColorManagerTest, AutomaticSchemeAndDisabledSchemeColours)
{
    m_colors.RefreshColors(KvoSystemThemeAero, FALSE);
    EXPECT_EQ(m_colors.GetDetectedTheme(), KvoSystemThemeAero);
    EXPECT_EQ(m_colors.GetCurrentSystemTheme(), KvoSystemThemeAero);
    EXPECT_EQ(m_colors.GetLunaColor(38), 0x764127u);
    EXPECT_EQ(m_colors.GetGradient(0).GetLightColor(), 0xD68759u);

    m_colors.DisableLunaColors(TRUE);
    m_colors.RefreshColors(KvoSystemThemeAero, FALSE);
    EXPECT_TRUE(m_colors.IsLunaColorsDisabled());
    EXPECT_EQ(m_colors.GetLunaColor(38), m_colors.GetColor(38));
    const COLORREF face = m_colors.GetColor(15), window = m_colors.GetColor(5);
    EXPECT_EQ(m_colors.GetGradient(1).GetLightColor(), face);
    EXPECT_EQ(m_colors.GetGradient(1).GetDarkColor(), CKvoColorManager::MixColors(face, window, 215));
    EXPECT_EQ(m_colors.GetGradient(4).GetDarkColor(), CKvoColorManager::MixColors(face, window, 93));
}

TEST_F(ColorManagerTest, OrdinaryColoursAreMixedAndDerived)
{
    // Windows-like system colours make the ordinary (not high contrast) case.
    m_colors.SetColor(5, 0xFFFFFF);
    m_colors.SetColor(15, 0xF0F0F0);
    m_colors.SetColor(16, 0xA0A0A0);
    m_colors.SetColor(18, 0x000000);
    m_colors.RefreshColors(KvoSystemThemeNone, FALSE);
    EXPECT_EQ(m_colors.GetColor(41), CKvoColorManager::MixColors(0xF0F0F0, 0xFFFFFF, 143));
    EXPECT_EQ(m_colors.GetColor(48), RGB(255, 255, 255)); // 0xF0 x (0xF0 + 15) / 0xF0
    EXPECT_EQ(m_colors.GetColor(49), RGB(0x75, 0x75, 0x75)); // 0xA0 x (0xA0 - 43) / 0xA0
    EXPECT_EQ(m_colors.GetColor(22), 0xFFFFFFu);
    EXPECT_EQ(m_colors.GetColor(34), RGB(GetRValue(m_colors.GetStandardColor(31)) * 3 / 4,
                                         GetGValue(m_colors.GetStandardColor(31)) * 3 / 4,
                                         GetBValue(m_colors.GetStandardColor(31)) * 3 / 4));
    EXPECT_EQ(m_colors.GetColor(53), m_colors.GetColor(30));
    // The mixed 30 (0xF2F2F2) lies too close to the face and is pushed away
    // from it, towards white.
    EXPECT_GT(GetGValue(m_colors.GetColor(30)), 0xF2);
}

TEST_F(ColorManagerTest, HighContrastReplacesTheMixing)
{
    m_colors.SetColor(15, 0x000000);
    m_colors.SetColor(18, 0xFFFFFF);
    m_colors.RefreshColors(KvoSystemThemeNone, FALSE);
    EXPECT_EQ(m_colors.GetColor(36), m_colors.GetColor(13));
    EXPECT_EQ(m_colors.GetColor(50), m_colors.GetColor(13));
    EXPECT_EQ(m_colors.GetColor(41), m_colors.GetColor(5)); // not mixed
    EXPECT_EQ(m_colors.GetColor(48), 0x232323u);
    EXPECT_EQ(m_colors.GetColor(49), 0x7F7F7Fu);
}

TEST_F(ColorManagerTest, LowColourScreenKeepsDefaultsAndFlatGradients)
{
    m_colors.RefreshColors(KvoSystemThemeNone, TRUE);
    EXPECT_EQ(m_colors.GetColor(31), m_colors.GetColor(5));
    EXPECT_EQ(m_colors.GetColor(41), m_colors.GetColor(5));
    EXPECT_EQ(m_colors.GetColor(30), m_colors.GetColor(15));
    for (int gradient : {1, 3}) {
        EXPECT_EQ(m_colors.GetGradient(gradient).GetLightColor(), m_colors.GetColor(15));
        EXPECT_EQ(m_colors.GetGradient(gradient).GetDarkColor(), m_colors.GetColor(15));
    }
}

TEST(ColorManager, VisualStyleNamesGiveTheirSchemes)
{
    CKvoColorManager colors;
    struct Case {
        const wchar_t* file;
        const wchar_t* color;
        KvoSystemTheme theme;
    } cases[] = {
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", KvoSystemThemeBlue},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", KvoSystemThemeOlive},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Metallic", KvoSystemThemeSilver},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Other", KvoSystemThemeNone},
        {L"C:\\x\\WinXP.Luna.qvstyles", L"normalcolor", KvoSystemThemeBlue},
        {L"C:\\WINDOWS\\Resources\\Themes\\Royale.msstyles", L"NormalColor", KvoSystemThemeRoyale},
        {L"C:\\Windows\\resources\\themes\\Aero\\Aero.msstyles", L"NormalColor", KvoSystemThemeAero},
        {L"C:\\wine\\light.msstyles", L"Blue", KvoSystemThemeNone},
        {L"", L"", KvoSystemThemeNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colors.ClassifyThemeName(c.file, c.color), c.theme) << c.file;
    colors.EnableAeroDetection(FALSE);
    colors.EnableRoyaleDetection(FALSE);
    EXPECT_EQ(colors.ClassifyThemeName(L"Aero.msstyles", L"NormalColor"), KvoSystemThemeNone);
    EXPECT_EQ(colors.ClassifyThemeName(L"Royale.msstyles", L"NormalColor"), KvoSystemThemeNone);
    EXPECT_EQ(colors.ClassifyThemeName(NULL, NULL), KvoSystemThemeNone);
}

// The real road: what the test machine's visual style and screen give.
// Under Wine with Xvfb the screen has more than 8 bits per pixel and no
// Luna, Royale or Aero style is active, so the scheme is none.
TEST(ColorManager, ProcessPaletteFollowsTheRunningSystem)
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors, CKvoColorManager::Instance());
    EXPECT_FALSE(CKvoColorManager::IsLowResolution(NULL));
    CKvoColorManager::RefreshColorsStatic();
    EXPECT_EQ(colors->GetDetectedTheme(), KvoSystemThemeNone);
    EXPECT_EQ(colors->GetDetectedTheme(), colors->DetectTheme());
    EXPECT_EQ(colors->GetColor(8), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(PaintManagerColor, CustomPartWinsAndBothPartsAreStored)
{
    CKvoPaintManagerColor color(0x112233);
    EXPECT_EQ(color.GetColor(), 0x112233u);
    color.SetCustomValue(0x445566);
    EXPECT_EQ(static_cast<COLORREF>(color), 0x445566u);
    EXPECT_TRUE(CKvoPaintManagerColor().IsNone());

    CKvoPaintManagerColorGradient gradient;
    EXPECT_FLOAT_EQ(gradient.fGradientFactor, 0.5f);
    gradient.SetStandardValue(0x010203, 0x040506, 0.25f);
    gradient.clrDark.SetCustomValue(0x070809);
    CKvoPaintManagerColorGradient copy;
    copy.SetStandardValueFrom(gradient);
    EXPECT_EQ(copy.GetDarkColor(), 0x070809u);
    EXPECT_FALSE(copy.clrDark.IsCustomValue());
    EXPECT_FLOAT_EQ(copy.fGradientFactor, 0.25f);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        gradient.Serialize(ar);
    }
    // Light standard, light custom, dark standard, dark custom, factor.
    ASSERT_EQ(file.GetLength(), 20u);
    file.SeekToBegin();
    DWORD words[5] = {};
    file.Read(words, sizeof words);
    EXPECT_EQ(words[0], 0x010203u);
    EXPECT_EQ(words[1], KVO_COLOR_NONE);
    EXPECT_EQ(words[2], 0x040506u);
    EXPECT_EQ(words[3], 0x070809u);
    file.SeekToBegin();
    CKvoPaintManagerColorGradient loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(loaded.GetLightColor(), 0x010203u);
    EXPECT_EQ(loaded.GetDarkColor(), 0x070809u);
    EXPECT_FLOAT_EQ(loaded.fGradientFactor, 0.25f);
}
