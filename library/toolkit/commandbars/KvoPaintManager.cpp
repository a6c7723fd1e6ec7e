#include "commandbars/KvoPaintManager.h"

#include <algorithm>

#include <vssym32.h>

#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlGalleryPaintManager.h"
#include "commandbars/KvoProgressPaintManager.h"
#include "commandbars/KvoSliderPaintManager.h"
#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoResourceManager.h"
#include "foundation/base/KvoShadowManager.h"
#include "foundation/base/KvoSystemVersion.h"
#include "foundation/images/KvoImageManager.h"

namespace {
BOOL ReadSystemIconTitleFont(LOGFONTW* font)
{
    return ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), font, 0);
}

// The smallest control font the paint manager makes, in pixels.
const LONG kMinimumMenuFontHeight = -11;
const int kMinimumControlHeight = 22;

KvoUxThemeFunctions* ThemeFunctionsOrShared(KvoUxThemeFunctions* uxTheme)
{
    return uxTheme ? uxTheme : &CKvoWinThemeWrapper::SharedFunctions(TRUE);
}
} // namespace

CKvoPaintManager* CKvoPaintManager::s_instance = nullptr;
KvoSystemFontReader CKvoPaintManager::s_fontReader = {InitNonClientMetrics, ReadSystemIconTitleFont};

void CKvoPaintManagerFont::Refresh(const LOGFONT& logFont)
{
    if (!m_bStandardFont && GetSafeHandle())
        return;
    DeleteObject();
    CreateFontIndirect(&logFont);
}

CKvoPaintManager::CKvoPaintManager(KvoUxThemeFunctions* uxTheme)
    : m_clrStatusText(KVO_COLOR_NONE),
      m_clrMessageBarText(KVO_COLOR_NONE),
      m_bThickMenuCheckMark(FALSE),
      m_bThemedStatusBar(FALSE),
      m_bThemedButtons(FALSE),
      m_bClearType(FALSE),
      m_bLanguageCharset(FALSE),
      m_bFlatToolBar(FALSE),
      m_bFlatMenuBar(FALSE),
      m_nPopupTextGap(4),
      m_bFullRowMenuHighlight(FALSE),
      m_bEnableAnimation(FALSE),
      m_bCompactDropDownGlyph(FALSE),
      m_bLabelGripper(TRUE),
      m_bTwoLineCaptions(TRUE),
      m_nSplitDropDownWidth(11),
      m_nSplitPopupWidth(20),
      m_bAutoResizeIcons(FALSE),
      m_bFadedIcons(FALSE),
      m_bAlphaDisabledIcons(FALSE),
      m_bHotIconShadow(FALSE),
      m_bCreateDisabledIcons(FALSE),
      m_nTextHeight(0),
      m_nEditHeight(0),
      m_bUseFaceName(FALSE),
      m_strFaceName(L"Tahoma"),
      m_bUseSystemFont(TRUE),
      m_bEmbossedDisabledText(TRUE),
      m_themeStatusBar(ThemeFunctionsOrShared(uxTheme), uxTheme == nullptr),
      m_themeButton(ThemeFunctionsOrShared(uxTheme), uxTheme == nullptr),
      m_themeId(0),
      m_bCaptionUnderIconLayout(FALSE),
      m_nAnimationSteps(10),
      m_nAnimationTime(100),
      m_nShowKeyboardCues(-1),
      m_nThemeOverride(KvoSystemThemeDefault),
      m_pGalleryPaintManager(nullptr),
      m_pSliderPaintManager(nullptr),
      m_pProgressPaintManager(nullptr),
      m_pShadowManager(nullptr),
      m_uxTheme(ThemeFunctionsOrShared(uxTheme)),
      m_bFollowUxThemeModule(uxTheme == nullptr)
{
    // Icons derived for the previous theme's look are made again on demand.
    CKvoImageManager::Instance()->RemoveAll();
    m_pGalleryPaintManager = new CKvoControlGalleryPaintManager(this);
    m_pSliderPaintManager = new CKvoSliderPaintManager(this);
    m_pProgressPaintManager = new CKvoProgressPaintManager(this);
    m_pShadowManager = new CKvoShadowManager();
}

