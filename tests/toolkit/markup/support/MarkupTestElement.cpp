#include "toolkit/markup/support/MarkupTestElement.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CTestMarkupFrameworkElement)
CKvoMarkupDependencyProperty* CTestMarkupFrameworkElement::s_fillProperty = nullptr;
CKvoMarkupDependencyProperty* CTestMarkupFrameworkElement::s_frameProperty = nullptr;
CKvoMarkupDependencyProperty* CTestMarkupFrameworkElement::s_levelProperty = nullptr;
CKvoMarkupRoutedEvent* CTestMarkupFrameworkElement::s_testBubbleEvent = nullptr;

namespace {
CKvoMarkupObject* CreateTestFrameworkElement()
{
    return new CTestMarkupFrameworkElement;
}

CKvoMarkupType* FrameworkElementType()
{
    return CKvoMarkupFrameworkElement::s_type;
}
}

CTestMarkupFrameworkElement::~CTestMarkupFrameworkElement()
{
    for (INT_PTR index = 0; index < m_children.GetSize(); ++index) {
        m_children[index]->SetLogicalParent(nullptr);
        m_children[index]->Release();
    }
}

void CTestMarkupFrameworkElement::RegisterMarkupProperties()
{
    s_fillProperty = CKvoMarkupDependencyProperty::Register(
        L"Fill", CKvoMarkupBrush::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsRender));
    s_frameProperty = CKvoMarkupDependencyProperty::Register(
        L"Frame", CKvoMarkupBrush::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsRender));
    s_levelProperty = CKvoMarkupDependencyProperty::Register(
        L"Level", CKvoMarkupInt::s_type, s_type,
        new CKvoMarkupPropertyMetadata(new CKvoMarkupInt(1), KvoMarkupPropertyFlag::Inherits));
    s_testBubbleEvent = CKvoMarkupRoutedEvent::RegisterRoutedEvent(L"TestBubble", KvoMarkupRouting::Bubble, s_type);
}

void CTestMarkupFrameworkElement::AddVisualChild(CKvoMarkupVisual* child)
{
    child->SetLogicalParent(this);
    m_children.Add(child);
}

int CTestMarkupFrameworkElement::GetVisualChildrenCount() const
{
    return static_cast<int>(m_children.GetSize());
}

CKvoMarkupVisual* CTestMarkupFrameworkElement::GetVisualChild(int index) const
{
    return m_children[index];
}

SIZE CTestMarkupFrameworkElement::MeasureCore(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight)
{
    ++measureCoreCalls;
    return CKvoMarkupFrameworkElement::MeasureCore(dc, availableWidth, availableHeight);
}

void CTestMarkupFrameworkElement::ArrangeCore(const RECT& rect)
{
    ++arrangeCoreCalls;
    CKvoMarkupFrameworkElement::ArrangeCore(rect);
}

SIZE CTestMarkupFrameworkElement::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    measuredWith = {width, height};
    // Children get the same room; the element wants what it was told to.
    for (INT_PTR index = 0; index < m_children.GetSize(); ++index) {
        if (m_children[index]->IsKindOf(CKvoMarkupUIElement::s_type))
            static_cast<CKvoMarkupUIElement*>(m_children[index])->Measure(dc, width, height);
    }
    return contentSize;
}

SIZE CTestMarkupFrameworkElement::ArrangeOverride(int width, int height)
{
    arrangedWith = {width, height};
    for (INT_PTR index = 0; index < m_children.GetSize(); ++index) {
        if (!m_children[index]->IsKindOf(CKvoMarkupUIElement::s_type))
            continue;
        CKvoMarkupUIElement* child = static_cast<CKvoMarkupUIElement*>(m_children[index]);
        const CTestMarkupFrameworkElement* test =
            static_cast<const CTestMarkupFrameworkElement*>(MarkupDynamicCast(s_type, child));
        child->Arrange(test && !::IsRectEmpty(&test->slot) ? test->slot : RECT{0, 0, width, height});
    }
    return {width, height};
}

