#include "markup/values/KvoMarkupBool.h"
#include <wchar.h>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupBool)

CKvoMarkupBool* CKvoMarkupBool::GetShared(BOOL value)
{
    static const CKvoMarkupPtr<CKvoMarkupBool> sharedTrue(new CKvoMarkupBool(TRUE));
    static const CKvoMarkupPtr<CKvoMarkupBool> sharedFalse(new CKvoMarkupBool(FALSE));
    CKvoMarkupBool* shared = value ? sharedTrue.Get() : sharedFalse.Get();
    shared->AddRef();
    return shared;
}

UINT CKvoMarkupBool::GetHashCode() const
{
    return static_cast<UINT>(m_value);
}

BOOL CKvoMarkupBool::IsEqual(const CKvoMarkupObject* other) const
{
    return other && other->GetType() == GetType() && static_cast<const CKvoMarkupBool*>(other)->m_value == m_value;
}

CKvoMarkupObject* CKvoMarkupBool::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    if (!text)
        return nullptr;
    if (_wcsicmp(text->GetString(), L"True") == 0)
        return GetShared(TRUE);
    if (_wcsicmp(text->GetString(), L"False") == 0)
        return GetShared(FALSE);
    return nullptr;
}
