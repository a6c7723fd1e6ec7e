#include "markup/layout/KvoMarkupSingleChild.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupType.h"

void CKvoMarkupSingleChild::Set(CKvoMarkupUIElement* child)
{
    if (m_pChild) {
        m_pChild->SetLogicalParent(nullptr);
        m_pChild->Release();
    }
    m_pChild = child;
    if (m_pChild)
        m_pChild->SetLogicalParent(m_pOwner);
}

void CKvoMarkupSingleChild::SetContent(CKvoMarkupObject* content)
{
    if (!content)
        return;
    LPCWSTR ownerName = CKvoMarkupType::ClassNameOf(m_pOwner->GetType());
    LPCWSTR contentName = CKvoMarkupType::ClassNameOf(content->GetType());
    CStringW message;
    if (!content->IsKindOf(CKvoMarkupUIElement::s_type)) {
        message.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type "
                       L"'CKvoMarkupUIElement'",
                       contentName, ownerName);
    } else if (m_pChild) {
        message.Format(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                       ownerName, contentName, ownerName);
    } else {
        Set(static_cast<CKvoMarkupUIElement*>(content));
        return;
    }
    content->Release();
    ThrowMarkupBuildError(message);
}
