#include "markup/values/KvoMarkupDouble.h"
#include <stdio.h>
#include <string.h>
#include <new>
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupDouble)

UINT CKvoMarkupDouble::GetHashCode() const
{
    unsigned long long bits = 0;
    memcpy(&bits, &m_value, sizeof(bits));
    return static_cast<UINT>(bits ^ (bits >> 32));
}

BOOL CKvoMarkupDouble::IsEqual(const CKvoMarkupObject* other) const
{
    return other && other->GetType() == GetType() && static_cast<const CKvoMarkupDouble*>(other)->m_value == m_value;
}

CKvoMarkupObject* CKvoMarkupDouble::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    // Markup numbers go through single precision: "0.1" is the float 0.1.
    float number = 0;
    if (!text || swscanf(text->GetString(), L"%f", &number) != 1)
        return nullptr;
    return new (std::nothrow) CKvoMarkupDouble(number);
}
