#pragma once
#include <afxwin.h>
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoPaintManagerColor.h"
#include "foundation/base/KvoWinThemeWrapper.h"

class CKvoCommandBar;
class CKvoControl;
class CKvoControls;
class CKvoBarManager;
class CKvoDockBar;
class CKvoPopupBar;
class CKvoStatusBar;
class CKvoStatusBarPane;
class CKvoStatusBarSwitchPane;
class CKvoMessageBar;
class CKvoMessageBarButton;
class CKvoCommandBarKeyboardTip;
class CKvoImageManagerIcon;
class CKvoShadowManager;
class CKvoControlGalleryPaintManager;
class CKvoSliderPaintManager;
class CKvoProgressPaintManager;

// "No palette entry" where an index may be left out.
const KvoPaletteIndex KVO_NO_PALETTE_INDEX = static_cast<KvoPaletteIndex>(-1);

// A font of the paint manager that follows the system fonts while it is
// "standard": an application that installs a font of its own clears the
// flag, and the font is then kept (unless its handle is empty).
class CKvoPaintManagerFont : public CFont {
public:
    BOOL m_bStandardFont = TRUE;

    // Creates the font from logFont when it is standard or has no handle.
    void Refresh(const LOGFONT& logFont);
};

// Where the paint manager reads the system's fonts: the non-client metrics
// (menu, small-caption and status fonts) and the icon-title font. Tests
// install their own reader to feed the menu-font cases.
struct KvoSystemFontReader {
    NONCLIENTMETRICSW* (*readNonClientMetrics)(NONCLIENTMETRICSW* metrics);
    BOOL (*readIconTitleFont)(LOGFONTW* font);
};

// The drawing theme of every command bar and control: they ask it to
// measure and draw themselves and take their fonts, colours and metrics from
// it. Abstract: the themes derive from it. One instance is shared by the
// bars that have no paint manager of their own; it lives from the first
// SetTheme until the next one or process exit.
//
// Reference counted: a new object has one reference, its owner (a bar, a
// manager, a control, or the shared pointer) holds one.
class CKvoPaintManager : public CCmdTarget {
public:
    ~CKvoPaintManager() override;

    // Controls.
    virtual CSize DrawControlInPopup(CDC* dc, CKvoControl* control, BOOL draw);
    virtual CSize DrawControlInToolBar(CDC* dc, CKvoControl* control, BOOL draw);
    virtual void DrawSplitButtonFrame(CDC* dc, CKvoControl* control, CRect rect) = 0;
    virtual CSize DrawControlComboBox(CDC* dc, CKvoControl* control, BOOL draw);
    virtual COLORREF GetControlEditBackColor(CKvoControl* control);
    virtual CSize DrawControlEdit(CDC* dc, CKvoControl* control, BOOL draw);
    virtual CSize DrawControlListItem(CDC* dc, CKvoControl* control, CRect rect, BOOL selected, BOOL draw,
                                      CKvoBarManager* barManager) = 0;
    virtual void FillBarBackground(CDC* dc, CKvoCommandBar* bar) = 0;
    virtual void DrawControlStateHighlight(CDC* dc, CKvoControl* control);
    virtual COLORREF GetControlTextColor(CKvoControl* control);
    virtual COLORREF GetTextColorForState(BOOL selected, BOOL pressed, BOOL enabled, BOOL checked, BOOL popupOpen,
                                          int barType, int barPosition) = 0;
    virtual void DrawControlHighlight(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                                      BOOL popupOpen, int barType, int barPosition) = 0;