void CKvoPaintManager::DeleteSubPaintManagers()
{
    delete m_pGalleryPaintManager;
    m_pGalleryPaintManager = nullptr;
    delete m_pSliderPaintManager;
    m_pSliderPaintManager = nullptr;
    delete m_pProgressPaintManager;
    m_pProgressPaintManager = nullptr;
}

CKvoPaintManager::~CKvoPaintManager()
{
    DeleteSubPaintManagers();
    if (m_pShadowManager)
        m_pShadowManager->InternalRelease();
    m_themeStatusBar.CloseThemeData();
    m_themeButton.CloseThemeData();
}

// ---- the shared instance ----

void CKvoPaintManager::SetTheme(int id)
{
    CKvoPaintManager* theme = CreateTheme(id);
    SetCustomTheme(theme);
    theme->InternalRelease(); // the shared pointer holds its own reference
    theme->m_themeId = id;
}

void CKvoPaintManager::SetCustomTheme(CKvoPaintManager* paintManager)
{
    // The new reference first: installing the paint manager that is already
    // installed must not delete it.
    if (paintManager)
        paintManager->InternalAddRef();
    if (s_instance)
        s_instance->InternalRelease();
    s_instance = paintManager;
    if (paintManager) {
        paintManager->m_themeId = 8;
        paintManager->RefreshMetrics();
    }
}

void CKvoPaintManager::DestroyInstance()
{
    if (s_instance) {
        s_instance->InternalRelease();
        s_instance = nullptr;
    }
}

CKvoPaintManager* CKvoPaintManager::GetInstance()
{
    return s_instance;
}

CKvoPaintManager* CKvoPaintManager::SharedInstance()
{
    if (!s_instance)
        SetTheme(0);
    return s_instance;
}

CSize CKvoPaintManager::DrawControl(CDC* dc, CKvoControl* control, BOOL draw)
{
    switch (control->GetType()) {
    case KvoControlTypeEdit:
        return DrawControlEdit(dc, control, draw);
    case KvoControlTypeComboBox:
        return DrawControlComboBox(dc, control, draw);
    default:
        break;
    }
    CKvoCommandBar* bar = control->GetParent();
    if (bar && bar->GetType() == KvoBarTypePopup)
        return DrawControlInPopup(dc, control, draw);
    return DrawControlInToolBar(dc, control, draw);
}

// ---- refresh, colours and fonts ----

void CKvoPaintManager::RefreshMetrics()
{
    UpdateFonts();
    UpdateColors();

    // Only the colour: the theme constructors chose the shadow options.
    if (m_pShadowManager)
        m_pShadowManager->m_clrShadow = 0;

    m_clrStatusText = GetPaletteColor(COLOR_BTNTEXT);
    m_clrMessageBarText = GetPaletteColor(COLOR_INFOTEXT);
    m_clrFloatingCaption.SetStandardValue(GetPaletteColor(COLOR_BTNSHADOW));
    m_clrFloatingCaptionText.SetStandardValue(GetPaletteColor(COLOR_BTNHIGHLIGHT));
    m_grcDisabledIcon.SetStandardValue(GetPaletteColor(COLOR_BTNFACE), GetPaletteColor(COLOR_BTNSHADOW), 0.5f);

    m_themeStatusBar.CloseThemeData();
    if (m_bThemedStatusBar) {
        m_themeStatusBar.OpenThemeData(NULL, L"STATUS");
        if (m_themeStatusBar.IsAppThemed())
            m_themeStatusBar.GetThemeColor(1, 0, TMT_TEXTCOLOR, &m_clrStatusText);
    }
    m_themeButton.CloseThemeData();
    if (m_bThemedButtons)
        m_themeButton.OpenThemeData(NULL, L"BUTTON");

    if (m_pGalleryPaintManager)
        m_pGalleryPaintManager->RefreshMetrics();
    if (m_pSliderPaintManager)
        m_pSliderPaintManager->RefreshMetrics();
    if (m_pProgressPaintManager)
        m_pProgressPaintManager->RefreshMetrics();
}

void CKvoPaintManager::UpdateColors()
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    colors->RefreshColors();
    for (int index = 0; index < KVO_PALETTE_SIZE; index++)
        m_palette[index].SetStandardValue(colors->GetStandardColor(index));
}

