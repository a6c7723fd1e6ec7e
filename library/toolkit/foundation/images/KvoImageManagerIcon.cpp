#include "foundation/images/KvoImageManagerIcon.h"

#include <cmath>
#include <vector>

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/images/KvoImageManager.h"
#include "foundation/images/KvoImagePixels.h"

namespace {

// Pixels of a DIB in memory order: blue, green, red, alpha.
struct KvoBgra
{
    BYTE blue, green, red, alpha;
};

double KvoLuminance(int red, int green, int blue)
{
    return (0.299 * red + 0.587 * green + 0.114 * blue) / 255.0;
}

// The bright-to-light, dark-to-dark mix of one channel.
BYTE KvoMixChannel(BYTE dark, BYTE light, double luminance)
{
    return static_cast<BYTE>(static_cast<int>(dark * (1.0 - luminance) + light * luminance) & 255);
}

BYTE KvoGreyOf(double luminance)
{
    return static_cast<BYTE>(static_cast<int>(std::sqrt(luminance) * 255.0) & 255);
}

// The colours of an opaque icon pixel after a computed variant's rule.
typedef void (*KvoIconPixelRule)(KvoBgra& pixel, const void* context);

// A new icon whose colour pixels under the opaque part of the mask went
// through rule; null when the icon cannot be read (monochrome icons have no
// colour bitmap to work on).
HICON KvoTransformIcon(HICON icon, KvoIconPixelRule rule, const void* context)
{
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return nullptr;
    CBitmap color, mask;
    color.Attach(info.hbmColor);
    mask.Attach(info.hbmMask);
    BITMAP colorInfo = {};
    if (!info.hbmColor || !color.GetBitmap(&colorInfo))
        return nullptr;
    const int width = colorInfo.bmWidth, height = colorInfo.bmHeight;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<KvoBgra> colorPixels(static_cast<size_t>(width) * height), maskPixels(colorPixels.size());
    CKvoScreenDC screen;
    if (::GetDIBits(screen.m_hDC, info.hbmColor, 0, height, colorPixels.data(), &header, DIB_RGB_COLORS) != height ||
        ::GetDIBits(screen.m_hDC, info.hbmMask, 0, height, maskPixels.data(), &header, DIB_RGB_COLORS) != height)
        return nullptr;
    for (size_t i = 0; i < colorPixels.size(); ++i)
    {
        // A black mask pixel is an opaque one.
        if (maskPixels[i].blue == 0 && maskPixels[i].green == 0 && maskPixels[i].red == 0)
            rule(colorPixels[i], context);
    }
    if (::SetDIBits(screen.m_hDC, info.hbmColor, 0, height, colorPixels.data(), &header, DIB_RGB_COLORS) != height)
        return nullptr;
    info.fIcon = TRUE;
    return ::CreateIconIndirect(&info);
}

// rule on every pixel of premultiplied bits whose alpha is not 0.
void KvoTransformAlphaPixels(LPBYTE bits, CSize size, KvoIconPixelRule rule, const void* context)
{
    KvoBgra* pixel = reinterpret_cast<KvoBgra*>(bits);
    for (LONG count = size.cx * size.cy; count > 0; --count, ++pixel)
    {
        if (pixel->alpha != 0)
            rule(*pixel, context);
    }
}

struct KvoDisabledColors
{
    bool custom;
    COLORREF light;
    COLORREF dark;
};

void KvoDisableColor(KvoBgra& pixel, double luminance, const KvoDisabledColors& colors, int alpha)
{
    if (colors.custom)
    {
        pixel.red = static_cast<BYTE>(KvoMixChannel(GetRValue(colors.dark), GetRValue(colors.light), luminance) * alpha / 255);
        pixel.green = static_cast<BYTE>(KvoMixChannel(GetGValue(colors.dark), GetGValue(colors.light), luminance) * alpha / 255);
        pixel.blue = static_cast<BYTE>(KvoMixChannel(GetBValue(colors.dark), GetBValue(colors.light), luminance) * alpha / 255);
        return;
    }
    BYTE grey = static_cast<BYTE>(KvoGreyOf(luminance) * alpha / 255);
    pixel.red = pixel.green = pixel.blue = grey;
}

// Alpha pixels are premultiplied: the luminance is taken from the colour
// itself and the result premultiplied again.
void KvoDisableAlphaPixel(KvoBgra& pixel, const void* context)
{
    int alpha = pixel.alpha;
    double luminance = KvoLuminance(pixel.red * 255 / alpha, pixel.green * 255 / alpha, pixel.blue * 255 / alpha);
    KvoDisableColor(pixel, luminance, *static_cast<const KvoDisabledColors*>(context), alpha);
}

void KvoDisableIconPixel(KvoBgra& pixel, const void* context)
{
    KvoDisableColor(pixel, KvoLuminance(pixel.red, pixel.green, pixel.blue),
                    *static_cast<const KvoDisabledColors*>(context), 255);
}

// Lighter: seven tenths of the colour plus three tenths of the pixel's
// alpha (white for opaque icon pixels).
void KvoFadeAlphaPixel(KvoBgra& pixel, const void*)
{
    pixel.blue = static_cast<BYTE>(pixel.blue * 0.7 + pixel.alpha * 0.3);
    pixel.green = static_cast<BYTE>(pixel.green * 0.7 + pixel.alpha * 0.3);
    pixel.red = static_cast<BYTE>(pixel.red * 0.7 + pixel.alpha * 0.3);
}

void KvoFadeIconPixel(KvoBgra& pixel, const void*)
{
    pixel.blue = static_cast<BYTE>(pixel.blue * 0.7 + 0.3 * 255);
    pixel.green = static_cast<BYTE>(pixel.green * 0.7 + 0.3 * 255);
    pixel.red = static_cast<BYTE>(pixel.red * 0.7 + 0.3 * 255);
}

void KvoShadowAlphaPixel(KvoBgra& pixel, const void* context)
{
    COLORREF shadow = *static_cast<const COLORREF*>(context);
    pixel.red = static_cast<BYTE>(GetRValue(shadow) * pixel.alpha / 255);
    pixel.green = static_cast<BYTE>(GetGValue(shadow) * pixel.alpha / 255);
    pixel.blue = static_cast<BYTE>(GetBValue(shadow) * pixel.alpha / 255);
}

void KvoShadowIconPixel(KvoBgra& pixel, const void* context)
{
    COLORREF shadow = *static_cast<const COLORREF*>(context);
    pixel.red = GetRValue(shadow);
    pixel.green = GetGValue(shadow);
    pixel.blue = GetBValue(shadow);
}

// The computed image of source: its alpha pixels or its icon pixels through
// the rules, in a handle of its own; empty when the source cannot be read.
void KvoComputeVariant(const CKvoImageManagerIconHandle& source, CKvoImageManagerIconHandle& result,
                       KvoIconPixelRule alphaRule, KvoIconPixelRule iconRule, const void* context)
{
    CKvoImageManagerIconHandle work;
    work.Copy(source);
    if (work.IsAlpha())
    {
        LPBYTE bits = work.GetBits();
        if (!bits)
            return;
        KvoTransformAlphaPixels(bits, work.GetExtent(), alphaRule, context);
        result.Copy(work);
        return;
    }
    HICON icon = iconRule ? KvoTransformIcon(work.GetIcon(), iconRule, context) : ::CopyIcon(work.GetIcon());
    if (!icon)
        return;
    CKvoImageManagerIconHandle computed;
    computed.SetIcon(icon);
    result.Copy(computed);
}

}  // namespace

