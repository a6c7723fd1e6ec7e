#include "markup/core/KvoMarkupType.h"
#include <new>
#include "markup/core/KvoMarkupTypeRegistry.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupType)

CKvoMarkupType* CKvoMarkupType::Create(LPCWSTR tag, LPCWSTR className, KvoMarkupCreateFunction create,
                                       KvoMarkupBaseTypeFunction baseType, KvoMarkupRegisterFunction registerProperties)
{
    CKvoMarkupType* type = new (std::nothrow) CKvoMarkupType(tag, className, create, baseType, registerProperties);
    if (type)
        CKvoMarkupTypeRegistry::Instance().AddType(type);
    return type;
}

CKvoMarkupType::CKvoMarkupType()
    : CKvoMarkupType(nullptr, nullptr, nullptr, nullptr, nullptr)
{
}

CKvoMarkupType::CKvoMarkupType(LPCWSTR tag, LPCWSTR className, KvoMarkupCreateFunction create,
                               KvoMarkupBaseTypeFunction baseType, KvoMarkupRegisterFunction registerProperties)
    : m_tag(tag), m_className(className), m_pNextType(nullptr), m_bRegistered(FALSE), m_pfnCreate(create),
      m_pfnBaseType(baseType), m_pfnRegister(registerProperties), m_pDefaultStyle(nullptr)
{
}

CKvoMarkupType::~CKvoMarkupType()
{
    SetDefaultStyle(nullptr);
}

void CKvoMarkupType::SetDefaultStyle(CKvoMarkupStyle* style)
{
    if (style) {
        style->AddRef();
        style->Seal();
    }
    if (m_pDefaultStyle)
        m_pDefaultStyle->Release();
    m_pDefaultStyle = style;
}

CKvoMarkupType* CKvoMarkupType::GetBaseType() const
{
    return m_pfnBaseType ? m_pfnBaseType() : nullptr;
}

BOOL CKvoMarkupType::IsDerivedFrom(const CKvoMarkupType* base) const
{
    for (const CKvoMarkupType* type = this; type; type = type->GetBaseType()) {
        if (type == base)
            return TRUE;
    }
    return FALSE;
}

CKvoMarkupObject* CKvoMarkupType::CreateObject() const
{
    return m_pfnCreate ? m_pfnCreate() : nullptr;
}

void CKvoMarkupType::RegisterType()
{
    if (m_bRegistered)
        return;
    EnsureRegistered(GetBaseType());
    m_bRegistered = TRUE;
    if (m_pfnRegister)
        m_pfnRegister();
}

void CKvoMarkupType::EnsureRegistered(CKvoMarkupType* type)
{
    if (type)
        type->RegisterType();
}

CKvoMarkupObject* CKvoMarkupType::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* tag = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    if (!tag)
        return nullptr;
    CKvoMarkupType* type = CKvoMarkupTypeRegistry::Instance().FindType(tag->GetString());
    if (type)
        type->AddRef();
    return type;
}

LPCWSTR CKvoMarkupType::ClassNameOf(const CKvoMarkupType* type)
{
    return type && type->m_className ? type->m_className : L"";
}