    // Bars and bar parts.
    virtual CSize DrawFloatingBarFrame(CDC* dc, CKvoCommandBar* bar, BOOL draw);
    virtual CSize DrawCommandBarSeparator(CDC* dc, CKvoCommandBar* bar, CKvoControl* control, BOOL draw) = 0;
    virtual void AdjustExcludeRect(CRect& rect, CKvoControl* control, BOOL vertical) = 0;
    virtual void DrawStatusBarPane(CDC* dc, CRect rect, CKvoStatusBarPane* pane);
    virtual void DrawStatusBarPaneButtonFace(CDC* dc, CRect rect, CKvoStatusBarPane* pane);
    virtual int DrawStatusBarSwitchPane(CDC* dc, CRect rect, CKvoStatusBarSwitchPane* pane);
    virtual void DrawStatusBarPaneBorder(CDC* dc, CRect rect, CKvoStatusBarPane* pane, BOOL gripperPane);
    virtual void DrawStatusBarPaneSeparator(CDC* dc, CRect rect, CKvoStatusBarPane* pane);
    virtual void DrawStatusBarGripper(CDC* dc, CRect client);
    virtual void FillDockBar(CDC* dc, CKvoDockBar* dockBar);
    virtual void FillMessageBar(CDC* dc, CKvoMessageBar* messageBar);
    virtual void DrawMessageBarButton(CDC* dc, CKvoMessageBarButton* button);
    virtual void FillStatusBar(CDC* dc, CKvoStatusBar* statusBar);

    // Takes fonts, colours and visual-style handles from the system again;
    // every theme's refresh calls it first. Called when the paint manager
    // is installed and after every change of the system's settings.
    virtual void RefreshMetrics();

    virtual CSize DrawExpandButtonGlyphs(CDC* dc, int kind, CKvoControl* control, CKvoCommandBar* bar, BOOL draw,
                                         int parameter);
    virtual CRect GetCommandBarBorders(CKvoCommandBar* bar);
    virtual CSize DrawTearOffGripper(CDC* dc, CRect rect, BOOL selected, BOOL draw) = 0;
    virtual void DrawPopupResizeGripper(CDC* dc, CRect rect, int placement) = 0;
    virtual void DrawImage(CDC* dc, int x, int y, int cx, int cy, CKvoImageManagerIcon* image, BOOL selected,
                           BOOL pressed, BOOL enabled, BOOL checked, BOOL popupOpen, BOOL toolBarImage) = 0;
    virtual CSize DrawGripper(CDC* dc, CKvoCommandBar* bar, BOOL draw) = 0;
    virtual CRect GetSplitPartRect(CKvoControl* control);
    virtual void UpdatePopupBarRegion(CKvoCommandBar* bar);
    virtual CSize DrawCheckBoxMark(CDC* dc, CRect rect, BOOL draw, BOOL hot, BOOL pressed, int checkedState,
                                   BOOL enabled);
    virtual CSize DrawRadioButtonMark(CDC* dc, CRect rect, BOOL draw, BOOL hot, BOOL pressed, int checkedState,
                                      BOOL enabled);
    virtual void FillPopupBarGripper(CDC* dc, int x, int y, int cx, int cy, BOOL expandedItems);
    // 0 Default, 1 Office, 2 Office2003, 3 NativeXP, 4 Whidbey,
    // 5 Office2007, 6 Ribbon, 7 VisualStudio2008: the class's own id,
    // whatever id the factory wrote into m_themeId.
    virtual int GetThemeId() = 0;
    // The vertical fonts for bars docked left or right (positions 2, 3).
    virtual CFont* GetControlFont(CKvoCommandBar* bar, BOOL bold);
    virtual void UpdateFonts();
    virtual void UpdateColors();
    virtual void DrawMenuCheckMark(CDC* dc, CRect rect, BOOL enabled, COLORREF color);
    virtual void DrawMenuRadioMark(CDC* dc, CRect rect, BOOL enabled, COLORREF color);
    virtual void DrawComboExpandMark(CDC* dc, CRect rect, COLORREF color);
    virtual void DrawDropDownGlyph(CDC* dc, CKvoControl* control, int x, int y, BOOL selected, BOOL popupOpen,
                                   BOOL enabled, BOOL vertical);
    virtual void AnimateBitmap(CDC* dest, CDC* source, CRect rect, int kind);
    virtual void AnimateExpanding(CKvoPopupBar* popupBar, CDC* dest, CDC* source, BOOL fromTop);
    // Lets a theme change a caption before a popup item is drawn.
    virtual void AdjustControlCaption(CString& caption);
    virtual int GetPopupBarGripperWidth(CKvoCommandBar* bar);
    virtual void FillWorkspace(CDC* dc, CRect client, CRect exclude);
    virtual void DrawKeyboardTip(CDC* dc, CKvoCommandBarKeyboardTip* keyTip, BOOL setRegion);
    // m_bFlatMenuBar for menu bars (type 0), m_bFlatToolBar for the others.
    virtual int GetBarTypeMetric(CKvoCommandBar* bar);
    virtual CSize GetPopupImageCellSize(CKvoCommandBar* bar);
    virtual void DrawControlText(CDC* dc, CString& text, CRect& rect, UINT format, BOOL draw, BOOL selected,
                                 BOOL enabled);