COLORREF CKvoPaintManager::GetPaletteColor(KvoPaletteIndex index) const
{
    if (index >= KVO_PALETTE_SIZE)
        return index;
    if (g_darkModeActive)
        return CKvoColorManager::Instance()->GetColor(index);
    return m_palette[index].GetColor();
}

void CKvoPaintManager::SetPaletteColors(int count, const KvoPaletteIndex* indices, const COLORREF* colors)
{
    for (int i = 0; i < count; i++)
        if (indices[i] < KVO_PALETTE_SIZE)
            m_palette[indices[i]].SetStandardValue(colors[i]);
}

KvoSystemFontReader CKvoPaintManager::SetSystemFontReader(const KvoSystemFontReader& reader)
{
    const KvoSystemFontReader previous = s_fontReader;
    s_fontReader = reader;
    return previous;
}

BOOL CKvoPaintManager::UseClearType() const
{
    return m_bClearType && CKvoSystemVersion::Instance()->IsClearTypeTextQualitySupported();
}

BYTE CKvoPaintManager::FontCharset(const NONCLIENTMETRICSW& metrics) const
{
    if (m_bLanguageCharset) {
        const KvoLanguageInfo* language = CKvoResourceManager::Instance()->GetLanguage();
        if (language)
            return static_cast<BYTE>(language->charset);
    }
    return metrics.lfMenuFont.lfCharSet;
}

void CKvoPaintManager::UpdateFonts()
{
    NONCLIENTMETRICSW metrics;
    s_fontReader.readNonClientMetrics(&metrics);
    const BYTE charset = FontCharset(metrics);

    if (m_bUseSystemFont) {
        LOGFONT menuFont = {};
        menuFont.lfHeight = metrics.lfMenuFont.lfHeight;
        if (menuFont.lfHeight < 0 && menuFont.lfHeight > kMinimumMenuFontHeight)
            menuFont.lfHeight = kMinimumMenuFontHeight;
        menuFont.lfWeight = metrics.lfMenuFont.lfWeight;
        menuFont.lfItalic = metrics.lfMenuFont.lfItalic;
        menuFont.lfQuality = metrics.lfMenuFont.lfQuality;
        menuFont.lfCharSet = charset;
        lstrcpynW(menuFont.lfFaceName, metrics.lfMenuFont.lfFaceName, LF_FACESIZE);
        if (UseClearType())
            menuFont.lfQuality = CLEARTYPE_QUALITY;
        SetFontIndirect(&menuFont, TRUE);
    }

    LOGFONTW iconTitle = {};
    s_fontReader.readIconTitleFont(&iconTitle);
    LOGFONTW* systemFonts[] = {&iconTitle, &metrics.lfSmCaptionFont, &metrics.lfStatusFont};
    for (LOGFONTW* font : systemFonts) {
        if (UseClearType())
            font->lfQuality = CLEARTYPE_QUALITY;
        font->lfCharSet = charset;
    }

    m_fontSmallCaption.Refresh(metrics.lfSmCaptionFont);
    m_fontIconTitle.Refresh(iconTitle);
    LOGFONTW iconTitleBold = iconTitle;
    iconTitleBold.lfWeight = FW_BOLD;
    m_fontIconTitleBold.Refresh(iconTitleBold);
    m_fontStatus.Refresh(metrics.lfStatusFont);
}

void CKvoPaintManager::DeleteControlFonts()
{
    m_fontRegular.DeleteObject();
    m_fontRegularBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
}

void CKvoPaintManager::SetFontIndirect(LOGFONT* logFont, BOOL useSystemFont)
{
    m_bUseSystemFont = useSystemFont;
    if (!logFont)
        return;
    if (UseClearType())
        logFont->lfQuality = CLEARTYPE_QUALITY;

    DeleteControlFonts();
    // UpdateFonts makes it again (unless the application set its own).
    if (m_fontIconTitleBold.m_bStandardFont)
        m_fontIconTitleBold.DeleteObject();

    const BOOL faceInstalled = FontExists(m_strFaceName);
    if (m_strFaceName.CompareNoCase(logFont->lfFaceName) == 0)
        m_bUseFaceName = TRUE;
    if (useSystemFont && m_bUseFaceName && faceInstalled)
        lstrcpynW(logFont->lfFaceName, m_strFaceName, LF_FACESIZE);

    const LONG weight = logFont->lfWeight;
    m_fontRegular.CreateFontIndirect(logFont);
    logFont->lfWeight = FW_BOLD;
    m_fontRegularBold.CreateFontIndirect(logFont);

    logFont->lfEscapement = 2700;
    logFont->lfOrientation = 900;
    logFont->lfWeight = weight;
    lstrcpynW(logFont->lfFaceName, CKvoDrawHelpers::GetDefaultFontFaceName(m_bUseFaceName), LF_FACESIZE);
    m_fontVert.CreateFontIndirect(logFont);
    logFont->lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(logFont);

    MeasureControlHeight();
}