CKvoImageManagerIcon::CKvoImageManagerIcon(UINT id, int width, int height, CKvoImageManagerIconSet* set)
    : m_set(set), m_imageList(nullptr)
{
    Init(id, width, height, set ? set->GetImageManager() : nullptr);
}

CKvoImageManagerIcon::CKvoImageManagerIcon(UINT id, int width, int height, CKvoImageManagerImageList* list)
    : m_set(nullptr), m_imageList(list)
{
    Init(id, width, height, nullptr);
}

void CKvoImageManagerIcon::Init(UINT id, int width, int height, CKvoImageManager* manager)
{
    m_composited = FALSE;
    m_id = id;
    m_width = width;
    m_height = height;
    for (CKvoImageManagerIconHandle& variant : m_variants)
        variant.SetImageManager(manager);
}

CKvoImageManagerIcon::~CKvoImageManagerIcon()
{
    Clear(TRUE);
}

BOOL CKvoImageManagerIcon::SetIcon(const CKvoImageManagerIconHandle& icon)
{
    Clear(TRUE);
    m_variants[normalVariant].Copy(icon);
    CSize size = m_variants[normalVariant].GetExtent();
    m_width = size.cx;
    m_height = size.cy;
    // Computed images of the other widths follow the new normal image.
    if (m_set)
        m_set->RefreshAll();
    return TRUE;
}