    // The theme factory: a new theme object of the id (0 Default ...
    // 7 VisualStudio2008; every other id a Default theme), with the id
    // written into m_themeId. Throws the memory exception, never NULL.
    static CKvoPaintManager* CreateTheme(int id);
    // Installs a new theme of the id as the shared paint manager; its
    // m_themeId reads id (also for an id the factory does not know).
    static void SetTheme(int id);
    // Installs paintManager as the shared paint manager (theme id 8, custom)
    // and refreshes it. The shared pointer takes a reference of its own and
    // releases the one it held on the previous paint manager; the caller
    // keeps its reference.
    static void SetCustomTheme(CKvoPaintManager* paintManager);
    // Releases the reference held on the shared paint manager, when there is
    // one, and forgets it. Run at process exit; safe when none was ever made.
    static void DestroyInstance();
    // The shared paint manager, or null.
    static CKvoPaintManager* GetInstance();
    // The shared paint manager, a Default theme installed when there is none.
    static CKvoPaintManager* SharedInstance();

    // A control's size (draw FALSE) or its drawing: edits and combo boxes
    // by their kind, other controls by the kind of bar they sit on.
    CSize DrawControl(CDC* dc, CKvoControl* control, BOOL draw);

    // A palette colour: an index above 62 is a colour itself; in dark mode
    // the colour manager's (dark) colour; else the custom part when set,
    // else the standard part.
    COLORREF GetPaletteColor(KvoPaletteIndex index) const;
    // Writes the standard parts of the listed entries; indices outside the
    // palette are skipped.
    void SetPaletteColors(int count, const KvoPaletteIndex* indices, const COLORREF* colors);
    CKvoPaintManagerColor& GetPaletteEntry(KvoPaletteIndex index) { return m_palette[index]; }

    // Makes the four control fonts from logFont (NULL: only records
    // useSystemFont) and measures the control height.
    void SetFontIndirect(LOGFONT* logFont, BOOL useSystemFont);
    // At least 22 pixels.
    int GetControlHeight() const;
    // The arrow strip of split buttons with a large image.
    int GetSplitDropDownWidth() const;
    CSize GetAutoIconSize(BOOL large) const;
    CSize GetControlImageSize(CKvoControl* control);
    // The colour scheme the Office2003-style themes follow.
    int GetCurrentSystemTheme() const;

    CKvoControlGalleryPaintManager* GetGalleryPaintManager() const { return m_pGalleryPaintManager; }
    CKvoSliderPaintManager* GetSliderPaintManager() const { return m_pSliderPaintManager; }
    CKvoProgressPaintManager* GetProgressPaintManager() const { return m_pProgressPaintManager; }
    CKvoShadowManager* GetShadowManager() const { return m_pShadowManager; }
    // The visual-style entry points that this paint manager and its
    // sub-paint-managers draw through.
    KvoUxThemeFunctions* GetUxThemeFunctions() const { return m_uxTheme; }
    // The system's entry points follow "UXTHEME.DLL" if it is loaded again;
    // stand-ins stay as they are.
    BOOL FollowsUxThemeModule() const { return m_bFollowUxThemeModule; }

