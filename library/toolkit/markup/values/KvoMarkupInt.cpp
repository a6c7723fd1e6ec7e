#include "markup/values/KvoMarkupInt.h"
#include <stdlib.h>
#include <new>
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupInt)

int CKvoMarkupInt::ParseInt(LPCWSTR text)
{
    return _wtoi(text);
}

UINT CKvoMarkupInt::GetHashCode() const
{
    return static_cast<UINT>(m_value);
}

BOOL CKvoMarkupInt::IsEqual(const CKvoMarkupObject* other) const
{
    return other && other->GetType() == GetType() && static_cast<const CKvoMarkupInt*>(other)->m_value == m_value;
}

CKvoMarkupObject* CKvoMarkupInt::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    return text ? new (std::nothrow) CKvoMarkupInt(ParseInt(text->GetString())) : nullptr;
}
