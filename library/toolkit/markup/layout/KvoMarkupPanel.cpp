#include "markup/layout/KvoMarkupPanel.h"
#include <new>
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/layout/KvoMarkupUIElementCollection.h"
#include "markup/values/KvoMarkupEnum.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupPanel)
CKvoMarkupDependencyProperty* CKvoMarkupPanel::s_backgroundProperty = nullptr;

void CKvoMarkupPanel::RegisterMarkupProperties()
{
    s_backgroundProperty =
        CKvoMarkupDependencyProperty::Register(L"Background", CKvoMarkupBrush::s_type, s_type,
                                               new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsRender));
}

CKvoMarkupPanel::CKvoMarkupPanel() : m_pChildren(new (std::nothrow) CKvoMarkupUIElementCollection)
{
    if (m_pChildren)
        m_pChildren->SetLogicalParent(this);
}

CKvoMarkupPanel::~CKvoMarkupPanel()
{
    if (!m_pChildren)
        return;
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

void CKvoMarkupPanel::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (m_pChildren)
        m_pChildren->SetContentObject(builder, content);
    else if (content)
        content->Release();
}

BOOL CKvoMarkupPanel::HasContentObject() const
{
    return m_pChildren && m_pChildren->HasContentObject();
}

int CKvoMarkupPanel::GetVisualChildrenCount() const
{
    return m_pChildren ? m_pChildren->GetCount() : 0;
}

CKvoMarkupVisual* CKvoMarkupPanel::GetVisualChild(int index) const
{
    return GetChildElement(index);
}

CKvoMarkupUIElement* CKvoMarkupPanel::GetChildElement(int index) const
{
    if (!m_pChildren || index < 0 || index >= m_pChildren->GetCount())
        return nullptr;
    return static_cast<CKvoMarkupUIElement*>(m_pChildren->GetItem(index));
}

CKvoMarkupBrush* CKvoMarkupPanel::GetBackground() const
{
    return static_cast<CKvoMarkupBrush*>(MarkupDynamicCast(CKvoMarkupBrush::s_type, GetValue(s_backgroundProperty)));
}

void CKvoMarkupPanel::OnRender(CKvoMarkupDrawingContext* dc)
{
    const SIZE size = GetRenderSize();
    CKvoMarkupBrush* background = GetBackground();
    if (background && size.cx >= 1 && size.cy >= 1)
        background->FillRect(dc, 0, 0, size.cx, size.cy);
}

CKvoMarkupInputElement* CKvoMarkupPanel::InputHitTestCore(int, int)
{
    return GetBackground() ? this : nullptr;
}

int KvoMarkupReadOrientation(const CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property,
                             int fallback)
{
    const CKvoMarkupEnum* value =
        static_cast<const CKvoMarkupEnum*>(MarkupDynamicCast(CKvoMarkupEnum::s_type, object->GetValue(property)));
    return value ? value->GetValue() : fallback;
}