void CKvoImageManagerIcon::SetVariant(Variant variant, const CKvoImageManagerIconHandle& icon)
{
    Refresh();
    m_variants[variant].Copy(icon);
}

void CKvoImageManagerIcon::SetHotIcon(const CKvoImageManagerIconHandle& icon)
{
    SetVariant(hotVariant, icon);
}

void CKvoImageManagerIcon::SetCheckedIcon(const CKvoImageManagerIconHandle& icon)
{
    SetVariant(checkedVariant, icon);
}

void CKvoImageManagerIcon::SetPressedIcon(const CKvoImageManagerIconHandle& icon)
{
    SetVariant(pressedVariant, icon);
}

void CKvoImageManagerIcon::SetDisabledIcon(const CKvoImageManagerIconHandle& icon)
{
    SetVariant(disabledVariant, icon);
}

void CKvoImageManagerIcon::Refresh()
{
    m_variants[fadedVariant].Clear();
    m_variants[shadowVariant].Clear();
    m_variants[computedDisabledVariant].Clear();
}

void CKvoImageManagerIcon::Clear(BOOL normal)
{
    for (int variant = normal ? normalVariant : fadedVariant; variant < variantCount; ++variant)
        m_variants[variant].Clear();
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetIcon()
{
    return m_variants[normalVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetHotIcon()
{
    return m_variants[hotVariant].IsEmpty() ? m_variants[normalVariant] : m_variants[hotVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetCheckedIcon()
{
    return m_variants[checkedVariant].IsEmpty() ? GetHotIcon() : m_variants[checkedVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetPressedIcon()
{
    return m_variants[pressedVariant].IsEmpty() ? GetHotIcon() : m_variants[pressedVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetDisabledIcon(BOOL create)
{
    if (!m_variants[disabledVariant].IsEmpty())
        return m_variants[disabledVariant];
    if (create && m_variants[computedDisabledVariant].IsEmpty())
        CreateDisabledIcon();
    return m_variants[computedDisabledVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetFadedIcon()
{
    if (m_variants[fadedVariant].IsEmpty())
        CreateFadedIcon();
    return m_variants[fadedVariant].IsEmpty() ? m_variants[normalVariant] : m_variants[fadedVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetShadowIcon()
{
    if (m_variants[shadowVariant].IsEmpty())
        CreateShadowIcon();
    return m_variants[shadowVariant];
}

CKvoImageManagerIconHandle& CKvoImageManagerIcon::GetStateIcon(int state)
{
    switch (state)
    {
    case kvoIconDisabled:
        return GetDisabledIcon(TRUE);
    case kvoIconHot:
        return GetHotIcon();
    case kvoIconChecked:
        return GetCheckedIcon();
    case kvoIconPressed:
        return GetPressedIcon();
    default:
        return GetIcon();
    }
}

BOOL CKvoImageManagerIcon::HasDisabledIcon() const
{
    return !m_variants[disabledVariant].IsEmpty() || !m_variants[computedDisabledVariant].IsEmpty();
}

BOOL CKvoImageManagerIcon::IsAlpha() const
{
    return m_variants[normalVariant].IsAlpha();
}

CSize CKvoImageManagerIcon::GetExtent() const
{
    return m_variants[normalVariant].GetExtent();
}

CSize CKvoImageManagerIcon::GetIconSize(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return CSize(0, 0);
    BITMAP mask = {};
    ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
    // A monochrome icon keeps its image and its mask in one bitmap.
    CSize size(mask.bmWidth, info.hbmColor ? mask.bmHeight : mask.bmHeight / 2);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return size;
}

void CKvoImageManagerIcon::CreateDisabledIcon(COLORREF light, COLORREF dark)
{
    if (!m_variants[computedDisabledVariant].IsEmpty() || m_variants[normalVariant].IsEmpty())
        return;
    KvoDisabledColors colors = {light != 0xFFFFFFFF && dark != 0xFFFFFFFF, light, dark};
    KvoComputeVariant(m_variants[normalVariant], m_variants[computedDisabledVariant], KvoDisableAlphaPixel,
                      KvoDisableIconPixel, &colors);
}

void CKvoImageManagerIcon::CreateFadedIcon()
{
    const CKvoImageManagerIconHandle& normal = m_variants[normalVariant];
    if (normal.IsEmpty() || !normal.IsPacking())
        return;
    // Lightening means little on a low-colour screen: the icon stays as it is.
    KvoIconPixelRule iconRule = CKvoDrawHelpers::IsLowResolution(NULL) ? nullptr : KvoFadeIconPixel;
    KvoComputeVariant(normal, m_variants[fadedVariant], KvoFadeAlphaPixel, iconRule, nullptr);
}

void CKvoImageManagerIcon::CreateShadowIcon()
{
    const CKvoImageManagerIconHandle& normal = m_variants[normalVariant];
    if (normal.IsEmpty() || !normal.IsPacking())
        return;
    const CKvoImageManagerIconHandle& source = m_variants[hotVariant].IsEmpty() ? normal : m_variants[hotVariant];
    COLORREF base = CKvoColorManager::Instance()->GetColor(31);
    COLORREF shadow = RGB(static_cast<int>(GetRValue(base) * 0.75), static_cast<int>(GetGValue(base) * 0.75),
                          static_cast<int>(GetBValue(base) * 0.75));
    KvoComputeVariant(source, m_variants[shadowVariant], KvoShadowAlphaPixel, KvoShadowIconPixel, &shadow);
}

CSize CKvoImageManagerIcon::DrawSize(int cx, int cy) const
{
    if (cx == 0)
        cx = m_width;
    if (cy == 0)
        cy = m_width != 0 ? m_height * cx / m_width : 0;
    return CSize(cx, cy);
}

void CKvoImageManagerIcon::Draw(CDC* dc, CPoint point)
{
    DrawHandle(dc, point, m_variants[normalVariant], m_width, m_height);
}

void CKvoImageManagerIcon::DrawScaled(CDC* dc, CPoint point, int cx, int cy)
{
    DrawHandle(dc, point, m_variants[normalVariant], cx, cy);
}

void CKvoImageManagerIcon::DrawHandle(CDC* dc, CPoint point, const CKvoImageManagerIconHandle& handle, int cx, int cy)
{
    if (!dc)
        return;
    CSize size = DrawSize(cx, cy);
    if (m_imageList)
    {
        ::ImageList_DrawEx(m_imageList->GetImageList(), static_cast<int>(m_id - m_imageList->GetBaseID()),
                           dc->m_hDC, point.x, point.y, size.cx, size.cy, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        return;
    }
    handle.Draw(dc, point, size, m_composited);
}

void CKvoImageManagerIcon::DrawMono(CDC* dc, CPoint point, const CKvoImageManagerIconHandle& handle, int cx, int cy,
                                    COLORREF color)
{
    if (!dc || handle.IsAlpha())
        return;
    CSize size = DrawSize(cx, cy);
    CBitmap shape;
    CDC memory;
    if (size.cx <= 0 || size.cy <= 0 || !shape.CreateCompatibleBitmap(dc, size.cx, size.cy) ||
        !memory.CreateCompatibleDC(dc))
        return;
    CBitmap* old = memory.SelectObject(&shape);
    memory.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
    DrawHandle(&memory, CPoint(0, 0), handle, size.cx, size.cy);
    memory.SelectObject(old);
    CBrush brush(color);
    ::DrawStateW(dc->m_hDC, static_cast<HBRUSH>(brush.m_hObject), NULL, reinterpret_cast<LPARAM>(shape.m_hObject), 0,
                 point.x, point.y, size.cx, size.cy, DST_BITMAP | DSS_MONO);
}
