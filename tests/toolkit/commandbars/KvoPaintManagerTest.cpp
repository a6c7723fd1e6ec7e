#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "commandbars/KvoControlGalleryPaintManager.h"
#include "commandbars/KvoPaintManager.h"
#include "commandbars/KvoProgressPaintManager.h"
#include "commandbars/KvoSliderPaintManager.h"
#include "foundation/base/KvoShadowManager.h"
#include "themes/KvoDefaultTheme.h"
#include "themes/KvoNativeXPTheme.h"
#include "themes/KvoOffice2003Theme.h"
#include "themes/KvoOffice2007Theme.h"
#include "themes/KvoOfficeTheme.h"
#include "themes/KvoRibbonTheme.h"
#include "themes/KvoVisualStudio2008Theme.h"
#include "themes/KvoWhidbeyTheme.h"
#include "toolkit/commandbars/support/KvoRecordingUxTheme.h"
#include "toolkit/commandbars/support/KvoTestPaintManager.h"
#include "toolkit/foundation/DarkModeScope.h"
#include "toolkit/foundation/ShownVersion.h"

namespace {
// Leaves no shared paint manager behind, whatever the test did.
class KvoPaintManagerTest : public ::testing::Test {
protected:
    void TearDown() override { CKvoPaintManager::DestroyInstance(); }
};

// Menu fonts for UpdateFonts, in place of the system's.
class FakeSystemFonts {
public:
    explicit FakeSystemFonts(LONG menuHeight, LONG menuWeight = FW_NORMAL)
    {
        s_menuHeight = menuHeight;
        s_menuWeight = menuWeight;
        m_saved = CKvoPaintManager::SetSystemFontReader({ReadMetrics, ReadIconTitle});
    }
    ~FakeSystemFonts() { CKvoPaintManager::SetSystemFontReader(m_saved); }

private:
    static void Face(LOGFONTW& font, LONG height)
    {
        font.lfHeight = height;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(font.lfFaceName, L"Tahoma");
    }
    static NONCLIENTMETRICSW* ReadMetrics(NONCLIENTMETRICSW* metrics)
    {
        *metrics = NONCLIENTMETRICSW();
        metrics->cbSize = sizeof(NONCLIENTMETRICSW);
        Face(metrics->lfMenuFont, s_menuHeight);
        metrics->lfMenuFont.lfWeight = s_menuWeight;
        metrics->lfMenuFont.lfCharSet = SHIFTJIS_CHARSET;
        Face(metrics->lfSmCaptionFont, -12);
        Face(metrics->lfStatusFont, -12);
        return metrics;
    }
    static BOOL ReadIconTitle(LOGFONTW* font)
    {
        Face(*font, -12);
        return TRUE;
    }
    static LONG s_menuHeight;
    static LONG s_menuWeight;
    KvoSystemFontReader m_saved;
};
LONG FakeSystemFonts::s_menuHeight = 0;
LONG FakeSystemFonts::s_menuWeight = 0;

LOGFONTW LogFontOf(CFont& font)
{
    LOGFONTW logFont = {};
    font.GetLogFont(&logFont);
    return logFont;
}
} // namespace

// The factory's table: the class of each id, the id written into the new
// object, and the class's own id (an unknown id gives a Default theme).
TEST_F(KvoPaintManagerTest, FactoryMakesTheThemeOfEachId)
{
    const struct {
        int id;
        const std::type_info& type;
        int classId;
    } cases[] = {
        {0, typeid(CKvoDefaultTheme), 0},          {1, typeid(CKvoOfficeTheme), 1},
        {2, typeid(CKvoOffice2003Theme), 2},       {3, typeid(CKvoNativeXPTheme), 3},
        {4, typeid(CKvoWhidbeyTheme), 4},          {5, typeid(CKvoOffice2007Theme), 5},
        {6, typeid(CKvoRibbonTheme), 6},           {7, typeid(CKvoVisualStudio2008Theme), 7},
        {8, typeid(CKvoDefaultTheme), 0},          {9, typeid(CKvoDefaultTheme), 0},
        {-1, typeid(CKvoDefaultTheme), 0},
    };
    for (const auto& c : cases) {
        CKvoPaintManager* theme = CKvoPaintManager::CreateTheme(c.id);
        ASSERT_NE(theme, nullptr);
        EXPECT_EQ(typeid(*theme), c.type) << "id " << c.id;
        EXPECT_EQ(theme->m_themeId, c.id);
        EXPECT_EQ(theme->GetThemeId(), c.classId) << "id " << c.id;
        theme->InternalRelease();
    }
    // The base chain of the factory's table.
    CKvoPaintManager* ribbon = CKvoPaintManager::CreateTheme(6);
    EXPECT_NE(dynamic_cast<CKvoOffice2003Theme*>(ribbon), nullptr);
    EXPECT_NE(dynamic_cast<CKvoOfficeTheme*>(ribbon), nullptr);
    ribbon->InternalRelease();
    CKvoPaintManager* visualStudio = CKvoPaintManager::CreateTheme(7);
    EXPECT_NE(dynamic_cast<CKvoWhidbeyTheme*>(visualStudio), nullptr);
    visualStudio->InternalRelease();
    CKvoPaintManager* nativeXP = CKvoPaintManager::CreateTheme(3);
    EXPECT_NE(dynamic_cast<CKvoDefaultTheme*>(nativeXP), nullptr);
    nativeXP->InternalRelease();
}

