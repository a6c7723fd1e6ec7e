#include "markup/drawing/KvoMarkupBrush.h"
#include <new>
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/values/KvoMarkupColor.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupBrush)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupSolidColorBrush)
CKvoMarkupDependencyProperty* CKvoMarkupSolidColorBrush::s_colorProperty = nullptr;

void CKvoMarkupBrush::FillRect(CKvoMarkupDrawingContext*, int, int, int, int)
{
}

COLORREF CKvoMarkupBrush::GetColor() const
{
    return 0;
}

CKvoMarkupObject* CKvoMarkupBrush::ConvertFrom(CKvoMarkupObject* value)
{
    CKvoMarkupColor scratch;
    CKvoMarkupPtr<CKvoMarkupObject> color(scratch.ConvertFrom(value));
    if (!color)
        return nullptr;
    return new (std::nothrow) CKvoMarkupSolidColorBrush(static_cast<CKvoMarkupColor*>(color.Get())->GetColor());
}

CKvoMarkupSolidColorBrush::CKvoMarkupSolidColorBrush(COLORREF color)
{
    SetValue(s_colorProperty, new (std::nothrow) CKvoMarkupColor(color));
}

void CKvoMarkupSolidColorBrush::RegisterMarkupProperties()
{
    s_colorProperty = CKvoMarkupDependencyProperty::Register(L"Color", CKvoMarkupColor::s_type, s_type);
}

COLORREF CKvoMarkupSolidColorBrush::GetColor() const
{
    const CKvoMarkupColor* color = static_cast<const CKvoMarkupColor*>(GetValue(s_colorProperty));
    return color ? color->GetColor() : 0;
}

BOOL CKvoMarkupSolidColorBrush::IsEqual(const CKvoMarkupObject* other) const
{
    return other && other->GetType() == GetType() &&
           static_cast<const CKvoMarkupSolidColorBrush*>(other)->GetColor() == GetColor();
}

UINT CKvoMarkupSolidColorBrush::GetHashCode() const
{
    return static_cast<UINT>(GetColor());
}

void CKvoMarkupSolidColorBrush::FillRect(CKvoMarkupDrawingContext* dc, int left, int top, int right, int bottom)
{
    if (GetValue(s_colorProperty))
        FillOpaque(dc, RECT{left, top, right, bottom}, GetColor());
}

void CKvoMarkupSolidColorBrush::FillOpaque(CKvoMarkupDrawingContext* dc, const RECT& rect, COLORREF color)
{
    HDC hdc = dc ? dc->GetSafeHdc() : nullptr;
    if (!hdc)
        return;
    COLORREF previous = ::SetBkColor(hdc, color);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rect, L"", 0, nullptr);
    ::SetBkColor(hdc, previous);
}
