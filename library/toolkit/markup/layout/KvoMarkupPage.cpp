#include "markup/layout/KvoMarkupPage.h"
#include "markup/core/KvoMarkupType.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupPage)

CKvoMarkupPage::CKvoMarkupPage() : m_child(this)
{
}

CKvoMarkupPage::~CKvoMarkupPage()
{
    m_child.Set(nullptr);
}

void CKvoMarkupPage::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    m_child.SetContent(content);
}

BOOL CKvoMarkupPage::HasContentObject() const
{
    return m_child.Get() != nullptr;
}

int CKvoMarkupPage::GetVisualChildrenCount() const
{
    return m_child.Get() ? 1 : 0;
}

CKvoMarkupVisual* CKvoMarkupPage::GetVisualChild(int index) const
{
    return index == 0 ? m_child.Get() : nullptr;
}

CKvoMarkupInputElement* CKvoMarkupPage::InputHitTestCore(int, int)
{
    return nullptr;
}

SIZE CKvoMarkupPage::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    CKvoMarkupUIElement* child = m_child.Get();
    if (!child)
        return {0, 0};
    child->Measure(dc, width, height);
    return child->GetDesiredSize();
}

SIZE CKvoMarkupPage::ArrangeOverride(int width, int height)
{
    if (CKvoMarkupUIElement* child = m_child.Get())
        child->Arrange(RECT{0, 0, width, height});
    return {width, height};
}
