#include "markup/text/KvoMarkupInline.h"
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/text/KvoMarkupSpan.h"
#include "markup/values/KvoMarkupEnum.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupInline)
CKvoMarkupDependencyProperty* CKvoMarkupInline::s_baselineAlignmentProperty = nullptr;

CKvoMarkupInline::CKvoMarkupInline() : m_index(-1)
{
}

void CKvoMarkupInline::RegisterMarkupProperties()
{
    s_baselineAlignmentProperty = CKvoMarkupDependencyProperty::Register(
        L"BaselineAlignment", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertBaselineAlignment, KvoMarkupPropertyFlag::AffectsArrange));
}

CKvoMarkupInputElement* CKvoMarkupInline::InputHitTest(int, int)
{
    return this;
}

CKvoMarkupInline* CKvoMarkupInline::GetFirstInline()
{
    return this;
}

int CKvoMarkupInline::GetFirstPosition() const
{
    return KvoMarkupNoPosition;
}

void CKvoMarkupInline::GetNextPosition(int& position) const
{
    position = KvoMarkupNoPosition;
}

BOOL CKvoMarkupInline::IsWordBreakPosition(int) const
{
    return FALSE;
}

BOOL CKvoMarkupInline::IsLineBreakPosition(int) const
{
    return FALSE;
}

BOOL CKvoMarkupInline::IsWhiteSpacePosition(int) const
{
    return FALSE;
}

void CKvoMarkupInline::Arrange(const RECT&, int, int)
{
}

SIZE CKvoMarkupInline::Measure(CKvoMarkupDrawingContext*, int, int)
{
    return {0, 0};
}

void CKvoMarkupInline::Render(CKvoMarkupDrawingContext*, const RECT&, int, int)
{
}

void CKvoMarkupInline::PrepareMeasure(CKvoMarkupDrawingContext*)
{
}

int CKvoMarkupInline::GetDescent() const
{
    return 0;
}

CKvoMarkupInline* CKvoMarkupInline::GetNextInline() const
{
    const CKvoMarkupInline* current = this;
    for (;;) {
        CKvoMarkupObject* parent = current->GetLogicalParent();
        if (!parent || !parent->IsKindOf(CKvoMarkupInlineCollection::s_type))
            return nullptr;
        const CKvoMarkupInlineCollection* collection = static_cast<const CKvoMarkupInlineCollection*>(parent);
        const int next = current->GetIndex() + 1;
        if (next > 0 && next < collection->GetCount())
            return collection->GetInline(next)->GetFirstInline();
        CKvoMarkupObject* owner = collection->GetLogicalParent();
        if (!owner || !owner->IsKindOf(CKvoMarkupSpan::s_type))
            return nullptr;
        current = static_cast<const CKvoMarkupSpan*>(owner);
    }
}
