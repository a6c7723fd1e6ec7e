#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoSystemVersion.h"
#include <afxcmn.h>
#include <algorithm>
#include <cmath>

namespace {
// GradientFill's channels are 16 bits wide.
TRIVERTEX GradientVertex(LONG x, LONG y, COLORREF color)
{
    TRIVERTEX vertex = {};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(GetRValue(color) << 8);
    vertex.Green = static_cast<COLOR16>(GetGValue(color) << 8);
    vertex.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
    vertex.Alpha = 0;
    return vertex;
}

struct KvoFontFamilySearch {
    LPCWSTR faceName;
    bool found;
};

int CALLBACK CompareKvoFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM search)
{
    KvoFontFamilySearch* wanted = reinterpret_cast<KvoFontFamilySearch*>(search);
    wanted->found = _wcsicmp(font->lfFaceName, wanted->faceName) == 0;
    return wanted->found ? 0 : 1;
}

// The hue function of the packed colour conversion, on the 0 to 255 scale.
int PackedHueChannel(int m1, int m2, int hue)
{
    hue = ((hue % 255) + 255) % 255;
    const int step = (m2 - m1) / 255;
    if (6 * hue < 255)
        return (m1 + step * 6 * hue) / 255;
    if (2 * hue < 255)
        return m2 / 255;
    if (3 * hue >= 510)
        return m1 / 255;
    return (m1 + step * (1020 - 6 * hue)) / 255;
}

double HslHueChannel(double m1, double m2, double hue)
{
    if (hue < 0.0)
        hue += 1.0;
    if (hue > 1.0)
        hue -= 1.0;
    if (6.0 * hue < 1.0)
        return m1 + (m2 - m1) * hue * 6.0;
    if (2.0 * hue < 1.0)
        return m2;
    if (3.0 * hue < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - hue) * 6.0;
    return m1;
}

struct PopupMouseHookState {
    HHOOK hook = NULL;
    HWND popup = NULL;
};

thread_local PopupMouseHookState t_popupMouseHook;

bool IsPopupButtonDown(WPARAM message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK PopupMouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const PopupMouseHookState& state = t_popupMouseHook;
    if (code == HC_ACTION && state.popup && ::IsWindow(state.popup) && IsPopupButtonDown(wParam)) {
        const MOUSEHOOKSTRUCT* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        RECT popupRect;
        ::GetWindowRect(state.popup, &popupRect);
        if (!::PtInRect(&popupRect, mouse->pt)) {
            HWND owner = ::GetWindow(state.popup, GW_OWNER);
            ::SetFocus(owner ? owner : ::GetParent(state.popup));
            return 1;
        }
    }
    return ::CallNextHookEx(state.hook, code, wParam, lParam);
}
}

CKvoDrawHelpers* CKvoDrawHelpers::Instance()
{
    static CKvoDrawHelpers instance;
    return &instance;
}