void CTestMarkupFrameworkElement::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (content && content->IsKindOf(CKvoMarkupString::s_type)) {
        CKvoMarkupPtr<CKvoMarkupObject> text(content);
        contentLog.push_back(static_cast<CKvoMarkupString*>(content)->GetString());
        return;
    }
    if (content && content->IsKindOf(CKvoMarkupVisual::s_type)) {
        contentLog.push_back(CStringW(L"[") + content->GetTagText() + L"]");
        AddVisualChild(static_cast<CKvoMarkupVisual*>(content));
        return;
    }
    CKvoMarkupFrameworkElement::SetContentObject(builder, content);
}

void CTestMarkupFrameworkElement::OnMouseWheel(CKvoMarkupRoutedEventArgs& args)
{
    lastWheelDelta = static_cast<int>(args.extra);
    args.handled = handlesWheel;
}

BOOL CTestMarkupFrameworkElement::HasContentObject() const
{
    return !contentLog.empty();
}

BOOL CTestMarkupFrameworkElement::AllowWhiteSpaceContent() const
{
    return TRUE;
}

void CTestMarkupFrameworkElement::OnRender(CKvoMarkupDrawingContext* dc)
{
    ++renderCalls;
    const RECT own = {0, 0, GetRenderSize().cx, GetRenderSize().cy};
    dc->FillRectangle(static_cast<CKvoMarkupBrush*>(GetValue(s_fillProperty)), own);
    dc->DrawFrame(static_cast<CKvoMarkupBrush*>(GetValue(s_frameProperty)), own);
}

void CTestMarkupFrameworkElement::InvalidateVisual()
{
    ++invalidateVisualCalls;
    CKvoMarkupFrameworkElement::InvalidateVisual();
}

void CTestMarkupFrameworkElement::InvalidateArrange()
{
    ++invalidateArrangeCalls;
    CKvoMarkupFrameworkElement::InvalidateArrange();
}

void CTestMarkupFrameworkElement::InvalidateMeasure()
{
    ++invalidateMeasureCalls;
    CKvoMarkupFrameworkElement::InvalidateMeasure();
}

void CTestMarkupFrameworkElement::ResetCounters()
{
    measureCoreCalls = arrangeCoreCalls = renderCalls = 0;
    invalidateVisualCalls = invalidateArrangeCalls = invalidateMeasureCalls = 0;
}

CTestMarkupFrameworkElement* NewTestFrameworkElement(SIZE contentSize)
{
    CTestMarkupFrameworkElement* element =
        static_cast<CTestMarkupFrameworkElement*>(CTestMarkupFrameworkElement::s_type->CreateObject());
    element->contentSize = contentSize;
    return element;
}

int MarkupIntValue(const CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property)
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(object->GetValue(property));
    return value ? value->GetValue() : -1;
}

void SetMarkupInt(CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property, int value)
{
    object->SetValue(property, new CKvoMarkupInt(value));
}

void SetMarkupBool(CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property, BOOL value)
{
    object->SetValue(property, CKvoMarkupBool::GetShared(value));
}

void CTestMarkupDelegate::Invoke(CKvoMarkupInputElement* sender, CKvoMarkupRoutedEventArgs& args)
{
    m_log->push_back({sender, args.event, this});
    if (m_bHandles)
        args.handled = TRUE;
}

void EnsureMarkupTestElementType()
{
    if (CTestMarkupFrameworkElement::s_type)
        return;
    CTestMarkupFrameworkElement::s_type =
        CKvoMarkupType::Create(L"TestFrameworkElement", L"CTestMarkupFrameworkElement", CreateTestFrameworkElement,
                               FrameworkElementType, CTestMarkupFrameworkElement::RegisterMarkupProperties);
    CKvoMarkupType::EnsureRegistered(CTestMarkupFrameworkElement::s_type);
}
