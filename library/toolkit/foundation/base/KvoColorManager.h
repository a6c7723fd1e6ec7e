#pragma once
#include <afxwin.h>
#include "foundation/base/KvoPaintManagerColor.h"

// An index into the toolkit palette: 0 black, 1 to 29 the Windows system
// colours (COLOR_...), 30 to 62 the toolkit's own colours. Any value above
// 62 is a COLORREF that stands for itself, so callers may pass either.
typedef DWORD KvoPaletteIndex;

const int KVO_PALETTE_SIZE = 63;
const int KVO_GRADIENT_COUNT = 10;

// The Windows colour scheme the palette follows.
enum KvoSystemTheme {
    KvoSystemThemeNone = 0,       // also a low-colour screen or no visual styles
    KvoSystemThemeBlue = 1,       // Luna blue ("normalcolor")
    KvoSystemThemeOlive = 2,      // Luna olive green ("homestead")
    KvoSystemThemeSilver = 3,     // Luna silver ("metallic")
    KvoSystemThemeRoyale = 4,
    KvoSystemThemeAero = 5,
    KvoSystemThemeAuto = 6,       // configured: follow the detected scheme
    KvoSystemThemeDarkSilver = 7, // only ever configured
    KvoSystemThemeDefault = 8,    // configured: follow the detected scheme
};

// The process-wide palette of 63 colours and ten gradients that the toolkit
// draws with. It follows the system colours, the visual style and the dark
// mode; callers may override single colours. Used on the UI thread only.
class CKvoColorManager : public CCmdTarget {
public:
    // Made on first use, destroyed at exit.
    static CKvoColorManager* Instance();

    // A separate palette, computed at once (the process uses Instance()).
    CKvoColorManager();

    // The colour of a palette index: the custom colour when set, else the
    // computed one; while dark mode is in force, fixed dark values for the
    // indices that have one. An index above 62 is returned unchanged.
    COLORREF GetColor(KvoPaletteIndex index) const;
    // For 30 to 62: the colour of the Windows colour scheme when it sets
    // one, else GetColor.
    COLORREF GetLunaColor(KvoPaletteIndex index) const;
    // The computed (standard) colour, without custom or dark values;
    // KVO_COLOR_NONE for an index outside the palette.
    COLORREF GetStandardColor(KvoPaletteIndex index) const;
    // Overrides one colour until it is set back to KVO_COLOR_NONE; kept
    // over refreshes. Indices outside the palette are ignored.
    void SetColor(KvoPaletteIndex index, COLORREF color);
    // Gradient 0 to 9 (others give gradient 0).
    const CKvoPaintManagerColorGradient& GetGradient(int index) const;

    // The configured scheme, or the detected one when configured as 6 or 8.
    KvoSystemTheme GetCurrentSystemTheme() const;
    KvoSystemTheme GetDetectedTheme() const { return m_detectedTheme; }
    // Takes effect at the next RefreshColors.
    void SetCurrentSystemTheme(KvoSystemTheme theme) { m_configuredTheme = theme; }
    BOOL IsLunaColorsDisabled() const { return m_bLunaColorsDisabled; }
    void DisableLunaColors(BOOL disable) { m_bLunaColorsDisabled = disable; }
    void EnableRoyaleDetection(BOOL enable) { m_bRoyaleDetection = enable; }
    void EnableAeroDetection(BOOL enable) { m_bAeroDetection = enable; }

    // The scheme of the active visual style (see ClassifyThemeName).
    KvoSystemTheme DetectTheme() const;
    // The scheme that a visual-style file and colour-scheme name stand for,
    // as DetectTheme decides it (names in any case).
    KvoSystemTheme ClassifyThemeName(LPCWSTR themeFile, LPCWSTR colorName) const;

    // Recomputes the palette and the gradients after a change of the system
    // colours or the visual style.
    void RefreshColors();
    static void RefreshColorsStatic();
    // The same for the given screen: the detected scheme and whether it has
    // 8 bits per pixel or fewer. RefreshColors passes what the screen says.
    void RefreshColors(KvoSystemTheme detectedTheme, BOOL lowColor);

    // 1 to 8 bits per pixel (the screen for NULL); FALSE without a DC.
    static BOOL IsLowResolution(HDC dc = NULL);
    // Per channel (first x weight + second x (D - weight) + D/2) / D, with D
    // 100 for weights below 100 and 1000 from 100 on (165 is 16.5 %).
    static COLORREF MixColors(COLORREF first, COLORREF second, int weight);

    // Whether a and b lie farther apart than the threshold, in a colour
    // space weighted for the eye; a scaled threshold grows up to twice its
    // size towards black.
    static BOOL IsColorDistanceAbove(COLORREF a, COLORREF b, BOOL scaled, float threshold);
    // b moved along the line through a and b to the scaled threshold's
    // distance from a; b unchanged when a and b are the same.
    static COLORREF MoveToDistance(COLORREF a, COLORREF b, float threshold);
    // b moved along its ray from black (or white) to the scaled threshold's
    // distance from a; b unchanged when no point of the ray lies there or b
    // is the ray's origin.
    static COLORREF AdjustDistance(COLORREF a, COLORREF b, float threshold);

private:
    void SetStandard(int index, COLORREF color) { m_standardColors[index] = color; }
    void SetDefaultToolkitColors();
    void SetThemeColors();
    void MixToolkitColors();
    void ApplyContrastColors();
    void KeepColorsApart();
    void DeriveShadeColors(bool contrast);
    void SetGradients(BOOL lowColor);
    void ReadTreeViewBorderColor();
    static bool IsContrastCase(COLORREF face, COLORREF text);

    CKvoPaintManagerColorGradient m_gradients[KVO_GRADIENT_COUNT];
    BOOL m_bRoyaleDetection;
    BOOL m_bAeroDetection;
    BOOL m_bLunaColorsDisabled;
    COLORREF m_standardColors[KVO_PALETTE_SIZE];
    COLORREF m_customColors[KVO_PALETTE_SIZE];
    COLORREF m_themeColors[KVO_PALETTE_SIZE];
    KvoSystemTheme m_configuredTheme;
    KvoSystemTheme m_detectedTheme;
};