TEST_F(KvoPaintManagerTest, SetThemeInstallsARefreshedSharedTheme)
{
    CKvoPaintManager::SetTheme(9);
    CKvoPaintManager* shared = CKvoPaintManager::GetInstance();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(typeid(*shared), typeid(CKvoDefaultTheme));
    EXPECT_EQ(shared->m_themeId, 9);
    EXPECT_EQ(shared->GetThemeId(), 0);
    // Refreshed: the fonts and the control height exist.
    EXPECT_NE(shared->m_fontRegular.GetSafeHandle(), nullptr);
    EXPECT_GE(shared->GetControlHeight(), 22);

    CKvoPaintManager::SetTheme(3);
    EXPECT_EQ(CKvoPaintManager::GetInstance()->m_themeId, 3);
    EXPECT_EQ(typeid(*CKvoPaintManager::GetInstance()), typeid(CKvoNativeXPTheme));
}

// The shared pointer holds one reference of its own: a custom paint manager
// is marked 8, a replacement releases it, and the exit release gives the
// counts back.
TEST_F(KvoPaintManagerTest, CustomThemeReferences)
{
    const int liveBefore = CKvoTestPaintManager::LiveCount();
    CKvoTestPaintManager* custom = new CKvoTestPaintManager();
    CKvoPaintManager::SetCustomTheme(custom);
    EXPECT_EQ(CKvoPaintManager::GetInstance(), custom);
    EXPECT_EQ(custom->m_themeId, 8);
    EXPECT_EQ(custom->ReferenceCount(), 2u);

    CKvoPaintManager::SetTheme(3);
    EXPECT_EQ(custom->ReferenceCount(), 1u);
    EXPECT_EQ(CKvoPaintManager::GetInstance()->m_themeId, 3);

    CKvoPaintManager::SetCustomTheme(custom);
    CKvoPaintManager::DestroyInstance();
    EXPECT_EQ(CKvoPaintManager::GetInstance(), nullptr);
    EXPECT_EQ(custom->ReferenceCount(), 1u);
    custom->InternalRelease();
    EXPECT_EQ(CKvoTestPaintManager::LiveCount(), liveBefore);
}

// Installing the paint manager that is installed already keeps it alive
// (it used to be released first, and deleted when the shared pointer held
// the last reference, then refreshed).
TEST_F(KvoPaintManagerTest, InstallingTheInstalledPaintManagerAgainKeepsIt)
{
    const int liveBefore = CKvoTestPaintManager::LiveCount();
    CKvoTestPaintManager* custom = new CKvoTestPaintManager();
    CKvoPaintManager::SetCustomTheme(custom);
    custom->InternalRelease(); // the shared pointer's is the last reference
    CKvoPaintManager::SetCustomTheme(custom);
    EXPECT_EQ(CKvoTestPaintManager::LiveCount(), liveBefore + 1);
    EXPECT_EQ(custom->ReferenceCount(), 1u);
    EXPECT_EQ(custom->m_themeId, 8);
    CKvoPaintManager::DestroyInstance();
    EXPECT_EQ(CKvoTestPaintManager::LiveCount(), liveBefore);
}

