#include "markup/values/KvoMarkupEnum.h"
#include <new>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupEnum)

namespace {
// The values most converters give: one shared object each.
const int kSharedEnumCount = 8;

struct SharedEnumValues {
    SharedEnumValues()
    {
        for (int value = 0; value < kSharedEnumCount; ++value)
            values[value].Reset(new CKvoMarkupEnum(value));
    }
    CKvoMarkupPtr<CKvoMarkupEnum> values[kSharedEnumCount];
};
}

CKvoMarkupEnum* CKvoMarkupEnum::GetShared(int value)
{
    if (value < 0 || value >= kSharedEnumCount)
        return new (std::nothrow) CKvoMarkupEnum(value);
    static const SharedEnumValues shared;
    CKvoMarkupEnum* enumValue = shared.values[value].Get();
    enumValue->AddRef();
    return enumValue;
}

UINT CKvoMarkupEnum::GetHashCode() const
{
    return static_cast<UINT>(m_value);
}

BOOL CKvoMarkupEnum::IsEqual(const CKvoMarkupObject* other) const
{
    return other && other->GetType() == GetType() && static_cast<const CKvoMarkupEnum*>(other)->m_value == m_value;
}
