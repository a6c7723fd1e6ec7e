#include "markup/controls/KvoMarkupControl.h"
#include "foundation/base/KvoWinThemeWrapper.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/layout/KvoMarkupBorder.h"
#include "markup/layout/KvoMarkupPanel.h"
#include "markup/text/KvoMarkupTextBlock.h"
#include "markup/text/KvoMarkupTextContext.h"
#include "markup/text/KvoMarkupTextElement.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupControl)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupContentControl)
CKvoMarkupDependencyProperty* CKvoMarkupControl::s_paddingProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupControl::s_backgroundProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupControl::s_foregroundProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupContentControl::s_contentProperty = nullptr;

namespace {
KvoUxThemeFunctions* g_controlThemeFunctions = nullptr;
}

void CKvoMarkupControl::SetThemeFunctions(KvoUxThemeFunctions* functions)
{
    g_controlThemeFunctions = functions;
}

KvoUxThemeFunctions* CKvoMarkupControl::GetThemeFunctions()
{
    return g_controlThemeFunctions ? g_controlThemeFunctions : &CKvoWinThemeWrapper::SharedFunctions(TRUE);
}

BOOL CKvoMarkupControl::FollowsThemeModule()
{
    return g_controlThemeFunctions == nullptr;
}

void CKvoMarkupControl::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupTextElement::s_type);
    CKvoMarkupType::EnsureRegistered(CKvoMarkupBorder::s_type);
    CKvoMarkupType::EnsureRegistered(CKvoMarkupPanel::s_type);
    // A control shares the border's Padding and the panel's Background.
    if (CKvoMarkupBorder::s_paddingProperty)
        s_paddingProperty = CKvoMarkupBorder::s_paddingProperty->AddOwner(s_type);
    if (CKvoMarkupPanel::s_backgroundProperty)
        s_backgroundProperty = CKvoMarkupPanel::s_backgroundProperty->AddOwner(s_type);
    s_foregroundProperty = CKvoMarkupTextElement::s_foregroundProperty;
    if (s_foregroundProperty)
        s_foregroundProperty->AddOwner(s_type);
}

const CKvoMarkupThickness* CKvoMarkupControl::GetPadding() const
{
    return static_cast<const CKvoMarkupThickness*>(GetValue(s_paddingProperty));
}

SIZE CKvoMarkupControl::GetPaddingExtent() const
{
    const CKvoMarkupThickness* padding = GetPadding();
    if (!padding)
        return {0, 0};
    return {padding->GetLeft() + padding->GetRight(), padding->GetTop() + padding->GetBottom()};
}

CKvoMarkupBrush* CKvoMarkupControl::GetBackground() const
{
    return static_cast<CKvoMarkupBrush*>(GetValue(s_backgroundProperty));
}

SIZE CKvoMarkupControl::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    if (GetVisualChildrenCount() == 0)
        return {0, 0};
    CKvoMarkupVisual* child = GetVisualChild(0);
    if (!child || !child->IsKindOf(CKvoMarkupUIElement::s_type))
        return {0, 0};
    CKvoMarkupUIElement* element = static_cast<CKvoMarkupUIElement*>(child);
    element->Measure(dc, width, height);
    return element->GetDesiredSize();
}

SIZE CKvoMarkupControl::ArrangeOverride(int width, int height)
{
    if (GetVisualChildrenCount() > 0) {
        CKvoMarkupVisual* child = GetVisualChild(0);
        if (child && child->IsKindOf(CKvoMarkupUIElement::s_type))
            static_cast<CKvoMarkupUIElement*>(child)->Arrange({0, 0, width, height});
    }
    return {width, height};
}

void CKvoMarkupContentControl::RegisterMarkupProperties()
{
    s_contentProperty = CKvoMarkupDependencyProperty::Register(
        L"Content", CKvoMarkupUIElement::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsMeasure));
}

CKvoMarkupUIElement* CKvoMarkupContentControl::GetContent() const
{
    return static_cast<CKvoMarkupUIElement*>(GetValue(s_contentProperty));
}

void CKvoMarkupContentControl::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (!content)
        return;
    CStringW message;
    if (GetContent()) {
        message.Format(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                       GetClassNameText(), CKvoMarkupType::ClassNameOf(content->GetType()), GetClassNameText());
        content->Release();
        ThrowMarkupBuildError(message);
    }
    if (content->IsKindOf(CKvoMarkupString::s_type)) {
        CKvoMarkupUIElement* block = CreateTextContent(builder, content);
        if (block) {
            block->SetLogicalParent(this);
            SetValue(s_contentProperty, block);
        }
        return;
    }
    if (content->IsKindOf(CKvoMarkupUIElement::s_type)) {
        content->SetLogicalParent(this);
        SetValue(s_contentProperty, content);
        return;
    }
    message.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CKvoMarkupUIElement'",
                   CKvoMarkupType::ClassNameOf(content->GetType()), GetClassNameText());
    content->Release();
    ThrowMarkupBuildError(message);
}

CKvoMarkupUIElement* CKvoMarkupContentControl::CreateTextContent(CKvoMarkupBuilder* builder, CKvoMarkupObject* text)
{
    CKvoMarkupObject* block = KvoMarkupTextContext::CreateObject(GetMarkupContext(), CKvoMarkupTextBlock::s_type);
    if (!block || !block->IsKindOf(CKvoMarkupTextBlock::s_type)) {
        if (block)
            block->Release();
        text->Release();
        return nullptr;
    }
    block->SetContentObject(builder, text);
    return static_cast<CKvoMarkupUIElement*>(block);
}

BOOL CKvoMarkupContentControl::HasContentObject() const
{
    return GetContent() != nullptr;
}

int CKvoMarkupContentControl::GetVisualChildrenCount() const
{
    return GetContent() ? 1 : 0;
}

CKvoMarkupVisual* CKvoMarkupContentControl::GetVisualChild(int index) const
{
    return index == 0 ? GetContent() : nullptr;
}
