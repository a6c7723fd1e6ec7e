#include <afx.h>

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), AFX_NOT_SERIALIZABLE_SCHEMA, NULL, NULL};

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

CObject::~CObject() = default;

void CObject::Serialize(CArchive&)
{
}

BOOL CObject::IsSerializable() const
{
    return (GetRuntimeClass()->m_wSchema & ~VERSIONABLE_SCHEMA) != AFX_NOT_SERIALIZABLE_SCHEMA;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}