void CKvoPaintManager::MeasureControlHeight()
{
    CWindowDC screen(NULL);
    CKvoFontDC font(&screen, &m_fontRegular);
    m_nTextHeight = screen.GetTextExtent(L" ", 1).cy + 6;
}

CFont* CKvoPaintManager::GetControlFont(CKvoCommandBar*, BOOL bold)
{
    return bold ? &m_fontRegularBold : &m_fontRegular;
}

// ---- metrics ----

int CKvoPaintManager::GetControlHeight() const
{
    return std::max(m_nTextHeight, kMinimumControlHeight);
}

int CKvoPaintManager::GetSplitDropDownWidth() const
{
    const int height = m_nEditHeight > 0 ? m_nTextHeight : std::max(m_nTextHeight + 3, kMinimumControlHeight);
    return 2 * height - 17;
}

CSize CKvoPaintManager::GetAutoIconSize(BOOL large) const
{
    if (!m_bAutoResizeIcons)
        return large ? CSize(32, 32) : CSize(16, 16);
    const int height = GetControlHeight();
    const int side = large ? std::max((2 * height - 8) / 8, 2) * 8 : std::max((height - 4) / 8, 2) * 8;
    return CSize(side, side);
}

int CKvoPaintManager::GetCurrentSystemTheme() const
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    switch (m_nThemeOverride) {
    case KvoSystemThemeDefault:
        return colors->IsLunaColorsDisabled() ? KvoSystemThemeNone : colors->GetCurrentSystemTheme();
    case KvoSystemThemeAuto:
        return colors->GetDetectedTheme();
    default:
        return m_nThemeOverride;
    }
}

// ---- drawing helpers ----

void CKvoPaintManager::Draw3dRect(CDC* dc, CRect rect, KvoPaletteIndex topLeft, KvoPaletteIndex bottomRight) const
{
    dc->Draw3dRect(&rect, GetPaletteColor(topLeft), GetPaletteColor(bottomRight));
}

void CKvoPaintManager::Rectangle(CDC* dc, CRect rect, KvoPaletteIndex border, KvoPaletteIndex fill) const
{
    if (fill != KVO_NO_PALETTE_INDEX)
        dc->FillSolidRect(&rect, GetPaletteColor(fill));
    if (border != fill && border != KVO_NO_PALETTE_INDEX)
        dc->Draw3dRect(&rect, GetPaletteColor(border), GetPaletteColor(border));
}

void CKvoPaintManager::DrawLineIndexed(CDC* dc, int x1, int y1, int x2, int y2, KvoPaletteIndex index) const
{
    DrawLineRGB(dc, x1, y1, x2, y2, GetPaletteColor(index));
}

void CKvoPaintManager::DrawLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void CKvoPaintManager::DrawLineRGB(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    CKvoPenDC pen(dc->GetSafeHdc(), color);
    DrawLine(dc, x1, y1, x2, y2);
}

void CKvoPaintManager::HorizontalLine(CDC* dc, int x0, int y, int x1, COLORREF color)
{
    dc->FillSolidRect(x0, y, x1 - x0, 1, color);
}

void CKvoPaintManager::VerticalLine(CDC* dc, int x, int y0, int y1, COLORREF color)
{
    dc->FillSolidRect(x, y0, 1, y1 - y0, color);
}

void CKvoPaintManager::Triangle(CDC* dc, CPoint p0, CPoint p1, CPoint p2, COLORREF color)
{
    const POINT points[] = {p0, p1, p2};
    CKvoPenDC pen(dc->GetSafeHdc(), color);
    CKvoBrushDC brush(dc->GetSafeHdc(), color);
    dc->Polygon(points, 3);
}

