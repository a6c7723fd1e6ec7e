#include "markup/values/KvoMarkupPoint.h"
#include <stdio.h>
#include <new>
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupPoint)

UINT CKvoMarkupPoint::GetHashCode() const
{
    return static_cast<UINT>(static_cast<int>(m_x) * 31 + static_cast<int>(m_y));
}

BOOL CKvoMarkupPoint::IsEqual(const CKvoMarkupObject* other) const
{
    if (!other || other->GetType() != GetType())
        return FALSE;
    const CKvoMarkupPoint* point = static_cast<const CKvoMarkupPoint*>(other);
    return point->m_x == m_x && point->m_y == m_y;
}

CKvoMarkupObject* CKvoMarkupPoint::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    float x = 0, y = 0;
    if (!text || swscanf(text->GetString(), L"%f,%f", &x, &y) != 2)
        return nullptr;
    return new (std::nothrow) CKvoMarkupPoint(x, y);
}