TEST_F(KvoPaintManagerTest, PaletteColors)
{
    CKvoTestPaintManager paintManager;
    paintManager.UpdateColors();
    CKvoColorManager* colors = CKvoColorManager::Instance();
    EXPECT_EQ(paintManager.GetPaletteColor(COLOR_BTNFACE), colors->GetStandardColor(COLOR_BTNFACE));
    EXPECT_EQ(paintManager.GetPaletteColor(40), colors->GetStandardColor(40));

    // Custom parts win over standard parts and survive a refresh of the colours.
    paintManager.GetPaletteEntry(COLOR_BTNFACE).SetCustomValue(RGB(1, 2, 3));
    paintManager.UpdateColors();
    EXPECT_EQ(paintManager.GetPaletteColor(COLOR_BTNFACE), RGB(1, 2, 3));

    const KvoPaletteIndex indices[] = {COLOR_WINDOW, 62};
    const COLORREF values[] = {RGB(9, 8, 7), RGB(6, 5, 4)};
    paintManager.SetPaletteColors(2, indices, values);
    EXPECT_EQ(paintManager.GetPaletteColor(COLOR_WINDOW), RGB(9, 8, 7));
    EXPECT_EQ(paintManager.GetPaletteColor(62), RGB(6, 5, 4));
    paintManager.SetPaletteColors(0, indices, values);
    paintManager.SetPaletteColors(-3, indices, values);

    // Above 62 an index is a colour, 0xFFFFFFFF too.
    EXPECT_EQ(paintManager.GetPaletteColor(63), RGB(63, 0, 0));
    EXPECT_EQ(paintManager.GetPaletteColor(RGB(0, 0x80, 0xFF)), RGB(0, 0x80, 0xFF));
    EXPECT_EQ(paintManager.GetPaletteColor(0xFFFFFFFF), 0xFFFFFFFFu);

    // Dark mode: the colour manager's colour, not the custom part.
    {
        DarkModeScope dark(true);
        EXPECT_EQ(paintManager.GetPaletteColor(COLOR_BTNFACE), colors->GetColor(COLOR_BTNFACE));
        EXPECT_NE(paintManager.GetPaletteColor(COLOR_BTNFACE), RGB(1, 2, 3));
        EXPECT_EQ(paintManager.GetPaletteColor(63), RGB(63, 0, 0));
    }
    EXPECT_EQ(paintManager.GetPaletteColor(COLOR_BTNFACE), RGB(1, 2, 3));
}

// Entries outside the palette are skipped (they used to be written past its end).
TEST_F(KvoPaintManagerTest, SetPaletteColorsSkipsIndicesOutsideThePalette)
{
    CKvoTestPaintManager paintManager;
    paintManager.UpdateColors();
    const COLORREF faceBefore = paintManager.GetPaletteColor(COLOR_BTNFACE);
    const KvoPaletteIndex indices[] = {63, 0xFFFFFFFF, 1000, COLOR_BTNFACE};
    const COLORREF values[] = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4)};
    paintManager.SetPaletteColors(4, indices, values);
    EXPECT_EQ(paintManager.GetPaletteColor(COLOR_BTNFACE), RGB(4, 4, 4));
    EXPECT_NE(faceBefore, RGB(4, 4, 4));
    EXPECT_EQ(paintManager.m_nThemeOverride, 8); // the field after the palette
}

// The menu font's height: at least 11 pixels when given in pixels, a
// positive (point) height unchanged.
TEST_F(KvoPaintManagerTest, MenuFontHeights)
{
    const struct {
        LONG menu;
        LONG control;
    } cases[] = {{-9, -11}, {-11, -11}, {-15, -15}, {12, 12}};
    for (const auto& c : cases) {
        FakeSystemFonts fonts(c.menu);
        CKvoTestPaintManager paintManager;
        paintManager.UpdateFonts();
        EXPECT_EQ(LogFontOf(paintManager.m_fontRegular).lfHeight, c.control) << "menu " << c.menu;
        EXPECT_EQ(LogFontOf(paintManager.m_fontVertBold).lfHeight, c.control) << "menu " << c.menu;
    }
}