void CKvoPaintManager::GradientFill(CDC* dc, CRect rect, COLORREF from, COLORREF to, BOOL horizontal, CRect clip)
{
    CKvoDrawHelpers::GradientFillClipped(dc, &rect, from, to, horizontal, &clip);
}

BOOL CKvoPaintManager::FontExists(LPCWSTR faceName)
{
    return CKvoDrawHelpers::FontExists(faceName);
}

// ---- slots of the bars and controls ----
// Their drawing comes with the bar and control classes; until then they
// measure nothing and draw nothing.

CSize CKvoPaintManager::DrawControlComboBox(CDC*, CKvoControl*, BOOL)
{
    return CSize(0, 0);
}

CSize CKvoPaintManager::DrawControlEdit(CDC*, CKvoControl*, BOOL)
{
    return CSize(0, 0);
}

CSize CKvoPaintManager::DrawFloatingBarFrame(CDC*, CKvoCommandBar*, BOOL)
{
    return CSize(0, 0);
}

void CKvoPaintManager::DrawStatusBarPane(CDC*, CRect, CKvoStatusBarPane*) {}
void CKvoPaintManager::DrawStatusBarPaneButtonFace(CDC*, CRect, CKvoStatusBarPane*) {}

int CKvoPaintManager::DrawStatusBarSwitchPane(CDC*, CRect, CKvoStatusBarSwitchPane*)
{
    return 0;
}

void CKvoPaintManager::DrawStatusBarPaneBorder(CDC*, CRect, CKvoStatusBarPane*, BOOL) {}
void CKvoPaintManager::DrawStatusBarPaneSeparator(CDC*, CRect, CKvoStatusBarPane*) {}
void CKvoPaintManager::DrawStatusBarGripper(CDC*, CRect) {}
void CKvoPaintManager::FillDockBar(CDC*, CKvoDockBar*) {}
void CKvoPaintManager::FillMessageBar(CDC*, CKvoMessageBar*) {}
void CKvoPaintManager::DrawMessageBarButton(CDC*, CKvoMessageBarButton*) {}
void CKvoPaintManager::FillStatusBar(CDC*, CKvoStatusBar*) {}

CSize CKvoPaintManager::DrawExpandButtonGlyphs(CDC*, int, CKvoControl*, CKvoCommandBar*, BOOL, int)
{
    return CSize(0, 0);
}

CRect CKvoPaintManager::GetCommandBarBorders(CKvoCommandBar*)
{
    return CRect(2, 2, 2, 2);
}

void CKvoPaintManager::UpdatePopupBarRegion(CKvoCommandBar*) {}

void CKvoPaintManager::FillPopupBarGripper(CDC*, int, int, int, int, BOOL) {}
void CKvoPaintManager::AnimateBitmap(CDC*, CDC*, CRect, int) {}
void CKvoPaintManager::AnimateExpanding(CKvoPopupBar*, CDC*, CDC*, BOOL) {}
void CKvoPaintManager::AdjustControlCaption(CString&) {}

int CKvoPaintManager::GetPopupBarGripperWidth(CKvoCommandBar*)
{
    return 0;
}

void CKvoPaintManager::FillWorkspace(CDC*, CRect, CRect) {}
void CKvoPaintManager::DrawKeyboardTip(CDC*, CKvoCommandBarKeyboardTip*, BOOL) {}

int CKvoPaintManager::GetBarTypeMetric(CKvoCommandBar*)
{
    return m_bFlatToolBar;
}

CSize CKvoPaintManager::GetPopupImageCellSize(CKvoCommandBar*)
{
    const int iconSide = 16;
    return CSize(std::max(m_nTextHeight + 4, iconSide + 4), std::max(m_nTextHeight, iconSide + 6));
}

CSize CKvoPaintManager::GetControlImageSize(CKvoControl* control)
{
    CKvoCommandBar* bar = control->GetParent();
    if (bar && control->GetStyle() == KvoButtonIconAndCaptionBelow && bar->GetType() != KvoBarTypePopup)
        return bar->GetLargeIconSize(FALSE);
    return control->GetIconSize();
}