    // Drawing helpers of the themes.
    void Draw3dRect(CDC* dc, CRect rect, KvoPaletteIndex topLeft, KvoPaletteIndex bottomRight) const;
    // Fills with fill unless it is KVO_NO_PALETTE_INDEX, then frames with
    // border when it differs from fill and is not KVO_NO_PALETTE_INDEX.
    void Rectangle(CDC* dc, CRect rect, KvoPaletteIndex border, KvoPaletteIndex fill) const;
    void DrawLineIndexed(CDC* dc, int x1, int y1, int x2, int y2, KvoPaletteIndex index) const;
    static void DrawLine(CDC* dc, int x1, int y1, int x2, int y2);
    static void DrawLineRGB(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color);
    static void HorizontalLine(CDC* dc, int x0, int y, int x1, COLORREF color);
    static void VerticalLine(CDC* dc, int x, int y0, int y1, COLORREF color);
    static void Triangle(CDC* dc, CPoint p0, CPoint p1, CPoint p2, COLORREF color);
    static void GradientFill(CDC* dc, CRect rect, COLORREF from, COLORREF to, BOOL horizontal, CRect clip);
    static BOOL FontExists(LPCWSTR faceName);

    // Caption painters of the default control drawing. A drawn disabled
    // caption gets an embossed copy when the option is set; underlines
    // follow the override, else the bar's keyboard cues.
    void DrawCaptionText(CDC* dc, CKvoControl* control, const CString& caption, const CString& strippedCaption,
                         CRect rect, BOOL vertical, BOOL centred);
    CSize DrawControlSingleLineText(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical, BOOL centred,
                                    BOOL dropDownGlyph);
    // Large buttons: the caption on two lines (split at the blank nearest
    // the middle when the two-line option is set).
    CSize DrawControlTwoLineText(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical,
                                 BOOL dropDownGlyph);
    // A caption beside (or, in vertical bars, under) the image area.
    CSize DrawToolBarControlText(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL dropDownGlyph,
                                 int buttonWidth, int buttonHeight, BOOL imageShown);
    // Text composited through the visual styles when it lies on glass (a
    // plain DrawText otherwise, or when "GLOBALS" is not usable).
    void DrawTextOnGlass(CDC* dc, const CString& text, CRect rect, UINT format, BOOL glass);
    // line2 stays empty for a caption too short, without a blank or
    // starting with one.
    static void SplitCaption(const CString& caption, CString& line1, CString& line2);
    // The control's own width and height, where set, replace the measured
    // ones (turned in a vertical bar).
    static CSize ApplyCustomSize(CSize size, CKvoControl* control, BOOL vertical);

    // Replaces the system-font reader; returns the previous one.
    static KvoSystemFontReader SetSystemFontReader(const KvoSystemFontReader& reader);

    // Colours set by RefreshMetrics.
    COLORREF m_clrStatusText;
    COLORREF m_clrMessageBarText;
    CKvoPaintManagerColorGradient m_grcDisabledIcon;
    CKvoPaintManagerColor m_clrFloatingCaption;
    CKvoPaintManagerColor m_clrFloatingCaptionText;

    BOOL m_bThickMenuCheckMark;
    BOOL m_bThemedStatusBar;       // draw status-bar parts with "STATUS"
    BOOL m_bThemedButtons;         // draw check and radio marks with "BUTTON"
    BOOL m_bClearType;             // ClearType quality where the system has it
    BOOL m_bLanguageCharset;       // the resource module's character set
    BOOL m_bFlatToolBar;
    BOOL m_bFlatMenuBar;
    int m_nPopupTextGap;           // caption indent after the icon column
    BOOL m_bFullRowMenuHighlight;
    BOOL m_bEnableAnimation;       // fade every bar
    BOOL m_bCompactDropDownGlyph;  // otherwise a glyph beside a caption takes 2 more
    BOOL m_bLabelGripper;          // labels in popups indented by the icon column
    BOOL m_bTwoLineCaptions;       // large buttons split their caption in two

