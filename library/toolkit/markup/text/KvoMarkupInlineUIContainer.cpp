#include "markup/text/KvoMarkupInlineUIContainer.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupUIElement.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupInlineUIContainer)

namespace {
// What an embedded element may take at most.
const int kEmbeddedAvailableSize = 32000;

// [start, end) holds the element: an empty range before it has no size.
BOOL HoldsChild(int start, int end)
{
    return start == 0 && end == 1;
}
}

CKvoMarkupInlineUIContainer::CKvoMarkupInlineUIContainer() : m_pChild(nullptr)
{
}

CKvoMarkupInlineUIContainer::~CKvoMarkupInlineUIContainer()
{
    SetChild(nullptr);
}

void CKvoMarkupInlineUIContainer::SetChild(CKvoMarkupUIElement* child)
{
    if (m_pChild) {
        m_pChild->SetLogicalParent(nullptr);
        m_pChild->Release();
    }
    m_pChild = child;
    if (m_pChild)
        m_pChild->SetLogicalParent(this);
}

int CKvoMarkupInlineUIContainer::GetLogicalChildrenCount() const
{
    return m_pChild ? 1 : 0;
}

CKvoMarkupObject* CKvoMarkupInlineUIContainer::GetLogicalChild(int index) const
{
    return index == 0 ? m_pChild : nullptr;
}

void CKvoMarkupInlineUIContainer::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    if (!content)
        return;
    if (content->IsKindOf(CKvoMarkupUIElement::s_type)) {
        SetChild(static_cast<CKvoMarkupUIElement*>(content));
        return;
    }
    CStringW message;
    message.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CKvoMarkupUIElement'",
                   CKvoMarkupType::ClassNameOf(content->GetType()), GetClassNameText());
    content->Release();
    ThrowMarkupBuildError(message);
}

BOOL CKvoMarkupInlineUIContainer::HasContentObject() const
{
    return m_pChild != nullptr;
}

CKvoMarkupInputElement* CKvoMarkupInlineUIContainer::InputHitTest(int x, int y)
{
    CKvoMarkupInputElement* hit = m_pChild ? m_pChild->InputHitTest(x, y) : nullptr;
    return hit ? hit : this;
}

int CKvoMarkupInlineUIContainer::GetFirstPosition() const
{
    return m_pChild ? 0 : KvoMarkupNoPosition;
}

void CKvoMarkupInlineUIContainer::GetNextPosition(int& position) const
{
    position = position == 0 ? 1 : KvoMarkupNoPosition;
}

BOOL CKvoMarkupInlineUIContainer::IsWordBreakPosition(int position) const
{
    return position == 0 || position == 1;
}

void CKvoMarkupInlineUIContainer::Arrange(const RECT& rect, int start, int end)
{
    if (m_pChild && HoldsChild(start, end))
        m_pChild->Arrange(rect);
}

SIZE CKvoMarkupInlineUIContainer::Measure(CKvoMarkupDrawingContext* dc, int start, int end)
{
    if (!m_pChild || !HoldsChild(start, end))
        return {0, 0};
    m_pChild->Measure(dc, kEmbeddedAvailableSize, kEmbeddedAvailableSize);
    return m_pChild->GetDesiredSize();
}

void CKvoMarkupInlineUIContainer::Render(CKvoMarkupDrawingContext* dc, const RECT&, int start, int end)
{
    if (m_pChild && HoldsChild(start, end))
        m_pChild->Render(dc);
}
