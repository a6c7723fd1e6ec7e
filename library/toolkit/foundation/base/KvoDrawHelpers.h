#pragma once
#include <afxwin.h>
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoRects.h"

class CKvoPaintManagerColorGradient;

// The toolkit's process-wide drawing utilities. It holds no data; every
// operation may be called through Instance() or directly.
class CKvoDrawHelpers {
public:
    static CKvoDrawHelpers* Instance();

    // A two-colour gradient over the rectangle, left to right when
    // horizontal, else top to bottom. Nothing for a NULL DC or a NULL or
    // empty rectangle; a solid fill of from when the colours are equal or
    // the DC has 8 bits per pixel or fewer.
    static void GradientFill(CDC* dc, const RECT* rect, COLORREF from, COLORREF to, BOOL horizontal);
    // The same limited to a clip rectangle (none: the whole rectangle); the
    // part drawn has exactly the colours the whole gradient has there.
    static void GradientFillClipped(CDC* dc, const RECT* rect, COLORREF from, COLORREF to, BOOL horizontal,
                                    const RECT* clip);
    // A theme gradient from its light to its dark colour. Factor 0.5: one
    // gradient (a flat 0x282828 for horizontal fills in dark mode); another
    // factor: two halves meeting at the colour mixed by the factor.
    static void GradientFill(CDC* dc, const RECT* rect, const CKvoPaintManagerColorGradient& gradient,
                             BOOL horizontal, const RECT* clip = NULL);
    // Per channel a x weight + b x (1 - weight), truncated, at most 255.
    static COLORREF BlendColors(COLORREF a, COLORREF b, double weight);

    // A filled triangle, outline and inside in the colour.
    static void DrawTriangle(CDC* dc, int x1, int y1, int x2, int y2, int x3, int y3, COLORREF color);
    // Takes the rectangle's four corner pixels out of the clip region.
    static void ExcludeCorners(CDC* dc, int left, int top, int right, int bottom);
    // For each pair (pixel, offset) among the first count points, the pixel
    // becomes the average of itself and the pixel at pixel + offset.
    static void AverageWithNeighbours(CDC* dc, const POINT* pairs, int count);

    static BOOL IsLowResolution(HDC dc);
    static BOOL IsContextRTL(CDC* dc);
    static void SetContextRTL(CDC* dc, DWORD layout);
    // Swaps VK_LEFT and VK_RIGHT for a right-to-left window.
    static void KeyToLayout(CWnd* wnd, UINT* key);
    // Whether the foreground window is the last active popup of the
    // window's topmost parent or owner.
    static BOOL IsTopParentActive(HWND hWnd);

    // Whether a font family of that name (any case) is installed.
    static BOOL FontExists(LPCWSTR faceName);
    // The face for the toolkit's user-interface fonts.
    static CString GetDefaultFontFaceName(BOOL preferTahoma);
    // The window text as the default window procedure keeps it, bypassing
    // the window's own handler.
    static void GetWindowTextDirect(HWND hWnd, CString& text);
    // Removes every '&' not followed by another '&' ("a&&b" gives "a&b",
    // "&&&a" gives "&&a").
    static void StripMnemonics(CString& text);
    // The same in a writable buffer; NULL and LPSTR_TEXTCALLBACK are left.
    static void StripMnemonicsInPlace(wchar_t* text);

    // Hue in the low byte, then saturation, then luminance, each on the
    // 0 to 240 scale of the Windows colour dialog (hue at most 239).
    static DWORD RGBtoHSL(COLORREF color);
    // The colour of such a packed value.
    static COLORREF AdjustBrightness(DWORD hsl);
    // Hue, saturation and luminance from 0.0 to 1.0.
    static COLORREF HSLToColor(double hue, double saturation, double luminance);

    // Registers a window class of DefWindowProcW with the arrow cursor, no
    // background and no menu, unless it is registered; the module's own
    // instance for NULL.
    static BOOL RegisterWndClass(HINSTANCE instance, LPCWSTR className, UINT style, HICON icon);

private:
    static void FillGradientByHand(CDC* dc, const RECT& rect, COLORREF from, COLORREF to, BOOL horizontal);
};

// A colour made from hue, saturation and luminance (0.0 to 1.0).
class CKvoHSLColor {
public:
    CKvoHSLColor(double hue, double saturation, double luminance);
    CKvoHSLColor& operator=(const CKvoHSLColor& other) = default;
    void Assign(double hue, double saturation, double luminance);
    operator COLORREF() const { return m_color; }

private:
    COLORREF m_color;
};

// One bitmap (not owned) seen as an icon whose top-left pixel is the
// transparent colour.
class CKvoBitmapIcon {
public:
    explicit CKvoBitmapIcon(HBITMAP bitmap) : m_hBitmap(bitmap) {}

    // KVO_COLOR_NONE without a bitmap.
    COLORREF GetTopLeftColor() const;
    // A new icon (the caller destroys it); NULL without a bitmap or for an
    // empty one.
    HICON CreateIcon() const;

private:
    HBITMAP m_hBitmap;
};

// The colour popup's mouse hook on the calling thread: while a popup is set,
// a button press outside it gives the focus back to the popup's owner (its
// parent when it has none) and is swallowed. NULL removes the hook.
void SetPopupMouseHook(CWnd* popup);
