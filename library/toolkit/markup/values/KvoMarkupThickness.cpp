#include "markup/values/KvoMarkupThickness.h"
#include <stdio.h>
#include <wchar.h>
#include <algorithm>
#include <new>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupThickness)

CKvoMarkupThickness::CKvoMarkupThickness(int left, int top, int right, int bottom)
    : m_left(left), m_top(top), m_right(right), m_bottom(bottom)
{
}

CKvoMarkupThickness* CKvoMarkupThickness::GetZero()
{
    static const CKvoMarkupPtr<CKvoMarkupThickness> zero(new CKvoMarkupThickness());
    zero->AddRef();
    return zero.Get();
}

UINT CKvoMarkupThickness::GetHashCode() const
{
    return static_cast<UINT>(m_left) ^ (static_cast<UINT>(m_top) << 8) ^ (static_cast<UINT>(m_right) << 16) ^
           (static_cast<UINT>(m_bottom) << 24);
}

BOOL CKvoMarkupThickness::IsEqual(const CKvoMarkupObject* other) const
{
    if (!other || other->GetType() != GetType())
        return FALSE;
    const CKvoMarkupThickness* thickness = static_cast<const CKvoMarkupThickness*>(other);
    return thickness->m_left == m_left && thickness->m_top == m_top && thickness->m_right == m_right &&
           thickness->m_bottom == m_bottom;
}

CKvoMarkupObject* CKvoMarkupThickness::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    if (!text)
        return nullptr;
    if (!wcschr(text->GetString(), L',')) {
        int all = CKvoMarkupInt::ParseInt(text->GetString());
        return new (std::nothrow) CKvoMarkupThickness(all, all, all, all);
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    if (swscanf(text->GetString(), L"%i, %i, %i, %i", &left, &top, &right, &bottom) != 4)
        return nullptr;
    return new (std::nothrow) CKvoMarkupThickness(left, top, right, bottom);
}

CRect CKvoMarkupThickness::DeflateRect(const CRect& rect, const CKvoMarkupThickness* thickness)
{
    if (!thickness)
        return rect;
    int left = rect.left + thickness->m_left;
    int top = rect.top + thickness->m_top;
    int width = std::max(0, rect.Width() - (thickness->m_left + thickness->m_right));
    int height = std::max(0, rect.Height() - (thickness->m_top + thickness->m_bottom));
    return CRect(left, top, left + width, top + height);
}
