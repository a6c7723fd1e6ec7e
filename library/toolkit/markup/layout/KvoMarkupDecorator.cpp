#include "markup/layout/KvoMarkupDecorator.h"

CKvoMarkupDecorator::CKvoMarkupDecorator() : m_child(this)
{
}

CKvoMarkupDecorator::~CKvoMarkupDecorator()
{
    SetChild(nullptr);
}

void CKvoMarkupDecorator::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    m_child.SetContent(content);
}

BOOL CKvoMarkupDecorator::HasContentObject() const
{
    return m_child.Get() != nullptr;
}

int CKvoMarkupDecorator::GetVisualChildrenCount() const
{
    return m_child.Get() ? 1 : 0;
}

CKvoMarkupVisual* CKvoMarkupDecorator::GetVisualChild(int index) const
{
    return index == 0 ? m_child.Get() : nullptr;
}

void CKvoMarkupDecorator::SetChild(CKvoMarkupUIElement* child)
{
    m_child.Set(child);
}