TEST_F(KvoPaintManagerTest, ControlFonts)
{
    FakeSystemFonts fonts(-12, FW_NORMAL);
    CKvoTestPaintManager paintManager;
    paintManager.UpdateFonts();

    const LOGFONTW regular = LogFontOf(paintManager.m_fontRegular);
    const LOGFONTW bold = LogFontOf(paintManager.m_fontRegularBold);
    const LOGFONTW vertical = LogFontOf(paintManager.m_fontVert);
    const LOGFONTW verticalBold = LogFontOf(paintManager.m_fontVertBold);
    EXPECT_EQ(regular.lfWeight, FW_NORMAL);
    EXPECT_EQ(regular.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(regular.lfEscapement, 0);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(vertical.lfEscapement, 2700);
    EXPECT_EQ(vertical.lfOrientation, 900);
    EXPECT_EQ(vertical.lfWeight, FW_NORMAL);
    EXPECT_EQ(verticalBold.lfEscapement, 2700);
    EXPECT_EQ(verticalBold.lfWeight, FW_BOLD);
    EXPECT_EQ(paintManager.GetControlFont(nullptr, FALSE), &paintManager.m_fontRegular);
    EXPECT_EQ(paintManager.GetControlFont(nullptr, TRUE), &paintManager.m_fontRegularBold);

    // The control height: a blank's height in the control font, plus 6.
    CWindowDC screen(NULL);
    CFont* old = screen.SelectObject(&paintManager.m_fontRegular);
    const int textHeight = screen.GetTextExtent(L" ", 1).cy;
    screen.SelectObject(old);
    EXPECT_EQ(paintManager.m_nTextHeight, textHeight + 6);

    // The system fonts, and the bold icon-title font made again.
    EXPECT_NE(paintManager.m_fontSmallCaption.GetSafeHandle(), nullptr);
    EXPECT_NE(paintManager.m_fontStatus.GetSafeHandle(), nullptr);
    EXPECT_EQ(LogFontOf(paintManager.m_fontIconTitleBold).lfWeight, FW_BOLD);
    EXPECT_EQ(LogFontOf(paintManager.m_fontIconTitle).lfCharSet, SHIFTJIS_CHARSET);

    // A font the application installs stays over a refresh.
    paintManager.m_fontStatus.DeleteObject();
    LOGFONTW own = {};
    own.lfHeight = -20;
    lstrcpyW(own.lfFaceName, L"Tahoma");
    paintManager.m_fontStatus.CreateFontIndirect(&own);
    paintManager.m_fontStatus.m_bStandardFont = FALSE;
    paintManager.UpdateFonts();
    EXPECT_EQ(LogFontOf(paintManager.m_fontStatus).lfHeight, -20);
}

// ClearType quality only where the system has it (Windows XP and later).
TEST_F(KvoPaintManagerTest, ClearTypeQuality)
{
    FakeSystemFonts fonts(-12);
    const struct {
        DWORD major, minor;
        BOOL clearType;
        BYTE quality;
    } cases[] = {{10, 0, TRUE, CLEARTYPE_QUALITY}, {10, 0, FALSE, 0}, {5, 0, TRUE, 0}, {5, 1, TRUE, CLEARTYPE_QUALITY}};
    for (const auto& c : cases) {
        ShownVersion version(c.major, c.minor);
        CKvoTestPaintManager paintManager;
        paintManager.m_bClearType = c.clearType;
        paintManager.UpdateFonts();
        EXPECT_EQ(LogFontOf(paintManager.m_fontRegular).lfQuality, c.quality) << c.major << "." << c.minor;
        EXPECT_EQ(LogFontOf(paintManager.m_fontStatus).lfQuality, c.quality) << c.major << "." << c.minor;
    }
}

TEST_F(KvoPaintManagerTest, SetFontIndirectWithoutAFontOnlyRecordsTheOption)
{
    CKvoTestPaintManager paintManager;
    paintManager.SetFontIndirect(nullptr, FALSE);
    EXPECT_FALSE(paintManager.m_bUseSystemFont);
    EXPECT_EQ(paintManager.m_fontRegular.GetSafeHandle(), nullptr);
}

TEST_F(KvoPaintManagerTest, Metrics)
{
    CKvoTestPaintManager paintManager;
    paintManager.m_nTextHeight = 15;
    EXPECT_EQ(paintManager.GetControlHeight(), 22);
    paintManager.m_nTextHeight = 25;
    EXPECT_EQ(paintManager.GetControlHeight(), 25);

    paintManager.m_nTextHeight = 17;
    EXPECT_EQ(paintManager.GetSplitDropDownWidth(), 2 * 22 - 17);
    paintManager.m_nTextHeight = 21;
    EXPECT_EQ(paintManager.GetSplitDropDownWidth(), 2 * 24 - 17);
    paintManager.m_nEditHeight = 30;
    EXPECT_EQ(paintManager.GetSplitDropDownWidth(), 2 * 21 - 17);

    paintManager.m_nTextHeight = 22;
    EXPECT_EQ(paintManager.GetAutoIconSize(FALSE), CSize(16, 16));
    EXPECT_EQ(paintManager.GetAutoIconSize(TRUE), CSize(32, 32));
    paintManager.m_bAutoResizeIcons = TRUE;
    EXPECT_EQ(paintManager.GetAutoIconSize(TRUE), CSize(32, 32));
    EXPECT_EQ(paintManager.GetAutoIconSize(FALSE), CSize(16, 16));
    paintManager.m_nTextHeight = 44;
    EXPECT_EQ(paintManager.GetAutoIconSize(FALSE), CSize(40, 40));
    EXPECT_EQ(paintManager.GetAutoIconSize(TRUE), CSize(80, 80));

    CKvoColorManager* colors = CKvoColorManager::Instance();
    paintManager.m_nThemeOverride = 6;
    EXPECT_EQ(paintManager.GetCurrentSystemTheme(), colors->GetDetectedTheme());
    paintManager.m_nThemeOverride = 3;
    EXPECT_EQ(paintManager.GetCurrentSystemTheme(), 3);
    paintManager.m_nThemeOverride = 8;
    EXPECT_EQ(paintManager.GetCurrentSystemTheme(), colors->GetCurrentSystemTheme());
    colors->DisableLunaColors(TRUE);
    EXPECT_EQ(paintManager.GetCurrentSystemTheme(), 0);
    colors->DisableLunaColors(FALSE);
}

// The refresh sets the shadow colour and keeps the shadow options a theme
// constructor chose (it used to clear them).
TEST_F(KvoPaintManagerTest, RefreshKeepsTheShadowOptions)
{
    CKvoTestPaintManager* paintManager = new CKvoTestPaintManager();
    CKvoShadowManager* shadows = paintManager->GetShadowManager();
    ASSERT_NE(shadows, nullptr);
    shadows->m_nShadowOptions = 3;
    shadows->m_clrShadow = RGB(0x36, 0x1E, 0x16);
    CKvoPaintManager::SetCustomTheme(paintManager);
    paintManager->InternalRelease();
    EXPECT_EQ(shadows->m_nShadowOptions, 3);
    EXPECT_EQ(shadows->m_clrShadow, 0u);
}

TEST_F(KvoPaintManagerTest, RefreshSetsTheBaseColours)
{
    CKvoTestPaintManager paintManager;
    paintManager.RefreshMetrics();
    EXPECT_EQ(paintManager.m_clrStatusText, paintManager.GetPaletteColor(COLOR_BTNTEXT));
    EXPECT_EQ(paintManager.m_clrMessageBarText, paintManager.GetPaletteColor(COLOR_INFOTEXT));
    EXPECT_EQ(paintManager.m_clrFloatingCaption.GetColor(), paintManager.GetPaletteColor(COLOR_BTNSHADOW));
    EXPECT_EQ(paintManager.m_clrFloatingCaptionText.GetColor(), paintManager.GetPaletteColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(paintManager.m_grcDisabledIcon.GetLightColor(), paintManager.GetPaletteColor(COLOR_BTNFACE));
    EXPECT_EQ(paintManager.m_grcDisabledIcon.GetDarkColor(), paintManager.GetPaletteColor(COLOR_BTNSHADOW));
    EXPECT_FLOAT_EQ(paintManager.m_grcDisabledIcon.fGradientFactor, 0.5f);
    // The slider's own sizes come with the refresh.
    EXPECT_EQ(paintManager.GetSliderPaintManager()->m_nThumbLength, 11);
    EXPECT_EQ(paintManager.GetSliderPaintManager()->m_cxHScroll, 16);
    EXPECT_EQ(paintManager.GetGalleryPaintManager()->m_cyUpButton, 19);
    EXPECT_EQ(paintManager.GetGalleryPaintManager()->m_cxScrollButton, 16);
    EXPECT_EQ(paintManager.GetProgressPaintManager()->m_cyProgress, 16);
}

// The visual-style classes the refresh opens, through stand-in entry points.
TEST_F(KvoPaintManagerTest, RefreshOpensTheVisualStyles)
{
    KvoRecordingUxTheme uxTheme;
    CKvoTestPaintManager paintManager(uxTheme.Functions());
    paintManager.RefreshMetrics();
    EXPECT_EQ(KvoRecordingUxTheme::Opened(), (std::vector<std::wstring>{L"SCROLLBAR", L"SCROLLBAR", L"PROGRESS"}));
    EXPECT_FALSE(paintManager.m_themeStatusBar.IsThemeOpen());
    EXPECT_EQ(paintManager.m_clrStatusText, paintManager.GetPaletteColor(COLOR_BTNTEXT));

    KvoRecordingUxTheme::Opened().clear();
    paintManager.m_bThemedStatusBar = TRUE;
    paintManager.m_bThemedButtons = TRUE;
    paintManager.RefreshMetrics();
    EXPECT_EQ(KvoRecordingUxTheme::Opened(),
              (std::vector<std::wstring>{L"STATUS", L"BUTTON", L"SCROLLBAR", L"SCROLLBAR", L"PROGRESS"}));
    EXPECT_EQ(paintManager.m_clrStatusText, KvoRecordingUxTheme::kThemeTextColor);
    EXPECT_TRUE(paintManager.m_themeButton.IsThemeOpen());

    paintManager.m_bThemedButtons = FALSE;
    paintManager.RefreshMetrics();
    EXPECT_FALSE(paintManager.m_themeButton.IsThemeOpen());
}

// A theme may leave its sub-paint-managers NULL; refresh and destruction
// pass over them.
TEST_F(KvoPaintManagerTest, MissingSubPaintManagers)
{
    const int liveBefore = CKvoTestPaintManager::LiveCount();
    CKvoTestPaintManager* paintManager = new CKvoTestPaintManager();
    paintManager->DropSubPaintManagers();
    CKvoPaintManager::SetCustomTheme(paintManager);
    paintManager->InternalRelease();
    EXPECT_EQ(paintManager->GetSliderPaintManager(), nullptr);
    CKvoPaintManager::DestroyInstance();
    EXPECT_EQ(CKvoTestPaintManager::LiveCount(), liveBefore);
}

TEST_F(KvoPaintManagerTest, ConstructionDefaults)
{
    CKvoTestPaintManager paintManager;
    EXPECT_EQ(paintManager.m_strFaceName, CString(L"Tahoma"));
    EXPECT_TRUE(paintManager.m_bUseSystemFont);
    EXPECT_TRUE(paintManager.m_bEmbossedDisabledText);
    EXPECT_TRUE(paintManager.m_bLabelGripper);
    EXPECT_EQ(paintManager.m_nPopupTextGap, 4);
    EXPECT_EQ(paintManager.m_nSplitDropDownWidth, 11);
    EXPECT_EQ(paintManager.m_nSplitPopupWidth, 20);
    EXPECT_EQ(paintManager.m_nAnimationSteps, 10);
    EXPECT_EQ(paintManager.m_nAnimationTime, 100);
    EXPECT_EQ(paintManager.m_nShowKeyboardCues, -1);
    EXPECT_EQ(paintManager.m_nThemeOverride, 8);
    EXPECT_EQ(paintManager.GetCommandBarBorders(nullptr), CRect(2, 2, 2, 2));
    // Fonts and colours come with the first refresh.
    EXPECT_EQ(paintManager.m_fontRegular.GetSafeHandle(), nullptr);
    EXPECT_EQ(paintManager.GetPaletteEntry(COLOR_BTNFACE).GetStandardColor(), KVO_COLOR_NONE);
    ASSERT_NE(paintManager.GetGalleryPaintManager(), nullptr);
    EXPECT_EQ(paintManager.GetGalleryPaintManager()->m_pPaintManager, &paintManager);
    EXPECT_EQ(paintManager.GetSliderPaintManager()->m_pPaintManager, &paintManager);
    EXPECT_EQ(paintManager.GetProgressPaintManager()->m_pPaintManager, &paintManager);
}

// The exit-time release runs whether or not a paint manager was ever made.
TEST(KvoPaintManager, DestroyInstanceWithoutAPaintManager)
{
    ASSERT_EQ(CKvoPaintManager::GetInstance(), nullptr);
    CKvoPaintManager::DestroyInstance();
    CKvoPaintManager::DestroyInstance();
    EXPECT_EQ(CKvoPaintManager::GetInstance(), nullptr);
}