    CKvoPaintManagerFont m_fontSmallCaption;
    CKvoPaintManagerFont m_fontIconTitle;
    CKvoPaintManagerFont m_fontIconTitleBold;
    CKvoPaintManagerFont m_fontStatus;

    int m_nSplitDropDownWidth;     // arrow part of a toolbar split button
    int m_nSplitPopupWidth;        // arrow part of a split item in a popup
    BOOL m_bAutoResizeIcons;       // icon size follows the control height

    BOOL m_bFadedIcons;
    BOOL m_bAlphaDisabledIcons;
    BOOL m_bHotIconShadow;
    BOOL m_bCreateDisabledIcons;

    CFont m_fontRegular;
    CFont m_fontRegularBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    int m_nTextHeight;             // control font height + 6
    int m_nEditHeight;             // fixed control height when positive
    BOOL m_bUseFaceName;           // a requested face was m_strFaceName
    CString m_strFaceName;
    BOOL m_bUseSystemFont;         // control fonts from the system menu font
    BOOL m_bEmbossedDisabledText;

    CKvoWinThemeWrapper m_themeStatusBar;
    CKvoWinThemeWrapper m_themeButton;
    int m_themeId;                 // written by the factory; 8 custom

    BOOL m_bCaptionUnderIconLayout;
    int m_nAnimationSteps;
    int m_nAnimationTime;          // milliseconds
    int m_nShowKeyboardCues;       // -1 follow the bar, 0 hide, else show
    CKvoPaintManagerColor m_palette[KVO_PALETTE_SIZE];
    int m_nThemeOverride;          // 8 automatic, 6 detected, else a scheme

protected:
    // uxTheme: the visual-style entry points to draw through (tests give
    // stand-ins); NULL for the system's.
    explicit CKvoPaintManager(KvoUxThemeFunctions* uxTheme = nullptr);

    // May be NULL: a theme that replaces one and fails leaves it so.
    CKvoControlGalleryPaintManager* m_pGalleryPaintManager;
    CKvoSliderPaintManager* m_pSliderPaintManager;
    CKvoProgressPaintManager* m_pProgressPaintManager;
    CKvoShadowManager* m_pShadowManager; // counted reference; may be NULL

    void DeleteSubPaintManagers();

private:
    // The parts of DrawControlInToolBar, with the control font selected.
    CSize LayOutToolBarControl(CDC* dc, CKvoControl* control, BOOL draw);
    CSize LayOutMarkControl(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical);
    CSize LayOutLargeControl(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, BOOL vertical,
                             CKvoImageManagerIcon* icon, CSize image);
    CSize LayOutTextBelowIcon(CDC* dc, CKvoControl* control, CRect rect, BOOL draw, CKvoImageManagerIcon* icon,
                              CSize image, CSize button);
    // The parts of DrawControlInPopup, with the item's font selected: a
    // caption with its shortcut, or those over a description.
    CSize LayOutPopupCaption(CDC* dc, CString& caption, CString& shortcut, CRect captionRect, CRect shortcutRect,
                             UINT format, BOOL draw, BOOL selected, BOOL enabled, int gripper, int height);
    CSize LayOutPopupDescription(CDC* dc, CFont* descriptionFont, CString& caption, CString& shortcut,
                                 const CString& description, CRect captionRect, CRect shortcutRect, UINT format,
                                 BOOL draw, BOOL selected, BOOL enabled, int gripper, int cellHeight);
    void DrawButtonMark(CDC* dc, CRect rect, BOOL radio, BOOL hot, BOOL pressed, int checkedState, BOOL enabled);

    BOOL UseClearType() const;
    BYTE FontCharset(const NONCLIENTMETRICSW& metrics) const;
    void DeleteControlFonts();
    void MeasureControlHeight();

    KvoUxThemeFunctions* m_uxTheme; // not owned: outlives the paint manager
    BOOL m_bFollowUxThemeModule;

    static CKvoPaintManager* s_instance;
    static KvoSystemFontReader s_fontReader;
};