void CKvoDrawHelpers::GradientFill(CDC* dc, const RECT* rect, COLORREF from, COLORREF to, BOOL horizontal)
{
    if (!dc || !dc->GetSafeHdc() || !rect || ::IsRectEmpty(rect))
        return;
    if (from == to || IsLowResolution(dc->GetSafeHdc())) {
        dc->FillSolidRect(rect, from);
        return;
    }
    if (IsContextRTL(dc) && CKvoSystemVersion::Instance()->IsWin9x()) {
        FillGradientByHand(dc, *rect, from, to, horizontal);
        return;
    }
    TRIVERTEX vertices[2] = {GradientVertex(rect->left, rect->top, from),
                             GradientVertex(rect->right, rect->bottom, to)};
    GRADIENT_RECT corners = {0, 1};
    ::GradientFill(dc->GetSafeHdc(), vertices, 2, &corners, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CKvoDrawHelpers::FillGradientByHand(CDC* dc, const RECT& rect, COLORREF from, COLORREF to, BOOL horizontal)
{
    CRect area;
    CRect clip;
    if (dc->GetClipBox(&clip) == NULLREGION || clip.IsRectEmpty() || !area.IntersectRect(&clip, &rect))
        area = rect;
    const int start = horizontal ? rect.left : rect.top;
    const int length = std::max<int>(horizontal ? rect.right - rect.left : rect.bottom - rect.top, 1);
    const int first = horizontal ? area.left : area.top;
    const int last = horizontal ? area.right : area.bottom;
    for (int position = first; position < last; ++position) {
        COLORREF color = BlendColors(from, to, 1.0 - static_cast<double>(position - start) / length);
        if (horizontal)
            dc->FillSolidRect(position, area.top, 1, area.Height(), color);
        else
            dc->FillSolidRect(area.left, position, area.Width(), 1, color);
    }
}

void CKvoDrawHelpers::GradientFillClipped(CDC* dc, const RECT* rect, COLORREF from, COLORREF to, BOOL horizontal,
                                          const RECT* clip)
{
    if (!clip || !rect) {
        GradientFill(dc, rect, from, to, horizontal);
        return;
    }
    CRect area(*rect);
    LONG& start = horizontal ? area.left : area.top;
    LONG& end = horizontal ? area.right : area.bottom;
    const LONG clipStart = horizontal ? clip->left : clip->top;
    const LONG clipEnd = horizontal ? clip->right : clip->bottom;
    if (clipEnd <= start || clipStart >= end)
        return;
    // Across the gradient the clip simply limits the rectangle.
    if (horizontal) {
        area.top = std::max(area.top, clip->top);
        area.bottom = std::min(area.bottom, clip->bottom);
    } else {
        area.left = std::max(area.left, clip->left);
        area.right = std::min(area.right, clip->right);
    }
    // Along it, a cut end takes the colour the whole gradient has there.
    const LONG fullStart = start, fullEnd = end;
    const double length = static_cast<double>(fullEnd - fullStart);
    auto colorAt = [&](LONG position) { return BlendColors(from, to, (fullEnd - position) / length); };
    if (clipStart > fullStart) {
        start = clipStart;
        from = colorAt(clipStart);
    }
    if (clipEnd < fullEnd) {
        end = clipEnd;
        to = colorAt(clipEnd);
    }
    GradientFill(dc, &area, from, to, horizontal);
}

void CKvoDrawHelpers::GradientFill(CDC* dc, const RECT* rect, const CKvoPaintManagerColorGradient& gradient,
                                   BOOL horizontal, const RECT* clip)
{
    if (!rect)
        return;
    const COLORREF light = gradient.GetLightColor(), dark = gradient.GetDarkColor();
    if (gradient.fGradientFactor == 0.5f) {
        if (g_darkModeActive && horizontal)
            GradientFillClipped(dc, rect, 0x282828, 0x282828, horizontal, clip);
        else
            GradientFillClipped(dc, rect, light, dark, horizontal, clip);
        return;
    }
    const COLORREF middle = BlendColors(light, dark, gradient.fGradientFactor);
    CRect first(*rect), second(*rect);
    if (horizontal) {
        first.right = rect->right - (rect->right - rect->left) / 2;
        second.left = first.right;
    } else {
        first.bottom = rect->bottom - (rect->bottom - rect->top) / 2;
        second.top = first.bottom;
    }
    GradientFillClipped(dc, &first, light, middle, horizontal, clip);
    GradientFillClipped(dc, &second, middle, dark, horizontal, clip);
}

COLORREF CKvoDrawHelpers::BlendColors(COLORREF a, COLORREF b, double weight)
{
    auto blend = [weight](int x, int y) {
        return std::min(std::max(static_cast<int>(x * weight + y * (1.0 - weight)), 0), 255);
    };
    return RGB(blend(GetRValue(a), GetRValue(b)), blend(GetGValue(a), GetGValue(b)), blend(GetBValue(a), GetBValue(b)));
}

void CKvoDrawHelpers::DrawTriangle(CDC* dc, int x1, int y1, int x2, int y2, int x3, int y3, COLORREF color)
{
    if (!dc || !dc->GetSafeHdc())
        return;
    CKvoPenDC pen(dc->GetSafeHdc(), color);
    CKvoBrushDC brush(dc->GetSafeHdc(), color);
    const POINT points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    ::Polygon(dc->GetSafeHdc(), points, 3);
}

void CKvoDrawHelpers::ExcludeCorners(CDC* dc, int left, int top, int right, int bottom)
{
    if (!dc || !dc->GetSafeHdc())
        return;
    dc->ExcludeClipRect(left, top, left + 1, top + 1);
    dc->ExcludeClipRect(right - 1, top, right, top + 1);
    dc->ExcludeClipRect(left, bottom - 1, left + 1, bottom);
    dc->ExcludeClipRect(right - 1, bottom - 1, right, bottom);
}

void CKvoDrawHelpers::AverageWithNeighbours(CDC* dc, const POINT* pairs, int count)
{
    if (!dc || !dc->GetSafeHdc() || !pairs)
        return;
    for (int i = 0; i + 1 < count; i += 2) {
        const POINT pixel = pairs[i];
        const POINT offset = pairs[i + 1];
        COLORREF own = dc->GetPixel(pixel.x, pixel.y);
        COLORREF other = dc->GetPixel(pixel.x + offset.x, pixel.y + offset.y);
        dc->SetPixel(pixel.x, pixel.y,
                     RGB((GetRValue(own) + GetRValue(other)) / 2, (GetGValue(own) + GetGValue(other)) / 2,
                         (GetBValue(own) + GetBValue(other)) / 2));
    }
}

BOOL CKvoDrawHelpers::IsLowResolution(HDC dc)
{
    return CKvoColorManager::IsLowResolution(dc);
}

BOOL CKvoDrawHelpers::IsContextRTL(CDC* dc)
{
    if (!dc || !dc->GetSafeHdc())
        return FALSE;
    const DWORD layout = ::GetLayout(dc->GetSafeHdc());
    return layout != 0 && layout != GDI_ERROR;
}

void CKvoDrawHelpers::SetContextRTL(CDC* dc, DWORD layout)
{
    if (dc && dc->GetSafeHdc())
        ::SetLayout(dc->GetSafeHdc(), layout);
}

void CKvoDrawHelpers::KeyToLayout(CWnd* wnd, UINT* key)
{
    if (!wnd || !wnd->GetSafeHwnd() || !key || !(wnd->GetExStyle() & WS_EX_LAYOUTRTL))
        return;
    if (*key == VK_LEFT)
        *key = VK_RIGHT;
    else if (*key == VK_RIGHT)
        *key = VK_LEFT;
}

BOOL CKvoDrawHelpers::IsTopParentActive(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    // Children climb to their parent, popups to their owner.
    HWND top = hWnd;
    for (;;) {
        HWND next = (::GetWindowLongW(top, GWL_STYLE) & WS_CHILD) ? ::GetParent(top) : ::GetWindow(top, GW_OWNER);
        if (!next)
            break;
        top = next;
    }
    return ::GetForegroundWindow() == ::GetLastActivePopup(top);
}

BOOL CKvoDrawHelpers::FontExists(LPCWSTR faceName)
{
    if (!faceName || !*faceName)
        return FALSE;
    HDC screen = ::GetDC(NULL);
    if (!screen)
        return FALSE;
    // Every family is compared by its own name, so a substituted face
    // (one that GDI maps to another font) does not count as installed.
    LOGFONTW font = {};
    font.lfCharSet = DEFAULT_CHARSET;
    KvoFontFamilySearch search = {faceName, false};
    ::EnumFontFamiliesExW(screen, &font, CompareKvoFontFamily, reinterpret_cast<LPARAM>(&search), 0);
    ::ReleaseDC(NULL, screen);
    return search.found;
}

CString CKvoDrawHelpers::GetDefaultFontFaceName(BOOL preferTahoma)
{
    LOGFONTW guiFont = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
    const bool usable = guiFont.lfCharSet > 2 && CKvoSystemVersion::Instance()->IsWin2KOrGreater() &&
                        _wcsicmp(guiFont.lfFaceName, L"MS Shell Dlg") != 0;
    if (usable)
        return guiFont.lfFaceName;
    if (!FontExists(L"Arial"))
        return guiFont.lfFaceName;
    if (preferTahoma && FontExists(L"Tahoma"))
        return L"Tahoma";
    return L"Arial";
}

void CKvoDrawHelpers::GetWindowTextDirect(HWND hWnd, CString& text)
{
    text.Empty();
    if (!hWnd || !::IsWindow(hWnd))
        return;
    const int length = static_cast<int>(::DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    if (length <= 0)
        return;
    wchar_t* buffer = text.GetBuffer(length + 1);
    const int copied = static_cast<int>(::DefWindowProcW(hWnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer)));
    text.ReleaseBuffer(std::min(std::max(copied, 0), length));
}

void CKvoDrawHelpers::StripMnemonics(CString& text)
{
    if (text.IsEmpty())
        return;
    wchar_t* buffer = text.GetBuffer();
    StripMnemonicsInPlace(buffer);
    text.ReleaseBuffer();
}

void CKvoDrawHelpers::StripMnemonicsInPlace(wchar_t* text)
{
    if (!text || text == LPSTR_TEXTCALLBACKW)
        return;
    // Each '&' is judged by the character after it in the original text,
    // so "a&&b" keeps the first and "&&&a" keeps two.
    wchar_t* out = text;
    for (const wchar_t* in = text; *in; ++in)
        if (*in != L'&' || in[1] == L'&')
            *out++ = *in;
    *out = L'\0';
}

DWORD CKvoDrawHelpers::RGBtoHSL(COLORREF color)
{
    const int red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
    const int maximum = std::max({red, green, blue}), minimum = std::min({red, green, blue});
    const int luminance = (maximum + minimum + 1) / 2;
    int hue = 255, saturation = 0;
    if (maximum != minimum) {
        const int delta = maximum - minimum;
        saturation = luminance > 126 ? delta * 256 / (512 - maximum - minimum)
                                     : (delta * 256 + 256) / (maximum + minimum);
        if (red == maximum)
            hue = (green - blue) * 256 / delta;
        else if (green == maximum)
            hue = (blue - red) * 256 / delta + 512;
        else
            hue = (red - green) * 256 / delta + 1024;
        hue /= 6;
        if (hue < 0)
            hue += 256;
    }
    const DWORD h = static_cast<DWORD>(std::min(hue * 239 / 255, 239));
    const DWORD s = static_cast<DWORD>(std::min(saturation * 240 / 255, 240));
    const DWORD l = static_cast<DWORD>(std::min(luminance * 240 / 255, 240));
    return h | (s << 8) | (l << 16);
}

COLORREF CKvoDrawHelpers::AdjustBrightness(DWORD hsl)
{
    const int hue = static_cast<int>(hsl & 0xFF) * 255 / 240;
    const int saturation = static_cast<int>((hsl >> 8) & 0xFF) * 255 / 240;
    const int luminance = static_cast<int>((hsl >> 16) & 0xFF) * 255 / 240;
    if (saturation == 0) {
        const int grey = std::min(luminance, 255);
        return RGB(grey, grey, grey);
    }
    const int m2 = luminance > 127 ? (luminance + saturation - luminance * saturation / 255) * 255
                                   : luminance * (255 + saturation);
    const int m1 = 2 * 255 * luminance - m2;
    return RGB(std::min(PackedHueChannel(m1, m2, hue + 85), 255), std::min(PackedHueChannel(m1, m2, hue), 255),
               std::min(PackedHueChannel(m1, m2, hue - 85), 255));
}

COLORREF CKvoDrawHelpers::HSLToColor(double hue, double saturation, double luminance)
{
    if (saturation == 0.0) {
        const int grey = static_cast<int>(luminance * 255.0);
        return RGB(grey, grey, grey);
    }
    const double m2 = luminance < 0.5 ? luminance * (1.0 + saturation) : luminance + saturation - luminance * saturation;
    const double m1 = 2.0 * luminance - m2;
    auto channel = [&](double h) { return static_cast<int>(HslHueChannel(m1, m2, h) * 255.0); };
    return RGB(channel(hue + 1.0 / 3.0), channel(hue), channel(hue - 1.0 / 3.0));
}

BOOL CKvoDrawHelpers::RegisterWndClass(HINSTANCE instance, LPCWSTR className, UINT style, HICON icon)
{
    if (!className || !*className)
        return FALSE;
    WNDCLASSW windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance ? instance : AfxGetInstanceHandle();
    windowClass.hIcon = icon;
    windowClass.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
    windowClass.lpszClassName = className;
    return AfxRegisterClass(&windowClass);
}

CKvoHSLColor::CKvoHSLColor(double hue, double saturation, double luminance)
    : m_color(CKvoDrawHelpers::HSLToColor(hue, saturation, luminance))
{
}

void CKvoHSLColor::Assign(double hue, double saturation, double luminance)
{
    m_color = CKvoDrawHelpers::HSLToColor(hue, saturation, luminance);
}

COLORREF CKvoBitmapIcon::GetTopLeftColor() const
{
    if (!m_hBitmap)
        return KVO_COLOR_NONE;
    CKvoCompatibleDC dc(NULL, m_hBitmap);
    return dc.GetPixel(0, 0);
}

HICON CKvoBitmapIcon::CreateIcon() const
{
    BITMAP info = {};
    if (!m_hBitmap || !::GetObjectW(m_hBitmap, sizeof info, &info) || info.bmWidth == 0 || info.bmHeight == 0)
        return NULL;
    CImageList images;
    if (!images.Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1))
        return NULL;
    if (ImageList_AddMasked(images.GetSafeHandle(), m_hBitmap, GetTopLeftColor()) < 0)
        return NULL;
    return ImageList_GetIcon(images.GetSafeHandle(), 0, ILD_NORMAL);
}

void SetPopupMouseHook(CWnd* popup)
{
    PopupMouseHookState& state = t_popupMouseHook;
    if (popup && popup->GetSafeHwnd()) {
        state.popup = popup->GetSafeHwnd();
        if (!state.hook)
            state.hook = ::SetWindowsHookExW(WH_MOUSE, PopupMouseHookProc, NULL, ::GetCurrentThreadId());
        return;
    }
    state.popup = NULL;
    if (state.hook) {
        ::UnhookWindowsHookEx(state.hook);
        state.hook = NULL;
    }
}
