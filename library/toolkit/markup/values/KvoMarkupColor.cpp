#include "markup/values/KvoMarkupColor.h"
#include <new>
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupColorText.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupColor)

namespace {
// text's colour when value is colour text.
BOOL ColorFromValue(CKvoMarkupObject* value, COLORREF& color)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    return text && MarkupColorFromText(text->GetString(), color);
}
}

UINT CKvoMarkupColor::GetHashCode() const
{
    return static_cast<UINT>(m_color);
}

BOOL CKvoMarkupColor::IsEqual(const CKvoMarkupObject* other) const
{
    return other && other->GetType() == GetType() && static_cast<const CKvoMarkupColor*>(other)->m_color == m_color;
}

CKvoMarkupObject* CKvoMarkupColor::ConvertFrom(CKvoMarkupObject* value)
{
    COLORREF color = 0;
    return ColorFromValue(value, color) ? new (std::nothrow) CKvoMarkupColor(color) : nullptr;
}

void CKvoMarkupColor::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (!ColorFromValue(content, m_color)) {
        CKvoMarkupObject::SetContentObject(builder, content);
        return;
    }
    content->Release();
}
